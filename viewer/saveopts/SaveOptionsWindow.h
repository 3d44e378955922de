// The save options of one format in a small window over the viewer window, asked before
// a picture is saved. The viewer window stays in its modal state while it is up.
//
//   if (!askSaveOptions(viewerWindow, setting, localizer)) return;  // cancelled: nothing saved
//   ...                                                             // save with the setting
//
// askSaveOptions runs on the owner's thread and handles that thread's messages while it
// waits. The steps apart, for callers (and tests) that act on the window while it is up:
//
//   SaveOptionsWindow asker(owner, setting, localizer);
//   if (asker.open()) taken = asker.waitForAnswer();
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "foundation/events/IEventListener.h"

namespace s::lang {
class Localizer;
}
namespace s::gui {
class IWindow;
class IComponent;
}  // namespace s::gui
namespace s::gui::win {
class Box;
class Button;
class Window;
}  // namespace s::gui::win
namespace s::image {
class IEncodeSetting;
class EncodeSettingBase;
}  // namespace s::image

namespace s::image::gui::boxes {

// Shows the format's save options; true with the shown values read back into the setting
// (and saved to its store) when the user takes them, false on Cancel or a close, the
// setting untouched. False at once for a setting that has no options panel.
bool askSaveOptions(::s::gui::IWindow* owner, IEncodeSetting* setting, lang::Localizer* localizer);

class SaveOptionsWindow final : public ::s::gui::events::IEventListener {
public:
    // Language-pack ids of the window's texts: the title ("Save..." without its dots) and
    // the button that takes the values ("Save"). Without them: "Save Options", "OK".
    static constexpr int32_t kTitleId = 1990004100;
    static constexpr int32_t kOkId = 1990004852;
    static constexpr int32_t kWidth = 300;

    SaveOptionsWindow(::s::gui::IWindow* owner, IEncodeSetting* setting, lang::Localizer* localizer);
    ~SaveOptionsWindow() override;
    SaveOptionsWindow(const SaveOptionsWindow&) = delete;
    SaveOptionsWindow& operator=(const SaveOptionsWindow&) = delete;

    // Builds and shows the window with the setting's panel and puts the owner in its modal
    // state; false (nothing shown, the owner as it was) when no panel could be made.
    bool open();
    // Waits, handling the calling thread's messages, for OK, Cancel or a close; on OK the
    // panel's values go into the setting. The owner leaves its modal state and the window
    // goes. False when nothing is open.
    bool waitForAnswer();

    // The buttons' actions and the window's close (on the window's thread).
    void onEvent(base::IObject* source, int32_t code) override;

    ::s::gui::win::Window* window() const { return window_; }
    ::s::gui::win::Button* okButton() const { return ok_; }
    ::s::gui::win::Button* cancelButton() const { return cancel_; }

private:
    enum : int32_t { kPending = -1, kCancelled = 0, kTaken = 1 };
    std::wstring text(int32_t id, const wchar_t* fallback) const;
    void build(::s::gui::IComponent* panel);
    void place();
    void finish();

    ::s::gui::IWindow* owner_;
    EncodeSettingBase* setting_;
    lang::Localizer* localizer_;
    ::s::gui::win::Window* window_ = nullptr;
    ::s::gui::win::Box* column_ = nullptr;
    ::s::gui::win::Button* ok_ = nullptr;
    ::s::gui::win::Button* cancel_ = nullptr;
    bool modal_ = false;
    std::atomic<int32_t> answer_{kPending};
};

}  // namespace s::image::gui::boxes
