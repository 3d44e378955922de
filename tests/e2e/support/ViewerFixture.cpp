#include "e2e/support/ViewerFixture.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "imaging/filters/ColorFilters.h"
#include "imaging/image/BufferedImage.h"
#include "support/HostTool.h"

namespace e2e {

namespace {

struct ChildSearch {
    std::wstring text;
    HWND found;
};

BOOL CALLBACK matchChild(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if (IsWindowVisible(child) && textOf(child) == search->text) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

// What a host command wrote into a file of the build's scratch folder.
std::string hostOutput(const std::string& command) {
    static int counter = 0;
    const std::string out = std::string(GLIMMER_BINARY_DIR) + "/testtmp/host-" + std::to_string(GetCurrentProcessId()) +
                            "-" + std::to_string(counter++) + ".txt";
    if (!testsupport::runHost("(" + command + ") > '" + out + "' 2>/dev/null")) return "";
    std::ifstream in(testsupport::winPath(out).c_str());
    std::stringstream text;
    text << in.rdbuf();
    std::string s = text.str();
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
    return s;
}

}  // namespace

bool ViewerTest::open(const std::vector<std::wstring>& args) {
    if (!viewer.start(args)) {
        ADD_FAILURE() << "Glimmer.exe could not be started";
        return false;
    }
    if (!viewer.waitForWindow()) {
        ADD_FAILURE() << viewer.whyNoWindow();
        return false;
    }
    return true;
}

bool ViewerTest::titleBecomes(const std::wstring& title, DWORD timeoutMs) {
    return waitUntil([&] { return viewer.title() == title; }, timeoutMs);
}

SIZE ViewerTest::sizeAfterChangeFrom(SIZE old) {
    SIZE now = old;
    waitUntil([&] {
        now = viewer.windowSize();
        return now.cx != old.cx || now.cy != old.cy;
    });
    return now;
}

bool ViewerTest::pixelsSettle(ScreenPixels* out, const std::function<bool(const ScreenPixels&)>& condition) {
    ScreenPixels last = viewer.clientPixels();
    const bool settled = waitUntil([&] {
        ScreenPixels now = viewer.clientPixels();
        const bool stable = now == last;
        last = now;
        if (!stable || (condition && !condition(now))) return false;
        *out = now;
        return true;
    });
    if (!settled) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string file = std::string(GLIMMER_BINARY_DIR) + "/testtmp/" + info->name() + ".bmp";
        if (last.saveBmp(testsupport::winPath(file))) std::printf("The window's last pixels: %s\n", file.c_str());
    }
    return settled;
}

bool ViewerTest::answersWithin(DWORD ms) const {
    DWORD_PTR unused = 0;
    return SendMessageTimeoutW(viewer.window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ms, &unused) != 0;
}

HWND waitForOtherWindow(const ViewerProcess& viewer, const std::wstring& title, DWORD timeoutMs) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            for (HWND w : viewer.topWindows())
                if (w != viewer.window() && IsWindowVisible(w) && (title.empty() || textOf(w) == title)) {
                    found = w;
                    return true;
                }
            return !viewer.running();
        },
        timeoutMs);
    return found;
}

HWND findChildWithText(HWND window, const std::wstring& text) {
    ChildSearch search{text, nullptr};
    if (window) EnumChildWindows(window, matchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring allTextOf(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM param) {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    std::wstring all;
    for (HWND child : children)
        if (IsWindowVisible(child)) all += textOf(child) + L"\n";
    return all;
}

bool clickButton(HWND window, const std::wstring& text) {
    HWND button = findChildWithText(window, text);
    if (!button) return false;
    DWORD_PTR unused = 0;
    SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 300, &unused);
    return true;
}

std::vector<HWND> visibleDialogs(const ViewerProcess& viewer) {
    std::vector<HWND> shown;
    for (HWND w : viewer.topWindows(L"#32770"))
        if (IsWindowVisible(w)) shown.push_back(w);
    return shown;
}

std::string identify(const std::string& unixPath) {
    // Asked twice: a host program now and then fails to start on a loaded machine.
    const std::string command = "identify -format '%m %w %h' '" + unixPath + "[0]'";
    const std::string first = hostOutput(command);
    return first.empty() ? hostOutput(command) : first;
}

COLORREF hostPixel(const std::string& unixPath, int x, int y) { return hostPixels(unixPath, {{x, y}})[0]; }

std::vector<COLORREF> hostPixels(const std::string& unixPath, const std::vector<POINT>& points) {
    std::string format;
    for (const POINT& p : points) {
        const std::string at = "p{" + std::to_string(p.x) + "," + std::to_string(p.y) + "}";
        for (const char* channel : {".r", ".g", ".b"}) format += "%[fx:int(255*" + at + channel + "+0.5)] ";
    }
    const std::string command = "convert '" + unixPath + "[0]' -format '" + format + "' info:";
    std::vector<COLORREF> colours(points.size(), CLR_INVALID);
    // Asked twice: a host program now and then fails to start on a loaded machine.
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::istringstream text(hostOutput(command));
        size_t read = 0;
        int r, g, b;
        while (read < points.size() && text >> r >> g >> b) colours[read++] = RGB(r, g, b);
        if (read == points.size()) break;
    }
    return colours;
}

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool fileWritten(const std::wstring& path, DWORD timeoutMs) {
    LONGLONG last = -1;
    ULONGLONG since = 0;
    return waitUntil(
        [&] {
            WIN32_FILE_ATTRIBUTE_DATA data = {};
            if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
            const LONGLONG size = (LONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            if (size != last || size == 0) {
                last = size;
                since = GetTickCount64();
                return false;
            }
            return GetTickCount64() - since >= 300;
        },
        timeoutMs);
}

COLORREF libraryMonotone(COLORREF colour, int mode) {
    using s::image::win::BufferedImage;
    BufferedImage* picture = BufferedImage::createSized(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            picture->getRow(y)[x] =
                0xFF000000u | uint32_t(GetRValue(colour)) << 16 | uint32_t(GetGValue(colour)) << 8 | GetBValue(colour);
    auto* filter = s::image::filters::monotone::Monotone::create();
    filter->mode = mode;
    filter->setReleasedWithImage(true);
    picture->addFilter(filter);
    BufferedImage* filtered = picture->getFiltered();
    const uint32_t p = filtered ? filtered->getRow(1)[1] : 0;
    picture->release();
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

bool closeTo(COLORREF a, COLORREF b, int tolerance) {
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

}  // namespace e2e
