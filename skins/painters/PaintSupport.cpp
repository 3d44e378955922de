#include "skins/painters/PaintSupport.h"

#include "platform/system/Screen.h"

namespace s::skins {

void SolidFiller::operator()(int32_t x, int32_t y, int32_t w, int32_t h, COLORREF colour) const {
    if (w <= 0 || h <= 0) return;
    SetBkColor(dc_, colour);
    RECT r{x, y, x + w, y + h};
    ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void fillSolid(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, COLORREF colour) {
    SolidFiller fill(dc);
    fill(x, y, w, h, colour);
}

std::wstring resolveText(const wchar_t* text) {
    if (!text) return {};
    if (IS_INTRESOURCE(text)) {
        const wchar_t* res = nullptr;
        // With a zero length LoadStringW answers a read-only pointer to the resource.
        int n = LoadStringW(GetModuleHandleW(nullptr), UINT(reinterpret_cast<uintptr_t>(text)),
                            reinterpret_cast<wchar_t*>(&res), 0);
        return n > 0 && res ? std::wstring(res, size_t(n)) : std::wstring();
    }
    return text;
}

int32_t scale() { return system::getScreenScale(); }

}  // namespace s::skins

namespace s::gui::drawer::paint {

void fill(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, COLORREF colour)
{
    skins::fillSolid(dc, x, y, width, height, colour);
}

}  // namespace s::gui::drawer::paint
