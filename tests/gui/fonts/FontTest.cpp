#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>
#include <string>

#include "foundation/str/StrArray.h"
#include "gui/fonts/Font.h"
#include "gui/fonts/FontSetting.h"
#include "gui/fonts/SystemFonts.h"
#include "support/PixelCanvas.h"

using s::gui::win::Font;
using s::gui::win::FontSetting;
using testsupport::ScaleOverride;

namespace {

// Pooled objects freshly reset (a pooled setting was reset at the scale of its release).
template <class T>
struct Pooled {
    T* p = T::create();
    Pooled() { p->reset(); }
    ~Pooled() { p->release(); }
    T* operator->() const { return p; }
};

// The face a fresh font takes here: the theme's caption face when a visual style is
// active (Wine 8 has one), else the dialog face.
std::wstring expectedDefaultFace() {
    LOGFONTW theme{};
    return s::gui::win::getThemeCaptionFont(&theme) ? theme.lfFaceName : L"MS Shell Dlg 2";
}

}  // namespace

TEST(FontDefaults, FreshSettingAndFontAtEachScale) {
    struct Case {
        int scale;
        LONG height;
    };
    for (Case c : {Case{1, -13}, Case{2, -27}, Case{4, -53}}) {
        ScaleOverride scale(c.scale);
        Pooled<FontSetting> s;
        Pooled<Font> f;
        for (LOGFONTW* lf : {s->getLogFont(), f->getLogFont()}) {
            SCOPED_TRACE(c.scale);
            EXPECT_EQ(std::wstring(lf->lfFaceName), expectedDefaultFace());
            EXPECT_EQ(lf->lfHeight, c.height);
            EXPECT_EQ(lf->lfWidth, 0);
            EXPECT_EQ(lf->lfWeight, 400);
            EXPECT_EQ(lf->lfItalic | lf->lfUnderline | lf->lfStrikeOut, 0);
            EXPECT_EQ(lf->lfCharSet, DEFAULT_CHARSET);
            EXPECT_EQ(lf->lfOutPrecision, OUT_STRING_PRECIS);
            EXPECT_EQ(lf->lfClipPrecision, CLIP_STROKE_PRECIS);
            EXPECT_EQ(lf->lfQuality, CLEARTYPE_QUALITY);
            EXPECT_EQ(lf->lfPitchAndFamily, VARIABLE_PITCH);
        }
        EXPECT_EQ(s->getColor(), 0u);
        EXPECT_EQ(s->getColor2(), 0xEEEEEEu);
        EXPECT_EQ(f->getColor3(), 0xEEEEEEu);
        EXPECT_FALSE(s->hasExplicitProperties());
        EXPECT_FALSE(f->hasExplicitProperties());
        EXPECT_EQ(s->getSizeCode(), 0);
        EXPECT_NE(f->getHandle(), nullptr);
    }
}

TEST(FontDefaults, TheThemeCaptionFaceOnlyWithAVisualStyleOnVista) {
    LOGFONTW theme{};
    wcscpy_s(theme.lfFaceName, L"Segoe UI");
    EXPECT_STREQ(s::gui::win::defaultFaceName(true, &theme), L"Segoe UI");
    EXPECT_STREQ(s::gui::win::defaultFaceName(true, nullptr), L"MS Shell Dlg 2");
    EXPECT_STREQ(s::gui::win::defaultFaceName(false, &theme), L"MS Shell Dlg 2");
}

TEST(FontDefaults, ResetForgetsEverythingSet) {
    Pooled<FontSetting> s;
    s->setFace(testsupport::kTestFace);
    s->setColor(1, 2, 3);
    s->setBold(true);
    s->setWordWrap(true);
    s->setTextEffect(2);
    s->setSizeCode(112);
    s->reset();
    EXPECT_EQ(std::wstring(s->getFace()), expectedDefaultFace());
    EXPECT_FALSE(s->hasExplicitProperties());
    EXPECT_EQ(s->getWeight(), 400);
    EXPECT_FALSE(s->isWordWrap());
    EXPECT_EQ(s->getTextEffect(), 0);
    EXPECT_EQ(s->getSizeCode(), 0);
    EXPECT_EQ(s->getHeight(), -13);
}

TEST(FontSizeCode, HeightAndWeightAtEachScale) {
    struct Case {
        int32_t code;
        int scale;
        LONG height;
        LONG weight;
    };
    const Case
        cases
            [] =
                {
                    {0, 1, -13, 400},   {2, 1, -16, 400},      {-2, 1, -11, 400},     {5, 1, -20, 400},
                    {100, 1, -19, 700}, {112, 1, -35, 700},    {100001, 1, -11, 400}, {-9, 1, -1, 400},
                    {95, 1, -13, 400},  // 105 points: beyond 100 the default height
                    {0, 2, -27, 400},   {2, 2, -32, 400},      {100, 2, -37, 700},    {0, 4, -53, 400},
                    {-2, 4, -43, 400},  {100001, 4, -43, 400},
                };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << " scale " << c.scale);
        ScaleOverride scale(c.scale);
        Pooled<FontSetting> s;
        Pooled<Font> f;
        s->setSizeCode(c.code);
        f->setSizeCode(c.code);
        EXPECT_EQ(s->getHeight(), c.height);
        EXPECT_EQ(s->getWeight(), c.weight);
        EXPECT_EQ(f->getHeight(), c.height);
        EXPECT_EQ(f->getWeight(), c.weight);
        EXPECT_EQ(s->getSizeCode(), c.code);
    }
}

TEST(FontSizeCode, OtherLargeCodesAreOnlyStored) {
    Pooled<Font> f;
    f->setHeight(-30);
    f->setWeight(600);
    HFONT before = f->getHandle();
    f->setSizeCode(5000);
    EXPECT_EQ(f->getSizeCode(), 5000);
    EXPECT_EQ(f->getHeight(), -30);
    EXPECT_EQ(f->getWeight(), 600);
    EXPECT_EQ(f->getHandle(), before);
}

TEST(FontSizeCode, ExplicitBoldAndSizeSurviveSizeCodesAndInheritance) {
    Pooled<FontSetting> s;
    s->setBold(true);
    s->setHeight(-40);
    s->setSizeCode(5);
    EXPECT_EQ(s->getWeight(), 700);
    EXPECT_EQ(s->getHeight(), -40);
    Pooled<FontSetting> regular;
    regular->setSizeCode(2);
    s->inheritFrom(regular.p);
    EXPECT_EQ(s->getWeight(), 700);
    EXPECT_EQ(s->getHeight(), -40);
}

TEST(FontInheritance, TakesOnlyWhatWasNotSetExplicitly) {
    Pooled<FontSetting> general;
    general->setFace(testsupport::kTestFace);
    general->setColor(10, 20, 30);
    general->setColor2(1, 1, 1);
    general->setColor3(2, 2, 2);
    general->setBold(true);
    general->setHeight(-21);
    general->setItalic(true);
    general->setUnderline(true);
    general->setStrikeOut(true);
    general->setClearType(false);

    Pooled<FontSetting> specific;
    specific->setColor(200, 0, 0);
    specific->setItalic(false);
    specific->inheritFrom(general.p);
    EXPECT_STREQ(specific->getFace(), testsupport::kTestFace);
    EXPECT_EQ(specific->getColor(), RGB(200, 0, 0));  // its own
    EXPECT_FALSE(specific->isItalic());               // its own
    EXPECT_EQ(specific->getColor2(), RGB(1, 1, 1));
    EXPECT_EQ(specific->getColor3(), RGB(2, 2, 2));
    EXPECT_EQ(specific->getWeight(), 700);
    EXPECT_EQ(specific->getHeight(), -21);
    EXPECT_TRUE(specific->isUnderline());
    EXPECT_TRUE(specific->isStrikeOut());
    EXPECT_EQ(specific->getLogFont()->lfQuality, NONANTIALIASED_QUALITY);

    // Inherited values are not explicit: a second source replaces them.
    Pooled<FontSetting> plain;
    specific->inheritFrom(plain.p);
    EXPECT_EQ(std::wstring(specific->getFace()), expectedDefaultFace());
    EXPECT_EQ(specific->getWeight(), 400);
    EXPECT_EQ(specific->getColor(), RGB(200, 0, 0));
}

TEST(FontInheritance, FontFromSettingAndFromFont) {
    Pooled<FontSetting> style;
    style->setColor(0, 128, 0);
    style->setSizeCode(100);
    Pooled<Font> f;
    f->setWeight(300);  // explicit weight, no explicit bold
    f->setHeight(-17);
    HFONT before = f->getHandle();
    f->inheritFromSetting(style.p);
    EXPECT_EQ(f->getColor(), RGB(0, 128, 0));
    EXPECT_EQ(f->getWeight(), 700);
    EXPECT_EQ(f->getHeight(), -17);
    EXPECT_NE(f->getHandle(), before);
    EXPECT_EQ(GetObjectType(before), 0u);  // the old handle is deleted

    Pooled<FontSetting> regular;
    f->inheritFromSetting(regular.p);
    EXPECT_EQ(f->getWeight(), 400);  // 300 becomes the regular weight

    Pooled<Font> g;
    g->inheritFromFont(f.p);
    EXPECT_EQ(g->getHeight(), -17);
    EXPECT_EQ(g->getColor(), RGB(0, 0, 0));
}

TEST(FontQuality, ClearTypeOffIsNonAntialiasedEverywhere) {
    Pooled<FontSetting> s;
    Pooled<Font> f;
    s->setClearType(false);
    f->setClearType(false);
    EXPECT_EQ(s->getLogFont()->lfQuality, NONANTIALIASED_QUALITY);
    EXPECT_EQ(f->getLogFont()->lfQuality, NONANTIALIASED_QUALITY);
    LOGFONTW made{};
    GetObjectW(f->getHandle(), sizeof made, &made);
    EXPECT_EQ(made.lfQuality, NONANTIALIASED_QUALITY);
    s->setClearType(true);
    EXPECT_TRUE(s->isClearType());
}

TEST(FontFace, ANameOverThirtyOneCharactersIsRefused) {
    const wchar_t* longName = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";  // 40
    const wchar_t* exact = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234";              // 31
    Pooled<FontSetting> s;
    Pooled<Font> f;
    HFONT handle = f->getHandle();
    EXPECT_FALSE(s->setFace(longName));
    EXPECT_FALSE(f->setFace(longName));
    EXPECT_FALSE(f->setFace(nullptr));
    EXPECT_EQ(std::wstring(s->getFace()), expectedDefaultFace());
    EXPECT_EQ(std::wstring(f->getFace()), expectedDefaultFace());
    EXPECT_FALSE(s->hasExplicitProperties());
    EXPECT_FALSE(f->hasExplicitProperties());
    EXPECT_EQ(f->getHandle(), handle);
    EXPECT_TRUE(s->setFace(exact));
    EXPECT_STREQ(s->getFace(), exact);
}

TEST(Font, ColoursAreColorrefsAndFollowTheBoundDc) {
    Pooled<Font> f;
    testsupport::PixelCanvas canvas(2, 2);
    f->setBoundDC(canvas.dc());
    f->setColor(0x11, 0x22, 0x133);  // only the low byte of each channel
    EXPECT_EQ(f->getColor(), 0x332211u);
    EXPECT_EQ(GetTextColor(canvas.dc()), 0x332211u);
    f->setBoundDC(nullptr);
    f->setColor(1, 2, 3);
    EXPECT_EQ(GetTextColor(canvas.dc()), 0x332211u);
}

TEST(Font, CreatedFromASettingCarriesEveryField) {
    Pooled<FontSetting> s;
    s->setFace(testsupport::kTestFace);
    s->setColor(5, 6, 7);
    s->setWordWrap(true);
    s->setEndEllipsis(true);
    s->setTextEffect(7);
    s->setSizeCode(3);
    s->setItalic(true);
    s::gui::IFont* f = s->createFont();
    ASSERT_NE(f, nullptr);
    EXPECT_STREQ(f->getFace(), testsupport::kTestFace);
    EXPECT_EQ(f->getColor(), RGB(5, 6, 7));
    EXPECT_TRUE(f->isWordWrap());
    EXPECT_TRUE(f->isEndEllipsis());
    EXPECT_EQ(f->getTextEffect(), 7);
    EXPECT_EQ(f->getSizeCode(), 3);
    EXPECT_EQ(f->getHeight(), s->getHeight());
    EXPECT_TRUE(f->hasExplicitProperties());
    LOGFONTW made{};
    ASSERT_NE(GetObjectW(f->getHandle(), sizeof made, &made), 0);
    EXPECT_TRUE(made.lfItalic);
    HFONT handle = f->getHandle();
    dynamic_cast<s::thread::IPoolable*>(f)->release();
    EXPECT_EQ(GetObjectType(handle), 0u);  // a released font is destroyed with its handle
}

TEST(Font, MeasuredHeightGrowsWithTheSize) {
    Pooled<Font> small;
    Pooled<Font> large;
    small->setFace(testsupport::kTestFace);
    large->setFace(testsupport::kTestFace);
    large->setSizeCode(14);  // 24 points
    const int a = small->measureHeight();
    const int b = large->measureHeight();
    EXPECT_GT(a, 8);
    EXPECT_GT(b, a + 10);
}

TEST(Font, PointSizeFollowsTheScreenResolution) {
    Pooled<Font> f;
    f->setPointSize(12);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(f->getHeight(), -MulDiv(dpi, 120, 720));
    EXPECT_TRUE(f->hasExplicitProperties());
}

TEST(FontFamilies, SortedOnceEachWithoutVerticalFaces) {
    auto* list = s::gui::win::getFontFamilies(nullptr);
    ASSERT_NE(list, nullptr);
    ASSERT_GT(list->count(), 0u);
    bool haveTestFace = false;
    for (uint32_t i = 0; i < list->count(); ++i) {
        const wchar_t* name = list->at(i)->text();
        EXPECT_NE(name[0], L'@') << i;
        haveTestFace |= wcscmp(name, testsupport::kTestFace) == 0;
        if (i > 0) {
            EXPECT_LT(wcscmp(list->at(i - 1)->text(), name), 0) << i;
            EXPECT_NE(_wcsicmp(list->at(i - 1)->text(), name), 0) << i;
        }
    }
    EXPECT_TRUE(haveTestFace) << "the scripts install the test face into the prefix";
    // A list that is not empty is emptied first.
    const uint32_t n = list->count();
    EXPECT_EQ(s::gui::win::getFontFamilies(list), list);
    EXPECT_EQ(list->count(), n);
    list->release();
}
