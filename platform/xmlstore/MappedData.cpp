#include "platform/xmlstore/MappedData.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"
#include "foundation/xml/Attributes.h"
#include "foundation/xml/Node.h"
#include "platform/file/PathWin.h"

namespace s::xml {

using col::_array::ArrayU08;
using file::win::PathWin;
using str::strbuffer::StrBuffer;
using Guard = thread::ObjLocker::Guard;

namespace {

constexpr const wchar_t* kRootName = L"savedata";

bool isSeparator(wchar_t c) { return c == L'/' || c == L'\\'; }

// The calling thread's copy of the last text it read from an XML store.
const wchar_t* threadCopy(const wchar_t* text) {
    // Held through a pointer: a thread-local object with a destructor makes the runtime's
    // thread-storage key deletion at process exit wait for ever once a thread that read
    // settings has ended. The copy of an ended thread is left to the process.
    static thread_local std::wstring* copy = nullptr;
    if (!copy) copy = new std::wstring();
    copy->assign(text ? text : L"");
    return copy->c_str();
}

// "%f" when it reads back as the same value, else the shortest text that does.
void formatReal(wchar_t* out, size_t size, double value, bool single) {
    std::swprintf(out, size, L"%f", value);
    double back = std::wcstod(out, nullptr);
    if (single ? float(back) == float(value) : back == value) return;
    if (value != value) return;  // nan: "%f" already says so
    std::swprintf(out, size, single ? L"%.9g" : L"%.17g", value);
}

}  // namespace

MappedData::MappedData() : value_(StrBuffer::create()), currentPath_(StrBuffer::create()) {}

MappedData::~MappedData() {
    if (root_) root_->release();
    if (file_) file_->release();
    if (value_) value_->release();
    if (currentPath_) currentPath_->release();
}

void MappedData::reset() {
    Guard guard(lock_);
    if (file_) file_->release();
    file_ = nullptr;
    value_->clear(false);
    currentPath_->clear(false);
    if (root_) root_->release();
    root_ = nullptr;
    current_ = nullptr;
    haveCurrent_ = false;
    autoFlush_ = false;
    keepBadFile_ = false;
    dirty_ = false;
    lastFlushOk_ = false;
}

MappedData* MappedData::openFile(const wchar_t* fileName) {
    MappedData* store = create();
    if (!store) return nullptr;
    store->open(fileName);
    Guard guard(store->lock_);
    store->ensureRoot();
    return store;
}

bool MappedData::open(const wchar_t* fileName) {
    Guard guard(lock_);
    if (file_) file_->release();
    file_ = PathWin::fromString(fileName ? fileName : L"");
    keepBadFile_ = false;
    if (!file_ || !file_->exists()) return true;
    Node* loaded = Node::create();
    if (loaded && loaded->loadFile(file_->getFullPath())) {
        setRoot(loaded);
        return true;
    }
    if (loaded) loaded->release();
    // The file is there but cannot be read as a settings tree: it is kept as it is until
    // a change of this program is written, and copied aside first.
    keepBadFile_ = true;
    return false;
}

void MappedData::setRoot(Node* element) {
    Guard guard(lock_);
    if (root_ && root_ != element) root_->release();
    root_ = element;
    currentPath_->clear();
    current_ = root_;
    haveCurrent_ = true;
}

Node* MappedData::getRoot() {
    Guard guard(lock_);
    return root_;
}

bool MappedData::lastFlushOk() {
    Guard guard(lock_);
    return lastFlushOk_;
}

Node* MappedData::ensureRoot() {
    if (root_) return root_;
    Node* root = Node::create();
    if (!root) return nullptr;
    if (!root->setName(kRootName)) {
        root->release();
        return nullptr;
    }
    setRoot(root);
    return root_;
}

bool MappedData::backUpBadFile() {
    const wchar_t* target = file_->getFullPath();
    for (int i = 0; i < 100; ++i) {
        wchar_t suffix[16];
        if (i == 0)
            std::swprintf(suffix, 16, L".bad");
        else
            std::swprintf(suffix, 16, L".bad%d", i);
        std::wstring backup = std::wstring(target) + suffix;
        if (GetFileAttributesW(backup.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        if (GetFileAttributesW(target) == INVALID_FILE_ATTRIBUTES) return true;  // gone meanwhile
        return CopyFileW(target, backup.c_str(), TRUE) != 0;
    }
    return false;
}

void MappedData::flush() {
    Guard guard(lock_);
    lastFlushOk_ = false;
    if (!file_) return;
    if (keepBadFile_) {
        // Nothing of ours to write yet: the unreadable file stays untouched.
        if (!dirty_) return;
        if (!backUpBadFile()) return;
    }
    Node* root = ensureRoot();
    if (!root) return;
    lastFlushOk_ = root->saveFile(file_->getFullPath());
    if (lastFlushOk_) {
        keepBadFile_ = false;
        dirty_ = false;
    }
}

void MappedData::flushIfAuto() {
    Guard guard(lock_);
    if (autoFlush_) flush();
}

bool MappedData::getAutoFlush() {
    Guard guard(lock_);
    return autoFlush_;
}

void MappedData::setAutoFlush(bool on) {
    Guard guard(lock_);
    autoFlush_ = on;
}

// Walks the levels of the path from the root; level names are matched ignoring case.
Node* MappedData::walk(const wchar_t* path, bool create) {
    Node* node = create ? ensureRoot() : root_;
    StrBuffer* level = StrBuffer::create();
    if (!level) return nullptr;
    const wchar_t* p = path;
    while (node && *p) {
        const wchar_t* start = p;
        while (*p && !isSeparator(*p)) ++p;
        level->assign(start, int32_t(p - start));
        // A trailing separator ends the walk without adding a level.
        if (*p) ++p;
        Node* child = node->getChild(level->text(), -1);
        if (!child && create) child = node->addChild(level->text(), int32_t(level->length()));
        node = child;
    }
    level->release();
    return node;
}

Node* MappedData::lookup(const wchar_t* path, bool create) {
    if (!path) path = L"";
    if (haveCurrent_ && currentPath_->equalsText(path) && (current_ || !create)) return current_;
    currentPath_->setText(path);
    current_ = *path ? walk(path, create) : (create ? ensureRoot() : root_);
    haveCurrent_ = true;
    return current_;
}

void MappedData::openPath(const wchar_t* path) {
    Guard guard(lock_);
    lookup(path, true);
}

bool MappedData::findPath(const wchar_t* path) {
    Guard guard(lock_);
    return lookup(path, false) != nullptr;
}

void MappedData::removePath(const wchar_t* path) {
    Guard guard(lock_);
    if (!path) path = L"";
    const wchar_t* cut = nullptr;
    for (const wchar_t* p = path; *p; ++p)
        if (isSeparator(*p)) cut = p;
    StrBuffer* parent = StrBuffer::create();
    if (!parent) return;
    if (cut) parent->assign(path, int32_t(cut - path));
    const wchar_t* name = cut ? cut + 1 : path;
    Node* node = lookup(parent->text(), false);
    parent->release();
    uint32_t index = 0;
    if (node && node->findChild(name, -1, &index)) {
        node->removeChildAt(index);
        dirty_ = true;
        flushIfAuto();
    }
    // Paths below the removed level no longer name anything: look the next one up again.
    haveCurrent_ = false;
    current_ = nullptr;
}

bool MappedData::hasValue(const wchar_t* path, const wchar_t* name) {
    Guard guard(lock_);
    Node* node = lookup(path, false);
    return node && node->getAttributes()->indexOf(name ? name : L"") >= 0;
}

#define S_XML_GETTER(TYPE, NAME, EXPR)                                          \
    TYPE MappedData::NAME(const wchar_t* path, const wchar_t* name, TYPE def) { \
        Guard guard(lock_);                                                     \
        Node* node = lookup(path, false);                                       \
        if (!node) return def;                                                  \
        const Attributes* a = node->getAttributes();                            \
        if (!name) name = L"";                                                  \
        if (a->indexOf(name) < 0) return def;                                   \
        return EXPR;                                                            \
    }

S_XML_GETTER(uint8_t, getU8, uint8_t(a->getUInt32(name, def)))
S_XML_GETTER(uint16_t, getU16, uint16_t(a->getUInt32(name, def)))
S_XML_GETTER(uint32_t, getU32, a->getUInt32(name, def))
S_XML_GETTER(uint64_t, getU64, uint64_t(a->getInt64(name, int64_t(def))))
S_XML_GETTER(int8_t, getS8, int8_t(a->getInt32(name, def)))
S_XML_GETTER(int16_t, getS16, int16_t(a->getInt32(name, def)))
S_XML_GETTER(int32_t, getInt, a->getInt32(name, def))
S_XML_GETTER(int64_t, getS64, a->getInt64(name, def))
S_XML_GETTER(float, getFloat, a->getFloat(name, def))
S_XML_GETTER(double, getDouble, a->getDouble(name, def))
S_XML_GETTER(bool, getBool, a->getBool(name, def))

#undef S_XML_GETTER

const wchar_t* MappedData::getString(const wchar_t* path, const wchar_t* name, const wchar_t* def, bool* expandable,
                                     bool) {
    Guard guard(lock_);
    if (expandable) *expandable = false;
    Node* node = lookup(path, false);
    if (!node) return def;
    node->getAttributes()->copyValueTo(value_, name ? name : L"", def ? def : L"", false);
    return threadCopy(value_->text());
}

str::strarray::StrArray* MappedData::getStrings(const wchar_t*, const wchar_t*) { return nullptr; }

ArrayU08* MappedData::getBytes(const wchar_t* path, const wchar_t* name, ArrayU08* bytes) {
    Guard guard(lock_);
    ArrayU08* out = bytes ? bytes : ArrayU08::create();
    if (!out) return nullptr;
    Node* node = lookup(path, false);
    if (!node) return out;
    node->getAttributes()->copyValueTo(value_, name ? name : L"", L"", false);
    value_->hexToBytes(out, false);
    return out;
}

void MappedData::removeValue(const wchar_t* path, const wchar_t* name) {
    Guard guard(lock_);
    Node* node = lookup(path, false);
    if (!node) return;
    Attributes* a = node->getAttributes();
    int32_t i = a->indexOf(name ? name : L"");
    if (i < 0) return;
    a->removeAt(uint32_t(i));
    dirty_ = true;
    flushIfAuto();
}

// ---- setters: the value moves to the end of its element's attributes -----------------------

Attributes* MappedData::beginWrite(const wchar_t* path, const wchar_t* name) {
    Node* node = lookup(path, true);
    if (!node) return nullptr;
    Attributes* a = node->getAttributes();
    int32_t i = a->indexOf(name ? name : L"");
    if (i >= 0) a->removeAt(uint32_t(i));
    dirty_ = true;
    return a;
}

#define S_XML_SETTER(TYPE, NAME, STMT)                                            \
    void MappedData::NAME(const wchar_t* path, const wchar_t* name, TYPE value) { \
        Guard guard(lock_);                                                       \
        if (!name) name = L"";                                                    \
        if (Attributes* a = beginWrite(path, name)) { STMT; }                     \
        flushIfAuto();                                                            \
    }

S_XML_SETTER(uint8_t, setU8, a->setUInt32(name, value))
S_XML_SETTER(uint16_t, setU16, a->setUInt32(name, value))
S_XML_SETTER(uint32_t, setU32, a->setUInt32(name, value))
S_XML_SETTER(uint64_t, setU64, a->setInt64(name, int64_t(value)))
S_XML_SETTER(int8_t, setS8, a->setInt64(name, value))
S_XML_SETTER(int16_t, setS16, a->setInt64(name, value))
S_XML_SETTER(int32_t, setInt, a->setInt64(name, value))
S_XML_SETTER(int64_t, setS64, a->setInt64(name, value))
S_XML_SETTER(bool, setBool, a->setInt64(name, value ? 1 : 0))
S_XML_SETTER(float, setFloat, wchar_t t[64]; formatReal(t, 64, value, true); a->add(name, t))
S_XML_SETTER(double, setDouble, wchar_t t[64]; formatReal(t, 64, value, false); a->add(name, t))
S_XML_SETTER(const wchar_t*, setString, a->setString(name, value ? value : L""))
S_XML_SETTER(const wchar_t*, setExpandString, a->setString(name, value ? value : L""))
S_XML_SETTER(const ArrayU08*, setBytes, if (value) a->setHex8Array(name, value->items(), value->count()))

#undef S_XML_SETTER

}  // namespace s::xml
