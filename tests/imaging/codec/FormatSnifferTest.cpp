#include <gtest/gtest.h>

#include "imaging/codec/CodecTestSupport.h"
#include "imaging/codec/FormatSniffer.h"
#include "imaging/codec/ImageFactory.h"
#include "imaging/codec/Jpeg.h"
#include "imaging/codec/Png.h"
#include "imaging/image/BufferedImage.h"
#include "platform/archive/DllArchive.h"
#include "support/HostTool.h"

#include <windows.h>

using namespace codectest;
using namespace s::image;

namespace {

Bytes padded(Bytes head, size_t size) {
    head.resize(size, 0);
    return head;
}

// An icon directory of n entries of 16 bytes with the given data offset and size.
Bytes icon(int n, uint32_t offset, uint32_t size) {
    Bytes b = {0, 0, 1, 0, uint8_t(n), 0};
    for (int i = 0; i < n; ++i) {
        Bytes e = {16, 16, 0, 0, 1, 0, 32, 0, uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16),
                   uint8_t(size >> 24), uint8_t(offset), uint8_t(offset >> 8), uint8_t(offset >> 16),
                   uint8_t(offset >> 24)};
        b.insert(b.end(), e.begin(), e.end());
    }
    return b;
}

ImageFormatTag sniff(const Bytes& b, uint64_t size = 0) {
    uint32_t n = b.size() < kSniffBytes ? uint32_t(b.size()) : kSniffBytes;
    return sniffBytes(b.data(), n, size ? size : b.size());
}

}  // namespace

TEST(FormatSniffer, TellsFormatsFromTheirSignatures) {
    Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    struct Case { const char* name; Bytes bytes; ImageFormatTag tag; } cases[] = {
        {"jpeg app0", padded({0xFF, 0xD8, 0xFF, 0xE0}, 200), format::kJpg},
        {"jpeg dqt", padded({0xFF, 0xD8, 0xFF, 0xDB}, 200), format::kJpg},
        {"jpeg then 00", padded({0xFF, 0xD8, 0xFF, 0x00, 'G', 'I', 'F'}, 200), nullptr},
        {"jpeg fill bytes", padded({0xFF, 0xD8, 0xFF, 0xFF, 0xFF, 0xE1}, 200), format::kJpg},
        {"jpeg fill then 00", padded({0xFF, 0xD8, 0xFF, 0xFF, 0x00}, 200), nullptr},
        {"jpeg only fill", padded({0xFF, 0xD8, 0xFF, 0xFF, 0xFF}, 5), nullptr},
        {"jpeg com", padded({0xFF, 0xD8, 0xFF, 0xFE}, 200), format::kJpg},
        {"jpeg sof0", padded({0xFF, 0xD8, 0xFF, 0xC0}, 200), format::kJpg},
        {"jpeg dri", padded({0xFF, 0xD8, 0xFF, 0xDD}, 200), format::kJpg},
        {"jpeg extension", padded({0xFF, 0xD8, 0xFF, 0xF7}, 200), format::kJpg},
        {"jpeg then sos", padded({0xFF, 0xD8, 0xFF, 0xDA}, 200), nullptr},
        {"jpeg then eoi", padded({0xFF, 0xD8, 0xFF, 0xD9}, 200), nullptr},
        {"gif87a", padded({'G', 'I', 'F', '8', '7', 'a'}, 200), format::kGif},
        {"gif89a", padded({'G', 'I', 'F', '8', '9', 'a'}, 200), format::kGif},
        {"gif88a", padded({'G', 'I', 'F', '8', '8', 'a'}, 200), nullptr},
        {"png", padded(png, 200), format::kPng},
        {"bmp", padded({'B', 'M', 1, 2, 3, 4, 0, 0, 0, 0}, 200), format::kBmp},
        {"bmp reserved set", padded({'B', 'M', 1, 2, 3, 4, 0, 1, 0, 0}, 200), nullptr},
        {"tiff mm", padded({0x4D, 0x4D, 0x2A, 0x77}, 200), format::kTiff},
        {"tiff ii", padded({0x49, 0x49, 0x2A, 0x00}, 200), format::kTiff},
        {"icon", padded(icon(1, 22, 100), 200), format::kIco},
        {"icon count 0", padded(icon(0, 22, 100), 200), nullptr},
        {"icon entry past the end", padded(icon(1, 22, 500), 200), nullptr},
        {"icon offset inside directory", padded(icon(2, 30, 10), 200), nullptr},
        {"text", padded({'h', 'e', 'l', 'l', 'o'}, 200), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(sniff(c.bytes), c.tag);
    }
}

// Offset plus size is summed in 64 bits: an entry whose 32-bit sum wraps round to a
// small number is refused.
TEST(FormatSniffer, IconSizesDoNotWrapAround) {
    EXPECT_EQ(sniff(padded(icon(1, 0xFFFFFFF0u, 0x20), 200)), nullptr);
    EXPECT_EQ(sniff(padded(icon(1, 0x20, 0xFFFFFFF0u), 200)), nullptr);
    // Six entries: the sixth starts beyond the sniffed bytes and is not looked at.
    Bytes six = icon(6, 102, 10);
    for (size_t i = 6 + 16 * 5; i < six.size(); ++i) six[i] = 0xEE;
    EXPECT_EQ(sniff(padded(six, 300)), format::kIco);
}

// Small real files are recognised whenever their signature fits: a 1x1 GIF is a few
// dozen bytes.
TEST(FormatSniffer, RecognisesSmallFiles) {
    std::string dir = testsupport::makeTempDir("sniffsmall");
    ASSERT_TRUE(testsupport::runHost("cd '" + dir + "' && convert -size 1x1 xc:red tiny.gif && convert -size 1x1 "
                                     "xc:red -strip tiny.png && convert -size 1x1 xc:red BMP3:tiny.bmp && printf 'BM' "
                                     "> two.bmp && convert -size 1x1 xc:red tiny.tif"));
    struct Case { const char* file; ImageFormatTag tag; } cases[] = {
        {"tiny.gif", format::kGif}, {"tiny.png", format::kPng}, {"tiny.bmp", format::kBmp},
        {"two.bmp", nullptr}, {"tiny.tif", format::kTiff}, {"missing.png", nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        std::wstring path = testsupport::winPath(dir + "/" + c.file);
        ImageFormatTag tag = format::kJpg;
        EXPECT_EQ(sniffFormat(path.c_str(), &tag), c.tag != nullptr);
        EXPECT_EQ(tag, c.tag);
    }
    EXPECT_LE(readBytes(dir + "/tiny.gif").size(), 100u);
    EXPECT_LE(readBytes(dir + "/tiny.png").size(), 100u);
}

// Files that libjpeg decodes are recognised whatever segment the standard lets come
// first: fill bytes before the first marker, a comment, the tables, the frame header.
TEST(FormatSniffer, RecognisesJpegsByWhatMayFollowTheStartOfImage) {
    std::string dir = testsupport::makeTempDir("sniffjpeg");
    ASSERT_TRUE(testsupport::runHost("cd '" + dir + "' && convert rose: -strip plain.jpg && convert rose: app.jpg"));
    // Each variant is the same picture with the segments after SOI rearranged.
    const Bytes plain = readBytes(dir + "/plain.jpg");
    const Bytes app = readBytes(dir + "/app.jpg");
    ASSERT_GT(plain.size(), 100u);
    Bytes fill(app.begin(), app.begin() + 2);
    fill.insert(fill.end(), 5, 0xFF);
    fill.insert(fill.end(), app.begin() + 2, app.end());
    ASSERT_TRUE(writeBytes(dir + "/fill.jpg", fill));
    Bytes com(plain.begin(), plain.begin() + 2);
    const uint8_t comment[] = {0xFF, 0xFE, 0x00, 0x07, 'h', 'e', 'l', 'l', 'o'};
    com.insert(com.end(), comment, comment + sizeof comment);
    com.insert(com.end(), plain.begin() + 2, plain.end());
    ASSERT_TRUE(writeBytes(dir + "/com.jpg", com));
    // The frame header moved before every other segment.
    size_t i = 2;
    while (i + 3 < plain.size() && !(plain[i] == 0xFF && plain[i + 1] == 0xC0)) ++i;
    ASSERT_LT(i + 3, plain.size());
    const size_t n = size_t(plain[i + 2] << 8 | plain[i + 3]) + 2;
    Bytes sof(plain.begin(), plain.begin() + 2);
    sof.insert(sof.end(), plain.begin() + long(i), plain.begin() + long(i + n));
    sof.insert(sof.end(), plain.begin() + 2, plain.begin() + long(i));
    sof.insert(sof.end(), plain.begin() + long(i + n), plain.end());
    ASSERT_TRUE(writeBytes(dir + "/sof.jpg", sof));
    for (const char* file : {"plain.jpg", "app.jpg", "fill.jpg", "com.jpg", "sof.jpg"}) {
        SCOPED_TRACE(file);
        std::wstring path = testsupport::winPath(dir + "/" + file);
        ImageFormatTag tag = nullptr;
        EXPECT_TRUE(sniffFormat(path.c_str(), &tag));
        EXPECT_EQ(tag, format::kJpg);
        IEncodedImage* codec = openImageFile(path.c_str());
        ASSERT_NE(codec, nullptr);
        EXPECT_EQ(codec->getWidth(), 70);
        EXPECT_EQ(codec->getHeight(), 46);
        codec->release();
    }
}

// The factory hands back the loaded codec of the file's format, and null for anything
// it cannot show: unknown formats, TIFF, and files that fail to decode.
TEST(ImageFactory, OpensKnownFormatsAndRefusesTheRest) {
    std::string dir = testsupport::makeTempDir("factory");
    ASSERT_TRUE(testsupport::runHost("cd '" + dir + "' && convert rose: r.jpg && convert rose: r.png && convert rose: "
                                     "BMP3:r.bmp && convert rose: r.tif && head -c 300 r.png > cut.png && echo "
                                     "'plain text, not a picture at all, long enough to be sniffed for sure, more "
                                     "than a hundred bytes of it in the file' > t.txt"));
    struct Case { const char* file; const wchar_t* extension; } cases[] = {
        {"r.jpg", L".jpg"}, {"r.png", L".png"}, {"r.bmp", L".bmp"}, {"r.tif", nullptr},
        {"cut.png", nullptr}, {"t.txt", nullptr}, {"none.png", nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        std::wstring path = testsupport::winPath(dir + "/" + c.file);
        IEncodedImage* codec = openImageFile(path.c_str());
        if (!c.extension) {
            EXPECT_EQ(codec, nullptr);
            continue;
        }
        ASSERT_NE(codec, nullptr);
        EXPECT_STREQ(codec->getExtension(), c.extension);
        EXPECT_EQ(codec->getWidth(), 70);
        EXPECT_EQ(codec->getHeight(), 46);
        win::BufferedImage* img = codec->toImage(0, nullptr);
        ASSERT_NE(img, nullptr);
        EXPECT_EQ(img->getWidth(), 70);
        img->release();
        codec->release();
    }
}

// Saving over an existing file writes the new picture; a path that cannot be written
// reports failure.
TEST(ImageFactory, SaveReplacesExistingFilesAndReportsFailure) {
    std::string dir = testsupport::makeTempDir("save");
    ASSERT_TRUE(testsupport::runHost("cd '" + dir + "' && convert rose: r.png && echo old > out.png"));
    IEncodedImage* codec = openImageFile(testsupport::winPath(dir + "/r.png").c_str());
    ASSERT_NE(codec, nullptr);
    EXPECT_TRUE(codec->save(testsupport::winPath(dir + "/out.png").c_str()));
    Bytes written = readBytes(dir + "/out.png");
    ASSERT_GT(written.size(), 100u);
    EXPECT_EQ(written[1], 'P');
    EXPECT_FALSE(codec->save(testsupport::winPath(dir + "/no/such/folder/x.png").c_str()));
    codec->release();
}

// The program's built-in pictures decode from its resources; a missing resource, or one
// of another format, is a failure.
TEST(ImageFactory, ReadsPicturesFromModuleResources) {
    std::wstring exe = testsupport::winPath(std::string(GLIMMER_BINARY_DIR) + "/Glimmer.exe");
    if (GetFileAttributesW(exe.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "the program is not built";
    s::archive::dll::win::Archive* archive = s::archive::dll::win::Archive::create();
    ASSERT_TRUE(archive->open(exe.c_str()));
    s::image::jpg::win::Jpeg* jpeg = s::image::jpg::win::Jpeg::create();
    s::image::png::win::Png* png = s::image::png::win::Png::create();
    EXPECT_TRUE(readResourceImage(jpeg, archive, L"IDR_JPG", 131));
    EXPECT_GT(jpeg->getWidth(), 0);
    EXPECT_FALSE(readResourceImage(jpeg, archive, L"IDR_JPG", 999));
    EXPECT_FALSE(readResourceImage(png, archive, L"IDR_JPG", 132));
    png->release();
    jpeg->release();
    archive->close();
    archive->release();
}
