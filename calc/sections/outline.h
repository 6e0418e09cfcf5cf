// A section's outline for drawing it: its boundary from the top of the left
// bank down to the bed and up to the top of the right bank, and the water
// surface at depth h. x runs across the channel from the middle of the bed,
// z up from the lowest point, in the channel's length unit; a surveyed
// section is drawn in its own stations and elevations, its points as they are.
#pragma once

#include <array>
#include <vector>

#include "calc/sections/channel.h"

namespace channelflow::calc {

struct Outline {
  std::vector<std::array<double, 2>> boundary;  // left bank top ... bed ... right bank top
  std::array<double, 2> waterLeft{}, waterRight{};  // the surface's ends, at z = h
  // A surveyed section's: each boundary segment's n (0 where it has none),
  // the surface's pieces {x from, x to} (ponds behind high ground apart), and
  // the lines dividing its parts {x, bed z, surface z}, where they are wet.
  std::vector<double> segmentN;
  std::vector<std::array<double, 2>> water;
  std::vector<std::array<double, 3>> dividers;
};

// The boundary up to `top` (a circle's whole circumference, its crown being
// its top), drawn with straight lines as fine as a drawing needs. 0 < h <= top.
Outline outlineOf(const Channel& channel, double h, double top);

}  // namespace channelflow::calc
