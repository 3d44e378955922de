// The push button (see IButton.h) on the platform "Button" control. The platform paints
// it unless a skin drawer is set or the caption is "#Resizer" (a grip that resizes the
// owner window when dragged); then the library paints it through the drawer.
//
//   Button* ok = Button::createWithTextId(400330, -1, -1);
//   ok->addActionListener(&handler);
//   row->addChild(ok);                     // the window is made on the row's thread
//
// A press (left button down over it) tells the press listeners, a click the action
// listeners and then the toggle listeners; a double click counts as a second press and
// a second click. With auto-repeat, holding the button tells the press listeners again
// after 500 ms and then every 100 ms while the pointer stays over it.
#pragma once

#include <string>

#include "framework/controls/ButtonCtrl.h"
#include "gui/controls/Control.h"
#include "gui/controls/IButton.h"
#include "gui/fonts/Font.h"
#include "gui/fonts/FontSetting.h"

namespace s::gui::win {

namespace ButtonHoverState {
inline constexpr int32_t kIdle = 0;
inline constexpr int32_t kOver = 1;
inline constexpr int32_t kPressed = 2;
}  // namespace ButtonHoverState

class Button : public Control<IButton, CButton> {
    S_POOLED_CAP(Button, L"s_gui_win_Button", 0)
public:
    static constexpr UINT kControlId = 1000;
    static constexpr UINT_PTR kRepeatDelayTimer = 20001;
    static constexpr UINT_PTR kRepeatTimer = 20002;

    Button();
    ~Button() override;
    void reset() override;

    // A button with the text of the id (resolved when it is attached to a window with a
    // language pack), a width percentage (integer part, when >= 0) and a fixed height
    // (when >= 0).
    static Button* createWithTextId(int32_t textId, double widthPercent, int32_t fixedHeight);
    // The same with a literal caption.
    static Button* createWithText(const wchar_t* text, double widthPercent, int32_t fixedHeight);

    // IEventListener: language and skin changes of the owner window.
    void onEvent(base::IObject* source, int32_t code) override;

    // IComponent
    void setEnabled(bool enabled) override;

    // ITextFont: setters change all three styles (the text colour only the normal one),
    // getters read the normal one; each setter measures again.
    void setSizeCode(int32_t code) override;
    const wchar_t* getFace() override { return normal_.getFace(); }
    void setFace(const wchar_t* face) override;
    uint32_t getTextColor() override { return normal_.getColor(); }
    void setTextColor(int32_t r, int32_t g, int32_t b) override;
    int32_t getFontHeight() override { return normal_.getHeight(); }
    void setFontHeight(int32_t h) override;
    int32_t getFontWidth() override { return normal_.getWidth(); }
    void setFontWidth(int32_t w) override;
    bool isBold() override { return normal_.isBold(); }
    void setBold(bool on) override;
    bool isItalic() override { return normal_.isItalic(); }
    void setItalic(bool on) override;
    bool isUnderline() override { return normal_.isUnderline(); }
    void setUnderline(bool on) override;
    bool isStrikeOut() override { return normal_.isStrikeOut(); }
    void setStrikeOut(bool on) override;
    int32_t getWeight() override { return normal_.getWeight(); }
    void setWeight(int32_t weight) override;

    // IButton
    void setText(const wchar_t* text) override;
    void setTextId(int32_t id) override;
    int32_t getTextId() override { return textId_; }
    void setPointSize(int32_t points) override;
    void setWidthPercent(int32_t percent) override { widthHint_.setPercent(percent); }
    void setHeightPercent(int32_t percent) override { heightHint_.setPercent(percent); }
    void setFixedWidth(int32_t w) override { widthHint_.setFixed(w); }
    void setFixedHeight(int32_t h) override { heightHint_.setFixed(h); }
    void addActionListener(events::IEventListener* l) override { actionListeners_.push(l); }
    void addToggleListener(events::IEventListener* l) override { toggleListeners_.push(l); }
    void addPressListener(events::IEventListener* l) override { pressListeners_.push(l); }
    void setAutoRepeat(bool on) override { autoRepeat_ = on; }
    void setDrawer(drawer::IButton* drawer, bool owned) override;
    void setFlat(bool faceFlag) override;
    void setToggleMode(bool toggle, bool releasable, bool invertLook, bool restingFlag) override;
    bool isReleasable() override { return releasable_; }
    bool isToggled() override { return toggled_; }
    void setToggled(bool toggled) override;
    void setDefaultStyle() override;
    void clearDefaultStyle() override;
    bool isDefaultStyle() override { return defaultStyle_; }
    void setEnabledFlag(bool enabled) override { enabled_ = enabled; }
    void setColorSwatch(int32_t r, int32_t g, int32_t b) override;
    bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The caption, the drawer and the state the painting reads.
    const wchar_t* getText() const { return text_.c_str(); }
    drawer::IButton* getDrawer() const { return drawer_; }
    int32_t getHoverState() const { return hoverState_; }
    bool isPressed() const { return pressed_; }
    bool isFlat() const { return face_; }
    // True while the library paints the button (a drawer, or the "#Resizer" grip).
    bool isLibraryPainted() const;
    FontSetting* getNormalStyle() { return &normal_; }
    FontSetting* getDisabledStyle() { return &disabled_; }
    FontSetting* getToggledStyle() { return &toggledStyle_; }

protected:
    bool createWindow(CWnd* parentWnd) override;
    void updateSize() override;
    void attachServices() override;
    void detachServices() override;
    void paintContent(HDC dc, const RECT& rc) override;
    uint32_t textColor() override { return normal_.getColor(); }

private:
    bool isResizer() const;
    // Applies a change to all three styles, then measures.
    template <class F>
    void forEachStyle(F change);
    void handDrawerStyles();
    void press();
    void click();
    void setHover(int32_t state, bool repaintNow);
    void resizeOwner(int32_t screenX, int32_t screenY);
    bool cursorOverWindow() const;
    void stopRepeat();

    int32_t textId_ = -1;
    std::wstring text_;
    Font* measuringFont_ = nullptr;
    FontSetting normal_, disabled_, toggledStyle_;
    col::_array::ArrayP actionListeners_, toggleListeners_, pressListeners_;
    bool autoRepeat_ = false;
    int32_t lastX_ = 0, lastY_ = 0;
    bool pressed_ = false;
    int32_t hoverState_ = ButtonHoverState::kIdle;
    drawer::IButton* drawer_ = nullptr;
    bool drawerOwned_ = false;
    bool face_ = true;
    bool toggleMode_ = false, releasable_ = true, inverted_ = false, resting_ = false;
    bool toggled_ = false;
    bool defaultStyle_ = false;
};

}  // namespace s::gui::win
