// The "Version Information" window: the program's title, icon, built-in picture,
// version, release date and web address, shown over the viewer window, which stays in
// its modal state until the About window closes.
//
//   AboutWindow* about = AboutWindow::createFor(viewerRecord);  // once; keeps its record
//   about->show(viewerWindow);                                   // a new window each time
//   delete about;                                                // closes it, releases the record
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/events/IEventListener.h"

namespace s::app {
class IAppWindow;
}
namespace s::app::win {
class AppWindow;
}
namespace s::gui {
class IWindow;
}
namespace s::gui::win {
class Window;
class Box;
class Label;
class Button;
}  // namespace s::gui::win

namespace s::image::gui::dialogs::imageview {

class AboutWindow final : public s::gui::events::IEventListener {
public:
    // Text ids of the window (the program's own are the text base id + 0, 10, 20).
    static constexpr int32_t kVersionLabelId = 400010, kUpdatedLabelId = 400020, kUrlLabelId = 400080;
    static constexpr int32_t kTitleId = 400100, kCloseId = 400120, kWebAddressId = 101000;
    static constexpr int32_t kWidth = 340, kHeight = 285;

    // The "AboutWindow" record (its own "ThinWindow" skinner, keep-on-top, middle-click
    // "Close") on the viewer record's application base.
    static AboutWindow* createFor(s::app::IAppWindow* viewerRecord);
    ~AboutWindow() override;
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    // Closes a window still up, builds a new one and shows it; the owner goes modal.
    void show(s::gui::IWindow* owner);
    // The window's close ends the owner's modal state; a click on the address opens it.
    void onEvent(base::IObject* source, int32_t code) override;

    // For tests and the viewer: what is up now (null before the first show).
    s::gui::win::Window* window() const { return window_; }
    s::gui::win::Label* webAddressLabel() const { return webAddress_; }
    // Title, program title, then each row's name and value.
    const std::vector<s::gui::win::Label*>& labels() const { return labels_; }
    s::gui::win::Button* closeButton() const { return close_; }
    s::gui::win::Button* titleCloseButton() const { return titleClose_; }
    s::app::win::AppWindow* record() const { return record_; }

private:
    AboutWindow() = default;
    std::wstring text(int32_t id) const;
    void build();
    void fitToContents();

    s::app::win::AppWindow* record_ = nullptr;
    s::gui::IWindow* owner_ = nullptr;
    s::gui::win::Window* window_ = nullptr;
    s::gui::win::Box* column_ = nullptr;
    s::gui::win::Label* webAddress_ = nullptr;
    std::vector<s::gui::win::Label*> labels_;
    s::gui::win::Button* close_ = nullptr;
    s::gui::win::Button* titleClose_ = nullptr;
    int32_t scale_ = 1;
};

}  // namespace s::image::gui::dialogs::imageview
