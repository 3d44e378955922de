// Kept for the enabler tests: the shared fake component.
#pragma once

#include "support/FakeComponent.h"
