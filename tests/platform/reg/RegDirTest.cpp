#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/col/Array.h"
#include "foundation/str/StrArray.h"
#include "foundation/str/StrBuffer.h"
#include "platform/reg/NtRegistry.h"
#include "platform/reg/RegDir.h"
#include "RegTestSupport.h"

using s::col::_array::ArrayP;
using s::col::_array::ArrayU08;
using s::reg::win::RegDir;
using s::str::strarray::StrArray;
using s::str::strbuffer::StrBuffer;
using s::system::win::NtRegistry;
namespace reg = s::reg;

namespace {

// A key of its own under HKCU\Software\GlimmerTests, deleted afterwards.

// Type and bytes of a value read through advapi32.
bool readAdvapi(const std::wstring& path, const wchar_t* name, DWORD* type, std::vector<uint8_t>* data) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    LONG rc = RegQueryValueExW(key, name, nullptr, type, nullptr, &size);
    if (rc == ERROR_SUCCESS) {
        data->resize(size);
        rc = RegQueryValueExW(key, name, nullptr, type, data->data(), &size);
        data->resize(size);
    }
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

void writeAdvapi(const std::wstring& path, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

std::vector<std::wstring> childNames(ArrayP* list) {
    std::vector<std::wstring> names;
    for (uint32_t i = 0; i < list->count(); ++i) {
        StrBuffer* name = list->at<RegDir>(i)->getName(nullptr, false);
        names.push_back(name->text());
        name->release();
    }
    std::sort(names.begin(), names.end());
    return names;
}

class RegDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = regtest::uniqueKeyPath(L"k");
        key_ = RegDir::fromPath(reg::kCurrentUser, path_.c_str());
        ASSERT_NE(key_, nullptr);
        ASSERT_TRUE(key_->nativeReady());
    }
    void TearDown() override {
        NtRegistry::simulateUnavailable(false);
        RegDir* cleanup = RegDir::fromPath(reg::kCurrentUser, path_.c_str());
        cleanup->remove(true);
        cleanup->release();
        key_->release();
        EXPECT_FALSE(regtest::keyExists(path_));
    }
    RegDir* sub(const std::wstring& rest) {
        return RegDir::fromPath(reg::kCurrentUser, (path_ + L"\\" + rest).c_str());
    }

    std::wstring path_;
    RegDir* key_ = nullptr;
};

TEST_F(RegDirTest, EveryValueTypeReadsBackThroughBothInterfaces) {
    key_->setU8(L"u8", 0xAB);
    key_->setU16(L"u16", 0xBEEF);
    key_->setU32(L"u32", 0xDEADBEEF);
    key_->setU64(L"u64", 0x0123456789ABCDEFull);
    key_->setS8(L"s8", -2);
    key_->setS16(L"s16", -300);
    key_->setS32(L"s32", -70000);
    key_->setS64(L"s64", INT64_MIN);
    key_->setFloat(L"f", 0.1f);
    key_->setDouble(L"d", 0.1);
    key_->setBool(L"b", true);
    key_->setString(L"sz", L"Gl\u00fcmmer");
    key_->setExpandString(L"esz", L"%SystemRoot%\\x");
    StrArray* list = StrArray::create();
    list->addText(L"one")->addText(L"two");
    key_->setStrings(L"multi", list);
    list->release();
    ArrayU08* bytes = ArrayU08::create();
    bytes->push(0x0A)->push(0xFF)->push(0);
    key_->setBytes(L"bin", bytes);

    EXPECT_EQ(key_->getU8(L"u8", 0), 0xAB);
    EXPECT_EQ(key_->getU16(L"u16", 0), 0xBEEF);
    EXPECT_EQ(key_->getU32(L"u32", 0), 0xDEADBEEFu);
    EXPECT_EQ(key_->getU64(L"u64", 0), 0x0123456789ABCDEFull);
    EXPECT_EQ(key_->getS8(L"s8", 0), -2);
    EXPECT_EQ(key_->getS16(L"s16", 0), -300);
    EXPECT_EQ(key_->getS32(L"s32", 0), -70000);
    EXPECT_EQ(key_->getS64(L"s64", 0), INT64_MIN);
    EXPECT_EQ(key_->getFloat(L"f", 0), 0.1f);
    EXPECT_EQ(key_->getDouble(L"d", 0), 0.1);
    EXPECT_TRUE(key_->getBool(L"b", false));
    EXPECT_STREQ(key_->getString(L"sz", L"def"), L"Gl\u00fcmmer");
    bool expandable = false;
    EXPECT_STREQ(key_->getString(L"esz", L"def", &expandable, false), L"%SystemRoot%\\x");
    EXPECT_TRUE(expandable);
    StrArray* back = key_->getStrings(L"multi");
    ASSERT_EQ(back->count(), 2u);
    EXPECT_STREQ(back->at(1)->text(), L"two");
    back->release();
    ArrayU08* got = key_->getBytes(L"bin", nullptr);
    ASSERT_NE(got, nullptr);
    ASSERT_EQ(got->count(), 3u);
    EXPECT_EQ((*got)[1], 0xFF);
    got->release();

    // The same values as advapi32 sees them: type and exact bytes.
    struct Expect {
        const wchar_t* name;
        DWORD type;
        std::vector<uint8_t> bytes;
    };
    auto le = [](uint64_t v, int n) {
        std::vector<uint8_t> b(n);
        std::memcpy(b.data(), &v, n);
        return b;
    };
    float f = 0.1f;
    double d = 0.1;
    std::vector<uint8_t> fb(4), db(8);
    std::memcpy(fb.data(), &f, 4);
    std::memcpy(db.data(), &d, 8);
    const wchar_t sz[] = L"Gl\u00fcmmer";
    std::vector<uint8_t> szb(reinterpret_cast<const uint8_t*>(sz), reinterpret_cast<const uint8_t*>(sz) + sizeof sz);
    const wchar_t multi[] = L"one\0two\0";
    std::vector<uint8_t> mb(reinterpret_cast<const uint8_t*>(multi),
                            reinterpret_cast<const uint8_t*>(multi) + sizeof multi);
    const Expect table[] = {
        {L"u8", REG_DWORD, le(0xAB, 4)},
        {L"u16", REG_DWORD, le(0xBEEF, 4)},
        {L"u32", REG_DWORD, le(0xDEADBEEF, 4)},
        {L"u64", REG_BINARY, le(0x0123456789ABCDEFull, 8)},
        {L"s8", REG_DWORD, le(uint32_t(-2), 4)},
        {L"s16", REG_DWORD, le(uint32_t(-300), 4)},
        {L"s32", REG_DWORD, le(uint32_t(-70000), 4)},
        {L"s64", REG_BINARY, le(uint64_t(INT64_MIN), 8)},
        {L"f", REG_BINARY, fb},
        {L"d", REG_BINARY, db},
        {L"b", REG_DWORD, le(1, 4)},
        {L"sz", REG_SZ, szb},
        {L"multi", REG_MULTI_SZ, mb},
        {L"bin", REG_BINARY, {0x0A, 0xFF, 0}},
    };
    for (const Expect& e : table) {
        DWORD type = 0;
        std::vector<uint8_t> data;
        ASSERT_TRUE(readAdvapi(path_, e.name, &type, &data)) << e.name;
        EXPECT_EQ(type, e.type) << e.name;
        EXPECT_EQ(data, e.bytes) << e.name;
    }
    DWORD type = 0;
    std::vector<uint8_t> data;
    ASSERT_TRUE(readAdvapi(path_, L"esz", &type, &data));
    EXPECT_EQ(type, DWORD(REG_EXPAND_SZ));
}

TEST_F(RegDirTest, ValuesWrittenThroughAdvapiReadBackThroughNativeLayer) {
    DWORD v = 42;
    writeAdvapi(path_, L"dw", REG_DWORD, &v, 4);
    const wchar_t text[] = L"hello";
    writeAdvapi(path_, L"txt", REG_SZ, text, sizeof text);
    key_->close();
    EXPECT_EQ(key_->getU32(L"dw", 0), 42u);
    EXPECT_STREQ(key_->getString(L"txt", nullptr), L"hello");
}

TEST_F(RegDirTest, SizeRulesOfTheTypedGetters) {
    key_->setU64(L"eight", 5);
    key_->setU32(L"four", 6);
    uint32_t four = 0x01020304;
    key_->setValue(L"bin4", REG_BINARY, &four, 4);
    EXPECT_EQ(key_->getU32(L"eight", 77), 77u);
    EXPECT_EQ(key_->getU64(L"four", 77), 77u);
    EXPECT_EQ(key_->getU32(L"bin4", 0), 0x01020304u);
    EXPECT_EQ(key_->getU32(L"missing", 9), 9u);
    EXPECT_EQ(key_->getValueSize(L"eight"), 8u);
    EXPECT_EQ(key_->getValueSize(L"missing"), 0u);

    uint32_t type = 0, size = 0;
    EXPECT_FALSE(key_->queryValue(L"four", &type, &size, REG_SZ));
    EXPECT_EQ(type, 4u);
    EXPECT_EQ(size, 4u);
}

TEST_F(RegDirTest, StringCornerCases) {
    key_->setValue(L"empty", REG_SZ, L"", 0);
    EXPECT_STREQ(key_->getString(L"empty", L"def"), L"");
    StrArray* list = StrArray::create();
    list->addText(L"a");
    key_->setStrings(L"multi", list);
    list->release();
    EXPECT_STREQ(key_->getString(L"multi", L"def"), L"def");
    EXPECT_STREQ(key_->getString(L"missing", L"def"), L"def");

    // String data written by another program without its NUL ends at the data's length.
    const wchar_t unterminated[] = L"abcXYZ";
    writeAdvapi(path_, L"raw", REG_SZ, unterminated, 3 * sizeof(wchar_t));
    EXPECT_STREQ(key_->getString(L"raw", L"def"), L"abc");
    // An odd byte count keeps the whole units only.
    writeAdvapi(path_, L"odd", REG_SZ, unterminated, 5);
    EXPECT_STREQ(key_->getString(L"odd", L"def"), L"ab");

    // A list of one empty string reads as an empty list.
    const wchar_t oneEmpty[] = L"\0\0";
    writeAdvapi(path_, L"oneEmpty", REG_MULTI_SZ, oneEmpty, 4);
    StrArray* back = key_->getStrings(L"oneEmpty");
    EXPECT_EQ(back->count(), 0u);
    back->release();
}

TEST_F(RegDirTest, ExpansionLongerThan520CharactersIsWhole) {
    std::wstring longValue(1500, L'q');
    ASSERT_TRUE(SetEnvironmentVariableW(L"GLIMMER_TEST_LONG", longValue.c_str()));
    key_->setExpandString(L"e", L"<%GLIMMER_TEST_LONG%>");
    bool expandable = false;
    const wchar_t* text = key_->getString(L"e", L"def", &expandable, true);
    EXPECT_TRUE(expandable);
    EXPECT_EQ(std::wstring(text), L"<" + longValue + L">");
}

TEST_F(RegDirTest, LargeValueIsReadWhole) {
    ArrayU08* big = ArrayU08::create();
    for (uint32_t i = 0; i < 40000; ++i) big->push(uint8_t(i * 7));
    key_->setBytes(L"big", big);
    ArrayU08* back = key_->getBytes(L"big", nullptr);
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->count(), 40000u);
    EXPECT_EQ(std::memcmp(back->items(), big->items(), 40000), 0);
    back->release();
    big->release();
}

TEST_F(RegDirTest, CreateListRenameAndDeleteTrees) {
    RegDir* deep = sub(L"a\\b\\c");
    EXPECT_FALSE(deep->isOpen());
    deep->createKey();
    EXPECT_TRUE(deep->isOpen());
    EXPECT_TRUE(regtest::keyExists(path_ + L"\\a\\b\\c"));
    deep->setU32(L"v", 1);
    deep->release();
    for (const wchar_t* name : {L"Apple", L"apricot", L"Berry"}) {
        RegDir* k = sub(name);
        k->setString(nullptr, L"default");
        k->release();
    }
    key_->setU32(L"first", 1);
    key_->setU32(L"second", 2);
    key_->close();
    ASSERT_TRUE(key_->exists() || (key_->setSubPath(path_.c_str()) == 0));

    ArrayP* all = key_->listChildren();
    EXPECT_EQ(childNames(all), (std::vector<std::wstring>{L"Apple", L"Berry", L"a", L"apricot"}));
    all->release();
    ArrayP* ap = key_->listChildrenMatching(L"AP");
    EXPECT_EQ(childNames(ap), (std::vector<std::wstring>{L"Apple", L"apricot"}));
    ap->release();
    StrArray* values = key_->listValueNames();
    EXPECT_EQ(values->count(), 2u);
    values->release();

    uint32_t valueCount = 0, keyCount = 0;
    uint64_t total = key_->getTreeSize(true, &valueCount, &keyCount, true);
    EXPECT_EQ(keyCount, 6u);    // a, a\b, a\b\c, Apple, apricot, Berry
    EXPECT_EQ(valueCount, 6u);  // v, three defaults, first, second
    EXPECT_EQ(total, 4u + 3 * sizeof(L"default") + 8u);

    // Renaming: the native call may be missing or refused; either way the outcome is clean.
    RegDir* berry = sub(L"Berry");
    bool renamed = berry->rename(L"Cherry");
    EXPECT_FALSE(berry->isOpen());
    if (!renamed) {
        EXPECT_NE(berry->lastStatus(), 0);
        std::fprintf(stderr, "renaming refused by the system: status 0x%08lx\n", (unsigned long)berry->lastStatus());
    }
    berry->release();
    EXPECT_EQ(regtest::keyExists(path_ + L"\\Cherry"), renamed);
    EXPECT_EQ(regtest::keyExists(path_ + L"\\Berry"), !renamed);

    // remove(false) drops every subkey and keeps the key with its values.
    key_->remove(false);
    EXPECT_TRUE(regtest::keyExists(path_));
    EXPECT_FALSE(regtest::keyExists(path_ + L"\\a"));
    EXPECT_FALSE(regtest::keyExists(path_ + L"\\Apple"));
    EXPECT_EQ(key_->getU32(L"second", 0), 2u);
    key_->remove(true);
    EXPECT_FALSE(regtest::keyExists(path_));
    EXPECT_FALSE(key_->isOpen());
}

TEST_F(RegDirTest, RemoveValueAndExists) {
    key_->setU32(L"x", 3);
    EXPECT_TRUE(key_->exists());
    EXPECT_EQ(key_->removeValue(L"x"), 0);
    EXPECT_EQ(key_->getU32(L"x", 8), 8u);
    EXPECT_NE(key_->removeValue(L"x"), 0);
}

TEST(RegDirPaths, SubPathParentNameAndFullPaths) {
    RegDir* d = RegDir::create();
    d->setSubPath(L"Software\\Foo\\\\");
    EXPECT_STREQ(d->getSubPath(), L"Software\\Foo");
    EXPECT_STREQ(d->getPath(), L"HKEY_LOCAL_MACHINE\\Software\\Foo");
    EXPECT_STREQ(d->getNativePath(), L"\\Registry\\Machine\\Software\\Foo");
    StrBuffer* name = d->getName(nullptr, false);
    EXPECT_STREQ(name->text(), L"Foo");
    name->release();
    RegDir* parent = d->parent();
    ASSERT_NE(parent, nullptr);
    EXPECT_STREQ(parent->getSubPath(), L"Software");
    EXPECT_EQ(parent->parent(), nullptr);
    parent->release();

    d->openFullPath(L"hkey_current_user\\Software");
    EXPECT_EQ(d->getRoot(), reg::rootKey(reg::kCurrentUser));
    EXPECT_STREQ(d->getSubPath(), L"Software");
    EXPECT_TRUE(d->isOpen());
    d->openFullPath(L"HKEY_USERS");
    EXPECT_EQ(d->getRoot(), reg::rootKey(reg::kUsers));
    EXPECT_STREQ(d->getSubPath(), L"");
    EXPECT_TRUE(d->isOpen());
    d->release();
}

TEST(RegDirPaths, CurrentUserRootIsTheUsersOwnHive) {
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<uint8_t> info(size);
    ASSERT_TRUE(GetTokenInformation(token, TokenUser, info.data(), size, &size));
    CloseHandle(token);
    wchar_t* sidText = nullptr;
    ASSERT_TRUE(ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(info.data())->User.Sid, &sidText));
    RegDir* d = RegDir::fromPath(reg::kCurrentUser, L"Software");
    EXPECT_EQ(std::wstring(d->getNativePath()), std::wstring(L"\\Registry\\User\\") + sidText + L"\\Software");
    EXPECT_TRUE(d->isOpen());
    LocalFree(sidText);
    d->release();
}

TEST_F(RegDirTest, UnknownRootWritesNothing) {
    std::wstring text = L"HKCU\\" + path_;
    RegDir* d = RegDir::create();
    d->openFullPath(text.c_str());
    EXPECT_FALSE(d->isOpen());
    d->setU32(L"v", 1);
    d->createKey();
    EXPECT_FALSE(d->isOpen());
    EXPECT_EQ(d->getU32(L"v", 5), 5u);
    d->release();
    EXPECT_FALSE(regtest::keyExists(L"InvalidKey\\" + path_));
    EXPECT_FALSE(regtest::keyExists(path_));
    // A name that merely starts like a root is no root either.
    RegDir* e = RegDir::create();
    e->openFullPath(L"HKEY_USERSX\\Software");
    EXPECT_FALSE(e->isOpen());
    e->release();
}

TEST_F(RegDirTest, WithoutTheNativeLayerEveryOperationFailsCleanly) {
    key_->setU32(L"kept", 4);
    key_->close();
    NtRegistry::simulateUnavailable(true);
    RegDir* d = RegDir::fromPath(reg::kCurrentUser, path_.c_str());
    EXPECT_FALSE(d->isOpen());
    EXPECT_FALSE(d->exists());
    d->createKey();
    EXPECT_FALSE(d->isOpen());
    d->setU32(L"new", 1);
    EXPECT_EQ(d->getU32(L"kept", 9), 9u);
    EXPECT_FALSE(d->queryValue(L"kept", nullptr, nullptr));
    EXPECT_STREQ(d->getString(L"kept", L"def"), L"def");
    ArrayP* children = d->listChildren();
    EXPECT_EQ(children->count(), 0u);
    children->release();
    StrArray* names = d->listValueNames();
    EXPECT_EQ(names->count(), 0u);
    names->release();
    EXPECT_FALSE(d->rename(L"Other"));
    d->remove(true);
    d->flush();
    EXPECT_NE(d->removeValue(L"kept"), 0);
    d->release();
    NtRegistry::simulateUnavailable(false);
    EXPECT_TRUE(regtest::keyExists(path_));
    EXPECT_EQ(key_->getU32(L"kept", 0), 4u);
    EXPECT_EQ(key_->getU32(L"new", 0), 0u);
}

// ---- the native layer's helpers -------------------------------------------------------------

std::wstring sidText(SID_IDENTIFIER_AUTHORITY authority, std::vector<DWORD> subs, uint32_t* size = nullptr,
                     bool* ok = nullptr) {
    PSID sid = nullptr;
    DWORD s[8] = {};
    for (size_t i = 0; i < subs.size(); ++i) s[i] = subs[i];
    if (!AllocateAndInitializeSid(&authority, BYTE(subs.size()), s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7], &sid))
        return L"?";
    wchar_t text[256] = L"";
    uint32_t local = sizeof text;
    if (!size) size = &local;
    bool result = NtRegistry::sidToText(sid, text, size);
    if (ok) *ok = result;
    FreeSid(sid);
    return text;
}

TEST(NtRegistryHelpers, SidTexts) {
    EXPECT_EQ(sidText({{0, 0, 0, 0, 0, 5}}, {32, 544}), L"S-1-5-32-544");
    EXPECT_EQ(sidText({{0, 0, 0x12, 0x34, 0x56, 0x78}}, {7}), L"S-1-305419896-7");
    EXPECT_EQ(sidText({{0, 1, 2, 3, 4, 5}}, {9}), L"S-1-0x000102030405-9");

    uint32_t size = 2 * 24 + 55;
    bool ok = true;
    SetLastError(0);
    sidText({{0, 0, 0, 0, 0, 5}}, {32, 544}, &size, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(size, 2u * 24 + 56);
}

TEST(NtRegistryHelpers, ErrorTexts) {
    StrBuffer* text = NtRegistry::errorText(0xDEAD0001u);
    EXPECT_STREQ(text->text(), L"Error( 3735879681 [0xDEAD0001L] ) - No NT Error Data was returned??");
    text->release();
    text = NtRegistry::errorText(0xC0000034u);
    EXPECT_TRUE(text->startsWith(L"Error( 3221225524 [0xC0000034L] ) - ")) << text->text();
    EXPECT_FALSE(text->endsWith(L"\n"));
    text->release();

    // The line end is dropped; shorter texts are kept whole.
    struct Case {
        const wchar_t* message;
        const wchar_t* expected;
    } cases[] = {{L"Denied.\r\n", L"Denied."}, {L"x", L"x"}, {L"", L""}, {L"ab", L"ab"}, {L"\n", L""}};
    for (const Case& c : cases) {
        StrBuffer* out = StrBuffer::create();
        NtRegistry::appendMessage(out, c.message, uint32_t(wcslen(c.message)));
        EXPECT_STREQ(out->text(), c.expected) << c.message;
        out->release();
    }
}

std::vector<std::wstring> g_reported;

TEST(NtRegistryHelpers, FailedSidLookupIsAFailure) {
    NtRegistry::initialize();
    NtRegistry::setErrorSink([](const wchar_t* text) { g_reported.push_back(text); });
    EXPECT_FALSE(NtRegistry::loadUserSidFromToken(nullptr));
    EXPECT_STREQ(NtRegistry::userSidText(), L"Error");
    EXPECT_NE(NtRegistry::lastError(), 0u);
    ASSERT_EQ(g_reported.size(), 1u);
    EXPECT_EQ(g_reported[0].rfind(L"Error( ", 0), 0u);
    EXPECT_TRUE(NtRegistry::loadUserSid());
    EXPECT_STRNE(NtRegistry::userSidText(), L"Error");
    NtRegistry::setErrorSink(nullptr);
}

}  // namespace
