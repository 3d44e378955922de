// Handing files to the Windows shell: run or open with the default handler, run
// elevated, show in Explorer, the properties sheet of one or several files.
#pragma once

#include <cstdint>

struct _ITEMIDLIST;

namespace s::shell {

// Runs the file with the parameters (null: none). A batch file runs hidden. elevate asks
// for administrator rights (on Windows 6.0 and later). Without wait: ShellExecuteExW's
// result (non-zero when started). With wait: the started process's exit code once it
// ended; -1 when it could not be started or its exit code could not be read.
int32_t execute(const wchar_t* file, const wchar_t* parameters, bool wait, bool elevate);
// Opens a file or URL with its default handler: ShellExecuteExW's result.
int32_t open(const wchar_t* file);
// Test seam: while a function is set, open hands the file to it and answers its result
// instead of starting anything; null restores the shell.
using OpenFn = int32_t (*)(const wchar_t* file);
void setOpenOverride(OpenFn fn);
// Opens an Explorer window with the path selected, when the path exists.
void showInExplorer(const wchar_t* path);
// The shell's properties sheet of the file: true when the shell showed it.
bool showProperties(const wchar_t* file);
// A new item-ID list for the path (free it with CoTaskMemFree / ILFree).
bool pidlFromPath(const wchar_t* path, _ITEMIDLIST** out);
// One properties sheet for several files; false when the shell cannot show it.
bool showMultiFileProperties(int32_t count, const wchar_t* const* paths);

}  // namespace s::shell
