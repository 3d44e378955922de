// The border painter's tints: a channel times a factor in percent, truncated, the
// brightening ones limited to 255.
#pragma once

#include <windows.h>

#include <cstdint>

namespace s::skins::border {

// Each channel of the colour times percent / 100, truncated, at most 255.
COLORREF tint(COLORREF base, int percent);
// A grey whose level is the channel times percent / 100.
COLORREF grey(uint8_t channel, int percent);

}  // namespace s::skins::border
