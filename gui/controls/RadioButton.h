// The automatic radio button (see IRadioButton.h). Radio buttons of one parent window form
// a group: a click checks one and the platform unchecks the others. Every check message
// that reaches a button tells its checked listeners (checked) or its unchecked listeners
// (unchecked) code 0, also when the state did not change, unless the message comes from
// setChecked(flag, false).
//
//   RadioButton* jpeg = RadioButton::createWithTextId(1990004501);
//   jpeg->linkEditableToCheck(qualityField);   // editable while checked
//   row->addChild(jpeg);
//   jpeg->setChecked(true, false);             // silent
#pragma once

#include "gui/controls/CheckBoxBase.h"
#include "gui/controls/IRadioButton.h"
#include "gui/drawer/ICheckBox.h"

namespace s::gui::win {

class RadioButton : public CheckControlBase<IRadioButton, drawer::IRadioButton> {
    S_POOLED(RadioButton, L"s_gui_win_RadioButton")
public:
    RadioButton() { reset(); }
    ~RadioButton() override;

    static RadioButton* createWithText(const wchar_t* text);
    static RadioButton* createWithTextId(int32_t textId);

    // IRadioButton (the caption, font, listener, link and drawer operations are shared)
    void addEnableListener(events::IEventListener* l) override { push(enableListeners_, l); }
    void addDisableListener(events::IEventListener* l) override { push(disableListeners_, l); }
    // The window's mark while there is a window, else the stored state.
    bool isChecked() override;
    void setChecked(bool checked, bool notify) override;
    void linkEnabledToCheck(IComponent* component) override;
    void linkDisabledToCheck(IComponent* component) override;
    void linkEditableToCheck(IComponent* component) override;
    void editableWhenChecked(IComponent* component) override;
    void readOnlyWhenUnchecked(IComponent* component) override;
    // The measured size, whatever is asked.
    void setSizeClamped(int32_t, int32_t) override { setSize(getMinWidth(), getMinHeight()); }
    bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override {
        *result = 0;
        return preHandleCheck(result, message, wParam, lParam);
    }
    void postHandle(LRESULT*, UINT message, WPARAM, LPARAM) override { postHandleCheck(message); }

    void reset() override;

protected:
    bool createWindow(CWnd* parentWnd) override {
        return createButton(parentWnd, WS_CHILD | WS_TABSTOP | BS_NOTIFY | BS_AUTORADIOBUTTON);
    }
    void updateSize() override;
    void paintContent(HDC dc, const RECT& rc) override;
    drawer::IRadioButton* skinDrawer(drawer::ISkin* skin) override { return skin->getRadioButtonDrawer(); }
    void onCheckMessage(bool checked) override;
};

}  // namespace s::gui::win
