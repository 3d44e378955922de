// The viewer's right-click menu as the system sees it: entries, texts and command ids of
// every level, the check and radio marks taken from seeded settings and window state,
// marks kept over a language change, and command ids that never collide.
#include "viewer/menus/RightClickMenu.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "gui/menus/MenuTestSupport.h"
#include "gui/menus/PopupMenu.h"
#include "gui/skin/ISkinner.h"
#include "platform/lang/Localizer.h"
#include "support/HostTool.h"
#include "viewer/ViewerTestSupport.h"
#include "viewer/menus/CommandIds.h"
#include "viewer/settings/ViewerSettings.h"

using s::image::gui::dialogs::imageview::readSkins;
using s::image::gui::dialogs::imageview::RightClickMenu;
using s::image::gui::dialogs::imageview::RightClickState;
using s::image::gui::dialogs::imageview::ViewerSettings;
using s::lang::Localizer;
using viewertest::RegistryStore;
namespace cmd = s::image::gui::dialogs::imageview::command;

namespace {

// The program's built-in language pack, switched to English.
class BuiltInPack {
public:
    BuiltInPack() {
        std::string exe = std::string(GLIMMER_BINARY_DIR) + "/Glimmer.exe";
        module_ = LoadLibraryExW(testsupport::winPath(exe).c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        loc = Localizer::loadResource(module_);
        loc->setLanguage(L"English");
    }
    ~BuiltInPack() {
        loc->release();
        if (module_) FreeLibrary(module_);
    }
    BuiltInPack(const BuiltInPack&) = delete;
    BuiltInPack& operator=(const BuiltInPack&) = delete;
    Localizer* loc;

private:
    HMODULE module_ = nullptr;
};

using menutest::Entry;
using menutest::entryAt;

// One line per entry, sub-menus indented: "text #id", "---", "> title".
void dump(HMENU menu, const std::wstring& indent, std::wstring* out) {
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        Entry e = entryAt(menu, i);
        if (e.separator()) {
            *out += indent + L"---\n";
        } else if (e.sub) {
            *out += indent + L"> " + e.text + L"\n";
            dump(e.sub, indent + L"  ", out);
        } else {
            *out += indent + e.text + L" #" + std::to_wstring(e.id) + L"\n";
        }
    }
}

// One line per marked entry: "path: check" or "path: radio", path = titles and text.
void marks(HMENU menu, const std::wstring& path, std::wstring* out) {
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        Entry e = entryAt(menu, i);
        if (e.sub) {
            marks(e.sub, path + std::to_wstring(i) + L"/", out);
        } else if (e.checked()) {
            *out += path + std::to_wstring(i) + (e.radio() ? L" radio\n" : L" check\n");
        }
    }
}

// Command ids of every command entry.
void commands(HMENU menu, std::vector<UINT>* out) {
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        Entry e = entryAt(menu, i);
        if (e.sub)
            commands(e.sub, out);
        else if (!e.separator())
            out->push_back(e.id);
    }
}

HMENU handleOf(RightClickMenu& menu, RightClickMenu::Sub which) { return menu.getSubMenu(which)->getHandle(); }

// The position of the radio-marked entry, -1 when none is marked.
int radioAt(HMENU menu) {
    int found = -1;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        Entry e = entryAt(menu, i);
        if (e.checked() && e.radio()) {
            if (found >= 0) return -2;  // two marks
            found = i;
        }
    }
    return found;
}

bool checkedAt(HMENU menu, int position) { return entryAt(menu, position).checked(); }

// A skinner that only names its skins.
class NamedSkinner : public s::gui::drawer::ISkinner {
public:
    NamedSkinner(std::vector<std::wstring> names, uint32_t current) : names_(std::move(names)), current_(current) {}
    s::base::IObject* asObject() override { return nullptr; }
    s::gui::drawer::ISkin* getCurrentSkin() override { return nullptr; }
    uint32_t getSkinCount() override { return uint32_t(names_.size()); }
    s::gui::drawer::ISkin* getSkin(uint32_t) override { return nullptr; }
    const wchar_t* getSkinName(uint32_t i) override { return i < names_.size() ? names_[i].c_str() : nullptr; }
    uint32_t getCurrentIndex() override { return current_; }
    void selectSkin(uint32_t) override {}
    void selectSkinByName(const wchar_t*) override {}
    bool findSkin(const wchar_t*, uint32_t*) override { return false; }
    void addListener(s::gui::events::IEventListener*) override {}
    void removeListener(s::gui::events::IEventListener*) override {}

private:
    std::vector<std::wstring> names_;
    uint32_t current_;
};

class RightClickMenuTest : public ::testing::Test {
protected:
    RightClickMenuTest() : settings(store.store(), L"MainWindow") {}
    void putView(const wchar_t* key, DWORD v) { store.putDword(L"MainWindow\\View", key, v); }

    BuiltInPack pack;
    RegistryStore store{L"rmenu"};
    ViewerSettings settings;
    RightClickState state;
    RightClickMenu menu;
};

const wchar_t* const kEnglishTree =
    L"Open... #310\n---\nTo Original Size #702\n---\nFit Window to Image #980\nFit Image to Window #975\n"
    L"Palm Mode (On Excessive Size) #970\nKeep on Top #992\n---\n"
    L"> Apply Filter...\n  Lock (Keep Filter Over Images) #681\n  ---\n  Clear #682\n  ---\n"
    L"  Current Filter Set #9000\n"
    L"---\nStart Slide Show #750\n---\n"
    L"> Save...\n  In Original Size As... #695\n  In This View Size As... #697\n"
    L"  In This View Size (+Auto-Sharpen) As... #698\n"
    L"> Print...\n  In Original Size... #711\n  In Original Size (+Auto-Sharpen)... #712\n"
    L"  In This View Size... #713\n  In This View Size (+Auto-Sharpen)... #714\n  In Paper Maximum Size... #715\n"
    L"  In Paper Maximum Size (+Auto-Sharpen)... #716\n  ---\n  Auto-Rotate #717\n"
    L"> File...\n  Locate this File #630\n  ---\n  Delete this File... #650\n  ---\n  File Property #640\n"
    L"---\n"
    L"> Copy to Clipboard...\n  In Original Size #671\n  In This View Size #672\n"
    L"  In This View Size (+Auto-Sharpen) #673\n"
    L"Paste from Clipboard #678\n"
    L"> From Screen (Capture)...\n  Entire Screen #781\n  Window... #783\n  Window Part... #785\n"
    L"---\n"
    L"> View\n  Show Title Bar #991\n  Auto-Hide Menu Bars #981\n  Close By Mouse-Wheel Click #998\n"
    L"  > Default Fit Mode\n    Last Used Fit Mode #963\n    ---\n    Fit Window to Image #961\n"
    L"    Fit Image to Window #960\n    Don't Fit #962\n"
    L"  > Default Background Color\n    White #984\n    Gray #985\n    Black #986\n    Custom Color #987\n"
    L"    ---\n    Pick Custom Color... #988\n    ---\n    Transparent (Window) #989\n"
    L"    Transparent (White/Gray) #990\n"
    L"> Skin\n  Plain #200\n  Dark #201\n"
    L"> Transparency (%)\n  0% #500\n  10% #510\n  20% #520\n  30% #530\n  40% #540\n  50% #550\n  60% #560\n"
    L"  70% #570\n  80% #580\n  90% #590\n"
    L"> Language\n";

}  // namespace

TEST_F(RightClickMenuTest, EntriesTextsAndCommandsFollowTheLanguagePack) {
    state.hasSkinner = true;
    state.skinNames = {L"Plain", L"Dark"};
    menu.build(settings, pack.loc, &state);
    ASSERT_NE(menu.getMenu(), nullptr);
    EXPECT_STREQ(menu.getMenu()->getTitle(), L"Right Click Menu");

    std::wstring tree;
    dump(menu.getMenu()->getHandle(), L"", &tree);
    ASSERT_EQ(tree.substr(0, wcslen(kEnglishTree)), kEnglishTree);

    // The languages by their own names, then "Translate? (online)" numbered after them.
    std::wstring languages;
    const uint32_t n = pack.loc->getPackCount();
    ASSERT_GT(n, 1u);
    for (uint32_t i = 0; i < n; ++i)
        languages += L"  " + std::wstring(pack.loc->getPackAt(i)->getTrueName()) + L" #" + std::to_wstring(i) + L"\n";
    languages += L"  ---\n  Translate? (online) #" + std::to_wstring(n) + L"\n";
    const std::wstring rest =
        L"> Associated Extensions\n  Jpeg (.jpg, .jpeg) #810\n  Gif (.gif) #811\n  Png (.png) #812\n"
        L"  Bmp (.bmp) #813\n  Icon (.ico) #814\n  ---\n  Select All #820\n  Deselect All #821\n"
        L"---\n> About\n  Version Information #10000\n  ---\n  Software Page (online) #10100\n"
        L"  Tell Developers (online) #10200\n  ---\n  More Software from Zelk (online) #10900\n---\nClose #999\n";
    EXPECT_EQ(tree.substr(wcslen(kEnglishTree)), languages + rest);
}

TEST_F(RightClickMenuTest, WithoutSkinnerTransparencyFollowsView) {
    menu.build(settings, pack.loc, &state);
    EXPECT_EQ(menu.getSubMenu(RightClickMenu::kSkin), nullptr);
    HMENU h = menu.getMenu()->getHandle();
    int view = -1;
    for (int i = 0; i < GetMenuItemCount(h); ++i)
        if (entryAt(h, i).text == L"View") view = i;
    ASSERT_GE(view, 0);
    EXPECT_EQ(entryAt(h, view + 1).text, L"Transparency (%)");
    EXPECT_EQ(entryAt(h, view + 1).sub, handleOf(menu, RightClickMenu::kTransparency));
}

// Seeded settings and the radio position each shows.
struct RadioRow {
    const wchar_t* key;
    DWORD stored;
    RightClickMenu::Sub sub;
    int position;
};

TEST_F(RightClickMenuTest, RadioMarksFollowSeededSettings) {
    const RadioRow rows[] = {
        {L"FitMode2", 0, RightClickMenu::kFitMode, 0},
        {L"FitMode2", 1, RightClickMenu::kFitMode, 4},
        {L"FitMode2", 3, RightClickMenu::kFitMode, 3},
        {L"FitMode2", 4, RightClickMenu::kFitMode, 2},
        {L"DefaultBgType", 0, RightClickMenu::kBackground, 0},
        {L"DefaultBgType", 2, RightClickMenu::kBackground, 2},
        {L"DefaultBgType", 3, RightClickMenu::kBackground, 3},
        {L"DefaultBgType", 4, RightClickMenu::kBackground, 8},
        {L"DefaultBgType", 5, RightClickMenu::kBackground, 7},
        {L"Transparency", 100, RightClickMenu::kTransparency, 0},
        {L"Transparency", 90, RightClickMenu::kTransparency, 1},
        {L"Transparency", 10, RightClickMenu::kTransparency, 9},
        {L"Transparency", 95, RightClickMenu::kTransparency, 0},
        {L"Transparency", 0, RightClickMenu::kTransparency, 0},
    };
    for (const RadioRow& row : rows) {
        SCOPED_TRACE(testing::Message() << std::string(row.key, row.key + wcslen(row.key)) << " = " << row.stored);
        putView(row.key, row.stored);
        RightClickMenu fresh;
        fresh.build(settings, pack.loc, &state);
        EXPECT_EQ(radioAt(handleOf(fresh, row.sub)), row.position);
    }
}

TEST_F(RightClickMenuTest, ChecksFollowSeededSettingsAndState) {
    putView(L"ShowTitleBar", 1);
    putView(L"AutoHideButtons", 0);
    store.putDword(L"MainWindow\\Print", L"AutoRotation", 0);
    state.fitImageToWindow = true;
    state.keepOnTop = true;
    state.closeOnWheelClick = true;
    state.associated[1] = true;  // .gif
    state.associated[4] = true;  // .ico
    state.hasSkinner = true;
    state.skinNames = {L"A", L"B", L"C"};
    state.currentSkin = 2;
    pack.loc->setLanguage(L"German");
    const int german = pack.loc->getCurrentIndex();
    menu.build(settings, pack.loc, &state);

    HMENU top = menu.getMenu()->getHandle();
    EXPECT_FALSE(checkedAt(top, 4));  // Fit Window to Image
    EXPECT_TRUE(checkedAt(top, 5));   // Fit Image to Window
    EXPECT_FALSE(checkedAt(top, 6));  // Palm Mode
    EXPECT_TRUE(checkedAt(top, 7));   // Keep on Top
    HMENU view = handleOf(menu, RightClickMenu::kView);
    EXPECT_TRUE(checkedAt(view, 0));
    EXPECT_FALSE(checkedAt(view, 1));
    EXPECT_TRUE(checkedAt(view, 2));
    EXPECT_FALSE(checkedAt(handleOf(menu, RightClickMenu::kPrint), 7));
    EXPECT_FALSE(state.autoRotate) << "the stored choice becomes the flag";
    HMENU assoc = handleOf(menu, RightClickMenu::kAssociations);
    const bool expected[5] = {false, true, false, false, true};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(checkedAt(assoc, i), expected[i]) << i;
    EXPECT_EQ(radioAt(handleOf(menu, RightClickMenu::kSkin)), 2);
    EXPECT_EQ(radioAt(handleOf(menu, RightClickMenu::kLanguage)), german);
    EXPECT_FALSE(checkedAt(handleOf(menu, RightClickMenu::kLanguage),
                           GetMenuItemCount(handleOf(menu, RightClickMenu::kLanguage)) - 1));
}

TEST_F(RightClickMenuTest, AutoRotateWithoutStoredChoiceKeepsTheFlag) {
    state.autoRotate = false;
    menu.build(settings, pack.loc, &state);
    EXPECT_FALSE(checkedAt(handleOf(menu, RightClickMenu::kPrint), 7));
    EXPECT_FALSE(state.autoRotate);
}

TEST_F(RightClickMenuTest, UpdateMovesMarksToChangedSettings) {
    state.hasSkinner = true;
    state.skinNames = {L"A", L"B"};
    state.currentSkin = 0;
    menu.build(settings, pack.loc, &state);
    EXPECT_EQ(radioAt(handleOf(menu, RightClickMenu::kTransparency)), 0);

    settings.setTransparency(30);
    settings.setFitMode2(1);
    settings.setDefaultBgType(4);
    settings.setShowTitleBar(true);
    state.fitWindowToImage = true;
    state.currentSkin = 5;  // not listed: no mark
    state.associated[0] = true;
    menu.updateMarks(settings, &state);

    EXPECT_EQ(radioAt(handleOf(menu, RightClickMenu::kTransparency)), 7);
    EXPECT_EQ(radioAt(handleOf(menu, RightClickMenu::kFitMode)), 4);
    EXPECT_EQ(radioAt(handleOf(menu, RightClickMenu::kBackground)), 8);
    EXPECT_EQ(radioAt(handleOf(menu, RightClickMenu::kSkin)), -1);
    EXPECT_TRUE(checkedAt(handleOf(menu, RightClickMenu::kView), 0));
    EXPECT_TRUE(checkedAt(menu.getMenu()->getHandle(), 4));
    EXPECT_TRUE(checkedAt(handleOf(menu, RightClickMenu::kAssociations), 0));
}

// The colour (0x00BBGGRR) of the swatch beside the "Custom Color" item at (x, y) of its
// bitmap; -1 without a bitmap.
int64_t swatchPixel(HMENU background, int x, int y) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_BITMAP;
    if (!GetMenuItemInfoW(background, UINT(cmd::kBgCustom), FALSE, &info) || !info.hbmpItem) return -1;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, info.hbmpItem);
    const COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return int64_t(c);
}

TEST_F(RightClickMenuTest, CustomColorItemShowsTheStoredColourAsASwatch) {
    settings.setDefaultBgCustomColor(int32_t(RGB(255, 128, 0)));
    menu.build(settings, pack.loc, &state);
    HMENU background = handleOf(menu, RightClickMenu::kBackground);
    BITMAP shape{};
    ASSERT_TRUE(GetObjectW(static_cast<HBITMAP>(menu.customColorSwatch()), sizeof(shape), &shape));
    const int middle = shape.bmWidth / 2;
    EXPECT_EQ(swatchPixel(background, middle, middle), int64_t(RGB(255, 128, 0)));
    EXPECT_EQ(swatchPixel(background, 0, middle), int64_t(RGB(0, 0, 0)));  // its frame
    // The text and the radio mark stay with the item.
    settings.setDefaultBgType(3);
    settings.setDefaultBgCustomColor(int32_t(RGB(10, 200, 30)));
    menu.updateMarks(settings, &state);
    EXPECT_EQ(swatchPixel(background, middle, middle), int64_t(RGB(10, 200, 30)));
    EXPECT_EQ(radioAt(background), 3);
    EXPECT_EQ(entryAt(background, 3).text, L"Custom Color");
    menu.showCustomColor(int32_t(RGB(0, 0, 255)));
    EXPECT_EQ(swatchPixel(background, middle, middle), int64_t(RGB(0, 0, 255)));
}

TEST_F(RightClickMenuTest, LanguageChangeRewritesTextsAndKeepsMarks) {
    putView(L"Transparency", 60);
    putView(L"DefaultBgType", 5);
    putView(L"FitMode2", 3);
    putView(L"ShowTitleBar", 1);
    state.fitWindowToImage = true;
    state.keepOnTop = true;
    state.associated[2] = true;
    state.hasSkinner = true;
    state.skinNames = {L"Plain", L"Dark"};
    state.currentSkin = 1;
    menu.build(settings, pack.loc, &state);
    HMENU top = menu.getMenu()->getHandle();
    std::wstring before;
    marks(top, L"", &before);
    ASSERT_NE(before.find(L"radio"), std::wstring::npos);

    pack.loc->setLanguage(L"German");

    EXPECT_EQ(entryAt(top, 0).text, L"Öffnen...");
    EXPECT_EQ(entryAt(handleOf(menu, RightClickMenu::kSkin), 1).text, L"Dark") << "skin names stay";
    std::wstring after;
    marks(top, L"", &after);
    EXPECT_EQ(after, before);
    std::wstring tree;
    dump(top, L"", &tree);
    EXPECT_NE(tree.find(L"> Ansicht"), std::wstring::npos) << "sub-menu titles follow";
}

TEST_F(RightClickMenuTest, CommandIdsAreUniqueAndBelowTheAboutIds) {
    state.hasSkinner = true;
    for (int i = 0; i < 150; ++i) state.skinNames.push_back(L"Skin " + std::to_wstring(i));
    menu.build(settings, pack.loc, &state);
    std::vector<UINT> ids;
    commands(menu.getMenu()->getHandle(), &ids);
    std::vector<UINT> about;
    commands(handleOf(menu, RightClickMenu::kAbout), &about);

    std::set<UINT> seen;
    for (UINT id : ids) EXPECT_TRUE(seen.insert(id).second) << "twice: " << id;
    const std::set<UINT> aboutIds(about.begin(), about.end());
    EXPECT_EQ(aboutIds, (std::set<UINT>{10000, 10100, 10200, 10900}));
    for (UINT id : ids) {
        if (!aboutIds.count(id)) { EXPECT_LT(id, UINT(cmd::kFirstAboutId)) << id; }
    }
    // Skins past the range are left out rather than taking the ids of other commands.
    EXPECT_EQ(uint32_t(GetMenuItemCount(handleOf(menu, RightClickMenu::kSkin))), RightClickMenu::maxSkins());
    EXPECT_EQ(entryAt(handleOf(menu, RightClickMenu::kSkin), 99).id, UINT(cmd::kSkinLast));
}

TEST_F(RightClickMenuTest, SkinSubMenuListsTheSkinnersSkinsAndMarksTheCurrentOne) {
    NamedSkinner skinner({L"Plain", L"Dark", L"Glass"}, 1);
    readSkins(&skinner, &state);
    menu.build(settings, pack.loc, &state);
    HMENU skins = handleOf(menu, RightClickMenu::kSkin);
    ASSERT_EQ(GetMenuItemCount(skins), 3);
    EXPECT_EQ(entryAt(skins, 2).text, L"Glass");
    EXPECT_EQ(entryAt(skins, 2).id, UINT(cmd::kSkinFirst + 2));
    EXPECT_EQ(radioAt(skins), 1);

    NamedSkinner none({L"Plain"}, s::gui::drawer::kNoSkin);
    readSkins(&none, &state);
    menu.updateMarks(settings, &state);
    EXPECT_EQ(radioAt(skins), -1) << "no skin selected yet";

    readSkins(nullptr, &state);
    EXPECT_FALSE(state.hasSkinner);
}

TEST_F(RightClickMenuTest, ManyLanguagesStayBelowTheSkinIds) {
    std::wstring xml = L"<lang><languages>";
    for (int i = 0; i < 205; ++i) {
        const std::wstring n = std::to_wstring(i);
        xml += L"<entry tagName=\"l" + n + L"\" engName=\"Lang" + n + L"\" trueName=\"Lang" + n + L"\"/>";
    }
    xml += L"</languages><entries><entry id=\"700001\"><l0>Translate</l0></entry></entries></lang>";
    Localizer* many = Localizer::loadXmlText(xml.c_str());
    ASSERT_EQ(many->getPackCount(), 205u);
    state.hasSkinner = true;
    state.skinNames = {L"Plain"};
    {
        RightClickMenu built;
        built.build(settings, many, &state);
        HMENU languages = handleOf(built, RightClickMenu::kLanguage);
        const int n = GetMenuItemCount(languages);
        EXPECT_EQ(entryAt(languages, n - 1).id, UINT(cmd::kLanguageLast)) << "Translate keeps the last language id";
        std::vector<UINT> ids;
        commands(built.getMenu()->getHandle(), &ids);
        EXPECT_EQ(std::set<UINT>(ids.begin(), ids.end()).size(), ids.size());
    }
    many->release();
}
