// Readings (canal-line.md §15): §15.2.6 does not say at which flow the
// clearance holds; §15.2.5 sizes at the enlarged flow, so both the design
// and the enlarged flow are checked (item 16). The transitions borrow Table
// K.1.2, the standard giving tunnels none (§5.1). Practice's height ratio of
// an arch is 1.0–1.5 (条文说明 15.2.4 prints "1:1.5"); sizing takes 1.2
// unless told.
#include "calc/structures/tunnel.h"

#include <string>

#include "calc/structures/conduit_flow.h"
#include "calc/structures/rounding.h"
#include "calc/toolkit/problem.h"

namespace channelflow::calc::structures {
namespace {

void clearanceChecks(const TunnelFlow& f, std::vector<Check>& checks) {
  using V = Compared;
  const bool enlarged = f.which == FlowCase::Enlarged;
  Check area = atLeast(enlarged ? "tunnel-free-area-enlarged" : "tunnel-free-area", "15.2.6",
                       V{"free_area_pct", f.freeAreaPct}, V{"least", Real(15)});
  Check height = atLeast(enlarged ? "tunnel-clear-height-enlarged" : "tunnel-clear-height", "15.2.6",
                         V{"free_height", f.freeHeight}, V{"least", Real(0.4)});
  if (!f.carried) {
    area.verdict = height.verdict = Verdict::Fail;
    area.numbers.push_back(V{"Q", f.Q});
    area.numbers.push_back(V{"Qmax", f.QMax});
  }
  checks.push_back(std::move(area));
  checks.push_back(std::move(height));
}

}  // namespace

TunnelResult tunnel(const TunnelInput& in) {
  TunnelResult r;
  r.g = gravityOf(in.g);
  const std::vector<StructureFlow> flows = threeFlows(in.flows);
  require(isClosed(in.section.shape), MessageId::TunnelNotClosed, "section");
  require(in.L > 0, MessageId::NotPositive, "L");
  Channel section = in.section;
  section.g = r.g;
  r.crown = crownDepth(section.shape, section.size);
  r.fullArea = geometry(section.shape, section.size, r.crown).A;
  const bool anyEnds = in.ends[0] || in.ends[1] || in.ends[2];
  if (anyEnds) {
    r.xi1 = transitionXi(TransitionFamily::Aqueduct, TransitionEnd::Inlet, in.inletTransition,
                         {"inlet-form", "xi1", "theta1"});
    r.xi2 = transitionXi(TransitionFamily::Aqueduct, TransitionEnd::Outlet, in.outletTransition,
                         {"outlet-form", "xi2", "theta2"});
  }
  for (const StructureFlow& flow : flows) {
    const TunnelFlow f = barrelFlow(section, flow, r.crown, r.fullArea, section.i * Real(in.L),
                                    in.ends[static_cast<std::size_t>(flow.which)], r.xi1, r.xi2, r.g);
    if (f.which != FlowCase::Minimum) clearanceChecks(f, r.checks);
    r.flows.push_back(f);
  }
  return r;
}

TunnelSizing sizeTunnel(TunnelInput in, TunnelShape shape, double heightRatio, int horseshoeType) {
  if (shape == TunnelShape::Arch && !(heightRatio > 0)) fail(MessageId::NotPositive, "ratio");
  if (shape == TunnelShape::Horseshoe && horseshoeType != 1 && horseshoeType != 2) {
    fail(MessageId::UnknownHorseshoeType, "type", {MessageArg::literal(std::to_string(horseshoeType))});
  }
  auto withSize = [&](double size) {
    TunnelInput trial = in;
    Channel& c = trial.section;
    c.size = Real(size);
    if (shape == TunnelShape::Circle) c.shape = Circle{};
    if (shape == TunnelShape::Arch) c.shape = Arch::withWidth(heightRatio * size, 0, size);
    if (shape == TunnelShape::Horseshoe) c.shape = Horseshoe{horseshoeType};
    return trial;
  };
  // Every check the sizing answers to, at the design and enlarged flows.
  auto passes = [&](double size) {
    TunnelInput trial = withSize(size);
    trial.ends = {};
    trial.flows.Qmin = 0;
    const TunnelResult r = tunnel(trial);
    for (const Check& check : r.checks) {
      if (check.verdict == Verdict::Fail) return false;
    }
    return true;
  };
  double least = shape == TunnelShape::Circle ? 2.0 : shape == TunnelShape::Horseshoe ? 1.0 : 1.8;
  if (shape == TunnelShape::Arch && heightRatio * least < 2.0) least = 2.0 / heightRatio;
  double lo = least, hi = least;
  if (!passes(least)) {
    while (!passes(hi)) {
      lo = hi;
      hi *= 2;
      if (hi > 1e3) fail(MessageId::NoAnswer, "Q");
    }
    for (int k = 0; k < 60 && hi - lo > hi * 0x1p-40; ++k) {
      const double mid = 0.5 * (lo + hi);
      (passes(mid) ? hi : lo) = mid;
    }
  }
  TunnelSizing s;
  s.adopted = roundUp(Real(hi), RoundingRule::Decimetre, "size");
  if (shape == TunnelShape::Arch) s.height = roundUp(Real(heightRatio) * Real(s.adopted), RoundingRule::Decimetre, "H");
  TunnelInput adopted = withSize(s.adopted);
  if (shape == TunnelShape::Arch) adopted.section.shape = Arch::withWidth(s.height, 0, s.adopted);
  s.result = tunnel(adopted);
  return s;
}

}  // namespace channelflow::calc::structures
