#include "gui/window/WindowClass.h"

#include <commctrl.h>

#include <atomic>

namespace s::gui::win {

namespace {

std::atomic<bool> g_registered{false};
std::atomic<FailureBoxFn> g_failureBox{nullptr};

// Sends msg to the control and answers what it answered.
LRESULT reflect(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) {
    return control ? SendMessageW(control, msg, wParam, lParam) : 0;
}

}  // namespace

void setFailureBoxHandler(FailureBoxFn handler) { g_failureBox.store(handler); }

void showFailureBox(const wchar_t* text, const wchar_t* caption) {
    if (FailureBoxFn fn = g_failureBox.load()) {
        fn(text, caption);
        return;
    }
    ::MessageBoxW(nullptr, text, caption, MB_ICONWARNING);
}

bool registerWindowClass() {
    if (g_registered.load()) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = genericWindowProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClassName;
    if (!RegisterClassExW(&wc)) {
        // Another thread may have won the race: the class then exists and is usable.
        if (GetLastError() == ERROR_CLASS_ALREADY_EXISTS) {
            g_registered.store(true);
            return true;
        }
        showFailureBox(L"Window Registration Failed!", L"Error!");
        return g_registered.load();
    }
    g_registered.store(true);
    return true;
}

uint32_t reflectedCommandMessage(uint32_t notifyCode) {
    switch (notifyCode) {
        case 0: return 0x8004;      // BN_CLICKED
        case 1: return 0x800A;      // CBN_SELCHANGE
        case 5: return 0x8005;      // CBN_EDITCHANGE, BN_DOUBLECLICKED
        case 7: return 0x800F;      // CBN_DROPDOWN
        case 8: return 0x8010;      // CBN_CLOSEUP
        case 0x200: return 0x8015;  // EN_KILLFOCUS
        case 0x300: return 0x800C;  // EN_CHANGE
        default: return 0;
    }
}

uint32_t reflectedNotifyMessage(int32_t nmCode) {
    switch (nmCode) {
        case -551: return 0x800B;  // TCN_SELCHANGE
        case -311: return 0x8012;  // HDN_ENDDRAG
        case -310: return 0x8011;  // HDN_BEGINDRAG
        case -176: return 0x8009;  // LVN_ENDLABELEDITW
        case -115: return 0x8007;  // LVN_ODSTATECHANGED
        case -109: return 0x8008;  // LVN_BEGINDRAG
        case -108: return 0x800D;  // LVN_COLUMNCLICK
        case -101: return 0x8006;  // LVN_ITEMCHANGED
        case -100: return 0x8013;  // LVN_ITEMCHANGING
        case -12: return 0x800E;   // NM_CUSTOMDRAW
        default: return 0;
    }
}

LRESULT CALLBACK genericWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case 0x0019:  // WM_CTLCOLOR
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: return reflect(reinterpret_cast<HWND>(lParam), 0x8003, wParam, lParam);

        case WM_SETCURSOR: {
            const LRESULT r = DefWindowProcW(hwnd, message, wParam, lParam);
            if (r) return 1;
            SetCursor(LoadCursorW(nullptr, IDC_ARROW));
            return 0;
        }

        case WM_NOTIFY: {
            const auto* nm = reinterpret_cast<const NMHDR*>(lParam);
            const uint32_t lib = nm ? reflectedNotifyMessage(int32_t(nm->code)) : 0;
            if (!lib) break;
            const LRESULT r = reflect(nm->hwndFrom, lib, wParam, lParam);
            // These three are told to the control but always answer 0 to the sender.
            if (lib == 0x8007 || lib == 0x8008 || lib == 0x8006) return 0;
            return r;
        }

        case WM_COMMAND: {
            // Menu and accelerator commands carry no control handle: default processing.
            if (!lParam) break;
            const uint32_t lib = reflectedCommandMessage(HIWORD(wParam));
            if (!lib) break;
            reflect(reinterpret_cast<HWND>(lParam), lib, wParam, lParam);
            return 0;
        }

        case WM_HSCROLL:
            if (lParam) SendMessageW(reinterpret_cast<HWND>(lParam), WM_HSCROLL, wParam, lParam);
            break;

        case WM_INITMENU:
        case WM_LBUTTONDOWN: SendMessageW(hwnd, WM_ACTIVATE, WA_CLICKACTIVE, 0); break;

        case WM_INITMENUPOPUP: {
            MENUINFO mi{};
            mi.cbSize = sizeof(mi);
            mi.fMask = MIM_MENUDATA;
            if (GetMenuInfo(reinterpret_cast<HMENU>(wParam), &mi)) {
                HWND target = reinterpret_cast<HWND>(mi.dwMenuData);
                if (target && target != hwnd && IsWindow(target)) SendMessageW(target, message, wParam, lParam);
            }
            break;
        }

        case 0x8001: return DefWindowProcW(hwnd, WM_CLOSE, 0, 0);

        default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace s::gui::win
