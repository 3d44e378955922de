// One registry key (a root and a subkey path), kept open through the native key
// interface of ntdll, with typed values, creation of missing ancestors, recursive
// deletion, renaming and listings.
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/thread/Pool.h"

struct HKEY__;

namespace s::col::_array {
class ArrayU08;
class ArrayP;
}  // namespace s::col::_array
namespace s::str::strbuffer {
class StrBuffer;
}
namespace s::str::strarray {
class StrArray;
}

namespace s::reg {

using RootKey = ::HKEY__*;

// Root values (the HKEY constants), for code that does not include windows.h.
inline RootKey rootKey(uint32_t value) { return reinterpret_cast<RootKey>(uintptr_t(int64_t(int32_t(value)))); }
constexpr uint32_t kClassesRoot = 0x80000000u;
constexpr uint32_t kCurrentUser = 0x80000001u;
constexpr uint32_t kLocalMachine = 0x80000002u;
constexpr uint32_t kUsers = 0x80000003u;
constexpr uint32_t kCurrentConfig = 0x80000005u;

// Registry value types.
constexpr uint32_t kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegDword = 4, kRegMultiSz = 7;

class IRegDir : public base::IObject {
public:
    // Root name, "\", subkey path.
    virtual const wchar_t* getPath() = 0;
    virtual const wchar_t* getNativePath() = 0;
    // A new key on the parent (same root), null directly under the root.
    virtual IRegDir* getParent() = 0;
    // New pointer array of new keys (the array hands them back to their pool).
    virtual col::_array::ArrayP* listChildren() = 0;
    // The same, only names starting with the text (ignoring case).
    virtual col::_array::ArrayP* listChildrenMatching(const wchar_t* prefix) = 0;
    virtual RootKey getRoot() = 0;
    virtual void setRoot(RootKey root) = 0;
    virtual const wchar_t* getSubPath() = 0;
    // Sets the subkey path (trailing "\" dropped) and opens it; the status (0 = open).
    virtual long setSubPath(const wchar_t* path) = 0;
    // The last level of the subkey path into out (replaced unless append), or a new string.
    virtual str::strbuffer::StrBuffer* getName(str::strbuffer::StrBuffer* out, bool append) = 0;
    // Opens "HKEY_...\sub\path"; an unknown root leaves the key unopened.
    virtual void openFullPath(const wchar_t* text) = 0;
    virtual long open(RootKey root, const wchar_t* path) = 0;
    virtual void close() = 0;
    virtual bool exists() = 0;
    // Creates the key and every missing ancestor.
    virtual void createKey() = 0;
    // Deletes every subkey (recursively) and, when deleteSelf, the key itself.
    virtual void remove(bool deleteSelf) = 0;
    // Renames the key (the object keeps naming the old path). False when it failed.
    virtual bool rename(const wchar_t* newName) = 0;
    virtual void flush() = 0;
    // Reads a value into the object's data buffer. True when it exists (and, unless
    // expectedType is -1, has that type); type and size are reported either way.
    virtual bool queryValue(const wchar_t* name, uint32_t* type, uint32_t* size, int32_t expectedType = -1) = 0;
    virtual str::strarray::StrArray* listValueNames() = 0;
    virtual uint64_t getTreeSize(bool recursive, uint32_t* valueCount, uint32_t* keyCount, bool includeValues) = 0;
    virtual uint32_t getValueSize(const wchar_t* name) = 0;

    virtual uint8_t getU8(const wchar_t* name, uint8_t def) = 0;
    virtual uint16_t getU16(const wchar_t* name, uint16_t def) = 0;
    virtual uint32_t getU32(const wchar_t* name, uint32_t def) = 0;
    virtual uint64_t getU64(const wchar_t* name, uint64_t def) = 0;
    virtual int8_t getS8(const wchar_t* name, int8_t def) = 0;
    virtual int16_t getS16(const wchar_t* name, int16_t def) = 0;
    virtual int32_t getS32(const wchar_t* name, int32_t def) = 0;
    virtual int64_t getS64(const wchar_t* name, int64_t def) = 0;
    virtual float getFloat(const wchar_t* name, float def) = 0;
    virtual double getDouble(const wchar_t* name, double def) = 0;
    virtual bool getBool(const wchar_t* name, bool def) = 0;
    // REG_SZ or REG_EXPAND_SZ text (valid until the next value read on this object),
    // the empty text for empty data, def when absent or of another type.
    virtual const wchar_t* getString(const wchar_t* name, const wchar_t* def, bool* expandable = nullptr,
                                     bool expand = false) = 0;
    virtual str::strarray::StrArray* getStrings(const wchar_t* name) = 0;
    // A copy of the data in bytes (or a new array); null when absent.
    virtual col::_array::ArrayU08* getBytes(const wchar_t* name, col::_array::ArrayU08* bytes) = 0;
    virtual long removeValue(const wchar_t* name) = 0;

    virtual void setU8(const wchar_t* name, uint8_t value) = 0;
    virtual void setU16(const wchar_t* name, uint16_t value) = 0;
    virtual void setU32(const wchar_t* name, uint32_t value) = 0;
    virtual void setU64(const wchar_t* name, uint64_t value) = 0;
    virtual void setS8(const wchar_t* name, int8_t value) = 0;
    virtual void setS16(const wchar_t* name, int16_t value) = 0;
    virtual void setS32(const wchar_t* name, int32_t value) = 0;
    virtual void setS64(const wchar_t* name, int64_t value) = 0;
    virtual void setFloat(const wchar_t* name, float value) = 0;
    virtual void setDouble(const wchar_t* name, double value) = 0;
    virtual void setBool(const wchar_t* name, bool value) = 0;
    virtual void setString(const wchar_t* name, const wchar_t* text) = 0;
    virtual void setExpandString(const wchar_t* name, const wchar_t* text) = 0;
    virtual void setStrings(const wchar_t* name, const str::strarray::StrArray* texts) = 0;
    virtual void setBytes(const wchar_t* name, const col::_array::ArrayU08* bytes) = 0;
};

}  // namespace s::reg

namespace s::reg::win {

class RegDir final : public IRegDir, public thread::IPoolable {
    S_POOLED(RegDir, L"s_reg_win_RegDir")
public:
    RegDir();
    ~RegDir() override;
    RegDir(const RegDir&) = delete;
    RegDir& operator=(const RegDir&) = delete;

    // A key from the pool opened on (root, path).
    static RegDir* fromPath(RootKey root, const wchar_t* path);
    static RegDir* fromPath(uint32_t root, const wchar_t* path) { return fromPath(rootKey(root), path); }

    void reset() override;
    bool isOpen() const { return key_ != nullptr; }
    // Status of the last native call that failed or succeeded on this object.
    long lastStatus() const { return status_; }
    // Whether the native layer initialised (recorded at construction).
    bool nativeReady() const { return native_; }

    const wchar_t* getPath() override;
    const wchar_t* getNativePath() override;
    IRegDir* getParent() override;
    RegDir* parent();
    col::_array::ArrayP* listChildren() override;
    col::_array::ArrayP* listChildrenMatching(const wchar_t* prefix) override;
    RootKey getRoot() override { return root_; }
    void setRoot(RootKey root) override;
    const wchar_t* getSubPath() override;
    long setSubPath(const wchar_t* path) override;
    str::strbuffer::StrBuffer* getName(str::strbuffer::StrBuffer* out, bool append) override;
    void openFullPath(const wchar_t* text) override;
    long open(RootKey root, const wchar_t* path) override;
    long open(uint32_t root, const wchar_t* path) { return open(rootKey(root), path); }
    void close() override;
    bool exists() override;
    void createKey() override;
    void remove(bool deleteSelf) override;
    bool rename(const wchar_t* newName) override;
    void flush() override;
    bool queryValue(const wchar_t* name, uint32_t* type, uint32_t* size, int32_t expectedType = -1) override;
    str::strarray::StrArray* listValueNames() override;
    uint64_t getTreeSize(bool recursive, uint32_t* valueCount, uint32_t* keyCount, bool includeValues) override;
    uint32_t getValueSize(const wchar_t* name) override;

    uint8_t getU8(const wchar_t* name, uint8_t def) override;
    uint16_t getU16(const wchar_t* name, uint16_t def) override;
    uint32_t getU32(const wchar_t* name, uint32_t def) override;
    uint64_t getU64(const wchar_t* name, uint64_t def) override;
    int8_t getS8(const wchar_t* name, int8_t def) override;
    int16_t getS16(const wchar_t* name, int16_t def) override;
    int32_t getS32(const wchar_t* name, int32_t def) override;
    int64_t getS64(const wchar_t* name, int64_t def) override;
    float getFloat(const wchar_t* name, float def) override;
    double getDouble(const wchar_t* name, double def) override;
    bool getBool(const wchar_t* name, bool def) override;
    const wchar_t* getString(const wchar_t* name, const wchar_t* def, bool* expandable = nullptr,
                             bool expand = false) override;
    str::strarray::StrArray* getStrings(const wchar_t* name) override;
    col::_array::ArrayU08* getBytes(const wchar_t* name, col::_array::ArrayU08* bytes) override;
    long removeValue(const wchar_t* name) override;

    void setU8(const wchar_t* name, uint8_t value) override;
    void setU16(const wchar_t* name, uint16_t value) override;
    void setU32(const wchar_t* name, uint32_t value) override;
    void setU64(const wchar_t* name, uint64_t value) override;
    void setS8(const wchar_t* name, int8_t value) override;
    void setS16(const wchar_t* name, int16_t value) override;
    void setS32(const wchar_t* name, int32_t value) override;
    void setS64(const wchar_t* name, int64_t value) override;
    void setFloat(const wchar_t* name, float value) override;
    void setDouble(const wchar_t* name, double value) override;
    void setBool(const wchar_t* name, bool value) override;
    void setString(const wchar_t* name, const wchar_t* text) override;
    void setExpandString(const wchar_t* name, const wchar_t* text) override;
    void setStrings(const wchar_t* name, const str::strarray::StrArray* texts) override;
    void setBytes(const wchar_t* name, const col::_array::ArrayU08* bytes) override;

    // Writes one value of any type; false when the key could not be opened or created,
    // or the native call failed.
    bool setValue(const wchar_t* name, uint32_t type, const void* data, uint32_t size);

private:
    bool openNative();
    bool tryOpen();
    long createNative();
    col::_array::ArrayP* listChildrenImpl(const wchar_t* prefix);
    // Data of the last read as a fixed-size scalar; false unless it is exactly n bytes.
    bool readScalar(const wchar_t* name, void* out, uint32_t n);

    col::_array::ArrayU08* data_;
    col::_array::ArrayU08* expanded_;
    void* key_ = nullptr;
    bool native_ = false;
    long status_ = 0;
    RootKey root_ = nullptr;
    // Root name and native root are empty for an unknown root (nothing opens or is created).
    str::strbuffer::StrBuffer* rootName_;
    str::strbuffer::StrBuffer* nativeRoot_;
    str::strbuffer::StrBuffer* subPath_;
    str::strbuffer::StrBuffer* fullPath_;
    str::strbuffer::StrBuffer* nativePath_;
    str::strbuffer::StrBuffer* text_;  // the text returned by getString
};

}  // namespace s::reg::win
