#include "viewer/app/AppWindow.h"

#include <windows.h>
#include <shobjidl.h>

#include <cwchar>
#include <string>

#include "foundation/str/StrBuffer.h"
#include "gui/app/IAppBase.h"
#include "gui/skin/ISkinner.h"
#include "gui/window/IWindow.h"
#include "platform/lang/Localizer.h"
#include "platform/map/IMappedData.h"
#include "platform/system/OsVersion.h"
#include "platform/system/Screen.h"
#include "viewer/app/UpdateCheck.h"

namespace s::app::win {

using str::strbuffer::StrBuffer;

namespace {

constexpr const wchar_t* kView = L"View";
// Sides shorter than this are not a window anyone chose.
constexpr int32_t kMinSide = 10;

// The constant text equal to the action ignoring case, else "DoNothing".
const wchar_t* canonicalAction(const wchar_t* action) {
    if (action && _wcsicmp(action, mclick::kIconize) == 0) return mclick::kIconize;
    if (action && _wcsicmp(action, mclick::kClose) == 0) return mclick::kClose;
    return mclick::kDoNothing;
}

void releaseSkinner(gui::drawer::ISkinner* skinner) {
    if (auto* poolable = dynamic_cast<thread::IPoolable*>(skinner)) poolable->release();
}

}  // namespace

const wchar_t* viewSectionFor(int32_t scale) {
    if (scale == 2) return L"View4K";
    if (scale >= 4) return L"View8K";
    return kView;
}

AppWindow::AppWindow()
    : scratch_(StrBuffer::create()),
      pathBuffer_(StrBuffer::create()),
      name_(StrBuffer::create()),
      ownSkinName_(StrBuffer::create()) {
    reset();
}

AppWindow::~AppWindow() {
    reset();
    scratch_->release();
    pathBuffer_->release();
    name_->release();
    ownSkinName_->release();
}

void AppWindow::reset() {
    scratch_->clear();
    pathBuffer_->clear();
    appBase_ = nullptr;
    name_->clear();
    viewSection_ = kView;
    textBaseId_ = 0;
    if (langPack_) langPack_->release();
    langPack_ = nullptr;
    // The base's skinner is the base's to release; only one of the window's own goes.
    if (ownSkin_ && skinner_) releaseSkinner(skinner_);
    skinner_ = nullptr;
    ownSkin_ = false;
    ownSkinName_->clear();
    defaultWidth_ = defaultHeight_ = 500;
    easyDragDefault_ = true;
    maximizedDefault_ = false;
    keepOnTopDefault_ = false;
    middleClick_ = mclick::kClose;
    if (taskbarList_) taskbarList_->Release();
    taskbarList_ = nullptr;
    // COM is left on the thread that started it; a reset on another thread leaves it be.
    if (comStarted_ && comThread_ == GetCurrentThreadId()) CoUninitialize();
    comStarted_ = false;
}

void AppWindow::init(IAppBase* appBase, const wchar_t* name, int32_t defaultWidth, int32_t defaultHeight,
                     bool keepOnTopDefault, const wchar_t* mClickAction, gui::drawer::ISkinner* skinner,
                     const wchar_t* ownSkinName) {
    appBase_ = appBase;
    name_->setText(name ? name : L"");
    viewSection_ = viewSectionFor(system::getScreenScale());
    textBaseId_ = appBase ? appBase->getTextBaseId() : 0;

    skinner_ = skinner;
    if (skinner && appBase && appBase->hasSkinner() && skinner == appBase->getSkinner()) {
        ownSkin_ = false;
        gui::drawer::ISkin* current = skinner->getCurrentSkin();
        ownSkinName_->setText(current && current->getName() ? current->getName() : L"");
    } else if (skinner) {
        ownSkin_ = true;
        ownSkinName_->setText(ownSkinName ? ownSkinName : L"");
    } else {
        ownSkin_ = false;
    }

    defaultWidth_ = defaultWidth;
    defaultHeight_ = defaultHeight;
    keepOnTopDefault_ = keepOnTopDefault;
    middleClick_ = canonicalAction(mClickAction);
    easyDragDefault_ = true;
    maximizedDefault_ = false;

    map::IMappedData* settings = store();
    if (settings) {
        settings->setAutoFlush(false);
        lang::Localizer* pack = appBase ? appBase->getLangPack() : nullptr;
        settings->setString(sectionPath(L"SoftwareType"), L"", kSoftwareType);
        settings->setString(sectionPath(L"SoftwareID"), L"", pack ? pack->getText(300000) : L"");
        settings->setString(sectionPath(L"Version"), L"", pack ? pack->getText(textBaseId_ + 10) : L"");
    }
    if (langPack_ && appBase) langPack_->setLanguage(appBase->getLanguage());
    if (skinner_ && ownSkin_) skinner_->selectSkinByName(getSkinName());
    middleClick_ = getMClickAction();
    if (settings) settings->setAutoFlush(true);

    const system::OsVersionFacts& os = system::osVersion();
    if (!taskbarList_ && os.isWin7OrLater) {
        comStarted_ = SUCCEEDED(CoInitialize(nullptr));
        comThread_ = GetCurrentThreadId();
        void* list = nullptr;
        if (SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, 0x17, IID_ITaskbarList3, &list)))
            taskbarList_ = static_cast<ITaskbarList3*>(list);
    }
}

map::IMappedData* AppWindow::store() { return appBase_ ? appBase_->getSettings() : nullptr; }

const wchar_t* AppWindow::getName() { return name_->isEmpty() ? L"" : name_->text(); }

const wchar_t* AppWindow::sectionPath(const wchar_t* section) {
    pathBuffer_->setText(getName());
    pathBuffer_->appendText(L"\\");
    pathBuffer_->appendText(section ? section : L"");
    return pathBuffer_->text();
}

lang::Localizer* AppWindow::getLangPack() {
    if (langPack_) return langPack_;
    return appBase_ ? appBase_->getLangPack() : nullptr;
}

const wchar_t* AppWindow::getSkinName() {
    if (!ownSkin_) return appBase_ ? appBase_->getSkinName() : L"";
    const wchar_t* def = ownSkinName_->isEmpty() ? L"" : ownSkinName_->text();
    map::IMappedData* settings = store();
    const wchar_t* stored = settings ? settings->getString(sectionPath(L"Skin"), L"", def) : def;
    if (!stored) return def;
    uint32_t index = 0;
    if (skinner_ && !skinner_->findSkin(stored, &index)) return def;
    scratch_->setText(stored);
    return scratch_->text();
}

void AppWindow::setSkinName(const wchar_t* name) {
    if (!ownSkin_) {
        if (appBase_) appBase_->setSkinName(name);
        return;
    }
    if (map::IMappedData* settings = store()) {
        settings->setString(sectionPath(L"Skin"), L"", name ? name : L"");
        settings->flushIfAuto();
    }
}

// ---- placement

int32_t AppWindow::readInt(const wchar_t* section, const wchar_t* key, int32_t def) {
    map::IMappedData* settings = store();
    return settings ? settings->getInt(sectionPath(section), key, def) : def;
}

bool AppWindow::hasValue(const wchar_t* section, const wchar_t* key) {
    map::IMappedData* settings = store();
    return settings && settings->hasValue(sectionPath(section), key);
}

void AppWindow::writeInt(const wchar_t* section, const wchar_t* key, int32_t value) {
    map::IMappedData* settings = store();
    if (!settings) return;
    settings->setInt(sectionPath(section), key, value);
    settings->flushIfAuto();
}

bool AppWindow::readBool(const wchar_t* key, bool def) {
    map::IMappedData* settings = store();
    return settings ? settings->getBool(sectionPath(kView), key, def) : def;
}

void AppWindow::writeBool(const wchar_t* key, bool value) {
    map::IMappedData* settings = store();
    if (!settings) return;
    settings->setBool(sectionPath(kView), key, value);
    settings->flushIfAuto();
}

void AppWindow::setBounds(int32_t x, int32_t y, int32_t w, int32_t h) {
    setX(x);
    setY(y);
    setWidth(w);
    setHeight(h);
}

void AppWindow::setSize(int32_t w, int32_t h) {
    setWidth(w);
    setHeight(h);
}

void AppWindow::clearBounds() {
    map::IMappedData* settings = store();
    if (!settings) return;
    const wchar_t* path = sectionPath(viewSection_);
    for (const wchar_t* key : {L"X", L"Y", L"Width", L"Height"}) settings->removeValue(path, key);
    settings->flushIfAuto();
}

bool AppWindow::hasX() { return hasValue(viewSection_, L"X"); }
int32_t AppWindow::getX() { return readInt(viewSection_, L"X", 0); }
void AppWindow::setX(int32_t x) { writeInt(viewSection_, L"X", x); }
bool AppWindow::hasY() { return hasValue(viewSection_, L"Y"); }
int32_t AppWindow::getY() { return readInt(viewSection_, L"Y", 0); }
void AppWindow::setY(int32_t y) { writeInt(viewSection_, L"Y", y); }

bool AppWindow::isWidthValid() {
    const int32_t w = getWidth();
    return w >= kMinSide && w <= GetSystemMetrics(SM_CXVIRTUALSCREEN);
}
bool AppWindow::hasWidth() { return hasValue(viewSection_, L"Width"); }
int32_t AppWindow::getWidth() { return readInt(viewSection_, L"Width", defaultWidth_); }
void AppWindow::setWidth(int32_t w) { writeInt(viewSection_, L"Width", w); }

bool AppWindow::isHeightValid() {
    const int32_t h = getHeight();
    return h >= kMinSide && h <= GetSystemMetrics(SM_CYVIRTUALSCREEN);
}
bool AppWindow::hasHeight() { return hasValue(viewSection_, L"Height"); }
int32_t AppWindow::getHeight() { return readInt(viewSection_, L"Height", defaultHeight_); }
void AppWindow::setHeight(int32_t h) { writeInt(viewSection_, L"Height", h); }

// ---- view flags

bool AppWindow::getEasyDrag() { return readBool(L"EasyDrag", easyDragDefault_); }
void AppWindow::setEasyDrag(bool on) { writeBool(L"EasyDrag", on); }
bool AppWindow::getMaximized() { return readBool(L"Maximized", maximizedDefault_); }
void AppWindow::setMaximized(bool on) { writeBool(L"Maximized", on); }
bool AppWindow::getKeepOnTop() { return readBool(L"KeepOnTop", keepOnTopDefault_); }
void AppWindow::setKeepOnTop(bool on) { writeBool(L"KeepOnTop", on); }

const wchar_t* AppWindow::storedMClick() {
    map::IMappedData* settings = store();
    const wchar_t* text = settings ? settings->getString(sectionPath(kView), L"OnMClick", middleClick_) : middleClick_;
    return text ? text : middleClick_;
}

bool AppWindow::isCloseOnMClick() { return _wcsicmp(storedMClick(), mclick::kClose) == 0; }
bool AppWindow::isIconizeOnMClick() { return _wcsicmp(storedMClick(), mclick::kIconize) == 0; }
const wchar_t* AppWindow::getMClickAction() { return canonicalAction(storedMClick()); }

void AppWindow::setMClickAction(const wchar_t* action) {
    // Kept as the constant text: the caller's string need not outlive the call.
    const wchar_t* constant = canonicalAction(action);
    if (constant == getMClickAction()) return;
    middleClick_ = constant;
    map::IMappedData* settings = store();
    if (!settings) return;
    settings->setString(sectionPath(kView), L"OnMClick", constant);
    settings->flushIfAuto();
}

// ---- update check and taskbar progress

void AppWindow::checkForUpdate(gui::IWindow* window) {
    UpdateCheckContext context;
    context.pack = getLangPack();
    context.textBaseId = textBaseId_;
    context.store = store();
    context.versionSection = sectionPath(L"Version");
    context.owner = window ? window->getHwnd() : nullptr;
    context.record = this;
    // The section text lives in a scratch buffer of this record: copy it first.
    const std::wstring section = context.versionSection ? context.versionSection : L"";
    context.versionSection = section.c_str();
    runUpdateCheck(context);
}

void AppWindow::progressIndeterminate(gui::IWindow* window) {
    if (taskbarList_ && window) taskbarList_->SetProgressState(window->getHwnd(), TBPF_INDETERMINATE);
}

void AppWindow::progressValue(gui::IWindow* window, int64_t total, int64_t done) {
    if (taskbarList_ && window) taskbarList_->SetProgressValue(window->getHwnd(), ULONGLONG(done), ULONGLONG(total));
}

void AppWindow::progressOff(gui::IWindow* window) {
    if (taskbarList_ && window) taskbarList_->SetProgressState(window->getHwnd(), TBPF_NOPROGRESS);
}

}  // namespace s::app::win
