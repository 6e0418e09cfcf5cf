// A section's drawing as tables of coordinates, for the answers that draw it
// (outline, design).
#pragma once

#include <vector>

#include "calc/sections/outline.h"
#include "calc/toolkit/answer.h"

namespace channelflow::calc {

// "boundary" and "water" (x, z); a surveyed section's "segments" (each
// boundary segment's n, absent where it has none), "surface" (each wet
// stretch: from, to, z) and "dividers" (x, bed z, top).
std::vector<Table> outlineTables(Outline outline);

}  // namespace channelflow::calc
