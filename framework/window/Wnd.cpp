#include "framework/window/Wnd.h"

#include <shellapi.h>

#include <memory>
#include <shared_mutex>
#include <unordered_map>

#include "framework/gdi/GdiObject.h"
#include "framework/menu/Menu.h"

namespace {

// The procedure a subclassed window had, kept on the window as well, so a message
// that still arrives after its object let go (another subclasser stacked on top)
// reaches the class procedure.
const wchar_t kSuperProp[] = L"GlimmerWndSuper";

struct WndMap {
    std::shared_mutex mutex;
    std::unordered_map<HWND, CWnd*> map;
};

// Never destroyed: windows may still be torn down while the process exits.
WndMap& wndMap() {
    static WndMap* m = new WndMap;
    return *m;
}

thread_local std::unordered_map<HWND, std::unique_ptr<CWnd>>* t_tempMap = nullptr;

// The window that CreateEx on this thread is about to make, and what it expects
// the creation to look like (the hook skips windows made on the way, such as the
// input-method window of a thread's first window).
struct PendingCreate {
    CWnd* wnd = nullptr;
    const wchar_t* className = nullptr;
    HWND parent = nullptr;
};
thread_local PendingCreate t_pending;

bool sameClass(const wchar_t* a, const wchar_t* b) {
    if (IS_INTRESOURCE(a) || IS_INTRESOURCE(b)) {
        if (IS_INTRESOURCE(a) && IS_INTRESOURCE(b)) return a == b;
        // One side an atom, the other a name: compare by the registered name.
        wchar_t name[256];
        const wchar_t* atom = IS_INTRESOURCE(a) ? a : b;
        const wchar_t* text = IS_INTRESOURCE(a) ? b : a;
        if (!GlobalGetAtomNameW(static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(atom)), name, 256)) return true;
        return lstrcmpiW(name, text) == 0;
    }
    return lstrcmpiW(a, b) == 0;
}

}  // namespace

// Binding runs in the creation hook, outside the class's member functions.
struct CWndBinding {
    static LRESULT CALLBACK cbtHook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND && t_pending.wnd) {
            const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
            if (cs->hwndParent == t_pending.parent && sameClass(cs->lpszClass, t_pending.className)) {
                CWnd* wnd = t_pending.wnd;
                t_pending.wnd = nullptr;
                wnd->bind(reinterpret_cast<HWND>(wParam), true);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
};

CWnd::~CWnd() {
    if (!m_hWnd || m_temporary) return;
    if (m_subclassed && ::IsWindow(m_hWnd) && GetWindowThreadProcessId(m_hWnd, nullptr) == GetCurrentThreadId()) {
        // The derived parts are gone: the last messages see this class only.
        ::DestroyWindow(m_hWnd);
    }
    if (m_hWnd) unbind();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (!hwnd) return nullptr;
    WndMap& m = wndMap();
    std::shared_lock lock(m.mutex);
    auto it = m.map.find(hwnd);
    return it == m.map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    if (CWnd* w = FromHandlePermanent(hwnd)) return w;
    if (!t_tempMap) t_tempMap = new std::unordered_map<HWND, std::unique_ptr<CWnd>>;
    std::unique_ptr<CWnd>& slot = (*t_tempMap)[hwnd];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->m_hWnd = hwnd;
        slot->m_temporary = true;
    }
    return slot.get();
}

void CWnd::DeleteTempMap() {
    if (t_tempMap) t_tempMap->clear();
}

void CWnd::bind(HWND hwnd, bool subclass) {
    m_hWnd = hwnd;
    {
        WndMap& m = wndMap();
        std::unique_lock lock(m.mutex);
        m.map[hwnd] = this;
    }
    if (subclass) {
        m_superProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StdWndProc)));
        SetPropW(hwnd, kSuperProp, reinterpret_cast<HANDLE>(m_superProc));
        m_subclassed = true;
    }
}

void CWnd::unbind() {
    HWND hwnd = m_hWnd;
    {
        WndMap& m = wndMap();
        std::unique_lock lock(m.mutex);
        auto it = m.map.find(hwnd);
        if (it != m.map.end() && it->second == this) m.map.erase(it);
    }
    if (m_subclassed && ::IsWindow(hwnd)) {
        // Only the top of the chain can be taken out; below another subclasser the
        // property keeps the class procedure reachable.
        if (GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWnd::StdWndProc)) {
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
            RemovePropW(hwnd, kSuperProp);
        }
    }
    m_hWnd = nullptr;
    m_superProc = nullptr;
    m_subclassed = false;
}

LRESULT CALLBACK CWnd::StdWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (!wnd || !wnd->m_subclassed) {
        auto super = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kSuperProp));
        if (message == WM_NCDESTROY) RemovePropW(hwnd, kSuperProp);
        return super ? CallWindowProcW(super, hwnd, message, wParam, lParam)
                     : ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY && wnd->m_hWnd == hwnd) {
        wnd->unbind();
        RemovePropW(hwnd, kSuperProp);
        wnd->PostNcDestroy();
    }
    return result;
}

BOOL CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, void* param) {
    if (m_hWnd) return FALSE;
    PendingCreate saved = t_pending;
    t_pending = {this, className, parent};
    HHOOK hook = SetWindowsHookExW(WH_CBT, &CWndBinding::cbtHook, nullptr, GetCurrentThreadId());
    HWND hwnd = CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent, menuOrId,
                                GetModuleHandleW(nullptr), param);
    if (hook) UnhookWindowsHookEx(hook);
    t_pending = saved;
    if (!hwnd) return FALSE;
    // Without the hook (it could not be set) the window is bound from now on.
    if (m_hWnd != hwnd) bind(hwnd, true);
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, void* param) {
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::Create(const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id, void* param) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, param);
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (m_hWnd || !::IsWindow(hwnd) || FromHandlePermanent(hwnd)) return FALSE;
    bind(hwnd, true);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return parent ? SubclassWindow(::GetDlgItem(parent->m_hWnd, id)) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
    HWND hwnd = m_hWnd;
    if (hwnd) unbind();
    return hwnd;
}

BOOL CWnd::Attach(HWND hwnd) {
    if (m_hWnd || !hwnd || FromHandlePermanent(hwnd)) return FALSE;
    bind(hwnd, false);
    return TRUE;
}

HWND CWnd::Detach() { return UnsubclassWindow(); }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) { return DefWindowProc(message, wParam, lParam); }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_superProc) return CallWindowProcW(m_superProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::IsDialogMessage(MSG* msg) {
    if (!m_hWnd || !msg) return FALSE;
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return FALSE;
    return ::IsDialogMessageW(m_hWnd, msg);
}

void CWnd::BeginModalState() {
    std::lock_guard lock(m_modalMutex);
    if (m_modalDepth++ == 0 && m_hWnd) {
        m_modalDisabled = ::IsWindowEnabled(m_hWnd);
        if (m_modalDisabled) ::EnableWindow(m_hWnd, FALSE);
    }
}

void CWnd::EndModalState() {
    std::lock_guard lock(m_modalMutex);
    if (m_modalDepth == 0) return;
    if (--m_modalDepth == 0 && m_modalDisabled) {
        m_modalDisabled = false;
        if (m_hWnd) ::EnableWindow(m_hWnd, TRUE);
    }
}

bool CWnd::IsInModalState() const {
    std::lock_guard lock(m_modalMutex);
    return m_modalDepth > 0;
}

// Only the window's own thread can destroy it; from another thread this fails and
// the object stays bound.
BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

void CWnd::ClientToScreen(RECT* r) const { ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(r), 2); }

void CWnd::ScreenToClient(RECT* r) const { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(r), 2); }

std::wstring CWnd::GetWindowText() const {
    int n = ::GetWindowTextLengthW(m_hWnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    int got = ::GetWindowTextW(m_hWnd, text.data(), n + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

namespace {

BOOL modifyLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT flags) {
    DWORD old = static_cast<DWORD>(GetWindowLongPtrW(hwnd, index));
    DWORD now = (old & ~remove) | add;
    if (now == old) return FALSE;
    SetWindowLongPtrW(hwnd, index, static_cast<LONG_PTR>(now));
    if (flags)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    return modifyLong(m_hWnd, GWL_STYLE, remove, add, flags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    return modifyLong(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}

void CWnd::SetFont(CFont* font, BOOL redraw) { SetFont(font ? static_cast<HFONT>(font->m_hObject) : nullptr, redraw); }

BOOL CWnd::SetMenu(CMenu* menu) { return ::SetMenu(m_hWnd, menu ? menu->m_hMenu : nullptr); }

BOOL CWnd::DragAcceptFiles(BOOL accept) {
    ::DragAcceptFiles(m_hWnd, accept);
    return TRUE;
}
