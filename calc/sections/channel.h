// A channel: its section (shape and size), bed slope, roughness and unit
// system. The size, slope and one n are Reals, since a solver may have found
// them: a solved value keeps every digit for the quantities that follow.
#pragma once

#include "calc/sections/shape.h"
#include "calc/sections/units.h"

namespace channelflow::calc {

// Manning's roughness: one n for the whole wetted perimeter, or an n for the
// bed and another for the walls, combined into the equivalent n of the whole
// perimeter (Horton–Einstein: each part carries its share of the velocity,
// n_e = (sum P_k n_k^(3/2) / P)^(2/3)); the latter for trapezoids and U shapes.
struct Roughness {
  bool composite = false;
  Real n;            // one n for the whole perimeter
  double nBed = 0;   // composite: the bed's n
  double nWall = 0;  // composite: the walls' n
};

struct Channel {
  Shape shape;
  Real size;  // B, D, r or p
  Real i;     // bed slope, positive falling downstream
  Roughness roughness;
  UnitSystem units = UnitSystem::SI;
  // Gravity in place of the unit system's standard one, when > 0: the 9.81
  // of Chinese workbooks, whose numbers reproduce only with it.
  double g = 0;

  Units constants() const {
    Units u = unitsOf(units);
    if (g > 0) {
      u.unitWeight = u.unitWeight / u.g * g;
      u.g = g;
    }
    return u;
  }
};

// The deepest water the section holds: a circle's diameter, a surveyed
// section's lower end; the other sections' walls rise without end.
bool hasTop(const Channel& channel);
Real topDepth(const Channel& channel);  // +infinity without a top
// The same as a double.
double fullDepth(const Channel& channel);

}  // namespace channelflow::calc
