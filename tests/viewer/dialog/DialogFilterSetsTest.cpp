// Filter sets chosen on a real viewer: the shown picture takes the chosen set's filters,
// and "Current Filter Set" gives the picture back as it was.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "DialogTestSupport.h"
#include "gui/controls/IImage.h"
#include "gui/menus/PopupMenu.h"
#include "gui/window/WindowTestSupport.h"
#include "support/HostTool.h"
#include "viewer/open/OpenTestSupport.h"
#include "viewer/effects/EffectData.h"
#include "viewer/effects/FilterSetList.h"
#include "viewer/menus/CommandIds.h"
#include "viewer/menus/RightClickMenu.h"

using dialogtest::Viewer;
using dialogtest::waitFor;
using s::image::gui::dialogs::imageview::RightClickMenu;
using s::image::gui::dialogs::imageview::EffectData;
using s::image::gui::dialogs::imageview::FilterSetList;
namespace cmd = s::image::gui::dialogs::imageview::command;

namespace {

// The command of the filter-set submenu's item with this text, 0 when there is none.
UINT commandNamed(HMENU menu, const wchar_t* text) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t item[128] = {};
        GetMenuStringW(menu, UINT(i), item, 128, MF_BYPOSITION);
        if (std::wstring(item) == text) return GetMenuItemID(menu, i);
    }
    return 0;
}

COLORREF viewMiddle(Viewer& viewer) {
    s::gui::IImage* view = viewer->pictureView();
    return windowtest::paintedPixel(dynamic_cast<CWnd*>(view)->m_hWnd, view->getWidth() / 2, view->getHeight() / 2);
}

bool isGrey(COLORREF c) { return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c); }

void run(HWND hwnd, UINT command) {
    DWORD_PTR result = 0;
    ASSERT_NE(SendMessageTimeoutW(hwnd, WM_COMMAND, MAKEWPARAM(command, 0), 0, SMTO_NORMAL, 10000, &result), 0)
        << command;
}

// A built-in set and one of the user's own, kept in the store before the start.
TEST(DialogFilterSetsTest, ChoosingASetFiltersTheShownPictureAndCurrentGivesItBack) {
    opentest::PictureFolder folder("dialogfiltersets");
    ASSERT_TRUE(testsupport::runHost("convert -size 64x48 xc:'#336699' '" + folder.dir() + "/a.png'"));
    for (const wchar_t* name : {L"Grayscale", L"Mine"}) {
        SCOPED_TRACE(testing::Message() << name);
        Viewer viewer;
        EffectData* mine = EffectData::makeGrayscale(L"Mine");
        mine->save(viewer.reg().store(), FilterSetList::userSetSection(L"MainWindow", 0).c_str());
        mine->release();
        viewer.reg().putDword(L"MainWindow\\Filter", L"Length", 1);
        viewer.build(folder.winFile("a.png").c_str());
        ASSERT_TRUE(waitFor([&] { return viewMiddle(viewer) == RGB(0x33, 0x66, 0x99); }));

        HMENU sets = viewer->rightClickMenu()->getSubMenu(RightClickMenu::kFilter)->getHandle();
        const UINT chosen = commandNamed(sets, name);
        ASSERT_NE(chosen, 0u);
        run(viewer.hwnd(), chosen);
        EXPECT_TRUE(waitFor([&] { return isGrey(viewMiddle(viewer)); })) << std::hex << viewMiddle(viewer);

        run(viewer.hwnd(), cmd::kCurrentFilterSet);
        EXPECT_TRUE(waitFor([&] { return viewMiddle(viewer) == RGB(0x33, 0x66, 0x99); }))
            << std::hex << viewMiddle(viewer);

        // Chosen again after "Clear", the set is applied again.
        run(viewer.hwnd(), cmd::kFilterClear);
        run(viewer.hwnd(), chosen);
        EXPECT_TRUE(waitFor([&] { return isGrey(viewMiddle(viewer)); })) << std::hex << viewMiddle(viewer);
    }
}

}  // namespace
