// The resource archive on the program's own executable: listing, reading, exporting,
// extracting and replacing resources in a copy; and the text descriptions.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"
#include "foundation/xml/Node.h"
#include "platform/archive/DllArchive.h"
#include "platform/file/FileStream.h"
#include "support/HostTool.h"

using s::archive::dll::win::Archive;
using s::archive::dll::win::Entry;
using s::col::_array::ArrayU08;
using s::str::strbuffer::StrBuffer;
namespace type = s::archive::dll::type;
using testsupport::runHost;
using testsupport::winPath;

namespace {

const std::string kExe = GLIMMER_BINARY_DIR "/Glimmer.exe";

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

std::string text(void (*build)(const uint8_t*, uint32_t, StrBuffer*), const std::vector<uint8_t>& data) {
    StrBuffer* s = StrBuffer::create();
    build(data.data(), uint32_t(data.size()), s);
    std::string out;
    for (uint32_t i = 0; i < s->length(); ++i) out += char(s->data()[i]);
    s->release();
    return out;
}

TEST(DllArchive, ListsAndReadsTheProgramsOwnResources) {
    Archive* a = Archive::create();
    ASSERT_TRUE(a->open(winPath(kExe).c_str()));
    EXPECT_GT(a->getFileSize(), 0u);
    int32_t i = -1;
    ASSERT_TRUE(a->findEntry(type::kGroupIcon, 128u, &i));
    EXPECT_EQ(a->entry(uint32_t(i))->getRtType(), 14u);
    EXPECT_EQ(a->entry(uint32_t(i))->getLanguage(), 0);
    for (uint32_t id : {131u, 132u}) {
        ArrayU08* jpg = a->readResource(L"IDR_JPG", id);
        ASSERT_NE(jpg, nullptr) << id;
        ASSERT_GT(jpg->count(), 3u);
        EXPECT_EQ(jpg->items()[0], 0xFF);
        EXPECT_EQ(jpg->items()[1], 0xD8);
        jpg->release();
    }
    EXPECT_EQ(a->readResource(L"IDR_JPG", 999u), nullptr);
    s::xml::Node* lang = a->readXml(L"IDR_XML", 130u);
    ASSERT_NE(lang, nullptr);
    EXPECT_NE(lang->getChild(L"languages"), nullptr);
    lang->release();

    // The icon group exported as an ICO file that ImageMagick reads, 256 pixels included.
    std::string dir = testsupport::makeTempDir("dll_export");
    auto* out = s::file::win::FileOutputStream::create();
    ASSERT_TRUE(out->open(winPath(dir + "/group.ico").c_str(), false));
    EXPECT_TRUE(a->exportIconGroup(uint32_t(i), out));
    EXPECT_TRUE(out->commit());
    out->release();
    EXPECT_TRUE(runHost("identify -format '%w ' '" + dir + "/group.ico' | grep -qw 256"));
    EXPECT_TRUE(runHost("identify -format '%w ' '" + dir + "/group.ico' | grep -qw 16"));
    // Not a group: refused.
    int32_t j = -1;
    ASSERT_TRUE(a->findEntry(L"IDR_JPG", 131u, &j));
    auto* sink = ArrayU08::create();
    EXPECT_FALSE(a->exportIconGroup(uint32_t(j), sink));
    sink->release();
    a->release();
}

TEST(DllArchive, RawTypeNumbersAreKept) {
    Entry* e = Entry::create();
    e->setType(MAKEINTRESOURCEW(14));
    EXPECT_EQ(e->getTypeCode(), type::kGroupIcon);
    EXPECT_EQ(e->getRtType(), 14u);
    e->setType(MAKEINTRESOURCEW(13));  // no such standard type
    EXPECT_EQ(e->getTypeCode(), 13);
    EXPECT_EQ(e->getRtType(), 13u);
    e->setTypeCode(type::kManifest);
    EXPECT_EQ(e->getRtType(), 24u);
    e->setType(L"IDR_XML");
    EXPECT_TRUE(e->typeIsText());
    EXPECT_STREQ(e->getTypeText(), L"IDR_XML");
    e->release();
}

TEST(DllArchive, UpdatesACopyAndExtractsWithSafeNames) {
    std::string dir = testsupport::makeTempDir("dll_update");
    std::string copy = dir + "/copy.exe";
    ASSERT_TRUE(runHost("cp '" + kExe + "' '" + copy + "'"));
    Archive* a = Archive::create();
    ASSERT_TRUE(a->open(winPath(copy).c_str()));
    uint32_t before = a->getEntryCount();
    ArrayU08* other = a->readResource(L"IDR_JPG", 132u);
    ASSERT_NE(other, nullptr);

    const char replacement[] = "not a picture any more";
    int32_t n = a->updateResource(replacement, sizeof(replacement), L"IDR_JPG", MAKEINTRESOURCEW(131), 0);
    EXPECT_EQ(n, int32_t(before));
    ArrayU08* now = a->readResource(L"IDR_JPG", 131u);
    ASSERT_NE(now, nullptr);
    ASSERT_EQ(now->count(), sizeof(replacement));
    EXPECT_EQ(std::memcmp(now->items(), replacement, sizeof(replacement)), 0);
    now->release();
    ArrayU08* still = a->readResource(L"IDR_JPG", 132u);
    ASSERT_NE(still, nullptr);
    EXPECT_EQ(still->count(), other->count());
    still->release();
    other->release();

    // A resource whose type and name try to leave the extraction folder.
    const char evil[] = "x";
    n = a->updateResource(evil, 1, L"..", L"..\\..\\C:EVIL", 0);
    EXPECT_EQ(n, int32_t(before) + 1);
    int32_t k = -1;
    EXPECT_TRUE(a->findEntryByName(L"..\\..\\C:EVIL", &k));

    std::string out = dir + "/out";
    EXPECT_TRUE(a->extractAll(winPath(out).c_str()));
    EXPECT_EQ(readFile(out + "/ICON/128.ico").size() > 22, true);
    EXPECT_EQ(readFile(out + "/IDR_JPG/131").size(), sizeof(replacement));
    EXPECT_GT(readFile(out + "/IDR_XML/130").size(), 100u);
    EXPECT_TRUE(
        runHost("test -f '" + out + "/_/.._.._C_EVIL' && test \"$(find '" + dir + "' -name '*EVIL*' | wc -l)\" = 1"));
    a->release();

    // A file that is not a module, and a missing one.
    Archive* b = Archive::create();
    EXPECT_FALSE(b->open(winPath(out + "/IDR_JPG/131").c_str()));
    EXPECT_FALSE(b->open(winPath(dir + "/missing.exe").c_str()));
    EXPECT_EQ(b->getEntryCount(), 0u);
    b->release();
}

TEST(DllArchive, UpdateOfAFileThatIsNoLongerAModuleReportsFailure) {
    std::string dir = testsupport::makeTempDir("dll_broken");
    std::string copy = dir + "/copy.exe";
    ASSERT_TRUE(runHost("cp '" + kExe + "' '" + copy + "'"));
    Archive* a = Archive::create();
    ASSERT_TRUE(a->open(winPath(copy).c_str()));
    // The file is replaced behind the archive's back by something that is not a module.
    ASSERT_TRUE(runHost("rm -f '" + copy + "' && head -c 5000 /dev/zero > '" + copy + "'"));
    const char data[] = "y";
    EXPECT_EQ(a->updateResource(data, 1, L"IDR_JPG", MAKEINTRESOURCEW(131), 0), -1);
    EXPECT_EQ(a->getEntryCount(), 0u);
    EXPECT_EQ(a->readResource(L"IDR_JPG", 131u), nullptr);
    a->release();
}

TEST(DllArchive, SafeFileNames) {
    struct {
        const wchar_t* in;
        const wchar_t* out;
    } cases[] = {
        {L"IDR_XML", L"IDR_XML"}, {L"..", L"_"}, {L".", L"_"},        {L"a/b\\c", L"a_b_c"},
        {L"C:x", L"C_x"},         {L"", L"_"},   {L"name.", L"name"}, {L"q?*<>|\"", L"q______"},
    };
    StrBuffer* s = StrBuffer::create();
    for (const auto& c : cases) {
        s::archive::dll::win::makeSafeFileName(c.in, s);
        EXPECT_STREQ(s->text(), c.out) << c.in;
    }
    s->release();
}

std::vector<uint8_t> utf16(const std::vector<uint8_t>& prefix, const wchar_t* t) {
    std::vector<uint8_t> b = prefix;
    for (; *t; ++t) {
        b.push_back(uint8_t(*t));
        b.push_back(uint8_t(*t >> 8));
    }
    b.push_back(0);
    b.push_back(0);
    return b;
}

TEST(DllArchive, TextDescriptions) {
    using namespace s::archive::dll::win;
    // String table: 16 empty strings, then one block with a text.
    std::string sixteen;
    for (int i = 0; i < 16; ++i) sixteen += "\r\n";
    EXPECT_EQ(text(buildStringTableText, std::vector<uint8_t>(32, 0)), sixteen);
    std::vector<uint8_t> st = {2, 0, 'H', 0, 'i', 0, 0, 0};
    EXPECT_EQ(text(buildStringTableText, st), "\"Hi\"\r\n\r\n");
    // Accelerators: Ctrl+A as a character, A and code 94 as virtual keys.
    std::vector<uint8_t> acc = {0x08, 0, 'A', 0, 7, 0, 0, 0, 0x01, 0, 65, 0, 8, 0, 0, 0, 0x81, 0, 94, 0, 9, 0, 0, 0};
    EXPECT_EQ(text(buildAcceleratorText, acc),
              "Key: Ctrl + A key\r\nAction ID: 7\r\n\r\nKey: A key\r\nAction ID: 8\r\n\r\n"
              "Key: Unknown key\r\nAction ID: 9\r\n\r\n");
    EXPECT_STREQ(virtualKeyName(112), L"F1 key");
    EXPECT_STREQ(virtualKeyName(135), L"F24 key");
    EXPECT_STREQ(virtualKeyName(32), L"SPACEBAR");
    // Menu: "File" pop-up with a grayed "Open" (id 5), a separator and "Exit" (id 6, end);
    // then "Help" (end) with "About" (id 7, end).
    std::vector<uint8_t> m = {0, 0, 0, 0};
    auto add = [&m](uint16_t opt, int id, const wchar_t* t) {
        std::vector<uint8_t> p = {uint8_t(opt), uint8_t(opt >> 8)};
        if (id >= 0) {
            p.push_back(uint8_t(id));
            p.push_back(uint8_t(id >> 8));
        }
        std::vector<uint8_t> item = utf16(p, t);
        m.insert(m.end(), item.begin(), item.end());
    };
    add(0x10, -1, L"File");
    add(0x01, 5, L"Open");
    add(0x00, 0, L"");
    add(0x80, 6, L"Exit");
    add(0x90, -1, L"Help");
    add(0x80, 7, L"About");
    EXPECT_EQ(text(buildMenuText, m),
              "File\r\n\tOpen\r\n\t(ID: 5)\r\n\t---------------\r\n\tExit\r\n\t(ID: 6)\r\n"
              "Help\r\n\tAbout\r\n\t(ID: 7)\r\n");
}

TEST(DllArchive, VersionTextOfARealModule) {
    // kernel32 carries a version resource with its string table.
    wchar_t sys[MAX_PATH];
    GetSystemDirectoryW(sys, MAX_PATH);
    Archive* a = Archive::create();
    ASSERT_TRUE(a->open((std::wstring(sys) + L"\\kernel32.dll").c_str()));
    int32_t v = -1;
    ASSERT_TRUE(a->findEntryNth(type::kVersion, 0, &v));
    auto* out = ArrayU08::create();
    ASSERT_TRUE(a->describeVersion(uint32_t(v), out));
    std::string s(reinterpret_cast<const char*>(out->items()), out->count());
    EXPECT_NE(s.find("FileVersion: "), std::string::npos) << s;
    EXPECT_NE(s.find("\r\n"), std::string::npos);
    out->release();
    a->release();
}

}  // namespace
