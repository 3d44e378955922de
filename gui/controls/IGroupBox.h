// A captioned frame around one content box. Children added to the group box go into the
// content box; with accept-files on, files dropped on the content reach the group box's
// drop listeners (code 1).
//
//   IGroupBox* group = GroupBox::createWithTextId(2000000100, 100, LayoutKind::kColumn, 0, 4, 6, 4);
//   group->addChild(checkBox);
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/component/IContainer.h"
#include "gui/component/ITextFont.h"

namespace s::file::win {
class PathArray;
}
namespace s::gui::drawer {
class IGroupBox;
}

namespace s::gui {

class IBox;

class IGroupBox : public IContainer, public ITextFont {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_IGroupBox";

    // Null counts as ""; shown with every "&" doubled so nothing becomes a mnemonic.
    virtual void setTitle(const wchar_t* text) = 0;
    virtual void setTitleId(int32_t id) = 0;
    virtual void setPointSize(int32_t points) = 0;
    // A percentage clears the fixed size of its axis and the reverse.
    virtual void setWidthPercent(int32_t percent) = 0;
    virtual void setHeightPercent(int32_t percent) = 0;
    virtual void setFixedWidth(int32_t w) = 0;
    virtual void setFixedHeight(int32_t h) = 0;
    // COLORREF r | g << 8 | b << 16, handed to the drawer as the frame colour.
    virtual void setTitleColor(int32_t r, int32_t g, int32_t b) = 0;
    virtual void addSecondListener(events::IEventListener* l) = 0;
    virtual IBox* getContent() = 0;
    virtual void setContent(IBox* box) = 0;
    virtual void setAcceptFiles(bool on) = 0;
    virtual void addDropListener(events::IEventListener* l) = 0;  // code 1
    virtual file::win::PathArray* getDroppedPaths() = 0;
    virtual void setDrawer(drawer::IGroupBox* drawer, bool owned) = 0;
    // The drawer, else the default drawer.
    virtual drawer::IGroupBox* getDrawer() = 0;
    // Stored only.
    virtual void setCollapsed(bool on) = 0;

    virtual bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace s::gui
