// The viewer's own settings: every section and key it keeps below the main window's data
// root in the settings store, with its type and default, one reader and one writer each.
//
//   ViewerSettings settings(appWindow);           // the store of the window's AppBase
//   int32_t opacity = settings.getTransparency();  // 100 when absent or out of range
//   settings.setTransparency(80);                  // written through at once
//
// A reader answers the key's default when the value is missing, has another type, or
// holds a value the viewer does not use (an opacity of 55, a fit mode of 2, a format
// "tiff"); texts that name a choice are answered in their canonical spelling.
#pragma once

#include <cstdint>
#include <string>

namespace s::map {
class IMappedData;
}
namespace s::app {
class IAppWindow;
}
namespace s::str::strarray {
class StrArray;
}

namespace s::image::gui::dialogs::imageview {

// Section names below the window's data root.
namespace section {
constexpr const wchar_t* kView = L"View";
constexpr const wchar_t* kFile = L"File";
constexpr const wchar_t* kPrint = L"Print";
constexpr const wchar_t* kSave = L"Save";
constexpr const wchar_t* kScreenShot = L"ScreenShot";
constexpr const wchar_t* kSlideShow = L"SlideShow";
constexpr const wchar_t* kConvert = L"Convert";
constexpr const wchar_t* kFontHistory = L"View\\Filter\\Watermark\\FontHistory";
constexpr const wchar_t* kFilter = L"Filter";
}  // namespace section

// The choices of the texts kept by the conversion keys.
namespace convert {
constexpr const wchar_t* kSpecificFormat = L"SpecificFormat";
constexpr const wchar_t* kSpecificSize = L"SpecificSize";
constexpr const wchar_t* kFilterSet = L"FilterSet";
constexpr const wchar_t* kSameFormat = L"Same Format";
}  // namespace convert

// Fit modes as stored.
constexpr int32_t kFitNone = 1;
constexpr int32_t kFitImageToWindow = 3;
constexpr int32_t kFitWindowToImage = 4;

// The recent watermark fonts kept at most.
constexpr uint32_t kFontHistoryMax = 10;

class ViewerSettings {
public:
    // The store and data root ("MainWindow") to work on; neither is owned. A null store
    // reads every default and writes nothing.
    ViewerSettings(map::IMappedData* store, const wchar_t* windowName);
    // The store of the window's application base, below the window's name.
    explicit ViewerSettings(app::IAppWindow* window);

    map::IMappedData* getStore() const { return store_; }
    // windowName + "\" + section.
    std::wstring pathOf(const wchar_t* section) const;

    // ---- "View"
    int32_t getTransparency();  // 10, 20, ... 100
    void setTransparency(int32_t percent);
    bool getTransparencyOnlyOnTop();
    void setTransparencyOnlyOnTop(bool on);
    int32_t getLastUsedFitMode();  // kFitNone, kFitImageToWindow or kFitWindowToImage
    void setLastUsedFitMode(int32_t mode);
    int32_t getFitMode2();  // 0 (use the last used mode) or a fit mode
    void setFitMode2(int32_t mode);
    bool getShowTitleBar();
    void setShowTitleBar(bool on);
    bool getAutoHideButtons();
    void setAutoHideButtons(bool on);
    int32_t getDefaultBgType();  // 0..5
    void setDefaultBgType(int32_t type);
    int32_t getDefaultBgCustomColor();  // 0x00BBGGRR
    void setDefaultBgCustomColor(int32_t color);
    std::wstring getLastAccessedDirPath();  // the desktop folder by default
    void setLastAccessedDirPath(const wchar_t* path);

    // ---- "File"
    std::wstring getLastBrowsedFileLoadDirPath();
    void setLastBrowsedFileLoadDirPath(const wchar_t* path);

    // ---- "Print", "Save", "ScreenShot"
    bool getPrintAutoRotation();
    void setPrintAutoRotation(bool on);
    int32_t getPrintType();  // 1..6
    void setPrintType(int32_t type);
    int32_t getSaveType();  // 1..4
    void setSaveType(int32_t type);
    int32_t getScreenShotType();  // 1 entire screen, 3 window, 5 window part
    void setScreenShotType(int32_t type);

    // ---- "SlideShow"
    bool getSlideShowRepeat();
    void setSlideShowRepeat(bool on);
    // The interval is kept as a text; a text that is not a positive number of at most a
    // day's milliseconds reads as the default 1800.
    int32_t getSlideShowMSec();
    void setSlideShowMSec(int32_t msec);

    // ---- "Convert"
    const wchar_t* getConvertType();  // one of the convert:: kinds
    void setConvertType(const wchar_t* type);
    const wchar_t* getConvertFormat();  // "jpg", "gif", "png", "bmp" or "ico"
    void setConvertFormat(const wchar_t* format);
    const wchar_t* getConvertFilterSetAndSizeFormat();  // a format or "Same Format"
    void setConvertFilterSetAndSizeFormat(const wchar_t* format);
    int32_t getConvertSizeWidth();  // 1..65535
    void setConvertSizeWidth(int32_t width);
    int32_t getConvertSizeHeight();
    void setConvertSizeHeight(int32_t height);
    bool getConvertSizeAutoSharpen();
    void setConvertSizeAutoSharpen(bool on);
    int32_t getConvertSizeType();  // a sizing type 0..5
    void setConvertSizeType(int32_t type);
    std::wstring getConvertFilterSetName();  // "" when none was stored
    void setConvertFilterSetName(const wchar_t* name);

    // ---- "View\Filter\Watermark\FontHistory"
    std::wstring getWatermarkLastUsedFont();
    void setWatermarkLastUsedFont(const wchar_t* face);
    int32_t getWatermarkSize();  // 1..1000 points
    void setWatermarkSize(int32_t points);
    uint32_t getWatermarkColor();  // 0x00BBGGRR
    void setWatermarkColor(uint32_t color);
    bool getWatermarkWithOutline();
    void setWatermarkWithOutline(bool on);
    uint32_t getWatermarkOutlineColor();
    void setWatermarkOutlineColor(uint32_t color);
    bool getWatermarkBold();
    void setWatermarkBold(bool on);
    bool getWatermarkItalic();
    void setWatermarkItalic(bool on);
    // The recent fonts, most recent first, into list (appended); stops at the first
    // missing or empty entry and after kFontHistoryMax.
    void getFontHistory(str::strarray::StrArray* list);
    // Puts the face first (removing an equal entry, ignoring case) and keeps at most
    // kFontHistoryMax; an empty face changes nothing.
    void addToFontHistory(const wchar_t* face);

private:
    int32_t readInt(const wchar_t* section, const wchar_t* key, int32_t def, bool (*valid)(int32_t));
    void writeInt(const wchar_t* section, const wchar_t* key, int32_t value);
    uint32_t readU32(const wchar_t* section, const wchar_t* key, uint32_t def);
    void writeU32(const wchar_t* section, const wchar_t* key, uint32_t value);
    bool readBool(const wchar_t* section, const wchar_t* key, bool def);
    void writeBool(const wchar_t* section, const wchar_t* key, bool value);
    std::wstring readString(const wchar_t* section, const wchar_t* key, const wchar_t* def);
    void writeString(const wchar_t* section, const wchar_t* key, const wchar_t* value);
    // The choice equal to the stored text ignoring case, else def.
    const wchar_t* readChoice(const wchar_t* section, const wchar_t* key, const wchar_t* const* choices, int count,
                              const wchar_t* def);

    map::IMappedData* store_;
    std::wstring root_;
};

// The desktop folder of the current user ("" when the system cannot tell).
std::wstring desktopFolder();

}  // namespace s::image::gui::dialogs::imageview
