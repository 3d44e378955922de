// Compiles the header on its own, so that it carries every include it needs.
#include "gui/box/UrlDropTarget.h"
