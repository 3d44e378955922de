// Readable text of version, string-table, accelerator, menu and dialog resources.
#include <cstring>

#include "platform/archive/DllArchive.h"

namespace s::archive::dll::win {

using str::strbuffer::StrBuffer;

namespace {

uint16_t u16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t u32(const uint8_t* p) { return uint32_t(u16(p)) | uint32_t(u16(p + 2)) << 16; }

void newline(StrBuffer* out) { out->appendText(L"\r\n"); }

// A NUL-terminated UTF-16 text at pos (below end); pos moves past its NUL. False when
// the data ends first.
bool readText(const uint8_t* d, uint32_t size, uint32_t* pos, StrBuffer* out) {
    while (*pos + 2 <= size) {
        wchar_t c = wchar_t(u16(d + *pos));
        *pos += 2;
        if (c == 0) return true;
        if (out) out->appendChar(c);
    }
    return false;
}

}  // namespace

void buildStringTableText(const uint8_t* d, uint32_t size, StrBuffer* out) {
    uint32_t pos = 0;
    while (pos + 2 <= size) {
        uint32_t n = u16(d + pos);
        pos += 2;
        if (n != 0 && pos + 2ull * n <= size) {
            out->appendChar(L'"');
            for (uint32_t i = 0; i < n; ++i) out->appendChar(wchar_t(u16(d + pos + 2 * i)));
            out->appendChar(L'"');
        }
        pos += 2 * n;
        newline(out);
    }
}

const wchar_t* virtualKeyName(uint32_t code) {
    static const struct {
        uint8_t code;
        const wchar_t* name;
    } kKeys[] = {
        {1, L"Left mouse button"},
        {2, L"Right mouse button"},
        {3, L"Control-break processing"},
        {4, L"Middle mouse button"},
        {5, L"X1 mouse button"},
        {6, L"X2 mouse button"},
        {8, L"BACKSPACE key"},
        {9, L"TAB key"},
        {12, L"CLEAR key"},
        {13, L"ENTER key"},
        {16, L"SHIFT key"},
        {17, L"CTRL key"},
        {18, L"ALT key"},
        {19, L"PAUSE key"},
        {20, L"CAPS LOCK key"},
        {21, L"IME Kana mode"},
        {23, L"IME Junja mode"},
        {24, L"IME final mode"},
        {25, L"IME Kanji mode"},
        {27, L"ESC key"},
        {28, L"IME convert"},
        {29, L"IME nonconvert"},
        {30, L"IME accept"},
        {31, L"IME mode change request"},
        {32, L"SPACEBAR"},
        {33, L"PAGE UP key"},
        {34, L"PAGE DOWN key"},
        {35, L"END key"},
        {36, L"HOME key"},
        {37, L"LEFT ARROW key"},
        {38, L"UP ARROW key"},
        {39, L"RIGHT ARROW key"},
        {40, L"DOWN ARROW key"},
        {41, L"SELECT key"},
        {42, L"PRINT key"},
        {43, L"EXECUTE key"},
        {44, L"PRINT SCREEN key"},
        {45, L"INS key"},
        {46, L"DEL key"},
        {47, L"HELP key"},
        {48, L"0 key"},
        {49, L"1 key"},
        {50, L"2 key"},
        {51, L"3 key"},
        {52, L"4 key"},
        {53, L"5 key"},
        {54, L"6 key"},
        {55, L"7 key"},
        {56, L"8 key"},
        {57, L"9 key"},
        {91, L"Left Windows key"},
        {92, L"Right Windows key"},
        {93, L"Applications key"},
        {95, L"Computer Sleep key"},
        {96, L"Numeric keypad 0 key"},
        {97, L"Numeric keypad 1 key"},
        {98, L"Numeric keypad 2 key"},
        {99, L"Numeric keypad 3 key"},
        {100, L"Numeric keypad 4 key"},
        {101, L"Numeric keypad 5 key"},
        {102, L"Numeric keypad 6 key"},
        {103, L"Numeric keypad 7 key"},
        {104, L"Numeric keypad 8 key"},
        {105, L"Numeric keypad 9 key"},
        {106, L"Multiply key"},
        {107, L"Add key"},
        {108, L"Separator key"},
        {109, L"Subtract key"},
        {110, L"Decimal key"},
        {111, L"Divide key"},
        {144, L"NUM LOCK key"},
        {145, L"SCROLL LOCK key"},
        {160, L"Left SHIFT key"},
        {161, L"Right SHIFT key"},
        {162, L"Left CONTROL key"},
        {163, L"Right CONTROL key"},
        {164, L"Left ALT key"},
        {165, L"Right ALT key"},
        {166, L"Browser Back key"},
        {167, L"Browser Forward key"},
        {168, L"Browser Refresh key"},
        {169, L"Browser Stop key"},
        {170, L"Browser Search key"},
        {171, L"Browser Favorites key"},
        {172, L"Browser Start and Home key"},
        {173, L"Volume Mute key"},
        {174, L"Volume Down key"},
        {175, L"Volume Up key"},
        {176, L"Next Track key"},
        {177, L"Previous Track key"},
        {178, L"Stop Media key"},
        {179, L"Play/Pause Media key"},
        {180, L"Start Mail key"},
        {181, L"Select Media key"},
        {182, L"Start Application 1 key"},
        {183, L"Start Application 2 key"},
        {186, L"';:' key"},
        {187, L"'+' key"},
        {188, L"',' key"},
        {189, L"'-' key"},
        {190, L"'.' key"},
        {191, L"'/?' key"},
        {192, L"'`~' key"},
        {219, L"'[{' key"},
        {220, L"'\\|' key"},
        {221, L"']}' key"},
        {222, L"'single-quote/double-quote' key"},
        {223, L"Miscellaneous key"},
        {226, L"Angle bracket or backslash key"},
        {229, L"IME PROCESS key"},
        {231, L"Unicode packet"},
        {246, L"Attn key"},
        {247, L"CrSel key"},
        {248, L"ExSel key"},
        {249, L"Erase EOF key"},
        {250, L"Play key"},
        {251, L"Zoom key"},
        {253, L"PA1 key"},
        {254, L"Clear key"},
    };
    static wchar_t letters[26][6];
    static wchar_t fkeys[24][8];
    if (code >= 65 && code <= 90) {
        wchar_t* s = letters[code - 65];
        s[0] = wchar_t(code);
        std::wcscpy(s + 1, L" key");
        return s;
    }
    if (code >= 112 && code <= 135) {
        wchar_t* s = fkeys[code - 112];
        int n = int(code - 111);
        int k = 0;
        s[k++] = L'F';
        if (n >= 10) s[k++] = wchar_t(L'0' + n / 10);
        s[k++] = wchar_t(L'0' + n % 10);
        std::wcscpy(s + k, L" key");
        return s;
    }
    for (const auto& k : kKeys)
        if (k.code == code) return k.name;
    return L"Unknown key";
}

void buildAcceleratorText(const uint8_t* d, uint32_t size, StrBuffer* out) {
    for (uint32_t i = 0; i + 8 <= size; i += 8) {
        uint16_t flags = u16(d + i), key = u16(d + i + 2), cmd = u16(d + i + 4);
        out->appendText(L"Key: ");
        if (flags & 0x10) out->appendText(L"Alt + ");
        if (flags & 0x08) out->appendText(L"Ctrl + ");
        if (flags & 0x04) out->appendText(L"Shift + ");
        if (flags & 0x01) {
            out->appendText(virtualKeyName(key));
        } else {
            out->appendChar(wchar_t(key));
            out->appendText(L" key");
        }
        newline(out);
        out->appendText(L"Action ID: ");
        out->appendU32(cmd);
        newline(out);
        newline(out);
    }
}

void buildMenuText(const uint8_t* d, uint32_t size, StrBuffer* out) {
    if (size < 4 || u16(d) != 0 || u16(d + 2) != 0) return;
    uint32_t pos = 4;
    // For each open pop-up level: whether the pop-up was the last item of its parent.
    bool lastStack[64];
    int depth = 0;
    StrBuffer* text = StrBuffer::create();
    if (!text) return;
    while (pos + 2 <= size) {
        uint16_t option = u16(d + pos);
        pos += 2;
        uint16_t id = 0;
        bool popup = (option & 0x10) != 0;
        if (!popup) {
            if (pos + 2 > size) break;
            id = u16(d + pos);
            pos += 2;
        }
        text->clear();
        bool complete = readText(d, size, &pos, text);
        for (int t = 0; t < depth; ++t) out->appendChar(L'\t');
        if (!popup && text->length() == 0)
            out->appendText(L"---------------");
        else
            out->appendStr(text);
        newline(out);
        if (id != 0) {
            for (int t = 0; t < depth; ++t) out->appendChar(L'\t');
            out->appendText(L"(ID: ");
            out->appendU32(id);
            out->appendChar(L')');
            newline(out);
        }
        if (!complete) break;
        bool end = (option & 0x80) != 0;
        if (popup) {
            if (depth < 64) lastStack[depth++] = end;
            continue;
        }
        if (!end) continue;
        // The level ends; so does every enclosing one whose pop-up was its parent's last item.
        bool done = false;
        for (;;) {
            if (depth == 0) {
                done = true;
                break;
            }
            bool parentLast = lastStack[--depth];
            if (!parentLast) break;
        }
        if (done) break;
    }
    text->release();
}

void buildVersionText(const uint8_t* d, uint32_t size, StrBuffer* out) {
    static const uint8_t sig[4] = {0xBD, 0x04, 0xEF, 0xFE};
    uint32_t at = 0;
    bool found = false;
    for (; at + 4 <= size; ++at)
        if (std::memcmp(d + at, sig, 4) == 0) {
            found = true;
            break;
        }
    if (!found) return;
    uint32_t pos = (at + sizeof(VS_FIXEDFILEINFO) + 3) & ~3u;
    // Child blocks of the root: StringFileInfo and VarFileInfo, in either order.
    StrBuffer* key = StrBuffer::create();
    if (!key) return;
    while (pos + 6 <= size) {
        uint32_t len = u16(d + pos);
        if (len < 6 || pos + len > size) break;
        uint32_t p = pos + 6;
        key->clear();
        readText(d, pos + len, &p, key);
        if (key->equalsExact(L"StringFileInfo")) {
            uint32_t tab = (p + 3) & ~3u;  // the first string table
            if (tab + 6 > pos + len) break;
            uint32_t tabEnd = tab + u16(d + tab);
            if (tabEnd > pos + len) tabEnd = pos + len;
            uint32_t s = tab + 6;
            readText(d, tabEnd, &s, nullptr);
            s = (s + 3) & ~3u;
            while (s + 6 <= tabEnd) {
                uint32_t slen = u16(d + s), vlen = u16(d + s + 2), stype = u16(d + s + 4);
                if (slen < 6 || s + slen > tabEnd) break;
                uint32_t q = s + 6;
                key->clear();
                readText(d, s + slen, &q, key);
                q = (q + 3) & ~3u;
                if (stype == 1) {
                    out->appendStr(key);
                    out->appendText(L": ");
                    for (uint32_t k = 0; k < vlen && q + 2 <= s + slen; ++k, q += 2) {
                        wchar_t c = wchar_t(u16(d + q));
                        if (!c) break;
                        out->appendChar(c);
                    }
                    newline(out);
                }
                s = (s + slen + 3) & ~3u;
            }
            break;
        }
        pos = (pos + len + 3) & ~3u;
    }
    key->release();
}

// ---- dialogs -----------------------------------------------------------------------------

namespace {

struct Named {
    uint32_t bits;
    const wchar_t* name;
};

void appendStyles(StrBuffer* out, uint32_t style) {
    static const Named kStyles[] = {
        {WS_BORDER, L"WS_BORDER"},
        {WS_CAPTION, L"WS_CAPTION"},
        {WS_CHILD, L"WS_CHILD"},
        {WS_CHILD, L"WS_CHILDWINDOW"},
        {WS_CLIPCHILDREN, L"WS_CLIPCHILDREN"},
        {WS_CLIPSIBLINGS, L"WS_CLIPSIBLINGS"},
        {WS_DISABLED, L"WS_DISABLED"},
        {WS_DLGFRAME, L"WS_DLGFRAME"},
        {WS_GROUP, L"WS_GROUP"},
        {WS_HSCROLL, L"WS_HSCROLL"},
        {WS_ICONIC, L"WS_ICONIC"},
        {WS_MAXIMIZE, L"WS_MAXIMIZE"},
        {WS_MAXIMIZEBOX, L"WS_MAXIMIZEBOX"},
        {WS_MINIMIZE, L"WS_MINIMIZE"},
        {WS_MINIMIZEBOX, L"WS_MINIMIZEBOX"},
        {0, L"WS_OVERLAPPED"},
        {WS_POPUP, L"WS_POPUP"},
        {WS_SIZEBOX, L"WS_SIZEBOX"},
        {WS_SYSMENU, L"WS_SYSMENU"},
        {WS_TABSTOP, L"WS_TABSTOP"},
        {WS_THICKFRAME, L"WS_THICKFRAME"},
        {0, L"WS_TILED"},
        {WS_VISIBLE, L"WS_VISIBLE"},
        {WS_VSCROLL, L"WS_VSCROLL"},
        {DS_3DLOOK, L"DS_3DLOOK"},
        {DS_ABSALIGN, L"DS_ABSALIGN"},
        {DS_CENTER, L"DS_CENTER"},
        {DS_CENTERMOUSE, L"DS_CENTERMOUSE"},
        {DS_CONTEXTHELP, L"DS_CONTEXTHELP"},
        {DS_CONTROL, L"DS_CONTROL"},
        {DS_FIXEDSYS, L"DS_FIXEDSYS"},
        {DS_LOCALEDIT, L"DS_LOCALEDIT"},
        {DS_MODALFRAME, L"DS_MODALFRAME"},
        {DS_NOFAILCREATE, L"DS_NOFAILCREATE"},
        {DS_NOIDLEMSG, L"DS_NOIDLEMSG"},
        {DS_SETFONT, L"DS_SETFONT"},
        {DS_SETFOREGROUND, L"DS_SETFOREGROUND"},
        {DS_SETFONT | DS_FIXEDSYS, L"DS_SHELLFONT"},
        {DS_SYSMODAL, L"DS_SYSMODAL"},
    };
    out->appendText(L"Styles:");
    newline(out);
    for (const Named& n : kStyles)
        if ((style & n.bits) == n.bits) {
            out->appendText(n.name);
            newline(out);
        }
}

void appendExStyles(StrBuffer* out, uint32_t style) {
    static const Named kEx[] = {
        {WS_EX_ACCEPTFILES, L"WS_EX_ACCEPTFILES"},
        {WS_EX_APPWINDOW, L"WS_EX_APPWINDOW"},
        {WS_EX_CLIENTEDGE, L"WS_EX_CLIENTEDGE"},
        {WS_EX_COMPOSITED, L"WS_EX_COMPOSITED"},
        {WS_EX_CONTEXTHELP, L"WS_EX_CONTEXTHELP"},
        {WS_EX_CONTROLPARENT, L"WS_EX_CONTROLPARENT"},
        {WS_EX_DLGMODALFRAME, L"WS_EX_DLGMODALFRAME"},
        {WS_EX_LAYERED, L"WS_EX_LAYERED"},
        {WS_EX_LAYOUTRTL, L"WS_EX_LAYOUTRTL"},
        {0, L"WS_EX_LEFT"},
        {WS_EX_LEFTSCROLLBAR, L"WS_EX_LEFTSCROLLBAR"},
        {0, L"WS_EX_LTRREADING"},
        {WS_EX_MDICHILD, L"WS_EX_MDICHILD"},
        {WS_EX_NOACTIVATE, L"WS_EX_NOACTIVATE"},
        {WS_EX_NOINHERITLAYOUT, L"WS_EX_NOINHERITLAYOUT"},
        {WS_EX_NOPARENTNOTIFY, L"WS_EX_NOPARENTNOTIFY"},
        {WS_EX_RIGHT, L"WS_EX_RIGHT"},
        {0, L"WS_EX_RIGHTSCROLLBAR"},
        {WS_EX_RTLREADING, L"WS_EX_RTLREADING"},
        {WS_EX_STATICEDGE, L"WS_EX_STATICEDGE"},
        {WS_EX_TOOLWINDOW, L"WS_EX_TOOLWINDOW"},
        {WS_EX_TOPMOST, L"WS_EX_TOPMOST"},
        {WS_EX_TRANSPARENT, L"WS_EX_TRANSPARENT"},
        {WS_EX_WINDOWEDGE, L"WS_EX_WINDOWEDGE"},
    };
    out->appendText(L"Extended Styles:");
    newline(out);
    for (const Named& n : kEx)
        if ((style & n.bits) == n.bits) {
            out->appendText(n.name);
            newline(out);
        }
}

// A "sz_Or_Ord" field: 0 = none, FFFF + ordinal, or text. False when the data ends.
bool readSzOrOrd(const uint8_t* d, uint32_t size, uint32_t* pos, bool* isOrd, uint16_t* ord, StrBuffer* text) {
    text->clear();
    *isOrd = false;
    if (*pos + 2 > size) return false;
    uint16_t first = u16(d + *pos);
    if (first == 0xFFFF) {
        if (*pos + 4 > size) return false;
        *isOrd = true;
        *ord = u16(d + *pos + 2);
        *pos += 4;
        return true;
    }
    return readText(d, size, pos, text);
}

void appendLine(StrBuffer* out, const wchar_t* label, const wchar_t* value) {
    out->appendText(label);
    out->appendText(value);
    newline(out);
}

void appendNumberLine(StrBuffer* out, const wchar_t* label, int64_t v, const wchar_t* suffix = L"") {
    out->appendText(label);
    out->appendS64(v);
    out->appendText(suffix);
    newline(out);
}

void appendClass(StrBuffer* out, bool isOrd, uint16_t ord, StrBuffer* text) {
    static const wchar_t* kAtoms[] = {L"Button", L"Edit", L"Static", L"List box", L"Scroll bar", L"Combo box"};
    out->appendText(L"Class ID: ");
    if (isOrd) {
        if (ord >= 0x80 && ord <= 0x85)
            out->appendText(kAtoms[ord - 0x80]);
        else
            out->appendU32(ord);
    } else {
        out->appendStr(text);
    }
    newline(out);
}

void appendGeometry(StrBuffer* out, const uint8_t* p) {
    appendNumberLine(out, L"X: ", int16_t(u16(p)), L" (dialog unit)");
    appendNumberLine(out, L"Y: ", int16_t(u16(p + 2)), L" (dialog unit)");
    appendNumberLine(out, L"Width: ", int16_t(u16(p + 4)), L" (dialog unit)");
    appendNumberLine(out, L"Height: ", int16_t(u16(p + 6)), L" (dialog unit)");
}

}  // namespace

void buildDialogText(const uint8_t* d, uint32_t size, StrBuffer* out) {
    if (size < 18) return;
    bool ex = u16(d) == 1 && u16(d + 2) == 0xFFFF;
    if (ex && size < 26) return;
    StrBuffer* text = StrBuffer::create();
    if (!text) return;
    uint32_t helpId = 0, exStyle, style, pos;
    uint16_t count;
    if (ex) {
        helpId = u32(d + 4);
        exStyle = u32(d + 8);
        style = u32(d + 12);
        count = u16(d + 16);
        pos = 18;
    } else {
        style = u32(d);
        exStyle = u32(d + 4);
        count = u16(d + 8);
        pos = 10;
    }
    const uint8_t* geometry = d + pos;
    pos += 8;
    out->appendText(L"[Dialog]");
    newline(out);
    bool isOrd;
    uint16_t ord = 0;
    bool ok = true;
    // Menu, class, title.
    bool menuOrd;
    uint16_t menuId = 0;
    StrBuffer* menu = StrBuffer::create();
    ok = menu && readSzOrOrd(d, size, &pos, &menuOrd, &menuId, menu);
    if (ok) ok = readSzOrOrd(d, size, &pos, &isOrd, &ord, text);
    if (ok) {
        if (isOrd || text->length()) appendClass(out, isOrd, ord, text);
        text->clear();
        ok = readText(d, size, &pos, text);
    }
    if (ok) {
        appendLine(out, L"Title: ", text->length() ? text->text() : L"(None)");
        if (ex) appendNumberLine(out, L"Help ID: ", helpId);
        if (menuOrd)
            appendNumberLine(out, L"Menu Resource ID: ", menuId);
        else if (menu->length())
            appendLine(out, L"Menu Resource ID: ", menu->text());
        if (style & DS_SETFONT) {
            if (pos + 2 > size) ok = false;
            uint16_t points = ok ? u16(d + pos) : 0;
            pos += 2;
            uint16_t weight = 0;
            uint8_t italic = 0, charset = 0;
            if (ok && ex) {
                if (pos + 4 > size)
                    ok = false;
                else {
                    weight = u16(d + pos);
                    italic = d[pos + 2];
                    charset = d[pos + 3];
                    pos += 4;
                }
            }
            text->clear();
            if (ok) ok = readText(d, size, &pos, text);
            if (ok) {
                appendLine(out, L"Font Name: ", text->text());
                appendNumberLine(out, L"Font Size: ", points, L" point");
                if (ex) {
                    appendNumberLine(out, L"Font Weight: ", weight);
                    appendLine(out, L"Font Italic: ", italic ? L"true" : L"false");
                    appendNumberLine(out, L"Font Character Set: ", charset);
                }
            }
        }
    }
    if (ok) {
        appendGeometry(out, geometry);
        appendStyles(out, style);
        appendExStyles(out, exStyle);
    }
    for (uint32_t c = 0; ok && c < count; ++c) {
        pos = (pos + 3) & ~3u;
        uint32_t cHelp = 0, cEx, cStyle, cId;
        const uint8_t* cGeo;
        if (ex) {
            if (pos + 24 > size) break;
            cHelp = u32(d + pos);
            cEx = u32(d + pos + 4);
            cStyle = u32(d + pos + 8);
            cGeo = d + pos + 12;
            cId = u32(d + pos + 20);
            pos += 24;
        } else {
            if (pos + 18 > size) break;
            cStyle = u32(d + pos);
            cEx = u32(d + pos + 4);
            cGeo = d + pos + 8;
            cId = u16(d + pos + 16);
            pos += 18;
        }
        bool classOrd;
        uint16_t classAtom = 0;
        StrBuffer* cls = StrBuffer::create();
        if (!cls) break;
        ok = readSzOrOrd(d, size, &pos, &classOrd, &classAtom, cls);
        bool titleOrd = false;
        uint16_t titleId = 0;
        if (ok) ok = readSzOrOrd(d, size, &pos, &titleOrd, &titleId, text);
        if (ok && pos + 2 <= size) {
            pos += 2 + u16(d + pos);  // creation data
        }
        if (ok) {
            newline(out);
            out->appendText(L"[Component ");
            out->appendU32(c + 1);
            out->appendChar(L']');
            newline(out);
            appendClass(out, classOrd, classAtom, cls);
            if (titleOrd)
                appendNumberLine(out, L"Resource ID: ", titleId);
            else
                appendLine(out, L"Text: ", text->length() ? text->text() : L"");
            appendNumberLine(out, L"Control ID: ", cId);
            if (ex) appendNumberLine(out, L"Help ID: ", cHelp);
            appendGeometry(out, cGeo);
            appendStyles(out, cStyle);
            appendExStyles(out, cEx);
        }
        cls->release();
    }
    if (menu) menu->release();
    text->release();
}

}  // namespace s::archive::dll::win
