// A picture file read on a thread of its own while the caller goes on with other work
// (the viewer builds its window while the picture it was started with is decoded).
//
//   BackgroundLoad load;
//   load.start(path, 1920, 1080);     // returns at once
//   ... build the window ...
//   BufferedImageSet* set = nullptr;
//   if (load.takePreview(path, &set)) { show the quick smaller copy; later take(path) }
//   else if (!load.take(path, &set)) set = loadImageFile(path);  // another path: read it now
//
// Asked for a preview of at least a size, a JPEG large enough is first decoded at a
// reduced scale (Jpeg::toReducedImage), which takes a fraction of the full decode; the
// full picture follows on the same thread from the same file bytes. Each set is handed
// over once; whatever is never taken is released when the object goes.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace s::image::win {
class BufferedImageSet;
}

namespace s::image {

class BackgroundLoad {
public:
    BackgroundLoad() = default;
    ~BackgroundLoad();
    BackgroundLoad(const BackgroundLoad&) = delete;
    BackgroundLoad& operator=(const BackgroundLoad&) = delete;

    // Starts reading the file (as loadImageFile does), with a preview first when
    // previewMinWidth x previewMinHeight (both above 0) allows one; a load still held is
    // dropped first.
    void start(const wchar_t* path, int previewMinWidth = 0, int previewMinHeight = 0);
    // True when a load of exactly this path was started and its full picture not yet
    // taken: waits for it and hands its set over (null when the file did not read).
    // False otherwise, with nothing handed over and the load kept.
    bool take(const wchar_t* path, win::BufferedImageSet** set);
    // True when the load of this path made a preview not yet taken: hands it over (the
    // full picture stays to be taken). Waits only until the thread knows whether there
    // is one; false when there is none.
    bool takePreview(const wchar_t* path, win::BufferedImageSet** set);
    // Gives the load up without waiting for it: nothing of it is handed over any more, and
    // what its thread makes is released as soon as it is made (the thread itself is
    // joined by the next start or at the end).
    void discard();
    // The path of a load whose full picture is still to be taken (empty when none).
    std::wstring pendingPath() const { return pending_ ? path_ : std::wstring(); }
    bool isPending() const { return pending_; }

private:
    void run(std::wstring path, int previewW, int previewH);
    // From the thread: puts what it made in its slot (or releases it when the load was
    // given up) and wakes a waiting taker.
    void handOver(win::BufferedImageSet* set, win::BufferedImageSet** slot, bool* done);
    void drop();

    std::thread thread_;
    std::wstring path_;
    bool pending_ = false;
    // Written by the thread under the lock.
    mutable std::mutex lock_;
    std::condition_variable changed_;
    bool previewDecided_ = false;  // the preview is in, or there will be none
    bool fullDone_ = false;
    bool discarded_ = false;
    win::BufferedImageSet* preview_ = nullptr;
    win::BufferedImageSet* full_ = nullptr;
};

}  // namespace s::image
