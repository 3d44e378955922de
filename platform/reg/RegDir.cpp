#include "platform/reg/RegDir.h"

#include <windows.h>
#include <winternl.h>

#include <cstring>
#include <cwchar>
#include <vector>

#include "foundation/col/Array.h"
#include "foundation/str/StrArray.h"
#include "foundation/str/StrBuffer.h"
#include "platform/reg/NtRegistry.h"

namespace s::reg::win {

using col::_array::ArrayP;
using col::_array::ArrayU08;
using str::strarray::StrArray;
using str::strbuffer::StrBuffer;
using system::win::NtRegistry;
using system::win::NtRegistryApi;

namespace {

constexpr uint32_t kAllAccess = 0xF003F;
constexpr long kBufferOverflow = long(0x80000005);
constexpr long kBufferTooSmall = long(0xC0000023);
constexpr long kNameInvalid = long(0xC0000033);   // STATUS_OBJECT_NAME_INVALID
constexpr long kNameNotFound = long(0xC0000034);  // STATUS_OBJECT_NAME_NOT_FOUND
constexpr uint32_t kMaxNameUnits = 32766;         // what a counted string can hold

// A counted string and the object attributes naming it, built on a NUL-terminated text.
struct NativeName {
    UNICODE_STRING text{};
    OBJECT_ATTRIBUTES attributes{};
    bool ok = false;

    NativeName(const NtRegistryApi* api, const wchar_t* name) {
        if (!api || !name || std::wcslen(name) > kMaxNameUnits) return;
        api->initUnicodeString(&text, name);
        attributes.Length = sizeof(OBJECT_ATTRIBUTES);
        attributes.RootDirectory = nullptr;
        attributes.ObjectName = &text;
        attributes.Attributes = OBJ_CASE_INSENSITIVE;
        attributes.SecurityDescriptor = nullptr;
        attributes.SecurityQualityOfService = nullptr;
        ok = true;
    }
};

// The shared value-query record: grown on demand, offered whole to every query.
thread::ObjLocker& queryLock() {
    static thread::ObjLocker* lock = new thread::ObjLocker();
    return *lock;
}

std::vector<uint8_t>& queryRecord() {
    static std::vector<uint8_t>* record = new std::vector<uint8_t>(16384);
    return *record;
}

// Calls an enumeration entry point for one index, growing the buffer when the entry
// does not fit. The status of the call.
long enumerateOne(NtRegistryApi::EnumerateFn fn, void* key, uint32_t index, std::vector<uint8_t>& buffer) {
    for (;;) {
        uint32_t needed = 0;
        long status = fn(key, index, 0, buffer.data(), uint32_t(buffer.size()), &needed);
        if ((status == kBufferOverflow || status == kBufferTooSmall) && needed > buffer.size() && needed < (1u << 20)) {
            buffer.resize(needed + 16);
            continue;
        }
        return status;
    }
}

bool startsWithIgnoreCase(const wchar_t* name, uint32_t length, const wchar_t* prefix) {
    for (uint32_t i = 0; prefix[i]; ++i) {
        if (i >= length) return false;
        if (StrBuffer::foldLower(name[i]) != StrBuffer::foldLower(prefix[i])) return false;
    }
    return true;
}

}  // namespace

RegDir::RegDir()
    : data_(ArrayU08::create()),
      expanded_(ArrayU08::create()),
      native_(NtRegistry::initialize()),
      rootName_(StrBuffer::create()),
      nativeRoot_(StrBuffer::create()),
      subPath_(StrBuffer::create()),
      fullPath_(StrBuffer::create()),
      nativePath_(StrBuffer::create()),
      text_(StrBuffer::create()) {
    reset();
}

RegDir::~RegDir() {
    close();
    for (StrBuffer* s : {rootName_, nativeRoot_, subPath_, fullPath_, nativePath_, text_})
        if (s) s->release();
    if (data_) data_->release();
    if (expanded_) expanded_->release();
}

RegDir* RegDir::fromPath(RootKey root, const wchar_t* path) {
    RegDir* d = create();
    if (d) d->open(root, path);
    return d;
}

void RegDir::reset() {
    data_->freeStorage();
    expanded_->freeStorage();
    close();
    status_ = 0;
    setRoot(rootKey(kLocalMachine));
    subPath_->clear(false);
    fullPath_->clear(false);
    nativePath_->clear(false);
    text_->clear(false);
}

// ---- paths --------------------------------------------------------------------------------

void RegDir::setRoot(RootKey root) {
    root_ = root;
    const wchar_t* name = NtRegistry::rootName(uintptr_t(root));
    const wchar_t* native = NtRegistry::nativeRoot(uintptr_t(root));
    // An unknown root has no native path: keys under it neither open nor get created.
    rootName_->setText(name ? name : L"");
    nativeRoot_->setText(native ? native : L"");
}

long RegDir::setSubPath(const wchar_t* path) {
    subPath_->setText(path ? path : L"");
    while (subPath_->length() > 0 && subPath_->charAt(subPath_->length() - 1) == L'\\')
        subPath_->setLength(subPath_->length() - 1);
    fullPath_->setStr(rootName_);
    nativePath_->setStr(nativeRoot_);
    if (!subPath_->isEmpty()) {
        fullPath_->appendChar(L'\\')->appendStr(subPath_);
        if (!nativeRoot_->isEmpty()) nativePath_->appendChar(L'\\')->appendStr(subPath_);
    }
    close();
    openNative();
    return status_;
}

long RegDir::open(RootKey root, const wchar_t* path) {
    setRoot(root);
    return setSubPath(path);
}

void RegDir::openFullPath(const wchar_t* text) {
    static const struct {
        const wchar_t* name;
        uint32_t root;
    } kRoots[] = {{L"HKEY_USERS", kUsers},
                  {L"HKEY_LOCAL_MACHINE", kLocalMachine},
                  {L"HKEY_CURRENT_USER", kCurrentUser},
                  {L"HKEY_CURRENT_CONFIG", kCurrentConfig},
                  {L"HKEY_CLASSES_ROOT", kClassesRoot}};
    if (!text) text = L"";
    size_t length = std::wcslen(text);
    for (const auto& r : kRoots) {
        size_t n = std::wcslen(r.name);
        if (length < n || !startsWithIgnoreCase(text, uint32_t(length), r.name)) continue;
        // The root name alone, or followed by "\": anything else is another name.
        if (length > n && text[n] != L'\\') continue;
        open(rootKey(r.root), length > n ? text + n + 1 : L"");
        return;
    }
    // Unknown root: the key stays unopened and nothing can be written through it.
    close();
    root_ = nullptr;
    rootName_->clear();
    nativeRoot_->clear();
    setSubPath(text);
}

const wchar_t* RegDir::getPath() { return fullPath_->text(); }
const wchar_t* RegDir::getNativePath() { return nativePath_->text(); }
const wchar_t* RegDir::getSubPath() { return subPath_->text(); }

IRegDir* RegDir::getParent() { return parent(); }

RegDir* RegDir::parent() {
    uint32_t pos = 0;
    if (!subPath_->lastIndexOf(L'\\', &pos)) return nullptr;
    StrBuffer* head = subPath_->substring(0, pos);
    if (!head) return nullptr;
    RegDir* p = create();
    if (p) {
        p->setRoot(root_);
        p->rootName_->setStr(rootName_);
        p->nativeRoot_->setStr(nativeRoot_);
        p->setSubPath(head->text());
    }
    head->release();
    return p;
}

StrBuffer* RegDir::getName(StrBuffer* out, bool append) {
    if (!out) out = StrBuffer::create();
    if (!out) return nullptr;
    if (!append) out->clear();
    uint32_t pos = 0;
    if (subPath_->lastIndexOf(L'\\', &pos))
        out->append(subPath_->data() + pos + 1, int32_t(subPath_->length() - pos - 1));
    else
        out->appendStr(subPath_);
    return out;
}

// ---- key operations -----------------------------------------------------------------------

bool RegDir::openNative() {
    const NtRegistryApi* api = NtRegistry::api();
    if (!api || nativeRoot_->isEmpty()) {
        status_ = system::win::kStatusNotReady;
        return false;
    }
    NativeName name(api, nativePath_->text());
    if (!name.ok) {
        status_ = kNameInvalid;
        return false;
    }
    void* key = nullptr;
    status_ = api->openKey(&key, kAllAccess, &name.attributes);
    if (status_ == 0) key_ = key;
    return status_ == 0;
}

bool RegDir::tryOpen() { return key_ || openNative(); }

void RegDir::close() {
    if (!key_) return;
    if (const NtRegistryApi* api = NtRegistry::api()) api->close(key_);
    key_ = nullptr;
}

bool RegDir::exists() {
    if (!key_) return false;
    close();
    return openNative();
}

long RegDir::createNative() {
    const NtRegistryApi* api = NtRegistry::api();
    if (!api || nativeRoot_->isEmpty()) return status_ = system::win::kStatusNotReady;
    NativeName name(api, nativePath_->text());
    if (!name.ok) return status_ = kNameInvalid;
    void* key = nullptr;
    uint32_t disposition = 0;
    status_ = api->createKey(&key, kAllAccess, &name.attributes, 0, nullptr, 0, &disposition);
    if (status_ == 0) key_ = key;
    return status_;
}

void RegDir::createKey() {
    if (key_) return;
    if (createNative() == 0) return;
    if (nativeRoot_->isEmpty() || !NtRegistry::api()) return;
    if (RegDir* p = parent()) {
        p->createKey();
        p->release();
    }
    createNative();
}

void RegDir::remove(bool deleteSelf) {
    if (!tryOpen()) return;
    if (ArrayP* children = listChildren()) {
        for (uint32_t i = 0; i < children->count(); ++i) children->at<RegDir>(i)->remove(true);
        children->release();
    }
    if (deleteSelf) {
        if (const NtRegistryApi* api = NtRegistry::api()) status_ = api->deleteKey(key_);
        close();
    }
}

bool RegDir::rename(const wchar_t* newName) {
    if (!tryOpen()) return false;
    const NtRegistryApi* api = NtRegistry::api();
    bool ok = false;
    if (api && api->renameKey && newName) {
        NativeName name(api, newName);
        if (name.ok) {
            status_ = api->renameKey(key_, &name.text);
            ok = status_ == 0;
        } else {
            status_ = kNameInvalid;
        }
    } else {
        status_ = system::win::kStatusNotReady;
    }
    close();
    return ok;
}

void RegDir::flush() {
    if (!key_) return;
    if (const NtRegistryApi* api = NtRegistry::api()) status_ = api->flushKey(key_);
}

// ---- listings -----------------------------------------------------------------------------

ArrayP* RegDir::listChildren() { return listChildrenImpl(nullptr); }
ArrayP* RegDir::listChildrenMatching(const wchar_t* prefix) { return listChildrenImpl(prefix ? prefix : L""); }

ArrayP* RegDir::listChildrenImpl(const wchar_t* prefix) {
    ArrayP* list = ArrayP::create();
    if (!list) return nullptr;
    list->setDestroyer(pooler());
    const NtRegistryApi* api = NtRegistry::api();
    if (!key_ || !api) return list;
    // Names first, so that the children can be opened after the walk.
    StrArray* names = StrArray::create();
    if (!names) return list;
    std::vector<uint8_t> buffer(1024);
    for (uint32_t index = 0;; ++index) {
        if (enumerateOne(api->enumerateKey, key_, index, buffer) != 0) break;
        // KEY_BASIC_INFORMATION: last write time (8), title index (4), name length (4), name.
        uint32_t nameBytes = 0;
        std::memcpy(&nameBytes, buffer.data() + 12, 4);
        const wchar_t* name = reinterpret_cast<const wchar_t*>(buffer.data() + 16);
        uint32_t units = nameBytes / 2;
        if (prefix && !startsWithIgnoreCase(name, units, prefix)) continue;
        StrBuffer* s = StrBuffer::create();
        if (!s) break;
        s->append(name, int32_t(units));
        names->push(s);
    }
    for (uint32_t i = 0; i < names->count(); ++i) {
        RegDir* child = create();
        if (!child) break;
        child->setRoot(root_);
        child->rootName_->setStr(rootName_);
        child->nativeRoot_->setStr(nativeRoot_);
        StrBuffer* path = StrBuffer::create();
        path->setStr(subPath_);
        if (!path->isEmpty()) path->appendChar(L'\\');
        path->appendStr(names->at(i));
        child->setSubPath(path->text());
        path->release();
        list->push(child);
    }
    names->release();
    return list;
}

StrArray* RegDir::listValueNames() {
    StrArray* names = StrArray::create();
    const NtRegistryApi* api = NtRegistry::api();
    if (!names || !key_ || !api) return names;
    std::vector<uint8_t> buffer(1024);
    for (uint32_t index = 0;; ++index) {
        if (enumerateOne(api->enumerateValueKey, key_, index, buffer) != 0) break;
        // KEY_VALUE_BASIC_INFORMATION: title index, type, name length, name.
        uint32_t nameBytes = 0;
        std::memcpy(&nameBytes, buffer.data() + 8, 4);
        StrBuffer* s = StrBuffer::create();
        if (!s) break;
        s->append(reinterpret_cast<const wchar_t*>(buffer.data() + 12), int32_t(nameBytes / 2));
        names->push(s);
    }
    return names;
}

uint64_t RegDir::getTreeSize(bool recursive, uint32_t* valueCount, uint32_t* keyCount, bool includeValues) {
    uint64_t total = 0;
    if (exists() && recursive) {
        if (ArrayP* children = listChildren()) {
            if (keyCount) *keyCount += children->count();
            for (uint32_t i = 0; i < children->count(); ++i)
                total += children->at<RegDir>(i)->getTreeSize(true, valueCount, keyCount, true);
            children->release();
        }
    }
    if (includeValues) {
        if (!key_) openNative();
        if (StrArray* names = listValueNames()) {
            if (valueCount) *valueCount += names->count();
            for (uint32_t i = 0; i < names->count(); ++i) total += getValueSize(names->at(i)->text());
            names->release();
        }
    }
    return total;
}

// ---- reading values -----------------------------------------------------------------------

bool RegDir::queryValue(const wchar_t* name, uint32_t* type, uint32_t* size, int32_t expectedType) {
    if (!tryOpen()) return false;
    const NtRegistryApi* api = NtRegistry::api();
    NativeName valueName(api, name ? name : L"");
    if (!valueName.ok) {
        if (type) *type = 0;
        if (size) *size = 0;
        return false;
    }
    thread::ObjLocker::Guard guard(queryLock());
    std::vector<uint8_t>& record = queryRecord();
    long status;
    for (;;) {
        uint32_t needed = 0;
        // Information class 1: KEY_VALUE_FULL_INFORMATION.
        status = api->queryValueKey(key_, &valueName.text, 1, record.data(), uint32_t(record.size()), &needed);
        if (status == kBufferOverflow || status == kBufferTooSmall) {
            size_t want = size_t(needed) + 1026;
            if (want <= record.size()) want = record.size() * 2;
            record.resize(want);
            continue;
        }
        break;
    }
    status_ = status;
    if (status != 0) {
        if (type) *type = 0;
        if (size) *size = 0;
        return false;
    }
    uint32_t valueType = 0, dataOffset = 0, dataLength = 0;
    std::memcpy(&valueType, record.data() + 4, 4);
    std::memcpy(&dataOffset, record.data() + 8, 4);
    std::memcpy(&dataLength, record.data() + 12, 4);
    if (size_t(dataOffset) + dataLength > record.size()) return false;
    if (type) *type = valueType;
    if (size) *size = dataLength;
    bool result = expectedType == -1 || uint32_t(expectedType) == valueType;
    if (result) {
        if (!data_->setCount(dataLength)) return false;
        if (dataLength) std::memcpy(data_->items(), record.data() + dataOffset, dataLength);
    }
    return result;
}

bool RegDir::readScalar(const wchar_t* name, void* out, uint32_t n) {
    uint32_t size = 0;
    if (!queryValue(name, nullptr, &size, -1) || size != n) return false;
    std::memcpy(out, data_->items(), n);
    return true;
}

uint32_t RegDir::getValueSize(const wchar_t* name) {
    uint32_t size = 0;
    return queryValue(name, nullptr, &size, -1) ? size : 0;
}

uint8_t RegDir::getU8(const wchar_t* name, uint8_t def) {
    uint32_t v;
    return readScalar(name, &v, 4) ? uint8_t(v) : def;
}
uint16_t RegDir::getU16(const wchar_t* name, uint16_t def) {
    uint32_t v;
    return readScalar(name, &v, 4) ? uint16_t(v) : def;
}
uint32_t RegDir::getU32(const wchar_t* name, uint32_t def) {
    uint32_t v;
    return readScalar(name, &v, 4) ? v : def;
}
uint64_t RegDir::getU64(const wchar_t* name, uint64_t def) {
    uint64_t v;
    return readScalar(name, &v, 8) ? v : def;
}
int8_t RegDir::getS8(const wchar_t* name, int8_t def) {
    uint32_t v;
    return readScalar(name, &v, 4) ? int8_t(v) : def;
}
int16_t RegDir::getS16(const wchar_t* name, int16_t def) {
    uint32_t v;
    return readScalar(name, &v, 4) ? int16_t(v) : def;
}
int32_t RegDir::getS32(const wchar_t* name, int32_t def) {
    uint32_t v;
    return readScalar(name, &v, 4) ? int32_t(v) : def;
}
int64_t RegDir::getS64(const wchar_t* name, int64_t def) {
    uint64_t v;
    return readScalar(name, &v, 8) ? int64_t(v) : def;
}
float RegDir::getFloat(const wchar_t* name, float def) {
    float v;
    return readScalar(name, &v, 4) ? v : def;
}
double RegDir::getDouble(const wchar_t* name, double def) {
    double v;
    return readScalar(name, &v, 8) ? v : def;
}
bool RegDir::getBool(const wchar_t* name, bool def) {
    uint32_t v;
    return readScalar(name, &v, 4) ? v != 0 : def;
}

const wchar_t* RegDir::getString(const wchar_t* name, const wchar_t* def, bool* expandable, bool expand) {
    if (expandable) *expandable = false;
    uint32_t type = 0, size = 0;
    if (!queryValue(name, &type, &size, -1)) return def;
    if (size == 0) {
        text_->clear();
        return text_->text();
    }
    if (type != kRegSz && type != kRegExpandSz) return def;
    // The text ends at its first NUL or at the end of the data, whichever comes first
    // (data written by other programs need not carry the NUL).
    const wchar_t* units = reinterpret_cast<const wchar_t*>(data_->items());
    uint32_t n = size / 2, length = 0;
    while (length < n && units[length] != 0) ++length;
    text_->assign(units, int32_t(length));
    if (type == kRegSz) return text_->text();
    if (expandable) *expandable = true;
    if (!expand) return text_->text();
    const wchar_t* source = text_->text();
    uint32_t capacity = 520;
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (!expanded_->setCount(capacity * 2)) return text_->text();
        wchar_t* out = reinterpret_cast<wchar_t*>(expanded_->items());
        DWORD needed = ExpandEnvironmentStringsW(source, out, capacity);
        if (needed == 0) return text_->text();
        if (needed <= capacity) return out;
        capacity = needed;  // too small: retry with the size it asked for
    }
    return text_->text();
}

StrArray* RegDir::getStrings(const wchar_t* name) {
    StrArray* list = StrArray::create();
    if (!list) return nullptr;
    uint32_t type = 0, size = 0;
    if (queryValue(name, &type, &size, -1) && type == kRegMultiSz && size > 3) {
        list->loadMultiSz(data_);
        if (list->count() == 1 && list->at(0)->isEmpty()) list->clear();
    }
    return list;
}

ArrayU08* RegDir::getBytes(const wchar_t* name, ArrayU08* bytes) {
    uint32_t size = 0;
    if (!queryValue(name, nullptr, &size, -1)) return nullptr;
    ArrayU08* out = bytes ? bytes : ArrayU08::create();
    if (!out) return nullptr;
    if (!out->setCount(size)) return out;
    if (size) std::memcpy(out->items(), data_->items(), size);
    return out;
}

long RegDir::removeValue(const wchar_t* name) {
    if (!queryValue(name, nullptr, nullptr, -1)) return status_ ? status_ : kNameNotFound;
    const NtRegistryApi* api = NtRegistry::api();
    NativeName valueName(api, name ? name : L"");
    if (!valueName.ok) return status_ = kNameInvalid;
    return status_ = api->deleteValueKey(key_, &valueName.text);
}

// ---- writing values -----------------------------------------------------------------------

bool RegDir::setValue(const wchar_t* name, uint32_t type, const void* data, uint32_t size) {
    if (!key_) createKey();
    if (!key_) return false;
    const NtRegistryApi* api = NtRegistry::api();
    NativeName valueName(api, name ? name : L"");
    if (!valueName.ok) return false;
    status_ = api->setValueKey(key_, &valueName.text, 0, type, data, size);
    return status_ == 0;
}

void RegDir::setU8(const wchar_t* name, uint8_t value) { setU32(name, value); }
void RegDir::setU16(const wchar_t* name, uint16_t value) { setU32(name, value); }
void RegDir::setU32(const wchar_t* name, uint32_t value) { setValue(name, kRegDword, &value, 4); }
void RegDir::setU64(const wchar_t* name, uint64_t value) { setValue(name, kRegBinary, &value, 8); }
void RegDir::setS8(const wchar_t* name, int8_t value) { setS32(name, value); }
void RegDir::setS16(const wchar_t* name, int16_t value) { setS32(name, value); }
void RegDir::setS32(const wchar_t* name, int32_t value) { setValue(name, kRegDword, &value, 4); }
void RegDir::setS64(const wchar_t* name, int64_t value) { setValue(name, kRegBinary, &value, 8); }
void RegDir::setFloat(const wchar_t* name, float value) { setValue(name, kRegBinary, &value, 4); }
void RegDir::setDouble(const wchar_t* name, double value) { setValue(name, kRegBinary, &value, 8); }
void RegDir::setBool(const wchar_t* name, bool value) { setU32(name, value ? 1u : 0u); }

void RegDir::setString(const wchar_t* name, const wchar_t* text) {
    if (!text) text = L"";
    setValue(name, kRegSz, text, uint32_t(std::wcslen(text) * 2 + 2));
}

void RegDir::setExpandString(const wchar_t* name, const wchar_t* text) {
    if (!text) text = L"";
    setValue(name, kRegExpandSz, text, uint32_t(std::wcslen(text) * 2 + 2));
}

void RegDir::setStrings(const wchar_t* name, const StrArray* texts) {
    if (!texts) return;
    texts->toMultiSz(data_);
    setValue(name, kRegMultiSz, data_->items(), data_->count());
}

void RegDir::setBytes(const wchar_t* name, const ArrayU08* bytes) {
    if (!bytes) return;
    setValue(name, kRegBinary, bytes->items(), bytes->count());
}

}  // namespace s::reg::win
