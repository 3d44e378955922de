// The settings tree kept under one registry key.
#pragma once

#include "foundation/thread/Pool.h"
#include "platform/map/IMappedData.h"
#include "platform/reg/RegDir.h"

namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::reg {

// Levels are subkeys of the root key ("\" between levels; "/" belongs to a key name),
// values are registry values. Writes reach the registry at once, so flush does nothing.
class MappedData final : public map::IMappedData, public thread::IPoolable {
    S_POOLED(MappedData, L"s_reg_MappedData")
public:
    MappedData();
    ~MappedData() override;
    MappedData(const MappedData&) = delete;
    MappedData& operator=(const MappedData&) = delete;

    // Takes ownership of the root key (the base of every path) and opens a current key
    // on it; the open status (0 = open). The root need not exist: the first write creates it.
    long attach(win::RegDir* root);
    void reset() override;

    void flush() override;
    void openPath(const wchar_t* path) override;
    void removePath(const wchar_t* path) override;
    bool findPath(const wchar_t* path) override;
    bool hasValue(const wchar_t* path, const wchar_t* name) override;

    uint8_t getU8(const wchar_t* path, const wchar_t* name, uint8_t def) override;
    uint16_t getU16(const wchar_t* path, const wchar_t* name, uint16_t def) override;
    uint32_t getU32(const wchar_t* path, const wchar_t* name, uint32_t def) override;
    uint64_t getU64(const wchar_t* path, const wchar_t* name, uint64_t def) override;
    int8_t getS8(const wchar_t* path, const wchar_t* name, int8_t def) override;
    int16_t getS16(const wchar_t* path, const wchar_t* name, int16_t def) override;
    int32_t getInt(const wchar_t* path, const wchar_t* name, int32_t def) override;
    int64_t getS64(const wchar_t* path, const wchar_t* name, int64_t def) override;
    float getFloat(const wchar_t* path, const wchar_t* name, float def) override;
    double getDouble(const wchar_t* path, const wchar_t* name, double def) override;
    bool getBool(const wchar_t* path, const wchar_t* name, bool def) override;
    const wchar_t* getString(const wchar_t* path, const wchar_t* name, const wchar_t* def, bool* expandable = nullptr,
                             bool expand = false) override;
    str::strarray::StrArray* getStrings(const wchar_t* path, const wchar_t* name) override;
    // Missing path: bytes unchanged (a new empty array when none was given); missing
    // value: null; otherwise bytes (or a new array) holding a copy of the data.
    col::_array::ArrayU08* getBytes(const wchar_t* path, const wchar_t* name, col::_array::ArrayU08* bytes) override;
    void removeValue(const wchar_t* path, const wchar_t* name) override;

    void setU8(const wchar_t* path, const wchar_t* name, uint8_t value) override;
    void setU16(const wchar_t* path, const wchar_t* name, uint16_t value) override;
    void setU32(const wchar_t* path, const wchar_t* name, uint32_t value) override;
    void setU64(const wchar_t* path, const wchar_t* name, uint64_t value) override;
    void setS8(const wchar_t* path, const wchar_t* name, int8_t value) override;
    void setS16(const wchar_t* path, const wchar_t* name, int16_t value) override;
    void setInt(const wchar_t* path, const wchar_t* name, int32_t value) override;
    void setS64(const wchar_t* path, const wchar_t* name, int64_t value) override;
    void setFloat(const wchar_t* path, const wchar_t* name, float value) override;
    void setDouble(const wchar_t* path, const wchar_t* name, double value) override;
    void setBool(const wchar_t* path, const wchar_t* name, bool value) override;
    void setString(const wchar_t* path, const wchar_t* name, const wchar_t* text) override;
    void setExpandString(const wchar_t* path, const wchar_t* name, const wchar_t* text) override;
    void flushIfAuto() override;
    void setBytes(const wchar_t* path, const wchar_t* name, const col::_array::ArrayU08* bytes) override;
    bool getAutoFlush() override;
    void setAutoFlush(bool on) override;

private:
    // Current key on the path (made current, found or not); null without a root.
    win::RegDir* lookup(const wchar_t* path);
    // Current key on the path, created when missing.
    win::RegDir* openLevel(const wchar_t* path);
    void keyPathOf(const wchar_t* path);
    void dropCurrent();

    thread::ObjLocker lock_;
    str::strbuffer::StrBuffer* keyPath_;
    str::strbuffer::StrBuffer* currentPath_;
    win::RegDir* root_ = nullptr;
    win::RegDir* current_ = nullptr;
    bool haveCurrent_ = false;  // currentPath_ names the current level
    bool found_ = false;        // answer of the lookup that made it current
    bool autoFlush_ = false;
};

}  // namespace s::reg
