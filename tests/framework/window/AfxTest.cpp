// Message boxes answered through the test seam, the application name, OLE start-up
// and dialog-style navigation.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "framework/WindowTesting.h"
#include "framework/app/Afx.h"
#include "framework/window/Wnd.h"

namespace {

TEST(AfxMessageBox, HandlerAnswersAndSeesTextCaptionAndStyle) {
    std::wstring text, caption;
    UINT type = 0;
    int calls = 0;
    AfxSetAppName(L"Glimmer");
    AfxMessageBoxHandler previous = AfxSetMessageBoxHandler([&](const wchar_t* t, const wchar_t* c, UINT s) {
        ++calls;
        text = t;
        caption = c;
        type = s;
        return IDNO;
    });
    EXPECT_EQ(AfxMessageBox(L"Overwrite?", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(text, L"Overwrite?");
    EXPECT_EQ(caption, L"Glimmer");
    EXPECT_EQ(type, UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(AfxMessageBox(nullptr), IDNO);  // no text: an empty one
    EXPECT_EQ(text, L"");

    AfxMessageBoxHandler mine = AfxSetMessageBoxHandler(previous);
    EXPECT_TRUE(static_cast<bool>(mine));
    AfxSetAppName(nullptr);
}

TEST(AfxMessageBox, HandlerAnswersBoxesOfOtherThreads) {
    AfxMessageBoxHandler previous =
        AfxSetMessageBoxHandler([](const wchar_t*, const wchar_t*, UINT) { return IDCANCEL; });
    int answer = 0;
    HANDLE t = CreateThread(
        nullptr, 0,
        [](void* p) -> DWORD {
            *static_cast<int*>(p) = AfxMessageBox(L"from a worker", MB_OKCANCEL);
            return 0;
        },
        &answer, 0, nullptr);
    ASSERT_EQ(WaitForSingleObject(t, 5000), WAIT_OBJECT_0);
    CloseHandle(t);
    EXPECT_EQ(answer, IDCANCEL);
    AfxSetMessageBoxHandler(previous);
}

TEST(AfxAppName, DefaultsToTheProgramFileName) {
    AfxSetAppName(nullptr);
    EXPECT_EQ(AfxGetAppName(), L"test_framework_window");
}

TEST(AfxOleInit, StartsOlePerThreadOnce) {
    HANDLE t = CreateThread(
        nullptr, 0,
        [](void*) -> DWORD {
            if (!AfxOleInit() || !AfxOleInit()) return 1;
            // OLE is up: the clipboard and drag and drop can be used on this thread.
            IDataObject* data = nullptr;
            HRESULT hr = OleGetClipboard(&data);
            if (data) data->Release();
            AfxOleTerm();
            return SUCCEEDED(hr) ? 0 : 2;
        },
        nullptr, 0, nullptr);
    ASSERT_EQ(WaitForSingleObject(t, 10000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeThread(t, &code);
    CloseHandle(t);
    EXPECT_EQ(code, 0u);
}

TEST(Wnd, DialogNavigationTakesTabForChildrenOnly) {
    CWnd top, first, second;
    ASSERT_TRUE(top.CreateEx(WS_EX_CONTROLPARENT, fwtest::traceClass(), L"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                             nullptr, nullptr));
    RECT r{0, 0, 40, 20};
    ASSERT_TRUE(first.Create(L"BUTTON", L"1", WS_VISIBLE | WS_TABSTOP, r, &top, 1));
    r.top = 30, r.bottom = 50;
    ASSERT_TRUE(second.Create(L"BUTTON", L"2", WS_VISIBLE | WS_TABSTOP, r, &top, 2));
    SetForegroundWindow(top);
    first.SetFocus();
    ASSERT_TRUE(fwtest::waitUntil([&] { return GetFocus() == first.m_hWnd; }));

    MSG tab{first.m_hWnd, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(top.IsDialogMessage(&tab));
    EXPECT_TRUE(fwtest::waitUntil([&] { return GetFocus() == second.m_hWnd; }));

    HWND other =
        CreateWindowExW(0, fwtest::traceClass(), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    MSG elsewhere{other, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_FALSE(top.IsDialogMessage(&elsewhere));
    DestroyWindow(other);
    top.DestroyWindow();
}

}  // namespace
