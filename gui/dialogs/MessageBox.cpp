#include "gui/dialogs/MessageBox.h"

#include <windows.h>

#include "framework/app/Afx.h"

namespace s::gui::win {

namespace {

// A box from the pool for one call; back to the pool whatever happens.
template <class Fn>
auto withBox(Fn fn) {
    struct Lease {
        MessageBoxW* box = MessageBoxW::create();
        ~Lease() {
            if (box) box->release();
        }
    } lease;
    return fn(lease.box);
}

}  // namespace

void MessageBoxW::showInfoBox(const wchar_t* text) {
    withBox([text](MessageBoxW* b) {
        if (b) b->showInfo(text);
        return 0;
    });
}

void MessageBoxW::showErrorBox(const wchar_t* text) {
    withBox([text](MessageBoxW* b) {
        if (b) b->showError(text);
        return 0;
    });
}

bool MessageBoxW::askYesNoBox(const wchar_t* text) {
    return withBox([text](MessageBoxW* b) { return b && b->askYesNo(text); });
}

void MessageBoxW::showInfo(const wchar_t* text) { AfxMessageBox(text ? text : L"", MB_ICONINFORMATION); }

void MessageBoxW::showWarning(const wchar_t* text) { AfxMessageBox(text ? text : L"", MB_ICONWARNING); }

void MessageBoxW::showError(const wchar_t* text) { AfxMessageBox(text ? text : L"", MB_ICONERROR); }

bool MessageBoxW::askYesNo(const wchar_t* text) {
    return AfxMessageBox(text ? text : L"", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool MessageBoxW::askYesNoCancel(const wchar_t* text, bool* yes) {
    const int answer = AfxMessageBox(text ? text : L"", MB_YESNOCANCEL | MB_ICONQUESTION);
    if (yes) *yes = answer == IDYES;
    return answer == IDYES || answer == IDNO;
}

}  // namespace s::gui::win
