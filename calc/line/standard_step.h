// One step of the standard-step method: the depth at a node whose head
// balances that of its known neighbour across the links between them,
//   bed_u + h_u + alpha_u v_u^2/2g = bed_d + h_d + alpha_d v_d^2/2g + sum of losses,
// upstream on the subcritical branch, downstream on the supercritical one.
// A surveyed section's specific energy may have several leasts (its critical
// depths), each the foot of a subcritical stretch: the subcritical depth is
// sought above the deepest critical depth at which the head falls short, and
// below the next one up; the supercritical depth below the shallowest at
// which it is to spare, above the next one down.
#pragma once

#include "calc/line/chain.h"

namespace channelflow::calc {

enum class StepEnd : std::uint8_t {
  Found,       // the branch's depth
  NoBranch,    // the branch has no depth that balances: critical flow stands here
  AboveTop,    // the depth that balances lies above the section's top (a survey's lower end)
  NoCritical,  // the section has no critical depth within it, and so no subcritical branch
};

struct StepResult {
  StepEnd end = StepEnd::Found;
  Real h;  // Found: the depth; NoBranch: the critical depth of least energy
};

// Node k's subcritical depth from node k + 1's known state; the search
// starts from `guess` where one is given (a canal's depth that changes little
// from node to node), else from the depth that keeps the known level.
StepResult stepUpstream(const Chain& chain, const FlowAlong& flow, std::size_t k, const Hydraulics<Real>& known,
                        double guess = 0);
// Node k + 1's supercritical depth from node k's known state.
StepResult stepDownstream(const Chain& chain, const FlowAlong& flow, std::size_t k, const Hydraulics<Real>& known);

}  // namespace channelflow::calc
