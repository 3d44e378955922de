// Drives the built Glimmer.exe from a test: starts it with arguments, finds its windows,
// reads their titles, sizes, styles and pixels, posts keys and commands, drops files on
// it across the process boundary, answers its dialogs, and ends it so that no test
// leaves a process behind. Every wait polls with a time-out and never sleeps blindly.
//
//   e2e::ViewerProcess viewer;
//   ASSERT_TRUE(viewer.start({picture}));
//   HWND top = viewer.waitForWindow();
//   ASSERT_NE(top, nullptr) << viewer.whyNoWindow();
//   viewer.key(VK_RIGHT);
//   EXPECT_TRUE(e2e::waitUntil([&] { return viewer.title() == L"b.bmp"; }));
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

// Long enough for a loaded machine, short enough that a missing feature fails quickly.
constexpr DWORD kWaitMs = 15000;

// Polls the condition every few milliseconds until it holds or the time runs out;
// whether it held.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kWaitMs);

// The built program as a Windows path ("Z:\...\Glimmer.exe").
std::wstring programPath();

// The class name and title of a window.
std::wstring classOf(HWND window);
std::wstring textOf(HWND window);

class ScreenPixels;

class ViewerProcess {
public:
    ViewerProcess() = default;
    ~ViewerProcess();
    ViewerProcess(const ViewerProcess&) = delete;
    ViewerProcess& operator=(const ViewerProcess&) = delete;

    // Starts the program (another one when given) with the arguments, each quoted when it
    // holds a space. The process belongs to a job that ends it should the test die first.
    bool start(const std::vector<std::wstring>& args = {}, const std::wstring& program = programPath());

    DWORD processId() const { return processId_; }
    HANDLE process() const { return process_; }
    bool running() const;
    // Waits for the process to end; its exit code, or STILL_ACTIVE on time-out.
    DWORD waitForExit(DWORD timeoutMs = kWaitMs);

    // Waits for the process to end of its own accord without ever showing a main
    // window; false, with the reason in why, when it showed one or did not end in time.
    bool endsWithoutWindow(std::wstring* why, DWORD timeoutMs = kWaitMs);

    // The program's main window: its largest visible top-level window that is not a
    // dialog, a menu or a tip. Null when none appears in time or the process ends first.
    HWND waitForWindow(DWORD timeoutMs = kWaitMs);
    HWND window() const { return window_; }
    // Why waitForWindow found nothing, for a failure message.
    std::wstring whyNoWindow() const;

    // Every top-level window of the process (visible or not) of the class, or of any
    // class when className is null.
    std::vector<HWND> topWindows(const wchar_t* className = nullptr) const;
    // The process's first visible dialog ("#32770"), waited for.
    HWND waitForDialog(DWORD timeoutMs = kWaitMs) const;

    std::wstring title() const { return textOf(window_); }
    RECT windowRect() const;
    RECT clientRect() const;
    SIZE windowSize() const;
    LONG_PTR exStyle() const { return GetWindowLongPtrW(window_, GWL_EXSTYLE); }
    // Every descendant window of the main window, in the order the system lists them.
    std::vector<HWND> children() const;
    // The visible descendants whose text is the given one.
    std::vector<HWND> childrenWithText(const std::wstring& text) const;

    // A key pressed and released on the main window (posted: no focus needed).
    void key(UINT virtualKey) const;
    // A command id posted to the main window, or to every child (the menu bar answers
    // only the ids it holds).
    void command(UINT id) const;
    void commandToChildren(UINT id) const;

    // Drops the files on the window (null: the drop box, the main window's only child): a
    // DROPFILES block written into the program's memory and handed over with WM_DROPFILES.
    bool dropFiles(const std::vector<std::wstring>& paths, HWND target = nullptr) const;

    // Answers a dialog as its button would (IDOK, IDYES, ...).
    static void answer(HWND dialog, int buttonId);

    // The screen's pixels over the main window's client area, once the main window has
    // been raised above every other window.
    ScreenPixels clientPixels() const;

    // Brings the main window above every other window, so that what the screen shows over
    // its rectangle is its own painting.
    void raise() const;

    // Asks the program to close (WM_CLOSE to every top-level window) and waits for it to
    // end; terminates it when it does not. Whether it ended of its own accord.
    bool close(DWORD timeoutMs = kWaitMs);

private:
    // The first top-level window of the class (any class: null) that the test accepts.
    HWND waitForTopWindow(const wchar_t* className, bool (*accept)(HWND), DWORD timeoutMs) const;
    void forget();

    HANDLE job_ = nullptr;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
};

// The screen's pixels over a rectangle, read from the screen device context.
class ScreenPixels {
public:
    explicit ScreenPixels(const RECT& screenRect);
    int width() const { return width_; }
    int height() const { return height_; }
    // The colour at (x, y) of the rectangle, as a COLORREF.
    COLORREF at(int x, int y) const;
    // The share (0..1) of the pixels inside the part (rectangle coordinates) within
    // tolerance of the colour on every channel.
    double shareNear(const RECT& part, COLORREF colour, int tolerance = 8) const;
    // How many pixels of the whole rectangle are within tolerance of the colour, and
    // their centre (unchanged when there are none).
    int countNear(COLORREF colour, POINT* centre = nullptr, int tolerance = 8) const;
    // Writes the pixels as a 32-bit BMP file (to look at after a failure); whether it could.
    bool saveBmp(const std::wstring& path) const;
    // Whether both grabs hold the same pixels.
    bool operator==(const ScreenPixels& other) const {
        return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};

}  // namespace e2e
