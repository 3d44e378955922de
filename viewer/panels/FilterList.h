// The filters applied to every frame of the shown picture, in order of first use, at
// most one per filter name, with their names kept in step in a filter set's order.
// The list owns its filters: a picture that drops one does not give it back to its pool.
//
//   FilterList list(&current->filterOrder);
//   list.add(sharpness, view);        // appended here, to the names and to every frame
//   list.remove(sharpness, view);     // dropped from every frame, then released
#pragma once

#include <cstdint>

namespace s::gui {
class IImage;
}
namespace s::col::_array {
class ArrayP;
}
namespace s::str::strarray {
class StrArray;
}
namespace s::image::filters {
class IFilter;
}

namespace s::image::gui::dialogs::imageview {

class FilterList {
public:
    // names: the order list kept in step (not owned).
    explicit FilterList(str::strarray::StrArray* names);
    ~FilterList();
    FilterList(const FilterList&) = delete;
    FilterList& operator=(const FilterList&) = delete;

    col::_array::ArrayP* array() { return filters_; }
    int32_t count() const;
    filters::IFilter* at(int32_t index) const;
    // The filter whose name equals filterName, or null.
    filters::IFilter* find(const wchar_t* filterName) const;

    // A null view (or one without a picture) only keeps the list. The filter is marked
    // as not released with images, appended with its name and added to every frame.
    void add(filters::IFilter* filter, s::gui::IImage* view);
    // Nothing happens for a filter that is not in the list.
    void remove(filters::IFilter* filter, s::gui::IImage* view);
    // Releases every filter and empties the names (the frames must have dropped them).
    void clear();
    // Every filter of the list added again, in order, to every frame.
    void attachAll(s::gui::IImage* view);

private:
    col::_array::ArrayP* filters_;
    str::strarray::StrArray* names_;
};

}  // namespace s::image::gui::dialogs::imageview
