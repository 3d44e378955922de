#include "viewer/open/ShownPicture.h"

#include "imaging/image/BufferedImageSet.h"
#include "platform/file/PathWin.h"

namespace s::image::gui::dialogs::imageview {

namespace {

template <typename T>
void drop(T*& object) {
    if (object) object->release();
    object = nullptr;
}

}  // namespace

ShownPicture::~ShownPicture() {
    close();
    drop(folder_);
}

image::win::BufferedImageSet* ShownPicture::takeSet() {
    image::win::BufferedImageSet* set = set_;
    set_ = nullptr;
    return set;
}

void ShownPicture::close() {
    drop(set_);
    drop(file_);
    name_.clear();
    source_ = PictureSource::None;
}

void ShownPicture::replaceWith(ShownPicture& other) {
    if (&other == this) return;
    assign(other.source_, other.set_, other.file_, other.folder_);
    other.set_ = nullptr;
    other.file_ = nullptr;
    other.folder_ = nullptr;
    other.name_.clear();
    other.source_ = PictureSource::None;
}

void ShownPicture::assign(PictureSource source, image::win::BufferedImageSet* set, file::win::PathWin* file,
                          file::win::PathWin* folder) {
    if (set_ != set) drop(set_);
    if (file_ != file) drop(file_);
    if (folder_ != folder) drop(folder_);
    source_ = source;
    set_ = set;
    file_ = file;
    folder_ = folder;
    name_ = file ? file->getFileNameText() : L"";
}

}  // namespace s::image::gui::dialogs::imageview
