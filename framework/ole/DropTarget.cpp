#include "framework/ole/DropTarget.h"

#include <cstring>

// --- COleDataObject ---------------------------------------------------------

void COleDataObject::Attach(IDataObject* data, BOOL autoRelease) {
    Release();
    m_data = data;
    m_release = data && autoRelease;
    if (m_release) m_data->AddRef();
}

IDataObject* COleDataObject::Detach() {
    IDataObject* data = m_data;
    m_data = nullptr;
    m_release = false;
    return data;
}

void COleDataObject::Release() {
    if (m_data && m_release) m_data->Release();
    m_data = nullptr;
    m_release = false;
}

BOOL COleDataObject::AttachClipboard() {
    IDataObject* data = nullptr;
    if (FAILED(OleGetClipboard(&data)) || !data) return FALSE;
    Attach(data, FALSE);
    m_release = true;  // the reference OleGetClipboard gave us
    return TRUE;
}

namespace {

// Any medium a data object may offer.
constexpr DWORD kAnyMedium =
    TYMED_HGLOBAL | TYMED_FILE | TYMED_ISTREAM | TYMED_ISTORAGE | TYMED_GDI | TYMED_MFPICT | TYMED_ENHMF;

FORMATETC formatFor(CLIPFORMAT format, const FORMATETC* etc, DWORD tymed) {
    if (etc) return *etc;
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, tymed};
}

}  // namespace

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT format, const FORMATETC* etc) const {
    if (!m_data) return FALSE;
    FORMATETC fe = formatFor(format, etc, kAnyMedium);
    return m_data->QueryGetData(&fe) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT format, const FORMATETC* etc) const {
    if (!m_data) return nullptr;
    FORMATETC fe = formatFor(format, etc, TYMED_HGLOBAL);
    fe.tymed = TYMED_HGLOBAL;
    STGMEDIUM medium{};
    if (FAILED(m_data->GetData(&fe, &medium))) return nullptr;
    if (medium.tymed != TYMED_HGLOBAL || !medium.hGlobal) {
        ReleaseStgMedium(&medium);
        return nullptr;
    }
    if (!medium.pUnkForRelease) return medium.hGlobal;  // handed over: the caller's now
    // Still the source's: give the caller a copy of its own.
    HGLOBAL copy = nullptr;
    SIZE_T size = GlobalSize(medium.hGlobal);
    const void* from = GlobalLock(medium.hGlobal);
    if (from) {
        copy = GlobalAlloc(GMEM_MOVEABLE, size);
        void* to = copy ? GlobalLock(copy) : nullptr;
        if (to) {
            std::memcpy(to, from, size);
            GlobalUnlock(copy);
        } else if (copy) {
            GlobalFree(copy);
            copy = nullptr;
        }
        GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
    return copy;
}

// --- COleDropTarget -----------------------------------------------------------

// The interface OLE calls. It counts its own references and outlives its owner
// when OLE still holds one; then it answers "no drop".
class COleDropTarget::Sink final : public IDropTarget {
public:
    explicit Sink(COleDropTarget* owner) : owner_(owner) {}
    void orphan() {
        owner_ = nullptr;
        current_.Release();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
            *out = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        current_.Attach(data, TRUE);
        *effect = owner_ ? allowed(owner_->OnDragEnter(owner_->m_wnd, &current_, keyState, client(pt)), *effect)
                         : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL pt, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        *effect = owner_ ? allowed(owner_->OnDragOver(owner_->m_wnd, &current_, keyState, client(pt)), *effect)
                         : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        if (owner_) owner_->OnDragLeave(owner_->m_wnd);
        current_.Release();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        current_.Release();
        DWORD offered = *effect;
        *effect = DROPEFFECT_NONE;
        if (!owner_) return S_OK;
        COleDataObject dropped;
        dropped.Attach(data, TRUE);
        POINT point = client(pt);
        // The effect the drop would have where it is now, then the drop itself.
        DROPEFFECT chosen = allowed(owner_->OnDragOver(owner_->m_wnd, &dropped, keyState, point), offered) &
                            ~static_cast<DWORD>(DROPEFFECT_SCROLL);
        if (chosen == DROPEFFECT_NONE) {
            owner_->OnDragLeave(owner_->m_wnd);
            return S_OK;
        }
        if (owner_->OnDrop(owner_->m_wnd, &dropped, chosen, point)) *effect = chosen;
        return S_OK;
    }

private:
    virtual ~Sink() = default;

    // What the handler wants, cut to what the source allows; scrolling is the
    // target's own business.
    static DWORD allowed(DROPEFFECT wanted, DWORD offered) {
        return (wanted & offered) | (wanted & static_cast<DWORD>(DROPEFFECT_SCROLL));
    }
    POINT client(POINTL pt) const {
        POINT p{pt.x, pt.y};
        if (owner_ && owner_->m_hWnd) ScreenToClient(owner_->m_hWnd, &p);
        return p;
    }

    COleDropTarget* owner_;
    COleDataObject current_;
    LONG refs_ = 1;
};

COleDropTarget::COleDropTarget() : m_sink(new Sink(this)) {}

COleDropTarget::~COleDropTarget() {
    Revoke();
    m_sink->orphan();
    m_sink->Release();
}

BOOL COleDropTarget::Register(CWnd* wnd) {
    if (m_hWnd || !wnd || !wnd->m_hWnd) return FALSE;
    if (FAILED(RegisterDragDrop(wnd->m_hWnd, m_sink))) return FALSE;
    m_wnd = wnd;
    m_hWnd = wnd->m_hWnd;
    return TRUE;
}

void COleDropTarget::Revoke() {
    if (!m_hWnd) return;
    RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
    m_wnd = nullptr;
}

IDropTarget* COleDropTarget::GetInterface() { return m_sink; }

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, POINT) { return DROPEFFECT_NONE; }

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, POINT) { return DROPEFFECT_NONE; }

void COleDropTarget::OnDragLeave(CWnd*) {}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, POINT) { return FALSE; }
