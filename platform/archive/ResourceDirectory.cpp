// Checking a mapped module's resource directory before the system's resource functions
// walk it: they trust every count and offset in it.
#include <cstring>

#include "platform/archive/DllArchive.h"

namespace s::archive::dll::win {

namespace {

uint16_t u16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t u32(const uint8_t* p) { return uint32_t(u16(p)) | uint32_t(u16(p + 2)) << 16; }

// At most this many directory entries are walked (entries may share sub-directories,
// so a small directory can name a great many).
constexpr uint32_t kMaxEntries = 1u << 20;

// Bytes [offset, offset + n) of the view, or null when they are not all inside.
const uint8_t* at(const MappedView& v, uint64_t offset, uint64_t n)
{
    if (offset > v.size || n > v.size - offset) return nullptr;
    return v.base + offset;
}

// The view offset of a relative virtual address: itself in an image mapping, else
// through the section table. UINT64_MAX when no section holds it.
uint64_t offsetOfRva(const MappedView& v, const uint8_t* nt, uint32_t rva)
{
    if (v.asImage) return rva;
    const uint16_t sections = u16(nt + 6);
    const uint16_t optionalSize = u16(nt + 20);
    const uint64_t table = uint64_t(nt - v.base) + 24 + optionalSize;
    for (uint32_t i = 0; i < sections; ++i) {
        const uint8_t* s = at(v, table + 40ull * i, 40);
        if (!s) return UINT64_MAX;
        const uint32_t va = u32(s + 12), virtualSize = u32(s + 8), rawSize = u32(s + 16), raw = u32(s + 20);
        const uint32_t extent = rawSize < virtualSize || virtualSize == 0 ? rawSize : virtualSize;
        if (rva >= va && rva - va < extent) return uint64_t(raw) + (rva - va);
    }
    return UINT64_MAX;
}

struct Walk {
    const uint8_t* root;
    uint32_t size;
    uint32_t entries = 0;
};

// One directory at offset (from the root) and everything below it; depth 0 is the
// types, 1 the names, 2 the languages, whose entries are data entries.
bool validDirectory(Walk* w, uint32_t offset, int depth)
{
    if (offset > w->size || w->size - offset < 16) return false;
    const uint8_t* d = w->root + offset;
    const uint32_t count = uint32_t(u16(d + 12)) + u16(d + 14);
    if (count > (w->size - offset - 16) / 8) return false;
    w->entries += count;
    if (w->entries > kMaxEntries) return false;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* e = d + 16 + 8 * i;
        const uint32_t name = u32(e), target = u32(e + 4);
        if (name & 0x80000000u) {
            // A counted UTF-16 name.
            const uint32_t at = name & 0x7FFFFFFFu;
            if (at > w->size || w->size - at < 2) return false;
            if (2ull * u16(w->root + at) > w->size - at - 2) return false;
        }
        if (target & 0x80000000u) {
            if (depth >= 2 || !validDirectory(w, target & 0x7FFFFFFFu, depth + 1)) return false;
        } else {
            // A data entry: its own 16 bytes here; the data it points at is checked
            // when it is read.
            if (depth != 2 || target > w->size || w->size - target < 16) return false;
        }
    }
    return true;
}

}  // namespace

bool findView(HMODULE module, MappedView* out)
{
    *out = MappedView{};
    const uintptr_t handle = reinterpret_cast<uintptr_t>(module);
    if (!handle) return false;
    const uint8_t* base = reinterpret_cast<const uint8_t*>(handle & ~uintptr_t(3));
    MEMORY_BASIC_INFORMATION info;
    if (!VirtualQuery(base, &info, sizeof info) || info.AllocationBase != base) return false;
    // The committed regions of the mapping, from its base on.
    const uint8_t* end = base;
    while (VirtualQuery(end, &info, sizeof info) && info.AllocationBase == base && info.State == MEM_COMMIT &&
           info.RegionSize > 0)
        end = static_cast<const uint8_t*>(info.BaseAddress) + info.RegionSize;
    if (end == base) return false;
    out->base = base;
    out->size = size_t(end - base);
    // A handle with only the data-file bit names the file mapped as it is.
    out->asImage = (handle & 3) != 1;
    return true;
}

bool validResourceDirectory(const MappedView& v)
{
    const uint8_t* dos = at(v, 0, 64);
    if (!dos || u16(dos) != 0x5A4D) return false;
    const uint8_t* nt = at(v, u32(dos + 60), 24);
    if (!nt || u32(nt) != 0x00004550) return false;
    const uint16_t optionalSize = u16(nt + 20);
    const uint8_t* opt = at(v, uint64_t(nt - v.base) + 24, optionalSize);
    if (!opt || optionalSize < 2) return false;
    // The data directory: after 96 bytes in PE32, 112 in PE32+; the resources are its third.
    const uint16_t magic = u16(opt);
    const uint32_t dirAt = magic == 0x20B ? 112 : (magic == 0x10B ? 96 : 0);
    if (dirAt == 0 || optionalSize < dirAt) return false;
    const uint32_t dirCount = u32(opt + dirAt - 4);
    if (dirCount < 3 || optionalSize < dirAt + 24) return true;  // no resource directory: nothing to list
    const uint32_t rva = u32(opt + dirAt + 16), size = u32(opt + dirAt + 20);
    if (rva == 0) return size == 0;
    const uint64_t offset = offsetOfRva(v, nt, rva);
    if (offset == UINT64_MAX) return false;
    // The directory may reach as far as the view does: linkers do not all give its size
    // exactly, and the view is what must not be left.
    (void)size;
    const uint64_t room = offset <= v.size ? v.size - offset : 0;
    const uint32_t length = uint32_t(room < 0xFFFFFFFFu ? room : 0xFFFFFFFFu);
    if (length < 16) return false;
    Walk w{v.base + offset, length};
    return validDirectory(&w, 0, 0);
}

}  // namespace s::archive::dll::win
