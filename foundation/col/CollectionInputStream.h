// A read-only byte stream over the elements of a collection, walked with its cursor.
#pragma once

#include <cstdint>

#include "foundation/col/Collection.h"
#include "foundation/io/Stream.h"
#include "foundation/thread/Pool.h"

namespace s::col {

class CollectionInputStream final : public base::IObject, public io::IInputStream {
    S_POOLED(CollectionInputStream, L"s_col_CollectionInputStream")
public:
    CollectionInputStream() = default;
    ~CollectionInputStream() override;

    // A pooled stream bound to the collection (which must also be enumerable), no cursor yet.
    static CollectionInputStream* open(ICollection* collection);

    // Delivers whole and partial elements, at most min(length, 64) bytes per call; an
    // element cut by the caller's length continues on the next read. True when at least
    // one byte was delivered (length 0: true while data remains).
    bool read(void* buffer, uint32_t length, uint32_t& count) override;
    // Releases the cursor: the next read starts again from the first element.
    void close() override;
    uint64_t getPosition() override { return 0; }
    bool isSeekable() override { return false; }
    void rewind() override {}
    uint64_t seekToEnd() override { return 0; }
    void seek(uint64_t) override {}
    uint64_t seekFromEnd(uint64_t) override { return 0; }
    void skip(uint64_t) override {}
    void skipBack(uint64_t) override {}
    // Forgets the collection and the cursor.
    void clear() override;
    void dispose() override;
    void reset() override { clear(); }

    static constexpr uint32_t kChunk = 64;

private:
    // Copies the next element into element_ (false at the end).
    bool loadElement();

    ICollection* collection_ = nullptr;
    IEnumerable* enumerable_ = nullptr;
    IteratorBase* cursor_ = nullptr;
    // The element being delivered and how much of it is still pending.
    uint8_t element_[kChunk];
    uint32_t pendingAt_ = 0;
    uint32_t pending_ = 0;
};

}  // namespace s::col
