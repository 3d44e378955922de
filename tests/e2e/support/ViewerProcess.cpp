#include "e2e/support/ViewerProcess.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cwchar>

#include "support/HostTool.h"

namespace e2e {

namespace {

constexpr DWORD kPollMs = 15;

struct EnumState {
    DWORD processId;
    const wchar_t* className;
    std::vector<HWND>* found;
};

BOOL CALLBACK collectTopWindow(HWND window, LPARAM param) {
    auto* state = reinterpret_cast<EnumState*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != state->processId) return TRUE;
    if (state->className && classOf(window) != state->className) return TRUE;
    state->found->push_back(window);
    return TRUE;
}

BOOL CALLBACK collectChild(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

// A window the program may show as its main window: visible, of some size, not a child,
// and not a dialog, menu, tip, list drop-down or input helper. (The main window may be
// owned: a window kept off the taskbar hangs on an invisible owner.)
bool isMainWindowCandidate(HWND window) {
    if (!IsWindowVisible(window) || (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) return false;
    RECT r = {};
    if (!GetWindowRect(window, &r) || r.right - r.left <= 0 || r.bottom - r.top <= 0) return false;
    const std::wstring cls = classOf(window);
    return cls != L"#32770" && cls != L"#32768" && cls != L"tooltips_class32" && cls != L"ComboLBox" && cls != L"IME";
}

LONG areaOf(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return (r.right - r.left) * (r.bottom - r.top);
}

std::wstring quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring q = L"\"";
    for (wchar_t c : arg) {
        if (c == L'"') q += L'\\';
        q += c;
    }
    return q + L"\"";
}

}  // namespace

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
}

std::wstring programPath() { return testsupport::winPath(GLIMMER_EXE); }

std::wstring classOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring textOf(HWND window) {
    if (!window) return L"";
    wchar_t text[1024] = {};
    // Asked with a time-out: a window whose thread hangs must fail the test, not stall it.
    DWORD_PTR unused = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &unused);
    return text;
}

// ---- the process

ViewerProcess::~ViewerProcess() { close(3000); }

bool ViewerProcess::start(const std::vector<std::wstring>& args, const std::wstring& program) {
    close(3000);
    std::wstring line = quoted(program);
    for (const auto& arg : args) line += L" " + quoted(arg);

    job_ = CreateJobObjectW(nullptr, nullptr);
    if (job_) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &si,
                        &pi))
        return false;
    if (job_) AssignProcessToJobObject(job_, pi.hProcess);
    ResumeThread(pi.hThread);
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    processId_ = pi.dwProcessId;
    return true;
}

bool ViewerProcess::running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

DWORD ViewerProcess::waitForExit(DWORD timeoutMs) {
    if (!process_) return 0;
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

bool ViewerProcess::endsWithoutWindow(std::wstring* why, DWORD timeoutMs) {
    HWND shown = nullptr;
    const bool ended = waitUntil(
        [&] {
            for (HWND w : topWindows())
                if (!shown && isMainWindowCandidate(w)) shown = w;
            return !running();
        },
        timeoutMs);
    if (shown) {
        if (why)
            *why = L"Glimmer.exe showed a window of class " + classOf(shown) + L" titled \"" + textOf(shown) + L"\"";
        return false;
    }
    if (!ended) {
        if (why) *why = L"Glimmer.exe did not end within the time-out";
        return false;
    }
    return true;
}

std::vector<HWND> ViewerProcess::topWindows(const wchar_t* className) const {
    std::vector<HWND> found;
    if (!processId_) return found;
    EnumState state{processId_, className, &found};
    EnumWindows(collectTopWindow, reinterpret_cast<LPARAM>(&state));
    return found;
}

HWND ViewerProcess::waitForTopWindow(const wchar_t* className, bool (*accept)(HWND), DWORD timeoutMs) const {
    HWND found = nullptr;
    waitUntil(
        [&] {
            for (HWND w : topWindows(className))
                if (accept(w)) {
                    found = w;
                    return true;
                }
            return !running();
        },
        timeoutMs);
    return found;
}

HWND ViewerProcess::waitForWindow(DWORD timeoutMs) {
    window_ = waitForTopWindow(nullptr, isMainWindowCandidate, timeoutMs);
    // The largest such window, should the program show more than one.
    for (HWND w : topWindows())
        if (isMainWindowCandidate(w) && areaOf(w) > areaOf(window_)) window_ = w;
    return window_;
}

std::wstring ViewerProcess::whyNoWindow() const {
    if (!process_) return L"Glimmer.exe did not start";
    if (running()) return L"Glimmer.exe runs but showed no main window within the time-out";
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return L"Glimmer.exe ended (exit code " + std::to_wstring(code) + L") without showing its window";
}

HWND ViewerProcess::waitForDialog(DWORD timeoutMs) const {
    return waitForTopWindow(
        L"#32770", [](HWND w) { return IsWindowVisible(w) != FALSE; }, timeoutMs);
}

RECT ViewerProcess::windowRect() const {
    RECT r = {};
    GetWindowRect(window_, &r);
    return r;
}

RECT ViewerProcess::clientRect() const {
    RECT r = {};
    GetClientRect(window_, &r);
    return r;
}

SIZE ViewerProcess::windowSize() const {
    const RECT r = windowRect();
    return {r.right - r.left, r.bottom - r.top};
}

std::vector<HWND> ViewerProcess::children() const {
    std::vector<HWND> found;
    if (window_) EnumChildWindows(window_, collectChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<HWND> ViewerProcess::childrenWithText(const std::wstring& text) const {
    std::vector<HWND> found;
    for (HWND child : children())
        if (IsWindowVisible(child) && textOf(child) == text) found.push_back(child);
    return found;
}

// ---- input

void ViewerProcess::key(UINT virtualKey) const {
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    const bool extended = virtualKey >= VK_PRIOR && virtualKey <= VK_DELETE;
    const LPARAM down = 1 | LPARAM(scan) << 16 | (extended ? 1 << 24 : 0);
    PostMessageW(window_, WM_KEYDOWN, virtualKey, down);
    PostMessageW(window_, WM_KEYUP, virtualKey, down | LPARAM(3u) << 30);
}

void ViewerProcess::command(UINT id) const { PostMessageW(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void ViewerProcess::commandToChildren(UINT id) const {
    for (HWND child : children()) PostMessageW(child, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

bool ViewerProcess::dropFiles(const std::vector<std::wstring>& paths, HWND target) const {
    HWND dropBox = target ? target : GetWindow(window_, GW_CHILD);
    if (!dropBox || !process_) return false;
    std::vector<BYTE> block(sizeof(DROPFILES));
    for (const auto& path : paths) {
        const auto* bytes = reinterpret_cast<const BYTE*>(path.c_str());
        block.insert(block.end(), bytes, bytes + (path.size() + 1) * sizeof(wchar_t));
    }
    block.insert(block.end(), sizeof(wchar_t), 0);
    auto* header = reinterpret_cast<DROPFILES*>(block.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;

    // The block lives in the viewer's memory while the viewer reads it; the system's own
    // release of a drop handle does not apply to it, so it is freed here afterwards.
    void* remote = VirtualAllocEx(process_, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote) return false;
    SIZE_T written = 0;
    bool ok = WriteProcessMemory(process_, remote, block.data(), block.size(), &written) && written == block.size();
    if (ok) {
        DWORD_PTR unused = 0;
        ok = SendMessageTimeoutW(dropBox, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0, SMTO_ABORTIFHUNG, kWaitMs,
                                 &unused) != 0;
    }
    VirtualFreeEx(process_, remote, 0, MEM_RELEASE);
    return ok;
}

void ViewerProcess::answer(HWND dialog, int buttonId) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
}

void ViewerProcess::raise() const {
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

ScreenPixels ViewerProcess::clientPixels() const {
    raise();
    // The raise is done once the window's thread has answered a message sent after it.
    DWORD_PTR unused = 0;
    SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &unused);
    RECT r = clientRect();
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return ScreenPixels(r);
}

// ---- the end

bool ViewerProcess::close(DWORD timeoutMs) {
    if (!process_) return true;
    bool clean = true;
    if (running()) {
        // Asked again and again: a window still being made when the first request went
        // out gets its own. Dialogs first (a modal box holds the main window).
        // A process that lingers a few seconds after its last window went is not waited
        // for any longer.
        ULONGLONG windowsGone = 0;
        bool lingering = false;
        clean = waitUntil(
                    [&] {
                        for (HWND dialog : topWindows(L"#32770")) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                        bool anyVisible = false;
                        for (HWND w : topWindows())
                            if (IsWindowVisible(w)) {
                                anyVisible = true;
                                PostMessageW(w, WM_CLOSE, 0, 0);
                            }
                        if (WaitForSingleObject(process_, 250) == WAIT_OBJECT_0) return true;
                        if (anyVisible)
                            windowsGone = 0;
                        else if (!windowsGone)
                            windowsGone = GetTickCount64();
                        lingering = windowsGone && GetTickCount64() - windowsGone > 3000;
                        return lingering;
                    },
                    timeoutMs) &&
                !lingering;
        if (!clean) {
            TerminateProcess(process_, 1);
            WaitForSingleObject(process_, 5000);
        }
    }
    forget();
    return clean;
}

void ViewerProcess::forget() {
    if (process_) CloseHandle(process_);
    if (job_) CloseHandle(job_);
    process_ = nullptr;
    job_ = nullptr;
    processId_ = 0;
    window_ = nullptr;
}

// ---- pixels

ScreenPixels::ScreenPixels(const RECT& r) : width_(r.right - r.left), height_(r.bottom - r.top) {
    if (width_ <= 0 || height_ <= 0) {
        width_ = height_ = 0;
        return;
    }
    pixels_.assign(size_t(width_) * height_, 0);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width_, height_, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        memcpy(pixels_.data(), bits, pixels_.size() * 4);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

COLORREF ScreenPixels::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    const uint32_t p = pixels_[size_t(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

static bool isNear(COLORREF a, COLORREF b, int tolerance) {
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

int ScreenPixels::countNear(COLORREF colour, POINT* centre, int tolerance) const {
    long long sumX = 0, sumY = 0;
    int count = 0;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (isNear(at(x, y), colour, tolerance)) {
                ++count;
                sumX += x;
                sumY += y;
            }
    if (count && centre) *centre = {LONG(sumX / count), LONG(sumY / count)};
    return count;
}

bool ScreenPixels::saveBmp(const std::wstring& path) const {
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width_;
    info.biHeight = -height_;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    const DWORD bytes = DWORD(pixels_.size() * 4);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + bytes;
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof file, &written, nullptr) &&
              WriteFile(out, &info, sizeof info, &written, nullptr) &&
              WriteFile(out, pixels_.data(), bytes, &written, nullptr);
    CloseHandle(out);
    return ok;
}

double ScreenPixels::shareNear(const RECT& part, COLORREF colour, int tolerance) const {
    int total = 0, hits = 0;
    for (int y = part.top; y < part.bottom; ++y)
        for (int x = part.left; x < part.right; ++x) {
            const COLORREF c = at(x, y);
            if (c == CLR_INVALID) continue;
            ++total;
            if (isNear(c, colour, tolerance)) ++hits;
        }
    return total ? double(hits) / total : 0;
}

}  // namespace e2e
