// The description shared by Font and FontSetting and the property operations both
// implement alike. Font re-makes its HFONT through onChanged; FontSetting ignores it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/fonts/IFont.h"
#include "gui/fonts/IFontSetting.h"

namespace s::gui::win {

// The explicitly-set flags, in their stored order.
enum FontExplicit : int {
    kExplicitFace,
    kExplicitColor,
    kExplicitColor2,
    kExplicitColor3,
    kExplicitSize,
    kExplicitBold,
    kExplicitItalic,
    kExplicitUnderline,
    kExplicitStrikeOut,
    kExplicitWeight,
    kExplicitQuality,
    kExplicitCount
};

// LOGFONTW lfQuality values the fonts use.
constexpr BYTE kQualityClearType = CLEARTYPE_QUALITY;            // 5
constexpr BYTE kQualityNonAntialiased = NONANTIALIASED_QUALITY;  // 3
constexpr int kMaxFaceLength = LF_FACESIZE - 1;                  // 31

// The default face: the visual style's caption face on Vista or later when there is
// one, else "MS Shell Dlg 2".
const wchar_t* defaultFaceName(bool vistaOrLater, const LOGFONTW* themeCaption);
// lfHeight for a point size at the current screen scale: q = points x scale; -1 for
// q = 1, -13 for q > 100, else -(q + 1 + (q - 2) / 3).
int32_t heightForPoints(int32_t points);
// lfHeight of a point size as the system converts it on the screen DC.
int32_t screenHeightForPointSize(int32_t points);

struct FontDescription {
    LOGFONTW lf{};
    COLORREF color = 0, color2 = 0xEEEEEE, color3 = 0xEEEEEE;
    bool wordWrap = false, endEllipsis = false;
    int32_t sizeCode = 0;
    bool explicitFlags[kExplicitCount] = {};
    int32_t textEffect = 0;

    // The defaults: the theme's caption face ("MS Shell Dlg 2" without one), weight 400,
    // ClearType, height -13 at scale 1 (-27 at 2, -53 at 4), black, nothing explicit.
    void reset();
    bool hasExplicit() const;
    // Stores the code and applies its weight and size where they were not set
    // explicitly. True when the LOGFONTW changed.
    bool applySizeCode(int32_t code);
    bool setFace(const wchar_t* face);
};

// Implements the operations that IFont and IFontSetting share over a FontDescription.
template <class Interface>
class FontProperties : public Interface {
public:
    void setSizeCode(int32_t code) override {
        if (d_.applySizeCode(code)) onChanged();
    }
    int32_t getSizeCode() const override { return d_.sizeCode; }
    bool hasExplicitProperties() const override { return d_.hasExplicit(); }
    const wchar_t* getFace() const override { return d_.lf.lfFaceName; }
    bool setFace(const wchar_t* face) override {
        if (!d_.setFace(face)) return false;
        onChanged();
        return true;
    }
    COLORREF getColor() const override { return d_.color; }
    void setColor(int r, int g, int b) override {
        d_.explicitFlags[kExplicitColor] = true;
        d_.color = RGB(r & 0xFF, g & 0xFF, b & 0xFF);
        onColorChanged();
    }
    COLORREF getColor2() const override { return d_.color2; }
    void setColor2(int r, int g, int b) override {
        d_.explicitFlags[kExplicitColor2] = true;
        d_.color2 = RGB(r & 0xFF, g & 0xFF, b & 0xFF);
    }
    COLORREF getColor3() const override { return d_.color3; }
    void setColor3(int r, int g, int b) override {
        d_.explicitFlags[kExplicitColor3] = true;
        d_.color3 = RGB(r & 0xFF, g & 0xFF, b & 0xFF);
    }
    void setPointSize(int32_t points) override {
        d_.explicitFlags[kExplicitSize] = true;
        d_.lf.lfHeight = screenHeightForPointSize(points);
        d_.lf.lfWidth = 0;
        onChanged();
    }
    int32_t getHeight() const override { return d_.lf.lfHeight; }
    void setHeight(int32_t height) override { setLf(kExplicitSize, d_.lf.lfHeight, LONG(height)); }
    int32_t getWidth() const override { return d_.lf.lfWidth; }
    void setWidth(int32_t width) override { setLf(kExplicitSize, d_.lf.lfWidth, LONG(width)); }
    bool isBold() const override { return d_.lf.lfWeight >= 500; }
    void setBold(bool bold) override { setLf(kExplicitBold, d_.lf.lfWeight, LONG(bold ? FW_BOLD : FW_NORMAL)); }
    bool isItalic() const override { return d_.lf.lfItalic != 0; }
    void setItalic(bool flag) override { setLf(kExplicitItalic, d_.lf.lfItalic, BYTE(flag)); }
    bool isUnderline() const override { return d_.lf.lfUnderline != 0; }
    void setUnderline(bool flag) override { setLf(kExplicitUnderline, d_.lf.lfUnderline, BYTE(flag)); }
    bool isStrikeOut() const override { return d_.lf.lfStrikeOut != 0; }
    void setStrikeOut(bool flag) override { setLf(kExplicitStrikeOut, d_.lf.lfStrikeOut, BYTE(flag)); }
    int32_t getWeight() const override { return d_.lf.lfWeight; }
    void setWeight(int32_t weight) override { setLf(kExplicitWeight, d_.lf.lfWeight, LONG(weight)); }
    bool isWordWrap() const override { return d_.wordWrap; }
    void setWordWrap(bool flag) override { d_.wordWrap = flag; }
    bool isEndEllipsis() const override { return d_.endEllipsis; }
    void setEndEllipsis(bool flag) override { d_.endEllipsis = flag; }
    int32_t getTextEffect() const override { return d_.textEffect; }
    void setTextEffect(int32_t effect) override { d_.textEffect = effect; }
    bool isClearType() const override { return d_.lf.lfQuality == kQualityClearType; }
    void setClearType(bool flag) override {
        setLf(kExplicitQuality, d_.lf.lfQuality, flag ? kQualityClearType : kQualityNonAntialiased);
    }
    LOGFONTW* getLogFont() override { return &d_.lf; }

    const FontDescription& description() const { return d_; }

protected:
    // Every property whose explicit flag is clear comes from the source (an IFont or an
    // IFontSetting); no flag is set, so a later inheritance replaces these values.
    template <class Source>
    void inheritProperties(const Source* src) {
        if (!src) return;
        bool* ex = d_.explicitFlags;
        if (!ex[kExplicitFace]) {
            const wchar_t* face = src->getFace();
            if (face && wcslen(face) <= size_t(kMaxFaceLength)) wcscpy_s(d_.lf.lfFaceName, face);
        }
        if (!ex[kExplicitColor]) {
            d_.color = src->getColor();
            onColorChanged();
        }
        if (!ex[kExplicitColor2]) d_.color2 = src->getColor2();
        if (!ex[kExplicitColor3]) d_.color3 = src->getColor3();
        // Unless bold was chosen, the weight follows the source's boldness (an explicit
        // weight of 300 becomes 400 from a regular source).
        if (!ex[kExplicitBold]) d_.lf.lfWeight = src->isBold() ? FW_BOLD : FW_NORMAL;
        if (!ex[kExplicitSize]) {
            d_.lf.lfHeight = src->getHeight();
            d_.lf.lfWidth = src->getWidth();
        }
        if (!ex[kExplicitItalic]) d_.lf.lfItalic = BYTE(src->isItalic());
        if (!ex[kExplicitUnderline]) d_.lf.lfUnderline = BYTE(src->isUnderline());
        if (!ex[kExplicitStrikeOut]) d_.lf.lfStrikeOut = BYTE(src->isStrikeOut());
        if (!ex[kExplicitQuality]) d_.lf.lfQuality = src->isClearType() ? kQualityClearType : kQualityNonAntialiased;
        onChanged();
    }

    // The LOGFONTW changed (Font re-makes its handle).
    virtual void onChanged() {}
    // The text colour changed (Font applies it to its bound DC).
    virtual void onColorChanged() {}

    FontDescription d_;

private:
    template <class Field, class Value>
    void setLf(FontExplicit flag, Field& field, Value value) {
        d_.explicitFlags[flag] = true;
        field = value;
        onChanged();
    }
};

}  // namespace s::gui::win
