#include "platform/file/PathArray.h"

#include <cwchar>

#include "foundation/comp/Comparator.h"
#include "foundation/map/Map.h"

namespace s::file::win {

namespace {

using col::_array::ArrayS32;

PathWin* pathAt(const ArrayP& list, uint32_t i) { return static_cast<PathWin*>(list.get(i)); }

// A path that exists and is a folder. (A missing path answers every attribute bit, so
// the directory bit alone would call it a folder.)
bool isExistingFolder(IPath* path) {
    uint32_t bits = path->getAttributes();
    return bits != 0xFFFFFFFFu && (bits & attr::kDirectory) != 0;
}

// The runtime's case-insensitive compare over the shorter length, then the shorter first.
int compareTexts(const wchar_t* a, const wchar_t* b) {
    size_t la = wcslen(a), lb = wcslen(b);
    int c = _wcsnicmp(a, b, la < lb ? la : lb);
    if (c != 0) return c;
    return la == lb ? 0 : (la < lb ? -1 : 1);
}

int byFullPath(const void* a, const void* b, void*) {
    return compareTexts(static_cast<PathWin*>(const_cast<void*>(a))->getFullPath(),
                        static_cast<PathWin*>(const_cast<void*>(b))->getFullPath());
}

int byExtension(const void* a, const void* b, void*) {
    return compareTexts(static_cast<PathWin*>(const_cast<void*>(a))->getExtensionText(),
                        static_cast<PathWin*>(const_cast<void*>(b))->getExtensionText());
}

int byMemberCount(const void* a, const void* b, void*) {
    int32_t x = static_cast<const Extension*>(a)->getCount(), y = static_cast<const Extension*>(b)->getCount();
    return x < y ? -1 : (x != y ? 1 : 0);
}

// Size classes of the size grouping, smallest bound first.
constexpr int64_t kSizeBounds[] = {1024, 10240, 102400, 1048576, 10485760, 104857600, 1073741824};
constexpr int kSizeClasses = int(sizeof(kSizeBounds) / sizeof(kSizeBounds[0]));

}  // namespace

PathArray::PathArray() : paths_(PathWin::pooler()) {}

PathArray::~PathArray() {
    paths_.freeStorage();
    dropFolderFlags();
}

void PathArray::reset() {
    removeAll();
    join_.freeStorage();
}

// ---- membership ------------------------------------------------------------------------

void PathArray::dropFolderFlags() {
    if (flags_) {
        flags_->release();
        flags_ = nullptr;
    }
}

void PathArray::detachAll() {
    paths_.setCount(0);
    dropFolderFlags();
}

void PathArray::removeAll() {
    paths_.freeStorage();
    dropFolderFlags();
}

void PathArray::insert(int32_t index, IPath* path) {
    if (!path) return;
    uint32_t i = index < 0 ? 0 : uint32_t(index);
    if (i > paths_.count()) i = paths_.count();
    paths_.insertAt(i, static_cast<PathWin*>(path));
    // Flags present stay one per path.
    if (flags_) {
        int32_t flag = isExistingFolder(path) ? 1 : 0;
        flags_->insert(i < flags_->count() ? i : flags_->count(), &flag, 1);
    }
}

void PathArray::insertText(int32_t index, const wchar_t* text) { insert(index, PathWin::fromString(text)); }

PathArray* PathArray::add(const wchar_t* text) {
    insert(getCount(), PathWin::fromString(text));
    return this;
}

PathArray* PathArray::addPath(IPath* path) {
    insert(getCount(), path);
    return this;
}

IPath* PathArray::removeAt(int32_t index) {
    if (index < 0 || uint32_t(index) >= paths_.count()) return nullptr;
    PathWin* path = pathAt(paths_, uint32_t(index));
    paths_.removeRange(uint32_t(index), 1);
    if (flags_) flags_->removeRange(uint32_t(index), 1);
    return path;
}

void PathArray::removeAndRelease(int32_t index) {
    IPath* path = removeAt(index);
    if (path) path->release();
}

void PathArray::removeLast() {
    if (paths_.count()) removeAndRelease(int32_t(paths_.count() - 1));
}

void PathArray::setAll(int32_t count, const wchar_t* const* texts) {
    removeAll();
    for (int32_t i = 0; texts && i < count; ++i) add(texts[i]);
}

// First path equal to the given one, ignoring case or not; its index through index.
static bool findPath(const ArrayP& paths, IPath* path, bool ignoreCase, int32_t* index) {
    if (!path) return false;
    for (uint32_t i = 0; i < paths.count(); ++i) {
        PathWin* p = pathAt(paths, i);
        if (ignoreCase ? p->equalsIgnoreCase(path) : p->equals(path)) {
            if (index) *index = int32_t(i);
            return true;
        }
    }
    return false;
}

bool PathArray::indexOfPath(IPath* path, int32_t* index) { return findPath(paths_, path, true, index); }

bool PathArray::indexOfPathExact(IPath* path, int32_t* index) { return findPath(paths_, path, false, index); }

bool PathArray::containsText(const wchar_t* text, int32_t* index) {
    PathWin* probe = PathWin::fromString(text);
    bool found = indexOfPath(probe, index);
    probe->release();
    return found;
}

// ---- derived lists ---------------------------------------------------------------------

StrArray* PathArray::fileNames() {
    StrArray* names = StrArray::create();
    for (uint32_t i = 0; i < paths_.count(); ++i) names->push(pathAt(paths_, i)->getFileName(nullptr, false));
    return names;
}

StrBuffer* PathArray::joinInto(StrBuffer* out, bool append) {
    if (!out)
        out = StrBuffer::create();
    else if (!append)
        out->clear();
    const wchar_t nul = 0;
    for (uint32_t i = 0; i < paths_.count(); ++i) {
        PathWin* path = pathAt(paths_, i);
        out->append(path->getFullPath(), int32_t(path->getLength()));
        out->append(&nul, 1);
    }
    out->append(&nul, 1);
    return out;
}

const wchar_t* PathArray::joinText() { return joinInto(&join_, false)->text(); }

void PathArray::markFolders() {
    dropFolderFlags();
    flags_ = ArrayS32::create();
    if (!flags_) return;
    flags_->reserve(paths_.count());
    for (uint32_t i = 0; i < paths_.count(); ++i) flags_->push(isExistingFolder(pathAt(paths_, i)) ? 1 : 0);
}

bool PathArray::isMarkedFolder(int32_t index) {
    return flags_ && index >= 0 && uint32_t(index) < flags_->count() && flags_->get(uint32_t(index)) == 1;
}

PathArray* PathArray::takeFolders(PathArray* target) {
    if (!target) target = create();
    for (int32_t i = getCount() - 1; i >= 0; --i) {
        if (isExistingFolder(get(i))) target->addPath(removeAt(i));
    }
    return target;
}

PathArray* PathArray::rebase(const wchar_t* folder) {
    PathArray* out = create();
    PathWin* base = PathWin::fromString(folder);
    StrBuffer* text = StrBuffer::create();
    for (uint32_t i = 0; i < paths_.count(); ++i) {
        text->setText(base->getFullPath());
        text->appendText(L"\\");
        pathAt(paths_, i)->getFileName(text, true);
        out->paths_.push(PathWin::fromString(text->text()));
    }
    if (flags_) {
        out->flags_ = ArrayS32::create();
        if (out->flags_) {
            out->flags_->reserve(flags_->count());
            for (uint32_t i = 0; i < flags_->count(); ++i) out->flags_->push(flags_->get(i));
        }
    }
    text->release();
    base->release();
    return out;
}

PathArray* PathArray::shortcutsIn(const wchar_t* folder) {
    PathArray* out = create();
    PathWin* base = PathWin::fromString(folder);
    StrBuffer* name = StrBuffer::create();
    for (uint32_t i = 0; i < paths_.count(); ++i) {
        PathWin* path = pathAt(paths_, i);
        if (path->isDriveOnly()) {
            wchar_t letter = path->getDriveLetter();
            name->assign(&letter, 1);
        } else {
            path->getFileName(name, false);
        }
        out->paths_.push(PathWin::fromShortcutName(base->getFullPath(), name->text()));
    }
    out->flags_ = ArrayS32::create();
    if (out->flags_) {
        out->flags_->reserve(out->paths_.count());
        for (uint32_t i = 0; i < out->paths_.count(); ++i) out->flags_->push(0);
    }
    name->release();
    base->release();
    return out;
}

void PathArray::toFreeNames() {
    for (uint32_t i = 0; i < paths_.count(); ++i) {
        PathWin* path = pathAt(paths_, i);
        if (!path->exists()) continue;
        IPath* free = path->nextFreeNumbered();
        if (!free || free == path) continue;
        paths_.items()[i] = static_cast<PathWin*>(free);
        path->release();
    }
}

void PathArray::expandFolders(bool recursive) {
    const uint32_t n = paths_.count();
    for (uint32_t i = 0; i < n; ++i) {
        PathWin* path = pathAt(paths_, i);
        if (!isExistingFolder(path)) continue;
        PathArray* entries = path->collectPaths(true, false, nullptr);
        if (!entries) continue;
        if (recursive) entries->expandFolders(true);
        for (uint32_t k = 0; k < entries->paths_.count(); ++k) addPath(pathAt(entries->paths_, k));
        entries->detachAll();
        entries->release();
    }
}

// ---- sorting and grouping ----------------------------------------------------------------

void PathArray::sortByPath() { comp::sortAscending(paths_.items(), paths_.count(), byFullPath); }

void PathArray::sortByExtension() { comp::sortAscending(paths_.items(), paths_.count(), byExtension); }

ArrayP* PathArray::groupByExtension() {
    sortByExtension();
    ArrayP* groups = Extension::newGroupList();
    Extension* current = nullptr;
    for (uint32_t i = 0; i < paths_.count(); ++i) {
        PathWin* path = pathAt(paths_, i);
        const wchar_t* ext = path->getExtensionText();
        if (!current || !current->key().equalsText(ext) || current->key().length() != wcslen(ext)) {
            current = Extension::withKey(ext);
            if (!current) break;
            groups->push(current);
        }
        current->add(path);
    }
    return groups;
}

void PathArray::addWordGroups(bool dropStopWords, bool withExtension, ArrayP* groups) {
    map::Map* table = map::Map::create();
    table->setIgnoreCase(true);
    StrBuffer* title = StrBuffer::create();
    for (uint32_t i = 0; i < paths_.count(); ++i) {
        PathWin* path = pathAt(paths_, i);
        path->getTitle(title, false);
        StrArray* words = title->splitWords(dropStopWords);
        if (!words) continue;
        const wchar_t* ext = path->getExtensionText();
        if (withExtension && wcslen(ext) > 1 && !words->indexOfTextIgnoreCase(ext)) words->addText(ext);
        for (uint32_t w = 0; w < words->count(); ++w) {
            StrBuffer* word = words->at(w);
            const uint32_t hash = word->hashCodeIgnoreCase();
            auto* group = static_cast<Extension*>(table->find(hash, word));
            if (!group) {
                group = Extension::withKey(word->data(), int32_t(word->length()));
                if (!group) continue;
                table->add(hash, group);
                groups->push(group);
            }
            group->add(path);
        }
        words->release();
    }
    title->release();
    table->clear();
    table->release();
    // Largest groups first (ties in order of creation); single-member groups go.
    comp::sortDescending(groups->items(), groups->count(), byMemberCount);
    while (groups->count() && static_cast<Extension*>(groups->last())->getCount() <= 1)
        groups->removeAtAndRelease(groups->count() - 1);
}

ArrayP* PathArray::groupByWords(bool dropStopWords) {
    ArrayP* groups = Extension::newGroupList();
    addWordGroups(dropStopWords, false, groups);
    return groups;
}

ArrayP* PathArray::groupByWordsAndExtension(bool dropStopWords) {
    ArrayP* groups = Extension::newGroupList();
    addWordGroups(dropStopWords, true, groups);
    return groups;
}

ArrayP* PathArray::groupBySizeClasses(bool atLeast) {
    Extension* classes[kSizeClasses] = {};
    int32_t own[kSizeClasses] = {};  // members of each class before the cumulation
    for (uint32_t i = 0; i < paths_.count(); ++i) {
        PathWin* path = pathAt(paths_, i);
        const int64_t size = path->getSize(false);
        int c = -1;
        if (atLeast) {
            for (int k = kSizeClasses - 1; k >= 0 && c < 0; --k)
                if (size >= kSizeBounds[k]) c = k;
        } else {
            for (int k = 0; k < kSizeClasses && c < 0; ++k)
                if (size < kSizeBounds[k]) c = k;
        }
        if (c < 0) continue;
        if (!classes[c]) {
            wchar_t key[24];
            swprintf(key, 24, L"%lld", static_cast<long long>(kSizeBounds[c]));
            classes[c] = Extension::withKey(key);
            if (!classes[c]) continue;
        }
        classes[c]->add(path);
    }
    for (int c = 0; c < kSizeClasses; ++c) own[c] = classes[c] ? classes[c]->getCount() : 0;
    // Each class also takes every file of the classes it covers: the smaller ones, or
    // with atLeast the larger ones.
    for (int c = 0; c < kSizeClasses; ++c) {
        if (!classes[c]) continue;
        for (int k = 0; k < kSizeClasses; ++k) {
            if (k == c || (atLeast ? k < c : k > c)) continue;
            for (int32_t m = 0; m < own[k]; ++m) classes[c]->add(classes[k]->get(m));
        }
    }
    // Largest bound first (the key texts order the same way).
    ArrayP* groups = Extension::newGroupList();
    for (int c = kSizeClasses - 1; c >= 0; --c)
        if (classes[c]) groups->push(classes[c]);
    return groups;
}

ArrayP* PathArray::groupBySize() { return groupBySizeClasses(false); }

ArrayP* PathArray::groupBySizeAtLeast() { return groupBySizeClasses(true); }

}  // namespace s::file::win
