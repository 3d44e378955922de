// The file-system path interface: a path set from a text once, split into its parts,
// with tests, caches of what the file system answered, listings and file operations.
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"

namespace s::str::strbuffer {
class StrBuffer;
}
namespace s::str::strarray {
class StrArray;
}
namespace s::col::_array {
class ArrayP;
class ArrayU08;
}  // namespace s::col::_array
namespace s::io {
class IInputStream;
class IOutputStream;
}  // namespace s::io
namespace s::file::win {
class PathArray;
}

namespace s::file {

using col::_array::ArrayP;
using col::_array::ArrayU08;
using str::strarray::StrArray;
using str::strbuffer::StrBuffer;

// Windows file-attribute bits the path tests.
namespace attr {
constexpr uint32_t kReadOnly = 0x1;
constexpr uint32_t kHidden = 0x2;
constexpr uint32_t kSystem = 0x4;
constexpr uint32_t kDirectory = 0x10;
constexpr uint32_t kArchive = 0x20;
constexpr uint32_t kNormal = 0x80;
constexpr uint32_t kSparse = 0x200;
constexpr uint32_t kReparsePoint = 0x400;
constexpr uint32_t kCompressed = 0x800;
constexpr uint32_t kNotContentIndexed = 0x2000;
constexpr uint32_t kEncrypted = 0x4000;
}  // namespace attr

// Getters in pairs: the first takes (out string or null, append flag) and returns the
// string (null: a new pooled string the caller releases; append false: out is emptied
// first); the second, whose name ends in Text, writes into the path's own scratch string
// and returns its text, valid until the next such call on the same path.
// Operations returning a path return a new pooled path the caller releases.
class IPath : public base::IObject {
public:
    // Gives the path back to its class pool.
    virtual void release() = 0;

    virtual void dump() = 0;
    virtual void clear() = 0;
    virtual bool isValid() = 0;
    virtual bool isAbsolute() = 0;
    virtual bool exists() = 0;
    virtual bool isNtfs() = 0;
    virtual bool isFat() = 0;
    virtual uint32_t getAttributes() = 0;
    virtual bool ensureAttributes(uint32_t bits) = 0;
    virtual bool setAttributes(uint32_t bits) = 0;
    virtual bool canRead() = 0;
    virtual bool canWrite() = 0;
    virtual bool canReadWrite() = 0;
    virtual bool isDirectory() = 0;
    virtual bool isEmptyDirectory() = 0;
    virtual bool isFile() = 0;
    virtual bool isStream() = 0;
    virtual bool isHidden() = 0;
    virtual bool isSystem() = 0;
    virtual bool isArchive() = 0;
    virtual bool isExe() = 0;
    virtual bool isShortcut() = 0;
    virtual bool isUrlShortcut() = 0;
    virtual bool isFolderShortcut() = 0;
    virtual bool isUnc() = 0;
    virtual const wchar_t* getUncServer() = 0;
    virtual bool isDriveOnly() = 0;
    virtual bool hasDrive() = 0;
    virtual wchar_t getDriveLetter() = 0;
    virtual bool isSameDrive(const wchar_t* other) = 0;
    virtual const wchar_t* makeRelative(const wchar_t* target, bool asFolder) = 0;
    virtual const wchar_t* resolveRelative(const wchar_t* relative, bool asFolder) = 0;
    virtual const wchar_t* getFullPath() = 0;
    virtual const wchar_t* getLongPath() = 0;
    virtual uint32_t getLength() = 0;
    virtual const wchar_t* getRoot() = 0;
    virtual const wchar_t* getExtensionText() = 0;
    virtual int64_t getSize(bool recurse = false, bool descend = true, int32_t* fileCount = nullptr,
                            int32_t* folderCount = nullptr, bool countFiles = true) = 0;
    virtual int64_t getSizeOnDisk() = 0;
    virtual void setCachedSize(int64_t size) = 0;
    virtual int64_t getCreationTime(bool refresh = false) = 0;
    virtual int64_t getAccessTime(bool refresh = false) = 0;
    virtual int64_t getWriteTime(bool refresh = false) = 0;
    // Times in Unix seconds; a negative time is left unchanged. The four flags say which
    // entries (by their system / hidden / read-only / other attributes) get the times.
    virtual bool setTimes(int64_t creation, int64_t lastWrite, int64_t lastAccess, bool applyNormal, bool applyReadOnly,
                          bool applyHidden, bool applySystem, bool recurse) = 0;
    virtual bool setReadable(bool readable) = 0;
    virtual bool setWritable(bool writable) = 0;
    virtual bool makeReadWrite() = 0;
    virtual bool setHidden() = 0;
    virtual bool renameTo(const wchar_t* newPath) = 0;
    virtual bool scrambleName(int32_t rounds, StrBuffer* out, bool restoreAttributes) = 0;
    virtual bool makeDirectory(bool notify) = 0;
    virtual bool createFile(bool notify) = 0;
    virtual bool makeParentDirectories() = 0;
    virtual bool remove(bool notify = false, bool scheduleOnFailure = false) = 0;
    virtual bool removeOnReboot() = 0;
    virtual void recycle(bool ask, bool notify) = 0;
    virtual bool copyTo(const wchar_t* target, bool overwrite) = 0;
    virtual bool moveTo(const wchar_t* target, bool overwrite, bool notify) = 0;
    virtual bool createShortcut(const wchar_t* link, bool overwrite, const wchar_t* arguments) = 0;
    virtual bool createUrlShortcut(const wchar_t* url, bool overwrite) = 0;
    virtual StrBuffer* getFullPathInto(StrBuffer* out, bool append) = 0;
    virtual StrBuffer* getFolderPathInto(StrBuffer* out, bool append) = 0;
    virtual const wchar_t* getFolderPath() = 0;
    virtual IPath* getDirectoryPath() = 0;
    virtual StrBuffer* getDirectory(StrBuffer* out, bool append) = 0;
    virtual const wchar_t* getDirectoryText() = 0;
    virtual StrBuffer* getDirectoryNoSlash(StrBuffer* out, bool append) = 0;
    virtual const wchar_t* getDirectoryNoSlashText() = 0;
    virtual StrBuffer* getFileName(StrBuffer* out, bool append) = 0;
    virtual const wchar_t* getFileNameText() = 0;
    virtual StrBuffer* getTitle(StrBuffer* out, bool append) = 0;
    virtual const wchar_t* getTitleText() = 0;
    virtual StrBuffer* getExtension(StrBuffer* out, bool append) = 0;
    virtual const wchar_t* getExtensionPart() = 0;
    virtual StrBuffer* getExtensionNoDot(StrBuffer* out, bool append) = 0;
    virtual const wchar_t* getExtensionNoDotText() = 0;
    virtual StrBuffer* getShellTypeName(StrBuffer* out, bool append) = 0;
    virtual const wchar_t* getShellTypeNameText() = 0;
    virtual StrBuffer* getSizeText(StrBuffer* out, bool append) = 0;
    virtual const wchar_t* getSizeTextValue() = 0;
    virtual StrBuffer* getUrl(StrBuffer* out, bool append) = 0;
    virtual const wchar_t* getUrlText() = 0;
    virtual StrBuffer* getFolderShortcutTarget(StrBuffer* out, bool append) = 0;
    virtual const wchar_t* getFolderShortcutTargetText() = 0;
    virtual IPath* getChild(const wchar_t* name) = 0;
    virtual IPath* getSibling(const wchar_t* text) = 0;
    virtual IPath* withSuffix(const wchar_t* text) = 0;
    virtual IPath* nextFreeNumbered() = 0;
    virtual IPath* nextFreeNumberedPlain() = 0;
    virtual IPath* getParent() = 0;
    virtual IPath* getShortcutTarget() = 0;
    virtual IPath* getFolderShortcutTargetPath() = 0;
    // extensions: texts with their dot (".jpg"), or null for every file.
    virtual IPath* nextInFolder(bool forward, const StrArray* extensions, bool sort, bool wrap) = 0;
    virtual bool hasChildren(bool includeHidden) = 0;
    virtual StrArray* listNames(bool fullPaths, bool includeHidden) = 0;
    virtual StrArray* listFolderNames(bool fullPaths, bool includeHidden) = 0;
    virtual StrArray* listFileNames(bool fullPaths, bool includeHidden) = 0;
    // Pointer arrays of paths; a new one (whose items go back to the path pool) when null.
    virtual ArrayP* listPaths(bool includeHidden, bool recurse, ArrayP* out) = 0;
    virtual ArrayP* listFolders(bool includeHidden, bool recurse, ArrayP* out) = 0;
    virtual ArrayP* listFiles(bool includeHidden, bool recurse, ArrayP* out) = 0;
    virtual win::PathArray* collectPaths(bool includeHidden, bool recurse, win::PathArray* out) = 0;
    virtual win::PathArray* collectFolders(bool includeHidden, bool recurse, win::PathArray* out) = 0;
    virtual win::PathArray* collectFiles(bool includeHidden, bool recurse, win::PathArray* out) = 0;
    virtual ArrayP* listStreams(ArrayP* out) = 0;
    virtual ArrayP* matchFiles(bool includeHidden, bool recurse, ArrayP* out) = 0;
    virtual ArrayP* matchAll(bool includeHidden, bool recurse, ArrayP* out) = 0;
    // Pooled file streams on this path (returned also when opening failed: their reads
    // and writes then fail); the caller disposes of them.
    virtual io::IInputStream* openInput() = 0;
    virtual io::IOutputStream* openOutput(bool append) = 0;
    virtual bool readAll(ArrayU08* bytes) = 0;
    virtual bool writeAll(const ArrayU08* bytes, bool append) = 0;
    virtual bool writeText(const StrBuffer* text, bool append) = 0;
    virtual bool hasStreams(bool recurse) = 0;
    virtual void removeStreams(bool recurse) = 0;
    virtual bool wipe(int32_t passes, bool restoreAttributes) = 0;
    virtual bool extensionEquals(const wchar_t* extension) = 0;
    virtual IPath* setPath(const StrBuffer* text) = 0;
    virtual IPath* setPathText(const wchar_t* text) = 0;
    // Sets the path to the absolute form of the text (GetFullPathNameW against the current
    // folder): for texts given from outside the program (command line, dropped names).
    virtual IPath* setAbsolutePathText(const wchar_t* text) = 0;
};

}  // namespace s::file
