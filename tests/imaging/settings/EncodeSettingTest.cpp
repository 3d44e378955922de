// Encode settings: each format's options saved to and loaded from the XML settings
// store, and the encoders they make write files whose options ImageMagick sees.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "imaging/codec/EncodedImage.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"
#include "imaging/settings/EncodeSetting.h"
#include "platform/xmlstore/MappedData.h"
#include "support/HostTool.h"

using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using testsupport::runHost;
using testsupport::winPath;

namespace {

const wchar_t kSection[] = L"ConvertTo\\Test";

struct Store {
    explicit Store(const std::string& dir) : file(winPath(dir + "/SaveData.xml")) { open(); }
    ~Store() { data->release(); }
    void open() { data = s::xml::MappedData::openFile(file.c_str()); }
    // Writes the file and reads it back into a fresh store.
    void reopen()
    {
        data->flush();
        data->release();
        open();
    }
    std::wstring file;
    s::xml::MappedData* data = nullptr;
};

// A 64 x 48 picture: colour bands with a transparent left quarter.
BufferedImage* picture()
{
    BufferedImage* img = BufferedImage::createSized(64, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            uint32_t a = x < 16 ? 0 : 255;
            img->getRow(y)[x] = a << 24 | uint32_t(x * 4) << 16 | uint32_t(y * 5) << 8 | uint32_t((x + y) * 2);
        }
    img->setHasAlpha(true);
    return img;
}

bool writeWith(s::image::IEncodeSetting* setting, BufferedImage* img, const std::string& path)
{
    s::image::IEncodedImage* codec = setting->makeEncoder(img);
    if (!codec) return false;
    bool ok = codec->save(winPath(path).c_str());
    codec->release();
    return ok;
}

std::string magick(const std::string& format, const std::string& file)
{
    return "identify -format '" + format + "' '" + file + "'";
}

TEST(EncodeSetting, FreshIcoSettingLoadsDefaultsAndStoresEverySizeItOffers)
{
    Store store(testsupport::makeTempDir("enc_ico_defaults"));
    auto* ico = s::image::ico::EncodeSetting::create();
    ico->bind(kSection, store.data);
    EXPECT_TRUE(ico->isBound());
    ASSERT_EQ(ico->sizes.count(), 4u);
    EXPECT_EQ(std::vector<int>(ico->sizes.items(), ico->sizes.items() + 4), (std::vector<int>{16, 24, 32, 48}));
    ASSERT_EQ(ico->depths.count(), 3u);
    EXPECT_EQ(std::vector<int>(ico->depths.items(), ico->depths.items() + 3), (std::vector<int>{4, 8, 32}));
    ico->sizes.clear();
    ico->sizes.push(128);
    ico->save();
    for (const wchar_t* key : {L"Size016", L"Size024", L"Size032", L"Size048", L"Size064", L"Size096"}) {
        EXPECT_TRUE(store.data->hasValue(L"ConvertTo\\Test\\IcoEncodeSetting", key)) << key;
        EXPECT_FALSE(store.data->getBool(L"ConvertTo\\Test\\IcoEncodeSetting", key, true)) << key;
    }
    EXPECT_TRUE(store.data->getBool(L"ConvertTo\\Test\\IcoEncodeSetting", L"Size128", false));
    ico->release();
}

TEST(EncodeSetting, EveryFormatRoundTripsThroughTheStoreFile)
{
    std::string dir = testsupport::makeTempDir("enc_roundtrip");
    Store store(dir);
    {
        auto* jpg = s::image::jpg::EncodeSetting::create();
        auto* png = s::image::png::EncodeSetting::create();
        auto* gif = s::image::gif::EncodeSetting::create();
        auto* bmp = s::image::bmp::EncodeSetting::create();
        auto* ico = s::image::ico::EncodeSetting::create();
        jpg->bind(kSection, store.data);
        jpg->quality = 33;
        jpg->backRed = 10;
        jpg->save();
        png->bind(kSection, store.data);
        png->keepTransparency = false;
        png->withInterlace = false;
        png->backGreen = 20;
        png->save();
        gif->bind(kSection, store.data);
        gif->bpp = 4;
        gif->withInterlace = false;
        gif->backBlue = 30;
        gif->save();
        bmp->bind(kSection, store.data);
        bmp->bpp = 8;
        bmp->keepTransparency = false;
        bmp->save();
        ico->bind(kSection, store.data);
        ico->keepRatio = false;
        ico->sizes.clear();
        ico->sizes.push(64);
        ico->sizes.push(16);
        ico->depths.clear();
        ico->depths.push(8);
        ico->save();
        for (s::thread::IPoolable* p : std::initializer_list<s::thread::IPoolable*>{jpg, png, gif, bmp, ico}) p->release();
    }
    store.reopen();
    auto* jpg = s::image::jpg::EncodeSetting::create();
    auto* png = s::image::png::EncodeSetting::create();
    auto* gif = s::image::gif::EncodeSetting::create();
    auto* bmp = s::image::bmp::EncodeSetting::create();
    auto* ico = s::image::ico::EncodeSetting::create();
    EXPECT_EQ(jpg->quality, 75);  // pool reset values before binding
    jpg->bind(kSection, store.data);
    png->bind(kSection, store.data);
    gif->bind(kSection, store.data);
    bmp->bind(kSection, store.data);
    ico->bind(kSection, store.data);
    EXPECT_EQ(jpg->quality, 33);
    EXPECT_EQ(jpg->backRed, 10);
    EXPECT_FALSE(png->keepTransparency);
    EXPECT_FALSE(png->withInterlace);
    EXPECT_EQ(png->backGreen, 20);
    EXPECT_EQ(gif->bpp, 4);
    EXPECT_FALSE(gif->withInterlace);
    EXPECT_EQ(gif->backBlue, 30);
    EXPECT_EQ(bmp->bpp, 8);
    EXPECT_FALSE(bmp->keepTransparency);
    EXPECT_FALSE(ico->keepRatio);
    // Sizes come back in the fixed order.
    EXPECT_EQ(std::vector<int>(ico->sizes.items(), ico->sizes.items() + ico->sizes.count()), (std::vector<int>{16, 64}));
    EXPECT_EQ(std::vector<int>(ico->depths.items(), ico->depths.items() + ico->depths.count()), (std::vector<int>{8}));
    for (s::thread::IPoolable* p : std::initializer_list<s::thread::IPoolable*>{jpg, png, gif, bmp, ico}) p->release();
}

TEST(EncodeSetting, JpegQualityKeepsItsValueWhenTheKeyIsAbsent)
{
    Store store(testsupport::makeTempDir("enc_jpg_absent"));
    auto* jpg = s::image::jpg::EncodeSetting::create();
    jpg->quality = 42;
    jpg->bind(L"Elsewhere", store.data);
    EXPECT_EQ(jpg->quality, 42);
    jpg->release();
    // Unbound settings neither load nor save.
    auto* png = s::image::png::EncodeSetting::create();
    png->withInterlace = false;
    png->save();
    png->load();
    EXPECT_FALSE(png->withInterlace);
    EXPECT_FALSE(png->isBound());
    png->release();
}

TEST(EncodeSetting, EncodersWriteTheChosenOptions)
{
    std::string dir = testsupport::makeTempDir("enc_output");
    BufferedImage* img = picture();

    auto* jpg = s::image::jpg::EncodeSetting::create();
    jpg->quality = 40;
    ASSERT_TRUE(writeWith(jpg, img, dir + "/q40.jpg"));
    jpg->quality = 90;
    ASSERT_TRUE(writeWith(jpg, img, dir + "/q90.jpg"));
    EXPECT_TRUE(runHost("test \"$(" + magick("%Q", dir + "/q40.jpg") + ")\" = 40"));
    EXPECT_TRUE(runHost("test \"$(" + magick("%Q", dir + "/q90.jpg") + ")\" = 90"));
    jpg->release();

    auto* png = s::image::png::EncodeSetting::create();
    ASSERT_TRUE(writeWith(png, img, dir + "/inter.png"));
    png->withInterlace = false;
    png->keepTransparency = false;
    ASSERT_TRUE(writeWith(png, img, dir + "/flat.png"));
    EXPECT_TRUE(runHost("identify -verbose '" + dir + "/inter.png' | grep -Eq 'Interlace: (PNG|Line)'"));
    EXPECT_TRUE(runHost("identify -verbose '" + dir + "/flat.png' | grep -q 'Interlace: None'"));
    EXPECT_TRUE(runHost(magick("%[opaque]", dir + "/inter.png") + " | grep -qix false"));
    EXPECT_TRUE(runHost(magick("%[opaque]", dir + "/flat.png") + " | grep -qix true"));
    png->release();

    auto* gif = s::image::gif::EncodeSetting::create();
    gif->bpp = 4;
    ASSERT_TRUE(writeWith(gif, img, dir + "/four.gif"));
    EXPECT_TRUE(runHost("test \"$(" + magick("%k", dir + "/four.gif") + ")\" -le 16"));
    EXPECT_TRUE(runHost(magick("%[opaque]", dir + "/four.gif") + " | grep -qix false"));
    gif->release();

    auto* bmp = s::image::bmp::EncodeSetting::create();
    bmp->bpp = 8;
    ASSERT_TRUE(writeWith(bmp, img, dir + "/eight.bmp"));
    EXPECT_TRUE(runHost("identify -verbose '" + dir + "/eight.bmp' | grep -q 'Type: Palette'"));
    bmp->bpp = 24;
    ASSERT_TRUE(writeWith(bmp, img, dir + "/true.bmp"));
    EXPECT_TRUE(runHost("identify -verbose '" + dir + "/true.bmp' | grep -q 'Type: TrueColor$'"));
    bmp->release();

    auto* ico = s::image::ico::EncodeSetting::create();
    ico->sizes.push(16);
    ico->sizes.push(32);
    ico->sizes.push(256);
    ico->depths.push(8);
    ico->depths.push(32);
    ASSERT_TRUE(writeWith(ico, img, dir + "/sizes.ico"));
    EXPECT_TRUE(runHost("test \"$(" + magick("%w ", dir + "/sizes.ico") + ")\" = '16 16 32 32 256 '"));
    // Sizes 256 and depths 4 and 8 only: one 32-bit image.
    ico->sizes.clear();
    ico->sizes.push(256);
    ico->depths.clear();
    ico->depths.push(4);
    ico->depths.push(8);
    s::image::IEncodedImage* big = ico->makeEncoder(img);
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->getFrameCount(), 1);
    EXPECT_EQ(big->getWidth(), 256);
    big->release();
    ico->release();
    img->release();
}

TEST(EncodeSetting, SetsMakeEveryFrameWhereTheFormatKeepsThem)
{
    std::string dir = testsupport::makeTempDir("enc_sets");
    BufferedImageSet* set = BufferedImageSet::create();
    for (int i = 0; i < 3; ++i) {
        BufferedImage* f = BufferedImage::createSized(20, 20);
        f->fill(255, uint8_t(i * 100), 50, 50);
        set->addFrame(f, 32, 100, 0);
    }
    set->setAnimation(true, 0);
    auto* gif = s::image::gif::EncodeSetting::create();
    s::image::IEncodedImage* codec = gif->makeEncoderForSet(set);
    ASSERT_NE(codec, nullptr);
    ASSERT_TRUE(codec->save(winPath(dir + "/anim.gif").c_str()));
    codec->release();
    EXPECT_TRUE(runHost("test \"$(identify '" + dir + "/anim.gif' | wc -l)\" = 3"));
    gif->release();

    auto* ico = s::image::ico::EncodeSetting::create();
    ico->frameSpecs.push(16 << 16 | 4);
    ico->frameSpecs.push(32 << 16 | 8);
    ico->frameSpecs.push(48 << 16 | 32);
    codec = ico->makeEncoderForSet(set);
    ASSERT_NE(codec, nullptr);
    ASSERT_TRUE(codec->save(winPath(dir + "/frames.ico").c_str()));
    codec->release();
    EXPECT_TRUE(runHost("test \"$(" + magick("%w ", dir + "/frames.ico") + ")\" = '16 32 48 '"));
    ico->release();
    set->release();
}

}  // namespace
