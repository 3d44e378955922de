// The rules of Save As and the clipboard copy: the formats offered and their order, the
// name written for what the user typed, the colour transparency is flattened onto.
#include "viewer/dialog/DialogFilesSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace s::image::gui::dialogs::imageview;

namespace {

std::wstring order(const wchar_t* shown) {
    std::wstring text;
    for (const SaveFormat* f : saveFormatsFor(shown)) text += std::wstring(f->extension) + L" ";
    return text;
}

TEST(DialogFilesSupportTest, TheShownFormatComesFirstThenTheOthersInTableOrder) {
    EXPECT_EQ(order(L"Z:\\p\\a.png"), L"png jpg gif bmp ico ");
    EXPECT_EQ(order(L"photo.JPEG"), L"jpg gif png bmp ico ");
    EXPECT_EQ(order(L"From Clipboard.bmp"), L"bmp jpg gif png ico ");
    EXPECT_EQ(order(L"x.Ico"), L"ico jpg gif png bmp ");
    EXPECT_EQ(order(L"scan.tif"), L"jpg gif png bmp ico ");
    EXPECT_EQ(order(L"Z:\\a.png\\noext"), L"jpg gif png bmp ico ");
    EXPECT_EQ(order(nullptr), L"jpg gif png bmp ico ");
}

TEST(DialogFilesSupportTest, FilterTextsAndPatterns) {
    const auto list = saveFormatsFor(L"a.gif");
    EXPECT_STREQ(list[0]->description, L"GIF files (*.gif)");
    EXPECT_STREQ(list[0]->pattern, L"*.gif");
    EXPECT_STREQ(list[1]->description, L"JPG files (*.jpg, *.jpeg)");
    EXPECT_STREQ(list[1]->pattern, L"*.jpeg;*.jpg");
}

TEST(DialogFilesSupportTest, ANameWithoutAKnownExtensionGetsTheChosenOne) {
    const SaveFormat* png = saveFormatOfName(L"x.png");
    const SaveFormat* jpg = saveFormatOfName(L"x.jpg");
    ASSERT_NE(png, nullptr);
    ASSERT_NE(jpg, nullptr);
    struct Case {
        const wchar_t* typed;
        const SaveFormat* chosen;
        const wchar_t* written;
    } cases[] = {
        {L"Z:\\out\\holiday", png, L"Z:\\out\\holiday.png"},
        {L"Z:\\out\\holiday.PNG", jpg, L"Z:\\out\\holiday.PNG"},  // a known extension wins
        {L"Z:\\out\\holiday.jpeg", png, L"Z:\\out\\holiday.jpeg"},
        {L"Z:\\out\\i.icon", png, L"Z:\\out\\i.icon"},
        {L"Z:\\out\\notes.txt", jpg, L"Z:\\out\\notes.txt.jpg"},
        {L"Z:\\out\\Mr. Smith", png, L"Z:\\out\\Mr. Smith.png"},
        {L"Z:\\out.d\\pic", png, L"Z:\\out.d\\pic.png"},
        {L"Z:\\out\\dot.", png, L"Z:\\out\\dot.png"},
    };
    for (const Case& c : cases) EXPECT_EQ(saveTargetFor(c.typed, c.chosen), c.written) << c.typed;
    EXPECT_EQ(saveFormatOfName(L"a.JPEG"), jpg);
    EXPECT_EQ(saveFormatOfName(L"a.tiff"), nullptr);
}

TEST(DialogFilesSupportTest, FlattenColourFollowsTheBackgroundType) {
    EXPECT_EQ(flattenColorFor(0, 0x123456), RGB(255, 255, 255));
    EXPECT_EQ(flattenColorFor(1, 0x123456), RGB(204, 204, 204));
    EXPECT_EQ(flattenColorFor(2, 0x123456), RGB(0, 0, 0));
    EXPECT_EQ(flattenColorFor(3, int32_t(RGB(10, 20, 30))), RGB(10, 20, 30));
    EXPECT_EQ(flattenColorFor(4, 0x123456), RGB(255, 255, 255));
    EXPECT_EQ(flattenColorFor(5, 0x123456), RGB(255, 255, 255));
}

}  // namespace
