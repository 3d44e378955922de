#include <gtest/gtest.h>

#include "imaging/codec/CodecTestSupport.h"
#include "imaging/codec/Jpeg.h"
#include "imaging/codec/Png.h"
#include "imaging/image/Bitmap.h"
#include "imaging/image/BufferedImage.h"
#include "support/HostTool.h"

using namespace codectest;
using s::image::IEncodedImage;

namespace {

struct Seed {
    std::string name;
    Bytes bytes;
    IEncodedImage* (*make)();
    bool truncatedMayDecode;  // JPEG shows what came before the cut
};

IEncodedImage* makeJpeg() { return s::image::jpg::win::Jpeg::create(); }
IEncodedImage* makePng() { return s::image::png::win::Png::create(); }
IEncodedImage* makeBmp() { return s::image::bmp::win::Bitmap::create(); }

std::vector<Seed> seeds() {
    std::string dir = testsupport::makeTempDir("fuzzseeds");
    testsupport::runHost("cd '" + dir + "' && convert rose: -quality 80 b.jpg && convert rose: -interlace Plane p.jpg "
                         "&& convert rose: -colors 16 -type Palette BMP3:p4.bmp && convert rose: BMP3:t24.bmp && "
                         "convert rose: -alpha set BMP:a32.bmp && convert rose: -define bmp:subtype=RGB565 "
                         "BMP:r565.bmp && convert rose: BMP2:core.bmp");
    std::string suite = testsupport::depsPrefix() + "/share/pngsuite/";
    std::vector<Seed> out = {
        {"baseline jpeg", readBytes(dir + "/b.jpg"), makeJpeg, true},
        {"progressive jpeg", readBytes(dir + "/p.jpg"), makeJpeg, true},
        {"rgba png", readBytes(suite + "basn6a08.png"), makePng, false},
        {"palette png", readBytes(suite + "tbbn3p08.png").empty() ? readBytes(suite + "basn3p04.png")
                                                                   : readBytes(suite + "tbbn3p08.png"), makePng, false},
        {"interlaced png", readBytes(suite + "ibasn2c16.png"), makePng, false},
        {"4-bit bmp", readBytes(dir + "/p4.bmp"), makeBmp, false},
        {"24-bit bmp", readBytes(dir + "/t24.bmp"), makeBmp, false},
        {"32-bit V5 bmp", readBytes(dir + "/a32.bmp"), makeBmp, false},
        {"16-bit bmp", readBytes(dir + "/r565.bmp"), makeBmp, false},
        {"core bmp", readBytes(dir + "/core.bmp"), makeBmp, false},
    };
    return out;
}

// Every seed was made: without ImageMagick or the PNG suite the files are empty, and
// the tests must say so rather than divide by their length.
::testing::AssertionResult allMade(const std::vector<Seed>& seeds) {
    std::string missing;
    for (const Seed& s : seeds)
        if (s.bytes.size() <= 50) missing += (missing.empty() ? "" : ", ") + s.name;
    if (missing.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "seed files were not made (are ImageMagick and the PNG suite there?): "
                                         << missing;
}

// The codec of one seed, given back to its pool however the test ends.
struct CodecHolder {
    explicit CodecHolder(IEncodedImage* c) : codec(c) {}
    ~CodecHolder() {
        if (codec) codec->release();
    }
    CodecHolder(const CodecHolder&) = delete;
    CodecHolder& operator=(const CodecHolder&) = delete;
    IEncodedImage* codec;
};

// An answer is either a refusal with nothing held, or a whole picture.
void checkAnswer(IEncodedImage* codec, const Bytes& bytes, bool* decoded) {
    MemoryInput in(bytes);
    *decoded = codec->read(&in);
    s::image::win::BufferedImage* img = codec->toImage(0, nullptr);
    if (*decoded) {
        ASSERT_NE(img, nullptr);
        EXPECT_EQ(img->getWidth(), codec->getWidth());
        EXPECT_EQ(img->getHeight(), codec->getHeight());
        EXPECT_GT(img->getWidth(), 0);
    } else {
        EXPECT_EQ(img, nullptr);
        EXPECT_EQ(codec->getWidth(), 0);
    }
    if (img) img->release();
}

}  // namespace

// Files cut at every sixteenth of their length: a refusal (or, for JPEG, the part that
// came), never a crash or a hang.
TEST(CodecRobustness, TruncationsAnswerCleanly) {
    const std::vector<Seed> all = seeds();
    ASSERT_TRUE(allMade(all));
    for (const Seed& s : all) {
        SCOPED_TRACE(s.name);
        CodecHolder holder(s.make());
        IEncodedImage* codec = holder.codec;
        ASSERT_NE(codec, nullptr);
        for (size_t k = 0; k < 16; ++k) {
            SCOPED_TRACE(k);
            Bytes cut(s.bytes.begin(), s.bytes.begin() + long(s.bytes.size() * k / 16));
            bool decoded = false;
            checkAnswer(codec, cut, &decoded);
            if (!s.truncatedMayDecode || k < 2) {
                EXPECT_FALSE(decoded);
            }
        }
        bool decoded = false;
        checkAnswer(codec, s.bytes, &decoded);
        EXPECT_TRUE(decoded);
    }
}

// Random bytes written over the headers: every answer is a refusal or a picture.
TEST(CodecRobustness, DamagedHeadersAnswerCleanly) {
    uint32_t state = 0x9E3779B9u;
    auto next = [&state]() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    const std::vector<Seed> all = seeds();
    ASSERT_TRUE(allMade(all));
    for (const Seed& s : all) {
        SCOPED_TRACE(s.name);
        CodecHolder holder(s.make());
        IEncodedImage* codec = holder.codec;
        ASSERT_NE(codec, nullptr);
        size_t headerSpan = std::min<size_t>(s.bytes.size(), 160);
        int decodedCount = 0;
        for (int round = 0; round < 250; ++round) {
            Bytes b = s.bytes;
            int flips = 1 + int(next() % 4);
            for (int f = 0; f < flips; ++f) b[next() % headerSpan] = uint8_t(next());
            bool decoded = false;
            checkAnswer(codec, b, &decoded);
            if (::testing::Test::HasFatalFailure()) return;
            decodedCount += decoded;
        }
        RecordProperty(s.name, decodedCount);
    }
}
