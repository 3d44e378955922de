// Windows code pages by number with English display names, and the process-wide list
// of the code pages the system supports, sorted by display name.
#pragma once

#include <atomic>
#include <cstdint>

#include "foundation/col/Array.h"
#include "foundation/thread/Pool.h"

namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::system::codepage {

constexpr int32_t kUtf16 = 1200;
constexpr int32_t kUtf16BE = 1201;

class CodePage : public base::IObject, public thread::IPoolable {
    S_POOLED(CodePage, L"s_system_codepage_CodePage")

public:
    CodePage();
    ~CodePage() override;
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    // A pooled code page with both fields set.
    static CodePage* fromPage(int32_t number, const wchar_t* name);

    int32_t number() const { return number_; }
    void setNumber(int32_t n) { number_ = n; }
    str::strbuffer::StrBuffer* name() const { return name_; }
    const wchar_t* nameText() const;
    // UTF-16 (little-endian) and UTF-16BE are told by number, whichever object names them.
    bool isUtf16() const { return number_ == kUtf16; }
    bool isUtf16BE() const { return number_ == kUtf16BE; }

    void reset() override;

private:
    int32_t number_ = 0;
    str::strbuffer::StrBuffer* name_;
};

// English display name of a code page number, null for a page this system does not name.
const wchar_t* codePageDisplayName(int32_t number);

// The code pages the system supports that have a display name, plus UTF-16 and
// UTF-16BE, in ascending display-name order (ignoring case). Built once, on first use;
// read-only afterwards. Made on first use and never destroyed.
class CodePageList {
public:
    static CodePageList& instance();

    // Builds the list unless it is built (safe to call from several threads at once).
    void build();
    bool isBuilt() const { return built_.load(std::memory_order_acquire) != 0; }

    // The items, after build().
    uint32_t count() const { return items_.count(); }
    CodePage* at(uint32_t i) const { return static_cast<CodePage*>(items_.get(i)); }
    const col::_array::ArrayP& items() const { return items_; }
    // The list's entries for 1200 and 1201.
    CodePage* utf16() const { return utf16_; }
    CodePage* utf16BE() const { return utf16BE_; }
    // The entry of a number, or null.
    CodePage* find(int32_t number) const;

    thread::ObjLocker& lock() { return lock_; }

    // Appends the entry of a named number that is not present yet (used while building).
    void add(int32_t number);

private:
    CodePageList() = default;

    thread::ObjLocker lock_;
    col::_array::ArrayP items_;
    std::atomic<uint8_t> built_{0};
    CodePage* utf16_ = nullptr;
    CodePage* utf16BE_ = nullptr;
};

// Builds the process-wide list once (callers may test CodePageList::isBuilt first).
void buildCodePageList();

}  // namespace s::system::codepage
