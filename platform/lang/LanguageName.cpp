#include "platform/lang/LanguageName.h"

#include <windows.h>

#include <cwctype>
#include <mutex>

namespace s::lang {

namespace {

struct WholeRow {
    uint16_t langId;
    int32_t code;
};

struct PrimaryRow {
    uint8_t primary;
    const wchar_t* name;
};

// Names of the LANGIDs that are told apart by more than their primary language; their
// codes are their positions here.
const wchar_t* const kWholeNames[] = {
    L"CHINESE_SIMPLIFIED",
    L"CHINESE_TRADITIONAL",
    L"CROATIAN",
    L"SERBIAN_LATIN",
    L"SERBIAN_CYRILLIC",
    L"BOSNIAN",
    L"SERBIAN",
    L"PORTUGUESE_BRAZILIAN",
    L"PORTUGUESE_PORTUGAL",
    L"UPPER_SORBIAN",
    L"LOWER_SORBIAN",
};
constexpr int32_t kWholeCount = int32_t(sizeof(kWholeNames) / sizeof(kWholeNames[0]));

const WholeRow kWholeRows[] = {
    {0x0004, 0}, {0x0804, 0}, {0x1004, 0}, {0x0404, 1}, {0x0C04, 1}, {0x1404, 1},  {0x7C04, 1},
    {0x001A, 2}, {0x041A, 2}, {0x101A, 2}, {0x081A, 3}, {0x181A, 3}, {0x0C1A, 4},  {0x1C1A, 4},
    {0x201A, 5}, {0x7C1A, 6}, {0x0416, 7}, {0x0816, 8}, {0x042E, 9}, {0x082E, 10},
};

// The primary languages (low 8 bits of a LANGID) by the SDK names of their LANG_ constants;
// their codes follow the whole-LANGID names.
const PrimaryRow kPrimaryRows[] = {{0x01, L"ARABIC"},      {0x02, L"BULGARIAN"},  {0x03, L"CATALAN"},
                                   {0x04, L"CHINESE"},     {0x05, L"CZECH"},      {0x06, L"DANISH"},
                                   {0x07, L"GERMAN"},      {0x08, L"GREEK"},      {0x09, L"ENGLISH"},
                                   {0x0A, L"SPANISH"},     {0x0B, L"FINNISH"},    {0x0C, L"FRENCH"},
                                   {0x0D, L"HEBREW"},      {0x0E, L"HUNGARIAN"},  {0x0F, L"ICELANDIC"},
                                   {0x10, L"ITALIAN"},     {0x11, L"JAPANESE"},   {0x12, L"KOREAN"},
                                   {0x13, L"DUTCH"},       {0x14, L"NORWEGIAN"},  {0x15, L"POLISH"},
                                   {0x16, L"PORTUGUESE"},  {0x17, L"ROMANSH"},    {0x18, L"ROMANIAN"},
                                   {0x19, L"RUSSIAN"},     {0x1A, L"SERBIAN"},    {0x1B, L"SLOVAK"},
                                   {0x1C, L"ALBANIAN"},    {0x1D, L"SWEDISH"},    {0x1E, L"THAI"},
                                   {0x1F, L"TURKISH"},     {0x20, L"URDU"},       {0x21, L"INDONESIAN"},
                                   {0x22, L"UKRAINIAN"},   {0x23, L"BELARUSIAN"}, {0x24, L"SLOVENIAN"},
                                   {0x25, L"ESTONIAN"},    {0x26, L"LATVIAN"},    {0x27, L"LITHUANIAN"},
                                   {0x28, L"TAJIK"},       {0x29, L"PERSIAN"},    {0x2A, L"VIETNAMESE"},
                                   {0x2B, L"ARMENIAN"},    {0x2C, L"AZERI"},      {0x2D, L"BASQUE"},
                                   {0x2F, L"MACEDONIAN"},  {0x32, L"TSWANA"},     {0x34, L"XHOSA"},
                                   {0x35, L"ZULU"},        {0x36, L"AFRIKAANS"},  {0x37, L"GEORGIAN"},
                                   {0x38, L"FAEROESE"},    {0x39, L"HINDI"},      {0x3A, L"MALTESE"},
                                   {0x3B, L"SAMI"},        {0x3C, L"IRISH"},      {0x3E, L"MALAY"},
                                   {0x3F, L"KAZAK"},       {0x40, L"KYRGYZ"},     {0x41, L"SWAHILI"},
                                   {0x42, L"TURKMEN"},     {0x43, L"UZBEK"},      {0x44, L"TATAR"},
                                   {0x45, L"BENGALI"},     {0x46, L"PUNJABI"},    {0x47, L"GUJARATI"},
                                   {0x48, L"ORIYA"},       {0x49, L"TAMIL"},      {0x4A, L"TELUGU"},
                                   {0x4B, L"KANNADA"},     {0x4C, L"MALAYALAM"},  {0x4D, L"ASSAMESE"},
                                   {0x4E, L"MARATHI"},     {0x4F, L"SANSKRIT"},   {0x50, L"MONGOLIAN"},
                                   {0x51, L"TIBETAN"},     {0x52, L"WELSH"},      {0x53, L"KHMER"},
                                   {0x54, L"LAO"},         {0x56, L"GALICIAN"},   {0x57, L"KONKANI"},
                                   {0x59, L"SINDHI"},      {0x5A, L"SYRIAC"},     {0x5B, L"SINHALESE"},
                                   {0x5D, L"INUKTITUT"},   {0x5E, L"AMHARIC"},    {0x5F, L"TAMAZIGHT"},
                                   {0x60, L"KASHMIRI"},    {0x61, L"NEPALI"},     {0x62, L"FRISIAN"},
                                   {0x63, L"PASHTO"},      {0x64, L"FILIPINO"},   {0x65, L"DIVEHI"},
                                   {0x68, L"HAUSA"},       {0x6A, L"YORUBA"},     {0x6B, L"QUECHUA"},
                                   {0x6C, L"SOTHO"},       {0x6D, L"BASHKIR"},    {0x6E, L"LUXEMBOURGISH"},
                                   {0x6F, L"GREENLANDIC"}, {0x70, L"IGBO"},       {0x73, L"TIGRIGNA"},
                                   {0x78, L"YI"},          {0x7A, L"MAPUDUNGUN"}, {0x7C, L"MOHAWK"},
                                   {0x7E, L"BRETON"},      {0x80, L"UIGHUR"},     {0x81, L"MAORI"},
                                   {0x82, L"OCCITAN"},     {0x83, L"CORSICAN"},   {0x84, L"ALSATIAN"},
                                   {0x85, L"YAKUT"},       {0x86, L"KICHE"},      {0x87, L"KINYARWANDA"},
                                   {0x88, L"WOLOF"},       {0x8C, L"DARI"}

};
constexpr int32_t kPrimaryCount = int32_t(sizeof(kPrimaryRows) / sizeof(kPrimaryRows[0]));

std::mutex g_cacheLock;
int32_t g_cachedCode = kUnknownLanguageCode - 1;  // not read yet
wchar_t g_cachedName[64];

}  // namespace

int32_t languageCodeOfLangId(uint16_t langId) {
    for (const WholeRow& row : kWholeRows)
        if (row.langId == langId) return row.code;
    const uint8_t primary = uint8_t(langId & 0xFF);
    for (int32_t i = 0; i < kPrimaryCount; ++i)
        if (kPrimaryRows[i].primary == primary) return kWholeCount + i;
    return kUnknownLanguageCode;
}

const wchar_t* languageNameOfCode(int32_t code) {
    if (code >= 0 && code < kWholeCount) return kWholeNames[code];
    if (code >= kWholeCount && code < kWholeCount + kPrimaryCount) return kPrimaryRows[code - kWholeCount].name;
    return L"Unknown";
}

namespace {

// The table name lower-cased (the runtime's casing) with its first letter, when it is a
// to z, made upper case.
str::strbuffer::StrBuffer* formatNameOfCode(int32_t code, str::strbuffer::StrBuffer* out) {
    if (!out) out = str::strbuffer::StrBuffer::create();
    if (!out) return nullptr;
    out->setText(languageNameOfCode(code));
    for (uint32_t i = 0; i < out->length(); ++i) *out->charPtr(i) = wchar_t(std::towlower(out->charAt(i)));
    if (out->length() && out->charAt(0) >= L'a' && out->charAt(0) <= L'z')
        *out->charPtr(0) = wchar_t(out->charAt(0) - 32);
    out->text();
    return out;
}

}  // namespace

str::strbuffer::StrBuffer* uiLanguageNameOfLangId(uint16_t langId, str::strbuffer::StrBuffer* out) {
    return formatNameOfCode(languageCodeOfLangId(langId), out);
}

const wchar_t* getUiLanguageName() {
    std::lock_guard<std::mutex> lock(g_cacheLock);
    if (g_cachedName[0] == 0) {
        if (g_cachedCode < kUnknownLanguageCode) g_cachedCode = languageCodeOfLangId(GetUserDefaultUILanguage());
        str::strbuffer::StrBuffer name;
        formatNameOfCode(g_cachedCode, &name);
        const uint32_t n = name.length() < 63 ? name.length() : 63;
        for (uint32_t i = 0; i < n; ++i) g_cachedName[i] = name.charAt(i);
        g_cachedName[n] = 0;
    }
    return g_cachedName;
}

}  // namespace s::lang
