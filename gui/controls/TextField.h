// The single-line edit field (see ITextField.h) on the platform edit control, drawn by
// Windows in the colours the field answers. Its notifications become events: a text
// change (unless set with notify false), Enter (taken before the edit control sees the
// key, so no character and no beep follow) and the loss of the focus.
//
//   TextField* name = TextField::create();
//   name->addEnterListener(&handler);
//   row->addChild(name);
#pragma once

#include <string>

#include "framework/controls/Edit.h"
#include "gui/controls/SingleFontControl.h"
#include "gui/controls/ITextField.h"

namespace s::gui::win {

class TextField : public SingleFontControl<ITextField, CEdit> {
    S_POOLED(TextField, L"s_gui_win_TextField")
public:
    static constexpr UINT kControlId = 1001;

    TextField();
    ~TextField() override;
    void reset() override;

    // IComponent
    void setEnabled(bool enabled) override;
    bool isEditable() override { return editable_; }
    void setEditable(bool editable) override;
    // Width: the fixed one when set, else at least the minimum; then at most the
    // preferred one (heights alike).
    void setSizeClamped(int32_t w, int32_t h) override;

    // ITextFont (the field's font): the size code also repaints.
    void setSizeCode(int32_t code) override;

    // ITextField
    const wchar_t* getText() override;
    void setText(const wchar_t* text, bool notify) override;
    bool isEmpty() override;
    void clear() override { setText(L"", true); }
    int32_t getSizeCode() override { return font_.getSizeCode(); }
    void setWidthPercent(int32_t percent) override { widthHint_.setPercent(percent); }
    void setHeightPercent(int32_t percent) override { heightHint_.setPercent(percent); }
    void setFixedWidth(int32_t w) override { widthHint_.setFixed(w); }
    void setFixedHeight(int32_t h) override { heightHint_.setFixed(h); }
    void addChangeListener(events::IEventListener* l) override { changeListeners_.push(l); }
    void addEnterListener(events::IEventListener* l) override { enterListeners_.push(l); }
    void addFocusLostListener(events::IEventListener* l) override { focusLostListeners_.push(l); }
    void selectAll() override;
    void focusAndSelectAll() override;
    void setPassword(bool on) override;
    bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    void postHandle(LRESULT*, UINT, WPARAM, LPARAM) override {}

    // Enter is taken here, before the edit control sees the key.
    BOOL PreTranslateMessage(MSG* msg) override;

    Font* getFont() { return &font_; }
    bool isPassword() const { return password_; }

protected:
    bool createWindow(CWnd* parentWnd) override;
    void updateSize() override;
    void attachServices() override;
    void detachServices() override;

    // Gives the window the font again and measures.
    void fontChanged() override;

private:
    void readWindowText();

    std::wstring text_;
    bool editable_ = true;
    bool notify_ = true;
    col::_array::ArrayP changeListeners_, enterListeners_, focusLostListeners_;
    bool password_ = false;
};

}  // namespace s::gui::win
