#include "platform/shell/SpecialFolder.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/file/PathWin.h"

namespace s::system {

using file::win::PathWin;
using str::strbuffer::StrBuffer;

StrBuffer* getSpecialFolderPath(int32_t csidl) {
    StrBuffer* out = StrBuffer::create();
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &pidl)) || !pidl) return out;
    wchar_t text[MAX_PATH + 1];
    if (SHGetPathFromIDListW(pidl, text)) out->setText(text);
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(pidl);
        allocator->Release();
    }
    return out;
}

PathWin* getWindowsFolder() {
    StrBuffer* text = getSpecialFolderPath(CSIDL_WINDOWS);
    PathWin* path = PathWin::fromString(text->text());
    text->release();
    return path;
}

namespace {

const StrBuffer* cachedFolder(StrBuffer& cache, int32_t csidl) {
    if (cache.isEmpty()) {
        StrBuffer* text = getSpecialFolderPath(csidl);
        cache.setStr(text);
        text->release();
    }
    return &cache;
}

}  // namespace

const StrBuffer* getDesktopPath() {
    static StrBuffer cache;
    return cachedFolder(cache, CSIDL_DESKTOP);
}

const StrBuffer* getWindowsPath() {
    static StrBuffer cache;
    return cachedFolder(cache, CSIDL_WINDOWS);
}

const wchar_t* getSystemRoot() {
    static StrBuffer cache;
    if (cache.isEmpty()) {
        PathWin* windows = getWindowsFolder();
        if (windows->isValid() && windows->exists()) cache.setText(windows->getRoot());
        windows->release();
        if (cache.isEmpty()) cache.setText(L"C:\\");
    }
    return cache.text();
}

}  // namespace s::system
