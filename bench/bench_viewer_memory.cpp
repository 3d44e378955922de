// The viewer's memory and its system objects, read inside the viewer's own process (the
// counters of another process are not answered under Wine):
//
// - memory: private bytes showing a 24 MP picture above the empty viewer's, against the
//   picture's 32-bit size (the budget is 2.5 x);
// - objects: GDI objects, USER objects and handles after browsing 200 pictures with the
//   Right key, against where they were after the first picture.
//
// The viewer is the program's own start (runProgram) with the real controller; this
// program reads its counters from another thread while the viewer's window runs.
//   bench_viewer_memory.exe [pictures]   (default 200)
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/ProcessCounters.h"
#include "bench/BenchPictures.h"
#include "bench/BenchSupport.h"
#include "gui/window/Window.h"
#include "platform/file/PathArray.h"
#include "support/OnWindowThread.h"
#include "viewer/app/AppWindow.h"
#include "viewer/app/StartUp.h"
#include "viewer/dialog/Dialog.h"

namespace {

using s::image::gui::dialogs::imageview::Dialog;

constexpr int kPicW = 6000, kPicH = 4000;
constexpr int kFiles = 6;
const std::string kDir = std::string(GLIMMER_BINARY_DIR) + "/bench-viewer-memory";

int gPictures = 200;
int gResult = 1;

// Sends the Right key to the window as the keyboard would and waits until the viewer is
// idle again (the step is handled on the window's thread before the next message).
void pressRight(HWND hwnd) {
    SendMessageW(hwnd, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageW(hwnd, WM_KEYUP, VK_RIGHT, 0xC0000001);
    SendMessageW(hwnd, WM_NULL, 0, 0);
}

double mb(double bytes) { return bytes / 1048576.0; }

void measure(Dialog* viewer, const std::vector<std::wstring>& files) {
    auto* window = dynamic_cast<s::gui::win::Window*>(viewer->getWindow());
    if (!window) return;
    testsupport::OnWindowThread onWindow;
    onWindow.attach(window);
    const HWND hwnd = window->getHwnd();

    const testsupport::ProcessCounters empty = testsupport::settledCounters();
    onWindow([&] {
        auto* paths = s::file::win::PathArray::create();
        paths->add(files[0].c_str());
        viewer->openPaths(paths);
        paths->release();
    });
    const testsupport::ProcessCounters shown = testsupport::settledCounters();
    pressRight(hwnd);
    const testsupport::ProcessCounters first = testsupport::settledCounters();
    for (int i = 1; i < gPictures; ++i) {
        pressRight(hwnd);
        if (i % 50 == 0) {
            const testsupport::ProcessCounters now = testsupport::settledCounters();
            std::printf("  after %3d pictures: %.1f MB private, GDI %lu, USER %lu, handles %lu\n", i + 1,
                        mb(double(now.privateBytes)), now.gdi, now.user, now.handles);
        }
    }
    const testsupport::ProcessCounters after = testsupport::settledCounters();
    // Back on the first picture's file: the same picture shown as at the start.
    for (int i = gPictures % kFiles; i % kFiles != 0; ++i) pressRight(hwnd);
    const testsupport::ProcessCounters back = testsupport::settledCounters();

    const double picture = double(kPicW) * kPicH * 4;
    std::printf("memory (private bytes): empty viewer %.1f MB, showing 24 MP %.1f MB\n", mb(double(empty.privateBytes)),
                mb(double(shown.privateBytes)));
    std::printf("  above empty: %.1f MB = %.2f x the picture's 32-bit size (%.1f MB); budget 2.50 x\n",
                mb(double(shown.privateBytes) - double(empty.privateBytes)),
                (double(shown.privateBytes) - double(empty.privateBytes)) / picture, mb(picture));
    std::printf("  after %d pictures, back on the first file: %.1f MB (%.2f x above empty)\n", gPictures + 1,
                mb(double(back.privateBytes)), (double(back.privateBytes) - double(empty.privateBytes)) / picture);
    std::printf("objects after the first picture -> after %d more pictures:\n", gPictures - 1);
    std::printf("  GDI %lu -> %lu, USER %lu -> %lu, handles %lu -> %lu (GDI and USER %s)\n", first.gdi, after.gdi,
                first.user, after.user, first.handles, after.handles, testsupport::objectCountSource());
    gResult = after.gdi <= first.gdi && after.user <= first.user && after.handles <= first.handles + 2 ? 0 : 2;
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
}

std::vector<std::wstring> gFiles;

void runViewer(s::app::IAppWindow* mainWindow, const wchar_t*) {
    Dialog* viewer = Dialog::create(mainWindow);
    if (!viewer) return;
    viewer->build(nullptr);  // the window runs on a thread of its own
    measure(viewer, gFiles);
    if (auto* window = viewer->getWindow()) window->waitUntilClosed();
    viewer->release();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1) gPictures = std::max(kFiles + 1, _wtoi(argv[1]));
    if (!testsupport::checkObjectCounters()) return 1;
    for (int i = 0; i < kFiles; ++i) gFiles.push_back(testsupport::winPath(kDir + "/" + bench::photoName(i) + ".jpg"));
    bool made = true;
    for (const std::wstring& f : gFiles) made = made && GetFileAttributesW(f.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!made) {
        if (!bench::makePhotoJpegs(kDir, kFiles, kPicW, kPicH)) {
            std::printf("cannot write the pictures into %s\n", kDir.c_str());
            return 1;
        }
        // Making the pictures leaves their memory with this process's image pool: the
        // measuring is done by a fresh process, whose empty viewer holds none of it.
        STARTUPINFOW si{sizeof si};
        PROCESS_INFORMATION pi{};
        std::wstring line = GetCommandLineW();
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
        WaitForSingleObject(pi.hProcess, INFINITE);
        DWORD code = 1;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return int(code);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Zelk");  // the viewer's settings: as first started
    s::app::win::StartUpParts parts;
    parts.runViewer = runViewer;
    s::app::win::runProgram(parts);
    return gResult;
}
