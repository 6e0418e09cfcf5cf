// Manning's roughness of a channel: one n for the whole wetted perimeter, or
// an n for the bed and another for the walls combined into the equivalent n
// of the whole perimeter (Horton–Einstein: each part carries its share of the
// velocity, n_e = (sum P_k n_k^(3/2) / P)^(2/3)).
#pragma once

#include <string_view>

#include "calc/section.h"

namespace channelflow::sections {

struct Roughness {
  bool composite = false;
  double n = 0;      // the whole perimeter's n when not composite
  double nBed = 0;   // composite: the bed's n
  double nWall = 0;  // composite: the walls' n

  static Roughness uniform(double n) { return {false, n, 0, 0}; }
  static Roughness bedAndWalls(double nBed, double nWall) { return {true, 0, nBed, nWall}; }
};

// "Horton–Einstein" in the report's words.
inline constexpr std::string_view kCompositeMethodName = "霍顿-爱因斯坦法";

// Throws FlowError unless every n in use is a finite number above zero.
void validate(const Roughness& roughness);

// The n of the whole perimeter at depth h (which the composite n depends on,
// as the walls' share of the perimeter grows with depth). Throws FlowError for
// a composite n on a section whose perimeter is not split into bed and walls.
double equivalentN(const Roughness& roughness, const Section& section, double h);

}  // namespace channelflow::sections
