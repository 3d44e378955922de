// The built-in layout kinds of a panel and the alignment values of every layout.
#pragma once

#include <cstdint>

namespace s::gui {

namespace LayoutKind {
inline constexpr int32_t kRow = 0;
inline constexpr int32_t kColumn = 1;
inline constexpr int32_t kFlow = 2;
inline constexpr int32_t kPile = 3;
}  // namespace LayoutKind

// Horizontal: left, centre, right. Vertical: top, middle, bottom.
namespace Align {
inline constexpr int32_t kStart = 0;
inline constexpr int32_t kCentre = 1;
inline constexpr int32_t kEnd = 2;
}  // namespace Align

}  // namespace s::gui
