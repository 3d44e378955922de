// The command ids of the viewer's right-click menu and of the menu bar's panel chooser.
// Most right-click commands are their language text id minus kTextIdBase. Skins,
// languages, opacities and filter sets are ranges; every id stays below the About ids.
//
//   if (id >= command::kSkinFirst && id <= command::kSkinLast) selectSkin(id - command::kSkinFirst);
#pragma once

#include <cstdint>

namespace s::image::gui::dialogs::imageview::command {

constexpr int32_t kTextIdBase = 1990000000;

// ---- ranges
// Languages 0 .. n-1 in pack order; n is "Translate? (online)".
constexpr int32_t kLanguageFirst = 0;
constexpr int32_t kLanguageLast = 199;  // the last id "Translate? (online)" may take
constexpr int32_t kSkinFirst = 200;     // + the skin's index
constexpr int32_t kSkinLast = 299;      // skins past this are not listed
constexpr int32_t kTransparencyOnlyOnTop = 491;
constexpr int32_t kOpacity100 = 500;  // 500, 510 ... 590: opacity 100, 90 ... 10 percent
constexpr int32_t kOpacityStep = 10;
constexpr int32_t kOpacityLast = 590;
constexpr int32_t kCurrentFilterSet = 9000;  // the saved filter sets follow: 9000 + k
constexpr int32_t kFilterSetLast = 9999;

// ---- the main menu
constexpr int32_t kOpen = 310;
constexpr int32_t kOriginalSize = 702;
constexpr int32_t kFitWindowToImage = 980;
constexpr int32_t kFitImageToWindow = 975;
constexpr int32_t kPalmMode = 970;
constexpr int32_t kKeepOnTop = 992;
constexpr int32_t kSlideShow = 750;
constexpr int32_t kPaste = 678;
constexpr int32_t kClose = 999;

// ---- "Apply Filter..."
constexpr int32_t kFilterLock = 681;
constexpr int32_t kFilterClear = 682;
constexpr int32_t kNoFilterSetYet = 684;

// ---- "Save..."
constexpr int32_t kSaveOriginal = 695;
constexpr int32_t kSaveView = 697;
constexpr int32_t kSaveViewSharpen = 698;

// ---- "Print..."
constexpr int32_t kPrintOriginal = 711;
constexpr int32_t kPrintOriginalSharpen = 712;
constexpr int32_t kPrintView = 713;
constexpr int32_t kPrintViewSharpen = 714;
constexpr int32_t kPrintPaperMax = 715;
constexpr int32_t kPrintPaperMaxSharpen = 716;
constexpr int32_t kPrintAutoRotate = 717;

// ---- "File..."
constexpr int32_t kLocateFile = 630;
constexpr int32_t kDeleteFile = 650;
constexpr int32_t kFileProperty = 640;

// ---- "Copy to Clipboard..."
constexpr int32_t kCopyOriginal = 671;
constexpr int32_t kCopyView = 672;
constexpr int32_t kCopyViewSharpen = 673;

// ---- "From Screen (Capture)..."
constexpr int32_t kCaptureScreen = 781;
constexpr int32_t kCaptureWindow = 783;
constexpr int32_t kCaptureWindowPart = 785;

// ---- "View"
constexpr int32_t kShowTitleBar = 991;
constexpr int32_t kAutoHideButtons = 981;
constexpr int32_t kCloseByWheelClick = 998;
// "Default Fit Mode"
constexpr int32_t kDefaultFitImageToWindow = 960;
constexpr int32_t kDefaultFitWindowToImage = 961;
constexpr int32_t kDefaultDontFit = 962;
constexpr int32_t kDefaultLastUsedFit = 963;
// "Default Background Color"
constexpr int32_t kBgWhite = 984;
constexpr int32_t kBgGray = 985;
constexpr int32_t kBgBlack = 986;
constexpr int32_t kBgCustom = 987;
constexpr int32_t kBgPickCustom = 988;
constexpr int32_t kBgTransparentWindow = 989;
constexpr int32_t kBgTransparentChecker = 990;

// ---- "Associated Extensions": .jpg .gif .png .bmp .ico
constexpr int32_t kAssociateJpeg = 810;
constexpr int32_t kAssociateGif = 811;
constexpr int32_t kAssociatePng = 812;
constexpr int32_t kAssociateBmp = 813;
constexpr int32_t kAssociateIcon = 814;
constexpr int32_t kAssociateAll = 820;
constexpr int32_t kAssociateNone = 821;

// ---- "About"
constexpr int32_t kVersionInfo = 10000;
constexpr int32_t kSoftwarePage = 10100;
constexpr int32_t kTellDevelopers = 10200;
constexpr int32_t kMoreSoftware = 10900;
constexpr int32_t kFirstAboutId = kVersionInfo;

// ---- the menu bar's panel chooser
// (their texts are the language ids kTextIdBase + the command)
constexpr int32_t kPanelView = 3000;
constexpr int32_t kPanelPrint = 4099;
constexpr int32_t kPanelSave = 4100;
constexpr int32_t kPanelConvert = 4120;
constexpr int32_t kPanelMonochrome = 4200;
constexpr int32_t kPanelSharpness = 4300;
constexpr int32_t kPanelRotate = 4400;
constexpr int32_t kPanelSize = 4410;
constexpr int32_t kPanelStretchHorizontal = 4420;
constexpr int32_t kPanelStretchVertical = 4430;
constexpr int32_t kPanelFlip = 4450;
constexpr int32_t kPanelCutLeftRight = 4460;
constexpr int32_t kPanelCutTopBottom = 4470;
constexpr int32_t kPanelMistyFrame = 4480;
constexpr int32_t kPanelHue = 4500;
constexpr int32_t kPanelSaturation = 4510;
constexpr int32_t kPanelBrightness = 4520;
constexpr int32_t kPanelLevel = 4530;
constexpr int32_t kPanelSCurve = 4540;
constexpr int32_t kPanelAlpha = 4550;
constexpr int32_t kPanelBackground = 4600;
constexpr int32_t kPanelWatermarkText = 4650;
constexpr int32_t kPanelSlideShow = 4700;
constexpr int32_t kPanelScreenshot = 4780;
constexpr int32_t kPanelLoadFilterSet = 4820;
constexpr int32_t kPanelSaveFilterSet = 4850;

}  // namespace s::image::gui::dialogs::imageview::command
