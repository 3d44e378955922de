// OLE drag and drop onto a window.
//
//   class LinkTarget : public COleDropTarget {
//       DROPEFFECT OnDragEnter(CWnd*, COleDataObject* data, DWORD, POINT) override {
//           return data->IsDataAvailable(linkFormat) ? DROPEFFECT_LINK : DROPEFFECT_NONE;
//       }
//       DROPEFFECT OnDragOver(CWnd* w, COleDataObject* d, DWORD k, POINT p) override { return OnDragEnter(w, d, k, p); }
//       BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT, POINT) override {
//           HGLOBAL text = data->GetGlobalData(linkFormat);   // ours to free
//           ...
//           GlobalFree(text);
//           return TRUE;
//       }
//   };
//   AfxOleInit();                 // on the window's thread
//   target.Register(&wnd);        // until Revoke or the target's end
//
// The effect a handler answers is limited to the effects the drag source allows.
// Points are in the window's client coordinates.
#pragma once

#include <windows.h>

#include <ole2.h>

#include "framework/window/Wnd.h"

using DROPEFFECT = DWORD;

// A view of a data object offered by a drag or the clipboard.
class COleDataObject {
public:
    COleDataObject() = default;
    ~COleDataObject() { Release(); }
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // Views data; with autoRelease the view holds a reference of its own.
    void Attach(IDataObject* data, BOOL autoRelease = TRUE);
    IDataObject* Detach();
    void Release();
    // Views what the clipboard holds (OLE must be started on this thread).
    BOOL AttachClipboard();
    IDataObject* GetIDataObject() const { return m_data; }

    // True when the data can be had in the format (any medium unless etc says).
    BOOL IsDataAvailable(CLIPFORMAT format, const FORMATETC* etc = nullptr) const;
    // The data in the format as global memory that the caller frees (GlobalFree);
    // null when it is not offered as global memory.
    HGLOBAL GetGlobalData(CLIPFORMAT format, const FORMATETC* etc = nullptr) const;

private:
    IDataObject* m_data = nullptr;
    bool m_release = false;
};

class COleDropTarget {
public:
    COleDropTarget();
    virtual ~COleDropTarget();
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // Makes this the drop target of the window; false when OLE is not started on
    // this thread, the window has a target already, or this target serves one.
    BOOL Register(CWnd* wnd);
    void Revoke();
    CWnd* GetRegisteredWindow() const { return m_wnd; }

    virtual DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, POINT point);
    virtual DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, POINT point);
    virtual void OnDragLeave(CWnd* wnd);
    // True when the data was taken.
    virtual BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, POINT point);

    // The interface registered with OLE (for tests that play the drag source).
    IDropTarget* GetInterface();

private:
    class Sink;
    Sink* m_sink;
    CWnd* m_wnd = nullptr;
    HWND m_hWnd = nullptr;
};
