// Shared helpers of the codec tests: files as bytes, memory streams with failure
// modes, decoding through a codec, and reference pictures decoded by ImageMagick.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/io/Stream.h"
#include "imaging/codec/EncodedImage.h"
#include "tests/support/MemoryStreams.h"

namespace s::image::win { class BufferedImage; }

namespace codectest {

using Bytes = std::vector<uint8_t>;

Bytes readBytes(const std::string& unixPath);
bool writeBytes(const std::string& unixPath, const Bytes& bytes);
// Files of the folder (Unix path) whose names end with the suffix, sorted.
std::vector<std::string> listFiles(const std::string& unixDir, const std::string& suffix);

// Memory streams (chunked reads, hidden length, a full disk): see MemoryStreams.h.
using MemoryInput = testsupport::MemoryInput<Bytes>;
using MemoryOutput = testsupport::MemoryOutput<Bytes>;

// A decoded picture as plain rows of 0xAARRGGBB, row 0 at the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

Picture fromImage(s::image::win::BufferedImage* image);
// Reads the bytes with the codec and turns the result into a picture; false when the
// codec refused them (or gave no image).
bool decodeWith(s::image::IEncodedImage* codec, const Bytes& bytes, Picture* out);
// ImageMagick's decode of the file as 8-bit RGBA.
bool decodeWithMagick(const std::string& unixPath, Picture* out);
// Largest difference of any channel between two same-sized pictures (-1 when the sizes
// differ); the colour of fully transparent pixels is ignored when skipClear is set.
int maxDifference(const Picture& a, const Picture& b, bool skipClear = false);
// The first pixel where the two differ, as text for failure messages.
std::string firstDifference(const Picture& a, const Picture& b);

}  // namespace codectest
