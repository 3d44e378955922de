#include "platform/net/Callback.h"

#include <wininet.h>

namespace s::system::network {

namespace win {

HRESULT CCallback::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IBindStatusCallback)) {
        *out = static_cast<IBindStatusCallback*>(this);
    } else if (IsEqualIID(riid, IID_IHttpNegotiate)) {
        *out = static_cast<IHttpNegotiate*>(this);
    } else if (IsEqualIID(riid, IID_IServiceProvider)) {
        *out = static_cast<IServiceProvider*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    return S_OK;
}

HRESULT CCallback::OnStartBinding(DWORD, IBinding*) { return stopping() ? E_ABORT : E_NOTIMPL; }

HRESULT CCallback::OnProgress(ULONG progress, ULONG progressMax, ULONG, LPCWSTR) {
    if (stopping()) return E_ABORT;
    if (progress_) progress_(progressMax, progress, data_, buffer_);
    return S_OK;
}

HRESULT CCallback::OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) { return stopping() ? E_ABORT : E_NOTIMPL; }

HRESULT CCallback::BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additional) {
    if (additional) *additional = nullptr;
    return stopping() ? E_ABORT : S_OK;
}

HRESULT CCallback::OnResponse(DWORD code, LPCWSTR, LPCWSTR, LPWSTR* additional) {
    if (additional) *additional = nullptr;
    responseCode_ = code;
    // A failed request is not downloaded at all.
    if (stopping() || !statusOk()) return E_ABORT;
    return S_OK;
}

HRESULT CCallback::QueryService(REFGUID, REFIID riid, void** out) { return QueryInterface(riid, out); }

}  // namespace win

bool isOnline() {
    DWORD flags = 0;
    if (!InternetGetConnectedState(&flags, 0)) return false;
    return flags != INTERNET_CONNECTION_OFFLINE;
}

}  // namespace s::system::network
