// The settings tree kept in an XML file: each level is an element, each value an
// attribute of its level's element, the value with the empty name the element's text.
#pragma once

#include "foundation/thread/Pool.h"
#include "platform/map/IMappedData.h"

namespace s::str::strbuffer {
class StrBuffer;
}
namespace s::xml {
class Node;
class Attributes;
}  // namespace s::xml
namespace s::file::win {
class PathWin;
}

namespace s::xml {

// The whole tree lives in memory; flush writes it to the file (safely: a new file is
// put in place of the old one in one step). Levels are separated by "/" or "\".
class MappedData final : public map::IMappedData, public thread::IPoolable {
    S_POOLED(MappedData, L"s_xml_MappedData")
public:
    MappedData();
    ~MappedData() override;
    MappedData(const MappedData&) = delete;
    MappedData& operator=(const MappedData&) = delete;

    // A store from the pool opened on the file; a missing, unreadable or malformed file
    // gives an empty "savedata" tree. A file that exists but cannot be read as XML is
    // kept: it is copied to "<name>.bad" before the first flush writes over it.
    static MappedData* openFile(const wchar_t* fileName);
    // Sets the file and loads it when it exists and parses; false when it exists but
    // could not be loaded (the tree in memory is then left as it was).
    bool open(const wchar_t* fileName);
    // Takes ownership of element as the root (the previous root goes back to its pool).
    void setRoot(Node* element);
    // The root element (owned by the store).
    Node* getRoot();
    // Whether the last flush wrote the file.
    bool lastFlushOk();

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
    // bytes (or a new array): unchanged when the path is missing, else filled from the
    // value's hexadecimal text (emptied when the value is missing).
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
    Node* lookup(const wchar_t* path, bool create);
    Node* walk(const wchar_t* path, bool create);
    Node* ensureRoot();
    // Makes the path current (created when missing) and removes the value named name;
    // the attributes to append the new value to, null when the level cannot be made.
    Attributes* beginWrite(const wchar_t* path, const wchar_t* name);
    // Copies the unreadable file aside ("<name>.bad", or .bad1, .bad2, ... when taken).
    bool backUpBadFile();

    thread::ObjLocker lock_;
    file::win::PathWin* file_ = nullptr;
    str::strbuffer::StrBuffer* value_;
    str::strbuffer::StrBuffer* currentPath_;
    Node* root_ = nullptr;
    Node* current_ = nullptr;
    bool haveCurrent_ = false;
    bool autoFlush_ = false;
    bool keepBadFile_ = false;  // the file on disk could not be read: back it up before writing
    bool dirty_ = false;        // changed since loaded or last written
    bool lastFlushOk_ = false;
};

}  // namespace s::xml
