// Chained hash tables keyed by objects: Map (a set of keys) and MapTable (keys to
// values). The caller supplies each key's hash (hashCodeIgnoreCase when the table
// ignores case, else hashCode); keys are compared with equals / equalsIgnoreCase.
// Bucket counts step through fixed primes, growing when the entries reach half the
// buckets. Entries are never replaced or removed one by one; clear empties a table.
#pragma once

#include <cstdint>

#include "foundation/col/Array.h"
#include "foundation/thread/Pool.h"

namespace s::map {

// Bucket counts, index 0 to 19.
extern const uint32_t MapBucketPrimes[20];
constexpr uint32_t kMaxPrimeIndex = 19;

struct MapNode {
    uint32_t hash;
    base::IObject* key;
    MapNode* next;
};

struct MapTableNode {
    uint32_t hash;
    base::IObject* key;
    void* value;
    MapTableNode* next;
};

namespace detail {

// The chain table shared by Map and MapTable. Nodes come from a process-wide pool
// per node type (10000 nodes kept; new and returned nodes are zeroed).
template <class Node>
class ChainTable {
public:
    ChainTable() = default;
    ChainTable(const ChainTable&) = delete;
    ChainTable& operator=(const ChainTable&) = delete;

    // Link pointing at the node whose key matches, or the empty link ending the chain
    // (with no buckets yet: a link of the table's own that stays null).
    Node** findSlot(uint32_t hash, const base::IObject* key);
    // A new node at the tail of the hash's chain unless an equal key is present.
    // Grows first when the entries reach half the buckets. Null for a duplicate.
    Node* insert(uint32_t hash, base::IObject* key);
    // Grows to MapBucketPrimes[index] buckets (clamped to the last); never shrinks.
    void rehash(uint32_t index);
    // Hands every node to visit (which may dispose of its key and value), then returns
    // the nodes to their pool. Buckets are kept, emptied; count 0.
    template <class Visit>
    void clearNodes(Visit visit);
    // Frees the bucket storage and zeroes the prime index and count.
    void freeBuckets();

    template <class Fn>
    void forEach(Fn fn) const {
        for (uint32_t b = 0; b < buckets_.count(); ++b)
            for (Node* n = static_cast<Node*>(buckets_.get(b)); n; n = n->next) fn(n);
    }

    bool ignoreCase = false;
    uint32_t primeIndex = 0;
    uint32_t count = 0;
    col::_array::ArrayP buckets_;  // chain heads; no item destroyer

private:
    bool allocateHeads(uint32_t n);
    Node* noBucket_ = nullptr;
};

}  // namespace detail

// A set of key objects.
class Map : public base::IObject, public thread::IPoolable {
    S_POOLED(Map, L"s_map_Map")

public:
    // Pooled tables: no destroyers.
    Map() : Map(nullptr, nullptr) {}
    // keyReset disposes of the keys when the table is pooled, keyTeardown when it is
    // destroyed (either may be null: keys then stay with their owners).
    Map(base::IDestructor* keyReset, base::IDestructor* keyTeardown);
    ~Map() override;

    // False for a key equal to one present (the new key then stays the caller's).
    bool add(uint32_t hash, base::IObject* key);
    MapNode** findSlot(uint32_t hash, const base::IObject* key) { return t_.findSlot(hash, key); }
    // The stored key equal to key, or null.
    base::IObject* find(uint32_t hash, const base::IObject* key) {
        MapNode* n = *findSlot(hash, key);
        return n ? n->key : nullptr;
    }
    bool contains(uint32_t hash, const base::IObject* key) { return *findSlot(hash, key) != nullptr; }
    // Empties the table; the keys are left alone.
    void clear();
    // Empties the table, handing every key to the destroyer first (when not null).
    void clearReleasing(base::IDestructor* keyDestroyer);
    void rehash(uint32_t index) { t_.rehash(index); }

    // Every key in bucket order (each chain from head to tail). fn must not add keys.
    template <class Fn>
    void forEachKey(Fn fn) const {
        t_.forEach([&](MapNode* n) { fn(n->key); });
    }

    uint32_t count() const { return t_.count; }
    uint32_t bucketCount() const { return t_.buckets_.count(); }
    uint32_t primeIndex() const { return t_.primeIndex; }
    bool ignoreCase() const { return t_.ignoreCase; }
    void setIgnoreCase(bool on) { t_.ignoreCase = on; }
    // For callers that share the table between threads.
    thread::ObjLocker& lock() { return lock_; }

    void reset() override;

private:
    thread::ObjLocker lock_;
    detail::ChainTable<MapNode> t_;
    base::IDestructor* keyReset_;
    base::IDestructor* keyTeardown_;
};

// A map from key objects to values.
class MapTable : public base::IObject, public thread::IPoolable {
    S_POOLED(MapTable, L"s_map_MapTable")

public:
    MapTable() : MapTable(nullptr, nullptr, nullptr, nullptr) {}
    MapTable(base::IDestructor* keyReset, base::IDestructor* keyTeardown, base::IDestructor* valueReset,
             base::IDestructor* valueTeardown);
    ~MapTable() override;

    // False for a key equal to one present: the stored key and value stay, and the new
    // key and value remain the caller's.
    bool put(uint32_t hash, base::IObject* key, void* value);
    MapTableNode** findSlot(uint32_t hash, const base::IObject* key) { return t_.findSlot(hash, key); }
    // The value stored under an equal key, or null.
    void* get(uint32_t hash, const base::IObject* key) {
        MapTableNode* n = *findSlot(hash, key);
        return n ? n->value : nullptr;
    }
    bool contains(uint32_t hash, const base::IObject* key) { return *findSlot(hash, key) != nullptr; }
    // Empties the table; keys and values are left alone.
    void clear();
    // Empties the table, handing each key and value to its destroyer (when not null).
    void clearReleasing(base::IDestructor* keyDestroyer, base::IDestructor* valueDestroyer);
    void rehash(uint32_t index) { t_.rehash(index); }

    // Every entry (key, value) in bucket order. fn must not add entries.
    template <class Fn>
    void forEachEntry(Fn fn) const {
        t_.forEach([&](MapTableNode* n) { fn(n->key, n->value); });
    }

    uint32_t count() const { return t_.count; }
    uint32_t bucketCount() const { return t_.buckets_.count(); }
    uint32_t primeIndex() const { return t_.primeIndex; }
    bool ignoreCase() const { return t_.ignoreCase; }
    void setIgnoreCase(bool on) { t_.ignoreCase = on; }
    thread::ObjLocker& lock() { return lock_; }

    void reset() override;

private:
    thread::ObjLocker lock_;
    detail::ChainTable<MapTableNode> t_;
    base::IDestructor* keyReset_;
    base::IDestructor* keyTeardown_;
    base::IDestructor* valueReset_;
    base::IDestructor* valueTeardown_;
};

}  // namespace s::map
