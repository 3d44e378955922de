#include "viewer/open/FolderBrowser.h"

#include <cwchar>
#include <utility>

#include "platform/file/PathArray.h"
#include "platform/file/PathWin.h"

namespace s::image::gui::dialogs::imageview {

using file::win::PathArray;
using file::win::PathWin;

namespace {

// ".gif" once: the list is only ever searched.
constexpr const wchar_t* kBrowsable[] = {L".bmp", L".jpg", L".jpeg", L".gif", L".png", L".ico"};

bool samePath(const wchar_t* a, const wchar_t* b) { return _wcsicmp(a, b) == 0; }

}  // namespace

FolderBrowser::FolderBrowser(Opener open) : open_(std::move(open)) {}

bool FolderBrowser::isBrowsable(const wchar_t* name) {
    if (!name) return false;
    const size_t length = wcslen(name);
    for (const wchar_t* extension : kBrowsable) {
        const size_t n = wcslen(extension);
        if (length >= n && _wcsicmp(name + length - n, extension) == 0) return true;
    }
    return false;
}

PathArray* FolderBrowser::listPictures(PathWin* folder) {
    PathArray* list = folder->collectFiles(false, false, nullptr);
    for (int32_t i = list->getCount(); i-- > 0;)
        if (!isBrowsable(list->get(i)->getFileNameText())) list->removeAndRelease(i);
    list->sortByPath();
    return list;
}

BrowseResult FolderBrowser::next(PathWin* shown, bool wrap) { return walk(shown, true, wrap, false); }

BrowseResult FolderBrowser::previous(PathWin* shown) { return walk(shown, false, true, false); }

BrowseResult FolderBrowser::first(PathWin* shown) { return walk(shown, true, false, true); }

BrowseResult FolderBrowser::last(PathWin* shown) { return walk(shown, false, false, true); }

void FolderBrowser::forgetResume() {
    resumeShown_.clear();
    resumeAfter_.clear();
}

BrowseResult FolderBrowser::walk(PathWin* shown, bool forward, bool wrap, bool fromEnd) {
    if (!shown || !*shown->getFullPath()) return BrowseResult::NoFile;
    // The opener replaces the shown picture's record: keep the text, not the path.
    const std::wstring shownText = shown->getFullPath();
    PathWin* folder = shown->getParent();
    PathArray* list = listPictures(folder);
    folder->release();

    const int32_t count = list->getCount();
    int32_t reference = 0;
    BrowseResult result = BrowseResult::GaveUp;
    if (fromEnd) {
        reference = forward ? -1 : count;
        if (count < 1) result = BrowseResult::NoCandidate;
    } else {
        if (!list->indexOfPath(shown, &reference)) {
            // A shown file that is not listed (deleted meanwhile, or the made-up name of a
            // pasted picture) is placed where its name would sort: the step goes to the
            // picture after (before) that place, not to one counted from the list's start.
            int32_t place = 0;
            while (place < count && _wcsicmp(list->get(place)->getFullPath(), shownText.c_str()) < 0) ++place;
            reference = forward ? place - 1 : place;
        }
        int32_t resumed = 0;
        if (!resumeShown_.empty() && resumeForward_ == forward && samePath(resumeShown_.c_str(), shownText.c_str()) &&
            list->containsText(resumeAfter_.c_str(), &resumed))
            reference = resumed;
        if (count < 2) result = BrowseResult::NoCandidate;
    }
    forgetResume();

    for (int32_t tries = 0; result == BrowseResult::GaveUp && tries < kMaxTries; ++tries) {
        int32_t i = reference + (forward ? 1 : -1);
        if (i >= count || i < 0) {
            if (!wrap) {
                result = BrowseResult::NoCandidate;
                break;
            }
            i = i < 0 ? count - 1 : 0;
        }
        PathWin* candidate = list->get(i);
        if (samePath(candidate->getFullPath(), shownText.c_str())) {
            result = BrowseResult::BackAtShown;
        } else if (open_(candidate)) {
            result = BrowseResult::Opened;
        } else {
            reference = i;
        }
    }
    if (result == BrowseResult::GaveUp) {
        resumeShown_ = shownText;
        resumeAfter_ = list->get(reference)->getFullPath();
        resumeForward_ = forward;
    }
    list->release();
    return result;
}

}  // namespace s::image::gui::dialogs::imageview
