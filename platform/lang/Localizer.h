// The language pack of the program: one LangPack per language parsed from an XML
// document, the current language, text lookups and the listeners told (code 0) when the
// language changes.
//
// Pack document: root element (any name) with two children found by name ignoring case:
//   <languages><entry tagName="eng" engName="English" trueName="English"/>...</languages>
//   <entries><entry id="300000">comment<eng>text</eng><deu>Text</deu>...</entry>...</entries>
// An id starting with a decimal digit is numeric, any other id a string key. A language
// without its own text for an entry gets the text of the entry's first element that
// names a language of the pack.
#pragma once

#include <atomic>
#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/col/Array.h"
#include "foundation/thread/Pool.h"
#include "platform/lang/LangPack.h"

namespace s::xml {
class Node;
}
namespace s::gui::events {
class IEventListener;
}

namespace s::lang {

class Localizer : public base::IObject, public thread::IPoolable {
    S_POOLED(Localizer, L"s_lang_Localizer")
public:
    // The program's built-in pack: resource type "IDR_XML", id 130.
    static constexpr const wchar_t* kPackResourceType = L"IDR_XML";
    static constexpr int32_t kPackResourceId = 130;

    Localizer();
    ~Localizer() override;
    Localizer(const Localizer&) = delete;
    Localizer& operator=(const Localizer&) = delete;

    // ---- loading: each returns a localizer from the pool, never null (unless out of
    // memory). A missing, unreadable or malformed document gives an empty localizer
    // whose getText answers "". The user interface language is chosen (setLanguage).
    static Localizer* loadXmlText(const wchar_t* text);
    // UTF-8 with or without byte-order mark.
    static Localizer* loadXmlBytes(const col::_array::ArrayU08* bytes);
    // The resource (type, id) of a module (null: the program's own file).
    static Localizer* loadResource(void* module, const wchar_t* type = kPackResourceType, int32_t id = kPackResourceId);
    // The resource's bytes into out (emptied first); false when it is missing or empty.
    static bool readResourceBytes(void* module, const wchar_t* type, int32_t id, col::_array::ArrayU08* out);

    // Adds the languages and entries of a pack document (root element) to this localizer.
    void parse(const xml::Node* root);

    // ---- languages
    uint32_t getPackCount() const { return packs_.count(); }
    LangPack* getPackAt(uint32_t index) const { return index < packs_.count() ? packs_.at<LangPack>(index) : nullptr; }
    // By English name ignoring case, else by alias (Chinese*, Portuguese*, Serbian*); null.
    LangPack* findPack(const wchar_t* name) const;
    // The first pack whose tag name equals tag ignoring case; null.
    LangPack* findPackByTag(const wchar_t* tag) const;
    // Switches to the language of that English name (else English, else the first) and
    // tells every listener once when the current language changed.
    void setLanguage(const wchar_t* engName);
    // The same for the pack at index; an index out of range changes nothing.
    void setLanguageIndex(uint32_t index);
    // The current pack, chosen on first use from the user interface language, else the
    // first pack. With no pack loaded: an empty pack owned by the localizer, never null.
    LangPack* getCurrentPack();
    // Index of the current pack, -1 with no pack loaded.
    int32_t getCurrentIndex();
    // The text of the id in the current language; "" when absent.
    const wchar_t* getText(int32_t id) { return getCurrentPack()->getText(id); }

    // ---- listeners (not owned). Safe from any thread; a listener is listed once. Once
    // removeListener has returned, the listener is never called again (it waits for a
    // round of telling under way on another thread, so a listener must not wait on a
    // thread that may be detaching).
    void addListener(gui::events::IEventListener* listener);
    // False when it was not listed.
    bool removeListener(gui::events::IEventListener* listener);
    uint32_t getListenerCount();

    void reset() override;

private:
    LangPack* ensureCurrent();
    // Makes pack current under the lock; tells the listeners outside it when it changed.
    void switchTo(LangPack* pack);

    // Packs in document order, given back to their pool with the localizer.
    col::_array::ArrayP packs_;
    std::atomic<LangPack*> current_{nullptr};
    col::_array::ArrayP listeners_;
    // Guards the listener list and changes of the current pack.
    thread::ObjLocker lock_;
    // Held while listeners are told, so that a detach can wait for a round under way.
    thread::ObjLocker telling_;
    LangPack empty_;
};

}  // namespace s::lang
