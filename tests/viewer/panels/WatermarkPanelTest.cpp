// The Watermark Text and Background panels on a real window: the font list built from
// the stored history and the installed families, recent fonts kept to ten and written
// back, the stored values shown at start, the watermark drawn as the chain draws it, the
// colour dialog, and the background types, custom colour and "Always" default.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/str/StrArray.h"
#include "foundation/str/StrBuffer.h"
#include "gui/controls/ComboBoxItem.h"
#include "gui/fonts/SystemFonts.h"
#include "support/DialogDriver.h"
#include "viewer/panels/FilterPanelsTestSupport.h"

namespace filterpanelstest {
namespace {

using s::gui::combobox::ComboBoxItem;

std::wstring itemText(s::gui::win::ComboBox* c, int32_t i) {
    ComboBoxItem* item = c->getItem(i);
    return item ? item->getText() : L"<none>";
}

std::wstring faceOf(s::gui::win::ComboBox* c, int32_t i) {
    ComboBoxItem* item = c->getItem(i);
    return item && !item->isSeparator() ? reinterpret_cast<const wchar_t*>(item->getData()) : L"<separator>";
}

std::vector<std::wstring> families() {
    s::str::strarray::StrArray* list = s::gui::win::getFontFamilies(nullptr);
    std::vector<std::wstring> out;
    for (uint32_t i = 0; i < list->count(); ++i) out.push_back(list->at(i)->text());
    list->release();
    return out;
}

const std::wstring kHistory = L"MainWindow\\View\\Filter\\Watermark\\FontHistory";

// ---- the font list at start

TEST_F(FilterPanelsTest, EmptyHistoryGivesDefaultSeparatorThenTheFamilies) {
    s::gui::win::ComboBox* fonts = panels->watermark().font;
    const std::vector<std::wstring> installed = families();
    ASSERT_FALSE(installed.empty());
    ASSERT_EQ(fonts->getItemCount(), int32_t(installed.size()) + 2);
    EXPECT_EQ(itemText(fonts, 0), L"Default Font");
    EXPECT_EQ(faceOf(fonts, 0), L"MS Shell Dlg 2");
    EXPECT_TRUE(fonts->getItem(1)->isSeparator());
    EXPECT_EQ(itemText(fonts, 1), std::wstring(28, L'-'));
    for (size_t i = 0; i < installed.size(); ++i) EXPECT_EQ(faceOf(fonts, int32_t(i) + 2), installed[i]);
    // "MS Shell Dlg 2" is no installed family here: the default entry is selected.
    EXPECT_EQ(fonts->getSelectedIndex(), 0);
    EXPECT_EQ(panels->watermark().size->getSelectedItem()->getData(), 8);
    EXPECT_TRUE(panels->watermark().outline->isToggled());
    EXPECT_TRUE(panels->watermark().bold->isToggled());
    EXPECT_FALSE(panels->watermark().italic->isToggled());
}

class SeededWatermarkTest : public FilterPanelsTest {
protected:
    void seed() override {
        store.putText(kHistory, L"_0", L"DejaVu Sans");
        store.putText(kHistory, L"_1", L"DejaVu Serif");
        store.putText(kHistory, L"LastUsed", L"dejavu serif");
        store.putDword(kHistory, L"Size", 14);
        store.putDword(kHistory, L"Color", 0x00102030);
        store.putDword(kHistory, L"WithOutLine", 0);
        store.putDword(kHistory, L"WithItalic", 1);
    }
};

TEST_F(SeededWatermarkTest, StoredValuesAreShownAndCopiedIntoTheCurrentSet) {
    s::gui::win::ComboBox* fonts = panels->watermark().font;
    EXPECT_EQ(faceOf(fonts, 2), L"DejaVu Sans");
    EXPECT_EQ(faceOf(fonts, 3), L"DejaVu Serif");
    EXPECT_TRUE(fonts->getItem(4)->isSeparator());
    EXPECT_EQ(fonts->getSelectedIndex(), 3);  // the recent entry, letter case ignored
    EXPECT_EQ(std::wstring(host.values->watermarkFont->text()), L"dejavu serif");
    EXPECT_EQ(host.values->watermarkSize, 14);
    EXPECT_EQ(panels->watermark().size->getSelectedItem()->getData(), 14);
    EXPECT_EQ(host.values->watermarkColor, 0x00102030u);
    EXPECT_EQ(std::wstring(panels->watermark().color->getText()), L"#Color-00102030");
    EXPECT_FALSE(host.values->watermarkOutline);
    EXPECT_FALSE(panels->watermark().outline->isToggled());
    EXPECT_TRUE(host.values->watermarkItalic);
    EXPECT_TRUE(panels->watermark().italic->isToggled());
}

class UnknownFontTest : public FilterPanelsTest {
protected:
    void seed() override {
        store.putText(kHistory, L"_0", L"DejaVu Sans");
        store.putText(kHistory, L"LastUsed", L"No Such Face At All");
        store.putDword(kHistory, L"Size", 30);
    }
};

TEST_F(UnknownFontTest, UnknownStoredFontSelectsDefaultAndOddSizeIsKept) {
    EXPECT_EQ(panels->watermark().font->getSelectedIndex(), 0);
    EXPECT_EQ(std::wstring(host.values->watermarkFont->text()), L"No Such Face At All");
    EXPECT_EQ(host.values->watermarkSize, 30);
}

// ---- choosing fonts

TEST_F(FilterPanelsTest, FirstRecentFontBringsItsSeparator) {
    s::gui::win::ComboBox* fonts = panels->watermark().font;
    const std::vector<std::wstring> installed = families();
    ASSERT_GE(installed.size(), 2u);
    choose(fonts, 2 + 1);  // the second installed family
    ASSERT_EQ(panels->fontHistory().count(), 1u);
    EXPECT_EQ(faceOf(fonts, 2), installed[1]);
    EXPECT_TRUE(fonts->getItem(3)->isSeparator());
    EXPECT_EQ(faceOf(fonts, 4), installed[0]);
    EXPECT_EQ(fonts->getSelectedIndex(), 2);
    EXPECT_EQ(std::wstring(host.values->watermarkFont->text()), installed[1]);
    EXPECT_EQ(store.textOf(kHistory, L"_0"), installed[1]);
    EXPECT_EQ(store.textOf(kHistory, L"LastUsed"), installed[1]);
    // Chosen again from the full list, it stays a single recent entry.
    choose(fonts, 4 + 1);
    EXPECT_EQ(panels->fontHistory().count(), 1u);
    EXPECT_EQ(fonts->getItemCount(), int32_t(installed.size()) + 4);
}

class TenRecentFontsTest : public FilterPanelsTest {
protected:
    void seed() override {
        for (int i = 0; i < 10; ++i)
            store.putText(kHistory, (L"_" + std::to_wstring(i)).c_str(), (L"Recent " + std::to_wstring(i)).c_str());
    }
};

TEST_F(TenRecentFontsTest, RecentFontsNeverExceedTenAndAreWrittenBack) {
    s::gui::win::ComboBox* fonts = panels->watermark().font;
    const std::vector<std::wstring> installed = families();
    ASSERT_GE(installed.size(), 2u);
    const int32_t familiesAt = 2 + 10 + 1;
    ASSERT_TRUE(fonts->getItem(12)->isSeparator());
    std::vector<std::wstring> expected;
    for (int i = 0; i < 10; ++i) expected.push_back(L"Recent " + std::to_wstring(i));
    for (size_t n = 0; n < 2; ++n) {
        choose(fonts, familiesAt + int32_t(n));
        expected.insert(expected.begin(), installed[n]);
        expected.pop_back();
        EXPECT_EQ(fonts->getSelectedIndex(), 2);
        EXPECT_EQ(std::wstring(host.values->watermarkFont->text()), installed[n]);
        ASSERT_EQ(panels->fontHistory().count(), 10u);
        for (uint32_t i = 0; i < 10; ++i) {
            EXPECT_EQ(std::wstring(panels->fontHistory().at(i)->text()), expected[i]);
            EXPECT_EQ(faceOf(fonts, 2 + int32_t(i)), expected[i]);
            EXPECT_EQ(store.textOf(kHistory, (L"_" + std::to_wstring(i)).c_str()), expected[i]);
        }
        EXPECT_TRUE(fonts->getItem(12)->isSeparator());
        EXPECT_EQ(faceOf(fonts, familiesAt), installed[0]);
        EXPECT_EQ(store.typeOf(kHistory, L"_10"), 0u);
        EXPECT_EQ(store.textOf(kHistory, L"LastUsed"), installed[n]);
    }

    // A recent font further down moves to the front, in the list and in the store.
    choose(fonts, 5);
    EXPECT_EQ(faceOf(fonts, 2), expected[3]);
    EXPECT_EQ(faceOf(fonts, 3), expected[0]);
    EXPECT_EQ(store.textOf(kHistory, L"_0"), expected[3]);
    EXPECT_EQ(std::wstring(host.values->watermarkFont->text()), expected[3]);
    EXPECT_EQ(panels->fontHistory().count(), 10u);

    // A separator re-selects the entry chosen before it.
    choose(fonts, 12);
    EXPECT_EQ(fonts->getSelectedIndex(), 2);
    // "Default Font" keeps the recent fonts and is remembered as the last used.
    choose(fonts, 0);
    EXPECT_EQ(panels->fontHistory().count(), 10u);
    EXPECT_EQ(store.textOf(kHistory, L"LastUsed"), L"MS Shell Dlg 2");
    EXPECT_EQ(std::wstring(host.values->watermarkFont->text()), L"MS Shell Dlg 2");
}

// ---- the watermark on the picture

TEST_F(FilterPanelsTest, WatermarkIsDrawnAsTheChainDrawsItAndGoesWithItsText) {
    BufferedImage* picture = pattern(120, 60);
    openPicture(picture);
    const iv::WatermarkPanel& w = panels->watermark();
    type(w.text, L"Glimmer");
    EXPECT_EQ(std::wstring(host.values->watermarkText->text()), L"Glimmer");
    EXPECT_EQ(filterNames(), std::vector<std::wstring>{L"Watermark"});
    choose(w.size, 6);  // "12 pt"
    EXPECT_EQ(host.values->watermarkSize, 12);
    EXPECT_EQ(store.dwordOf(kHistory, L"Size"), 12u);
    click(w.bold);
    EXPECT_FALSE(host.values->watermarkBold);
    EXPECT_EQ(store.dwordOf(kHistory, L"WithBold"), 0u);
    click(w.italic);
    EXPECT_TRUE(host.values->watermarkItalic);
    EXPECT_EQ(filterNames(), std::vector<std::wstring>{L"Watermark"});
    BufferedImage* expected = chainResult(host.values, picture);
    EXPECT_EQ(difference(shownFrame(), expected), "");
    EXPECT_NE(difference(expected, picture), "");
    expected->release();
    type(w.text, L"");
    EXPECT_TRUE(filterNames().empty());
    EXPECT_EQ(difference(shownFrame(), picture), "");
    picture->release();
}

// Answers the colour dialog that the window's thread opens with the given colour.
void answerColorDialog(HWND owner, int r, int g, int b) {
    const DWORD thread = GetWindowThreadProcessId(owner, nullptr);
    HWND dialog = nullptr;
    ASSERT_TRUE(windowtest::waitFor([&] { return (dialog = testsupport::DialogDriver::findDialog(thread)) != nullptr; },
                                    10000));
    ASSERT_TRUE(windowtest::waitFor([&] { return GetDlgItem(dialog, 706) != nullptr; }, 5000));
    SetDlgItemInt(dialog, 706, r, FALSE);
    SetDlgItemInt(dialog, 707, g, FALSE);
    SetDlgItemInt(dialog, 708, b, FALSE);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST_F(FilterPanelsTest, WatermarkColourComesFromTheColourDialogAndIsStored) {
    PostMessageW(panels->watermark().color->m_hWnd, BM_CLICK, 0, 0);
    answerColorDialog(hwnd(), 10, 20, 30);
    EXPECT_TRUE(windowtest::waitFor([&] { return host.values->watermarkColor == RGB(10, 20, 30); }, 10000));
    EXPECT_TRUE(windowtest::waitFor([&] { return store.dwordOf(kHistory, L"Color") == RGB(10, 20, 30); }));
    EXPECT_EQ(std::wstring(panels->watermark().color->getText()), L"#Color-001e140a");
}

// ---- background

TEST_F(FilterPanelsTest, BackgroundListOrderPutsTransparentWindowFirst) {
    s::gui::win::ComboBox* types = panels->background().type;
    ASSERT_EQ(types->getItemCount(), 7);
    const intptr_t data[] = {0, 1, 2, 3, -1, 5, 4};
    const wchar_t* texts[] = {
        L"White", L"Gray", L"Black", L"Custom Color", nullptr, L"Transparent (Window)", L"Transparent (White/Gray)"};
    for (int32_t i = 0; i < 7; ++i) {
        if (data[i] < 0) {
            EXPECT_TRUE(types->getItem(i)->isSeparator());
            continue;
        }
        EXPECT_EQ(types->getItem(i)->getData(), data[i]);
        EXPECT_EQ(itemText(types, i), texts[i]);
    }
    EXPECT_EQ(types->getSelectedIndex(), 0);
    EXPECT_EQ(panels->background().custom->getWidth(), 0);
    EXPECT_TRUE(panels->background().always->isToggled());
}

TEST_F(FilterPanelsTest, BackgroundTypesReachTheViewAndAlwaysMakesTheDefault) {
    const iv::BackgroundPanel& b = panels->background();
    choose(b.type, 6);  // transparent over the white/gray grid
    EXPECT_EQ(host.values->bgType, 4);
    EXPECT_TRUE(view->showsTransparencyGrid());
    EXPECT_FALSE(b.always->isToggled());
    choose(b.type, 4);  // the separator: back to the grid entry
    EXPECT_EQ(b.type->getSelectedIndex(), 6);
    EXPECT_EQ(host.values->bgType, 4);
    choose(b.type, 2);
    EXPECT_EQ(host.values->bgType, 2);
    EXPECT_FALSE(view->isTransparent());
    EXPECT_EQ(view->getBackgroundColor(), RGB(0, 0, 0));
    choose(b.type, 1);
    EXPECT_EQ(view->getBackgroundColor(), RGB(204, 204, 204));
    click(b.always);
    EXPECT_TRUE(b.always->isToggled());
    EXPECT_EQ(store.dwordOf(L"MainWindow\\View", L"DefaultBgType"), 1u);
    EXPECT_EQ(host.defaultBackgrounds, std::vector<int32_t>{1});

    choose(b.type, 3);  // custom colour: the swatch shows
    EXPECT_TRUE(windowtest::waitFor([&] { return b.custom->getWidth() == 30; }));
    PostMessageW(b.custom->m_hWnd, BM_CLICK, 0, 0);
    answerColorDialog(hwnd(), 200, 100, 50);
    EXPECT_TRUE(windowtest::waitFor([&] { return host.values->bgCustomColor == int32_t(RGB(200, 100, 50)); }, 10000));
    EXPECT_TRUE(windowtest::waitFor([&] { return view->getBackgroundColor() == RGB(200, 100, 50); }));
    EXPECT_EQ(store.dwordOf(L"MainWindow\\View", L"DefaultBgCustomColor"), RGB(200, 100, 50));

    // A reset returns to the default type (gray).
    runner->run([this] { panels->resetFilterPanels(false, false, false); });
    EXPECT_EQ(host.values->bgType, 1);
    EXPECT_EQ(b.type->getSelectedItem()->getData(), 1);
    EXPECT_EQ(b.custom->getWidth(), 0);
}

}  // namespace
}  // namespace filterpanelstest
