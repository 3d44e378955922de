// The attribute record of an XML element and the pool that recycles those records.
#pragma once

#include <cstdint>

#include "foundation/thread/Pool.h"

namespace s::xml {

// One attribute of an element. A text run of the element is kept as an attribute with an
// empty name. Both texts are owned (malloc'd), NUL-terminated and may be null while the
// record is empty; the value is kept in its escaped (file) form.
struct XmlAttr {
    int32_t nameLength;
    wchar_t* name;
    int32_t valueLength;
    wchar_t* value;
};

// Pool of XmlAttr records. Records handed out are empty (both lengths 0, both texts null);
// records given back have their texts freed.
class AttrFactory : public thread::Factory {
public:
    AttrFactory() = default;
    ~AttrFactory() override;

    int32_t getItemSize() const override { return int32_t(sizeof(XmlAttr)); }
    void* generate() override;
    void resetItem(void* item) override;
    void destroyItem(void** holder) override;

    XmlAttr* obtain() { return static_cast<XmlAttr*>(get()); }

    const wchar_t* getClassName() const override { return L"s_xml_AttrFactory"; }
    base::IObject* newInstance() const override;

    // The shared factory: made on first use, never destroyed.
    static AttrFactory* instance();
};

}  // namespace s::xml
