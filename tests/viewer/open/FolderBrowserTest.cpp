#include "viewer/open/FolderBrowser.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "imaging/image/BufferedImageSet.h"
#include "platform/file/PathArray.h"
#include "platform/file/PathWin.h"
#include "viewer/ViewerTestSupport.h"
#include "viewer/open/OpenTestSupport.h"
#include "viewer/open/PictureOpener.h"
#include "viewer/settings/ViewerSettings.h"

using s::file::win::PathArray;
using s::file::win::PathWin;
using namespace s::image::gui::dialogs::imageview;

namespace {

// A viewer in miniature: the shown picture, opened by the real opener, and the names of
// every file the browser tried, in order.
class FolderBrowserTest : public ::testing::Test {
protected:
    void open(const opentest::PictureFolder& folder, const std::string& name) {
        ASSERT_TRUE(opener_.openFile(folder.winFile(name).c_str(), &shown_)) << name;
        tried_.clear();
    }
    std::string shownName() const { return std::string(shown_.getName().begin(), shown_.getName().end()); }
    // The shown picture's width (each test picture has a width of its own).
    int shownWidth() const { return shown_.getSet() ? shown_.getSet()->getWidth() : -1; }
    std::vector<std::string> takeTried() {
        std::vector<std::string> t;
        t.swap(tried_);
        return t;
    }

    viewertest::RegistryStore registry_;
    ViewerSettings settings_{registry_.store(), L"MainWindow"};
    PictureOpener opener_{&settings_};
    ShownPicture shown_;
    std::vector<std::string> tried_;
    FolderBrowser browser_{[this](PathWin* file) {
        std::wstring name = file->getFileNameText();
        tried_.emplace_back(name.begin(), name.end());
        return opener_.openFile(file, &shown_);
    }};
};

}  // namespace

// The folder's pictures: files with a browsable extension in any case, in name order
// ignoring case; other files, folders and look-alike names are left out.
TEST_F(FolderBrowserTest, ListsThePicturesInNameOrder) {
    opentest::PictureFolder folder("browselist");
    ASSERT_TRUE(folder.addPictures({"b.PNG", "A.jpg", "d.jpeg", "C.Gif", "e.ico", "f.bmp"}));
    ASSERT_TRUE(folder.addDamaged({"notes.txt", "g.png.txt"}));
    ASSERT_TRUE(folder.addFolder("sub.png"));

    PathWin* dir = PathWin::fromString(folder.winDir().c_str());
    PathArray* list = FolderBrowser::listPictures(dir);
    std::vector<std::wstring> names;
    for (int32_t i = 0; i < list->getCount(); ++i) names.push_back(list->get(i)->getFileNameText());
    list->release();
    dir->release();
    EXPECT_EQ(names, (std::vector<std::wstring>{L"A.jpg", L"b.PNG", L"C.Gif", L"d.jpeg", L"e.ico", L"f.bmp"}));
}

// Next, previous, first and last over three pictures, with and without wrapping.
TEST_F(FolderBrowserTest, StepsThroughTheFolderAndWraps) {
    opentest::PictureFolder folder("browsewrap");
    ASSERT_TRUE(folder.addPictures({"a.png", "b.gif", "c.bmp"}));
    struct Step {
        const char* from;
        const char* action;
        BrowseResult result;
        const char* shownAfter;
    } steps[] = {
        {"a.png", "next", BrowseResult::Opened, "b.gif"},
        {"b.gif", "next", BrowseResult::Opened, "c.bmp"},
        {"c.bmp", "next-nowrap", BrowseResult::NoCandidate, "c.bmp"},
        {"c.bmp", "next", BrowseResult::Opened, "a.png"},
        {"a.png", "previous", BrowseResult::Opened, "c.bmp"},
        {"c.bmp", "previous", BrowseResult::Opened, "b.gif"},
        {"b.gif", "first", BrowseResult::Opened, "a.png"},
        {"a.png", "first", BrowseResult::BackAtShown, "a.png"},
        {"b.gif", "last", BrowseResult::Opened, "c.bmp"},
        {"c.bmp", "last", BrowseResult::BackAtShown, "c.bmp"},
    };
    for (const Step& step : steps) {
        open(folder, step.from);
        const std::string action = step.action;
        PathWin* file = shown_.getFile();
        BrowseResult r = action == "next"          ? browser_.next(file, true)
                         : action == "next-nowrap" ? browser_.next(file, false)
                         : action == "previous"    ? browser_.previous(file)
                         : action == "first"       ? browser_.first(file)
                                                   : browser_.last(file);
        EXPECT_EQ(r, step.result) << step.from << " " << action;
        EXPECT_EQ(shownName(), step.shownAfter) << step.from << " " << action;
    }
}

// A lone picture has nowhere to go; with nothing shown there is no folder at all.
TEST_F(FolderBrowserTest, ALonePictureStaysAndNoFileDoesNothing) {
    opentest::PictureFolder folder("browselone");
    ASSERT_TRUE(folder.addPictures({"only.png"}));
    ASSERT_TRUE(folder.addDamaged({"readme.txt"}));
    open(folder, "only.png");
    EXPECT_EQ(browser_.next(shown_.getFile(), true), BrowseResult::NoCandidate);
    EXPECT_EQ(browser_.previous(shown_.getFile()), BrowseResult::NoCandidate);
    EXPECT_TRUE(takeTried().empty());
    EXPECT_EQ(shownName(), "only.png");
    EXPECT_EQ(browser_.next(nullptr, true), BrowseResult::NoFile);
    EXPECT_FALSE(FolderBrowser::slideShowGoesOn(BrowseResult::NoCandidate));
}

// A damaged file is passed over in both directions; the picture on view stays until a
// good one opens.
TEST_F(FolderBrowserTest, SkipsADamagedFile) {
    opentest::PictureFolder folder("browseskip");
    ASSERT_TRUE(folder.addPictures({"a.png", "d.png"}, 10));
    ASSERT_TRUE(folder.addDamaged({"b.png", "c.jpg"}));
    open(folder, "a.png");
    EXPECT_EQ(browser_.next(shown_.getFile(), false), BrowseResult::Opened);
    EXPECT_EQ(takeTried(), (std::vector<std::string>{"b.png", "c.jpg", "d.png"}));
    EXPECT_EQ(shownName(), "d.png");
    EXPECT_EQ(shownWidth(), 11);

    EXPECT_EQ(browser_.previous(shown_.getFile()), BrowseResult::Opened);
    EXPECT_EQ(takeTried(), (std::vector<std::string>{"c.jpg", "b.png", "a.png"}));
    EXPECT_EQ(shownWidth(), 10);

    // From the first picture, first walks on past the damaged files to the good one.
    open(folder, "d.png");
    EXPECT_EQ(browser_.first(shown_.getFile()), BrowseResult::Opened);
    EXPECT_EQ(shownName(), "a.png");

    // Without wrapping, damaged files at the end leave nothing to open.
    ASSERT_TRUE(folder.addDamaged({"e.gif"}));
    open(folder, "d.png");
    EXPECT_EQ(browser_.next(shown_.getFile(), false), BrowseResult::NoCandidate);
    EXPECT_EQ(takeTried(), (std::vector<std::string>{"e.gif"}));
    EXPECT_EQ(shownName(), "d.png");
}

// When every other file is damaged, the wrapping walk comes round to the shown picture
// and stops there.
TEST_F(FolderBrowserTest, StopsWhenTheWalkComesRoundToTheShownPicture) {
    opentest::PictureFolder folder("browseround");
    ASSERT_TRUE(folder.addPictures({"b.png"}));
    ASSERT_TRUE(folder.addDamaged({"a.png", "c.png"}));
    open(folder, "b.png");
    EXPECT_EQ(browser_.next(shown_.getFile(), true), BrowseResult::BackAtShown);
    EXPECT_EQ(takeTried(), (std::vector<std::string>{"c.png", "a.png"}));
    EXPECT_EQ(shownName(), "b.png");
    EXPECT_NE(shown_.getSet(), nullptr);
}

// Twelve damaged files in a row end the walk with the old picture on view; the next
// step from it goes on after them instead of trying the same twelve again.
TEST_F(FolderBrowserTest, GivesUpAfterTwelveDamagedFilesThenGoesOnPastThem) {
    opentest::PictureFolder folder("browsetwelve");
    std::vector<std::string> damaged;
    for (int i = 1; i <= 13; ++i) damaged.push_back((i < 10 ? "m0" : "m") + std::to_string(i) + ".png");
    ASSERT_TRUE(folder.addPictures({"a.png", "z.png"}, 20));
    ASSERT_TRUE(folder.addDamaged(damaged));
    open(folder, "a.png");

    const BrowseResult r = browser_.next(shown_.getFile(), true);
    EXPECT_EQ(r, BrowseResult::GaveUp);
    EXPECT_TRUE(FolderBrowser::slideShowGoesOn(r));
    EXPECT_EQ(takeTried(), std::vector<std::string>(damaged.begin(), damaged.begin() + FolderBrowser::kMaxTries));
    EXPECT_EQ(shownName(), "a.png");
    EXPECT_EQ(shownWidth(), 20);

    EXPECT_EQ(browser_.next(shown_.getFile(), true), BrowseResult::Opened);
    EXPECT_EQ(takeTried(), (std::vector<std::string>{"m13.png", "z.png"}));
    EXPECT_EQ(shownName(), "z.png");

    // Going the other way from z: the same run, backwards, then a.png on the next step.
    EXPECT_EQ(browser_.previous(shown_.getFile()), BrowseResult::GaveUp);
    EXPECT_EQ(takeTried().front(), "m13.png");
    EXPECT_EQ(browser_.previous(shown_.getFile()), BrowseResult::Opened);
    EXPECT_EQ(takeTried(), (std::vector<std::string>{"m01.png", "a.png"}));

    // A step in the other direction starts from the shown picture again.
    EXPECT_EQ(browser_.next(shown_.getFile(), true), BrowseResult::GaveUp);
    takeTried();
    EXPECT_EQ(browser_.previous(shown_.getFile()), BrowseResult::Opened);
    EXPECT_EQ(takeTried(), (std::vector<std::string>{"z.png"}));
}

// A shown file that has gone from the folder is stepped from where its name would sort:
// next gives the picture after it, previous the one before, not the list's second or last.
TEST_F(FolderBrowserTest, StepsFromTheSortPlaceOfAFileThatHasGone) {
    opentest::PictureFolder folder("browsegone");
    ASSERT_TRUE(folder.addPictures({"a.png", "b.png", "c.png", "d.png", "e.png"}));
    struct Row {
        bool forward;
        const char* shownAfter;
    } rows[] = {{true, "d.png"}, {false, "b.png"}};
    for (const Row& row : rows) {
        open(folder, "c.png");
        ASSERT_TRUE(DeleteFileW(folder.winFile("c.png").c_str()));
        EXPECT_EQ(row.forward ? browser_.next(shown_.getFile(), false) : browser_.previous(shown_.getFile()),
                  BrowseResult::Opened);
        EXPECT_EQ(shownName(), row.shownAfter);
        ASSERT_TRUE(folder.addPictures({"c.png"}));
    }
    // Past the end of the list: no wrap, nothing; with wrap, the first picture.
    open(folder, "e.png");
    ASSERT_TRUE(DeleteFileW(folder.winFile("e.png").c_str()));
    EXPECT_EQ(browser_.next(shown_.getFile(), false), BrowseResult::NoCandidate);
    EXPECT_EQ(browser_.next(shown_.getFile(), true), BrowseResult::Opened);
    EXPECT_EQ(shownName(), "a.png");
}
