#include "foundation/str/StrArray.h"

#include <cstring>

namespace s::str::strarray {

using col::_array::ArrayU08;
using strbuffer::StrBuffer;

StrArray::StrArray() : items_(StrBuffer::pooler()) {}

StrArray::~StrArray() { deleteAll(); }

void StrArray::deleteAll() {
    void** slots = items_.items();
    for (uint32_t i = 0; i < items_.count(); ++i) {
        delete static_cast<StrBuffer*>(slots[i]);
        slots[i] = nullptr;
    }
    items_.setCount(0);
}

void StrArray::reset() {
    if (items_.count()) items_.freeStorage();
}

StrArray* StrArray::push(StrBuffer* s) {
    items_.push(s);
    return this;
}

StrArray* StrArray::addText(const wchar_t* text) {
    StrBuffer* s = StrBuffer::fromString(text);
    if (s) items_.push(s);
    return this;
}

void StrArray::clear() {
    if (items_.count()) items_.freeStorage();
}

void StrArray::removeAt(uint32_t index) { items_.removeAtAndRelease(index); }

bool StrArray::indexOfIgnoreCase(const StrBuffer* s, uint32_t* index) const {
    if (!s) return false;
    for (uint32_t i = 0; i < items_.count(); ++i) {
        if (at(i)->compareStrIgnoreCase(s) == 0) {
            if (index) *index = i;
            return true;
        }
    }
    return false;
}

bool StrArray::indexOfTextIgnoreCase(const wchar_t* text, uint32_t* index) const {
    for (uint32_t i = 0; i < items_.count(); ++i) {
        if (at(i)->equalsText(text)) {
            if (index) *index = i;
            return true;
        }
    }
    return false;
}

void StrArray::loadMultiSz(const ArrayU08* bytes) {
    clear();
    if (!bytes) return;
    const uint32_t n = bytes->count() / 2;
    const uint8_t* p = bytes->items();
    auto unit = [p](uint32_t i) { return uint16_t(p[2 * i] | (p[2 * i + 1] << 8)); };
    // The data must hold a double NUL somewhere.
    uint32_t k = n;
    while (k >= 2 && !(unit(k - 2) == 0 && unit(k - 1) == 0)) --k;
    if (k < 2) return;
    uint32_t i = 0;
    do {
        StrBuffer* s = StrBuffer::create();
        if (!s) return;
        uint32_t start = i;
        while (i < n && unit(i) != 0) ++i;
        s->reserve(i - start);
        for (uint32_t j = start; j < i; ++j) s->appendChar(wchar_t(unit(j)));
        items_.push(s);
        ++i;  // past the NUL
    } while (i < n && unit(i) != 0);
}

ArrayU08* StrArray::toMultiSz(ArrayU08* bytes) const {
    ArrayU08* out = bytes ? bytes : ArrayU08::create();
    if (!out) return nullptr;
    uint32_t size = 2;
    for (uint32_t i = 0; i < items_.count(); ++i) size += 2 * at(i)->length() + 2;
    if (items_.count() == 0) size = 4;
    out->clear();
    if (!out->ensureCapacity(size)) return out;
    uint8_t* d = out->items();
    uint32_t w = 0;
    for (uint32_t i = 0; i < items_.count(); ++i) {
        const StrBuffer* s = at(i);
        if (s->length()) std::memcpy(d + w, s->data(), size_t(s->length()) * 2);
        w += 2 * s->length();
        d[w++] = 0;
        d[w++] = 0;
    }
    while (w < size) d[w++] = 0;
    out->setCount(size);
    return out;
}

}  // namespace s::str::strarray
