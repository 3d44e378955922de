#include "foundation/col/CollectionInputStream.h"

#include <cstring>

#include "foundation/col/Array.h"

namespace s::col {

CollectionInputStream::~CollectionInputStream() { close(); }

CollectionInputStream* CollectionInputStream::open(ICollection* collection) {
    IEnumerable* e = dynamic_cast<IEnumerable*>(collection);
    if (!e) return nullptr;
    CollectionInputStream* s = create();
    if (s) {
        s->collection_ = collection;
        s->enumerable_ = e;
    }
    return s;
}

bool CollectionInputStream::loadElement() {
    if (!cursor_->hasNext()) return false;
    uint32_t size = uint32_t(collection_->byteCount(1));
    if (size > kChunk) size = kChunk;
    std::memcpy(element_, cursor_->next(), size);
    pendingAt_ = 0;
    pending_ = size;
    return true;
}

bool CollectionInputStream::read(void* buffer, uint32_t length, uint32_t& count) {
    count = 0;
    if (!collection_) return false;
    if (!cursor_) {
        cursor_ = enumerable_->iterator();
        pending_ = 0;
        if (!cursor_) return false;
    }
    if (length == 0) return pending_ > 0 || cursor_->hasNext();
    const uint32_t limit = length < kChunk ? length : kChunk;
    uint8_t* out = static_cast<uint8_t*>(buffer);
    while (count < limit) {
        if (pending_ == 0 && !loadElement()) break;
        uint32_t k = limit - count < pending_ ? limit - count : pending_;
        std::memcpy(out + count, element_ + pendingAt_, k);
        pendingAt_ += k;
        pending_ -= k;
        count += k;
    }
    return count > 0;
}

void CollectionInputStream::close() {
    if (cursor_) {
        cursor_->release();
        cursor_ = nullptr;
    }
    pending_ = pendingAt_ = 0;
}

void CollectionInputStream::clear() {
    close();
    collection_ = nullptr;
    enumerable_ = nullptr;
}

void CollectionInputStream::dispose() {
    close();
    release();
}

io::IInputStream* _array::ArrayBase::openInputStream() { return CollectionInputStream::open(this); }

}  // namespace s::col
