// The generic archive interfaces: an archive is a list of entries whose bytes can be
// read out one by one. Module resources, icon files and cursor files are archives.
#pragma once

#include <cstdint>

namespace s::io {
class IOutputStream;
}
namespace s::file::win {
class PathWin;
}

namespace s::archive {

class IEntry {
public:
    virtual ~IEntry() = default;
    // Bytes of the entry's data.
    virtual uint64_t getEntrySize() const = 0;
};

class IArchive {
public:
    virtual ~IArchive() = default;
    // Size of the archive's file (or of its part of a stream).
    virtual uint64_t getFileSize() const = 0;
    virtual uint32_t getEntryCount() const = 0;
    // Entry i (below the count), else null.
    virtual IEntry* getEntryAt(uint32_t i) const = 0;
    // Opens the file and lists its entries; false when it cannot be read.
    virtual bool open(file::win::PathWin* path) = 0;
    // Forgets every entry and lets go of the file.
    virtual void close() = 0;
    // Writes the entry's data to the stream; false when it cannot be read or written.
    virtual bool readEntry(IEntry* entry, io::IOutputStream* out) = 0;
};

}  // namespace s::archive
