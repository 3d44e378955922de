// An ordered list of path objects that it owns: dropped files, the viewer's selection,
// folder listings. Sorting, folder expansion, derived lists and grouping into
// s::file::Extension groups.
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/col/Array.h"
#include "foundation/str/StrArray.h"
#include "foundation/str/StrBuffer.h"
#include "foundation/thread/Pool.h"
#include "platform/file/Extension.h"
#include "platform/file/IPath.h"
#include "platform/file/PathWin.h"

namespace s::file {

// Grouping results are pointer arrays of Extension groups whose item destroyer is the
// group pool: the caller releases the array (and so the groups) before the path list
// the members came from.
class IPathArray : public base::IObject {
public:
    // Releases the folder flags only.
    virtual void dropFolderFlags() = 0;
    // Count 0 without releasing the paths (the caller holds them); flags dropped.
    virtual void detachAll() = 0;
    // Every path back to its pool; flags dropped.
    virtual void removeAll() = 0;
    virtual int32_t getCount() = 0;
    virtual int32_t countAll() = 0;
    // index = count appends; the list takes the path over.
    virtual void insert(int32_t index, IPath* path) = 0;
    virtual void insertText(int32_t index, const wchar_t* text) = 0;
    // The removed path, now the caller's.
    virtual IPath* removeAt(int32_t index) = 0;
    virtual void removeAndRelease(int32_t index) = 0;
    virtual void removeLast() = 0;
    virtual void sortByPath() = 0;
    virtual void sortByExtension() = 0;
    virtual ArrayP* groupByExtension() = 0;
    virtual ArrayP* groupByWords(bool dropStopWords) = 0;
    virtual ArrayP* groupByWordsAndExtension(bool dropStopWords) = 0;
    virtual ArrayP* groupBySize() = 0;
    virtual ArrayP* groupBySizeAtLeast() = 0;
    // First path whose full path equals the given one's ignoring case.
    virtual bool indexOfPath(IPath* path, int32_t* index) = 0;
    virtual bool containsText(const wchar_t* text, int32_t* index) = 0;
    virtual bool indexOfPathExact(IPath* path, int32_t* index) = 0;
    virtual void expandFolders(bool recursive) = 0;
    // Full paths each followed by one NUL, then one more NUL (the double-NUL list).
    virtual StrBuffer* joinInto(StrBuffer* out, bool append) = 0;
    virtual const wchar_t* joinText() = 0;
    // Snapshot of which paths are existing folders.
    virtual void markFolders() = 0;
    virtual bool isMarkedFolder(int32_t index) = 0;
    // Moves every folder (last to first) into target (new list when null).
    virtual win::PathArray* takeFolders(win::PathArray* target) = 0;
    virtual void setAll(int32_t count, const wchar_t* const* texts) = 0;
    virtual StrArray* fileNames() = 0;
    virtual win::PathArray* rebase(const wchar_t* folder) = 0;
    virtual win::PathArray* shortcutsIn(const wchar_t* folder) = 0;
    virtual void toFreeNames() = 0;
    // Shell operations (PathArrayShell.cpp). Outcomes: 0 nothing done, 1 done partly
    // (aborted by the user or some items failed), 2 done completely.
    virtual void notifyCreated() = 0;
    virtual void notifyDeleted() = 0;
    virtual int32_t copyTo(const wchar_t* folder, bool track, bool run, void* owner) = 0;
    virtual int32_t moveTo(const wchar_t* folder, bool track, bool run, void* owner) = 0;
    virtual int32_t createShortcuts(const wchar_t* folder, bool overwrite, bool uniqueNames, bool notify, bool planOnly,
                                    win::PathArray** out) = 0;
    virtual bool recycle(bool notify, bool ask, void* owner) = 0;
    virtual bool showProperties() = 0;
    // Not checked against the count.
    virtual IPath* get(int32_t index) = 0;
    virtual IPathArray* add(const wchar_t* text) = 0;
    virtual IPathArray* addPath(IPath* path) = 0;
};

}  // namespace s::file

namespace s::file::win {

class PathArray final : public IPathArray, public thread::IPoolable {
    S_POOLED(PathArray, L"s_file_win_PathArray")
public:
    PathArray();
    ~PathArray() override;
    PathArray(const PathArray&) = delete;
    PathArray& operator=(const PathArray&) = delete;

    void dropFolderFlags() override;
    void detachAll() override;
    void removeAll() override;
    int32_t getCount() override { return int32_t(paths_.count()); }
    int32_t countAll() override { return int32_t(paths_.count()); }
    void insert(int32_t index, IPath* path) override;
    void insertText(int32_t index, const wchar_t* text) override;
    IPath* removeAt(int32_t index) override;
    void removeAndRelease(int32_t index) override;
    void removeLast() override;
    void sortByPath() override;
    void sortByExtension() override;
    ArrayP* groupByExtension() override;
    ArrayP* groupByWords(bool dropStopWords) override;
    ArrayP* groupByWordsAndExtension(bool dropStopWords) override;
    ArrayP* groupBySize() override;
    ArrayP* groupBySizeAtLeast() override;
    bool indexOfPath(IPath* path, int32_t* index) override;
    bool containsText(const wchar_t* text, int32_t* index) override;
    bool indexOfPathExact(IPath* path, int32_t* index) override;
    void expandFolders(bool recursive) override;
    StrBuffer* joinInto(StrBuffer* out, bool append) override;
    const wchar_t* joinText() override;
    void markFolders() override;
    bool isMarkedFolder(int32_t index) override;
    PathArray* takeFolders(PathArray* target) override;
    void setAll(int32_t count, const wchar_t* const* texts) override;
    StrArray* fileNames() override;
    PathArray* rebase(const wchar_t* folder) override;
    PathArray* shortcutsIn(const wchar_t* folder) override;
    void toFreeNames() override;
    void notifyCreated() override;
    void notifyDeleted() override;
    int32_t copyTo(const wchar_t* folder, bool track, bool run, void* owner) override;
    int32_t moveTo(const wchar_t* folder, bool track, bool run, void* owner) override;
    int32_t createShortcuts(const wchar_t* folder, bool overwrite, bool uniqueNames, bool notify, bool planOnly,
                            PathArray** out) override;
    bool recycle(bool notify, bool ask, void* owner) override;
    bool showProperties() override;
    PathWin* get(int32_t index) override { return static_cast<PathWin*>(paths_.get(uint32_t(index))); }
    PathArray* add(const wchar_t* text) override;
    PathArray* addPath(IPath* path) override;

    // The folder flags (null until markFolders or a derived list copied them).
    const col::_array::ArrayS32* folderFlags() const { return flags_; }
    // The path list itself (its destroyer is the path pool).
    ArrayP& items() { return paths_; }

    // removeAll, then the join text's storage freed.
    void reset() override;

private:
    int32_t transfer(unsigned operation, const wchar_t* folder, bool track, bool run, void* owner);
    void notifyEach(bool created);
    void addWordGroups(bool dropStopWords, bool withExtension, ArrayP* groups);
    ArrayP* groupBySizeClasses(bool atLeast);

    ArrayP paths_;
    col::_array::ArrayS32* flags_ = nullptr;
    StrBuffer join_;
};

}  // namespace s::file::win
