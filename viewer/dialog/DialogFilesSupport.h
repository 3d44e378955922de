// The plain rules behind Save As and the clipboard copy: the formats the save dialog
// offers and in which order, the name a chosen path is saved under, and the colour a
// transparent picture is put on for the clipboard.
//
//   for (const SaveFormat* f : saveFormatsFor(L"a.png")) opener->addFilter(f->description, f->pattern);
//   std::wstring target = saveTargetFor(L"Z:\\out\\holiday", chosen);   // "Z:\\out\\holiday.png"
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace s::image::gui::dialogs::imageview {

struct SaveFormat {
    const wchar_t* extension;  // without the dot: "jpg", "gif", "png", "bmp", "ico"
    const wchar_t* description;
    const wchar_t* pattern;
};

// The five formats: the one of the shown name's extension first (ignoring case; "jpeg"
// is JPEG), then the others in the order JPEG, GIF, PNG, BMP, ICO.
std::vector<const SaveFormat*> saveFormatsFor(const wchar_t* shownName);

// The format a name's extension writes ("jpg", "jpeg", "gif", "png", "bmp", "ico",
// "icon", ignoring case), or null.
const SaveFormat* saveFormatOfName(const wchar_t* name);

// The path to write for the path the save dialog answered: itself when its extension is
// one of a known format, else with the chosen format's extension appended (a name
// typed without one, or with another, such as "notes.txt" or "Mr. Smith").
std::wstring saveTargetFor(const wchar_t* chosenPath, const SaveFormat* chosen);

// The colour a transparent picture is flattened onto for a background type (0 white,
// 1 grey, 2 black, 3 the custom colour 0x00BBGGRR, 4 and 5 white).
COLORREF flattenColorFor(int32_t bgType, int32_t customColor);

}  // namespace s::image::gui::dialogs::imageview
