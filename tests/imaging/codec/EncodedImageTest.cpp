// Saving a picture over an existing file: the file is replaced only once the whole picture
// was written; an encoder that gives up on the way, or a target that cannot be replaced,
// leaves the previous file as it was and no temporary file behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "foundation/io/Stream.h"
#include "imaging/codec/EncodedImage.h"
#include "support/HostTool.h"
#include "support/FileBytes.h"

namespace {

using s::image::IEncodedImage;

// An encoder that writes `bytes` bytes of its picture and then says whether it managed.
class ScriptedEncoder : public IEncodedImage {
public:
    ScriptedEncoder(size_t bytes, bool succeeds) : bytes_(bytes), succeeds_(succeeds) {}
    int getWidth() const override { return 1; }
    int getHeight() const override { return 1; }
    const wchar_t* getExtension() const override { return L"bmp"; }
    s::image::win::BufferedImage* toImage(int, s::image::win::BufferedImage*) override { return nullptr; }
    s::image::win::BufferedImageSet* toImageSet() override { return nullptr; }
    bool write(s::io::IOutputStream* out) override {
        std::vector<char> data(bytes_, 'N');
        if (!data.empty() && !s::io::IOutputStream::writeFully(out, data.data(), uint32_t(data.size()))) return false;
        return succeeds_;
    }
    bool read(s::io::IInputStream*) override { return false; }
    bool hasSeveralImages() const override { return false; }
    int getFrameCount() const override { return 1; }
    IEncodedImage* newEncoderFor(s::image::win::BufferedImage*) override { return nullptr; }
    void release() override {}

private:
    size_t bytes_;
    bool succeeds_;
};

std::string contents(const std::wstring& path) { return testsupport::fileBytes(path); }

void put(const std::wstring& path, const std::string& bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD w = 0;
    WriteFile(f, bytes.data(), DWORD(bytes.size()), &w, nullptr);
    CloseHandle(f);
}

int filesIn(const std::wstring& dir) {
    int n = 0;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do {
        if (wcscmp(fd.cFileName, L".") && wcscmp(fd.cFileName, L"..")) ++n;
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return n;
}

TEST(EncodedImageSave, TheOldFileStaysUnlessTheWholePictureWasWritten) {
    const struct {
        const char* what;
        size_t bytes;
        bool succeeds, readOnly, saved;
    } cases[] = {
        {"gives up after writing more than a buffer", 300000, false, false, false},
        {"refuses the picture before writing", 0, false, false, false},
        {"writes the picture", 300000, true, false, true},
        {"writes the picture onto a read-only file", 300000, true, true, false},
    };
    static std::atomic<int> n{0};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::wstring dir = testsupport::winPath(testsupport::makeTempDir("encsave" + std::to_string(n++)));
        const std::wstring target = dir + L"\\picture.bmp";
        put(target, "the user's picture");
        if (c.readOnly) SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
        ScriptedEncoder encoder(c.bytes, c.succeeds);
        EXPECT_EQ(encoder.save(target.c_str()), c.saved);
        EXPECT_EQ(contents(target), c.saved ? std::string(c.bytes, 'N') : std::string("the user's picture"));
        EXPECT_EQ(filesIn(dir), 1) << "a temporary file was left behind";
        SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// A folder where the picture's file would go: nothing is written and the failure is told.
TEST(EncodedImageSave, AFolderInTheWayIsAFailure) {
    const std::wstring dir = testsupport::winPath(testsupport::makeTempDir("encsave-folder"));
    const std::wstring target = dir + L"\\picture.bmp";
    ASSERT_TRUE(CreateDirectoryW(target.c_str(), nullptr));
    ScriptedEncoder encoder(100, true);
    EXPECT_FALSE(encoder.save(target.c_str()));
    EXPECT_NE(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(filesIn(dir), 1);
}

}  // namespace
