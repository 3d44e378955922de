#include "viewer/app/AppBase.h"

#include <windows.h>

#include "foundation/str/StrBuffer.h"
#include "imaging/codec/EncodedImage.h"
#include "imaging/codec/Icon.h"
#include "imaging/codec/IconArchive.h"
#include "imaging/codec/Jpeg.h"
#include "imaging/image/BufferedImage.h"
#include "platform/archive/DllArchive.h"
#include "platform/file/PathWin.h"
#include "platform/lang/LangPack.h"
#include "platform/lang/Localizer.h"
#include "platform/process/CommandLine.h"
#include "platform/process/Process.h"
#include "platform/reg/MappedData.h"
#include "platform/reg/RegDir.h"
#include "platform/xmlstore/MappedData.h"
#include "skins/skinner/Skinner.h"
#include "viewer/app/AppWindow.h"

namespace s::app::win {

using str::strbuffer::StrBuffer;

namespace {

constexpr const wchar_t* kPictureType = L"IDR_JPG";
constexpr uint32_t kPicture1Id = 131;
constexpr uint32_t kPicture2Id = 132;
constexpr const wchar_t* kLanguageKey = L"Language";
constexpr const wchar_t* kSkinKey = L"Skin";

template <class T>
void releaseField(T** field) {
    if (*field) (*field)->release();
    *field = nullptr;
}

}  // namespace

AppBase::AppBase() : scratch1_(StrBuffer::create()), scratch2_(StrBuffer::create()) {}

AppBase::~AppBase() {
    reset();
    scratch1_->release();
    scratch2_->release();
}

void AppBase::init(gui::drawer::Skinner* skinner, const AppBaseSources& sources) {
    comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    comThread_ = GetCurrentThreadId();
    // Packet-level authentication, impersonation allowed; a second call in one process
    // is refused by COM and changes nothing.
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                         EOAC_NONE, nullptr);

    textBaseId_ = kTextBaseId;
    commandLine_ = process::commandline::win::CommandLine::create();
    if (sources.commandLine)
        commandLine_->parseText(sources.commandLine);
    else
        commandLine_->parseProcessCommandLine();

    modulePath_ = process::getModulePath();
    moduleDir_ = modulePath_ ? modulePath_->getParent() : nullptr;

    archive_ = archive::dll::win::Archive::create();
    const bool opened = sources.resourceFile ? archive_->open(sources.resourceFile) : archive_->open(modulePath_);

    icons_ = archive::icon::Archive::create();
    if (opened) icons_->loadGroupIconById(archive_, kIconGroupId);

    HMODULE module = opened ? archive_->getModule() : nullptr;
    langPack_ = module ? lang::Localizer::loadResource(module) : lang::Localizer::loadXmlText(L"");

    skinner_ = skinner;

    picture1_ = image::jpg::win::Jpeg::create();
    picture2_ = image::jpg::win::Jpeg::create();
    if (opened) {
        image::readResourceImage(picture1_, archive_, kPictureType, kPicture1Id);
        image::readResourceImage(picture2_, archive_, kPictureType, kPicture2Id);
    }

    defaultSkin_ = StrBuffer::fromString(kDefaultSkin);
    if (sources.settingsKey) settingsKey_ = StrBuffer::fromString(sources.settingsKey);

    settings_ = sources.settings ? sources.settings : openRegistrySettings();
    if (settings_) {
        settings_->setAutoFlush(false);
        settings_->setString(L"SoftwareType", L"", kSoftwareType);
        settings_->setString(L"SoftwareID", L"", langPack_->getText(kProgramNameTextId));
        settings_->setString(L"Version", L"", langPack_->getText(textBaseId_ + 10));
    }

    // A stored language the pack lacks is replaced by the one actually chosen.
    langPack_->setLanguage(getLanguage());
    const wchar_t* chosen = langPack_->getCurrentPack()->getEngName();
    if (chosen && *chosen && _wcsicmp(chosen, getLanguage()) != 0) {
        scratch1_->setText(chosen);
        setLanguage(scratch1_->text());
    }

    if (skinner_) skinner_->selectSkinByName(getSkinName());
    if (settings_) settings_->setAutoFlush(true);
}

void AppBase::releaseParts() {
    releaseField(&commandLine_);
    releaseField(&modulePath_);
    releaseField(&moduleDir_);
    releaseField(&archive_);
    releaseField(&langPack_);
    for (base::IObject*& spare : spare_) {
        if (auto* poolable = dynamic_cast<thread::IPoolable*>(spare)) poolable->release();
        spare = nullptr;
    }
    for (HICON& handle : iconHandles_) {
        if (handle) DestroyIcon(handle);
        handle = nullptr;
    }
    for (image::ico::win::IconImage*& icon : iconImages_) releaseField(&icon);
    releaseField(&icons_);
    releaseField(&picture1_);
    releaseField(&picture2_);
    releaseField(&skinner_);
}

void AppBase::reset() {
    scratch1_->clear();
    releaseParts();
    if (settings_) {
        if (!saved_) settings_->flush();
        if (auto* poolable = dynamic_cast<thread::IPoolable*>(settings_))
            poolable->release();
        else
            delete settings_;
        settings_ = nullptr;
    }
    saved_ = false;
    releaseField(&defaultSkin_);
    releaseField(&settingsKey_);
    textBaseId_ = 0;
    scratch2_->clear();
    // COM is left on the thread that started it; a reset on another thread leaves it be.
    if (comStarted_ && comThread_ == GetCurrentThreadId()) CoUninitialize();
    comStarted_ = false;
}

// ---- icons

image::ico::win::IconImage* AppBase::iconAt(int slot, int size) {
    if (!iconImages_[slot] && icons_ && icons_->getEntryCount()) {
        int32_t index = 0;
        if (icons_->findBestEntry(size, size, &index)) iconImages_[slot] = icons_->decodeEntry(uint32_t(index));
    }
    return iconImages_[slot];
}

HICON AppBase::handleAt(int slot, int iconSlot, int size) {
    if (!iconHandles_[slot]) {
        image::ico::win::IconImage* icon = iconAt(iconSlot, size);
        if (icon) iconHandles_[slot] = icon->createHIcon();
    }
    return iconHandles_[slot];
}

archive::icon::Archive* AppBase::getIconById(int32_t id) {
    archive::icon::Archive* group = archive::icon::Archive::create();
    if (archive_ && archive_->getModule()) group->loadGroupIconById(archive_, uint32_t(id));
    return group;
}

// ---- pictures

image::win::BufferedImage* AppBase::getPictureImage1() {
    return picture1_ && picture1_->getFrameCount() > 0 ? picture1_->toImage(0, nullptr) : nullptr;
}
image::IEncodedImage* AppBase::getPicture1() { return picture1_; }
image::win::BufferedImage* AppBase::getPictureImage2() {
    return picture2_ && picture2_->getFrameCount() > 0 ? picture2_->toImage(0, nullptr) : nullptr;
}
image::IEncodedImage* AppBase::getPicture2() { return picture2_; }

// ---- settings

bool AppBase::saveSettings() {
    if (!settings_) return false;
    settings_->flush();
    saved_ = true;
    // The registry store writes through, the XML store reports its last write.
    if (auto* xmlStore = dynamic_cast<xml::MappedData*>(settings_)) return xmlStore->lastFlushOk();
    return true;
}

gui::drawer::ISkinner* AppBase::getSkinner() { return skinner_; }

const wchar_t* AppBase::getLanguage() {
    const wchar_t* def = langPack_ ? langPack_->getCurrentPack()->getEngName() : L"";
    if (!settings_) return def ? def : L"";
    const wchar_t* stored = settings_->getString(kLanguageKey, L"", def);
    scratch2_->setText(stored ? stored : L"");
    return scratch2_->text();
}

void AppBase::setLanguage(const wchar_t* name) {
    if (!settings_) return;
    settings_->setString(kLanguageKey, L"", name ? name : L"");
    settings_->flushIfAuto();
}

const wchar_t* AppBase::getSkinName() {
    const wchar_t* def = defaultSkin_ ? defaultSkin_->text() : kDefaultSkin;
    const wchar_t* stored = settings_ ? settings_->getString(kSkinKey, L"", def) : def;
    if (!stored) return def;
    uint32_t index = 0;
    if (skinner_ && !skinner_->findSkin(stored, &index)) return def;
    scratch2_->setText(stored);
    return scratch2_->text();
}

void AppBase::setSkinName(const wchar_t* name) {
    if (!settings_) return;
    settings_->setString(kSkinKey, L"", name ? name : L"");
    settings_->flushIfAuto();
}

// ---- other copies of the program

bool AppBase::signalOtherInstance(bool signal, bool secondMessage, bool withLanguage) {
    uint32_t processId = 0;
    const bool found = process::findOtherInstance(&processId);
    if (!signal || !found) return found;
    process::signalInstance(processId, withLanguage ? langPack_ : nullptr, textBaseId_, secondMessage);
    return true;
}

bool AppBase::findOtherInstance(bool onDesktop, bool flag, bool withLanguage) {
    if (!onDesktop) return process::hasOtherInstanceWindow();
    return process::signalOtherInstanceOnDesktop(GetThreadDesktop(GetCurrentThreadId()),
                                                 withLanguage ? langPack_ : nullptr, textBaseId_, flag);
}

map::IMappedData* AppBase::openXmlSettings() {
    if (!moduleDir_) return nullptr;
    file::win::PathWin* file = file::win::PathWin::fromConcat(moduleDir_->getFullPath(), L"\\savedata\\SaveData.xml");
    map::IMappedData* store = xml::MappedData::openFile(file->getFullPath());
    file->release();
    return store;
}

map::IMappedData* AppBase::openRegistrySettings() {
    if (settingsKey_) {
        scratch1_->setText(settingsKey_->text());
    } else {
        scratch1_->setText(kSettingsKeyPrefix);
        scratch1_->appendText(langPack_ ? langPack_->getText(kProgramNameTextId) : L"");
        scratch1_->appendText(kSettingsKeySuffix);
    }
    reg::MappedData* store = reg::MappedData::create();
    store->attach(reg::win::RegDir::fromPath(reg::kCurrentUser, scratch1_->text()));
    return store;
}

}  // namespace s::app::win
