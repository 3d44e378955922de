#include "gui/fonts/SystemFonts.h"

#include "foundation/comp/Comparator.h"
#include "foundation/str/StrArray.h"

namespace s::gui::win {

namespace {

// The visual style's fonts, read once: caption, small caption, menu, status, message
// box and icon title (TMT_CAPTIONFONT 801 to TMT_ICONTITLEFONT 806).
struct ThemeFonts {
    bool available = false;
    LOGFONTW fonts[6]{};

    ThemeFonts() {
        using OpenFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
        using CloseFn = HRESULT(WINAPI*)(HANDLE);
        using SysFontFn = HRESULT(WINAPI*)(HANDLE, int, LOGFONTW*);
        // Kept loaded until the process ends.
        HMODULE lib = LoadLibraryW(L"UxTheme.dll");
        if (!lib) return;
        auto open = reinterpret_cast<OpenFn>(reinterpret_cast<void*>(GetProcAddress(lib, "OpenThemeData")));
        auto close = reinterpret_cast<CloseFn>(reinterpret_cast<void*>(GetProcAddress(lib, "CloseThemeData")));
        auto sysFont = reinterpret_cast<SysFontFn>(reinterpret_cast<void*>(GetProcAddress(lib, "GetThemeSysFont")));
        if (!open || !close || !sysFont) return;
        HANDLE theme = open(nullptr, L"WINDOW");
        if (!theme) return;
        for (int i = 0; i < 6; ++i) sysFont(theme, 801 + i, &fonts[i]);
        available = true;
        close(theme);
    }
};

int CALLBACK onFamily(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM user) {
    auto* list = reinterpret_cast<str::strarray::StrArray*>(user);
    const wchar_t* face = lf->lfFaceName;
    if (face[0] == L'@' || face[0] == 0) return 1;
    if (!list->indexOfTextIgnoreCase(face)) list->addText(face);
    return 1;
}

int compareNames(const void* a, const void* b, void*) {
    return static_cast<const str::strbuffer::StrBuffer*>(a)->compareStr(
        static_cast<const str::strbuffer::StrBuffer*>(b));
}

}  // namespace

bool getThemeCaptionFont(LOGFONTW* lf) {
    static const ThemeFonts theme;
    if (!theme.available || !lf) return false;
    *lf = theme.fonts[0];
    return true;
}

str::strarray::StrArray* getFontFamilies(str::strarray::StrArray* list) {
    if (!list) list = str::strarray::StrArray::create();
    if (!list) return nullptr;
    list->clear();
    HDC screen = GetDC(nullptr);
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(screen, &query, onFamily, reinterpret_cast<LPARAM>(list), 0);
    ReleaseDC(nullptr, screen);
    comp::sortAscending(list->items().items(), list->count(), compareNames);
    return list;
}

}  // namespace s::gui::win
