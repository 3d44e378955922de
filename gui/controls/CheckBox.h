// The automatic check box (see ICheckBox.h). The platform toggles the mark on clicks and
// sends the box BM_SETCHECK; the box sees that message first: a change from unchecked
// tells the checked listeners code 1, a change from checked the unchecked listeners code
// 2. setChecked stores the new state before it sends the message, so a state set by a
// caller tells nobody and runs no linked Enabler or Disabler: only the user's clicks do.
//
//   CheckBox* resize = CheckBox::createWithTextId(2000000200, false);
//   resize->bindEnabled(widthField);   // the caller sets widthField's first state itself
//   column->addChild(resize);
#pragma once

#include "gui/controls/CheckBoxBase.h"
#include "gui/controls/ICheckBox.h"
#include "gui/drawer/ICheckBox.h"

namespace s::gui::win {

class CheckBox : public CheckControlBase<ICheckBox, drawer::ICheckBox> {
    S_POOLED(CheckBox, L"s_gui_win_CheckBox")
public:
    CheckBox() { reset(); }
    ~CheckBox() override;

    // A pooled box with the caption of the id and the state (no event), word wrap off.
    static CheckBox* createWithTextId(int32_t textId, bool checked);
    static CheckBox* createWithText(const wchar_t* text, bool checked);

    // ICheckBox (the caption, font, listener, link and drawer operations are shared)
    void setWordWrap(bool on) override;
    void addEnabledListener(events::IEventListener* l) override { push(enableListeners_, l); }
    void addDisabledListener(events::IEventListener* l) override { push(disableListeners_, l); }
    void setChecked(bool checked) override;
    void setCheckedSilently(bool checked) override;
    void bindEnabled(IComponent* component) override;
    void bindEnabledInverse(IComponent* component) override;
    // Without word wrap the measured size; with it the caption is wrapped to the width.
    void setSizeClamped(int32_t w, int32_t h) override;
    bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    void postHandle(LRESULT*, UINT message, WPARAM, LPARAM) override { postHandleCheck(message); }

    void reset() override;

protected:
    bool createWindow(CWnd* parentWnd) override;
    void updateSize() override;
    void paintContent(HDC dc, const RECT& rc) override;
    drawer::ICheckBox* skinDrawer(drawer::ISkin* skin) override { return skin->getCheckBoxDrawer(); }
    void onCheckMessage(bool checked) override;

private:
    // The wrapped caption's size in a rectangle of the width (DT_CALCRECT).
    SIZE layoutText(HDC dc, int32_t width, UINT extraFlags);
};

}  // namespace s::gui::win
