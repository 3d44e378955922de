// English names of Windows user-interface languages, looked up from a LANGID, and the
// process-wide name of the user's interface language that the localizer starts with.
#pragma once

#include <cstdint>

#include "foundation/str/StrBuffer.h"

namespace s::lang {

// The code of a LANGID outside the table.
constexpr int32_t kUnknownLanguageCode = -1;

// LANGID -> internal language code: whole LANGIDs that name a variant first (Chinese
// scripts, Serbian and Croatian forms, Portuguese variants, Sorbian), then the primary
// language of the low 8 bits.
int32_t languageCodeOfLangId(uint16_t langId);
// Code -> upper-case English name ("CHINESE_SIMPLIFIED", "GERMAN"); "Unknown" for any
// code outside the table.
const wchar_t* languageNameOfCode(int32_t code);
// The name of a LANGID as the localizer takes it: lower-cased with its first letter made
// upper case ("Chinese_simplified", "German", "Unknown"). out null: a new pooled string.
str::strbuffer::StrBuffer* uiLanguageNameOfLangId(uint16_t langId, str::strbuffer::StrBuffer* out);
// That name for GetUserDefaultUILanguage, computed once per process.
const wchar_t* getUiLanguageName();

}  // namespace s::lang
