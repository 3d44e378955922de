#include "gui/skin/SliderGeometry.h"

#include <algorithm>
#include <cmath>

namespace s::gui::drawer::slider {

SliderGeometry::SliderGeometry(int32_t width, int32_t scale, int32_t minimum, int32_t maximum)
    : width_(std::max(width, 0)), thumbWidth_(10 * std::max(scale, 1)), minimum_(minimum), maximum_(maximum) {}

int32_t SliderGeometry::clamp(int32_t value) const {
    if (maximum_ <= minimum_) return minimum_;
    return std::clamp(value, minimum_, maximum_);
}

namespace {

// span × (value - minimum) / (maximum - minimum), truncated, in 64 bits; 0 for an empty range.
int32_t scaleInto(int64_t span, int32_t value, int32_t minimum, int32_t maximum) {
    int64_t range = int64_t(maximum) - minimum;
    if (range <= 0) return 0;
    return int32_t(span * (int64_t(value) - minimum) / range);
}

}  // namespace

int32_t SliderGeometry::thumbLeft(int32_t value) const {
    return scaleInto(std::max(width_ - thumbWidth_, 0), clamp(value), minimum_, maximum_);
}

int32_t SliderGeometry::fillEnd(int32_t anchor) const { return scaleInto(width_, clamp(anchor), minimum_, maximum_); }

int32_t SliderGeometry::thumbAt(int32_t x, int32_t position, bool twoThumbs, int32_t secondPosition) const {
    int32_t first = thumbLeft(position);
    if (x >= first && x < first + thumbWidth_) return 0;
    if (twoThumbs) {
        int32_t second = thumbLeft(secondPosition);
        if (x >= second && x < second + thumbWidth_) return 1;
    }
    return -1;
}

int32_t sliderValueAt(int32_t coordinate, int32_t channelLeft, int32_t channelRight, int32_t minimum, int32_t maximum) {
    int64_t channel = int64_t(channelRight) - channelLeft;
    if (channel <= 0 || maximum <= minimum) return minimum;
    double range = double(int64_t(maximum) - minimum);
    double value = std::round(range * double(int64_t(coordinate) - channelLeft) / double(channel)) + minimum;
    return int32_t(std::clamp(value, double(minimum), double(maximum)));
}

}  // namespace s::gui::drawer::slider
