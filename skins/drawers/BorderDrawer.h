// The border painter object (see gui/drawer/IBorder.h). Painting is in
// skins/painters/BorderPainter.cpp.
#pragma once

#include "foundation/thread/Pool.h"
#include "gui/drawer/IBorder.h"

namespace s::gui::drawer::border::win {

class Thin : public border::IThin, public thread::IPoolable {
    S_POOLED(Thin, L"s_gui_drawer_border_win_Thin")
public:
    Thin() { reset(); }

    void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t state, int32_t cornerStyle,
               int r, int g, int b) override;
    void setShaded(bool flag) override { shaded = flag; }
    void reset() override { shaded = true; }

    bool shaded = true;
};

}  // namespace s::gui::drawer::border::win
