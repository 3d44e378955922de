#include "foundation/thread/Pool.h"

#include <windows.h>

#include "foundation/col/Array.h"

namespace s::thread {

static_assert(sizeof(CRITICAL_SECTION) <= 40 && alignof(CRITICAL_SECTION) <= 8, "critical section storage");

namespace {
inline CRITICAL_SECTION* cs(void* p) { return static_cast<CRITICAL_SECTION*>(p); }

// Takes the last pooled item under the lock; null when the free list is empty.
void* popFree(ObjLocker& locker, col::_array::ArrayP* freeList) {
    ObjLocker::Guard g(locker);
    if (freeList->count() == 0) return nullptr;
    void* item = freeList->last();
    freeList->dropLast(1);
    return item;
}
}  // namespace

// ---------------------------------------------------------------- ObjLocker

ObjLocker::ObjLocker() { InitializeCriticalSection(cs(cs_)); }

ObjLocker::ObjLocker(void* owned, DisposeFn disposeFn, base::IDestructor* disposer)
    : owned_(owned), disposeFn_(disposeFn), disposer_(disposer) {
    InitializeCriticalSection(cs(cs_));
}

ObjLocker::~ObjLocker() {
    if (owned_) {
        if (disposeFn_)
            disposeFn_(owned_);
        else if (disposer_)
            disposer_->destroy(&owned_);
        else
            delete static_cast<base::IObject*>(owned_);
        owned_ = nullptr;
    }
    DeleteCriticalSection(cs(cs_));
}

void ObjLocker::enter() { EnterCriticalSection(cs(cs_)); }
void ObjLocker::leave() { LeaveCriticalSection(cs(cs_)); }
bool ObjLocker::tryEnter() { return TryEnterCriticalSection(cs(cs_)) != FALSE; }

void ObjLocker::setOwned(void* owned, DisposeFn disposeFn, base::IDestructor* disposer) {
    owned_ = owned;
    disposeFn_ = disposeFn;
    disposer_ = disposer;
}

base::IObject* ObjLocker::newInstance() const { return new (std::nothrow) ObjLocker(); }

// ---------------------------------------------------------------- EasyPooler

EasyPooler::EasyPooler(int32_t capacity, GenerateFn generator, ObjectFn destroyFn, ObjectFn resetFn)
    : free_(new col::_array::ArrayP()),
      capacity_(capacity),
      generator_(generator),
      destroy_(destroyFn),
      reset_(resetFn) {}

EasyPooler::~EasyPooler() {
    uint32_t n = free_->count();
    for (uint32_t i = 0; i < n; ++i) {
        if (destroy_) destroy_(free_->get(i));
    }
    delete free_;
}

void* EasyPooler::obtain() {
    if (void* object = popFree(locker_, free_)) return object;
    return generator_ ? generator_() : nullptr;
}

void EasyPooler::put(void* object) {
    if (!object) return;
    locker_.enter();
    if (free_->count() < uint32_t(capacity_)) {
        if (reset_) reset_(object);
        // The reset may have released further objects into this pool (the lock is
        // re-entrant): look again before keeping this one.
        if (free_->count() < uint32_t(capacity_)) {
            uint32_t before = free_->count();
            free_->push(object);
            bool kept = free_->count() > before;
            locker_.leave();
            if (kept) return;
            // The free list could not grow: fall through and destroy.
            if (destroy_) destroy_(object);
            return;
        }
    }
    locker_.leave();
    if (destroy_) destroy_(object);
}

uint32_t EasyPooler::pooledCount() {
    ObjLocker::Guard g(locker_);
    return free_->count();
}

void EasyPooler::destroy(void** holder) {
    if (!holder || !*holder) return;
    put(*holder);
    *holder = nullptr;
}

base::IObject* EasyPooler::newInstance() const {
    return new (std::nothrow) EasyPooler(capacity_, generator_, destroy_, reset_);
}

// ---------------------------------------------------------------- PoolerBase

PoolerBase::PoolerBase() : free_(new col::_array::ArrayP()) {}

PoolerBase::~PoolerBase() {
    // Items left here can no longer be handed to the (derived) destroyItem; derived
    // classes drain() in their own destructors.
    delete free_;
}

void PoolerBase::drain() {
    locker_.enter();
    uint32_t n = free_->count();
    for (uint32_t i = 0; i < n; ++i) {
        void* item = free_->get(i);
        destroyItem(&item);
    }
    free_->clear();
    locker_.leave();
}

void* PoolerBase::get() {
    if (void* item = popFree(locker_, free_)) return item;
    return generate();
}

void PoolerBase::put(void* item, int32_t size) {
    if (!item) return;
    (void)size;  // only meaningful with accounting, which nothing turns on
    locker_.enter();
    if (free_->count() <= uint32_t(maxCount_)) {
        resetItem(item);
        uint32_t before = free_->count();
        free_->push(item);
        bool kept = free_->count() > before;
        locker_.leave();
        if (!kept) destroyItem(&item);
        return;
    }
    locker_.leave();
    destroyItem(&item);
}

void PoolerBase::destroy(void** holder) {
    if (!holder || !*holder) return;
    put(*holder, -1);
    *holder = nullptr;
}

uint32_t PoolerBase::pooledCount() {
    ObjLocker::Guard g(locker_);
    return free_->count();
}

}  // namespace s::thread
