#include "framework/app/Afx.h"

#include <ole2.h>

#include <mutex>

namespace {

thread_local bool t_oleStarted = false;

std::mutex& afxMutex() {
    static std::mutex* m = new std::mutex;
    return *m;
}

AfxMessageBoxHandler& boxHandler() {
    static AfxMessageBoxHandler* h = new AfxMessageBoxHandler;
    return *h;
}

std::wstring& appName() {
    static std::wstring* name = new std::wstring;
    return *name;
}

}  // namespace

BOOL AfxOleInit() {
    if (t_oleStarted) return TRUE;
    HRESULT hr = OleInitialize(nullptr);
    // S_FALSE: this thread had it already; it still has to be balanced.
    if (FAILED(hr)) return FALSE;
    t_oleStarted = true;
    return TRUE;
}

void AfxOleTerm() {
    if (!t_oleStarted) return;
    t_oleStarted = false;
    OleUninitialize();
}

AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler) {
    std::lock_guard lock(afxMutex());
    AfxMessageBoxHandler previous = std::move(boxHandler());
    boxHandler() = std::move(handler);
    return previous;
}

int AfxMessageBox(const wchar_t* text, UINT type, UINT) {
    AfxMessageBoxHandler handler;
    {
        std::lock_guard lock(afxMutex());
        handler = boxHandler();
    }
    std::wstring caption = AfxGetAppName();
    if (!text) text = L"";
    if (handler) return handler(text, caption.c_str(), type);
    HWND owner = GetActiveWindow();
    if (owner) owner = GetAncestor(owner, GA_ROOT);
    return MessageBoxW(owner, text, caption.c_str(), type);
}

std::wstring AfxGetAppName() {
    {
        std::lock_guard lock(afxMutex());
        if (!appName().empty()) return appName();
    }
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, n < MAX_PATH ? n : 0);
    size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0) name.erase(dot);
    return name;
}

void AfxSetAppName(const wchar_t* name) {
    std::lock_guard lock(afxMutex());
    appName() = name ? name : L"";
}
