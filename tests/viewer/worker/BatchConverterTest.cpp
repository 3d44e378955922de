// The batch conversion on its worker thread: real pictures made by ImageMagick are
// converted, and the results checked by ImageMagick (format and size); the progress the
// listener receives, skipped and failed files, the stop, and the run's own copies of the
// filter set and the save options.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "imaging/settings/EncodeSetting.h"
#include "platform/xmlstore/MappedData.h"
#include "gui/window/WindowTestSupport.h"
#include "support/HostTool.h"
#include "viewer/effects/EffectData.h"
#include "viewer/worker/ViewerWorker.h"

using namespace s::image::gui::dialogs::imageview;
using testsupport::runHost;
using testsupport::winPath;

namespace {

// A run converts several pictures: allow it far more than a window test's default.
bool waitFor(const std::function<bool()>& done, DWORD timeoutMs = 30000) {
    return windowtest::waitFor(done, timeoutMs);
}

// Records every call; hooks run on the worker thread inside the calls.
class RecordingListener : public IConvertListener {
public:
    struct File {
        int32_t count, index;
        std::wstring name;
        bool finished = false;
        FileOutcome outcome = FileOutcome::Converted;
        std::wstring output;
    };

    void convertStarted(int32_t count) override {
        {
            std::lock_guard<std::mutex> lock(mutex);
            startCount = count;
            ++starts;
        }
        if (onStart) onStart();
    }
    void fileStarted(int32_t count, int32_t index, const wchar_t* name) override {
        {
            std::lock_guard<std::mutex> lock(mutex);
            files.push_back({count, index, name});
        }
        if (onFile) onFile(index);
    }
    void fileFinished(int32_t index, FileOutcome outcome, const wchar_t* output) override {
        std::lock_guard<std::mutex> lock(mutex);
        for (File& f : files)
            if (f.index == index) {
                f.finished = true;
                f.outcome = outcome;
                f.output = output;
            }
    }
    void convertEnded(const ConvertSummary& s) override {
        std::lock_guard<std::mutex> lock(mutex);
        summary = s;
        ++ends;
    }

    std::mutex mutex;
    int32_t starts = 0, ends = 0, startCount = -1;
    std::vector<File> files;
    ConvertSummary summary;
    std::function<void()> onStart;
    std::function<void(int32_t)> onFile;
};

class BatchConverterTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        dir = testsupport::makeTempDir("batch_" + name);
        store = s::xml::MappedData::openFile(winPath(dir + "/Settings.xml").c_str());
    }
    void TearDown() override { store->release(); }

    // Pictures of the given size, the format following the extension.
    bool make(const std::vector<std::string>& names, const std::string& size = "80x60") {
        std::string command = "cd '" + dir + "'";
        for (const std::string& n : names) command += " && convert -size " + size + " plasma:fractal '" + n + "'";
        return runHost(command);
    }
    std::wstring win(const std::string& name) const { return winPath(dir + "/" + name); }
    // True when the file is a picture of that ImageMagick format and size.
    bool isPicture(const std::string& name, const std::string& magick, int w, int h) const {
        return runHost("test \"$(identify -format '%m %w %h' '" + dir + "/" + name + "[0]')\" = '" + magick + " " +
                       std::to_string(w) + " " + std::to_string(h) + "'");
    }
    bool exists(const std::string& name) const { return runHost("test -f '" + dir + "/" + name + "'"); }

    // A request for the files of the test's folder, reading the test's store.
    ConvertRequest request(int32_t type, const wchar_t* format, const std::vector<std::string>& names) const {
        ConvertRequest r;
        r.type = type;
        r.format = format;
        r.store = store;
        for (const std::string& n : names) r.files.push_back(win(n));
        return r;
    }
    // Queues the request and waits for the end of the run.
    void convert(ViewerWorker& converter, const ConvertRequest& request) {
        ASSERT_TRUE(converter.queueConversion(request));
        ASSERT_TRUE(waitFor([&] { return !converter.isRunning(); }));
    }

    std::string dir;
    s::xml::MappedData* store = nullptr;
    RecordingListener listener;
};

struct SizeCase {
    const char* format;
    const char* magick;
};

TEST_F(BatchConverterTest, FilesOfEveryFormatAreConvertedToTheChosenFormatAtTheSize) {
    ASSERT_TRUE(make({"a.png", "b.jpg", "c.bmp", "d.gif"}));
    for (const SizeCase& c : {SizeCase{"png", "PNG"}, SizeCase{"jpg", "JPEG"}, SizeCase{"bmp", "BMP3"}}) {
        SCOPED_TRACE(c.format);
        ViewerWorker converter(&listener, nullptr);
        const std::wstring format(c.format, c.format + strlen(c.format));
        ConvertRequest request =
            this->request(kConvertSpecificSize, format.c_str(), {"a.png", "b.jpg", "c.bmp", "d.gif"});
        request.width = 40;
        request.height = 30;
        convert(converter, request);
        EXPECT_EQ(listener.summary.converted, 4);
        EXPECT_EQ(listener.summary.failed, 0);
        for (const char* title : {"a", "b", "c", "d"}) {
            const std::string out = std::string(title) + " (40x30)." + c.format;
            EXPECT_TRUE(isPicture(out, c.magick, 40, 30)) << out;
        }
    }
}

TEST_F(BatchConverterTest, EveryFrameOfAnAnimationIsScaled) {
    ASSERT_TRUE(runHost("cd '" + dir + "' && convert -delay 10 -size 80x60 xc:red xc:lime xc:blue -loop 0 anim.gif"));
    ViewerWorker converter(&listener, nullptr);
    ConvertRequest request = this->request(kConvertSpecificSize, L"gif", {"anim.gif"});
    request.width = 40;
    request.height = 30;
    request.autoSharpen = false;
    convert(converter, request);
    EXPECT_EQ(listener.summary.converted, 1);
    EXPECT_TRUE(runHost("test \"$(identify -format '%m %w %h,' '" + dir +
                        "/anim (40x30).gif')\" = " + "'GIF 40 30,GIF 40 30,GIF 40 30,'"));
}

TEST_F(BatchConverterTest, ProgressNamesEveryFileAndSkippedFilesAreReported) {
    ASSERT_TRUE(make({"good.png"}));
    ASSERT_TRUE(runHost("cd '" + dir + "' && echo 'not a picture' > bad.png && echo text > note.txt"));
    ViewerWorker converter(&listener, nullptr);
    ConvertRequest request =
        this->request(kConvertSpecificSize, L"png", {"bad.png", "missing.png", "note.txt", "good.png"});
    request.width = request.height = 20;
    request.sizeType = 0;
    convert(converter, request);

    EXPECT_EQ(listener.starts, 1);
    EXPECT_EQ(listener.startCount, 4);
    EXPECT_EQ(listener.ends, 1);
    ASSERT_EQ(listener.files.size(), 4u);
    const wchar_t* names[] = {L"bad.png", L"missing.png", L"note.txt", L"good.png"};
    const FileOutcome outcomes[] = {FileOutcome::Unreadable, FileOutcome::NotAPictureFile, FileOutcome::NotAPictureFile,
                                    FileOutcome::Converted};
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(listener.files[i].count, 4);
        EXPECT_EQ(listener.files[i].index, int32_t(i) + 1);
        EXPECT_EQ(listener.files[i].name, names[i]);
        EXPECT_TRUE(listener.files[i].finished);
        EXPECT_EQ(listener.files[i].outcome, outcomes[i]);
    }
    EXPECT_EQ(listener.summary.converted, 1);
    EXPECT_EQ(listener.summary.skipped, 3);
    EXPECT_FALSE(listener.summary.stopped);
    EXPECT_TRUE(isPicture("good (20x20).png", "PNG", 20, 20));
    EXPECT_FALSE(exists("bad (20x20).png"));
}

TEST_F(BatchConverterTest, StopEndsTheRunAfterTheFileInHand) {
    ASSERT_TRUE(make({"a.png", "b.png", "c.png"}));
    ViewerWorker converter(&listener, nullptr);
    listener.onFile = [&](int32_t index) {
        if (index == 1) converter.requestStop();
    };
    ConvertRequest request = this->request(kConvertSpecificFormat, L"bmp", {"a.png", "b.png", "c.png"});
    convert(converter, request);

    EXPECT_EQ(listener.ends, 1);
    EXPECT_TRUE(listener.summary.stopped);
    EXPECT_EQ(listener.summary.attempted, 1);
    ASSERT_EQ(listener.files.size(), 1u);
    EXPECT_EQ(listener.files[0].outcome, FileOutcome::Converted);
    EXPECT_TRUE(isPicture("a.bmp", "BMP3", 80, 60));
    EXPECT_FALSE(exists("b.bmp"));

    // The next run starts afresh.
    listener.onFile = nullptr;
    request.files = {win("b.png")};
    convert(converter, request);
    EXPECT_FALSE(listener.summary.stopped);
    EXPECT_TRUE(exists("b.bmp"));
}

TEST_F(BatchConverterTest, TheQueuedRunKeepsItsCopyOfTheSetAndTheSaveOptions) {
    ASSERT_TRUE(make({"a.png"}));
    store->setInt(L"ConvertTo\\Jpg\\JpgEncodeSetting", L"Quality", 20);
    EffectData* set = EffectData::create();
    set->name->setText(L"Small");
    set->sizingAdded = true;
    set->widthPixels = 40;
    set->heightPixels = 30;
    set->filterOrder.addText(filtername::kScale);

    HANDLE gate = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    listener.onStart = [&] { WaitForSingleObject(gate, 30000); };
    ViewerWorker converter(&listener, nullptr);
    ConvertRequest request = this->request(kConvertFilterSet, L"jpg", {"a.png"});
    request.filterSet = set;
    ASSERT_TRUE(converter.queueConversion(request));
    EXPECT_FALSE(converter.queueConversion(request));  // one run at a time
    ASSERT_TRUE(waitFor([&] {
        std::lock_guard<std::mutex> lock(listener.mutex);
        return listener.starts == 1;
    }));
    // The GUI changes the set, its save options, then gives the set back.
    set->name->setText(L"Large");
    set->widthPixels = 70;
    set->heightPixels = 50;
    set->filterOrder.clear();
    set->release();
    store->setInt(L"ConvertTo\\Jpg\\JpgEncodeSetting", L"Quality", 95);
    SetEvent(gate);
    ASSERT_TRUE(waitFor([&] { return !converter.isRunning(); }));
    CloseHandle(gate);

    EXPECT_EQ(listener.summary.converted, 1);
    EXPECT_TRUE(isPicture("a - Small.jpg", "JPEG", 40, 30));
    EXPECT_TRUE(runHost("test \"$(identify -format '%Q' '" + dir + "/a - Small.jpg')\" = 20"));
    EXPECT_FALSE(exists("a - Large.jpg"));
}

TEST_F(BatchConverterTest, ASetNameWithPathCharactersMakesAValidFileName) {
    ASSERT_TRUE(make({"a.png"}));
    EffectData* set = EffectData::create();
    set->name->setText(L"x/y:z*?\"<>|\\w");
    ViewerWorker converter(&listener, nullptr);
    ConvertRequest request = this->request(kConvertFilterSet, L"png", {"a.png"});
    request.filterSet = set;
    convert(converter, request);
    set->release();
    EXPECT_EQ(listener.summary.converted, 1);
    EXPECT_TRUE(isPicture("a - x_y_z_______w.png", "PNG", 80, 60));
    EXPECT_EQ(safeFileNamePart(L"a/b:c"), L"a_b_c");
}

TEST_F(BatchConverterTest, AnUnwritableOutputFolderIsReportedAsAFailure) {
    ASSERT_TRUE(make({"a.png"}));
    ASSERT_TRUE(runHost("cd '" + dir + "' && echo x > plainfile"));
    ViewerWorker converter(&listener, nullptr);
    ConvertRequest request = this->request(kConvertSpecificFormat, L"png", {"a.png"});
    request.outputFolder = win("plainfile") + L"\\out";
    convert(converter, request);
    EXPECT_EQ(listener.summary.converted, 0);
    EXPECT_EQ(listener.summary.failed, 1);
    ASSERT_EQ(listener.files.size(), 1u);
    EXPECT_EQ(listener.files[0].outcome, FileOutcome::WriteFailed);
    EXPECT_EQ(listener.files[0].output, win("plainfile") + L"\\out\\a.png");
}

// Outputs that would fall on a source or on each other (a.jpg and a.png both to a.png) get
// free names: no source and no earlier output is overwritten; a damaged file is skipped.
TEST_F(BatchConverterTest, OutputsNeverOverwriteASourceOrEachOther) {
    ASSERT_TRUE(make({"a.jpg", "a.png"}));
    ASSERT_TRUE(runHost("cd '" + dir + "' && echo 'not a picture' > b.png && md5sum a.jpg a.png > sums"));
    ViewerWorker converter(&listener, nullptr);
    convert(converter, this->request(kConvertSpecificFormat, L"png", {"a.jpg", "a.png", "b.png"}));
    EXPECT_EQ(listener.summary.converted, 2);
    EXPECT_EQ(listener.summary.skipped, 1);
    EXPECT_EQ(listener.summary.failed, 0);
    EXPECT_TRUE(runHost("cd '" + dir + "' && md5sum -c --quiet sums")) << "a source was changed";
    ASSERT_EQ(listener.files.size(), 3u);
    EXPECT_EQ(listener.files[0].output, win("a (1).png"));
    EXPECT_EQ(listener.files[1].output, win("a (2).png"));
    EXPECT_EQ(listener.files[2].outcome, FileOutcome::Unreadable);
    EXPECT_TRUE(isPicture("a (1).png", "PNG", 80, 60));
    EXPECT_TRUE(isPicture("a (2).png", "PNG", 80, 60));
    EXPECT_FALSE(exists("b (1).png"));
}

TEST_F(BatchConverterTest, SizeFieldsAreClampedToASaneRange) {
    struct Case {
        int32_t in, out;
    };
    for (const Case& c : {Case{-5, 1}, Case{0, 1}, Case{1, 1}, Case{640, 640}, Case{kMaxConvertSide, kMaxConvertSide},
                          Case{99999, kMaxConvertSide}, Case{INT32_MIN, 1}, Case{INT32_MAX, kMaxConvertSide}})
        EXPECT_EQ(clampConvertSide(c.in), c.out) << c.in;

    ASSERT_TRUE(make({"a.png"}));
    ViewerWorker converter(&listener, nullptr);
    ConvertRequest request = this->request(kConvertSpecificSize, L"png", {"a.png"});
    request.width = -5;
    request.height = 0;
    request.sizeType = 0;
    convert(converter, request);
    EXPECT_EQ(listener.summary.converted, 1);
    EXPECT_TRUE(isPicture("a (1x1).png", "PNG", 1, 1));
}

TEST_F(BatchConverterTest, SameFormatWritesIntoTheFirstFilesFolderUnderFreeNames) {
    ASSERT_TRUE(runHost("mkdir -p '" + dir + "/one' '" + dir + "/two'"));
    ASSERT_TRUE(make({"one/p.PNG", "two/q.jpg", "one/q.jpg"}));
    ViewerWorker converter(&listener, nullptr);
    ConvertRequest request = this->request(kConvertSpecificFormat, kSameFormat, {"one/p.PNG", "two/q.jpg"});
    convert(converter, request);
    EXPECT_EQ(listener.summary.converted, 2);
    EXPECT_TRUE(isPicture("one/p (1).PNG", "PNG", 80, 60));
    EXPECT_TRUE(isPicture("one/q (1).jpg", "JPEG", 80, 60));
    EXPECT_FALSE(exists("two/q (1).jpg"));
}

TEST(EncodeSettingFor, TheBackgroundFollowsTheSetsBackgroundType) {
    EffectData* set = EffectData::create();
    set->bgCustomColor = 0x332211;  // red 0x11, green 0x22, blue 0x33
    struct Case {
        int32_t type;
        bool keep;
        int32_t r, g, b;
    };
    for (const Case& c : {Case{0, false, 255, 255, 255}, Case{1, false, 204, 204, 204}, Case{2, false, 0, 0, 0},
                          Case{3, false, 0x11, 0x22, 0x33}, Case{4, true, 255, 255, 255}}) {
        SCOPED_TRACE(c.type);
        set->bgType = c.type;
        auto* png = dynamic_cast<s::image::png::EncodeSetting*>(encodeSettingFor(L"PNG", set, nullptr));
        ASSERT_NE(png, nullptr);
        EXPECT_EQ(png->keepTransparency, c.keep);
        if (!c.keep)
            EXPECT_EQ((std::vector<int32_t>{png->backRed, png->backGreen, png->backBlue}),
                      (std::vector<int32_t>{c.r, c.g, c.b}));
        png->release();
        auto* jpg = dynamic_cast<s::image::jpg::EncodeSetting*>(encodeSettingFor(L"jpeg", set, nullptr));
        ASSERT_NE(jpg, nullptr);
        EXPECT_EQ((std::vector<int32_t>{jpg->backRed, jpg->backGreen, jpg->backBlue}),
                  (std::vector<int32_t>{c.r, c.g, c.b}));
        jpg->release();
    }
    EXPECT_EQ(encodeSettingFor(L"tif", set, nullptr), nullptr);
    set->release();
}

}  // namespace
