// The save-option panels of the five writable formats. A panel is taken from its pool,
// bound to its format's encode setting and owner window, built from the setting's values,
// and its values are copied back with fillSetting (the caller saves the setting):
//
//   PngConfigBox* box = PngConfigBox::create();
//   box->setSetting(pngSetting);
//   box->setOwner(window);                 // null: English captions
//   sidePanel->addChild(box->buildPanel());
//   ...
//   box->fillSetting();                    // keep-transparency, colour, interlace
//
// installConfigBoxes() lets every encode setting open and read its panel itself
// (IEncodeSetting::createConfigBox / readConfigBox).
#pragma once

#include <cstdint>
#include <string>

#include "foundation/events/IEventListener.h"
#include "foundation/thread/Pool.h"
#include "gui/app/IEncodeSettingBox.h"

namespace s::gui {
class IWindow;
class IComponent;
}  // namespace s::gui
namespace s::gui::win {
class Box;
class CheckBox;
class GroupBox;
class RadioButton;
class Slider;
class TextField;
}  // namespace s::gui::win
namespace s::image {
class EncodeSettingBase;
}

namespace s::image::gui::boxes {

class BgGroupBox;

// Installs the panel makers for the encode settings (once, at start-up).
void installConfigBoxes();

// The frame every panel shares: a column of the background group and the format's groups.
class ConfigBoxBase : public IEncodeSettingBox, public thread::IPoolable, public ::s::gui::events::IEventListener {
public:
    ~ConfigBoxBase() override;

    void setOwner(::s::gui::IWindow* owner) override;
    ::s::gui::IComponent* buildPanel() override;
    const wchar_t* getName() override { return name_.c_str(); }
    void setName(const wchar_t* name) override { name_ = name ? name : L""; }
    void onEvent(base::IObject* source, int32_t code) override;

    void setSetting(EncodeSettingBase* setting) { setting_ = setting; }
    EncodeSettingBase* getSetting() const { return setting_; }
    BgGroupBox* getBackground() const { return background_; }
    ::s::gui::win::Box* getPanel() const { return panel_; }
    // Copies the panel's values into the bound setting; nothing without one or before
    // the panel is built.
    virtual void fillSetting() = 0;

protected:
    void resetBase(const wchar_t* name);
    bool localized() const;
    // A titled group 100 % wide (by text id when localized) with side margins 20s and top
    // and bottom margins 3s.
    ::s::gui::win::GroupBox* makeGroup(int32_t titleId, const wchar_t* title, int32_t kind, int32_t gapX, int32_t gapY);
    ::s::gui::win::RadioButton* makeRadio(int32_t textId, const wchar_t* text);
    ::s::gui::win::CheckBox* makeCheck(int32_t textId, const wchar_t* text, bool checked);
    // The format's groups, added to the panel after the background group.
    virtual void buildGroups(::s::gui::win::Box* panel) = 0;
    // The setting's keep-transparency flag.
    virtual bool settingKeeps() = 0;
    // Run once the background group shows the setting's values.
    virtual void afterBuild() {}
    // Copies the background colour; answers the keep-transparency flag to store.
    bool fillBackground();
    bool built() const { return setting_ && panel_; }

    int32_t scale_ = 1;
    ::s::gui::IWindow* owner_ = nullptr;
    EncodeSettingBase* setting_ = nullptr;
    std::wstring name_;
    ::s::gui::win::Box* panel_ = nullptr;
    BgGroupBox* background_ = nullptr;
};

class JpgConfigBox : public ConfigBoxBase {
    S_POOLED(JpgConfigBox, L"s_image_gui_boxes_JpgConfigBox")
public:
    JpgConfigBox() { reset(); }
    void reset() override;
    void fillSetting() override;
    void onEvent(base::IObject* source, int32_t code) override;
    ::s::gui::win::TextField* getQualityField() const { return field_; }
    ::s::gui::win::Slider* getSlider() const { return slider_; }

protected:
    void buildGroups(::s::gui::win::Box* panel) override;
    bool settingKeeps() override { return false; }
    void afterBuild() override;

private:
    ::s::gui::win::TextField* field_ = nullptr;
    ::s::gui::win::Slider* slider_ = nullptr;
    bool moving_ = false;
};

class GifConfigBox : public ConfigBoxBase {
    S_POOLED(GifConfigBox, L"s_image_gui_boxes_GifConfigBox")
public:
    GifConfigBox() { reset(); }
    void reset() override;
    void fillSetting() override;
    ::s::gui::win::RadioButton* getBpp8() const { return bpp8_; }
    ::s::gui::win::RadioButton* getBpp4() const { return bpp4_; }

protected:
    void buildGroups(::s::gui::win::Box* panel) override;
    bool settingKeeps() override;

private:
    ::s::gui::win::RadioButton* bpp8_ = nullptr;
    ::s::gui::win::RadioButton* bpp4_ = nullptr;
};

class PngConfigBox : public ConfigBoxBase {
    S_POOLED(PngConfigBox, L"s_image_gui_boxes_PngConfigBox")
public:
    PngConfigBox() { reset(); }
    void reset() override;
    void fillSetting() override;
    ::s::gui::win::CheckBox* getInterlace() const { return interlace_; }

protected:
    void buildGroups(::s::gui::win::Box* panel) override;
    bool settingKeeps() override;

private:
    ::s::gui::win::CheckBox* interlace_ = nullptr;
};

class BmpConfigBox : public ConfigBoxBase {
    S_POOLED(BmpConfigBox, L"s_image_gui_boxes_BmpConfigBox")
public:
    // The depth choices in the order they are shown.
    static constexpr int32_t kDepths[4] = {32, 24, 8, 4};

    BmpConfigBox() { reset(); }
    void reset() override;
    void fillSetting() override;
    void onEvent(base::IObject* source, int32_t code) override;
    // The choice of 32, 24, 8 or 4 bits per pixel; null for another depth.
    ::s::gui::win::RadioButton* getDepthButton(int32_t bpp) const;

protected:
    void buildGroups(::s::gui::win::Box* panel) override;
    bool settingKeeps() override;
    void afterBuild() override;

private:
    ::s::gui::win::RadioButton* depth_[4] = {};
};

class IcoConfigBox : public ConfigBoxBase {
    S_POOLED(IcoConfigBox, L"s_image_gui_boxes_IcoConfigBox")
public:
    static constexpr int32_t kSizes[9] = {16, 24, 32, 48, 64, 80, 96, 128, 256};
    static constexpr int32_t kDepths[3] = {4, 8, 32};

    IcoConfigBox() { reset(); }
    void reset() override;
    void fillSetting() override;
    ::s::gui::win::CheckBox* getKeepRatio() const { return keepRatio_; }
    // The check box of a size of kSizes (or a depth of kDepths); null for another value.
    ::s::gui::win::CheckBox* getSizeBox(int32_t size) const;
    ::s::gui::win::CheckBox* getDepthBox(int32_t bpp) const;

protected:
    void buildGroups(::s::gui::win::Box* panel) override;
    bool settingKeeps() override;

private:
    ::s::gui::win::CheckBox* keepRatio_ = nullptr;
    ::s::gui::win::CheckBox* sizes_[9] = {};
    ::s::gui::win::CheckBox* depths_[3] = {};
};

}  // namespace s::image::gui::boxes
