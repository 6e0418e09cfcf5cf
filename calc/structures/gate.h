// The check gate (节制闸) as a water-surface chain needs it: a typed loss,
// or with its gates open a submerged broad-crested weir (条文说明 14.2.2),
// Q = σ m B sqrt(2g) H0^(3/2), σ from Table M.0.3-1 at h_s/H0.
#pragma once

#include "numeric/elementary/real.h"

namespace channelflow::calc::structures {

using numeric::Real;

// The standard gives a gate no loss (canal-line.md §15 item 22): both real
// workbooks type 0.05 m; a tool's default is 0.10 m.
inline constexpr double kDefaultGateLoss = 0.10;

struct GateOpening {
  double B = 0;   // net width of the bays
  double m = 0;   // discharge coefficient of the sill
  double v0 = 0;  // approach velocity
  double g = 0;   // 0: kStandardGravity
};

struct GateFlow {
  Real H0;     // H + α v0^2/2g, α = 1.05
  Real ratio;  // h_s/H0
  Real sigma;  // 1 while h_s/H0 <= 0.72: free flow
  bool submerged = false;
  Real Q;
  Real H;     // the upstream depth over the sill
  Real loss;  // H - h_s: the level's fall across the gate
};

// The flow through the opening with depth H upstream and h_s downstream over the sill.
GateFlow gateFlow(const GateOpening& opening, double H, double hs);

// The upstream depth that passes Q over the downstream depth h_s. A flow
// so small that h_s/H0 would pass Table M.0.3-1's last row (0.998) is
// refused: the table says nothing there.
GateFlow gateHead(const GateOpening& opening, double Q, double hs);

}  // namespace channelflow::calc::structures
