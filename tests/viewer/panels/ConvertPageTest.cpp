// The "Convert at Once" page in a real window: the rows of the stored kind, the
// formats chosen from the settings, the progress box, and the request and settings
// written when files are dropped.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "viewer/panels/ToolPanelsFixture.h"
#include "viewer/worker/BatchConverter.h"

using namespace toolpanelstest;
using s::gui::CheckBoxEvent::kUnchecked;

namespace {

class ConvertPageTest : public ToolPanelsTest {
protected:
    // Which rows take room: filter, size, size format, format.
    struct Rows {
        bool filter, size, sizeFormat, format;
        bool operator==(const Rows&) const = default;
    };
    Rows rows() {
        tools->convertPage()->doLayout();
        return {c->filterRow->getHeight() > 0, c->sizeRow->getHeight() > 0, c->sizeFormatRow->getHeight() > 0,
                c->formatRow->getHeight() > 0};
    }
    void chooseKind(int32_t kind) {
        c->convertKindList->selectByData(kind, false);
        tools->handleEvent(c->convertKindList, 0);
    }
};

TEST_F(ConvertPageTest, StoredKindShowsOnlyItsRows) {
    struct Case {
        const wchar_t* stored;  // null: nothing stored
        int32_t kind;
        Rows shown;
        int32_t firstGap, secondGap;
    };
    const Case cases[] = {
        {nullptr, kConvertSpecificFormat, {false, false, false, true}, 0, 0},
        {L"SpecificFormat", kConvertSpecificFormat, {false, false, false, true}, 0, 0},
        {L"specificSIZE", kConvertSpecificSize, {false, true, true, false}, 0, 7},
        {L"FILTERSET", kConvertFilterSet, {true, false, true, false}, 7, 0},
        {L"Thumbnails", kConvertSpecificFormat, {false, false, false, true}, 0, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.stored ? k.stored : L"(none)");
        if (k.stored) registry.putText(path(L"Convert"), L"Type", k.stored);
        if (tools) {
            TearDown();
            SetUp();
        }
        make(false);
        EXPECT_EQ(tools->convertKind(), k.kind);
        EXPECT_EQ(c->convertKindList->getSelectedItem()->getData(), k.kind);
        EXPECT_EQ(rows(), k.shown);
        EXPECT_EQ(c->firstSpacer->getHeight(), k.firstGap);
        EXPECT_EQ(c->secondSpacer->getHeight(), k.secondGap);
        // The progress box is hidden until a conversion starts; the idle text shows.
        EXPECT_EQ(c->progressBox->getHeight(), 0);
        EXPECT_GT(c->idleBox->getHeight(), 0);
    }
}

TEST_F(ConvertPageTest, StoredFormatsSelectTheirEntriesOrLeaveTheListsAsBuilt) {
    struct Case {
        const wchar_t* format;
        const wchar_t* sizeFormat;
        const wchar_t* chosen;  // kind 3 takes the format row's entry
        int32_t formatIndex, sizeFormatIndex;
    };
    const Case cases[] = {
        {L"PNG", L"gif", convertformat::kPng, 2, 2},
        {L"tiff", L"Same Format", convertformat::kJpg, 0, 0},  // "tiff" is none of the five
        {L"ico", L"webp", convertformat::kIco, 4, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.format);
        registry.putText(path(L"Convert"), L"Format_Format", k.format);
        registry.putText(path(L"Convert"), L"FilterSetAndSize_Format", k.sizeFormat);
        if (tools) {
            TearDown();
            SetUp();
        }
        make(false);
        EXPECT_EQ(c->formatList->getSelectedIndex(), k.formatIndex);
        EXPECT_EQ(c->sizeFormatList->getSelectedIndex(), k.sizeFormatIndex);
        // The chosen format is the program's own constant.
        EXPECT_EQ(tools->convertFormat(), k.chosen);
    }
}

TEST_F(ConvertPageTest, ChoosingAKindSwitchesRowsAndFormatSource) {
    registry.putText(path(L"Convert"), L"FilterSetAndSize_Format", L"bmp");
    make(false);
    chooseKind(kConvertSpecificSize);
    EXPECT_EQ(rows(), (Rows{false, true, true, false}));
    EXPECT_EQ(tools->convertFormat(), convertformat::kBmp);
    EXPECT_EQ(host->calls.back(), L"relayout");
    chooseKind(kConvertFilterSet);
    EXPECT_EQ(rows(), (Rows{true, false, true, false}));
    chooseKind(kConvertSpecificFormat);
    EXPECT_EQ(rows(), (Rows{false, false, false, true}));
    EXPECT_EQ(tools->convertFormat(), convertformat::kJpg);

    // The hidden row's list does not change the format in use.
    c->sizeFormatList->select(0, false);
    tools->handleEvent(c->sizeFormatList, 0);
    EXPECT_EQ(tools->convertFormat(), convertformat::kJpg);
    c->formatList->select(3, false);
    tools->handleEvent(c->formatList, 0);
    EXPECT_EQ(tools->convertFormat(), convertformat::kBmp);
}

TEST_F(ConvertPageTest, SizeSettingsAreReadIntoTheFields) {
    registry.putDword(path(L"Convert"), L"Size_Width", 640);
    registry.putDword(path(L"Convert"), L"Size_Height", 480);
    registry.putDword(path(L"Convert"), L"Size_AutoSharpen", 0);
    registry.putDword(path(L"Convert"), L"Size_Type", 4);
    make(false);
    EXPECT_EQ(std::wstring(c->widthField->getText()), L"640");
    EXPECT_EQ(std::wstring(c->heightField->getText()), L"480");
    EXPECT_FALSE(c->autoSharpenCheck->isChecked());
    EXPECT_EQ(c->sizeTypeList->getSelectedItem()->getData(), 4);
    EXPECT_EQ(tools->convertSizeType(), 4);
}

TEST_F(ConvertPageTest, SizeFieldsTakeWholeNumbersWithinPictureSides) {
    make(false);
    struct Case {
        const wchar_t* typed;
        int32_t width;
    };
    const Case cases[] = {
        {L"300", 300}, {L"-5", 1}, {L"0", 1}, {L"99999", kMaxConvertSide}, {L"12px", kMaxConvertSide}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.typed);
        c->widthField->setText(k.typed, false);
        tools->handleEvent(c->widthField, s::gui::TextFieldEvent::kChange);
        EXPECT_EQ(tools->convertWidth(), k.width);
    }
}

TEST_F(ConvertPageTest, SpecificSizeRequestCarriesTheSizeAndWritesItsSettings) {
    make(false);
    chooseKind(kConvertSpecificSize);
    c->widthField->setText(L"320", false);
    tools->handleEvent(c->widthField, s::gui::TextFieldEvent::kChange);
    c->heightField->setText(L"240", false);
    tools->handleEvent(c->heightField, s::gui::TextFieldEvent::kChange);
    tools->handleEvent(c->autoSharpenCheck, kUnchecked);
    c->sizeTypeList->select(5, false);
    tools->handleEvent(c->sizeTypeList, 0);
    c->sizeFormatList->select(3, false);  // png
    tools->handleEvent(c->sizeFormatList, 0);

    ConvertRequest request;
    ASSERT_TRUE(tools->fillConvertRequest(&request));
    EXPECT_EQ(request.type, kConvertSpecificSize);
    EXPECT_EQ(request.format, L"png");
    EXPECT_EQ(request.width, 320);
    EXPECT_EQ(request.height, 240);
    EXPECT_FALSE(request.autoSharpen);
    EXPECT_EQ(request.sizeType, 5);
    EXPECT_EQ(request.filterSet, nullptr);
    EXPECT_EQ(request.store, registry.store());

    const std::wstring convert = path(L"Convert");
    EXPECT_EQ(registry.textOf(convert, L"Type"), L"SpecificSize");
    EXPECT_EQ(registry.dwordOf(convert, L"Size_Width"), 320u);
    EXPECT_EQ(registry.dwordOf(convert, L"Size_Height"), 240u);
    EXPECT_EQ(registry.dwordOf(convert, L"Size_AutoSharpen"), 0u);
    EXPECT_EQ(registry.dwordOf(convert, L"Size_Type"), 5u);
    EXPECT_EQ(registry.textOf(convert, L"FilterSetAndSize_Format"), L"png");
    EXPECT_EQ(registry.typeOf(convert, L"Format_Format"), 0u);
}

TEST_F(ConvertPageTest, SpecificFormatRequestWritesOnlyItsKeys) {
    make(false);
    c->formatList->select(1, false);  // gif
    tools->handleEvent(c->formatList, 0);
    ConvertRequest request;
    ASSERT_TRUE(tools->fillConvertRequest(&request));
    EXPECT_EQ(request.type, kConvertSpecificFormat);
    EXPECT_EQ(request.format, L"gif");
    const std::wstring convert = path(L"Convert");
    EXPECT_EQ(registry.textOf(convert, L"Type"), L"SpecificFormat");
    EXPECT_EQ(registry.textOf(convert, L"Format_Format"), L"gif");
    EXPECT_EQ(registry.typeOf(convert, L"Size_Width"), 0u);
}

TEST_F(ConvertPageTest, ProgressShowsWhileConvertingAndHalvesLargeTotals) {
    make(false);
    tools->convertStarted();
    tools->convertPage()->doLayout();
    EXPECT_EQ(c->idleBox->getHeight(), 0);
    EXPECT_GT(c->progressBox->getHeight(), 0);

    struct Case {
        int32_t total, done;
        int32_t range, position;
    };
    const Case cases[] = {
        {100000, 50000, 25000, 12500}, {32767, 100, 32767, 100}, {32768, 3, 16384, 1}, {10, 10, 10, 10}};
    HWND bar = c->progressBar->m_hWnd;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.total);
        tools->convertProgress(k.total, k.done, L"picture.jpg");
        EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), k.range);
        EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), k.position);
    }
    EXPECT_EQ(std::wstring(c->statusLabel->getText()), L"picture.jpg");

    tools->convertEnded();
    tools->convertPage()->doLayout();
    EXPECT_GT(c->idleBox->getHeight(), 0);
    EXPECT_EQ(c->progressBox->getHeight(), 0);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 0);
}

}  // namespace

namespace {

TEST_F(ConvertPageTest, FilesDroppedOnTheDropBoxReachTheViewersDropTarget) {
    make(false);
    pageHost->setAcceptFiles(true);  // the viewer's drop box holds the page
    HWND content =
        c->dropBox->getContent() ? dynamic_cast<s::gui::win::Box*>(c->dropBox->getContent())->m_hWnd : nullptr;
    ASSERT_NE(content, nullptr);
    // The shell gives a drop to the first window from the one under the pointer up that
    // accepts files. The search stays inside this test's window.
    RECT r;
    GetWindowRect(content, &r);
    POINT pt{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    HWND target = hwnd();
    for (;;) {
        POINT local = pt;
        ScreenToClient(target, &local);
        HWND child = ChildWindowFromPointEx(target, local, CWP_SKIPINVISIBLE);
        if (!child || child == target) break;
        target = child;
    }
    while (target && !(GetWindowLongW(target, GWL_EXSTYLE) & WS_EX_ACCEPTFILES)) target = GetParent(target);
    EXPECT_EQ(target, pageHost->m_hWnd);
}

}  // namespace
