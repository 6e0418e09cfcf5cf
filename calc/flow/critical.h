// Critical flow: the depth at which a discharge has the least specific
// energy, Q^2 T = g A^3 (Fr = 1), and the velocity and slope there. A
// surveyed section may have several depths of locally least energy.
#pragma once

#include <vector>

#include "calc/sections/channel.h"

namespace channelflow::calc {

struct CriticalFlow {
  Real hc;  // Q^2 T = g A^3; of a surveyed section, its shallowest critical depth
  Real vc;  // Q / A there
  Real Ec;  // the specific energy there
  Real ic;  // critical slope: the bed slope whose normal depth is hc, with the channel's n
  std::vector<Real> all;  // every critical depth, shallowest first
};

// Every depth of locally least specific energy for Q > 0, shallowest first:
// one in a section of closed form, where it always exists (A sqrt(g A / T)
// rises from 0 without bound, a circle's as it fills); one or more in a
// surveyed section, whose least may also lie above its banks (CalcError).
std::vector<Real> criticalDepths(const Channel& channel, const Real& Q);

// The critical depth that jumps and profiles are judged by: the one, or of
// a surveyed section's several, the one of least specific energy (the
// shallowest of equals).
Real criticalDepth(const Channel& channel, const Real& Q);

// Depth, velocity, energy and slope of critical flow for Q, at the shallowest critical depth.
CriticalFlow criticalFlow(const Channel& channel, const Real& Q);

// h + alpha Q^2 / (2 g A^2) at depth h.
Real specificEnergy(const Channel& channel, const Real& h, const Real& Q);

}  // namespace channelflow::calc
