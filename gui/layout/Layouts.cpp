#include "gui/layout/Layouts.h"

#include <algorithm>
#include <vector>

#include "gui/component/IComponent.h"
#include "gui/component/IContainer.h"

namespace s::gui::layout {

namespace {

// A layout walks the children again to hand out what is left of the free space. A walk
// that grows nothing ends it; so does this many walks, for children whose size keeps
// changing by itself (well-behaved children need two).
constexpr int kMaxLeftoverWalks = 4;

int32_t clampToInt32(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// Sizes along one axis with the gap rule of row and column: a gap follows a child only
// when that child is at least 1 pixel long, and a trailing empty child takes none.
class GapSum {
public:
    explicit GapSum(int32_t gap) : gap_(gap) {}
    void add(int32_t size) {
        if (any_ && last_ >= 1) sum_ += gap_;
        sum_ += size;
        last_ = size;
        any_ = true;
    }
    int32_t total() const { return clampToInt32(sum_ > 0 && any_ && last_ < 1 ? sum_ - gap_ : sum_); }

private:
    int32_t gap_;
    int64_t sum_ = 0;
    int32_t last_ = 0;
    bool any_ = false;
};

// Offset of content `extra` pixels smaller than its space: start, centre or end.
int32_t alignOffset(int32_t align, int32_t extra) {
    if (extra < 1) return 0;
    if (align == Align::kCentre) return extra / 2;
    if (align >= Align::kEnd) return extra;
    return 0;
}

// The proportional share of the free space for a child that lacks `lack` pixels of its
// preferred size (the ratio in single precision, as the layouts have always done).
int32_t share(int32_t free, int32_t span, int32_t lack) {
    const float ratio = float(free) / float(span);
    return int32_t(ratio * float(lack));
}

// Raise the reported minimum and preferred width (height) to one child's.
void takeWidths(LayoutSizes& out, LayoutChild* c) {
    const int32_t minW = c->getMinWidth();
    out.minWidth = std::max(out.minWidth, minW);
    out.prefWidth = std::max(out.prefWidth, std::max(minW, c->getPreferredWidth()));
}

void takeHeights(LayoutSizes& out, LayoutChild* c) {
    const int32_t minH = c->getMinHeight();
    out.minHeight = std::max(out.minHeight, minH);
    out.prefHeight = std::max(out.prefHeight, std::max(minH, c->getPreferredHeight()));
}

// Hands the leftover to the children still below their preferred size, one after the
// other, until it is used up. Answers what is left (the extra space for alignment).
template <class SizeFn, class PrefFn, class SetFn>
int32_t spendLeftover(size_t count, int32_t leftover, SizeFn size, PrefFn pref, SetFn set) {
    for (int walk = 0; walk < kMaxLeftoverWalks && leftover > 0; ++walk) {
        bool grew = false;
        for (size_t i = 0; i < count && leftover > 0; ++i) {
            const int32_t before = size(i);
            const int32_t wanted = pref(i);
            if (before >= wanted) continue;
            set(i, clampToInt32(std::min<int64_t>(wanted, int64_t(before) + leftover)));
            const int32_t growth = size(i) - before;
            if (growth > 0) grew = true;
            leftover -= growth;
        }
        if (!grew) break;
    }
    return leftover;
}

}  // namespace

LayoutSizes layoutColumn(Children children, int32_t innerWidth, int32_t innerHeight, const LayoutParams& p) {
    LayoutSizes out;
    if (children.empty()) return out;
    for (LayoutChild* c : children) takeWidths(out, c);
    const int32_t width = std::max(innerWidth, out.minWidth);

    // Every child at its minimum height first.
    GapSum sumMin(p.gapY), sumPref(p.gapY);
    for (LayoutChild* c : children) {
        c->setSizeClamped(width, 0);
        const int32_t h = c->getHeight();
        sumMin.add(h);
        sumPref.add(std::max(c->getPreferredHeight(), h));
    }
    out.minHeight = sumMin.total();
    out.prefHeight = sumPref.total();

    const int32_t height = std::max(innerHeight, out.minHeight);
    const int32_t free = height - out.minHeight;
    int32_t extra = free;
    if (free > 0 && out.minHeight < out.prefHeight) {
        if (height < out.prefHeight) {
            int64_t grown = 0;
            for (LayoutChild* c : children) {
                const int32_t h = c->getHeight();
                const int32_t pref = c->getPreferredHeight();
                if (h >= pref) continue;
                c->setSizeClamped(width, share(free, out.prefHeight - out.minHeight, pref - h) + h);
                grown += c->getHeight() - h;
            }
            extra = spendLeftover(
                children.size(), clampToInt32(free - grown), [&](size_t i) { return children[i]->getHeight(); },
                [&](size_t i) { return children[i]->getPreferredHeight(); },
                [&](size_t i, int32_t h) { children[i]->setSizeClamped(width, h); });
        } else {
            for (LayoutChild* c : children) c->setSizeClamped(width, c->getPreferredHeight());
            extra = height - out.prefHeight;
        }
    }

    int32_t y = alignOffset(p.vAlign, extra);
    int32_t previous = 0;
    bool first = true;
    for (LayoutChild* c : children) {
        if (!first && previous >= 1) y += p.gapY;
        const int32_t w = c->getWidth();
        c->setPosition(alignOffset(p.hAlign, width - w), y);
        previous = c->getHeight();
        y += previous;
        first = false;
    }
    return out;
}

LayoutSizes layoutRow(Children children, int32_t innerWidth, int32_t innerHeight, const LayoutParams& p) {
    LayoutSizes out;
    if (children.empty()) return out;
    const size_t n = children.size();
    std::vector<int32_t> minW(n), prefW(n);
    GapSum sumMin(p.gapX), sumPref(p.gapX);
    for (size_t i = 0; i < n; ++i) {
        LayoutChild* c = children[i];
        minW[i] = c->getMinWidth();
        prefW[i] = std::max(minW[i], c->getPreferredWidth());
        sumMin.add(minW[i]);
        sumPref.add(prefW[i]);
        takeHeights(out, c);
    }
    out.minWidth = sumMin.total();
    out.prefWidth = sumPref.total();

    const int32_t rowHeight = std::max(innerHeight, out.minHeight);
    auto crossHeight = [&](size_t i) { return std::max(rowHeight, children[i]->getMinHeight()); };
    auto setWidth = [&](size_t i, int32_t w) { children[i]->setSizeClamped(w, crossHeight(i)); };

    const int32_t width = std::max(innerWidth, out.minWidth);
    const int32_t free = width - out.minWidth;
    int32_t extra = free;
    if (free > 0 && out.minWidth < out.prefWidth) {
        if (width < out.prefWidth) {
            int64_t grown = 0;
            for (size_t i = 0; i < n; ++i) {
                const int32_t w = minW[i] < prefW[i]
                                      ? share(free, out.prefWidth - out.minWidth, prefW[i] - minW[i]) + minW[i]
                                      : minW[i];
                setWidth(i, w);
                grown += children[i]->getWidth() - minW[i];
            }
            extra = spendLeftover(
                n, clampToInt32(free - grown), [&](size_t i) { return children[i]->getWidth(); },
                [&](size_t i) { return prefW[i]; }, setWidth);
        } else {
            for (size_t i = 0; i < n; ++i) setWidth(i, prefW[i]);
            extra = width - out.prefWidth;
        }
    } else {
        for (size_t i = 0; i < n; ++i) setWidth(i, minW[i]);
    }
    // Heights once the widths are final (a wrapping child's height follows its width).
    for (size_t i = 0; i < n; ++i) children[i]->setSizeClamped(children[i]->getWidth(), crossHeight(i));

    int32_t x = alignOffset(p.hAlign, extra);
    int32_t previous = 0;
    for (size_t i = 0; i < n; ++i) {
        LayoutChild* c = children[i];
        if (i > 0 && previous >= 1) x += p.gapX;
        c->setPosition(x, alignOffset(p.vAlign, rowHeight - c->getHeight()));
        previous = c->getWidth();
        x += previous;
    }
    return out;
}

namespace {

// One line of a flow: children [first, end), the width left over, the tallest child.
struct FlowRow {
    size_t first = 0;
    size_t end = 0;
    int32_t remaining = 0;
};

// A child takes part in the flow's spacing when it is visible and wider than 0.
bool spaced(LayoutChild* c) { return c->isVisible() && c->getWidth() > 0; }

// Breaks the children into rows of the given width at their current widths. A child
// opens a new row when it does not fit after the row's children; a row always holds at
// least one child.
std::vector<FlowRow> breakRows(Children children, int32_t width, int32_t gapX) {
    std::vector<FlowRow> rows;
    FlowRow row;
    row.remaining = width;
    bool rowSpaced = false;
    for (size_t i = 0; i < children.size(); ++i) {
        LayoutChild* c = children[i];
        const int32_t w = c->getWidth();
        const bool s = spaced(c);
        const int32_t gap = s && rowSpaced ? gapX : 0;
        if (row.end > row.first && int64_t(row.remaining) - gap - w < 0) {
            rows.push_back(row);
            row.first = i;
            row.remaining = width - w;
            rowSpaced = s;
        } else {
            row.remaining -= gap + w;
            rowSpaced = rowSpaced || s;
        }
        row.end = i + 1;
    }
    if (row.end > row.first) rows.push_back(row);
    return rows;
}

int32_t tallest(Children children, const FlowRow& row) {
    int32_t h = 0;
    for (size_t i = row.first; i < row.end; ++i) h = std::max(h, children[i]->getHeight());
    return h;
}

}  // namespace

LayoutSizes layoutFlow(Children children, int32_t innerWidth, int32_t innerHeight, const LayoutParams& p) {
    LayoutSizes out;
    if (children.empty()) return out;
    int64_t prefWidth = 0;
    bool firstSpaced = true;
    for (LayoutChild* c : children) {
        const int32_t minW = c->getMinWidth();
        out.minWidth = std::max(out.minWidth, minW);
        prefWidth += std::max(minW, c->getPreferredWidth());
        if (c->isVisible() && minW > 0) {
            if (!firstSpaced) prefWidth += p.gapX;
            firstSpaced = false;
        }
    }
    out.prefWidth = clampToInt32(prefWidth);
    const int32_t width = std::max(innerWidth, out.minWidth);

    for (LayoutChild* c : children) c->setSizeClamped(width, 0);
    const std::vector<FlowRow> rows = breakRows(children, width, p.gapX);
    int64_t minTotal = 0, prefTotal = 0;
    for (const FlowRow& row : rows) {
        int32_t rowMin = 0, rowPref = 0;
        for (size_t i = row.first; i < row.end; ++i) {
            const int32_t h = children[i]->getHeight();
            rowMin = std::max(rowMin, h);
            rowPref = std::max(rowPref, std::max(h, children[i]->getPreferredHeight()));
        }
        if (minTotal != 0) {
            minTotal += p.gapY;
            prefTotal += p.gapY;
        }
        minTotal += rowMin;
        prefTotal += rowPref;
    }
    out.minHeight = clampToInt32(minTotal);
    out.prefHeight = clampToInt32(prefTotal);

    int32_t free = std::max(innerHeight, out.minHeight) - out.minHeight;
    if (free > 0 && out.minHeight < out.prefHeight) {
        // One ratio for every row, from the free space before any row grew.
        const int32_t freeBefore = free;
        for (const FlowRow& row : rows) {
            const int32_t before = tallest(children, row);
            for (size_t i = row.first; i < row.end; ++i) {
                LayoutChild* c = children[i];
                const int32_t h = c->getHeight();
                const int32_t pref = c->getPreferredHeight();
                if (h < pref) c->setSizeClamped(width, share(freeBefore, out.prefHeight - out.minHeight, pref - h) + h);
            }
            free -= tallest(children, row) - before;
        }
    }

    int32_t top = alignOffset(p.vAlign, free);
    for (const FlowRow& row : breakRows(children, width, p.gapX)) {
        int32_t x = alignOffset(p.hAlign, row.remaining);
        bool rowSpaced = false;
        for (size_t i = row.first; i < row.end; ++i) {
            LayoutChild* c = children[i];
            const bool s = spaced(c);
            if (s && rowSpaced) x += p.gapX;
            rowSpaced = rowSpaced || s;
            c->setPosition(x, top);
            x += c->getWidth();
        }
        top += p.gapY + tallest(children, row);
    }
    return out;
}

LayoutSizes layoutPile(Children children, int32_t innerWidth, int32_t innerHeight, const LayoutParams& p) {
    LayoutSizes out;
    for (LayoutChild* c : children) {
        if (c->isVisible()) takeWidths(out, c);
    }
    const int32_t width = std::max(innerWidth, out.minWidth);
    for (LayoutChild* c : children) {
        if (!c->isVisible()) continue;
        c->setSizeClamped(width, 0);
        takeHeights(out, c);
    }
    const int32_t height = std::max(innerHeight, out.minHeight);
    for (LayoutChild* c : children) {
        if (!c->isVisible()) continue;
        const int32_t pref = c->getPreferredHeight();
        if (c->getHeight() < pref) c->setSizeClamped(c->getWidth(), std::max(height, pref));
        c->setPosition(alignOffset(p.hAlign, width - c->getWidth()), alignOffset(p.vAlign, height - c->getHeight()));
    }
    return out;
}

LayoutSizes layoutByKind(int32_t kind, Children children, int32_t innerWidth, int32_t innerHeight,
                         const LayoutParams& p) {
    switch (kind) {
        case LayoutKind::kRow: return layoutRow(children, innerWidth, innerHeight, p);
        case LayoutKind::kColumn: return layoutColumn(children, innerWidth, innerHeight, p);
        case LayoutKind::kFlow: return layoutFlow(children, innerWidth, innerHeight, p);
        case LayoutKind::kPile: return layoutPile(children, innerWidth, innerHeight, p);
        default: return {};
    }
}

namespace {

// A container's child as the layouts see it.
class ComponentChild final : public LayoutChild {
public:
    explicit ComponentChild(IComponent* c) : c_(c) {}
    IComponent* component() const { return c_; }
    bool isVisible() override { return c_->isVisible(); }
    int32_t getMinWidth() override { return c_->getMinWidth(); }
    int32_t getMinHeight() override { return c_->getMinHeight(); }
    int32_t getPreferredWidth() override { return c_->getPreferredWidth(); }
    int32_t getPreferredHeight() override { return c_->getPreferredHeight(); }
    int32_t getWidth() override { return c_->getWidth(); }
    int32_t getHeight() override { return c_->getHeight(); }
    void setSizeClamped(int32_t w, int32_t h) override { c_->setSizeClamped(w, h); }
    void setPosition(int32_t x, int32_t y) override { c_->setPosition(x, y); }

private:
    IComponent* c_;
};

}  // namespace

LayoutSizes layoutComponents(IContainer* container, int32_t kind, const LayoutParams& p) {
    if (!container) return {};
    std::vector<ComponentChild> wrapped;
    const int32_t count = container->getChildCount();
    wrapped.reserve(size_t(std::max(count, 0)));
    for (int32_t i = 0; i < count; ++i) {
        if (IComponent* c = container->getChildAt(i)) wrapped.emplace_back(c);
    }
    std::vector<LayoutChild*> children;
    children.reserve(wrapped.size());
    for (ComponentChild& w : wrapped) children.push_back(&w);

    const bool direct = !container->isUpdateDeferred();
    if (direct) {
        for (ComponentChild& w : wrapped) w.component()->beginUpdate();
    }
    const LayoutSizes sizes = layoutByKind(kind, children, container->getInnerWidth(), container->getInnerHeight(), p);
    if (direct) {
        for (ComponentChild& w : wrapped) {
            w.component()->endUpdate();
            w.component()->repaint();
        }
    }
    return sizes;
}

}  // namespace s::gui::layout
