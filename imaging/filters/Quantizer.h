// Octree colour reduction of a 32-bit picture to at most 256 colours, and the mapping of
// pixels to palette indices (nearest colour, no dithering). Used by the indexed writers
// (BMP 4/8 bits, GIF frames, icon images).
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/thread/Pool.h"

namespace s::image::win { class BufferedImage; }

namespace s::image::filters::reduction {

class Quantizer : public base::IObject, public thread::IPoolable {
    S_POOLED(Quantizer, L"s_image_filters_reduction_Quantizer")
public:
    Quantizer();
    ~Quantizer() override;
    Quantizer(const Quantizer&) = delete;
    Quantizer& operator=(const Quantizer&) = delete;

    // Frees the tree; the palette size asked for returns to 16, no colour is held.
    void reset() override;

    // Builds the palette of at most n colours (1..256) from every pixel whose alpha is not
    // 0. False when the image has no pixels or n is out of range (nothing is held then).
    bool build(win::BufferedImage* image, int n);
    // The same over raw 0xAARRGGBB rows: rows[y] for y < height, width pixels each.
    bool buildRows(const uint32_t* const* rows, int width, int height, int n);

    // Index of each pixel: opaque pixels (alpha 255) their nearest palette colour, all
    // others getPaletteSize() (the caller's transparent index). bitsPerIndex 8: one byte
    // per pixel; 4: two per byte, the even pixel in the high nibble.
    void mapRow(const uint32_t* pixels, int count, uint8_t* out, int bitsPerIndex);

    // The palette: getColourCount() colours of this picture (0x00RRGGBB), the entries
    // beyond them up to 256 are 0.
    const uint32_t* getPalette() const { return palette_; }
    // The number of colours asked for (also the index given to non-opaque pixels).
    int getPaletteSize() const { return n_; }
    // The number of colours the picture really gave (at most the number asked for).
    int getColourCount() const { return count_; }

private:
    struct Node;
    Node* newNode();
    void freeTree(Node* node);
    void insertColour(uint32_t rgb);
    void reduce();
    void makePalette();
    void gatherLeaves(Node* node);
    void clearMapCache();
    int nearest(uint32_t rgb);
    const uint32_t* cellCandidates(uint32_t rgb);
    static uint32_t cacheSlot(uint32_t rgb) { return (rgb * 2654435761u) >> 16; }

    Node* root_ = nullptr;
    int leafCount_ = 0;
    Node* reducible_[9] = {};
    uint32_t palette_[256] = {};
    int n_ = 16;
    int count_ = 0;

    // Node storage: blocks of nodes, freed nodes kept on a free list.
    Node* freeNodes_ = nullptr;
    void* blocks_ = nullptr;
    // Last colour inserted and the leaf it went to (valid until the next reduction).
    uint32_t lastColour_ = 0;
    Node* lastLeaf_ = nullptr;

    // Leaves gathered in tree order when building the palette.
    Node* leaves_[272] = {};
    int gathered_ = 0;

    // Nearest-colour search: per cell of a 32 x 32 x 32 grid, the palette entries that
    // can be nearest to some colour of the cell (made on first use), in index order.
    // Each list is its length, then minimum distance << 8 | index, nearest first.
    uint32_t* cellStart_ = nullptr;  // 32768 offsets into candidates_; 0 = not made yet
    uint32_t* candidates_ = nullptr;
    uint32_t candidatesUsed_ = 0;
    uint32_t candidatesCapacity_ = 0;
    int previousIndex_ = 0;
    // Colours met lately: colour << 8 | index, in the slot of the colour's hash.
    uint32_t colourCache_[65536];
};

}  // namespace s::image::filters::reduction
