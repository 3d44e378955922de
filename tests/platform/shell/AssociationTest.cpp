// File-type association in the test's own Wine prefix: the keys under the classes key,
// the backup of the previous type, the per-user choice keys.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/reg/RegDir.h"
#include "platform/shell/Association.h"

namespace {

using s::reg::win::RegDir;
namespace reg = s::reg;

const wchar_t* kProgram = L"Z:\\opt\\Glimmer Viewer\\Glimmer Viewer.exe";
const wchar_t* kPrefix = L"GlimmerViewer.exe";

// An extension of this test process alone (tests run in parallel in one prefix).
std::wstring uniqueExtension(const wchar_t* tag) {
    return std::wstring(L".gz") + tag + std::to_wstring(GetCurrentProcessId());
}

struct Key {
    RegDir* key;
    Key(uint32_t root, const std::wstring& path) : key(RegDir::fromPath(root, path.c_str())) {}
    ~Key() { key->release(); }
    bool exists() { return key->exists(); }
    // The value's text, or "<none>" when absent.
    std::wstring value(const wchar_t* name) {
        uint32_t type = 0, size = 0;
        if (!key->queryValue(name, &type, &size)) return L"<none>";
        return key->getString(name, L"<none>");
    }
    void set(const wchar_t* name, const wchar_t* text) {
        key->createKey();
        key->setString(name, text);
    }
    void drop() {
        if (key->exists()) key->remove(true);
    }
};

std::wstring choicePath(const std::wstring& name) { return std::wstring(s::shell::kFileExtsKey) + name; }

class Association : public testing::Test {
protected:
    void TearDown() override {
        for (const std::wstring& path : {ext, progId, std::wstring(L"OtherApp") + ext})
            Key(reg::kClassesRoot, path).drop();
        for (const std::wstring& name : {ext, progId}) Key(reg::kCurrentUser, choicePath(name)).drop();
    }
    void use(const wchar_t* tag) {
        ext = uniqueExtension(tag);
        progId = kPrefix + ext;
    }
    std::wstring ext, progId;
};

TEST_F(Association, TakesOverAnExtensionAndGivesItBack) {
    use(L"a");
    Key(reg::kClassesRoot, ext).set(L"", L"OldViewer.Image");
    Key(reg::kCurrentUser, choicePath(ext) + L"\\UserChoice").set(L"Progid", L"OldViewer.Image");
    EXPECT_FALSE(s::shell::isAssociated(ext.c_str(), kProgram));

    s::shell::associate(ext.c_str(), kProgram);
    EXPECT_EQ(Key(reg::kClassesRoot, ext).value(L""), progId);
    EXPECT_EQ(Key(reg::kClassesRoot, ext).value(s::shell::kBackupValueName), L"OldViewer.Image");
    EXPECT_EQ(Key(reg::kClassesRoot, progId + L"\\shell").value(L""), L"open");
    EXPECT_EQ(Key(reg::kClassesRoot, progId + L"\\shell\\open").value(L""), L"");
    EXPECT_EQ(Key(reg::kClassesRoot, progId + L"\\shell\\open\\command").value(L""),
              std::wstring(L"\"") + kProgram + L"\" \"%1\"");
    EXPECT_TRUE(s::shell::isAssociated(ext.c_str(), kProgram));
    EXPECT_TRUE(s::shell::isAssociated(ext.c_str(), L"z:\\OPT\\glimmer viewer\\GLIMMER VIEWER.EXE"));
    EXPECT_FALSE(s::shell::isAssociated(ext.c_str(), L"Z:\\opt\\Glimmer Viewer"));
    // The per-user choice is put aside under the type key's name.
    EXPECT_FALSE(Key(reg::kCurrentUser, choicePath(ext)).exists());
    EXPECT_EQ(Key(reg::kCurrentUser, choicePath(progId) + L"\\UserChoice").value(L"Progid"), L"OldViewer.Image");

    // A second run keeps the first backup.
    s::shell::associate(ext.c_str(), kProgram);
    EXPECT_EQ(Key(reg::kClassesRoot, ext).value(s::shell::kBackupValueName), L"OldViewer.Image");

    s::shell::deassociate(ext.c_str(), kProgram);
    EXPECT_EQ(Key(reg::kClassesRoot, ext).value(L""), L"OldViewer.Image");
    EXPECT_EQ(Key(reg::kClassesRoot, ext).value(s::shell::kBackupValueName), L"<none>");
    EXPECT_FALSE(Key(reg::kClassesRoot, progId).exists());
    EXPECT_FALSE(s::shell::isAssociated(ext.c_str(), kProgram));
    EXPECT_EQ(Key(reg::kCurrentUser, choicePath(ext) + L"\\UserChoice").value(L"Progid"), L"OldViewer.Image");
    EXPECT_FALSE(Key(reg::kCurrentUser, choicePath(progId)).exists());
}

TEST_F(Association, ExtensionWithoutTypeGetsAnEmptyBackup) {
    use(L"b");
    ASSERT_FALSE(Key(reg::kClassesRoot, ext).exists());
    s::shell::associate(ext.c_str(), kProgram);
    EXPECT_EQ(Key(reg::kClassesRoot, ext).value(s::shell::kBackupValueName), L"");
    EXPECT_TRUE(s::shell::isAssociated(ext.c_str(), kProgram));
    s::shell::deassociate(ext.c_str(), kProgram);
    EXPECT_EQ(Key(reg::kClassesRoot, ext).value(L""), L"");
    EXPECT_EQ(Key(reg::kClassesRoot, ext).value(s::shell::kBackupValueName), L"<none>");
    EXPECT_FALSE(Key(reg::kClassesRoot, progId).exists());
}

TEST_F(Association, AnotherProgramsExtensionIsLeftAlone) {
    use(L"c");
    std::wstring other = L"OtherApp" + ext;
    Key(reg::kClassesRoot, ext).set(L"", other.c_str());
    Key(reg::kClassesRoot, ext).set(s::shell::kBackupValueName, L"Older.Type");
    Key(reg::kClassesRoot, other + L"\\shell").set(L"", L"open");
    Key(reg::kClassesRoot, other + L"\\shell\\open\\command").set(L"", L"\"C:\\other.exe\" \"%1\"");
    Key(reg::kCurrentUser, choicePath(ext) + L"\\UserChoice").set(L"Progid", other.c_str());
    Key(reg::kCurrentUser, choicePath(progId)).set(L"Marker", L"ours");

    s::shell::deassociate(ext.c_str(), kProgram);
    EXPECT_EQ(Key(reg::kClassesRoot, ext).value(L""), other);
    EXPECT_EQ(Key(reg::kClassesRoot, ext).value(s::shell::kBackupValueName), L"Older.Type");
    EXPECT_TRUE(Key(reg::kClassesRoot, other + L"\\shell\\open\\command").exists());
    // The other program's per-user choice survives.
    EXPECT_EQ(Key(reg::kCurrentUser, choicePath(ext) + L"\\UserChoice").value(L"Progid"), other);
    EXPECT_EQ(Key(reg::kCurrentUser, choicePath(progId)).value(L"Marker"), L"ours");
}

TEST_F(Association, NoDefaultVerbMeansNotAssociated) {
    use(L"d");
    Key(reg::kClassesRoot, ext).set(L"", progId.c_str());
    Key(reg::kClassesRoot, progId + L"\\shell\\open\\command")
        .set(L"", (std::wstring(L"\"") + kProgram + L"\" \"%1\"").c_str());
    EXPECT_FALSE(s::shell::isAssociated(ext.c_str(), kProgram));
    Key(reg::kClassesRoot, progId + L"\\shell").set(L"", L"open");
    EXPECT_TRUE(s::shell::isAssociated(ext.c_str(), kProgram));
}

TEST_F(Association, OwnProgramFileIsAskedFor) {
    use(L"e");
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_FALSE(isExtensionAssociated(ext.c_str()));
    s::shell::associate(ext.c_str(), self);
    EXPECT_TRUE(isExtensionAssociated(ext.c_str()));
    s::shell::deassociate(ext.c_str(), self);
    EXPECT_FALSE(isExtensionAssociated(ext.c_str()));
}

}  // namespace
