// A module's resources (an executable or library file) seen as an archive of entries.
// The module is mapped as a data file only: nothing of it ever runs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "foundation/base/Object.h"
#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"
#include "foundation/thread/Pool.h"
#include "platform/archive/Archive.h"

namespace s::xml { class Node; }
namespace s::file::win { class PathWin; }

namespace s::archive::dll {

// The archive's own numbering of the standard resource types (alphabetical order of
// their names); other numbers pass through both mappings unchanged.
namespace type {
constexpr int32_t kAccelerator = 0, kAniCursor = 1, kAniIcon = 2, kBitmap = 3, kCursor = 4, kDialog = 5,
                  kDlgInclude = 6, kFont = 7, kFontDir = 8, kGroupCursor = 9, kGroupIcon = 10, kHtml = 11,
                  kIcon = 12, kManifest = 13, kMenu = 14, kMessageTable = 15, kPlugPlay = 16, kRcData = 17,
                  kString = 18, kVersion = 19, kVxd = 20;
int32_t codeOfRt(uint32_t rt);
uint32_t rtOfCode(int32_t code);
// The type's name ("GROUP_ICON"), null for a number the table does not know.
const wchar_t* nameOfCode(int32_t code);
}  // namespace type

class IEntry : public archive::IEntry, public base::IObject {
public:
    virtual uint64_t getSize() const = 0;
    virtual void setSize(uint64_t size) = 0;
    virtual void setNameId(uint32_t id) = 0;
    // A value whose high 16 bits are 0 is an integer id; otherwise text, copied.
    virtual void setName(const wchar_t* name) = 0;
    virtual bool nameIsId() const = 0;
    virtual bool nameIsText() const = 0;
    virtual uint32_t getNameId() const = 0;
    virtual const wchar_t* getNameText() const = 0;
    virtual void setTypeCode(int32_t code) = 0;
    // Integer (high 16 bits 0): the raw resource type number, kept as it is; else text.
    virtual void setType(const wchar_t* type) = 0;
    virtual bool typeIsId() const = 0;
    virtual bool typeIsText() const = 0;
    // The archive code of the type, derived from the raw number (for display and lookups).
    virtual int32_t getTypeCode() const = 0;
    virtual const wchar_t* getTypeText() const = 0;
    // The raw resource type number.
    virtual uint32_t getRtType() const = 0;
    virtual void setLanguage(uint16_t primary) = 0;
    virtual uint16_t getLanguage() const = 0;
    virtual void setSubLanguage(uint16_t sub) = 0;
    virtual uint16_t getSubLanguage() const = 0;
};

// One member image of an icon or cursor group, with its directory fields as an icon or
// cursor file holds them (width, height, colours, reserved, planes or hotspot x, bit
// count or hotspot y, bytes in resource) and its image bytes.
struct GroupMember {
    uint8_t dir[12] = {};
    std::vector<uint8_t> bytes;
};

}  // namespace s::archive::dll

namespace s::archive::dll::win {

class Entry : public dll::IEntry, public thread::IPoolable {
    S_POOLED(Entry, L"s_archive_dll_win_Entry")
public:
    Entry();
    ~Entry() override;
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;
    void reset() override;

    uint64_t getEntrySize() const override { return size_; }
    uint64_t getSize() const override { return size_; }
    void setSize(uint64_t size) override { size_ = size; }
    void setNameId(uint32_t id) override;
    void setName(const wchar_t* name) override;
    bool nameIsId() const override { return nameIsId_; }
    bool nameIsText() const override { return !nameIsId_; }
    uint32_t getNameId() const override { return nameId_; }
    const wchar_t* getNameText() const override;
    void setTypeCode(int32_t code) override;
    void setType(const wchar_t* type) override;
    bool typeIsId() const override { return typeIsId_; }
    bool typeIsText() const override { return !typeIsId_; }
    int32_t getTypeCode() const override { return typeIsId_ ? type::codeOfRt(rtType_) : -1; }
    const wchar_t* getTypeText() const override;
    uint32_t getRtType() const override { return rtType_; }
    void setLanguage(uint16_t primary) override { language_ = primary; }
    uint16_t getLanguage() const override { return language_; }
    void setSubLanguage(uint16_t sub) override { subLanguage_ = sub; }
    uint16_t getSubLanguage() const override { return subLanguage_; }

    // The name or type as Windows resource calls take it (an integer id or the text).
    LPCWSTR nameArg() const { return nameIsId_ ? MAKEINTRESOURCEW(nameId_) : getNameText(); }
    LPCWSTR typeArg() const { return typeIsId_ ? MAKEINTRESOURCEW(rtType_) : getTypeText(); }
    HRSRC getHandle() const { return handle_; }
    void setHandle(HRSRC h) { handle_ = h; }

private:
    uint64_t size_ = 0;
    bool nameIsId_ = true;
    uint32_t nameId_ = 0;
    str::strbuffer::StrBuffer* nameText_ = nullptr;
    bool typeIsId_ = true;
    uint32_t rtType_ = 0;
    str::strbuffer::StrBuffer* typeText_ = nullptr;
    uint16_t language_ = 0;
    uint16_t subLanguage_ = 0;
    HRSRC handle_ = nullptr;
};

// Where a module is mapped: every pointer the resource functions give must lie inside.
struct MappedView {
    const uint8_t* base = nullptr;
    size_t size = 0;
    bool asImage = false;  // sections at their virtual addresses (else the file as it is)
};
// The view of a module loaded as a data file or image resource; false when unknown.
bool findView(HMODULE module, MappedView* out);
// The resource directory walked with every count, offset and name checked against the
// view (and against its own size); false when anything lies outside, when it nests
// deeper than type, name and language, or when it names more entries than it can hold.
bool validResourceDirectory(const MappedView& view);

class Archive : public archive::IArchive, public base::IObject, public thread::IPoolable {
    S_POOLED(Archive, L"s_archive_dll_win_Archive")
public:
    Archive();
    ~Archive() override;
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;
    void reset() override { close(); }

    // IArchive
    uint64_t getFileSize() const override { return fileSize_; }
    uint32_t getEntryCount() const override { return entries_.count(); }
    archive::IEntry* getEntryAt(uint32_t i) const override { return entry(i); }
    bool open(file::win::PathWin* path) override;
    void close() override;
    bool readEntry(archive::IEntry* entry, io::IOutputStream* out) override;

    bool open(const wchar_t* path);
    Entry* entry(uint32_t i) const { return i < entries_.count() ? entries_.at<Entry>(i) : nullptr; }
    HMODULE getModule() const { return module_; }
    // The module's path text ("" when closed).
    const wchar_t* getPathText() const;

    // Lookups: the first matching entry in list order; false (index untouched) when none.
    bool findEntryByName(const wchar_t* name, int32_t* index) const;
    bool findEntryById(uint32_t id, int32_t* index) const;
    bool findEntryByNameIgnoreCase(const wchar_t* name, int32_t* index) const;
    // The n-th entry (from 0) of a numbered type given by its archive code.
    bool findEntryNth(int32_t typeCode, int32_t n, int32_t* index) const;
    bool findEntry(const wchar_t* typeText, const wchar_t* name, int32_t* index) const;
    bool findEntry(const wchar_t* typeText, uint32_t id, int32_t* index) const;
    bool findEntry(int32_t typeCode, const wchar_t* name, int32_t* index) const;
    bool findEntry(int32_t typeCode, uint32_t id, int32_t* index) const;
    bool findEntryIgnoreCase(const wchar_t* typeText, const wchar_t* name, int32_t* index) const;
    bool findEntryIgnoreCase(int32_t typeCode, const wchar_t* name, int32_t* index) const;

    // The entry's bytes: appended to out (or a new pooled array); null when unreadable.
    col::_array::ArrayU08* readBytes(uint32_t index, col::_array::ArrayU08* out = nullptr) const;
    // A resource's bytes as a new pooled array the caller releases; null when missing.
    col::_array::ArrayU08* readResource(const wchar_t* typeText, uint32_t id) const;
    // A resource parsed as UTF-8 XML into a new pooled node; null when missing or malformed.
    xml::Node* readXml(const wchar_t* typeText, uint32_t id) const;

    // The member images of the icon group (cursor group) named by an id or a text
    // (a value whose high 16 bits are 0 is an id). Members whose image resource is
    // missing (or, for cursors, shorter than its 4-byte hotspot) are left out.
    // False, with nothing listed, when an allocation fails or the members add up to more
    // than kMaxGroupBytes.
    bool readGroup(bool cursor, const wchar_t* name, std::vector<GroupMember>* out) const;
    static constexpr uint64_t kMaxGroupBytes = 256ull << 20;

    // Every entry written into the folder as files, one sub-folder per type; names that
    // come from the resources are made safe as file names first.
    bool extractAll(file::win::PathWin* folder);
    bool extractAll(const wchar_t* folder);

    // Exports and descriptions of entry index; false when the entry is not of that
    // kind, cannot be read, or the stream refused the bytes.
    bool exportIconGroup(uint32_t index, io::IOutputStream* out);
    bool exportCursorGroup(uint32_t index, io::IOutputStream* out);
    bool exportBitmap(uint32_t index, io::IOutputStream* out);
    bool describeVersion(uint32_t index, io::IOutputStream* out);
    bool describeStringTable(uint32_t index, io::IOutputStream* out);
    bool describeAccelerators(uint32_t index, io::IOutputStream* out);
    bool describeMenu(uint32_t index, io::IOutputStream* out);
    bool describeDialog(uint32_t index, io::IOutputStream* out);

    // Replaces (or adds) one resource in the module file and reloads the module. A
    // language of 0 replaces the resource in the one language it exists in. Answers the
    // entry count, or -1 when the file could not be updated (the archive then stays
    // open on the unchanged file when it can be reloaded).
    int32_t updateResource(const void* data, uint32_t size, const wchar_t* type, const wchar_t* name,
                           uint16_t language);

    // Forgets the module handle without freeing it.
    void detachModule() { module_ = nullptr; }

private:
    bool load();
    bool readMembers(bool cursor, const uint8_t* group, uint32_t size, std::vector<GroupMember>* out) const;
    void listEntries();
    int32_t find(bool (*match)(const Entry*, const void*, const void*), const void* a, const void* b,
                 int32_t nth = 0) const;
    bool describeText(uint32_t index, io::IOutputStream* out,
                      void (*build)(const uint8_t*, uint32_t, str::strbuffer::StrBuffer*));

    file::win::PathWin* path_ = nullptr;
    uint64_t fileSize_ = 0;
    col::_array::ArrayP entries_;
    HMODULE module_ = nullptr;
    MappedView view_;
};

// Text builders of the describe operations (CR LF line ends), over the resource bytes.
void buildStringTableText(const uint8_t* data, uint32_t size, str::strbuffer::StrBuffer* out);
void buildAcceleratorText(const uint8_t* data, uint32_t size, str::strbuffer::StrBuffer* out);
void buildMenuText(const uint8_t* data, uint32_t size, str::strbuffer::StrBuffer* out);
void buildVersionText(const uint8_t* data, uint32_t size, str::strbuffer::StrBuffer* out);
void buildDialogText(const uint8_t* data, uint32_t size, str::strbuffer::StrBuffer* out);
// The description of a virtual-key code ("A key", "F1 key"); "Unknown key" when none.
const wchar_t* virtualKeyName(uint32_t code);
// A name from a resource made safe as one file-name part: separators, drive colons and
// other characters files may not hold become "_", and "." or ".." become "_".
void makeSafeFileName(const wchar_t* name, str::strbuffer::StrBuffer* out);

}  // namespace s::archive::dll::win
