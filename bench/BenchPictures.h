// Photo-like JPEGs for the benchmarks that read picture files: made once into a folder
// of the build (each file a little different, JPEG quality 92) and kept for later runs.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/BenchSupport.h"
#include "imaging/codec/EncodedImage.h"
#include "imaging/settings/EncodeSetting.h"
#include "support/HostTool.h"

namespace bench {

inline std::string quoted(const std::string& s) { return "'" + s + "'"; }

// "photo007" for 7.
inline std::string photoName(int i) {
    char b[32];
    std::snprintf(b, sizeof b, "photo%03d", i);
    return b;
}

// photoName(i).jpg for i below count in dir (a Unix path), w x h each; files already
// there are kept.
inline bool makePhotoJpegs(const std::string& dir, int count, int w, int h) {
    testsupport::runHost("mkdir -p " + quoted(dir));
    auto* setting = s::image::jpg::EncodeSetting::create();
    setting->quality = 92;
    bool ok = true;
    for (int i = 0; i < count && ok; ++i) {
        const std::wstring path = testsupport::winPath(dir + "/" + photoName(i) + ".jpg");
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        s::image::win::BufferedImage* picture = photoFrame(w, h, i * 7);
        s::image::IEncodedImage* jpeg = setting->makeEncoder(picture);
        ok = jpeg && jpeg->save(path.c_str());
        if (jpeg) jpeg->release();
        picture->release();
    }
    setting->release();
    return ok;
}

}  // namespace bench
