// The "Associated Extensions" commands: the parameter texts of the program's elevated
// run, which runs happen at all, and the marks taken from the registry afterwards.
#include "viewer/menus/AssociationCommands.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "gui/menus/MenuItem.h"
#include "gui/menus/PopupMenu.h"
#include "platform/system/OsVersion.h"
#include "viewer/menus/CommandIds.h"

using namespace s::image::gui::dialogs::imageview;
namespace cmd = s::image::gui::dialogs::imageview::command;

namespace {

TEST(AssociationCommandsTest, ItemParametersNameTheItemsExtensions) {
    struct Case {
        int32_t command;
        bool checked;
        const wchar_t* expected;
    } cases[] = {
        {cmd::kAssociateJpeg, false, L"-associate .jpg .jpeg"}, {cmd::kAssociateJpeg, true, L"-deassociate .jpg .jpeg"},
        {cmd::kAssociateGif, true, L"-deassociate .gif"},       {cmd::kAssociatePng, false, L"-associate .png"},
        {cmd::kAssociateBmp, false, L"-associate .bmp"},        {cmd::kAssociateIcon, true, L"-deassociate .ico"},
    };
    for (const Case& c : cases) EXPECT_EQ(associationParameters(c.command, c.checked), c.expected) << c.command;
    EXPECT_TRUE(associationExtensions(cmd::kAssociateAll).empty());
}

TEST(AssociationCommandsTest, AllParametersTakeOnlyTheItemsThatChange) {
    const bool none[5] = {false, false, false, false, false};
    const bool all[5] = {true, true, true, true, true};
    const bool pngOnly[5] = {false, false, true, false, false};
    const bool mixed[5] = {true, false, true, false, true};
    EXPECT_EQ(allAssociationParameters(true, none), L"-associate .jpg .jpeg .gif .png .bmp .ico");
    EXPECT_EQ(allAssociationParameters(true, all), L"-associate");
    EXPECT_EQ(allAssociationParameters(false, none), L"-deassociate");
    EXPECT_EQ(allAssociationParameters(false, pngOnly), L"-deassociate .png");
    EXPECT_EQ(allAssociationParameters(true, mixed), L"-associate .gif .bmp");
    EXPECT_EQ(allAssociationParameters(false, mixed), L"-deassociate .jpg .jpeg .png .ico");
    EXPECT_FALSE(namesExtensions(L"-associate"));
    EXPECT_FALSE(namesExtensions(L"-deassociate"));
    EXPECT_TRUE(namesExtensions(L"-deassociate .png"));
}

// The elevated runs made, and a registry the fake run changes: an extension is
// associated after "-associate" named it and no longer after "-deassociate".
struct FakeShell {
    static inline std::vector<std::wstring> runs;
    static inline std::set<std::wstring> associated;
    static inline bool refuse = false;
    static void run(const wchar_t* program, const wchar_t* parameters) {
        EXPECT_STREQ(program, L"Z:\\apps\\Glimmer.exe");
        runs.push_back(parameters);
        if (refuse) return;
        std::wstring text = parameters;
        const bool add = text.rfind(L"-associate", 0) == 0;
        size_t at = text.find(L' ');
        while (at != std::wstring::npos) {
            const size_t next = text.find(L' ', at + 1);
            const std::wstring ext = text.substr(at + 1, next == std::wstring::npos ? next : next - at - 1);
            if (add)
                associated.insert(ext);
            else
                associated.erase(ext);
            at = next;
        }
    }
    static bool probe(const wchar_t* extension, const wchar_t*) { return associated.count(extension) != 0; }
};

class AssociationRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        s::system::probeOsVersion();
        if (!s::system::osVersion().isVistaOrLater) GTEST_SKIP() << "the elevated run needs Windows 6.0 or later";
        FakeShell::runs.clear();
        FakeShell::associated.clear();
        FakeShell::refuse = false;
        setElevatedRunOverride(&FakeShell::run);
        setAssociatedProbeOverride(&FakeShell::probe);
        menu = s::gui::win::PopupMenu::create();
        sub = s::gui::win::PopupMenu::create();
        for (int32_t c = cmd::kAssociateJpeg; c <= cmd::kAssociateIcon; ++c)
            sub->addItem(s::gui::menuitem::MenuItem::createWithText(L"x", c, false));
        sub->addItem(s::gui::menuitem::MenuItem::createWithText(L"all", cmd::kAssociateAll, false));
        sub->addItem(s::gui::menuitem::MenuItem::createWithText(L"none", cmd::kAssociateNone, false));
        menu->addSubMenu(sub);
    }
    void TearDown() override {
        setElevatedRunOverride(nullptr);
        setAssociatedProbeOverride(nullptr);
        if (menu) menu->release();
    }
    // Marks the items as the registry says and the menu shows them.
    void seed(std::initializer_list<const wchar_t*> extensions) {
        for (const wchar_t* e : extensions) FakeShell::associated.insert(e);
        for (int32_t c = cmd::kAssociateJpeg; c <= cmd::kAssociateIcon; ++c)
            menu->setChecked(c, FakeShell::associated.count(associationExtensions(c).front()) != 0);
    }
    bool marked(int32_t c) { return menu->isChecked(c); }
    bool run(int32_t c) { return runAssociationCommand(c, menu, L"Z:\\apps\\Glimmer.exe"); }

    s::gui::win::PopupMenu* menu = nullptr;
    s::gui::win::PopupMenu* sub = nullptr;
};

TEST_F(AssociationRunTest, JpegItemChangesBothExtensionsInOneRunAndIsMarkedFromTheRegistry) {
    ASSERT_TRUE(run(cmd::kAssociateJpeg));
    ASSERT_EQ(FakeShell::runs.size(), 1u);
    EXPECT_EQ(FakeShell::runs[0], L"-associate .jpg .jpeg");
    EXPECT_TRUE(marked(cmd::kAssociateJpeg));
    EXPECT_EQ(FakeShell::associated, (std::set<std::wstring>{L".jpg", L".jpeg"}));
    ASSERT_TRUE(run(cmd::kAssociateJpeg));
    EXPECT_EQ(FakeShell::runs.back(), L"-deassociate .jpg .jpeg");
    EXPECT_FALSE(marked(cmd::kAssociateJpeg));
}

TEST_F(AssociationRunTest, RefusedElevationLeavesTheMarkAsTheRegistryShowsIt) {
    seed({L".gif"});
    FakeShell::refuse = true;
    run(cmd::kAssociateGif);
    EXPECT_EQ(FakeShell::runs.back(), L"-deassociate .gif");
    EXPECT_TRUE(marked(cmd::kAssociateGif));
    run(cmd::kAssociatePng);
    EXPECT_FALSE(marked(cmd::kAssociatePng));
}

TEST_F(AssociationRunTest, SelectAllWithEveryItemCheckedRunsNothing) {
    seed({L".jpg", L".jpeg", L".gif", L".png", L".bmp", L".ico"});
    EXPECT_TRUE(run(cmd::kAssociateAll));
    EXPECT_TRUE(FakeShell::runs.empty());
    for (int32_t c = cmd::kAssociateJpeg; c <= cmd::kAssociateIcon; ++c) EXPECT_TRUE(marked(c));
}

TEST_F(AssociationRunTest, DeselectAllWithOnlyPngRunsOnceForPng) {
    seed({L".png"});
    run(cmd::kAssociateNone);
    ASSERT_EQ(FakeShell::runs.size(), 1u);
    EXPECT_EQ(FakeShell::runs[0], L"-deassociate .png");
    for (int32_t c = cmd::kAssociateJpeg; c <= cmd::kAssociateIcon; ++c) EXPECT_FALSE(marked(c)) << c;
}

TEST_F(AssociationRunTest, SelectAllAddsTheMissingOnesAndRemarksEveryItem) {
    seed({L".gif", L".bmp"});
    run(cmd::kAssociateAll);
    ASSERT_EQ(FakeShell::runs.size(), 1u);
    EXPECT_EQ(FakeShell::runs[0], L"-associate .jpg .jpeg .png .ico");
    for (int32_t c = cmd::kAssociateJpeg; c <= cmd::kAssociateIcon; ++c) EXPECT_TRUE(marked(c)) << c;
}

TEST_F(AssociationRunTest, OtherIdsAreNotAssociationCommands) {
    EXPECT_FALSE(run(cmd::kOpen));
    EXPECT_FALSE(run(9000));
    EXPECT_TRUE(FakeShell::runs.empty());
}

}  // namespace
