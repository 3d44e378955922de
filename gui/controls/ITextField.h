// The single-line edit field, drawn by Windows in the colours the field supplies.
//
//   ITextField* name = TextField::create();
//   name->addEnterListener(&handler);          // TextFieldEvent::kEnter; the key is consumed
//   name->setText(L"untitled", false);         // no change event for this one
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/component/Events.h"
#include "gui/component/IComponent.h"
#include "gui/component/ITextFont.h"

namespace s::gui {

class ITextField : public IComponent, public ITextFont {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_ITextField";

    // Reads the window text first when the window exists.
    virtual const wchar_t* getText() = 0;
    // Null counts as ""; with notify false the change listeners do not hear this change.
    virtual void setText(const wchar_t* text, bool notify) = 0;
    virtual bool isEmpty() = 0;
    virtual void clear() = 0;
    virtual int32_t getSizeCode() = 0;
    // A percentage clears the fixed size of its axis and the reverse (the last call wins).
    virtual void setWidthPercent(int32_t percent) = 0;
    virtual void setHeightPercent(int32_t percent) = 0;
    virtual void setFixedWidth(int32_t w) = 0;
    virtual void setFixedHeight(int32_t h) = 0;
    virtual void addChangeListener(events::IEventListener* l) = 0;     // TextFieldEvent::kChange
    virtual void addEnterListener(events::IEventListener* l) = 0;      // TextFieldEvent::kEnter
    virtual void addFocusLostListener(events::IEventListener* l) = 0;  // TextFieldEvent::kFocusLost
    // Focus and select all on the window's thread.
    virtual void selectAll() = 0;
    // The same, on the calling thread.
    virtual void focusAndSelectAll() = 0;
    virtual void setPassword(bool on) = 0;

    virtual bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace s::gui
