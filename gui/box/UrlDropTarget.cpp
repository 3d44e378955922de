#include "gui/box/UrlDropTarget.h"

#include "foundation/events/IEventListener.h"

namespace s::gui::win {

UrlDropTarget::UrlDropTarget()
    : urlFormat_(CLIPFORMAT(::RegisterClipboardFormatW(L"UniformResourceLocator"))),
      urlFormatW_(CLIPFORMAT(::RegisterClipboardFormatW(L"UniformResourceLocatorW"))) {}

void UrlDropTarget::reset() {
    Revoke();
    owner_ = nullptr;
    url_.clear();
}

DROPEFFECT UrlDropTarget::OnDragEnter(CWnd*, COleDataObject* data, DWORD, POINT) {
    return data && data->IsDataAvailable(urlFormatW_) ? DROPEFFECT_LINK : DROPEFFECT_NONE;
}

DROPEFFECT UrlDropTarget::OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, POINT point) {
    return OnDragEnter(wnd, data, keyState, point);
}

std::wstring UrlDropTarget::readLinkText(HGLOBAL memory) {
    std::wstring text;
    if (!memory) return text;
    const SIZE_T chars = ::GlobalSize(memory) / sizeof(wchar_t);
    if (const auto* p = static_cast<const wchar_t*>(::GlobalLock(memory))) {
        size_t n = 0;
        while (n < chars && p[n]) ++n;
        text.assign(p, n);
        ::GlobalUnlock(memory);
    }
    return text;
}

BOOL UrlDropTarget::OnDrop(CWnd*, COleDataObject* data, DROPEFFECT, POINT) {
    url_.clear();
    if (!data) return TRUE;
    if (HGLOBAL memory = data->GetGlobalData(urlFormatW_)) {
        url_ = readLinkText(memory);
        ::GlobalFree(memory);
        if (owner_) owner_->onEvent(this, kDropped);
    }
    return TRUE;
}

}  // namespace s::gui::win
