// Helpers of the menu tests: a two-language pack, reading an entry's native state back,
// and holders that give pooled objects back at the end of a test.
#pragma once

#include <windows.h>

#include <string>

#include "platform/lang/Localizer.h"

namespace menutest {

// English and German texts for ids 100-103 and a title 900.
inline const wchar_t* const kPack =
    L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    L"<lang>\n"
    L"<LANGUAGES>\n"
    L"  <entry tagName=\"eng\" engName=\"English\" trueName=\"English\"></entry>\n"
    L"  <entry tagName=\"deu\" engName=\"German\" trueName=\"Deutsch\"></entry>\n"
    L"</LANGUAGES>\n"
    L"<entries>\n"
    L"  <entry id=\"100\"><eng>Open</eng><deu>Oeffnen</deu></entry>\n"
    L"  <entry id=\"101\"><eng>Save</eng><deu>Speichern</deu></entry>\n"
    L"  <entry id=\"102\"><eng>Print</eng><deu>Drucken</deu></entry>\n"
    L"  <entry id=\"103\"><eng>Close</eng><deu>Schliessen</deu></entry>\n"
    L"  <entry id=\"900\"><eng>File</eng><deu>Datei</deu></entry>\n"
    L"  <entry id=\"901\"><eng>View</eng><deu>Ansicht</deu></entry>\n"
    L"</entries>\n"
    L"</lang>\n";

// A localizer on kPack, switched to English, released at the end.
struct Languages {
    Languages() : loc(s::lang::Localizer::loadXmlText(kPack)) {
        if (loc) loc->setLanguage(L"English");
    }
    ~Languages() {
        if (loc) loc->release();
    }
    Languages(const Languages&) = delete;
    Languages& operator=(const Languages&) = delete;
    s::lang::Localizer* loc;
};

// The native state of the entry at a position.
struct Entry {
    UINT type = 0;
    UINT state = 0;
    UINT id = 0;
    HMENU sub = nullptr;
    std::wstring text;
    bool checked() const { return (state & MFS_CHECKED) != 0; }
    bool grey() const { return (state & MFS_GRAYED) != 0; }
    bool separator() const { return (type & MFT_SEPARATOR) != 0; }
    bool radio() const { return (type & MFT_RADIOCHECK) != 0; }
};

inline Entry entryAt(HMENU menu, int position) {
    Entry e;
    wchar_t buffer[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = buffer;
    info.cch = 127;
    if (!GetMenuItemInfoW(menu, UINT(position), TRUE, &info)) return e;
    e.type = info.fType;
    e.state = info.fState;
    e.id = info.wID;
    e.sub = info.hSubMenu;
    e.text = buffer;
    return e;
}

}  // namespace menutest
