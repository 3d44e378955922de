#include "imaging/codec/Jpeg.h"

#include <cstdlib>
#include <cstring>

#include "imaging/codec/CodecImage.h"
#include "imaging/codec/CodecStream.h"
#include "imaging/codec/JpegIo.h"
#include "imaging/image/Bitmap.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"

namespace s::image::jpg {

namespace {

// Rows handed to the library per call.
constexpr int kRowBatch = 16;
// A byte of entropy-coded data stands for at most this many pixels (arithmetic coding
// and progressive end-of-band runs compress flat areas far below a bit per block); a
// header claiming more than this for the data's length is not decoded.
constexpr uint64_t kPixelsPerByte = 65536;
// File bytes a pooled codec keeps allocated for the next picture.
constexpr size_t kKeptDataBytes = 16u << 20;

// Where decoded rows go: prepare makes room for w x h 32-bit pixels (false when it
// cannot), row gives row y counted from the top.
struct RowTarget {
    bool (*prepare)(void* ctx, int w, int h);
    uint8_t* (*row)(void* ctx, int y);
    void* ctx;
};

// Where rows to encode come from: row y from the top as 32-bit pixels whose fourth
// byte is ignored, possibly built in scratch (4 x width bytes).
struct RowSource {
    const uint8_t* (*row)(void* ctx, int y, uint8_t* scratch);
    void* ctx;
    int width;
    int height;
};

struct DecodeJob {
    JpegErrorTrap trap;
    jpeg_decompress_struct cinfo;
    const uint8_t* data;
    size_t size;
    const RowTarget* target;  // null: headers only
    int scaleDenom;           // 1, 2, 4 or 8: the picture decoded at 1/scaleDenom of its size
    int width;
    int height;
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
    jpeg_mem_src(ci, job->data, (unsigned long)job->size);
    jpeg_read_header(ci, TRUE);
    bool cmyk = ci->jpeg_color_space == JCS_CMYK || ci->jpeg_color_space == JCS_YCCK;
    ci->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    // The decoded rows and the image made from them; a progressive picture also keeps
    // every coefficient (two bytes a sample) until its last scan.
    const uint64_t bytesPerPixel = 8 + (ci->progressive_mode ? 2ull * uint64_t(ci->num_components) : 0);
    if (!plausibleSize(ci->image_width, ci->image_height, job->size, kPixelsPerByte) ||
        !pictureFits(ci->image_width, ci->image_height, bytesPerPixel, job->size)) {
        job->refused = true;
        return;
    }
    ci->scale_num = 1;
    ci->scale_denom = unsigned(job->scaleDenom);
    jpeg_calc_output_dimensions(ci);
    int w = int(ci->output_width), h = int(ci->output_height);
    job->width = w;
    job->height = h;
    // Starting checks the tables (and takes in every scan of a multi-scan file), so a
    // file that passes here decodes; with no target that is all.
    jpeg_start_decompress(ci);
    if (!job->target) return;
    const RowTarget* t = job->target;
    if (!t->prepare(t->ctx, w, h)) {
        job->refused = true;
        return;
    }
    if (cmyk) {
        JSAMPARRAY row = (*ci->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(ci), JPOOL_IMAGE, JDIMENSION(w) * 4, 1);
        while (ci->output_scanline < ci->output_height) {
            int y = int(ci->output_scanline);
            if (jpeg_read_scanlines(ci, row, 1) != 1) break;
            convertCmykRow(row[0], t->row(t->ctx, y), w);
        }
    } else {
        JSAMPROW rows[kRowBatch];
        while (ci->output_scanline < ci->output_height) {
            int y = int(ci->output_scanline);
            int n = h - y < kRowBatch ? h - y : kRowBatch;
            for (int i = 0; i < n; ++i) rows[i] = t->row(t->ctx, y + i);
            if (jpeg_read_scanlines(ci, rows, JDIMENSION(n)) == 0) break;
        }
    }
    jpeg_finish_decompress(ci);
}

// Runs the decoder over the file's bytes: headers only (target null) or the pixels.
bool decode(const uint8_t* data, size_t size, const RowTarget* target, int* width, int* height,
            int scaleDenom = 1) {
    if (!data || size == 0 || size > 0xFFFFFFFFu) return false;
    DecodeJob job;
    std::memset(&job.cinfo, 0, sizeof(job.cinfo));
    job.cinfo.err = initErrorTrap(&job.trap);
    job.data = data;
    job.size = size;
    job.target = target;
    job.scaleDenom = scaleDenom;
    job.width = job.height = 0;
    job.refused = false;
    bool ok = runTrapped(&job.trap, decodeBody, &job) && !job.refused;
    jpeg_destroy_decompress(&job.cinfo);
    if (width) *width = job.width;
    if (height) *height = job.height;
    return ok;
}

struct EncodeJob {
    JpegErrorTrap trap;
    jpeg_compress_struct cinfo;
    CodecOutput* output;
    const RowSource* source;
    uint8_t* scratch;
    int quality;
};

void encodeBody(void* arg) {
    EncodeJob* job = static_cast<EncodeJob*>(arg);
    j_compress_ptr ci = &job->cinfo;
    const RowSource* s = job->source;
    jpeg_create_compress(ci);
    useDestination(ci, job->output);
    ci->image_width = JDIMENSION(s->width);
    ci->image_height = JDIMENSION(s->height);
    ci->input_components = 4;
    ci->in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(ci);
    jpeg_set_quality(ci, job->quality, TRUE);
    jpeg_start_compress(ci, TRUE);
    JSAMPROW rows[kRowBatch];
    while (ci->next_scanline < ci->image_height) {
        int y = int(ci->next_scanline);
        // Rows built in the scratch buffer go one at a time.
        int n = job->scratch ? 1 : (s->height - y < kRowBatch ? s->height - y : kRowBatch);
        for (int i = 0; i < n; ++i) rows[i] = const_cast<uint8_t*>(s->row(s->ctx, y + i, job->scratch));
        jpeg_write_scanlines(ci, rows, JDIMENSION(n));
    }
    jpeg_finish_compress(ci);
}

bool encode(io::IOutputStream* out, const RowSource* source, bool needsScratch, int quality) {
    if (source->width <= 0 || source->height <= 0) return false;
    CodecOutput output(out);
    if (!output.ok()) return false;
    EncodeJob job;
    std::memset(&job.cinfo, 0, sizeof(job.cinfo));
    job.cinfo.err = initErrorTrap(&job.trap);
    job.output = &output;
    job.source = source;
    job.quality = quality < 0 ? 0 : quality > 100 ? 100 : quality;
    job.scratch = needsScratch ? static_cast<uint8_t*>(std::malloc(size_t(source->width) * 4)) : nullptr;
    if (needsScratch && !job.scratch) return false;
    bool ok = runTrapped(&job.trap, encodeBody, &job);
    jpeg_destroy_compress(&job.cinfo);
    std::free(job.scratch);
    return ok && output.ok();
}

// ---- row targets and sources

bool prepareBitmap(void* ctx, int w, int h) { return static_cast<bmp::win::Bitmap*>(ctx)->create(w, h, 32); }
uint8_t* bitmapRow(void* ctx, int y) { return static_cast<bmp::win::Bitmap*>(ctx)->getRow(y); }

struct ImageTarget {
    image::win::BufferedImage* given;
    image::win::BufferedImage* result;
};
bool prepareImage(void* ctx, int w, int h) {
    ImageTarget* t = static_cast<ImageTarget*>(ctx);
    t->result = imageTarget(t->given, w, h);
    return t->result != nullptr;
}
uint8_t* imageRow(void* ctx, int y) { return static_cast<ImageTarget*>(ctx)->result->getRowAddress(y); }

const uint8_t* bitmapSourceRow(void* ctx, int y, uint8_t*) {
    return static_cast<bmp::win::Bitmap*>(ctx)->getRow(y);
}

struct FlattenSource {
    image::win::BufferedImage* image;
    uint8_t r, g, b;
};
const uint8_t* opaqueImageRow(void* ctx, int y, uint8_t*) {
    return static_cast<FlattenSource*>(ctx)->image->getRowAddress(y);
}
const uint8_t* flattenedImageRow(void* ctx, int y, uint8_t* scratch) {
    FlattenSource* f = static_cast<FlattenSource*>(ctx);
    const uint32_t* s = f->image->getRow(y);
    uint32_t* d = reinterpret_cast<uint32_t*>(scratch);
    int w = f->image->getWidth();
    for (int x = 0; x < w; ++x) {
        uint32_t p = s[x], a = p >> 24, ia = 255 - a;
        uint32_t cb = ((p & 0xFF) * a + f->b * ia + 127) / 255;
        uint32_t cg = ((p >> 8 & 0xFF) * a + f->g * ia + 127) / 255;
        uint32_t cr = ((p >> 16 & 0xFF) * a + f->r * ia + 127) / 255;
        d[x] = 0xFF000000u | cr << 16 | cg << 8 | cb;
    }
    return scratch;
}

}  // namespace

}  // namespace s::image::jpg

namespace s::image::jpg::win {

Jpeg::Jpeg() : bitmap_(bmp::win::Bitmap::create()) {}

Jpeg::~Jpeg() {
    if (bitmap_) bitmap_->release();
    std::free(data_);
}

void Jpeg::dropEncoded() {
    encoded_ = false;
    dataSize_ = 0;
    width_ = height_ = 0;
}

void Jpeg::reset() {
    if (bitmap_) bitmap_->reset();
    dropEncoded();
    if (dataCapacity_ > kKeptDataBytes) {
        std::free(data_);
        data_ = nullptr;
        dataCapacity_ = 0;
    }
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

bool Jpeg::materialize() {
    if (!encoded_) return bitmap_ && bitmap_->getBits();
    RowTarget target = {prepareBitmap, bitmapRow, bitmap_};
    bool ok = decode(data_, dataSize_, &target, nullptr, nullptr);
    dropEncoded();
    if (!ok) bitmap_->reset();
    return ok;
}

bmp::win::Bitmap* Jpeg::getBitmap() {
    materialize();
    return bitmap_;
}

int Jpeg::getWidth() const { return encoded_ ? width_ : bitmap_ ? bitmap_->getWidth() : 0; }
int Jpeg::getHeight() const { return encoded_ ? height_ : bitmap_ ? bitmap_->getHeight() : 0; }
int Jpeg::getStride() const { return getWidth() * 4; }
uint8_t* Jpeg::getRow(int y) { return materialize() ? bitmap_->getRow(y) : nullptr; }
uint8_t* Jpeg::getBits() { return materialize() ? bitmap_->getBits() : nullptr; }
bool Jpeg::blitTo(HBITMAP target) { return materialize() && bitmap_->blitTo(target); }

void Jpeg::setQuality(int quality) { quality_ = quality < 0 ? 0 : quality > 100 ? 100 : quality; }

bool Jpeg::create(int width, int height) {
    dropEncoded();
    if (!bitmap_ || !bitmap_->create(width, height, 32)) return false;
    for (int y = 0; y < height; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(bitmap_->getRow(y));
        for (int x = 0; x < width; ++x) row[x] = 0xFF000000u;
    }
    return true;
}

bool Jpeg::fromImage(image::win::BufferedImage* image, int quality, uint8_t r, uint8_t g, uint8_t b) {
    dropEncoded();
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
    if (!encoded_) return copyToImage(bitmap_, dst, AlphaRule::Opaque);
    ImageTarget t = {dst, nullptr};
    RowTarget target = {prepareImage, imageRow, &t};
    if (!decode(data_, dataSize_, &target, nullptr, nullptr)) {
        if (t.result && t.result != dst) t.result->release();
        return nullptr;
    }
    t.result->setHasAlpha(false);
    return t.result;
}

int Jpeg::reductionFor(int minWidth, int minHeight) const {
    if (!encoded_ || minWidth <= 0 || minHeight <= 0) return 1;
    // The library's sizes at 1/d are the sizes divided by d, rounded up.
    for (int d : {8, 4, 2}) {
        if ((width_ + d - 1) / d >= minWidth && (height_ + d - 1) / d >= minHeight) return d;
    }
    return 1;
}

image::win::BufferedImage* Jpeg::toReducedImage(int minWidth, int minHeight) {
    const int d = reductionFor(minWidth, minHeight);
    if (d == 1) return nullptr;
    ImageTarget t = {nullptr, nullptr};
    RowTarget target = {prepareImage, imageRow, &t};
    if (!decode(data_, dataSize_, &target, nullptr, nullptr, d)) {
        if (t.result) t.result->release();
        return nullptr;
    }
    t.result->setHasAlpha(false);
    return t.result;
}

image::win::BufferedImageSet* Jpeg::toImageSet() { return singleFrameSet(toImage(0, nullptr), 24); }

IEncodedImage* Jpeg::newEncoderFor(image::win::BufferedImage* image) {
    return makeFromImage(image, kDefaultQuality, 255, 255, 255);
}

bool Jpeg::read(io::IInputStream* in) {
    if (!bitmap_) return false;
    bitmap_->reset();
    dropEncoded();
    // Take the rest of the stream; its length, when known, sizes the buffer at once.
    CodecInput input(in);
    uint64_t expected = input.length();
    if (expected != UINT64_MAX && expected > dataCapacity_ && expected < 0xFFFFFFFFu) {
        uint8_t* grown = static_cast<uint8_t*>(std::realloc(data_, size_t(expected)));
        if (!grown) return false;
        data_ = grown;
        dataCapacity_ = size_t(expected);
    }
    while (input.fill()) {
        size_t n = input.avail();
        if (dataSize_ + n > dataCapacity_) {
            size_t cap = dataCapacity_ ? dataCapacity_ * 2 : CodecInput::kChunk;
            while (cap < dataSize_ + n) cap *= 2;
            uint8_t* grown = cap < 0xFFFFFFFFu ? static_cast<uint8_t*>(std::realloc(data_, cap)) : nullptr;
            if (!grown) return false;
            data_ = grown;
            dataCapacity_ = cap;
        }
        std::memcpy(data_ + dataSize_, input.cur(), n);
        dataSize_ += n;
        input.setCursor(input.cur() + n, 0);
    }
    if (input.failed() || !decode(data_, dataSize_, nullptr, &width_, &height_)) {
        dropEncoded();
        return false;
    }
    encoded_ = true;
    return true;
}

bool Jpeg::write(io::IOutputStream* out) {
    if (!materialize() || bitmap_->getBitCount() != 32) return false;
    RowSource source = {bitmapSourceRow, bitmap_, bitmap_->getWidth(), bitmap_->getHeight()};
    return encode(out, &source, false, quality_);
}

bool writeImage(io::IOutputStream* out, image::win::BufferedImage* image, int quality, uint8_t r, uint8_t g,
                uint8_t b) {
    if (!image || !image->hasPixels()) return false;
    FlattenSource f = {image, r, g, b};
    bool alpha = image->hasAlpha();
    RowSource source = {alpha ? flattenedImageRow : opaqueImageRow, &f, image->getWidth(), image->getHeight()};
    return encode(out, &source, alpha, quality);
}

}  // namespace s::image::jpg::win

namespace s::image::win {

bool BufferedImage::writeJpeg(io::IOutputStream* out, int quality, uint8_t r, uint8_t g, uint8_t b) {
    return jpg::win::writeImage(out, this, quality, r, g, b);
}

bool BufferedImage::writeJpegFile(const wchar_t* path, int quality, uint8_t r, uint8_t g, uint8_t b) {
    jpg::win::Jpeg* j = jpg::win::Jpeg::makeFromImage(this, quality, r, g, b);
    if (!j) return false;
    bool ok = j->save(path);
    j->release();
    return ok;
}

}  // namespace s::image::win
