// The viewer's two slow jobs seen from outside: the slide show stepping through the
// folder at its interval and stopping on demand, and the batch conversion of files
// dropped on the "Convert at Once" page, whose results the host's ImageMagick reads.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "e2e/support/PictureFiles.h"
#include "e2e/support/SavedSettings.h"
#include "e2e/support/ViewerFixture.h"
#include "e2e/support/ViewerProcess.h"

namespace {

using e2e::flat;
using e2e::PictureFolder;
using e2e::waitUntil;

using e2e::kBlue;
using e2e::kGreen;
using e2e::kRed;
using e2e::kYellow;

namespace cmd = e2e::cmd;

constexpr const wchar_t* kSlideShowSection = L"MainWindow\\SlideShow";
constexpr const wchar_t* kConvertSection = L"MainWindow\\Convert";

// ---- the slide show

class SlideShowTest : public e2e::ViewerTest {
protected:
    // The viewer on the first of three pictures, the bars kept shown (the slide-show
    // panel's button is read and pressed), the panel chosen and its button up.
    void openFolderWithInterval(const wchar_t* storedInterval) {
        e2e::clearSettings();
        e2e::putDword(e2e::kView, L"AutoHideButtons", 0);
        e2e::putText(kSlideShowSection, L"MSec", storedInterval);
        folder = std::make_unique<PictureFolder>("slides");
        folder->bmp(L"a.bmp", 60, 40, flat(kRed));
        folder->bmp(L"b.bmp", 60, 40, flat(kGreen));
        folder->bmp(L"c.bmp", 60, 40, flat(kBlue));
        ASSERT_TRUE(open({folder->path() + L"\\a.bmp"}));
        ASSERT_TRUE(titleBecomes(L"a.bmp"));
        viewer.commandToChildren(cmd::kPanelSlideShow);
        ASSERT_TRUE(buttonShows(L"Start")) << "the slide-show panel's \"Start\" button never showed";
    }
    bool buttonShows(const wchar_t* text) {
        return waitUntil([&] { return e2e::findChildWithText(viewer.window(), text) != nullptr; });
    }
    std::unique_ptr<PictureFolder> folder;
};

// A stored negative interval falls back to 1800 ms: the first step comes at once, the
// next ones about 1.8 s apart. Stopped, the show holds the picture, the window answers at
// once and the arrow keys browse again.
struct StartStop {
    const char* name;
    bool byButton;  // the panel's Start/Stop button, else the right-click command
};
constexpr StartStop kStartStops[] = {{"Command", false}, {"PanelButton", true}};

void PrintTo(const StartStop& c, std::ostream* os) { *os << c.name; }

class SlideShowStartStopTest : public SlideShowTest, public ::testing::WithParamInterface<StartStop> {};

TEST_P(SlideShowStartStopTest, NegativeStoredIntervalShowsEvery1800MsAndStoppingKeepsTheWindowResponsive) {
    const StartStop& c = GetParam();
    openFolderWithInterval(L"-5");
    if (HasFatalFailure()) return;
    auto press = [&](const wchar_t* button) {
        if (c.byButton)
            EXPECT_TRUE(e2e::clickButton(viewer.window(), button)) << "no button " << button;
        else
            viewer.command(cmd::kSlideShow);
    };
    press(L"Start");
    const ULONGLONG started = GetTickCount64();
    // b at once, then c and a (the show repeats past the last picture).
    ULONGLONG at[3] = {};
    const wchar_t* order[3] = {L"b.bmp", L"c.bmp", L"a.bmp"};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(titleBecomes(order[i], 8000)) << "title " << viewer.title() << " instead of " << order[i];
        at[i] = GetTickCount64();
    }
    EXPECT_LT(at[0] - started, 1200u) << "the first step did not come at once";
    // Each step is due one interval after the one before was due: c at 1.8 s, a at
    // 3.6 s after the start (never earlier; later by what a loaded machine takes).
    for (int i = 1; i < 3; ++i) {
        const ULONGLONG since = at[i] - started;
        EXPECT_GE(since, ULONGLONG(1800 * i - 50)) << "step " << i << " came after " << since << " ms";
        EXPECT_LE(since, ULONGLONG(1800 * i + 1500)) << "step " << i << " came after " << since << " ms";
    }
    EXPECT_EQ(e2e::settingText(kSlideShowSection, L"MSec"), L"1800");

    press(L"Stop");
    ASSERT_TRUE(buttonShows(L"Start")) << "the show did not end";
    const std::wstring held = viewer.title();
    EXPECT_TRUE(answersWithin(1000)) << "the window is busy after the show stopped";
    EXPECT_FALSE(waitUntil([&] { return viewer.title() != held; }, 2200))
        << "the picture still changes: " << viewer.title();
    viewer.key(VK_RIGHT);
    const std::wstring next = held == L"a.bmp" ? L"b.bmp" : held == L"b.bmp" ? L"c.bmp" : L"a.bmp";
    EXPECT_TRUE(titleBecomes(next)) << "Right after the stop: " << viewer.title();
}

INSTANTIATE_TEST_SUITE_P(By, SlideShowStartStopTest, ::testing::ValuesIn(kStartStops),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the batch conversion

// The files of a folder (names only).
std::vector<std::wstring> filesOf(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

class ConvertTest : public e2e::ViewerTest {
protected:
    // The empty viewer with the conversion settings stored, on the "Convert at Once" page.
    // A panel's button pressed first (null: none) sets the current filter values.
    void openConvertPage(const std::map<std::wstring, std::wstring>& texts,
                         const std::map<std::wstring, DWORD>& numbers, UINT panel = 0,
                         const wchar_t* button = nullptr) {
        e2e::clearSettings();
        e2e::putDword(e2e::kView, L"AutoHideButtons", 0);
        for (const auto& [name, text] : texts) e2e::putText(kConvertSection, name.c_str(), text.c_str());
        for (const auto& [name, value] : numbers) e2e::putDword(kConvertSection, name.c_str(), value);
        ASSERT_TRUE(open());
        ASSERT_TRUE(titleBecomes(L"Glimmer"));
        if (button) {
            viewer.commandToChildren(panel);
            ASSERT_TRUE(waitUntil([&] { return e2e::clickButton(viewer.window(), button); })) << "no " << button;
        }
        viewer.commandToChildren(cmd::kPanelConvert);
        // The page is up once its width field (the stored width) shows.
        const auto width = numbers.find(L"Size_Width");
        const std::wstring shown = std::to_wstring(width == numbers.end() ? 200 : width->second);
        ASSERT_TRUE(waitUntil([&] { return e2e::findChildWithText(viewer.window(), shown) != nullptr; }))
            << "the convert page did not show";
    }
    // Waits until the folder holds that many files more than before, each written; the
    // new ones.
    std::vector<std::wstring> newFiles(const PictureFolder& folder, const std::vector<std::wstring>& before,
                                       size_t count, DWORD timeoutMs = 30000) {
        std::vector<std::wstring> added;
        waitUntil(
            [&] {
                added.clear();
                for (const auto& name : filesOf(folder.path()))
                    if (std::find(before.begin(), before.end(), name) == before.end()) added.push_back(name);
                return added.size() >= count;
            },
            timeoutMs);
        for (const auto& name : added) e2e::fileWritten(folder.path() + L"\\" + name);
        return added;
    }
};

struct ConvertCase {
    const char* name;
    std::map<std::wstring, std::wstring> texts;
    std::map<std::wstring, DWORD> numbers;
    const char* format;  // as identify names it
    int width, height;   // of each output
    int tolerance;       // of its colours
    int monotone = 0;    // the monochrome mode of the current filter values, 0 none
};
const ConvertCase kConvertCases[] = {
    {"SizePng",
     {{L"Type", L"SpecificSize"}, {L"FilterSetAndSize_Format", L"png"}},
     {{L"Size_Width", 40}, {L"Size_Height", 30}, {L"Size_Type", 0}, {L"Size_AutoSharpen", 0}},
     "PNG",
     40,
     30,
     8},
    {"FormatBmp", {{L"Type", L"SpecificFormat"}, {L"Format_Format", L"bmp"}}, {}, "BMP3", 64, 48, 8},
    {"CurrentSetGrayscaleGif",
     {{L"Type", L"FilterSet"}, {L"FilterSetAndSize_Format", L"gif"}},
     {},
     "GIF",
     64,
     48,
     8,
     1},
};

void PrintTo(const ConvertCase& c, std::ostream* os) { *os << c.name; }

class ConvertKindTest : public ConvertTest, public ::testing::WithParamInterface<ConvertCase> {};

// Pictures of four formats and a damaged file dropped together: each picture is
// converted into the chosen format (and size) next to the first one, the damaged file is
// skipped without an output, and the page is ready for the next drop.
TEST_P(ConvertKindTest, DroppedFilesOfSeveralFormatsAreConvertedAndTheDamagedOneSkipped) {
    const ConvertCase& c = GetParam();
    PictureFolder folder("convert");
    const struct {
        const char* stem;
        const char* extension;
        COLORREF colour;
    } sources[] = {{"a", "jpg", kRed}, {"b", "png", kGreen}, {"c", "gif", kBlue}, {"d", "bmp", kYellow}};
    std::vector<std::wstring> dropped;
    for (const auto& s : sources) {
        const std::wstring bmp = std::wstring(s.stem, s.stem + 1) + L"-source.bmp";
        folder.bmp(bmp, 64, 48, flat(s.colour));
        const std::string name = std::string(s.stem) + "." + s.extension;
        dropped.push_back(std::string(s.extension) == "bmp"
                              ? folder.bmp(std::wstring(name.begin(), name.end()), 64, 48, flat(s.colour))
                              : folder.convert(e2e::narrow(bmp), name));
        DeleteFileW((folder.path() + L"\\" + bmp).c_str());
        ASSERT_FALSE(dropped.back().empty()) << name;
        if (dropped.size() == 2) dropped.push_back(folder.junk(L"damaged.jpg"));
    }
    const std::vector<std::wstring> before = filesOf(folder.path());
    openConvertPage(c.texts, c.numbers, cmd::kPanelMonochrome, c.monotone ? L"Grayscale" : nullptr);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(viewer.dropFiles(dropped));

    const std::vector<std::wstring> added = newFiles(folder, before, 4);
    ASSERT_EQ(added.size(), 4u) << "the outputs written: " << added.size();
    for (const auto& s : sources) {
        SCOPED_TRACE(s.stem);
        const auto output = std::find_if(added.begin(), added.end(), [&](const std::wstring& name) {
            return !name.empty() && name[0] == wchar_t(s.stem[0]);
        });
        ASSERT_NE(output, added.end()) << "no output of " << s.stem;
        SCOPED_TRACE(e2e::narrow(*output));
        const std::string path = folder.unixPathOf(e2e::narrow(*output));
        EXPECT_EQ(e2e::identify(path),
                  std::string(c.format) + " " + std::to_string(c.width) + " " + std::to_string(c.height));
        const COLORREF centre = e2e::hostPixel(path, c.width / 2, c.height / 2);
        const COLORREF expected = c.monotone ? e2e::libraryMonotone(s.colour, c.monotone) : s.colour;
        EXPECT_TRUE(e2e::closeTo(centre, expected, c.tolerance))
            << std::hex << "colour " << centre << " instead of about " << expected;
    }
    for (const auto& name : added) EXPECT_NE(name.rfind(L"damaged", 0), 0u) << "the damaged file gave an output";
    // Skipped, the damaged file stays as it was, and the run ends: the page takes the
    // next drop (the viewer stays responsive and opens nothing).
    EXPECT_TRUE(e2e::fileExists(dropped[2]));
    EXPECT_TRUE(answersWithin(2000));
    EXPECT_EQ(viewer.title(), L"Glimmer");
}

INSTANTIATE_TEST_SUITE_P(Into, ConvertKindTest, ::testing::ValuesIn(kConvertCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Closing the window in the middle of a long conversion stops it after the file in hand:
// the program ends, what it wrote is whole, and the later files are left unconverted.
TEST_F(ConvertTest, ClosingDuringAConversionEndsItAfterTheFileInHand) {
    PictureFolder folder("convert-stop");
    std::vector<std::wstring> dropped;
    dropped.push_back(folder.bmp(L"p01.bmp", 400, 300, e2e::quadrants(kRed, kGreen, kBlue, kYellow)));
    for (int i = 2; i <= 40; ++i) {
        wchar_t name[16];
        swprintf(name, 16, L"\\p%02d.bmp", i);
        dropped.push_back(folder.path() + name);
        ASSERT_TRUE(CopyFileW(dropped.front().c_str(), dropped.back().c_str(), FALSE));
    }
    const std::vector<std::wstring> before = filesOf(folder.path());
    // Enlarged and sharpened into JPEG: each file takes a while, the whole run seconds.
    openConvertPage({{L"Type", L"SpecificSize"}, {L"FilterSetAndSize_Format", L"jpg"}},
                    {{L"Size_Width", 4000}, {L"Size_Height", 3000}, {L"Size_Type", 0}, {L"Size_AutoSharpen", 1}});
    if (HasFatalFailure()) return;
    ASSERT_TRUE(viewer.dropFiles(dropped));
    ASSERT_TRUE(waitUntil([&] { return filesOf(folder.path()).size() > before.size(); })) << "nothing was converted";

    PostMessageW(viewer.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(viewer.waitForExit(), DWORD(0)) << "the program did not end after its window closed";
    const std::vector<std::wstring> added = newFiles(folder, before, 0, 0);
    EXPECT_GE(added.size(), 1u);
    EXPECT_LT(added.size(), dropped.size() / 2) << "the close did not stop the run";
    for (const auto& name : added) {
        SCOPED_TRACE(e2e::narrow(name));
        EXPECT_EQ(e2e::identify(folder.unixPathOf(e2e::narrow(name))), "JPEG 4000 3000") << "a partly written output";
    }
}

}  // namespace
