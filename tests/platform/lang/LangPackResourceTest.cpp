#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"
#include "foundation/xml/Node.h"
#include "platform/lang/LangPack.h"
#include "platform/lang/LanguageName.h"
#include "platform/lang/Localizer.h"
#include "support/HostTool.h"

using s::lang::LangPack;
using s::lang::Localizer;
using s::str::strbuffer::StrBuffer;
using s::xml::Node;

namespace {

// Every text id the program shows, with a text in every language.
const int32_t kShownIds[] = {
    300000,     501000,     501010,     501020,     107000,     400010,     400020,     400080,     400100,
    400120,     1990004050, 1990000702, 1990000980, 1990000975, 1990000970, 1990000992, 1990000680, 1990000681,
    1990000682, 1990000683, 1990000684, 1990000685, 1990000750, 1990000751, 1990000690, 1990000695, 1990000697,
    1990000698, 1990000710, 1990000711, 1990000712, 1990000713, 1990000714, 1990000715, 1990000716, 1990000717,
    1990000600, 1990000630, 1990000650, 1990000651, 1990000640, 1990000670, 1990000671, 1990000672, 1990000673,
    1990000678, 1990000679, 1990000780, 1990000781, 1990000783, 1990000785, 609000,     1990000991, 1990000981,
    1990000998, 1990000960, 1990003905, 1990003910, 1990000983, 1990000984, 1990000985, 1990000986, 1990000987,
    1990000988, 1990000989, 1990000990, 8000000,    715000,     715100,     715200,     715300,     715400,
    715500,     715600,     715700,     715800,     715900,     716000,     715010,     700000,     700001,
    1990000800, 1990000810, 1990000811, 1990000812, 1990000813, 1990000814, 1990000820, 1990000821, 701000,
    701100,     701200,     701300,     1990000999, 1990001000, 1990002000, 1990002100, 1990002101, 1990002102,
    1990002103, 1990001500, 1990001501, 1990003000, 1990004700, 1990004780, 1990004300, 1990004500, 1990004510,
    1990004520, 1990004530, 1990004540, 1990004200, 1990004450, 1990004400, 1990004410, 1990004420, 1990004430,
    1990004460, 1990004470, 1990004550, 1990004480, 1990004650, 1990004600, 1990004820, 1990004850, 1990004100,
    1990004099, 1990004120, 1990004411, 1990004412, 1990004413, 1990004414, 1990004415, 1990004416, 1990004417,
    1990004418, 1990004461, 1990004462, 1990004471, 1990004472, 1990004451, 1990004452, 1990004210, 1990004215,
    1990004220, 1990004601, 1990004602, 1990004603, 1990004604, 1990004605, 1990004606, 1990004608, 1990004660,
    1990004821, 1990004858, 1990004855, 1990004865, 1990004860, 1990004859, 1990004864, 1990004862, 1990004854,
    1990004863, 1990004823, 1990004710, 1990004720, 1990004705, 1990004730, 1990004790, 1990004792, 1990004794,
    1990004781, 1990004782, 1990004801, 1990004802, 1990004822, 1990004853, 1990004851, 1990004852, 1990004101,
    1990004102, 1990004103, 1990004104, 1990004105, 1990004106, 1990004131, 1990004126, 1990004125, 1990004121,
    1990002600, 1990002601, 1990004122, 1990004127, 1990004128, 1990004129, 1990004132, 1990004123, 1990004124,
    2000000000, 2000001000, 2000002000, 2000003000, 2000004000, 2000005000, 2000006000, 2000007000, 2000008000,
    2000009000, 2000010000, 2000011000, 2000012000, 2000013000, 2000014000, 2000016000, 2000017000, 2000018000,
    2000019000, 2000020000, 2000022000, 2000023000,
};

// Ids the program reads whose value is deliberately empty: the maker's web addresses.
const int32_t kEmptyIds[] = {
    501003, 501004, 501006, 101000, 108000, 108500,
};

// Ids that must not be in the pack: the update-check gate (the check stays off) and the
// question window's defaults.
const int32_t kAbsentIds[] = {400200, 400210, 400230, 400300, 400320, 400330, 400340, 400380};

const wchar_t* const kTags[] = {L"eng", L"ara", L"ind", L"bel", L"zhs", L"deu", L"spa", L"ell", L"fra",
                                L"ita", L"jpn", L"kor", L"hun", L"nld", L"pol", L"rus", L"tur", L"ukr"};
const wchar_t* const kEngNames[] = {L"English",  L"Arabic",  L"Indonesian", L"Belarusian", L"Chinese_Simplified",
                                    L"German",   L"Spanish", L"Greek",      L"French",     L"Italian",
                                    L"Japanese", L"Korean",  L"Hungarian",  L"Dutch",      L"Polish",
                                    L"Russian",  L"Turkish", L"Ukrainian"};
constexpr uint32_t kLanguageCount = sizeof(kTags) / sizeof(kTags[0]);

// Glimmer.exe opened as a data file, as tests run in programs of their own.
class BuiltInPack : public ::testing::Test {
protected:
    void SetUp() override {
        std::string exe = std::string(GLIMMER_BINARY_DIR) + "/Glimmer.exe";
        module_ = LoadLibraryExW(testsupport::winPath(exe).c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << "Glimmer.exe not built? error " << GetLastError();
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }
    HMODULE module_ = nullptr;
};

TEST_F(BuiltInPack, IsAnXmlResourceOfTheProgram) {
    HRSRC info = FindResourceW(module_, MAKEINTRESOURCEW(130), L"IDR_XML");
    ASSERT_NE(info, nullptr);
    const uint8_t* data = static_cast<const uint8_t*>(LockResource(LoadResource(module_, info)));
    ASSERT_NE(data, nullptr);
    ASSERT_GT(SizeofResource(module_, info), 3u);
    EXPECT_TRUE(data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) << "UTF-8 with byte-order mark";
}

TEST_F(BuiltInPack, EveryLanguageHasEveryShownText) {
    s::col::_array::ArrayU08* bytes = s::col::_array::ArrayU08::create();
    ASSERT_TRUE(Localizer::readResourceBytes(module_, L"IDR_XML", 130, bytes));
    Node* root = Node::create();
    ASSERT_TRUE(root->parseUtf8(bytes));
    bytes->release();

    Node* languages = root->getChild(L"languages");
    Node* entries = root->getChild(L"entries");
    ASSERT_TRUE(languages && entries);
    ASSERT_EQ(languages->getChildCount(), kLanguageCount);
    StrBuffer value;
    for (uint32_t i = 0; i < kLanguageCount; ++i) {
        Node* e = languages->getChildAt(i);
        EXPECT_STREQ(e->getName(), L"entry");
        e->copyValueTo(&value, L"tagName", L"", false);
        EXPECT_STREQ(value.text(), kTags[i]);
        e->copyValueTo(&value, L"engName", L"", false);
        EXPECT_STREQ(value.text(), kEngNames[i]);
        e->copyValueTo(&value, L"trueName", L"", false);
        EXPECT_FALSE(value.isEmpty()) << i;
    }

    // Straight from the document, without the localizer's fallbacks: each entry holds an
    // element of its own for every language.
    auto findEntry = [&](int32_t id) -> Node* {
        StrBuffer want;
        want.setInt(id);
        for (uint32_t i = 0; i < entries->getChildCount(); ++i) {
            Node* e = entries->getChildAt(i);
            e->copyValueTo(&value, L"id", L"", false);
            if (value.equalsExact(want.text())) return e;
        }
        return nullptr;
    };
    auto check = [&](int32_t id, bool wantText) {
        Node* e = findEntry(id);
        ASSERT_NE(e, nullptr) << "id " << id << " missing";
        for (const wchar_t* tag : kTags) {
            Node* t = e->getChild(tag);
            ASSERT_NE(t, nullptr) << "id " << id << " has no text in " << std::string(tag, tag + 3);
            t->copyValueTo(&value, L"", L"", false);
            EXPECT_EQ(!value.isEmpty(), wantText) << "id " << id << " in " << std::string(tag, tag + 3);
        }
    };
    for (int32_t id : kShownIds) check(id, true);
    for (int32_t id : kEmptyIds) check(id, false);
    for (int32_t id : kAbsentIds) EXPECT_EQ(findEntry(id), nullptr) << id;
    root->release();
}

TEST_F(BuiltInPack, LocalizerReadsAllLanguages) {
    Localizer* loc = Localizer::loadResource(module_);
    ASSERT_EQ(loc->getPackCount(), kLanguageCount);
    for (uint32_t i = 0; i < kLanguageCount; ++i) {
        LangPack* p = loc->getPackAt(i);
        EXPECT_STREQ(p->getTagName(), kTags[i]);
        EXPECT_STREQ(p->getEngName(), kEngNames[i]);
        EXPECT_EQ(loc->findPack(kEngNames[i]), p);
        // The program name keys the settings: the same in every language.
        EXPECT_STREQ(p->getText(300000), L"Zelk Glimmer");
        EXPECT_STREQ(p->getText(501010), loc->getPackAt(0)->getText(501010));
        EXPECT_FALSE(p->hasUpdateText());
        EXPECT_EQ(p->getText(1990004863)[0], L' ') << "leading blank kept in " << i;
        const wchar_t* name = p->getText(1990004853);
        size_t n = wcslen(name);
        EXPECT_TRUE(n > 1 && name[n - 1] == L' ') << "trailing blank kept in " << i;
        EXPECT_STRNE(p->getText(1990004050), L"");
        EXPECT_STREQ(p->getText(123456), L"");
    }
    // The version: exactly two characters after the last dot.
    std::wstring version = loc->getPackAt(0)->getText(501010);
    size_t dot = version.rfind(L'.');
    ASSERT_NE(dot, std::wstring::npos);
    EXPECT_EQ(version.size() - dot - 1, 2u);
    EXPECT_EQ(loc->findPack(L"Deutsch"), nullptr) << "native names do not select";
    loc->release();
}

TEST_F(BuiltInPack, ChoosesTheLanguageOfTheUserInterface) {
    Localizer* loc = Localizer::loadResource(module_);
    // The name each Windows interface language selects (given by LANGID: under Wine the
    // interface language follows the host's locale).
    struct Case {
        uint16_t langId;
        const wchar_t* engName;
    } cases[] = {
        {0x0409, L"English"},
        {0x0401, L"Arabic"},
        {0x0421, L"Indonesian"},
        {0x0423, L"Belarusian"},
        {0x0804, L"Chinese_Simplified"},
        {0x0404, L"Chinese_Simplified"},
        {0x0C04, L"Chinese_Simplified"},
        {0x0407, L"German"},
        {0x0C07, L"German"},
        {0x0C0A, L"Spanish"},
        {0x0408, L"Greek"},
        {0x040C, L"French"},
        {0x0410, L"Italian"},
        {0x0411, L"Japanese"},
        {0x0412, L"Korean"},
        {0x040E, L"Hungarian"},
        {0x0413, L"Dutch"},
        {0x0415, L"Polish"},
        {0x0419, L"Russian"},
        {0x041F, L"Turkish"},
        {0x0422, L"Ukrainian"},
        // No pack of their own: English.
        {0x0416, L"English"},
        {0x0816, L"English"},
        {0x0C1A, L"English"},
        {0x081A, L"English"},
        {0x0405, L"English"},
        {0x00FF, L"English"},
    };
    for (const Case& c : cases) {
        loc->setLanguage(L"Korean");
        StrBuffer* name = s::lang::uiLanguageNameOfLangId(c.langId, nullptr);
        loc->setLanguage(name->text());
        EXPECT_STREQ(loc->getCurrentPack()->getEngName(), c.engName) << std::hex << c.langId;
        name->release();
    }
    // By alias, directly.
    EXPECT_EQ(loc->findPack(L"chinese_traditional"), loc->findPack(L"Chinese_Simplified"));
    EXPECT_EQ(loc->findPack(L"Portuguese_brazilian"), nullptr);
    EXPECT_EQ(loc->findPack(L"Serbian_cyrillic"), nullptr);
    loc->release();
}

TEST(LangPackSource, GeneratorChecksAndPackIsUpToDate) {
    std::string log = testsupport::makeTempDir("langpack") + "/check.log";
    bool ok = testsupport::runHost("python3 '" + testsupport::sourceDir() + "/scripts/make_langpack.py' --check > '" +
                                   log + "' 2>&1");
    EXPECT_TRUE(ok) << "scripts/make_langpack.py --check failed; see " << log;
}

}  // namespace
