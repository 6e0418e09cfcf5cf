// Critical flow: the depth at which a discharge has the least specific
// energy, Q^2 T = g A^3 (Fr = 1), and the velocity and slope there.
#pragma once

#include "calc/channel.h"

namespace channelflow::calc {

struct CriticalFlow {
  Real hc;  // Q^2 T = g A^3
  Real vc;  // Q / A there
  Real Ec;  // the least specific energy that passes Q
  Real ic;  // critical slope: the bed slope whose normal depth is hc, with the channel's n
};

// The critical depth of Q > 0 in a valid section. It always exists: A
// sqrt(g A / T) rises from 0 without bound (a circle's as it fills).
Real criticalDepth(const Channel& channel, const Real& Q);

// Depth, velocity, energy and slope of critical flow for Q.
CriticalFlow criticalFlow(const Channel& channel, const Real& Q);

}  // namespace channelflow::calc
