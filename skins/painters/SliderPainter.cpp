// The slider drawer's painting.
#include "skins/drawers/SliderDrawer.h"
#include "skins/painters/SliderPainting.h"

namespace s::gui::drawer::slider::win {

void Thin::paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t minimum, int32_t maximum,
                 int32_t position, bool showFill, int32_t anchor, bool enabled, bool twoThumbs, int32_t secondPosition,
                 int32_t bandStyle, int32_t bandA, int32_t bandB) {
    SliderLook look;
    look.track = track.get();
    look.thumbs = thumbs.get();
    look.frameStyle = style;
    look.fill = colorA;
    look.thumb = colorB;
    look.disabled = colorC;
    SliderState st;
    st.minimum = minimum;
    st.maximum = maximum;
    st.position = position;
    st.showFill = showFill;
    st.anchor = anchor;
    st.enabled = enabled;
    st.twoThumbs = twoThumbs;
    st.secondPosition = secondPosition;
    st.bandStyle = bandStyle;
    st.bandA = bandA;
    st.bandB = bandB;
    paintSlider(dc, look, left, top, right, bottom, st);
}

}  // namespace s::gui::drawer::slider::win
