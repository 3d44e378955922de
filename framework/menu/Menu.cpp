#include "framework/menu/Menu.h"

#include "framework/window/Wnd.h"

BOOL CMenu::take(HMENU menu) {
    if (!menu) return FALSE;
    DestroyMenu();
    m_hMenu = menu;
    return TRUE;
}

BOOL CMenu::DestroyMenu() {
    if (!m_hMenu) return FALSE;
    BOOL ok = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    return ok;
}

BOOL CMenu::Attach(HMENU menu) {
    if (m_hMenu || !menu) return FALSE;
    m_hMenu = menu;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    return menu;
}

std::wstring CMenu::GetMenuString(UINT item, UINT flags) const {
    int n = ::GetMenuStringW(m_hMenu, item, nullptr, 0, flags);
    if (n <= 0) return {};
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = ::GetMenuStringW(m_hMenu, item, text.data(), n + 1, flags);
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, const RECT* ignored) {
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, wnd ? wnd->m_hWnd : nullptr, ignored);
}
