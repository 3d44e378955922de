// Stepping through the picture files of the shown picture's folder: next, previous,
// first and last, in the viewer's order (file names ignoring case), passing over files
// that do not open.
//
//   FolderBrowser browser([&](PathWin* file) { return dialog.openImage(file); });
//   BrowseResult r = browser.next(shown.getFile(), /*wrap=*/true);
//   if (r == BrowseResult::Opened) ...
//
// A shown file missing from the list (deleted meanwhile, or the made-up name of a pasted
// picture, which lies in the last folder) is stepped from the place its name sorts to.
//
// A walk tries at most kMaxTries candidates. When that many in a row fail to open, the
// walk gives up (BrowseResult::GaveUp) with the old picture still on view, and remembers
// where it stopped: the next step in the same direction from the same shown file goes on
// after the files already tried, so a slide show passes a long run of damaged files a
// dozen at a time instead of trying the same dozen for ever.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace s::file::win {
class PathWin;
class PathArray;
}  // namespace s::file::win

namespace s::image::gui::dialogs::imageview {

enum class BrowseResult {
    Opened,       // a file was opened
    NoFile,       // no file is shown: there is no folder to browse
    NoCandidate,  // no file to go to (fewer than two pictures, or the end without wrapping)
    BackAtShown,  // the walk came round to the shown file: nothing else opens
    GaveUp,       // kMaxTries files in a row failed to open
};

class FolderBrowser {
public:
    // Opens the file (taking nothing over); true when it is now the shown picture.
    using Opener = std::function<bool(file::win::PathWin* file)>;

    // Candidates one walk tries before it gives up.
    static constexpr int32_t kMaxTries = 12;

    explicit FolderBrowser(Opener open);

    // The next picture after the shown one; past the last, the first when wrap is set.
    BrowseResult next(file::win::PathWin* shown, bool wrap);
    // The picture before the shown one; before the first, the last.
    BrowseResult previous(file::win::PathWin* shown);
    // The first (last) picture of the folder, or the first one after (before) it that
    // opens; BackAtShown when that is the shown picture.
    BrowseResult first(file::win::PathWin* shown);
    BrowseResult last(file::win::PathWin* shown);

    // What a slide show does after a step: it goes on after an opened file and after a
    // walk that gave up (it resumes past the failed files), and stops otherwise.
    static bool slideShowGoesOn(BrowseResult result) {
        return result == BrowseResult::Opened || result == BrowseResult::GaveUp;
    }

    // The picture files of the folder in browsing order: files (not folders, not hidden
    // unless Explorer shows them) with a browsable extension, sorted by name ignoring
    // case. A new list the caller releases.
    static file::win::PathArray* listPictures(file::win::PathWin* folder);
    // The name ends with one of ".bmp", ".jpg", ".jpeg", ".gif", ".png", ".ico" (any case).
    static bool isBrowsable(const wchar_t* name);

private:
    // start: the index the walk begins from (the reference), or -1 for "before the
    // first" (forward) / "after the last" (backward) so that the first candidate is the
    // list's end itself.
    BrowseResult walk(file::win::PathWin* shown, bool forward, bool wrap, bool fromEnd);
    void forgetResume();

    Opener open_;
    // Where the last walk that gave up stopped, for the next step from the same file.
    std::wstring resumeShown_;
    std::wstring resumeAfter_;
    bool resumeForward_ = true;
};

}  // namespace s::image::gui::dialogs::imageview
