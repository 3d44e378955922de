#include "platform/reg/MappedData.h"

#include <string>

#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"
#include "platform/reg/RegDir.h"

namespace s::reg {

using col::_array::ArrayU08;
using str::strbuffer::StrBuffer;
using win::RegDir;
using Guard = thread::ObjLocker::Guard;

namespace {

// The calling thread's copy of the last text it read from a registry store.
const wchar_t* threadCopy(const wchar_t* text) {
    // Held through a pointer: a thread-local object with a destructor makes the runtime's
    // thread-storage key deletion at process exit wait for ever once a thread that read
    // settings has ended. The copy of an ended thread is left to the process.
    static thread_local std::wstring* copy = nullptr;
    if (!copy) copy = new std::wstring();
    copy->assign(text ? text : L"");
    return copy->c_str();
}

}  // namespace

MappedData::MappedData() : keyPath_(StrBuffer::create()), currentPath_(StrBuffer::create()) {}

MappedData::~MappedData() {
    dropCurrent();
    if (root_) root_->release();
    if (keyPath_) keyPath_->release();
    if (currentPath_) currentPath_->release();
}

void MappedData::reset() {
    Guard guard(lock_);
    keyPath_->clear(false);
    currentPath_->clear(false);
    dropCurrent();
    if (root_) root_->release();
    root_ = nullptr;
    autoFlush_ = false;
}

void MappedData::dropCurrent() {
    if (current_) current_->release();
    current_ = nullptr;
    haveCurrent_ = false;
    found_ = false;
}

long MappedData::attach(RegDir* root) {
    Guard guard(lock_);
    dropCurrent();
    if (root_) root_->release();
    root_ = root;
    currentPath_->clear();
    if (!root_) return -1;
    current_ = RegDir::fromPath(root_->getRoot(), root_->getSubPath());
    if (!current_) return -1;
    haveCurrent_ = true;
    found_ = current_->isOpen();
    return current_->lastStatus();
}

void MappedData::keyPathOf(const wchar_t* path) {
    keyPath_->setText(root_->getSubPath());
    if (path && *path) keyPath_->appendChar(L'\\')->appendText(path);
}

// Level names are compared ignoring case, as the registry itself does.
RegDir* MappedData::lookup(const wchar_t* path) {
    if (!path) path = L"";
    if (!root_) return nullptr;
    if (haveCurrent_ && currentPath_->equalsText(path)) return found_ ? current_ : nullptr;
    dropCurrent();
    currentPath_->setText(path);
    keyPathOf(path);
    current_ = RegDir::fromPath(root_->getRoot(), keyPath_->text());
    haveCurrent_ = current_ != nullptr;
    found_ = current_ && (*path == 0 || current_->exists());
    return found_ ? current_ : nullptr;
}

RegDir* MappedData::openLevel(const wchar_t* path) {
    if (!path) path = L"";
    if (!root_) return nullptr;
    if (!(haveCurrent_ && current_ && currentPath_->equalsText(path))) {
        dropCurrent();
        currentPath_->setText(path);
        keyPathOf(path);
        current_ = RegDir::fromPath(root_->getRoot(), keyPath_->text());
        haveCurrent_ = current_ != nullptr;
    }
    if (!current_) return nullptr;
    if (!current_->exists()) {
        current_->createKey();
        flushIfAuto();
    }
    found_ = current_->isOpen();
    return current_;
}

void MappedData::flush() {}

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

void MappedData::openPath(const wchar_t* path) {
    Guard guard(lock_);
    openLevel(path);
}

bool MappedData::findPath(const wchar_t* path) {
    Guard guard(lock_);
    lookup(path);
    return found_;
}

void MappedData::removePath(const wchar_t* path) {
    Guard guard(lock_);
    if (!root_) return;
    if (!path) path = L"";
    dropCurrent();
    currentPath_->setText(path);
    keyPathOf(path);
    current_ = RegDir::fromPath(root_->getRoot(), keyPath_->text());
    if (current_ && current_->exists()) current_->remove(true);
    // The path is current and known to be missing now.
    haveCurrent_ = current_ != nullptr;
    found_ = false;
    flushIfAuto();
}

bool MappedData::hasValue(const wchar_t* path, const wchar_t* name) {
    Guard guard(lock_);
    RegDir* key = lookup(path);
    return key && key->queryValue(name, nullptr, nullptr, -1);
}

#define S_REG_GETTER(TYPE, NAME, DIRNAME)                                       \
    TYPE MappedData::NAME(const wchar_t* path, const wchar_t* name, TYPE def) { \
        Guard guard(lock_);                                                     \
        RegDir* key = lookup(path);                                             \
        return key ? key->DIRNAME(name, def) : def;                             \
    }

S_REG_GETTER(uint8_t, getU8, getU8)
S_REG_GETTER(uint16_t, getU16, getU16)
S_REG_GETTER(uint32_t, getU32, getU32)
S_REG_GETTER(uint64_t, getU64, getU64)
S_REG_GETTER(int8_t, getS8, getS8)
S_REG_GETTER(int16_t, getS16, getS16)
S_REG_GETTER(int32_t, getInt, getS32)
S_REG_GETTER(int64_t, getS64, getS64)
S_REG_GETTER(float, getFloat, getFloat)
S_REG_GETTER(double, getDouble, getDouble)
S_REG_GETTER(bool, getBool, getBool)

#undef S_REG_GETTER

const wchar_t* MappedData::getString(const wchar_t* path, const wchar_t* name, const wchar_t* def, bool* expandable,
                                     bool expand) {
    Guard guard(lock_);
    if (expandable) *expandable = false;
    RegDir* key = lookup(path);
    if (!key) return def;
    const wchar_t* text = key->getString(name, def, expandable, expand);
    return text == def ? def : threadCopy(text);
}

str::strarray::StrArray* MappedData::getStrings(const wchar_t*, const wchar_t*) { return nullptr; }

ArrayU08* MappedData::getBytes(const wchar_t* path, const wchar_t* name, ArrayU08* bytes) {
    Guard guard(lock_);
    RegDir* key = lookup(path);
    if (!key) return bytes ? bytes : ArrayU08::create();
    return key->getBytes(name, bytes);
}

void MappedData::removeValue(const wchar_t* path, const wchar_t* name) {
    Guard guard(lock_);
    RegDir* key = lookup(path);
    if (!key) return;
    key->removeValue(name);
    flushIfAuto();
}

#define S_REG_SETTER(TYPE, NAME, DIRNAME)                                         \
    void MappedData::NAME(const wchar_t* path, const wchar_t* name, TYPE value) { \
        Guard guard(lock_);                                                       \
        if (RegDir* key = openLevel(path)) key->DIRNAME(name, value);             \
        flushIfAuto();                                                            \
    }

S_REG_SETTER(uint8_t, setU8, setU8)
S_REG_SETTER(uint16_t, setU16, setU16)
S_REG_SETTER(uint32_t, setU32, setU32)
S_REG_SETTER(uint64_t, setU64, setU64)
S_REG_SETTER(int8_t, setS8, setS8)
S_REG_SETTER(int16_t, setS16, setS16)
S_REG_SETTER(int32_t, setInt, setS32)
S_REG_SETTER(int64_t, setS64, setS64)
S_REG_SETTER(float, setFloat, setFloat)
S_REG_SETTER(double, setDouble, setDouble)
S_REG_SETTER(bool, setBool, setBool)
S_REG_SETTER(const wchar_t*, setString, setString)
S_REG_SETTER(const wchar_t*, setExpandString, setExpandString)
S_REG_SETTER(const ArrayU08*, setBytes, setBytes)

#undef S_REG_SETTER

}  // namespace s::reg
