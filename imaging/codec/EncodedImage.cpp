#include "imaging/codec/EncodedImage.h"

#include "foundation/col/Array.h"
#include "foundation/io/Stream.h"
#include "imaging/image/BufferedImageSet.h"
#include "platform/archive/DllArchive.h"
#include "platform/file/FileStream.h"
#include "platform/file/PathWin.h"

namespace s::image {

bool IEncodedImage::save(file::win::PathWin* path) {
    if (!path || !path->isValid()) return false;
    file::win::FileOutputStream* out = file::win::FileOutputStream::create();
    if (!out) return false;
    bool ok = out->openSafe(path->getFullPath()) && write(out);
    if (ok)
        ok = out->commit();
    else
        out->abort();
    out->release();
    return ok;
}

bool IEncodedImage::save(const wchar_t* path) {
    if (!path) return false;
    file::win::PathWin* p = file::win::PathWin::fromString(path);
    if (!p) return false;
    bool ok = save(p);
    p->release();
    return ok;
}

bool IEncodedImage::load(file::win::PathWin* path) {
    if (!path || !path->exists() || !path->isFile()) return false;
    io::IInputStream* in = path->openInput();
    if (!in) return false;
    bool ok = read(in);
    in->dispose();
    return ok;
}

bool IEncodedImage::load(const wchar_t* path) {
    if (!path) return false;
    file::win::PathWin* p = file::win::PathWin::fromString(path);
    if (!p) return false;
    bool ok = load(p);
    p->release();
    return ok;
}

IEncodedImage* IEncodedImage::newEncoderForSet(win::BufferedImageSet* set) {
    win::BufferedImage* main = set ? set->getMainFrame() : nullptr;
    return main ? newEncoderFor(main) : nullptr;
}

bool IEncodedImage::findFrame(int, int, int, int* index) const {
    if (index) *index = 0;
    return true;
}

bool IEncodedImage::findBestFrameByDepth(int, int, int, int* index) const {
    if (index) *index = 0;
    return true;
}

bool IEncodedImage::findBestFrameBySize(int, int, int, int* index) const {
    if (index) *index = 0;
    return true;
}

bool readResourceImage(IEncodedImage* codec, archive::dll::win::Archive* archive, const wchar_t* typeName,
                       uint32_t id) {
    if (!codec || !archive) return false;
    col::_array::ArrayU08* bytes = archive->readResource(typeName, id);
    if (!bytes) return false;
    io::IInputStream* in = bytes;
    in->rewind();
    bool ok = codec->read(in);
    bytes->release();
    return ok;
}

}  // namespace s::image
