#include "viewer/worker/BatchConverter.h"

#include <windows.h>

#include <cwctype>

#include "foundation/col/Array.h"
#include "imaging/codec/EncodedImage.h"
#include "imaging/codec/ImageFactory.h"
#include "imaging/filters/Filter.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"
#include "imaging/settings/EncodeSetting.h"
#include "foundation/thread/Thread.h"
#include "platform/file/PathWin.h"
#include "viewer/effects/EffectData.h"

namespace s::image::gui::dialogs::imageview {

namespace {

using file::win::PathWin;
using image::win::BufferedImageSet;

// The output formats in the order of ConvertJob's settings; -1 for another text.
int32_t formatIndex(const wchar_t* f) {
    if (!f) return -1;
    if (!_wcsicmp(f, L"jpg") || !_wcsicmp(f, L"jpeg")) return 0;
    if (!_wcsicmp(f, L"gif")) return 1;
    if (!_wcsicmp(f, L"png")) return 2;
    if (!_wcsicmp(f, L"bmp")) return 3;
    if (!_wcsicmp(f, L"ico") || !_wcsicmp(f, L"icon")) return 4;
    return -1;
}
const wchar_t* const kFormatTexts[5] = {L"jpg", L"gif", L"png", L"bmp", L"ico"};

// The extensions a file must have to be converted.
bool isConvertedExtension(const wchar_t* ext) {
    static const wchar_t* const kExtensions[] = {L"bmp", L"gif", L"jpg", L"jpeg", L"png", L"ico"};
    for (const wchar_t* e : kExtensions)
        if (ext && !_wcsicmp(ext, e)) return true;
    return false;
}

// The background of an output without transparency, by the set's background type.
void opaqueBackground(int32_t bgType, int32_t custom, image::EncodeSettingBase* setting) {
    int32_t r = 255, g = 255, b = 255;
    if (bgType == 1) {
        r = g = b = 204;
    } else if (bgType == 2) {
        r = g = b = 0;
    } else if (bgType == 3) {
        r = custom & 0xFF;
        g = (custom >> 8) & 0xFF;
        b = (custom >> 16) & 0xFF;
    }
    setting->backRed = r;
    setting->backGreen = g;
    setting->backBlue = b;
}

template <class Setting>
Setting* withKeep(Setting* setting, bool** keep) {
    *keep = &setting->keepTransparency;
    return setting;
}

// The set for a "specific size" run: the scale into the box, then the sharpening.
EffectData* sizingSet(int32_t width, int32_t height, int32_t sizeType, bool autoSharpen) {
    EffectData* set = EffectData::create();
    set->sizingAdded = true;
    set->widthInPixels = set->heightInPixels = true;
    set->widthPixels = clampConvertSide(width);
    set->heightPixels = clampConvertSide(height);
    set->keepRatio = sizeType != 0;
    set->sizingType = sizeType;
    set->filterOrder.addText(filtername::kScale);
    set->filterOrder.addText(filtername::kSharpness);
    if (autoSharpen) set->sharpness = 70;
    set->bgType = 4;
    set->bgCustomColor = 0xFFFFFF;
    return set;
}

// Everything one file holds while it is converted, given back in any case.
struct FileWork {
    PathWin* source = nullptr;
    IEncodedImage* codec = nullptr;
    BufferedImageSet* set = nullptr;
    IEncodedImage* encoder = nullptr;
    PathWin* output = nullptr;

    ~FileWork() {
        if (output) output->release();
        if (encoder) encoder->release();
        if (set) {
            // The filters belong to the run's chain, not to the frames.
            for (int i = 0; i < set->getFrameCount(); ++i) set->getFrame(i)->detachFilters();
            set->release();
        }
        if (codec) codec->release();
        if (source) source->release();
    }
};

}  // namespace

int32_t clampConvertSide(int32_t value) {
    if (value < 1) return 1;
    return value > kMaxConvertSide ? kMaxConvertSide : value;
}

std::wstring safeFileNamePart(const wchar_t* text) {
    std::wstring out = text ? text : L"";
    for (wchar_t& c : out)
        if (c < 32 || wcschr(L"\\/:*?\"<>|", c)) c = L'_';
    return out;
}

IEncodeSetting* encodeSettingFor(const wchar_t* format, const EffectData* set, map::IMappedData* store) {
    static const wchar_t* const kSections[5] = {L"ConvertTo\\Jpg", L"ConvertTo\\Gif", L"ConvertTo\\Png",
                                                L"ConvertTo\\Bmp", L"ConvertTo\\Ico"};
    const int32_t index = formatIndex(format);
    if (index < 0) return nullptr;
    image::EncodeSettingBase* setting = nullptr;
    bool* keep = nullptr;  // the keep-transparency flag of a format that has one
    if (index == 0) {
        setting = image::jpg::EncodeSetting::create();
    } else if (index == 1) {
        setting = withKeep(image::gif::EncodeSetting::create(), &keep);
    } else if (index == 2) {
        setting = withKeep(image::png::EncodeSetting::create(), &keep);
    } else if (index == 3) {
        setting = withKeep(image::bmp::EncodeSetting::create(), &keep);
    } else {
        setting = withKeep(image::ico::EncodeSetting::create(), &keep);
    }
    const wchar_t* section = kSections[index];
    if (store) setting->bind(section, store);
    const int32_t bgType = set ? set->bgType : 0;
    const int32_t custom = set ? set->bgCustomColor : 0xFFFFFF;
    if (keep && (bgType == 4 || bgType == 5)) {
        *keep = true;
    } else {
        if (keep) *keep = false;
        opaqueBackground(bgType, custom, setting);
    }
    return setting;
}

// ---- ConvertJob

ConvertJob::ConvertJob(const ConvertRequest& request)
    : type_(request.type), format_(request.format), files_(request.files), outputFolder_(request.outputFolder) {
    if (type_ == kConvertSpecificSize) {
        set_ = sizingSet(request.width, request.height, request.sizeType, request.autoSharpen);
    } else if (type_ == kConvertFilterSet && request.filterSet) {
        set_ = request.filterSet->copy();
        set_->widthPixels = clampConvertSide(set_->widthPixels);
        set_->heightPixels = clampConvertSide(set_->heightPixels);
    } else {
        set_ = EffectData::create();
        set_->bgType = 4;
        set_->bgCustomColor = 0xFFFFFF;
    }
    const int32_t only = format_ == kSameFormat ? -1 : formatIndex(format_.c_str());
    for (int32_t i = 0; i < 5; ++i)
        if (only < 0 || i == only) settings_[i] = encodeSettingFor(kFormatTexts[i], set_, request.store);
}

ConvertJob::~ConvertJob() {
    for (IEncodeSetting* s : settings_)
        if (s) static_cast<image::EncodeSettingBase*>(s)->release();
    if (set_) set_->release();
}

IEncodeSetting* ConvertJob::settingFor(const wchar_t* format) const {
    const int32_t i = formatIndex(format);
    return i < 0 ? nullptr : settings_[i];
}

ConvertSummary ConvertJob::convert(IConvertListener* listener, const std::atomic<bool>* stop) {
    ConvertSummary summary;
    summary.total = int32_t(files_.size());
    listener->convertStarted(summary.total);
    col::_array::ArrayP* chain = set_->buildChain();
    std::wstring folder = outputFolder_;
    std::wstring suffix;
    if (type_ == kConvertFilterSet) suffix = L" - " + safeFileNamePart(set_->name->text());

    for (size_t i = 0; i < files_.size(); ++i) {
        if ((stop && stop->load()) || thread::win::Thread::stopRequested()) {
            summary.stopped = true;
            break;
        }
        const int32_t index = int32_t(i) + 1;
        FileWork work;
        work.source = PathWin::fromString(files_[i].c_str());
        listener->fileStarted(summary.total, index, work.source->getFileNameText());
        ++summary.attempted;
        auto finish = [&](FileOutcome outcome) {
            if (outcome == FileOutcome::Converted)
                ++summary.converted;
            else if (outcome == FileOutcome::WriteFailed)
                ++summary.failed;
            else
                ++summary.skipped;
            listener->fileFinished(index, outcome, work.output ? work.output->getFullPath() : L"");
        };

        const std::wstring ext = work.source->getExtensionNoDotText();
        if (!work.source->exists() || !work.source->isFile() || !isConvertedExtension(ext.c_str())) {
            finish(FileOutcome::NotAPictureFile);
            continue;
        }
        if (folder.empty()) folder = work.source->getDirectoryNoSlashText();

        work.codec = openImageFile(work.source);
        if (work.codec) work.set = work.codec->toImageSet();
        if (!work.set || work.set->getFrameCount() == 0) {
            finish(FileOutcome::Unreadable);
            continue;
        }
        if (work.set->isAnimated()) {
            BufferedImageSet* whole = work.set->coalesce();
            work.set->release();
            work.set = whole;
        }

        const std::wstring format = format_ == kSameFormat ? ext : format_;
        IEncodeSetting* setting = settingFor(format.c_str());
        if (!setting) {
            finish(FileOutcome::NoEncoder);
            continue;
        }
        for (int f = 0; f < work.set->getFrameCount(); ++f)
            for (uint32_t k = 0; k < chain->count(); ++k)
                work.set->getFrame(f)->addFilter(chain->at<filters::IFilter>(k));
        // The encoder runs each frame's filters itself; the main frame of several is
        // picked by the filtered sizes first. A single frame is the main one anyway, and
        // filtering it here as well would scale every picture twice.
        if (work.set->getFrameCount() > 1) work.set->updateMainSize();
        work.encoder = setting->makeEncoderForSet(work.set);
        if (!work.encoder) {
            finish(FileOutcome::NoEncoder);
            continue;
        }

        std::wstring name = folder + L"\\" + work.source->getTitleText();
        if (type_ == kConvertFilterSet)
            name += suffix;
        else if (type_ == kConvertSpecificSize)
            name += L" (" + std::to_wstring(work.encoder->getWidth()) + L"x" +
                    std::to_wstring(work.encoder->getHeight()) + L")";
        name += L"." + format;
        work.output = PathWin::fromString(name.c_str());
        if (work.output->exists()) {
            PathWin* free = work.output->nextFreeNumbered();
            work.output->release();
            work.output = free;
        }
        finish(work.encoder->save(work.output) ? FileOutcome::Converted : FileOutcome::WriteFailed);
    }

    chain->release();
    listener->convertEnded(summary);
    return summary;
}

}  // namespace s::image::gui::dialogs::imageview
