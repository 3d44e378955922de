#include "gui/dialogs/FlexAsker.h"

#include <algorithm>

#include "gui/app/IAppWindow.h"
#include "platform/lang/Localizer.h"

namespace s::gui::dialogs {

namespace {

constexpr int kMarginX = 10, kMarginY = 2;
constexpr int kTopSpace = 10, kAfterLabel = 12, kButtonGap = 7, kAfterCheck = 5;
constexpr int kFirstId = 1, kSecondId = 2, kCheckId = 3;

SIZE measure(HWND control, HFONT font, const std::wstring& text, int padX, int padY) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return SIZE{(text.empty() ? 0 : r.right) + padX, r.bottom + padY};
}

void place(HWND control, const RECT& r) {
    MoveWindow(control, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

bool registerClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;  // replaced per window at creation
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = FlexAsker::kClassName;
        return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

}  // namespace

AskerLayout layoutAsker(int clientWidth, SIZE label, SIZE first, SIZE second, SIZE check, bool withCheck) {
    AskerLayout l;
    l.width = std::max(clientWidth, int(label.cx) + 50);
    int y = kMarginY + kTopSpace;
    l.label = RECT{kMarginX, y, kMarginX + label.cx, y + label.cy};
    y += label.cy + kAfterLabel;
    const int rowHeight = std::max(first.cy, second.cy);
    const int right = l.width - kMarginX;
    l.second = RECT{right - second.cx, y, right, y + rowHeight};
    l.first = RECT{l.second.left - kButtonGap - first.cx, y, l.second.left - kButtonGap, y + rowHeight};
    y += rowHeight;
    if (withCheck) {
        l.check = RECT{kMarginX, y, kMarginX + check.cx, y + check.cy};
        y += check.cy;
    }
    l.minHeight = y + kAfterCheck + kMarginY;
    return l;
}

FlexAsker::FlexAsker() { reset(); }

FlexAsker::~FlexAsker() {
    if (window_) DestroyWindow(window_);
    if (font_) DeleteObject(font_);
}

FlexAsker* FlexAsker::createWithWindow(app::IAppWindow* appWindow) {
    FlexAsker* asker = create();
    if (!asker) return nullptr;
    asker->appWindow_ = appWindow;
    asker->localizer_ = appWindow ? appWindow->getLangPack() : nullptr;
    return asker;
}

void FlexAsker::reset() {
    if (window_) DestroyWindow(window_);
    window_ = label_ = first_ = second_ = check_ = nullptr;
    appWindow_ = nullptr;
    localizer_ = nullptr;
    owner_ = nullptr;
    answer_ = checked_ = false;
    showCheckBox_ = true;
    closed_ = true;
    // The text ids are the asker's own, kept across uses.
}

void FlexAsker::setTextIds(int32_t first, int32_t second, int32_t checkBox) {
    firstId_ = first;
    secondId_ = second;
    checkId_ = checkBox;
}

std::wstring FlexAsker::text(int32_t id, const wchar_t* fallback) const {
    const wchar_t* t = localizer_ && id ? localizer_->getText(id) : nullptr;
    return t && *t ? t : fallback;
}

void FlexAsker::build(const wchar_t* title, const wchar_t* question) {
    const std::wstring caption = title ? title : text(kTitleId, L"Question");
    const std::wstring ask = question ? question : text(kQuestionId, L"");
    const HINSTANCE module = GetModuleHandleW(nullptr);
    window_ = CreateWindowExW(WS_EX_APPWINDOW | WS_EX_DLGMODALFRAME, kClassName, caption.c_str(),
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, CW_USEDEFAULT,
                              CW_USEDEFAULT, kWidth, kHeight, owner_, nullptr, module, nullptr);
    if (!window_) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FlexAsker::windowProc));
    if (!font_) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        font_ = CreateFontIndirectW(&metrics.lfMessageFont);
    }
    auto child = [&](const wchar_t* cls, const std::wstring& t, DWORD style, int id) {
        HWND h = CreateWindowExW(0, cls, t.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, window_,
                                 reinterpret_cast<HMENU>(INT_PTR(id)), module, nullptr);
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        return h;
    };
    const std::wstring firstText = text(firstId_, L"Yes"), secondText = text(secondId_, L"No");
    const bool withCheck = showCheckBox_ && checkId_ != 0;
    const std::wstring checkText = withCheck ? text(checkId_, L"Do not ask again") : L"";
    label_ = child(L"STATIC", ask, SS_LEFT | SS_NOPREFIX, 0);
    first_ = child(L"BUTTON", firstText, WS_TABSTOP | BS_DEFPUSHBUTTON, kFirstId);
    second_ = child(L"BUTTON", secondText, WS_TABSTOP | BS_PUSHBUTTON, kSecondId);
    check_ = child(L"BUTTON", checkText, WS_TABSTOP | BS_AUTOCHECKBOX, kCheckId);
    if (!withCheck) ShowWindow(check_, SW_HIDE);

    const SIZE labelSize = measure(label_, font_, ask, 0, 0);
    SIZE firstSize = measure(first_, font_, firstText, 24, 10),
         secondSize = measure(second_, font_, secondText, 24, 10);
    firstSize.cx = secondSize.cx = std::max<LONG>({firstSize.cx, secondSize.cx, 75});
    const SIZE checkSize = measure(check_, font_, checkText, 20, 4);
    RECT client;
    GetClientRect(window_, &client);
    const AskerLayout l = layoutAsker(client.right, labelSize, firstSize, secondSize, checkSize, withCheck);
    place(label_, l.label);
    place(first_, l.first);
    place(second_, l.second);
    if (withCheck) place(check_, l.check);
    // The window holds every part: its client area is the layout's width and height.
    RECT outer{0, 0, l.width, l.minHeight};
    AdjustWindowRectEx(&outer, DWORD(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FlexAsker::placeWindow(HWND owner) {
    RECT w;
    GetWindowRect(window_, &w);
    const int width = w.right - w.left, height = w.bottom - w.top;
    int x = w.left, y = w.top;
    RECT o;
    if (owner && GetWindowRect(owner, &o)) {
        x = (o.left + o.right) / 2 - width / 2;
        y = (o.top + o.bottom) / 2 - height / 2;
    }
    // Inside the virtual screen.
    const int vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int vw = GetSystemMetrics(SM_CXVIRTUALSCREEN), vh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    x = std::max(vx, std::min(x, vx + vw - width));
    y = std::max(vy, std::min(y, vy + vh - height));
    SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FlexAsker::show(HWND owner, const wchar_t* title, const wchar_t* question) {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
    owner_ = owner && IsWindow(owner) ? owner : nullptr;
    answer_ = false;
    checked_ = false;
    if (!registerClass()) return;
    if (appWindow_) appWindow_->clearBounds();
    build(title, question);
    if (!window_) return;
    placeWindow(owner_);
    closed_ = false;
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(first_);
    const bool ownerWasEnabled = owner_ && IsWindowEnabled(owner_);
    if (ownerWasEnabled) EnableWindow(owner_, FALSE);

    MSG msg;
    while (!closed_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(int(msg.wParam));  // the caller's loop still needs to see it
            break;
        }
        if (got < 0) break;
        if (msg.message == WM_KEYDOWN && (msg.hwnd == window_ || IsChild(window_, msg.hwnd)) && onKey(msg.wParam))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // The owner takes input again before the question window goes, so it is activated.
    if (ownerWasEnabled) EnableWindow(owner_, TRUE);
    if (window_) {
        HWND w = window_;
        window_ = nullptr;
        DestroyWindow(w);
    }
    label_ = first_ = second_ = check_ = nullptr;
}

void FlexAsker::moveDefault(HWND to) {
    HWND from = to == first_ ? second_ : first_;
    SendMessageW(from, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    SendMessageW(to, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    SetFocus(to);
}

bool FlexAsker::onKey(WPARAM key) {
    const bool firstIsDefault = (GetWindowLongPtrW(first_, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
    const bool secondIsDefault = (GetWindowLongPtrW(second_, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
    switch (key) {
        case VK_TAB: moveDefault(firstIsDefault ? second_ : first_); return true;
        case VK_RETURN:
            if (firstIsDefault || secondIsDefault) finish(firstIsDefault);
            return true;
        case VK_ESCAPE: finish(false); return true;
        default: return false;
    }
}

void FlexAsker::finish(bool answer) {
    answer_ = answer;
    closed_ = true;
    if (window_) ShowWindow(window_, SW_HIDE);
}

LRESULT CALLBACK FlexAsker::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* asker = reinterpret_cast<FlexAsker*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (asker && asker->window_ == hwnd) return asker->handle(message, wParam, lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT FlexAsker::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                switch (LOWORD(wParam)) {
                    case kFirstId: finish(true); return 0;
                    case kSecondId: finish(false); return 0;
                    case kCheckId: checked_ = SendMessageW(check_, BM_GETCHECK, 0, 0) == BST_CHECKED; return 0;
                }
            }
            break;
        case WM_CLOSE: finish(false); return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace s::gui::dialogs
