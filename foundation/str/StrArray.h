// An ordered list of strings that it owns: each item is a pooled StrBuffer that goes
// back to the string pool when the list lets it go. Also reads and writes the
// double-NUL-terminated multi-string form.
#pragma once

#include <cstdint>

#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"
#include "foundation/thread/Pool.h"

namespace s::str::strarray {

class StrArray : public base::IObject, public thread::IPoolable {
    S_POOLED(StrArray, L"s_str_strarray_StrArray")

public:
    // An empty list whose strings go back to the string pool.
    StrArray();
    // Deletes every string outright.
    ~StrArray() override;
    StrArray(const StrArray&) = delete;
    StrArray& operator=(const StrArray&) = delete;

    // Takes ownership of the string; one growth step when full.
    StrArray* push(strbuffer::StrBuffer* s);
    // A new pooled string holding a copy of the text, appended.
    StrArray* addText(const wchar_t* text);
    uint32_t count() const { return items_.count(); }
    // The string at index i; null when i is not below the count.
    strbuffer::StrBuffer* at(uint32_t i) const {
        return i < items_.count() ? static_cast<strbuffer::StrBuffer*>(items_.get(i)) : nullptr;
    }
    col::_array::ArrayP& items() { return items_; }
    const col::_array::ArrayP& items() const { return items_; }
    // Every string back to the pool, storage freed.
    void clear();
    // Removes the string at index and returns it to the pool.
    void removeAt(uint32_t index);
    // First item equal to the string ignoring case.
    bool indexOfIgnoreCase(const strbuffer::StrBuffer* s, uint32_t* index = nullptr) const;
    bool indexOfTextIgnoreCase(const wchar_t* text, uint32_t* index = nullptr) const;
    // Fill from UTF-16LE strings each ending in a NUL unit, the whole ending in one more.
    void loadMultiSz(const col::_array::ArrayU08* bytes);
    // Write that form into bytes (content replaced) or a new pooled array.
    col::_array::ArrayU08* toMultiSz(col::_array::ArrayU08* bytes) const;

    void reset() override;

private:
    void deleteAll();
    col::_array::ArrayP items_;
};

}  // namespace s::str::strarray
