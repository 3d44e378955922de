// Event codes passed to IEventListener::onEvent.
//
// A window raises each WindowEvent code to its own listener list (registered with the
// matching IWindow::add...Listener); listeners read the details back from the window
// during the call:
//
//   void onEvent(s::base::IObject* source, int32_t code) override {
//       if (code == s::gui::WindowEvent::kKeyDown && window_->getLastKey() == VK_ESCAPE) ...
//   }
#pragma once

#include <cstdint>

namespace s::gui {

namespace WindowEvent {
inline constexpr int32_t kClose = 1;   // close request; listeners may call vetoClose
inline constexpr int32_t kInvoke = 2;  // 0x401 handled; getInvokeArg1..4, setInvokeResult
inline constexpr int32_t kRightButtonDown = 3;
inline constexpr int32_t kResize = 4;  // every resize
inline constexpr int32_t kLeftButtonDown = 5;
inline constexpr int32_t kActivate = 6;
inline constexpr int32_t kDeactivate = 7;
inline constexpr int32_t kSizing = 8;  // frame drag; listeners may change the sizing rectangle
inline constexpr int32_t kMiddleButtonDown = 9;
inline constexpr int32_t kMoving = 10;   // position changing
inline constexpr int32_t kMove = 11;     // moved
inline constexpr int32_t kKeyDown = 12;  // getLastKey
inline constexpr int32_t kMouseMove = 13;
inline constexpr int32_t kWheel = 14;            // getWheelLines
inline constexpr int32_t kInstanceMessage = 15;  // 0x407 from another instance
inline constexpr int32_t kDoubleClick = 16;      // left double click
inline constexpr int32_t kCaptureChanged = 17;   // getCaptureLostX, getCaptureLostY
inline constexpr int32_t kTrayRightClick = 18;
inline constexpr int32_t kContextMenu = 19;  // right button down, before the context menu
inline constexpr int32_t kLanguage = 20;     // the localizer changed language
inline constexpr int32_t kNormalSize = 21;   // resized into the restored state
inline constexpr int32_t kTrayClick = 22;    // left click on the tray icon
inline constexpr int32_t kHotKey = 23;       // isHotKey(name)
inline constexpr int32_t kRightButtonUp = 24;
inline constexpr int32_t kLeftButtonUp = 25;
inline constexpr int32_t kTimer = 26;      // getTimerId, markTimerHandled
inline constexpr int32_t kClipboard = 27;  // clipboard content changed
inline constexpr int32_t kFirst = 1;
inline constexpr int32_t kLast = 27;
}  // namespace WindowEvent

// Codes of the container panel (Box).
namespace BoxEvent {
inline constexpr int32_t kFilesDropped = 1;  // getDroppedFiles
inline constexpr int32_t kWheel = 2;         // getWheelLines
inline constexpr int32_t kLaidOut = 3;
inline constexpr int32_t kMoved = 4;  // moved or resized
inline constexpr int32_t kPaint = 5;  // getPaintDC, markPainted
inline constexpr int32_t kLeftButtonDown = 6;
inline constexpr int32_t kUrlDropped = 7;  // getDroppedUrl
}  // namespace BoxEvent

// A localizer tells its listeners this code when the language changes; a skinner
// tells it on a skin change.
inline constexpr int32_t kChangedEvent = 0;

namespace ButtonEvent {
inline constexpr int32_t kAction = 1;  // clicked
inline constexpr int32_t kToggle = 2;  // toggled flag changed by a click
inline constexpr int32_t kPress = 3;   // pressed (and each auto-repeat tick)
}  // namespace ButtonEvent

namespace LabelEvent {
inline constexpr int32_t kClick = 1;  // a clickable label was clicked
}  // namespace LabelEvent

namespace TextFieldEvent {
inline constexpr int32_t kChange = 1;
inline constexpr int32_t kEnter = 2;
inline constexpr int32_t kFocusLost = 3;
}  // namespace TextFieldEvent

}  // namespace s::gui
