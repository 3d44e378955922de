// The viewer's right-click menu: its items, separators and sub-menus with their language
// texts and command ids (viewer/menus/CommandIds.h), and the check and radio marks taken
// from the viewer's settings and from the window state the caller hands in.
//
//   RightClickState state;                 // fit modes, keep on top, skins, associations...
//   readSkins(skinner, &state);
//   readAssociations(&state);
//   RightClickMenu menu;
//   menu.build(settings, localizer, &state); // once; state.autoRotate now follows "Print"
//   window->setContextMenu(menu.getMenu());
//   ...
//   menu.updateMarks(settings, &state);      // after the settings or the state changed
//
// The menu follows the localizer's language changes by itself; skin and language names
// are literal texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace s::lang {
class Localizer;
}
namespace s::gui::win {
class PopupMenu;
}
namespace s::gui::drawer {
class ISkinner;
}
namespace s::image::bmp::win {
class Bitmap;
}

namespace s::image::gui::dialogs::imageview {

class ViewerSettings;

// The window state behind the marks that are not settings.
struct RightClickState {
    bool fitWindowToImage = false;
    bool fitImageToWindow = false;
    bool palmMode = false;
    bool keepOnTop = false;
    bool closeOnWheelClick = false;
    // The print auto-rotate flag: set from "Print"\"AutoRotation" by build and updateMarks.
    bool autoRotate = true;
    // No "Skin" sub-menu without a skinner; else its skins in order and the current one
    // (-1: none of them).
    bool hasSkinner = false;
    std::vector<std::wstring> skinNames;
    int32_t currentSkin = -1;
    // .jpg .gif .png .bmp .ico belong to the program.
    bool associated[5] = {};
};

// The extensions of the "Associated Extensions" items, in order.
inline constexpr const wchar_t* kAssociatedExtensions[5] = {L".jpg", L".gif", L".png", L".bmp", L".ico"};

// Fills the skin fields from a skinner (null: no skin sub-menu).
void readSkins(s::gui::drawer::ISkinner* skinner, RightClickState* state);
// Asks the shell which extensions belong to the program's own file.
void readAssociations(RightClickState* state);

class RightClickMenu {
public:
    // The sub-menus the commands work through.
    enum Sub {
        kFilter,
        kSave,
        kPrint,
        kFile,
        kCopy,
        kCapture,
        kView,
        kFitMode,
        kBackground,
        kSkin,
        kTransparency,
        kLanguage,
        kAssociations,
        kAbout,
        kSubCount
    };

    RightClickMenu() = default;
    ~RightClickMenu();
    RightClickMenu(const RightClickMenu&) = delete;
    RightClickMenu& operator=(const RightClickMenu&) = delete;

    // Builds the menu once (a second call changes nothing) and sets every mark.
    void build(ViewerSettings& settings, lang::Localizer* localizer, RightClickState* state);
    // Sets every check and radio mark again from the settings and the state.
    void updateMarks(ViewerSettings& settings, RightClickState* state);

    // The "Custom Color" item of "Default Background Color" shows the custom colour
    // (0x00BBGGRR) as a framed swatch beside its text; build and updateMarks show the
    // stored one.
    void showCustomColor(int32_t color);
    // The swatch's bitmap (an HBITMAP), null before build.
    void* customColorSwatch() const;

    // Null before build.
    s::gui::win::PopupMenu* getMenu() const { return menu_; }
    // Null before build, and for kSkin without a skinner.
    s::gui::win::PopupMenu* getSubMenu(Sub which) const;

    // Radio positions; -1 leaves no mark.
    // "FitMode2" 0, 1, 3, 4 in "Default Fit Mode".
    static int32_t fitModePosition(int32_t fitMode2);
    // "DefaultBgType" 0..5 in "Default Background Color".
    static int32_t backgroundPosition(int32_t bgType);
    // The opacity percent in "Transparency (%)": 100 shows "0%", 10 shows "90%"; a value
    // that is not a multiple of ten from 10 to 100 shows "0%".
    static int32_t transparencyPosition(int32_t opacity);
    // The number of languages (and of skins) the menu lists at most, so that their
    // command ranges never reach the next ones.
    static uint32_t maxLanguages();
    static uint32_t maxSkins();

private:
    s::gui::win::PopupMenu* menu_ = nullptr;
    s::gui::win::PopupMenu* subs_[kSubCount] = {};
    lang::Localizer* localizer_ = nullptr;
    image::bmp::win::Bitmap* swatch_ = nullptr;  // the menu only borrows its section
    int32_t swatchColor_ = -1;
};

}  // namespace s::image::gui::dialogs::imageview
