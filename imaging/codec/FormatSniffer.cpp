#include "imaging/codec/FormatSniffer.h"

#include <cstring>

#include "foundation/io/Stream.h"
#include "imaging/codec/CodecStream.h"
#include "platform/file/PathWin.h"

namespace s::image {

namespace format {
const wchar_t kJpg[] = L"jpg";
const wchar_t kGif[] = L"gif";
const wchar_t kPng[] = L"png";
const wchar_t kBmp[] = L"bmp";
const wchar_t kTiff[] = L"tiff";
const wchar_t kIco[] = L"ico";
}  // namespace format

namespace {

// A marker the JPEG standard lets follow the start-of-image marker: the tables and
// miscellaneous segments (DQT, DHT, DAC, DRI, COM, APPn, the JPGn extensions), a frame
// header (SOFn), the DHP of a hierarchical picture, and the markers without a segment
// (RSTn, TEM) and DNL, which decoders step over. Never SOI, EOI, SOS or EXP.
bool mayFollowStartOfImage(uint8_t m) {
    if (m >= 0xC0 && m <= 0xCF) return true;  // SOFn, DHT (C4), JPG (C8), DAC (CC)
    if (m >= 0xD0 && m <= 0xD7) return true;  // RSTn
    if (m >= 0xDB && m <= 0xDE) return true;  // DQT, DNL, DRI, DHP
    if (m >= 0xE0 && m <= 0xEF) return true;  // APPn
    return (m >= 0xF0 && m <= 0xFE) || m == 0x01;  // JPGn, COM, TEM
}

// SOI, then a marker: any number of 0xFF fill bytes before its code.
bool isJpeg(const uint8_t* b, uint32_t n) {
    if (n < 3 || b[0] != 0xFF || b[1] != 0xD8 || b[2] != 0xFF) return false;
    uint32_t i = 3;
    while (i < n && b[i] == 0xFF) ++i;
    return i < n && mayFollowStartOfImage(b[i]);
}

uint32_t le16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t le32(const uint8_t* p) { return le16(p) | le16(p + 2) << 16; }

bool isIcon(const uint8_t* b, uint32_t n, uint64_t fileSize) {
    if (n < 6 || b[0] != 0 || b[1] != 0 || b[2] != 1 || b[3] != 0) return false;
    uint32_t count = le16(b + 4);
    if (count == 0 || fileSize <= 16ull * count + 6) return false;
    // The directory entries that lie inside the sniffed bytes (at most the first five).
    for (uint32_t j = 0; j < count && 6 + 16 * j < 84 && 6 + 16 * (j + 1) <= n; ++j) {
        const uint8_t* e = b + 6 + 16 * j;
        uint64_t size = le32(e + 8);
        uint64_t offset = le32(e + 12);
        if (e[3] != 0 || le16(e + 6) > 32) return false;
        if (offset < 6 + 16 * (j + 1) || offset + size > fileSize) return false;
    }
    return true;
}

}  // namespace

ImageFormatTag sniffBytes(const uint8_t* b, uint32_t n, uint64_t fileSize) {
    if (!b) return nullptr;
    if (n >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF) return isJpeg(b, n) ? format::kJpg : nullptr;
    if (n >= 6 && (std::memcmp(b, "GIF87a", 6) == 0 || std::memcmp(b, "GIF89a", 6) == 0)) return format::kGif;
    static const uint8_t png[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (n >= 8 && std::memcmp(b, png, 8) == 0) return format::kPng;
    if (n >= 10 && b[0] == 'B' && b[1] == 'M' && le32(b + 6) == 0) return format::kBmp;
    if (n >= 3 && ((b[0] == 0x4D && b[1] == 0x4D) || (b[0] == 0x49 && b[1] == 0x49)) && b[2] == 0x2A)
        return format::kTiff;
    if (isIcon(b, n, fileSize)) return format::kIco;
    return nullptr;
}

bool sniffFormat(file::win::PathWin* path, ImageFormatTag* out) {
    ImageFormatTag tag = nullptr;
    if (path && path->exists() && path->isFile()) {
        io::IInputStream* in = path->openInput();
        if (in) {
            uint64_t size = bytesLeft(in);
            if (size != UINT64_MAX && size > 0) {
                uint8_t head[kSniffBytes];
                uint32_t n = size < kSniffBytes ? uint32_t(size) : kSniffBytes;
                if (io::IInputStream::readFully(in, head, n)) tag = sniffBytes(head, n, size);
            }
            in->dispose();
        }
    }
    if (out) *out = tag;
    return tag != nullptr;
}

bool sniffFormat(const wchar_t* path, ImageFormatTag* out) {
    if (!path) {
        if (out) *out = nullptr;
        return false;
    }
    file::win::PathWin* p = file::win::PathWin::fromString(path);
    bool found = p && sniffFormat(p, out);
    if (!p && out) *out = nullptr;
    if (p) p->release();
    return found;
}

}  // namespace s::image
