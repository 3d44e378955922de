// Drop targets on real windows: registration with OLE, the handlers seeing the
// dragged data, effects cut to what the source allows, and reading the data.
#include <gtest/gtest.h>
#include <windows.h>

#include <ole2.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "framework/WindowTesting.h"
#include "framework/app/Afx.h"
#include "framework/ole/DropTarget.h"

namespace {

// A data object offering one wide text in one format as global memory. With
// keepOwnership the medium stays the source's (pUnkForRelease is set).
class TextData : public IDataObject {
public:
    TextData(CLIPFORMAT format, std::wstring text, bool keepOwnership)
        : format_(format), text_(std::move(text)), keep_(keepOwnership) {}
    LONG refs = 1;
    HGLOBAL lastGiven = nullptr;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }  // lives on the test's stack

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* fe, STGMEDIUM* medium) override {
        if (QueryGetData(fe) != S_OK) return DV_E_FORMATETC;
        const size_t bytes = (text_.size() + 1) * sizeof(wchar_t);
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(GlobalLock(h), text_.c_str(), bytes);
        GlobalUnlock(h);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = h;
        medium->pUnkForRelease = nullptr;
        if (keep_) {
            medium->pUnkForRelease = this;
            AddRef();
        }
        lastGiven = h;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* fe) override {
        return fe && fe->cfFormat == format_ && (fe->tymed & TYMED_HGLOBAL) && fe->dwAspect == DVASPECT_CONTENT
                   ? S_OK
                   : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC fe{format_, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return SHCreateStdEnumFmtEtc(1, &fe, out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    CLIPFORMAT format_;
    std::wstring text_;
    bool keep_;
};

std::wstring readText(HGLOBAL h) {
    std::wstring text(static_cast<const wchar_t*>(GlobalLock(h)));
    GlobalUnlock(h);
    return text;
}

CLIPFORMAT linkFormat() { return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"UniformResourceLocatorW")); }

// Wants a link when the link format is offered; records what it saw.
class LinkTarget : public COleDropTarget {
public:
    std::vector<std::string> calls;
    CWnd* seenWnd = nullptr;
    POINT seenPoint{};
    std::wstring dropped;

    DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD, POINT point) override {
        calls.push_back("enter");
        return want(wnd, data, point);
    }
    DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD, POINT point) override {
        calls.push_back("over");
        return want(wnd, data, point);
    }
    void OnDragLeave(CWnd*) override { calls.push_back("leave"); }
    BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, POINT) override {
        calls.push_back(effect == DROPEFFECT_LINK ? "drop link" : "drop other");
        HGLOBAL h = data->GetGlobalData(linkFormat());
        if (!h) return FALSE;
        dropped = readText(h);
        GlobalFree(h);
        return TRUE;
    }

private:
    DROPEFFECT want(CWnd* wnd, COleDataObject* data, POINT point) {
        seenWnd = wnd;
        seenPoint = point;
        return data->IsDataAvailable(linkFormat()) ? DROPEFFECT_LINK : DROPEFFECT_NONE;
    }
};

class DropTargetTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(AfxOleInit());
        ASSERT_TRUE(wnd.CreateEx(WS_EX_TOOLWINDOW, fwtest::traceClass(), L"", WS_POPUP | WS_VISIBLE, 300, 200, 120, 80,
                                 nullptr, nullptr));
    }
    void TearDown() override { wnd.DestroyWindow(); }
    CWnd wnd;
};

TEST_F(DropTargetTest, OneTargetPerWindowUntilRevoked) {
    LinkTarget first, second;
    ASSERT_TRUE(first.Register(&wnd));
    EXPECT_EQ(first.GetRegisteredWindow(), &wnd);
    EXPECT_FALSE(first.Register(&wnd));   // serves one window already
    EXPECT_FALSE(second.Register(&wnd));  // the window has a target
    first.Revoke();
    EXPECT_EQ(first.GetRegisteredWindow(), nullptr);
    EXPECT_TRUE(second.Register(&wnd));
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, fwtest::traceClass(), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    {
        LinkTarget temporary;
        ASSERT_TRUE(temporary.Register(&other));
    }
    // The target's end revoked it: the window takes a new one.
    LinkTarget next;
    EXPECT_TRUE(next.Register(&other));
    next.Revoke();
    other.DestroyWindow();
}

TEST_F(DropTargetTest, HandlersSeeTheDataAndTheWindowInClientCoordinates) {
    LinkTarget target;
    ASSERT_TRUE(target.Register(&wnd));
    TextData data(linkFormat(), L"https://example.com/a.jpg", false);
    IDropTarget* drop = target.GetInterface();

    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    ASSERT_EQ(drop->DragEnter(&data, MK_LBUTTON, POINTL{310, 215}, &effect), S_OK);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_LINK));
    EXPECT_EQ(target.seenWnd, &wnd);
    EXPECT_EQ(target.seenPoint.x, 10);
    EXPECT_EQ(target.seenPoint.y, 15);
    EXPECT_GT(data.refs, 1);  // held while the drag is over the window

    effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    drop->DragOver(MK_LBUTTON, POINTL{320, 230}, &effect);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_LINK));
    EXPECT_EQ(target.seenPoint.x, 20);

    effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    ASSERT_EQ(drop->Drop(&data, 0, POINTL{320, 230}, &effect), S_OK);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_LINK));
    EXPECT_EQ(target.dropped, L"https://example.com/a.jpg");
    EXPECT_EQ(data.refs, 1);  // every reference given back
    EXPECT_EQ(target.calls, (std::vector<std::string>{"enter", "over", "over", "drop link"}));
}

TEST_F(DropTargetTest, EffectsAreCutToWhatTheSourceAllows) {
    LinkTarget target;
    ASSERT_TRUE(target.Register(&wnd));
    TextData link(linkFormat(), L"https://example.com/", false);
    IDropTarget* drop = target.GetInterface();

    DWORD effect = DROPEFFECT_COPY;  // the source cannot link
    drop->DragEnter(&link, MK_LBUTTON, POINTL{310, 210}, &effect);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
    effect = DROPEFFECT_COPY;
    drop->Drop(&link, 0, POINTL{310, 210}, &effect);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
    EXPECT_TRUE(target.dropped.empty());
    EXPECT_EQ(target.calls.back(), "leave");  // refused: no drop handler

    TextData text(static_cast<CLIPFORMAT>(CF_UNICODETEXT), L"plain", false);  // not a link
    effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    drop->DragEnter(&text, MK_LBUTTON, POINTL{310, 210}, &effect);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
    drop->DragLeave();
    EXPECT_EQ(text.refs, 1);
    EXPECT_EQ(link.refs, 1);
}

TEST_F(DropTargetTest, GlobalDataIsAlwaysTheCallersToFree) {
    for (bool sourceKeepsIt : {false, true}) {
        TextData data(linkFormat(), L"https://example.com/b.png", sourceKeepsIt);
        COleDataObject view;
        view.Attach(&data, TRUE);
        EXPECT_TRUE(view.IsDataAvailable(linkFormat()));
        EXPECT_FALSE(view.IsDataAvailable(static_cast<CLIPFORMAT>(CF_HDROP)));
        EXPECT_EQ(view.GetGlobalData(static_cast<CLIPFORMAT>(CF_HDROP)), nullptr);
        HGLOBAL h = view.GetGlobalData(linkFormat());
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(readText(h), L"https://example.com/b.png");
        if (sourceKeepsIt) {
            EXPECT_NE(h, data.lastGiven);  // a copy: the source's memory went back to it
        } else {
            EXPECT_EQ(h, data.lastGiven);  // handed over as it was
        }
        EXPECT_EQ(GlobalFree(h), nullptr);
        view.Release();
        EXPECT_EQ(data.refs, 1) << sourceKeepsIt;
    }
}

TEST_F(DropTargetTest, RealDragFromAnOleSourceDropsOnTheWindowUnderTheCursor) {
    LinkTarget target;
    ASSERT_TRUE(target.Register(&wnd));
    TextData data(linkFormat(), L"https://example.com/c.gif", false);
    // Drops as soon as OLE asks: the button is already up.
    struct Source : IDropSource {
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
            if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
                *out = this;
                return S_OK;
            }
            *out = nullptr;
            return E_NOINTERFACE;
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
            return escape ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
        }
        HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
    } source;
    SetCursorPos(340, 240);
    ASSERT_TRUE(fwtest::waitUntil([] {
        POINT p;
        GetCursorPos(&p);
        return p.x == 340 && p.y == 240;
    }));
    DWORD effect = DROPEFFECT_NONE;
    HRESULT hr = DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect);
    EXPECT_EQ(hr, DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_LINK));
    EXPECT_EQ(target.dropped, L"https://example.com/c.gif");
}

}  // namespace
