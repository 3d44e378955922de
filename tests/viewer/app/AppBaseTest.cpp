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
