#include "calc/structures/gate.h"

#include "calc/structures/bisection.h"
#include "calc/structures/culvert.h"
#include "calc/structures/flows.h"
#include "calc/toolkit/problem.h"
#include "numeric/elementary/elementary.h"

namespace channelflow::calc::structures {
namespace {

void checkOpening(const GateOpening& o) {
  require(o.B > 0, MessageId::NotPositive, "B");
  require(o.m > 0, MessageId::NotPositive, "m");
  require(o.v0 >= 0, MessageId::Negative, "v0");
}

// Q at total head H0 over the downstream depth h_s.
GateFlow atHead(const GateOpening& o, double g, const Real& H0, const Real& hs) {
  GateFlow f;
  f.H0 = H0;
  f.ratio = hs / H0;
  f.sigma = submergenceFactor(f.ratio, "hs");
  f.submerged = f.sigma < Real(1);
  f.Q = f.sigma * Real(o.m) * Real(o.B) * numeric::sqrt(Real(g) + Real(g)) * H0 * numeric::sqrt(H0);
  f.H = H0 - (approachHead(Real(0), Real(o.v0), g));
  f.loss = f.H - hs;
  return f;
}

}  // namespace

GateFlow gateFlow(const GateOpening& o, double H, double hs) {
  checkOpening(o);
  require(H > 0, MessageId::NotPositive, "H");
  require(hs >= 0, MessageId::Negative, "hs");
  const double g = gravityOf(o.g);
  return atHead(o, g, approachHead(Real(H), Real(o.v0), g), Real(hs));
}

GateFlow gateHead(const GateOpening& o, double Q, double hs) {
  checkOpening(o);
  require(Q > 0, MessageId::NotPositive, "Q");
  require(hs >= 0, MessageId::Negative, "hs");
  const double g = gravityOf(o.g);
  const Real depth(hs);
  // From the last row of Table M.0.3-1 upward: Q grows with H0. Over a dry
  // sill (h_s = 0) the flow is free at any head: from a head carrying far less.
  const Real lowest = depth > Real(0) ? depth / Real(0.998) : Real(0);
  auto excess = [&](const Real& H0) { return atHead(o, g, H0, depth).Q - Real(Q); };
  if (lowest > Real(0) && excess(lowest) > Real(0)) {  // the head would lie closer to h_s than the table's last row
    fail(MessageId::TableRange, "Q",
         {MessageArg::literal("h_s/H0 > 0.998"), MessageArg::literal("M.0.3-1"), MessageArg::value(0),
          MessageArg::value(0.998)});
  }
  Real lo = lowest;
  if (!(lo > Real(0))) {
    lo = Real(1);
    while (excess(lo) > Real(0)) lo = lo / 2;
  }
  Real hi = lo * 2;
  while (excess(hi) < Real(0)) hi = hi * 2;
  return atHead(o, g, bisectIncreasing(excess, lo, hi), depth);
}

}  // namespace channelflow::calc::structures
