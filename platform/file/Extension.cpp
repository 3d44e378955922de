#include "platform/file/Extension.h"

#include "platform/file/IPath.h"

namespace s::file {

Extension::~Extension() {
    if (members_) members_->release();
}

Extension* Extension::withKey(const wchar_t* key, int32_t length) {
    Extension* group = create();
    if (group) group->key_.assign(key, length);
    return group;
}

void Extension::add(IPath* path) {
    if (!members_) {
        members_ = col::_array::ArrayP::create();
        if (!members_) return;
    }
    members_->push(path);
}

void Extension::reset() {
    if (members_) {
        members_->release();
        members_ = nullptr;
    }
    key_.freeStorage();
}

const base::IComparable* Extension::keyOf(const base::IComparable* other) {
    if (const auto* group = dynamic_cast<const Extension*>(other)) return &group->key_;
    return other;
}

int Extension::compareTo(const base::IComparable* other, const base::IComparator* comparator) const {
    return key_.compareTo(keyOf(other), comparator);
}

int Extension::compareToIgnoreCase(const base::IComparable* other, const base::IComparator* comparator) const {
    return key_.compareToIgnoreCase(keyOf(other), comparator);
}

bool Extension::equals(const base::IComparable* other, const base::IComparator* comparator) const {
    return key_.equals(keyOf(other), comparator);
}

bool Extension::equalsIgnoreCase(const base::IComparable* other, const base::IComparator* comparator) const {
    return key_.equalsIgnoreCase(keyOf(other), comparator);
}

col::_array::ArrayP* Extension::newGroupList() {
    col::_array::ArrayP* list = col::_array::ArrayP::create();
    if (list) list->setDestroyer(pooler());
    return list;
}

}  // namespace s::file
