// The water surface along a chain for one discharge: marched upstream from
// a known depth at its downstream end (subcritical), downstream from one at
// its upstream end (supercritical), or both, with the hydraulic jumps where
// the specific force of the two profiles balances (mixed). A node where a
// branch has no answer takes its critical depth and says so; one the march
// cannot reach says why; nothing is silently replaced.
#pragma once

#include <optional>
#include <vector>

#include "calc/line/chain.h"
#include "calc/toolkit/problem.h"

namespace channelflow::calc {

struct NodeDepth {
  bool known = false;
  Real h;
  bool critical = false;         // its branch had no answer: the critical depth of least energy
  std::optional<Problem> note;   // why, or why it has no depth
};

// Each node's subcritical depth, from the depth at the last node.
std::vector<NodeDepth> marchUpstream(const Chain& chain, const FlowAlong& flow, const Real& last);
// Each node's supercritical depth, from the depth at the first node.
std::vector<NodeDepth> marchDownstream(const Chain& chain, const FlowAlong& flow, const Real& first);

// A jump between node `before` and the next: the supercritical depth there,
// the subcritical one at the next, and where between them the two profiles'
// specific forces balance, as a share of the way from `before`.
struct Jump {
  std::size_t before = 0;
  Real share;
};

struct Surface {
  std::vector<NodeDepth> nodes;
  std::vector<Jump> jumps;
};

// Both profiles, each node taking the one of greater specific force: the
// supercritical from `first` where it is given, restarted downstream of
// every node where the subcritical one passes through critical depth.
Surface mixedSurface(const Chain& chain, const FlowAlong& flow, const std::optional<Real>& first,
                     const std::optional<Real>& last);

// Q^2 / (g A) + A ybar at node k's depth h.
Real specificForce(const Node& node, const Real& Q, const Real& h);

}  // namespace channelflow::calc
