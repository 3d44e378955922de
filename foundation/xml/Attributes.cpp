#include "foundation/xml/Attributes.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <new>

#include "foundation/str/StrBuffer.h"
#include "foundation/thread/Pool.h"
#include "foundation/xml/XmlText.h"

using s::str::strbuffer::StrBuffer;
using s::thread::ObjLocker;

namespace s::xml {

namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r'; }

wchar_t fold(wchar_t c) { return (c >= L'A' && c <= L'Z') ? wchar_t(c + 32) : c; }

bool sameNameIgnoreCase(const XmlAttr* a, const wchar_t* name, uint32_t len) {
    if (uint32_t(a->nameLength) != len) return false;
    for (uint32_t i = 0; i < len; ++i) {
        if (fold(a->name[i]) != fold(name[i])) return false;
    }
    return true;
}

wchar_t* copyText(const wchar_t* text, uint32_t len) {
    wchar_t* p = static_cast<wchar_t*>(std::malloc((size_t(len) + 1) * sizeof(wchar_t)));
    if (!p) return nullptr;
    if (len) std::wmemcpy(p, text, len);
    p[len] = 0;
    return p;
}

// The shared number-format buffer: a pooled string owned by a locker. Made on first use
// and never destroyed, so setters running during shutdown still find it.
ObjLocker* formatLocker() {
    static ObjLocker* locker = new ObjLocker(StrBuffer::create(), [](void* s) {
        if (s) static_cast<StrBuffer*>(s)->release();
    });
    return locker;
}

void formatReal(StrBuffer* buf, double v, bool single) {
    if (std::isnan(v)) {
        buf->setText(L"nan");
    } else if (std::isinf(v)) {
        buf->setText(v < 0 ? L"-inf" : L"inf");
    } else {
        // At most 25 characters; the bound is the reserved room.
        int n = std::swprintf(buf->data(), buf->capacity(), single ? L"%.9g" : L"%.17g", v);
        buf->setLength(n > 0 ? uint32_t(n) : 0);
    }
}

bool startsWithWord(const wchar_t* p, const wchar_t* word) {
    for (; *word; ++p, ++word) {
        if (fold(*p) != *word) return false;
    }
    return true;
}

double parseReal(const wchar_t* s) {
    const wchar_t* p = s;
    while (isBlank(*p)) ++p;
    bool negative = false;
    if (*p == L'-' || *p == L'+') negative = *p++ == L'-';
    if (startsWithWord(p, L"nan")) return negative ? -NAN : NAN;
    if (startsWithWord(p, L"inf")) return negative ? -INFINITY : INFINITY;
    return std::wcstod(s, nullptr);
}

// Magnitude of a decimal number (saturating at 2^64 - 1) and its sign.
uint64_t parseDecimal(const wchar_t* s, bool& negative) {
    const wchar_t* p = s;
    while (isBlank(*p) || *p == L'\v' || *p == L'\f') ++p;
    negative = false;
    if (*p == L'-' || *p == L'+') negative = *p++ == L'-';
    uint64_t v = 0;
    bool saturated = false;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        uint64_t d = uint64_t(*p - L'0');
        if (v > (UINT64_MAX - d) / 10) saturated = true;
        if (!saturated) v = v * 10 + d;
    }
    return saturated ? UINT64_MAX : v;
}

}  // namespace

Attributes::Attributes() : items_(AttrFactory::instance()) {}

Attributes::~Attributes() { clear(); }

base::IObject* Attributes::newInstance() const { return new (std::nothrow) Attributes(); }

int32_t Attributes::indexOf(const wchar_t* name) const {
    if (!name) name = L"";
    uint32_t len = uint32_t(std::wcslen(name));
    uint32_t n = items_.count();
    for (uint32_t i = 0; i < n; ++i) {
        if (sameNameIgnoreCase(at(i), name, len)) return int32_t(i);
    }
    return -1;
}

const XmlAttr* Attributes::find(const wchar_t* name) const {
    int32_t i = indexOf(name);
    return i < 0 ? nullptr : at(uint32_t(i));
}

const wchar_t* Attributes::valueOf(const wchar_t* name) const {
    const XmlAttr* a = find(name);
    return a ? (a->value ? a->value : L"") : nullptr;
}

void Attributes::clear() { items_.freeStorage(); }

void Attributes::removeAt(uint32_t i) { items_.removeAtAndRelease(i); }

bool Attributes::add(const wchar_t* name, const wchar_t* value, int32_t valueLength) {
    return addText(name, -1, value, valueLength);
}

bool Attributes::addText(const wchar_t* name, int32_t nameLength, const wchar_t* value, int32_t valueLength) {
    uint32_t nameLen = !name ? 0 : nameLength < 0 ? uint32_t(std::wcslen(name)) : uint32_t(nameLength);
    uint32_t valueLen = !value ? 0 : valueLength < 0 ? uint32_t(std::wcslen(value)) : uint32_t(valueLength);
    if (nameLen > 0 && !isValidName(name, int32_t(nameLen))) return false;
    // A value must not end its attribute (or the element's text) early when written,
    // nor hide a NUL that would cut the document short.
    wchar_t stop = nameLen > 0 ? L'"' : L'<';
    for (uint32_t i = 0; i < valueLen; ++i) {
        if (value[i] == stop || value[i] == 0) return false;
    }
    AttrFactory* factory = AttrFactory::instance();
    XmlAttr* a = factory->obtain();
    if (!a) return false;
    a->name = copyText(name, nameLen);
    a->value = copyText(value, valueLen);
    a->nameLength = int32_t(nameLen);
    a->valueLength = int32_t(valueLen);
    uint32_t before = items_.count();
    if (a->name && a->value) items_.push(a);
    if (items_.count() == before) {
        factory->put(a);
        return false;
    }
    return true;
}

template <class Format>
bool Attributes::setFormatted(const wchar_t* name, Format format) {
    ObjLocker* locker = formatLocker();
    ObjLocker::Guard hold(locker);
    StrBuffer* buf = static_cast<StrBuffer*>(locker->owned());
    if (!buf || !buf->reserve(256)) return false;
    buf->clear();
    format(buf);
    return addText(name, -1, buf->data(), int32_t(buf->length()));
}

bool Attributes::setInt64(const wchar_t* name, int64_t value) {
    return setFormatted(name, [value](StrBuffer* b) { b->appendS64(value); });
}

bool Attributes::setUInt32(const wchar_t* name, uint32_t value) {
    return setFormatted(name, [value](StrBuffer* b) { b->appendU32(value); });
}

bool Attributes::setFloat(const wchar_t* name, float value) {
    return setFormatted(name, [value](StrBuffer* b) { formatReal(b, double(value), true); });
}

bool Attributes::setDouble(const wchar_t* name, double value) {
    return setFormatted(name, [value](StrBuffer* b) { formatReal(b, value, false); });
}

bool Attributes::setString(const wchar_t* name, const wchar_t* text, int32_t length) {
    StrBuffer* escaped = StrBuffer::create();
    if (!escaped) return false;
    if (name && *name)
        escapeAttr(escaped, text, length);
    else
        escapeText(escaped, text, length);
    bool ok = addText(name, -1, escaped->data(), int32_t(escaped->length()));
    escaped->release();
    return ok;
}

bool Attributes::setHex64Array(const wchar_t* name, const uint64_t* values, uint32_t count) {
    return setFormatted(name, [=](StrBuffer* b) { b->formatHex(values, values ? count : 0, false); });
}

bool Attributes::setHex32Array(const wchar_t* name, const uint32_t* values, uint32_t count) {
    return setFormatted(name, [=](StrBuffer* b) { b->formatHex(values, values ? count : 0, false); });
}

bool Attributes::setHex16Array(const wchar_t* name, const uint16_t* values, uint32_t count) {
    return setFormatted(name, [=](StrBuffer* b) { b->formatHex(values, values ? count : 0, false); });
}

bool Attributes::setHex8Array(const wchar_t* name, const uint8_t* values, uint32_t count) {
    return setFormatted(name, [=](StrBuffer* b) { b->formatHex(values, values ? count : 0, false); });
}

bool Attributes::setHex64AsWords(const wchar_t* name, const uint64_t* values, uint32_t count) {
    return setFormatted(name, [=](StrBuffer* b) {
        b->clear();
        for (uint32_t i = 0; values && i < count; ++i) {
            uint32_t words[2] = {uint32_t(values[i]), uint32_t(values[i] >> 32)};
            b->formatHex(words, 2, true);
        }
    });
}

const wchar_t* Attributes::getString(const wchar_t* name, const wchar_t* def) const {
    const wchar_t* v = valueOf(name);
    return v ? v : def;
}

bool Attributes::getBool(const wchar_t* name, bool def) const {
    const wchar_t* v = valueOf(name);
    if (!v) return def;
    return v[0] == L'1' || std::wcsncmp(v, L"true", 4) == 0;
}

int32_t Attributes::getInt32(const wchar_t* name, int32_t def) const {
    const wchar_t* v = valueOf(name);
    if (!v) return def;
    bool negative;
    uint64_t m = parseDecimal(v, negative);
    if (negative) return m >= 0x80000000ull ? INT32_MIN : -int32_t(m);
    return m > uint64_t(INT32_MAX) ? INT32_MAX : int32_t(m);
}

int64_t Attributes::getInt64(const wchar_t* name, int64_t def) const {
    const wchar_t* v = valueOf(name);
    if (!v) return def;
    bool negative;
    uint64_t m = parseDecimal(v, negative);
    return int64_t(negative ? 0 - m : m);
}

uint32_t Attributes::getUInt32(const wchar_t* name, uint32_t def) const {
    const wchar_t* v = valueOf(name);
    if (!v) return def;
    bool negative;
    uint64_t m = parseDecimal(v, negative);
    if (m > UINT32_MAX) return UINT32_MAX;
    return negative ? 0u - uint32_t(m) : uint32_t(m);
}

float Attributes::getFloat(const wchar_t* name, float def) const {
    const wchar_t* v = valueOf(name);
    return v ? float(parseReal(v)) : def;
}

double Attributes::getDouble(const wchar_t* name, double def) const {
    const wchar_t* v = valueOf(name);
    return v ? parseReal(v) : def;
}

StrBuffer* Attributes::copyValueTo(StrBuffer* out, const wchar_t* name, const wchar_t* def, bool append) const {
    if (!out) {
        out = StrBuffer::create();
        if (!out) return nullptr;
    }
    const XmlAttr* a = find(name);
    if (a) {
        if (a->nameLength > 0)
            unescapeAttr(out, a->value, a->valueLength, append);
        else
            unescapeText(out, a->value, a->valueLength, append);
    } else if (append) {
        out->append(def);
    } else {
        out->setText(def);
    }
    return out;
}

const wchar_t* Attributes::parse(const wchar_t* p) {
    if (!p) return nullptr;
    for (;;) {
        while (isBlank(*p)) ++p;
        wchar_t c = *p;
        if (c == L'>' || c == L'/' || c == L'?') return p;
        if (c == 0) return nullptr;
        const wchar_t* name = p;
        while (*p && *p != L'=' && !isBlank(*p) && *p != L'>' && *p != L'/' && *p != L'"' && *p != L'\'' && *p != L'<')
            ++p;
        int32_t nameLength = int32_t(p - name);
        if (!isValidName(name, nameLength)) return nullptr;
        while (isBlank(*p)) ++p;
        if (*p != L'=') return nullptr;
        ++p;
        while (isBlank(*p)) ++p;
        wchar_t quote = *p;
        if (quote != L'"' && quote != L'\'') return nullptr;
        const wchar_t* value = ++p;
        while (*p && *p != quote) ++p;
        if (!*p) return nullptr;
        bool ok;
        if (quote == L'"') {
            ok = addText(name, nameLength, value, int32_t(p - value));
        } else {
            // Single-quoted: a double quote inside is stored escaped, as the writer
            // always uses double quotes.
            StrBuffer* v = StrBuffer::create();
            if (!v) return nullptr;
            for (const wchar_t* q = value; q < p; ++q) {
                if (*q == L'"')
                    v->append(L"&quot;", 6);
                else
                    v->appendChar(*q);
            }
            ok = addText(name, nameLength, v->data(), int32_t(v->length()));
            v->release();
        }
        if (!ok) return nullptr;
        ++p;
    }
}

void Attributes::write(StrBuffer* out) const {
    if (!out) return;
    uint32_t n = items_.count();
    for (uint32_t i = 0; i < n; ++i) {
        const XmlAttr* a = at(i);
        if (a->nameLength <= 0) continue;
        out->appendChar(L' ');
        out->append(a->name, a->nameLength);
        out->append(L"=\"", 2);
        out->append(a->value, a->valueLength);
        out->appendChar(L'"');
    }
}

}  // namespace s::xml
