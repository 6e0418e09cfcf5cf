// Free-surface uniform flow in a barrel closed over the top (a tunnel, a
// culvert): its depth, and the free area and height left above the water;
// or, where the flow exceeds what the barrel carries with a free surface,
// the greatest discharge it does carry, for a failed check rather than an
// error.
#pragma once

#include <optional>

#include "calc/sections/channel.h"
#include "calc/structures/flows.h"

namespace channelflow::calc::structures {

using numeric::Real;

struct ConduitFlow {
  bool carried = true;  // a free-surface depth carries Q
  Real h, A, v;         // at that depth (the crown's when not carried)
  Real freeAreaPct;     // (A_full - A) / A_full, in per cent
  Real freeHeight;      // crown - h
  Real QMax;            // a closed section's greatest discharge (0 for an open barrel)
};

// The shallower normal depth of Q in `barrel` (its own section, which may be
// open, as a box culvert's rectangle), whose crown and full area are given.
ConduitFlow conduitFlow(const Channel& barrel, const Real& Q, const Real& crown, const Real& fullArea);

// The canal's velocities upstream and downstream of a tunnel or culvert.
struct BarrelEnds {
  double v1 = 0, v3 = 0;
};

// One flow through a tunnel or culvert: its free-surface flow, the fall along
// the barrel Z2 = i·L and, where the canal's velocities at its ends are given,
// the inlet's fall Z1, the outlet's recovery Z3 and the whole fall ΔZ.
struct BarrelFlow : ConduitFlow {
  FlowCase which = FlowCase::Design;
  Real Q;
  bool hasEnds = false;
  Real Z1, Z2, Z3, dZ;
};

BarrelFlow barrelFlow(const Channel& barrel, const StructureFlow& flow, const Real& crown, const Real& fullArea,
                      const Real& Z2, const std::optional<BarrelEnds>& ends, const Real& xi1, const Real& xi2, double g);

}  // namespace channelflow::calc::structures
