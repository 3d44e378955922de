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
    explicit DialogDriver(std::function<void(HWND dialog)> act) : act_(std::move(act)), thread_(GetCurrentThreadId()) {
        worker_ = std::thread([this] { run(); });
    }
    ~DialogDriver() { worker_.join(); }
    bool acted() const { return acted_; }

    // The visible dialog window ("#32770") of the thread, or null.
    static HWND findDialog(DWORD thread) {
        HWND found = nullptr;
        EnumThreadWindows(
            thread,
            [](HWND hwnd, LPARAM p) -> BOOL {
                wchar_t cls[16] = {};
                GetClassNameW(hwnd, cls, 16);
                if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(hwnd)) {
                    *reinterpret_cast<HWND*>(p) = hwnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

private:
    void run() {
        HWND dialog = nullptr;
        for (int i = 0; i < 1500 && !dialog; ++i) {
            dialog = findDialog(thread_);
            if (!dialog) Sleep(10);
        }
        if (!dialog) return;
        // The dialog is ready once its OK button exists and it has painted once.
        for (int i = 0; i < 200 && !GetDlgItem(dialog, IDOK); ++i) Sleep(5);
        SendMessageW(dialog, WM_NULL, 0, 0);  // its start-up messages are handled
        act_(dialog);
        acted_ = true;
        for (int i = 0; i < 500 && IsWindow(dialog); ++i) Sleep(10);
        if (IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }

    std::function<void(HWND)> act_;
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
