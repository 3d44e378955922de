// Save As, copy and delete on a real viewer: the commands posted to its window as the
// right-click menu sends them, the system dialogs answered as a user would, the files
// written checked by ImageMagick on the host, the clipboard read back.
#include <gtest/gtest.h>
#include <windows.h>

#include <dlgs.h>

#include <fstream>
#include <sstream>
#include <string>

#include "DialogTestSupport.h"
#include "gui/menus/PopupMenu.h"
#include "gui/controls/IImage.h"
#include "imaging/exchange/Clipboard.h"
#include "imaging/image/BufferedImage.h"
#include "platform/file/PathWin.h"
#include "support/DialogDriver.h"
#include "support/HostTool.h"
#include "viewer/effects/EffectData.h"
#include "viewer/menus/CommandIds.h"
#include "viewer/menus/RightClickMenu.h"

using dialogtest::Viewer;
using dialogtest::waitFor;
using s::image::gui::dialogs::imageview::PictureSource;
using testsupport::DialogDriver;
namespace cmd = s::image::gui::dialogs::imageview::command;

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The picture's format and size as ImageMagick reads them ("PNG 5x3"), "" when it cannot.
std::string identify(const std::string& dir, const std::string& name) {
    const std::string out = dir + "/identify.txt";
    if (!testsupport::runHost("identify -format '%m %wx%h' '" + dir + "/" + name + "[0]' > '" + out + "' 2>/dev/null"))
        return "";
    return readFile(out);
}

uint32_t pixelOf(s::image::win::BufferedImage* image, int x, int y) {
    return reinterpret_cast<const uint32_t*>(image->getRowAddress(y))[x] & 0xFFFFFF;
}

DWORD threadOf(HWND hwnd) { return GetWindowThreadProcessId(hwnd, nullptr); }

// Returns once the window's thread is back in a message loop (a command in hand has ended
// or shows a dialog).
void sync(HWND hwnd) { SendMessageW(hwnd, WM_NULL, 0, 0); }

// A command that shows a dialog: posted, so the test can answer the dialog.
void post(HWND hwnd, int32_t command) { PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(command, 0), 0); }

// A command that shows none: carried out before this returns; false when it did not end
// in time (a dialog it should not have shown is up).
bool run(HWND hwnd, int32_t command) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(hwnd, WM_COMMAND, MAKEWPARAM(command, 0), 0, SMTO_NORMAL, 5000, &result) != 0;
}

// Types the name into the save dialog, picks the file type at that index and confirms.
void saveAs(HWND dialog, const std::wstring& name, int typeIndex) {
    HWND types = GetDlgItem(dialog, cmb1);
    if (types && typeIndex >= 0) {
        SendMessageW(types, CB_SETCURSEL, WPARAM(typeIndex), 0);
        // A user's pick in the list tells both.
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), LPARAM(types));
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), LPARAM(types));
    }
    SetWindowTextW(testsupport::nameBox(dialog), name.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

class DialogFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = testsupport::makeTempDir("dialogfiles");
        ASSERT_TRUE(testsupport::runHost("cd '" + dir + "' && convert -size 5x3 xc:'#336699' shown.png"));
    }
    std::wstring win(const std::string& name) { return testsupport::winPath(dir + "/" + name); }
    std::string dir;
};

TEST_F(DialogFilesTest, SaveAsWritesEachFormatThroughTheFileDialog) {
    Viewer viewer;
    viewer.build(win("shown.png").c_str());
    ASSERT_TRUE(viewer->shown().isFromFile());
    // The type list offers the shown format first: PNG, JPEG, GIF, BMP, ICO. An icon is
    // written at the smallest icon size that holds the picture.
    struct Case {
        int typeIndex;
        const wchar_t* typed;
        const char* written;
        const char* identified;
    } cases[] = {
        {0, L"as-png", "as-png.png", "PNG 5x3"},        {1, L"as-jpg", "as-jpg.jpg", "JPEG 5x3"},
        {2, L"as-gif", "as-gif.gif", "GIF 5x3"},        {3, L"as-bmp", "as-bmp.bmp", "BMP3 5x3"},
        {4, L"as-ico", "as-ico.ico", "ICO 16x16"},      {0, L"typed.gif", "typed.gif", "GIF 5x3"},
        {1, L"Mr. Smith", "Mr. Smith.jpg", "JPEG 5x3"},
    };
    for (const Case& c : cases) {
        const std::wstring typed = win("") + c.typed;
        std::wstring filters;
        {
            DialogDriver driver(threadOf(viewer.hwnd()), [&](HWND dialog) {
                HWND types = GetDlgItem(dialog, cmb1);
                wchar_t first[128] = {};
                if (types) SendMessageW(types, CB_GETLBTEXT, 0, LPARAM(first));
                filters = first;
                saveAs(dialog, typed, c.typeIndex);
            });
            post(viewer.hwnd(), cmd::kSaveOriginal);
            EXPECT_TRUE(waitFor([&] { return driver.acted(); }, 15000)) << c.typed;
        }
        EXPECT_EQ(filters, L"PNG files (*.png)");
        EXPECT_TRUE(waitFor([&] { return exists(win(c.written)); }, 5000)) << c.written;
        sync(viewer.hwnd());
        EXPECT_EQ(identify(dir, c.written), c.identified) << c.written;
    }
    // The folder is remembered for the next save.
    std::wstring folder = win("");
    folder.pop_back();
    EXPECT_EQ(viewer.reg().textOf(L"MainWindow\\View", L"LastAccessedDirPath"), folder);
}

TEST_F(DialogFilesTest, SaveAtViewSizeWritesTheSizeShown) {
    ASSERT_TRUE(testsupport::runHost("cd '" + dir + "' && convert -size 2000x1500 xc:'#336699' big.png"));
    Viewer viewer;
    viewer.build(win("big.png").c_str());
    ASSERT_TRUE(viewer->shown().isFromFile());
    sync(viewer.hwnd());
    const int32_t shownWidth = viewer->pictureView()->getInnerWidth();
    ASSERT_LT(shownWidth, 2000);
    {
        DialogDriver driver(threadOf(viewer.hwnd()), [&](HWND dialog) { saveAs(dialog, win("view"), 0); });
        post(viewer.hwnd(), cmd::kSaveView);
        EXPECT_TRUE(waitFor([&] { return driver.acted(); }, 15000));
    }
    ASSERT_TRUE(waitFor([&] { return exists(win("view.png")); }, 5000));
    sync(viewer.hwnd());
    const std::string identified = identify(dir, "view.png");
    EXPECT_EQ(identified.rfind("PNG " + std::to_string(shownWidth) + "x", 0), 0u) << identified;
}

TEST_F(DialogFilesTest, APictureChangedUnderTheSaveDialogIsNotSaved) {
    Viewer viewer;
    viewer.build(win("shown.png").c_str());
    s::image::win::BufferedImage* other = s::image::win::BufferedImage::createSized(7, 2, true);
    ASSERT_TRUE(s::image::copyToClipboard(nullptr, other));
    other->release();
    bool errorShown = false;
    {
        DialogDriver driver(threadOf(viewer.hwnd()), [&](HWND dialog) {
            // Another picture comes up while the name is being chosen.
            PostMessageW(viewer.hwnd(), WM_COMMAND, MAKEWPARAM(cmd::kPaste, 0), 0);
            waitFor([&] { return viewer->shown().getSource() == PictureSource::Clipboard; }, 5000);
            saveAs(dialog, win("changed"), 0);
        });
        post(viewer.hwnd(), cmd::kSaveOriginal);
        EXPECT_TRUE(waitFor([&] { return driver.acted(); }, 15000));
    }
    {
        // The refusal is said in a message box.
        DialogDriver driver(threadOf(viewer.hwnd()), [&](HWND box) {
            errorShown = true;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
    }
    sync(viewer.hwnd());
    EXPECT_TRUE(errorShown);
    EXPECT_FALSE(exists(win("changed.png")));
}

TEST_F(DialogFilesTest, CopyPutsTheTransparentPictureOnTheBackgroundColour) {
    // Transparent everywhere but one opaque red pixel at (0, 0).
    ASSERT_TRUE(testsupport::runHost("cd '" + dir + "' && convert -size 4x3 xc:none -fill red -draw 'point 0,0' " +
                                     "PNG32:alpha.png"));
    Viewer viewer;
    viewer.build(win("alpha.png").c_str());
    ASSERT_TRUE(viewer->shown().isFromFile());
    struct Case {
        int32_t bgCommand;
        COLORREF under;
    } cases[] = {{cmd::kBgBlack, RGB(0, 0, 0)},
                 {cmd::kBgTransparentChecker, RGB(255, 255, 255)},
                 {cmd::kBgGray, RGB(204, 204, 204)}};
    for (const Case& c : cases) {
        ASSERT_TRUE(run(viewer.hwnd(), c.bgCommand));
        const DWORD before = GetClipboardSequenceNumber();
        ASSERT_TRUE(run(viewer.hwnd(), cmd::kCopyOriginal));
        EXPECT_NE(GetClipboardSequenceNumber(), before);
        s::image::win::BufferedImage* pasted = s::image::pasteFromClipboard(nullptr);
        ASSERT_NE(pasted, nullptr);
        EXPECT_EQ(pasted->getWidth(), 4);
        EXPECT_EQ(pasted->getHeight(), 3);
        const uint32_t red = pixelOf(pasted, 0, 0), clear = pixelOf(pasted, 2, 1);
        EXPECT_EQ(red, 0xFF0000u) << c.bgCommand;
        EXPECT_EQ(clear, (uint32_t(GetRValue(c.under)) << 16) | (GetGValue(c.under) << 8) | GetBValue(c.under))
            << c.bgCommand;
        pasted->release();
    }
}

TEST_F(DialogFilesTest, DeletingTheOnlyPictureEmptiesTheWindowAndRemovesTheFile) {
    Viewer viewer;
    viewer.build(win("shown.png").c_str());
    ASSERT_TRUE(viewer->shown().isFromFile());
    {
        DialogDriver driver(threadOf(viewer.hwnd()), [](HWND box) { PostMessageW(box, WM_COMMAND, IDYES, 0); });
        post(viewer.hwnd(), cmd::kDeleteFile);
        EXPECT_TRUE(waitFor([&] { return driver.acted(); }, 15000));
    }
    EXPECT_TRUE(waitFor([&] { return !exists(win("shown.png")); }, 5000));
    sync(viewer.hwnd());
    EXPECT_FALSE(viewer->shown().isShown());
    EXPECT_FALSE(viewer->pictureView()->hasImage());
}

TEST_F(DialogFilesTest, AnsweringNoKeepsTheFileAndThePicture) {
    Viewer viewer;
    viewer.build(win("shown.png").c_str());
    {
        DialogDriver driver(threadOf(viewer.hwnd()), [](HWND box) { PostMessageW(box, WM_COMMAND, IDNO, 0); });
        post(viewer.hwnd(), cmd::kDeleteFile);
        EXPECT_TRUE(waitFor([&] { return driver.acted(); }, 15000));
    }
    sync(viewer.hwnd());
    EXPECT_TRUE(exists(win("shown.png")));
    EXPECT_TRUE(viewer->shown().isFromFile());
}

TEST_F(DialogFilesTest, APastedPictureIsNeverDeletedUnderItsMadeUpName) {
    Viewer viewer;
    viewer.build(win("shown.png").c_str());
    s::image::win::BufferedImage* picture = s::image::win::BufferedImage::createSized(6, 4, true);
    ASSERT_TRUE(s::image::copyToClipboard(nullptr, picture));
    picture->release();
    ASSERT_TRUE(run(viewer.hwnd(), cmd::kPaste));
    ASSERT_EQ(viewer->shown().getSource(), PictureSource::Clipboard);
    // A real file of the pasted picture's made-up name.
    const std::wstring madeUp = viewer->shown().getFile()->getFullPath();
    CloseHandle(CreateFileW(madeUp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(exists(madeUp));
    for (int32_t command : {cmd::kDeleteFile, cmd::kLocateFile, cmd::kFileProperty}) {
        // Refused at once: no question is asked, no shell window opened.
        EXPECT_TRUE(run(viewer.hwnd(), command)) << command;
        if (HWND box = DialogDriver::findDialog(threadOf(viewer.hwnd()))) PostMessageW(box, WM_COMMAND, IDNO, 0);
    }
    EXPECT_TRUE(exists(madeUp));
    EXPECT_EQ(viewer->shown().getSource(), PictureSource::Clipboard);
    DeleteFileW(madeUp.c_str());
}

}  // namespace
