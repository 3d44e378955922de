#include "imaging/exchange/BackgroundLoad.h"

#include "imaging/exchange/PictureUtils.h"
#include "imaging/image/BufferedImageSet.h"

namespace s::image {

BackgroundLoad::~BackgroundLoad() { drop(); }

void BackgroundLoad::start(const wchar_t* path) {
    drop();
    if (!path || !*path) return;
    path_ = path;
    pending_ = true;
    // The thread writes set_ only; the owner reads it after the join.
    thread_ = std::thread([this, file = path_] { set_ = loadImageFile(file.c_str()); });
}

bool BackgroundLoad::take(const wchar_t* path, win::BufferedImageSet** set) {
    if (!pending_ || !path || path_ != path) return false;
    if (thread_.joinable()) thread_.join();
    if (set) {
        *set = set_;
    } else if (set_) {
        set_->release();
    }
    set_ = nullptr;
    pending_ = false;
    path_.clear();
    return true;
}

void BackgroundLoad::drop() {
    if (thread_.joinable()) thread_.join();
    if (set_) set_->release();
    set_ = nullptr;
    pending_ = false;
    path_.clear();
}

}  // namespace s::image
