// Times the GIF codec against giflib in the same run: decoding a 100-frame 500x500
// animation, and encoding (colour reduction + LZW) a 12-megapixel photo-like picture.
// Prints a table with the ratios. Not run by the tests.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/BenchSupport.h"
#include "foundation/col/Array.h"
#include "imaging/codec/Gif.h"
#include "imaging/filters/Quantizer.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"

#if GLIMMER_HAVE_GIFLIB
extern "C" {
#include <gif_lib.h>
}
#endif

using s::col::_array::ArrayU08;
using s::image::gif::win::Gif;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;

namespace {

volatile uint64_t g_sink;

#if GLIMMER_HAVE_GIFLIB
struct GifMem {
    const std::vector<uint8_t>* in;
    size_t pos;
    std::vector<uint8_t>* out;
};

int gifRead(GifFileType* f, GifByteType* buf, int n) {
    GifMem* m = static_cast<GifMem*>(f->UserData);
    size_t k = std::min<size_t>(size_t(n), m->in->size() - m->pos);
    std::memcpy(buf, m->in->data() + m->pos, k);
    m->pos += k;
    return int(k);
}

int gifWrite(GifFileType* f, const GifByteType* buf, int n) {
    GifMem* m = static_cast<GifMem*>(f->UserData);
    m->out->insert(m->out->end(), buf, buf + n);
    return n;
}

double giflibDecode(const std::vector<uint8_t>& file) {
    double t0 = bench::nowMs();
    GifMem m{&file, 0, nullptr};
    int err = 0;
    GifFileType* g = DGifOpen(&m, gifRead, &err);
    if (!g || DGifSlurp(g) != GIF_OK) std::printf("giflib decode failed\n");
    g_sink = g_sink + (g ? uint64_t(g->ImageCount) : 0);
    DGifCloseFile(g, &err);
    return bench::nowMs() - t0;
}

double giflibEncode(BufferedImage* img, size_t* bytes) {
    double t0 = bench::nowMs();
    const int w = img->getWidth(), h = img->getHeight();
    const size_t n = size_t(w) * size_t(h);
    std::vector<GifByteType> r(n), g(n), b(n), idx(n);
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = img->getRow(y);
        for (int x = 0; x < w; ++x) {
            size_t i = size_t(y) * w + x;
            r[i] = GifByteType(row[x] >> 16);
            g[i] = GifByteType(row[x] >> 8);
            b[i] = GifByteType(row[x]);
        }
    }
    int mapSize = 256;
    GifColorType map[256];
    if (GifQuantizeBuffer(unsigned(w), unsigned(h), &mapSize, r.data(), g.data(), b.data(), idx.data(), map) != GIF_OK)
        std::printf("giflib quantize failed\n");
    std::vector<uint8_t> out;
    GifMem m{nullptr, 0, &out};
    int err = 0;
    GifFileType* f = EGifOpen(&m, gifWrite, &err);
    ColorMapObject* cmap = GifMakeMapObject(256, map);
    EGifPutScreenDesc(f, w, h, 8, 0, nullptr);
    EGifPutImageDesc(f, 0, 0, w, h, false, cmap);
    for (int y = 0; y < h; ++y) EGifPutLine(f, idx.data() + size_t(y) * w, w);
    EGifCloseFile(f, &err);
    GifFreeMapObject(cmap);
    *bytes = out.size();
    return bench::nowMs() - t0;
}
#endif

struct Row {
    const char* name;
    double ours;
    double ref;
};

}  // namespace

int wmain(int, wchar_t**) {
    std::vector<Row> rows;
    const int kRuns = 3;

    // The animation: 100 whole frames of 500 x 500, each with its own palette.
    std::vector<uint8_t> anim;
    {
        Gif* gif = Gif::create();
        for (int i = 0; i < 100; ++i) {
            BufferedImage* f = bench::photoFrame(500, 500, i);
            gif->addFrame(f, 8, false, 255, 255, 255, 96);
            gif->setDelay(i, 40);
            f->release();
        }
        gif->setLoopCount(0);
        ArrayU08 out;
        gif->write(&out);
        anim.assign(out.items(), out.items() + out.count());
        gif->release();
    }
    std::printf("animation: 100 frames 500x500, %zu bytes\n", anim.size());

    ArrayU08 animStream;
    animStream.append(anim.data(), uint32_t(anim.size()));
    double best = 1e30, bestSet = 1e30, bestRef = 1e30;
    for (int run = 0; run < kRuns; ++run) {
        double t0 = bench::nowMs();
        Gif* gif = Gif::create();
        animStream.rewind();
        if (!gif->read(&animStream) || gif->getFrameCount() != 100) std::printf("our decode failed\n");
        double t1 = bench::nowMs();
        BufferedImageSet* set = gif->toImageSet();
        double t2 = bench::nowMs();
        if (set) set->release();
        gif->release();
        best = std::min(best, t1 - t0);
        bestSet = std::min(bestSet, t2 - t0);
#if GLIMMER_HAVE_GIFLIB
        bestRef = std::min(bestRef, giflibDecode(anim));
#endif
    }
    rows.push_back({"decode 100 x 500x500 (indices)", best, bestRef});
    rows.push_back({"decode + 32-bit frames", bestSet, bestRef});
    {
        // Where the 32-bit frames' time goes: making and first touching 100 fresh
        // 500 x 500 DIBs (what the set's frames need at the least), against expanding the
        // indices into DIBs already touched.
        Gif* gif = Gif::create();
        animStream.rewind();
        gif->read(&animStream);
        double setOnly = 1e30;
        for (int run = 0; run < kRuns; ++run) {
            double t0 = bench::nowMs();
            BufferedImageSet* set = gif->toImageSet();
            setOnly = std::min(setOnly, bench::nowMs() - t0);
            if (set) set->release();
        }
        std::vector<BufferedImage*> images;
        double t0 = bench::nowMs();
        for (int i = 0; i < 100; ++i) {
            images.push_back(BufferedImage::createSized(500, 500));
            std::memset(images.back()->getRowAddress(499), 0, size_t(500) * 500 * 4);
        }
        double t1 = bench::nowMs();
        for (int i = 0; i < 100; ++i) gif->toImage(i, images[size_t(i)]);
        double t2 = bench::nowMs();
        for (BufferedImage* image : images) image->release();
        gif->release();
        rows.push_back({"32-bit frames only (toImageSet)", setOnly, -1});
        rows.push_back({"  100 fresh DIBs, made + touched", t1 - t0, -1});
        rows.push_back({"  expansion into touched DIBs", t2 - t1, -1});
    }

    BufferedImage* big = bench::photoFrame(4000, 3000, 0);
    best = bestRef = 1e30;
    size_t ourBytes = 0, refBytes = 0;
    for (int run = 0; run < kRuns; ++run) {
        double t0 = bench::nowMs();
        Gif* gif = Gif::fromImage(big, 8, true, 255, 255, 255);
        ArrayU08 out;
        if (!gif || !gif->write(&out)) std::printf("our encode failed\n");
        best = std::min(best, bench::nowMs() - t0);
        ourBytes = out.count();
        if (gif) gif->release();
#if GLIMMER_HAVE_GIFLIB
        bestRef = std::min(bestRef, giflibEncode(big, &refBytes));
#endif
    }
    {
        // Where the encode's time goes.
        using s::image::filters::reduction::Quantizer;
        double t0 = bench::nowMs();
        Quantizer* q = Quantizer::create();
        q->build(big, 255);
        double t1 = bench::nowMs();
        std::vector<uint8_t> line(4000);
        for (int y = 0; y < 3000; ++y) q->mapRow(big->getRow(y), 4000, line.data(), 8);
        double t2 = bench::nowMs();
        q->release();
        Gif* gif = Gif::fromImage(big, 8, true, 255, 255, 255);
        double t3 = bench::nowMs();
        ArrayU08 out;
        gif->write(&out);
        double t4 = bench::nowMs();
        gif->release();
        std::printf("encode parts: octree %.1f ms, mapping %.1f ms, whole frame %.1f ms, LZW write %.1f ms\n", t1 - t0,
                    t2 - t1, t3 - t2, t4 - t3);
    }
    big->release();
    rows.push_back({"encode 4000x3000 (quantize+LZW)", best, bestRef});

    std::printf("%-34s %10s %10s %8s\n", "case", "ours ms", "giflib ms", "ratio");
    for (const Row& r : rows) {
#if GLIMMER_HAVE_GIFLIB
        if (r.ref >= 0)
            std::printf("%-34s %10.1f %10.1f %7.2fx\n", r.name, r.ours, r.ref, r.ours / r.ref);
        else
            std::printf("%-34s %10.1f %10s %8s\n", r.name, r.ours, "-", "-");
#else
        std::printf("%-34s %10.1f %10s %8s\n", r.name, r.ours, "-", "-");
#endif
    }
    std::printf("encoded sizes: ours %zu bytes, giflib %zu bytes\n", ourBytes, refBytes);
    return 0;
}
