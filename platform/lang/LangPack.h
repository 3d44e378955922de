// The texts of one language of the language pack: its names, texts by numeric id (in
// insertion order, looked up linearly) and texts by string key (through a hash map).
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/col/Array.h"
#include "foundation/map/Map.h"
#include "foundation/str/StrArray.h"
#include "foundation/str/StrBuffer.h"
#include "foundation/thread/Pool.h"

namespace s::lang {

class LangPack : public base::IObject, public thread::IPoolable {
    S_POOLED(LangPack, L"s_lang_LangPack")
public:
    // Id whose non-empty text enables the online update check.
    static constexpr int32_t kUpdateTextId = 400200;

    LangPack();
    ~LangPack() override;
    LangPack(const LangPack&) = delete;
    LangPack& operator=(const LangPack&) = delete;

    // Tag name (the element name of this language's texts, e.g. "eng"), English name
    // ("Chinese_Simplified") and the name in the language itself. Never null.
    const wchar_t* getTagName() const { return textOf(&tagName_); }
    const wchar_t* getEngName() const { return textOf(&engName_); }
    const wchar_t* getTrueName() const { return textOf(&trueName_); }
    void setNames(const wchar_t* tagName, const wchar_t* engName, const wchar_t* trueName);

    // The text of the first entry with that id; "" when absent. The text lives as long
    // as the pack holds it.
    const wchar_t* getText(int32_t id) const;
    bool hasId(int32_t id) const { return indexOfId(id) >= 0; }
    uint32_t getIdCount() const { return ids_.count(); }
    int32_t getIdAt(uint32_t i) const { return ids_.get(i); }
    // Appends the id with a copy of the text (null: ""). Earlier entries of the same id win.
    void addText(int32_t id, const wchar_t* text);

    // Texts by string key (case-sensitive).
    void addTextByKey(const wchar_t* key, const wchar_t* text);
    bool hasKey(const wchar_t* key) const;
    // "" when absent.
    const wchar_t* getTextByKey(const wchar_t* key) const;
    uint32_t getKeyCount() const { return keys_.count(); }

    // True when the pack holds a non-empty text for kUpdateTextId.
    bool hasUpdateText() const;

    void reset() override;

private:
    static const wchar_t* textOf(const str::strbuffer::StrBuffer* s) { return s->length() ? s->data() : L""; }
    int32_t indexOfId(int32_t id) const;
    str::strbuffer::StrBuffer* newText(const wchar_t* text) const;
    str::strbuffer::StrBuffer* findKeyText(const wchar_t* key) const;

    str::strbuffer::StrBuffer tagName_;
    str::strbuffer::StrBuffer engName_;
    str::strbuffer::StrBuffer trueName_;
    col::_array::ArrayS32 ids_;
    str::strarray::StrArray texts_;
    str::strarray::StrArray keys_;
    // The key texts, element i belonging to keys_ element i.
    str::strarray::StrArray keyTexts_;
    // Key string -> text string (both owned by the lists above).
    mutable map::MapTable keyMap_;
};

}  // namespace s::lang
