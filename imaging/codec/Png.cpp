#include "imaging/codec/Png.h"

#include <cstdlib>
#include <cstring>

#include <png.h>

#include "imaging/codec/CodecImage.h"
#include "imaging/codec/CodecStream.h"
#include "imaging/image/Bitmap.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"

namespace s::image::png {

namespace {

// Deflate packs at most about 1032 bytes into one; a header claiming more image data
// than that for the stream's length is not decoded.
constexpr uint64_t kInflateRatio = 1100;
// Largest ancillary chunk kept in memory when the stream's length is unknown.
constexpr png_alloc_size_t kChunkCap = 8u << 20;
// Largest DIB a pooled codec keeps for the next picture of the same size.
constexpr int64_t kKeptPixels = 16 << 20;

// What the library's callbacks reach through their user pointers. A library error
// jumps back to runTrapped; the body must hold no object with a destructor.
struct PngJob {
    void* jump[5];
    char message[128];
    png_structp png;
    png_infop info;
    CodecInput* input;
    CodecOutput* output;
    bmp::win::Bitmap* bitmap;
    png_bytepp rows;
    bool interlace;
    bool refused;
};

void onError(png_structp png, png_const_charp message) {
    PngJob* job = static_cast<PngJob*>(png_get_error_ptr(png));
    std::strncpy(job->message, message ? message : "", sizeof(job->message) - 1);
    job->message[sizeof(job->message) - 1] = '\0';
    __builtin_longjmp(job->jump, 1);
}

void onWarning(png_structp, png_const_charp) {}

void readData(png_structp png, png_bytep data, size_t n) {
    PngJob* job = static_cast<PngJob*>(png_get_io_ptr(png));
    if (n > UINT32_MAX || !job->input->read(data, uint32_t(n))) png_error(png, "Read Error");
}

void writeData(png_structp png, png_bytep data, size_t n) {
    PngJob* job = static_cast<PngJob*>(png_get_io_ptr(png));
    if (n > UINT32_MAX || !job->output->write(data, uint32_t(n))) png_error(png, "Write Error");
}

void flushData(png_structp png) {
    PngJob* job = static_cast<PngJob*>(png_get_io_ptr(png));
    if (!job->output->flush()) png_error(png, "Write Error");
}

__attribute__((noinline)) bool runTrapped(PngJob* job, void (*body)(PngJob*)) {
    if (__builtin_setjmp(job->jump)) return false;
    body(job);
    return true;
}

// The DIB kept from the previous picture when it has the size wanted, else a new one:
// a fresh DIB costs a first touch of every page, which outweighs decoding on some
// systems.
bool reuseOrCreate(bmp::win::Bitmap* bitmap, int w, int h) {
    if (bitmap->getBits() && bitmap->getBitCount() == 32 && bitmap->getWidth() == w && bitmap->getHeight() == h)
        return true;
    return bitmap->create(w, h, 32);
}

bool pointRows(PngJob* job, int h) {
    job->rows = static_cast<png_bytepp>(std::malloc(sizeof(png_bytep) * size_t(h)));
    if (!job->rows) return false;
    for (int y = 0; y < h; ++y) job->rows[y] = job->bitmap->getRow(y);
    return true;
}

void decodeBody(PngJob* job) {
    png_structp png = job->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, job, onError, onWarning);
    if (!png) {
        job->refused = true;
        return;
    }
    png_infop info = job->info = png_create_info_struct(png);
    if (!info) {
        job->refused = true;
        return;
    }
    png_set_read_fn(png, job, readData);
    // No chunk can be longer than the stream: a claim beyond it is refused before the
    // library allocates for it.
    uint64_t length = job->input->length();
    png_set_chunk_malloc_max(png, length < kChunkCap ? png_alloc_size_t(length) + 1 : kChunkCap);
    // Only the image chunks and tRNS matter here; everything else is skipped unread
    // (text, profiles and private chunks are neither allocated nor parsed).
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_read_info(png, info);
    png_uint_32 w = 0, h = 0;
    int depth = 0, colour = 0, interlace = 0;
    png_get_IHDR(png, info, &w, &h, &depth, &colour, &interlace, nullptr, nullptr);
    // The compression bound on the packed rows the data inflates to; the memory bound on
    // the unpacked 32-bit rows they become, and on the image made from them.
    if (!plausibleSize(png_get_rowbytes(png, info) + 1, h, job->input->length(), kInflateRatio) ||
        !pictureFits(w, h, 8, job->input->length()) || w > 0x7FFFFFFF || h > 0x7FFFFFFF) {
        job->refused = true;
        return;
    }
    png_set_strip_16(png);
    png_set_packing(png);
    png_set_interlace_handling(png);
    if (colour == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colour == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_RGB || colour == PNG_COLOR_TYPE_PALETTE)
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t(w) * 4 || !reuseOrCreate(job->bitmap, int(w), int(h)) ||
        !pointRows(job, int(h))) {
        job->refused = true;
        return;
    }
    png_read_image(png, job->rows);
    png_read_end(png, nullptr);
}

void encodeBody(PngJob* job) {
    png_structp png = job->png = png_create_write_struct(PNG_LIBPNG_VER_STRING, job, onError, onWarning);
    if (!png) {
        job->refused = true;
        return;
    }
    png_infop info = job->info = png_create_info_struct(png);
    if (!info) {
        job->refused = true;
        return;
    }
    png_set_write_fn(png, job, writeData, flushData);
    int w = job->bitmap->getWidth(), h = job->bitmap->getHeight();
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 job->interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    if (!pointRows(job, h)) {
        job->refused = true;
        return;
    }
    png_write_image(png, job->rows);
    png_write_end(png, info);
}

void initJob(PngJob* job, bmp::win::Bitmap* bitmap) {
    std::memset(job, 0, sizeof(*job));
    job->bitmap = bitmap;
}

}  // namespace

}  // namespace s::image::png

namespace s::image::png::win {

Png::Png() : bitmap_(bmp::win::Bitmap::create()) {}

Png::~Png() {
    if (bitmap_) bitmap_->release();
}

void Png::reset() {
    held_ = false;
    interlace_ = false;
    if (bitmap_ && int64_t(bitmap_->getWidth()) * bitmap_->getHeight() > kKeptPixels) bitmap_->reset();
}

Png* Png::makeFromImage(image::win::BufferedImage* image, bool interlace, bool keepTransparency, uint8_t r,
                        uint8_t g, uint8_t b) {
    Png* p = create();
    if (p && !p->fromImage(image, interlace, keepTransparency, r, g, b)) {
        p->release();
        return nullptr;
    }
    return p;
}

int Png::getWidth() const { return held_ ? bitmap_->getWidth() : 0; }
int Png::getHeight() const { return held_ ? bitmap_->getHeight() : 0; }
int Png::getBitCount() const { return 32; }
int Png::getStride() const { return held_ ? bitmap_->getStride() : 0; }
bool Png::hasAlphaChannel() const { return held_; }
uint8_t* Png::getRow(int y) { return held_ ? bitmap_->getRow(y) : nullptr; }
uint8_t* Png::getBits() { return held_ ? bitmap_->getBits() : nullptr; }
bool Png::blitTo(HBITMAP target) { return held_ && bitmap_->blitTo(target); }

bmp::win::Bitmap* Png::getBitmap() const { return held_ ? bitmap_ : nullptr; }

bool Png::create(int width, int height) {
    held_ = false;
    if (!bitmap_ || !bitmap_->create(width, height, 32)) return false;
    for (int y = 0; y < height; ++y) std::memset(bitmap_->getRow(y), 0, size_t(width) * 4);
    held_ = true;
    return true;
}

bool Png::fromImage(image::win::BufferedImage* image, bool interlace, bool keepTransparency, uint8_t r,
                    uint8_t g, uint8_t b) {
    held_ = false;
    if (!loadFromImage(bitmap_, image, keepTransparency, r, g, b)) return false;
    held_ = true;
    interlace_ = interlace;
    return true;
}

bool Png::fromHBitmap(HBITMAP bitmap) {
    image::win::BufferedImage* image = imageFromHBitmap(bitmap);
    bool ok = image && fromImage(image, interlace_, true, 255, 255, 255);
    if (image) image->release();
    return ok;
}

image::win::BufferedImage* Png::toImage(int, image::win::BufferedImage* dst) {
    return held_ ? copyToImage(bitmap_, dst, AlphaRule::Straight) : nullptr;
}

image::win::BufferedImageSet* Png::toImageSet() { return singleFrameSet(toImage(0, nullptr), 32); }

IEncodedImage* Png::newEncoderFor(image::win::BufferedImage* image) {
    return makeFromImage(image, true, true, 255, 255, 255);
}

bool Png::read(io::IInputStream* in) {
    held_ = false;
    if (!bitmap_) return false;
    CodecInput input(in);
    PngJob job;
    initJob(&job, bitmap_);
    job.input = &input;
    bool ok = runTrapped(&job, decodeBody) && !job.refused;
    png_destroy_read_struct(job.png ? &job.png : nullptr, job.info ? &job.info : nullptr, nullptr);
    std::free(job.rows);
    input.finish();
    held_ = ok;
    return ok;
}

bool Png::write(io::IOutputStream* out) {
    if (!held_) return false;
    CodecOutput output(out);
    if (!output.ok()) return false;
    PngJob job;
    initJob(&job, bitmap_);
    job.output = &output;
    job.interlace = interlace_;
    bool ok = runTrapped(&job, encodeBody) && !job.refused;
    png_destroy_write_struct(job.png ? &job.png : nullptr, job.info ? &job.info : nullptr);
    std::free(job.rows);
    return ok && output.flush();
}

}  // namespace s::image::png::win

namespace s::image::win {

bool BufferedImage::writePng(io::IOutputStream* out, bool interlace, bool keepTransparency, uint8_t r, uint8_t g,
                             uint8_t b) {
    png::win::Png* p = png::win::Png::makeFromImage(this, interlace, keepTransparency, r, g, b);
    if (!p) return false;
    bool ok = p->write(out);
    p->release();
    return ok;
}

bool BufferedImage::writePngFile(const wchar_t* path, bool interlace, bool keepTransparency, uint8_t r, uint8_t g,
                                 uint8_t b) {
    png::win::Png* p = png::win::Png::makeFromImage(this, interlace, keepTransparency, r, g, b);
    if (!p) return false;
    bool ok = p->save(path);
    p->release();
    return ok;
}

}  // namespace s::image::win
