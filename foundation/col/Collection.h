// Collection, enumeration and cursor interfaces.
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"

namespace s::str::strbuffer {
class StrBuffer;
}
namespace s::digest {
class IDigester;
}

namespace s::col {

// A pooled cursor walking a collection by element address. Index -1 stands before
// the first element; hasNext is index < count - 1.
class IteratorBase : public base::IObject {
public:
    virtual int32_t getIndex() const = 0;
    virtual void setIndex(int32_t index) = 0;
    virtual bool hasNext() const = 0;
    virtual bool hasPrevious() const = 0;
    virtual void skipForward(uint32_t n) = 0;
    virtual void skipBack(uint32_t n) = 0;
    // Returns the current address, then advances by one element.
    virtual void* next() = 0;
    // Steps back by one element and returns the new address.
    virtual void* previous() = 0;
    virtual void release() = 0;
    virtual void reset() = 0;
};

// Hands out cursors (which the caller releases).
class IEnumerable {
public:
    virtual ~IEnumerable() = default;
    virtual IteratorBase* iterator() = 0;
    virtual IteratorBase* iteratorAtEnd() = 0;
    // Defaults: iterator + skipForward(i); iteratorAtEnd + skipBack(n); iteratorAt(i), next, release.
    virtual IteratorBase* iteratorAt(int32_t i);
    virtual IteratorBase* iteratorFromEnd(int32_t n);
    virtual void* elementAt(uint32_t i);
};

// The operations every array shares. Indices and counts are in elements; a count of -1
// means "up to the end". Nothing is validated: callers keep ranges inside the collection.
class ICollection : public base::IObject {
public:
    virtual const wchar_t* getName() const = 0;
    virtual void copyTo(ICollection* dst, uint32_t dstIndex, uint32_t srcIndex, int32_t n = -1) const = 0;
    virtual void copyFrom(const ICollection* src, uint32_t srcIndex, uint32_t dstIndex, int32_t n = -1) = 0;
    virtual uint32_t count() const = 0;
    virtual bool setCount(uint32_t n) = 0;
    // n << log2(element size); n = -1 means the count.
    virtual uint64_t byteCount(int64_t n = -1) const = 0;
    virtual void copyOut(void* dst, uint32_t dstIndex, uint32_t srcIndex, int32_t n = -1) const = 0;
    virtual void put(const void* src, uint32_t n, uint32_t srcIndex, uint32_t dstIndex) = 0;
    virtual bool append(const void* src, uint32_t n, uint32_t srcIndex = 0) = 0;
    virtual bool prepend(const void* src, uint32_t n, uint32_t srcIndex = 0) = 0;
    virtual bool insert(uint32_t index, const void* src, uint32_t n, uint32_t srcIndex = 0) = 0;
    virtual void dropLast(uint32_t n) = 0;
    virtual void dropFirst(uint32_t n) = 0;
    virtual void removeRange(uint32_t index, uint32_t n) = 0;
    virtual void popLast(void* dst, uint32_t n, uint32_t dstIndex = 0) = 0;
    virtual void popFirst(void* dst, uint32_t n, uint32_t dstIndex = 0) = 0;
    virtual void takeRange(uint32_t index, void* dst, uint32_t n, uint32_t dstIndex = 0) = 0;
    virtual int compareElements(uint32_t index, const void* other, uint32_t otherCount, uint32_t otherIndex,
                                int32_t n = -1) const = 0;
    virtual void clear() = 0;
    virtual void freeStorage() = 0;
    virtual void swapAt(uint32_t i, uint32_t j) = 0;
    virtual void reverse() = 0;
    virtual uint32_t sampleCount() const = 0;
    virtual const void* sampleData() const = 0;
    // Text of one element / lowercase hexadecimal of n elements, appended to out.
    virtual void appendElementText(str::strbuffer::StrBuffer* out, const void* element) const = 0;
    virtual void appendElementHex(str::strbuffer::StrBuffer* out, const void* elements, uint32_t n) const = 0;
    // out null: a new pooled string is returned; append false: out is emptied first.
    virtual str::strbuffer::StrBuffer* toText(str::strbuffer::StrBuffer* out, bool append) const = 0;
    virtual str::strbuffer::StrBuffer* toXml(str::strbuffer::StrBuffer* out, bool append) const = 0;
    virtual str::strbuffer::StrBuffer* toHex(str::strbuffer::StrBuffer* out, bool append) const = 0;
    // Feeds the element bytes to the digester (a pooled MD5 one when null), finishes it and
    // returns its hexadecimal text (out and append as for toText).
    virtual str::strbuffer::StrBuffer* digest(digest::IDigester* digester, str::strbuffer::StrBuffer* out,
                                              bool append) const = 0;
    virtual const base::IComparator* getComparator() const = 0;
    virtual void swapWith(uint32_t i, uint32_t j, void* temp) = 0;
};

}  // namespace s::col
