// A group of paths under a key text (an extension with its dot, a word of the file
// titles, or a size bound), as made by the path list's grouping operations.
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"
#include "foundation/thread/Pool.h"

namespace s::file {

class IPath;

// The members stay owned by the path list they came from; the group only points at
// them. Comparisons and hashes are those of the key text (against another group's key,
// or against a string given directly).
class Extension : public base::IObject, public thread::IPoolable {
    S_POOLED(Extension, L"s_file_Extension")
public:
    Extension() = default;
    ~Extension() override;
    Extension(const Extension&) = delete;
    Extension& operator=(const Extension&) = delete;

    // A pooled group with the key.
    static Extension* withKey(const wchar_t* key, int32_t length = -1);

    str::strbuffer::StrBuffer& key() { return key_; }
    const wchar_t* getKey() { return key_.text(); }
    int32_t getCount() const { return members_ ? int32_t(members_->count()) : 0; }
    IPath* get(int32_t index) const { return static_cast<IPath*>(members_->get(uint32_t(index))); }
    // Appends a member (the member array is made on the first one).
    void add(IPath* path);
    // The member array (null while empty); it has no item destroyer.
    col::_array::ArrayP* members() const { return members_; }

    int compareTo(const base::IComparable* other, const base::IComparator* comparator = nullptr) const override;
    int compareToIgnoreCase(const base::IComparable* other,
                            const base::IComparator* comparator = nullptr) const override;
    bool equals(const base::IComparable* other, const base::IComparator* comparator = nullptr) const override;
    bool equalsIgnoreCase(const base::IComparable* other, const base::IComparator* comparator = nullptr) const override;
    uint32_t hashCode() const override { return key_.hashCode(); }
    uint32_t hashCodeIgnoreCase() const override { return key_.hashCodeIgnoreCase(); }

    // Member array back to its pool, key storage freed.
    void reset() override;

    // A new pointer array whose items (groups) go back to the group pool when it is
    // released.
    static col::_array::ArrayP* newGroupList();

private:
    // The key string to compare with: another group's key or the string itself.
    static const base::IComparable* keyOf(const base::IComparable* other);

    str::strbuffer::StrBuffer key_;
    col::_array::ArrayP* members_ = nullptr;
};

}  // namespace s::file
