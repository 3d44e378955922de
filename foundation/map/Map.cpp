#include "foundation/map/Map.h"

#include <cstdlib>
#include <cstring>

namespace s::map {

const uint32_t MapBucketPrimes[20] = {211,     431,     863,      1733,     3467,     6947,     13901,
                                      27803,   55609,   111227,   222461,   444929,   889871,   1779761,
                                      3559537, 7119103, 14238221, 28476473, 56952947, 113905901};

namespace detail {

namespace {

// The node pool of one node type: made on first use, never destroyed.
template <class Node>
thread::EasyPooler* nodePool() {
    static thread::EasyPooler* pool = new thread::EasyPooler(
        10000, []() -> void* { return std::calloc(1, sizeof(Node)); }, [](void* n) { std::free(n); },
        [](void* n) {
            if (n) std::memset(n, 0, sizeof(Node));
        });
    return pool;
}

// Hands a key or value to a destroyer; the destroyer clears only our local copy.
inline void dispose(base::IDestructor* d, void* item) {
    if (d && item) d->destroy(&item);
}

}  // namespace

template <class Node>
bool ChainTable<Node>::allocateHeads(uint32_t n) {
    buckets_.freeStorage();
    if (!buckets_.setCount(n)) return false;
    std::memset(buckets_.items(), 0, size_t(n) * sizeof(void*));
    return true;
}

template <class Node>
Node** ChainTable<Node>::findSlot(uint32_t hash, const base::IObject* key) {
    const uint32_t n = buckets_.count();
    if (n == 0) {
        noBucket_ = nullptr;
        return &noBucket_;
    }
    Node** link = reinterpret_cast<Node**>(buckets_.items() + hash % n);
    for (Node* node = *link; node; link = &node->next, node = *link) {
        if (node->hash != hash) continue;
        const bool same = ignoreCase ? node->key->equalsIgnoreCase(key) : node->key->equals(key);
        if (same) return link;
    }
    return link;
}

template <class Node>
Node* ChainTable<Node>::insert(uint32_t hash, base::IObject* key) {
    if (buckets_.count() == 0) {
        if (!allocateHeads(MapBucketPrimes[primeIndex])) return nullptr;
    } else if (count >= MapBucketPrimes[primeIndex] / 2) {
        rehash(primeIndex + 1);
    }
    Node** slot = findSlot(hash, key);
    if (*slot) return nullptr;
    Node* node = static_cast<Node*>(nodePool<Node>()->obtain());
    if (!node) return nullptr;
    node->hash = hash;
    node->key = key;
    node->next = nullptr;
    *slot = node;
    ++count;
    return node;
}

template <class Node>
void ChainTable<Node>::rehash(uint32_t index) {
    if (index > kMaxPrimeIndex) index = kMaxPrimeIndex;
    if (buckets_.count() == 0) {
        if (allocateHeads(MapBucketPrimes[index])) primeIndex = index;
        return;
    }
    if (primeIndex == kMaxPrimeIndex || primeIndex >= index) return;

    col::_array::ArrayP* nodes = col::_array::ArrayP::create();
    if (!nodes) return;
    if (!nodes->reserve(count)) {
        nodes->release();
        return;
    }
    forEach([&](Node* n) { nodes->push(n); });
    if (!allocateHeads(MapBucketPrimes[index])) {
        // Out of memory: keep the old size and put the nodes back where they were.
        allocateHeads(MapBucketPrimes[primeIndex]);
        index = primeIndex;
    }
    primeIndex = index;
    const uint32_t buckets = buckets_.count();
    for (uint32_t i = 0; i < nodes->count(); ++i) {
        Node* node = static_cast<Node*>(nodes->get(i));
        node->next = nullptr;
        Node** link = reinterpret_cast<Node**>(buckets_.items() + node->hash % buckets);
        while (*link) link = &(*link)->next;
        *link = node;
    }
    nodes->setCount(0);
    nodes->release();
}

template <class Node>
template <class Visit>
void ChainTable<Node>::clearNodes(Visit visit) {
    thread::EasyPooler* pool = nodePool<Node>();
    void** heads = buckets_.items();
    for (uint32_t b = 0; b < buckets_.count(); ++b) {
        Node* node = static_cast<Node*>(heads[b]);
        heads[b] = nullptr;
        while (node) {
            Node* next = node->next;  // read before the visitor may free what the node refers to
            visit(node);
            pool->put(node);
            node = next;
        }
    }
    count = 0;
}

template <class Node>
void ChainTable<Node>::freeBuckets() {
    buckets_.freeStorage();
    primeIndex = 0;
    count = 0;
}

}  // namespace detail

// ---------------------------------------------------------------- Map

Map::Map(base::IDestructor* keyReset, base::IDestructor* keyTeardown) : keyReset_(nullptr), keyTeardown_(nullptr) {
    reset();
    keyReset_ = keyReset;
    keyTeardown_ = keyTeardown;
}

Map::~Map() {
    clearReleasing(keyTeardown_);
    t_.freeBuckets();
}

bool Map::add(uint32_t hash, base::IObject* key) { return t_.insert(hash, key) != nullptr; }

void Map::clear() { clearReleasing(nullptr); }

void Map::clearReleasing(base::IDestructor* keyDestroyer) {
    t_.clearNodes([&](MapNode* n) { detail::dispose(keyDestroyer, n->key); });
}

void Map::reset() {
    clearReleasing(keyReset_);
    t_.freeBuckets();
    keyReset_ = nullptr;
    keyTeardown_ = nullptr;
    t_.ignoreCase = false;
}

// ---------------------------------------------------------------- MapTable

MapTable::MapTable(base::IDestructor* keyReset, base::IDestructor* keyTeardown, base::IDestructor* valueReset,
                   base::IDestructor* valueTeardown)
    : keyReset_(nullptr), keyTeardown_(nullptr), valueReset_(nullptr), valueTeardown_(nullptr) {
    reset();
    keyReset_ = keyReset;
    keyTeardown_ = keyTeardown;
    valueReset_ = valueReset;
    valueTeardown_ = valueTeardown;
}

MapTable::~MapTable() {
    clearReleasing(keyTeardown_, valueTeardown_);
    t_.freeBuckets();
}

bool MapTable::put(uint32_t hash, base::IObject* key, void* value) {
    MapTableNode* n = t_.insert(hash, key);
    if (!n) return false;
    n->value = value;
    return true;
}

void MapTable::clear() { clearReleasing(nullptr, nullptr); }

void MapTable::clearReleasing(base::IDestructor* keyDestroyer, base::IDestructor* valueDestroyer) {
    t_.clearNodes([&](MapTableNode* n) {
        detail::dispose(keyDestroyer, n->key);
        detail::dispose(valueDestroyer, n->value);
    });
}

void MapTable::reset() {
    clearReleasing(keyReset_, valueReset_);
    t_.freeBuckets();
    keyReset_ = keyTeardown_ = valueReset_ = valueTeardown_ = nullptr;
    t_.ignoreCase = false;
}

template class detail::ChainTable<MapNode>;
template class detail::ChainTable<MapTableNode>;

}  // namespace s::map
