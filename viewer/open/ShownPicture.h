// The viewer's picture on view and where it came from: the part of the viewer's state that
// opening a picture replaces as a whole, and closing it empties.
//
//   ShownPicture shown;
//   if (opener.openFile(L"Z:\\pics\\a.png", &shown)) view->setImageSet(shown.takeSet());
//   if (shown.isFromFile()) recycle(shown.getFile());   // never a pasted picture's name
#pragma once

#include <string>

namespace s::file::win {
class PathWin;
}
namespace s::image::win {
class BufferedImageSet;
}

namespace s::image::gui::dialogs::imageview {

// Where a shown picture came from.
enum class PictureSource { None, File, Clipboard, Capture };

class ShownPicture {
public:
    ShownPicture() = default;
    ~ShownPicture();
    ShownPicture(const ShownPicture&) = delete;
    ShownPicture& operator=(const ShownPicture&) = delete;

    // A picture is on view (a file, a paste or a capture was opened and not closed).
    bool isShown() const { return source_ != PictureSource::None; }
    PictureSource getSource() const { return source_; }
    // The picture was read from the file getFile() names. Only then may the file be acted
    // on (deleted, located, its properties shown): a pasted or captured picture has a
    // made-up name in the last folder, and a real file of that name is someone else's.
    bool isFromFile() const { return source_ == PictureSource::File; }

    // The shown picture's name as a path (the file, or the name made up for a paste or a
    // capture); null when nothing is shown. Kept by this record.
    file::win::PathWin* getFile() const { return file_; }
    // The file when the picture came from one, else null.
    file::win::PathWin* getSourceFile() const { return isFromFile() ? file_ : nullptr; }
    // The folder of the last opened picture; it outlives close(). Kept by this record.
    file::win::PathWin* getFolder() const { return folder_; }
    // The file-name part of the name, for the title ("a.png", "From Clipboard.bmp").
    const std::wstring& getName() const { return name_; }

    // The frames as opened, until the view takes them; kept by this record until then.
    image::win::BufferedImageSet* getSet() const { return set_; }
    // Hands the frames over (the caller releases them from now on).
    image::win::BufferedImageSet* takeSet();

    // Back to the empty state: the picture and its name released, the folder kept.
    void close();

    // Takes over everything of other (which becomes empty, without a folder), releasing
    // what this record held.
    void replaceWith(ShownPicture& other);

    // Sets the record at once: takes over set, file and folder (any may be null).
    void assign(PictureSource source, image::win::BufferedImageSet* set, file::win::PathWin* file,
                file::win::PathWin* folder);

private:
    PictureSource source_ = PictureSource::None;
    image::win::BufferedImageSet* set_ = nullptr;
    file::win::PathWin* file_ = nullptr;
    file::win::PathWin* folder_ = nullptr;
    std::wstring name_;
};

}  // namespace s::image::gui::dialogs::imageview
