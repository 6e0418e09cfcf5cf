// Uniform flow with one quantity unknown: the discharge Q, the depth h, the
// section's size (B, D, r or p), the bed slope i or Manning's n. Each answer
// is the exact root to about 2^-100, so its rounding is the correctly rounded
// answer, and every quantity that follows is computed from it unrounded.
#pragma once

#include <vector>

#include "calc/sections/channel.h"

namespace channelflow::calc {

enum class Unknown { Discharge, Depth, Size, Slope, Roughness };

// A complete uniform flow: the channel, its depth and its discharge.
struct UniformSolution {
  Channel channel;
  Real h;
  Real Q;
};

// Fills in the unknown (its value in `channel`, h or Q is ignored) and
// returns the answers: one, or for a closed section's depth two when the
// discharge lies between the full conduit's and the greatest, shallower first. The
// inputs were checked by the caller (i > 0, Q > 0, h within the section, one
// n when n is the unknown). Throws CalcError when there is no answer.
std::vector<UniformSolution> solveUniformFlow(const Channel& channel, Unknown unknown, const Real& Q, const Real& h);

// The normal depths that carry Q: one, or two in a closed section (see above).
std::vector<Real> normalDepths(const Channel& channel, const Real& Q);

// A closed section's greatest discharge and the depth that carries it (a
// circle's about 0.938 D), and its discharge running full.
struct ConduitCapacity {
  Real hMax, QMax, QFull;
};
ConduitCapacity conduitCapacity(const Channel& channel);

}  // namespace channelflow::calc
