// BMP files and packed DIBs: reading any uncompressed BMP (core, info, V4 and V5
// headers; 1 to 32 bits; bottom-up or top-down; bit fields) into the DIB holder, and
// writing the holder as it stands.
#include <cstdlib>
#include <cstring>

#include "foundation/io/Stream.h"
#include "imaging/codec/CodecStream.h"
#include "imaging/image/Bitmap.h"
#include "imaging/image/BufferedImage.h"

namespace s::image::bmp::win {

namespace {

constexpr uint32_t kBiAlphaBitfields = 6;
// Longer info headers than V5 exist nowhere; a bigger size means a broken file.
constexpr uint32_t kMaxHeaderSize = 4096;

uint32_t le16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t le32(const uint8_t* p) { return le16(p) | le16(p + 2) << 16; }

void put16(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
void put32(uint8_t* p, uint32_t v) {
    put16(p, v);
    put16(p + 2, v >> 16);
}

// One colour channel of a bit-field pixel: its mask's position and width.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    void set(uint32_t m) {
        mask = m;
        shift = 0;
        bits = 0;
        if (!m) return;
        while (!(m & 1)) {
            m >>= 1;
            ++shift;
        }
        while (m & 1) {
            m >>= 1;
            ++bits;
        }
    }
    uint32_t value(uint32_t pixel, uint32_t none) const {
        if (!bits) return none;
        uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8) return v >> (bits - 8);
        uint32_t max = (1u << bits) - 1;
        return (v * 255 + max / 2) / max;
    }
};

// The file's header, made plain.
struct FileLayout {
    bool core = false;         // 12-byte header, 3-byte palette entries
    uint32_t headerSize = 0;
    int32_t width = 0;
    int64_t rows = 0;
    bool topDown = false;
    uint32_t bitCount = 0;
    uint32_t compression = 0;
    uint32_t colours = 0;      // palette entries to read
    int32_t xPels = 0, yPels = 0;
    bool fields = false;       // pixels decoded through the channel masks
    Channel channel[4];        // red, green, blue, alpha
};

bool readHeader(CodecInput& in, FileLayout& f) {
    uint8_t b[124] = {};
    if (!in.read(b, 4)) return false;
    f.headerSize = le32(b);
    if (f.headerSize == 12) {
        if (!in.read(b + 4, 8)) return false;
        f.core = true;
        f.width = int32_t(le16(b + 4));
        f.rows = le16(b + 6);
        if (le16(b + 8) != 1) return false;
        f.bitCount = le16(b + 10);
        f.compression = BI_RGB;
    } else {
        if (f.headerSize < 40 || f.headerSize > kMaxHeaderSize) return false;
        uint32_t n = f.headerSize < sizeof(b) ? f.headerSize : uint32_t(sizeof(b));
        if (!in.read(b + 4, n - 4) || !in.skip(f.headerSize - n)) return false;
        f.width = int32_t(le32(b + 4));
        int32_t height = int32_t(le32(b + 8));
        if (height == INT32_MIN) return false;
        f.topDown = height < 0;
        f.rows = height < 0 ? -int64_t(height) : height;
        if (le16(b + 12) != 1) return false;
        f.bitCount = le16(b + 14);
        f.compression = le32(b + 16);
        f.xPels = int32_t(le32(b + 24));
        f.yPels = int32_t(le32(b + 28));
        f.colours = le32(b + 32);
        if (f.compression == BI_BITFIELDS || f.compression == kBiAlphaBitfields) {
            if (f.bitCount != 16 && f.bitCount != 32) return false;
            uint8_t m[16] = {};
            uint32_t inHeader = f.headerSize >= 56 ? 16 : f.headerSize >= 52 ? 12 : 0;
            std::memcpy(m, b + 40, inHeader);
            uint32_t wanted = f.compression == kBiAlphaBitfields ? 16 : 12;
            // Masks not held in the header follow it.
            if (inHeader < wanted && !in.read(m + inHeader, wanted - inHeader)) return false;
            for (int i = 0; i < 4; ++i) f.channel[i].set(le32(m + 4 * i));
            f.fields = true;
        } else if (f.compression != BI_RGB) {
            return false;  // run-length, JPEG or PNG payloads: not held by a DIB section
        }
    }
    if (f.width <= 0 || f.rows <= 0) return false;
    switch (f.bitCount) {
    case 1: case 4: case 8: {
        uint32_t most = 1u << f.bitCount;
        if (f.colours > most) return false;
        if (f.colours == 0) f.colours = most;
        break;
    }
    case 16:
        if (!f.fields) {
            f.channel[0].set(0x7C00);
            f.channel[1].set(0x03E0);
            f.channel[2].set(0x001F);
            f.fields = true;
        }
        break;
    case 24: case 32:
        break;
    default:
        return false;
    }
    return true;
}

// Reads the BMP (with or without its 14-byte file header) into the bitmap.
bool readBmp(Bitmap* bm, CodecInput& in, bool withFileHeader) {
    bm->reset();
    uint32_t dataOffset = 0;
    if (withFileHeader) {
        uint8_t fh[14];
        if (!in.read(fh, 14) || fh[0] != 'B' || fh[1] != 'M') return false;
        dataOffset = le32(fh + 10);
    }
    FileLayout f;
    if (!readHeader(in, f)) return false;

    RGBQUAD palette[256] = {};
    if (f.bitCount <= 8) {
        uint32_t entry = f.core ? 3 : 4;
        // A palette that would run into the pixels is cut at the data offset.
        if (withFileHeader && dataOffset >= in.consumed()) {
            uint64_t room = (dataOffset - in.consumed()) / entry;
            if (room < f.colours) f.colours = uint32_t(room);
        }
        uint8_t raw[256 * 4];
        if (!in.read(raw, f.colours * entry)) return false;
        for (uint32_t i = 0; i < f.colours; ++i) {
            palette[i].rgbBlue = raw[i * entry];
            palette[i].rgbGreen = raw[i * entry + 1];
            palette[i].rgbRed = raw[i * entry + 2];
        }
    } else if (!withFileHeader && f.colours && f.colours <= 256) {
        if (!in.skip(uint64_t(f.colours) * 4)) return false;  // optional colour table
    }
    if (withFileHeader && dataOffset != 0 && !in.skipTo(dataOffset)) return false;

    uint64_t fileStride = ((uint64_t(f.bitCount) * uint64_t(f.width) + 31) / 32) * 4;
    if (fileStride * uint64_t(f.rows) > in.remaining()) return false;

    BITMAPINFOHEADER& h = bm->infoHeader();
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = f.width;
    h.biHeight = int32_t(f.rows);
    h.biPlanes = 1;
    h.biBitCount = WORD(f.fields ? 32 : f.bitCount);
    h.biCompression = BI_RGB;
    h.biXPelsPerMeter = f.xPels;
    h.biYPelsPerMeter = f.yPels;
    h.biClrUsed = f.bitCount <= 8 ? f.colours : 0;
    h.biClrImportant = 0;
    std::memcpy(bm->getPalette(), palette, sizeof(palette));
    uint64_t heldStride = ((uint64_t(h.biBitCount) * uint64_t(f.width) + 31) / 32) * 4;
    uint64_t bytes = heldStride * uint64_t(f.rows);
    h.biSizeImage = bytes <= 0x7FFFFFFF ? DWORD(bytes) : 0;
    bm->updateLayout();
    if (!bm->createSection()) {
        bm->reset();
        return false;
    }
    bm->rebuildFileHeader();
    int rows = int(f.rows);

    if (!f.fields) {
        if (!f.topDown) return in.read(bm->getBits(), uint32_t(fileStride) * uint32_t(rows));
        for (int y = 0; y < rows; ++y)
            if (!in.read(bm->getRow(y), uint32_t(fileStride))) return false;
        return true;
    }
    uint8_t* line = static_cast<uint8_t*>(std::malloc(size_t(fileStride)));
    if (!line) return false;
    bool ok = true;
    int step = f.bitCount / 8;
    for (int i = 0; i < rows && ok; ++i) {
        if (!in.read(line, uint32_t(fileStride))) {
            ok = false;
            break;
        }
        uint32_t* d = reinterpret_cast<uint32_t*>(bm->getRow(f.topDown ? i : rows - 1 - i));
        const uint8_t* s = line;
        for (int x = 0; x < f.width; ++x, s += step) {
            uint32_t p = step == 2 ? le16(s) : le32(s);
            d[x] = f.channel[3].value(p, 0xFF) << 24 | f.channel[0].value(p, 0) << 16 |
                   f.channel[1].value(p, 0) << 8 | f.channel[2].value(p, 0);
        }
    }
    std::free(line);
    return ok;
}

bool writeInfo(Bitmap* bm, io::IOutputStream* out) {
    const BITMAPINFOHEADER& h = bm->infoHeader();
    uint8_t b[40];
    put32(b, 40);
    put32(b + 4, uint32_t(h.biWidth));
    put32(b + 8, uint32_t(h.biHeight));
    put16(b + 12, h.biPlanes);
    put16(b + 14, h.biBitCount);
    put32(b + 16, h.biCompression);
    put32(b + 20, h.biSizeImage);
    put32(b + 24, uint32_t(h.biXPelsPerMeter));
    put32(b + 28, uint32_t(h.biYPelsPerMeter));
    put32(b + 32, h.biClrUsed);
    put32(b + 36, h.biClrImportant);
    if (!io::IOutputStream::writeFully(out, b, 40)) return false;
    if (bm->getPaletteBytes() &&
        !io::IOutputStream::writeFully(out, bm->getPalette(), uint32_t(bm->getPaletteBytes())))
        return false;
    int rows = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    return io::IOutputStream::writeFully(out, bm->getBits(), uint32_t(bm->getStride()) * uint32_t(rows));
}

}  // namespace

bool Bitmap::read(io::IInputStream* in) {
    CodecInput input(in);
    bool ok = readBmp(this, input, true);
    input.finish();
    if (!ok) reset();
    return ok;
}

bool Bitmap::readDib(io::IInputStream* in) {
    CodecInput input(in);
    bool ok = readBmp(this, input, false);
    input.finish();
    if (!ok) reset();
    return ok;
}

bool Bitmap::writeDib(io::IOutputStream* out) {
    if (!out || !getBits()) return false;
    return writeInfo(this, out);
}

bool Bitmap::write(io::IOutputStream* out) {
    if (!out || !getBits()) return false;
    const BITMAPFILEHEADER& f = fileHeader();
    uint8_t b[14];
    put16(b, f.bfType);
    put32(b + 2, f.bfSize);
    put16(b + 6, f.bfReserved1);
    put16(b + 8, f.bfReserved2);
    put32(b + 10, f.bfOffBits);
    return io::IOutputStream::writeFully(out, b, 14) && writeInfo(this, out);
}

IEncodedImage* Bitmap::newEncoderFor(image::win::BufferedImage* image) {
    Bitmap* b = makeFromImage(image, getBitCount(), true, 255, 255, 255);
    if (b && !b->getBits()) {
        b->release();
        return nullptr;
    }
    return b;
}

}  // namespace s::image::bmp::win

namespace s::image::win {

bool BufferedImage::writeBmp(io::IOutputStream* out, int bpp, bool keepTransparency, uint8_t r, uint8_t g,
                             uint8_t b) {
    bmp::win::Bitmap* bm = bmp::win::Bitmap::makeFromImage(this, bpp, keepTransparency, r, g, b);
    if (!bm) return false;
    bool ok = bm->write(out);
    bm->release();
    return ok;
}

bool BufferedImage::writeBmpFile(const wchar_t* path, int bpp, bool keepTransparency, uint8_t r, uint8_t g,
                                 uint8_t b) {
    bmp::win::Bitmap* bm = bmp::win::Bitmap::makeFromImage(this, bpp, keepTransparency, r, g, b);
    if (!bm) return false;
    bool ok = bm->getBits() && bm->save(path);
    bm->release();
    return ok;
}

}  // namespace s::image::win
