#include "platform/shell/Shell.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <atomic>

#include "foundation/str/StrBuffer.h"
#include "platform/file/PathWin.h"
#include "platform/shell/SpecialFolder.h"
#include "platform/system/Library.h"
#include "platform/system/OsVersion.h"

namespace s::shell {

using file::win::PathWin;
using str::strbuffer::StrBuffer;

namespace {

// shell32 entry points exported by ordinal only.
using PidlFromPathFn = LPITEMIDLIST(WINAPI*)(LPCWSTR);
using FreePidlFn = void(WINAPI*)(LPITEMIDLIST);
using MultiPropertiesFn = HRESULT(WINAPI*)(IDataObject*, DWORD);

const system::win::DllLocater& shell32() {
    static system::win::DllLocater module(L"shell32.dll");
    return module;
}

template <class Fn>
Fn ordinal(int n) {
    return reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(shell32().handle()), MAKEINTRESOURCEA(n))));
}

void freePidl(LPITEMIDLIST pidl) {
    if (!pidl) return;
    if (auto fn = ordinal<FreePidlFn>(155))
        fn(pidl);
    else
        CoTaskMemFree(pidl);
}

SHELLEXECUTEINFOW executeInfo(const wchar_t* verb, const wchar_t* file, const wchar_t* parameters, int show) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.lpVerb = verb;
    info.lpFile = file;
    info.lpParameters = parameters ? parameters : L"";
    info.nShow = show;
    return info;
}

std::atomic<OpenFn> g_openOverride{nullptr};

}  // namespace

int32_t execute(const wchar_t* file, const wchar_t* parameters, bool wait, bool elevate) {
    bool hidden = false;
    if (file) {
        PathWin* path = PathWin::fromString(file);
        hidden = path->isValid() && path->extensionEquals(L".bat") && path->exists() && path->isFile();
        path->release();
    }
    const wchar_t* verb = elevate && system::osVersion().isVistaOrLater ? L"runas" : nullptr;
    SHELLEXECUTEINFOW info = executeInfo(verb, file, parameters, hidden ? SW_HIDE : SW_SHOW);
    if (wait) info.fMask = SEE_MASK_NOCLOSEPROCESS;
    BOOL started = ShellExecuteExW(&info);
    if (!wait) return started;
    if (!started) return -1;
    if (!info.hProcess) return 0;
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 0;
    int32_t result = GetExitCodeProcess(info.hProcess, &code) ? int32_t(code) : -1;
    CloseHandle(info.hProcess);
    return result;
}

void setOpenOverride(OpenFn fn) { g_openOverride.store(fn); }

int32_t open(const wchar_t* file) {
    if (OpenFn fn = g_openOverride.load()) return fn(file);
    SHELLEXECUTEINFOW info = executeInfo(L"open", file, nullptr, SW_SHOW);
    return ShellExecuteExW(&info);
}

void showInExplorer(const wchar_t* text) {
    PathWin* path = PathWin::fromString(text);
    if (path->isValid() && path->exists()) {
        StrBuffer* explorer = system::getWindowsPath()->clone();
        explorer->appendText(L"\\explorer.exe");
        StrBuffer* params = StrBuffer::fromConcat3(L"/n, /select, \"", text, L"\"");
        execute(explorer->text(), params->text(), false, false);
        params->release();
        explorer->release();
    }
    path->release();
}

bool showProperties(const wchar_t* file) {
    SHELLEXECUTEINFOW info = executeInfo(L"properties", file, nullptr, SW_SHOW);
    info.fMask = SEE_MASK_INVOKEIDLIST;
    return ShellExecuteExW(&info) != FALSE;
}

bool pidlFromPath(const wchar_t* path, _ITEMIDLIST** out) {
    if (!out || !path || !*path) return false;
    *out = nullptr;
    if (auto fn = ordinal<PidlFromPathFn>(190)) *out = fn(path);
    if (!*out)
        if (auto fn = ordinal<PidlFromPathFn>(162)) *out = fn(path);
    if (!*out) {
        IShellFolder* desktop = nullptr;
        if (SUCCEEDED(SHGetDesktopFolder(&desktop)) && desktop) {
            LPITEMIDLIST pidl = nullptr;
            if (SUCCEEDED(
                    desktop->ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(path), nullptr, &pidl, nullptr)))
                *out = pidl;
            desktop->Release();
        }
    }
    return *out != nullptr;
}

bool showMultiFileProperties(int32_t count, const wchar_t* const* paths) {
    HRESULT init = CoInitialize(nullptr);
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop) {
        if (SUCCEEDED(init)) CoUninitialize();
        return false;
    }
    LPITEMIDLIST* lists = count > 0 ? new (std::nothrow) LPITEMIDLIST[size_t(count)] : nullptr;
    UINT kept = 0;
    for (int32_t i = 0; lists && i < count; ++i) {
        LPITEMIDLIST pidl = nullptr;
        if (pidlFromPath(paths[i], &pidl)) lists[kept++] = pidl;
    }
    IDataObject* data = nullptr;
    if (kept)
        desktop->GetUIObjectOf(nullptr, kept, const_cast<LPCITEMIDLIST*>(lists), IID_IDataObject, nullptr,
                               reinterpret_cast<void**>(&data));
    for (UINT i = 0; i < kept; ++i) freePidl(lists[i]);
    delete[] lists;
    bool shown = false;
    if (kept && data)
        if (auto fn = ordinal<MultiPropertiesFn>(716)) shown = SUCCEEDED(fn(data, 0));
    if (data) data->Release();
    desktop->Release();
    if (SUCCEEDED(init)) CoUninitialize();
    return shown;
}

}  // namespace s::shell
