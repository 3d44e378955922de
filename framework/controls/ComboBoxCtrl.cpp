#include "framework/controls/ComboBoxCtrl.h"

std::wstring CComboBox::GetLBText(int index) const {
    int n = GetLBTextLen(index);
    if (n < 0) return {};
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    int got = call(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}
