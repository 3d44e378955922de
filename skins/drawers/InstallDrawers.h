// Connects the skins layer to the layers below it, once at start-up (before the first
// window): registers a factory per drawer kind for the toolkit's default drawers
// (gui/drawer/DefaultDrawers.h) and the watermark's text renderer for the imaging
// filter chain. Calling it again does no harm.
#pragma once

namespace s::skins {

void installDefaultDrawers();

}  // namespace s::skins
