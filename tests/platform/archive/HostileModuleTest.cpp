// Foreign modules whose resource data lies about its sizes and offsets: every read,
// export and description either works or fails cleanly, never reading outside the
// mapped file, never throwing, in bounded memory and time.
#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "foundation/col/Array.h"
#include "platform/archive/DllArchive.h"
#include "support/Bounded.h"
#include "support/MemoryStreams.h"

using s::archive::dll::win::Archive;
using s::col::_array::ArrayU08;
namespace type = s::archive::dll::type;
using testsupport::hostileFixture;

namespace {

// Every operation on every entry; answers how many entries opened and read.
struct Outcome {
    bool opened = false;
    uint32_t entries = 0;
    uint32_t read = 0;
};

Outcome exercise(const std::string& file) {
    Outcome o;
    Archive* a = Archive::create();
    o.opened = a->open(hostileFixture(file).c_str());
    if (o.opened) {
        o.entries = a->getEntryCount();
        for (uint32_t i = 0; i < a->getEntryCount(); ++i) {
            ArrayU08* bytes = a->readBytes(i);
            if (bytes) {
                // What was read lies inside the file.
                EXPECT_LE(bytes->count(), a->getFileSize()) << i;
                ++o.read;
                bytes->release();
            }
            testsupport::MemoryOutput<> out(64u << 20);
            a->readEntry(a->getEntryAt(i), &out);
            a->exportIconGroup(i, &out);
            a->exportCursorGroup(i, &out);
            a->exportBitmap(i, &out);
            a->describeVersion(i, &out);
            a->describeStringTable(i, &out);
            a->describeAccelerators(i, &out);
            a->describeMenu(i, &out);
            a->describeDialog(i, &out);
            EXPECT_LE(out.bytes.size(), 64u << 20);
        }
        std::vector<s::archive::dll::GroupMember> members;
        a->readGroup(false, MAKEINTRESOURCEW(1), &members);
        a->readGroup(true, MAKEINTRESOURCEW(1), &members);
    }
    a->close();
    a->release();
    return o;
}

struct Case {
    const char* file;
    bool opens;           // false: the resource directory itself is refused
    uint32_t unreadable;  // entries whose data runs past the file
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.file; }

class HostileModule : public testing::TestWithParam<Case> {};

TEST_P(HostileModule, IsReadOrRefusedCleanly) {
    const Case& c = GetParam();
    testsupport::Stopwatch watch;
    Outcome o;
    EXPECT_NO_THROW(o = exercise(c.file));
    EXPECT_LT(testsupport::peakWorkingSetBytes(), testsupport::kMemoryBound);
    EXPECT_LT(watch.elapsedMs(), testsupport::kTimeBoundMs);
    EXPECT_EQ(o.opened, c.opens);
    // Every entry whose data lies inside the file is still read.
    if (o.opened) EXPECT_EQ(o.read + c.unreadable, o.entries);
}

INSTANTIATE_TEST_SUITE_P(Reproducers, HostileModule,
                         testing::Values(Case{"dll_rcdata_size_past_end.dll", true, 1},
                                         Case{"dll_string_size_past_end.dll", true, 1},
                                         Case{"found_readbytes_past_end.dll", true, 1},
                                         Case{"dll_menu_size_4g.dll", true, 1},
                                         Case{"found_menu_past_end.dll", true, 1},
                                         Case{"found_dialog_past_end.dll", true, 1},
                                         Case{"found_stringtable_past_end.dll", true, 1},
                                         Case{"found_describe_append_past_end.dll", true, 1},
                                         Case{"dll_icon_member_size_4g.dll", true, 1},
                                         Case{"found_group_bad_alloc.dll", true, 1},
                                         Case{"heap_overflow_arraywrite_bitmap_export.dll", true, 1},
                                         Case{"dll_root_count_plus1000.dll", false, 0},
                                         Case{"found_root_count_enum.dll", false, 0}),
                         [](const testing::TestParamInfo<Case>& info) {
                             std::string name = info.param.file;
                             for (char& ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

// The checks refuse nothing of a sound module: every entry of the system's own
// modules is still listed and read.
TEST(HostileModule, SoundModulesAreListedAndReadWhole) {
    wchar_t system[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    for (const wchar_t* name : {L"\\user32.dll", L"\\comctl32.dll", L"\\shell32.dll"}) {
        const std::wstring path = std::wstring(system) + name;
        SCOPED_TRACE(testing::PrintToString(path));
        Archive* a = Archive::create();
        ASSERT_TRUE(a->open(path.c_str()));
        EXPECT_GT(a->getEntryCount(), 0u);
        for (uint32_t i = 0; i < a->getEntryCount(); ++i) {
            ArrayU08* bytes = a->readBytes(i);
            EXPECT_NE(bytes, nullptr) << i;
            if (bytes) bytes->release();
        }
        a->release();
    }
}

}  // namespace
