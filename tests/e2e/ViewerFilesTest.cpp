// Saving, copying and deleting the shown picture through the running program: Save As
// through the system's file dialog in each format, the clipboard both ways, and Delete of
// a folder's only picture. The files written are read by the host's ImageMagick.
#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "e2e/support/PictureFiles.h"
#include "e2e/support/SavedSettings.h"
#include "e2e/support/ViewerFixture.h"
#include "e2e/support/ViewerProcess.h"
#include "support/HostTool.h"

namespace {

using e2e::PictureFolder;
using e2e::ScreenPixels;
using e2e::waitUntil;

using e2e::kBlue;
using e2e::kGreen;
using e2e::kRed;
using e2e::kYellow;

namespace cmd = e2e::cmd;

// Types the name into the save dialog, picks the file type at that index (as a user's
// pick in the list tells the dialog) and confirms.
void answerSaveDialog(HWND dialog, const std::wstring& name, int typeIndex) {
    HWND types = GetDlgItem(dialog, cmb1);
    if (types) {
        SendMessageW(types, CB_SETCURSEL, WPARAM(typeIndex), 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), LPARAM(types));
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), LPARAM(types));
    }
    HWND nameBox = GetDlgItem(dialog, cmb13);
    if (!nameBox) nameBox = GetDlgItem(dialog, edt1);
    SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

class FilesTest : public e2e::ViewerTest {
protected:
    // The viewer on a 64 x 48 picture of four coloured quadrants.
    void openQuadrants(const char* folderName) {
        folder = std::make_unique<PictureFolder>(folderName);
        picture = folder->bmp(L"quads.bmp", 64, 48, e2e::quadrants(kRed, kGreen, kBlue, kYellow));
        ASSERT_TRUE(open({picture}));
        ASSERT_TRUE(titleBecomes(L"quads.bmp"));
    }
    std::unique_ptr<PictureFolder> folder;
    std::wstring picture;
};

// ---- Save As

// Each format through the dialog: the name typed without an extension, the type picked
// from the list, OK; should the program then ask for the format's options, they are
// taken as offered. The file written has the type's extension, format and size, and the
// picture's colours in place.
TEST_F(FilesTest, SaveAsWritesEachFormatChosenInTheDialog) {
    openQuadrants("save-as");
    if (HasFatalFailure()) return;
    const struct {
        int typeIndex;  // in the dialog's list: the shown file's BMP first, then JPEG, GIF, PNG, ICO
        const wchar_t* name;
        const char* file;
        const char* identified;
        int tolerance;
    } cases[] = {
        {0, L"as-bmp", "as-bmp.bmp", "BMP3 64 48", 2}, {1, L"as-jpg", "as-jpg.jpg", "JPEG 64 48", 24},
        {2, L"as-gif", "as-gif.gif", "GIF 64 48", 12}, {3, L"as-png", "as-png.png", "PNG 64 48", 2},
        {4, L"as-ico", "as-ico.ico", "ICO 16 16", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        viewer.command(cmd::kSaveOriginal);
        HWND dialog = viewer.waitForDialog();
        ASSERT_NE(dialog, nullptr) << "no save dialog";
        ASSERT_TRUE(waitUntil([&] { return GetDlgItem(dialog, IDOK) != nullptr; }));
        answerSaveDialog(dialog, c.name, c.typeIndex);
        const std::wstring written = folder->path() + L"\\" + std::wstring(c.file, c.file + strlen(c.file));
        // The format's options, when asked for, are confirmed: the window of the process
        // with a "Cancel" button is answered with its other one.
        ASSERT_TRUE(waitUntil([&] {
            if (e2e::fileExists(written)) return true;
            for (HWND w : viewer.topWindows())
                if (w != viewer.window() && IsWindowVisible(w) && e2e::classOf(w) != L"#32770" &&
                    e2e::findChildWithText(w, L"Cancel") && !e2e::clickButton(w, L"OK"))
                    e2e::clickButton(w, L"Save");
            return false;
        })) << "nothing was written to "
            << c.file;
        ASSERT_TRUE(e2e::fileWritten(written));
        const std::string path = folder->unixPathOf(c.file);
        EXPECT_EQ(e2e::identify(path), c.identified);
        // An icon holds the picture among its sizes (the first is the smallest)...
        if (std::string(c.identified).rfind("ICO", 0) == 0) {
            EXPECT_TRUE(testsupport::runHost("identify -format '%w ' '" + path + "' | grep -qw 48"))
                << "no 48-pixel image in the icon";
            continue;
        }
        // ...the other formats hold the quadrants in their places.
        const std::vector<POINT> spots = {{8, 8}, {56, 8}, {8, 40}, {56, 40}};
        const COLORREF colours[] = {kRed, kGreen, kBlue, kYellow};
        const std::vector<COLORREF> got = e2e::hostPixels(path, spots);
        for (size_t i = 0; i < spots.size(); ++i)
            EXPECT_TRUE(e2e::closeTo(got[i], colours[i], c.tolerance))
                << "at " << spots[i].x << "," << spots[i].y << std::hex << ": " << got[i] << " instead of "
                << colours[i];
    }
}

// ---- the clipboard

// A 32-bit DIB of the clipboard, as the test process reads it.
struct ClipboardPicture {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;  // top-down
    COLORREF at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

bool readClipboardDib(ClipboardPicture* out) {
    if (!OpenClipboard(nullptr)) return false;
    bool ok = false;
    if (HANDLE data = GetClipboardData(CF_DIB)) {
        const auto* info = static_cast<const BITMAPINFOHEADER*>(GlobalLock(data));
        if (info && (info->biBitCount == 32 || info->biBitCount == 24) && info->biCompression != BI_JPEG) {
            out->width = info->biWidth;
            out->height = std::abs(info->biHeight);
            const bool bottomUp = info->biHeight > 0;
            const int bytes = info->biBitCount / 8;
            const size_t stride = (size_t(out->width) * bytes + 3) & ~size_t(3);
            size_t offset = info->biSize + (info->biCompression == BI_BITFIELDS ? 12 : 0) + info->biClrUsed * 4;
            const auto* bits = reinterpret_cast<const BYTE*>(info) + offset;
            out->pixels.resize(size_t(out->width) * out->height);
            for (int y = 0; y < out->height; ++y) {
                const BYTE* row = bits + stride * size_t(bottomUp ? out->height - 1 - y : y);
                for (int x = 0; x < out->width; ++x)
                    out->pixels[size_t(y) * out->width + x] =
                        RGB(row[x * bytes + 2], row[x * bytes + 1], row[x * bytes]);
            }
            ok = true;
        }
        if (info) GlobalUnlock(data);
    }
    CloseClipboard();
    return ok;
}

// Puts a w x h 32-bit picture of four quadrants on the clipboard (SetClipboardData).
bool putQuadrantsOnClipboard(int w, int h, COLORREF tl, COLORREF tr, COLORREF bl, COLORREF br) {
    const size_t bytes = sizeof(BITMAPINFOHEADER) + size_t(w) * h * 4;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    auto* info = static_cast<BITMAPINFOHEADER*>(GlobalLock(block));
    *info = {};
    info->biSize = sizeof *info;
    info->biWidth = w;
    info->biHeight = h;  // bottom-up, as programs usually put it
    info->biPlanes = 1;
    info->biBitCount = 32;
    info->biCompression = BI_RGB;
    auto* bits = reinterpret_cast<DWORD*>(info + 1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool right = x >= w / 2, bottom = y >= h / 2;
            const COLORREF c = bottom ? (right ? br : bl) : (right ? tr : tl);
            bits[size_t(h - 1 - y) * w + x] =
                0xFF000000u | DWORD(GetRValue(c)) << 16 | DWORD(GetGValue(c)) << 8 | GetBValue(c);
        }
    GlobalUnlock(block);
    if (!OpenClipboard(nullptr)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool ok = SetClipboardData(CF_DIB, block) != nullptr;
    CloseClipboard();
    if (!ok) GlobalFree(block);
    return ok;
}

TEST_F(FilesTest, CopyPutsTheShownPictureOnTheClipboard) {
    openQuadrants("copy");
    if (HasFatalFailure()) return;
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    const DWORD before = GetClipboardSequenceNumber();
    viewer.command(cmd::kCopyOriginal);
    ASSERT_TRUE(waitUntil([&] { return GetClipboardSequenceNumber() != before && IsClipboardFormatAvailable(CF_DIB); }))
        << "nothing came onto the clipboard";
    ClipboardPicture copied;
    ASSERT_TRUE(waitUntil([&] { return readClipboardDib(&copied); })) << "the clipboard holds no readable DIB";
    ASSERT_EQ(copied.width, 64);
    ASSERT_EQ(copied.height, 48);
    EXPECT_EQ(copied.at(8, 8), kRed);
    EXPECT_EQ(copied.at(56, 8), kGreen);
    EXPECT_EQ(copied.at(8, 40), kBlue);
    EXPECT_EQ(copied.at(56, 40), kYellow);
}

// A picture pasted from the clipboard is shown with its colours in place; it has no file,
// so the file commands refuse it, even when a file of its made-up name exists in the
// folder it is named after.
TEST_F(FilesTest, PastedPictureIsShownAndTheFileCommandsRefuseIt) {
    openQuadrants("paste");
    if (HasFatalFailure()) return;
    const std::wstring lookalike = folder->bmp(L"From Clipboard.bmp", 20, 20, e2e::flat(kGreen));
    ASSERT_TRUE(putQuadrantsOnClipboard(120, 80, kYellow, kBlue, kGreen, kRed));
    viewer.command(cmd::kPaste);
    ASSERT_TRUE(waitUntil([&] { return viewer.title().find(L"From Clipboard") != std::wstring::npos; }))
        << "title: " << viewer.title();
    ScreenPixels pixels(RECT{});
    ASSERT_TRUE(pixelsSettle(&pixels, [](const ScreenPixels& p) { return p.countNear(kRed) >= 60 * 40; }))
        << "the pasted picture was not shown";
    POINT yellow = {}, blue = {}, green = {}, red = {};
    for (auto [colour, centre] : {std::pair{kYellow, &yellow}, {kBlue, &blue}, {kGreen, &green}, {kRed, &red}})
        EXPECT_NEAR(pixels.countNear(colour, centre), 60 * 40, 60 * 40 / 20);
    EXPECT_LT(yellow.x, blue.x);
    EXPECT_LT(yellow.y, green.y);
    EXPECT_LT(green.x, red.x);

    const std::vector<HWND> windowsBefore = viewer.topWindows();
    const SIZE shown = viewer.windowSize();
    viewer.command(cmd::kDeleteFile);
    viewer.key(VK_DELETE);
    viewer.command(cmd::kLocateFile);
    viewer.command(cmd::kFileProperty);
    // The zoom key after them shows when they were handled: the window grows.
    viewer.key(VK_UP);
    const SIZE after = sizeAfterChangeFrom(shown);
    ASSERT_FALSE(after.cx == shown.cx && after.cy == shown.cy) << "the zoom key after the commands changed nothing";
    EXPECT_TRUE(e2e::visibleDialogs(viewer).empty()) << "a question or a property sheet came up";
    for (HWND w : viewer.topWindows())
        if (IsWindowVisible(w) && std::find(windowsBefore.begin(), windowsBefore.end(), w) == windowsBefore.end())
            ADD_FAILURE() << "a window came up: " << e2e::classOf(w) << " \"" << e2e::textOf(w) << "\"";
    EXPECT_TRUE(e2e::fileExists(lookalike)) << "the file of the pasted picture's made-up name was deleted";
    EXPECT_NE(viewer.title().find(L"From Clipboard"), std::wstring::npos);
}

// ---- Delete

// The host's trash folder (the freedesktop one Wine moves deleted files into), as the
// host's shell names it.
constexpr const char* kTrashFiles = "${XDG_DATA_HOME:-$HOME/.local/share}/Trash/files";

TEST_F(FilesTest, DeletingTheOnlyPictureMovesItToTheTrashAndShowsTheEmptyViewer) {
    PictureFolder only("delete-only");
    const std::wstring name =
        L"only-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount64()) + L".bmp";
    const std::wstring path = only.bmp(name, 80, 60, e2e::flat(kGreen));
    ASSERT_TRUE(open({path}));
    ASSERT_TRUE(titleBecomes(name));
    viewer.key(VK_DELETE);
    HWND question = viewer.waitForDialog();
    ASSERT_NE(question, nullptr) << "Delete asked nothing";
    EXPECT_NE(e2e::findChildWithText(question, L"Are you sure you want to delete this file?"), nullptr);
    e2e::ViewerProcess::answer(question, IDYES);

    EXPECT_TRUE(titleBecomes(L"Glimmer")) << "title: " << viewer.title();
    EXPECT_TRUE(waitUntil([&] { return !e2e::fileExists(path); })) << "the file is still in its folder";
    ScreenPixels pixels(RECT{});
    EXPECT_TRUE(pixelsSettle(&pixels, [](const ScreenPixels& p) { return p.countNear(kGreen, nullptr, 4) == 0; }))
        << "the deleted picture is still shown";
    // When the trash is where this host keeps it, the file is there.
    const std::string trash = kTrashFiles;
    if (testsupport::runHost("test -d \"" + trash + "\""))
        EXPECT_TRUE(testsupport::runHost("test -f \"" + trash + "/" + e2e::narrow(name) + "\""))
            << e2e::narrow(name) << " is not in the trash";
}

}  // namespace
