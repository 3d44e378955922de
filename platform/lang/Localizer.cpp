#include "platform/lang/Localizer.h"

#include <windows.h>

#include <cwchar>

#include "foundation/str/StrBuffer.h"
#include "foundation/xml/Node.h"
#include "foundation/events/IEventListener.h"
#include "platform/lang/LanguageName.h"

namespace s::lang {

using col::_array::ArrayP;
using col::_array::ArrayU08;
using str::strbuffer::StrBuffer;
using thread::ObjLocker;

namespace {

bool startsWithIgnoreCase(const wchar_t* text, const wchar_t* prefix) {
    for (; *prefix; ++text, ++prefix)
        if (StrBuffer::foldLower(*text) != StrBuffer::foldLower(*prefix)) return false;
    return true;
}

bool sameText(const wchar_t* a, const wchar_t* b) {
    for (; *a && *b; ++a, ++b)
        if (StrBuffer::foldLower(*a) != StrBuffer::foldLower(*b)) return false;
    return *a == *b;
}

Localizer* parsedFrom(xml::Node* root, bool parsed) {
    Localizer* loc = Localizer::create();
    if (loc && parsed) loc->parse(root);
    if (root) root->release();
    if (loc) loc->setLanguage(getUiLanguageName());
    return loc;
}

}  // namespace

Localizer::Localizer() : packs_(LangPack::pooler()) {}

Localizer::~Localizer() = default;

// ------------------------------------------------------------------ loading

Localizer* Localizer::loadXmlText(const wchar_t* text) {
    xml::Node* root = xml::Node::create();
    const bool parsed = root && text && root->parse(text) != nullptr;
    return parsedFrom(root, parsed);
}

Localizer* Localizer::loadXmlBytes(const ArrayU08* bytes) {
    xml::Node* root = xml::Node::create();
    const bool parsed = root && bytes && root->parseUtf8(bytes);
    return parsedFrom(root, parsed);
}

bool Localizer::readResourceBytes(void* module, const wchar_t* type, int32_t id, ArrayU08* out) {
    if (!out) return false;
    out->clear();
    HMODULE m = module ? static_cast<HMODULE>(module) : GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(m, MAKEINTRESOURCEW(id), type);
    if (!info) return false;
    const DWORD size = SizeofResource(m, info);
    HGLOBAL handle = LoadResource(m, info);
    const void* data = handle ? LockResource(handle) : nullptr;
    if (!data || size == 0) return false;
    return out->append(data, size);
}

Localizer* Localizer::loadResource(void* module, const wchar_t* type, int32_t id) {
    ArrayU08* bytes = ArrayU08::create();
    const bool read = bytes && readResourceBytes(module, type, id, bytes);
    Localizer* loc = loadXmlBytes(read ? bytes : nullptr);
    if (bytes) bytes->release();
    return loc;
}

// ------------------------------------------------------------------ parsing

void Localizer::parse(const xml::Node* root) {
    if (!root) return;
    StrBuffer a, b, c;

    if (const xml::Node* languages = root->getChild(L"languages")) {
        for (uint32_t i = 0; i < languages->getChildCount(); ++i) {
            const xml::Node* e = languages->getChildAt(i);
            if (!e->nameEquals(L"entry")) continue;
            LangPack* pack = LangPack::create();
            if (!pack) continue;
            e->copyValueTo(&a, L"tagName", L"", false);
            e->copyValueTo(&b, L"engName", L"", false);
            e->copyValueTo(&c, L"trueName", L"", false);
            pack->setNames(a.text(), b.text(), c.text());
            const uint32_t before = packs_.count();
            packs_.push(pack);
            if (packs_.count() == before) pack->release();
        }
    }

    const xml::Node* entries = root->getChild(L"entries");
    if (!entries) return;
    StrBuffer id, text, fallback;
    for (uint32_t i = 0; i < entries->getChildCount(); ++i) {
        const xml::Node* e = entries->getChildAt(i);
        if (!e->nameEquals(L"entry")) continue;
        e->copyValueTo(&id, L"id", L"", false);
        const bool numeric = id.length() && id.charAt(0) >= L'0' && id.charAt(0) <= L'9';
        const int32_t n = numeric ? _wtoi(id.text()) : 0;
        // Each entry starts without a fallback: its first element that names a language
        // of the pack gives it.
        bool haveFallback = false;
        fallback.clear();
        for (uint32_t j = 0; j < e->getChildCount(); ++j) {
            const xml::Node* child = e->getChildAt(j);
            LangPack* pack = findPackByTag(child->getName());
            if (!pack) continue;
            child->copyValueTo(&text, L"", L"", false);
            if (numeric)
                pack->addText(n, text.text());
            else
                pack->addTextByKey(id.text(), text.text());
            if (!haveFallback) {
                fallback.setStr(&text);
                haveFallback = true;
            }
        }
        for (uint32_t p = 0; p < packs_.count(); ++p) {
            LangPack* pack = packs_.at<LangPack>(p);
            if (numeric ? !pack->hasId(n) : !pack->hasKey(id.text())) {
                if (numeric)
                    pack->addText(n, fallback.text());
                else
                    pack->addTextByKey(id.text(), fallback.text());
            }
        }
    }
}

// ------------------------------------------------------------------ languages

LangPack* Localizer::findPackByTag(const wchar_t* tag) const {
    if (!tag) return nullptr;
    for (uint32_t i = 0; i < packs_.count(); ++i) {
        LangPack* p = packs_.at<LangPack>(i);
        if (sameText(p->getTagName(), tag)) return p;
    }
    return nullptr;
}

LangPack* Localizer::findPack(const wchar_t* name) const {
    if (!name) return nullptr;
    auto byEngName = [this](const wchar_t* n) -> LangPack* {
        for (uint32_t i = 0; i < packs_.count(); ++i) {
            LangPack* p = packs_.at<LangPack>(i);
            if (sameText(p->getEngName(), n)) return p;
        }
        return nullptr;
    };
    if (LangPack* p = byEngName(name)) return p;
    if (startsWithIgnoreCase(name, L"Chinese")) {
        if (LangPack* p = byEngName(L"CHINESE_SIMPLIFIED")) return p;
        return byEngName(L"CHINESE_TRADITIONAL");
    }
    if (startsWithIgnoreCase(name, L"Portuguese")) {
        if (LangPack* p = byEngName(L"PORTUGUESE_BRAZILIAN")) return p;
        return byEngName(L"PORTUGUESE_PORTUGAL");
    }
    if (startsWithIgnoreCase(name, L"Serbian")) {
        if (LangPack* p = byEngName(L"SERBIAN_CYRILLIC")) return p;
        return byEngName(L"SERBIAN_LATIN");
    }
    return nullptr;
}

LangPack* Localizer::ensureCurrent() {
    LangPack* cur = current_.load(std::memory_order_acquire);
    if (cur || packs_.count() == 0) return cur;
    LangPack* chosen = findPack(getUiLanguageName());
    if (!chosen) chosen = packs_.at<LangPack>(0);
    // Two threads choosing at once choose the same pack; the first one stays.
    LangPack* expected = nullptr;
    if (!current_.compare_exchange_strong(expected, chosen, std::memory_order_acq_rel)) return expected;
    return chosen;
}

LangPack* Localizer::getCurrentPack() {
    LangPack* cur = ensureCurrent();
    return cur ? cur : &empty_;
}

int32_t Localizer::getCurrentIndex() {
    LangPack* cur = ensureCurrent();
    return cur ? packs_.indexOf(cur) : -1;
}

void Localizer::switchTo(LangPack* pack) {
    // One round of telling at a time; a listener may detach itself (re-entrant lock).
    ObjLocker::Guard telling(telling_);
    ArrayP copy;
    {
        ObjLocker::Guard guard(lock_);
        if (!pack || pack == ensureCurrent()) return;
        current_.store(pack, std::memory_order_release);
        // Windows on other threads may come and go while the listeners are told.
        copy.append(listeners_.data(), listeners_.count());
    }
    for (uint32_t i = 0; i < copy.count(); ++i) {
        auto* listener = copy.at<gui::events::IEventListener>(i);
        bool listed;
        {
            ObjLocker::Guard guard(lock_);
            listed = listeners_.indexOf(listener) >= 0;
        }
        // A detach from now on waits for this round to end before it returns.
        if (listed) listener->onEvent(this, 0);
    }
}

void Localizer::setLanguage(const wchar_t* engName) {
    LangPack* cur = ensureCurrent();
    if (!cur) return;
    if (engName && sameText(cur->getEngName(), engName)) return;
    LangPack* candidate = findPack(engName);
    if (!candidate) candidate = findPack(L"English");
    if (!candidate) candidate = packs_.at<LangPack>(0);
    switchTo(candidate);
}

void Localizer::setLanguageIndex(uint32_t index) {
    if (index >= packs_.count()) return;
    switchTo(packs_.at<LangPack>(index));
}

// ------------------------------------------------------------------ listeners

void Localizer::addListener(gui::events::IEventListener* listener) {
    if (!listener) return;
    ObjLocker::Guard guard(lock_);
    if (listeners_.indexOf(listener) < 0) listeners_.push(listener);
}

bool Localizer::removeListener(gui::events::IEventListener* listener) {
    bool removed;
    {
        ObjLocker::Guard guard(lock_);
        removed = listener && listeners_.removeItem(listener) != nullptr;
    }
    // A round under way on another thread may be calling it right now: wait for that
    // round to end, so that the listener may be destroyed as soon as this returns.
    if (removed) {
        telling_.enter();
        telling_.leave();
    }
    return removed;
}

uint32_t Localizer::getListenerCount() {
    ObjLocker::Guard guard(lock_);
    return listeners_.count();
}

void Localizer::reset() {
    ObjLocker::Guard guard(lock_);
    current_.store(nullptr, std::memory_order_release);
    packs_.freeStorage();
    listeners_.freeStorage();
}

}  // namespace s::lang
