// What every container does alike: taking children out (detached and given back to
// their pools) and keeping a back buffer that covers its client area.
//
//   void Panel::removeChild(IComponent* child, bool recursive) {
//       if (removeChildFrom(children_, child, recursive)) doLayout();
//   }
#pragma once

#include <cstdint>

namespace s::col::_array {
class ArrayP;
}
namespace s::image::win {
class BufferedImage;
}

namespace s::gui {

class IComponent;

// Takes the child out of the list (emptied first when recursive and a container),
// detaches it and releases it to its pool. False when the list does not hold it.
bool removeChildFrom(col::_array::ArrayP& children, IComponent* child, bool recursive);
// The same for every child, from the last to the first; the list ends empty.
void removeAllChildrenFrom(col::_array::ArrayP& children, bool recursive);

// Makes *buffer cover w x h: kept when it holds the size and is not much too large,
// grown in place, or replaced by a fresh one (nothing for an empty size).
void ensureBackBuffer(::s::image::win::BufferedImage** buffer, int32_t w, int32_t h);

}  // namespace s::gui
