#include "imaging/codec/IconArchive.h"

#include <cstring>
#include <vector>

#include "imaging/codec/CodecStream.h"
#include "imaging/codec/CurArchive.h"
#include "imaging/codec/Icon.h"
#include "imaging/image/BufferedImage.h"
#include "platform/archive/DllArchive.h"
#include "platform/file/FileStream.h"
#include "platform/file/PathWin.h"

namespace s::archive::icon {

using image::ico::win::IconImage;

namespace {

uint16_t u16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t u32(const uint8_t* p) { return uint32_t(u16(p)) | uint32_t(u16(p + 2)) << 16; }

void put16(uint8_t* p, uint16_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }
void put32(uint8_t* p, uint32_t v) { put16(p, uint16_t(v)); put16(p + 2, uint16_t(v >> 16)); }

void setDirectory(Entry* e, const uint8_t* d)
{
    e->width = d[0];
    e->height = d[1];
    e->colorCount = d[2];
    e->reserved = d[3];
    e->planes = u16(d + 4);
    e->bitCount = u16(d + 6);
    e->bytesInRes = u32(d + 8);
}

}  // namespace

// ---- Entry -------------------------------------------------------------------------------

void Entry::clear()
{
    width = height = colorCount = reserved = 0;
    planes = bitCount = 0;
    bytesInRes = imageOffset = 0;
    streamPosition = 0;
    bytes.freeStorage();
    loaded = false;
}

bool Entry::loadData(io::IInputStream* in)
{
    bytes.clear();
    loaded = false;
    if (!in) return false;
    // The data must be there before any room is made for it.
    uint64_t left = image::bytesLeft(in);
    if (left != UINT64_MAX && bytesInRes > left) return false;
    if (!bytes.setCount(bytesInRes)) return false;
    if (bytesInRes && !io::IInputStream::readFully(in, bytes.items(), bytesInRes)) {
        bytes.clear();
        return false;
    }
    bytes.rewind();
    loaded = true;
    return true;
}

IconImage* Entry::decode()
{
    if (!loaded) return nullptr;
    IconImage* img = IconImage::create();
    if (!img) return nullptr;
    bytes.rewind();
    if (!img->read(&bytes)) {
        img->release();
        return nullptr;
    }
    return img;
}

bool Entry::fromIconImage(IconImage* image)
{
    clear();
    if (!image) return false;
    int w = image->getWidth(), h = image->getHeight(), bits = image->getBitCount();
    width = uint8_t(w < 256 ? w : 0);
    height = uint8_t(h < 256 ? h : 0);
    colorCount = uint8_t(bits < 8 ? 1 << bits : 0);
    planes = 1;
    bitCount = uint16_t(bits);
    if (!image->write(&bytes)) return false;
    bytesInRes = bytes.count();
    bytes.rewind();
    loaded = true;
    return true;
}

void Entry::directoryBytes(uint8_t d[16], uint32_t offset) const
{
    d[0] = width;
    d[1] = height;
    d[2] = colorCount;
    d[3] = reserved;
    put16(d + 4, planes);
    put16(d + 6, bitCount);
    put32(d + 8, bytesInRes);
    put32(d + 12, offset);
}

// ---- Archive -----------------------------------------------------------------------------

Archive::Archive() { entries_.setDestroyer(Entry::pooler()); }

Archive::~Archive() { close(); }

void Archive::close()
{
    entries_.freeStorage();
    if (file_) file_->dispose();
    file_ = nullptr;
    ownStream_ = false;
    in_ = nullptr;
    start_ = 0;
    size_ = 0;
    std::memset(header_, 0, sizeof(header_));
}

void Archive::addEntry(Entry* e)
{
    if (e) entries_.push(e);
}

bool Archive::open(const wchar_t* path)
{
    file::win::PathWin* p = path ? file::win::PathWin::fromString(path) : nullptr;
    if (!p) return false;
    bool ok = open(p);
    p->release();
    return ok;
}

bool Archive::open(file::win::PathWin* path)
{
    close();
    if (!path || !path->exists() || !path->isFile()) return false;
    file_ = file::win::FileInputStream::create();
    if (!file_ || !file_->open(path->getFullPath())) {
        close();
        return false;
    }
    ownStream_ = true;
    in_ = file_;
    start_ = 0;
    int64_t size = file_->size();
    size_ = size > 0 ? uint64_t(size) : 0;
    if (!parse()) {
        close();
        return false;
    }
    return true;
}

bool Archive::openStream(io::IInputStream* in)
{
    close();
    if (!in) return false;
    in_ = in;
    start_ = in->getPosition();
    uint64_t left = image::bytesLeft(in);
    size_ = left == UINT64_MAX ? UINT64_MAX : start_ + left;
    return parse();
}

bool Archive::parse()
{
    entries_.freeStorage();
    if (!in_) return false;
    in_->seek(start_);
    if (!io::IInputStream::readFully(in_, header_, 6)) return false;
    uint32_t count = u16(header_ + 4);
    if (size_ != UINT64_MAX && start_ + 6 + 16ull * count > size_) return false;
    for (uint32_t i = 0; i < count; ++i) {
        Entry* e = newEntry();
        if (!e) return false;
        e->streamPosition = in_->getPosition();
        uint8_t d[16];
        if (!io::IInputStream::readFully(in_, d, 16)) {
            e->release();
            return false;
        }
        setDirectory(e, d);
        e->imageOffset = u32(d + 12);
        fixEntry(e);
        entries_.push(e);
    }
    return true;
}

bool Archive::ensureLoaded(Entry* e)
{
    if (!e) return false;
    if (e->loaded) return true;
    if (!in_) return false;
    // Checked in 64 bits against the data before anything is read or allocated.
    uint64_t at = start_ + uint64_t(e->imageOffset);
    if (size_ != UINT64_MAX && (at > size_ || uint64_t(e->bytesInRes) > size_ - at)) return false;
    in_->seek(at);
    return e->loadData(in_);
}

bool Archive::findBestEntry(int w, int h, int32_t* index) const
{
    if (index) *index = 0;
    uint32_t n = entries_.count();
    if (n == 0) return false;
    for (uint32_t i = 0; i < n; ++i) {
        const Entry* e = entry(i);
        if (e->pixelWidth() == w && e->pixelHeight() == h && e->bitCount == 32) {
            if (index) *index = int32_t(i);
            return true;
        }
    }
    int64_t bestDiff = INT64_MAX;
    int bestDepthGap = 1 << 30;
    int32_t best = 0;
    for (uint32_t i = 0; i < n; ++i) {
        const Entry* e = entry(i);
        int64_t diff = int64_t(w) * h - int64_t(e->pixelWidth()) * e->pixelHeight();
        if (diff < 0) diff = -diff;
        int gap = 32 - int(e->bitCount);
        if (gap < 0) gap = -gap;
        if (diff < bestDiff || (diff == bestDiff && gap < bestDepthGap)) {
            bestDiff = diff;
            bestDepthGap = gap;
            best = int32_t(i);
        }
    }
    if (index) *index = best;
    return true;
}

IconImage* Archive::decodeEntry(uint32_t i)
{
    Entry* e = entry(i);
    if (!ensureLoaded(e)) return nullptr;
    return e->decode();
}

image::win::BufferedImage* Archive::getImage(uint32_t i)
{
    IconImage* img = decodeEntry(i);
    if (!img) return nullptr;
    image::win::BufferedImage* out = img->toImage(0, nullptr);
    img->release();
    return out;
}

bool Archive::write(io::IOutputStream* out)
{
    if (!out) return false;
    uint32_t n = entries_.count();
    for (uint32_t i = 0; i < n; ++i)
        if (!ensureLoaded(entry(i))) return false;
    uint8_t head[6];
    put16(head, 0);
    put16(head + 2, fileType());
    put16(head + 4, uint16_t(n));
    if (n > 0xFFFF || !io::IOutputStream::writeFully(out, head, 6)) return false;
    uint64_t offset = 6 + 16ull * n;
    for (uint32_t i = 0; i < n; ++i) {
        const Entry* e = entry(i);
        if (offset > 0xFFFFFFFFull) return false;
        uint8_t d[16];
        e->directoryBytes(d, uint32_t(offset));
        if (!io::IOutputStream::writeFully(out, d, 16)) return false;
        offset += e->bytesInRes;
    }
    for (uint32_t i = 0; i < n; ++i) {
        const Entry* e = entry(i);
        if (e->bytesInRes && !io::IOutputStream::writeFully(out, e->bytes.items(), e->bytesInRes)) return false;
    }
    return true;
}

bool Archive::readEntry(archive::IEntry* entry, io::IOutputStream* out)
{
    auto* e = dynamic_cast<Entry*>(entry);
    if (!e || !out || !ensureLoaded(e)) return false;
    uint8_t head[6];
    put16(head, 0);
    put16(head + 2, fileType());
    put16(head + 4, 1);
    uint8_t d[16];
    e->directoryBytes(d, 22);
    return io::IOutputStream::writeFully(out, head, 6) && io::IOutputStream::writeFully(out, d, 16) &&
           (e->bytesInRes == 0 || io::IOutputStream::writeFully(out, e->bytes.items(), e->bytesInRes));
}

bool Archive::loadGroup(dll::win::Archive* module, bool cursor, const wchar_t* name)
{
    close();
    if (!module) return false;
    std::vector<dll::GroupMember> members;
    if (!module->readGroup(cursor, name, &members)) return false;
    header_[2] = uint8_t(fileType());
    for (const dll::GroupMember& m : members) {
        Entry* e = newEntry();
        if (!e) return false;
        setDirectory(e, m.dir);
        fixEntry(e);
        if (!m.bytes.empty() && !e->bytes.append(m.bytes.data(), uint32_t(m.bytes.size()))) {
            e->release();
            return false;
        }
        e->bytes.rewind();
        e->bytesInRes = uint32_t(m.bytes.size());
        e->loaded = true;
        entries_.push(e);
    }
    header_[4] = uint8_t(entries_.count());
    header_[5] = uint8_t(entries_.count() >> 8);
    return true;
}

bool Archive::loadGroupIconById(dll::win::Archive* module, uint32_t id)
{
    return loadGroup(module, false, MAKEINTRESOURCEW(id));
}

bool Archive::loadGroupIconByName(dll::win::Archive* module, const wchar_t* name)
{
    return name && loadGroup(module, false, name);
}

}  // namespace s::archive::icon

namespace s::archive::cur {

bool Archive::loadGroupCursorById(dll::win::Archive* module, uint32_t id)
{
    return loadGroup(module, true, MAKEINTRESOURCEW(id));
}

bool Archive::loadGroupCursorByName(dll::win::Archive* module, const wchar_t* name)
{
    return name && loadGroup(module, true, name);
}

}  // namespace s::archive::cur

