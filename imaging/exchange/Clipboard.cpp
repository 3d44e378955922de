#include "imaging/exchange/Clipboard.h"

#include <cstring>

#include "foundation/io/Stream.h"
#include "imaging/image/Bitmap.h"
#include "imaging/image/BufferedImage.h"

namespace s::image {

namespace {

constexpr size_t kHeaderBytes = 40;

// A read-only stream over one memory block that never reads past its end.
class BlockInput final : public io::IInputStream {
public:
    BlockInput(const void* data, size_t size) : data_(static_cast<const uint8_t*>(data)), size_(size) {}
    bool read(void* buffer, uint32_t length, uint32_t& count) override {
        count = 0;
        if (pos_ >= size_ || length == 0) return false;
        size_t k = size_ - pos_;
        if (k > length) k = length;
        std::memcpy(buffer, data_ + pos_, k);
        pos_ += k;
        count = uint32_t(k);
        return true;
    }
    void close() override {}
    uint64_t getPosition() override { return pos_; }
    bool isSeekable() override { return true; }
    void rewind() override { pos_ = 0; }
    uint64_t seekToEnd() override { return pos_ = size_; }
    void seek(uint64_t p) override { pos_ = p < size_ ? size_t(p) : size_; }
    uint64_t seekFromEnd(uint64_t n) override { return pos_ = n < size_ ? size_ - size_t(n) : 0; }
    void skip(uint64_t n) override { seek(pos_ + n); }
    void skipBack(uint64_t n) override { pos_ = n < pos_ ? pos_ - size_t(n) : 0; }
    void clear() override { pos_ = 0; }
    void dispose() override {}
    void release() override {}
    void reset() override { pos_ = 0; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

void put32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

// The bitmap's picture as a new opaque image; the bitmap is released.
win::BufferedImage* toOpaqueImage(bmp::win::Bitmap* bitmap, bool loaded) {
    win::BufferedImage* image = loaded ? bitmap->toImage(0, nullptr) : nullptr;
    bitmap->release();
    if (image) image->makeOpaque();
    return image;
}

// Opens the clipboard and closes it again however the caller leaves.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardScope() {
        if (open_) CloseClipboard();
    }
    bool isOpen() const { return open_; }
    // Closes now; the result of CloseClipboard.
    bool close() {
        open_ = false;
        return CloseClipboard() != FALSE;
    }

private:
    bool open_;
};

win::BufferedImage* pasteDib(HANDLE block) {
    if (!block) return nullptr;
    const size_t size = GlobalSize(block);
    const void* data = GlobalLock(block);
    if (!data) return nullptr;
    win::BufferedImage* image = imageFromPackedDib(data, size);
    GlobalUnlock(block);
    return image;
}

win::BufferedImage* pasteBitmap(HANDLE handle) {
    if (!handle) return nullptr;
    bmp::win::Bitmap* bitmap = bmp::win::Bitmap::create();
    if (!bitmap) return nullptr;
    return toOpaqueImage(bitmap, bitmap->fromHBitmap(static_cast<HBITMAP>(handle)));
}

}  // namespace

size_t packedDibSize(win::BufferedImage* image) {
    if (!image || !image->hasPixels() || image->getWidth() <= 0 || image->getHeight() <= 0) return 0;
    const uint64_t pixels = uint64_t(image->getWidth()) * uint64_t(image->getHeight());
    if (pixels > (0x7FFFFFFFull - kHeaderBytes) / 4) return 0;
    return size_t(kHeaderBytes + pixels * 4);
}

bool packDib(win::BufferedImage* image, uint8_t* out, size_t size) {
    const size_t wanted = packedDibSize(image);
    if (!out || wanted == 0 || size != wanted) return false;
    const int w = image->getWidth();
    const int h = image->getHeight();
    std::memset(out, 0, kHeaderBytes);
    put32(out, uint32_t(kHeaderBytes));
    put32(out + 4, uint32_t(w));
    put32(out + 8, uint32_t(h));
    out[12] = 1;   // planes
    out[14] = 32;  // bits per pixel; compression 0 = BI_RGB
    put32(out + 20, uint32_t(size - kHeaderBytes));
    uint8_t* row = out + kHeaderBytes;
    const size_t rowBytes = size_t(w) * 4;
    for (int y = h - 1; y >= 0; --y, row += rowBytes) std::memcpy(row, image->getRowAddress(y), rowBytes);
    return true;
}

win::BufferedImage* imageFromPackedDib(const void* data, size_t size) {
    if (!data || size < 12) return nullptr;
    bmp::win::Bitmap* bitmap = bmp::win::Bitmap::create();
    if (!bitmap) return nullptr;
    BlockInput in(data, size);
    return toOpaqueImage(bitmap, bitmap->readDib(&in));
}

bool copyToClipboard(HWND owner, win::BufferedImage* image) {
    const size_t size = packedDibSize(image);
    if (size == 0) return false;
    OpenClipboardScope clipboard(owner);
    if (!clipboard.isOpen()) return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, size);
    if (!block) return false;
    uint8_t* bytes = static_cast<uint8_t*>(GlobalLock(block));
    const bool packed = bytes && packDib(image, bytes, size);
    if (bytes) GlobalUnlock(block);
    // Once the clipboard takes the block it owns it; otherwise it is ours to free.
    if (!packed || !SetClipboardData(CF_DIB, block)) {
        GlobalFree(block);
        return false;
    }
    return clipboard.close();
}

win::BufferedImage* pasteFromClipboard(HWND owner) {
    OpenClipboardScope clipboard(owner);
    if (!clipboard.isOpen()) return nullptr;
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
        if (format == CF_DIB) return pasteDib(GetClipboardData(CF_DIB));
        if (format == CF_BITMAP) return pasteBitmap(GetClipboardData(CF_BITMAP));
    }
    return nullptr;
}

}  // namespace s::image
