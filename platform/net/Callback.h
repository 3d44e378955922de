// The bind-status callback handed to the system's URL downloads: it passes progress
// on, records the server's HTTP status and aborts the transfer once its owner asks.
#pragma once

#include <windows.h>
#include <urlmon.h>

#include <atomic>
#include <cstdint>

namespace s::system::network {

// Progress of a transfer: (maximum, progress, data, buffer) with data and buffer
// passed through unchanged.
using ProgressFn = void (*)(uint32_t progressMax, uint32_t progress, void* data, void* buffer);

namespace win {

// Lives on the stack for one download (reference counting does nothing).
class CCallback final : public IBindStatusCallback, public IHttpNegotiate, public IServiceProvider {
public:
    // stop: while it reads non-zero the download is aborted at its next notification.
    CCallback(ProgressFn progress, void* data, void* buffer, const std::atomic<uint8_t>* stop)
        : progress_(progress), data_(data), buffer_(buffer), stop_(stop) {}
    virtual ~CCallback() = default;

    // The last HTTP status reported by the server; 0 when none was reported.
    uint32_t responseCode() const { return responseCode_; }
    // True unless a server answered with a status outside 200..299.
    bool statusOk() const { return responseCode_ == 0 || (responseCode_ >= 200 && responseCode_ < 300); }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    // IBindStatusCallback: only the progress notification does something.
    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override;
    HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG progressMax, ULONG statusCode,
                                         LPCWSTR statusText) override;
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD*, BINDINFO*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override;
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return E_NOTIMPL; }

    // IHttpNegotiate: no extra headers; the response status is kept.
    HRESULT STDMETHODCALLTYPE BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additional) override;
    HRESULT STDMETHODCALLTYPE OnResponse(DWORD code, LPCWSTR, LPCWSTR, LPWSTR* additional) override;

    // IServiceProvider: the interfaces above.
    HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID riid, void** out) override;

private:
    bool stopping() const { return stop_ && stop_->load() != 0; }

    ProgressFn progress_;
    void* data_;
    void* buffer_;
    const std::atomic<uint8_t>* stop_;
    uint32_t responseCode_ = 0;
};

}  // namespace win

// True when the system's connected-state query succeeds and does not answer
// exactly "offline".
bool isOnline();

}  // namespace s::system::network
