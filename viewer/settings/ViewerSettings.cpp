#include "viewer/settings/ViewerSettings.h"

#include <windows.h>
#include <shlobj.h>

#include <cwchar>
#include <cwctype>

#include "foundation/str/StrArray.h"
#include "foundation/str/StrBuffer.h"
#include "gui/app/IAppBase.h"
#include "gui/app/IAppWindow.h"
#include "platform/map/IMappedData.h"

namespace s::image::gui::dialogs::imageview {

namespace {

constexpr int32_t kDefaultSlideShowMSec = 1800;
constexpr int32_t kMaxSlideShowMSec = 24 * 60 * 60 * 1000;

bool isTransparency(int32_t v) { return v >= 10 && v <= 100 && v % 10 == 0; }
bool isFitMode(int32_t v) { return v == kFitNone || v == kFitImageToWindow || v == kFitWindowToImage; }
bool isFitMode2(int32_t v) { return v == 0 || isFitMode(v); }
bool isBgType(int32_t v) { return v >= 0 && v <= 5; }
bool isColor(int32_t v) { return (uint32_t(v) & 0xFF000000u) == 0; }
bool isPrintType(int32_t v) { return v >= 1 && v <= 6; }
bool isSaveType(int32_t v) { return v >= 1 && v <= 4; }
bool isScreenShotType(int32_t v) { return v == 1 || v == 3 || v == 5; }
bool isPixelSize(int32_t v) { return v >= 1 && v <= 65535; }
bool isSizingType(int32_t v) { return v >= 0 && v <= 5; }
bool isPointSize(int32_t v) { return v >= 1 && v <= 1000; }

constexpr const wchar_t* kConvertTypes[] = {convert::kSpecificFormat, convert::kSpecificSize, convert::kFilterSet};
constexpr const wchar_t* kFormats[] = {L"jpg", L"gif", L"png", L"bmp", L"ico"};
constexpr const wchar_t* kFormatsOrSame[] = {L"jpg", L"gif", L"png", L"bmp", L"ico", convert::kSameFormat};

// "_0", "_1", ...
std::wstring indexKey(uint32_t i) { return L"_" + std::to_wstring(i); }

// A positive decimal number of at most max, surrounding blanks allowed; 0 otherwise.
int32_t parseCount(const std::wstring& text, int32_t max) {
    size_t i = 0, n = text.size();
    while (i < n && iswspace(text[i])) ++i;
    int64_t value = 0;
    size_t digits = 0;
    for (; i < n && text[i] >= L'0' && text[i] <= L'9'; ++i, ++digits) {
        value = value * 10 + (text[i] - L'0');
        if (value > max) return 0;
    }
    while (i < n && iswspace(text[i])) ++i;
    return digits && i == n ? int32_t(value) : 0;
}

}  // namespace

std::wstring desktopFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path))) return L"";
    return path;
}

ViewerSettings::ViewerSettings(map::IMappedData* store, const wchar_t* windowName)
    : store_(store), root_(windowName ? windowName : L"") {}

ViewerSettings::ViewerSettings(app::IAppWindow* window)
    : store_(window && window->getAppBase() ? window->getAppBase()->getSettings() : nullptr),
      root_(window && window->getName() ? window->getName() : L"") {}

std::wstring ViewerSettings::pathOf(const wchar_t* section) const {
    if (root_.empty()) return section;
    return root_ + L"\\" + section;
}

int32_t ViewerSettings::readInt(const wchar_t* section, const wchar_t* key, int32_t def, bool (*valid)(int32_t)) {
    if (!store_) return def;
    int32_t v = store_->getInt(pathOf(section).c_str(), key, def);
    return valid(v) ? v : def;
}

void ViewerSettings::writeInt(const wchar_t* section, const wchar_t* key, int32_t value) {
    if (!store_) return;
    store_->setInt(pathOf(section).c_str(), key, value);
    store_->flushIfAuto();
}

uint32_t ViewerSettings::readU32(const wchar_t* section, const wchar_t* key, uint32_t def) {
    if (!store_) return def;
    uint32_t v = store_->getU32(pathOf(section).c_str(), key, def);
    return isColor(int32_t(v)) ? v : def;
}

void ViewerSettings::writeU32(const wchar_t* section, const wchar_t* key, uint32_t value) {
    if (!store_) return;
    store_->setU32(pathOf(section).c_str(), key, value);
    store_->flushIfAuto();
}

bool ViewerSettings::readBool(const wchar_t* section, const wchar_t* key, bool def) {
    return store_ ? store_->getBool(pathOf(section).c_str(), key, def) : def;
}

void ViewerSettings::writeBool(const wchar_t* section, const wchar_t* key, bool value) {
    if (!store_) return;
    store_->setBool(pathOf(section).c_str(), key, value);
    store_->flushIfAuto();
}

std::wstring ViewerSettings::readString(const wchar_t* section, const wchar_t* key, const wchar_t* def) {
    const wchar_t* text = store_ ? store_->getString(pathOf(section).c_str(), key, def) : def;
    return text ? text : L"";
}

void ViewerSettings::writeString(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    if (!store_) return;
    store_->setString(pathOf(section).c_str(), key, value ? value : L"");
    store_->flushIfAuto();
}

const wchar_t* ViewerSettings::readChoice(const wchar_t* section, const wchar_t* key, const wchar_t* const* choices,
                                          int count, const wchar_t* def) {
    std::wstring text = readString(section, key, def);
    for (int i = 0; i < count; ++i)
        if (_wcsicmp(text.c_str(), choices[i]) == 0) return choices[i];
    return def;
}

// ---- "View"

int32_t ViewerSettings::getTransparency() { return readInt(section::kView, L"Transparency", 100, isTransparency); }
void ViewerSettings::setTransparency(int32_t percent) { writeInt(section::kView, L"Transparency", percent); }
bool ViewerSettings::getTransparencyOnlyOnTop() { return readBool(section::kView, L"TransparencyOnlyOnTop", false); }
void ViewerSettings::setTransparencyOnlyOnTop(bool on) { writeBool(section::kView, L"TransparencyOnlyOnTop", on); }
int32_t ViewerSettings::getLastUsedFitMode() {
    return readInt(section::kView, L"LastUsedFitMode", kFitWindowToImage, isFitMode);
}
void ViewerSettings::setLastUsedFitMode(int32_t mode) { writeInt(section::kView, L"LastUsedFitMode", mode); }
int32_t ViewerSettings::getFitMode2() { return readInt(section::kView, L"FitMode2", 0, isFitMode2); }
void ViewerSettings::setFitMode2(int32_t mode) { writeInt(section::kView, L"FitMode2", mode); }
bool ViewerSettings::getShowTitleBar() { return readBool(section::kView, L"ShowTitleBar", false); }
void ViewerSettings::setShowTitleBar(bool on) { writeBool(section::kView, L"ShowTitleBar", on); }
bool ViewerSettings::getAutoHideButtons() { return readBool(section::kView, L"AutoHideButtons", true); }
void ViewerSettings::setAutoHideButtons(bool on) { writeBool(section::kView, L"AutoHideButtons", on); }
int32_t ViewerSettings::getDefaultBgType() { return readInt(section::kView, L"DefaultBgType", 0, isBgType); }
void ViewerSettings::setDefaultBgType(int32_t type) { writeInt(section::kView, L"DefaultBgType", type); }
int32_t ViewerSettings::getDefaultBgCustomColor() {
    return readInt(section::kView, L"DefaultBgCustomColor", 0xFFFFFF, isColor);
}
void ViewerSettings::setDefaultBgCustomColor(int32_t color) {
    writeInt(section::kView, L"DefaultBgCustomColor", color);
}
std::wstring ViewerSettings::getLastAccessedDirPath() {
    return readString(section::kView, L"LastAccessedDirPath", desktopFolder().c_str());
}
void ViewerSettings::setLastAccessedDirPath(const wchar_t* path) {
    writeString(section::kView, L"LastAccessedDirPath", path);
}

// ---- "File"

std::wstring ViewerSettings::getLastBrowsedFileLoadDirPath() {
    return readString(section::kFile, L"LastBrowsedFileLoadDirPath", desktopFolder().c_str());
}
void ViewerSettings::setLastBrowsedFileLoadDirPath(const wchar_t* path) {
    writeString(section::kFile, L"LastBrowsedFileLoadDirPath", path);
}

// ---- "Print", "Save", "ScreenShot"

bool ViewerSettings::getPrintAutoRotation() { return readBool(section::kPrint, L"AutoRotation", true); }
void ViewerSettings::setPrintAutoRotation(bool on) { writeBool(section::kPrint, L"AutoRotation", on); }
int32_t ViewerSettings::getPrintType() { return readInt(section::kPrint, L"Type", 1, isPrintType); }
void ViewerSettings::setPrintType(int32_t type) { writeInt(section::kPrint, L"Type", type); }
int32_t ViewerSettings::getSaveType() { return readInt(section::kSave, L"Type", 1, isSaveType); }
void ViewerSettings::setSaveType(int32_t type) { writeInt(section::kSave, L"Type", type); }
int32_t ViewerSettings::getScreenShotType() { return readInt(section::kScreenShot, L"Type", 1, isScreenShotType); }
void ViewerSettings::setScreenShotType(int32_t type) { writeInt(section::kScreenShot, L"Type", type); }

// ---- "SlideShow"

bool ViewerSettings::getSlideShowRepeat() { return readBool(section::kSlideShow, L"Repeat", true); }
void ViewerSettings::setSlideShowRepeat(bool on) { writeBool(section::kSlideShow, L"Repeat", on); }
int32_t ViewerSettings::getSlideShowMSec() {
    int32_t v = parseCount(readString(section::kSlideShow, L"MSec", L"1800"), kMaxSlideShowMSec);
    return v > 0 ? v : kDefaultSlideShowMSec;
}
void ViewerSettings::setSlideShowMSec(int32_t msec) {
    writeString(section::kSlideShow, L"MSec", std::to_wstring(msec).c_str());
}

// ---- "Convert"

const wchar_t* ViewerSettings::getConvertType() {
    return readChoice(section::kConvert, L"Type", kConvertTypes, 3, convert::kSpecificFormat);
}
void ViewerSettings::setConvertType(const wchar_t* type) { writeString(section::kConvert, L"Type", type); }
const wchar_t* ViewerSettings::getConvertFormat() {
    return readChoice(section::kConvert, L"Format_Format", kFormats, 5, kFormats[0]);
}
void ViewerSettings::setConvertFormat(const wchar_t* format) {
    writeString(section::kConvert, L"Format_Format", format);
}
const wchar_t* ViewerSettings::getConvertFilterSetAndSizeFormat() {
    return readChoice(section::kConvert, L"FilterSetAndSize_Format", kFormatsOrSame, 6, convert::kSameFormat);
}
void ViewerSettings::setConvertFilterSetAndSizeFormat(const wchar_t* format) {
    writeString(section::kConvert, L"FilterSetAndSize_Format", format);
}
int32_t ViewerSettings::getConvertSizeWidth() { return readInt(section::kConvert, L"Size_Width", 200, isPixelSize); }
void ViewerSettings::setConvertSizeWidth(int32_t width) { writeInt(section::kConvert, L"Size_Width", width); }
int32_t ViewerSettings::getConvertSizeHeight() { return readInt(section::kConvert, L"Size_Height", 200, isPixelSize); }
void ViewerSettings::setConvertSizeHeight(int32_t height) { writeInt(section::kConvert, L"Size_Height", height); }
bool ViewerSettings::getConvertSizeAutoSharpen() { return readBool(section::kConvert, L"Size_AutoSharpen", true); }
void ViewerSettings::setConvertSizeAutoSharpen(bool on) { writeBool(section::kConvert, L"Size_AutoSharpen", on); }
int32_t ViewerSettings::getConvertSizeType() { return readInt(section::kConvert, L"Size_Type", 1, isSizingType); }
void ViewerSettings::setConvertSizeType(int32_t type) { writeInt(section::kConvert, L"Size_Type", type); }
std::wstring ViewerSettings::getConvertFilterSetName() { return readString(section::kConvert, L"FilterSet_Name", L""); }
void ViewerSettings::setConvertFilterSetName(const wchar_t* name) {
    writeString(section::kConvert, L"FilterSet_Name", name);
}

// ---- "View\Filter\Watermark\FontHistory"

std::wstring ViewerSettings::getWatermarkLastUsedFont() {
    std::wstring face = readString(section::kFontHistory, L"LastUsed", L"MS Shell Dlg 2");
    return face.empty() ? L"MS Shell Dlg 2" : face;
}
void ViewerSettings::setWatermarkLastUsedFont(const wchar_t* face) {
    writeString(section::kFontHistory, L"LastUsed", face);
}
int32_t ViewerSettings::getWatermarkSize() { return readInt(section::kFontHistory, L"Size", 8, isPointSize); }
void ViewerSettings::setWatermarkSize(int32_t points) { writeInt(section::kFontHistory, L"Size", points); }
uint32_t ViewerSettings::getWatermarkColor() { return readU32(section::kFontHistory, L"Color", 0x000000); }
void ViewerSettings::setWatermarkColor(uint32_t color) { writeU32(section::kFontHistory, L"Color", color); }
bool ViewerSettings::getWatermarkWithOutline() { return readBool(section::kFontHistory, L"WithOutLine", true); }
void ViewerSettings::setWatermarkWithOutline(bool on) { writeBool(section::kFontHistory, L"WithOutLine", on); }
uint32_t ViewerSettings::getWatermarkOutlineColor() {
    return readU32(section::kFontHistory, L"OutLineColor", 0xFFFFFF);
}
void ViewerSettings::setWatermarkOutlineColor(uint32_t color) {
    writeU32(section::kFontHistory, L"OutLineColor", color);
}
bool ViewerSettings::getWatermarkBold() { return readBool(section::kFontHistory, L"WithBold", true); }
void ViewerSettings::setWatermarkBold(bool on) { writeBool(section::kFontHistory, L"WithBold", on); }
bool ViewerSettings::getWatermarkItalic() { return readBool(section::kFontHistory, L"WithItalic", false); }
void ViewerSettings::setWatermarkItalic(bool on) { writeBool(section::kFontHistory, L"WithItalic", on); }

void ViewerSettings::getFontHistory(str::strarray::StrArray* list) {
    if (!list) return;
    for (uint32_t i = 0; i < kFontHistoryMax; ++i) {
        std::wstring face = readString(section::kFontHistory, indexKey(i).c_str(), L"");
        if (face.empty()) break;
        list->addText(face.c_str());
    }
}

void ViewerSettings::addToFontHistory(const wchar_t* face) {
    if (!store_ || !face || !*face) return;
    str::strarray::StrArray* list = str::strarray::StrArray::create();
    getFontHistory(list);
    uint32_t at = 0;
    if (list->indexOfTextIgnoreCase(face, &at)) list->removeAt(at);
    list->items().insertAt(0, str::strbuffer::StrBuffer::fromString(face));
    while (list->count() > kFontHistoryMax) list->removeAt(list->count() - 1);
    const std::wstring path = pathOf(section::kFontHistory);
    for (uint32_t i = 0; i < list->count(); ++i)
        store_->setString(path.c_str(), indexKey(i).c_str(), list->at(i)->text());
    // Entries past the new end (left by a longer list) go, so the list reads back as written.
    for (uint32_t i = list->count(); i < kFontHistoryMax; ++i) store_->removeValue(path.c_str(), indexKey(i).c_str());
    list->release();
    store_->flushIfAuto();
}

}  // namespace s::image::gui::dialogs::imageview
