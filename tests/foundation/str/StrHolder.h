// Scoped holders for pooled strings and byte arrays in tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"

namespace testing_support {

// A pooled string released at the end of the scope.
struct Str {
    s::str::strbuffer::StrBuffer* p;
    explicit Str(const wchar_t* t = L"") : p(s::str::strbuffer::StrBuffer::fromString(t)) {}
    explicit Str(s::str::strbuffer::StrBuffer* s) : p(s) {}
    ~Str() {
        if (p) p->release();
    }
    Str(const Str&) = delete;
    Str& operator=(const Str&) = delete;
    s::str::strbuffer::StrBuffer* operator->() const { return p; }
    std::wstring str() const { return std::wstring(p->data() ? p->data() : L"", p->length()); }
};

// A pooled byte array released at the end of the scope.
struct Bytes {
    s::col::_array::ArrayU08* p;
    Bytes() : p(s::col::_array::ArrayU08::create()) {}
    explicit Bytes(s::col::_array::ArrayU08* a) : p(a) {}
    ~Bytes() {
        if (p) p->release();
    }
    Bytes(const Bytes&) = delete;
    Bytes& operator=(const Bytes&) = delete;
    s::col::_array::ArrayU08* operator->() const { return p; }
    std::vector<uint8_t> vec() const { return std::vector<uint8_t>(p->items(), p->items() + p->count()); }
};

}  // namespace testing_support
