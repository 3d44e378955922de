// Cursor files (and a module's cursor groups) as archives: the icon archive with file
// type 2, hotspots in the planes and bit-count fields, and no image codec.
#pragma once

#include "imaging/codec/IconArchive.h"

namespace s::archive::cur {

class Entry : public icon::Entry {
    S_POOLED(Entry, L"s_archive_cur_Entry")
public:
    Entry() = default;
    void reset() override { clear(); }
};

class Archive : public icon::Archive {
    S_POOLED(Archive, L"s_archive_cur_Archive")
public:
    Archive() { entries_.setDestroyer(Entry::pooler()); }
    void reset() override { close(); }

    bool loadGroupCursorById(dll::win::Archive* module, uint32_t id);
    bool loadGroupCursorByName(dll::win::Archive* module, const wchar_t* name);

protected:
    uint16_t fileType() const override { return 2; }
    icon::Entry* newEntry() const override { return Entry::create(); }
    // A height of 0 in a cursor directory stands for the width.
    void fixEntry(icon::Entry* e) const override
    {
        if (e->height == 0) e->height = e->width;
    }
};

}  // namespace s::archive::cur
