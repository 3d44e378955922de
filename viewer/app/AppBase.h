// The application-wide service object: command line, program file and folder, program
// icons, language pack, built-in pictures, the settings store and the skinner. Start-up
// makes one and releases it last; every window record reaches these through it.
//
//   AppBase* base = AppBase::create();
//   base->init(skinner);          // owns the skinner from here
//   ...
//   base->release();              // flushes the store unless saveSettings already did
//
// The program icons are decoded once and belong to the base: windows install them
// without taking them over, so any number of windows may show them in turn.
#pragma once

#include <cstdint>

#include "foundation/thread/Pool.h"
#include "gui/app/IAppBase.h"

namespace s::str::strbuffer {
class StrBuffer;
}
namespace s::archive::dll::win {
class Archive;
}
namespace s::gui::drawer {
class Skinner;
}

namespace s::app::win {

// Where init takes its parts from; every null entry means the program's own.
struct AppBaseSources {
    // A command line text (program name first) instead of the process's.
    const wchar_t* commandLine = nullptr;
    // A module whose resources stand in for the program file's (icons, pack, pictures).
    const wchar_t* resourceFile = nullptr;
    // A key under HKEY_CURRENT_USER instead of "Software\Zelk\<program>\SaveData".
    const wchar_t* settingsKey = nullptr;
    // A store to use instead of the registry one; the base owns it from init on.
    map::IMappedData* settings = nullptr;
};

// The settings key below HKEY_CURRENT_USER for a program registry name.
constexpr const wchar_t* kSettingsKeyPrefix = L"Software\\Zelk\\";
constexpr const wchar_t* kSettingsKeySuffix = L"\\SaveData";

class AppBase final : public IAppBase, public thread::IPoolable {
    S_POOLED(AppBase, L"s_app_win_AppBase")
public:
    static constexpr int32_t kTextBaseId = 501000;
    static constexpr int32_t kProgramNameTextId = 300000;
    static constexpr uint32_t kIconGroupId = 128;
    static constexpr const wchar_t* kDefaultSkin = L"White";

    AppBase();
    ~AppBase() override;
    AppBase(const AppBase&) = delete;
    AppBase& operator=(const AppBase&) = delete;

    // Sets everything up; the base owns the skinner (may be null) from here. No step
    // fails: a missing part leaves its field empty.
    void init(gui::drawer::Skinner* skinner, const AppBaseSources& sources = {});
    void reset() override;
    // Whether saveSettings ran since init.
    bool isSaved() const { return saved_; }

    file::win::PathWin* getModulePath() override { return modulePath_; }
    file::win::PathWin* getModuleDir() override { return moduleDir_; }
    process::commandline::win::CommandLine* getCommandLine() override { return commandLine_; }
    archive::icon::Archive* getIconArchive() override { return icons_; }
    image::ico::win::IconImage* getIcon16() override { return iconAt(0, 16); }
    image::ico::win::IconImage* getIcon32() override { return iconAt(1, 32); }
    image::ico::win::IconImage* getIcon64() override { return iconAt(2, 64); }
    image::ico::win::IconImage* getIcon128() override { return iconAt(3, 128); }
    image::ico::win::IconImage* getIcon256() override { return iconAt(4, 256); }
    HICON getIconHandle64() override { return handleAt(0, 2, 64); }
    HICON getIconHandle128() override { return handleAt(1, 3, 128); }
    HICON getIconHandle256() override { return handleAt(2, 4, 256); }
    archive::icon::Archive* getIconById(int32_t id) override;
    int32_t getTextBaseId() override { return textBaseId_; }
    lang::Localizer* getLangPack() override { return langPack_; }
    base::IObject* getSpare1() override { return spare_[0]; }
    base::IObject* getSpare2() override { return spare_[1]; }
    base::IObject* getSpare3() override { return spare_[2]; }
    image::win::BufferedImage* getPictureImage1() override;
    image::IEncodedImage* getPicture1() override;
    image::win::BufferedImage* getPictureImage2() override;
    image::IEncodedImage* getPicture2() override;
    map::IMappedData* getSettings() override { return settings_; }
    bool saveSettings() override;
    bool hasSkinner() override { return skinner_ != nullptr; }
    gui::drawer::ISkinner* getSkinner() override;
    const wchar_t* getLanguage() override;
    void setLanguage(const wchar_t* name) override;
    const wchar_t* getSkinName() override;
    void setSkinName(const wchar_t* name) override;
    bool signalOtherInstance(bool signal, bool secondMessage, bool withLanguage) override;
    bool findOtherInstance(bool onDesktop, bool flag, bool withLanguage) override;
    map::IMappedData* openXmlSettings() override;
    map::IMappedData* openRegistrySettings() override;

private:
    image::ico::win::IconImage* iconAt(int slot, int size);
    HICON handleAt(int slot, int iconSlot, int size);
    void releaseParts();

    str::strbuffer::StrBuffer* scratch1_;
    str::strbuffer::StrBuffer* scratch2_;
    int32_t textBaseId_ = 0;
    process::commandline::win::CommandLine* commandLine_ = nullptr;
    file::win::PathWin* modulePath_ = nullptr;
    file::win::PathWin* moduleDir_ = nullptr;
    archive::dll::win::Archive* archive_ = nullptr;
    lang::Localizer* langPack_ = nullptr;
    base::IObject* spare_[3] = {};
    gui::drawer::Skinner* skinner_ = nullptr;
    archive::icon::Archive* icons_ = nullptr;
    image::ico::win::IconImage* iconImages_[5] = {};
    HICON iconHandles_[3] = {};
    image::IEncodedImage* picture1_ = nullptr;  // JPEG codecs
    image::IEncodedImage* picture2_ = nullptr;
    bool saved_ = false;
    map::IMappedData* settings_ = nullptr;
    str::strbuffer::StrBuffer* defaultSkin_ = nullptr;
    str::strbuffer::StrBuffer* settingsKey_ = nullptr;  // the key given to init, if any
    bool comStarted_ = false;
    unsigned long comThread_ = 0;
};

}  // namespace s::app::win
