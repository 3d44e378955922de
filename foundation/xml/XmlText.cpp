#include "foundation/xml/XmlText.h"

#include <cwchar>

#include "foundation/str/StrBuffer.h"

using s::str::strbuffer::StrBuffer;

namespace s::xml {

namespace {

uint32_t lengthOf(const wchar_t* text, int32_t n) {
    if (!text) return 0;
    return n < 0 ? uint32_t(std::wcslen(text)) : uint32_t(n);
}

template <class Map>
void escapeWith(StrBuffer* out, const wchar_t* text, int32_t n, Map map) {
    if (!out) return;
    out->clear();
    uint32_t len = lengthOf(text, n);
    out->ensureCapacity(len);
    uint32_t run = 0;  // start of the pending run of unchanged characters
    for (uint32_t i = 0; i < len; ++i) {
        const wchar_t* rep = map(text[i]);
        if (!rep) continue;
        out->append(text + run, int32_t(i - run));
        out->append(rep);
        run = i + 1;
    }
    out->append(text + run, int32_t(len - run));
}

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r'; }

// Matches an entity or character reference at text[i] (text[i] == '&'). On success
// stores the code point in cp and the length of the reference in used.
bool matchReference(const wchar_t* text, uint32_t i, uint32_t len, uint32_t& cp, uint32_t& used) {
    static const struct {
        const wchar_t* name;
        uint32_t len;
        wchar_t ch;
    } named[] = {
        {L"&amp;", 5, L'&'}, {L"&lt;", 4, L'<'}, {L"&gt;", 4, L'>'}, {L"&quot;", 6, L'"'}, {L"&apos;", 6, L'\''},
    };
    for (const auto& e : named) {
        if (len - i >= e.len && std::wmemcmp(text + i, e.name, e.len) == 0) {
            cp = uint32_t(e.ch);
            used = e.len;
            return true;
        }
    }
    if (len - i < 4 || text[i + 1] != L'#') return false;
    uint32_t j = i + 2;
    bool hex = text[j] == L'x' || text[j] == L'X';
    if (hex) ++j;
    uint32_t value = 0;
    uint32_t digits = 0;
    for (; j < len && digits < 8; ++j, ++digits) {
        wchar_t c = text[j];
        uint32_t d;
        if (c >= L'0' && c <= L'9')
            d = uint32_t(c - L'0');
        else if (hex && c >= L'a' && c <= L'f')
            d = uint32_t(c - L'a' + 10);
        else if (hex && c >= L'A' && c <= L'F')
            d = uint32_t(c - L'A' + 10);
        else
            break;
        value = value * (hex ? 16 : 10) + d;
    }
    if (digits == 0 || j >= len || text[j] != L';') return false;
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    cp = value;
    used = j + 1 - i;
    return true;
}

void appendCodePoint(StrBuffer* out, uint32_t cp) {
    if (cp < 0x10000) {
        out->appendChar(wchar_t(cp));
    } else {
        cp -= 0x10000;
        out->appendChar(wchar_t(0xD800 + (cp >> 10)));
        out->appendChar(wchar_t(0xDC00 + (cp & 0x3FF)));
    }
}

void unescape(StrBuffer* out, const wchar_t* text, int32_t n, bool append, bool elementText) {
    if (!out) return;
    if (!append) out->clear();
    uint32_t len = lengthOf(text, n);
    uint32_t i = 0;
    if (elementText) {
        while (i < len && isBlank(text[i])) ++i;
    }
    uint32_t keep = out->length();
    out->ensureCapacity(out->length() + (len - i));
    while (i < len) {
        wchar_t c = text[i];
        uint32_t cp = 0, used = 0;
        if (c == L'&' && matchReference(text, i, len, cp, used)) {
            bool numeric = text[i + 1] == L'#';
            // The text writer turns spaces into "&#160;": they come back as plain spaces.
            if (elementText && numeric && cp == 160) cp = L' ';
            appendCodePoint(out, cp);
            i += used;
            keep = out->length();
        } else {
            out->appendChar(c);
            ++i;
        }
    }
    if (elementText) out->trimEndKeeping(keep);
}

}  // namespace

void escapeAttr(StrBuffer* out, const wchar_t* text, int32_t n) {
    escapeWith(out, text, n, [](wchar_t c) -> const wchar_t* {
        switch (c) {
            case L'\n': return L"&#10;";
            case L'\r': return L"&#13;";
            case L'"': return L"&quot;";
            case L'&': return L"&amp;";
            case L'<': return L"&lt;";
            default: return nullptr;
        }
    });
}

void escapeText(StrBuffer* out, const wchar_t* text, int32_t n) {
    escapeWith(out, text, n, [](wchar_t c) -> const wchar_t* {
        switch (c) {
            case L'\n': return L"&#10;";
            case L'\r': return L"&#13;";
            case L'&': return L"&amp;";
            case L'<': return L"&lt;";
            case L'>': return L"&gt;";
            case L' ': return L"&#160;";
            case L'\t': return L"&#9;";
            case 0x3000: return L"&#12288;";
            default: return nullptr;
        }
    });
}

void unescapeAttr(StrBuffer* out, const wchar_t* text, int32_t n, bool append) {
    unescape(out, text, n, append, false);
}

void unescapeText(StrBuffer* out, const wchar_t* text, int32_t n, bool append) { unescape(out, text, n, append, true); }

bool isValidName(const wchar_t* name, int32_t n) {
    uint32_t len = lengthOf(name, n);
    if (len == 0 || name[0] == L'!' || name[0] == L'?') return false;
    for (uint32_t i = 0; i < len; ++i) {
        wchar_t c = name[i];
        if (c <= 0x20 || c == 0x7F) return false;
        switch (c) {
            case L'=':
            case L'"':
            case L'\'':
            case L'<':
            case L'>':
            case L'/':
            case L'&':
            case L'?': return false;
            default: break;
        }
    }
    return true;
}

}  // namespace s::xml
