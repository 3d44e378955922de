// The Windows path object: parsing and parts (PathWin.cpp), tests, attributes, times
// and sizes (PathWinInfo.cpp), file operations (PathWinOps.cpp), folder listings and
// alternate streams (PathWinList.cpp). Shell links and shell operations are in
// PathWinShell.cpp; the stream openers live with the file streams (FileStream.cpp).
#pragma once

#include <cstdint>

#include "foundation/str/StrBuffer.h"
#include "foundation/thread/Pool.h"
#include "platform/file/IPath.h"

namespace s::file {

// Explorer's settings for hidden files ("Hidden" not 2) and protected system files
// ("ShowSuperHidden" not 0), read on every call.
bool showHiddenFiles();
bool showSystemFiles();
// Where under the current user those two settings are read (Explorer's advanced
// settings unless set; null puts that back). Tests point it at a key of their own, so
// that a test never changes what other programs see.
void setExplorerSettingsKey(const wchar_t* subKey);
// Resolves the ntdll file entry points once per process (true when all resolved).
bool loadNtFileApi();
// Enables the backup privilege once per process; answers loadNtFileApi's result.
bool enableBackupPrivilege();

}  // namespace s::file

namespace s::file::win {

class PathWin final : public IPath, public thread::IPoolable {
    S_POOLED(PathWin, L"s_file_win_PathWin")

public:
    PathWin() = default;
    ~PathWin() override = default;
    PathWin(const PathWin&) = delete;
    PathWin& operator=(const PathWin&) = delete;

    // Factories: pooled paths the caller releases.
    static PathWin* fromString(const wchar_t* text);
    static PathWin* fromConcat(const wchar_t* a, const wchar_t* b);
    static PathWin* fromShortcutName(const wchar_t* folder, const wchar_t* name);
    // The absolute form of a text given from outside the program.
    static PathWin* fromUserText(const wchar_t* text);
    // A new empty file in the temporary folder (GetTempFileNameW, prefix "NEW").
    static PathWin* createTemp();

    // Pool reset: no text is kept.
    void reset() override { clear(); }

    // ---- object interface: the full-path text decides ---------------------------------
    int compareTo(const base::IComparable* other, const base::IComparator* comparator = nullptr) const override;
    int compareToIgnoreCase(const base::IComparable* other,
                            const base::IComparator* comparator = nullptr) const override;
    bool equals(const base::IComparable* other, const base::IComparator* comparator = nullptr) const override;
    bool equalsIgnoreCase(const base::IComparable* other, const base::IComparator* comparator = nullptr) const override;
    uint32_t hashCode() const override { return full_.hashCode(); }
    uint32_t hashCodeIgnoreCase() const override { return full_.hashCodeIgnoreCase(); }

    // ---- parsing, parts and derived paths (PathWin.cpp) -----------------------------------
    void dump() override;
    void clear() override;
    bool isValid() override { return valid_; }
    bool isAbsolute() override { return valid_ && (hasDrive() || isUnc()); }
    bool isStream() override { return stream_; }
    bool isUnc() override;
    const wchar_t* getUncServer() override;
    bool isDriveOnly() override { return full_.length() == 2 && full_.charAt(1) == L':'; }
    bool hasDrive() override { return full_.length() > 1 && full_.charAt(1) == L':'; }
    wchar_t getDriveLetter() override { return full_.length() ? full_.charAt(0) : L'\0'; }
    bool isSameDrive(const wchar_t* other) override;
    const wchar_t* makeRelative(const wchar_t* target, bool asFolder) override;
    const wchar_t* resolveRelative(const wchar_t* relative, bool asFolder) override;
    const wchar_t* getFullPath() override { return full_.text(); }
    const wchar_t* getLongPath() override { return long_.isEmpty() ? full_.text() : long_.text(); }
    uint32_t getLength() override { return full_.length(); }
    const wchar_t* getRoot() override;
    const wchar_t* getExtensionText() override { return ext_.text(); }
    StrBuffer* getFullPathInto(StrBuffer* out, bool append) override;
    StrBuffer* getFolderPathInto(StrBuffer* out, bool append) override;
    const wchar_t* getFolderPath() override;
    PathWin* getDirectoryPath() override;
    StrBuffer* getDirectory(StrBuffer* out, bool append) override;
    const wchar_t* getDirectoryText() override;
    StrBuffer* getDirectoryNoSlash(StrBuffer* out, bool append) override;
    const wchar_t* getDirectoryNoSlashText() override;
    StrBuffer* getFileName(StrBuffer* out, bool append) override;
    const wchar_t* getFileNameText() override;
    StrBuffer* getTitle(StrBuffer* out, bool append) override;
    const wchar_t* getTitleText() override;
    StrBuffer* getExtension(StrBuffer* out, bool append) override;
    const wchar_t* getExtensionPart() override;
    StrBuffer* getExtensionNoDot(StrBuffer* out, bool append) override;
    const wchar_t* getExtensionNoDotText() override;
    PathWin* getChild(const wchar_t* name) override;
    PathWin* getSibling(const wchar_t* text) override;
    PathWin* withSuffix(const wchar_t* text) override;
    PathWin* nextFreeNumbered() override;
    PathWin* nextFreeNumberedPlain() override;
    PathWin* getParent() override;
    bool extensionEquals(const wchar_t* extension) override;
    PathWin* setPath(const StrBuffer* text) override;
    PathWin* setPathText(const wchar_t* text) override;
    PathWin* setAbsolutePathText(const wchar_t* text) override;

    // ---- tests, attributes, times and sizes (PathWinInfo.cpp) ---------------------------
    bool exists() override;
    bool isNtfs() override { return fileSystemType() == 4; }
    bool isFat() override;
    uint32_t getAttributes() override;
    bool ensureAttributes(uint32_t bits) override;
    bool setAttributes(uint32_t bits) override;
    bool canRead() override;
    bool canWrite() override;
    bool canReadWrite() override;
    bool isDirectory() override { return (getAttributes() & attr::kDirectory) != 0; }
    bool isEmptyDirectory() override;
    bool isFile() override { return (getAttributes() & attr::kDirectory) == 0; }
    bool isHidden() override { return (getAttributes() & attr::kHidden) != 0; }
    bool isSystem() override { return (getAttributes() & attr::kSystem) != 0; }
    bool isArchive() override { return (getAttributes() & attr::kArchive) != 0; }
    bool isExe() override { return isFile() && ext_.endsWithIgnoreCase(L".exe"); }
    bool isShortcut() override { return isFile() && ext_.endsWithIgnoreCase(L".lnk"); }
    bool isUrlShortcut() override { return isFile() && ext_.endsWithIgnoreCase(L".url"); }
    bool isFolderShortcut() override;
    int64_t getSize(bool recurse = false, bool descend = true, int32_t* fileCount = nullptr,
                    int32_t* folderCount = nullptr, bool countFiles = true) override;
    int64_t getSizeOnDisk() override;
    void setCachedSize(int64_t size) override { streamSize_ = size; }
    int64_t getCreationTime(bool refresh = false) override;
    int64_t getAccessTime(bool refresh = false) override;
    int64_t getWriteTime(bool refresh = false) override;
    bool setTimes(int64_t creation, int64_t lastWrite, int64_t lastAccess, bool applyNormal, bool applyReadOnly,
                  bool applyHidden, bool applySystem, bool recurse) override;
    bool setReadable(bool readable) override;
    bool setWritable(bool writable) override;
    bool makeReadWrite() override;
    bool setHidden() override;
    StrBuffer* getShellTypeName(StrBuffer* out, bool append) override;
    const wchar_t* getShellTypeNameText() override;
    StrBuffer* getSizeText(StrBuffer* out, bool append) override;
    const wchar_t* getSizeTextValue() override;

    // ---- file operations (PathWinOps.cpp) ------------------------------------------------
    bool renameTo(const wchar_t* newPath) override;
    bool scrambleName(int32_t rounds, StrBuffer* out, bool restoreAttributes) override;
    bool makeDirectory(bool notify) override;
    bool createFile(bool notify) override;
    bool makeParentDirectories() override;
    bool remove(bool notify = false, bool scheduleOnFailure = false) override;
    bool removeOnReboot() override;
    void recycle(bool ask, bool notify) override;
    bool copyTo(const wchar_t* target, bool overwrite) override;
    bool moveTo(const wchar_t* target, bool overwrite, bool notify) override;
    bool wipe(int32_t passes, bool restoreAttributes) override;

    // ---- listings and alternate streams (PathWinList.cpp) -----------------------------
    PathWin* nextInFolder(bool forward, const StrArray* extensions, bool sort, bool wrap) override;
    bool hasChildren(bool includeHidden) override;
    StrArray* listNames(bool fullPaths, bool includeHidden) override;
    StrArray* listFolderNames(bool fullPaths, bool includeHidden) override;
    StrArray* listFileNames(bool fullPaths, bool includeHidden) override;
    ArrayP* listPaths(bool includeHidden, bool recurse, ArrayP* out) override;
    ArrayP* listFolders(bool includeHidden, bool recurse, ArrayP* out) override;
    ArrayP* listFiles(bool includeHidden, bool recurse, ArrayP* out) override;
    PathArray* collectPaths(bool includeHidden, bool recurse, PathArray* out) override;
    PathArray* collectFolders(bool includeHidden, bool recurse, PathArray* out) override;
    PathArray* collectFiles(bool includeHidden, bool recurse, PathArray* out) override;
    ArrayP* listStreams(ArrayP* out) override;
    ArrayP* matchFiles(bool includeHidden, bool recurse, ArrayP* out) override;
    ArrayP* matchAll(bool includeHidden, bool recurse, ArrayP* out) override;
    bool hasStreams(bool recurse) override;
    void removeStreams(bool recurse) override;

    // ---- shell links (PathWinShell.cpp) ---------------------------------------------------
    bool createShortcut(const wchar_t* link, bool overwrite, const wchar_t* arguments) override;
    bool createUrlShortcut(const wchar_t* url, bool overwrite) override;
    StrBuffer* getUrl(StrBuffer* out, bool append) override;
    const wchar_t* getUrlText() override;
    StrBuffer* getFolderShortcutTarget(StrBuffer* out, bool append) override;
    const wchar_t* getFolderShortcutTargetText() override;
    PathWin* getShortcutTarget() override;
    PathWin* getFolderShortcutTargetPath() override;

    // ---- file streams (FileStream.cpp) ---------------------------------------------------
    io::IInputStream* openInput() override;
    io::IOutputStream* openOutput(bool append) override;
    bool readAll(ArrayU08* bytes) override;
    bool writeAll(const ArrayU08* bytes, bool append) override;
    bool writeText(const StrBuffer* text, bool append) override;

    // A new pointer array whose items go back to the path pool.
    static ArrayP* newPathList();
    // Item of such an array.
    static PathWin* at(const ArrayP* list, uint32_t index);

private:
    // A string for a pair getter: out, or a new pooled one; emptied unless appending.
    static StrBuffer* target(StrBuffer* out, bool append);
    // Short paths (a drive root or less) are refused by every file operation.
    bool isShort() const { return full_.length() <= 3; }
    int32_t fileSystemType();
    void loadStat();
    // Base folder of makeRelative / resolveRelative, into the scratch string.
    void relativeBase(bool asFolder);
    PathWin* numbered(bool brackets);
    // Splits the given text into the parts (setPath's work after the text is stored).
    PathWin* split();
    int64_t streamSizeOf();
    // Drops the cached attributes, stat record and size on disk after the file changed.
    void forgetFileState();
    // Deletes a junction or symbolic link itself without following it.
    bool removeLink();
    // Every entry of the folder, hidden ones and links included (links are not entered).
    ArrayP* listEntriesForRemoval();
    enum class Kind { All, Folders, Files };
    // The shared folder walk: entries of one kind appended to a pointer array.
    void walk(Kind kind, bool includeHidden, bool recurse, bool includeLinks, ArrayP* out);
    StrArray* names(Kind kind, bool fullPaths, bool includeHidden);
    ArrayP* match(bool keepFolders, bool includeHidden, bool recurse, ArrayP* out);

    StrBuffer scratch_;
    StrBuffer given_;
    StrBuffer drive_;
    StrBuffer root_;
    StrBuffer dir_;
    StrBuffer long_;
    struct Stat {
        int64_t size = 0;
        int64_t accessTime = 0;
        int64_t writeTime = 0;
        int64_t creationTime = 0;
    } stat_;
    int64_t sizeOnDisk_ = -1;
    bool statLoaded_ = false;
    bool valid_ = false;
    bool stream_ = false;
    int64_t streamSize_ = -1;
    bool attributesLoaded_ = false;
    uint32_t attributes_ = 0;
    int32_t fsType_ = -1;
    StrBuffer ext_;
    StrBuffer full_;
    StrBuffer title_;
};

}  // namespace s::file::win
