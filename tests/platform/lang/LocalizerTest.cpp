#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"
#include "foundation/events/IEventListener.h"
#include "platform/lang/LangPack.h"
#include "platform/lang/LanguageName.h"
#include "platform/lang/Localizer.h"

using s::lang::LangPack;
using s::lang::Localizer;
using s::str::strbuffer::StrBuffer;

namespace {

// A three-language pack covering the parser's cases.
const wchar_t* const kPack =
    L"\xFEFF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    L"<lang>\n"
    L"<LANGUAGES>\n"
    L"  <entry tagName=\"eng\" engName=\"English\" trueName=\"English\"></entry>\n"
    L"  <note>not a language</note>\n"
    L"  <Entry tagName=\"deu\" engName=\"German\" trueName=\"Deutsch\"></Entry>\n"
    L"  <entry tagName=\"zhs\" engName=\"Chinese_Simplified\" trueName=\"&#31616;&#20307;\"></entry>\n"
    L"</LANGUAGES>\n"
    L"<entries>\n"
    L"  <entry id=\"100\">a comment<eng>Open...</eng><deu>\xD6"
    L"ffnen...</deu><zhs>\x6253\x5F00...</zhs></entry>\n"
    L"  <entry id=\"200\"><deu>Nur Deutsch</deu></entry>\n"
    L"  <entry id=\"300\"><xxx>no language</xxx><eng>Only English</eng></entry>\n"
    L"  <entry id=\"400\"><xxx>no language at all</xxx></entry>\n"
    L"  <entry id=\"500\"><eng>&#160;has been saved.</eng><deu>&#160;wurde gespeichert.</deu>"
    L"<zhs> &amp; &lt;x&gt; </zhs></entry>\n"
    L"  <entry id=\"-5\"><eng>minus key</eng></entry>\n"
    L"  <entry id=\"Skin.Name\"><deu>Haut</deu><eng>Skin</eng></entry>\n"
    L"  <!-- <entry id=\"600\"><eng>commented out</eng></entry> -->\n"
    L"</entries>\n"
    L"</lang>\n";

std::wstring text(Localizer* loc, int32_t id) { return loc->getText(id); }

class CountingListener : public s::gui::events::IEventListener {
public:
    void onEvent(s::base::IObject* source, int32_t code) override {
        lastSource = source;
        lastCode = code;
        ++count;
    }
    std::atomic<int> count{0};
    s::base::IObject* lastSource = nullptr;
    int32_t lastCode = -1;
};

struct LocalizerHolder {
    explicit LocalizerHolder(Localizer* l) : loc(l) {}
    ~LocalizerHolder() {
        if (loc) loc->release();
    }
    Localizer* operator->() const { return loc; }
    Localizer* loc;
};

TEST(Localizer, ParsesLanguagesInDocumentOrder) {
    LocalizerHolder loc(Localizer::loadXmlText(kPack));
    ASSERT_NE(loc.loc, nullptr);
    ASSERT_EQ(loc->getPackCount(), 3u);
    const wchar_t* tags[] = {L"eng", L"deu", L"zhs"};
    const wchar_t* names[] = {L"English", L"German", L"Chinese_Simplified"};
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_STREQ(loc->getPackAt(i)->getTagName(), tags[i]);
        EXPECT_STREQ(loc->getPackAt(i)->getEngName(), names[i]);
    }
    EXPECT_STREQ(loc->getPackAt(2)->getTrueName(), L"\x7B80\x4F53");
    EXPECT_EQ(loc->findPackByTag(L"DEU"), loc->getPackAt(1));
    EXPECT_EQ(loc->findPackByTag(L"fra"), nullptr);
}

TEST(Localizer, TextsAndFallbacks) {
    LocalizerHolder loc(Localizer::loadXmlText(kPack));
    LangPack* eng = loc->findPack(L"english");
    LangPack* deu = loc->findPack(L"GERMAN");
    LangPack* zhs = loc->findPack(L"Chinese_Simplified");
    ASSERT_TRUE(eng && deu && zhs);
    struct Case {
        LangPack* pack;
        int32_t id;
        const wchar_t* expected;
    } cases[] = {
        {eng, 100, L"Open..."},
        {deu, 100,
         L"\xD6"
         L"ffnen..."},
        {zhs, 100, L"\x6253\x5F00..."},
        // A language without a text of its own takes the entry's first language text.
        {eng, 200, L"Nur Deutsch"},
        {zhs, 200, L"Nur Deutsch"},
        // The first element that names a language gives the fallback, never the
        // previous entry's text.
        {deu, 300, L"Only English"},
        {zhs, 300, L"Only English"},
        {eng, 400, L""},
        {deu, 400, L""},
        // Blanks written as references survive; layout blanks do not.
        {eng, 500, L" has been saved."},
        {deu, 500, L" wurde gespeichert."},
        {zhs, 500, L"& <x>"},
        // Absent ids, including the commented-out entry.
        {eng, 600, L""},
        {deu, 999999, L""},
    };
    for (const Case& c : cases) EXPECT_STREQ(c.pack->getText(c.id), c.expected) << c.id;
    for (LangPack* p : {eng, deu, zhs}) {
        EXPECT_TRUE(p->hasId(400));
        EXPECT_FALSE(p->hasId(-5)) << "an id starting with '-' is a key";
        EXPECT_TRUE(p->hasKey(L"-5"));
        EXPECT_STREQ(p->getTextByKey(L"-5"), L"minus key");
        EXPECT_FALSE(p->hasKey(L"skin.name")) << "keys are case-sensitive";
        EXPECT_FALSE(p->hasUpdateText());
    }
    EXPECT_STREQ(eng->getTextByKey(L"Skin.Name"), L"Skin");
    EXPECT_STREQ(deu->getTextByKey(L"Skin.Name"), L"Haut");
    EXPECT_STREQ(zhs->getTextByKey(L"Skin.Name"), L"Haut");
}

TEST(Localizer, MissingOrBrokenPackGivesAnEmptyLocalizer) {
    const char* garbage = "\x01\x02not xml at all";
    s::col::_array::ArrayU08* bytes = s::col::_array::ArrayU08::create();
    bytes->append(garbage, 16);
    s::col::_array::ArrayU08* empty = s::col::_array::ArrayU08::create();
    Localizer* cases[] = {
        Localizer::loadXmlText(nullptr),
        Localizer::loadXmlText(L"no element here"),
        Localizer::loadXmlText(L"<lang><entries><entry id=\"1\"><eng>x</eng></entry></entries></lang>"),
        Localizer::loadXmlBytes(nullptr),
        Localizer::loadXmlBytes(empty),
        Localizer::loadXmlBytes(bytes),
        // A module without the resource (the test program itself).
        Localizer::loadResource(nullptr),
        Localizer::loadResource(GetModuleHandleW(L"kernel32.dll"), L"IDR_XML", 130),
    };
    bytes->release();
    empty->release();
    CountingListener listener;
    for (Localizer* loc : cases) {
        ASSERT_NE(loc, nullptr);
        EXPECT_EQ(loc->getPackCount(), 0u);
        ASSERT_NE(loc->getCurrentPack(), nullptr);
        EXPECT_EQ(loc->getCurrentIndex(), -1);
        EXPECT_STREQ(loc->getText(300000), L"");
        EXPECT_STREQ(loc->getText(1), L"");
        loc->addListener(&listener);
        loc->setLanguage(L"German");
        loc->setLanguageIndex(0);
        EXPECT_EQ(loc->findPack(L"English"), nullptr);
        loc->release();
    }
    EXPECT_EQ(listener.count, 0);
}

TEST(Localizer, SetLanguageTellsListenersOnlyOnChange) {
    LocalizerHolder loc(Localizer::loadXmlText(kPack));
    loc->setLanguage(L"English");
    CountingListener a, b;
    loc->addListener(&a);
    loc->addListener(&b);
    loc->addListener(&a);  // listed once
    EXPECT_EQ(loc->getListenerCount(), 2u);

    loc->setLanguage(L"eNgLiSh");  // the current one, in any case
    loc->setLanguage(L"Klingon");  // unknown while English is current
    loc->setLanguage(nullptr);
    EXPECT_EQ(a.count, 0);

    loc->setLanguage(L"German");
    EXPECT_EQ(a.count, 1);
    EXPECT_EQ(b.count, 1);
    EXPECT_EQ(a.lastSource, static_cast<s::base::IObject*>(loc.loc));
    EXPECT_EQ(a.lastCode, 0);
    EXPECT_EQ(text(loc.loc, 100),
              L"\xD6"
              L"ffnen...");

    loc->setLanguage(L"Klingon");  // unknown while German is current: back to English, once
    EXPECT_EQ(a.count, 2);
    EXPECT_EQ(loc->getCurrentPack(), loc->findPack(L"English"));

    EXPECT_TRUE(loc->removeListener(&b));
    EXPECT_FALSE(loc->removeListener(&b));
    loc->setLanguageIndex(2);
    loc->setLanguageIndex(2);
    loc->setLanguageIndex(7);  // out of range: nothing
    EXPECT_EQ(a.count, 3);
    EXPECT_EQ(b.count, 2);
    EXPECT_EQ(loc->getCurrentIndex(), 2);
    EXPECT_EQ(text(loc.loc, 100), L"\x6253\x5F00...");
}

TEST(Localizer, ResetEmptiesPacksAndListeners) {
    Localizer* loc = Localizer::loadXmlText(kPack);
    CountingListener a;
    loc->addListener(&a);
    loc->reset();
    EXPECT_EQ(loc->getPackCount(), 0u);
    EXPECT_EQ(loc->getListenerCount(), 0u);
    EXPECT_STREQ(loc->getText(100), L"");
    loc->release();
}

TEST(LanguageName, NamesOfLangIds) {
    struct Case {
        uint16_t langId;
        const wchar_t* name;
    } cases[] = {
        {0x0409, L"English"},
        {0x0809, L"English"},
        {0x0804, L"Chinese_simplified"},
        {0x0004, L"Chinese_simplified"},
        {0x0404, L"Chinese_traditional"},
        {0x0C04, L"Chinese_traditional"},
        {0x0416, L"Portuguese_brazilian"},
        {0x0816, L"Portuguese_portugal"},
        {0x081A, L"Serbian_latin"},
        {0x0C1A, L"Serbian_cyrillic"},
        {0x041A, L"Croatian"},
        {0x042E, L"Upper_sorbian"},
        {0x0407, L"German"},
        {0x0C0A, L"Spanish"},
        {0x0419, L"Russian"},
        {0x0422, L"Ukrainian"},
        {0x0423, L"Belarusian"},
        {0x8C, L"Dari"},
        {0x00FF, L"Unknown"},
        {0x0000, L"Unknown"},
    };
    for (const Case& c : cases) {
        StrBuffer* name = s::lang::uiLanguageNameOfLangId(c.langId, nullptr);
        ASSERT_NE(name, nullptr);
        EXPECT_STREQ(name->text(), c.name) << std::hex << c.langId;
        name->release();
    }
    EXPECT_STREQ(s::lang::languageNameOfCode(s::lang::languageCodeOfLangId(0x0401)), L"ARABIC");
    EXPECT_STREQ(s::lang::languageNameOfCode(-1), L"Unknown");
    EXPECT_STREQ(s::lang::languageNameOfCode(100000), L"Unknown");
    // Computed once; the same text on every call.
    const wchar_t* ui = s::lang::getUiLanguageName();
    EXPECT_NE(ui[0], 0);
    EXPECT_EQ(ui, s::lang::getUiLanguageName());
}

// A listener that detaches itself while being told, as a closing window does.
class SelfRemovingListener : public s::gui::events::IEventListener {
public:
    explicit SelfRemovingListener(Localizer* l) : loc(l) {}
    void onEvent(s::base::IObject*, int32_t) override {
        ++count;
        loc->removeListener(this);
    }
    Localizer* loc;
    int count = 0;
};

TEST(Localizer, ListenersMayDetachWhileBeingTold) {
    LocalizerHolder loc(Localizer::loadXmlText(kPack));
    loc->setLanguage(L"English");
    SelfRemovingListener first(loc.loc), second(loc.loc);
    CountingListener third;
    loc->addListener(&first);
    loc->addListener(&second);
    loc->addListener(&third);
    loc->setLanguage(L"German");
    EXPECT_EQ(first.count, 1);
    EXPECT_EQ(second.count, 1);
    EXPECT_EQ(third.count, 1);
    EXPECT_EQ(loc->getListenerCount(), 1u);
}

TEST(Localizer, ListenersAttachAndDetachFromManyThreadsDuringChanges) {
    LocalizerHolder loc(Localizer::loadXmlText(kPack));
    loc->setLanguage(L"English");
    CountingListener stay;
    loc->addListener(&stay);
    std::atomic<bool> stop{false};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            std::vector<CountingListener> mine(20);
            while (!stop) {
                for (auto& l : mine) loc->addListener(&l);
                for (auto& l : mine) loc->removeListener(&l);
            }
        });
    }
    const int changes = 400;
    for (int i = 0; i < changes; ++i) loc->setLanguageIndex(uint32_t(i % 3));
    stop = true;
    for (auto& t : threads) t.join();
    // Index 0 was current at the start, so the first call changed nothing.
    EXPECT_EQ(stay.count, changes - 1);
    EXPECT_EQ(loc->getListenerCount(), 1u);
}

}  // namespace

// A window on another thread detaches while a round of telling is under way and is then
// destroyed: once removeListener has returned, the listener is never called again.
TEST(Localizer, NoListenerIsCalledAfterItsDetachReturned) {
    LocalizerHolder loc(Localizer::loadXmlText(kPack));
    loc->setLanguage(L"English");

    // Told first: holds the round until the gate opens.
    struct Gate : s::gui::events::IEventListener {
        HANDLE open = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        std::atomic<bool> entered{false};
        ~Gate() override { CloseHandle(open); }
        void onEvent(s::base::IObject*, int32_t) override {
            entered = true;
            WaitForSingleObject(open, 10000);
        }
    } gate;
    // Told second: counts the calls that come after its detach returned.
    struct Late : s::gui::events::IEventListener {
        std::atomic<bool> detached{false};
        std::atomic<int> callsAfterDetach{0};
        void onEvent(s::base::IObject*, int32_t) override {
            if (detached) ++callsAfterDetach;
        }
    } late;
    loc->addListener(&gate);
    loc->addListener(&late);

    std::thread teller([&] { loc->setLanguage(L"German"); });
    const DWORD start = GetTickCount();
    while (!gate.entered && GetTickCount() - start < 10000) Sleep(1);
    ASSERT_TRUE(gate.entered);
    std::thread detacher([&] {
        EXPECT_TRUE(loc->removeListener(&late));
        late.detached = true;
    });
    // The detach may not return while the round runs; give it the chance to do so wrongly.
    const DWORD waitStart = GetTickCount();
    while (!late.detached && GetTickCount() - waitStart < 200) Sleep(1);
    SetEvent(gate.open);
    teller.join();
    detacher.join();
    EXPECT_TRUE(late.detached);
    EXPECT_EQ(late.callsAfterDetach, 0);
    EXPECT_EQ(loc->getListenerCount(), 1u);
}

// A listener may detach itself while it is being told, on the same thread.
TEST(Localizer, AListenerMayDetachItselfWhileBeingTold) {
    LocalizerHolder loc(Localizer::loadXmlText(kPack));
    loc->setLanguage(L"English");
    struct SelfRemoving : s::gui::events::IEventListener {
        Localizer* loc = nullptr;
        int calls = 0;
        void onEvent(s::base::IObject*, int32_t) override {
            ++calls;
            EXPECT_TRUE(loc->removeListener(this));
        }
    } self;
    self.loc = loc.loc;
    CountingListener after;
    loc->addListener(&self);
    loc->addListener(&after);
    loc->setLanguage(L"German");
    loc->setLanguage(L"English");
    EXPECT_EQ(self.calls, 1);
    EXPECT_EQ(after.count, 2);
}
