// A picture file read on a thread of its own while the caller goes on with other work
// (the viewer builds its window while the picture it was started with is decoded).
//
//   BackgroundLoad load;
//   load.start(path);                 // returns at once
//   ... build the window ...
//   BufferedImageSet* set = nullptr;
//   if (!load.take(path, &set)) set = loadImageFile(path);  // another path: read it now
//
// The set is handed over once; a load never taken is released when the object goes.
#pragma once

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

    // Starts reading the file (as loadImageFile does); a load still held is dropped first.
    void start(const wchar_t* path);
    // True when a load of exactly this path was started and not yet taken: waits for it
    // and hands its set over (null when the file did not read). False otherwise, with
    // nothing handed over and the load kept.
    bool take(const wchar_t* path, win::BufferedImageSet** set);
    bool isPending() const { return pending_; }

private:
    void drop();

    std::thread thread_;
    std::wstring path_;
    win::BufferedImageSet* set_ = nullptr;
    bool pending_ = false;
};

}  // namespace s::image
