// The common ground of the end-to-end tests: a fixture that starts the program from a
// clean settings key and waits for its window, title, size and settled pixels; the
// program's other windows (its dialogs, its own skinned windows) found and answered; and
// the host's ImageMagick reading the files the program wrote.
//
//   class SaveTest : public e2e::ViewerTest {};
//   TEST_F(SaveTest, Something) {
//       ASSERT_TRUE(open({picture}));
//       ASSERT_TRUE(titleBecomes(L"a.bmp"));
//       EXPECT_EQ(e2e::identify(folder.unixPathOf("a.png")), "PNG 64 48");
//   }
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "e2e/support/SavedSettings.h"
#include "e2e/support/ViewerProcess.h"
#include "viewer/menus/CommandIds.h"

namespace e2e {

// The program's command ids: the right-click menu's and the panel chooser's.
namespace cmd = s::image::gui::dialogs::imageview::command;

class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override { clearSettings(); }
    // Whether the program ends on WM_CLOSE is a test of its own: here it is only ended.
    void TearDown() override { viewer.close(); }

    // Starts the viewer and waits for its window; false (with the test failed) without one.
    bool open(const std::vector<std::wstring>& args = {});
    // Waits until the title is the text.
    bool titleBecomes(const std::wstring& title, DWORD timeoutMs = kWaitMs);
    // Waits until the window's outer size differs from the one given; the new size.
    SIZE sizeAfterChangeFrom(SIZE old);
    // The window's pixels once painting has settled (two grabs a moment apart agree)
    // and the condition holds on them. On a time-out the last grab is kept as a BMP
    // named after the test, for a look at what the window showed instead.
    bool pixelsSettle(ScreenPixels* out, const std::function<bool(const ScreenPixels&)>& condition = nullptr);
    // Whether the window's thread answers a message within the time (it is not busy).
    bool answersWithin(DWORD ms) const;

    ViewerProcess viewer;
};

// ---- the program's other windows

// A visible top-level window of the process, other than the main window, whose title is
// the text (any title: empty); waited for. Null when none comes.
HWND waitForOtherWindow(const ViewerProcess& viewer, const std::wstring& title, DWORD timeoutMs = kWaitMs);
// The visible descendant of the window whose text is the given one, or null.
HWND findChildWithText(HWND window, const std::wstring& text);
// The texts of the window's visible descendants, one a line (a message box's message).
std::wstring allTextOf(HWND window);
// Clicks the visible button of that text inside the window as a user would (BM_CLICK,
// sent with a time-out, so a modal loop it opens does not hold the test). Whether
// there was one.
bool clickButton(HWND window, const std::wstring& text);
// Every visible message box or file dialog ("#32770") of the process.
std::vector<HWND> visibleDialogs(const ViewerProcess& viewer);

// ---- files, read by the host's ImageMagick

// "FORMAT WIDTH HEIGHT" of the file's first frame ("PNG 64 48"), empty when it is no
// picture ImageMagick reads.
std::string identify(const std::string& unixPath);
// The colour of the pixel (x, y) of the file's first frame, CLR_INVALID when unreadable.
COLORREF hostPixel(const std::string& unixPath, int x, int y);
// The colours of several pixels, read at once (each CLR_INVALID when unreadable).
std::vector<COLORREF> hostPixels(const std::string& unixPath, const std::vector<POINT>& points);
// Whether a file exists (a Windows path).
bool fileExists(const std::wstring& path);
// Waits until the file exists and its size has stayed the same for a moment: written.
bool fileWritten(const std::wstring& path, DWORD timeoutMs = kWaitMs);

// The colour the library's monochrome filter in that mode (1 grayscale, 2 sepia,
// 3 desaturate) makes of a flat colour: what the program's filters must show.
COLORREF libraryMonotone(COLORREF colour, int mode);
// A path of plain ASCII characters, for the host's tools.
std::string narrow(const std::wstring& text);

// Whether two colours are within tolerance of each other on every channel.
bool closeTo(COLORREF a, COLORREF b, int tolerance = 8);

}  // namespace e2e
