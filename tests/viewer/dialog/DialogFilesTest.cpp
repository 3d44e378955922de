// Save As, copy and delete on a real viewer: the commands posted to its window as the
// right-click menu sends them, the system dialogs answered as a user would, the files
// written checked by ImageMagick on the host, the clipboard read back.
#include <gtest/gtest.h>
#include <windows.h>

#include <dlgs.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "DialogTestSupport.h"
#include "gui/menus/PopupMenu.h"
#include "gui/controls/IImage.h"
#include "gui/window/WindowClass.h"
#include "imaging/exchange/Clipboard.h"
#include "imaging/image/BufferedImage.h"
#include "platform/file/PathWin.h"
#include "support/DialogDriver.h"
#include "support/HostTool.h"
#include "viewer/effects/EffectData.h"
#include "viewer/menus/CommandIds.h"
#include "viewer/menus/RightClickMenu.h"
#include "viewer/panels/IToolPanels.h"
#include "viewer/saveopts/ConfigBox.h"

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

// The number of distinct colours in the picture's first frame, "" when it cannot be read.
std::string colours(const std::string& dir, const std::string& name) {
    const std::string out = dir + "/colours.txt";
    if (!testsupport::runHost("identify -format '%k' '" + dir + "/" + name + "[0]' > '" + out + "' 2>/dev/null"))
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

std::vector<unsigned char> bytesOf(const std::wstring& path) {
    std::vector<unsigned char> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr)) read = 0;
    bytes.resize(read);
    CloseHandle(file);
    return bytes;
}

int little16(const std::vector<unsigned char>& b, size_t at) { return b.size() > at + 1 ? b[at] | b[at + 1] << 8 : -1; }

// A control of the window (at any depth) of that class whose text passes the test.
HWND findChild(HWND window, const wchar_t* cls, const std::function<bool(const std::wstring&)>& test) {
    struct Search {
        const wchar_t* cls;
        const std::function<bool(const std::wstring&)>* test;
        HWND found;
    } search{cls, &test, nullptr};
    EnumChildWindows(
        window,
        [](HWND hwnd, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            wchar_t name[64] = {};
            GetClassNameW(hwnd, name, 64);
            if (lstrcmpiW(name, s->cls) != 0 || !(*s->test)(testsupport::textOf(hwnd))) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND buttonOf(HWND window, const std::wstring& text) {
    return findChild(window, L"Button", [&](const std::wstring& t) { return t == text; });
}

// The save-options window: a visible toolkit window of this process on a thread of its
// own, not the viewer's (the file dialog is a system dialog of the viewer's thread).
HWND findOptionsWindow(HWND viewer) {
    struct Search {
        DWORD viewerThread;
        HWND found;
    } search{threadOf(viewer), nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD process = 0;
            const DWORD thread = GetWindowThreadProcessId(hwnd, &process);
            wchar_t cls[64] = {};
            GetClassNameW(hwnd, cls, 64);
            if (process != GetCurrentProcessId() || thread == s->viewerThread || !IsWindowVisible(hwnd) ||
                lstrcmpW(cls, s::gui::win::kWindowClassName) != 0)
                return TRUE;
            // Not the hidden owner a toolkit window has: the one with the buttons.
            if (!buttonOf(hwnd, L"Cancel")) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Answers the save-options window as a user would: waits until it is up with its buttons
// usable, lets the test change its controls, then clicks "Save" (or "Cancel").
class OptionsDriver {
public:
    explicit OptionsDriver(HWND viewer, std::function<void(HWND window)> change = nullptr, bool take = true)
        : viewer_(viewer), change_(std::move(change)), take_(take) {
        worker_ = std::thread([this] { run(); });
    }
    ~OptionsDriver() { worker_.join(); }
    bool acted() const { return acted_; }
    // Once the window is answered: waits until its thread has ended (the viewer's thread
    // waits for that before it goes on without handling messages); false on a time-out.
    bool waitForItsEnd() const {
        if (!acted_) return false;
        HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, thread_);
        if (!thread) return true;  // gone already
        const bool ended = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0;
        CloseHandle(thread);
        return ended;
    }

private:
    void run() {
        HWND window = nullptr, button = nullptr;
        for (int i = 0; i < 1500 && !button; ++i) {
            window = findOptionsWindow(viewer_);
            HWND b = window ? buttonOf(window, take_ ? L"Save" : L"Cancel") : nullptr;
            if (b && IsWindowVisible(b) && IsWindowEnabled(b) && IsWindowEnabled(window))
                button = b;
            else
                Sleep(10);
        }
        if (!button) return;
        SendMessageW(window, WM_NULL, 0, 0);  // its start-up messages are handled
        if (change_) change_(window);
        SendMessageW(button, BM_CLICK, 0, 0);
        thread_ = GetWindowThreadProcessId(window, nullptr);
        acted_ = true;
    }

    HWND viewer_;
    std::function<void(HWND)> change_;
    bool take_;
    DWORD thread_ = 0;
    std::atomic<bool> acted_{false};
    std::thread worker_;
};

// Saves the shown picture through the file dialog (the name typed, the type at that index)
// and answers the options window; true when both were answered.
bool saveThroughDialogs(HWND viewer, int32_t command, const std::wstring& typed, int typeIndex,
                        std::function<void(HWND window)> change = nullptr, bool take = true) {
    OptionsDriver options(viewer, std::move(change), take);
    DialogDriver driver(threadOf(viewer), [&](HWND dialog) { saveAs(dialog, typed, typeIndex); });
    post(viewer, command);
    const bool answered =
        waitFor([&] { return driver.acted(); }, 15000) && waitFor([&] { return options.acted(); }, 15000);
    // The viewer's thread handles sent messages while the options window is up and while
    // it takes it down: the command has ended once that window's thread has ended and the
    // viewer answers again.
    const bool ended = answered && options.waitForItsEnd();
    sync(viewer);
    return ended;
}

void click(HWND window, const wchar_t* text) {
    HWND button = buttonOf(window, text);
    EXPECT_NE(button, nullptr) << testing::PrintToString(std::wstring(text));
    if (button) SendMessageW(button, BM_CLICK, 0, 0);
}

class DialogFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        s::image::gui::boxes::installConfigBoxes();  // as the program does at its start
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
            // The chosen format's options are asked after the name and taken as shown.
            OptionsDriver options(viewer.hwnd());
            DialogDriver driver(threadOf(viewer.hwnd()), [&](HWND dialog) {
                HWND types = GetDlgItem(dialog, cmb1);
                wchar_t first[128] = {};
                if (types) SendMessageW(types, CB_GETLBTEXT, 0, LPARAM(first));
                filters = first;
                saveAs(dialog, typed, c.typeIndex);
            });
            post(viewer.hwnd(), cmd::kSaveOriginal);
            EXPECT_TRUE(waitFor([&] { return driver.acted(); }, 15000)) << c.typed;
            EXPECT_TRUE(waitFor([&] { return options.acted(); }, 15000)) << c.typed;
            EXPECT_TRUE(options.waitForItsEnd()) << c.typed;
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
    EXPECT_TRUE(saveThroughDialogs(viewer.hwnd(), cmd::kSaveView, win("view"), 0));
    ASSERT_TRUE(waitFor([&] { return exists(win("view.png")); }, 5000));
    sync(viewer.hwnd());
    const std::string identified = identify(dir, "view.png");
    EXPECT_EQ(identified.rfind("PNG " + std::to_string(shownWidth) + "x", 0), 0u) << identified;
}

TEST_F(DialogFilesTest, TheOptionsChosenShapeTheWrittenFile) {
    ASSERT_TRUE(testsupport::runHost("cd '" + dir + "' && convert -size 64x48 xc: +noise Random noise.png"));
    Viewer viewer;
    viewer.build(win("noise.png").c_str());
    ASSERT_TRUE(viewer->shown().isFromFile());
    // The type list: PNG, JPEG, GIF, BMP, ICO. Each format is saved as its options come up
    // and again with them changed; the two files tell the options apart.
    auto typeQuality = [](const wchar_t* quality) {
        return [quality](HWND window) {
            // The quality field is the one showing a number of at most three digits.
            HWND field = findChild(window, L"Edit", [](const std::wstring& t) {
                return !t.empty() && t.size() <= 3 && t.find_first_not_of(L"0123456789") == std::wstring::npos;
            });
            ASSERT_NE(field, nullptr);
            SetWindowTextW(field, quality);
        };
    };
    struct Case {
        const char* name;
        int typeIndex;
        std::function<void(HWND)> plain, changed;
        std::function<void(const std::vector<unsigned char>& plain, const std::vector<unsigned char>& changed)> check;
    } cases[] = {
        {"jpg", 1, typeQuality(L"95"), typeQuality(L"20"),
         [](const auto& plain, const auto& changed) {
             ASSERT_FALSE(changed.empty());
             EXPECT_LT(changed.size() * 2, plain.size()) << "quality 20 against 95";
         }},
        {"png", 0, nullptr, [](HWND w) { click(w, L"Enable Interlacing"); },
         [](const auto& plain, const auto& changed) {
             // The header's interlace method.
             ASSERT_GT(plain.size(), 28u);
             ASSERT_GT(changed.size(), 28u);
             EXPECT_EQ(plain[28], 1);
             EXPECT_EQ(changed[28], 0);
         }},
        {"gif", 2, nullptr, [](HWND w) { click(w, L"4 Bpp (16 Colors)"); },
         [&](const auto&, const auto&) {
             // The number of colours the picture uses.
             const std::string plain = colours(dir, "plain.gif"), changed = colours(dir, "changed.gif");
             ASSERT_FALSE(plain.empty());
             ASSERT_FALSE(changed.empty());
             EXPECT_GT(std::stoi(plain), 16);
             EXPECT_LE(std::stoi(changed), 16);
         }},
        {"bmp", 3, nullptr, [](HWND w) { click(w, L"32 Bpp (16,777,216 Colors with Transparency)"); },
         [](const auto& plain, const auto& changed) {
             EXPECT_EQ(little16(plain, 28), 24);
             EXPECT_EQ(little16(changed, 28), 32);
         }},
        {"ico", 4, nullptr,
         [](HWND w) {
             click(w, L"4 Bpp (16 Colors with Mask Bits)");
             click(w, L"8 Bpp (256 Colors with Mask Bits)");
         },
         [](const auto& plain, const auto& changed) {
             // Every size at 4, 8 and 32 bits, then at 32 bits only.
             const int plainCount = little16(plain, 4), count = little16(changed, 4);
             ASSERT_GT(count, 0);
             EXPECT_EQ(plainCount, 3 * count);
             for (int i = 0; i < count; ++i) EXPECT_EQ(little16(changed, 6 + 16 * size_t(i) + 6), 32) << i;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string plainName = std::string("plain.") + c.name, changedName = std::string("changed.") + c.name;
        ASSERT_TRUE(saveThroughDialogs(viewer.hwnd(), cmd::kSaveOriginal, win("plain"), c.typeIndex, c.plain));
        ASSERT_TRUE(saveThroughDialogs(viewer.hwnd(), cmd::kSaveOriginal, win("changed"), c.typeIndex, c.changed));
        c.check(bytesOf(win(plainName)), bytesOf(win(changedName)));
    }
}

TEST_F(DialogFilesTest, CancelInTheOptionsWindowWritesNothing) {
    Viewer viewer;
    viewer.build(win("shown.png").c_str());
    ASSERT_TRUE(viewer->shown().isFromFile());
    auto qualityField = [](HWND window) {
        return findChild(window, L"Edit", [](const std::wstring& t) {
            return !t.empty() && t.size() <= 3 && t.find_first_not_of(L"0123456789") == std::wstring::npos;
        });
    };
    std::wstring shownFirst;
    EXPECT_TRUE(saveThroughDialogs(
        viewer.hwnd(), cmd::kSaveOriginal, win("cancelled"), 1,
        [&](HWND window) {
            HWND field = qualityField(window);
            ASSERT_NE(field, nullptr);
            shownFirst = testsupport::textOf(field);
            SetWindowTextW(field, L"20");
        },
        false));
    EXPECT_EQ(shownFirst, L"75");
    EXPECT_FALSE(exists(win("cancelled.jpg")));
    // The viewer takes input again; the options typed were not kept.
    EXPECT_TRUE(IsWindowEnabled(viewer.hwnd()));
    EXPECT_FALSE(findOptionsWindow(viewer.hwnd()));
    std::wstring shownAgain;
    EXPECT_TRUE(saveThroughDialogs(viewer.hwnd(), cmd::kSaveOriginal, win("taken"), 1, [&](HWND window) {
        HWND field = qualityField(window);
        if (field) shownAgain = testsupport::textOf(field);
    }));
    EXPECT_EQ(shownAgain, L"75");
    EXPECT_TRUE(exists(win("taken.jpg")));
}

TEST_F(DialogFilesTest, ASlideShowHoldsWhileTheSaveDialogsAreUp) {
    ASSERT_TRUE(testsupport::runHost("cd '" + dir + "' && convert -size 5x3 xc:red s1.png && " +
                                     "convert -size 5x3 xc:lime s2.png && convert -size 5x3 xc:blue s3.png"));
    Viewer viewer;
    viewer.build(win("s1.png").c_str());
    auto shownName = [&] {
        s::file::win::PathWin* file = viewer->shown().getFile();
        const std::wstring path = file ? file->getFullPath() : L"";
        return path.substr(path.find_last_of(L'\\') + 1);
    };
    viewer->toolPanels()->setSlideShowIntervalText(L"50");
    ASSERT_TRUE(run(viewer.hwnd(), cmd::kSlideShow));
    ASSERT_TRUE(waitFor([&] { return shownName() != L"s1.png"; }, 5000));
    std::wstring asked;
    bool moved = true;
    EXPECT_TRUE(saveThroughDialogs(viewer.hwnd(), cmd::kSaveOriginal, win("held"), 0, [&](HWND) {
        // Up to the options window and while it is up, the show stands still.
        asked = shownName();
        moved = waitFor([&] { return shownName() != asked; }, 500);
    }));
    EXPECT_FALSE(moved);
    // The picture saved is the one on view when Save As was chosen; the show goes on.
    const std::map<std::wstring, std::string> colours = {
        {L"s1.png", "255,0,0"}, {L"s2.png", "0,255,0"}, {L"s3.png", "0,0,255"}};
    ASSERT_EQ(colours.count(asked), 1u);
    const std::string out = dir + "/held.txt";
    ASSERT_TRUE(testsupport::runHost(
        "convert '" + dir + "/held.png' -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info: > '" + out +
        "'"));
    EXPECT_EQ(readFile(out), colours.at(asked));
    EXPECT_TRUE(waitFor([&] { return shownName() != asked; }, 5000));
    ASSERT_TRUE(run(viewer.hwnd(), cmd::kSlideShow));
    EXPECT_TRUE(waitFor([&] { return !viewer->isSlideShowRunning(); }, 5000));
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
