#include "foundation/codepage/CodePage.h"

#include <windows.h>

#include "foundation/comp/Comparator.h"
#include "foundation/str/StrBuffer.h"

namespace s::system::codepage {

using str::strbuffer::StrBuffer;

// ---------------------------------------------------------------- CodePage

CodePage::CodePage() : name_(StrBuffer::create()) {}

CodePage::~CodePage() {
    number_ = 0;
    if (name_) {
        name_->freeStorage();
        delete name_;
        name_ = nullptr;
    }
}

CodePage* CodePage::fromPage(int32_t number, const wchar_t* name) {
    CodePage* cp = create();
    if (!cp) return nullptr;
    cp->number_ = number;
    if (cp->name_) {
        cp->name_->setLength(0);
        cp->name_->appendText(name ? name : L"");
    }
    return cp;
}

const wchar_t* CodePage::nameText() const { return name_ ? name_->text() : L""; }

void CodePage::reset() {
    number_ = 0;
    if (name_) name_->freeStorage();
}

// ---------------------------------------------------------------- names

namespace {

struct NamedPage {
    int32_t number;
    const wchar_t* name;
};

const NamedPage kNames[] = {
    {850, L"Western (IBM-850)"},
    {852, L"Central European (IBM-852)"},
    {855, L"Cyrillic (IBM-855)"},
    {857, L"Turkish (IBM-857)"},
    {866, L"Russian (CP-866)"},
    {874, L"Thai (Windows-874)"},
    {932, L"Japanese (Shift_JIS)"},
    {936, L"Chinese Simplified (GBK)"},
    {949, L"Korean (UHC)"},
    {950, L"Chinese Traditional (Big5)"},
    {1200, L"UTF-16"},
    {1201, L"UTF-16BE"},
    {1250, L"Central European (Windows-1250)"},
    {1251, L"Cyrillic (Windows-1251)"},
    {1252, L"Western (Windows-1252)"},
    {1253, L"Greek (Windows-1253)"},
    {1254, L"Turkish (Windows-1254)"},
    {1255, L"Hebrew (Windows-1255)"},
    {1256, L"Arabic (Windows-1256)"},
    {1257, L"Baltic (Windows-1257)"},
    {1258, L"Vetnamese (Windows-1258)"},
    {1361, L"Korean (JOHAB)"},
    {20000, L"Chinese Traditional (CNS)"},
    {20127, L"English (ASCII)"},
    {20866, L"Russian (KOI8)"},
    {20932, L"Japanese (EUC-JP)"},
    {20936, L"Chinese Simplified (GB2312)"},
    {21866, L"Ukrainian (KOI8-U)"},
    {28591, L"Western (ISO 8859-1)"},
    {28592, L"Central European (ISO 8859-2)"},
    {28594, L"Baltic (ISO 8859-4)"},
    {28595, L"Cyrillic (ISO 8859-5)"},
    {28597, L"Greek (ISO 8859-7)"},
    {28599, L"Turkish (ISO 8859-9)"},
    {28605, L"Western (ISO 8859-15)"},
    {50220, L"Japanese (ISO-2022-JP)"},
    {50225, L"Korean (ISO-2022-KR)"},
    {50227, L"Chinese Simplified (ISO-2022-CN)"},
    {50229, L"Chinese Traditional (Big5-HKSCS)"},
    {51949, L"Korean (EUC-KR)"},
    {52936, L"Chinese Simplified (HZ)"},
    {54936, L"Chinese Simplified (GB18030)"},
    {65001, L"UTF-8"},
};

// Decimal text as reported by the enumeration; -1 when it is not a plain number.
int32_t parseNumber(const wchar_t* text) {
    if (!text || !*text) return -1;
    int64_t v = 0;
    for (; *text; ++text) {
        if (*text < L'0' || *text > L'9') return -1;
        v = v * 10 + (*text - L'0');
        if (v > INT32_MAX) return -1;
    }
    return int32_t(v);
}

int compareNames(const void* a, const void* b, void*) {
    return static_cast<const CodePage*>(a)->name()->compareStrIgnoreCase(static_cast<const CodePage*>(b)->name());
}

BOOL CALLBACK onCodePage(LPWSTR text) {
    // Called inside build(), under the list's lock.
    const int32_t number = parseNumber(text);
    if (number >= 0) CodePageList::instance().add(number);
    return TRUE;
}

}  // namespace

const wchar_t* codePageDisplayName(int32_t number) {
    for (const NamedPage& p : kNames)
        if (p.number == number) return p.name;
    return nullptr;
}

// ---------------------------------------------------------------- CodePageList

CodePageList& CodePageList::instance() {
    static CodePageList* list = new CodePageList();
    return *list;
}

void CodePageList::add(int32_t number) {
    const wchar_t* name = codePageDisplayName(number);
    if (!name || find(number)) return;
    if (CodePage* cp = CodePage::fromPage(number, name)) items_.push(cp);
}

CodePage* CodePageList::find(int32_t number) const {
    for (uint32_t i = 0; i < items_.count(); ++i)
        if (at(i)->number() == number) return at(i);
    return nullptr;
}

void CodePageList::build() {
    if (isBuilt()) return;
    thread::ObjLocker::Guard hold(lock_);
    if (built_.load(std::memory_order_relaxed)) return;
    EnumSystemCodePagesW(onCodePage, CP_SUPPORTED);
    // Some systems (Wine) leave UTF-8 out of the enumeration although they convert it.
    if (IsValidCodePage(CP_UTF8)) add(CP_UTF8);
    add(kUtf16);
    add(kUtf16BE);
    utf16_ = find(kUtf16);
    utf16BE_ = find(kUtf16BE);
    comp::sortAscending(items_.items(), items_.count(), compareNames);
    built_.store(1, std::memory_order_release);
}

void buildCodePageList() { CodePageList::instance().build(); }

}  // namespace s::system::codepage
