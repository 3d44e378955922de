// The viewer as a user meets it, against the work it cannot avoid, in one run:
//
// - start-up: from starting "Glimmer.exe photo.jpg" (a 24 MP JPEG) to the picture's pixels
//   on screen, against the floor (this program started again as a minimal Win32 program
//   that opens a window of the same size and paints a ready bitmap) plus the bare work
//   (libjpeg-turbo's own decode of the file and the fit resample to the shown size);
// - next picture: from the Right key posted to the viewer to the next picture's pixels,
//   in a folder of 24 MP JPEGs, against the bare decode plus the fit resample;
// - memory: the viewer's private bytes showing a 24 MP picture above the empty viewer's,
//   against the picture's 32-bit size; GDI and USER objects and handles after browsing
//   200 pictures, against where they were after the first.
//
// Every picture has a flat block of its own colour in its middle; "on screen" is that
// colour read back from the screen at the window's middle. Sides take turns run by run.
//   bench_viewer.exe [runs]            (default 7)
//   bench_viewer.exe --floor W H RGB   (the floor program itself)
#include <windows.h>
#include <psapi.h>

#include <cstdio>

#include <jpeglib.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "imaging/image/BufferedImage.h"

namespace {

using s::image::win::BufferedImage;

constexpr int kPicW = 6000, kPicH = 4000;
constexpr int kBlock = 1200;  // the flat middle block's side
constexpr int kPictures = 6;
constexpr DWORD kTimeoutMs = 30000;

COLORREF blockColor(int k) {
    // No colour near white, grey or black: those are the window's own backgrounds, which a
    // repaint may show for a moment between two pictures.
    static const COLORREF colors[kPictures] = {RGB(200, 30, 90),  RGB(30, 180, 60),  RGB(40, 60, 210),
                                               RGB(220, 200, 30), RGB(130, 20, 170), RGB(240, 130, 20)};
    return colors[k % kPictures];
}

bool closeTo(COLORREF a, COLORREF b) {
    auto d = [](int x, int y) { return std::abs(x - y); };
    return d(GetRValue(a), GetRValue(b)) < 24 && d(GetGValue(a), GetGValue(b)) < 24 &&
           d(GetBValue(a), GetBValue(b)) < 24;
}

// ---- pictures ------------------------------------------------------------------------

bool writeJpeg(BufferedImage* img, const std::wstring& path) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return false;
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = JDIMENSION(img->getWidth());
    c.image_height = JDIMENSION(img->getHeight());
    c.input_components = 4;
    c.in_color_space = JCS_EXT_BGRA;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(img->getRow(int(c.next_scanline)));
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    return std::fclose(f) == 0;
}

// Kept between runs; the name carries the block's colour, so other colours make new files.
std::wstring pictureName(int k) {
    wchar_t name[64];
    swprintf(name, 64, L"photo%d-%06lx.jpg", k, (unsigned long)blockColor(k));
    return name;
}

std::wstring makePictures(std::vector<std::wstring>* files) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring dir = std::wstring(temp) + L"glimmer-bench-viewer";
    CreateDirectoryW(dir.c_str(), nullptr);
    // The folder holds the bench's pictures only: another run's files would be browsed too.
    std::vector<std::wstring> wanted;
    for (int k = 0; k < kPictures; ++k) wanted.push_back(pictureName(k));
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                std::find(wanted.begin(), wanted.end(), name) == wanted.end())
                DeleteFileW((dir + L"\\" + name).c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    BufferedImage* base = bench::photoLike(kPicW, kPicH);
    for (int k = 0; k < kPictures; ++k) {
        COLORREF c = blockColor(k);
        std::wstring path = dir + L"\\" + pictureName(k);
        uint32_t px = 0xFF000000u | uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
        for (int y = (kPicH - kBlock) / 2; y < (kPicH + kBlock) / 2; ++y) {
            uint32_t* row = base->getRow(y);
            std::fill(row + (kPicW - kBlock) / 2, row + (kPicW + kBlock) / 2, px);
        }
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES && !writeJpeg(base, path)) {
            std::printf("cannot write %ls\n", path.c_str());
            std::exit(1);
        }
        files->push_back(path);
    }
    base->release();
    return dir;
}

// The bare work: libjpeg-turbo's decode of the file into a 32-bit picture, then the fit
// resample to the shown size.
double bareDecodeAndFit(const std::wstring& path, int shownW, int shownH) {
    double t0 = bench::nowMs();
    FILE* f = _wfopen(path.c_str(), L"rb");
    jpeg_decompress_struct d;
    jpeg_error_mgr err;
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_stdio_src(&d, f);
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&d);
    BufferedImage* img = BufferedImage::createSized(int(d.output_width), int(d.output_height));
    while (d.output_scanline < d.output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(img->getRow(int(d.output_scanline)));
        jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    std::fclose(f);
    BufferedImage* shown = img->fitScale(shownW, shownH, false);
    double t1 = bench::nowMs();
    if (shown != img) shown->release();
    img->release();
    return t1 - t0;
}

// ---- the floor program ---------------------------------------------------------------

struct Floor {
    HBITMAP ready = nullptr;
    int w = 0, h = 0;
};
Floor gFloor;

LRESULT CALLBACK floorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, gFloor.ready);
        BitBlt(dc, 0, 0, gFloor.w, gFloor.h, mem, 0, 0, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int runFloor(int w, int h, COLORREF color) {
    gFloor.w = w;
    gFloor.h = h;
    HDC screen = GetDC(nullptr);
    gFloor.ready = CreateCompatibleBitmap(screen, w, h);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, gFloor.ready);
    HBRUSH brush = CreateSolidBrush(color);
    RECT all{0, 0, w, h};
    FillRect(mem, &all, brush);
    DeleteObject(brush);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    WNDCLASSW wc{};
    wc.lpfnWndProc = floorProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"GlimmerBenchFloor";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"floor", WS_POPUP | WS_VISIBLE, 0, 0, w, h, nullptr, nullptr,
                                wc.hInstance, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    DestroyWindow(hwnd);
    return 0;
}

// ---- watching another process's window ------------------------------------------------

struct Child {
    PROCESS_INFORMATION pi{};
    HWND top = nullptr;
};

Child start(const std::wstring& commandLine) {
    Child c;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &c.pi)) {
        std::printf("cannot start %ls (%lu)\n", commandLine.c_str(), GetLastError());
        std::exit(1);
    }
    return c;
}

HWND findTop(DWORD pid) {
    struct Search {
        DWORD pid;
        HWND found;
    } search{pid, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            // The main window may hang on an invisible owner (kept off the taskbar).
            if (owner == s->pid && IsWindowVisible(hwnd) && !(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD)) {
                wchar_t cls[64] = {};
                GetClassNameW(hwnd, cls, 64);
                RECT r;
                GetWindowRect(hwnd, &r);
                if (r.right - r.left > 100 && r.bottom - r.top > 100 && wcscmp(cls, L"#32770") != 0 &&
                    wcscmp(cls, L"#32768") != 0 && wcscmp(cls, L"tooltips_class32") != 0) {
                    s->found = hwnd;
                    return FALSE;
                }
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

COLORREF middlePixel(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ReleaseDC(nullptr, screen);
    return c;
}

// Polls until the process's window shows the colour at its middle; the time since t0, or -1.
double waitForColor(Child* c, COLORREF color, double t0) {
    const double deadline = t0 + kTimeoutMs;
    while (bench::nowMs() < deadline) {
        if (!c->top) c->top = findTop(c->pi.dwProcessId);
        if (c->top && closeTo(middlePixel(c->top), color)) return bench::nowMs() - t0;
        if (WaitForSingleObject(c->pi.hProcess, 0) == WAIT_OBJECT_0) return -1;
        Sleep(0);
    }
    if (c->top) {
        RECT r;
        GetWindowRect(c->top, &r);
        COLORREF seen = middlePixel(c->top);
        std::printf("waited for %06lx; the window (%ld,%ld)-(%ld,%ld) shows %06lx at its middle\n",
                    (unsigned long)color, r.left, r.top, r.right, r.bottom, (unsigned long)seen);
    } else {
        std::printf("no window of the process\n");
    }
    return -1;
}

void finish(Child* c) {
    if (c->top) PostMessageW(c->top, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(c->pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(c->pi.hProcess, 1);
    CloseHandle(c->pi.hThread);
    CloseHandle(c->pi.hProcess);
}

std::wstring folderOfSelf() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring dir = self;
    return dir.substr(0, dir.find_last_of(L"\\/"));
}

std::wstring quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

void forgetSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Zelk"); }

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}
double best(const std::vector<double>& v) { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); }

SIZE_T privateBytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc);
    return pmc.PrivateUsage;
}

struct Objects {
    DWORD gdi, user, handles;
};
Objects objectsOf(HANDLE process) {
    Objects o{GetGuiResources(process, GR_GDIOBJECTS), GetGuiResources(process, GR_USEROBJECTS), 0};
    GetProcessHandleCount(process, &o.handles);
    return o;
}

// Waits until a counter of the process stops moving (the viewer settles after a step).
template <class F>
auto settled(F read) {
    auto last = read();
    for (int i = 0; i < 50; ++i) {
        Sleep(20);
        auto now = read();
        if (now == last) return now;
        last = now;
    }
    return last;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 5 && std::wstring(argv[1]) == L"--floor")
        return runFloor(_wtoi(argv[2]), _wtoi(argv[3]), COLORREF(wcstoul(argv[4], nullptr, 16)));
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 7;
    std::vector<std::wstring> files;
    const std::wstring dir = makePictures(&files);
    const std::wstring glimmer = quoted(folderOfSelf() + L"\\Glimmer.exe");
    wchar_t selfPath[MAX_PATH];
    GetModuleFileNameW(nullptr, selfPath, MAX_PATH);

    // The shown size: what the viewer makes of the first picture (fit window to image).
    forgetSettings();
    Child probe = start(glimmer + L" " + quoted(files[0]));
    if (waitForColor(&probe, blockColor(0), bench::nowMs()) < 0) {
        std::printf("the viewer never showed the picture\n");
        finish(&probe);
        return 1;
    }
    RECT client;
    GetClientRect(probe.top, &client);
    RECT outer;
    GetWindowRect(probe.top, &outer);
    finish(&probe);
    const int shownW = client.right, shownH = client.bottom;
    std::printf("viewer window %ldx%ld, client %dx%d\n", outer.right - outer.left, outer.bottom - outer.top, shownW,
                shownH);

    // ---- start-up
    std::vector<double> viewer, floor, bare;
    for (int i = 0; i < runs + 1; ++i) {
        forgetSettings();
        double t0 = bench::nowMs();
        Child v = start(glimmer + L" " + quoted(files[0]));
        double tv = waitForColor(&v, blockColor(0), t0);
        finish(&v);
        wchar_t args[64];
        swprintf(args, 64, L" --floor %d %d %06lx", int(outer.right - outer.left), int(outer.bottom - outer.top),
                 (unsigned long)blockColor(0));
        t0 = bench::nowMs();
        Child f = start(quoted(selfPath) + args);
        double tf = waitForColor(&f, blockColor(0), t0);
        finish(&f);
        double tb = bareDecodeAndFit(files[0], shownW, shownH);
        if (i == 0) continue;  // warm-up
        viewer.push_back(tv);
        floor.push_back(tf);
        bare.push_back(tb);
    }
    std::printf("\nstart-up to pixels (ms)      median    best\n");
    std::printf("  Glimmer.exe photo.jpg    %8.1f %8.1f\n", median(viewer), best(viewer));
    std::printf("  floor (window + blit)    %8.1f %8.1f\n", median(floor), best(floor));
    std::printf("  bare decode + fit        %8.1f %8.1f\n", median(bare), best(bare));
    std::printf("  budget floor + 1.2 x bare %7.1f %8.1f\n", median(floor) + 1.2 * median(bare),
                best(floor) + 1.2 * best(bare));
    std::printf("  ratio (Glimmer - floor) / bare: median %.2f, best %.2f\n",
                (median(viewer) - median(floor)) / median(bare), (best(viewer) - best(floor)) / best(bare));

    // ---- next picture, and memory and objects while browsing
    forgetSettings();
    Child v = start(glimmer);
    double tEmpty = bench::nowMs();
    while (!v.top && bench::nowMs() < tEmpty + kTimeoutMs) {
        v.top = findTop(v.pi.dwProcessId);
        Sleep(10);
    }
    if (!v.top) {
        std::printf("no empty viewer window\n");
        finish(&v);
        return 1;
    }
    const SIZE_T emptyBytes = settled([&] { return privateBytes(v.pi.hProcess); });
    finish(&v);

    forgetSettings();
    v = start(glimmer + L" " + quoted(files[0]));
    if (waitForColor(&v, blockColor(0), bench::nowMs()) < 0) {
        std::printf("the viewer never showed the picture\n");
        finish(&v);
        return 1;
    }
    const SIZE_T shownBytes = settled([&] { return privateBytes(v.pi.hProcess); });
    std::vector<double> next, nextBare;
    int k = 0;
    for (int i = 0; i < runs * 2 + 1; ++i) {
        k = (k + 1) % kPictures;
        double t0 = bench::nowMs();
        PostMessageW(v.top, WM_KEYDOWN, VK_RIGHT, 0);
        double tn = waitForColor(&v, blockColor(k), t0);
        double tb = bareDecodeAndFit(files[size_t(k)], shownW, shownH);
        if (i == 0) continue;
        next.push_back(tn);
        nextBare.push_back(tb);
    }
    std::printf("\nnext picture, key to pixels (ms)  median    best\n");
    std::printf("  Glimmer                  %8.1f %8.1f\n", median(next), best(next));
    std::printf("  bare decode + fit        %8.1f %8.1f\n", median(nextBare), best(nextBare));
    std::printf("  ratio: median %.2f, best %.2f\n", median(next) / median(nextBare), best(next) / best(nextBare));
    std::printf("  each step (ms):");
    for (double t : next) std::printf(" %.0f", t);
    std::printf("\n");

    const double pictureBytes = double(kPicW) * kPicH * 4;
    if (shownBytes == 0)
        std::printf(
            "\nmemory: another process's counters read 0 here (Wine); bench_viewer_memory measures them "
            "inside the viewer's own process\n");
    else
        std::printf("\nmemory: empty %.1f MB, showing 24 MP %.1f MB: %.2f x the picture's 32-bit size above empty\n",
                    double(emptyBytes) / 1048576.0, double(shownBytes) / 1048576.0,
                    (double(shownBytes) - double(emptyBytes)) / pictureBytes);

    auto packed = [&] {
        Objects o = objectsOf(v.pi.hProcess);
        return uint64_t(o.gdi) << 40 | uint64_t(o.user) << 20 | o.handles;
    };
    settled(packed);
    const Objects first = objectsOf(v.pi.hProcess);
    for (int i = 0; i < 200; ++i) {
        k = (k + 1) % kPictures;
        PostMessageW(v.top, WM_KEYDOWN, VK_RIGHT, 0);
        if (waitForColor(&v, blockColor(k), bench::nowMs()) < 0) {
            std::printf("browsing stopped at step %d\n", i);
            break;
        }
    }
    settled(packed);
    const Objects after = objectsOf(v.pi.hProcess);
    std::printf("after 200 pictures: GDI %lu -> %lu, USER %lu -> %lu, handles %lu -> %lu\n", first.gdi, after.gdi,
                first.user, after.user, first.handles, after.handles);
    finish(&v);
    return 0;
}
