#include "gui/component/ContainerSupport.h"

#include "foundation/col/Array.h"
#include "gui/component/IComponent.h"
#include "gui/window/WindowGeometry.h"
#include "imaging/image/BufferedImage.h"

namespace s::gui {

namespace {

void detachAndRelease(IComponent* child, bool recursive) {
    if (recursive && child->isContainer()) child->removeAllChildren(true);
    child->setParent(nullptr);
    releaseComponent(child);
}

}  // namespace

bool removeChildFrom(col::_array::ArrayP& children, IComponent* child, bool recursive) {
    if (!child || !children.removeItem(child)) return false;
    detachAndRelease(child, recursive);
    return true;
}

void removeAllChildrenFrom(col::_array::ArrayP& children, bool recursive) {
    for (uint32_t i = children.count(); i-- > 0;) {
        auto* child = children.at<IComponent>(i);
        children.removeItem(child);
        detachAndRelease(child, recursive);
    }
    children.clear();
}

void ensureBackBuffer(::s::image::win::BufferedImage** buffer, int32_t w, int32_t h) {
    if (w <= 0 || h <= 0) return;
    ::s::image::win::BufferedImage*& b = *buffer;
    const int32_t capW = b ? b->getCapacityWidth() : 0;
    const int32_t capH = b ? b->getCapacityHeight() : 0;
    switch (win::geometry::backBufferAction(capW, capH, w, h)) {
        case win::geometry::BufferAction::Keep: return;
        case win::geometry::BufferAction::Grow:
            b->reserve(w, h);
            b->setSize(b->getCapacityWidth(), b->getCapacityHeight());
            return;
        case win::geometry::BufferAction::Replace:
            b->release();
            b = nullptr;
            [[fallthrough]];
        case win::geometry::BufferAction::Make: b = ::s::image::win::BufferedImage::createSized(w, h); return;
    }
}

}  // namespace s::gui
