#include "foundation/xml/AttrFactory.h"

#include <cstdlib>
#include <new>

namespace s::xml {

AttrFactory::~AttrFactory() { drain(); }

void* AttrFactory::generate() {
    // calloc: both lengths 0, both texts null.
    return std::calloc(1, sizeof(XmlAttr));
}

void AttrFactory::resetItem(void* item) {
    if (!item) return;
    XmlAttr* a = static_cast<XmlAttr*>(item);
    std::free(a->name);
    std::free(a->value);
    *a = XmlAttr{};
}

void AttrFactory::destroyItem(void** holder) {
    if (!holder || !*holder) return;
    XmlAttr* a = static_cast<XmlAttr*>(*holder);
    std::free(a->name);
    std::free(a->value);
    std::free(a);
    *holder = nullptr;
}

base::IObject* AttrFactory::newInstance() const { return new (std::nothrow) AttrFactory(); }

AttrFactory* AttrFactory::instance() {
    static AttrFactory* shared = new AttrFactory();
    return shared;
}

}  // namespace s::xml
