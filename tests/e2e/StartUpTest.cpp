// The program's start as a user meets it: the identity it records on every start, the
// stored language it corrects, the association runs that change the file types and end
// without a window, and the command lines it refuses.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <string>

#include "e2e/support/PictureFiles.h"
#include "e2e/support/SavedSettings.h"
#include "e2e/support/ViewerProcess.h"

namespace {

using e2e::settingText;
using e2e::ViewerProcess;
using e2e::waitUntil;

bool sameIgnoringCase(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

// "1.00": digits, a dot, exactly two digits.
bool looksLikeVersion(const std::wstring& text) {
    const size_t dot = text.rfind(L'.');
    if (dot == std::wstring::npos || dot == 0 || text.size() - dot != 3) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (i != dot && !iswdigit(text[i])) return false;
    return true;
}

class ProgramStartTest : public ::testing::Test {
protected:
    void SetUp() override { e2e::clearSettings(); }
    void TearDown() override { viewer.close(); }

    // Starts the program and waits until its start has recorded the program's identity
    // (the last thing the application base writes before the language and the window).
    void startAndWaitForIdentity(const std::vector<std::wstring>& args = {}) {
        ASSERT_TRUE(viewer.start(args)) << "Glimmer.exe could not be started from " << e2e::programPath();
        ASSERT_TRUE(waitUntil([] { return e2e::hasSetting(L"Version", L""); }))
            << "no \"Version\" under HKCU\\" << e2e::kSaveDataKey;
    }

    ViewerProcess viewer;
};

TEST_F(ProgramStartTest, FreshStartRecordsTheProgramsIdentity) {
    startAndWaitForIdentity();
    EXPECT_EQ(settingText(L"SoftwareID", L""), L"Zelk Glimmer");
    EXPECT_EQ(e2e::settingType(L"SoftwareID", L""), DWORD(REG_SZ));
    EXPECT_TRUE(looksLikeVersion(settingText(L"Version", L""))) << settingText(L"Version", L"");
    EXPECT_FALSE(settingText(L"SoftwareType", L"").empty());
}

TEST_F(ProgramStartTest, StoredUnknownLanguageIsReplacedByOneThePackHas) {
    e2e::putText(L"Language", L"", L"Klingon");
    startAndWaitForIdentity();
    std::wstring language;
    EXPECT_TRUE(waitUntil([&] {
        language = settingText(L"Language", L"");
        return language != L"Klingon";
    })) << "the unknown language stayed stored";
    EXPECT_FALSE(language.empty());
    viewer.close();

    // The replacement is a language the program knows: the next start keeps it.
    startAndWaitForIdentity();
    viewer.close();
    EXPECT_EQ(settingText(L"Language", L""), language);
}

TEST_F(ProgramStartTest, TwoPicturePathsEndTheProgramWithoutAWindow) {
    e2e::PictureFolder folder("two-paths");
    const std::wstring a = folder.bmp(L"a.bmp", 8, 8, e2e::flat(RGB(255, 0, 0)));
    const std::wstring b = folder.bmp(L"b.bmp", 8, 8, e2e::flat(RGB(0, 0, 255)));
    ASSERT_TRUE(viewer.start({a, b}));
    std::wstring why;
    EXPECT_TRUE(viewer.endsWithoutWindow(&why)) << why;
    EXPECT_EQ(viewer.waitForExit(0), DWORD(0));
}

TEST_F(ProgramStartTest, UnknownSwitchWithArgumentsEndsWithoutAWindow) {
    ASSERT_TRUE(viewer.start({L"-associated", L".jpg"}));
    std::wstring why;
    EXPECT_TRUE(viewer.endsWithoutWindow(&why)) << why;
}

// ---- association runs

// The file types .jpg and .jpeg as they stood before the test, put back afterwards (an
// association run changes the prefix's registry for every program in it).
class ProgramAssociationTest : public ProgramStartTest {
protected:
    static constexpr const wchar_t* kExtensions[] = {L".jpg", L".jpeg"};

    void SetUp() override {
        ProgramStartTest::SetUp();
        // A run of an earlier, interrupted test is undone first.
        if (e2e::classesKeyExists(progIdOf(L".jpg")) || e2e::classesKeyExists(progIdOf(L".jpeg"))) run(L"-deassociate");
        for (int i = 0; i < 2; ++i) { before[i] = e2e::classesText(kExtensions[i]); }
    }
    void TearDown() override {
        if (e2e::classesKeyExists(progIdOf(L".jpg")) || e2e::classesKeyExists(progIdOf(L".jpeg"))) run(L"-deassociate");
        ProgramStartTest::TearDown();
    }

    // The type name the program registers for an extension: its file name without
    // spaces, then the extension.
    static std::wstring progIdOf(const wchar_t* extension) { return std::wstring(L"Glimmer.exe") + extension; }

    // One association run for both extensions, which must end without a window.
    void run(const wchar_t* which) {
        ViewerProcess once;
        ASSERT_TRUE(once.start({which, L".jpg", L".jpeg"}));
        std::wstring why;
        EXPECT_TRUE(once.endsWithoutWindow(&why)) << why;
        EXPECT_EQ(once.waitForExit(0), DWORD(0));
    }

    std::wstring before[2];
};

TEST_F(ProgramAssociationTest, AssociateInCapitalsRegistersBothExtensionsWithoutAWindow) {
    run(L"-ASSOCIATE");
    const std::wstring expected = L"\"" + e2e::programPath() + L"\" \"%1\"";
    for (const wchar_t* extension : kExtensions) {
        SCOPED_TRACE(extension);
        EXPECT_EQ(e2e::classesText(extension), progIdOf(extension));
        const std::wstring command = e2e::classesText(progIdOf(extension) + L"\\shell\\open\\command");
        EXPECT_TRUE(sameIgnoringCase(command, expected)) << command << " instead of " << expected;
        EXPECT_EQ(e2e::classesText(progIdOf(extension) + L"\\shell"), L"open");
    }
}

TEST_F(ProgramAssociationTest, DeassociateRestoresTheFileTypesAsTheyWere) {
    run(L"-associate");
    ASSERT_EQ(e2e::classesText(L".jpg"), progIdOf(L".jpg"));
    run(L"-deassociate");
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(kExtensions[i]);
        EXPECT_EQ(e2e::classesText(kExtensions[i]), before[i]);
        EXPECT_FALSE(e2e::classesHasValue(kExtensions[i], L"___ZelkBack___"));
        EXPECT_FALSE(e2e::classesKeyExists(progIdOf(kExtensions[i])));
    }
}

TEST_F(ProgramAssociationTest, AssociateTwiceKeepsTheFirstBackupSoDeassociateStillRestores) {
    run(L"-associate");
    run(L"-associate");
    run(L"-deassociate");
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(kExtensions[i]);
        EXPECT_EQ(e2e::classesText(kExtensions[i]), before[i]);
        EXPECT_FALSE(e2e::classesKeyExists(progIdOf(kExtensions[i])));
    }
}

// An extension that another program holds: a deassociation run leaves its type, its
// backup value and the other program's type key as they were.
TEST_F(ProgramStartTest, DeassociateLeavesAnExtensionOfAnotherProgramAlone) {
    const std::wstring extension = L".glimmere2e" + std::to_wstring(GetCurrentProcessId());
    const std::wstring other = L"OtherViewer" + extension;
    struct Cleanup {
        std::wstring keys[2];
        ~Cleanup() {
            for (const auto& key : keys) RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
        }
    } cleanup{{extension, other}};
    auto setClass = [](const std::wstring& path, const wchar_t* name, const wchar_t* text) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), DWORD((wcslen(text) + 1) * 2));
        RegCloseKey(key);
    };
    setClass(extension, L"", other.c_str());
    setClass(extension, L"___ZelkBack___", L"olderfile");
    setClass(other + L"\\shell\\open\\command", L"", L"\"C:\\other.exe\" \"%1\"");

    ASSERT_TRUE(viewer.start({L"-deassociate", extension}));
    std::wstring why;
    EXPECT_TRUE(viewer.endsWithoutWindow(&why)) << why;
    EXPECT_EQ(e2e::classesText(extension), other);
    EXPECT_EQ(e2e::classesText(extension, L"___ZelkBack___"), L"olderfile");
    EXPECT_EQ(e2e::classesText(other + L"\\shell\\open\\command"), L"\"C:\\other.exe\" \"%1\"");
}

}  // namespace
