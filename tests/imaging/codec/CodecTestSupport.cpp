#include "imaging/codec/CodecTestSupport.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "imaging/image/BufferedImage.h"
#include "support/HostTool.h"

namespace codectest {

Bytes readBytes(const std::string& unixPath) {
    std::ifstream in(testsupport::winPath(unixPath).c_str(), std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool writeBytes(const std::string& unixPath, const Bytes& bytes) {
    std::ofstream out(testsupport::winPath(unixPath).c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

std::vector<std::string> listFiles(const std::string& unixDir, const std::string& suffix) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW fd;
    std::wstring pattern = testsupport::winPath(unixDir) + L"\\*";
    HANDLE h = FindFirstFileW(pattern.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        char name[MAX_PATH * 3];
        WideCharToMultiByte(CP_UTF8, 0, fd.cFileName, -1, name, sizeof(name), nullptr, nullptr);
        std::string n = name;
        if (n.size() >= suffix.size() && n.compare(n.size() - suffix.size(), suffix.size(), suffix) == 0)
            names.push_back(n);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

Picture fromImage(s::image::win::BufferedImage* image) {
    Picture p;
    p.width = image->getWidth();
    p.height = image->getHeight();
    p.pixels.resize(size_t(p.width) * size_t(p.height));
    for (int y = 0; y < p.height; ++y)
        std::memcpy(&p.pixels[size_t(y) * size_t(p.width)], image->getRow(y), size_t(p.width) * 4);
    return p;
}

bool decodeWith(s::image::IEncodedImage* codec, const Bytes& bytes, Picture* out) {
    MemoryInput in(bytes);
    if (!codec->read(&in)) return false;
    s::image::win::BufferedImage* image = codec->toImage(0, nullptr);
    if (!image) return false;
    if (out) *out = fromImage(image);
    image->release();
    return true;
}

bool decodeWithMagick(const std::string& unixPath, Picture* out) {
    std::string raw = unixPath + ".magick.rgba", size = unixPath + ".magick.txt";
    if (!testsupport::runHost("convert '" + unixPath + "[0]' -depth 8 'RGBA:" + raw + "' && identify -format '%w %h' '" +
                              unixPath + "[0]' > '" + size + "'"))
        return false;
    Bytes dims = readBytes(size);
    std::istringstream ss(std::string(dims.begin(), dims.end()));
    Picture p;
    if (!(ss >> p.width >> p.height)) return false;
    Bytes rgba = readBytes(raw);
    if (rgba.size() != size_t(p.width) * size_t(p.height) * 4) return false;
    p.pixels.resize(size_t(p.width) * size_t(p.height));
    for (size_t i = 0; i < p.pixels.size(); ++i) {
        const uint8_t* q = &rgba[i * 4];
        p.pixels[i] = uint32_t(q[3]) << 24 | uint32_t(q[0]) << 16 | uint32_t(q[1]) << 8 | q[2];
    }
    *out = std::move(p);
    return true;
}

int maxDifference(const Picture& a, const Picture& b, bool skipClear) {
    if (a.width != b.width || a.height != b.height) return -1;
    int worst = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        uint32_t p = a.pixels[i], q = b.pixels[i];
        int shifts = 32;
        if (skipClear && (p >> 24) == 0 && (q >> 24) == 0) shifts = 0;
        for (int s = 0; s < shifts; s += 8) {
            int d = std::abs(int((p >> s) & 0xFF) - int((q >> s) & 0xFF));
            worst = std::max(worst, d);
        }
    }
    return worst;
}

std::string firstDifference(const Picture& a, const Picture& b) {
    if (a.width != b.width || a.height != b.height)
        return "sizes " + std::to_string(a.width) + "x" + std::to_string(a.height) + " and " +
               std::to_string(b.width) + "x" + std::to_string(b.height);
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.at(x, y) != b.at(x, y)) {
                char t[96];
                snprintf(t, sizeof(t), "first difference at (%d, %d): %08x and %08x", x, y, a.at(x, y), b.at(x, y));
                return t;
            }
    return "no difference";
}

}  // namespace codectest
