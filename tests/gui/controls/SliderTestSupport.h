// Helpers of the slider tests: a slider drawer that records the state it was asked to
// paint, and the client x of a value on a slider's track bar channel.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <atomic>

#include "gui/controls/Slider.h"
#include "gui/drawer/ISlider.h"

namespace slidertest {

// A slider drawer that records the state it was asked to paint.
class RecordingSliderDrawer : public s::gui::drawer::ISlider {
public:
    const wchar_t* getClassName() const override { return L"test_RecordingSliderDrawer"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void paint(HDC dc, int32_t l, int32_t t, int32_t r, int32_t b, int32_t mn, int32_t mx, int32_t pos, bool fill,
               int32_t anc, bool en, bool two, int32_t second, int32_t band, int32_t a, int32_t bb) override {
        rect = {l, t, r, b};
        minimum = mn;
        maximum = mx;
        position = pos;
        showFill = fill;
        anchor = anc;
        enabled = en;
        twoThumbs = two;
        secondPosition = second;
        bandStyle = band;
        bandA = a;
        bandB = bb;
        const RECT all{l, t, r, b};
        HBRUSH brush = CreateSolidBrush(RGB(0, 128, 0));
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        ++paints;
    }
    uint8_t getColorARed() const override { return 0; }
    uint8_t getColorAGreen() const override { return 0; }
    uint8_t getColorABlue() const override { return 0; }
    void setColorA(int, int, int) override {}
    void setColorB(int, int, int) override {}
    void setColorC(int, int, int) override {}

    RECT rect{};
    int32_t minimum = 0, maximum = 0, position = 0, anchor = 0, secondPosition = 0, bandStyle = 0, bandA = 0, bandB = 0;
    bool showFill = false, enabled = false, twoThumbs = false;
    std::atomic<int> paints{0};
};

inline int32_t channelX(s::gui::win::Slider* s, int32_t value) {
    RECT ch{};
    SendMessageW(s->m_hWnd, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&ch));
    return ch.left + (ch.right - ch.left) * (value - s->getMinimum()) / (s->getMaximum() - s->getMinimum());
}

}  // namespace slidertest
