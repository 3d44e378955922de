// Answers a system dialog of this thread from a second thread the way a user would.
// A dialog still open after the time-out is cancelled, so a test never hangs.
//
//   DialogDriver driver([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); });
//   picker->show(nullptr);
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <dlgs.h>

namespace testsupport {

class DialogDriver {
public:
    // windowClass: the class of the window to wait for (the system dialogs' by default).
    explicit DialogDriver(std::function<void(HWND dialog)> act, const wchar_t* windowClass = L"#32770")
        : act_(std::move(act)), class_(windowClass), thread_(GetCurrentThreadId()) {
        worker_ = std::thread([this] { run(); });
    }
    // The same for a dialog of another thread (a window's GUI thread).
    DialogDriver(DWORD thread, std::function<void(HWND dialog)> act, const wchar_t* windowClass = L"#32770")
        : act_(std::move(act)), class_(windowClass), thread_(thread) {
        worker_ = std::thread([this] { run(); });
    }
    ~DialogDriver() { worker_.join(); }
    bool acted() const { return acted_; }

    // The visible top-level window of that class of the thread, or null.
    static HWND findDialog(DWORD thread, const wchar_t* windowClass = L"#32770") {
        struct Search {
            const wchar_t* cls;
            HWND found;
        } search{windowClass, nullptr};
        EnumThreadWindows(
            thread,
            [](HWND hwnd, LPARAM p) -> BOOL {
                auto* s = reinterpret_cast<Search*>(p);
                wchar_t cls[64] = {};
                GetClassNameW(hwnd, cls, 64);
                if (lstrcmpW(cls, s->cls) == 0 && IsWindowVisible(hwnd)) {
                    s->found = hwnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

private:
    void run() {
        HWND dialog = nullptr;
        for (int i = 0; i < 1500 && !dialog; ++i) {
            dialog = findDialog(thread_, class_);
            if (!dialog) Sleep(10);
        }
        if (!dialog) return;
        // A system dialog is ready once its OK button exists.
        for (int i = 0; i < 200 && !GetDlgItem(dialog, IDOK) && lstrcmpW(class_, L"#32770") == 0; ++i) Sleep(5);
        SendMessageW(dialog, WM_NULL, 0, 0);  // its start-up messages are handled
        act_(dialog);
        acted_ = true;
        for (int i = 0; i < 500 && IsWindow(dialog); ++i) Sleep(10);
        if (IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        if (IsWindow(dialog)) PostMessageW(dialog, WM_CLOSE, 0, 0);
    }

    std::function<void(HWND)> act_;
    const wchar_t* class_;
    DWORD thread_;
    std::atomic<bool> acted_{false};
    std::thread worker_;
};

inline std::wstring textOf(HWND hwnd) {
    wchar_t buffer[1024] = {};
    SendMessageW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

// The file dialog's name box (the explorer style's combo box, else the edit box).
inline HWND nameBox(HWND dialog) {
    HWND box = GetDlgItem(dialog, cmb13);
    return box ? box : GetDlgItem(dialog, edt1);
}

// A folder of empty files in the temporary folder, removed again at the end.
struct TempFolder {
    std::wstring path;
    std::vector<std::wstring> files;
    TempFolder(const wchar_t* tag, std::initializer_list<const wchar_t*> names) {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        path = std::wstring(base) + L"glimmer-" + tag + L"-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path.c_str(), nullptr);
        for (const wchar_t* n : names) {
            files.push_back(path + L"\\" + n);
            CloseHandle(CreateFileW(files.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        }
    }
    ~TempFolder() {
        for (const std::wstring& f : files) DeleteFileW(f.c_str());
        RemoveDirectoryW(path.c_str());
    }
};

}  // namespace testsupport
