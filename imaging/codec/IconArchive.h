// The directory of an icon file (or of a module's icon group) seen as an archive of
// entries with their bytes. The cursor archive (CurArchive.h) shares it.
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/col/Array.h"
#include "foundation/thread/Pool.h"
#include "platform/archive/Archive.h"

namespace s::io { class IInputStream; class IOutputStream; }
namespace s::file::win { class PathWin; class FileInputStream; }
namespace s::archive::dll::win { class Archive; }
namespace s::image::win { class BufferedImage; }
namespace s::image::ico::win { class IconImage; }

namespace s::archive::icon {

class Entry : public archive::IEntry, public base::IObject, public thread::IPoolable {
    S_POOLED(Entry, L"s_archive_icon_Entry")
public:
    Entry() = default;
    ~Entry() override = default;
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;
    void reset() override { clear(); }
    // Empties the bytes and the directory fields.
    void clear();

    uint64_t getEntrySize() const override { return bytesInRes; }

    // Reads bytes-in-resource bytes from the stream's position; false when the stream
    // ends first (the entry then stays unloaded).
    bool loadData(io::IInputStream* in);
    // The loaded bytes as a new pooled icon image; null when not loaded or undecodable.
    image::ico::win::IconImage* decode();
    // Directory fields and bytes of the image as an icon file stores it.
    bool fromIconImage(image::ico::win::IconImage* image);
    // The 16-byte directory entry as a file holds it, with the given image offset.
    void directoryBytes(uint8_t out[16], uint32_t offset) const;
    // Width and height in pixels (a stored 0 stands for 256).
    int pixelWidth() const { return width ? width : 256; }
    int pixelHeight() const { return height ? height : 256; }

    uint8_t width = 0, height = 0, colorCount = 0, reserved = 0;
    uint16_t planes = 0, bitCount = 0;
    uint32_t bytesInRes = 0, imageOffset = 0;
    uint64_t streamPosition = 0;
    col::_array::ArrayU08 bytes;
    bool loaded = false;
};

class Archive : public archive::IArchive, public base::IObject, public thread::IPoolable {
    S_POOLED(Archive, L"s_archive_icon_Archive")
public:
    Archive();
    ~Archive() override;
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;
    void reset() override { close(); }

    uint64_t getFileSize() const override { return size_; }
    uint32_t getEntryCount() const override { return entries_.count(); }
    archive::IEntry* getEntryAt(uint32_t i) const override { return entry(i); }
    // Opens the file read-only and parses it; the archive closes the file again in
    // close() (or at once when parsing fails).
    bool open(file::win::PathWin* path) override;
    bool open(const wchar_t* path);
    void close() override;
    // The entry alone as a file of this archive's kind with one image at offset 22.
    bool readEntry(archive::IEntry* entry, io::IOutputStream* out) override;

    // Reads from a stream the caller keeps: the archive starts at the stream's position.
    bool openStream(io::IInputStream* in);
    // Reads the header and the directory. False when the directory does not fit in the
    // data; entries whose data lies outside it are kept but never load.
    bool parse();
    // The entry for w x h: the first one of exactly that size at 32 bits, else the one
    // nearest in area (then nearest to 32 bits). False (index 0) when there is none.
    bool findBestEntry(int w, int h, int32_t* index) const;
    image::ico::win::IconImage* decodeEntry(uint32_t i);
    image::win::BufferedImage* getImage(uint32_t i);
    // Writes the whole archive as a file: header, directory, then the images in order.
    bool write(io::IOutputStream* out);
    // Loads the entry's data from the stream when not loaded yet.
    bool ensureLoaded(Entry* e);

    bool loadGroupIconById(dll::win::Archive* module, uint32_t id);
    bool loadGroupIconByName(dll::win::Archive* module, const wchar_t* name);

    Entry* entry(uint32_t i) const { return i < entries_.count() ? entries_.at<Entry>(i) : nullptr; }
    // Appends an entry (the archive owns it from then on).
    void addEntry(Entry* e);

protected:
    // What a subclass changes: the file type in the header, the entry class, and the
    // fix-up of a directory entry just read.
    virtual uint16_t fileType() const { return 1; }
    virtual Entry* newEntry() const { return Entry::create(); }
    virtual void fixEntry(Entry*) const {}
    bool loadGroup(dll::win::Archive* module, bool cursor, const wchar_t* name);

    uint64_t start_ = 0;
    uint64_t size_ = 0;
    col::_array::ArrayP entries_;
    bool ownStream_ = false;
    file::win::FileInputStream* file_ = nullptr;
    io::IInputStream* in_ = nullptr;
    uint8_t header_[6] = {};
};

}  // namespace s::archive::icon
