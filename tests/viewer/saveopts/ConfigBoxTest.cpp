// The save-option panels hosted in a real window: built from an encode setting, changed
// through their controls, and read back into the setting and the settings store.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/box/Box.h"
#include "gui/controls/Button.h"
#include "gui/controls/CheckBox.h"
#include "gui/controls/ControlTestSupport.h"
#include "gui/controls/RadioButton.h"
#include "gui/controls/Slider.h"
#include "gui/controls/TextField.h"
#include "imaging/settings/EncodeSetting.h"
#include "platform/lang/Localizer.h"
#include "platform/system/Screen.h"
#include "platform/xmlstore/MappedData.h"
#include "support/HostTool.h"
#include "viewer/saveopts/BgGroupBox.h"
#include "viewer/saveopts/ColorPicker.h"
#include "viewer/saveopts/ConfigBox.h"

using namespace s::image::gui::boxes;
using controltest::waitFor;

namespace {

const wchar_t kSection[] = L"ConvertTo";

class ConfigBoxTest : public controltest::ControlTest {
protected:
    ConfigBoxTest() {
        panelWidth = 400;
        panelHeight = 300;
    }
    void SetUp() override {
        ControlTest::SetUp();
        installConfigBoxes();
        const std::string dir = testsupport::makeTempDir("configbox");
        store = s::xml::MappedData::openFile(testsupport::winPath(dir + "/SaveData.xml").c_str());
    }
    void TearDown() override {
        store->release();
        ControlTest::TearDown();
    }
    // Opens the setting's panel in the test window and answers the panel object.
    template <class Box>
    Box* open(s::image::EncodeSettingBase* setting, s::gui::IWindow* owner = nullptr) {
        s::gui::IComponent* component = setting->createConfigBox(owner);
        EXPECT_NE(component, nullptr);
        if (component) panel->addChild(component);
        return dynamic_cast<Box*>(setting->getConfigBox());
    }
    static std::wstring textOf(HWND hwnd) {
        wchar_t text[128] = {};
        GetWindowTextW(hwnd, text, 128);
        return text;
    }
    s::xml::MappedData* store = nullptr;
};

TEST_F(ConfigBoxTest, PngPanelValuesAreStoredWhenReadBack) {
    auto* setting = s::image::png::EncodeSetting::create();
    setting->bind(kSection, store);
    auto* box = open<PngConfigBox>(setting);
    ASSERT_NE(box, nullptr);
    EXPECT_STREQ(box->getName(), L"Png");
    BgGroupBox* bg = box->getBackground();
    ASSERT_TRUE(bg->getKeepButton()->isChecked());
    EXPECT_TRUE(box->getInterlace()->isChecked());
    // Without an owner the captions are the English ones.
    EXPECT_EQ(textOf(bg->getKeepButton()->m_hWnd), L"Keep Transparency");
    EXPECT_EQ(textOf(box->getInterlace()->m_hWnd), L"Enable Interlacing");

    bg->getFillButton()->setChecked(true, true);
    ASSERT_TRUE(waitFor([&] { return !bg->isKeepTransparency(); }));
    EXPECT_FALSE(bg->getKeepButton()->isChecked());
    bg->getColorPicker()->getField()->setText(L"FF8000", true);
    ASSERT_TRUE(waitFor([&] { return bg->getColorPicker()->getColor() == 0xFF8000u; }));
    box->getInterlace()->setChecked(false);

    ASSERT_TRUE(setting->readConfigBox());
    const wchar_t* path = L"ConvertTo\\PngEncodeSetting";
    EXPECT_FALSE(store->getBool(path, L"KeepTransparency", true));
    EXPECT_FALSE(store->getBool(path, L"WithInterlace", true));
    EXPECT_EQ(store->getInt(path, L"BgRed", -1), 255);
    EXPECT_EQ(store->getInt(path, L"BgGreen", -1), 128);
    EXPECT_EQ(store->getInt(path, L"BgBlue", -1), 0);
    setting->release();
}

TEST_F(ConfigBoxTest, ChoosingKeepTransparencyAgainUnchecksFillColor) {
    auto* setting = s::image::png::EncodeSetting::create();
    setting->keepTransparency = false;
    auto* box = open<PngConfigBox>(setting);
    ASSERT_NE(box, nullptr);
    BgGroupBox* bg = box->getBackground();
    EXPECT_TRUE(bg->getFillButton()->isChecked());
    EXPECT_TRUE(bg->getColorPicker()->getButton()->isEnabled());

    bg->getKeepButton()->setChecked(true, true);
    ASSERT_TRUE(waitFor([&] { return bg->isKeepTransparency(); }));
    EXPECT_FALSE(bg->getFillButton()->isChecked());
    EXPECT_FALSE(bg->getColorPicker()->getButton()->isEnabled());
    EXPECT_FALSE(bg->getColorPicker()->getField()->isEnabled());
    setting->readConfigBox();
    EXPECT_TRUE(setting->keepTransparency);
    setting->release();
}

TEST_F(ConfigBoxTest, ColorFieldTakesOnlySixHexDigits) {
    auto* setting = s::image::png::EncodeSetting::create();
    setting->backRed = 0x12;
    setting->backGreen = 0x34;
    setting->backBlue = 0x56;
    auto* box = open<PngConfigBox>(setting);
    ASSERT_NE(box, nullptr);
    ColorPicker* row = box->getBackground()->getColorPicker();
    EXPECT_STREQ(row->getField()->getText(), L"123456");
    EXPECT_EQ(row->getSwatch()->getBackgroundColor(), RGB(0x12, 0x34, 0x56));
    controltest::Recorder heard;
    box->getBackground()->addListener(&heard);

    struct Case {
        const wchar_t* typed;
        uint32_t colour;
    };
    for (const Case& c : {Case{L"FF80", 0x123456u}, Case{L"GG8000", 0x123456u}, Case{L"ff8000", 0xFF8000u},
                          Case{L"FF80001", 0xFF8000u}, Case{L"00a0Ff", 0x00A0FFu}}) {
        row->getField()->setText(c.typed, true);
        EXPECT_EQ(row->getColor(), c.colour) << c.typed;
        EXPECT_STREQ(row->getField()->getText(), c.typed);  // never rewritten
    }
    EXPECT_EQ(row->getSwatch()->getBackgroundColor(), RGB(0x00, 0xA0, 0xFF));
    ASSERT_TRUE(waitFor([&] { return controltest::pixelAt(row->getSwatch()->m_hWnd, 2, 2) == RGB(0x00, 0xA0, 0xFF); }));
    EXPECT_EQ(heard.codes.size(), 2u);
    setting->release();
}

TEST_F(ConfigBoxTest, JpegQualityFieldMovesTheSliderOnlyForValidValues) {
    auto* setting = s::image::jpg::EncodeSetting::create();
    setting->bind(kSection, store);  // quality 75 by default
    auto* box = open<JpgConfigBox>(setting);
    ASSERT_NE(box, nullptr);
    EXPECT_STREQ(box->getName(), L"Jpeg");
    BgGroupBox* bg = box->getBackground();
    EXPECT_TRUE(bg->getFillButton()->isChecked());
    EXPECT_FALSE(bg->getKeepButton()->isChecked());
    EXPECT_FALSE(bg->getKeepButton()->isEnabled());
    EXPECT_STREQ(box->getQualityField()->getText(), L"75");
    EXPECT_EQ(box->getSlider()->getPosition(), 75);

    for (const wchar_t* ignored : {L"101", L"abc", L"", L"1000", L"-5"}) {
        box->getQualityField()->setText(ignored, true);
        EXPECT_EQ(box->getSlider()->getPosition(), 75) << ignored;
    }
    box->getQualityField()->setText(L"040", true);
    EXPECT_EQ(box->getSlider()->getPosition(), 40);
    EXPECT_STREQ(box->getQualityField()->getText(), L"040");
    // The user's slider move is written into the field.
    ASSERT_TRUE(box->getSlider()->movePosition(60));
    EXPECT_STREQ(box->getQualityField()->getText(), L"60");
    box->getQualityField()->setText(L"040", true);

    ASSERT_TRUE(setting->readConfigBox());
    EXPECT_EQ(store->getInt(L"ConvertTo\\JpgEncodeSetting", L"Quality", -1), 40);
    setting->release();
}

TEST_F(ConfigBoxTest, GifDepthChoiceFollowsTheSetting) {
    for (int32_t bpp : {8, 4, 1}) {
        auto* setting = s::image::gif::EncodeSetting::create();
        setting->bpp = bpp;
        auto* box = open<GifConfigBox>(setting);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->getBpp8()->isChecked(), bpp == 8) << bpp;
        EXPECT_EQ(box->getBpp4()->isChecked(), bpp != 8) << bpp;
        setting->readConfigBox();
        EXPECT_EQ(setting->bpp, bpp == 8 ? 8 : 4);
        setting->release();
    }
}

TEST_F(ConfigBoxTest, BmpKeepTransparencyMovesToThirtyTwoBits) {
    auto* setting = s::image::bmp::EncodeSetting::create();
    setting->keepTransparency = false;
    setting->bpp = 8;
    auto* box = open<BmpConfigBox>(setting);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->getDepthButton(8)->isChecked());
    EXPECT_TRUE(box->getDepthButton(4)->isEnabled());

    box->getBackground()->getKeepButton()->setChecked(true, true);
    ASSERT_TRUE(waitFor([&] { return box->getDepthButton(32)->isChecked(); }));
    for (int32_t bpp : {4, 8, 24}) {
        EXPECT_FALSE(box->getDepthButton(bpp)->isEnabled()) << bpp;
        EXPECT_FALSE(box->getDepthButton(bpp)->isChecked()) << bpp;
    }
    setting->readConfigBox();
    EXPECT_EQ(setting->bpp, 32);
    EXPECT_TRUE(setting->keepTransparency);

    // Fill Color gives the lower depths back.
    box->getBackground()->getFillButton()->setChecked(true, true);
    ASSERT_TRUE(waitFor([&] { return box->getDepthButton(24)->isEnabled(); }));
    EXPECT_TRUE(box->getDepthButton(4)->isEnabled());
    setting->release();
}

TEST_F(ConfigBoxTest, IcoSizesAndDepthsAreReadInAscendingOrder) {
    auto* setting = s::image::ico::EncodeSetting::create();
    setting->bind(kSection, store);
    setting->sizes.clear();
    setting->sizes.push(32);
    setting->depths.clear();
    setting->depths.push(8);
    auto* box = open<IcoConfigBox>(setting);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->getSizeBox(32)->isChecked());
    EXPECT_FALSE(box->getSizeBox(16)->isChecked());
    EXPECT_TRUE(box->getDepthBox(8)->isChecked());
    EXPECT_EQ(textOf(box->getSizeBox(256)->m_hWnd), L"256 x 256  (Vista/7)");

    box->getSizeBox(32)->setChecked(false);
    setting->readConfigBox();
    EXPECT_EQ(setting->sizes.count(), 0u);

    for (int32_t size : {256, 16, 80}) box->getSizeBox(size)->setChecked(true);
    box->getDepthBox(32)->setChecked(true);
    box->getDepthBox(4)->setChecked(true);
    box->getKeepRatio()->setChecked(false);
    setting->readConfigBox();
    EXPECT_EQ(std::vector<int>(setting->sizes.items(), setting->sizes.items() + setting->sizes.count()),
              (std::vector<int>{16, 80, 256}));
    EXPECT_EQ(std::vector<int>(setting->depths.items(), setting->depths.items() + setting->depths.count()),
              (std::vector<int>{4, 8, 32}));
    EXPECT_FALSE(setting->keepRatio);

    // Every size the panel offers survives the store.
    auto* reloaded = s::image::ico::EncodeSetting::create();
    reloaded->bind(kSection, store);
    EXPECT_EQ(std::vector<int>(reloaded->sizes.items(), reloaded->sizes.items() + reloaded->sizes.count()),
              (std::vector<int>{16, 80, 256}));
    EXPECT_FALSE(reloaded->keepRatio);
    reloaded->release();
    setting->release();
}

TEST_F(ConfigBoxTest, SizesFollowTheScreenScale) {
    for (int32_t scale : {1, 2, 4}) {
        s::system::setScreenScaleOverride(scale);
        auto* setting = s::image::jpg::EncodeSetting::create();
        auto* box = open<JpgConfigBox>(setting);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->getBackground()->getColorPicker()->getField()->getWidth(), 60 * scale) << scale;
        // Without a language pack the quality field keeps its unscaled width.
        EXPECT_EQ(box->getQualityField()->getWidth(), 35) << scale;
        panel->removeChild(box->getPanel(), false);
        setting->release();
    }
    s::system::setScreenScaleOverride(0);
}

const wchar_t* const kPack =
    L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    L"<lang><LANGUAGES>"
    L"<entry tagName=\"eng\" engName=\"English\" trueName=\"English\"></entry>"
    L"</LANGUAGES><entries>"
    L"<entry id=\"2000001000\"><eng>Keep the see-through</eng></entry>"
    L"<entry id=\"2000009000\"><eng>Interlaced</eng></entry>"
    L"</entries></lang>\n";

TEST_F(ConfigBoxTest, AnOwnerWithALanguagePackGivesTheCaptions) {
    s::lang::Localizer* localizer = s::lang::Localizer::loadXmlText(kPack);
    localizer->setLanguage(L"English");
    window->setLocalizer(localizer);
    auto* setting = s::image::png::EncodeSetting::create();
    auto* box = open<PngConfigBox>(setting, window);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(textOf(box->getBackground()->getKeepButton()->m_hWnd), L"Keep the see-through");
    EXPECT_EQ(textOf(box->getInterlace()->m_hWnd), L"Interlaced");
    panel->removeChild(box->getPanel(), false);
    setting->release();
    window->setLocalizer(nullptr);
    localizer->release();
}

TEST_F(ConfigBoxTest, NoPanelWithoutInstalledMakers) {
    s::image::setConfigBoxHooks(nullptr);
    auto* setting = s::image::png::EncodeSetting::create();
    EXPECT_EQ(setting->createConfigBox(nullptr), nullptr);
    EXPECT_TRUE(setting->readConfigBox());
    setting->release();
    installConfigBoxes();
}

}  // namespace
