// What the system offers for text: the visual style's fonts and the installed font
// families.
#pragma once

#include <windows.h>

namespace s::str::strarray {
class StrArray;
}

namespace s::gui::win {

// Copies the visual style's caption font into lf and answers true; false when there is
// no visual style (UxTheme or its functions missing, OpenThemeData failing). The theme
// fonts are read once per process.
bool getThemeCaptionFont(LOGFONTW* lf);

// The installed font families, sorted, each once (letter case ignored), without the
// vertical "@" faces. Fills list (emptied first) or, for null, a new pooled list.
str::strarray::StrArray* getFontFamilies(str::strarray::StrArray* list);

}  // namespace s::gui::win
