// Object pools, the re-entrant critical-section holder and the per-class pool pattern.
#pragma once

#include <cstdint>
#include <new>

#include "foundation/base/Object.h"

namespace s::col::_array {
class ArrayP;
}

namespace s::thread {

// Every pooled object: release gives it back to its class pool, reset clears it
// before it is kept there.
class IPoolable {
public:
    virtual ~IPoolable() = default;
    virtual void release() = 0;
    virtual void reset() = 0;
};

// A Win32 critical section (re-entrant for the thread holding it) that may own one
// object and disposes of it when the locker is destroyed: by the disposer function,
// else through the IDestructor, else by deleting it as an IObject.
class ObjLocker : public base::IObject {
public:
    using DisposeFn = void (*)(void*);

    ObjLocker();
    explicit ObjLocker(void* owned, DisposeFn disposeFn = nullptr, base::IDestructor* disposer = nullptr);
    ~ObjLocker() override;
    ObjLocker(const ObjLocker&) = delete;
    ObjLocker& operator=(const ObjLocker&) = delete;

    void enter();
    void leave();
    bool tryEnter();
    // The CRITICAL_SECTION itself, for callers that enter it directly.
    void* section() { return cs_; }

    void* owned() const { return owned_; }
    void setOwned(void* owned, DisposeFn disposeFn = nullptr, base::IDestructor* disposer = nullptr);

    const wchar_t* getClassName() const override { return L"s_thread_ObjLocker"; }
    base::IObject* newInstance() const override;

    // Scoped hold of a locker's section.
    class Guard {
    public:
        explicit Guard(ObjLocker& l) : l_(l) { l_.enter(); }
        explicit Guard(ObjLocker* l) : l_(*l) { l_.enter(); }
        ~Guard() { l_.leave(); }
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;

    private:
        ObjLocker& l_;
    };

private:
    void* owned_ = nullptr;
    DisposeFn disposeFn_ = nullptr;
    base::IDestructor* disposer_ = nullptr;
    alignas(8) unsigned char cs_[40];  // CRITICAL_SECTION (size checked in Pool.cpp)
};

// The pool of one class: a LIFO free list under a locker, a capacity, and callbacks
// that make, destroy and reset one object. The generator and destroy callbacks run
// outside the lock; the reset callback runs inside it (the lock is re-entrant, so a
// reset may release further objects into this or other pools).
class EasyPooler : public base::IObject, public base::IGenerator, public base::IDestructor {
public:
    using GenerateFn = void* (*)();
    using ObjectFn = void (*)(void*);

    EasyPooler(int32_t capacity, GenerateFn generator, ObjectFn destroyFn, ObjectFn resetFn);
    ~EasyPooler() override;
    EasyPooler(const EasyPooler&) = delete;
    EasyPooler& operator=(const EasyPooler&) = delete;

    // Last released object (reset), else a new one from the generator (null when that fails).
    void* obtain();
    // Keeps the object (after resetting it) while fewer than capacity objects are pooled
    // (unsigned comparison: capacity 0 keeps nothing); otherwise destroys it.
    void put(void* object);

    int32_t capacity() const { return capacity_; }
    uint32_t pooledCount();

    void* generate() override { return obtain(); }
    void destroy(void** holder) override;

    const wchar_t* getClassName() const override { return L"s_thread_EasyPooler"; }
    base::IObject* newInstance() const override;

private:
    ObjLocker locker_;
    col::_array::ArrayP* free_;
    int32_t capacity_;
    GenerateFn generator_;
    ObjectFn destroy_;
    ObjectFn reset_;
};

// Pool of raw items (records that are not objects). Derived classes say how to make,
// reset and destroy an item. Keeps items while at most maxCount are pooled.
// A derived class whose destructor runs must call drain() first, since the item
// callbacks are no longer reachable from ~PoolerBase.
class PoolerBase : public base::IObject, public base::IGenerator, public base::IDestructor {
public:
    PoolerBase();
    ~PoolerBase() override;
    PoolerBase(const PoolerBase&) = delete;
    PoolerBase& operator=(const PoolerBase&) = delete;

    virtual int32_t getItemSize() const { return 1024; }
    // size -1 means getItemSize(); it only matters when accounting is on (never, at present).
    virtual void put(void* item, int32_t size = -1);
    virtual void* get();
    virtual void resetItem(void* item) = 0;
    virtual void destroyItem(void** holder) = 0;

    // put(*holder) and clear the holder; an empty holder does nothing.
    void destroy(void** holder) override;

    uint32_t pooledCount();
    int32_t maxCount() const { return maxCount_; }

    const wchar_t* getClassName() const override { return L"s_thread_PoolerBase"; }

protected:
    // Destroys every pooled item through destroyItem.
    void drain();

private:
    ObjLocker locker_;
    col::_array::ArrayP* free_;
    int32_t maxCount_ = 1000;
    int32_t maxItemSize_ = 1024;
    int32_t maxTotal_ = 102400;
    int32_t total_ = 0;
    bool accounting_ = false;
};

class Factory : public PoolerBase {
public:
    const wchar_t* getClassName() const override { return L"s_thread_Factory"; }
};

// The pool of class T: made on first use, never destroyed (no ordering problem at exit).
// The capacity is fixed by the first call.
template <class T>
EasyPooler* classPool(int32_t capacity) {
    static EasyPooler* pool = new EasyPooler(
        capacity, []() -> void* { return static_cast<void*>(new (std::nothrow) T()); },
        [](void* o) { delete static_cast<T*>(o); },
        [](void* o) {
            if (o) static_cast<T*>(o)->reset();
        });
    return pool;
}

}  // namespace s::thread

// Per-class pool pattern, written once inside the class body of a pooled class T:
//   class Foo : public s::base::IObject, public s::thread::IPoolable {
//       S_POOLED(Foo, L"s_area_Foo")
//   public:
//       void reset() override;   // the class's own clearing
//   };
// It gives T::pooler(), T::create(), newInstance(), getClassName() and release().
// Objects are kept in the pool as T* (converted to void*).
#define S_POOLED_CAP(T, NAME, CAPACITY)                                                      \
    friend ::s::thread::EasyPooler* ::s::thread::classPool<T>(int32_t);                      \
                                                                                             \
public:                                                                                      \
    static ::s::thread::EasyPooler* pooler() { return ::s::thread::classPool<T>(CAPACITY); } \
    static T* create() { return static_cast<T*>(pooler()->obtain()); }                       \
    ::s::base::IObject* newInstance() const override { return create(); }                    \
    const wchar_t* getClassName() const override { return NAME; }                            \
    void release() override { pooler()->put(static_cast<T*>(this)); }

#define S_POOLED(T, NAME) S_POOLED_CAP(T, NAME, 1000)
