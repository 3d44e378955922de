// Process-wide helpers of the framework: OLE start-up per thread, message boxes
// with a seam for tests, and the application's name (the message boxes' caption).
//
//   // In a test: answer every box with IDYES and remember the texts.
//   AfxMessageBoxHandler previous = AfxSetMessageBoxHandler(
//       [&](const wchar_t* text, const wchar_t*, UINT) { texts.push_back(text); return IDYES; });
//   ...
//   AfxSetMessageBoxHandler(previous);
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Initialises OLE on the calling thread (once per thread); true when OLE is usable.
// A framework thread (CWinThread) ends it again when the thread ends.
BOOL AfxOleInit();
// Ends OLE on the calling thread when AfxOleInit began it there.
void AfxOleTerm();
// Hosting controls needs nothing more here; kept for the start-up sequence.
inline void AfxEnableControlContainer() {}

// Shows a message box owned by the calling thread's active window, captioned with
// the application's name; answers the button chosen (IDOK, IDYES ...). With a
// handler set, the handler answers instead and nothing is shown.
int AfxMessageBox(const wchar_t* text, UINT type = MB_OK, UINT helpId = 0);

// text, caption, type -> the answer.
using AfxMessageBoxHandler = std::function<int(const wchar_t* text, const wchar_t* caption, UINT type)>;
// Sets (or with an empty handler removes) the process-wide handler; answers the
// previous one.
AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler);

// The application's name; by default the program file's name without extension.
std::wstring AfxGetAppName();
void AfxSetAppName(const wchar_t* name);
