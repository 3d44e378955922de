#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "imaging/codec/CodecTestSupport.h"
#include "imaging/codec/Gif.h"
#include "imaging/codec/GifLzw.h"
#include "imaging/codec/CodecStream.h"
#include "imaging/codec/ImageFactory.h"
#include "imaging/image/Bitmap.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"
#include "support/HostTool.h"

using namespace codectest;
using s::image::gif::win::Gif;
using s::image::gif::win::GifLzw;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;

namespace {

std::string magick(const std::string& dir, const std::string& name, const std::string& args) {
    std::string path = dir + "/" + name;
    if (!testsupport::runHost("cd '" + dir + "' && convert " + args + " '" + path + "'")) return "";
    return path;
}

// ImageMagick's coalesced frames of a file as pictures.
std::vector<Picture> magickFrames(const std::string& path) {
    std::vector<Picture> frames;
    std::string raw = path + ".frames.rgba", dims = path + ".frames.txt";
    if (!testsupport::runHost("convert '" + path + "' -coalesce -depth 8 'RGBA:" + raw + "' && identify -format '%W %H ' '" +
                              path + "[0]' > '" + dims + "' && identify '" + path + "' | wc -l >> '" + dims + "'"))
        return frames;
    Bytes d = readBytes(dims);
    std::istringstream ss(std::string(d.begin(), d.end()));
    int w = 0, h = 0, n = 0;
    if (!(ss >> w >> h >> n)) return frames;
    Bytes rgba = readBytes(raw);
    if (rgba.size() != size_t(w) * size_t(h) * 4 * size_t(n)) return frames;
    for (int f = 0; f < n; ++f) {
        Picture p;
        p.width = w;
        p.height = h;
        p.pixels.resize(size_t(w) * size_t(h));
        for (size_t i = 0; i < p.pixels.size(); ++i) {
            const uint8_t* q = &rgba[(size_t(f) * p.pixels.size() + i) * 4];
            p.pixels[i] = uint32_t(q[3]) << 24 | uint32_t(q[0]) << 16 | uint32_t(q[1]) << 8 | q[2];
        }
        frames.push_back(std::move(p));
    }
    return frames;
}

// Our decode, composed for playing.
std::vector<Picture> ourFrames(const Bytes& bytes, Gif** keep = nullptr) {
    std::vector<Picture> frames;
    Gif* gif = Gif::create();
    MemoryInput in(bytes);
    if (gif->read(&in)) {
        BufferedImageSet* set = gif->toImageSet();
        if (set) {
            BufferedImageSet* c = set->coalesce();
            for (int i = 0; c && i < c->getFrameCount(); ++i) frames.push_back(fromImage(c->getFrame(i)));
            if (c) c->release();
            set->release();
        }
    }
    if (keep)
        *keep = gif;
    else
        gif->release();
    return frames;
}

// ImageMagick starts the canvas in the background colour of the file's palette where
// players (and this codec) leave it transparent; with onlyDrawn the pixels no frame has
// drawn are not compared.
void expectSameFrames(const std::vector<Picture>& ours, const std::vector<Picture>& theirs, bool onlyDrawn = false) {
    ASSERT_FALSE(theirs.empty());
    ASSERT_EQ(ours.size(), theirs.size());
    for (size_t i = 0; i < ours.size(); ++i) {
        if (!onlyDrawn) {
            EXPECT_EQ(maxDifference(ours[i], theirs[i], true), 0) << "frame " << i;
        }
        for (int y = 0; y < ours[i].height && ours[i].width == theirs[i].width; ++y)
            for (int x = 0; x < ours[i].width; ++x) {
                uint32_t a = ours[i].at(x, y), b = theirs[i].at(x, y);
                if (onlyDrawn && (a >> 24) == 0) continue;
                if (a != b && ((a | b) >> 24) != 0) {
                    ADD_FAILURE() << "frame " << i << " first difference at " << x << "," << y << ": " << std::hex << a
                                  << " against " << b;
                    y = ours[i].height;
                    break;
                }
            }
    }
}

std::string hostOutput(const std::string& command, const std::string& file) {
    if (!testsupport::runHost(command + " > '" + file + "'")) return "<failed>";
    Bytes b = readBytes(file);
    return std::string(b.begin(), b.end());
}

}  // namespace

TEST(GifCodec, PlacesFramesAndDisposesAsImageMagickDoes) {
    std::string dir = testsupport::makeTempDir("gif_dispose");
    // Every disposal, frames smaller than the screen at offsets, a frame 0 smaller than
    // the screen, transparency and local palettes.
    struct Case {
        const char* name;
        const char* args;
        bool onlyDrawn = false;
    } cases[] = {
        {"offsets.gif",
         "-dispose none -delay 7 -size 40x30 xc:red -dispose background -page 40x30+5+5 -size 20x15 xc:blue "
         "-dispose previous -page +10+3 -size 8x8 xc:green -dispose none -page +0+0 -size 10x10 xc:yellow "
         "-page +12+12 -size 6x6 xc:magenta -loop 3"},
        {"small_first.gif",
         "-dispose previous -size 10x10 -page 50x40+20+10 xc:orange -dispose background -page +0+0 -size 30x30 "
         "xc:navy -dispose none -page +25+5 -size 10x30 gradient:white-black -page +3+3 -size 5x5 xc:cyan",
         true},
        {"transparent.gif",
         "-dispose none -size 32x32 xc:none -fill red -draw 'circle 16,16 16,4' -dispose background "
         "-page +4+4 -size 12x12 xc:none -fill blue -draw 'rectangle 2,2 9,9' -dispose none -page +0+0 "
         "-size 32x32 xc:none -fill green -draw 'rectangle 0,0 15,31'"},
        {"palettes.gif",
         "-size 24x24 gradient:red-yellow gradient:blue-cyan plasma:fractal -delay 20 -loop 0"},
    };
    for (const Case& c : cases) {
        std::string path = magick(dir, c.name, c.args);
        ASSERT_FALSE(path.empty()) << c.name;
        SCOPED_TRACE(c.name);
        std::vector<Picture> ours = ourFrames(readBytes(path));
        expectSameFrames(ours, magickFrames(path), c.onlyDrawn);
        if (c.onlyDrawn) {
            ASSERT_EQ(ours.size(), 4u);
            EXPECT_EQ(ours[0].width, 50);
            EXPECT_EQ(ours[0].height, 40);
            EXPECT_EQ(ours[0].at(0, 0) >> 24, 0u);            // outside frame 0
            EXPECT_EQ(ours[0].at(20, 10), 0xFFFFA500u);        // frame 0 at +20+10
            EXPECT_EQ(ours[1].at(24, 14), 0xFF000080u);        // navy over what frame 0's
            EXPECT_EQ(ours[1].at(35, 15) >> 24, 0u);           // disposal restored
            EXPECT_EQ(ours[3].at(10, 10) >> 24, 0u);           // navy cleared by disposal 2
        }
    }
}

TEST(GifCodec, ReadsInterlacedTinyAndTransparentStills) {
    std::string dir = testsupport::makeTempDir("gif_still");
    struct Case {
        const char* name;
        const char* args;
    } cases[] = {
        {"interlaced.gif", "-size 37x29 plasma:fractal -interlace GIF"},
        {"interlaced3.gif", "-size 5x3 gradient:red-blue -interlace GIF"},
        {"one.gif", "-size 1x1 xc:white"},
        {"alpha.gif", "-size 20x20 xc:none -fill red -draw 'circle 10,10 10,3'"},
        {"gray.gif", "-size 16x16 gradient:black-white -colorspace gray"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = magick(dir, c.name, c.args);
        ASSERT_FALSE(path.empty());
        Picture theirs, ours;
        ASSERT_TRUE(decodeWithMagick(path, &theirs));
        Gif* gif = Gif::create();
        ASSERT_TRUE(decodeWith(gif, readBytes(path), &ours));
        EXPECT_EQ(maxDifference(ours, theirs, true), 0);
        EXPECT_EQ(gif->getFrameCount(), 1);
        gif->release();
    }
    // The 1x1 file is tiny; the factory still opens it by its signature.
    Bytes one = readBytes(dir + "/one.gif");
    EXPECT_LT(one.size(), 60u);
}

TEST(GifCodec, TableFilledWithoutClearCodeKeepsDecoding) {
    std::string dir = testsupport::makeTempDir("gif_noclear");
    // A GIF whose coder never sends a clear code: once the table holds 4096 codes it goes
    // on with 12-bit codes from the full table. The script also writes the indices.
    std::string script = dir + "/make.py";
    const char* py = R"PY(
import random, struct, sys
random.seed(7)
w, h = 160, 120
pix = [random.choice([0, 1, 2, 3, 3, 3, 1, 5, 6, 7, 0, 0]) for _ in range(w * h)]
pix[w * 60:w * 61] = [4] * w
min_size = 3
clear, end = 1 << min_size, (1 << min_size) + 1
table = {bytes([i]): i for i in range(clear)}
nxt, size = end + 1, min_size + 1
codes = []
def put(c):
    codes.append((c, size))
put(clear)
cur = bytes([pix[0]])
for p in pix[1:]:
    s = cur + bytes([p])
    if s in table:
        cur = s
        continue
    put(table[cur])
    if nxt < 4096:
        table[s] = nxt
        nxt += 1
        if nxt > (1 << size) and size < 12:
            size += 1
    cur = bytes([p])
put(table[cur])
put(end)
acc = nbits = 0
data = bytearray()
for c, s in codes:
    acc |= c << nbits
    nbits += s
    while nbits >= 8:
        data.append(acc & 255); acc >>= 8; nbits -= 8
if nbits:
    data.append(acc & 255)
assert nxt == 4096
out = bytearray(b'GIF89a' + struct.pack('<HHBBB', w, h, 0x82, 0, 0))
for i in range(8):
    out += bytes([i * 30, 255 - i * 30, (i * 77) & 255])
out += b',' + struct.pack('<HHHHB', 0, 0, w, h, 0) + bytes([min_size])
for i in range(0, len(data), 255):
    chunk = data[i:i + 255]
    out += bytes([len(chunk)]) + chunk
out += b'\x00;'
open(sys.argv[1], 'wb').write(out)
open(sys.argv[2], 'wb').write(bytes(pix))
)PY";
    ASSERT_TRUE(writeBytes(script, Bytes(py, py + std::strlen(py))));
    std::string gifPath = dir + "/noclear.gif", idxPath = dir + "/noclear.idx";
    ASSERT_TRUE(testsupport::runHost("python3 '" + script + "' '" + gifPath + "' '" + idxPath + "'"));
    Bytes expected = readBytes(idxPath);
    Gif* gif = Gif::create();
    MemoryInput in(readBytes(gifPath));
    ASSERT_TRUE(gif->read(&in));
    ASSERT_EQ(gif->getFrameCount(), 1);
    auto* frame = gif->getFrame(0);
    ASSERT_EQ(frame->getWidth() * frame->getHeight(), int(expected.size()));
    int wrong = 0;
    for (int y = 0; y < frame->getHeight(); ++y)
        for (int x = 0; x < frame->getWidth(); ++x)
            if (frame->getRow(y)[x] != expected[size_t(y) * frame->getWidth() + x]) ++wrong;
    EXPECT_EQ(wrong, 0);
    gif->release();
    // ImageMagick agrees.
    Picture theirs, ours;
    ASSERT_TRUE(decodeWithMagick(gifPath, &theirs));
    Gif* again = Gif::create();
    ASSERT_TRUE(decodeWith(again, readBytes(gifPath), &ours));
    EXPECT_EQ(maxDifference(ours, theirs), 0);
    again->release();
}

namespace {

BufferedImage* solid(int w, int h, uint32_t argb) {
    BufferedImage* img = BufferedImage::createSized(w, h);
    img->fill(uint8_t(argb >> 24), uint8_t(argb >> 16), uint8_t(argb >> 8), uint8_t(argb));
    return img;
}

void rect(BufferedImage* img, int x0, int y0, int x1, int y1, uint32_t argb) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) img->getRow(y)[x] = argb;
    if ((argb >> 24) != 0xFF) img->setHasAlpha(true);
}

Bytes writeGif(Gif* gif) {
    MemoryOutput out;
    EXPECT_TRUE(gif->write(&out));
    return out.bytes;
}

}  // namespace

TEST(GifCodec, AnimationRoundTripsThroughOurReaderAndImageMagick) {
    std::string dir = testsupport::makeTempDir("gif_roundtrip");
    BufferedImageSet* set = BufferedImageSet::create();
    BufferedImage* a = solid(30, 20, 0xFFFF0000);
    rect(a, 5, 5, 15, 15, 0xFF0000FF);
    BufferedImage* b = a->copy();
    rect(b, 10, 2, 25, 8, 0xFF00FF00);
    BufferedImage* c = b->copy();
    rect(c, 0, 0, 30, 4, 0x00000000);  // more transparent than the picture before it
    rect(c, 12, 12, 20, 18, 0xFFFFFF00);
    set->addFrame(a, 32, 70, 0);
    set->addFrame(b, 32, 150, 2);  // cleared before c is drawn
    set->addFrame(c, 32, 1000, 0);
    set->setAnimation(true, 0);
    std::vector<Picture> source;
    for (int i = 0; i < 3; ++i) source.push_back(fromImage(set->getFrame(i)));

    Gif* gif = Gif::create();
    ASSERT_TRUE(gif->fromImageSet(set, 8, true, 255, 255, 255));
    Bytes bytes = writeGif(gif);
    gif->release();
    set->release();
    std::string path = dir + "/anim.gif";
    ASSERT_TRUE(writeBytes(path, bytes));

    // Our reader: the pictures as composed, no trail of the red top rows in frame 3.
    Gif* back = nullptr;
    std::vector<Picture> ours = ourFrames(bytes, &back);
    ASSERT_EQ(ours.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(maxDifference(ours[size_t(i)], source[size_t(i)], true), 0) << i;
    EXPECT_EQ(back->getDelay(0), 70);
    EXPECT_EQ(back->getDelay(1), 150);
    EXPECT_EQ(back->getLoopCount(), 0);
    back->release();

    // ImageMagick: same pictures, delays, loop count and transparency.
    std::vector<Picture> theirs = magickFrames(path);
    ASSERT_EQ(theirs.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(maxDifference(theirs[size_t(i)], source[size_t(i)], true), 0) << i;
    EXPECT_EQ(hostOutput("identify -format '%T,%A;' '" + path + "'", dir + "/id.txt"), "7,False;15,True;100,True;");
    EXPECT_EQ(hostOutput("identify -verbose '" + path + "' | grep -m1 Iterations | tr -d ' '", dir + "/it.txt"),
              "Iterations:0\n");
}

TEST(GifCodec, StillPictureWithTransparencyAndDelays) {
    BufferedImage* img = solid(9, 7, 0xFF336699);
    rect(img, 0, 0, 3, 3, 0x40000000);  // below the threshold: transparent
    rect(img, 6, 0, 9, 3, 0x80FF0000);  // above it: opaque red
    Gif* gif = Gif::fromImage(img, 8, true, 255, 255, 255);
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(gif->getTransparentIndex(0), 255);
    gif->setDelay(0, 75);
    Bytes bytes = writeGif(gif);
    gif->release();
    ASSERT_GT(bytes.size(), 40u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
    std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("NETSCAPE2.0"), std::string::npos);
    size_t gce = text.find("\x21\xF9\x04");
    ASSERT_NE(gce, std::string::npos);
    EXPECT_EQ(bytes[gce + 4], 7);  // 75 ms is stored as 7 hundredths
    EXPECT_EQ(bytes[gce + 6], 255);

    Gif* back = Gif::create();
    Picture p;
    ASSERT_TRUE(decodeWith(back, bytes, &p));
    EXPECT_EQ(back->getDelay(0), 70);
    EXPECT_EQ(p.at(1, 1) >> 24, 0u);
    EXPECT_EQ(p.at(7, 1), 0xFFFF0000u);
    EXPECT_EQ(p.at(4, 5), 0xFF336699u);
    back->release();

    // Four bits: at most 15 colours and index 15 for the transparent pixels.
    Gif* four = Gif::fromImage(img, 4, true, 0, 0, 0);
    EXPECT_EQ(four->getTransparentIndex(0), 15);
    four->release();
    img->release();
}

TEST(GifCodec, LzwRoundTripsEveryCodeSize) {
    std::mt19937 rng(3);
    for (int bits = 1; bits <= 8; ++bits) {
        for (int pattern = 0; pattern < 3; ++pattern) {
            const int w = 301, h = 257;
            std::vector<uint8_t> pix(size_t(w) * h);
            for (size_t i = 0; i < pix.size(); ++i) {
                uint32_t v = pattern == 0 ? rng() : pattern == 1 ? uint32_t(i / 97) : uint32_t((i * i) >> 9);
                pix[i] = uint8_t(v & ((1u << bits) - 1));
            }
            std::vector<const uint8_t*> rows;
            for (int y = 0; y < h; ++y) rows.push_back(&pix[size_t(y) * w]);
            MemoryOutput sink;
            GifLzw* lzw = GifLzw::create();
            {
                s::image::CodecOutput out(&sink);
                ASSERT_TRUE(lzw->encode(rows.data(), w, h, std::max(bits, 2), &out));
                ASSERT_TRUE(out.flush());
            }
            lzw->release();
            // Unpack the sub-blocks.
            std::vector<uint8_t> data;
            size_t at = 1;
            while (at < sink.bytes.size() && sink.bytes[at] != 0) {
                data.insert(data.end(), sink.bytes.begin() + at + 1, sink.bytes.begin() + at + 1 + sink.bytes[at]);
                at += 1 + sink.bytes[at];
            }
            data.resize(data.size() + 8);
            std::vector<uint8_t> got(pix.size() + 1, 0xEE);
            size_t n = GifLzw::decode(data.data(), data.size() - 8, std::max(bits, 2), got.data(), pix.size());
            ASSERT_EQ(n, pix.size()) << bits << " " << pattern;
            EXPECT_TRUE(std::equal(pix.begin(), pix.end(), got.begin())) << bits << " " << pattern;
            EXPECT_EQ(got.back(), 0xEE);
        }
    }
}

TEST(GifCodec, DamagedFilesGiveFailureOrAPicture) {
    std::string dir = testsupport::makeTempDir("gif_fuzz");
    std::string path = magick(dir, "src.gif",
                              "-dispose background -size 48x40 plasma:fractal -page +6+4 -size 20x20 xc:none -fill red "
                              "-draw 'circle 10,10 10,2' -interlace GIF -delay 5 -loop 2");
    ASSERT_FALSE(path.empty());
    Bytes good = readBytes(path);
    ASSERT_GT(good.size(), 100u);
    auto tryDecode = [](const Bytes& bytes) {
        Gif* gif = Gif::create();
        MemoryInput in(bytes);
        bool ok = gif->read(&in);
        if (ok) {
            EXPECT_GT(gif->getFrameCount(), 0);
            BufferedImageSet* set = gif->toImageSet();
            if (set) {
                BufferedImageSet* c = set->coalesce();
                if (c) c->release();
                set->release();
            }
        } else {
            EXPECT_EQ(gif->getFrameCount(), 0);
            EXPECT_EQ(gif->toImageSet(), nullptr);
        }
        gif->release();
        return ok;
    };
    EXPECT_TRUE(tryDecode(good));
    for (int k = 0; k < 16; ++k) tryDecode(Bytes(good.begin(), good.begin() + good.size() * k / 16));
    EXPECT_FALSE(tryDecode(Bytes(good.begin(), good.begin() + 10)));
    EXPECT_FALSE(tryDecode(Bytes(100, 0x41)));
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        Bytes bad = good;
        int flips = 1 + int(rng() % 4);
        for (int f = 0; f < flips; ++f) bad[rng() % std::min<size_t>(bad.size(), 64)] ^= uint8_t(1 + rng() % 255);
        if (round % 3 == 0) bad[rng() % bad.size()] ^= 0xFF;
        tryDecode(bad);
    }
    // A header claiming a huge screen and frame over a few bytes of data.
    Bytes huge = {'G', 'I', 'F', '8', '9', 'a', 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0,
                  0x2C, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 2, 2, 0x4C, 0x01, 0, 0x3B};
    EXPECT_FALSE(tryDecode(huge));
}

TEST(GifCodec, FactoryOpensGifFilesAndSavesThem) {
    std::string dir = testsupport::makeTempDir("gif_factory");
    std::string path = magick(dir, "pic.gif", "-size 40x30 plasma:fractal -colors 200");
    ASSERT_FALSE(path.empty());
    s::image::IEncodedImage* codec = s::image::openImageFile(testsupport::winPath(path).c_str());
    ASSERT_NE(codec, nullptr);
    EXPECT_STREQ(codec->getExtension(), L".gif");
    BufferedImage* img = codec->toImage(0, nullptr);
    ASSERT_NE(img, nullptr);
    s::image::IEncodedImage* enc = codec->newEncoderFor(img);
    ASSERT_NE(enc, nullptr);
    std::string out = dir + "/copy.gif";
    ASSERT_TRUE(enc->save(testsupport::winPath(out).c_str()));
    Picture theirs;
    ASSERT_TRUE(decodeWithMagick(out, &theirs));
    EXPECT_EQ(maxDifference(fromImage(img), theirs), 0);
    enc->release();
    img->release();
    codec->release();
}
