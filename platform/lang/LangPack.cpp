#include "platform/lang/LangPack.h"

#include "platform/system/OsVersion.h"

namespace s::lang {

using str::strbuffer::StrBuffer;

namespace {

// Packs of the "vec" language were written with U+019A for U+0142, which fonts of
// Windows before 6.0 lack; there the letter is put back.
bool needsLegacyLetterFix(const StrBuffer& tagName) {
    return !system::osVersion().isVistaOrLater && tagName.length() == 3 && tagName.equalsExact(L"vec");
}

}  // namespace

LangPack::LangPack() = default;

LangPack::~LangPack() { keyMap_.clear(); }

void LangPack::setNames(const wchar_t* tagName, const wchar_t* engName, const wchar_t* trueName) {
    tagName_.setText(tagName ? tagName : L"")->terminate();
    engName_.setText(engName ? engName : L"")->terminate();
    trueName_.setText(trueName ? trueName : L"")->terminate();
}

int32_t LangPack::indexOfId(int32_t id) const {
    const uint32_t n = ids_.count();
    for (uint32_t i = 0; i < n; ++i)
        if (ids_.get(i) == id) return int32_t(i);
    return -1;
}

const wchar_t* LangPack::getText(int32_t id) const {
    const int32_t i = indexOfId(id);
    if (i < 0 || uint32_t(i) >= texts_.count()) return L"";
    return textOf(texts_.at(uint32_t(i)));
}

StrBuffer* LangPack::newText(const wchar_t* text) const {
    StrBuffer* s = StrBuffer::fromString(text ? text : L"");
    if (!s) return nullptr;
    if (needsLegacyLetterFix(tagName_)) {
        for (uint32_t i = 0; i < s->length(); ++i)
            if (s->charAt(i) == L'\x019A') *s->charPtr(i) = L'\x0142';
    }
    // Readers on other threads get the text without anyone writing its terminator later.
    s->text();
    return s;
}

void LangPack::addText(int32_t id, const wchar_t* text) {
    StrBuffer* s = newText(text);
    if (!s) return;
    const uint32_t before = ids_.count();
    ids_.push(id);
    if (ids_.count() == before) {  // out of memory: keep ids and texts in step
        s->release();
        return;
    }
    texts_.push(s);
    if (texts_.count() != ids_.count()) ids_.dropLast(1);
}

void LangPack::addTextByKey(const wchar_t* key, const wchar_t* text) {
    if (!key) return;
    StrBuffer* k = StrBuffer::fromString(key);
    StrBuffer* t = newText(text);
    if (!k || !t) {
        if (k) k->release();
        if (t) t->release();
        return;
    }
    k->text();
    const uint32_t before = keys_.count();
    keys_.push(k);
    if (keys_.count() == before) {
        t->release();
        return;
    }
    keyTexts_.push(t);
    if (keyTexts_.count() != keys_.count()) {
        keys_.removeAt(keys_.count() - 1);
        return;
    }
    // A later duplicate of a key stays in the lists, but lookups keep the first text.
    if (!keyMap_.contains(k->hashCode(), k)) keyMap_.put(k->hashCode(), k, t);
}

StrBuffer* LangPack::findKeyText(const wchar_t* key) const {
    if (!key) return nullptr;
    StrBuffer probe;
    probe.setText(key);
    return static_cast<StrBuffer*>(keyMap_.get(probe.hashCode(), &probe));
}

bool LangPack::hasKey(const wchar_t* key) const { return findKeyText(key) != nullptr; }

const wchar_t* LangPack::getTextByKey(const wchar_t* key) const {
    StrBuffer* t = findKeyText(key);
    return t ? textOf(t) : L"";
}

bool LangPack::hasUpdateText() const { return getText(kUpdateTextId)[0] != 0; }

void LangPack::reset() {
    tagName_.freeStorage();
    engName_.freeStorage();
    trueName_.freeStorage();
    ids_.freeStorage();
    texts_.clear();
    keyMap_.clear();
    keys_.clear();
    keyTexts_.clear();
}

}  // namespace s::lang
