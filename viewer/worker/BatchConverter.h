// The batch conversion of dropped picture files: each file is read, run through a filter
// set and written in the chosen format next to the first file, on a worker thread. The
// run reads only its own copies: the filter set, the file list and the save options of
// every output format are copied when the run is queued (on the GUI thread), so the
// panels may change, save or delete sets while it runs. Progress and the outcome of each
// file go to a listener, called on the worker thread.
//
//   ConvertRequest request;                 // what the panels hold
//   request.files = {L"Z:\\a.png", L"Z:\\b.jpg"};
//   request.format = L"png";
//   request.store = settings;
//   worker.queueConversion(request);        // copies, then converts on the worker
//   worker.requestStop();                   // ends after the file in hand
// (ViewerWorker.h: the worker thread that runs it.)
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace s::map {
class IMappedData;
}
namespace s::image {
class IEncodeSetting;
}

namespace s::image::gui::dialogs::imageview {

class EffectData;

// The names of the worker's status events, as the viewer window receives them.
namespace workerstatus {
constexpr const wchar_t* kStartSlideShow = L"ProcessStatusStart_SlideShow";
constexpr const wchar_t* kGoNextSlideShow = L"SlideShowGoNext_SlideShow";
constexpr const wchar_t* kUpdateSlideShow = L"ProcessStatusUpdate_SlideShow";
constexpr const wchar_t* kEndSlideShow = L"ProcessStatusEnd_SlideShow";
constexpr const wchar_t* kStartConverting = L"ProcessStatusStart_Converting";
constexpr const wchar_t* kUpdateConverting = L"ProcessStatusUpdate_Converting";
constexpr const wchar_t* kEndConverting = L"ProcessStatusEnd_Converting";
}  // namespace workerstatus

// The format text that keeps each file's own format.
constexpr const wchar_t* kSameFormat = L"Same Format";

// The conversion modes of the panel.
enum : int32_t { kConvertFilterSet = 1, kConvertSpecificSize = 2, kConvertSpecificFormat = 3 };

// Largest width or height a "specific size" conversion makes; smaller than 1 is 1.
constexpr int32_t kMaxConvertSide = 10000;
int32_t clampConvertSide(int32_t value);

// The text with every character a file name cannot hold (\ / : * ? " < > | and control
// characters) replaced by "_".
std::wstring safeFileNamePart(const wchar_t* text);

// A new save-option setting of the format ("jpg"/"jpeg", "gif", "png", "bmp",
// "ico"/"icon", case ignored) bound to its "ConvertTo\..." section of the store and
// loaded, its background taken from the set's background type; null for another format.
// It reads the store: call it on the thread that owns the store.
IEncodeSetting* encodeSettingFor(const wchar_t* format, const EffectData* set, map::IMappedData* store);

// What a run is asked to do, as the panels hold it.
struct ConvertRequest {
    int32_t type = kConvertSpecificFormat;
    std::wstring format = kSameFormat;
    // Specific size: the box, the size type (0 stretches, else keeps the ratio) and the
    // automatic sharpening. Width and height are clamped by clampConvertSide.
    int32_t width = 200;
    int32_t height = 200;
    int32_t sizeType = 1;
    bool autoSharpen = true;
    // Filter-set mode: the set (copied when queued; not kept).
    const EffectData* filterSet = nullptr;
    // The files in drop order.
    std::vector<std::wstring> files;
    // The store the save options are read from when queued (not kept).
    map::IMappedData* store = nullptr;
    // Where the results go; empty: the folder of the first file of a known extension.
    std::wstring outputFolder;
};

// What became of one file.
enum class FileOutcome {
    Converted,
    NotAPictureFile,  // missing, a folder, or an extension that is not converted
    Unreadable,       // no known format, or it could not be decoded
    NoEncoder,        // the output format has no save options, or nothing could be encoded
    WriteFailed,      // the output file could not be written (nothing is left behind)
};

struct ConvertSummary {
    int32_t total = 0;      // files in the list
    int32_t attempted = 0;  // files taken in hand before the end or the stop
    int32_t converted = 0;
    int32_t skipped = 0;  // not a picture file, unreadable or no encoder
    int32_t failed = 0;   // write failures
    bool stopped = false;
};

// Receives a run's progress on the worker thread. The viewer sends each call on to its
// window as a status event, synchronously, so the arguments live only during the call.
class IConvertListener {
public:
    virtual ~IConvertListener() = default;
    virtual void convertStarted(int32_t count) = 0;
    // Before each file, whether or not it is then converted; index is 1-based, name is
    // the file's name with its extension and without its folder.
    virtual void fileStarted(int32_t count, int32_t index, const wchar_t* name) = 0;
    // After each file taken in hand; output is the path written (or tried), else empty.
    virtual void fileFinished(int32_t index, FileOutcome outcome, const wchar_t* output) = 0;
    virtual void convertEnded(const ConvertSummary& summary) = 0;
};

// A run's own copy of everything it reads. Made on the GUI thread.
class ConvertJob {
public:
    explicit ConvertJob(const ConvertRequest& request);
    ~ConvertJob();
    ConvertJob(const ConvertJob&) = delete;
    ConvertJob& operator=(const ConvertJob&) = delete;

    int32_t type() const { return type_; }
    const std::wstring& format() const { return format_; }
    const EffectData* filterSet() const { return set_; }
    const std::vector<std::wstring>& files() const { return files_; }
    const std::wstring& outputFolder() const { return outputFolder_; }
    // The copied save options of that output format; null for a format without any.
    IEncodeSetting* settingFor(const wchar_t* format) const;

    // Converts every file on the calling thread, stopping after the file in hand once
    // *stop is set (or the worker thread is asked to end).
    ConvertSummary convert(IConvertListener* listener, const std::atomic<bool>* stop);

private:
    int32_t type_;
    std::wstring format_;
    EffectData* set_ = nullptr;
    std::vector<std::wstring> files_;
    std::wstring outputFolder_;
    IEncodeSetting* settings_[5] = {};
};

}  // namespace s::image::gui::dialogs::imageview
