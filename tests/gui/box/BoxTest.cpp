// Panels in a real window: children laid out on the window's thread, hidden panels that
// stay hidden through layouts, dropped files read at their full length, the link drop
// target kept to the caller's choice across re-attachment, clicks, the wheel, nested
// layouts and a transparent panel showing its parent's colour.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "support/DropFiles.h"
#include "gui/box/Box.h"
#include "gui/box/UrlDropTarget.h"
#include "gui/window/WindowTestSupport.h"
#include "platform/file/PathArray.h"
#include "platform/file/PathWin.h"

namespace {

namespace BoxEvent = s::gui::BoxEvent;
namespace LayoutKind = s::gui::LayoutKind;
using s::gui::win::Box;
using windowtest::Recorder;
using windowtest::waitFor;

// A child window's rectangle in its parent's client coordinates.
RECT rectInParent(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

using testsupport::makeDrop;

class BoxTest : public windowtest::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->setBounds(100, 100, 400, 300);
        window->setVisible(true, true);
        panel = Box::createSized(LayoutKind::kColumn, 200, 100, 0, 0, 5);
        window->addChild(panel);
        ASSERT_NE(panel->m_hWnd, nullptr);
        panel->setSizeClamped(1000, 1000);  // the fixed 200 x 100
    }
    // A panel of a fixed size for the column.
    static Box* fixedBox(int32_t w, int32_t h) { return Box::createSized(LayoutKind::kColumn, w, h, 0, 0, 0); }

    Box* panel = nullptr;
};

TEST_F(BoxTest, ColumnPlacesChildWindowsWithTheGap) {
    Box* a = fixedBox(50, 30);
    Box* b = fixedBox(60, 20);
    panel->addChild(a);
    panel->addChild(b);
    ASSERT_NE(a->m_hWnd, nullptr);
    ASSERT_NE(b->m_hWnd, nullptr);
    EXPECT_EQ(GetParent(a->m_hWnd), panel->m_hWnd);

    const RECT ra = rectInParent(a->m_hWnd), rb = rectInParent(b->m_hWnd);
    EXPECT_EQ(ra.left, 0);
    EXPECT_EQ(ra.top, 0);
    EXPECT_EQ(ra.right - ra.left, 50);
    EXPECT_EQ(ra.bottom - ra.top, 30);
    EXPECT_EQ(rb.top, 35);
    EXPECT_EQ(rb.bottom - rb.top, 20);
    EXPECT_TRUE(IsWindowVisible(a->m_hWnd));
    EXPECT_EQ(panel->getLayoutSizes().minHeight, 55);
}

TEST_F(BoxTest, MarginsBecomeTheChildrensOrigin) {
    panel->setMargins(7, 0, 4, 0);
    Box* a = fixedBox(50, 30);
    panel->addChild(a);
    const RECT r = rectInParent(a->m_hWnd);
    EXPECT_EQ(r.left, 7);
    EXPECT_EQ(r.top, 4);
}

TEST_F(BoxTest, AHiddenChildStaysHiddenThroughLayouts) {
    Box* a = fixedBox(50, 30);
    Box* b = fixedBox(50, 30);
    panel->addChild(a);
    panel->addChild(b);
    b->setVisible(false, true);
    EXPECT_FALSE(IsWindowVisible(b->m_hWnd));

    panel->doLayout();
    panel->setSizeClamped(1000, 1000);

    EXPECT_FALSE(IsWindowVisible(b->m_hWnd));  // moved back into place, but not shown
    EXPECT_TRUE(IsWindowVisible(a->m_hWnd));
    EXPECT_EQ(rectInParent(b->m_hWnd).top, 35);

    b->setVisible(true, true);
    EXPECT_TRUE(IsWindowVisible(b->m_hWnd));
}

TEST_F(BoxTest, DroppedFilesArriveWholeAndReplaceTheLastDrop) {
    Recorder dropped;
    std::vector<std::wstring> seen;
    dropped.action = [&](int32_t) {
        seen.clear();
        auto* files = panel->getDroppedFiles();
        for (int32_t i = 0; i < files->getCount(); ++i) seen.push_back(files->get(i)->getFullPath());
    };
    panel->setAcceptFiles(true);
    panel->addFileDropListener(&dropped);
    EXPECT_TRUE(GetWindowLongW(panel->m_hWnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

    std::wstring longPath = L"C:\\";
    while (longPath.size() < 290) longPath += L"very long folder name\\";
    longPath.resize(296);
    longPath += L".jpg";
    ASSERT_EQ(longPath.size(), 300u);
    SendMessageW(panel->m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({L"C:\\a.png", longPath})), 0);
    ASSERT_EQ(dropped.count.load(), 1);
    EXPECT_EQ(dropped.codes[0], BoxEvent::kFilesDropped);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1], longPath);

    SendMessageW(panel->m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({L"C:\\b.gif"})), 0);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], L"C:\\b.gif");
}

TEST_F(BoxTest, ALinkTargetOnlyWhenAskedAcrossReattachment) {
    Box* plain = fixedBox(20, 20);
    Box* links = fixedBox(20, 20);
    links->setAcceptUrls(true);
    panel->addChild(plain);
    panel->addChild(links);
    EXPECT_EQ(GetPropW(plain->m_hWnd, L"OleDropTargetInterface"), nullptr);
    EXPECT_NE(GetPropW(links->m_hWnd, L"OleDropTargetInterface"), nullptr);

    for (Box* b : {plain, links}) {
        b->setParent(nullptr);
        EXPECT_EQ(b->m_hWnd, nullptr);
        SendMessageW(panel->m_hWnd, s::gui::LibraryMessage::kAttachChild, reinterpret_cast<WPARAM>(b), 0);
        ASSERT_NE(b->m_hWnd, nullptr);
    }
    EXPECT_FALSE(plain->hasUrlDropTarget());
    EXPECT_EQ(GetPropW(plain->m_hWnd, L"OleDropTargetInterface"), nullptr);
    EXPECT_TRUE(links->hasUrlDropTarget());
    EXPECT_NE(GetPropW(links->m_hWnd, L"OleDropTargetInterface"), nullptr);
}

TEST_F(BoxTest, ClickListenersCatchTheButtonAndTurnClickThroughOff) {
    Recorder clicks;
    const POINT inside{10, 10};
    ClientToScreen(panel->m_hWnd, const_cast<POINT*>(&inside));
    EXPECT_EQ(SendMessageW(panel->m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTTRANSPARENT);

    panel->addClickListener(&clicks);
    EXPECT_EQ(SendMessageW(panel->m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCLIENT);
    EXPECT_EQ(SendMessageW(panel->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10)), 1);
    ASSERT_EQ(clicks.count.load(), 1);
    EXPECT_EQ(clicks.codes[0], BoxEvent::kLeftButtonDown);
}

TEST_F(BoxTest, TheWheelGoesToTheBoxListenersElseToTheWindow) {
    Recorder boxWheel, windowWheel;
    window->addWheelListener(&windowWheel);
    POINT centre{100, 50};
    ClientToScreen(panel->m_hWnd, &centre);
    const WPARAM down = MAKEWPARAM(0, WORD(-WHEEL_DELTA));
    const LPARAM at = MAKELPARAM(centre.x, centre.y);

    SendMessageW(panel->m_hWnd, WM_MOUSEWHEEL, down, at);
    EXPECT_EQ(windowWheel.count.load(), 1);

    panel->addWheelListener(&boxWheel);
    EXPECT_EQ(SendMessageW(panel->m_hWnd, WM_MOUSEWHEEL, down, at), 0);
    ASSERT_EQ(boxWheel.count.load(), 1);
    EXPECT_EQ(boxWheel.codes[0], BoxEvent::kWheel);
    EXPECT_LT(panel->getWheelLines(), 0);
    EXPECT_EQ(windowWheel.count.load(), 1);
}

TEST_F(BoxTest, ALayoutMayRunInsideALayoutOnceNotDeeper) {
    Recorder laidOut;
    laidOut.action = [&](int32_t) { panel->doLayout(); };
    panel->addLayoutListener(&laidOut);
    panel->doLayout();
    EXPECT_EQ(laidOut.count.load(), 2);
}

TEST_F(BoxTest, ATransparentBoxShowsItsOpaqueParentsColour) {
    Box* red = fixedBox(80, 60);
    red->setBackgroundColor(255, 0, 0, false);
    panel->addChild(red);
    Box* glass = fixedBox(40, 30);
    red->addChild(glass);
    ASSERT_TRUE(glass->isTransparent());
    RedrawWindow(red->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    // The glass box's own painting.
    EXPECT_EQ(windowtest::paintedPixel(glass->m_hWnd, 20, 15), RGB(255, 0, 0));
}

TEST(BoxFactories, CreateWithLayoutLeavesUnsetValuesAlone) {
    Box* b = Box::createWithLayout(LayoutKind::kColumn, -1, -1, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(b->getLayoutKind(), LayoutKind::kColumn);
    EXPECT_EQ(b->getMinWidth(), 0);
    EXPECT_EQ(b->getPreferredWidth(), 0);
    EXPECT_EQ(b->getInnerWidth(), 0);
    b->release();

    Box* r = Box::createWithLayout(LayoutKind::kRow, 50.9, -1, 1, 2, 3, 4, 5, 6);
    EXPECT_EQ(r->getLayoutKind(), LayoutKind::kRow);
    r->setSize(100, 100);
    EXPECT_EQ(r->getInnerWidth(), 90);   // margins 5 and 5
    EXPECT_EQ(r->getInnerHeight(), 88);  // margins 6 and 6
    r->setFixedWidth(70, false);
    EXPECT_EQ(r->getPreferredWidth(), 70);
    r->setWidthPercent(50, false);
    EXPECT_EQ(r->getPreferredWidth(), 0);  // no parent: half of nothing
    r->release();
}

}  // namespace

namespace {

// A data object that offers one global-memory format, as a browser's link drag does.
class LinkData final : public IDataObject {
public:
    LinkData(CLIPFORMAT format, const void* bytes, size_t size) : format_(format), bytes_(size) {
        memcpy(bytes_.data(), bytes, size);
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IDataObject) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* etc, STGMEDIUM* medium) override {
        if (QueryGetData(etc) != S_OK) return DV_E_FORMATETC;
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
        memcpy(GlobalLock(h), bytes_.data(), bytes_.size());
        GlobalUnlock(h);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = h;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* etc) override {
        return etc && etc->cfFormat == format_ && (etc->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    CLIPFORMAT format_;
    std::vector<char> bytes_;
};

TEST_F(BoxTest, ADroppedLinkReachesTheListenersBoundedByItsMemory) {
    Recorder links;
    std::wstring seen;
    links.action = [&](int32_t) { seen = panel->getDroppedUrl(); };
    panel->addUrlDropListener(&links);
    panel->setAcceptUrls(true);
    s::gui::win::UrlDropTarget* target = panel->getUrlDropTarget();
    ASSERT_NE(target, nullptr);
    const auto format = CLIPFORMAT(RegisterClipboardFormatW(L"UniformResourceLocatorW"));

    const wchar_t url[] = L"https://example.org/a.png";
    LinkData whole(format, url, sizeof(url));
    COleDataObject data;
    data.Attach(&whole, FALSE);
    EXPECT_EQ(target->OnDragEnter(nullptr, &data, 0, POINT{}), DWORD(DROPEFFECT_LINK));
    EXPECT_TRUE(target->OnDrop(nullptr, &data, DROPEFFECT_LINK, POINT{}));
    ASSERT_EQ(links.count.load(), 1);
    EXPECT_EQ(links.codes[0], BoxEvent::kUrlDropped);
    EXPECT_EQ(seen, url);

    // Text without its terminating zero: read no further than the memory holds.
    const wchar_t unterminated[] = {L'h', L't', L't', L'p', L':', L'/', L'/', L'x'};
    LinkData cut(format, unterminated, sizeof(unterminated));
    COleDataObject cutData;
    cutData.Attach(&cut, FALSE);
    target->OnDrop(nullptr, &cutData, DROPEFFECT_LINK, POINT{});
    ASSERT_EQ(links.count.load(), 2);
    EXPECT_EQ(seen.substr(0, 8), L"http://x");
    EXPECT_LE(seen.size(), 8u + 8u);  // at most the memory's (possibly rounded) size
}

}  // namespace
