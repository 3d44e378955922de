// Times the JPEG and PNG codecs against the bare libraries called directly in the same
// run, on the same pictures: JPEG decoding of a 12-megapixel photo-like picture
// (baseline, quality 90, 4:2:0) into a buffered image, PNG decoding of a 4-megapixel
// RGBA picture, and encoding both (JPEG at quality 75). Prints a table of megapixels
// per second and the ratio of the codec's time to the library's. Not run by the tests.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>
#include <png.h>

#include "bench/BenchSupport.h"
#include "foundation/io/Stream.h"
#include "imaging/codec/Jpeg.h"
#include "imaging/codec/Png.h"
#include "imaging/image/BufferedImage.h"
#include "tests/support/MemoryStreams.h"

using s::image::jpg::win::Jpeg;
using s::image::png::win::Png;
using s::image::win::BufferedImage;

namespace {

using Bytes = std::vector<uint8_t>;
volatile uint64_t g_sink;

// Reads the file the caller keeps, without copying it run by run.
using MemIn = testsupport::MemoryInput<const Bytes&>;
using MemOut = testsupport::MemoryOutput<Bytes>;

// ---- the bare libraries ------------------------------------------------------------

Bytes bareJpegEncode(const uint8_t* bgra, int w, int h, int quality) {
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* mem = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &mem, &size);
    c.image_width = JDIMENSION(w);
    c.image_height = JDIMENSION(h);
    c.input_components = 4;
    c.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    jpeg_start_compress(&c, TRUE);
    JSAMPROW rows[16];
    while (c.next_scanline < c.image_height) {
        int n = std::min(16, h - int(c.next_scanline));
        for (int i = 0; i < n; ++i) rows[i] = const_cast<uint8_t*>(bgra) + size_t(c.next_scanline + i) * w * 4;
        jpeg_write_scanlines(&c, rows, JDIMENSION(n));
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    Bytes out(mem, mem + size);
    free(mem);
    return out;
}

uint64_t bareJpegDecode(const Bytes& file) {
    jpeg_decompress_struct d;
    jpeg_error_mgr err;
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, file.data(), (unsigned long)file.size());
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&d);
    size_t stride = size_t(d.output_width) * 4;
    uint8_t* buffer = static_cast<uint8_t*>(malloc(stride * d.output_height));
    JSAMPROW rows[16];
    while (d.output_scanline < d.output_height) {
        int n = std::min<int>(16, int(d.output_height - d.output_scanline));
        for (int i = 0; i < n; ++i) rows[i] = buffer + (d.output_scanline + i) * stride;
        jpeg_read_scanlines(&d, rows, JDIMENSION(n));
    }
    jpeg_finish_decompress(&d);
    uint64_t v = buffer[stride * d.output_height / 2];
    jpeg_destroy_decompress(&d);
    free(buffer);
    return v;
}

void pngAppend(png_structp png, png_bytep data, size_t n) {
    Bytes* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}
void pngFlush(png_structp) {}

Bytes barePngEncode(const uint8_t* bgra, int w, int h) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, pngAppend, pngFlush);
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    std::vector<png_bytep> rows(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) rows[size_t(y)] = const_cast<uint8_t*>(bgra) + size_t(y) * w * 4;
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

struct PngSource {
    const Bytes* b;
    size_t pos;
};
void pngRead(png_structp png, png_bytep data, size_t n) {
    PngSource* s = static_cast<PngSource*>(png_get_io_ptr(png));
    if (s->pos + n > s->b->size()) png_error(png, "short");
    std::memcpy(data, s->b->data() + s->pos, n);
    s->pos += n;
}

uint64_t barePngDecode(const Bytes& file) {
    PngSource src{&file, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_read_fn(png, &src, pngRead);
    png_read_info(png, info);
    png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    png_set_bgr(png);
    png_read_update_info(png, info);
    uint8_t* buffer = static_cast<uint8_t*>(malloc(size_t(w) * h * 4));
    std::vector<png_bytep> rows(h);
    for (png_uint_32 y = 0; y < h; ++y) rows[y] = buffer + size_t(y) * w * 4;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    uint64_t v = buffer[size_t(w) * h * 2];
    free(buffer);
    return v;
}

void row(const wchar_t* name, double megapixels, double bareMs, double oursMs) {
    wprintf(L"%-34ls %10.1f %10.1f %8.3f   %ls\n", name, megapixels * 1000.0 / bareMs, megapixels * 1000.0 / oursMs,
            oursMs / bareMs, oursMs / bareMs <= 1.15 ? L"ok" : L"SLOW");
}

}  // namespace

int wmain(int, wchar_t**) {
    const int runs = 9;
    const int jw = 4000, jh = 3000, pw = 2000, ph = 2000;

    BufferedImage* photo = bench::photoLike(jw, jh);
    BufferedImage* rgba = bench::photoLike(pw, ph);
    if (!photo->hasPixels() || !rgba->hasPixels()) {
        wprintf(L"could not make the pictures\n");
        return 1;
    }
    for (int y = 0; y < ph; ++y)
        for (int x = 0; x < pw; ++x)
            rgba->getRow(y)[x] = (rgba->getRow(y)[x] & 0x00FFFFFFu) | uint32_t((x + y) * 255 / (pw + ph)) << 24;
    rgba->setHasAlpha(true);

    // Top-down copies of the pixels for the bare libraries.
    auto packed = [](BufferedImage* img) {
        Bytes b(size_t(img->getWidth()) * img->getHeight() * 4);
        for (int y = 0; y < img->getHeight(); ++y)
            std::memcpy(&b[size_t(y) * img->getWidth() * 4], img->getRow(y), size_t(img->getWidth()) * 4);
        return b;
    };
    Bytes photoPixels = packed(photo), rgbaPixels = packed(rgba);
    Bytes jpegFile = bareJpegEncode(photoPixels.data(), jw, jh, 90);
    Bytes pngFile = barePngEncode(rgbaPixels.data(), pw, ph);
    double jmp = jw * double(jh) / 1e6, pmp = pw * double(ph) / 1e6;

    wprintf(L"JPEG %dx%d q90 4:2:0: %zu bytes; PNG %dx%d RGBA: %zu bytes; best of %d runs\n\n", jw, jh, jpegFile.size(),
            pw, ph, pngFile.size(), runs);
    wprintf(L"%-34ls %10ls %10ls %8ls\n", L"case", L"bare MP/s", L"ours MP/s", L"ratio");

    double bare = 0, ours = 0;
    {
        bench::bestOfBoth([&] { g_sink = g_sink + bareJpegDecode(jpegFile); },
                          [&] {
                              Jpeg* j = Jpeg::create();
                              MemIn in(jpegFile);
                              j->read(&in);
                              BufferedImage* img = j->toImage(0, nullptr);
                              g_sink = g_sink + (img ? img->getRow(jh / 2)[0] : 0);
                              if (img) img->release();
                              j->release();
                          },
                          runs, &bare, &ours);
    }
    row(L"JPEG decode 12 MP -> image", jmp, bare, ours);

    {
        bench::bestOfBoth([&] { g_sink = g_sink + barePngDecode(pngFile); },
                          [&] {
                              Png* p = Png::create();
                              MemIn in(pngFile);
                              p->read(&in);
                              BufferedImage* img = p->toImage(0, nullptr);
                              g_sink = g_sink + (img ? img->getRow(ph / 2)[0] : 0);
                              if (img) img->release();
                              p->release();
                          },
                          runs, &bare, &ours);
    }
    row(L"PNG decode 4 MP RGBA -> image", pmp, bare, ours);

    {
        bench::bestOfBoth([&] { g_sink = g_sink + bareJpegEncode(photoPixels.data(), jw, jh, 75).size(); },
                          [&] {
                              MemOut out;
                              photo->writeJpeg(&out, 75, 255, 255, 255);
                              g_sink = g_sink + out.bytes.size();
                          },
                          runs, &bare, &ours);
    }
    row(L"JPEG encode 12 MP q75 from image", jmp, bare, ours);

    {
        bench::bestOfBoth([&] { g_sink = g_sink + barePngEncode(rgbaPixels.data(), pw, ph).size(); },
                          [&] {
                              MemOut out;
                              rgba->writePng(&out, false, true, 255, 255, 255);
                              g_sink = g_sink + out.bytes.size();
                          },
                          runs, &bare, &ours);
    }
    row(L"PNG encode 4 MP RGBA from image", pmp, bare, ours);

    photo->release();
    rgba->release();
    return 0;
}
