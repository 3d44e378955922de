#include "imaging/codec/Jpeg.h"

#include <cstring>

#include "imaging/codec/CodecImage.h"
#include "imaging/codec/CodecStream.h"
#include "imaging/codec/JpegIo.h"
#include "imaging/image/Bitmap.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"
#include "platform/file/PathWin.h"

namespace s::image::jpg {

namespace {

// Rows handed to the library per call.
constexpr int kRowBatch = 16;
// A byte of entropy-coded data stands for at most this many pixels (arithmetic coding
// and progressive end-of-band runs compress flat areas far below a bit per block); a
// header claiming more than this for the stream's length is not decoded.
constexpr uint64_t kPixelsPerByte = 65536;

struct DecodeJob {
    JpegErrorTrap trap;
    jpeg_decompress_struct cinfo;
    CodecInput* input;
    bmp::win::Bitmap* bitmap;
    bool refused;
};

void convertCmykRow(const uint8_t* s, uint8_t* d, int w) {
    for (int x = 0; x < w; ++x, s += 4, d += 4) {
        unsigned k = s[3];
        d[0] = uint8_t(s[2] * k / 255);  // blue from yellow
        d[1] = uint8_t(s[1] * k / 255);  // green from magenta
        d[2] = uint8_t(s[0] * k / 255);  // red from cyan
        d[3] = 0xFF;
    }
}

void decodeBody(void* arg) {
    DecodeJob* job = static_cast<DecodeJob*>(arg);
    j_decompress_ptr ci = &job->cinfo;
    jpeg_create_decompress(ci);
    useSource(ci, job->input);
    jpeg_read_header(ci, TRUE);
    bool cmyk = ci->jpeg_color_space == JCS_CMYK || ci->jpeg_color_space == JCS_YCCK;
    ci->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    if (!plausibleSize(ci->image_width, ci->image_height, job->input->length(), kPixelsPerByte)) {
        job->refused = true;
        return;
    }
    jpeg_start_decompress(ci);
    int w = int(ci->output_width), h = int(ci->output_height);
    if (!job->bitmap->create(w, h, 32)) {
        job->refused = true;
        return;
    }
    if (cmyk) {
        JSAMPARRAY row = (*ci->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(ci), JPOOL_IMAGE, JDIMENSION(w) * 4, 1);
        while (ci->output_scanline < ci->output_height) {
            int y = int(ci->output_scanline);
            if (jpeg_read_scanlines(ci, row, 1) != 1) break;
            convertCmykRow(row[0], job->bitmap->getRow(y), w);
        }
    } else {
        JSAMPROW rows[kRowBatch];
        while (ci->output_scanline < ci->output_height) {
            int y = int(ci->output_scanline);
            int n = h - y < kRowBatch ? h - y : kRowBatch;
            for (int i = 0; i < n; ++i) rows[i] = job->bitmap->getRow(y + i);
            if (jpeg_read_scanlines(ci, rows, JDIMENSION(n)) == 0) break;
        }
    }
    jpeg_finish_decompress(ci);
    finishSource(ci);
}

struct EncodeJob {
    JpegErrorTrap trap;
    jpeg_compress_struct cinfo;
    CodecOutput* output;
    bmp::win::Bitmap* bitmap;
    int quality;
};

void encodeBody(void* arg) {
    EncodeJob* job = static_cast<EncodeJob*>(arg);
    j_compress_ptr ci = &job->cinfo;
    jpeg_create_compress(ci);
    useDestination(ci, job->output);
    int w = job->bitmap->getWidth(), h = job->bitmap->getHeight();
    ci->image_width = JDIMENSION(w);
    ci->image_height = JDIMENSION(h);
    ci->input_components = 4;
    ci->in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(ci);
    jpeg_set_quality(ci, job->quality, TRUE);
    jpeg_start_compress(ci, TRUE);
    JSAMPROW rows[kRowBatch];
    while (ci->next_scanline < ci->image_height) {
        int y = int(ci->next_scanline);
        int n = h - y < kRowBatch ? h - y : kRowBatch;
        for (int i = 0; i < n; ++i) rows[i] = job->bitmap->getRow(y + i);
        jpeg_write_scanlines(ci, rows, JDIMENSION(n));
    }
    jpeg_finish_compress(ci);
}

}  // namespace

}  // namespace s::image::jpg

namespace s::image::jpg::win {

Jpeg::Jpeg() : bitmap_(bmp::win::Bitmap::create()) {}

Jpeg::~Jpeg() {
    if (bitmap_) bitmap_->release();
}

void Jpeg::reset() {
    if (bitmap_) bitmap_->reset();
    quality_ = kDefaultQuality;
}

Jpeg* Jpeg::makeFromImage(image::win::BufferedImage* image, int quality, uint8_t r, uint8_t g, uint8_t b) {
    Jpeg* j = create();
    if (j && !j->fromImage(image, quality, r, g, b)) {
        j->release();
        return nullptr;
    }
    return j;
}

int Jpeg::getWidth() const { return bitmap_ ? bitmap_->getWidth() : 0; }
int Jpeg::getHeight() const { return bitmap_ ? bitmap_->getHeight() : 0; }
int Jpeg::getBitCount() const { return bitmap_ ? bitmap_->getBitCount() : 0; }
int Jpeg::getStride() const { return bitmap_ ? bitmap_->getStride() : 0; }
uint8_t* Jpeg::getRow(int y) { return bitmap_ && bitmap_->getBits() ? bitmap_->getRow(y) : nullptr; }
uint8_t* Jpeg::getBits() { return bitmap_ ? bitmap_->getBits() : nullptr; }
bool Jpeg::blitTo(HBITMAP target) { return bitmap_ && bitmap_->blitTo(target); }

void Jpeg::setQuality(int quality) { quality_ = quality < 0 ? 0 : quality > 100 ? 100 : quality; }

bool Jpeg::create(int width, int height) {
    if (!bitmap_ || !bitmap_->create(width, height, 32)) return false;
    for (int y = 0; y < height; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(bitmap_->getRow(y));
        for (int x = 0; x < width; ++x) row[x] = 0xFF000000u;
    }
    return true;
}

bool Jpeg::fromImage(image::win::BufferedImage* image, int quality, uint8_t r, uint8_t g, uint8_t b) {
    if (!loadFromImage(bitmap_, image, false, r, g, b)) return false;
    setQuality(quality);
    return true;
}

bool Jpeg::fromHBitmap(HBITMAP bitmap) {
    image::win::BufferedImage* image = imageFromHBitmap(bitmap);
    bool ok = image && fromImage(image, quality_, 255, 255, 255);
    if (image) image->release();
    return ok;
}

image::win::BufferedImage* Jpeg::toImage(int, image::win::BufferedImage* dst) {
    return copyToImage(bitmap_, dst, AlphaRule::Opaque);
}

image::win::BufferedImageSet* Jpeg::toImageSet() { return singleFrameSet(toImage(0, nullptr), 24); }

IEncodedImage* Jpeg::newEncoderFor(image::win::BufferedImage* image) {
    return makeFromImage(image, kDefaultQuality, 255, 255, 255);
}

bool Jpeg::read(io::IInputStream* in) {
    if (!bitmap_) return false;
    bitmap_->reset();
    CodecInput input(in);
    DecodeJob job;
    std::memset(&job.cinfo, 0, sizeof(job.cinfo));
    job.cinfo.err = initErrorTrap(&job.trap);
    job.input = &input;
    job.bitmap = bitmap_;
    job.refused = false;
    bool ok = runTrapped(&job.trap, decodeBody, &job) && !job.refused;
    jpeg_destroy_decompress(&job.cinfo);
    input.finish();
    if (!ok) bitmap_->reset();
    return ok;
}

bool Jpeg::write(io::IOutputStream* out) {
    if (!bitmap_ || !bitmap_->getBits() || bitmap_->getBitCount() != 32) return false;
    CodecOutput output(out);
    if (!output.ok()) return false;
    EncodeJob job;
    std::memset(&job.cinfo, 0, sizeof(job.cinfo));
    job.cinfo.err = initErrorTrap(&job.trap);
    job.output = &output;
    job.bitmap = bitmap_;
    job.quality = quality_;
    bool ok = runTrapped(&job.trap, encodeBody, &job);
    jpeg_destroy_compress(&job.cinfo);
    return ok && output.ok();
}

}  // namespace s::image::jpg::win

namespace s::image::win {

bool BufferedImage::writeJpeg(io::IOutputStream* out, int quality, uint8_t r, uint8_t g, uint8_t b) {
    jpg::win::Jpeg* j = jpg::win::Jpeg::makeFromImage(this, quality, r, g, b);
    if (!j) return false;
    bool ok = j->write(out);
    j->release();
    return ok;
}

bool BufferedImage::writeJpegFile(const wchar_t* path, int quality, uint8_t r, uint8_t g, uint8_t b) {
    jpg::win::Jpeg* j = jpg::win::Jpeg::makeFromImage(this, quality, r, g, b);
    if (!j) return false;
    bool ok = j->save(path);
    j->release();
    return ok;
}

}  // namespace s::image::win
