#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "foundation/col/Array.h"
#include "foundation/xml/Node.h"
#include "platform/map/IMappedData.h"
#include "platform/reg/MappedData.h"
#include "platform/reg/RegDir.h"
#include "RegTestSupport.h"
#include "platform/xmlstore/MappedData.h"
#include "support/HostTool.h"

using s::col::_array::ArrayU08;
using s::map::IMappedData;
using s::reg::win::RegDir;
namespace reg = s::reg;

namespace {

std::string readBytes(const std::string& unixPath) {
    std::ifstream in(unixPath, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// One store of either kind, with its backing place made fresh for the test.
class Backing {
public:
    virtual ~Backing() = default;
    virtual IMappedData* open() = 0;  // a new store on the same backing
    virtual void close(IMappedData* store) = 0;
};

class RegistryBacking : public Backing {
public:
    RegistryBacking() : root_(regtest::uniqueKeyPath(L"s") + L"\\SaveData") {}
    ~RegistryBacking() override {
        std::wstring parent = root_.substr(0, root_.rfind(L'\\'));
        RegDir* d = RegDir::fromPath(reg::kCurrentUser, parent.c_str());
        d->remove(true);
        d->release();
    }
    IMappedData* open() override {
        reg::MappedData* store = reg::MappedData::create();
        store->attach(RegDir::fromPath(reg::kCurrentUser, root_.c_str()));
        return store;
    }
    void close(IMappedData* store) override { static_cast<reg::MappedData*>(store)->release(); }
    std::wstring root_;
};

class XmlBacking : public Backing {
public:
    XmlBacking() {
        static std::atomic<int> n{0};
        dir_ = testsupport::makeTempDir("settings" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(n++));
        file_ = testsupport::winPath(dir_ + "/savedata/SaveData.xml");
    }
    IMappedData* open() override { return s::xml::MappedData::openFile(file_.c_str()); }
    void close(IMappedData* store) override {
        store->flush();
        static_cast<s::xml::MappedData*>(store)->release();
    }
    std::string dir_;
    std::wstring file_;
};

enum class Kind { Registry, Xml };

class SettingsStoreTest : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override {
        if (GetParam() == Kind::Registry)
            backing_ = new RegistryBacking();
        else
            backing_ = new XmlBacking();
        store_ = backing_->open();
        ASSERT_NE(store_, nullptr);
    }
    void TearDown() override {
        if (store_) backing_->close(store_);
        delete backing_;
    }
    // Closes the store and opens a new one on the same backing.
    void reopen() {
        backing_->close(store_);
        store_ = backing_->open();
    }
    Backing* backing_ = nullptr;
    IMappedData* store_ = nullptr;
};

TEST_P(SettingsStoreTest, DefaultsOnAnEmptyTreeCreateNothing) {
    EXPECT_EQ(store_->getInt(L"View", L"Width", 7), 7);
    EXPECT_STREQ(store_->getString(L"View", L"Skin", L"def"), L"def");
    EXPECT_FALSE(store_->hasValue(L"View", L"Width"));
    EXPECT_FALSE(store_->findPath(L"View"));
    EXPECT_FALSE(store_->findPath(L"View"));  // asked again: still missing
    EXPECT_EQ(store_->getStrings(L"View", L"Width"), nullptr);
}

TEST_P(SettingsStoreTest, EveryTypeRoundTripsExactlyAfterReopening) {
    store_->setU8(L"T", L"u8", 250);
    store_->setU16(L"T", L"u16", 65000);
    store_->setU32(L"T", L"u32", 0xFFFFFFFFu);
    store_->setU64(L"T", L"u64", 0xFFFFFFFFFFFFFFFFull);
    store_->setS8(L"T", L"s8", -128);
    store_->setS16(L"T", L"s16", -32768);
    store_->setInt(L"T", L"int", INT32_MIN);
    store_->setS64(L"T", L"s64", INT64_MIN);
    store_->setFloat(L"T", L"f", 0.1f);
    store_->setFloat(L"T", L"fsmall", 1.17549435e-38f);
    store_->setDouble(L"T", L"d", 0.1);
    store_->setDouble(L"T", L"dbig", 123456789.123456789);
    store_->setBool(L"T", L"b", true);
    store_->setString(L"T", L"str", L"<a & \"b\"> \u00e9");
    store_->setString(L"T", L"", L"skin text");
    ArrayU08* bytes = ArrayU08::create();
    bytes->push(0x0A)->push(0xFF);
    store_->setBytes(L"T", L"bytes", bytes);
    bytes->release();
    reopen();
    EXPECT_EQ(store_->getU8(L"T", L"u8", 0), 250);
    EXPECT_EQ(store_->getU16(L"T", L"u16", 0), 65000);
    EXPECT_EQ(store_->getU32(L"T", L"u32", 0), 0xFFFFFFFFu);
    EXPECT_EQ(store_->getU64(L"T", L"u64", 0), 0xFFFFFFFFFFFFFFFFull);
    EXPECT_EQ(store_->getS8(L"T", L"s8", 0), -128);
    EXPECT_EQ(store_->getS16(L"T", L"s16", 0), -32768);
    EXPECT_EQ(store_->getInt(L"T", L"int", 0), INT32_MIN);
    EXPECT_EQ(store_->getS64(L"T", L"s64", 0), INT64_MIN);
    EXPECT_EQ(store_->getFloat(L"T", L"f", 0), 0.1f);
    EXPECT_EQ(store_->getFloat(L"T", L"fsmall", 0), 1.17549435e-38f);
    EXPECT_EQ(store_->getDouble(L"T", L"d", 0), 0.1);
    EXPECT_EQ(store_->getDouble(L"T", L"dbig", 0), 123456789.123456789);
    EXPECT_TRUE(store_->getBool(L"T", L"b", false));
    EXPECT_STREQ(store_->getString(L"T", L"str", L""), L"<a & \"b\"> \u00e9");
    EXPECT_STREQ(store_->getString(L"T", L"", L""), L"skin text");
    ArrayU08* back = store_->getBytes(L"T", L"bytes", nullptr);
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->count(), 2u);
    EXPECT_EQ((*back)[0], 0x0A);
    EXPECT_EQ((*back)[1], 0xFF);
    back->release();
}

TEST_P(SettingsStoreTest, MissingLevelsAreCreatedOnWrite) {
    store_->setInt(L"ConvertTo\\Jpg", L"Quality", 90);
    EXPECT_TRUE(store_->findPath(L"ConvertTo"));
    EXPECT_TRUE(store_->findPath(L"ConvertTo\\Jpg"));
    EXPECT_EQ(store_->getInt(L"ConvertTo\\Jpg", L"Quality", 0), 90);
    store_->openPath(L"Empty\\Level");
    EXPECT_TRUE(store_->findPath(L"Empty\\Level"));
    reopen();
    EXPECT_EQ(store_->getInt(L"ConvertTo\\Jpg", L"Quality", 0), 90);
}

// Path forms: (written as, read as, same level?) for each store.
struct PathCase {
    const wchar_t* written;
    const wchar_t* read;
    bool sameInRegistry;
    bool sameInXml;
};

TEST_P(SettingsStoreTest, PathSeparatorsAndCase) {
    const PathCase cases[] = {
        {L"A\\B", L"A\\B", true, true},
        {L"C\\D", L"C/D", false, true},  // "/" belongs to a key name in the registry
        {L"E/F", L"E\\F", false, true},
        {L"G\\H\\", L"G\\H", true, true},  // a trailing separator adds no level
        {L"Case\\Level", L"CASE\\level", true, true},
    };
    int v = 1;
    for (const PathCase& c : cases) {
        store_->setInt(c.written, L"Value", v);
        store_->findPath(L"Elsewhere");  // the next read looks the path up again
        bool same = GetParam() == Kind::Registry ? c.sameInRegistry : c.sameInXml;
        EXPECT_EQ(store_->getInt(c.read, L"value", -1), same ? v : -1) << c.written << L" / " << c.read;
        ++v;
    }
    if (GetParam() == Kind::Registry) {
        // "E/F" is one key below the root.
        EXPECT_TRUE(store_->findPath(L"E/F"));
        EXPECT_FALSE(store_->findPath(L"E"));
        std::wstring root = static_cast<RegistryBacking*>(backing_)->root_;
        EXPECT_TRUE(regtest::keyExists(root + L"\\E/F"));
    } else {
        EXPECT_TRUE(store_->findPath(L"E"));
    }
}

TEST_P(SettingsStoreTest, RemovedPathsAndValuesAreGone) {
    store_->setInt(L"Top\\Sub", L"x", 1);
    store_->setInt(L"Top", L"y", 2);
    EXPECT_TRUE(store_->hasValue(L"Top\\Sub", L"x"));
    store_->removePath(L"Top\\Sub");
    EXPECT_FALSE(store_->hasValue(L"Top\\Sub", L"x"));
    EXPECT_FALSE(store_->findPath(L"Top\\Sub"));
    EXPECT_EQ(store_->getInt(L"Top\\Sub", L"x", 5), 5);
    EXPECT_TRUE(store_->hasValue(L"Top", L"y"));
    store_->removeValue(L"Top", L"Y");
    EXPECT_FALSE(store_->hasValue(L"Top", L"y"));
    store_->setInt(L"Top\\Sub", L"x", 3);  // written again after the removal
    EXPECT_EQ(store_->getInt(L"Top\\Sub", L"x", 0), 3);
    store_->removePath(L"Top");
    EXPECT_FALSE(store_->findPath(L"Top"));
    EXPECT_FALSE(store_->hasValue(L"Top\\Sub", L"x"));
    reopen();
    EXPECT_FALSE(store_->findPath(L"Top"));
}

TEST_P(SettingsStoreTest, ConcurrentUseFromFourThreads) {
    std::atomic<int> failures{0};
    auto work = [&](int id) {
        wchar_t path[32];
        swprintf(path, 32, L"Thread%d\\Inner", id);
        wchar_t text[64];
        for (int i = 0; i < 150; ++i) {
            store_->setInt(path, L"Count", i);
            swprintf(text, 64, L"text of thread %d round %d", id, i);
            store_->setString(path, L"Text", text);
            store_->setInt(L"Shared", L"Last", id);
            if (store_->getInt(path, L"Count", -1) != i) ++failures;
            const wchar_t* back = store_->getString(path, L"Text", L"");
            // The returned text is this thread's own copy: other threads cannot change it.
            store_->setString(L"Shared", L"Text", L"other");
            if (wcscmp(back, text) != 0) ++failures;
            int last = store_->getInt(L"Shared", L"Last", -1);
            if (last < 0 || last > 3) ++failures;
        }
    };
    std::vector<std::thread> threads;
    for (int id = 0; id < 4; ++id) threads.emplace_back(work, id);
    for (auto& t : threads) t.join();
    EXPECT_EQ(failures.load(), 0);
    for (int id = 0; id < 4; ++id) {
        wchar_t path[32];
        swprintf(path, 32, L"Thread%d\\Inner", id);
        EXPECT_EQ(store_->getInt(path, L"Count", -1), 149);
    }
}

TEST_P(SettingsStoreTest, AutoFlushFlag) {
    EXPECT_FALSE(store_->getAutoFlush());
    store_->setAutoFlush(true);
    EXPECT_TRUE(store_->getAutoFlush());
    store_->setInt(L"A", L"v", 4);
    store_->flushIfAuto();
    EXPECT_EQ(store_->getInt(L"A", L"v", 0), 4);
}

INSTANTIATE_TEST_SUITE_P(Stores, SettingsStoreTest, ::testing::Values(Kind::Registry, Kind::Xml),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                             return info.param == Kind::Registry ? "Registry" : "Xml";
                         });

// ---- registry store only ------------------------------------------------------------------

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { store_ = static_cast<reg::MappedData*>(backing_.open()); }
    void TearDown() override { store_->release(); }
    RegistryBacking backing_;
    reg::MappedData* store_ = nullptr;
};

TEST_F(RegistryStoreTest, RegistryEncodingAndTheRootKey) {
    const std::wstring& root = backing_.root_;
    EXPECT_FALSE(regtest::keyExists(root));
    store_->setInt(L"ConvertTo\\Jpg", L"Quality", 90);
    EXPECT_TRUE(regtest::keyExists(root + L"\\ConvertTo\\Jpg"));
    DWORD type = 0, value = 0, size = 4;
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (root + L"\\ConvertTo\\Jpg").c_str(), 0, KEY_READ, &key), 0);
    ASSERT_EQ(RegQueryValueExW(key, L"Quality", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), 0);
    RegCloseKey(key);
    EXPECT_EQ(type, DWORD(REG_DWORD));
    EXPECT_EQ(value, 90u);

    store_->setU64(L"V", L"big", 5);
    EXPECT_EQ(store_->getU32(L"V", L"big", 11), 11u);
    // Missing path: the given array comes back untouched; missing value: null.
    ArrayU08* given = ArrayU08::create();
    given->push(7);
    EXPECT_EQ(store_->getBytes(L"Nowhere", L"x", given), given);
    EXPECT_EQ(given->count(), 1u);
    EXPECT_EQ(store_->getBytes(L"V", L"absent", given), nullptr);
    given->release();

    store_->setExpandString(L"V", L"e", L"%SystemRoot%");
    bool expandable = false;
    EXPECT_STREQ(store_->getString(L"V", L"e", L"", &expandable, false), L"%SystemRoot%");
    EXPECT_TRUE(expandable);
    const wchar_t* expanded = store_->getString(L"V", L"e", L"", &expandable, true);
    EXPECT_EQ(wcschr(expanded, L'%'), nullptr) << expanded;

    store_->removePath(L"");
    EXPECT_FALSE(regtest::keyExists(root));
}

// ---- XML store only -----------------------------------------------------------------------

class XmlStoreTest : public ::testing::Test {
protected:
    std::string unixFile() { return backing_.dir_ + "/savedata/SaveData.xml"; }
    void writeFile(const std::string& bytes) {
        CreateDirectoryW((testsupport::winPath(backing_.dir_ + "/savedata")).c_str(), nullptr);
        std::ofstream(unixFile(), std::ios::binary) << bytes;
    }
    XmlBacking backing_;
};

TEST_F(XmlStoreTest, FileShapeAndValueTexts) {
    s::xml::MappedData* store = s::xml::MappedData::openFile(backing_.file_.c_str());
    store->setInt(L"View", L"Width", 500);
    store->setBool(L"View", L"On", true);
    store->setFloat(L"View", L"Half", 0.5f);
    ArrayU08* bytes = ArrayU08::create();
    bytes->push(0x0A)->push(0xFF);
    store->setBytes(L"View", L"Bytes", bytes);
    bytes->release();
    store->setString(L"View", L"Word", L"yes");
    s::xml::Node* root = store->getRoot();
    EXPECT_STREQ(root->getName(), L"savedata");
    ASSERT_EQ(root->getChildCount(), 1u);
    s::xml::Node* view = root->getChildAt(0);
    EXPECT_STREQ(view->getName(), L"View");
    EXPECT_STREQ(view->getString(L"Width", nullptr), L"500");
    EXPECT_STREQ(view->getString(L"On", nullptr), L"1");
    EXPECT_STREQ(view->getString(L"Half", nullptr), L"0.500000");
    EXPECT_STREQ(view->getString(L"Bytes", nullptr), L"0aff");
    EXPECT_FALSE(store->getBool(L"View", L"Word", true));
    // A rewritten value moves to the end.
    store->setInt(L"View", L"width", 600);
    EXPECT_STREQ(view->getAttributes()->at(view->getAttributes()->count() - 1)->name, L"width");
    store->flush();
    EXPECT_TRUE(store->lastFlushOk());
    store->release();
    std::string text = readBytes(unixFile());
    EXPECT_NE(text.find("<savedata>"), std::string::npos) << text;
    EXPECT_NE(text.find("width=\"600\""), std::string::npos) << text;
}

TEST_F(XmlStoreTest, CorruptFileSurvivesUntilAChangeIsWritten) {
    const std::string garbage = "this is <not xml at all";
    writeFile(garbage);
    s::xml::MappedData* store = s::xml::MappedData::openFile(backing_.file_.c_str());
    ASSERT_NE(store->getRoot(), nullptr);
    EXPECT_STREQ(store->getRoot()->getName(), L"savedata");
    EXPECT_EQ(store->getInt(L"View", L"Width", 3), 3);
    // Nothing changed: flushing keeps the user's file.
    store->flush();
    EXPECT_EQ(readBytes(unixFile()), garbage);
    // A change is written, and the old file is copied aside first.
    store->setInt(L"View", L"Width", 9);
    store->flush();
    EXPECT_TRUE(store->lastFlushOk());
    store->release();
    EXPECT_EQ(readBytes(unixFile() + ".bad"), garbage);
    s::xml::MappedData* again = s::xml::MappedData::openFile(backing_.file_.c_str());
    EXPECT_EQ(again->getInt(L"View", L"Width", 0), 9);
    again->release();
}

TEST_F(XmlStoreTest, FlushRightAfterOpeningAMissingFile) {
    s::xml::MappedData* store = s::xml::MappedData::create();
    EXPECT_TRUE(store->open(backing_.file_.c_str()));
    store->flush();
    EXPECT_TRUE(store->lastFlushOk());
    store->setInt(L"A", L"b", 1);
    store->flush();
    store->release();
    s::xml::MappedData* again = s::xml::MappedData::openFile(backing_.file_.c_str());
    EXPECT_STREQ(again->getRoot()->getName(), L"savedata");
    EXPECT_EQ(again->getInt(L"A", L"b", 0), 1);
    again->release();
}

TEST_F(XmlStoreTest, RemovePathRemovesOneLevel) {
    s::xml::MappedData* store = s::xml::MappedData::openFile(backing_.file_.c_str());
    store->setInt(L"One\\Two", L"v", 1);
    store->setInt(L"Other", L"v", 1);
    store->removePath(L"one/two");
    EXPECT_TRUE(store->findPath(L"One"));
    EXPECT_FALSE(store->findPath(L"One\\Two"));
    store->removePath(L"One");
    EXPECT_FALSE(store->findPath(L"One"));
    EXPECT_EQ(store->getRoot()->getChildCount(), 1u);
    store->release();
}

}  // namespace
