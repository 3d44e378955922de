// Labels in a real window: text measured and wrapped by their drawer, sizes remembered
// per width, temporary texts, the text of an id without a language pack, hidden labels,
// and clickable labels that open their link through the shell (clicked with SendInput)
// while plain labels let clicks through.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/component/Events.h"
#include "gui/controls/ControlTestSupport.h"
#include "gui/controls/Label.h"
#include "platform/lang/Localizer.h"
#include "platform/shell/Shell.h"

namespace {

using controltest::ControlTest;
using controltest::DrawTextDrawer;
using controltest::Recorder;
using controltest::waitFor;
using s::gui::win::Label;

std::vector<std::wstring> g_opened;

int32_t recordOpen(const wchar_t* file) {
    g_opened.push_back(file ? file : L"");
    return 1;
}

class LabelTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        g_opened.clear();
        s::shell::setOpenOverride(&recordOpen);
    }
    void TearDown() override {
        ControlTest::TearDown();
        s::shell::setOpenOverride(nullptr);
    }
    Label* addLabel(const wchar_t* text, bool wrap = false, bool ellipsis = false) {
        Label* l = Label::createWithText(text, ellipsis);
        l->setWordWrap(wrap);
        l->setDrawer(&drawer, false);
        panel->addChild(l);
        return l;
    }
    // Height of one line of the label's font.
    int32_t lineHeight(Label* l) {
        HDC dc = GetDC(l->m_hWnd);
        const RECT r = DrawTextDrawer::layOut(dc, L"Ag", l->getFont(), RECT{0, 0, 0, 0}, DT_SINGLELINE);
        ReleaseDC(l->m_hWnd, dc);
        return r.bottom;
    }
    DrawTextDrawer drawer;
};

TEST_F(LabelTest, MeasuresItsTextWithItsDrawer) {
    Label* l = addLabel(L"A line of text");
    ASSERT_NE(l->m_hWnd, nullptr);
    EXPECT_GT(drawer.measures, 0);
    EXPECT_GT(l->getPreferredWidth(), 40);
    EXPECT_EQ(l->getPreferredHeight(), lineHeight(l));
    EXPECT_TRUE(GetWindowLongW(l->m_hWnd, GWL_EXSTYLE) & WS_EX_TRANSPARENT);

    const int32_t before = l->getPreferredWidth();
    EXPECT_TRUE(l->setText(L"A line of text, and more of it", true));
    EXPECT_GT(l->getPreferredWidth(), before);
    EXPECT_FALSE(l->setText(L"A line of text, and more of it", true));  // unchanged
}

TEST_F(LabelTest, AWrappingLabelTakesTheHeightOfItsLinesAtTheWidthGiven) {
    Label* l = addLabel(L"one two three four five six seven eight nine ten eleven twelve", true);
    l->setSizeClamped(100, 0);
    EXPECT_LE(l->getWidth(), 100);
    EXPECT_GE(l->getHeight(), 3 * lineHeight(l));

    l->setSizeClamped(1000, 0);
    EXPECT_EQ(l->getHeight(), lineHeight(l));
}

TEST_F(LabelTest, SizesAreRememberedPerWidthUntilTheTextChanges) {
    Label* l = addLabel(L"one two three four five six", true);
    drawer.rectMeasures = 0;
    l->setSizeClamped(100, 0);
    l->setSizeClamped(150, 0);
    l->setSizeClamped(100, 0);
    EXPECT_EQ(drawer.rectMeasures, 2);

    // A new text empties the sizes: the width laid out before is measured again.
    l->setText(L"seven eight nine", true);
    const int afterText = drawer.rectMeasures;
    l->setSizeClamped(100, 0);
    EXPECT_EQ(drawer.rectMeasures, afterText + 1);
}

TEST_F(LabelTest, AnEllipsisLabelPaintsWithTheEllipsisFontAndHasNoMinimumWidth) {
    Label* l = addLabel(L"C:\\a very long folder name\\and a long file name.jpg", false, true);
    EXPECT_EQ(l->getMinWidth(), 1);
    EXPECT_GT(l->getPreferredWidth(), 100);
    l->setSizeClamped(60, 0);
    EXPECT_LE(l->getWidth(), 60);
    EXPECT_GT(l->getWidth(), 30);
    RedrawWindow(l->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(drawer.lastEllipsis);

    // A clickable label hands the flag on to its link fonts.
    l->setClickable(true);
    EXPECT_TRUE(l->getStateFont2()->isEndEllipsis());
    EXPECT_TRUE(l->getStateFont4()->isEndEllipsis());
}

TEST_F(LabelTest, TheOwnTextReturnsAfterTemporaryTexts) {
    for (const wchar_t* own : {L"Ready", L""}) {
        Label* l = addLabel(own);
        l->showTemporaryText(L"Saved", 5000);
        EXPECT_STREQ(l->getText(), L"Saved");
        // A second one before the first ends: the label's own text still returns.
        l->showTemporaryText(L"Copied", 50);
        EXPECT_STREQ(l->getText(), L"Copied");
        ASSERT_TRUE(waitFor([&] { return !l->isShowingTemporaryText(); }));
        EXPECT_STREQ(l->getText(), own);
        panel->removeChild(l, false);
    }
}

TEST_F(LabelTest, ATextSetWhileATemporaryTextShowsIsTheOneThatReturns) {
    Label* l = addLabel(L"Ready");
    l->showTemporaryText(L"Saved", 5000);
    EXPECT_TRUE(l->setText(L"Done", true));
    EXPECT_FALSE(l->setText(L"Done", true));
    EXPECT_STREQ(l->getText(), L"Saved");  // the temporary text keeps showing
    l->showTemporaryText(L"Copied", 50);
    ASSERT_TRUE(waitFor([&] { return !l->isShowingTemporaryText(); }));
    EXPECT_STREQ(l->getText(), L"Done");
}

TEST_F(LabelTest, ATextIdWithoutLanguagePackGivesTheEmptyText) {
    Label* l = addLabel(L"Something");
    l->setTextId(400330);
    EXPECT_EQ(l->getTextId(), 400330);
    EXPECT_STREQ(l->getText(), L"");
}

TEST_F(LabelTest, AHiddenLabelIsParkedAndStaysHidden) {
    Label* l = addLabel(L"Now you see me");
    l->setVisible(false, true);
    EXPECT_FALSE(IsWindowVisible(l->m_hWnd));
    EXPECT_EQ(l->getX(), -10000);
    panel->doLayout();
    EXPECT_FALSE(IsWindowVisible(l->m_hWnd));
    l->setVisible(true, true);
    EXPECT_TRUE(IsWindowVisible(l->m_hWnd));
    EXPECT_GE(l->getX(), 0);
}

TEST_F(LabelTest, ItPaintsItsTextOverTheBoxUnderIt) {
    s::gui::win::Box* red = s::gui::win::Box::createSized(s::gui::LayoutKind::kColumn, 150, 40, 0, 0, 0);
    red->setBackgroundColor(255, 0, 0, false);
    panel->addChild(red);
    Label* l = Label::createWithText(L"WWW", false);
    l->setDrawer(&drawer, false);
    l->setTextColor(0, 0, 255);
    red->addChild(l);
    ASSERT_GT(l->getWidth(), 4);
    RedrawWindow(red->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    HDC dc = GetDC(l->m_hWnd);
    int blue = 0, other = 0;
    for (int y = 0; y < l->getHeight(); ++y) {
        for (int x = 0; x < l->getWidth(); ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            if (c == RGB(0, 0, 255))
                ++blue;
            else if (c != RGB(255, 0, 0))
                ++other;
        }
    }
    const COLORREF corner = GetPixel(dc, l->getWidth() - 1, l->getHeight() - 1);
    ReleaseDC(l->m_hWnd, dc);
    EXPECT_EQ(corner, RGB(255, 0, 0));
    EXPECT_GT(blue, 10);
    EXPECT_EQ(drawer.lastText, L"WWW");
    red->removeChild(l, false);
}

const wchar_t* const kPack =
    L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    L"<lang><LANGUAGES>"
    L"<entry tagName=\"eng\" engName=\"English\" trueName=\"English\"></entry>"
    L"<entry tagName=\"deu\" engName=\"German\" trueName=\"Deutsch\"></entry>"
    L"</LANGUAGES><entries>"
    L"<entry id=\"400330\"><eng>Close</eng><deu>Schlie\xDF"
    L"en</deu></entry>"
    L"</entries></lang>\n";

TEST_F(LabelTest, ATextIdFollowsTheWindowsLanguage) {
    s::lang::Localizer* localizer = s::lang::Localizer::loadXmlText(kPack);
    localizer->setLanguage(L"English");
    window->setLocalizer(localizer);

    Label* l = Label::createWithTextId(400330, false, 0);
    l->setDrawer(&drawer, false);
    panel->addChild(l);
    EXPECT_STREQ(l->getText(), L"Close");
    localizer->setLanguage(L"German");
    EXPECT_STREQ(l->getText(),
                 L"Schlie\xDF"
                 L"en");
    l->setTextId(-1);
    EXPECT_STREQ(l->getText(), L"");

    panel->removeChild(l, false);
    window->setLocalizer(nullptr);
    localizer->release();
}

TEST_F(LabelTest, APlainLabelLetsClicksThrough) {
    Label* l = addLabel(L"Plain");
    const POINT c = controltest::centreOf(l->m_hWnd);
    EXPECT_EQ(SendMessageW(l->m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), HTTRANSPARENT);
    l->setClickable(true);
    EXPECT_EQ(SendMessageW(l->m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), HTCLIENT);
}

TEST_F(LabelTest, AClickedLinkOpensItsUrlAndTellsItsListeners) {
    Label* l = addLabel(L"Home page of the program");
    l->setClickable(true);
    l->setUrl(L"https://example.org/");
    Recorder clicks;
    l->addClickListener(&clicks);

    // Under the pointer it paints with the link-hover font.
    controltest::pointerTo(controltest::centreOf(l->m_hWnd));
    ASSERT_TRUE(waitFor([&] { return l->getHoverState() == 1; }));
    EXPECT_EQ(drawer.lastFont, l->getStateFont3());

    controltest::clickAt(controltest::centreOf(l->m_hWnd));
    ASSERT_TRUE(waitFor([&] { return clicks.count.load() == 1; }));
    EXPECT_EQ(clicks.codes[0], s::gui::LabelEvent::kClick);
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0], L"https://example.org/");

    // Pressed on the label, released outside it: nothing.
    RECT r;
    GetWindowRect(l->m_hWnd, &r);
    controltest::pointerTo(controltest::centreOf(l->m_hWnd));
    controltest::leftButton(true);
    ASSERT_TRUE(waitFor([&] { return l->getHoverState() == 2; }));
    controltest::pointerTo(POINT{r.right + 40, r.bottom + 40});
    controltest::leftButton(false);
    ASSERT_TRUE(waitFor([&] { return l->getHoverState() == 0; }));
    EXPECT_EQ(clicks.count.load(), 1);
    EXPECT_EQ(g_opened.size(), 1u);
}

}  // namespace
