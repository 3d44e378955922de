// Text, XML and hexadecimal dumps of the arrays.
#include <cstdint>

#include "foundation/col/Array.h"
#include "foundation/digest/Md5.h"
#include "foundation/str/StrBuffer.h"

namespace s::col::_array {

using str::strbuffer::StrBuffer;

namespace {
StrBuffer* target(StrBuffer* out, bool append) {
    if (!out) return StrBuffer::create();
    if (!append) out->clear();
    return out;
}
}  // namespace

StrBuffer* ArrayBase::toText(StrBuffer* out, bool append) const {
    out = target(out, append);
    if (!out) return nullptr;
    out->appendText(getName());
    out->appendText(L" [");
    for (uint32_t i = 0; i < count_; ++i) {
        if (i) out->appendChar(L' ');
        appendElementText(out, slotAt(i));
    }
    out->appendChar(L']');
    return out;
}

StrBuffer* ArrayBase::toHex(StrBuffer* out, bool append) const {
    out = target(out, append);
    if (!out) return nullptr;
    if (count_) appendElementHex(out, items_, count_);
    return out;
}

StrBuffer* ArrayBase::toXml(StrBuffer* out, bool append) const {
    out = target(out, append);
    if (!out) return nullptr;
    out->appendChar(L'<');
    out->appendText(getName());
    out->appendText(L" length=\"");
    out->appendU32(count_);
    out->appendText(L"\">");
    toHex(out, true);
    out->appendText(L"</");
    out->appendText(getName());
    out->appendChar(L'>');
    return out;
}

StrBuffer* ArrayBase::digest(digest::IDigester* digester, StrBuffer* out, bool append) const {
    return StrBuffer::digestBytes(digester, items_, byteCount(), out, append);
}

void ArrayP::appendElementText(StrBuffer* out, const void* element) const {
    void* item = *static_cast<void* const*>(element);
    out->appendText(item ? static_cast<base::IObject*>(item)->getClassName() : L"null");
    out->appendChar(L'(');
    out->appendS64(int64_t(reinterpret_cast<uintptr_t>(item)));
    out->appendChar(L')');
}

void ArrayP::appendElementHex(StrBuffer*, const void*, uint32_t) const {}

#define S_NUMBER_ARRAY_TEXT(T, E, TEXT, HEX)                                           \
    void T::appendElementText(StrBuffer* out, const void* element) const {             \
        out->TEXT(*static_cast<const E*>(element));                                    \
    }                                                                                  \
    void T::appendElementHex(StrBuffer* out, const void* elements, uint32_t n) const { \
        out->HEX(static_cast<const E*>(elements), n);                                  \
    }

S_NUMBER_ARRAY_TEXT(ArrayU08, uint8_t, appendU8, appendHexU8)
S_NUMBER_ARRAY_TEXT(ArrayS08, int8_t, appendS8, appendHexS8)
S_NUMBER_ARRAY_TEXT(ArrayS32, int32_t, appendInt, appendHexS32)
S_NUMBER_ARRAY_TEXT(ArrayU32, uint32_t, appendU32, appendHexU32)

#undef S_NUMBER_ARRAY_TEXT

}  // namespace s::col::_array
