// The toolkit's private window messages and the records they carry.
//
// Work that must run on a window's own thread (creating child windows, hotkeys,
// timers, message boxes, invoke) is sent to that window as one of these messages.
// Records passed by SendMessageW live in the sender's memory; the only posted record
// (invokeLater) is a heap copy marked ownedByMessage, freed by the handler.
//
//   InvokeRecord r{{a1, a2, a3, a4}, false};
//   SendMessageW(hwnd, LibraryMessage::kInvoke, reinterpret_cast<WPARAM>(&r), 0);
#pragma once

#include <cstdint>

namespace s::gui {

namespace LibraryMessage {
inline constexpr uint32_t kInvoke = 0x401;            // wParam InvokeRecord*; answers the invoke result
inline constexpr uint32_t kTrayCallback = 0x402;      // the tray icon's callback message (icon id 0)
inline constexpr uint32_t kActivateInstance = 0x403;  // activate, from another instance
inline constexpr uint32_t kShowInfo = 0x404;          // wParam text
inline constexpr uint32_t kShowError = 0x405;         // wParam text
inline constexpr uint32_t kAskYesNo = 0x406;          // wParam text; non-zero on yes
inline constexpr uint32_t kInstanceMessage = 0x407;   // from another instance
inline constexpr uint32_t kRegisterHotKey = 0x40C;    // wParam HotKeyRecord*; non-zero on success
inline constexpr uint32_t kUnregisterHotKey = 0x40D;  // wParam HotKeyRecord* (only the name is read)
inline constexpr uint32_t kUnregisterAllHotKeys = 0x40E;
inline constexpr uint32_t kDetach = 0x40F;        // sent to a control's own window before it is destroyed
inline constexpr uint32_t kStartTimer = 0x414;    // wParam TimerRecord*; non-zero on success
inline constexpr uint32_t kStopTimer = 0x415;     // wParam TimerRecord*
inline constexpr uint32_t kUrlDropped = 0x416;    // a link text arrived at a panel
inline constexpr uint32_t kCloseOwner = 0x8001;   // the window's and the hidden owner's destruction
inline constexpr uint32_t kAttachChild = 0x8002;  // wParam the child IComponent*

// Notifications and colour requests reflected from a parent to the child control
// that caused them (through the generic window class).
inline constexpr uint32_t kReflectColor = 0x8003;            // WM_CTLCOLOR*; wParam the DC, answers a brush
inline constexpr uint32_t kReflectClicked = 0x8004;          // BN_CLICKED
inline constexpr uint32_t kReflectCode5 = 0x8005;            // BN_DOUBLECLICKED / CBN_EDITCHANGE
inline constexpr uint32_t kReflectItemChanged = 0x8006;      // LVN_ITEMCHANGED
inline constexpr uint32_t kReflectOdStateChanged = 0x8007;   // LVN_ODSTATECHANGED
inline constexpr uint32_t kReflectBeginDrag = 0x8008;        // LVN_BEGINDRAG
inline constexpr uint32_t kReflectEndLabelEdit = 0x8009;     // LVN_ENDLABELEDITW
inline constexpr uint32_t kReflectSelChange = 0x800A;        // CBN_SELCHANGE
inline constexpr uint32_t kReflectTabSelChange = 0x800B;     // TCN_SELCHANGE
inline constexpr uint32_t kReflectEditChange = 0x800C;       // EN_CHANGE
inline constexpr uint32_t kReflectColumnClick = 0x800D;      // LVN_COLUMNCLICK
inline constexpr uint32_t kReflectCustomDraw = 0x800E;       // NM_CUSTOMDRAW
inline constexpr uint32_t kReflectDropDown = 0x800F;         // CBN_DROPDOWN
inline constexpr uint32_t kReflectCloseUp = 0x8010;          // CBN_CLOSEUP
inline constexpr uint32_t kReflectHeaderBeginDrag = 0x8011;  // HDN_BEGINDRAG
inline constexpr uint32_t kReflectHeaderEndDrag = 0x8012;    // HDN_ENDDRAG
inline constexpr uint32_t kReflectItemChanging = 0x8013;     // LVN_ITEMCHANGING
inline constexpr uint32_t kReflectKillFocus = 0x8015;        // EN_KILLFOCUS

// A control's own messages, sent to its window so that they run on its thread.
inline constexpr uint32_t kButtonSetDefault = 0x401;     // BS_DEFPUSHBUTTON on
inline constexpr uint32_t kButtonClearDefault = 0x402;   // BS_DEFPUSHBUTTON off
inline constexpr uint32_t kTextFieldFocusAll = 0x401;    // focus and select all
inline constexpr uint32_t kLabelSetText = 0x1401;        // wParam text, lParam redraw; non-zero when changed
inline constexpr uint32_t kLabelTemporaryText = 0x1402;  // text shown for an interval
}  // namespace LibraryMessage

// wParam of kInvoke: four pointer-sized arguments. ownedByMessage marks a posted heap
// copy (invokeLater) that the handler deletes after raising the invoke event.
struct InvokeRecord {
    intptr_t args[4];
    bool ownedByMessage;
};

// wParam of kRegisterHotKey and kUnregisterHotKey. The mask and the key share the
// first pointer-sized word, so the name is the second one.
struct HotKeyRecord {
    uint32_t modifiers;  // 1 alt | 2 ctrl | 4 shift | 8 win, plus MOD_NOREPEAT
    uint32_t keyCode;
    const wchar_t* name;
    uint8_t showFailure;
    const wchar_t* failureMessage;  // "HotKey Ctrl+Shift+65 has been occupied by another application."
};

// wParam of kStartTimer and kStopTimer (milliseconds read by kStartTimer only). The
// native timer id is id + kUserTimerBase.
struct TimerRecord {
    int64_t id;
    int32_t milliseconds;
};
inline constexpr int64_t kUserTimerBase = 10000;

}  // namespace s::gui
