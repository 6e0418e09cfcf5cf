// Readings (canal-line.md §15): the free area above the design level is
// held to at least 10 % as a must and at most 30 % as the 宜 it is, a check
// of its own (item 17); the clear height is checked at the highest level,
// the enlarged flow's when there is one (§11.3.2); the inlet depth H of
// M.0.1 is the barrel's depth plus the inlet's drop.
#include "calc/structures/culvert.h"

#include "calc/flow/flow_state.h"
#include "calc/structures/conduit_flow.h"
#include "calc/toolkit/problem.h"
#include "numeric/elementary/elementary.h"

namespace channelflow::calc::structures {
namespace {

using numeric::sqrt;

Real rootTwoG(double g) { return sqrt(Real(g) + Real(g)); }

// The barrel as an open channel below its crown, and its full area.
struct Barrel {
  Channel channel;
  Real crown, fullArea;
};

Barrel barrelOf(const CulvertInput& in, double g) {
  require(in.D > 0, MessageId::NotPositive, "D");
  require(in.n > 0, MessageId::NotPositive, "n");
  require(in.i > 0, MessageId::NotPositive, "i");
  Barrel b;
  Channel& c = b.channel;
  c.roughness.n = Real(in.n);
  c.i = Real(in.i);
  c.g = g;
  b.crown = Real(in.D);
  switch (in.shape) {
    case CulvertShape::Rectangle:
      require(in.B > 0, MessageId::NotPositive, "B");
      c.shape = Trapezoid::withSlopes(0, 0);
      c.size = Real(in.B);
      b.fullArea = Real(in.B) * Real(in.D);
      break;
    case CulvertShape::Circle:
      c.shape = Circle{};
      c.size = Real(in.D);
      break;
    case CulvertShape::Arch:
      require(in.B > 0, MessageId::NotPositive, "B");
      c.size = Real(in.B);
      if (in.Ra > 0 && Real(in.Ra) < c.size / 2) {
        fail(MessageId::RoofNarrowerThanWidth, "Ra", {MessageArg::value(in.B / 2), MessageArg::unit("length", "si")});
      }
      c.shape = Arch::withWidth(in.D, in.Ra, in.B);
      if (const ArchRoof roof = archRoof(std::get<Arch>(c.shape), c.size); roof.wall < Real(0)) {
        fail(MessageId::RoofAboveCrown, "D",
             {MessageArg::value(roof.rise.toDouble()), MessageArg::unit("length", "si")});
      }
      break;
  }
  if (in.shape != CulvertShape::Rectangle) b.fullArea = geometry(c.shape, c.size, b.crown).A;
  return b;
}

}  // namespace

Real approachHead(const Real& H, const Real& v0, double g) { return H + Real(1.05) * v0 * v0 / (Real(g) + Real(g)); }

Real freeSurfaceCapacity(const Real& B, const Real& H0, const Real& hs, double m, double epsilon, double g) {
  const Real sigma = submergenceFactor(hs / H0, "h");
  return sigma * Real(epsilon) * Real(m) * B * rootTwoG(g) * H0 * sqrt(H0);
}

Real semiPressureCapacity(const SemiPressureInlet& inlet, const Real& A, const Real& H0, const Real& iL, const Real& D,
                          double g) {
  const Real head = H0 + iL - Real(inlet.beta1) * D;
  return head > Real(0) ? Real(inlet.m1) * A * rootTwoG(g) * sqrt(head) : Real(0);
}

Real freePressureCapacity(const Real& A, const Real& H0, const Real& iL, const Real& D, const Real& zetaSum,
                          const Real& friction, double g) {
  const Real head = H0 + iL - Real(0.85) * D;
  const Real m2 = Real(1) / sqrt(Real(1) + zetaSum + friction);
  return head > Real(0) ? m2 * A * rootTwoG(g) * sqrt(head) : Real(0);
}

Real submergedPressureCapacity(const Real& A, const Real& H0, const Real& iL, const Real& h, const Real& zetaSum,
                               const Real& friction, double g) {
  const Real head = H0 + iL - h;
  const Real m3 = Real(1) / sqrt(zetaSum + friction);
  return head > Real(0) ? m3 * A * rootTwoG(g) * sqrt(head) : Real(0);
}

CulvertResult culvert(const CulvertInput& in) {
  CulvertResult r;
  r.g = gravityOf(in.g);
  const std::vector<StructureFlow> flows = threeFlows(in.flows);
  require(in.L > 0, MessageId::NotPositive, "L");
  const Barrel barrel = barrelOf(in, r.g);
  r.fullArea = barrel.fullArea;
  r.leastClearHeight = leastClearHeight(in.shape, barrel.crown);
  const bool anyEnds = in.ends[0] || in.ends[1] || in.ends[2];
  if (anyEnds) {
    r.xi1 = transitionXi(TransitionFamily::Culvert, TransitionEnd::Inlet, in.inletTransition,
                         {"inlet-form", "xi1", "theta1"});
    r.xi2 = transitionXi(TransitionFamily::Culvert, TransitionEnd::Outlet, in.outletTransition,
                         {"outlet-form", "xi2", "theta2"});
  }
  using V = Compared;
  for (const StructureFlow& flow : flows) {
    CulvertFlow f;
    static_cast<BarrelFlow&>(f) = barrelFlow(barrel.channel, flow, barrel.crown, r.fullArea, Real(in.i) * Real(in.L),
                                             in.ends[static_cast<std::size_t>(flow.which)], r.xi1, r.xi2, r.g);
    f.inletDepth = f.h + f.Z1;
    f.regime = culvertRegime(f.inletDepth, f.h, barrel.crown);
    f.isLong = isLongCulvert(Real(in.L), f.inletDepth);
    r.flows.push_back(f);
  }
  const CulvertFlow& design = r.flows.front();
  const CulvertFlow& highest = r.flows.size() > 1 && r.flows[1].which == FlowCase::Enlarged ? r.flows[1] : design;
  r.checks.push_back(
      atLeast("culvert-free-area", "11.2.5-5", V{"free_area_pct", design.freeAreaPct}, V{"least", Real(10)}));
  r.checks.push_back(
      atMost("culvert-free-area-upper", "11.2.5-5", V{"free_area_pct", design.freeAreaPct}, V{"most", Real(30)}));
  r.checks.push_back(atLeast("culvert-clear-height", "Table 11.2.5", V{"free_height", highest.freeHeight},
                             V{"least", r.leastClearHeight}));
  bool free = true;
  for (const CulvertFlow& f : r.flows) free = free && f.carried && f.regime == CulvertRegime::FreeSurface;
  r.checks.push_back(
      {"culvert-free-surface",
       "8.2.5",
       free ? Verdict::Pass : Verdict::Fail,
       {V{"H", highest.inletDepth}, V{"1.2D", barrel.crown * Real(1.2)}, V{"h", highest.h}, V{"D", barrel.crown}}});
  return r;
}

}  // namespace channelflow::calc::structures
