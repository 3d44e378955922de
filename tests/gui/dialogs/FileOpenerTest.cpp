// The open / save dialog object run for real and answered through the dialog's window.
#include <gtest/gtest.h>
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

#include <string>
#include <vector>

#include "foundation/str/StrArray.h"
#include "support/DialogDriver.h"
#include "gui/dialogs/FileDialogEx.h"
#include "gui/dialogs/FileOpener.h"
#include "gui/window/Window.h"

using s::gui::dialogs::win::FileOpener;
using testsupport::DialogDriver;
using testsupport::textOf;

namespace {

using testsupport::nameBox;
using testsupport::TempFolder;

bool samePath(const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) == 0; }

TEST(FileOpener, FiltersAndDefaults) {
    FileOpener* opener = FileOpener::create();
    opener->addFilter(L"JPEG", L"*.jpg");
    opener->addFilter(nullptr, L"*.x");
    opener->addFilter(L"PNG", L"*.png");
    EXPECT_EQ(opener->getFilter(), L"JPEG|*.jpg|PNG|*.png|");
    EXPECT_TRUE(opener->isOpenMode());
    EXPECT_EQ(opener->dialogFlags(), (unsigned long)(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING));
    opener->setOpenMode(true, false);
    EXPECT_EQ(opener->dialogFlags() & (OFN_ALLOWMULTISELECT | OFN_NODEREFERENCELINKS),
              (unsigned long)(OFN_ALLOWMULTISELECT | OFN_NODEREFERENCELINKS));
    opener->setSaveMode();
    EXPECT_EQ(opener->dialogFlags() & OFN_ALLOWMULTISELECT, 0ul);  // never several names to save
    opener->release();
    FileOpener* again = FileOpener::create();  // the pool gives back a reset object
    EXPECT_TRUE(again->getFilter().empty());
    EXPECT_TRUE(again->isOpenMode());
    EXPECT_FALSE(again->isMultiSelect());
    EXPECT_TRUE(again->resolvesShortcuts());
    again->release();
}

TEST(FileOpener, MultiSelectionGivesEveryChosenPathInOrder) {
    TempFolder folder(L"opener-multi", {L"a.jpg", L"b.jpg", L"c.jpg"});
    FileOpener* opener = FileOpener::create();
    opener->setOpenMode(true, true);
    opener->setInitialDirectory(folder.path.c_str());
    opener->addFilter(L"JPEG", L"*.jpg");
    DialogDriver driver([](HWND dialog) {
        SendMessageW(nameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\"c.jpg\" \"a.jpg\" \"b.jpg\""));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(opener->show(nullptr));
    s::str::strarray::StrArray* paths = opener->getPaths();
    ASSERT_EQ(paths->count(), 3u);
    std::vector<std::wstring> got;
    for (uint32_t i = 0; i < 3; ++i) got.push_back(paths->at(i)->data());
    // The dialog's own order (Wine and Windows keep the typed order).
    EXPECT_TRUE(samePath(got[0], folder.files[2])) << got[0];
    EXPECT_TRUE(samePath(got[1], folder.files[0])) << got[1];
    EXPECT_TRUE(samePath(got[2], folder.files[1])) << got[2];
    EXPECT_TRUE(samePath(opener->getPath(), got[0]));
    opener->release();
}

TEST(FileOpener, SingleSelectionAndCancel) {
    TempFolder folder(L"opener-single", {L"only.png"});
    FileOpener* opener = FileOpener::create();
    opener->setInitialDirectory(folder.path.c_str());
    opener->addFilter(L"PNG", L"*.png");
    {
        DialogDriver driver([](HWND dialog) {
            SendMessageW(nameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"only.png"));
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
        ASSERT_TRUE(opener->show(nullptr));
    }
    ASSERT_EQ(opener->getPaths()->count(), 1u);
    EXPECT_TRUE(samePath(opener->getPath(), folder.files[0]));
    {
        DialogDriver driver([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
        EXPECT_FALSE(opener->show(nullptr));
    }
    EXPECT_EQ(opener->getPaths()->count(), 0u);  // emptied at the start of each show
    opener->release();
}

// Picks the file type at the 0-based position as the user would, then reads the name.
std::wstring pickType(HWND dialog, int position) {
    HWND types = GetDlgItem(dialog, cmb1);
    SendMessageW(types, CB_SETCURSEL, position, 0);
    for (WORD code : {WORD(CBN_SELCHANGE), WORD(CBN_SELENDOK)})
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(types));
    return textOf(nameBox(dialog));
}

TEST(FileOpener, SavingATypeChangeReplacesTheExtensionOfTheName) {
    TempFolder folder(L"opener-save", {});
    FileOpener* opener = FileOpener::create();
    opener->setSaveMode();
    opener->setInitialDirectory(folder.path.c_str());
    opener->setFileName(L"holiday.photo.jpg");
    opener->addFilter(L"JPEG", L"*.jpg;*.jpeg");
    opener->addFilter(L"PNG", L"*.png");
    opener->addFilter(L"All", L"*.*");
    std::vector<std::wstring> shown;
    DialogDriver driver([&](HWND dialog) {
        shown.push_back(pickType(dialog, 1));
        shown.push_back(pickType(dialog, 2));  // a wildcard keeps the name
        shown.push_back(pickType(dialog, 0));
        shown.push_back(pickType(dialog, 1));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(opener->show(nullptr));
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"holiday.photo.png", L"holiday.photo.png", L"holiday.photo.jpg",
                                                L"holiday.photo.png"}));
    EXPECT_TRUE(samePath(opener->getPath(), folder.path + L"\\holiday.photo.png")) << opener->getPath();
    opener->release();
}

TEST(FileOpener, OpeningATypeChangeLeavesTheNameAlone) {
    TempFolder folder(L"opener-open", {});
    FileOpener* opener = FileOpener::create();
    opener->setInitialDirectory(folder.path.c_str());
    opener->setFileName(L"picture.jpg");
    opener->addFilter(L"JPEG", L"*.jpg");
    opener->addFilter(L"PNG", L"*.png");
    std::wstring shown;
    DialogDriver driver([&](HWND dialog) {
        shown = pickType(dialog, 1);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(opener->show(nullptr));
    EXPECT_EQ(shown, L"picture.jpg");
    opener->release();
}

TEST(FileOpener, TheOwnerIsHeldAndGivenBackItsTopmostState) {
    s::gui::win::Window* owner = s::gui::win::Window::create();
    ASSERT_NE(owner->getHwnd(), nullptr);
    owner->setTopMost(true);
    HWND ownerHwnd = owner->getHwnd();
    auto topMost = [ownerHwnd] { return (GetWindowLongPtrW(ownerHwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    ASSERT_TRUE(topMost());
    FileOpener* opener = FileOpener::create();
    bool enabledMeanwhile = true, topMostMeanwhile = true;
    HWND dialogOwner = nullptr;
    {
        DialogDriver driver([&](HWND dialog) {
            enabledMeanwhile = IsWindowEnabled(ownerHwnd);
            topMostMeanwhile = topMost();
            dialogOwner = GetWindow(dialog, GW_OWNER);
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_FALSE(opener->show(owner));
        EXPECT_TRUE(driver.acted());
    }
    EXPECT_FALSE(enabledMeanwhile);
    EXPECT_FALSE(topMostMeanwhile);
    EXPECT_EQ(dialogOwner, ownerHwnd);
    EXPECT_TRUE(IsWindowEnabled(ownerHwnd));
    EXPECT_TRUE(topMost());
    opener->release();
    owner->release();
}

TEST(FileDialogEx, ExtensionHelpers) {
    using namespace s::gui::dialogs::win;
    struct Case {
        const wchar_t *name, *pattern, *want;
    } cases[] = {
        {L"a.jpg", L"*.png", L"a.png"},
        {L"a", L"*.png", L"a.png"},
        {L"a.b.c", L"*.gif", L"a.b.gif"},
        {L"dir.x\\name", L"*.bmp", L"dir.x\\name.bmp"},
        {L".hidden", L"*.png", L".hidden.png"},
        {L"a.jpg", L"*.*", L"a.jpg"},
        {L"a.jpg", L"*.jp?", L"a.jpg"},
        {L"a.png", L"*.jpg;*.jpeg", L"a.jpg"},
        {L"a.png", L"", L"a.png"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(replaceExtension(c.name, patternExtension(c.pattern)), c.want) << c.name << " " << c.pattern;
    const std::wstring filter = L"JPEG|*.jpg|PNG|*.png||";
    EXPECT_EQ(filterPattern(filter, 1), L"*.jpg");
    EXPECT_EQ(filterPattern(filter, 2), L"*.png");
    EXPECT_EQ(filterPattern(filter, 3), L"");
    EXPECT_EQ(filterPattern(filter, 9), L"");
    EXPECT_EQ(filterPattern(filter, 0), L"");
}

}  // namespace
