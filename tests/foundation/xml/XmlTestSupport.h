// Small helpers shared by the XML tests.
#pragma once

#include <string>

#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"
#include "foundation/xml/Node.h"

namespace xmltest {

using s::col::_array::ArrayU08;
using s::str::strbuffer::StrBuffer;
using s::xml::Node;

// Gives a pooled object back when the test scope ends.
template <class T>
struct Pooled {
    T* p;
    explicit Pooled(T* object) : p(object) {}
    ~Pooled() {
        if (p) p->release();
    }
    Pooled(const Pooled&) = delete;
    Pooled& operator=(const Pooled&) = delete;
    T* operator->() const { return p; }
    T* get() const { return p; }
};

inline std::wstring text(const StrBuffer* s) {
    return s ? std::wstring(s->data() ? s->data() : L"", s->length()) : L"(null)";
}

// The element written as text, "(null)" when it cannot be written.
inline std::wstring xmlOf(const Node* n) {
    Pooled<StrBuffer> s(n->toXml(nullptr, false));
    return text(s.get());
}

inline ArrayU08* bytesOf(const std::string& utf8) {
    ArrayU08* a = ArrayU08::create();
    a->append(utf8.data(), uint32_t(utf8.size()));
    return a;
}

inline std::string stringOf(const ArrayU08* a) {
    return a ? std::string(reinterpret_cast<const char*>(a->items()), a->count()) : std::string("(null)");
}

// The decoded value of an attribute (or of the first text run for name "").
inline std::wstring valueOf(const Node* n, const wchar_t* name) {
    Pooled<StrBuffer> s(n->copyValueTo(nullptr, name, L"(absent)", false));
    return text(s.get());
}

}  // namespace xmltest
