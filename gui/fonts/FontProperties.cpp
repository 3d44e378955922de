#include "gui/fonts/FontProperties.h"

#include <cstdlib>
#include <cwchar>

#include "gui/fonts/SystemFonts.h"
#include "platform/system/OsVersion.h"
#include "platform/system/Screen.h"

namespace s::gui::win {

int32_t heightForPoints(int32_t points) {
    const int32_t q = points * system::getScreenScale();
    if (q == 1) return -1;
    if (q > 100) return -13;
    return -(q + 1 + (q - 2) / 3);
}

int32_t screenHeightForPointSize(int32_t points) {
    // The conversion of a point size in tenths on the screen DC, as the framework's
    // point fonts do it.
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return -std::abs(MulDiv(dpi, points * 10, 720));
}

const wchar_t* defaultFaceName(bool vistaOrLater, const LOGFONTW* themeCaption) {
    if (vistaOrLater && themeCaption && themeCaption->lfFaceName[0]) return themeCaption->lfFaceName;
    return L"MS Shell Dlg 2";
}

void FontDescription::reset() {
    lf = LOGFONTW{};
    LOGFONTW theme{};
    const bool vista = system::osVersion().isVistaOrLater;
    const bool haveTheme = vista && getThemeCaptionFont(&theme);
    // Only the face (and orientation) of the caption font are kept.
    wcscpy_s(lf.lfFaceName, defaultFaceName(vista, haveTheme ? &theme : nullptr));
    if (haveTheme) lf.lfOrientation = theme.lfOrientation;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_STRING_PRECIS;
    lf.lfClipPrecision = CLIP_STROKE_PRECIS;
    lf.lfQuality = kQualityClearType;
    lf.lfPitchAndFamily = VARIABLE_PITCH;
    lf.lfHeight = heightForPoints(10);
    color = 0;
    color2 = color3 = 0xEEEEEE;
    wordWrap = endEllipsis = false;
    sizeCode = 0;
    for (bool& f : explicitFlags) f = false;
    textEffect = 0;
}

bool FontDescription::hasExplicit() const {
    for (bool f : explicitFlags)
        if (f) return true;
    return false;
}

bool FontDescription::applySizeCode(int32_t code) {
    sizeCode = code;
    const int64_t m = code < 0 ? -int64_t(code) : int64_t(code);
    int32_t weight, points;
    if (m < 100) {
        weight = FW_NORMAL;
        points = code + 10;
    } else if (m < 1000) {
        weight = FW_BOLD;
        points = code % 100 + 14;
    } else if (code == 100001) {
        weight = FW_NORMAL;
        points = 8;
    } else {
        return false;
    }
    if (!explicitFlags[kExplicitBold]) lf.lfWeight = weight;
    if (!explicitFlags[kExplicitSize]) {
        lf.lfHeight = heightForPoints(points);
        lf.lfWidth = 0;
    }
    return true;
}

bool FontDescription::setFace(const wchar_t* face) {
    // A longer name would have to be cut and would silently pick another font.
    if (!face || wcslen(face) > size_t(kMaxFaceLength)) return false;
    explicitFlags[kExplicitFace] = true;
    wcscpy_s(lf.lfFaceName, face);
    return true;
}

}  // namespace s::gui::win
