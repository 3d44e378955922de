#include "gui/controls/Control.h"

#include "gui/paint/MemDC.h"
#include "gui/skin/ISkinner.h"
#include "gui/window/WindowClass.h"
#include "platform/lang/Localizer.h"
#include "imaging/image/BufferedImage.h"

namespace s::gui::win::control {

uint32_t effectiveBackgroundColor(IComponent* component) {
    IComponent* c = component;
    while (c && c->isTransparent()) {
        IComponent* up = c->getParent();
        if (!up) break;
        c = up;
    }
    return c ? c->getBackgroundColor() : ::GetSysColor(COLOR_BTNFACE);
}

HBRUSH colorBrush(HBRUSH* holder, HDC dc, bool transparent, IComponent* parent, uint32_t background,
                  uint32_t textColor) {
    if (*holder) ::DeleteObject(*holder);
    *holder = nullptr;
    ::SetTextColor(dc, textColor);
    if (transparent && !parent) {
        ::SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    const COLORREF colour = transparent ? effectiveBackgroundColor(parent) : background;
    *holder = ::CreateSolidBrush(colour);
    ::SetBkColor(dc, colour);
    return *holder;
}

bool copyParentPixels(HWND hwnd, IComponent* parent, HDC target, int32_t w, int32_t h) {
    if (!parent || !hwnd) return false;
    int32_t ox = 0, oy = 0;
    image::win::BufferedImage* under = parent->getBackBuffer(&ox, &oy);
    if (!under) return false;
    RECT r;
    ::GetWindowRect(hwnd, &r);
    ::MapWindowPoints(nullptr, ::GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    MemDC* source = MemDC::forImage(hwnd, under, false);
    if (!source) return false;
    ::BitBlt(target, 0, 0, w, h, source->getHdc(), ox + r.left, oy + r.top, SRCCOPY);
    source->release();
    return true;
}

void fillRect(HDC dc, const RECT& rc, uint32_t colour) {
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &rc, brush);
    ::DeleteObject(brush);
}

void tell(col::_array::ArrayP& listeners, base::IObject* source, int32_t code) {
    for (uint32_t i = 0; i < listeners.count(); ++i) listeners.at<events::IEventListener>(i)->onEvent(source, code);
}

bool isInside(LPARAM lParam, int32_t w, int32_t h) {
    const int32_t x = int16_t(LOWORD(lParam)), y = int16_t(HIWORD(lParam));
    return x >= 0 && x <= w && y >= 0 && y <= h;
}

lang::Localizer* localizerOf(IWindow* window) {
    return window && window->hasLocalizer() ? window->getLocalizer() : nullptr;
}

drawer::ISkinner* skinnerOf(IWindow* window) { return window && window->hasSkinner() ? window->getSkinner() : nullptr; }

drawer::ISkin* joinServices(IWindow* window, events::IEventListener* listener, bool skinned) {
    if (lang::Localizer* l = localizerOf(window)) l->addListener(listener);
    drawer::ISkinner* s = skinned ? skinnerOf(window) : nullptr;
    if (!s) return nullptr;
    s->addListener(listener);
    return s->getCurrentSkin();
}

void leaveServices(IWindow* window, events::IEventListener* listener) {
    if (lang::Localizer* l = localizerOf(window)) l->removeListener(listener);
    if (drawer::ISkinner* s = skinnerOf(window)) s->removeListener(listener);
}

lang::Localizer* languageSource(IWindow* window, base::IObject* source) {
    lang::Localizer* l = localizerOf(window);
    return l && source == l ? l : nullptr;
}

drawer::ISkin* skinSource(IWindow* window, base::IObject* source) {
    drawer::ISkinner* s = skinnerOf(window);
    return s && source && source == s->asObject() ? s->getCurrentSkin() : nullptr;
}

bool createGeneric(CWnd* self, CWnd* parentWnd, UINT id) {
    if (!registerWindowClass() || !parentWnd || !parentWnd->m_hWnd) return false;
    return self->CreateEx(0, kWindowClassName, L"", WS_CHILD, 0, 0, 0, 0, parentWnd->m_hWnd,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))) != FALSE;
}

void showCreationFailure() { showFailureBox(L"Window Creation Failed!", L"Error!"); }

void paintBuffered(HWND hwnd, IComponent* parent, bool transparent, uint32_t background,
                   const std::function<void(HDC, const RECT&)>& draw) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd, &ps);
    RECT rc;
    ::GetClientRect(hwnd, &rc);
    const int32_t w = rc.right - rc.left, h = rc.bottom - rc.top;
    image::win::BufferedImage* image = w > 0 && h > 0 ? image::win::BufferedImage::createSized(w, h) : nullptr;
    MemDC* mem = image ? MemDC::forImage(hwnd, image, true) : nullptr;
    if (mem) {
        HDC target = mem->getHdc();
        if (!copyParentPixels(hwnd, parent, target, w, h) && transparent)
            fillRect(target, rc, effectiveBackgroundColor(parent));
        if (!transparent) fillRect(target, rc, background);
        draw(target, rc);
        ::BitBlt(dc, 0, 0, w, h, target, 0, 0, SRCCOPY);
        mem->release();
    }
    ::EndPaint(hwnd, &ps);
}

}  // namespace s::gui::win::control
