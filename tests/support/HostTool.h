// Test support: running tools of the Linux host (ImageMagick, Python) from a
// test program under Wine, and naming host files by their Windows paths.
#pragma once

#include <string>

namespace testsupport {

// Runs a host command line through /bin/sh and waits for it (up to timeoutMs).
// Wine starts Unix programs but does not pass their exit status back, so the
// command's result is written to a marker file: answers true when the shell
// command exited 0. Output can be redirected inside the command text.
bool runHost(const std::string& shellCommand, unsigned timeoutMs = 60000);

// "Z:\\..." form of a Unix path, for the Windows side.
std::wstring winPath(const std::string& unixPath);

// A fresh, empty folder for one test (Unix path), under the build folder.
std::string makeTempDir(const std::string& name);

// Folders of the source tree and the cross-built dependencies (Unix paths).
std::string sourceDir();
std::string depsPrefix();

}  // namespace testsupport
