// Free-surface uniform flow in a barrel closed over the top (a tunnel, a
// culvert): its depth, and the free area and height left above the water;
// or, where the flow exceeds what the barrel carries with a free surface,
// the greatest discharge it does carry, for a failed check rather than an
// error.
#pragma once

#include "calc/sections/channel.h"

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

}  // namespace channelflow::calc::structures
