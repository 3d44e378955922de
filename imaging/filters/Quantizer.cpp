#include "imaging/filters/Quantizer.h"

#include <cstddef>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/image/BufferedImage.h"

namespace s::image::filters::reduction {

struct Quantizer::Node {
    Node* child[8];
    Node* next;  // reducible list of its level, or the free list
    uint64_t red, green, blue;
    uint32_t pixels;
    bool leaf;
};

namespace {

constexpr int kNodesPerBlock = 512;
constexpr int kCells = 32 * 32 * 32;

// A block of nodes; blocks are chained through their first word.
struct NodeBlock {
    NodeBlock* next;
    alignas(8) unsigned char nodes[1];
};

// The child indices of a colour at every level, three bits a level with level 0 at the
// top: bit j of each channel spread to bit 3j.
struct SpreadTable {
    uint32_t v[256];
    SpreadTable() {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t s = 0;
            for (int j = 0; j < 8; ++j) s |= ((i >> j) & 1) << (3 * j);
            v[i] = s;
        }
    }
};
const SpreadTable kSpread;

inline uint32_t pathOf(uint32_t rgb) {
    return kSpread.v[(rgb >> 16) & 0xFF] << 2 | kSpread.v[(rgb >> 8) & 0xFF] << 1 | kSpread.v[rgb & 0xFF];
}

inline int distance(uint32_t a, uint32_t b) {
    int dr = int((a >> 16) & 0xFF) - int((b >> 16) & 0xFF);
    int dg = int((a >> 8) & 0xFF) - int((b >> 8) & 0xFF);
    int db = int(a & 0xFF) - int(b & 0xFF);
    return dr * dr + dg * dg + db * db;
}

}  // namespace

Quantizer::Quantizer() { clearMapCache(); }

Quantizer::~Quantizer() {
    NodeBlock* b = static_cast<NodeBlock*>(blocks_);
    while (b) {
        NodeBlock* next = b->next;
        std::free(b);
        b = next;
    }
    std::free(cellStart_);
    std::free(candidates_);
}

void Quantizer::reset() {
    freeTree(root_);
    root_ = nullptr;
    leafCount_ = 0;
    for (Node*& list : reducible_) list = nullptr;
    n_ = 16;
    count_ = 0;
    lastLeaf_ = nullptr;
    gathered_ = 0;
    previousIndex_ = 0;
    std::memset(palette_, 0, sizeof(palette_));
    clearMapCache();
}

Quantizer::Node* Quantizer::newNode() {
    if (!freeNodes_) {
        size_t bytes = offsetof(NodeBlock, nodes) + sizeof(Node) * kNodesPerBlock;
        NodeBlock* b = static_cast<NodeBlock*>(std::malloc(bytes));
        if (!b) return nullptr;
        b->next = static_cast<NodeBlock*>(blocks_);
        blocks_ = b;
        Node* nodes = reinterpret_cast<Node*>(b->nodes);
        for (int i = 0; i < kNodesPerBlock; ++i) {
            nodes[i].next = freeNodes_;
            freeNodes_ = &nodes[i];
        }
    }
    Node* node = freeNodes_;
    freeNodes_ = node->next;
    std::memset(node, 0, sizeof(Node));
    return node;
}

void Quantizer::freeTree(Node* node) {
    if (!node) return;
    for (Node* c : node->child) freeTree(c);
    node->next = freeNodes_;
    freeNodes_ = node;
}

void Quantizer::insertColour(uint32_t rgb) {
    Node* leaf;
    if (lastLeaf_ && rgb == lastColour_) {
        leaf = lastLeaf_;
    } else {
        if (!root_) {
            root_ = newNode();
            if (!root_) return;
            root_->next = reducible_[0];
            reducible_[0] = root_;
        }
        Node* node = root_;
        const uint32_t path = pathOf(rgb);
        for (int level = 0; level < 8 && !node->leaf; ++level) {
            const int i = int(path >> (21 - 3 * level)) & 7;
            Node* c = node->child[i];
            if (!c) {
                c = newNode();
                if (!c) return;
                if (level + 1 == 8) {
                    c->leaf = true;
                    ++leafCount_;
                } else {
                    c->next = reducible_[level + 1];
                    reducible_[level + 1] = c;
                }
                node->child[i] = c;
            }
            node = c;
        }
        leaf = node;
        lastColour_ = rgb;
        lastLeaf_ = leaf;
    }
    ++leaf->pixels;
    leaf->red += (rgb >> 16) & 0xFF;
    leaf->green += (rgb >> 8) & 0xFF;
    leaf->blue += rgb & 0xFF;
}

void Quantizer::reduce() {
    int level = 7;
    while (level > 0 && !reducible_[level]) --level;
    Node* node = reducible_[level];
    if (!node) return;
    reducible_[level] = node->next;
    node->next = nullptr;
    int merged = 0;
    for (Node*& c : node->child) {
        if (!c) continue;
        node->pixels += c->pixels;
        node->red += c->red;
        node->green += c->green;
        node->blue += c->blue;
        freeTree(c);
        c = nullptr;
        ++merged;
    }
    node->leaf = true;
    leafCount_ += 1 - merged;
    lastLeaf_ = nullptr;
}

void Quantizer::gatherLeaves(Node* node) {
    if (!node) return;
    if (node->leaf) {
        if (gathered_ < int(sizeof(leaves_) / sizeof(leaves_[0]))) leaves_[gathered_++] = node;
        return;
    }
    for (Node* c : node->child) gatherLeaves(c);
}

void Quantizer::makePalette() {
    std::memset(palette_, 0, sizeof(palette_));
    gathered_ = 0;
    gatherLeaves(root_);
    uint32_t colours[272];
    for (int i = 0; i < gathered_; ++i) {
        const Node* l = leaves_[i];
        uint32_t p = l->pixels ? l->pixels : 1;
        colours[i] = uint32_t(l->red / p) << 16 | uint32_t(l->green / p) << 8 | uint32_t(l->blue / p);
    }
    const int leaves = gathered_;
    if (n_ >= leaves) {
        for (int i = 0; i < leaves; ++i) palette_[i] = colours[i];
        count_ = leaves;
    } else {
        // Fewer colours than leaves (only below 16 colours): neighbouring leaves in tree
        // order are merged into pixel-count weighted averages.
        for (int i = 0; i < n_; ++i) {
            int from = i * leaves / n_, to = (i + 1) * leaves / n_;
            uint64_t r = 0, g = 0, b = 0, w = 0;
            for (int j = from; j < to; ++j) {
                uint64_t c = leaves_[j]->pixels;
                r += ((colours[j] >> 16) & 0xFF) * c;
                g += ((colours[j] >> 8) & 0xFF) * c;
                b += (colours[j] & 0xFF) * c;
                w += c;
            }
            if (w == 0) w = 1;
            palette_[i] = uint32_t(r / w) << 16 | uint32_t(g / w) << 8 | uint32_t(b / w);
        }
        count_ = n_;
    }
}

bool Quantizer::buildRows(const uint32_t* const* rows, int width, int height, int n) {
    reset();
    if (!rows || width <= 0 || height <= 0 || n < 1 || n > 256) return false;
    n_ = n;
    const int maxLeaves = n < 16 ? 16 : n;
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = rows[y];
        for (int x = 0; x < width; ++x) {
            uint32_t p = row[x];
            if ((p >> 24) == 0) continue;
            insertColour(p & 0xFFFFFF);
            while (leafCount_ > maxLeaves) reduce();
        }
    }
    makePalette();
    return true;
}

bool Quantizer::build(win::BufferedImage* image, int n) {
    if (!image || !image->hasPixels() || image->getWidth() <= 0 || image->getHeight() <= 0) {
        reset();
        return false;
    }
    const int h = image->getHeight();
    std::vector<const uint32_t*> rows(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) rows[size_t(y)] = image->getRow(y);
    return buildRows(rows.data(), image->getWidth(), h, n);
}

void Quantizer::clearMapCache() {
    if (cellStart_) std::memset(cellStart_, 0, sizeof(uint32_t) * kCells);
    candidatesUsed_ = 1;  // offset 0 marks a cell not made yet
    // Every slot holds a colour that never lands in it, so it answers no lookup; the slot
    // of colour 0 gets another such colour.
    std::memset(colourCache_, 0, sizeof(colourCache_));
    uint32_t other = 1;
    while (cacheSlot(other) == cacheSlot(0)) ++other;
    colourCache_[cacheSlot(0)] = other << 8;
}

// The palette entries that may be nearest to some colour of the rgb's cell (each channel
// split into 32 ranges of 8 values): those whose smallest distance to the cell is not
// beyond the smallest largest distance of any entry. Searching only them in index order
// gives the same entry as searching the whole palette.
const uint32_t* Quantizer::cellCandidates(uint32_t rgb) {
    if (!cellStart_) {
        cellStart_ = static_cast<uint32_t*>(std::calloc(kCells, sizeof(uint32_t)));
        if (!cellStart_) return nullptr;
        candidatesUsed_ = 1;
    }
    const uint32_t cell = ((rgb >> 19) & 31) << 10 | ((rgb >> 11) & 31) << 5 | ((rgb >> 3) & 31);
    uint32_t start = cellStart_[cell];
    if (start) return candidates_ + start;

    int lo[3] = {int((rgb >> 16) & 0xF8), int((rgb >> 8) & 0xF8), int(rgb & 0xF8)};
    int minDist[256], limit = 1 << 30;
    for (int i = 0; i < count_; ++i) {
        int c[3] = {int((palette_[i] >> 16) & 0xFF), int((palette_[i] >> 8) & 0xFF), int(palette_[i] & 0xFF)};
        int closest = 0, farthest = 0;
        for (int k = 0; k < 3; ++k) {
            int a = lo[k], b = lo[k] + 7;
            int dn = c[k] < a ? a - c[k] : c[k] > b ? c[k] - b : 0;
            int df = c[k] - a > b - c[k] ? c[k] - a : b - c[k];
            if (df < 0) df = -df;
            closest += dn * dn;
            farthest += df * df;
        }
        minDist[i] = closest;
        if (farthest < limit) limit = farthest;
    }
    uint32_t need = 1 + uint32_t(count_);
    if (candidatesUsed_ + need > candidatesCapacity_) {
        uint32_t cap = candidatesCapacity_ ? candidatesCapacity_ * 2 : 65536;
        while (cap < candidatesUsed_ + need) cap *= 2;
        uint32_t* grown = static_cast<uint32_t*>(std::realloc(candidates_, size_t(cap) * sizeof(uint32_t)));
        if (!grown) return nullptr;
        candidates_ = grown;
        candidatesCapacity_ = cap;
    }
    start = candidatesUsed_;
    uint32_t* list = candidates_ + start;
    uint32_t k = 0;
    for (int i = 0; i < count_; ++i)
        if (minDist[i] <= limit) list[1 + k++] = uint32_t(minDist[i]) << 8 | uint32_t(i);
    // Nearest to the cell first (then by index), so a search may stop at the first entry
    // that cannot come closer than the best found.
    std::sort(list + 1, list + 1 + k);
    list[0] = k;
    candidatesUsed_ += 1 + k;
    cellStart_[cell] = start;
    return list;
}

int Quantizer::nearest(uint32_t rgb) {
    uint32_t& cached = colourCache_[cacheSlot(rgb)];
    if ((cached >> 8) == rgb) return int(cached & 0xFF);
    const uint32_t* list = cellCandidates(rgb);
    int best = 200000, bestIndex = 0;
    if (!list) {
        for (int i = 0; i < count_; ++i) {
            int d = distance(rgb, palette_[i]);
            if (d < best) {
                best = d;
                bestIndex = i;
                if (d == 0) break;
            }
        }
        return bestIndex;
    }
    // The lowest index at the smallest distance, as a search of the whole palette from
    // entry 0 finds it.
    const uint32_t k = list[0];
    for (uint32_t j = 1; j <= k; ++j) {
        const uint32_t e = list[j];
        if (int(e >> 8) > best) break;
        const int i = int(e & 0xFF);
        const int d = distance(rgb, palette_[i]);
        if (d < best || (d == best && i < bestIndex)) {
            best = d;
            bestIndex = i;
        }
    }
    cached = rgb << 8 | uint32_t(bestIndex);
    return bestIndex;
}

void Quantizer::mapRow(const uint32_t* pixels, int count, uint8_t* out, int bitsPerIndex) {
    if (!pixels || !out || count <= 0) return;
    uint32_t lastRgb = 0;
    int lastIndex = -1;
    for (int x = 0; x < count; ++x) {
        uint32_t p = pixels[x];
        int index;
        if ((p >> 24) != 0xFF) {
            index = n_;
        } else if (count_ == 0) {
            index = previousIndex_;
        } else {
            uint32_t rgb = p & 0xFFFFFF;
            if (lastIndex >= 0 && rgb == lastRgb) {
                index = lastIndex;
            } else {
                index = nearest(rgb);
                lastRgb = rgb;
                lastIndex = index;
            }
        }
        previousIndex_ = index;
        if (bitsPerIndex == 4) {
            if (x & 1)
                out[x >> 1] = uint8_t(out[x >> 1] | (index & 0x0F));
            else
                out[x >> 1] = uint8_t((index & 0x0F) << 4);
        } else {
            out[x] = uint8_t(index);
        }
    }
}

}  // namespace s::image::filters::reduction
