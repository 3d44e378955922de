#include "viewer/app/AppBase.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "AppTestSupport.h"
#include "foundation/str/StrBuffer.h"
#include "imaging/codec/Icon.h"
#include "imaging/image/BufferedImage.h"
#include "platform/lang/Localizer.h"
#include "platform/map/IMappedData.h"
#include "platform/process/CommandLine.h"
#include "platform/xmlstore/MappedData.h"
#include "skins/skinner/Skinner.h"
#include "viewer/app/AppWindow.h"

using s::app::win::AppBase;
using viewertest::RegistryStore;
using viewertest::TestAppBase;

namespace {

s::gui::drawer::Skinner* thinWindowSkinner() {
    s::gui::drawer::Skinner* skinner = s::gui::drawer::Skinner::create();
    skinner->familyName()->setText(L"ThinWindow");
    skinner->registerBuiltinSkins();
    return skinner;
}

TEST(AppBaseTest, InitRecordsTheProgramAtTheStoreRoot) {
    TestAppBase app;
    EXPECT_EQ(app.reg.textOf(L"SoftwareType", L""), s::app::win::kSoftwareType);
    EXPECT_EQ(app.reg.textOf(L"SoftwareID", L""), std::wstring(app.base->getLangPack()->getText(300000)));
    EXPECT_FALSE(app.reg.textOf(L"SoftwareID", L"").empty());
    EXPECT_EQ(app.reg.textOf(L"Version", L""), std::wstring(app.base->getLangPack()->getText(501010)));
    EXPECT_EQ(app.base->getTextBaseId(), 501000);
    EXPECT_TRUE(app.base->getSettings()->getAutoFlush());
}

TEST(AppBaseTest, AStoredLanguageThePackLacksIsReplacedByTheChosenOne) {
    TestAppBase app(nullptr, L"Glimmer.exe", [](RegistryStore& reg) { reg.putText(L"Language", L"", L"Klingon"); });
    const std::wstring chosen = app.base->getLangPack()->getCurrentPack()->getEngName();
    EXPECT_FALSE(chosen.empty());
    EXPECT_NE(chosen, L"Klingon");
    EXPECT_EQ(app.reg.textOf(L"Language", L""), chosen);
    EXPECT_EQ(std::wstring(app.base->getLanguage()), chosen);
}

TEST(AppBaseTest, AStoredLanguageThePackKnowsIsKept) {
    TestAppBase app(nullptr, L"Glimmer.exe", [](RegistryStore& reg) { reg.putText(L"Language", L"", L"german"); });
    EXPECT_STREQ(app.base->getLangPack()->getCurrentPack()->getEngName(), L"German");
    EXPECT_EQ(app.reg.textOf(L"Language", L""), L"german");
}

TEST(AppBaseTest, AStoredSkinTheSkinnerLacksSelectsWhite) {
    TestAppBase app(thinWindowSkinner(), L"Glimmer.exe",
                    [](RegistryStore& reg) { reg.putText(L"Skin", L"", L"NoSuchSkin"); });
    EXPECT_STREQ(app.base->getSkinName(), L"White");
    ASSERT_NE(app.base->getSkinner()->getCurrentSkin(), nullptr);
    EXPECT_STREQ(app.base->getSkinner()->getCurrentSkin()->getName(), L"White");
    app.base->setSkinName(L"Black");
    EXPECT_EQ(app.reg.textOf(L"Skin", L""), L"Black");
}

TEST(AppBaseTest, WithoutAStoredSkinTheDefaultIsWhite) {
    TestAppBase app;
    EXPECT_STREQ(app.base->getSkinName(), L"White");
    EXPECT_FALSE(app.base->hasSkinner());
}

TEST(AppBaseTest, CommandLineIsParsedIntoArguments) {
    TestAppBase app(nullptr, L"Glimmer.exe -ASSOCIATE .jpg .jpeg");
    s::process::commandline::win::CommandLine* args = app.base->getCommandLine();
    ASSERT_EQ(args->getCount(), 3);
    EXPECT_STREQ(args->getArgument(0), L"-ASSOCIATE");
    EXPECT_STREQ(args->getArgument(2), L".jpeg");
}

TEST(AppBaseTest, IconsAreDecodedOnceAndKeptAtEverySize) {
    TestAppBase app;
    s::image::ico::win::IconImage* icons[] = {app.base->getIcon16(), app.base->getIcon32(), app.base->getIcon64(),
                                              app.base->getIcon128(), app.base->getIcon256()};
    for (auto* icon : icons) ASSERT_NE(icon, nullptr);
    EXPECT_EQ(app.base->getIcon32(), icons[1]);
    EXPECT_EQ(icons[0]->getWidth(), 16);
    EXPECT_EQ(icons[4]->getWidth(), 256);
    HICON handle = app.base->getIconHandle64();
    EXPECT_NE(handle, nullptr);
    EXPECT_EQ(app.base->getIconHandle64(), handle);
}

TEST(AppBaseTest, BuiltInPicturesDecode) {
    TestAppBase app;
    s::image::win::BufferedImage* image = app.base->getPictureImage1();
    ASSERT_NE(image, nullptr);
    EXPECT_GT(image->getWidth(), 0);
    image->release();
    ASSERT_NE(app.base->getPicture2(), nullptr);
    EXPECT_GT(app.base->getPicture2()->getWidth(), 0);
}

TEST(AppBaseTest, SaveSettingsMarksTheStoreSaved) {
    TestAppBase app;
    EXPECT_FALSE(app.base->isSaved());
    EXPECT_TRUE(app.base->saveSettings());
    EXPECT_TRUE(app.base->isSaved());
}

// An in-memory store that counts its flushes into a counter the test keeps.
class CountingStore final : public s::map::IMappedData {
public:
    explicit CountingStore(int* flushes) : flushes_(flushes) {}
    ~CountingStore() override { inner_->release(); }
    const wchar_t* getClassName() const override { return L"test_CountingStore"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void flush() override { ++*flushes_; }
    void flushIfAuto() override {
        if (autoFlush_) flush();
    }
    bool getAutoFlush() override { return autoFlush_; }
    void setAutoFlush(bool on) override { autoFlush_ = on; }
#define S_FORWARD(R, NAME, PARAMS, ARGS) \
    R NAME PARAMS override { return inner_->NAME ARGS; }
    S_FORWARD(void, openPath, (const wchar_t* p), (p))
    S_FORWARD(void, removePath, (const wchar_t* p), (p))
    S_FORWARD(bool, findPath, (const wchar_t* p), (p))
    S_FORWARD(bool, hasValue, (const wchar_t* p, const wchar_t* n), (p, n))
    S_FORWARD(uint8_t, getU8, (const wchar_t* p, const wchar_t* n, uint8_t d), (p, n, d))
    S_FORWARD(uint16_t, getU16, (const wchar_t* p, const wchar_t* n, uint16_t d), (p, n, d))
    S_FORWARD(uint32_t, getU32, (const wchar_t* p, const wchar_t* n, uint32_t d), (p, n, d))
    S_FORWARD(uint64_t, getU64, (const wchar_t* p, const wchar_t* n, uint64_t d), (p, n, d))
    S_FORWARD(int8_t, getS8, (const wchar_t* p, const wchar_t* n, int8_t d), (p, n, d))
    S_FORWARD(int16_t, getS16, (const wchar_t* p, const wchar_t* n, int16_t d), (p, n, d))
    S_FORWARD(int32_t, getInt, (const wchar_t* p, const wchar_t* n, int32_t d), (p, n, d))
    S_FORWARD(int64_t, getS64, (const wchar_t* p, const wchar_t* n, int64_t d), (p, n, d))
    S_FORWARD(float, getFloat, (const wchar_t* p, const wchar_t* n, float d), (p, n, d))
    S_FORWARD(double, getDouble, (const wchar_t* p, const wchar_t* n, double d), (p, n, d))
    S_FORWARD(bool, getBool, (const wchar_t* p, const wchar_t* n, bool d), (p, n, d))
    S_FORWARD(const wchar_t*, getString, (const wchar_t* p, const wchar_t* n, const wchar_t* d, bool* e, bool x),
              (p, n, d, e, x))
    S_FORWARD(s::str::strarray::StrArray*, getStrings, (const wchar_t* p, const wchar_t* n), (p, n))
    S_FORWARD(s::col::_array::ArrayU08*, getBytes, (const wchar_t* p, const wchar_t* n, s::col::_array::ArrayU08* b),
              (p, n, b))
    S_FORWARD(void, removeValue, (const wchar_t* p, const wchar_t* n), (p, n))
    S_FORWARD(void, setU8, (const wchar_t* p, const wchar_t* n, uint8_t v), (p, n, v))
    S_FORWARD(void, setU16, (const wchar_t* p, const wchar_t* n, uint16_t v), (p, n, v))
    S_FORWARD(void, setU32, (const wchar_t* p, const wchar_t* n, uint32_t v), (p, n, v))
    S_FORWARD(void, setU64, (const wchar_t* p, const wchar_t* n, uint64_t v), (p, n, v))
    S_FORWARD(void, setS8, (const wchar_t* p, const wchar_t* n, int8_t v), (p, n, v))
    S_FORWARD(void, setS16, (const wchar_t* p, const wchar_t* n, int16_t v), (p, n, v))
    S_FORWARD(void, setInt, (const wchar_t* p, const wchar_t* n, int32_t v), (p, n, v))
    S_FORWARD(void, setS64, (const wchar_t* p, const wchar_t* n, int64_t v), (p, n, v))
    S_FORWARD(void, setFloat, (const wchar_t* p, const wchar_t* n, float v), (p, n, v))
    S_FORWARD(void, setDouble, (const wchar_t* p, const wchar_t* n, double v), (p, n, v))
    S_FORWARD(void, setBool, (const wchar_t* p, const wchar_t* n, bool v), (p, n, v))
    S_FORWARD(void, setString, (const wchar_t* p, const wchar_t* n, const wchar_t* v), (p, n, v))
    S_FORWARD(void, setExpandString, (const wchar_t* p, const wchar_t* n, const wchar_t* v), (p, n, v))
    S_FORWARD(void, setBytes, (const wchar_t* p, const wchar_t* n, const s::col::_array::ArrayU08* b), (p, n, b))
#undef S_FORWARD

private:
    int* flushes_;
    bool autoFlush_ = false;
    s::xml::MappedData* inner_ = s::xml::MappedData::create();
};

int flushesOnRelease(bool saveFirst) {
    int flushes = 0;
    s::app::win::AppBaseSources sources;
    sources.commandLine = L"Glimmer.exe";
    sources.settings = new CountingStore(&flushes);
    AppBase* base = AppBase::create();
    base->init(nullptr, sources);
    base->setLanguage(L"English");  // one write with auto-flush on
    const int beforeRelease = flushes;
    if (saveFirst) base->saveSettings();
    base->release();
    return flushes - beforeRelease;
}

TEST(AppBaseTest, ReleaseFlushesTheStoreOnceUnlessItWasSaved) {
    EXPECT_EQ(flushesOnRelease(false), 1);
    EXPECT_EQ(flushesOnRelease(true), 1);  // the save, and no second flush on release
}

TEST(AppBaseTest, WithoutResourcesEveryPartIsEmptyButUsable) {
    RegistryStore reg;
    s::app::win::AppBaseSources sources;
    sources.commandLine = L"Glimmer.exe";
    sources.resourceFile = L"Z:\\no\\such\\file.exe";
    sources.settingsKey = reg.root().c_str();
    AppBase* base = AppBase::create();
    base->init(nullptr, sources);
    EXPECT_EQ(base->getIcon16(), nullptr);
    EXPECT_EQ(base->getIconHandle128(), nullptr);
    EXPECT_EQ(base->getPictureImage1(), nullptr);
    EXPECT_NE(base->getLangPack(), nullptr);
    EXPECT_STREQ(base->getSkinName(), L"White");
    base->release();
}

}  // namespace
