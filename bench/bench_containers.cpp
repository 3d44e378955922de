// Times the library's string and array hot paths against std::wstring and std::vector
// doing the same work in the same run, and prints a table with the ratios.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"

using s::col::_array::ArrayP;
using s::col::_array::ArrayS32;
using s::str::strbuffer::StrBuffer;

namespace {

// Keeps results alive so the work is not optimised away.
volatile uint64_t g_sink;

struct Row {
    const char* name;
    double lib;
    double std;
};

std::vector<Row> g_rows;

template <class Lib, class Std>
void compare(const char* name, Lib lib, Std std) {
    double l, s;
    bench::bestOfBoth(lib, std, 11, &l, &s);
    g_rows.push_back({name, l, s});
}

const int kChars = 2000000;
const int kSearchRuns = 200;
const int kPushes = 4000000;

}  // namespace

int wmain() {
    // Append one unit at a time.
    compare(
        "string append char x2M",
        [] {
            StrBuffer* s = StrBuffer::create();
            for (int i = 0; i < kChars; ++i) s->appendChar(wchar_t(L'a' + (i & 15)));
            g_sink = g_sink + s->length();
            s->release();
        },
        [] {
            std::wstring s;
            for (int i = 0; i < kChars; ++i) s.push_back(wchar_t(L'a' + (i & 15)));
            g_sink = g_sink + s.size();
        });

    // Append short texts.
    compare(
        "string append text x500k",
        [] {
            StrBuffer* s = StrBuffer::create();
            for (int i = 0; i < kChars / 4; ++i) s->append(L"word", 4);
            g_sink = g_sink + s->length();
            s->release();
        },
        [] {
            std::wstring s;
            for (int i = 0; i < kChars / 4; ++i) s.append(L"word", 4);
            g_sink = g_sink + s.size();
        });

    // Search a long text for a needle near its end.
    StrBuffer* hay = StrBuffer::create();
    std::wstring stdHay;
    for (int i = 0; i < 200000; ++i) {
        hay->append(L"abcabd", 6);
        stdHay.append(L"abcabd", 6);
    }
    hay->append(L"needle", 6);
    stdHay.append(L"needle", 6);
    compare(
        "string find text (1.2M units) x200",
        [&] {
            uint32_t pos = 0;
            for (int i = 0; i < kSearchRuns; ++i) {
                hay->find(L"needle", &pos);
                g_sink = g_sink + pos;
            }
        },
        [&] {
            for (int i = 0; i < kSearchRuns; ++i) g_sink = g_sink + stdHay.find(L"needle");
        });
    compare(
        "string find char (1.2M units) x200",
        [&] {
            uint32_t pos = 0;
            for (int i = 0; i < kSearchRuns; ++i) {
                hay->indexOf(L'n', &pos);
                g_sink = g_sink + pos;
            }
        },
        [&] {
            for (int i = 0; i < kSearchRuns; ++i) g_sink = g_sink + stdHay.find(L'n');
        });
    hay->release();

    // Array growth by single pushes.
    compare(
        "ArrayS32 push x4M",
        [] {
            ArrayS32* a = ArrayS32::create();
            for (int i = 0; i < kPushes; ++i) a->push(i);
            g_sink = g_sink + a->count();
            a->release();
        },
        [] {
            std::vector<int32_t> v;
            for (int i = 0; i < kPushes; ++i) v.push_back(i);
            g_sink = g_sink + v.size();
        });
    compare(
        "ArrayP push x4M",
        [] {
            ArrayP* a = ArrayP::create();
            for (int i = 0; i < kPushes; ++i) a->push(reinterpret_cast<void*>(intptr_t(i)));
            g_sink = g_sink + a->count();
            a->release();
        },
        [] {
            std::vector<void*> v;
            for (int i = 0; i < kPushes; ++i) v.push_back(reinterpret_cast<void*>(intptr_t(i)));
            g_sink = g_sink + v.size();
        });

    std::printf("%-38s %12s %12s %8s\n", "case", "library ms", "std ms", "ratio");
    bool ok = true;
    for (const Row& r : g_rows) {
        double ratio = r.std > 0 ? r.lib / r.std : 0;
        std::printf("%-38s %12.3f %12.3f %8.2f%s\n", r.name, r.lib, r.std, ratio, ratio > 1.5 ? "  SLOW" : "");
        if (ratio > 1.5) ok = false;
    }
    std::printf("%s\n", ok ? "all within 1.5x of the standard containers" : "some cases slower than 1.5x");
    return 0;
}
