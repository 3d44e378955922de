// The save-options window over a real owner window: the format's panel, the owner held in
// its modal state while the window is up, and the values read back only when taken.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gui/box/Box.h"
#include "gui/controls/Button.h"
#include "gui/controls/ControlTestSupport.h"
#include "gui/controls/RadioButton.h"
#include "gui/controls/Slider.h"
#include "imaging/settings/EncodeSetting.h"
#include "platform/lang/Localizer.h"
#include "platform/xmlstore/MappedData.h"
#include "support/HostTool.h"
#include "viewer/saveopts/BgGroupBox.h"
#include "viewer/saveopts/ConfigBox.h"
#include "viewer/saveopts/SaveOptionsWindow.h"

using namespace s::image::gui::boxes;
using controltest::waitFor;

namespace {

const wchar_t kSection[] = L"Save";
const wchar_t kPath[] = L"Save\\JpgEncodeSetting";

class SaveOptionsWindowTest : public controltest::ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        installConfigBoxes();
        const std::string dir = testsupport::makeTempDir("saveoptions");
        store = s::xml::MappedData::openFile(testsupport::winPath(dir + "/SaveData.xml").c_str());
        setting = s::image::jpg::EncodeSetting::create();
        setting->bind(kSection, store);
    }
    void TearDown() override {
        setting->release();
        store->release();
        ControlTest::TearDown();
    }
    bool ownerEnabled() { return IsWindowEnabled(window->getHwnd()) != FALSE; }
    static std::wstring textOf(HWND hwnd) {
        wchar_t text[128] = {};
        GetWindowTextW(hwnd, text, 128);
        return text;
    }
    s::xml::MappedData* store = nullptr;
    s::image::jpg::EncodeSetting* setting = nullptr;
};

TEST_F(SaveOptionsWindowTest, OnlyTheTakenValuesReachTheSetting) {
    enum class Act { Ok, Cancel, Close };
    struct Case {
        const char* name;
        Act act;
        bool taken;
    };
    const Case cases[] = {{"ok", Act::Ok, true}, {"cancel", Act::Cancel, false}, {"close", Act::Close, false}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        setting->quality = 75;
        store->setInt(kPath, L"Quality", 75);
        ASSERT_TRUE(ownerEnabled());

        SaveOptionsWindow asker(window, setting, nullptr);
        ASSERT_TRUE(asker.open());
        HWND shown = asker.window()->getHwnd();
        EXPECT_TRUE(IsWindowVisible(shown));
        // The owner is kept on top: so is the window over it.
        EXPECT_TRUE(GetWindowLongPtrW(shown, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_FALSE(ownerEnabled());
        auto* box = dynamic_cast<JpgConfigBox*>(setting->getConfigBox());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->getSlider()->getPosition(), 75);
        box->getSlider()->setPosition(33);

        switch (k.act) {
            case Act::Ok: SendMessageW(asker.okButton()->m_hWnd, BM_CLICK, 0, 0); break;
            case Act::Cancel: SendMessageW(asker.cancelButton()->m_hWnd, BM_CLICK, 0, 0); break;
            case Act::Close: PostMessageW(shown, WM_CLOSE, 0, 0); break;
        }
        EXPECT_EQ(asker.waitForAnswer(), k.taken);
        EXPECT_EQ(setting->quality, k.taken ? 33 : 75);
        EXPECT_EQ(store->getInt(kPath, L"Quality", -1), k.taken ? 33 : 75);
        EXPECT_TRUE(ownerEnabled());
        EXPECT_EQ(asker.window(), nullptr);
        EXPECT_FALSE(IsWindow(shown));
        // The panel went with its window: a later read finds nothing to copy.
        EXPECT_EQ(setting->getConfigBox(), nullptr);
        EXPECT_TRUE(setting->readConfigBox());
        EXPECT_EQ(setting->quality, k.taken ? 33 : 75);
    }
}

TEST_F(SaveOptionsWindowTest, TextsComeFromTheLanguagePackWhereItHasThem) {
    const wchar_t* pack =
        L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        L"<lang><LANGUAGES>"
        L"<entry tagName=\"eng\" engName=\"English\" trueName=\"English\"></entry>"
        L"</LANGUAGES><entries>"
        L"<entry id=\"1990004100\"><eng>Keep as...</eng></entry>"
        L"<entry id=\"1990004852\"><eng>Keep</eng></entry>"
        L"<entry id=\"2000001000\"><eng>Keep the see-through</eng></entry>"
        L"</entries></lang>\n";
    s::lang::Localizer* localizer = s::lang::Localizer::loadXmlText(pack);
    localizer->setLanguage(L"English");
    {
        SaveOptionsWindow asker(window, setting, localizer);
        ASSERT_TRUE(asker.open());
        EXPECT_EQ(textOf(asker.window()->getHwnd()), L"Keep as");
        EXPECT_EQ(textOf(asker.okButton()->m_hWnd), L"Keep");
        EXPECT_EQ(textOf(asker.cancelButton()->m_hWnd), L"Cancel");
        // The panel is built for the options window and so takes its captions from the pack.
        auto* box = dynamic_cast<JpgConfigBox*>(setting->getConfigBox());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(textOf(box->getBackground()->getKeepButton()->m_hWnd), L"Keep the see-through");
        SendMessageW(asker.cancelButton()->m_hWnd, BM_CLICK, 0, 0);
        EXPECT_FALSE(asker.waitForAnswer());
    }
    {
        // Without a pack: the English texts.
        SaveOptionsWindow asker(window, setting, nullptr);
        ASSERT_TRUE(asker.open());
        EXPECT_EQ(textOf(asker.window()->getHwnd()), L"Save Options");
        EXPECT_EQ(textOf(asker.okButton()->m_hWnd), L"OK");
        // The window holds the whole panel with both buttons under it.
        HWND shown = asker.window()->getHwnd();
        auto* box = dynamic_cast<JpgConfigBox*>(setting->getConfigBox());
        ASSERT_NE(box, nullptr);
        auto rectIn = [&](HWND child) {
            RECT r;
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, shown, reinterpret_cast<POINT*>(&r), 2);
            return r;
        };
        RECT client;
        GetClientRect(shown, &client);
        const RECT slider = rectIn(box->getSlider()->m_hWnd);
        for (HWND button : {asker.okButton()->m_hWnd, asker.cancelButton()->m_hWnd}) {
            const RECT b = rectIn(button);
            EXPECT_GT(b.right - b.left, 0);
            EXPECT_GT(b.bottom - b.top, 0);
            EXPECT_GE(b.top, slider.bottom);
            EXPECT_LE(b.bottom, client.bottom);
            EXPECT_LE(b.right, client.right);
        }
    }  // going out of scope while up counts as a cancel
    EXPECT_TRUE(ownerEnabled());
    EXPECT_EQ(setting->getConfigBox(), nullptr);
    localizer->release();
}

TEST_F(SaveOptionsWindowTest, NothingIsShownForASettingWithoutAPanel) {
    EXPECT_FALSE(askSaveOptions(window, nullptr, nullptr));
    s::image::setConfigBoxHooks(nullptr);
    EXPECT_FALSE(askSaveOptions(window, setting, nullptr));
    installConfigBoxes();
    EXPECT_TRUE(ownerEnabled());
}

}  // namespace
