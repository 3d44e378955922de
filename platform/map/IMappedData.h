// The settings tree: typed values addressed by a path of levels and a value name.
// Readers give a default when a level or value is missing; writers create missing
// levels. Two stores implement it: one under a registry key (s::reg::MappedData) and
// one in an XML file (s::xml::MappedData).
//
// Paths: levels are separated by "\"; the XML store also accepts "/", while the
// registry store keeps a "/" as part of a key name. The empty path is the root level;
// the empty value name is the level's default value (registry) or its text (XML).
// Level names and value names are matched ignoring case (A-Z only) by both stores.
//
// Every operation of a store holds the store's own lock, so one store may be shared by
// several threads. A text returned by getString is the caller thread's own copy and
// stays valid until that thread's next getString on a store of the same kind.
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"

namespace s::col::_array {
class ArrayU08;
}
namespace s::str::strarray {
class StrArray;
}

namespace s::map {

class IMappedData : public base::IObject {
public:
    // Writes pending changes to the backing store (the registry store has none).
    virtual void flush() = 0;
    // Makes the path current, creating missing levels.
    virtual void openPath(const wchar_t* path) = 0;
    // Deletes the last level of the path with everything below it.
    virtual void removePath(const wchar_t* path) = 0;
    // Makes the path current without creating anything; whether it exists.
    virtual bool findPath(const wchar_t* path) = 0;
    virtual bool hasValue(const wchar_t* path, const wchar_t* name) = 0;

    virtual uint8_t getU8(const wchar_t* path, const wchar_t* name, uint8_t def) = 0;
    virtual uint16_t getU16(const wchar_t* path, const wchar_t* name, uint16_t def) = 0;
    virtual uint32_t getU32(const wchar_t* path, const wchar_t* name, uint32_t def) = 0;
    virtual uint64_t getU64(const wchar_t* path, const wchar_t* name, uint64_t def) = 0;
    virtual int8_t getS8(const wchar_t* path, const wchar_t* name, int8_t def) = 0;
    virtual int16_t getS16(const wchar_t* path, const wchar_t* name, int16_t def) = 0;
    virtual int32_t getInt(const wchar_t* path, const wchar_t* name, int32_t def) = 0;
    virtual int64_t getS64(const wchar_t* path, const wchar_t* name, int64_t def) = 0;
    virtual float getFloat(const wchar_t* path, const wchar_t* name, float def) = 0;
    virtual double getDouble(const wchar_t* path, const wchar_t* name, double def) = 0;
    virtual bool getBool(const wchar_t* path, const wchar_t* name, bool def) = 0;
    // The text, or def when missing. expandable (when given) tells whether the value is
    // an expandable string; expand asks for environment variables to be expanded.
    virtual const wchar_t* getString(const wchar_t* path, const wchar_t* name, const wchar_t* def,
                                     bool* expandable = nullptr, bool expand = false) = 0;
    // Lists are not kept by either store: always null.
    virtual str::strarray::StrArray* getStrings(const wchar_t* path, const wchar_t* name) = 0;
    // A copy of the value's bytes in bytes (or a new pooled array); see each store for
    // what a missing path or value gives.
    virtual col::_array::ArrayU08* getBytes(const wchar_t* path, const wchar_t* name, col::_array::ArrayU08* bytes) = 0;
    virtual void removeValue(const wchar_t* path, const wchar_t* name) = 0;

    virtual void setU8(const wchar_t* path, const wchar_t* name, uint8_t value) = 0;
    virtual void setU16(const wchar_t* path, const wchar_t* name, uint16_t value) = 0;
    virtual void setU32(const wchar_t* path, const wchar_t* name, uint32_t value) = 0;
    virtual void setU64(const wchar_t* path, const wchar_t* name, uint64_t value) = 0;
    virtual void setS8(const wchar_t* path, const wchar_t* name, int8_t value) = 0;
    virtual void setS16(const wchar_t* path, const wchar_t* name, int16_t value) = 0;
    virtual void setInt(const wchar_t* path, const wchar_t* name, int32_t value) = 0;
    virtual void setS64(const wchar_t* path, const wchar_t* name, int64_t value) = 0;
    virtual void setFloat(const wchar_t* path, const wchar_t* name, float value) = 0;
    virtual void setDouble(const wchar_t* path, const wchar_t* name, double value) = 0;
    virtual void setBool(const wchar_t* path, const wchar_t* name, bool value) = 0;
    virtual void setString(const wchar_t* path, const wchar_t* name, const wchar_t* text) = 0;
    virtual void setExpandString(const wchar_t* path, const wchar_t* name, const wchar_t* text) = 0;
    // flush when auto-flush is on.
    virtual void flushIfAuto() = 0;
    virtual void setBytes(const wchar_t* path, const wchar_t* name, const col::_array::ArrayU08* bytes) = 0;
    virtual bool getAutoFlush() = 0;
    virtual void setAutoFlush(bool on) = 0;
};

}  // namespace s::map
