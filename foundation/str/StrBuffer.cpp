// Storage, editing, search, comparison and the stream views of the string.
#include "foundation/str/StrBuffer.h"

#include <cstdlib>
#include <cwctype>
#include <emmintrin.h>
#include <new>

namespace s::str::strbuffer {

const wchar_t StrBuffer::WhitespaceChars[5] = {L' ', L'\n', 0x3000, L'\t', L'\r'};

namespace {

const wchar_t kEmpty[1] = {0};

inline uint32_t textLength(const wchar_t* t, int32_t n) {
    if (n >= 0) return uint32_t(n);
    return t ? uint32_t(wcslen(t)) : 0;
}

// First unit equal to ch among n units, 8 at a time; null when there is none.
inline const wchar_t* findUnit(const wchar_t* p, wchar_t ch, size_t n) {
    const __m128i needle = _mm_set1_epi16(short(ch));
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        int mask = _mm_movemask_epi8(_mm_cmpeq_epi16(block, needle));
        if (mask) return p + i + (__builtin_ctz(unsigned(mask)) >> 1);
    }
    for (; i < n; ++i)
        if (p[i] == ch) return p + i;
    return nullptr;
}

inline bool inSet(wchar_t c, const wchar_t* set, uint32_t n) {
    for (uint32_t i = 0; i < n; ++i)
        if (set[i] == c) return true;
    return false;
}

inline bool inSetFolded(wchar_t c, const wchar_t* set, uint32_t n) {
    c = StrBuffer::foldLower(c);
    for (uint32_t i = 0; i < n; ++i)
        if (StrBuffer::foldLower(set[i]) == c) return true;
    return false;
}

// Bounded compare of n units that stops early where both hold a NUL; -1/0/1.
template <bool Fold>
inline int compareUnits(const wchar_t* a, const wchar_t* b, uint32_t n) {
    for (uint32_t i = 0; i < n; ++i) {
        wchar_t x = a[i], y = b[i];
        if (Fold) {
            x = StrBuffer::foldLower(x);
            y = StrBuffer::foldLower(y);
        }
        if (x != y) return x < y ? -1 : 1;
        if (x == 0) return 0;
    }
    return 0;
}

// Compare up to and including the NUL that ends both texts; -1/0/1.
template <bool Fold>
inline int compareTerminated(const wchar_t* a, const wchar_t* b) {
    for (;;) {
        wchar_t x = *a++, y = *b++;
        if (Fold) {
            x = StrBuffer::foldLower(x);
            y = StrBuffer::foldLower(y);
        }
        if (x != y) return x < y ? -1 : 1;
        if (x == 0) return 0;
    }
}

template <bool Fold>
inline bool equalUnits(const wchar_t* a, const wchar_t* b, uint32_t n) {
    if (!Fold) return std::memcmp(a, b, size_t(n) * 2) == 0;
    for (uint32_t i = 0; i < n; ++i)
        if (StrBuffer::foldLower(a[i]) != StrBuffer::foldLower(b[i])) return false;
    return true;
}

}  // namespace

StrBuffer::~StrBuffer() { std::free(chars_); }

StrBuffer* StrBuffer::fromString(const wchar_t* text) {
    StrBuffer* s = create();
    if (s) s->setText(text);
    return s;
}

StrBuffer* StrBuffer::fromConcat(const wchar_t* a, const wchar_t* b) {
    StrBuffer* s = create();
    if (s) s->appendText(a)->appendText(b);
    return s;
}

StrBuffer* StrBuffer::fromConcat3(const wchar_t* a, const wchar_t* b, const wchar_t* c) {
    StrBuffer* s = create();
    if (s) s->appendText(a)->appendText(b)->appendText(c);
    return s;
}

// ---- storage -----------------------------------------------------------------------------

bool StrBuffer::reallocate(uint32_t n) {
    // One spare unit for the terminating NUL.
    wchar_t* block = static_cast<wchar_t*>(std::malloc((size_t(n) + 1) * 2));
    if (!block) return false;
    if (length_ > n) length_ = n;
    if (chars_) {
        if (length_) std::memcpy(block, chars_, size_t(length_) * 2);
        std::free(chars_);
    }
    chars_ = block;
    capacity_ = n;
    setEnd(length_);
    return true;
}

bool StrBuffer::ensureCapacityKeeping(uint32_t n, const wchar_t*& inside) {
    const bool own = chars_ && inside >= chars_ && inside <= chars_ + capacity_;
    const size_t offset = own ? size_t(inside - chars_) : 0;
    if (!ensureCapacity(n)) return false;
    if (own) inside = chars_ + offset;
    return true;
}

StrBuffer* StrBuffer::appendGrowing(const wchar_t* units, uint32_t k) {
    if (uint64_t(length_) + k > 0xFFFFFFFEu || !ensureCapacityKeeping(length_ + k, units)) return this;
    std::memcpy(chars_ + length_, units, size_t(k) * 2);
    setEnd(length_ + k);
    return this;
}

bool StrBuffer::grow() {
    uint32_t next = col::growthStep(capacity_);
    return next > capacity_ && reallocate(next);
}

void StrBuffer::freeStorage() {
    std::free(chars_);
    chars_ = nullptr;
    length_ = capacity_ = position_ = 0;
}

const wchar_t* StrBuffer::text() {
    if (length_ == 0) return kEmpty;
    // Written only after a caller filled the units through data().
    if (chars_[length_] != 0) chars_[length_] = 0;
    return chars_;
}

void StrBuffer::swapStorage(StrBuffer* other) {
    wchar_t* c = chars_;
    uint32_t l = length_, k = capacity_;
    chars_ = other->chars_;
    length_ = other->length_;
    capacity_ = other->capacity_;
    other->chars_ = c;
    other->length_ = l;
    other->capacity_ = k;
}

// ---- case and order ----------------------------------------------------------------------

StrBuffer* StrBuffer::reverse() {
    if (length_ < 2) return this;
    for (uint32_t i = 0, j = length_ - 1; i < j; ++i, --j) {
        wchar_t t = chars_[i];
        chars_[i] = chars_[j];
        chars_[j] = t;
    }
    return this;
}

StrBuffer* StrBuffer::toLowerCase() {
    if (length_ == 0) return this;
    terminate();
    for (uint32_t i = 0; i < length_; ++i) {
        wchar_t c = chars_[i];
        chars_[i] = c < 0x80 ? foldLower(c) : wchar_t(towlower(c));
    }
    return this;
}

StrBuffer* StrBuffer::toUpperCase() {
    if (length_ == 0) return this;
    terminate();
    for (uint32_t i = 0; i < length_; ++i) {
        wchar_t c = chars_[i];
        chars_[i] = c < 0x80 ? ((c >= L'a' && c <= L'z') ? wchar_t(c - 32) : c) : wchar_t(towupper(c));
    }
    return this;
}

StrBuffer* StrBuffer::capitalize() {
    toLowerCase();
    if (length_ > 0 && chars_[0] >= L'a' && chars_[0] <= L'z') chars_[0] = wchar_t(chars_[0] - 32);
    return this;
}

// ---- search ------------------------------------------------------------------------------

bool StrBuffer::indexOf(wchar_t ch, uint32_t* pos, uint32_t from) const {
    if (length_ == 0 || from >= length_) return false;
    const wchar_t* p = findUnit(chars_ + from, ch, length_ - from);
    if (!p) return false;
    if (pos) *pos = uint32_t(p - chars_);
    return true;
}

namespace {

inline uint32_t scanEnd(uint32_t before, uint32_t length) {
    return (before == kFromEnd || before > length) ? length : before;
}

// First index in [from, length) whose unit satisfies match.
template <class Match>
inline bool scanForward(const wchar_t* chars, uint32_t length, uint32_t from, uint32_t* pos, Match match) {
    for (uint32_t i = from; i < length; ++i) {
        if (match(chars[i])) {
            if (pos) *pos = i;
            return true;
        }
    }
    return false;
}

// Last index below end whose unit satisfies match.
template <class Match>
inline bool scanBack(const wchar_t* chars, uint32_t end, uint32_t* pos, Match match) {
    for (uint32_t i = end; i-- > 0;) {
        if (match(chars[i])) {
            if (pos) *pos = i;
            return true;
        }
    }
    return false;
}

}  // namespace

bool StrBuffer::indexOfIgnoreCase(wchar_t ch, uint32_t* pos, uint32_t from) const {
    ch = foldLower(ch);
    return scanForward(chars_, length_, from, pos, [ch](wchar_t c) { return foldLower(c) == ch; });
}

bool StrBuffer::indexOfAny(const wchar_t* chars, int32_t count, uint32_t* pos, uint32_t from) const {
    uint32_t n = textLength(chars, count);
    return scanForward(chars_, length_, from, pos, [=](wchar_t c) { return inSet(c, chars, n); });
}

bool StrBuffer::indexOfAnyIgnoreCase(const wchar_t* chars, int32_t count, uint32_t* pos, uint32_t from) const {
    uint32_t n = textLength(chars, count);
    return scanForward(chars_, length_, from, pos, [=](wchar_t c) { return inSetFolded(c, chars, n); });
}

bool StrBuffer::lastIndexOf(wchar_t ch, uint32_t* pos, uint32_t before) const {
    return scanBack(chars_, scanEnd(before, length_), pos, [ch](wchar_t c) { return c == ch; });
}

bool StrBuffer::lastIndexOfIgnoreCase(wchar_t ch, uint32_t* pos, uint32_t before) const {
    ch = foldLower(ch);
    return scanBack(chars_, scanEnd(before, length_), pos, [ch](wchar_t c) { return foldLower(c) == ch; });
}

bool StrBuffer::lastIndexOfAny(const wchar_t* chars, int32_t count, uint32_t* pos, uint32_t before) const {
    uint32_t n = textLength(chars, count);
    return scanBack(chars_, scanEnd(before, length_), pos, [=](wchar_t c) { return inSet(c, chars, n); });
}

bool StrBuffer::lastIndexOfAnyIgnoreCase(const wchar_t* chars, int32_t count, uint32_t* pos,
                                         uint32_t before) const {
    uint32_t n = textLength(chars, count);
    return scanBack(chars_, scanEnd(before, length_), pos, [=](wchar_t c) { return inSetFolded(c, chars, n); });
}

template <bool Fold>
bool StrBuffer::findImpl(const wchar_t* text, uint32_t* pos, uint32_t from) const {
    if (length_ == 0 || !text || from > length_) return false;
    uint32_t n = uint32_t(wcslen(text));
    if (n == 0) {
        if (Fold) return false;
        if (pos) *pos = from;
        return true;
    }
    if (n > length_ - from) return false;
    const wchar_t first = Fold ? foldLower(text[0]) : text[0];
    const uint32_t last = length_ - n;
    for (uint32_t i = from; i <= last; ++i) {
        if (Fold) {
            if (foldLower(chars_[i]) != first) continue;
        } else {
            const wchar_t* p = findUnit(chars_ + i, first, last - i + 1);
            if (!p) return false;
            i = uint32_t(p - chars_);
        }
        if (equalUnits<Fold>(chars_ + i + 1, text + 1, n - 1)) {
            if (pos) *pos = i;
            return true;
        }
    }
    return false;
}

bool StrBuffer::find(const wchar_t* text, uint32_t* pos, uint32_t from) const {
    return findImpl<false>(text, pos, from);
}

bool StrBuffer::findIgnoreCase(const wchar_t* text, uint32_t* pos, uint32_t from) const {
    return findImpl<true>(text, pos, from);
}

template <bool Fold>
bool StrBuffer::findLastImpl(const wchar_t* text, uint32_t* pos, uint32_t before) const {
    if (length_ == 0 || !text) return false;
    uint32_t n = uint32_t(wcslen(text));
    uint32_t end = scanEnd(before, length_);
    if (n > end) return false;
    for (uint32_t i = end - n + 1; i-- > 0;) {
        if (equalUnits<Fold>(chars_ + i, text, n)) {
            if (pos) *pos = i;
            return true;
        }
    }
    return false;
}

bool StrBuffer::findLast(const wchar_t* text, uint32_t* pos, uint32_t before) const {
    return findLastImpl<false>(text, pos, before);
}

bool StrBuffer::findLastIgnoreCase(const wchar_t* text, uint32_t* pos, uint32_t before) const {
    return findLastImpl<true>(text, pos, before);
}

namespace {
template <bool Fold>
bool regionMatchesImpl(const wchar_t* chars, uint32_t length, uint32_t index, const wchar_t* text,
                       uint32_t textIndex, int32_t n) {
    if (!text) return false;
    uint32_t k;
    if (n < 0) {
        k = uint32_t(wcslen(text + textIndex));
        if (uint64_t(index) + k != length) return false;
    } else {
        k = uint32_t(n);
        if (uint64_t(index) + k > length) return false;
    }
    if (k == 0) return true;
    return compareUnits<Fold>(chars + index, text + textIndex, k) == 0;
}
}  // namespace

bool StrBuffer::regionMatches(uint32_t index, const wchar_t* text, uint32_t textIndex, int32_t n) const {
    return regionMatchesImpl<false>(chars_, length_, index, text, textIndex, n);
}

bool StrBuffer::regionMatchesIgnoreCase(uint32_t index, const wchar_t* text, uint32_t textIndex,
                                        int32_t n) const {
    return regionMatchesImpl<true>(chars_, length_, index, text, textIndex, n);
}

bool StrBuffer::startsWith(const wchar_t* text, int32_t n) const {
    uint32_t k = textLength(text, n);
    if (length_ < k) return false;
    return regionMatches(0, text, 0, int32_t(k));
}

bool StrBuffer::startsWithIgnoreCase(const wchar_t* text, int32_t n) const {
    uint32_t k = textLength(text, n);
    if (length_ < k) return false;
    return regionMatchesIgnoreCase(0, text, 0, int32_t(k));
}

bool StrBuffer::endsWith(const wchar_t* text, int32_t n) const {
    uint32_t k = textLength(text, n);
    if (length_ < k) return false;
    return regionMatches(length_ - k, text, 0, int32_t(k));
}

bool StrBuffer::endsWithIgnoreCase(const wchar_t* text, int32_t n) const {
    uint32_t k = textLength(text, n);
    if (length_ < k) return false;
    return regionMatchesIgnoreCase(length_ - k, text, 0, int32_t(k));
}

int StrBuffer::compareAt(uint32_t index, const wchar_t* text, uint32_t textIndex, int32_t n) {
    if (index > length_) return -1;
    const wchar_t* mine = this->text() + index;
    const wchar_t* theirs = text ? text + textIndex : kEmpty;
    return n < 0 ? compareTerminated<false>(mine, theirs) : compareUnits<false>(mine, theirs, uint32_t(n));
}

int StrBuffer::compareAtIgnoreCase(uint32_t index, const wchar_t* text, uint32_t textIndex, int32_t n) {
    if (index > length_) return -1;
    const wchar_t* mine = this->text() + index;
    const wchar_t* theirs = text ? text + textIndex : kEmpty;
    return n < 0 ? compareTerminated<true>(mine, theirs) : compareUnits<true>(mine, theirs, uint32_t(n));
}

// ---- trimming ----------------------------------------------------------------------------

StrBuffer* StrBuffer::trimEndChars(const wchar_t* chars, int32_t count) {
    uint32_t n = textLength(chars, count);
    uint32_t end = length_;
    while (end > 0 && inSet(chars_[end - 1], chars, n)) --end;
    setEnd(end);
    return this;
}

StrBuffer* StrBuffer::trimEndCharsKeeping(const wchar_t* chars, uint32_t keep, int32_t count) {
    if (keep >= length_) return this;
    uint32_t n = textLength(chars, count);
    uint32_t end = length_;
    while (end > keep && inSet(chars_[end - 1], chars, n)) --end;
    setEnd(end);
    return this;
}

StrBuffer* StrBuffer::trimStartChars(const wchar_t* chars, int32_t count) {
    uint32_t n = textLength(chars, count);
    uint32_t k = 0;
    while (k < length_ && inSet(chars_[k], chars, n)) ++k;
    if (k) {
        std::memmove(chars_, chars_ + k, size_t(length_ - k) * 2);
        setEnd(length_ - k);
    }
    return this;
}

// ---- building ----------------------------------------------------------------------------

StrBuffer* StrBuffer::prepend(const wchar_t* units, int32_t n) {
    uint32_t k = textLength(units, n);
    if (k == 0) return this;
    if (length_ + k > capacity_ && !ensureCapacityKeeping(length_ + k, units)) return this;
    if (units >= chars_ && units < chars_ + length_) {
        // Prepending part of this string: copy it aside before the text moves.
        StrBuffer* copy = create();
        if (!copy) return this;
        copy->assign(units, int32_t(k));
        std::memmove(chars_ + k, chars_, size_t(length_) * 2);
        std::memcpy(chars_, copy->chars_, size_t(k) * 2);
        copy->release();
    } else {
        std::memmove(chars_ + k, chars_, size_t(length_) * 2);
        std::memcpy(chars_, units, size_t(k) * 2);
    }
    setEnd(length_ + k);
    return this;
}

StrBuffer* StrBuffer::appendNarrow(const char* bytes, int32_t n) {
    uint32_t k = n >= 0 ? uint32_t(n) : (bytes ? uint32_t(std::strlen(bytes)) : 0);
    if (k == 0) return this;
    if (length_ + k > capacity_ && !ensureCapacity(length_ + k)) return this;
    wchar_t* d = chars_ + length_;
    for (uint32_t i = 0; i < k; ++i) d[i] = wchar_t(int16_t(static_cast<signed char>(bytes[i])));
    setEnd(length_ + k);
    return this;
}

StrBuffer* StrBuffer::assign(const wchar_t* units, int32_t n) {
    uint32_t k = textLength(units, n);
    if (k == 0 || !reserve(k)) {
        setEnd(0);
        return this;
    }
    std::memmove(chars_, units, size_t(k) * 2);
    setEnd(k);
    return this;
}

// ---- substrings --------------------------------------------------------------------------

StrBuffer* StrBuffer::clone() const { return substring(0, length_); }

StrBuffer* StrBuffer::substring(uint32_t from, uint32_t to) const {
    StrBuffer* s = create();
    if (!s) return nullptr;
    uint32_t end = to < length_ ? to : length_;
    if (from < end) s->assign(chars_ + from, int32_t(end - from));
    return s;
}

StrBuffer* StrBuffer::keepRange(uint32_t from, uint32_t to) {
    uint32_t end = to < length_ ? to : length_;
    if (from >= end) {
        setEnd(0);
        return this;
    }
    if (from > 0) std::memmove(chars_, chars_ + from, size_t(end - from) * 2);
    setEnd(end - from);
    return this;
}

StrBuffer* StrBuffer::beforeLast(wchar_t ch, uint32_t before) const {
    uint32_t pos;
    return lastIndexOf(ch, &pos, before) ? substring(0, pos) : create();
}

StrBuffer* StrBuffer::beforeLastIgnoreCase(wchar_t ch, uint32_t before) const {
    uint32_t pos;
    return lastIndexOfIgnoreCase(ch, &pos, before) ? substring(0, pos) : create();
}

StrBuffer* StrBuffer::beforeLastAny(const wchar_t* chars, int32_t count, uint32_t before) const {
    uint32_t pos;
    return lastIndexOfAny(chars, count, &pos, before) ? substring(0, pos) : create();
}

StrBuffer* StrBuffer::beforeLastAnyIgnoreCase(const wchar_t* chars, int32_t count, uint32_t before) const {
    uint32_t pos;
    return lastIndexOfAnyIgnoreCase(chars, count, &pos, before) ? substring(0, pos) : create();
}

StrBuffer* StrBuffer::beforeLastText(const wchar_t* text, uint32_t before) const {
    uint32_t pos;
    return findLast(text, &pos, before) ? substring(0, pos) : create();
}

StrBuffer* StrBuffer::beforeLastTextIgnoreCase(const wchar_t* text, uint32_t before) const {
    uint32_t pos;
    return findLastIgnoreCase(text, &pos, before) ? substring(0, pos) : create();
}

// ---- replacement -------------------------------------------------------------------------

template <bool Fold>
uint32_t StrBuffer::replaceImpl(const wchar_t* find, const wchar_t* replacement) {
    if (!find) return 0;
    const uint32_t n = uint32_t(wcslen(find));
    const uint32_t m = replacement ? uint32_t(wcslen(replacement)) : 0;
    if (n == 0 || length_ < n) return 0;
    uint32_t pos;
    if (!findImpl<Fold>(find, &pos, 0)) return 0;
    uint32_t replaced = 0;
    if (m == n) {
        do {
            std::memcpy(chars_ + pos, replacement, size_t(m) * 2);
            ++replaced;
        } while (pos + 2 * n <= length_ && findImpl<Fold>(find, &pos, pos + n));
    } else if (m < n) {
        // Compact in one pass: write trails read.
        uint32_t write = pos, read = pos;
        for (;;) {
            std::memcpy(chars_ + write, replacement, size_t(m) * 2);
            write += m;
            read = pos + n;
            ++replaced;
            if (!(read + n <= length_ && findImpl<Fold>(find, &pos, read))) break;
            std::memmove(chars_ + write, chars_ + read, size_t(pos - read) * 2);
            write += pos - read;
        }
        std::memmove(chars_ + write, chars_ + read, size_t(length_ - read) * 2);
        setEnd(write + (length_ - read));
    } else {
        StrBuffer* out = create();
        uint32_t read = 0;
        for (;;) {
            out->append(chars_ + read, int32_t(pos - read));
            out->append(replacement, int32_t(m));
            read = pos + n;
            ++replaced;
            if (!(read + n <= length_ && findImpl<Fold>(find, &pos, read))) break;
        }
        out->append(chars_ + read, int32_t(length_ - read));
        swapStorage(out);
        out->release();
    }
    return replaced;
}

uint32_t StrBuffer::replaceAll(const wchar_t* find, const wchar_t* replacement) {
    return replaceImpl<false>(find, replacement);
}

uint32_t StrBuffer::replaceAllIgnoreCase(const wchar_t* find, const wchar_t* replacement) {
    return replaceImpl<true>(find, replacement);
}

// ---- object interface --------------------------------------------------------------------

int StrBuffer::compareStr(const StrBuffer* other) const {
    uint32_t n = length_ < other->length_ ? length_ : other->length_;
    if (n) {
        int r = std::memcmp(chars_, other->chars_, size_t(n) * 2);
        if (r) return r;
    }
    return length_ == other->length_ ? 0 : (length_ < other->length_ ? -1 : 1);
}

int StrBuffer::compareStrIgnoreCase(const StrBuffer* other) const {
    uint32_t n = length_ < other->length_ ? length_ : other->length_;
    for (uint32_t i = 0; i < n; ++i) {
        wchar_t x = foldLower(chars_[i]), y = foldLower(other->chars_[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return length_ == other->length_ ? 0 : (length_ < other->length_ ? -1 : 1);
}

int StrBuffer::compareTo(const base::IComparable* other, const base::IComparator*) const {
    const StrBuffer* o = dynamic_cast<const StrBuffer*>(other);
    if (!o) return IComparable::compareTo(other, nullptr);
    return compareStr(o);
}

int StrBuffer::compareToIgnoreCase(const base::IComparable* other, const base::IComparator* comparator) const {
    if (comparator) return comparator->compareIgnoreCase(this, other);
    const StrBuffer* o = dynamic_cast<const StrBuffer*>(other);
    if (!o) return IComparable::compareTo(other, nullptr);
    return compareStrIgnoreCase(o);
}

bool StrBuffer::equals(const base::IComparable* other, const base::IComparator* comparator) const {
    if (comparator) return comparator->compare(this, other) == 0;
    const StrBuffer* o = dynamic_cast<const StrBuffer*>(other);
    if (!o) return other == static_cast<const base::IComparable*>(this);
    return length_ == o->length_ && (length_ == 0 || std::memcmp(chars_, o->chars_, size_t(length_) * 2) == 0);
}

bool StrBuffer::equalsIgnoreCase(const base::IComparable* other, const base::IComparator* comparator) const {
    if (comparator) return comparator->compareIgnoreCase(this, other) == 0;
    const StrBuffer* o = dynamic_cast<const StrBuffer*>(other);
    if (!o) return other == static_cast<const base::IComparable*>(this);
    return length_ == o->length_ && equalUnits<true>(chars_, o->chars_, length_);
}

uint32_t StrBuffer::hashCode() const {
    uint32_t h = 0;
    for (uint32_t i = 0; i < length_; ++i) h = ((h << 1) | ((h >> 30) & 1u)) ^ uint32_t(chars_[i]);
    return h;
}

uint32_t StrBuffer::hashCodeIgnoreCase() const {
    uint32_t h = 0;
    for (uint32_t i = 0; i < length_; ++i) h = ((h << 1) | ((h >> 30) & 1u)) ^ uint32_t(foldLower(chars_[i]));
    return h;
}

// ---- stream views ------------------------------------------------------------------------

bool StrBuffer::read(void* buffer, uint32_t n, uint32_t& count) {
    count = 0;
    const uint32_t size = length_ * 2;
    if (n == 0) return true;
    if (position_ >= size) return false;
    uint32_t k = size - position_;
    if (k > n) k = n;
    std::memcpy(buffer, reinterpret_cast<const uint8_t*>(chars_) + position_, k);
    position_ += k;
    count = k;
    return true;
}

bool StrBuffer::write(const void* data, uint32_t n, uint32_t& count) {
    count = 0;
    // The byte position stays a 32-bit number.
    if (uint64_t(position_) + n > 0xFFFFFFFFu) return false;
    if (!ensureCapacity(uint32_t((uint64_t(position_) + n) / 2 + 1))) return false;
    if (n) std::memcpy(reinterpret_cast<uint8_t*>(chars_) + position_, data, n);
    position_ += n;
    if (position_ / 2 > length_) {
        // A half unit written past the text stays for the next write to complete.
        if (position_ % 2 == 0) setEnd(position_ / 2);
        else length_ = position_ / 2;
    }
    count = n;
    return true;
}

}  // namespace s::str::strbuffer
