// The controller's life cycle and the panels' host. (Being written.)
#include "viewer/dialog/Dialog.h"

namespace s::image::gui::dialogs::imageview {

Dialog::Dialog(app::IAppWindow* appWindow) : appWindow_(appWindow) {}
Dialog::~Dialog() = default;
Dialog* Dialog::create(app::IAppWindow* appWindow) { return new Dialog(appWindow); }
void Dialog::release() { delete this; }
std::wstring Dialog::openSettingsDir(const wchar_t*) { return L""; }
void Dialog::setBarsShown(bool) {}
s::gui::IImage* Dialog::pictureView() { return nullptr; }
bool Dialog::isPictureShown() { return shown_.isShown(); }
EffectData* Dialog::currentValues() { return currentValues_; }
ViewerSettings* Dialog::settings() { return settings_; }
lang::Localizer* Dialog::localizer() { return localizer_; }
HWND Dialog::dialogOwner() { return nullptr; }
int32_t Dialog::screenScale() { return s_; }
bool Dialog::isFitWindowToImage() { return zoom_.fitWindowToImage; }
bool Dialog::isFitImageToWindow() { return zoom_.fitImageToWindow; }
void Dialog::setFitModeOff() {}
double Dialog::currentScale() { return zoom_.limits.scale; }
void Dialog::reapplyScale(double, double) {}
void Dialog::showAtOriginalSize() {}
void Dialog::updateZoomLimitsAndSlider() {}
void Dialog::filterValuesChanged() {}
void Dialog::defaultBackgroundChosen(int32_t) {}
bool Dialog::isTitleBarShown() { return titleAreaShown_; }
IFilterPanels* Dialog::filterPanels() { return filterPanels_; }
RightClickMenu* Dialog::rightClickMenu() { return rightClick_; }
void Dialog::cartoonReaderSize(int32_t* width, int32_t* height) { *width = *height = 0; }
void Dialog::print(bool, bool, bool) {}
bool Dialog::isAutoRotate() { return autoRotate_; }
void Dialog::setAutoRotate(bool on) { autoRotate_ = on; }
bool Dialog::isSlideShowRunning() { return false; }
void Dialog::requestWorkerStop() { workerStopFlag_ = true; }
void Dialog::captureNow() {}
void Dialog::startCapturePick(int32_t) {}
void Dialog::relayout() {}

}  // namespace s::image::gui::dialogs::imageview
