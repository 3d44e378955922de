// The framework's window object: a C++ object bound to one window handle.
//
//   class Spy : public CWnd {
//       LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
//           if (msg == WM_CREATE) created = true;   // seen: creation binds before WM_NCCREATE
//           return CWnd::WindowProc(msg, wp, lp);   // the class's own procedure
//       }
//   };
//   Spy spy;
//   spy.CreateEx(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
//   CWnd::FromHandlePermanent(spy.GetSafeHwnd()) == &spy;
//
// Binding: CreateEx binds the object to its window from the first message on (a
// computer-based-training hook catches the new handle before WM_NCCREATE) and
// subclasses it, so every message passes the virtual WindowProc, whose default calls
// the procedure the window had before (its class's). SubclassWindow binds an existing
// window the same way; Attach only records the pair. Bound objects are found through
// one process-wide, thread-safe map. After WM_NCDESTROY the object is unbound and
// PostNcDestroy runs (it may delete the object).
#pragma once

#include <windows.h>

#include <mutex>
#include <string>

class CFont;
class CMenu;
class CDC;

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // --- Binding ---------------------------------------------------------------
    // The bound object of a handle, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);
    // The bound object of a handle; for a handle without one, a temporary object of
    // this thread that stays valid until DeleteTempMap (the framework's message loop
    // calls it whenever its queue runs empty). Null for a null handle.
    static CWnd* FromHandle(HWND hwnd);
    static void DeleteTempMap();

    // Creates the window bound to this object. False when the object is already
    // bound or the window could not be made.
    virtual BOOL CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style, int x, int y,
                          int width, int height, HWND parent, HMENU menuOrId, void* param = nullptr);
    BOOL CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, void* param = nullptr);
    // A child window (WS_CHILD is added).
    virtual BOOL Create(const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rect,
                        CWnd* parent, UINT id, void* param = nullptr);

    // Binds an existing window and routes its messages through WindowProc.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Gives the window its previous procedure back and unbinds it; returns the handle.
    HWND UnsubclassWindow();
    // Records the pair without routing messages; Detach forgets it.
    BOOL Attach(HWND hwnd);
    HWND Detach();

    // --- Message handling ------------------------------------------------------
    // Every message of a bound, subclassed window. The default is DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The procedure the window had before binding (its class's), or DefWindowProcW.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Offered each queued message for this window or a child before it is dispatched,
    // innermost window first; true consumes it. The default consumes nothing.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Dialog-style keyboard navigation (Tab, arrows, Enter, Esc) between this
    // window's child controls; true when it took the message.
    BOOL IsDialogMessage(MSG* msg);
    // Runs after the window's last message (WM_NCDESTROY), once the object is unbound.
    virtual void PostNcDestroy() {}

    // Modal state: input to the window is disabled while at least one
    // BeginModalState has no EndModalState yet. Callable from any thread.
    void BeginModalState();
    void EndModalState();
    bool IsInModalState() const;

    // --- Thin wrappers ---------------------------------------------------------
    BOOL DestroyWindow();
    BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
    }
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) {
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    void MoveWindow(const RECT& r, BOOL repaint = TRUE) {
        ::MoveWindow(m_hWnd, r.left, r.top, r.right - r.left, r.bottom - r.top, repaint);
    }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(const RECT* r, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, r, erase); }
    void ValidateRect(const RECT* r) { ::ValidateRect(m_hWnd, r); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(const RECT* r = nullptr, HRGN rgn = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
        return ::RedrawWindow(m_hWnd, r, rgn, flags);
    }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) {
        return ::SetTimer(m_hWnd, id, elapse, proc);
    }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }
    void GetClientRect(RECT* r) const { ::GetClientRect(m_hWnd, r); }
    void GetWindowRect(RECT* r) const { ::GetWindowRect(m_hWnd, r); }
    void ClientToScreen(POINT* p) const { ::ClientToScreen(m_hWnd, p); }
    void ClientToScreen(RECT* r) const;
    void ScreenToClient(POINT* p) const { ::ScreenToClient(m_hWnd, p); }
    void ScreenToClient(RECT* r) const;
    void SetWindowText(const wchar_t* text) { ::SetWindowTextW(m_hWnd, text); }
    std::wstring GetWindowText() const;
    int GetWindowText(wchar_t* buffer, int size) const { return ::GetWindowTextW(m_hWnd, buffer, size); }
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    BOOL IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    // WM_SETFONT / WM_GETFONT.
    void SetFont(CFont* font, BOOL redraw = TRUE);
    void SetFont(HFONT font, BOOL redraw = TRUE) {
        ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)); }
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* SetParent(CWnd* parent) { return FromHandle(::SetParent(m_hWnd, parent ? parent->m_hWnd : nullptr)); }
    CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
    // Removes, then adds style bits; with flags, SetWindowPos applies the frame change.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    HDC GetDC() { return ::GetDC(m_hWnd); }
    int ReleaseDC(HDC dc) { return ::ReleaseDC(m_hWnd, dc); }
    int SetWindowRgn(HRGN rgn, BOOL redraw) { return ::SetWindowRgn(m_hWnd, rgn, redraw); }
    BOOL SetMenu(CMenu* menu);
    HMENU GetMenu() const { return ::GetMenu(m_hWnd); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
    HICON SetIcon(HICON icon, BOOL big) {
        return reinterpret_cast<HICON>(
            ::SendMessageW(m_hWnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }
    BOOL DragAcceptFiles(BOOL accept = TRUE);

    // The procedure the window had before it was subclassed.
    WNDPROC GetSuperWndProc() const { return m_superProc; }

protected:
    static LRESULT CALLBACK StdWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend struct CWndBinding;
    void bind(HWND hwnd, bool subclass);
    void unbind();

    WNDPROC m_superProc = nullptr;
    bool m_subclassed = false;
    bool m_temporary = false;
    mutable std::mutex m_modalMutex;
    int m_modalDepth = 0;
    bool m_modalDisabled = false;
};
