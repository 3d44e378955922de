#include "imaging/exchange/BackgroundLoad.h"

#include "imaging/codec/ImageFactory.h"
#include "imaging/codec/Jpeg.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"

namespace s::image {

BackgroundLoad::~BackgroundLoad() { drop(); }

void BackgroundLoad::start(const wchar_t* path, int previewMinWidth, int previewMinHeight) {
    drop();
    if (!path || !*path) return;
    path_ = path;
    pending_ = true;
    thread_ = std::thread(&BackgroundLoad::run, this, path_, previewMinWidth, previewMinHeight);
}

void BackgroundLoad::run(std::wstring path, int previewW, int previewH) {
    IEncodedImage* codec = openImageFile(path.c_str());
    win::BufferedImageSet* preview = nullptr;
    if (codec && previewW > 0 && previewH > 0) {
        if (auto* jpeg = dynamic_cast<jpg::win::Jpeg*>(codec)) {
            if (win::BufferedImage* small = jpeg->toReducedImage(previewW, previewH)) {
                preview = win::BufferedImageSet::fromImage(small);
                if (!preview) small->release();
            }
        }
    }
    handOver(preview, &preview_, &previewDecided_);
    win::BufferedImageSet* full = codec ? codec->toImageSet() : nullptr;
    if (codec) codec->release();
    handOver(full, &full_, &fullDone_);
}

void BackgroundLoad::handOver(win::BufferedImageSet* set, win::BufferedImageSet** slot, bool* done) {
    {
        std::lock_guard<std::mutex> hold(lock_);
        // A load given up keeps nothing.
        if (discarded_ && set) {
            set->release();
            set = nullptr;
        }
        *slot = set;
        *done = true;
    }
    changed_.notify_all();
}

bool BackgroundLoad::takePreview(const wchar_t* path, win::BufferedImageSet** set) {
    if (!pending_ || !path || path_ != path) return false;
    std::unique_lock<std::mutex> hold(lock_);
    changed_.wait(hold, [this] { return previewDecided_; });
    if (!preview_) return false;
    if (set) {
        *set = preview_;
    } else {
        preview_->release();
    }
    preview_ = nullptr;
    return true;
}

bool BackgroundLoad::take(const wchar_t* path, win::BufferedImageSet** set) {
    if (!pending_ || !path || path_ != path) return false;
    if (thread_.joinable()) thread_.join();
    if (set) {
        *set = full_;
    } else if (full_) {
        full_->release();
    }
    full_ = nullptr;
    drop();
    return true;
}

void BackgroundLoad::discard() {
    if (!pending_) return;
    pending_ = false;
    std::lock_guard<std::mutex> hold(lock_);
    discarded_ = true;
    if (preview_) preview_->release();
    if (full_) full_->release();
    preview_ = full_ = nullptr;
}

void BackgroundLoad::drop() {
    if (thread_.joinable()) thread_.join();
    if (preview_) preview_->release();
    if (full_) full_->release();
    preview_ = full_ = nullptr;
    previewDecided_ = fullDone_ = discarded_ = false;
    pending_ = false;
    path_.clear();
}

}  // namespace s::image
