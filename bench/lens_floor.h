// The least a lens update can cost on this machine, to set lens_update_us against.
#pragma once

#include "ui_thread.h"

// Median microseconds of `updates` of the bare work (on `ui`, as the lens's own thread): one
// 15 x 15 copy of the screen, one 8x stretch to 120 x 120 and one copy to a visible window.
double LensUpdateFloorMicroseconds(testing_support::UiThread& ui, int updates);
