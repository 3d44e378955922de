#include "e2e/support/PictureFiles.h"

#include <cstdint>
#include <vector>

#include "support/HostTool.h"

namespace e2e {

namespace {

bool writeFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    return ok;
}

template <class T>
void append(std::vector<uint8_t>& out, T value) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
    out.insert(out.end(), bytes, bytes + sizeof value);
}

}  // namespace

Painter flat(COLORREF colour) {
    return [colour](int, int, int, int) { return colour; };
}

Painter quadrants(COLORREF topLeft, COLORREF topRight, COLORREF bottomLeft, COLORREF bottomRight) {
    return [=](int x, int y, int w, int h) {
        const bool right = x >= w / 2, bottom = y >= h / 2;
        return bottom ? (right ? bottomRight : bottomLeft) : (right ? topRight : topLeft);
    };
}

PictureFolder::PictureFolder(const std::string& name)
    : unixPath_(testsupport::makeTempDir(name)), path_(testsupport::winPath(unixPath_)) {}

std::wstring PictureFolder::convert(const std::string& from, const std::string& to) const {
    if (!testsupport::runHost("convert '" + unixPathOf(from) + "' '" + unixPathOf(to) + "'")) return L"";
    return testsupport::winPath(unixPathOf(to));
}

std::wstring PictureFolder::bmp(const std::wstring& name, int width, int height, const Painter& painter) const {
    const uint32_t stride = (uint32_t(width) * 3 + 3) & ~3u;
    const uint32_t imageSize = stride * uint32_t(height);
    std::vector<uint8_t> out;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageSize;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;  // bottom-up rows
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = imageSize;
    append(out, file);
    append(out, info);
    for (int row = height - 1; row >= 0; --row) {
        const size_t start = out.size();
        for (int x = 0; x < width; ++x) {
            const COLORREF c = painter(x, row, width, height);
            out.push_back(GetBValue(c));
            out.push_back(GetGValue(c));
            out.push_back(GetRValue(c));
        }
        out.resize(start + stride, 0);
    }
    const std::wstring full = path_ + L"\\" + name;
    return writeFile(full, out) ? full : L"";
}

std::wstring PictureFolder::junk(const std::wstring& name) const {
    const std::wstring full = path_ + L"\\" + name;
    const std::vector<uint8_t> bytes = {0x13, 0x37, 0x42, 0x00, 0x7F, 0x80, 0x01, 0xFE, 0x55, 0xAA, 0x0D, 0x0A, 0x99};
    return writeFile(full, bytes) ? full : L"";
}

}  // namespace e2e
