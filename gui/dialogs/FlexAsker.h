// The question window: a question, two answer buttons and a check box, in a window of
// its own that waits (the owner held disabled) until the user answers.
//
//   FlexAsker* asker = FlexAsker::createWithWindow(appWindow);
//   asker->show(ownerHwnd, L"Update", L"A new version is out. Download it?");
//   if (asker->getAnswer()) download();
//   if (asker->isChecked()) stopAsking();
//   asker->release();
//
// Keys: Tab moves the default from one button to the other, Enter answers with the
// default button, Escape closes (answer false). Texts come from the application
// window's language pack, with English texts where the pack has none.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "foundation/base/Object.h"
#include "foundation/thread/Pool.h"

namespace s::app {
class IAppWindow;
}
namespace s::lang {
class Localizer;
}

namespace s::gui::dialogs {

// Where the parts of the question window go, for a client width: the label, the two
// buttons right-aligned below it, the check box under them.
struct AskerLayout {
    RECT label{}, first{}, second{}, check{};
    int width = 0;      // the client width used (widened for the label when needed)
    int minHeight = 0;  // the client height that holds every part
};
AskerLayout layoutAsker(int clientWidth, SIZE label, SIZE first, SIZE second, SIZE check, bool withCheck);

class FlexAsker : public base::IObject, public thread::IPoolable {
    S_POOLED(FlexAsker, L"s_gui_dialogs_FlexAsker")
public:
    static constexpr int32_t kTitleId = 400300, kQuestionId = 400320;
    static constexpr int32_t kFirstButtonId = 400330, kSecondButtonId = 400340, kCheckBoxId = 400380;
    static constexpr int kWidth = 400, kHeight = 200;
    static constexpr const wchar_t* kClassName = L"s_gui_dialogs_FlexAskerWindow";

    FlexAsker();
    ~FlexAsker() override;
    FlexAsker(const FlexAsker&) = delete;
    FlexAsker& operator=(const FlexAsker&) = delete;

    // An asker for the application window: its language pack gives the texts, and its
    // stored bounds are cleared so the question window never takes a stored position.
    static FlexAsker* createWithWindow(app::IAppWindow* appWindow);

    // Shows the question (null texts: the pack's or English defaults) and waits until
    // the window closes. With a valid owner the window is centred on it and the owner
    // takes no input meanwhile.
    void show(HWND owner, const wchar_t* title, const wchar_t* question);

    bool getAnswer() const { return answer_; }
    bool isChecked() const { return checked_; }
    void setShowCheckBox(bool on) { showCheckBox_ = on; }
    void setTextIds(int32_t first, int32_t second, int32_t checkBox);
    // The question window while it is shown (null otherwise).
    HWND getWindowHandle() const { return window_; }

    void reset() override;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    // A key for the window or one of its parts; true when it was the asker's.
    bool onKey(WPARAM key);
    std::wstring text(int32_t id, const wchar_t* fallback) const;
    void build(const wchar_t* title, const wchar_t* question);
    void placeWindow(HWND owner);
    void moveDefault(HWND to);
    void finish(bool answer);

    app::IAppWindow* appWindow_ = nullptr;
    lang::Localizer* localizer_ = nullptr;
    HWND owner_ = nullptr;
    HWND window_ = nullptr;
    HWND label_ = nullptr, first_ = nullptr, second_ = nullptr, check_ = nullptr;
    HFONT font_ = nullptr;
    int32_t firstId_ = kFirstButtonId, secondId_ = kSecondButtonId, checkId_ = kCheckBoxId;
    bool showCheckBox_ = true;
    bool answer_ = false;
    bool checked_ = false;
    bool closed_ = true;
};

}  // namespace s::gui::dialogs
