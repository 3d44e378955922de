// The side panels in a real window: start values read from the settings, their buttons
// and lists turned into the controller's actions, and the settings they write.
#include <windows.h>

#include <gtest/gtest.h>

#include "viewer/panels/ToolPanelsFixture.h"
#include "viewer/worker/ViewerWorker.h"

using namespace toolpanelstest;
using controltest::waitFor;
using s::gui::ButtonEvent::kAction;
using s::gui::ButtonEvent::kToggle;
using s::gui::CheckBoxEvent::kChecked;
using s::gui::CheckBoxEvent::kUnchecked;

namespace {

TEST_F(ToolPanelsTest, EveryPanelIsBuiltAndOtherCommandsHaveNone) {
    make();
    for (int32_t command : kAllPanels) {
        s::gui::IBox* box = tools->panelFor(command);
        ASSERT_NE(box, nullptr) << command;
        EXPECT_GT(box->getChildCount(), 0) << command;
    }
    EXPECT_EQ(tools->panelFor(cmd::kPanelSharpness), nullptr);
    EXPECT_EQ(tools->panelFor(0), nullptr);
    EXPECT_NE(tools->convertDropBox(), nullptr);
}

TEST_F(ToolPanelsTest, ScreenshotKindShapesTheCaptureButton) {
    struct Case {
        int32_t stored;
        int32_t kind;
        int32_t textId;
        bool toggle;
        int32_t listIndex;
    };
    const Case cases[] = {
        {1, 1, tooltext::kCapture, false, 0},
        {3, 3, tooltext::kPick, true, 1},
        {5, 5, tooltext::kPick, true, 2},
        {4, 1, tooltext::kCapture, false, 0},  // not a kind: the entire screen
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.stored);
        registry.putDword(path(L"ScreenShot"), L"Type", DWORD(k.stored));
        if (tools) {
            TearDown();
            SetUp();
        }
        make(false);
        EXPECT_EQ(tools->captureType(), k.kind);
        EXPECT_EQ(c->captureButton->getTextId(), k.textId);
        EXPECT_EQ(c->captureButton->isReleasable(), k.toggle);
        EXPECT_FALSE(c->captureButton->isToggled());
        EXPECT_EQ(c->captureList->getSelectedIndex(), k.listIndex);
    }
}

TEST_F(ToolPanelsTest, CaptureButtonCapturesAtOnceOrStartsAPickAndWritesTheKind) {
    make(false);
    tools->handleEvent(c->captureButton, kAction);
    EXPECT_EQ(host->calls, std::vector<std::wstring>{L"captureNow"});
    host->calls.clear();

    // Choosing "Window Part" turns the button into a pick toggle.
    c->captureList->select(2, false);
    ASSERT_TRUE(tools->handleEvent(c->captureList, 0));
    EXPECT_EQ(tools->captureType(), 5);
    EXPECT_EQ(c->captureButton->getTextId(), tooltext::kPick);
    c->captureButton->setToggled(true);
    tools->handleEvent(c->captureButton, kAction);  // the click's action: the toggle acts
    tools->handleEvent(c->captureButton, kToggle);
    EXPECT_EQ(host->calls, std::vector<std::wstring>{L"pick 5"});
    EXPECT_EQ(registry.dwordOf(path(L"ScreenShot"), L"Type"), 5u);

    tools->captureEnded();
    EXPECT_FALSE(c->captureButton->isToggled());
}

TEST_F(ToolPanelsTest, SaveAndPrintListsSelectTheStoredKind) {
    struct Case {
        int32_t saveType;
        int32_t saveData;  // the Save list has no entry for 2: its data shows no 2
        int32_t printType;
        int32_t printIndex;
        const wchar_t* saved;  // what the Save button does
    };
    const Case cases[] = {
        {1, 1, 1, 0, L"saveAs 00"}, {2, 1, 2, 1, L"saveAs 01"}, {3, 3, 5, 4, L"saveAs 10"}, {4, 4, 6, 5, L"saveAs 11"}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.saveType);
        registry.putDword(path(L"Save"), L"Type", DWORD(k.saveType));
        registry.putDword(path(L"Print"), L"Type", DWORD(k.printType));
        if (tools) {
            TearDown();
            SetUp();
        }
        make(false);
        EXPECT_EQ(c->saveList->getSelectedItem()->getData(), k.saveData);
        EXPECT_EQ(tools->saveType(), k.saveType);
        EXPECT_EQ(c->printList->getSelectedIndex(), k.printIndex);
        EXPECT_EQ(tools->printType(), k.printType);
        for (int32_t i = 0; i < c->saveList->getItemCount(); ++i) EXPECT_NE(c->saveList->getItem(i)->getData(), 2);
        tools->handleEvent(c->saveButton, s::gui::ButtonEvent::kAction);
        EXPECT_EQ(host->calls, std::vector<std::wstring>{k.saved});
    }
}

TEST_F(ToolPanelsTest, SaveButtonSavesByTheChosenKindAndStoresIt) {
    make(false);
    struct Case {
        int32_t index;
        const wchar_t* call;
        DWORD stored;
    };
    const Case cases[] = {{0, L"saveAs 00", 1}, {1, L"saveAs 10", 3}, {2, L"saveAs 11", 4}};
    for (const Case& k : cases) {
        host->calls.clear();
        c->saveList->select(k.index, false);
        tools->handleEvent(c->saveList, 0);
        tools->handleEvent(c->saveButton, kAction);
        EXPECT_EQ(host->calls, std::vector<std::wstring>{k.call});
        EXPECT_EQ(registry.dwordOf(path(L"Save"), L"Type"), k.stored);
    }
}

TEST_F(ToolPanelsTest, PrintButtonPrintsByKindOnlyWithAPicture) {
    make(false);
    const wchar_t* expected[] = {L"print 000", L"print 010", L"print 100", L"print 110", L"print 001", L"print 011"};
    for (int32_t i = 0; i < 6; ++i) {
        host->calls.clear();
        c->printList->select(i, false);
        tools->handleEvent(c->printList, 0);
        tools->handleEvent(c->printButton, kAction);
        EXPECT_EQ(host->calls, std::vector<std::wstring>{expected[i]});
        EXPECT_EQ(registry.dwordOf(path(L"Print"), L"Type"), DWORD(i + 1));
    }
    host->calls.clear();
    host->pictureShown = false;
    tools->handleEvent(c->printButton, kAction);
    EXPECT_TRUE(host->calls.empty());
}

TEST_F(ToolPanelsTest, AutoRotateCheckBoxAndCommandStayTogether) {
    autoRotate = false;
    make(false);
    EXPECT_FALSE(c->autoRotateCheck->isChecked());
    tools->handleEvent(c->autoRotateCheck, kChecked);
    EXPECT_TRUE(host->autoRotate);
    tools->handleEvent(c->autoRotateCheck, kUnchecked);
    EXPECT_FALSE(host->autoRotate);
    tools->showAutoRotate(true);
    EXPECT_TRUE(c->autoRotateCheck->isChecked());
}

TEST_F(ToolPanelsTest, SlideShowIntervalFieldFallsBackAndIsStored) {
    registry.putText(path(L"SlideShow"), L"MSec", L"2500");
    make(false);
    EXPECT_EQ(std::wstring(c->intervalField->getText()), L"2500");
    struct Case {
        const wchar_t* typed;
        int32_t interval;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {L"700", 700, L"700"},
        {L"-5", kDefaultSlideShowInterval, L"1800"},
        {L"soon", kDefaultSlideShowInterval, L"1800"},  // not a number: the last one stays
        {L"0", 0, L"0"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.typed);
        c->intervalField->setText(k.typed, false);
        EXPECT_EQ(tools->slideShowInterval(), k.interval);
        EXPECT_EQ(std::wstring(c->intervalField->getText()), k.shown);
        EXPECT_EQ(registry.textOf(path(L"SlideShow"), L"MSec"), k.shown);
    }
}

TEST_F(ToolPanelsTest, SlideShowButtonStartsOrStopsAndShowsTheState) {
    make(false);
    c->intervalField->setText(L"-5", false);
    tools->handleEvent(c->slideButton, kAction);
    EXPECT_EQ(host->calls, std::vector<std::wstring>{L"startSlideShow"});
    tools->slideShowStarted();
    EXPECT_EQ(c->slideButton->getTextId(), tooltext::kStop);
    host->slideShowRunning = true;
    host->calls.clear();
    tools->handleEvent(c->slideButton, kAction);
    EXPECT_EQ(host->calls, std::vector<std::wstring>{L"stop"});
    tools->slideShowEnded();
    EXPECT_EQ(c->slideButton->getTextId(), tooltext::kStart);

    EXPECT_TRUE(tools->isSlideShowRepeat());
    c->repeatCheck->setCheckedSilently(false);
    tools->handleEvent(c->repeatCheck, kUnchecked);
    EXPECT_FALSE(tools->isSlideShowRepeat());
    EXPECT_EQ(registry.dwordOf(path(L"SlideShow"), L"Repeat"), 0u);
    tools->handleEvent(c->repeatCheck, kChecked);
    EXPECT_EQ(registry.dwordOf(path(L"SlideShow"), L"Repeat"), 1u);
}

TEST_F(ToolPanelsTest, TheControllerReadsAndRewritesTheSlideShowControls) {
    registry.putText(path(L"SlideShow"), L"MSec", L"2500");
    registry.putDword(path(L"SlideShow"), L"Repeat", 0);
    make(false);
    EXPECT_EQ(tools->slideShowIntervalText(), L"2500");
    EXPECT_FALSE(tools->slideShowRepeat());
    c->intervalField->setText(L"-5", false);
    EXPECT_EQ(tools->slideShowIntervalText(), L"-5");
    tools->setSlideShowIntervalText(L"1800");
    EXPECT_EQ(std::wstring(c->intervalField->getText()), L"1800");
    c->repeatCheck->setCheckedSilently(true);
    EXPECT_TRUE(tools->slideShowRepeat());
}

TEST_F(ToolPanelsTest, AClickOnARealButtonReachesTheHost) {
    make(false);
    HWND button = c->saveButton->m_hWnd;
    ASSERT_NE(button, nullptr);
    PostMessageW(button, BM_CLICK, 0, 0);
    ASSERT_TRUE(waitFor([&] { return !host->calls.empty(); }));
    EXPECT_EQ(host->calls.front(), L"saveAs 00");
}

TEST_F(ToolPanelsTest, ToolbarFitAndPalmButtonsCollapseWithTheTitleBar) {
    struct Case {
        bool titleBar;
        int32_t scale;
    };
    for (const Case& k : {Case{false, 1}, Case{true, 1}, Case{false, 2}}) {
        SCOPED_TRACE(k.titleBar);
        SCOPED_TRACE(k.scale);
        if (tools) {
            TearDown();
            SetUp();
        }
        titleBar = k.titleBar;
        scale = k.scale;
        make(false);
        const ToolbarControls& t = tools->toolbar();
        tools->panelFor(cmd::kPanelView)->doLayout();
        for (s::gui::IButton* b : {t.palm, t.fitToWindow, t.fitWindow})
            EXPECT_EQ(b->getWidth(), k.titleBar ? 0 : 18 * k.scale);
        EXPECT_EQ(t.left->getWidth(), 18 * k.scale);
        EXPECT_EQ(t.left->getHeight(), 18 * k.scale);
        EXPECT_EQ(t.fitGap->getWidth(), k.titleBar ? 0 : 7 * k.scale);
        EXPECT_EQ(t.compactSpacer->getWidth(), 0);
        EXPECT_EQ(t.zoom->getPosition(), 50);
    }
}

}  // namespace
