#include "viewer/effects/FilterSetList.h"

#include <algorithm>

#include "foundation/str/StrBuffer.h"
#include "platform/map/IMappedData.h"
#include "viewer/effects/EffectData.h"

namespace s::image::gui::dialogs::imageview {

FilterSetList::FilterSetList() = default;

FilterSetList::~FilterSetList() {
    for (uint32_t i = 0; i < sets_.count(); ++i) sets_.at<EffectData>(i)->release();
    sets_.freeStorage();
}

std::wstring FilterSetList::filterSection(const wchar_t* root) {
    std::wstring path = root && *root ? std::wstring(root) + L"\\" : std::wstring();
    return path + L"Filter";
}

std::wstring FilterSetList::userSetSection(const wchar_t* root, int32_t k) {
    return filterSection(root) + L"\\_" + std::to_wstring(k);
}

void FilterSetList::addBuiltIns(const wchar_t* const names[kBuiltInSetCount], int32_t cartoonWidth,
                                int32_t cartoonHeight) {
    EffectData* made[kBuiltInSetCount] = {
        EffectData::makeMaxSharpness(names[0]),
        EffectData::makeClearPhoto(names[1]),
        EffectData::makeCartoonReader(names[2], std::max(cartoonWidth, 1), std::max(cartoonHeight, 1)),
        EffectData::makeGrayscale(names[3]),
        EffectData::makeBoxSharpen(names[4]),
        EffectData::makeBoxFillSharpen(names[5]),
    };
    for (uint32_t i = 0; i < kBuiltInSetCount; ++i) sets_.insertAt(builtIns_ + i, made[i]);
    builtIns_ += kBuiltInSetCount;
}

void FilterSetList::loadUserSets(map::IMappedData* store, const wchar_t* root) {
    if (!store) return;
    const int32_t stored = store->getInt(filterSection(root).c_str(), L"Length", -1);
    const int32_t n = std::min(std::max(stored, 0), kMaxUserSets);
    for (int32_t k = 0; k < n && int32_t(userCount()) < kMaxUserSets; ++k) {
        EffectData* set = EffectData::create();
        set->load(store, userSetSection(root, k).c_str());
        sets_.push(set);
    }
}

void FilterSetList::saveUserSets(map::IMappedData* store, const wchar_t* root) {
    if (!store) return;
    const int32_t n = int32_t(userCount());
    store->setInt(filterSection(root).c_str(), L"Length", n);
    for (int32_t k = 0; k < n; ++k) {
        const std::wstring section = userSetSection(root, k);
        // A set's section holds only that set: names past its count would linger otherwise.
        store->removePath(section.c_str());
        at(builtIns_ + uint32_t(k))->save(store, section.c_str());
    }
    for (int32_t k = n; k < kMaxUserSets; ++k) {
        const std::wstring section = userSetSection(root, k);
        if (!store->findPath(section.c_str())) break;
        store->removePath(section.c_str());
    }
    store->flushIfAuto();
}

EffectData* FilterSetList::at(uint32_t index) const {
    return index < sets_.count() ? sets_.at<EffectData>(index) : nullptr;
}

int32_t FilterSetList::indexOfName(const wchar_t* name) const {
    if (!name) return -1;
    for (uint32_t i = 0; i < sets_.count(); ++i)
        if (sets_.at<EffectData>(i)->name->equalsText(name)) return int32_t(i);
    return -1;
}

bool FilterSetList::isNameFree(const wchar_t* name) const {
    if (!name || !*name) return false;
    const int32_t i = indexOfName(name);
    return i < 0 || !isBuiltIn(uint32_t(i));
}

bool FilterSetList::addUserSet(EffectData* set) {
    if (!set || !isNameFree(set->name->text())) return false;
    set->isCustom = true;
    const int32_t same = indexOfName(set->name->text());
    if (same >= 0) {
        sets_.at<EffectData>(uint32_t(same))->release();
        sets_[uint32_t(same)] = set;
        return true;
    }
    if (int32_t(userCount()) >= kMaxUserSets) return false;
    sets_.push(set);
    return true;
}

bool FilterSetList::removeAt(uint32_t index) {
    if (isBuiltIn(index) || index >= sets_.count()) return false;
    EffectData* set = sets_.at<EffectData>(index);
    sets_.removeItem(set);
    set->release();
    return true;
}

}  // namespace s::image::gui::dialogs::imageview
