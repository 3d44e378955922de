// Small picture files made at test time: flat-colour BMPs whose regions a test finds
// again among the window's pixels, and damaged files that no reader accepts.
//
//   e2e::PictureFolder folder("browse");
//   std::wstring a = folder.bmp(L"a.bmp", 40, 30, e2e::flat(RGB(255, 0, 0)));
//   folder.junk(L"b.jpg");
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace e2e {

// Flat colours far enough apart that a test tells them from each other and from the
// program's own painting.
constexpr COLORREF kRed = RGB(230, 20, 20);
constexpr COLORREF kGreen = RGB(20, 200, 40);
constexpr COLORREF kBlue = RGB(30, 40, 220);
constexpr COLORREF kYellow = RGB(240, 220, 10);

// The colour of the pixel at (x, y) of a w x h picture.
using Painter = std::function<COLORREF(int x, int y, int w, int h)>;

// One colour all over.
Painter flat(COLORREF colour);
// Four quadrants: top left, top right, bottom left, bottom right.
Painter quadrants(COLORREF topLeft, COLORREF topRight, COLORREF bottomLeft, COLORREF bottomRight);

// A fresh, empty folder of the test's own.
class PictureFolder {
public:
    explicit PictureFolder(const std::string& name);
    // The folder as a Windows path, without a trailing separator.
    const std::wstring& path() const { return path_; }
    // A 24-bit BMP file; its full Windows path.
    std::wstring bmp(const std::wstring& name, int width, int height, const Painter& painter) const;
    // A file of a few fixed bytes that are no picture of any kind; its full path.
    std::wstring junk(const std::wstring& name) const;
    // The picture file "from" of the folder written again by the host's ImageMagick as
    // "to", in the format its extension names; its full path, empty when that failed.
    std::wstring convert(const std::string& from, const std::string& to) const;

    // The folder and a file of it as the host names them, for the host's tools.
    const std::string& unixPath() const { return unixPath_; }
    std::string unixPathOf(const std::string& name) const { return unixPath_ + "/" + name; }

private:
    std::string unixPath_;
    std::wstring path_;
};

}  // namespace e2e
