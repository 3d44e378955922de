#include "imaging/codec/ImageFactory.h"

#include "imaging/codec/CodecImage.h"
#include "imaging/codec/Gif.h"
#include "imaging/codec/Icon.h"
#include "imaging/codec/Jpeg.h"
#include "imaging/codec/Png.h"
#include "imaging/image/Bitmap.h"
#include "platform/file/PathWin.h"

namespace s::image {

IEncodedImage* newCodecFor(ImageFormatTag tag) {
    if (tag == format::kBmp) return bmp::win::Bitmap::create();
    if (tag == format::kJpg) return jpg::win::Jpeg::create();
    if (tag == format::kPng) return png::win::Png::create();
    if (tag == format::kGif) return gif::win::Gif::create();
    if (tag == format::kIco) return ico::win::Icon::create();
    // TIFF has no codec.
    return nullptr;
}

IEncodedImage* openImageFile(file::win::PathWin* path) {
    clearSizeRefusal();
    ImageFormatTag tag = nullptr;
    if (!sniffFormat(path, &tag)) return nullptr;
    IEncodedImage* codec = newCodecFor(tag);
    if (codec && !codec->load(path)) {
        codec->release();
        codec = nullptr;
    }
    return codec;
}

IEncodedImage* openImageFile(const wchar_t* path) {
    if (!path) return nullptr;
    file::win::PathWin* p = file::win::PathWin::fromString(path);
    if (!p) return nullptr;
    IEncodedImage* codec = openImageFile(p);
    p->release();
    return codec;
}

}  // namespace s::image
