// Root interfaces shared by every class of the library.
#pragma once

#include <cstdint>

namespace s::base {

class IComparator;

// Root of every object: ordering, equality and hashing, each optionally through
// a comparator. Without one, objects order by identity (address).
class IComparable {
public:
    virtual ~IComparable() = default;
    virtual int compareTo(const IComparable* other, const IComparator* comparator = nullptr) const;
    virtual int compareToIgnoreCase(const IComparable* other, const IComparator* comparator = nullptr) const;
    virtual bool equals(const IComparable* other, const IComparator* comparator = nullptr) const;
    virtual bool equalsIgnoreCase(const IComparable* other, const IComparator* comparator = nullptr) const;
    // A constant per class unless the class overrides it (all objects of one class hash alike).
    virtual uint32_t hashCode() const;
    virtual uint32_t hashCodeIgnoreCase() const;
};

class IObject : public IComparable {
public:
    // Namespace parts and class name joined by underscores, e.g. L"s_thread_EasyPooler".
    virtual const wchar_t* getClassName() const = 0;
    // A fresh object of the same class (from the class pool for pooled classes).
    virtual IObject* newInstance() const = 0;
};

// Compares the values found at two addresses: -1, 0 or 1.
class IComparator {
public:
    virtual ~IComparator() = default;
    virtual int compare(const void* a, const void* b) const = 0;
    virtual int compareIgnoreCase(const void* a, const void* b) const { return compare(a, b); }
};

// Makes (or fetches) an object.
class IGenerator {
public:
    virtual ~IGenerator() = default;
    virtual void* generate() = 0;
};

// Disposes of the object a holder points to and clears the holder.
// An empty holder (or a null holder address) is left alone.
class IDestructor {
public:
    virtual ~IDestructor() = default;
    virtual void destroy(void** holder) = 0;
};

}  // namespace s::base

// Class-name boilerplate for a class that is not pooled.
#define S_CLASS_NAME(NAME) \
public:                    \
    const wchar_t* getClassName() const override { return NAME; }

namespace s::cleaner {

// Deletes an IObject through its virtual destructor. The holder must point at an
// object stored as IObject* (for classes whose IObject base is the primary base,
// the object's own address).
class CleanerIObject : public base::IObject, public base::IDestructor {
    S_CLASS_NAME(L"s_cleaner_CleanerIObject")
public:
    void destroy(void** holder) override;
    base::IObject* newInstance() const override;
    // The shared instance: made on first use, never destroyed.
    static CleanerIObject* instance();
};

}  // namespace s::cleaner
