#include "platform/archive/DllArchive.h"

#include <cstring>
#include <new>

#include "foundation/xml/Node.h"
#include "platform/file/FileStream.h"
#include "platform/file/PathWin.h"
#include "platform/system/OsVersion.h"

namespace s::archive::dll {

namespace {

struct TypeRow {
    uint32_t rt;
    const wchar_t* name;
};
// Indexed by the archive code.
const TypeRow kTypes[] = {
    {9, L"ACCELERATOR"}, {21, L"ANICURSOR"}, {22, L"ANIICON"}, {2, L"BITMAP"},     {1, L"CURSOR"},
    {5, L"DIALOG"},      {17, L"DLGINCLUDE"}, {8, L"FONT"},    {7, L"FONTDIR"},    {12, L"GROUP_CURSOR"},
    {14, L"GROUP_ICON"}, {23, L"HTML"},       {3, L"ICON"},    {24, L"MANIFEST"},  {4, L"MENU"},
    {11, L"MESSAGETABLE"}, {19, L"PLUGPLAY"}, {10, L"RCDATA"}, {6, L"STRING"},     {16, L"VERSION"},
    {20, L"VXD"},
};
constexpr int32_t kTypeCount = int32_t(sizeof(kTypes) / sizeof(kTypes[0]));

}  // namespace

namespace type {

int32_t codeOfRt(uint32_t rt)
{
    for (int32_t c = 0; c < kTypeCount; ++c)
        if (kTypes[c].rt == rt) return c;
    return int32_t(rt);
}

uint32_t rtOfCode(int32_t code)
{
    return code >= 0 && code < kTypeCount ? kTypes[code].rt : uint32_t(code);
}

const wchar_t* nameOfCode(int32_t code)
{
    return code >= 0 && code < kTypeCount ? kTypes[code].name : nullptr;
}

}  // namespace type

}  // namespace s::archive::dll

namespace s::archive::dll::win {

using col::_array::ArrayU08;
using str::strbuffer::StrBuffer;

// ---- Entry -------------------------------------------------------------------------

Entry::Entry() = default;

Entry::~Entry()
{
    if (nameText_) nameText_->release();
    if (typeText_) typeText_->release();
}

void Entry::reset()
{
    size_ = 0;
    nameIsId_ = true;
    nameId_ = 0;
    typeIsId_ = true;
    rtType_ = 0;
    language_ = 0;
    subLanguage_ = 0;
    handle_ = nullptr;
    if (nameText_) nameText_->clear();
    if (typeText_) typeText_->clear();
}

void Entry::setNameId(uint32_t id)
{
    nameId_ = id;
    nameIsId_ = true;
}

void Entry::setName(const wchar_t* name)
{
    if (IS_INTRESOURCE(name)) {
        setNameId(uint32_t(reinterpret_cast<uintptr_t>(name)));
        return;
    }
    if (!nameText_) nameText_ = StrBuffer::create();
    if (nameText_) nameText_->setText(name);
    nameIsId_ = false;
    nameId_ = 0;
}

const wchar_t* Entry::getNameText() const
{
    if (!nameText_ || nameText_->length() == 0) return L"";
    return nameText_->text();
}

void Entry::setTypeCode(int32_t code)
{
    rtType_ = type::rtOfCode(code);
    typeIsId_ = true;
}

void Entry::setType(const wchar_t* t)
{
    if (IS_INTRESOURCE(t)) {
        rtType_ = uint32_t(reinterpret_cast<uintptr_t>(t));
        typeIsId_ = true;
        return;
    }
    if (!typeText_) typeText_ = StrBuffer::create();
    if (typeText_) typeText_->setText(t);
    typeIsId_ = false;
    rtType_ = 0;
}

const wchar_t* Entry::getTypeText() const
{
    if (!typeText_ || typeText_->length() == 0) return L"";
    return typeText_->text();
}

// ---- Archive: opening and listing --------------------------------------------------

Archive::Archive() { entries_.setDestroyer(Entry::pooler()); }

Archive::~Archive() { close(); }

const wchar_t* Archive::getPathText() const { return path_ ? path_->getFullPath() : L""; }

bool Archive::open(const wchar_t* path)
{
    if (!path) return false;
    file::win::PathWin* p = file::win::PathWin::fromString(path);
    if (!p) return false;
    bool ok = open(p);
    p->release();
    return ok;
}

bool Archive::open(file::win::PathWin* path)
{
    close();
    if (!path || !path->exists() || !path->isFile()) return false;
    path_ = file::win::PathWin::fromString(path->getFullPath());
    if (!path_) return false;
    if (!load()) {
        close();
        return false;
    }
    return true;
}

// Maps the file as a data file (its code is never run) and lists its resources.
bool Archive::load()
{
    fileSize_ = uint64_t(path_->getSize());
    module_ = LoadLibraryExW(path_->getFullPath(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module_)
        module_ = LoadLibraryExW(path_->getFullPath(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module_) return false;
    // Nothing enumerates a resource directory that has not been checked first.
    if (!findView(module_, &view_) || !validResourceDirectory(view_)) return false;
    listEntries();
    return true;
}

namespace {

struct ListContext {
    col::_array::ArrayP* entries;
    HMODULE module;
    LPCWSTR type;
    LPCWSTR name;
    bool perLanguage;
};

void addEntry(ListContext* c, WORD language, bool withLanguage)
{
    Entry* e = Entry::create();
    if (!e) return;
    e->setType(c->type);
    e->setName(c->name);
    HRSRC h = FindResourceExW(c->module, c->type, c->name, withLanguage ? language : 0);
    if (!h && !withLanguage) h = FindResourceW(c->module, c->name, c->type);
    e->setHandle(h);
    e->setSize(h ? SizeofResource(c->module, h) : 0);
    if (withLanguage) {
        e->setLanguage(uint16_t(language & 0x3FF));
        e->setSubLanguage(uint16_t((language >> 10) & 0x3F));
    }
    c->entries->push(e);
}

BOOL CALLBACK onLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param)
{
    addEntry(reinterpret_cast<ListContext*>(param), language, true);
    return TRUE;
}

BOOL CALLBACK onName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param)
{
    auto* c = reinterpret_cast<ListContext*>(param);
    c->name = name;
    if (c->perLanguage)
        EnumResourceLanguagesW(module, type, name, onLanguage, param);
    else
        addEntry(c, 0, false);
    return TRUE;
}

BOOL CALLBACK onType(HMODULE module, LPWSTR type, LONG_PTR param)
{
    auto* c = reinterpret_cast<ListContext*>(param);
    c->type = type;
    EnumResourceNamesW(module, type, onName, param);
    return TRUE;
}

}  // namespace

void Archive::listEntries()
{
    entries_.freeStorage();
    ListContext c{&entries_, module_, nullptr, nullptr, !system::osVersion().isVistaOrLater};
    // A module without any resource makes the enumeration report failure: that is
    // simply an empty archive.
    EnumResourceTypesW(module_, onType, reinterpret_cast<LONG_PTR>(&c));
}

void Archive::close()
{
    if (path_) path_->release();
    path_ = nullptr;
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
    view_ = MappedView{};
    fileSize_ = 0;
    entries_.freeStorage();
}

// ---- lookups -------------------------------------------------------------------------

int32_t Archive::find(bool (*match)(const Entry*, const void*, const void*), const void* a, const void* b,
                      int32_t nth) const
{
    for (uint32_t i = 0; i < entries_.count(); ++i) {
        const Entry* e = entries_.at<Entry>(i);
        if (match(e, a, b) && nth-- == 0) return int32_t(i);
    }
    return -1;
}

namespace {

bool textIs(const wchar_t* have, const void* want, bool ignoreCase)
{
    const wchar_t* w = static_cast<const wchar_t*>(want);
    if (!w) return false;
    if (!ignoreCase) return std::wcscmp(have, w) == 0;
    for (;; ++have, ++w) {
        wchar_t x = *have, y = *w;
        if (x >= L'a' && x <= L'z') x = wchar_t(x - 32);
        if (y >= L'a' && y <= L'z') y = wchar_t(y - 32);
        if (x != y) return false;
        if (!x) return true;
    }
}

bool nameText(const Entry* e, const void* name, bool ic) { return e->nameIsText() && textIs(e->getNameText(), name, ic); }
bool nameId(const Entry* e, const void* id) { return e->nameIsId() && e->getNameId() == *static_cast<const uint32_t*>(id); }
bool typeText(const Entry* e, const void* t, bool ic) { return e->typeIsText() && textIs(e->getTypeText(), t, ic); }
bool typeCode(const Entry* e, const void* code) { return e->typeIsId() && e->getTypeCode() == *static_cast<const int32_t*>(code); }

bool report(int32_t found, int32_t* index)
{
    if (found < 0) return false;
    if (index) *index = found;
    return true;
}

}  // namespace

bool Archive::findEntryByName(const wchar_t* name, int32_t* index) const
{
    return report(find([](const Entry* e, const void* a, const void*) { return nameText(e, a, false); }, name, nullptr), index);
}

bool Archive::findEntryById(uint32_t id, int32_t* index) const
{
    return report(find([](const Entry* e, const void* a, const void*) { return nameId(e, a); }, &id, nullptr), index);
}

bool Archive::findEntryByNameIgnoreCase(const wchar_t* name, int32_t* index) const
{
    return report(find([](const Entry* e, const void* a, const void*) { return nameText(e, a, true); }, name, nullptr), index);
}

bool Archive::findEntryNth(int32_t code, int32_t n, int32_t* index) const
{
    if (n < 0) return false;
    return report(find([](const Entry* e, const void* a, const void*) { return typeCode(e, a); }, &code, nullptr, n), index);
}

bool Archive::findEntry(const wchar_t* t, const wchar_t* name, int32_t* index) const
{
    return report(find([](const Entry* e, const void* a, const void* b) { return typeText(e, a, false) && nameText(e, b, false); },
                       t, name), index);
}

bool Archive::findEntry(const wchar_t* t, uint32_t id, int32_t* index) const
{
    return report(find([](const Entry* e, const void* a, const void* b) { return typeText(e, a, false) && nameId(e, b); }, t, &id),
                  index);
}

bool Archive::findEntry(int32_t code, const wchar_t* name, int32_t* index) const
{
    return report(find([](const Entry* e, const void* a, const void* b) { return typeCode(e, a) && nameText(e, b, false); },
                       &code, name), index);
}

bool Archive::findEntry(int32_t code, uint32_t id, int32_t* index) const
{
    return report(find([](const Entry* e, const void* a, const void* b) { return typeCode(e, a) && nameId(e, b); }, &code, &id),
                  index);
}

bool Archive::findEntryIgnoreCase(const wchar_t* t, const wchar_t* name, int32_t* index) const
{
    return report(find([](const Entry* e, const void* a, const void* b) { return typeText(e, a, true) && nameText(e, b, true); },
                       t, name), index);
}

bool Archive::findEntryIgnoreCase(int32_t code, const wchar_t* name, int32_t* index) const
{
    return report(find([](const Entry* e, const void* a, const void* b) { return typeCode(e, a) && nameText(e, b, true); },
                       &code, name), index);
}

// ---- reading ---------------------------------------------------------------------------

namespace {

// The resource's bytes in the mapped module; null when they cannot be had, or when
// the size the module gives runs past the mapped file.
const uint8_t* lockBytes(HMODULE module, const MappedView& view, HRSRC handle, uint32_t* size)
{
    *size = 0;
    if (!module || !handle || !view.base) return nullptr;
    HGLOBAL g = LoadResource(module, handle);
    if (!g) return nullptr;
    const uint8_t* p = static_cast<const uint8_t*>(LockResource(g));
    const uint32_t n = SizeofResource(module, handle);
    if (!p || p < view.base || p > view.base + view.size || n > size_t(view.base + view.size - p)) return nullptr;
    *size = n;
    return p;
}

}  // namespace

bool Archive::readEntry(archive::IEntry* entry, io::IOutputStream* out)
{
    auto* e = dynamic_cast<Entry*>(entry);
    if (!e || !out) return false;
    uint32_t size = 0;
    const uint8_t* p = lockBytes(module_, view_, e->getHandle(), &size);
    if (!p) return false;
    return io::IOutputStream::writeFully(out, p, size);
}

ArrayU08* Archive::readBytes(uint32_t index, ArrayU08* out) const
{
    Entry* e = entry(index);
    if (!e) return nullptr;
    uint32_t size = 0;
    const uint8_t* p = lockBytes(module_, view_, e->getHandle(), &size);
    if (!p) return nullptr;
    ArrayU08* a = out ? out : ArrayU08::create();
    if (!a) return nullptr;
    if (size && !a->append(p, size)) {
        if (!out) a->release();
        return nullptr;
    }
    a->rewind();
    return a;
}

ArrayU08* Archive::readResource(const wchar_t* t, uint32_t id) const
{
    int32_t i = -1;
    if (!findEntry(t, id, &i)) return nullptr;
    return readBytes(uint32_t(i));
}

xml::Node* Archive::readXml(const wchar_t* t, uint32_t id) const
{
    ArrayU08* bytes = readResource(t, id);
    if (!bytes) return nullptr;
    xml::Node* node = xml::Node::create();
    if (node && !node->parseUtf8(bytes)) {
        node->release();
        node = nullptr;
    }
    bytes->release();
    return node;
}

bool Archive::readGroup(bool cursor, const wchar_t* name, std::vector<GroupMember>* out) const
{
    if (!out) return false;
    out->clear();
    int32_t groupCode = cursor ? type::kGroupCursor : type::kGroupIcon;
    int32_t gi = -1;
    bool found = IS_INTRESOURCE(name) ? findEntry(groupCode, uint32_t(reinterpret_cast<uintptr_t>(name)), &gi)
                                      : findEntry(groupCode, name, &gi);
    if (!found) return false;
    uint32_t size = 0;
    const uint8_t* g = lockBytes(module_, view_, entry(uint32_t(gi))->getHandle(), &size);
    if (!g || size < 6) return false;
    try {
        return readMembers(cursor, g, size, out);
    } catch (const std::bad_alloc&) {
        out->clear();
        return false;
    }
}

bool Archive::readMembers(bool cursor, const uint8_t* g, uint32_t size, std::vector<GroupMember>* out) const
{
    int32_t memberCode = cursor ? type::kCursor : type::kIcon;
    uint64_t total = 0;
    uint32_t count = uint32_t(g[4]) | uint32_t(g[5]) << 8;
    for (uint32_t k = 0; k < count && 6 + 14ull * (k + 1) <= size; ++k) {
        const uint8_t* d = g + 6 + 14 * k;
        uint32_t id = uint32_t(d[12]) | uint32_t(d[13]) << 8;
        int32_t mi = -1;
        if (!findEntry(memberCode, id, &mi)) continue;
        uint32_t msize = 0;
        const uint8_t* m = lockBytes(module_, view_, entry(uint32_t(mi))->getHandle(), &msize);
        if (!m) continue;
        GroupMember member;
        if (cursor) {
            // A cursor member starts with its hotspot; the group gives 16-bit sizes, the
            // height counting both halves of the image.
            if (msize < 4) continue;
            uint32_t w = uint32_t(d[0]) | uint32_t(d[1]) << 8;
            uint32_t h = (uint32_t(d[2]) | uint32_t(d[3]) << 8) / 2;
            member.dir[0] = uint8_t(w >= 256 ? 0 : w);
            member.dir[1] = uint8_t(h >= 256 ? 0 : h);
            if (member.dir[1] == 0) member.dir[1] = member.dir[0];
            std::memcpy(member.dir + 4, m, 4);
            msize -= 4;
            m += 4;
        } else {
            std::memcpy(member.dir, d, 8);
        }
        member.dir[8] = uint8_t(msize);
        member.dir[9] = uint8_t(msize >> 8);
        member.dir[10] = uint8_t(msize >> 16);
        member.dir[11] = uint8_t(msize >> 24);
        // Members that all name the same big image would add up without end.
        total += msize;
        if (total > kMaxGroupBytes) {
            out->clear();
            return false;
        }
        member.bytes.assign(m, m + msize);
        out->push_back(std::move(member));
    }
    return true;
}

// ---- exports ---------------------------------------------------------------------------

namespace {

bool writeGroupFile(const std::vector<GroupMember>& members, uint16_t fileType, io::IOutputStream* out)
{
    uint8_t head[6] = {0, 0, uint8_t(fileType), 0, uint8_t(members.size()), uint8_t(members.size() >> 8)};
    if (!io::IOutputStream::writeFully(out, head, 6)) return false;
    uint64_t offset = 6 + 16ull * members.size();
    for (const GroupMember& m : members) {
        if (offset > 0xFFFFFFFFull) return false;
        if (!io::IOutputStream::writeFully(out, m.dir, 12) || !io::IOutputStream::writeU32(out, uint32_t(offset)))
            return false;
        offset += m.bytes.size();
    }
    for (const GroupMember& m : members)
        if (!m.bytes.empty() && !io::IOutputStream::writeFully(out, m.bytes.data(), uint32_t(m.bytes.size())))
            return false;
    return true;
}

}  // namespace

bool Archive::exportIconGroup(uint32_t index, io::IOutputStream* out)
{
    Entry* e = entry(index);
    if (!e || !out || e->getTypeCode() != type::kGroupIcon) return false;
    std::vector<GroupMember> members;
    if (!readGroup(false, e->nameArg(), &members)) return false;
    return writeGroupFile(members, 1, out);
}

bool Archive::exportCursorGroup(uint32_t index, io::IOutputStream* out)
{
    Entry* e = entry(index);
    if (!e || !out || e->getTypeCode() != type::kGroupCursor) return false;
    std::vector<GroupMember> members;
    if (!readGroup(true, e->nameArg(), &members)) return false;
    return writeGroupFile(members, 2, out);
}

// A bitmap resource is a DIB without its file header: the header is put back in front.
bool Archive::exportBitmap(uint32_t index, io::IOutputStream* out)
{
    Entry* e = entry(index);
    if (!e || !out || e->getTypeCode() != type::kBitmap) return false;
    uint32_t size = 0;
    const uint8_t* p = lockBytes(module_, view_, e->getHandle(), &size);
    if (!p || size < sizeof(BITMAPINFOHEADER)) return false;
    BITMAPINFOHEADER h;
    std::memcpy(&h, p, sizeof(h));
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size) return false;
    uint64_t colours = h.biClrUsed ? h.biClrUsed : (h.biBitCount <= 8 ? (1u << h.biBitCount) : 0);
    if (colours > 256) colours = 256;
    uint64_t masks = (h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER)) ? 12 : 0;
    uint64_t offBits = 14 + uint64_t(h.biSize) + masks + colours * 4;
    if (offBits > 14ull + size) offBits = 14ull + size;
    BITMAPFILEHEADER f{};
    f.bfType = 0x4D42;
    f.bfSize = DWORD(14 + size);
    f.bfOffBits = DWORD(offBits);
    uint8_t fh[14];
    std::memcpy(fh, &f.bfType, 2);
    std::memcpy(fh + 2, &f.bfSize, 4);
    std::memset(fh + 6, 0, 4);
    std::memcpy(fh + 10, &f.bfOffBits, 4);
    return io::IOutputStream::writeFully(out, fh, 14) && io::IOutputStream::writeFully(out, p, size);
}

bool Archive::describeText(uint32_t index, io::IOutputStream* out,
                           void (*build)(const uint8_t*, uint32_t, StrBuffer*))
{
    Entry* e = entry(index);
    if (!e || !out) return false;
    uint32_t size = 0;
    const uint8_t* p = lockBytes(module_, view_, e->getHandle(), &size);
    if (!p) return false;
    StrBuffer* text = StrBuffer::create();
    ArrayU08* utf8 = ArrayU08::create();
    bool ok = text && utf8;
    if (ok) {
        build(p, size, text);
        text->toUtf8(utf8, false);
        ok = utf8->count() == 0 || io::IOutputStream::writeFully(out, utf8->items(), utf8->count());
    }
    if (text) text->release();
    if (utf8) utf8->release();
    return ok;
}

bool Archive::describeVersion(uint32_t i, io::IOutputStream* out) { return describeText(i, out, buildVersionText); }
bool Archive::describeStringTable(uint32_t i, io::IOutputStream* out) { return describeText(i, out, buildStringTableText); }
bool Archive::describeAccelerators(uint32_t i, io::IOutputStream* out) { return describeText(i, out, buildAcceleratorText); }
bool Archive::describeMenu(uint32_t i, io::IOutputStream* out) { return describeText(i, out, buildMenuText); }
bool Archive::describeDialog(uint32_t i, io::IOutputStream* out) { return describeText(i, out, buildDialogText); }

// ---- extraction ------------------------------------------------------------------------

void makeSafeFileName(const wchar_t* name, StrBuffer* out)
{
    out->clear();
    for (const wchar_t* p = name; p && *p; ++p) {
        wchar_t c = *p;
        bool bad = c < 32 || c == L'\\' || c == L'/' || c == L':' || c == L'*' || c == L'?' || c == L'"' ||
                   c == L'<' || c == L'>' || c == L'|';
        out->appendChar(bad ? L'_' : c);
    }
    // Names made only of dots (".", "..") would step out of the folder; trailing dots
    // and spaces vanish on Windows.
    bool onlyDots = true;
    for (uint32_t i = 0; i < out->length(); ++i)
        if (out->data()[i] != L'.') onlyDots = false;
    if (out->length() == 0 || onlyDots) out->setText(L"_");
    while (out->length() > 1 && (out->data()[out->length() - 1] == L'.' || out->data()[out->length() - 1] == L' '))
        out->setLength(out->length() - 1);
}

bool Archive::extractAll(const wchar_t* folder)
{
    file::win::PathWin* p = folder ? file::win::PathWin::fromString(folder) : nullptr;
    if (!p) return false;
    bool ok = extractAll(p);
    p->release();
    return ok;
}

bool Archive::extractAll(file::win::PathWin* folder)
{
    if (!folder || !module_) return false;
    const wchar_t* root = folder->getFullPath();
    CreateDirectoryW(root, nullptr);
    if ((GetFileAttributesW(root) & FILE_ATTRIBUTE_DIRECTORY) == 0 || GetFileAttributesW(root) == INVALID_FILE_ATTRIBUTES)
        return false;
    StrBuffer* sub = StrBuffer::create();
    StrBuffer* part = StrBuffer::create();
    StrBuffer* file = StrBuffer::create();
    bool allOk = sub && part && file;
    for (uint32_t i = 0; allOk && i < entries_.count(); ++i) {
        Entry* e = entry(i);
        int32_t code = e->getTypeCode();
        if (e->typeIsId() && (code == type::kIcon || code == type::kCursor)) continue;
        // Sub-folder: the type's name.
        sub->setText(root);
        if (sub->length() && sub->data()[sub->length() - 1] != L'\\') sub->appendChar(L'\\');
        if (e->typeIsText()) {
            makeSafeFileName(e->getTypeText(), part);
            sub->appendStr(part);
        } else if (code == type::kGroupCursor) {
            sub->appendText(L"CURSOR");
        } else if (code == type::kGroupIcon) {
            sub->appendText(L"ICON");
        } else if (code != type::kVersion) {
            const wchar_t* n = type::nameOfCode(code);
            if (n) sub->appendText(n); else sub->appendInt(code);
        }
        if (sub->length() && sub->data()[sub->length() - 1] != L'\\') {
            CreateDirectoryW(sub->text(), nullptr);
            sub->appendChar(L'\\');
        }
        // File name and extension.
        file->setStr(sub);
        if (e->typeIsId() && code == type::kVersion) {
            file->appendText(L"VERSION");
        } else if (e->nameIsId()) {
            file->appendU32(e->getNameId());
        } else {
            makeSafeFileName(e->getNameText(), part);
            file->appendStr(part);
        }
        const wchar_t* ext = L"";
        if (e->typeIsId()) {
            switch (code) {
            case type::kAccelerator: case type::kDialog: case type::kMenu: case type::kString: case type::kVersion:
                ext = L".txt"; break;
            case type::kBitmap: ext = L".bmp"; break;
            case type::kGroupCursor: ext = L".cur"; break;
            case type::kGroupIcon: ext = L".ico"; break;
            case type::kHtml: ext = L".html"; break;
            case type::kManifest: ext = L".xml"; break;
            default: break;
            }
        }
        file->appendText(ext);
        if (GetFileAttributesW(file->text()) != INVALID_FILE_ATTRIBUTES) continue;  // left alone
        file::win::FileOutputStream* out = file::win::FileOutputStream::create();
        if (!out || !out->open(file->text(), false)) {
            if (out) out->release();
            allOk = false;
            continue;
        }
        bool ok;
        switch (e->typeIsId() ? code : -1) {
        case type::kGroupIcon: ok = exportIconGroup(i, out); break;
        case type::kGroupCursor: ok = exportCursorGroup(i, out); break;
        case type::kBitmap: ok = exportBitmap(i, out); break;
        case type::kVersion: ok = describeVersion(i, out); break;
        case type::kString: ok = describeStringTable(i, out); break;
        case type::kDialog: ok = describeDialog(i, out); break;
        case type::kAccelerator: ok = describeAccelerators(i, out); break;
        case type::kMenu: ok = describeMenu(i, out); break;
        default: ok = readEntry(e, out); break;
        }
        ok = out->commit() && ok;
        out->release();
        if (!ok) {
            DeleteFileW(file->text());
            allOk = false;
        }
    }
    if (sub) sub->release();
    if (part) part->release();
    if (file) file->release();
    return allOk;
}

// ---- updating ------------------------------------------------------------------------------

namespace {

BOOL CALLBACK firstLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param)
{
    *reinterpret_cast<int32_t*>(param) = language;
    return FALSE;
}

}  // namespace

int32_t Archive::updateResource(const void* data, uint32_t size, const wchar_t* t, const wchar_t* name,
                                uint16_t language)
{
    if (!path_ || !module_ || !t || !name) return -1;
    WORD lang = language;
    if (lang == 0) {
        int32_t found = -1;
        EnumResourceLanguagesW(module_, t, name, firstLanguage, reinterpret_cast<LONG_PTR>(&found));
        if (found >= 0) lang = WORD(found);
    }
    // The file must not be mapped while it is rewritten.
    FreeLibrary(module_);
    module_ = nullptr;
    view_ = MappedView{};
    bool ok = false;
    HANDLE h = BeginUpdateResourceW(path_->getFullPath(), FALSE);
    if (h) {
        ok = UpdateResourceW(h, t, name, lang, const_cast<void*>(data), size) != FALSE;
        ok = EndUpdateResourceW(h, ok ? FALSE : TRUE) != FALSE && ok;
    }
    entries_.freeStorage();
    if (!load()) {
        close();
        return -1;
    }
    return ok ? int32_t(entries_.count()) : -1;
}

}  // namespace s::archive::dll::win
