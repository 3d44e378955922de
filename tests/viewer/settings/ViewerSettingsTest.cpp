#include "viewer/settings/ViewerSettings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "foundation/str/StrArray.h"
#include "foundation/str/StrBuffer.h"
#include "viewer/ViewerTestSupport.h"

using s::image::gui::dialogs::imageview::desktopFolder;
using s::image::gui::dialogs::imageview::kFontHistoryMax;
using s::image::gui::dialogs::imageview::ViewerSettings;
using viewertest::RegistryStore;

namespace {

std::wstring num(int64_t v) { return std::to_wstring(v); }

// One key: how the viewer writes and reads it, the value a write stores, the default,
// and a stored value the reader must refuse (answering the default).
struct KeyRow {
    const wchar_t* section;
    const wchar_t* key;
    DWORD type;  // REG_DWORD or REG_SZ
    std::function<void(ViewerSettings&)> write;
    std::function<std::wstring(ViewerSettings&)> read;
    std::wstring written;  // what read answers after write
    std::wstring def;
    std::function<void(RegistryStore&, const std::wstring&, const wchar_t*)> corrupt;
};

auto dword(DWORD v) {
    return [v](RegistryStore& r, const std::wstring& p, const wchar_t* k) { r.putDword(p, k, v); };
}
auto text(const wchar_t* t) {
    return [t](RegistryStore& r, const std::wstring& p, const wchar_t* k) { r.putText(p, k, t); };
}

#define INT_KEY(SEC, KEY, GET, SET, V, DEF, BAD)                                                                  \
    KeyRow {                                                                                                      \
        SEC, KEY, REG_DWORD, [](ViewerSettings& v) { v.SET(V); }, [](ViewerSettings& v) { return num(v.GET()); }, \
            num(V), num(DEF), dword(DWORD(BAD))                                                                   \
    }
#define BOOL_KEY(SEC, KEY, GET, SET, V, DEF)                                                                      \
    KeyRow {                                                                                                      \
        SEC, KEY, REG_DWORD, [](ViewerSettings& v) { v.SET(V); }, [](ViewerSettings& v) { return num(v.GET()); }, \
            num(V), num(DEF), text(L"true")                                                                       \
    }
#define TEXT_KEY(SEC, KEY, GET, SET, V, DEF, BAD)                                \
    KeyRow {                                                                     \
        SEC, KEY, REG_SZ, [](ViewerSettings& v) { v.SET(V); },                   \
            [](ViewerSettings& v) { return std::wstring(v.GET()); }, V, DEF, BAD \
    }

std::vector<KeyRow> keyTable() {
    const std::wstring desktop = desktopFolder();
    const wchar_t* fh = L"View\\Filter\\Watermark\\FontHistory";
    return {
        INT_KEY(L"View", L"Transparency", getTransparency, setTransparency, 80, 100, 55),
        BOOL_KEY(L"View", L"TransparencyOnlyOnTop", getTransparencyOnlyOnTop, setTransparencyOnlyOnTop, true, false),
        INT_KEY(L"View", L"LastUsedFitMode", getLastUsedFitMode, setLastUsedFitMode, 3, 4, 2),
        INT_KEY(L"View", L"FitMode2", getFitMode2, setFitMode2, 1, 0, 7),
        BOOL_KEY(L"View", L"ShowTitleBar", getShowTitleBar, setShowTitleBar, true, false),
        BOOL_KEY(L"View", L"AutoHideButtons", getAutoHideButtons, setAutoHideButtons, false, true),
        INT_KEY(L"View", L"DefaultBgType", getDefaultBgType, setDefaultBgType, 3, 0, 6),
        INT_KEY(L"View", L"DefaultBgCustomColor", getDefaultBgCustomColor, setDefaultBgCustomColor, 0x123456, 0xFFFFFF,
                0xFF000000u),
        TEXT_KEY(L"View", L"LastAccessedDirPath", getLastAccessedDirPath, setLastAccessedDirPath, L"Z:\\tmp\\pics",
                 desktop, dword(5)),
        TEXT_KEY(L"File", L"LastBrowsedFileLoadDirPath", getLastBrowsedFileLoadDirPath, setLastBrowsedFileLoadDirPath,
                 L"Z:\\tmp", desktop, dword(5)),
        BOOL_KEY(L"Print", L"AutoRotation", getPrintAutoRotation, setPrintAutoRotation, false, true),
        INT_KEY(L"Print", L"Type", getPrintType, setPrintType, 6, 1, 7),
        INT_KEY(L"Save", L"Type", getSaveType, setSaveType, 4, 1, 0),
        INT_KEY(L"ScreenShot", L"Type", getScreenShotType, setScreenShotType, 5, 1, 2),
        BOOL_KEY(L"SlideShow", L"Repeat", getSlideShowRepeat, setSlideShowRepeat, false, true),
        KeyRow{L"SlideShow", L"MSec", REG_SZ, [](ViewerSettings& v) { v.setSlideShowMSec(2500); },
               [](ViewerSettings& v) { return num(v.getSlideShowMSec()); }, L"2500", L"1800", text(L"fast")},
        TEXT_KEY(L"Convert", L"Type", getConvertType, setConvertType, L"FilterSet", L"SpecificFormat", text(L"Other")),
        TEXT_KEY(L"Convert", L"Format_Format", getConvertFormat, setConvertFormat, L"png", L"jpg", text(L"tiff")),
        TEXT_KEY(L"Convert", L"FilterSetAndSize_Format", getConvertFilterSetAndSizeFormat,
                 setConvertFilterSetAndSizeFormat, L"bmp", L"Same Format", text(L"webp")),
        INT_KEY(L"Convert", L"Size_Width", getConvertSizeWidth, setConvertSizeWidth, 640, 200, 0),
        INT_KEY(L"Convert", L"Size_Height", getConvertSizeHeight, setConvertSizeHeight, 480, 200, -3),
        BOOL_KEY(L"Convert", L"Size_AutoSharpen", getConvertSizeAutoSharpen, setConvertSizeAutoSharpen, false, true),
        INT_KEY(L"Convert", L"Size_Type", getConvertSizeType, setConvertSizeType, 5, 1, 6),
        TEXT_KEY(L"Convert", L"FilterSet_Name", getConvertFilterSetName, setConvertFilterSetName, L"Mine", L"",
                 dword(1)),
        TEXT_KEY(fh, L"LastUsed", getWatermarkLastUsedFont, setWatermarkLastUsedFont, L"Arial", L"MS Shell Dlg 2",
                 dword(1)),
        INT_KEY(fh, L"Size", getWatermarkSize, setWatermarkSize, 12, 8, 0),
        INT_KEY(fh, L"Color", getWatermarkColor, setWatermarkColor, 0x00FF00u, 0, 0x80000000u),
        BOOL_KEY(fh, L"WithOutLine", getWatermarkWithOutline, setWatermarkWithOutline, false, true),
        INT_KEY(fh, L"OutLineColor", getWatermarkOutlineColor, setWatermarkOutlineColor, 0x0000FFu, 0xFFFFFF,
                0x01000000u),
        BOOL_KEY(fh, L"WithBold", getWatermarkBold, setWatermarkBold, false, true),
        BOOL_KEY(fh, L"WithItalic", getWatermarkItalic, setWatermarkItalic, true, false),
    };
}

std::wstring path(const wchar_t* section) { return std::wstring(L"MainWindow\\") + section; }

TEST(ViewerSettingsTest, EveryKeyReadsItsDefaultFromAnEmptyStore) {
    RegistryStore reg;
    ViewerSettings settings(reg.store(), L"MainWindow");
    for (const KeyRow& row : keyTable())
        EXPECT_EQ(row.read(settings), row.def) << std::string(row.key, row.key + wcslen(row.key));
}

TEST(ViewerSettingsTest, EveryWriterStoresItsKeyWithItsTypeBelowTheWindow) {
    RegistryStore reg;
    ViewerSettings settings(reg.store(), L"MainWindow");
    for (const KeyRow& row : keyTable()) {
        const std::string name(row.key, row.key + wcslen(row.key));
        row.write(settings);
        EXPECT_EQ(reg.typeOf(path(row.section), row.key), row.type) << name;
        if (row.type == REG_SZ)
            EXPECT_EQ(reg.textOf(path(row.section), row.key), row.written) << name;
        else
            EXPECT_EQ(num(int32_t(reg.dwordOf(path(row.section), row.key))), row.written) << name;
        // A fresh reader on the same key sees the value.
        ViewerSettings again(reg.store(), L"MainWindow");
        EXPECT_EQ(row.read(again), row.written) << name;
    }
}

TEST(ViewerSettingsTest, StoredValuesTheViewerCannotUseReadAsTheDefault) {
    RegistryStore reg;
    ViewerSettings settings(reg.store(), L"MainWindow");
    for (const KeyRow& row : keyTable()) {
        row.corrupt(reg, path(row.section), row.key);
        EXPECT_EQ(row.read(settings), row.def) << std::string(row.key, row.key + wcslen(row.key));
    }
}

TEST(ViewerSettingsTest, SlideShowIntervalIsReadThroughItsText) {
    struct Case {
        const wchar_t* stored;
        int32_t expected;
    } cases[] = {{L"2000", 2000},           {L" 750 ", 750},  {L"0", 1800}, {L"-5", 1800},
                 {L"99999999999999", 1800}, {L"12abc", 1800}, {L"", 1800}};
    RegistryStore reg;
    ViewerSettings settings(reg.store(), L"MainWindow");
    for (const Case& c : cases) {
        reg.putText(path(L"SlideShow"), L"MSec", c.stored);
        EXPECT_EQ(settings.getSlideShowMSec(), c.expected) << std::string(c.stored, c.stored + wcslen(c.stored));
    }
    // A number kept as a DWORD is not the text the key holds.
    reg.putDword(path(L"SlideShow"), L"MSec", 900);
    EXPECT_EQ(settings.getSlideShowMSec(), 1800);
}

TEST(ViewerSettingsTest, ChoiceTextsAreMatchedIgnoringCaseAndAnsweredCanonically) {
    RegistryStore reg;
    ViewerSettings settings(reg.store(), L"MainWindow");
    reg.putText(path(L"Convert"), L"Format_Format", L"PNG");
    reg.putText(path(L"Convert"), L"Type", L"specificsize");
    reg.putText(path(L"Convert"), L"FilterSetAndSize_Format", L"same format");
    EXPECT_STREQ(settings.getConvertFormat(), L"png");
    EXPECT_STREQ(settings.getConvertType(), L"SpecificSize");
    EXPECT_STREQ(settings.getConvertFilterSetAndSizeFormat(), L"Same Format");
}

TEST(ViewerSettingsTest, WithoutAStoreEveryReaderAnswersItsDefault) {
    ViewerSettings settings(nullptr, L"MainWindow");
    for (const KeyRow& row : keyTable()) {
        row.write(settings);
        EXPECT_EQ(row.read(settings), row.def);
    }
}

std::vector<std::wstring> history(ViewerSettings& settings) {
    s::str::strarray::StrArray* list = s::str::strarray::StrArray::create();
    settings.getFontHistory(list);
    std::vector<std::wstring> out;
    for (uint32_t i = 0; i < list->count(); ++i) out.push_back(list->at(i)->text());
    list->release();
    return out;
}

TEST(ViewerSettingsTest, FontHistoryKeepsTheMostRecentFirstAndAtMostTen) {
    RegistryStore reg;
    ViewerSettings settings(reg.store(), L"MainWindow");
    settings.addToFontHistory(L"Arial");
    settings.addToFontHistory(L"Tahoma");
    settings.addToFontHistory(L"arial");  // moves to the front, no second entry
    EXPECT_EQ(history(settings), (std::vector<std::wstring>{L"arial", L"Tahoma"}));
    const std::wstring fh = path(L"View\\Filter\\Watermark\\FontHistory");
    EXPECT_EQ(reg.textOf(fh, L"_0"), L"arial");
    EXPECT_EQ(reg.typeOf(fh, L"_1"), DWORD(REG_SZ));

    for (int i = 0; i < 15; ++i) settings.addToFontHistory((L"Face" + std::to_wstring(i)).c_str());
    std::vector<std::wstring> faces = history(settings);
    ASSERT_EQ(faces.size(), size_t(kFontHistoryMax));
    EXPECT_EQ(faces.front(), L"Face14");
    EXPECT_EQ(faces.back(), L"Face5");
    EXPECT_EQ(reg.typeOf(fh, L"_10"), DWORD(0));

    settings.addToFontHistory(L"");
    EXPECT_EQ(history(settings).front(), L"Face14");
}

}  // namespace
