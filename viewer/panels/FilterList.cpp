#include "viewer/panels/FilterList.h"

#include <cwchar>

#include "foundation/col/Array.h"
#include "foundation/str/StrArray.h"
#include "gui/controls/IImage.h"
#include "imaging/filters/Filter.h"

namespace s::image::gui::dialogs::imageview {

using flt = s::image::filters::IFilter;

namespace {
int32_t framesOf(s::gui::IImage* view) { return view && view->hasImage() ? view->getFrameCount() : 0; }
}  // namespace

FilterList::FilterList(str::strarray::StrArray* names) : filters_(col::_array::ArrayP::create()), names_(names) {}

FilterList::~FilterList() {
    clear();
    filters_->release();
}

int32_t FilterList::count() const { return int32_t(filters_->count()); }

flt* FilterList::at(int32_t index) const {
    return index >= 0 && index < count() ? filters_->at<flt>(uint32_t(index)) : nullptr;
}

flt* FilterList::find(const wchar_t* filterName) const {
    if (!filterName) return nullptr;
    for (int32_t i = 0; i < count(); ++i)
        if (std::wcscmp(at(i)->getFilterName(), filterName) == 0) return at(i);
    return nullptr;
}

void FilterList::add(flt* filter, s::gui::IImage* view) {
    if (!filter) return;
    filter->setReleasedWithImage(false);
    filters_->push(filter);
    if (names_) names_->addText(filter->getFilterName());
    const int32_t frames = framesOf(view);
    for (int32_t i = 0; i < frames; ++i) view->addFrameFilter(i, filter);
}

void FilterList::remove(flt* filter, s::gui::IImage* view) {
    const int32_t index = filter ? filters_->indexOf(filter) : -1;
    if (index < 0) return;
    const int32_t frames = framesOf(view);
    for (int32_t i = 0; i < frames; ++i) {
        // The frame's own list may differ from this one (a frame that never had the
        // list attached): find the filter there rather than trusting the index.
        int32_t at = index;
        col::_array::ArrayP* own = view->getFrameFilters(i);
        if (own) at = own->indexOf(filter);
        if (at >= 0) view->removeFrameFilter(i, at);
    }
    filters_->removeItem(filter);
    filter->release();
    if (names_ && uint32_t(index) < names_->count()) names_->removeAt(uint32_t(index));
}

void FilterList::clear() {
    for (int32_t i = 0; i < count(); ++i) at(i)->release();
    filters_->freeStorage();
    if (names_ && names_->count()) names_->clear();
}

void FilterList::attachAll(s::gui::IImage* view) {
    const int32_t frames = framesOf(view);
    for (int32_t i = 0; i < frames; ++i)
        for (int32_t j = 0; j < count(); ++j) view->addFrameFilter(i, at(j));
}

}  // namespace s::image::gui::dialogs::imageview
