// The link drop target of a panel: accepts a dragged link ("UniformResourceLocatorW")
// and tells its owner with code 3 once the text is taken.
#pragma once

#include <windows.h>

#include <string>

#include "foundation/base/Object.h"
#include "foundation/thread/Pool.h"
#include "framework/ole/DropTarget.h"

namespace s::gui::events {
class IEventListener;
}

namespace s::gui::win {

class UrlDropTarget : public COleDropTarget, public base::IObject, public thread::IPoolable {
    S_POOLED(UrlDropTarget, L"s_gui_win_UrlDropTarget")
public:
    // The code the owner is told after a drop.
    static constexpr int32_t kDropped = 3;

    UrlDropTarget();
    void reset() override;

    void setOwner(events::IEventListener* owner) { owner_ = owner; }
    const wchar_t* getUrl() const { return url_.c_str(); }

    DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, POINT point) override;
    DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, POINT point) override;
    BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, POINT point) override;

    // The link text held by global memory: at most its size in characters, up to the
    // first zero; empty for null memory.
    static std::wstring readLinkText(HGLOBAL memory);

private:
    CLIPFORMAT urlFormat_ = 0;
    CLIPFORMAT urlFormatW_ = 0;
    events::IEventListener* owner_ = nullptr;
    std::wstring url_;
};

}  // namespace s::gui::win
