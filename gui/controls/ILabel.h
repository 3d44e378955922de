// A text (given directly or by language-pack id) laid out and painted by a text drawer
// with a main font and four state fonts; it can word-wrap or end in an ellipsis, show
// a temporary text for a while, and act as a link that opens a URL.
//
//   ILabel* status = Label::createWithText(L"Ready", true);
//   status->showTemporaryText(L"Saved", 2000);   // "Ready" returns after two seconds
//   ILabel* link = Label::createWithText(L"Home page", false);
//   link->setClickable(true);
//   link->setUrl(L"https://example.org/");
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/component/IComponent.h"
#include "gui/component/ITextFont.h"

namespace s::gui::drawer {
class IText;
}
namespace s::gui::win {
class Font;
}

namespace s::gui {

class ILabel : public IComponent, public ITextFont {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_ILabel";

    virtual void setWordWrap(bool on) = 0;
    virtual void setEndEllipsis(bool on) = 0;
    // Runs on the window's thread; true when the text changed.
    virtual bool setText(const wchar_t* text, bool redraw) = 0;
    virtual const wchar_t* getText() = 0;
    // The text shows for the given time, then the label's own text returns.
    virtual void showTemporaryText(const wchar_t* text, int32_t milliseconds) = 0;
    // Without a localizer on the owner window (or with id -1) the text becomes "".
    virtual void setTextId(int32_t id) = 0;
    virtual int32_t getTextId() = 0;
    virtual void setPointSize(int32_t points) = 0;
    virtual int32_t getTextEffect() = 0;
    virtual void setTextEffect(int32_t effect) = 0;
    virtual void setDrawer(drawer::IText* drawer, bool owned) = 0;
    virtual bool isClickable() = 0;
    virtual void setClickable(bool on) = 0;
    // Null gives "".
    virtual void setUrl(const wchar_t* url) = 0;
    virtual void addClickListener(events::IEventListener* l) = 0;
    virtual win::Font* getFont() = 0;
    // Made on first request. Font 1 (disabled) is also the measuring font while the
    // label is disabled; 2-4 serve the link, link-hover and link-pressed states.
    virtual win::Font* getStateFont1() = 0;
    virtual win::Font* getStateFont2() = 0;
    virtual win::Font* getStateFont3() = 0;
    virtual win::Font* getStateFont4() = 0;

    virtual bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace s::gui
