// Path objects: setting and splitting the text, the part getters, comparisons and the
// paths derived from a path.
#include "platform/file/PathWin.h"

#include "foundation/col/Array.h"

#include <windows.h>

#include <cstdlib>
#include <cwchar>

namespace s::file::win {

namespace {

constexpr uint32_t kBufferUnits = 780;
// Texts of this length or more get the "\\?\" form.
constexpr uint32_t kLongFormFrom = 250;

// The path lock and the split buffers it guards (made on first use, never destroyed).
thread::ObjLocker& pathLock() {
    static thread::ObjLocker* lock = new thread::ObjLocker();
    return *lock;
}
wchar_t gDrive[kBufferUnits];
wchar_t gDir[kBufferUnits];
wchar_t gTitle[kBufferUnits];
wchar_t gExt[kBufferUnits];
wchar_t gJoin[kBufferUnits];

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// The unc rule on a plain text: more than two units, "\\" or "//", then no separator.
bool textIsUnc(const wchar_t* t, size_t n) {
    return n > 2 && ((t[0] == L'\\' && t[1] == L'\\') || (t[0] == L'/' && t[1] == L'/')) && !isSeparator(t[2]);
}

}  // namespace

// ---- factories -----------------------------------------------------------------------

PathWin* PathWin::fromString(const wchar_t* text) { return create()->setPathText(text); }

PathWin* PathWin::fromConcat(const wchar_t* a, const wchar_t* b) {
    StrBuffer* t = StrBuffer::fromConcat(a, b);
    PathWin* p = create()->setPath(t);
    t->release();
    return p;
}

PathWin* PathWin::fromShortcutName(const wchar_t* folder, const wchar_t* name) {
    StrBuffer* t = StrBuffer::fromConcat3(folder, L"\\", name);
    t->append(L".lnk");
    PathWin* p = create()->setPath(t);
    t->release();
    return p;
}

PathWin* PathWin::fromUserText(const wchar_t* text) { return create()->setAbsolutePathText(text); }

PathWin* PathWin::createTemp() {
    wchar_t folder[kBufferUnits];
    wchar_t name[kBufferUnits + MAX_PATH];
    name[0] = 0;
    DWORD n = GetTempPathW(kBufferUnits, folder);
    if (n == 0 || n >= kBufferUnits || GetTempFileNameW(folder, L"NEW", 0, name) == 0) name[0] = 0;
    return fromString(name);
}

ArrayP* PathWin::newPathList() {
    ArrayP* list = ArrayP::create();
    list->setDestroyer(pooler());
    return list;
}

PathWin* PathWin::at(const ArrayP* list, uint32_t index) {
    return static_cast<PathWin*>(static_cast<IPath*>(list->get(index)));
}

// ---- setting ---------------------------------------------------------------------------

void PathWin::clear() {
    scratch_.clear();
    given_.clear();
    drive_.clear();
    root_.clear();
    dir_.clear();
    long_.clear();
    ext_.clear();
    full_.clear();
    title_.clear();
    stat_ = Stat();
    sizeOnDisk_ = -1;
    streamSize_ = -1;
    fsType_ = -1;
    statLoaded_ = valid_ = stream_ = attributesLoaded_ = false;
    attributes_ = 0;
}

PathWin* PathWin::setPath(const StrBuffer* text) {
    clear();
    if (!text || text->length() == 0) return this;
    given_.setStr(text);
    return split();
}

PathWin* PathWin::setPathText(const wchar_t* text) {
    clear();
    if (!text || !*text) return this;
    given_.setText(text);
    return split();
}

PathWin* PathWin::split() {
    valid_ = true;
    given_.replaceAll(L"/", L"\\");
    full_.setStr(&given_);
    {
        thread::ObjLocker::Guard guard(pathLock());
        full_.trimEndChars(L"\\", 1);
        if (_wsplitpath_s(full_.text(), gDrive, kBufferUnits, gDir, kBufferUnits, gTitle, kBufferUnits, gExt,
                          kBufferUnits) != 0) {
            valid_ = false;
            gDrive[0] = gDir[0] = gTitle[0] = gExt[0] = 0;
        }
        drive_.setText(gDrive);
        dir_.setText(gDir);
        title_.setText(gTitle);
        ext_.setText(gExt);
    }
    stream_ = ext_.indexOf(L':', nullptr) || title_.indexOf(L':', nullptr);
    if (full_.length() >= kLongFormFrom) {
        if (full_.startsWith(L"\\\\?\\")) {
            // Already in the long form.
        } else if (textIsUnc(full_.text(), full_.length()) || full_.startsWith(L"\\\\")) {
            long_.setText(L"\\\\?\\UNC\\")->append(full_.data() + 2, int32_t(full_.length() - 2));
        } else if (hasDrive() && full_.length() > 2 && full_.charAt(2) == L'\\') {
            long_.setText(L"\\\\?\\")->appendStr(&full_);
        } else {
            // A relative text: the long form only works with the absolute path.
            DWORD n = GetFullPathNameW(full_.text(), 0, nullptr, nullptr);
            if (n > 0 && long_.reserve(n + 4)) {
                long_.setText(L"\\\\?\\");
                DWORD got = GetFullPathNameW(full_.text(), n, long_.data() + 4, nullptr);
                if (got > 0 && got < n)
                    long_.setLength(4 + got);
                else
                    long_.clear();
            }
        }
    }
    return this;
}

PathWin* PathWin::setAbsolutePathText(const wchar_t* text) {
    if (!text || !*text) return setPathText(text);
    DWORD n = GetFullPathNameW(text, 0, nullptr, nullptr);
    StrBuffer* full = StrBuffer::create();
    if (n > 0 && full->reserve(n + 1)) {
        DWORD got = GetFullPathNameW(text, n, full->data(), nullptr);
        if (got > 0 && got < n) full->setLength(got);
    }
    if (full->isEmpty()) full->setText(text);
    setPath(full);
    full->release();
    return this;
}

void PathWin::dump() {
    StrBuffer* t = StrBuffer::create();
    t->append(L"PathWin full=[")->appendStr(&full_)->append(L"] drive=[")->appendStr(&drive_);
    t->append(L"] dir=[")->appendStr(&dir_)->append(L"] title=[")->appendStr(&title_);
    t->append(L"] ext=[")->appendStr(&ext_)->append(L"] long=[")->appendStr(&long_)->append(L"]\n");
    OutputDebugStringW(t->text());
    t->release();
}

// ---- object interface ---------------------------------------------------------------

namespace {
const PathWin* asPath(const base::IComparable* o) { return dynamic_cast<const PathWin*>(o); }
}  // namespace

int PathWin::compareTo(const base::IComparable* other, const base::IComparator* comparator) const {
    const PathWin* p = asPath(other);
    return p ? full_.compareStr(&p->full_) : full_.compareTo(other, comparator);
}

int PathWin::compareToIgnoreCase(const base::IComparable* other, const base::IComparator* comparator) const {
    const PathWin* p = asPath(other);
    return p ? full_.compareStrIgnoreCase(&p->full_) : full_.compareToIgnoreCase(other, comparator);
}

bool PathWin::equals(const base::IComparable* other, const base::IComparator* comparator) const {
    const PathWin* p = asPath(other);
    return p ? full_.compareStr(&p->full_) == 0 : full_.equals(other, comparator);
}

bool PathWin::equalsIgnoreCase(const base::IComparable* other, const base::IComparator* comparator) const {
    const PathWin* p = asPath(other);
    return p ? full_.compareStrIgnoreCase(&p->full_) == 0 : full_.equalsIgnoreCase(other, comparator);
}

// ---- text tests -------------------------------------------------------------------------

bool PathWin::isUnc() { return textIsUnc(full_.text(), full_.length()); }

const wchar_t* PathWin::getUncServer() {
    scratch_.clear();
    uint32_t n = full_.length();
    if (n <= 2) return scratch_.text();
    uint32_t end = 2;
    while (end < n && !isSeparator(full_.charAt(end))) ++end;
    scratch_.append(full_.data() + 2, int32_t(end - 2));
    return scratch_.text();
}

bool PathWin::isSameDrive(const wchar_t* other) {
    PathWin* o = fromString(other);
    bool same = false;
    if (hasDrive() && o->hasDrive()) {
        same = StrBuffer::foldLower(getDriveLetter()) == StrBuffer::foldLower(o->getDriveLetter());
    } else if (isUnc() && o->isUnc()) {
        StrBuffer* mine = StrBuffer::fromString(getUncServer());
        same = mine->equalsText(o->getUncServer());
        mine->release();
    }
    o->release();
    return same;
}

bool PathWin::extensionEquals(const wchar_t* extension) { return ext_.equalsText(extension ? extension : L""); }

// ---- part getters -----------------------------------------------------------------------

StrBuffer* PathWin::target(StrBuffer* out, bool append) {
    if (!out) return StrBuffer::create();
    if (!append) out->clear();
    return out;
}

StrBuffer* PathWin::getFullPathInto(StrBuffer* out, bool append) { return target(out, append)->appendStr(&full_); }

StrBuffer* PathWin::getFolderPathInto(StrBuffer* out, bool append) {
    return target(out, append)->appendStr(&full_)->appendChar(L'\\');
}

const wchar_t* PathWin::getFolderPath() { return getFolderPathInto(&scratch_, false)->text(); }

StrBuffer* PathWin::getDirectory(StrBuffer* out, bool append) {
    StrBuffer* t = target(out, append);
    {
        thread::ObjLocker::Guard guard(pathLock());
        if (_wmakepath_s(gJoin, kBufferUnits, drive_.text(), dir_.text(), nullptr, nullptr) == 0) t->append(gJoin);
    }
    if (t->isEmpty() || t->charAt(t->length() - 1) != L'\\') t->appendChar(L'\\');
    return t;
}

const wchar_t* PathWin::getDirectoryText() { return getDirectory(&scratch_, false)->text(); }

StrBuffer* PathWin::getDirectoryNoSlash(StrBuffer* out, bool append) {
    StrBuffer* t = target(out, append);
    uint32_t keep = t->length();
    getDirectory(t, true);
    while (t->length() > keep && t->charAt(t->length() - 1) == L'\\') t->setLength(t->length() - 1);
    return t;
}

const wchar_t* PathWin::getDirectoryNoSlashText() { return getDirectoryNoSlash(&scratch_, false)->text(); }

StrBuffer* PathWin::getFileName(StrBuffer* out, bool append) {
    return target(out, append)->appendStr(&title_)->appendStr(&ext_);
}

const wchar_t* PathWin::getFileNameText() { return getFileName(&scratch_, false)->text(); }

StrBuffer* PathWin::getTitle(StrBuffer* out, bool append) { return target(out, append)->appendStr(&title_); }

const wchar_t* PathWin::getTitleText() { return getTitle(&scratch_, false)->text(); }

StrBuffer* PathWin::getExtension(StrBuffer* out, bool append) { return target(out, append)->appendStr(&ext_); }

const wchar_t* PathWin::getExtensionPart() { return getExtension(&scratch_, false)->text(); }

StrBuffer* PathWin::getExtensionNoDot(StrBuffer* out, bool append) {
    StrBuffer* t = target(out, append);
    if (ext_.length() > 1) t->append(ext_.data() + 1, int32_t(ext_.length() - 1));
    return t;
}

const wchar_t* PathWin::getExtensionNoDotText() { return getExtensionNoDot(&scratch_, false)->text(); }

const wchar_t* PathWin::getRoot() {
    if (!root_.isEmpty()) return root_.text();
    if (!drive_.isEmpty()) {
        root_.setStr(&drive_)->appendChar(L'\\');
        return root_.text();
    }
    StrBuffer* start = StrBuffer::create();
    if (isDirectory() && exists())
        start->appendStr(&full_)->appendChar(L'\\');
    else
        start->appendStr(&dir_);
    thread::ObjLocker::Guard guard(pathLock());
    uint32_t seen = 0, end = start->length();
    for (uint32_t i = 0; i < start->length(); ++i) {
        if (start->charAt(i) == L'\\' && ++seen == 4) {
            end = i + 1;
            break;
        }
    }
    root_.assign(start->data(), int32_t(end));
    start->release();
    return root_.text();
}

// ---- relative texts -------------------------------------------------------------------

void PathWin::relativeBase(bool asFolder) {
    if (asFolder || (exists() && isDirectory()))
        getFolderPathInto(&scratch_, false);
    else
        getDirectory(&scratch_, false);
}

const wchar_t* PathWin::makeRelative(const wchar_t* target, bool asFolder) {
    if (!target || !isSameDrive(target)) return target;
    relativeBase(asFolder);
    const uint32_t baseLength = scratch_.length();
    const uint32_t targetLength = uint32_t(wcslen(target));
    const uint32_t shorter = baseLength < targetLength ? baseLength : targetLength;
    uint32_t d = 0;
    while (d < shorter && StrBuffer::foldLower(scratch_.charAt(d)) == StrBuffer::foldLower(target[d])) ++d;
    uint32_t ups = 0;
    for (uint32_t i = d; i < baseLength; ++i)
        if (isSeparator(scratch_.charAt(i))) ++ups;
    scratch_.clear();
    for (uint32_t i = 0; i < ups; ++i) scratch_.append(L"..\\", 3);
    scratch_.append(target + d);
    return scratch_.text();
}

const wchar_t* PathWin::resolveRelative(const wchar_t* relative, bool asFolder) {
    if (!relative) return relative;
    const size_t relLength = wcslen(relative);
    if ((relLength > 1 && relative[1] == L':') || textIsUnc(relative, relLength)) return relative;
    relativeBase(asFolder);
    uint32_t steps = 0;
    size_t p = 0;
    for (;;) {
        const wchar_t* hit = wcsstr(relative + p, L"..\\");
        if (!hit) hit = wcsstr(relative + p, L"../");
        if (!hit) break;
        ++steps;
        p = size_t(hit - relative) + 3;
    }
    if (scratch_.isEmpty()) return relative;
    uint32_t c = scratch_.length() - 1;
    for (uint32_t s = 0; s < steps; ++s) {
        uint32_t found;
        if (c == 0 || !scratch_.lastIndexOfAny(L"\\/", 2, &found, c)) return relative;
        c = found;
    }
    if (steps != 0 && c <= 1) return relative;
    scratch_.setLength(c + 1);
    scratch_.append(relative + p);
    return scratch_.text();
}

// ---- derived paths --------------------------------------------------------------------

PathWin* PathWin::getParent() { return fromString(getDirectoryText()); }

PathWin* PathWin::getDirectoryPath() {
    if (isDriveOnly()) return nullptr;
    PathWin* p = fromString(getDirectoryText());
    if (p->isValid()) return p;
    p->release();
    return nullptr;
}

PathWin* PathWin::getChild(const wchar_t* name) {
    StrBuffer* t = StrBuffer::create();
    t->appendStr(&full_)->appendChar(L'\\')->append(name);
    PathWin* p = create()->setPath(t);
    t->release();
    return p;
}

PathWin* PathWin::getSibling(const wchar_t* text) {
    StrBuffer* t = getDirectory(nullptr, false);
    t->appendStr(&title_)->append(text);
    PathWin* p = create()->setPath(t);
    t->release();
    return p;
}

PathWin* PathWin::withSuffix(const wchar_t* text) {
    StrBuffer* t = getDirectory(nullptr, false);
    if (exists() && isDirectory())
        t->appendStr(&title_)->appendStr(&ext_)->append(text);
    else
        t->appendStr(&title_)->append(text)->appendStr(&ext_);
    PathWin* p = create()->setPath(t);
    t->release();
    return p;
}

PathWin* PathWin::numbered(bool brackets) {
    if (!exists()) return fromString(full_.text());
    const bool folder = isDirectory();
    StrBuffer* t = StrBuffer::create();
    for (uint32_t n = 1;; ++n) {
        getDirectory(t, false)->appendStr(&title_);
        if (folder) t->appendStr(&ext_);
        if (brackets) t->append(L" (");
        t->appendU32(n);
        if (brackets) t->appendChar(L')');
        if (!folder) t->appendStr(&ext_);
        PathWin* candidate = create()->setPath(t);
        if (!candidate->exists()) {
            t->release();
            return candidate;
        }
        candidate->release();
    }
}

PathWin* PathWin::nextFreeNumbered() { return numbered(true); }

PathWin* PathWin::nextFreeNumberedPlain() { return numbered(false); }

}  // namespace s::file::win
