// The string type of the library: growable UTF-16 text with search, replace, trim,
// case, number formatting and parsing, hexadecimal, UTF-8/OEM/code-page conversion and
// iterators. A string is also a byte stream over its UTF-16 units (both stream views
// share one byte position).
#pragma once

#include <cstdint>
#include <cstring>
#include <cwchar>

#include "foundation/base/Object.h"
#include "foundation/col/ArrayGrowth.h"
#include "foundation/io/Stream.h"
#include "foundation/thread/Pool.h"

namespace s::col {
class IteratorBase;
}
namespace s::col::_array {
class ArrayU08;
}
namespace s::digest {
class IDigester;
}
namespace s::str::strarray {
class StrArray;
}

namespace s::str {

// The string interface. StrBuffer is its only implementation; code works with
// StrBuffer directly and uses IStr where any string will do.
class IStr : public base::IObject {
public:
    virtual uint32_t length() const = 0;
    // The units (not terminated); null while the string has no storage.
    virtual const wchar_t* data() const = 0;
    // The units terminated by a NUL (a static empty text when the string is empty).
    virtual const wchar_t* text() = 0;
};

}  // namespace s::str

namespace s::str::strbuffer {

// Bound of the backward searches meaning "from the last unit".
constexpr uint32_t kFromEnd = 0xFFFFFF;

// The stream views' clear only rewinds; StrBuffer::clear empties the text.
class StrBuffer final : public IStr, public io::RewindingInputView, public io::RewindingOutputView {
    S_POOLED(StrBuffer, L"s_str_strbuffer_StrBuffer")

public:
    StrBuffer() = default;
    ~StrBuffer() override;
    StrBuffer(const StrBuffer&) = delete;
    StrBuffer& operator=(const StrBuffer&) = delete;

    // Pooled strings holding a copy of the text, or a concatenation.
    static StrBuffer* fromString(const wchar_t* text);
    static StrBuffer* fromConcat(const wchar_t* a, const wchar_t* b);
    static StrBuffer* fromConcat3(const wchar_t* a, const wchar_t* b, const wchar_t* c);

    // ---- storage ---------------------------------------------------------------------
    // Writes a NUL after the text (when not empty and not already there).
    void terminate() {
        if (length_ > 0 && chars_[length_] != 0) chars_[length_] = 0;
    }
    void ensureTerminated() { terminate(); }
    uint32_t length() const override { return length_; }
    // Cuts or extends the text to n units (after units were written through data());
    // false, and nothing changed, when n is beyond the capacity.
    bool setLength(uint32_t n) {
        if (n > capacity_) return false;
        setEnd(n);
        return true;
    }
    uint32_t capacity() const { return capacity_; }
    // Exactly n units when short; never shrinks. False when the allocation failed (the
    // string is then unchanged and the operation that needed the room does nothing).
    bool reserve(uint32_t n) { return capacity_ >= n || reallocate(n); }
    // One growth step.
    bool grow();
    // Growth steps from the current capacity until at least n units fit.
    bool ensureCapacity(uint32_t n) { return capacity_ >= n || reallocate(col::grownCapacity(capacity_, n)); }
    // Length 0 and stream position 0; the storage is kept unless keepStorage is false.
    void clear(bool keepStorage = true) {
        if (!keepStorage) {
            freeStorage();
            return;
        }
        setEnd(0);
        position_ = 0;
    }
    void freeStorage();
    wchar_t* data() { return chars_; }
    const wchar_t* data() const override { return chars_; }
    // Every change keeps a NUL after the text, so text() only reads, unless units were
    // written through data() past the NUL without setLength.
    const wchar_t* text() override;
    bool isEmpty() const { return length_ == 0; }

    // ---- case and order ----------------------------------------------------------------
    StrBuffer* reverse();
    // The C runtime's wide lower-/upper-casing of every unit.
    StrBuffer* toLowerCase();
    StrBuffer* toUpperCase();
    // Lower case, then an a-z first unit becomes A-Z.
    StrBuffer* capitalize();

    // ---- access (indices are not checked) -------------------------------------------------
    wchar_t charAt(uint32_t i) const { return chars_[i]; }
    wchar_t charAtLower(uint32_t i) const { return foldLower(chars_[i]); }
    wchar_t charAtUpper(uint32_t i) const {
        wchar_t c = chars_[i];
        return (c >= L'a' && c <= L'z') ? wchar_t(c - 32) : c;
    }
    wchar_t* charPtr(uint32_t i) { return chars_ + i; }
    wchar_t* addressOf(uint32_t i) { return chars_ + i; }

    // A-Z to a-z and nothing else: the folding of every IgnoreCase operation.
    static wchar_t foldLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? wchar_t(c + 32) : c; }

    // ---- search: bool found, position through pos (may be null) -------------------------
    bool indexOf(wchar_t ch, uint32_t* pos, uint32_t from = 0) const;
    bool indexOfIgnoreCase(wchar_t ch, uint32_t* pos, uint32_t from = 0) const;
    // count -1: the NUL-terminated length of chars; count 0 never matches.
    bool indexOfAny(const wchar_t* chars, int32_t count, uint32_t* pos, uint32_t from = 0) const;
    bool indexOfAnyIgnoreCase(const wchar_t* chars, int32_t count, uint32_t* pos, uint32_t from = 0) const;
    // Scan from before - 1 down to 0; kFromEnd or anything beyond the length: from the last unit.
    bool lastIndexOf(wchar_t ch, uint32_t* pos, uint32_t before = kFromEnd) const;
    bool lastIndexOfIgnoreCase(wchar_t ch, uint32_t* pos, uint32_t before = kFromEnd) const;
    bool lastIndexOfAny(const wchar_t* chars, int32_t count, uint32_t* pos, uint32_t before = kFromEnd) const;
    bool lastIndexOfAnyIgnoreCase(const wchar_t* chars, int32_t count, uint32_t* pos, uint32_t before = kFromEnd) const;
    // First occurrence of text at or after from; an empty text is found at from.
    bool find(const wchar_t* text, uint32_t* pos, uint32_t from = 0) const;
    bool findIgnoreCase(const wchar_t* text, uint32_t* pos, uint32_t from = 0) const;
    // Last occurrence ending at or before the bound (kFromEnd: the end).
    bool findLast(const wchar_t* text, uint32_t* pos, uint32_t before = kFromEnd) const;
    bool findLastIgnoreCase(const wchar_t* text, uint32_t* pos, uint32_t before = kFromEnd) const;
    // The n units from index equal the n units of text from textIndex (stopping early at a
    // NUL present in both). n = -1: the text's NUL-terminated length, and the match must
    // reach the end of this string exactly.
    bool regionMatches(uint32_t index, const wchar_t* text, uint32_t textIndex, int32_t n) const;
    bool regionMatchesIgnoreCase(uint32_t index, const wchar_t* text, uint32_t textIndex, int32_t n) const;
    // Prefix / suffix tests; n = -1 means the whole given text.
    bool startsWith(const wchar_t* text, int32_t n = -1) const;
    bool startsWithIgnoreCase(const wchar_t* text, int32_t n = -1) const;
    bool endsWith(const wchar_t* text, int32_t n = -1) const;
    bool endsWithIgnoreCase(const wchar_t* text, int32_t n = -1) const;
    // The whole string equals the text ignoring case.
    bool equalsText(const wchar_t* text) const { return regionMatchesIgnoreCase(0, text, 0, -1); }
    // The whole string equals the text exactly.
    bool equalsExact(const wchar_t* text) const { return regionMatches(0, text, 0, -1); }
    // -1 when index > length; else -1/0/1 comparing the rest of this string from index with
    // the text from textIndex (n units, or up to the NUL that ends both with n = -1).
    int compareAt(uint32_t index, const wchar_t* text, uint32_t textIndex = 0, int32_t n = -1);
    int compareAtIgnoreCase(uint32_t index, const wchar_t* text, uint32_t textIndex = 0, int32_t n = -1);

    // ---- trimming (white space: space, LF, U+3000, TAB, CR) -----------------------------
    static const wchar_t WhitespaceChars[5];
    StrBuffer* trimEnd() { return trimEndChars(WhitespaceChars, 5); }
    StrBuffer* trimEndKeeping(uint32_t keep) { return trimEndCharsKeeping(WhitespaceChars, keep, 5); }
    StrBuffer* trimStart() { return trimStartChars(WhitespaceChars, 5); }
    StrBuffer* trim() { return trimEnd()->trimStart(); }
    StrBuffer* trimEndChars(const wchar_t* chars, int32_t count = -1);
    // Never shortens below keep units.
    StrBuffer* trimEndCharsKeeping(const wchar_t* chars, uint32_t keep, int32_t count = -1);
    StrBuffer* trimStartChars(const wchar_t* chars, int32_t count = -1);

    // ---- building (n = -1: the NUL-terminated length) -----------------------------------
    StrBuffer* append(const wchar_t* units, int32_t n = -1) {
        uint32_t k = n < 0 ? (units ? uint32_t(wcslen(units)) : 0) : uint32_t(n);
        if (k == 0) return this;
        // Short texts that fit are copied here without a call; the rest out of line
        // (inlined, a memcpy of an unknown length from a short literal only drew false
        // out-of-bounds warnings).
        if (k > 8 || length_ + k > capacity_) return appendGrowing(units, k);
        wchar_t* d = chars_ + length_;
        for (uint32_t i = 0; i < k; ++i) d[i] = units[i];
        d[k] = 0;
        length_ += k;
        return this;
    }
    StrBuffer* appendChar(wchar_t c) {
        if (length_ == capacity_ && !grow()) return this;
        chars_[length_++] = c;
        chars_[length_] = 0;
        return this;
    }
    StrBuffer* push(int c) { return appendChar(wchar_t(c)); }
    StrBuffer* prepend(const wchar_t* units, int32_t n = -1);
    // Each byte widened with sign extension (only ASCII survives).
    StrBuffer* appendNarrow(const char* bytes, int32_t n = -1);
    StrBuffer* appendStr(const IStr* other) { return other ? append(other->data(), int32_t(other->length())) : this; }
    StrBuffer* appendText(const wchar_t* text) { return append(text, -1); }
    // Replace the text (reserving exactly its length).
    StrBuffer* setText(const wchar_t* text) { return assign(text, -1); }
    StrBuffer* setStr(const IStr* other) {
        return other ? assign(other->data(), int32_t(other->length())) : assign(nullptr, 0);
    }
    StrBuffer* assign(const wchar_t* units, int32_t n);

    // ---- substrings (new pooled strings owned by the caller) ----------------------------
    StrBuffer* clone() const;
    // Units from..min(to, length) - 1; to = -1 (or beyond the length) means the end.
    StrBuffer* substring(uint32_t from, uint32_t to = 0xFFFFFFFFu) const;
    // In place: keep only units from..min(to, length) - 1.
    StrBuffer* keepRange(uint32_t from, uint32_t to = 0xFFFFFFFFu);
    // The text before the last match (a new empty string when nothing matches).
    StrBuffer* beforeLast(wchar_t ch, uint32_t before = kFromEnd) const;
    StrBuffer* beforeLastIgnoreCase(wchar_t ch, uint32_t before = kFromEnd) const;
    StrBuffer* beforeLastAny(const wchar_t* chars, int32_t count, uint32_t before = kFromEnd) const;
    StrBuffer* beforeLastAnyIgnoreCase(const wchar_t* chars, int32_t count, uint32_t before = kFromEnd) const;
    StrBuffer* beforeLastText(const wchar_t* text, uint32_t before = kFromEnd) const;
    StrBuffer* beforeLastTextIgnoreCase(const wchar_t* text, uint32_t before = kFromEnd) const;

    // ---- replacement (non-overlapping, left to right; an empty find text changes nothing) --
    // Returns the number of occurrences replaced.
    uint32_t replaceAll(const wchar_t* find, const wchar_t* replacement);
    uint32_t replaceAllIgnoreCase(const wchar_t* find, const wchar_t* replacement);

    // ---- decimal numbers ----------------------------------------------------------------
    StrBuffer* appendNarrowText(const char* text) { return appendNarrow(text, -1); }
    StrBuffer* appendU64(uint64_t v);
    StrBuffer* appendU32(uint32_t v) { return appendU64(v); }
    StrBuffer* appendU16(uint16_t v) { return appendU64(v); }
    StrBuffer* appendU8(uint8_t v) { return appendU64(v); }
    StrBuffer* appendS64(int64_t v);
    StrBuffer* appendInt(int32_t v) { return appendS64(v); }
    StrBuffer* appendS16(int16_t v) { return appendS64(v); }
    StrBuffer* appendS8(int8_t v) { return appendS64(v); }
    // "%f": six decimals.
    StrBuffer* appendFloat(float v) { return appendDouble(double(v)); }
    StrBuffer* appendDouble(double v);
    StrBuffer* setU64(uint64_t v) {
        setEnd(0);
        return appendU64(v);
    }
    StrBuffer* setU32(uint32_t v) {
        setEnd(0);
        return appendU64(v);
    }
    StrBuffer* setU16(uint16_t v) {
        setEnd(0);
        return appendU64(v);
    }
    StrBuffer* setU8(uint8_t v) {
        setEnd(0);
        return appendU64(v);
    }
    StrBuffer* setS64(int64_t v) {
        setEnd(0);
        return appendS64(v);
    }
    StrBuffer* setInt(int32_t v) {
        setEnd(0);
        return appendS64(v);
    }
    StrBuffer* setS16(int16_t v) {
        setEnd(0);
        return appendS64(v);
    }
    StrBuffer* setS8(int8_t v) {
        setEnd(0);
        return appendS64(v);
    }
    StrBuffer* setFloat(float v) {
        setEnd(0);
        return appendDouble(double(v));
    }
    StrBuffer* setDouble(double v) {
        setEnd(0);
        return appendDouble(v);
    }

    // ---- hexadecimal: fixed-width lowercase digits, no separators ---------------------------
    StrBuffer* appendHexU64(const uint64_t* v, uint32_t n) { return formatHex(v, n, true); }
    StrBuffer* appendHexU32(const uint32_t* v, uint32_t n) { return formatHex(v, n, true); }
    StrBuffer* appendHexU16(const uint16_t* v, uint32_t n) { return formatHex(v, n, true); }
    StrBuffer* appendHexU8(const uint8_t* v, uint32_t n) { return formatHex(v, n, true); }
    StrBuffer* appendHexS64(const int64_t* v, uint32_t n) {
        return formatHex(reinterpret_cast<const uint64_t*>(v), n, true);
    }
    StrBuffer* appendHexS32(const int32_t* v, uint32_t n) {
        return formatHex(reinterpret_cast<const uint32_t*>(v), n, true);
    }
    StrBuffer* appendHexS16(const int16_t* v, uint32_t n) {
        return formatHex(reinterpret_cast<const uint16_t*>(v), n, true);
    }
    StrBuffer* appendHexS8(const int8_t* v, uint32_t n) {
        return formatHex(reinterpret_cast<const uint8_t*>(v), n, true);
    }
    // The bit pattern of each float as 8 digits.
    StrBuffer* appendHexFloat(const float* v, uint32_t n);
    // Each double as two 8-digit words, the low word first (memory order).
    StrBuffer* appendHexDouble(const double* v, uint32_t n);
    // Append, or (append false) replace the text by the digits.
    StrBuffer* formatHex(const uint8_t* v, uint32_t n, bool append);
    StrBuffer* formatHex(const uint16_t* v, uint32_t n, bool append);
    StrBuffer* formatHex(const uint32_t* v, uint32_t n, bool append);
    StrBuffer* formatHex(const uint64_t* v, uint32_t n, bool append);

    // ---- parsing: leading blanks and a sign accepted, stops at the first non-digit, 0 when
    // there is no digit; out-of-range values saturate before truncation to the result type.
    uint8_t toU8() const { return uint8_t(toInt()); }
    uint16_t toU16() const { return uint16_t(toInt()); }
    int8_t toS8() const { return int8_t(toInt()); }
    int16_t toS16() const { return int16_t(toInt()); }
    int32_t toInt() const;
    uint32_t toU32() const { return uint32_t(toS64()); }
    // Unsigned: up to 18446744073709551615 (a minus sign wraps, as two's complement).
    uint64_t toU64() const;
    int64_t toS64() const;
    float toFloat() const { return float(toDouble()); }
    double toDouble() const;
    // Digits only, with an optional leading "-" followed by at least one unit.
    bool isInteger() const;
    bool isHex() const;
    // Value of the unit at i as a hexadecimal digit, 0 when it is none.
    uint32_t hexDigitAt(uint32_t i) const { return hexValue(chars_[i]); }
    static uint32_t hexValue(wchar_t c) {
        if (c >= L'0' && c <= L'9') return uint32_t(c - L'0');
        if (c >= L'a' && c <= L'f') return uint32_t(c - L'a' + 10);
        if (c >= L'A' && c <= L'F') return uint32_t(c - L'A' + 10);
        return 0;
    }
    // 32-bit value of all digits (only the last eight count).
    uint32_t parseHex() const;
    // Pairs of digits to bytes (an odd last unit is ignored). bytes null: a new pooled array.
    col::_array::ArrayU08* hexToBytes(col::_array::ArrayU08* bytes, bool append) const;

    // ---- encodings --------------------------------------------------------------------
    // bytes null: a new pooled array is returned; append false: the array is emptied first.
    // The Terminated forms add one counted NUL byte; the others store a NUL after the data
    // (only when there is data) without counting it.
    col::_array::ArrayU08* toUtf8Terminated(col::_array::ArrayU08* bytes, bool append) const;
    col::_array::ArrayU08* toUtf8(col::_array::ArrayU08* bytes, bool append) const;
    // Decodes n bytes (-1: up to the first NUL byte); append false replaces the text.
    // Returns the number of units added.
    uint32_t fromUtf8(const void* bytes, bool append, int32_t n = -1);
    uint32_t fromUtf8(const col::_array::ArrayU08* bytes, bool append);
    col::_array::ArrayU08* toOemTerminated(col::_array::ArrayU08* bytes, bool append) const;
    col::_array::ArrayU08* toOem(col::_array::ArrayU08* bytes, bool append) const;
    uint32_t fromOem(const void* bytes, bool append, int32_t n = -1);
    // Code-page conversions by code page number: 1200 (UTF-16LE) copies the units' bytes,
    // 1201 (UTF-16BE) swaps them; any other number goes through the system conversion.
    static constexpr int kUtf16 = 1200;
    static constexpr int kUtf16BE = 1201;
    col::_array::ArrayU08* encodeTerminated(int codePage, col::_array::ArrayU08* bytes, bool append) const;
    col::_array::ArrayU08* encode(int codePage, col::_array::ArrayU08* bytes, bool append) const;
    // n = -1: up to the first NUL unit (UTF-16 pages) or NUL byte (others).
    uint32_t decode(int codePage, const void* bytes, bool append, int32_t n = -1);

    // ---- digest ---------------------------------------------------------------------
    // Feeds the UTF-16 bytes to the digester (a pooled MD5 one when null), finishes it and
    // returns its lowercase hexadecimal text in out (appended or replacing) or a new string.
    StrBuffer* digest(digest::IDigester* digester, StrBuffer* out, bool append) const;
    // The same for any bytes (arrays digest their elements through it).
    static StrBuffer* digestBytes(digest::IDigester* digester, const void* data, uint64_t n, StrBuffer* out,
                                  bool append);

    // ---- splitting (new pooled lists of new pooled strings) -----------------------------
    // Non-empty pieces between separators.
    strarray::StrArray* split(wchar_t separator) const;
    // Distinct words (ignoring case) in order of first appearance; with dropStopWords a
    // stop word ("the", "of", "and") that ends the text is left out.
    strarray::StrArray* splitWords(bool dropStopWords) const;
    static bool isWordChar(wchar_t c);
    // The shared stop-word list (made on first use, never destroyed).
    static const strarray::StrArray* stopWords();

    // ---- iterators (pooled cursors over the units; the caller releases them) -------------
    col::IteratorBase* iterator();
    col::IteratorBase* iteratorAtEnd();
    // The next step yields unit i; -1 (or anything beyond the length) means the end.
    col::IteratorBase* iteratorAt(int32_t i);
    // n units before the end; -1 (or anything beyond the length) means the first unit.
    col::IteratorBase* iteratorFromEnd(int32_t n);

    // ---- object interface -------------------------------------------------------------
    // Order of the little-endian bytes, shorter first on a common prefix.
    int compareTo(const base::IComparable* other, const base::IComparator* comparator = nullptr) const override;
    int compareToIgnoreCase(const base::IComparable* other,
                            const base::IComparator* comparator = nullptr) const override;
    bool equals(const base::IComparable* other, const base::IComparator* comparator = nullptr) const override;
    bool equalsIgnoreCase(const base::IComparable* other, const base::IComparator* comparator = nullptr) const override;
    uint32_t hashCode() const override;
    uint32_t hashCodeIgnoreCase() const override;
    // Fast forms for two strings.
    int compareStr(const StrBuffer* other) const;
    int compareStrIgnoreCase(const StrBuffer* other) const;
    // Pool reset: no storage is kept.
    void reset() override { freeStorage(); }

    // ---- stream views (byte position shared by both) --------------------------------------
    bool read(void* buffer, uint32_t length, uint32_t& count) override;
    bool write(const void* data, uint32_t length, uint32_t& count) override;
    bool flush() override { return true; }
    bool truncate() override { return true; }
    void close() override { position_ = 0; }
    uint64_t getPosition() override { return position_; }
    bool isSeekable() override { return true; }
    void rewind() override { position_ = 0; }
    uint64_t seekToEnd() override { return position_ = length_ * 2; }
    void seek(uint64_t p) override { position_ = uint32_t(p); }
    uint64_t seekFromEnd(uint64_t n) override { return position_ = uint32_t(length_ * 2 - n); }
    void skip(uint64_t n) override { position_ += uint32_t(n); }
    void skipBack(uint64_t n) override { position_ -= uint32_t(n); }
    void dispose() override { position_ = 0; }

private:
    bool reallocate(uint32_t n);
    // The length, with the NUL after the text that keeps text() from writing.
    void setEnd(uint32_t n) {
        length_ = n;
        if (chars_) chars_[n] = 0;
    }
    // append() for long texts and texts that must grow first (the units may lie inside
    // this string).
    StrBuffer* appendGrowing(const wchar_t* units, uint32_t k);
    // Grows to hold n units; a pointer into the old block is moved along with it.
    bool ensureCapacityKeeping(uint32_t n, const wchar_t*& inside);
    // Hands this string's storage to other and takes other's.
    void swapStorage(StrBuffer* other);
    template <bool Fold>
    bool findImpl(const wchar_t* text, uint32_t* pos, uint32_t from) const;
    template <bool Fold>
    bool findLastImpl(const wchar_t* text, uint32_t* pos, uint32_t before) const;
    template <bool Fold>
    uint32_t replaceImpl(const wchar_t* find, const wchar_t* replacement);
    col::_array::ArrayU08* encodeImpl(int codePage, col::_array::ArrayU08* bytes, bool append, bool terminated) const;

    wchar_t* chars_ = nullptr;
    uint32_t length_ = 0;
    uint32_t capacity_ = 0;
    uint32_t position_ = 0;
};

}  // namespace s::str::strbuffer
