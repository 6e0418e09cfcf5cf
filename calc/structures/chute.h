// The chute (陡坡) as a water-surface chain needs it (§12.3.3, N.1.2): the
// control at the crest end at the critical depth, the drawdown profile down
// the steep bed by the standard step of calc/flow/profile, each point's
// aerated depth h_b = (1 + ζ v/100) h, and the wall height over the deepest
// aerated water.
#pragma once

#include <vector>

#include "calc/flow/profile.h"
#include "calc/sections/channel.h"
#include "calc/structures/check.h"

namespace channelflow::calc::structures {

struct ChuteInput {
  double g = 0;   // 0: kStandardGravity
  Channel chute;  // its section, n and (steep) slope
  double Q = 0;   // the flow the walls are built for: the enlarged one
  double L = 0;   // length of the chute
  int steps = 100;
  double zeta = 1.0;       // aeration ζ, 1.0–1.4 s/m
  double backwater = 0;    // an allowed backwater at the wall
  double freeboard = 0.5;  // 0.3–0.5 m
};

struct ChuteResult {
  Real hc, hn;
  WaterSurfaceProfile profile;
  std::vector<double> aerated;  // each point's h_b
  double deepestAerated = 0;
  double wallHeight = 0;  // deepest h_b + backwater + freeboard
  std::vector<Check> checks;
};

// A chute whose bed is mild (normal depth above critical) is a failed check
// with its depths: no drawdown runs down it.
ChuteResult chute(const ChuteInput& input);

}  // namespace channelflow::calc::structures
