// A line of nodes in station order, and what lies between each two: the
// chain that canal lines and river reaches are marched along.
#pragma once

#include <vector>

#include "calc/line/link.h"
#include "calc/line/node.h"

namespace channelflow::calc {

struct Chain {
  std::vector<Node> nodes;
  std::vector<Links> gaps;  // gaps[k] lies between nodes[k] and nodes[k + 1]
};

// One discharge along the chain: each node's (a flow may change at a node),
// and the critical depths there, each a least of the specific energy, that
// part its subcritical stretches (above each) from its supercritical ones.
struct NodeCritical {
  bool found = false;        // false: the least specific energy lies above the section's top
  std::vector<Real> depths;  // every critical depth, shallowest first
  Real least;                // of least specific energy: taken where a branch has no answer
};

struct FlowAlong {
  std::vector<Real> Q;                  // per node
  std::vector<NodeCritical> critical;   // per node
};

// Each node's critical depths for its discharge.
FlowAlong flowAlong(const Chain& chain, std::vector<Real> Q);

}  // namespace channelflow::calc
