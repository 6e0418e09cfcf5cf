// Readings (canal-line.md §15): N.2.3's sequent depth lacks a bracket in
// the copy; h'' = h'/2 (sqrt(1 + 8 q²/(g h'³)) - 1) (§11). N.2.5's other
// form (item 20) is not used. The basin's depth and the contracted depth
// depend on each other through E0 = P + d + H0: a few fixed-point steps.
#include "calc/structures/drop.h"

#include "calc/structures/bisection.h"
#include "calc/structures/flows.h"
#include "calc/toolkit/problem.h"
#include "numeric/elementary/elementary.h"

namespace channelflow::calc::structures {
namespace {

using numeric::sqrt;

struct Crest {
  Real Q, m;
};

Crest crestFlow(const DropInput& in, double g, const Real& H0) {
  const Real rootTwoG = sqrt(Real(g) + Real(g));
  const Real b(in.b);
  Crest c;
  Real width = b;
  switch (in.inlet) {
    case CrestInlet::Warped: c.m = Real(0.474) - Real(0.018) * b / H0; break;
    case CrestInlet::Splayed: c.m = Real(0.470) - Real(0.017) * b / H0; break;
    case CrestInlet::CrossWall: c.m = Real(0.402) - Real(0.008) * b / H0; break;
    case CrestInlet::Trapezoidal: {
      width = b + Real(0.8) * Real(in.crestSlope) * H0;
      const Real h1 = H0 - Real(in.alpha) * Real(in.v1) * Real(in.v1) / (Real(g) + Real(g));
      c.m = Real(0.508) - Real(0.034) * width / h1;
      break;
    }
  }
  c.Q = Real(in.epsilon) * c.m * width * rootTwoG * H0 * sqrt(H0);
  return c;
}

}  // namespace

DropResult drop(const DropInput& in) {
  DropResult r;
  r.g = gravityOf(in.g);
  require(in.Q > 0, MessageId::NotPositive, "Q");
  require(in.b > 0, MessageId::NotPositive, "b");
  require(in.P >= 0, MessageId::Negative, "P");
  require(in.tailwater >= 0, MessageId::Negative, "tailwater");
  if (!(in.phi > 0 && in.phi <= 1)) fail(MessageId::OutOfRange, "phi", {MessageArg::value(0), MessageArg::value(1)});
  // N.1.1's notch has side slopes of 0.25 to 1.0; beyond about 18.7 its m1 is
  // negative at every head, and no head passes the flow.
  if (in.inlet == CrestInlet::Trapezoidal && !(in.crestSlope >= 0.25 && in.crestSlope <= 1.0)) {
    fail(MessageId::OutOfRange, "crest-slope", {MessageArg::value(0.25), MessageArg::value(1.0)});
  }
  const double g = r.g;
  const Real velocityHead = Real(in.alpha) * Real(in.v1) * Real(in.v1) / (Real(g) + Real(g));
  // Q grows with H0 (m with it). The crest's m must stay positive: start
  // where it is, and above the approach's velocity head.
  auto excess = [&](const Real& H0) { return crestFlow(in, g, H0).Q - Real(in.Q); };
  // The step above the velocity head starts where the sum still holds it: a
  // narrower crest's b 2^-20 would vanish in it and never grow.
  Real step = Real(in.b) * 0x1p-20;
  if (step < velocityHead * 0x1p-80) step = velocityHead * 0x1p-80;
  Real lo = velocityHead + step;
  for (int k = 0; !(crestFlow(in, g, lo).m > Real(0)); ++k) {
    if (k > 4000) fail(MessageId::NoAnswer, "Q");
    step = step * 2;
    lo = velocityHead + step;
  }
  if (!(excess(lo) < Real(0))) fail(MessageId::NoAnswer, "Q");
  Real hi = lo * 2;
  while (excess(hi) < Real(0)) hi = hi * 2;
  r.H0 = bisectIncreasing(excess, lo, hi);
  r.m = crestFlow(in, g, r.H0).m;
  r.h1 = r.H0 - velocityHead;

  const Real width = in.basinWidth > 0 ? Real(in.basinWidth) : Real(in.b);
  r.q = Real(in.Q) / width;
  const Real ht(in.tailwater);
  Real d(0);
  for (int k = 0; k < 100; ++k) {
    r.E0 = Real(in.P) + d + r.H0;
    // h' = q / (φ sqrt(2g (E0 - h'))): the shallow root, from h' = 0.
    Real h(0);
    for (int j = 0; j < 200; ++j) {
      const Real next = r.q / (Real(in.phi) * sqrt((Real(g) + Real(g)) * (r.E0 - h)));
      const bool settled = numeric::abs(next - h) <= next * Real(0x1p-100);
      h = next;
      if (settled) break;
    }
    r.contracted = h;
    r.sequent = h * (sqrt(Real(1) + Real(8) * r.q * r.q / (Real(g) * h * h * h)) - Real(1)) / 2;
    Real next = Real(in.sigma) * r.sequent - ht;
    if (next < Real(0)) next = Real(0);
    const bool settled = numeric::abs(next - d) <= (next + Real(1)) * Real(0x1p-100);
    d = next;
    if (settled) break;
  }
  r.basinDepth = d;
  r.throwLength = Real(1.64) * sqrt(r.H0 * (Real(in.P) + Real(0.24) * r.H0));
  r.basinLengthLow = r.throwLength + Real(3.2) * r.sequent;
  r.basinLengthHigh = r.throwLength + Real(4.3) * r.sequent;
  using V = Compared;
  r.checks.push_back(atMost("drop-single-fall", "12.1.3", V{"P", Real(in.P)}, V{"most", Real(5)}));
  return r;
}

}  // namespace channelflow::calc::structures
