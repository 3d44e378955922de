// A menu handle owned by its object: the destructor destroys a menu the object made
// or attached (DestroyMenu also destroys its sub-menus); Detach hands it over.
//
//   CMenu menu;
//   menu.CreatePopupMenu();
//   menu.AppendMenu(MF_STRING, 100, L"Open");
//   UINT chosen = menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, x, y, &wnd);
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CMenu {
public:
    CMenu() = default;
    virtual ~CMenu() { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;

    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }

    BOOL CreateMenu() { return take(::CreateMenu()); }
    BOOL CreatePopupMenu() { return take(::CreatePopupMenu()); }
    BOOL LoadMenu(UINT id) { return take(::LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id))); }
    BOOL DestroyMenu();
    BOOL Attach(HMENU menu);
    HMENU Detach();

    BOOL AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, const wchar_t* text = nullptr) {
        return ::AppendMenuW(m_hMenu, flags, idOrPopup, text);
    }
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, const wchar_t* text = nullptr) {
        return ::InsertMenuW(m_hMenu, position, flags, idOrPopup, text);
    }
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, const wchar_t* text = nullptr) {
        return ::ModifyMenuW(m_hMenu, position, flags, idOrPopup, text);
    }
    BOOL DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }
    BOOL RemoveMenu(UINT position, UINT flags) { return ::RemoveMenu(m_hMenu, position, flags); }
    UINT CheckMenuItem(UINT id, UINT check) { return ::CheckMenuItem(m_hMenu, id, check); }
    BOOL CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags) {
        return ::CheckMenuRadioItem(m_hMenu, first, last, item, flags);
    }
    UINT EnableMenuItem(UINT id, UINT enable) { return ::EnableMenuItem(m_hMenu, id, enable); }
    UINT GetMenuState(UINT id, UINT flags) const { return ::GetMenuState(m_hMenu, id, flags); }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
    // The sub-menu handle at a position (not owned by the caller), or null.
    HMENU GetSubMenu(int position) const { return ::GetSubMenu(m_hMenu, position); }
    std::wstring GetMenuString(UINT item, UINT flags) const;
    BOOL GetMenuItemInfo(UINT item, MENUITEMINFOW* info, BOOL byPosition = FALSE) const {
        return ::GetMenuItemInfoW(m_hMenu, item, byPosition, info);
    }
    BOOL SetMenuItemInfo(UINT item, const MENUITEMINFOW* info, BOOL byPosition = FALSE) {
        return ::SetMenuItemInfoW(m_hMenu, item, byPosition, info);
    }
    BOOL InsertMenuItem(UINT item, const MENUITEMINFOW* info, BOOL byPosition = FALSE) {
        return ::InsertMenuItemW(m_hMenu, item, byPosition, info);
    }
    BOOL GetMenuInfo(MENUINFO* info) const { return ::GetMenuInfo(m_hMenu, info); }
    BOOL SetMenuInfo(const MENUINFO* info) { return ::SetMenuInfo(m_hMenu, info); }
    // The chosen command with TPM_RETURNCMD, else non-zero on success.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, const RECT* ignored = nullptr);

private:
    BOOL take(HMENU menu);
};
