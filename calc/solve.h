// Uniform flow with one quantity unknown: the discharge Q, the depth h, the
// section's size parameter (B, D, r or p), the bed slope i or Manning's n.
// Every solver ends: with the answer to within 2 ulp, or a FlowError saying
// why there is none.
#pragma once

#include <string_view>
#include <vector>

#include "calc/flow.h"

namespace channelflow::sections {

enum class Unknown { Discharge, Depth, Width, Slope, Roughness };

// A complete uniform flow: the channel, its depth and its discharge.
struct UniformFlowCase {
  Channel channel;
  double h = 0;
  double Q = 0;
};

// Fills in the unknown of `known` (whose value there is ignored) and returns
// the cases that answer: one, or for a circle's depth two when the discharge
// lies between the full conduit's and the greatest, shallower first. The
// roughness can be the unknown only when it is one n for the whole perimeter.
std::vector<UniformFlowCase> solveUniformFlow(const UniformFlowCase& known, Unknown unknown);

// The normal depths that carry Q: one, or two in a circle (see above).
std::vector<double> normalDepths(const Channel& channel, double Q);

// A circle's greatest discharge and the depth that carries it (about 0.938 D),
// and its discharge running full.
struct CircleCapacity {
  double hMax = 0;
  double QMax = 0;
  double QFull = 0;
};
CircleCapacity circleCapacity(const Channel& channel);

// The depth fraction h/D at which a circle carries its greatest discharge
// under Manning's formula.
double circleDepthRatioOfGreatestDischarge();

}  // namespace channelflow::sections
