// Numbers, hexadecimal, encodings, splitting and the string cursors.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "foundation/col/Array.h"
#include "foundation/col/Iterator.h"
#include "foundation/digest/Md5.h"
#include "foundation/str/StrArray.h"
#include "foundation/str/StrBuffer.h"

namespace s::str::strbuffer {

using col::_array::ArrayU08;
using strarray::StrArray;

// ---- decimal numbers ---------------------------------------------------------------------

namespace {

// Writes the digits of v ending just before end; returns the first digit.
inline wchar_t* formatDigits(uint64_t v, wchar_t* end) {
    wchar_t* p = end;
    do {
        *--p = wchar_t(L'0' + v % 10);
        v /= 10;
    } while (v);
    return p;
}

inline bool isBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

// Leading blanks, an optional sign, then decimal digits up to the first non-digit.
// The magnitude saturates at 2^64 - 1 (overflow is set then).
struct Decimal {
    bool negative = false;
    bool overflow = false;
    uint64_t magnitude = 0;
};

Decimal parseDecimal(const wchar_t* p, uint32_t n) {
    Decimal d;
    uint32_t i = 0;
    while (i < n && isBlank(p[i])) ++i;
    if (i < n && (p[i] == L'-' || p[i] == L'+')) d.negative = p[i++] == L'-';
    for (; i < n && p[i] >= L'0' && p[i] <= L'9'; ++i) {
        uint64_t digit = uint64_t(p[i] - L'0');
        if (d.magnitude > (UINT64_MAX - digit) / 10) {
            d.overflow = true;
            d.magnitude = UINT64_MAX;
        } else if (!d.overflow) {
            d.magnitude = d.magnitude * 10 + digit;
        }
    }
    return d;
}

int64_t saturateSigned(const Decimal& d, int64_t lo, int64_t hi) {
    if (d.negative) { return d.magnitude > uint64_t(-(lo + 1)) + 1 ? lo : int64_t(0 - d.magnitude); }
    return d.magnitude > uint64_t(hi) ? hi : int64_t(d.magnitude);
}

}  // namespace

StrBuffer* StrBuffer::appendU64(uint64_t v) {
    wchar_t buf[24];
    wchar_t* end = buf + 24;
    wchar_t* p = formatDigits(v, end);
    return append(p, int32_t(end - p));
}

StrBuffer* StrBuffer::appendS64(int64_t v) {
    wchar_t buf[24];
    wchar_t* end = buf + 24;
    uint64_t magnitude = v < 0 ? 0 - uint64_t(v) : uint64_t(v);
    wchar_t* p = formatDigits(magnitude, end);
    if (v < 0) *--p = L'-';
    return append(p, int32_t(end - p));
}

StrBuffer* StrBuffer::appendDouble(double v) {
    // "%f" of the largest double needs 317 units plus the NUL.
    wchar_t buf[400];
    int n = swprintf(buf, sizeof buf / sizeof buf[0], L"%f", v);
    if (n <= 0 || n >= int(sizeof buf / sizeof buf[0])) return this;
    return append(buf, n);
}

int32_t StrBuffer::toInt() const {
    return int32_t(saturateSigned(parseDecimal(chars_, length_), INT32_MIN, INT32_MAX));
}

int64_t StrBuffer::toS64() const { return saturateSigned(parseDecimal(chars_, length_), INT64_MIN, INT64_MAX); }

uint64_t StrBuffer::toU64() const {
    Decimal d = parseDecimal(chars_, length_);
    return d.negative ? 0 - d.magnitude : d.magnitude;
}

double StrBuffer::toDouble() const {
    if (length_ == 0) return 0.0;
    if (chars_[length_] != 0) chars_[length_] = 0;  // units written through data()
    return wcstod(chars_, nullptr);
}

bool StrBuffer::isInteger() const {
    if (length_ == 0) return false;
    uint32_t i = (chars_[0] == L'-' && length_ >= 2) ? 1 : 0;
    for (; i < length_; ++i)
        if (chars_[i] < L'0' || chars_[i] > L'9') return false;
    return true;
}

bool StrBuffer::isHex() const {
    if (length_ == 0) return false;
    for (uint32_t i = 0; i < length_; ++i) {
        wchar_t c = chars_[i];
        if (!((c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F'))) return false;
    }
    return true;
}

uint32_t StrBuffer::parseHex() const {
    uint32_t r = 0;
    for (uint32_t i = 0; i < length_; ++i) r = (r << 4) | hexValue(chars_[i]);
    return r;
}

// ---- hexadecimal -------------------------------------------------------------------------

namespace {

const wchar_t kHexDigits[] = L"0123456789abcdef";

template <class U>
inline void writeHex(wchar_t* d, U v) {
    for (int i = int(sizeof(U) * 2) - 1; i >= 0; --i) {
        d[i] = kHexDigits[v & 0xF];
        v = U(v >> 4);
    }
}

template <class U>
StrBuffer* formatHexImpl(StrBuffer* s, const U* v, uint32_t n, bool append) {
    const uint32_t width = sizeof(U) * 2;
    const uint32_t start = append ? s->length() : 0;
    const uint64_t total = uint64_t(start) + uint64_t(width) * n;
    if (total > 0xFFFFFFFEu) return s;
    if (append ? !s->ensureCapacity(uint32_t(total)) : !s->reserve(uint32_t(total))) return s;
    wchar_t* d = s->data() + start;
    for (uint32_t i = 0; i < n; ++i, d += width) writeHex<U>(d, v[i]);
    s->setLength(uint32_t(total));
    return s;
}

}  // namespace

StrBuffer* StrBuffer::formatHex(const uint8_t* v, uint32_t n, bool append) { return formatHexImpl(this, v, n, append); }
StrBuffer* StrBuffer::formatHex(const uint16_t* v, uint32_t n, bool append) {
    return formatHexImpl(this, v, n, append);
}
StrBuffer* StrBuffer::formatHex(const uint32_t* v, uint32_t n, bool append) {
    return formatHexImpl(this, v, n, append);
}
StrBuffer* StrBuffer::formatHex(const uint64_t* v, uint32_t n, bool append) {
    return formatHexImpl(this, v, n, append);
}

StrBuffer* StrBuffer::appendHexFloat(const float* v, uint32_t n) {
    return formatHexImpl(this, reinterpret_cast<const uint32_t*>(v), n, true);
}

StrBuffer* StrBuffer::appendHexDouble(const double* v, uint32_t n) {
    // Two 32-bit words per value in memory order (low word first).
    return formatHexImpl(this, reinterpret_cast<const uint32_t*>(v), n * 2, true);
}

ArrayU08* StrBuffer::hexToBytes(ArrayU08* bytes, bool append) const {
    ArrayU08* out = bytes ? bytes : ArrayU08::create();
    if (!out) return nullptr;
    if (!append) out->clear();
    const uint32_t k = length_ / 2;
    const uint32_t start = out->count();
    if (!out->reserve(start + k)) return out;
    uint8_t* d = out->items() + start;
    // A unit that is not a digit keeps the running value's nibble (first unit of a pair)
    // or gives 0 (second unit).
    uint32_t v = 0;
    for (uint32_t i = 0; i < k; ++i) {
        wchar_t hi = chars_[2 * i], lo = chars_[2 * i + 1];
        if ((hi >= L'0' && hi <= L'9') || (hi >= L'a' && hi <= L'f') || (hi >= L'A' && hi <= L'F'))
            v = (v << 4) | hexValue(hi);
        v = (v << 4) | hexValue(lo);
        d[i] = uint8_t(v);
    }
    out->setCount(start + k);
    return out;
}

// ---- encodings ---------------------------------------------------------------------------

namespace {

// Makes room for `room` more bytes after the current count (emptying first without
// append); returns false when the allocation failed.
bool prepareBytes(ArrayU08* out, bool append, uint64_t room) {
    if (!append) out->clear();
    uint64_t need = uint64_t(out->count()) + room;
    if (need > 0xFFFFFFFFu) return false;
    return append ? out->ensureCapacity(uint32_t(need)) : out->reserve(uint32_t(need));
}

// The system conversion of the units into the room after the count; returns the bytes written.
uint32_t wideToBytes(int codePage, const wchar_t* units, uint32_t n, ArrayU08* out) {
    if (n == 0) return 0;
    uint32_t at = out->count();
    int room = int(out->capacity() - at - 2);
    int written = WideCharToMultiByte(UINT(codePage), 0, units, int(n), reinterpret_cast<char*>(out->items()) + at,
                                      room, nullptr, nullptr);
    if (written <= 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        // Some code pages take more than three bytes per unit: ask for the exact size.
        int need = WideCharToMultiByte(UINT(codePage), 0, units, int(n), nullptr, 0, nullptr, nullptr);
        if (need <= 0 || !out->reserve(at + uint32_t(need) + 2)) return 0;
        written = WideCharToMultiByte(UINT(codePage), 0, units, int(n), reinterpret_cast<char*>(out->items()) + at,
                                      need, nullptr, nullptr);
    }
    return written > 0 ? uint32_t(written) : 0;
}

}  // namespace

ArrayU08* StrBuffer::encodeImpl(int codePage, ArrayU08* bytes, bool append, bool terminated) const {
    ArrayU08* out = bytes ? bytes : ArrayU08::create();
    if (!out) return nullptr;
    const bool utf16 = codePage == kUtf16 || codePage == kUtf16BE;
    const uint64_t room = utf16 ? uint64_t(length_) * 2 + 2 : uint64_t(length_) * 3 + 2;
    if (!prepareBytes(out, append, room)) return out;
    const uint32_t at = out->count();
    uint32_t written = 0;
    if (codePage == kUtf16) {
        if (length_) std::memcpy(out->items() + at, chars_, size_t(length_) * 2);
        written = length_ * 2;
    } else if (codePage == kUtf16BE) {
        uint8_t* d = out->items() + at;
        for (uint32_t i = 0; i < length_; ++i) {
            d[2 * i] = uint8_t(chars_[i] >> 8);
            d[2 * i + 1] = uint8_t(chars_[i]);
        }
        written = length_ * 2;
    } else {
        written = wideToBytes(codePage, chars_, length_, out);
    }
    out->setCount(at + written);
    if (terminated) {
        out->push(0);
    } else if (written) {
        out->items()[at + written] = 0;  // stored, not counted (room has two spare bytes)
    }
    return out;
}

ArrayU08* StrBuffer::encodeTerminated(int codePage, ArrayU08* bytes, bool append) const {
    return encodeImpl(codePage, bytes, append, true);
}

ArrayU08* StrBuffer::encode(int codePage, ArrayU08* bytes, bool append) const {
    return encodeImpl(codePage, bytes, append, false);
}

ArrayU08* StrBuffer::toUtf8Terminated(ArrayU08* bytes, bool append) const {
    return encodeImpl(CP_UTF8, bytes, append, true);
}

ArrayU08* StrBuffer::toUtf8(ArrayU08* bytes, bool append) const { return encodeImpl(CP_UTF8, bytes, append, false); }

ArrayU08* StrBuffer::toOemTerminated(ArrayU08* bytes, bool append) const {
    return encodeImpl(int(GetOEMCP()), bytes, append, true);
}

ArrayU08* StrBuffer::toOem(ArrayU08* bytes, bool append) const {
    return encodeImpl(int(GetOEMCP()), bytes, append, false);
}

uint32_t StrBuffer::decode(int codePage, const void* bytes, bool append, int32_t n) {
    if (!append) setEnd(0);
    if (!bytes) return 0;
    const uint8_t* src = static_cast<const uint8_t*>(bytes);
    const bool utf16 = codePage == kUtf16 || codePage == kUtf16BE;
    uint32_t count;  // input bytes
    if (n >= 0) {
        count = uint32_t(n);
    } else if (utf16) {
        count = 0;
        while (src[count] != 0 || src[count + 1] != 0) count += 2;
    } else {
        count = uint32_t(std::strlen(reinterpret_cast<const char*>(src)));
    }
    if (count == 0) return 0;
    // At most one unit per input byte (half that for UTF-16).
    const uint32_t room = utf16 ? count / 2 : count;
    if (room == 0) return 0;
    if (uint64_t(length_) + room > 0xFFFFFFFEu) return 0;
    if (append ? !ensureCapacity(length_ + room) : !reserve(room)) return 0;
    wchar_t* d = chars_ + length_;
    uint32_t added;
    if (codePage == kUtf16) {
        std::memcpy(d, src, size_t(room) * 2);
        added = room;
    } else if (codePage == kUtf16BE) {
        for (uint32_t i = 0; i < room; ++i) d[i] = wchar_t((src[2 * i] << 8) | src[2 * i + 1]);
        added = room;
    } else {
        int r = MultiByteToWideChar(UINT(codePage), 0, reinterpret_cast<const char*>(src), int(count), d, int(room));
        added = r > 0 ? uint32_t(r) : 0;
    }
    setEnd(length_ + added);
    return added;
}

uint32_t StrBuffer::fromUtf8(const void* bytes, bool append, int32_t n) { return decode(CP_UTF8, bytes, append, n); }

uint32_t StrBuffer::fromUtf8(const ArrayU08* bytes, bool append) {
    if (!bytes) {
        if (!append) setEnd(0);
        return 0;
    }
    return decode(CP_UTF8, bytes->items(), append, int32_t(bytes->count()));
}

uint32_t StrBuffer::fromOem(const void* bytes, bool append, int32_t n) {
    return decode(int(GetOEMCP()), bytes, append, n);
}

// ---- digest ------------------------------------------------------------------------------

StrBuffer* StrBuffer::digestBytes(digest::IDigester* digester, const void* data, uint64_t n, StrBuffer* out,
                                  bool append) {
    digest::md5::Md5* own = nullptr;
    if (!digester) {
        own = digest::md5::Md5::create();
        if (!own) return nullptr;
        digester = own;
    }
    // The digester counts in 32-bit signed units: feed large inputs in pieces.
    const uint8_t* p = static_cast<const uint8_t*>(data);
    while (n > 0) {
        int32_t k = n > 0x40000000u ? 0x40000000 : int32_t(n);
        digester->update(p, k);
        p += k;
        n -= uint64_t(k);
    }
    digester->finish(nullptr);
    StrBuffer* result = digester->toHex(out, append);
    if (own) own->release();
    return result;
}

StrBuffer* StrBuffer::digest(digest::IDigester* digester, StrBuffer* out, bool append) const {
    return digestBytes(digester, chars_, uint64_t(length_) * 2, out, append);
}

// ---- splitting ---------------------------------------------------------------------------

StrArray* StrBuffer::split(wchar_t separator) const {
    StrArray* list = StrArray::create();
    if (!list) return nullptr;
    uint32_t start = 0;
    for (uint32_t i = 0; i <= length_; ++i) {
        if (i == length_ || chars_[i] == separator) {
            if (i > start) list->push(substring(start, i));
            start = i + 1;
        }
    }
    return list;
}

bool StrBuffer::isWordChar(wchar_t c) {
    if ((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z')) return true;
    if (c == L'%' || c == L'+' || c == L'-') return true;
    if (c < 0x100) return false;
    switch (c) {
        case 0x3000:
        case 0x3001:
        case 0x3002:
        case 0x300C:
        case 0x300D:
        case 0x3010:
        case 0x3011:
        case 0xFF08:
        case 0xFF09: return false;
        default: return true;
    }
}

const StrArray* StrBuffer::stopWords() {
    // Filled once inside the thread-safe initialiser; never destroyed.
    static const StrArray* words = [] {
        StrArray* list = new StrArray();
        list->addText(L"the")->addText(L"of")->addText(L"and");
        return list;
    }();
    return words;
}

namespace {
// Appends the word unless the list already holds it ignoring case (then it goes back to
// the pool).
void addDistinct(StrArray* list, StrBuffer* word) {
    if (!word) return;
    if (list->indexOfIgnoreCase(word)) {
        word->release();
    } else {
        list->push(word);
    }
}
}  // namespace

StrArray* StrBuffer::splitWords(bool dropStopWords) const {
    const StrArray* stop = stopWords();
    StrArray* list = StrArray::create();
    if (!list) return nullptr;
    bool open = false;
    uint32_t start = 0;
    for (uint32_t i = 0; i < length_; ++i) {
        if (isWordChar(chars_[i])) {
            if (!open) {
                open = true;
                start = i;
            }
        } else if (open) {
            open = false;
            addDistinct(list, substring(start, i));
        }
    }
    if (open) {
        StrBuffer* word = substring(start, length_);
        // Only the word that ends the text is checked against the stop words.
        if (dropStopWords && word && stop->indexOfIgnoreCase(word)) {
            word->release();
        } else {
            addDistinct(list, word);
        }
    }
    return list;
}

// ---- iterators ---------------------------------------------------------------------------

col::IteratorBase* StrBuffer::iterator() { return Iterator::open(this, 0, -1); }

col::IteratorBase* StrBuffer::iteratorAtEnd() { return Iterator::open(this, length_, int32_t(length_)); }

col::IteratorBase* StrBuffer::iteratorAt(int32_t i) {
    if (i < 0 || uint32_t(i) >= length_) return iteratorAtEnd();
    return Iterator::open(this, uint32_t(i), i - 1);
}

col::IteratorBase* StrBuffer::iteratorFromEnd(int32_t n) {
    if (n < 0 || uint32_t(n) >= length_) return Iterator::open(this, 0, 0);
    return Iterator::open(this, length_ - uint32_t(n), int32_t(length_ - uint32_t(n)));
}

}  // namespace s::str::strbuffer
