// Group boxes in a real window: a system group box window, the title shown with its
// ampersands, the caption measured in the title font (growing only), the content placed
// inside the margins the caption leaves, the title font as the window's font, the frame
// painted by the drawer into the area below half the caption, titles from the language
// pack, and files dropped on the content reaching the drop listeners.
#include "gui/controls/GroupBox.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "gui/box/Box.h"
#include "gui/drawer/IMenu.h"
#include "gui/fonts/Font.h"
#include "gui/window/WindowTestSupport.h"
#include "platform/file/PathArray.h"
#include "platform/lang/Localizer.h"
#include "support/DropFiles.h"

namespace {

namespace LayoutKind = s::gui::LayoutKind;
using s::gui::win::Box;
using s::gui::win::GroupBox;
using s::gui::win::GroupBoxMargins;
using s::gui::win::groupBoxWindowText;
using windowtest::Recorder;
using windowtest::waitFor;

RECT rectInParent(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring windowText(HWND h) {
    wchar_t buffer[256] = {};
    GetWindowTextW(h, buffer, 256);
    return buffer;
}

// The extent of a text in a font, as the group box measures its caption.
SIZE extentOf(HWND h, HFONT font, const wchar_t* text) {
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text, int(wcslen(text)), &size);
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    return size;
}

// A group box drawer that records what it was asked to paint.
class RecordingDrawer : public s::gui::drawer::IGroupBox {
public:
    const wchar_t* getClassName() const override { return L"test_RecordingGroupDrawer"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void paint(HDC dc, int32_t l, int32_t t, int32_t r, int32_t b, const wchar_t* caption, s::gui::IFont* f, int32_t cw,
               int32_t ch) override {
        rect = {l, t, r, b};
        text = caption ? caption : L"";
        font = f;
        captionWidth = cw;
        captionHeight = ch;
        const RECT fill{l, t, r, b};
        HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
        FillRect(dc, &fill, brush);
        DeleteObject(brush);
        ++paints;
    }
    void setFrameColor(int r, int g, int b) override { frame = RGB(r, g, b); }
    uint8_t getFrameRed() const override { return GetRValue(frame); }
    uint8_t getFrameGreen() const override { return GetGValue(frame); }
    uint8_t getFrameBlue() const override { return GetBValue(frame); }
    void applyToFonts(s::gui::IFont* normal, s::gui::IFont* disabled) override {
        normalGiven = normal;
        disabledGiven = disabled;
    }
    s::gui::IFontSetting* getTextStyle1() override { return nullptr; }
    s::gui::IFontSetting* getTextStyle2() override { return nullptr; }

    RECT rect{};
    std::wstring text;
    s::gui::IFont* font = nullptr;
    s::gui::IFont* normalGiven = nullptr;
    s::gui::IFont* disabledGiven = nullptr;
    int32_t captionWidth = 0, captionHeight = 0;
    COLORREF frame = 0;
    std::atomic<int> paints{0};
};

class GroupBoxTest : public windowtest::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->setBounds(120, 120, 400, 300);
        window->setVisible(true, true);
    }
    GroupBox* attach(GroupBox* g) {
        window->addChild(g);
        EXPECT_NE(g->m_hWnd, nullptr);
        return g;
    }
    Box* contentOf(GroupBox* g) { return dynamic_cast<Box*>(g->getContent()); }
};

TEST(GroupBoxTextTest, EveryAmpersandIsDoubledForTheWindow) {
    EXPECT_EQ(groupBoxWindowText(L"Size & colour"), L"Size && colour");
    EXPECT_EQ(groupBoxWindowText(L"A&B&&C&"), L"A&&B&&&&C&&");
    EXPECT_EQ(groupBoxWindowText(L"Plain"), L"Plain");
    EXPECT_EQ(groupBoxWindowText(nullptr), L"");
}

TEST(GroupBoxTextTest, MarginsFollowTheCaptionHeight) {
    EXPECT_EQ(GroupBoxMargins::forCaptionHeight(13), (GroupBoxMargins{4, 4, 14, 4}));
    EXPECT_EQ(GroupBoxMargins::forCaptionHeight(0), (GroupBoxMargins{4, 4, 1, 4}));
}

TEST_F(GroupBoxTest, TheWindowIsASystemGroupBox) {
    GroupBox* g = attach(GroupBox::createWithText(L"Options", 100, LayoutKind::kColumn, 0, 4, 6, 4));
    ASSERT_NE(g->m_hWnd, nullptr);
    wchar_t cls[64] = {};
    GetClassNameW(g->m_hWnd, cls, 64);
    EXPECT_EQ(_wcsicmp(cls, L"Button"), 0) << cls;
    EXPECT_EQ(GetWindowLongW(g->m_hWnd, GWL_STYLE) & 0xF, BS_GROUPBOX);
    EXPECT_EQ(GetDlgCtrlID(g->m_hWnd), 1000);
    EXPECT_TRUE(IsWindowVisible(g->m_hWnd));
}

TEST_F(GroupBoxTest, AnAmpersandInTheTitleIsShownItself) {
    GroupBox* g = attach(GroupBox::createWithText(L"Black&White", 100, LayoutKind::kColumn, 0, 0, 0, 0));
    EXPECT_EQ(windowText(g->m_hWnd), L"Black&&White");
    EXPECT_STREQ(g->getTitle(), L"Black&White");
    g->setTitle(L"R&D");
    EXPECT_EQ(windowText(g->m_hWnd), L"R&&D");
    g->setTitle(nullptr);
    EXPECT_EQ(windowText(g->m_hWnd), L"");
    EXPECT_STREQ(g->getTitle(), L"");
}

TEST_F(GroupBoxTest, TheCaptionIsMeasuredInTheTitleFontAndOnlyGrows) {
    GroupBox* g = attach(GroupBox::createWithText(L"Short", 100, LayoutKind::kColumn, 0, 0, 0, 0));
    HFONT font = g->getTitleFont()->getHandle();
    const SIZE shortSize = extentOf(g->m_hWnd, font, L"Short");
    EXPECT_EQ(g->getCaptionWidth(), shortSize.cx);
    EXPECT_EQ(g->getCaptionHeight(), shortSize.cy);
    EXPECT_GT(shortSize.cy, 0);

    g->setTitle(L"A much longer caption");
    const SIZE longSize = extentOf(g->m_hWnd, font, L"A much longer caption");
    EXPECT_EQ(g->getCaptionWidth(), longSize.cx);
    g->setTitle(L"S");
    EXPECT_EQ(g->getCaptionWidth(), longSize.cx);  // kept: the content does not jump

    // A larger font grows the height, and the margins with it.
    g->setPointSize(20);
    const SIZE big = extentOf(g->m_hWnd, g->getTitleFont()->getHandle(), L"S");
    EXPECT_GT(big.cy, shortSize.cy);
    EXPECT_EQ(g->getCaptionHeight(), big.cy);
    EXPECT_EQ(g->getMargins(), GroupBoxMargins::forCaptionHeight(big.cy));
}

TEST_F(GroupBoxTest, TheContentSitsInsideTheMargins) {
    GroupBox* g = attach(GroupBox::createWithText(L"Frame", -1, LayoutKind::kColumn, 0, 0, 0, 0));
    g->setFixedWidth(200);
    g->setFixedHeight(120);
    window->validate();
    Box* content = contentOf(g);
    ASSERT_NE(content, nullptr);
    ASSERT_NE(content->m_hWnd, nullptr);
    EXPECT_EQ(GetParent(content->m_hWnd), g->m_hWnd);
    const int32_t h = g->getCaptionHeight();
    const RECT r = rectInParent(content->m_hWnd);
    EXPECT_EQ(r.left, 4);
    EXPECT_EQ(r.top, h + 1);
    EXPECT_EQ(r.right - r.left, 200 - 8);
    EXPECT_EQ(r.bottom - r.top, 120 - (h + 1) - 4);
    EXPECT_EQ(g->getInnerWidth(), 192);
    EXPECT_EQ(g->getInnerHeight(), 120 - h - 5);
}

TEST_F(GroupBoxTest, ChildrenGoIntoTheContent) {
    GroupBox* g = attach(GroupBox::createWithText(L"Frame", 100, LayoutKind::kColumn, 0, 0, 0, 0));
    Box* child = Box::createSized(LayoutKind::kColumn, 30, 20, 0, 0, 0);
    g->addChild(child);
    EXPECT_EQ(g->getChildCount(), 1);  // the content only
    EXPECT_EQ(contentOf(g)->getChildCount(), 1);
    ASSERT_NE(child->m_hWnd, nullptr);
    EXPECT_EQ(GetParent(child->m_hWnd), contentOf(g)->m_hWnd);
}

TEST_F(GroupBoxTest, TheTitleFontIsTheWindowsFont) {
    GroupBox* g = attach(GroupBox::createWithText(L"Bold", 100, LayoutKind::kColumn, 0, 0, 0, 0));
    const int32_t plainWidth = g->getCaptionWidth();
    g->setBold(true);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(g->m_hWnd, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW lf{};
    ASSERT_NE(GetObjectW(font, sizeof(lf), &lf), 0);
    EXPECT_GE(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(g->isBold());
    EXPECT_GE(g->getCaptionWidth(), plainWidth);
}

TEST_F(GroupBoxTest, AFixedSizeClearsThePercentAndTheReverse) {
    GroupBox* g = attach(GroupBox::createWithText(L"Frame", -1, LayoutKind::kColumn, 0, 0, 0, 0));
    const int32_t parentInner = window->getInnerWidth();
    g->setWidthPercent(50);
    EXPECT_EQ(g->getPreferredWidth(), (parentInner + 1) / 2);
    g->setFixedWidth(120);
    EXPECT_EQ(g->getPreferredWidth(), 120);
    g->setWidthPercent(50);
    EXPECT_EQ(g->getPreferredWidth(), (parentInner + 1) / 2);
    g->setFixedHeight(70);
    EXPECT_EQ(g->getPreferredHeight(), 70);
    EXPECT_EQ(g->getMinHeight(), 70);
}

TEST_F(GroupBoxTest, TheDrawerPaintsBelowHalfTheCaptionWithTheStateFont) {
    RecordingDrawer drawer;
    GroupBox* g = attach(GroupBox::createWithText(L"Painted", -1, LayoutKind::kColumn, 0, 0, 0, 0));
    g->setFixedWidth(180);
    g->setFixedHeight(90);
    window->validate();
    g->setDrawer(&drawer, false);
    EXPECT_EQ(drawer.normalGiven, g->getTitleFont());
    EXPECT_EQ(drawer.disabledGiven, g->getDisabledTitleFont());
    ASSERT_TRUE(waitFor([&] { return drawer.paints > 0; }));
    const int32_t h = g->getCaptionHeight();
    EXPECT_EQ(drawer.rect.left, 0);
    EXPECT_EQ(drawer.rect.top, h / 2);
    EXPECT_EQ(drawer.rect.right, 180);
    EXPECT_EQ(drawer.rect.bottom, 90);
    EXPECT_EQ(drawer.text, L"Painted");  // the painter gets the title itself
    EXPECT_EQ(drawer.captionWidth, g->getCaptionWidth());
    EXPECT_EQ(drawer.captionHeight, h);
    EXPECT_EQ(drawer.font, g->getTitleFont());

    drawer.paints = 0;
    g->setEnabled(false);
    ASSERT_TRUE(waitFor([&] { return drawer.paints > 0; }));
    EXPECT_EQ(drawer.font, g->getDisabledTitleFont());
    EXPECT_FALSE(IsWindowEnabled(g->m_hWnd));
    EXPECT_FALSE(g->isEnabled());

    g->setTitleColor(10, 20, 30);
    EXPECT_EQ(g->getTitleColor(), 0x1E140Au);
    EXPECT_EQ(drawer.frame, RGB(10, 20, 30));
    g->setDrawer(nullptr, false);
}

TEST_F(GroupBoxTest, TheTitleIdComesFromTheLanguagePackAndFollowsIt) {
    const wchar_t* pack =
        L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<lang><LANGUAGES>"
        L"<entry tagName=\"eng\" engName=\"English\" trueName=\"English\"></entry>"
        L"<entry tagName=\"deu\" engName=\"German\" trueName=\"Deutsch\"></entry></LANGUAGES>"
        L"<entries><entry id=\"1990004121\"><eng>Drop &amp; Box</eng><deu>Ablage</deu></entry></entries></lang>";
    s::lang::Localizer* localizer = s::lang::Localizer::loadXmlText(pack);
    ASSERT_NE(localizer, nullptr);
    localizer->setLanguage(L"English");
    window->setLocalizer(localizer);
    GroupBox* g = attach(GroupBox::createDropBox(100, -1, 0, 0, 0, 0));
    EXPECT_EQ(g->getTitleId(), GroupBox::kDropBoxTitleId);
    EXPECT_EQ(windowText(g->m_hWnd), L"Drop && Box");
    localizer->setLanguage(L"German");
    EXPECT_EQ(windowText(g->m_hWnd), L"Ablage");
    window->removeChild(g, true);
    window->setLocalizer(nullptr);
    localizer->release();
}

using testsupport::makeDrop;

TEST_F(GroupBoxTest, AcceptFilesSetBeforeTheContentReachesTheDropListeners) {
    GroupBox* g = GroupBox::create();
    g->setAcceptFiles(true);
    Box* content = Box::createWithLayout(LayoutKind::kColumn, 100, 100, -1, -1, 0, 0, 0, 0);
    g->setContent(content);
    g->setAcceptFiles(false);
    g->setAcceptFiles(true);  // listed once however often it is switched
    attach(g);
    ASSERT_NE(content->m_hWnd, nullptr);
    EXPECT_TRUE(GetWindowLongW(content->m_hWnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

    Recorder dropped;
    s::base::IObject* source = nullptr;
    struct Source : s::gui::events::IEventListener {
        s::base::IObject** out;
        void onEvent(s::base::IObject* s, int32_t) override { *out = s; }
    } sourceSpy;
    sourceSpy.out = &source;
    g->addDropListener(&dropped);
    g->addDropListener(&sourceSpy);
    SendMessageW(content->m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({L"Z:\\tmp\\a.png"})), 0);
    ASSERT_EQ(dropped.codes, std::vector<int32_t>{1});
    EXPECT_EQ(source, static_cast<s::base::IObject*>(g));
    ASSERT_NE(g->getDroppedPaths(), nullptr);
    EXPECT_EQ(g->getDroppedPaths()->getCount(), 1);
}

TEST_F(GroupBoxTest, ResetForgetsTitleContentAndCollapse) {
    GroupBox* g = GroupBox::createWithText(L"Temp", 40, LayoutKind::kRow, 0, 0, 0, 0);
    g->setCollapsed(true);
    g->setTitleColor(1, 2, 3);
    EXPECT_TRUE(g->isCollapsed());
    g->reset();
    EXPECT_FALSE(g->isCollapsed());
    EXPECT_STREQ(g->getTitle(), L"");
    EXPECT_EQ(g->getTitleId(), -1);
    EXPECT_EQ(g->getContent(), nullptr);
    EXPECT_EQ(g->getChildCount(), 0);
    EXPECT_EQ(g->getTitleColor(), 0xBFD0D0u);
    g->release();
}

TEST_F(GroupBoxTest, AHiddenGroupBoxStaysHiddenThroughLayoutsAndTakesItsContentAlong) {
    GroupBox* g = attach(GroupBox::createWithText(L"Hide", -1, LayoutKind::kColumn, 0, 0, 0, 0));
    g->setFixedWidth(150);
    g->setFixedHeight(80);
    window->validate();
    Box* content = contentOf(g);
    g->setVisible(false, true);
    EXPECT_FALSE(IsWindowVisible(g->m_hWnd));
    EXPECT_FALSE(content->isVisible());
    window->validate();
    EXPECT_FALSE(IsWindowVisible(g->m_hWnd));
    g->setVisible(true, true);
    EXPECT_TRUE(IsWindowVisible(g->m_hWnd));
    EXPECT_TRUE(IsWindowVisible(content->m_hWnd));
    const RECT r = rectInParent(g->m_hWnd);
    EXPECT_EQ(r.left, 0);  // laid out again, back from where it was parked
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 150);
}

// The content panel is transparent: it shows what the group box painted under it.
TEST_F(GroupBoxTest, TheContentShowsTheGroupBoxsOwnPicture) {
    RecordingDrawer drawer;
    GroupBox* g = attach(GroupBox::createWithText(L"Blue", -1, LayoutKind::kColumn, 0, 0, 0, 0));
    g->setFixedWidth(160);
    g->setFixedHeight(100);
    g->setBackgroundColor(255, 0, 0, false);
    g->setDrawer(&drawer, false);
    window->validate();
    Box* content = contentOf(g);
    ASSERT_NE(content->m_hWnd, nullptr);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = GetDC(content->m_hWnd);
    const COLORREF inside = GetPixel(dc, 20, 20);
    ReleaseDC(content->m_hWnd, dc);
    EXPECT_EQ(inside, RGB(0, 0, 255));
    g->setDrawer(nullptr, false);
}

}  // namespace
