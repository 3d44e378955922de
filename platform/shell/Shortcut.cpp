#include "platform/shell/Shortcut.h"

#include <windows.h>
#include <intshcut.h>
#include <objbase.h>
#include <shlobj.h>

#include "platform/file/PathWin.h"

namespace s::shell {

using file::win::PathWin;
using str::strbuffer::StrBuffer;

namespace {

const CLSID kShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kShellLinkW = {0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const CLSID kInternetShortcutClass = {0xFBF23B40, 0xE3F0, 0x101B, {0x84, 0x88, 0x00, 0xAA, 0x00, 0x3E, 0x56, 0xF8}};
const IID kUniformResourceLocatorW = {0xCABB0DA0, 0xDA57, 0x11CF, {0x99, 0x74, 0x00, 0x20, 0xAF, 0xD7, 0x97, 0x62}};

// The COM object's first interface; on failure COM is initialised and it is tried once more.
template <class I>
I* createObject(const CLSID& cls, const IID& iid) {
    void* object = nullptr;
    if (FAILED(CoCreateInstance(cls, nullptr, CLSCTX_INPROC_SERVER, iid, &object))) {
        CoInitialize(nullptr);
        object = nullptr;
        if (FAILED(CoCreateInstance(cls, nullptr, CLSCTX_INPROC_SERVER, iid, &object))) return nullptr;
    }
    return static_cast<I*>(object);
}

template <class I>
I* query(IUnknown* object, const IID& iid) {
    void* out = nullptr;
    if (!object || FAILED(object->QueryInterface(iid, &out))) return nullptr;
    return static_cast<I*>(out);
}

template <class I>
void releaseCom(I*& object) {
    if (object) object->Release();
    object = nullptr;
}

bool isLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

}  // namespace

bool createShortcut(const wchar_t* target, const wchar_t* link, const wchar_t* arguments) {
    if (!target || !link) return false;
    PathWin* path = PathWin::fromString(target);
    bool ok = false;
    if (!path->isValid() || !path->exists()) {
        ok = false;
    } else if (path->isShortcut()) {
        ok = path->copyTo(link, true);
    } else if (IShellLinkW* shellLink = createObject<IShellLinkW>(kShellLinkClass, kShellLinkW)) {
        shellLink->SetPath(target);
        PathWin* parent = path->getParent();
        if (parent && parent->isValid() && parent->exists()) {
            StrBuffer* folder = parent->getFullPathInto(nullptr, false);
            if (!folder->endsWith(L"\\")) folder->appendText(L"\\");
            shellLink->SetWorkingDirectory(folder->text());
            folder->release();
        }
        if (parent) parent->release();
        if (arguments) shellLink->SetArguments(arguments);
        IPersistFile* file = query<IPersistFile>(shellLink, kPersistFile);
        ok = file && SUCCEEDED(file->Save(link, TRUE));
        releaseCom(file);
        releaseCom(shellLink);
    }
    path->release();
    return ok;
}

StrBuffer* readShortcut(const wchar_t* link) {
    StrBuffer* out = StrBuffer::create();
    if (!link) return out;
    IShellLinkW* shellLink = createObject<IShellLinkW>(kShellLinkClass, kShellLinkW);
    IPersistFile* file = query<IPersistFile>(shellLink, kPersistFile);
    wchar_t target[MAX_PATH + 1] = {0};
    wchar_t description[780] = {0};
    WIN32_FIND_DATAW found{};
    if (file && SUCCEEDED(file->Load(link, STGM_READ)) &&
        SUCCEEDED(shellLink->Resolve(nullptr, SLR_NO_UI | SLR_NOUPDATE | SLR_NOSEARCH | SLR_NOTRACK)) &&
        SUCCEEDED(shellLink->GetPath(target, MAX_PATH, &found, SLGP_SHORTPATH)) &&
        SUCCEEDED(shellLink->GetDescription(description, 780))) {
        out->setText(target);
        StrBuffer* longer = getLongPathName(target);
        if (longer->length() > out->length()) out->setStr(longer);
        longer->release();
    }
    releaseCom(file);
    releaseCom(shellLink);
    return out;
}

StrBuffer* getLongPathName(const wchar_t* text) {
    StrBuffer* out = StrBuffer::create();
    if (!text || !*text || GetFileAttributesW(text) == INVALID_FILE_ATTRIBUTES) return out;
    StrBuffer* given = StrBuffer::fromString(text);
    uint32_t n = given->length();
    uint32_t rootLength = 3;
    bool unc = false;
    if (n >= 2 && isLetter(given->charAt(0)) && given->charAt(1) == L':') {
        if (n == 2 || (n == 3 && given->charAt(2) == L'\\')) {
            out->setStr(given);
            given->release();
            return out;
        }
        if (given->charAt(2) != L'\\') {
            given->release();
            return out;
        }
    } else if (n >= 2 && given->charAt(0) == L'\\' && given->charAt(1) == L'\\') {
        uint32_t slash = 0;
        if (!given->indexOf(L'\\', &slash, 2) || slash + 1 >= n) {
            given->release();
            return out;
        }
        rootLength = slash + 1;
        unc = true;
    }
    if (rootLength > n) rootLength = n;
    out->assign(given->data(), int32_t(rootLength));
    uint32_t start = rootLength;
    bool failed = false;
    while (start < n && !failed) {
        uint32_t end = start;
        while (end < n && given->charAt(end) != L'\\') ++end;
        if (end > start) {
            uint32_t mark = out->length();
            out->append(given->data() + start, int32_t(end - start));
            WIN32_FIND_DATAW found{};
            HANDLE find = FindFirstFileW(out->text(), &found);
            if (find != INVALID_HANDLE_VALUE) {
                FindClose(find);
                out->setLength(mark);
                out->appendText(found.cFileName);
            } else if (!unc) {
                failed = true;
            }
            if (end < n) out->appendText(L"\\");
        }
        start = end + 1;
    }
    given->release();
    if (failed || GetFileAttributesW(out->text()) == INVALID_FILE_ATTRIBUTES) out->clear();
    return out;
}

// The internet shortcut's URL goes through IUniformResourceLocatorW: every shell that
// has the object offers it, while its IShellLinkW view is not always there.
bool createUrlShortcut(const wchar_t* url, const wchar_t* file) {
    if (!url || !file) return false;
    auto* locator = createObject<IUniformResourceLocatorW>(kInternetShortcutClass, kUniformResourceLocatorW);
    IPersistFile* persist = query<IPersistFile>(locator, kPersistFile);
    bool ok = persist && SUCCEEDED(locator->SetURL(url, 0)) && SUCCEEDED(persist->Save(file, TRUE));
    releaseCom(persist);
    releaseCom(locator);
    return ok;
}

StrBuffer* readUrlShortcut(const wchar_t* file) {
    StrBuffer* out = StrBuffer::create();
    if (!file) return out;
    auto* locator = createObject<IUniformResourceLocatorW>(kInternetShortcutClass, kUniformResourceLocatorW);
    IPersistFile* persist = query<IPersistFile>(locator, kPersistFile);
    wchar_t* url = nullptr;
    if (persist && SUCCEEDED(persist->Load(file, STGM_READ)) && SUCCEEDED(locator->GetURL(&url)) && url)
        out->setText(url);
    if (url) CoTaskMemFree(url);
    releaseCom(persist);
    releaseCom(locator);
    return out;
}

}  // namespace s::shell
