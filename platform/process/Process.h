// The program's own file, and the search for other running copies of it with the
// means to wake them: the activate request (1027) and the instance message (1031).
#pragma once

#include <cstdint>

#include "foundation/str/StrBuffer.h"

struct HWND__;
struct HDESK__;

namespace s::file::win {
class PathWin;
}
namespace s::lang {
class Localizer;
}

namespace s::process {

// Messages another copy's main window receives (wParam 0, lParam 0).
constexpr uint32_t kActivateRequest = 1027;  // bring the window forward
constexpr uint32_t kInstanceMessage = 1031;  // raise the instance-message event
// The window class of the library's windows: only windows of this class are signalled.
constexpr const wchar_t* kInstanceWindowClass = L"TovrelWindowClass";
// Longest wait for another copy to become ready for input, and per message sent.
constexpr uint32_t kInputIdleTimeoutMs = 3000;
constexpr uint32_t kSendTimeoutMs = 3000;

// Record handed to the window enumeration callbacks.
struct InstanceSearch {
    uint32_t processId = 0;
    HWND__* window = nullptr;
    const wchar_t* text = nullptr;  // program path, or caption; null for none
};

// New pooled path of the program's own file (GetModuleFileNameW).
file::win::PathWin* getModulePath();

// Another process running the same program file (path compared ignoring case).
bool findOtherInstance(uint32_t* processId);
// New pooled strings: the process's program file from a module snapshot (falling back
// on getProcessImageFileName), and the kernel's device-form image name ("" on failure).
str::strbuffer::StrBuffer* getProcessImagePath(uint32_t processId);
str::strbuffer::StrBuffer* getProcessImageFileName(uint32_t processId);
// A window on the calling thread's desktop that belongs to another copy.
bool hasOtherInstanceWindow();
// Finds another copy with a window on the desktop and signals it (signalInstance).
bool signalOtherInstanceOnDesktop(HDESK__* desktop, lang::Localizer* localizer, int32_t textId,
                                  bool alsoInstanceMessage);
// Sends the activate request (and the instance message when asked) to the main window of
// the process. With a localizer, once per language with that language's text of textId
// as caption, answering the number of languages; without, the last send's result.
int32_t signalInstance(uint32_t processId, lang::Localizer* localizer, int32_t textId, bool alsoInstanceMessage);
// Sends message (wParam 0, lParam 0, 3 s time-out) to the first top-level window of the
// process that is of the library's window class, has a title, is not the hidden owner
// window and, with a caption, whose title begins the caption (ignoring case). The result
// of SendMessageTimeoutW; 0 when no such window was found.
int32_t sendToProcessWindow(uint32_t processId, uint32_t message, const wchar_t* caption);

// The enumeration callbacks (record in lParam).
int __stdcall FindInstanceWindowProc(HWND__* window, intptr_t record);
int __stdcall FindProcessWindowProc(HWND__* window, intptr_t record);

}  // namespace s::process
