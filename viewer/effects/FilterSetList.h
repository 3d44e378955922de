// The viewer's list of filter sets: the built-in sets first, then the user's own sets,
// which are stored below the window's data root as "Filter"\"Length" and one section
// "Filter\_k" per set (k = 0 .. Length - 1, in list order).
//
//   FilterSetList sets;
//   sets.addBuiltIns(names, cartoonWidth, cartoonHeight);
//   sets.loadUserSets(store, L"MainWindow");
//   if (sets.addUserSet(current->copy())) sets.saveUserSets(store, L"MainWindow");
#pragma once

#include <cstdint>
#include <string>

#include "foundation/col/Array.h"

namespace s::map {
class IMappedData;
}

namespace s::image::gui::dialogs::imageview {

class EffectData;

// Text ids of the built-in sets' names, in list order.
constexpr int32_t kBuiltInSetTextIds[] = {1990004858, 1990004855, 1990004865, 1990004860, 1990004859, 1990004864};
constexpr uint32_t kBuiltInSetCount = 6;
// Most user sets kept: a larger stored "Length" reads as this many.
constexpr int32_t kMaxUserSets = 64;

class FilterSetList {
public:
    FilterSetList();
    ~FilterSetList();
    FilterSetList(const FilterSetList&) = delete;
    FilterSetList& operator=(const FilterSetList&) = delete;

    // Appends the six built-in sets with these names ("Cartoon Reader" fits width x height).
    void addBuiltIns(const wchar_t* const names[kBuiltInSetCount], int32_t cartoonWidth, int32_t cartoonHeight);
    // Appends the stored user sets; a missing "Length" (or -1) means none, a negative or
    // non-numeric one none, one above kMaxUserSets that many.
    void loadUserSets(map::IMappedData* store, const wchar_t* root);
    // Writes "Length" and every user set to its section; sections past the new count go.
    void saveUserSets(map::IMappedData* store, const wchar_t* root);

    uint32_t count() const { return sets_.count(); }
    uint32_t builtInCount() const { return builtIns_; }
    uint32_t userCount() const { return sets_.count() - builtIns_; }
    // The set at the index (owned by the list), null out of range.
    EffectData* at(uint32_t index) const;
    bool isBuiltIn(uint32_t index) const { return index < builtIns_; }
    // Index of the first set of that name ignoring case, -1 when none.
    int32_t indexOfName(const wchar_t* name) const;
    // Whether a user set may take the name: not empty and no built-in set's name. Built-in
    // sets cannot be replaced, so saving under their name never renumbers stored sets.
    bool isNameFree(const wchar_t* name) const;

    // Takes the set as a user set (marked custom). A set of a user set's name replaces
    // that one in its place. False, and the caller keeps the set, when the name is
    // taken by a built-in set or the list already holds kMaxUserSets user sets.
    bool addUserSet(EffectData* set);
    // Removes a user set and gives it back to its pool; false for a built-in or out of range.
    bool removeAt(uint32_t index);

    // "Filter" and "Filter\_k" below the root.
    static std::wstring filterSection(const wchar_t* root);
    static std::wstring userSetSection(const wchar_t* root, int32_t k);

private:
    col::_array::ArrayP sets_;
    uint32_t builtIns_ = 0;
};

}  // namespace s::image::gui::dialogs::imageview
