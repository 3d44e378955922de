// Pictures through the clipboard: the block a copy writes, copy and paste round trips,
// and pastes of every DIB layout other programs put there (fixtures written by Python
// and ImageMagick on the host), read from blocks that end at a guard page.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <cstdio>
#include <string>
#include <vector>

#include "imaging/exchange/Clipboard.h"
#include "imaging/image/BufferedImage.h"
#include "support/HostTool.h"

using s::image::win::BufferedImage;

namespace {

// Bytes placed so that the last one is the last byte before a page the process may
// not touch: a read past the end faults.
class GuardedBlock {
public:
    explicit GuardedBlock(const std::vector<uint8_t>& bytes) {
        const size_t page = 4096;
        const size_t pages = (bytes.size() + page - 1) / page + 1;
        base_ = static_cast<uint8_t*>(VirtualAlloc(nullptr, pages * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD old;
        VirtualProtect(base_ + (pages - 1) * page, page, PAGE_NOACCESS, &old);
        data_ = base_ + (pages - 1) * page - bytes.size();
        if (!bytes.empty()) std::memcpy(data_, bytes.data(), bytes.size());
        size_ = bytes.size();
    }
    ~GuardedBlock() { VirtualFree(base_, 0, MEM_RELEASE); }
    const uint8_t* data() const { return data_; }
    size_t size() const { return size_; }

private:
    uint8_t* base_ = nullptr;
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

std::vector<uint8_t> readFile(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f) return bytes;
    uint8_t chunk[4096];
    for (size_t n; (n = fread(chunk, 1, sizeof chunk, f)) > 0;) bytes.insert(bytes.end(), chunk, chunk + n);
    fclose(f);
    return bytes;
}

// The fixture folder, written once per process.
const std::string& fixtureDir() {
    static const std::string dir = [] {
        std::string d = testsupport::makeTempDir("clipboard-dibs");
        testsupport::runHost("python3 '" + testsupport::sourceDir() + "/tests/imaging/exchange/make_dibs.py' '" + d +
                             "'");
        return d;
    }();
    return dir;
}

std::vector<uint8_t> fixture(const std::string& name, const char* ext) {
    return readFile(testsupport::winPath(fixtureDir() + "/" + name + ext));
}

// A hidden window to own the clipboard (a null owner cannot set data).
struct ClipboardOwner {
    HWND hwnd = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ~ClipboardOwner() { DestroyWindow(hwnd); }
};

// Puts the bytes on the clipboard as CF_DIB, exactly that long.
bool offerDib(HWND owner, const std::vector<uint8_t>& bytes) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    bool ok = SetClipboardData(CF_DIB, block) != nullptr;
    CloseClipboard();
    return ok;
}

// Every pixel of the image is the expected RGB (top row first) and opaque.
void expectPicture(BufferedImage* image, const std::vector<uint8_t>& rgb, int w, int h, const std::string& what) {
    ASSERT_NE(image, nullptr) << what;
    ASSERT_EQ(image->getWidth(), w) << what;
    ASSERT_EQ(image->getHeight(), h) << what;
    ASSERT_EQ(rgb.size(), size_t(w * h * 3)) << what;
    EXPECT_FALSE(image->hasAlpha()) << what;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint8_t* e = &rgb[size_t(y * w + x) * 3];
            const uint32_t want = 0xFF000000u | uint32_t(e[0]) << 16 | uint32_t(e[1]) << 8 | e[2];
            ASSERT_EQ(image->getRow(y)[x], want) << what << " at " << x << "," << y;
        }
}

BufferedImage* makePicture(int w, int h, bool withAlpha) {
    BufferedImage* image = BufferedImage::createSized(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t a = withAlpha && (x + y) % 2 ? 0x40 : 0xFF;
            image->getRow(y)[x] =
                a << 24 | uint32_t(30 * x + 7) << 16 | uint32_t(60 * y + 3) << 8 | uint32_t(x * y * 9);
        }
    image->setHasAlpha(withAlpha);
    return image;
}

const char* const kLayouts[] = {
    "info24", "v5_rgba_masks_top_down", "v4_rgba_masks", "info_masks_after_header", "v4_565_top_down", "pal1", "pal4",
    "pal8"};

TEST(ClipboardDib, EveryLayoutReadsAsThePictureItShows) {
    for (const char* name : kLayouts) {
        std::vector<uint8_t> dib = fixture(name, ".dib");
        ASSERT_FALSE(dib.empty()) << name;
        GuardedBlock block(dib);
        BufferedImage* image = s::image::imageFromPackedDib(block.data(), block.size());
        expectPicture(image, fixture(name, ".rgb"), 5, 4, name);
        if (image) image->release();
    }
}

TEST(ClipboardDib, CutBlocksAreRefusedWithoutReadingPastTheirEnd) {
    for (const char* name : kLayouts) {
        std::vector<uint8_t> dib = fixture(name, ".dib");
        ASSERT_FALSE(dib.empty()) << name;
        // Every length short of the whole block: header, masks, palette or rows cut.
        for (size_t cut = 0; cut < dib.size(); ++cut) {
            GuardedBlock block(std::vector<uint8_t>(dib.begin(), dib.begin() + cut));
            BufferedImage* image = s::image::imageFromPackedDib(block.data(), block.size());
            EXPECT_EQ(image, nullptr) << name << " cut to " << cut;
            if (image) image->release();
        }
    }
}

TEST(ClipboardDib, HeadersThatClaimMoreThanTheBlockHoldsAreRefused) {
    struct Case {
        const char* what;
        int32_t width, height;
        uint16_t bits;
        uint32_t compression;
    } cases[] = {
        {"huge", 100000, 100000, 32, 0}, {"negative width", -5, 4, 32, 0}, {"zero height", 5, 0, 32, 0},
        {"run-length", 5, 4, 8, 1},      {"odd bit count", 5, 4, 7, 0},    {"masks on 24 bits", 5, 4, 24, 3},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> dib(40 + 5 * 4 * 4 + 1024, 0);
        BITMAPINFOHEADER h{};
        h.biSize = 40;
        h.biWidth = c.width;
        h.biHeight = c.height;
        h.biPlanes = 1;
        h.biBitCount = c.bits;
        h.biCompression = c.compression;
        std::memcpy(dib.data(), &h, sizeof h);
        GuardedBlock block(dib);
        BufferedImage* image = s::image::imageFromPackedDib(block.data(), block.size());
        EXPECT_EQ(image, nullptr) << c.what;
        if (image) image->release();
    }
}

TEST(ClipboardCopy, WritesA32BitBottomUpBlockWithAlphaBytes) {
    ClipboardOwner owner;
    BufferedImage* image = makePicture(2, 2, true);
    ASSERT_TRUE(s::image::copyToClipboard(owner.hwnd, image));
    ASSERT_TRUE(OpenClipboard(owner.hwnd));
    HANDLE block = GetClipboardData(CF_DIB);
    ASSERT_NE(block, nullptr);
    ASSERT_GE(GlobalSize(block), 56u);
    const uint8_t* bytes = static_cast<const uint8_t*>(GlobalLock(block));
    BITMAPINFOHEADER h;
    std::memcpy(&h, bytes, sizeof h);
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 2);
    EXPECT_EQ(h.biHeight, 2);
    EXPECT_EQ(h.biBitCount, 32);
    EXPECT_EQ(h.biCompression, DWORD(BI_RGB));
    EXPECT_EQ(h.biSizeImage, 16u);
    uint32_t first[2];
    std::memcpy(first, bytes + 40, 8);
    EXPECT_EQ(first[0], image->getRow(1)[0]);  // the bottom row comes first
    EXPECT_EQ(first[1], image->getRow(1)[1]);
    EXPECT_EQ(first[0] >> 24, 0x40u);  // alpha bytes included
    GlobalUnlock(block);
    CloseClipboard();
    image->release();
}

TEST(ClipboardCopy, CopyThenPasteGivesTheSameColoursOpaque) {
    ClipboardOwner owner;
    for (bool withAlpha : {false, true}) {
        BufferedImage* image = makePicture(7, 5, withAlpha);
        std::vector<uint8_t> rgb;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x) {
                uint32_t p = image->getRow(y)[x];
                rgb.insert(rgb.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
            }
        ASSERT_TRUE(s::image::copyToClipboard(owner.hwnd, image));
        BufferedImage* pasted = s::image::pasteFromClipboard(owner.hwnd);
        expectPicture(pasted, rgb, 7, 5, withAlpha ? "32-bit" : "24-bit");
        if (pasted) pasted->release();
        image->release();
    }
}

TEST(ClipboardPaste, ReadsDibsOtherProgramsOffer) {
    ClipboardOwner owner;
    for (const char* name : {"pal8", "v5_rgba_masks_top_down", "v4_565_top_down"}) {
        ASSERT_TRUE(offerDib(owner.hwnd, fixture(name, ".dib"))) << name;
        BufferedImage* pasted = s::image::pasteFromClipboard(owner.hwnd);
        expectPicture(pasted, fixture(name, ".rgb"), 5, 4, name);
        if (pasted) pasted->release();
    }
}

TEST(ClipboardPaste, ACutBlockOnTheClipboardGivesNothing) {
    ClipboardOwner owner;
    std::vector<uint8_t> dib = fixture("pal8", ".dib");
    dib.resize(dib.size() - 7);
    ASSERT_TRUE(offerDib(owner.hwnd, dib));
    EXPECT_EQ(s::image::pasteFromClipboard(owner.hwnd), nullptr);
}

TEST(ClipboardPaste, ReadsABitmapHandle) {
    ClipboardOwner owner;
    const uint32_t pixels[2] = {0x00102030, 0x00A0B0C0};  // one row, 0x00RRGGBB
    HBITMAP bitmap = CreateBitmap(2, 1, 1, 32, pixels);
    ASSERT_TRUE(OpenClipboard(owner.hwnd));
    EmptyClipboard();
    ASSERT_NE(SetClipboardData(CF_BITMAP, bitmap), nullptr);
    CloseClipboard();
    BufferedImage* pasted = s::image::pasteFromClipboard(owner.hwnd);
    expectPicture(pasted, {0x10, 0x20, 0x30, 0xA0, 0xB0, 0xC0}, 2, 1, "bitmap");
    if (pasted) pasted->release();
}

TEST(ClipboardPaste, NothingUsableGivesNull) {
    ClipboardOwner owner;
    ASSERT_TRUE(OpenClipboard(owner.hwnd));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(s::image::pasteFromClipboard(owner.hwnd), nullptr);
    // A picture with no pixels is not copied.
    BufferedImage* empty = BufferedImage::create();
    EXPECT_FALSE(s::image::copyToClipboard(owner.hwnd, empty));
    EXPECT_FALSE(s::image::copyToClipboard(owner.hwnd, nullptr));
    empty->release();
}

}  // namespace
