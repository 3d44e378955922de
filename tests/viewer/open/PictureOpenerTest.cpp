#include "viewer/open/PictureOpener.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "imaging/exchange/Clipboard.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"
#include "platform/file/PathWin.h"
#include "viewer/ViewerTestSupport.h"
#include "viewer/open/OpenTestSupport.h"
#include "viewer/settings/ViewerSettings.h"

using s::file::win::PathWin;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using namespace s::image::gui::dialogs::imageview;

namespace {

class PictureOpenerTest : public ::testing::Test {
protected:
    viewertest::RegistryStore registry_;
    ViewerSettings settings_{registry_.store(), L"MainWindow"};
    PictureOpener opener_{&settings_};
    ShownPicture shown_;
};

// Everything a failed open must leave as it was.
struct Snapshot {
    explicit Snapshot(const ShownPicture& shown, ViewerSettings& settings)
        : set(shown.getSet()),
          file(shown.getFile() ? shown.getFile()->getFullPath() : L""),
          name(shown.getName()),
          source(shown.getSource()),
          lastFolder(settings.getLastAccessedDirPath()) {}
    void expectSame(const ShownPicture& shown, ViewerSettings& settings, const std::string& what) const {
        EXPECT_EQ(shown.getSet(), set) << what;
        EXPECT_EQ(std::wstring(shown.getFile() ? shown.getFile()->getFullPath() : L""), file) << what;
        EXPECT_EQ(shown.getName(), name) << what;
        EXPECT_EQ(shown.getSource(), source) << what;
        EXPECT_EQ(settings.getLastAccessedDirPath(), lastFolder) << what;
    }
    BufferedImageSet* set;
    std::wstring file, name;
    PictureSource source;
    std::wstring lastFolder;
};

// A hidden window to own the clipboard (a null owner cannot set data).
struct ClipboardOwner {
    HWND hwnd = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ~ClipboardOwner() { DestroyWindow(hwnd); }
    bool empty() {
        if (!OpenClipboard(hwnd)) return false;
        EmptyClipboard();
        CloseClipboard();
        return true;
    }
};

struct CountingHost : ICaptureHost {
    void hideForCapture() override {
        ++hidden;
        visible = false;
    }
    void showAfterCapture() override {
        ++shownAgain;
        visible = true;
    }
    int hidden = 0, shownAgain = 0;
    bool visible = true;
};

}  // namespace

// A picture file opens with its frames, its name and the "from a file" mark, and its
// folder becomes the remembered one.
TEST_F(PictureOpenerTest, OpensAFileAndRemembersItsFolder) {
    opentest::PictureFolder folder("openfile");
    ASSERT_TRUE(folder.addPictures({"one.png", "two.gif"}, 5));
    const std::wstring path = folder.winFile("two.gif");

    ASSERT_TRUE(opener_.openFile(path.c_str(), &shown_));
    ASSERT_NE(shown_.getSet(), nullptr);
    EXPECT_EQ(shown_.getSet()->getWidth(), 6);
    EXPECT_EQ(shown_.getSet()->getHeight(), 3);
    EXPECT_EQ(shown_.getName(), L"two.gif");
    EXPECT_TRUE(shown_.isShown());
    EXPECT_TRUE(shown_.isFromFile());
    ASSERT_NE(shown_.getSourceFile(), nullptr);
    EXPECT_EQ(_wcsicmp(shown_.getSourceFile()->getFullPath(), path.c_str()), 0);
    EXPECT_EQ(_wcsicmp(settings_.getLastAccessedDirPath().c_str(), folder.winDir().c_str()), 0)
        << settings_.getLastAccessedDirPath();
    ASSERT_NE(shown_.getFolder(), nullptr);
    EXPECT_EQ(_wcsicmp(shown_.getFolder()->getFullPath(), folder.winDir().c_str()), 0);

    // The view takes the frames over; the name stays for the title.
    BufferedImageSet* taken = shown_.takeSet();
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(shown_.getSet(), nullptr);
    EXPECT_TRUE(shown_.isShown());
    taken->release();

    // Closing forgets the picture and its name but keeps the folder.
    shown_.close();
    EXPECT_FALSE(shown_.isShown());
    EXPECT_EQ(shown_.getFile(), nullptr);
    EXPECT_TRUE(shown_.getName().empty());
    EXPECT_NE(shown_.getFolder(), nullptr);
}

// A preloaded large JPEG opens first as its reduced copy, no smaller than asked, and the
// next open of the path gives the full picture; a picture with no reduced decode (a PNG)
// opens whole at once. Any other path is read on its own.
TEST_F(PictureOpenerTest, APreloadedPictureGivesItsReducedCopyThenTheFullOne) {
    opentest::PictureFolder folder("openpreload");
    ASSERT_TRUE(testsupport::runHost("convert -size 400x240 xc:'#2080c0' '" + folder.dir() +
                                     "/big.jpg' && convert -size 400x240 xc:'#2080c0' '" + folder.dir() +
                                     "/big.png' && convert -size 8x6 xc:red '" + folder.dir() + "/other.png'"));
    const std::wstring jpg = folder.winFile("big.jpg"), png = folder.winFile("big.png");
    auto openedSize = [&](const std::wstring& path) {
        if (!opener_.openFile(path.c_str(), &shown_) || !shown_.getSet()) return std::make_pair(-1, -1);
        return std::make_pair(shown_.getSet()->getWidth(), shown_.getSet()->getHeight());
    };
    opener_.preloadFile(jpg.c_str(), 100, 60);
    EXPECT_EQ(openedSize(jpg), std::make_pair(100, 60));
    EXPECT_EQ(opener_.previewedPath(), jpg);
    EXPECT_EQ(shown_.getName(), L"big.jpg");
    EXPECT_EQ(openedSize(jpg), std::make_pair(400, 240));
    EXPECT_TRUE(opener_.previewedPath().empty());
    EXPECT_EQ(openedSize(jpg), std::make_pair(400, 240));

    opener_.preloadFile(png.c_str(), 100, 60);
    EXPECT_EQ(openedSize(folder.winFile("other.png")), std::make_pair(8, 6));
    EXPECT_EQ(openedSize(png), std::make_pair(400, 240));
    EXPECT_TRUE(opener_.previewedPath().empty());
}

// Left for another picture before its full copy was taken (a key pressed at once), the
// picture read ahead is given up: opened again after the file changed, the new file shows.
TEST_F(PictureOpenerTest, APreloadLeftForAnotherPictureIsNotShownLater) {
    opentest::PictureFolder folder("openpreloadleft");
    ASSERT_TRUE(testsupport::runHost("convert -size 400x240 xc:'#2080c0' '" + folder.dir() +
                                     "/big.jpg' && convert -size 8x6 xc:red '" + folder.dir() + "/other.png'"));
    const std::wstring jpg = folder.winFile("big.jpg");
    opener_.preloadFile(jpg.c_str(), 100, 60);
    ASSERT_TRUE(opener_.openFile(jpg.c_str(), &shown_));
    ASSERT_TRUE(opener_.openFile(folder.winFile("other.png").c_str(), &shown_));
    EXPECT_TRUE(opener_.previewedPath().empty());
    ASSERT_TRUE(testsupport::runHost("convert -size 200x120 xc:'#c08020' '" + folder.dir() + "/big.jpg'"));
    ASSERT_TRUE(opener_.openFile(jpg.c_str(), &shown_));
    ASSERT_NE(shown_.getSet(), nullptr);
    EXPECT_EQ(shown_.getSet()->getWidth(), 200);
    EXPECT_EQ(shown_.getSet()->getHeight(), 120);
}

// A file that does not open changes nothing: not the picture on view, not its name, not
// the remembered folder (the damaged files sit in another folder to tell).
TEST_F(PictureOpenerTest, AFailedOpenLeavesTheShownPicture) {
    opentest::PictureFolder good("opengood");
    opentest::PictureFolder bad("openbad");
    ASSERT_TRUE(good.addPictures({"shown.png"}, 7));
    ASSERT_TRUE(bad.addDamaged({"text.png", "cut.png"}));
    ASSERT_TRUE(bad.addFolder("folder.png"));
    ASSERT_TRUE(opener_.openFile(good.winFile("shown.png").c_str(), &shown_));
    const Snapshot before(shown_, settings_);

    const std::wstring cases[] = {bad.winFile("text.png"), bad.winFile("cut.png"), bad.winFile("missing.png"),
                                  bad.winFile("folder.png"), L""};
    for (const std::wstring& path : cases) {
        const std::string what(path.begin(), path.end());
        EXPECT_FALSE(opener_.openFile(path.c_str(), &shown_)) << what;
        before.expectSame(shown_, settings_, what);
    }
    EXPECT_FALSE(opener_.openFile(static_cast<PathWin*>(nullptr), &shown_));
    before.expectSame(shown_, settings_, "null path");
    EXPECT_EQ(shown_.getSet()->getWidth(), 7);
}

// The made-up name of a pasted or captured picture: the remembered folder, one
// separator, the caption and ".bmp", whether or not the folder text ends in a separator.
TEST_F(PictureOpenerTest, MadeUpNamesJoinTheFolderWithOneSeparator) {
    struct Row {
        const wchar_t* stored;
        const wchar_t* expected;
    } rows[] = {
        {L"Z:\\pictures\\holiday", L"Z:\\pictures\\holiday\\From Clipboard.bmp"},
        {L"Z:\\pictures\\holiday\\", L"Z:\\pictures\\holiday\\From Clipboard.bmp"},
        {L"Z:\\", L"Z:\\From Clipboard.bmp"},
    };
    for (const Row& row : rows) {
        settings_.setLastAccessedDirPath(row.stored);
        EXPECT_EQ(opener_.madeUpName(opener_.getNames().clipboard), row.expected);
    }
    // Nothing remembered: the desktop.
    PictureOpener unbound(nullptr);
    EXPECT_EQ(unbound.namingFolder(), desktopFolder());
}

// Paste from an empty clipboard fails and leaves the picture on view; a picture on the
// clipboard opens as "From Clipboard.bmp" in the remembered folder, not as a file.
TEST_F(PictureOpenerTest, PasteFromTheClipboard) {
    opentest::PictureFolder folder("openpaste");
    ASSERT_TRUE(folder.addPictures({"shown.png"}, 9));
    ASSERT_TRUE(opener_.openFile(folder.winFile("shown.png").c_str(), &shown_));
    const Snapshot before(shown_, settings_);

    ClipboardOwner owner;
    ASSERT_TRUE(owner.empty());
    EXPECT_FALSE(opener_.openClipboard(owner.hwnd, &shown_));
    before.expectSame(shown_, settings_, "empty clipboard");

    BufferedImage* picture = BufferedImage::createSized(4, 2);
    ASSERT_TRUE(s::image::copyToClipboard(owner.hwnd, picture));
    picture->release();
    ASSERT_TRUE(opener_.openClipboard(owner.hwnd, &shown_));
    ASSERT_NE(shown_.getSet(), nullptr);
    EXPECT_EQ(shown_.getSet()->getWidth(), 4);
    EXPECT_EQ(shown_.getSource(), PictureSource::Clipboard);
    EXPECT_FALSE(shown_.isFromFile());
    EXPECT_EQ(shown_.getSourceFile(), nullptr);
    EXPECT_EQ(shown_.getName(), L"From Clipboard.bmp");
    ASSERT_NE(shown_.getFile(), nullptr);
    EXPECT_EQ(_wcsicmp(shown_.getFile()->getFullPath(), (folder.winDir() + L"\\From Clipboard.bmp").c_str()), 0)
        << shown_.getFile()->getFullPath();
    EXPECT_EQ(_wcsicmp(settings_.getLastAccessedDirPath().c_str(), folder.winDir().c_str()), 0);
    owner.empty();
}

// A capture hides the host for its time and always shows it again; an unknown kind or
// a point over no window captures nothing and changes nothing; the entire screen opens under its caption.
TEST_F(PictureOpenerTest, CaptureShowsTheHostAgainWhateverHappens) {
    opentest::PictureFolder folder("opencapture");
    ASSERT_TRUE(folder.addPictures({"shown.png"}, 11));
    ASSERT_TRUE(opener_.openFile(folder.winFile("shown.png").c_str(), &shown_));
    opener_.setCaptureDelay(0);
    const Snapshot before(shown_, settings_);

    CountingHost host;
    // An unknown kind, and the window kinds at a point off every screen (no window there).
    const struct {
        int32_t kind;
        POINT pick;
    } failing[] = {{7, {10, 10}}, {capture::kWindow, {-30000, -30000}}, {capture::kWindowPart, {-30000, -30000}}};
    int calls = 0;
    for (const auto& row : failing) {
        EXPECT_FALSE(opener_.openCapture(row.kind, row.pick, &host, &shown_)) << row.kind;
        ++calls;
        EXPECT_EQ(host.hidden, calls) << row.kind;
        EXPECT_EQ(host.shownAgain, calls) << row.kind;
        EXPECT_TRUE(host.visible) << row.kind;
        before.expectSame(shown_, settings_, "capture kind " + std::to_string(row.kind));
    }

    ASSERT_TRUE(opener_.openCapture(capture::kEntireScreen, POINT{0, 0}, &host, &shown_));
    EXPECT_EQ(host.hidden, calls + 1);
    EXPECT_EQ(host.shownAgain, calls + 1);
    ASSERT_NE(shown_.getSet(), nullptr);
    EXPECT_EQ(shown_.getSet()->getWidth(), GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(shown_.getSource(), PictureSource::Capture);
    EXPECT_FALSE(shown_.isFromFile());
    EXPECT_EQ(shown_.getName(), L"Entire Screen.bmp");
    EXPECT_EQ(_wcsicmp(shown_.getFile()->getFullPath(), (folder.winDir() + L"\\Entire Screen.bmp").c_str()), 0);
}
