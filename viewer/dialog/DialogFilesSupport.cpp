#include "viewer/dialog/DialogFilesSupport.h"

#include <cwchar>

namespace s::image::gui::dialogs::imageview {

namespace {

const SaveFormat kFormats[5] = {
    {L"jpg", L"JPG files (*.jpg, *.jpeg)", L"*.jpeg;*.jpg"},
    {L"gif", L"GIF files (*.gif)", L"*.gif"},
    {L"png", L"PNG files (*.png)", L"*.png"},
    {L"bmp", L"BMP files (*.bmp)", L"*.bmp"},
    {L"ico", L"ICO files (*.ico)", L"*.ico"},
};

// The extension of the name's last part, without the dot ("" when there is none).
const wchar_t* extensionOf(const wchar_t* name) {
    if (!name) return L"";
    const wchar_t* dot = wcsrchr(name, L'.');
    const wchar_t* slash = wcsrchr(name, L'\\');
    const wchar_t* other = wcsrchr(name, L'/');
    if (other > slash) slash = other;
    return dot && dot > slash ? dot + 1 : L"";
}

}  // namespace

const SaveFormat* saveFormatOfName(const wchar_t* name) {
    const wchar_t* ext = extensionOf(name);
    if (_wcsicmp(ext, L"jpeg") == 0) return &kFormats[0];
    if (_wcsicmp(ext, L"icon") == 0) return &kFormats[4];
    for (const SaveFormat& f : kFormats)
        if (_wcsicmp(ext, f.extension) == 0) return &f;
    return nullptr;
}

std::vector<const SaveFormat*> saveFormatsFor(const wchar_t* shownName) {
    std::vector<const SaveFormat*> list;
    const SaveFormat* own = saveFormatOfName(shownName);
    if (own) list.push_back(own);
    for (const SaveFormat& f : kFormats)
        if (&f != own) list.push_back(&f);
    return list;
}

std::wstring saveTargetFor(const wchar_t* chosenPath, const SaveFormat* chosen) {
    std::wstring target = chosenPath ? chosenPath : L"";
    if (target.empty() || saveFormatOfName(target.c_str()) || !chosen) return target;
    if (target.back() != L'.') target += L'.';
    return target + chosen->extension;
}

COLORREF flattenColorFor(int32_t bgType, int32_t customColor) {
    switch (bgType) {
        case 1: return RGB(204, 204, 204);
        case 2: return RGB(0, 0, 0);
        case 3: return COLORREF(customColor) & 0xFFFFFF;
        default: return RGB(255, 255, 255);
    }
}

}  // namespace s::image::gui::dialogs::imageview
