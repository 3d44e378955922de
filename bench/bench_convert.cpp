// Times the viewer's batch conversion of 12-megapixel JPEGs to 1600 x 1200 PNG and to
// JPEG quality 85 against the same decode, resample and encode done by the imaging
// layer's own calls in a plain loop, and against ImageMagick's mogrify on the same
// files, run natively on the host with one thread.
//
// The pictures are made here (photo-like: smooth light, soft shapes, sensor-like noise,
// each file a little different), written as JPEG quality 92 into the build folder and
// kept for the next run. The three sides, each on one thread:
//   program  the viewer's worker converting them ("specific size" 1600 x 1200, ratio
//            kept, no sharpening) into a folder of its own, the save options read from
//            a settings store (PNG not interlaced, JPEG quality 85), timed from the
//            queueing to the end of the run;
//   library  openImageFile, toImage, the bilinear scaleImage to the same size, the
//            format's encode setting (the same options) and save, file by file;
//   mogrify  mogrify -limit thread 1 -resize 1600x1200 (-quality 85) -path ... on a copy
//            of the files, timed by the host shell around mogrify alone.
// After one untimed warm-up run of each side on a few files, the runs take turns (the
// order rotating run by run); every output folder is emptied before a side runs, outside
// the time. mogrify is started through a host shell started before any picture is made
// (see HostShell). At the end every output of every side is checked to be 1600 x 1200.
//
//   scripts/bench.sh bench_convert                   (20 files, 3 runs)
//   BENCH_ARGS="100 3" scripts/bench.sh bench_convert   (the full batch of 100)
//   BENCH_MOGRIFY=off    the program against the library alone
//   BENCH_VERBOSE=1      the library side's decode, resample and encode of every file
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "bench/BenchPictures.h"
#include "bench/BenchSupport.h"
#include "imaging/codec/EncodedImage.h"
#include "imaging/codec/ImageFactory.h"
#include "imaging/filters/Scale.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/settings/EncodeSetting.h"
#include "platform/xmlstore/MappedData.h"
#include "support/HostTool.h"
#include "viewer/worker/BatchConverter.h"
#include "viewer/worker/ViewerWorker.h"

namespace {

using s::image::win::BufferedImage;
using namespace s::image::gui::dialogs::imageview;
using testsupport::runHost;
using testsupport::winPath;

constexpr int kSourceW = 4000, kSourceH = 3000;
constexpr int kOutW = 1600, kOutH = 1200;
constexpr int kQuality = 85;

const std::string kRoot = std::string(GLIMMER_BINARY_DIR) + "/bench-convert";

using bench::photoName;
using bench::quoted;

std::wstring widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

// The source pictures (kept from run to run) and mogrify's copy of them.
bool makeSources(int count) {
    if (!bench::makePhotoJpegs(kRoot + "/src", count, kSourceW, kSourceH)) return false;
    std::string copy =
        "mkdir -p " + quoted(kRoot + "/magick-src") + " && rm -f " + quoted(kRoot + "/magick-src") + "/*.jpg";
    for (int i = 0; i < count; ++i)
        copy += " && cp " + quoted(kRoot + "/src/" + photoName(i) + ".jpg") + " " + quoted(kRoot + "/magick-src/");
    return runHost(copy, 600000);
}

// Empties (or makes) an output folder from here: starting a host shell for it would
// have Wine fork this process just before a side is timed.
void emptyFolder(const std::string& dir) {
    const std::wstring folder = winPath(dir);
    CreateDirectoryW(folder.c_str(), nullptr);
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(h, &found));
    FindClose(h);
}

// A host shell started once, before the pictures take memory, that runs the commands
// written into its folder. Wine starts a host program by forking this process, and after
// a fork every page the process had written is copied on its next write: a host program
// started between the timed sides would charge whichever side came next.
class HostShell {
public:
    explicit HostShell(const std::string& dir) : dir_(dir) {
        runHost("mkdir -p " + quoted(dir_) + " && rm -f " + quoted(dir_) + "/cmd " + quoted(dir_) + "/done " +
                quoted(dir_) + "/stop");
        const std::string loop = "cd " + quoted(dir_) +
                                 " && while [ ! -e stop ]; do if [ -e cmd ]; then sh cmd > cmd.log 2>&1; "
                                 "echo $? > done.tmp; rm -f cmd; mv done.tmp done; fi; sleep 0.01; done";
        runHost("(" + loop + ") </dev/null >/dev/null 2>&1 &");
    }
    ~HostShell() { write("stop", ""); }

    // Runs the shell command and waits for it; true when it exited 0.
    bool run(const std::string& command) {
        const std::wstring done = winPath(dir_ + "/done");
        DeleteFileW(done.c_str());
        if (!write("cmd.tmp", command) ||
            !MoveFileExW(winPath(dir_ + "/cmd.tmp").c_str(), winPath(dir_ + "/cmd").c_str(), MOVEFILE_REPLACE_EXISTING))
            return false;
        for (;;) {
            std::ifstream in(done.c_str());
            int status = -1;
            if (in >> status) return status == 0;
            Sleep(5);
        }
    }

private:
    bool write(const char* name, const std::string& text) {
        std::ofstream out(winPath(dir_ + "/" + name).c_str(), std::ios::binary);
        out << text << "\n";
        return bool(out);
    }
    std::string dir_;
};

// The viewer's worker reports to nobody here.
class Quiet : public IConvertListener {
public:
    void convertStarted(int32_t) override {}
    void fileStarted(int32_t, int32_t, const wchar_t*) override {}
    void fileFinished(int32_t, FileOutcome outcome, const wchar_t*) override {
        if (outcome != FileOutcome::Converted) ++failures;
    }
    void convertEnded(const ConvertSummary&) override {}
    int failures = 0;
};

struct Sides {
    s::xml::MappedData* store = nullptr;
    Quiet quiet;
    ViewerWorker* worker = nullptr;
    // The library side's decode, resample and encode + write of each file, ms.
    std::vector<double> parts[3];

    // The program's side: one conversion run of the first `count` files.
    double program(const char* format, int count) {
        const std::string out = kRoot + "/program-" + format;
        emptyFolder(out);
        ConvertRequest request;
        request.type = kConvertSpecificSize;
        request.format = widen(format);
        request.width = kOutW;
        request.height = kOutH;
        request.sizeType = 1;
        request.autoSharpen = false;
        request.store = store;
        request.outputFolder = winPath(out);
        for (int i = 0; i < count; ++i) request.files.push_back(winPath(kRoot + "/src/" + photoName(i) + ".jpg"));
        const double t0 = bench::nowMs();
        if (!worker->queueConversion(request)) return -1;
        worker->waitForRun();
        return bench::nowMs() - t0;
    }

    // The library's side: the same work in a plain loop.
    double library(const char* format, int count) {
        const std::string out = kRoot + "/library-" + format;
        emptyFolder(out);
        const double t0 = bench::nowMs();
        s::image::EncodeSettingBase* setting = nullptr;
        if (!std::strcmp(format, "png")) {
            auto* png = s::image::png::EncodeSetting::create();
            png->withInterlace = false;
            setting = png;
        } else {
            auto* jpg = s::image::jpg::EncodeSetting::create();
            jpg->quality = kQuality;
            setting = jpg;
        }
        bool ok = true;
        for (int i = 0; i < count; ++i) {
            const double t1 = bench::nowMs();
            s::image::IEncodedImage* codec =
                s::image::openImageFile(winPath(kRoot + "/src/" + photoName(i) + ".jpg").c_str());
            BufferedImage* picture = codec ? codec->toImage(0, nullptr) : nullptr;
            if (codec) codec->release();
            const double t2 = bench::nowMs();
            BufferedImage* scaled =
                picture ? s::image::filters::scale::scaleImage(s::image::filters::scale::BilinearFilter::shared(),
                                                               picture, kOutW, kOutH, nullptr, 1)
                        : nullptr;
            if (picture) picture->release();
            const double t3 = bench::nowMs();
            s::image::IEncodedImage* encoder = scaled ? setting->makeEncoder(scaled) : nullptr;
            const std::wstring path = winPath(out + "/" + photoName(i) + "." + format);
            ok = encoder && encoder->save(path.c_str()) && ok;
            const double t4 = bench::nowMs();
            if (std::getenv("BENCH_VERBOSE"))
                std::printf("  %s %d: decode %.1f resample %.1f encode %.1f\n", format, i, t2 - t1, t3 - t2, t4 - t3);
            parts[0].push_back(t2 - t1);
            parts[1].push_back(t3 - t2);
            parts[2].push_back(t4 - t3);
            if (encoder) encoder->release();
            if (scaled) scaled->release();
        }
        setting->release();
        const double t = bench::nowMs() - t0;
        return ok ? t : -1;
    }

    // mogrify on the host, timed by the shell around it alone.
    double mogrify(const char* format, int count) {
        const std::string out = kRoot + "/magick-" + format;
        emptyFolder(out);
        std::string files;
        for (int i = 0; i < count; ++i) files += " " + quoted(kRoot + "/magick-src/" + photoName(i) + ".jpg");
        const std::string timing = kRoot + "/magick-time.txt";
        std::string quality = std::strcmp(format, "jpg") ? "" : " -quality " + std::to_string(kQuality);
        std::string command = "s=$(date +%s%N); mogrify -limit thread 1 -resize " + std::to_string(kOutW) + "x" +
                              std::to_string(kOutH) + quality + " -format " + format + " -path " + quoted(out) + files +
                              " && e=$(date +%s%N) && echo $(( (e - s) / 1000 )) > " + quoted(timing);
        if (!host->run(command)) return -1;
        std::ifstream in(winPath(timing).c_str());
        double us = -1;
        in >> us;
        return us < 0 ? -1 : us / 1000.0;
    }

    bool withMogrify = true;
    HostShell* host = nullptr;

    double side(int which, const char* format, int count) {
        if (which == 2 && !withMogrify) return 1;
        return which == 0 ? program(format, count) : which == 1 ? library(format, count) : mogrify(format, count);
    }
};

// True when every output of the side is a picture of the expected size, `count` of them.
bool checkOutputs(const std::string& side, const char* format, int count) {
    const std::string dir = kRoot + "/" + side + "-" + format;
    const std::string size = std::to_string(kOutW) + " " + std::to_string(kOutH) + ",";
    return runHost("test $(ls " + quoted(dir) + " | wc -l) -eq " + std::to_string(count) +
                       " && test \"$(identify -format '%w %h,' " + quoted(dir) + "/*)\" = \"$(for i in $(seq " +
                       std::to_string(count) + "); do printf '" + size + "'; done)\"",
                   600000);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int count = argc > 1 ? std::max(1, _wtoi(argv[1])) : 20;
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 3;
    if (!runHost("command -v mogrify >/dev/null")) {
        std::printf("mogrify is not installed on the host\n");
        return 1;
    }
    HostShell host(kRoot + "/host");
    std::printf("# making %d photo-like JPEGs of %dx%d (kept in %s/src)\n", count, kSourceW, kSourceH, kRoot.c_str());
    std::fflush(stdout);
    if (!makeSources(count)) {
        std::printf("the source pictures could not be made\n");
        return 1;
    }

    Sides sides;
    runHost("rm -rf " + quoted(kRoot + "/store"));
    emptyFolder(kRoot + "/store");
    sides.store = s::xml::MappedData::openFile(winPath(kRoot + "/store/Settings.xml").c_str());
    sides.store->setInt(L"ConvertTo\\Jpg\\JpgEncodeSetting", L"Quality", kQuality);
    sides.store->setBool(L"ConvertTo\\Png\\PngEncodeSetting", L"WithInterlace", false);
    sides.worker = new ViewerWorker(&sides.quiet, nullptr);
    sides.host = &host;
    // BENCH_MOGRIFY=off leaves mogrify out (the program against the library alone).
    const char* magick = std::getenv("BENCH_MOGRIFY");
    sides.withMogrify = !(magick && !std::strcmp(magick, "off"));

    const char* names[3] = {"program", "library", "magick"};
    const char* formats[2] = {"png", "jpg"};
    std::vector<double> times[2][3];
    std::string breakdown[2];
    for (int f = 0; f < 2; ++f) {
        for (int s = 0; s < 3; ++s) sides.side(s, formats[f], std::min(count, 3));  // warm-up
        for (int r = 0; r < runs; ++r) {
            for (int k = 0; k < 3; ++k) {
                const int s = (r + k) % 3;
                const double t = sides.side(s, formats[f], count);
                if (t < 0) std::printf("%s to %s failed\n", names[s], formats[f]);
                times[f][s].push_back(t);
            }
            std::printf("%s run %d: program %.0f ms, library %.0f ms, mogrify %.0f ms\n", formats[f], r + 1,
                        times[f][0].back(), times[f][1].back(), times[f][2].back());
            std::fflush(stdout);
        }
        // Means over the timed runs' files (the warm-up's left out), and what is left of the
        // side's mean time per file besides them.
        double mean[3] = {0, 0, 0}, whole = 0;
        const size_t warm = size_t(std::min(count, 3));
        for (int k = 0; k < 3; ++k) {
            for (size_t j = warm; j < sides.parts[k].size(); ++j) mean[k] += sides.parts[k][j];
            mean[k] /= double(std::max<size_t>(1, sides.parts[k].size() - warm));
        }
        for (double t : times[f][1]) whole += t;
        whole /= double(runs) * count;
        char line[256];
        std::snprintf(line, sizeof line,
                      "library to %s, mean per file: decode %.1f ms, resample %.1f ms, encode + write %.1f ms, "
                      "the rest %.1f ms\n",
                      formats[f], mean[0], mean[1], mean[2], whole - mean[0] - mean[1] - mean[2]);
        breakdown[f] = line;
        for (auto& p : sides.parts) p.clear();
    }

    std::printf("# batch conversion of %d JPEGs %dx%d to %dx%d, one thread per side, %d interleaved runs\n", count,
                kSourceW, kSourceH, kOutW, kOutH, runs);
    std::printf("%-10s %12s %12s %12s %12s %12s %12s   %s\n", "format", "program ms", "library ms", "mogrify ms",
                "prog/lib", "prog/mogr", "lib/mogr", "(best / median)");
    for (int f = 0; f < 2; ++f) {
        double b[3], m[3];
        for (int s = 0; s < 3; ++s) {
            b[s] = bench::best(times[f][s]);
            m[s] = bench::median(times[f][s]);
        }
        std::printf("%-10s %12.0f %12.0f %12.0f %12.3f %12.3f %12.3f   best\n", f ? "jpg q85" : "png", b[0], b[1], b[2],
                    b[0] / b[1], b[0] / b[2], b[1] / b[2]);
        std::printf("%-10s %12.0f %12.0f %12.0f %12.3f %12.3f %12.3f   median\n", "", m[0], m[1], m[2], m[0] / m[1],
                    m[0] / m[2], m[1] / m[2]);
        std::printf("%-10s %12.1f %12.1f %12.1f   ms per file (median)\n", "", m[0] / count, m[1] / count,
                    m[2] / count);
    }
    for (int f = 0; f < 2; ++f) std::printf("%s", breakdown[f].c_str());
    bool same = true;
    for (int f = 0; f < 2; ++f)
        for (int s = 0; s < 3; ++s) {
            const bool ok = (s == 2 && !sides.withMogrify) || checkOutputs(names[s], formats[f], count);
            if (!ok)
                std::printf("%s's %s outputs are not %d pictures of %dx%d\n", names[s], formats[f], count, kOutW,
                            kOutH);
            same = same && ok;
        }
    if (same) std::printf("every side wrote %d pictures of %dx%d in each format\n", count, kOutW, kOutH);
    if (sides.quiet.failures) std::printf("the program's side failed %d files\n", sides.quiet.failures);
    delete sides.worker;
    sides.store->release();
    return same ? 0 : 1;
}
