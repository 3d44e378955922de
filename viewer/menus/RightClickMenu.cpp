#include "viewer/menus/RightClickMenu.h"

#include <windows.h>

#include <algorithm>

#include "gui/menus/MenuItem.h"
#include "gui/menus/PopupMenu.h"
#include "gui/skin/ISkinner.h"
#include "imaging/image/Bitmap.h"
#include "platform/lang/Localizer.h"
#include "platform/map/IMappedData.h"
#include "platform/shell/Association.h"
#include "viewer/menus/CommandIds.h"
#include "viewer/settings/ViewerSettings.h"

namespace s::image::gui::dialogs::imageview {

using s::gui::menuitem::MenuItem;
using s::gui::win::PopupMenu;
namespace cmd = command;

namespace {

// Builds one menu level: items by text id, literal items, separators and sub-menus.
class Filler {
public:
    Filler(PopupMenu* menu, lang::Localizer* loc) : menu_(menu), loc_(loc) { menu_->setOwner(loc); }

    // A text-id item whose command is the text id less the base.
    Filler& item(int32_t textId, bool checked = false) { return item(textId, textId - cmd::kTextIdBase, checked); }
    Filler& item(int32_t textId, int32_t commandId, bool checked) {
        menu_->addItem(MenuItem::createWithTextId(textId, loc_, commandId, checked));
        return *this;
    }
    Filler& literal(const wchar_t* text, int32_t commandId) {
        menu_->addItem(MenuItem::createWithText(text, commandId, false));
        return *this;
    }
    Filler& line() {
        menu_->addItem(MenuItem::createSeparator());
        return *this;
    }
    // Adds a filled sub-menu.
    Filler& sub(PopupMenu* subMenu) {
        menu_->addSubMenu(subMenu);
        return *this;
    }

private:
    PopupMenu* menu_;
    lang::Localizer* loc_;
};

PopupMenu* newSub(int32_t titleId, lang::Localizer* loc) {
    PopupMenu* sub = PopupMenu::create();
    sub->setOwner(loc);
    sub->setTitleId(titleId);
    return sub;
}

constexpr int32_t id(int32_t commandId) { return cmd::kTextIdBase + commandId; }

}  // namespace

void readSkins(s::gui::drawer::ISkinner* skinner, RightClickState* state) {
    state->skinNames.clear();
    state->currentSkin = -1;
    state->hasSkinner = skinner != nullptr;
    if (!skinner) return;
    const uint32_t count = skinner->getSkinCount();
    for (uint32_t i = 0; i < count; ++i) {
        const wchar_t* name = skinner->getSkinName(i);
        state->skinNames.emplace_back(name ? name : L"");
    }
    const uint32_t current = skinner->getCurrentIndex();
    if (current < count) state->currentSkin = int32_t(current);
}

void readAssociations(RightClickState* state) {
    for (int i = 0; i < 5; ++i) state->associated[i] = ::isExtensionAssociated(kAssociatedExtensions[i]);
}

RightClickMenu::~RightClickMenu() {
    // The sub-menus belong to the menu and go back with it.
    if (menu_) menu_->release();
    if (swatch_) swatch_->release();
}

namespace {

// A square of the menu's check-mark size: a one-pixel black frame round the colour.
image::bmp::win::Bitmap* makeSwatch(COLORREF color) {
    const int side = std::max(8, GetSystemMetrics(SM_CYMENUCHECK));
    auto* bitmap = image::bmp::win::Bitmap::create();
    if (!bitmap->create(side, side, 32)) {
        bitmap->release();
        return nullptr;
    }
    const uint32_t inside =
        0xFF000000u | uint32_t(GetRValue(color)) << 16 | uint32_t(GetGValue(color)) << 8 | GetBValue(color);
    for (int y = 0; y < side; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(bitmap->getRow(y));
        for (int x = 0; x < side; ++x)
            row[x] = x == 0 || y == 0 || x == side - 1 || y == side - 1 ? 0xFF000000u : inside;
    }
    GdiFlush();
    return bitmap;
}

}  // namespace

void* RightClickMenu::customColorSwatch() const { return swatch_ ? swatch_->getHBitmap() : nullptr; }

void RightClickMenu::showCustomColor(int32_t color) {
    PopupMenu* sub = subs_[kBackground];
    color &= 0xFFFFFF;
    if (!sub || (swatch_ && color == swatchColor_)) return;
    image::bmp::win::Bitmap* swatch = makeSwatch(COLORREF(color));
    if (!swatch) return;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_BITMAP;
    info.hbmpItem = swatch->getHBitmap();
    SetMenuItemInfoW(sub->getHandle(), UINT(cmd::kBgCustom), FALSE, &info);
    // The menu no longer shows the old one.
    if (swatch_) swatch_->release();
    swatch_ = swatch;
    swatchColor_ = color;
}

PopupMenu* RightClickMenu::getSubMenu(Sub which) const {
    return which >= 0 && which < kSubCount ? subs_[which] : nullptr;
}

int32_t RightClickMenu::fitModePosition(int32_t fitMode2) {
    switch (fitMode2) {
        case 0: return 0;
        case kFitNone: return 4;
        case kFitImageToWindow: return 3;
        case kFitWindowToImage: return 2;
        default: return -1;
    }
}

int32_t RightClickMenu::backgroundPosition(int32_t bgType) {
    static constexpr int32_t kPositions[] = {0, 1, 2, 3, 8, 7};
    return bgType >= 0 && bgType <= 5 ? kPositions[bgType] : -1;
}

int32_t RightClickMenu::transparencyPosition(int32_t opacity) {
    if (opacity < 10 || opacity > 100 || opacity % 10 != 0) return 0;
    return (100 - opacity) / 10;
}

// One id of the range is left for "Translate? (online)", numbered after the languages.
uint32_t RightClickMenu::maxLanguages() { return uint32_t(cmd::kLanguageLast - cmd::kLanguageFirst); }
uint32_t RightClickMenu::maxSkins() { return uint32_t(cmd::kSkinLast - cmd::kSkinFirst + 1); }

void RightClickMenu::build(ViewerSettings& settings, lang::Localizer* loc, RightClickState* state) {
    if (menu_) return;
    localizer_ = loc;
    for (auto& sub : subs_) sub = newSub(-1, loc);

    PopupMenu* filter = subs_[kFilter];
    filter->setTitleId(id(680));
    Filler(filter, loc)
        .item(id(cmd::kFilterLock))
        .line()
        .item(id(cmd::kFilterClear))
        .line()
        .item(id(683), cmd::kCurrentFilterSet, false);

    subs_[kSave]->setTitleId(id(690));
    Filler(subs_[kSave], loc).item(id(cmd::kSaveOriginal)).item(id(cmd::kSaveView)).item(id(cmd::kSaveViewSharpen));

    subs_[kPrint]->setTitleId(id(710));
    Filler(subs_[kPrint], loc)
        .item(id(cmd::kPrintOriginal))
        .item(id(cmd::kPrintOriginalSharpen))
        .item(id(cmd::kPrintView))
        .item(id(cmd::kPrintViewSharpen))
        .item(id(cmd::kPrintPaperMax))
        .item(id(cmd::kPrintPaperMaxSharpen))
        .line()
        .item(id(cmd::kPrintAutoRotate));

    subs_[kFile]->setTitleId(id(600));
    Filler(subs_[kFile], loc)
        .item(id(cmd::kLocateFile))
        .line()
        .item(id(cmd::kDeleteFile))
        .line()
        .item(id(cmd::kFileProperty));

    subs_[kCopy]->setTitleId(id(670));
    Filler(subs_[kCopy], loc).item(id(cmd::kCopyOriginal)).item(id(cmd::kCopyView)).item(id(cmd::kCopyViewSharpen));

    subs_[kCapture]->setTitleId(id(780));
    Filler(subs_[kCapture], loc)
        .item(id(cmd::kCaptureScreen))
        .item(id(cmd::kCaptureWindow))
        .item(id(cmd::kCaptureWindowPart));

    subs_[kFitMode]->setTitleId(id(960));
    Filler(subs_[kFitMode], loc)
        .item(1990003905, cmd::kDefaultLastUsedFit, false)
        .line()
        .item(id(980), cmd::kDefaultFitWindowToImage, false)
        .item(id(975), cmd::kDefaultFitImageToWindow, false)
        .item(1990003910, cmd::kDefaultDontFit, false);

    subs_[kBackground]->setTitleId(id(983));
    Filler(subs_[kBackground], loc)
        .item(id(cmd::kBgWhite))
        .item(id(cmd::kBgGray))
        .item(id(cmd::kBgBlack))
        .item(id(cmd::kBgCustom))
        .line()
        .item(id(cmd::kBgPickCustom))
        .line()
        .item(id(cmd::kBgTransparentWindow))
        .item(id(cmd::kBgTransparentChecker));

    subs_[kView]->setTitleId(609000);
    Filler(subs_[kView], loc)
        .item(id(cmd::kShowTitleBar))
        .item(id(cmd::kAutoHideButtons))
        .item(id(cmd::kCloseByWheelClick))
        .sub(subs_[kFitMode])
        .sub(subs_[kBackground]);

    if (state->hasSkinner) {
        subs_[kSkin]->setTitleId(8000000);
        Filler skins(subs_[kSkin], loc);
        for (size_t i = 0; i < state->skinNames.size() && i < maxSkins(); ++i)
            skins.literal(state->skinNames[i].c_str(), cmd::kSkinFirst + int32_t(i));
    } else {
        subs_[kSkin]->release();
        subs_[kSkin] = nullptr;
    }

    subs_[kTransparency]->setTitleId(715000);
    Filler transparency(subs_[kTransparency], loc);
    for (int32_t i = 0; i < 10; ++i)
        transparency.item(715100 + 100 * i, cmd::kOpacity100 + cmd::kOpacityStep * i, false);

    subs_[kLanguage]->setTitleId(700000);
    Filler languages(subs_[kLanguage], loc);
    uint32_t languageCount = 0;
    if (loc) {
        for (; languageCount < loc->getPackCount() && languageCount < maxLanguages(); ++languageCount)
            languages.literal(loc->getPackAt(languageCount)->getTrueName(),
                              cmd::kLanguageFirst + int32_t(languageCount));
    }
    languages.line().item(700001, cmd::kLanguageFirst + int32_t(languageCount), false);

    subs_[kAssociations]->setTitleId(id(800));
    Filler(subs_[kAssociations], loc)
        .item(id(cmd::kAssociateJpeg))
        .item(id(cmd::kAssociateGif))
        .item(id(cmd::kAssociatePng))
        .item(id(cmd::kAssociateBmp))
        .item(id(cmd::kAssociateIcon))
        .line()
        .item(id(cmd::kAssociateAll))
        .item(id(cmd::kAssociateNone));

    subs_[kAbout]->setTitleId(701000);
    Filler(subs_[kAbout], loc)
        .item(701100, cmd::kVersionInfo, false)
        .line()
        .item(701200, cmd::kSoftwarePage, false)
        .item(701300, cmd::kTellDevelopers, false)
        .line()
        .item(107000, cmd::kMoreSoftware, false);

    menu_ = PopupMenu::create();
    menu_->setTitle(L"Right Click Menu");
    Filler main(menu_, loc);
    main.item(1990004050, cmd::kOpen, false)
        .line()
        .item(id(cmd::kOriginalSize))
        .line()
        .item(id(cmd::kFitWindowToImage))
        .item(id(cmd::kFitImageToWindow))
        .item(id(cmd::kPalmMode))
        .item(id(cmd::kKeepOnTop))
        .line()
        .sub(subs_[kFilter])
        .line()
        .item(id(cmd::kSlideShow))
        .line()
        .sub(subs_[kSave])
        .sub(subs_[kPrint])
        .sub(subs_[kFile])
        .line()
        .sub(subs_[kCopy])
        .item(id(cmd::kPaste))
        .sub(subs_[kCapture])
        .line()
        .sub(subs_[kView]);
    if (subs_[kSkin]) main.sub(subs_[kSkin]);
    main.sub(subs_[kTransparency])
        .sub(subs_[kLanguage])
        .sub(subs_[kAssociations])
        .line()
        .sub(subs_[kAbout])
        .line()
        .item(id(cmd::kClose));

    updateMarks(settings, state);
}

void RightClickMenu::updateMarks(ViewerSettings& settings, RightClickState* state) {
    if (!menu_) return;
    menu_->setChecked(cmd::kFitWindowToImage, state->fitWindowToImage);
    menu_->setChecked(cmd::kFitImageToWindow, state->fitImageToWindow);
    menu_->setChecked(cmd::kPalmMode, state->palmMode);
    menu_->setChecked(cmd::kKeepOnTop, state->keepOnTop);

    // The stored choice, else the flag as it stands.
    if (map::IMappedData* store = settings.getStore())
        state->autoRotate =
            store->getBool(settings.pathOf(section::kPrint).c_str(), L"AutoRotation", state->autoRotate);
    subs_[kPrint]->setChecked(cmd::kPrintAutoRotate, state->autoRotate);

    subs_[kView]->setChecked(cmd::kShowTitleBar, settings.getShowTitleBar());
    subs_[kView]->setChecked(cmd::kAutoHideButtons, settings.getAutoHideButtons());
    subs_[kView]->setChecked(cmd::kCloseByWheelClick, state->closeOnWheelClick);
    subs_[kFitMode]->checkRadioAt(fitModePosition(settings.getFitMode2()));
    subs_[kBackground]->checkRadioAt(backgroundPosition(settings.getDefaultBgType()));
    showCustomColor(settings.getDefaultBgCustomColor());

    if (subs_[kSkin]) {
        const int32_t listed = int32_t(subs_[kSkin]->getEntryCount());
        const int32_t skin = state->currentSkin;
        subs_[kSkin]->checkRadioAt(skin >= 0 && skin < listed ? skin : -1);
    }
    subs_[kTransparency]->checkRadioAt(transparencyPosition(settings.getTransparency()));

    // The languages are every entry but the separator and "Translate? (online)".
    const int32_t languages = subs_[kLanguage]->getEntryCount() - 2;
    const int32_t current = localizer_ && localizer_->getPackCount() ? localizer_->getCurrentIndex() : -1;
    if (languages > 0) subs_[kLanguage]->checkRadio(current < languages ? current : -1, 0, languages - 1);

    static constexpr int32_t kAssociationIds[5] = {cmd::kAssociateJpeg, cmd::kAssociateGif, cmd::kAssociatePng,
                                                   cmd::kAssociateBmp, cmd::kAssociateIcon};
    for (int i = 0; i < 5; ++i) subs_[kAssociations]->setChecked(kAssociationIds[i], state->associated[i]);
}

}  // namespace s::image::gui::dialogs::imageview
