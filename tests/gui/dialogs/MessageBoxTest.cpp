#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "framework/app/Afx.h"
#include "gui/dialogs/MessageBox.h"

// The class hides the Win32 function of the same name only inside its namespace.
using Box = s::gui::win::MessageBoxW;

namespace {

// Answers every box with a fixed button and records what was asked.
struct Answering {
    std::vector<std::wstring> texts;
    std::vector<UINT> types;
    AfxMessageBoxHandler previous;
    explicit Answering(int answer) {
        previous = AfxSetMessageBoxHandler([this, answer](const wchar_t* text, const wchar_t*, UINT type) {
            texts.push_back(text);
            types.push_back(type);
            return answer;
        });
    }
    ~Answering() { AfxSetMessageBoxHandler(previous); }
};

}  // namespace

TEST(MessageBox, IconsAndButtonsByKind) {
    Answering answer(IDOK);
    Box* box = Box::create();
    box->showInfo(L"i");
    box->showWarning(L"w");
    box->showError(L"e");
    box->askYesNo(L"q");
    bool yes;
    box->askYesNoCancel(L"c", &yes);
    box->release();
    ASSERT_EQ(answer.types.size(), 5u);
    EXPECT_EQ(answer.types[0], UINT(MB_ICONINFORMATION));
    EXPECT_EQ(answer.types[1], UINT(MB_ICONWARNING));
    EXPECT_EQ(answer.types[2], UINT(MB_ICONERROR));
    EXPECT_EQ(answer.types[3], UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(answer.types[4], UINT(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(answer.texts[4], L"c");
}

TEST(MessageBox, YesNoCancelAnswers) {
    struct Case {
        int button;
        bool result, yes;
    };
    for (Case k : {Case{IDYES, true, true}, Case{IDNO, true, false}, Case{IDCANCEL, false, false}}) {
        Answering answer(k.button);
        Box* box = Box::create();
        bool yes = !k.yes;
        EXPECT_EQ(box->askYesNoCancel(L"?", &yes), k.result) << k.button;
        EXPECT_EQ(yes, k.yes) << k.button;
        EXPECT_EQ(box->askYesNo(L"?"), k.button == IDYES);
        box->release();
    }
}

TEST(MessageBox, StaticBoxesAlwaysGoBackToThePool) {
    Box* warm = Box::create();
    warm->setStyle2();
    EXPECT_EQ(warm->style, 2);
    warm->release();
    const uint32_t pooled = Box::pooler()->pooledCount();
    {
        Answering answer(IDNO);
        EXPECT_FALSE(Box::askYesNoBox(L"Really?"));
        Box::showInfoBox(L"Done");
        Box::showErrorBox(nullptr);
        EXPECT_EQ(answer.texts.size(), 3u);
    }
    {
        Answering answer(IDYES);
        EXPECT_TRUE(Box::askYesNoBox(L"Really?"));
    }
    EXPECT_EQ(Box::pooler()->pooledCount(), pooled);
    Box* again = Box::create();
    EXPECT_EQ(again->style, 0);
    EXPECT_STREQ(again->getClassName(), L"s_gui_win_MessageBox");
    again->release();
}

TEST(MessageBox, ARealBoxIsShownAndAnswered) {
    // No handler: the framework shows a real box; a helper thread presses No on it.
    HANDLE presser = CreateThread(
        nullptr, 0,
        [](void*) -> DWORD {
            for (int i = 0; i < 200; ++i) {
                HWND box = nullptr;
                EnumWindows(
                    [](HWND w, LPARAM out) -> BOOL {
                        DWORD pid = 0;
                        GetWindowThreadProcessId(w, &pid);
                        wchar_t cls[16] = {};
                        GetClassNameW(w, cls, 16);
                        if (pid == GetCurrentProcessId() && std::wstring(cls) == L"#32770" && IsWindowVisible(w)) {
                            *reinterpret_cast<HWND*>(out) = w;
                            return FALSE;
                        }
                        return TRUE;
                    },
                    reinterpret_cast<LPARAM>(&box));
                if (box) {
                    PostMessageW(box, WM_COMMAND, IDNO, 0);
                    return 0;
                }
                Sleep(50);
            }
            return 1;
        },
        nullptr, 0, nullptr);
    bool yes = true;
    Box* box = Box::create();
    EXPECT_TRUE(box->askYesNoCancel(L"Keep the changes?", &yes));
    EXPECT_FALSE(yes);
    box->release();
    WaitForSingleObject(presser, 10000);
    DWORD code = 2;
    GetExitCodeThread(presser, &code);
    EXPECT_EQ(code, 0u) << "the box was found";
    CloseHandle(presser);
}
