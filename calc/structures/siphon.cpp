// Readings (canal-line.md §15):
// - L.1.6: the full scan prints ΔZ1 + ΔZ2 + ΔZ3; §10.3.5, the siphon
//   appendix's own scan and the handbook subtract the recovery ΔZ3 (item 1).
// - L.1.5 is taken in its consistent form μ = 1/sqrt(Σζ + Σ 2gL/(C²R) + 1 -
//   (ω/ω2)²), ω2 the area at the end of the inlet transition (item 3): with
//   the flow's own ΔZ2 it returns the flow exactly.
// - A gate slot's or the rack's (ω/ω_i)² takes the area at the slot or rack
//   when given (the handbook's example uses the ratio of chamber depths
//   instead); the area used is the one stated (item 25).
// - A box barrel's bend ratio R/D0 takes D0 as its hydraulic diameter 4R
//   (its side for a square box).
// - The transitions take the |Δv²| form of §5.4, which equals L.1.2-2 and
//   L.1.3-2 wherever the flow speeds up into the barrels and slows out of
//   them (item 8).
// - The capacity check is made at the design flow against the allocated
//   head (§10.3.6's logic); practice carries the enlarged flow's ΔZ in the
//   chain (item 14), which every flow's ΔZ here lets a caller do.
// - L.1.1's non-silting formula mixes units it does not state (item 23):
//   the non-silting velocity is given, not computed.
// - Submergence (§10.3.7-1, 条文说明 10.3.7): at the minimum flow (else the
//   smallest computed) the level at the end of the inlet transition must
//   stand above the inlet crown, and the level at the barrels' outlet at
//   least v²/g above the outlet crown.
#include "calc/structures/siphon.h"

#include <string>

#include "calc/flow/flow_state.h"
#include "calc/flow/uniform_solvers.h"
#include "calc/structures/table_lookup.h"
#include "calc/toolkit/problem.h"
#include "numeric/elementary/elementary.h"

namespace channelflow::calc::structures {
namespace {

using numeric::cbrt;
using numeric::sqrt;

Real square(const Real& x) { return x * x; }

Real radians(double degrees) { return Real(degrees) * Real(numeric::kPi) / 180; }

// x^(4/3) = x cbrt(x).
Real fourThirds(const Real& x) { return x * cbrt(x); }

struct Barrel {
  Real area, perimeter, R, C, D0;
};

Barrel barrelOf(const SiphonInput& in) {
  const bool box = in.B > 0 || in.H > 0;
  if (box && in.D > 0) fail(MessageId::EitherInput, "D", {MessageArg::field("D"), MessageArg::field("B")});
  if (!box && !(in.D > 0)) fail(MessageId::MissingInput, "D");
  Barrel b;
  if (box) {
    require(in.B > 0, MessageId::NotPositive, "B");
    require(in.H > 0, MessageId::NotPositive, "H");
    b.area = Real(in.B) * Real(in.H);
    b.perimeter = (Real(in.B) + Real(in.H)) * 2;
  } else {
    b.area = Real(numeric::kPi) * square(Real(in.D)) / 4;
    b.perimeter = Real(numeric::kPi) * Real(in.D);
  }
  b.R = b.area / b.perimeter;
  b.C = cbrt(sqrt(b.R)) / Real(in.n);  // R^(1/6) / n
  b.D0 = box ? b.R * 4 : Real(in.D);
  return b;
}

std::string entranceKeys() {
  std::string keys;
  for (const EntranceForm& form : entranceForms()) keys += (keys.empty() ? "" : ", ") + std::string(form.key);
  return keys;
}

Real entranceZeta(const SiphonInput& in) {
  const bool typed = !std::isnan(in.inletZeta);
  if (in.entrance.empty()) {
    if (!typed) fail(MessageId::MissingInput, "inlet-zeta");
    require(in.inletZeta >= 0, MessageId::Negative, "inlet-zeta");
    return Real(in.inletZeta);
  }
  const EntranceForm* form = findEntranceForm(in.entrance);
  if (form == nullptr) {
    fail(MessageId::UnknownForm, "entrance",
         {MessageArg::literal(in.entrance), MessageArg::literal("L.1.4-2"), MessageArg::literal(entranceKeys())});
  }
  if (form->zeta.low == form->zeta.high) {
    if (typed)
      fail(MessageId::EitherInput, "inlet-zeta", {MessageArg::field("entrance"), MessageArg::field("inlet-zeta")});
    return Real(form->zeta.low);
  }
  if (!typed) {
    fail(MessageId::RangedFormNeedsXi, "inlet-zeta",
         {MessageArg::literal(in.entrance), MessageArg::value(form->zeta.low), MessageArg::value(form->zeta.high)});
  }
  requireInTable(Real(in.inletZeta), form->zeta.low, form->zeta.high, {"L.1.4-2", "inlet-zeta"});
  return Real(in.inletZeta);
}

// The area ratio (ω/ω_i)^2 of a loss acting at area ω_i (0: the barrel's own).
Real areaFactor(const Real& barrel, double at, const char* field) {
  if (at == 0) return Real(1);
  require(at > 0, MessageId::NotPositive, field);
  return square(barrel / Real(at));
}

void requireShapeFactor(double beta, const char* field) {
  for (double printed : rackShapeFactors()) {
    if (beta == printed) return;
  }
  fail(MessageId::ValueNotInTable, field,
       {MessageArg::value(beta), MessageArg::literal("L.1.4-1"),
        MessageArg::literal("2.42, 1.83, 1.79, 1.67, 1.04, 0.92, 0.76")});
}

Real rackZeta(const Rack& rack, const Real& barrel) {
  requireShapeFactor(rack.beta, "rack");
  require(rack.s > 0, MessageId::NotPositive, "rack");
  require(rack.b > 0, MessageId::NotPositive, "rack");
  if (!(rack.angle > 0 && rack.angle <= 90))
    fail(MessageId::OutOfRange, "rack", {MessageArg::value(0), MessageArg::value(90)});
  Real bars = Real(rack.beta) * fourThirds(Real(rack.s) / Real(rack.b));
  if (rack.pierBeta > 0) {
    requireShapeFactor(rack.pierBeta, "rack");
    require(rack.pierS > 0 && rack.pierB > 0, MessageId::NotPositive, "rack");
    bars += Real(rack.pierBeta) * fourThirds(Real(rack.pierS) / Real(rack.pierB));
  }
  return bars * numeric::sin(radians(rack.angle)) * areaFactor(barrel, rack.area, "rack");
}

SiphonZeta zetaOf(const SiphonInput& in, const Barrel& barrel) {
  SiphonZeta z;
  z.inlet = entranceZeta(in);
  require(in.gateSlots >= 0, MessageId::Negative, "gate-slots");
  require(in.slotZeta >= 0, MessageId::Negative, "slot-zeta");
  z.slots = Real(in.gateSlots) * Real(in.slotZeta) * areaFactor(barrel.area, in.slotArea, "slot-area");
  z.rack = in.rack ? rackZeta(*in.rack, barrel.area) : Real(0);
  for (std::size_t k = 0; k < in.bends.size(); ++k) {
    const Bend& bend = in.bends[k];
    const int item = static_cast<int>(k) + 1;
    require(bend.R > 0, MessageId::NotPositive, "bend");
    BendTerm term;
    term.ratio = Real(bend.R) / barrel.D0;
    term.gamma = bendAngleFactor(Real(bend.angle), "bend", item);
    term.xi90 = bendCoefficient90(term.ratio, "bend", item);
    term.zeta = term.gamma * term.xi90;
    z.bends += term.zeta;
    z.eachBend.push_back(term);
  }
  const bool typedOutlet = !std::isnan(in.outletZeta);
  if (typedOutlet && in.outletRatio > 0) {
    fail(MessageId::EitherInput, "outlet-zeta", {MessageArg::field("outlet-ratio"), MessageArg::field("outlet-zeta")});
  }
  if (typedOutlet) {
    require(in.outletZeta >= 0, MessageId::Negative, "outlet-zeta");
    z.outlet = Real(in.outletZeta);
  } else {
    if (!(in.outletRatio > 0)) fail(MessageId::MissingInput, "outlet-ratio");
    z.outlet = outletCoefficient(Real(in.outletRatio), in.outletRule, "outlet-ratio");
  }
  require(in.bypasses >= 0, MessageId::Negative, "bypass");
  z.bypass = Real(in.bypasses) * Real(0.1);
  z.sum = z.inlet + z.slots + z.rack + z.bends + z.outlet + z.bypass;
  return z;
}

SiphonFlow flowThrough(const SiphonInput& in, const SiphonResult& r, const StructureFlow& flow,
                       const std::optional<SiphonEnds>& ends) {
  const double g = r.g;
  const Real twoG = Real(g) + Real(g);
  SiphonFlow f;
  f.which = flow.which;
  f.Q = flow.Q;
  f.q = flow.Q / Real(r.barrels);
  f.v = f.q / r.area;
  f.velocityHead = f.v * f.v / twoG;
  f.friction = twoG * Real(in.L) / (r.C * r.C * r.R);
  f.hf = f.friction * f.velocityHead;
  f.hj = r.zeta.sum * f.velocityHead;
  f.z = f.hf + f.hj;
  Real omegaRatio(0);  // ω/ω2 = v2/v
  if (ends) {
    f.hasEnds = true;
    f.v1 = Real(ends->v1);
    f.v2 = Real(ends->v2);
    f.v3 = Real(ends->v3);
    f.dZ1 = transitionDrop(f.v1, f.v2, r.xi1, g).drop;
    f.dZ2 = f.z + (f.v - f.v2) * (f.v + f.v2) / twoG;
    f.dZ3 = -transitionDrop(f.v, f.v3, r.xi2, g).drop;
    f.dZ = f.dZ1 + f.dZ2 - f.dZ3;
    omegaRatio = f.v2 / f.v;
    if (!std::isnan(ends->hu)) f.hu = Real(ends->hu);
    if (!std::isnan(ends->hd)) f.hd = Real(ends->hd);
  }
  f.mu = Real(1) / sqrt(r.zeta.sum + f.friction + 1 - omegaRatio * omegaRatio);
  return f;
}

void addChecks(const SiphonInput& in, SiphonResult& r) {
  using V = Compared;
  const SiphonFlow& design = r.flows.front();
  r.checks.push_back(
      within("siphon-velocity", "10.3.2", V{"v", design.v}, V{"v_low", Real(1.5)}, V{"v_high", Real(2.5)}));

  const SiphonFlow* minimum = nullptr;
  for (const SiphonFlow& f : r.flows) {
    if (f.which == FlowCase::Minimum) minimum = &f;
  }
  if (minimum && !std::isnan(in.vnp)) {
    r.checks.push_back(atLeast("siphon-non-silting", "10.3.2", V{"v_min", minimum->v}, V{"v_np", Real(in.vnp)}));
  } else {
    r.checks.push_back(notApplicable("siphon-non-silting", "10.3.2"));
  }

  // L.1.5 at the head allocated: what is left for the barrels once the inlet
  // transition has taken its drop and the outlet given its recovery.
  if (!std::isnan(in.allowedHead) && design.hasEnds) {
    const Real head = Real(in.allowedHead) - design.dZ1 + design.dZ3;
    const Real twoG = Real(r.g) + Real(r.g);
    const Real capacity = head > Real(0) ? Real(r.barrels) * design.mu * r.area * sqrt(twoG * head) : Real(0);
    Check check = atLeast("siphon-capacity", "L.1.5", V{"Q_capacity", capacity}, V{"Q", design.Q});
    check.numbers.insert(check.numbers.end(), {V{"mu", design.mu}, V{"dZ2_available", head}, V{"dZ", design.dZ},
                                               V{"dZ_allowed", Real(in.allowedHead)}});
    r.checks.push_back(std::move(check));
  } else {
    r.checks.push_back(notApplicable("siphon-capacity", "L.1.5", {V{"mu", design.mu}}));
  }

  // Submergence at the smallest flow computed.
  const SiphonFlow& low = minimum ? *minimum : r.flows.back();
  if (!std::isnan(in.inletCrown) && low.upstreamLevel) {
    const Real over = *low.upstreamLevel - low.dZ1 - Real(in.inletCrown);
    r.checks.push_back(atLeast("siphon-inlet-submerged", "10.3.7", V{"submergence", over}, V{"least", Real(0)}));
  } else {
    r.checks.push_back(notApplicable("siphon-inlet-submerged", "10.3.7"));
  }
  if (!std::isnan(in.outletCrown) && low.downstreamLevel) {
    const Real over = *low.downstreamLevel - low.dZ3 - Real(in.outletCrown);
    const Real least = low.v * low.v / Real(r.g);
    r.checks.push_back(atLeast("siphon-outlet-submerged", "10.3.7", V{"submergence", over}, V{"v2_g", least}));
  } else {
    r.checks.push_back(notApplicable("siphon-outlet-submerged", "10.3.7"));
  }
}

Real normalDepth(const Channel& c, const Real& Q) { return normalDepths(c, Q).front(); }

}  // namespace

SiphonEnds endsFromCanals(const Channel& up, const Channel& down, double chamberWidth, const Real& Q, const Real& xi1,
                          double g) {
  SiphonEnds ends;
  const Real hu = normalDepth(up, Q);
  const Real hd = normalDepth(down, Q);
  const Real v1 = Q / geometry(up.shape, up.size, hu).A;
  const Real v3 = Q / geometry(down.shape, down.size, hd).A;
  Real v2 = v1;
  if (chamberWidth > 0) {
    // The chamber's depth is the canal's less the inlet's drop, which the
    // chamber's own velocity sets: a contraction, converging in a few steps.
    Real depth = hu;
    for (int k = 0; k < 60; ++k) {
      v2 = Q / (Real(chamberWidth) * depth);
      const Real next = hu - transitionDrop(v1, v2, xi1, g).drop;
      require(next > Real(0), MessageId::ChamberDrained, "chamber-width");
      const bool settled = numeric::abs(next - depth) <= depth * Real(0x1p-100);
      depth = next;
      if (settled) break;
    }
    v2 = Q / (Real(chamberWidth) * depth);
  }
  ends.v1 = v1.toDouble();
  ends.v2 = v2.toDouble();
  ends.v3 = v3.toDouble();
  ends.hu = hu.toDouble();
  ends.hd = hd.toDouble();
  return ends;
}

SiphonResult siphon(const SiphonInput& in) {
  SiphonResult r;
  r.g = gravityOf(in.g);
  const std::vector<StructureFlow> flows = threeFlows(in.flows);
  require(in.barrels >= 1, MessageId::NotPositive, "barrels");
  require(in.L > 0, MessageId::NotPositive, "L");
  require(in.n > 0, MessageId::NotPositive, "n");
  r.barrels = in.barrels;
  const Barrel barrel = barrelOf(in);
  r.area = barrel.area;
  r.perimeter = barrel.perimeter;
  r.R = barrel.R;
  r.C = barrel.C;
  r.zeta = zetaOf(in, barrel);
  const bool canals = in.upstreamCanal && in.downstreamCanal;
  const bool anyEnds = canals || in.ends[0] || in.ends[1] || in.ends[2];
  if (anyEnds) {
    r.xi1 = transitionXi(TransitionFamily::Siphon, TransitionEnd::Inlet, in.inletTransition,
                         {"inlet-form", "xi1", "theta1"});
    r.xi2 = transitionXi(TransitionFamily::Siphon, TransitionEnd::Outlet, in.outletTransition,
                         {"outlet-form", "xi2", "theta2"});
  }
  for (const StructureFlow& flow : flows) {
    std::optional<SiphonEnds> ends = in.ends[static_cast<std::size_t>(flow.which)];
    if (!ends && canals)
      ends = endsFromCanals(*in.upstreamCanal, *in.downstreamCanal, in.chamberWidth, flow.Q, r.xi1, r.g);
    r.flows.push_back(flowThrough(in, r, flow, ends));
  }
  const SiphonFlow& design = r.flows.front();
  if (!std::isnan(in.upstreamBed) && design.hasEnds && design.hu && design.hd) {
    r.outletBed = Real(in.upstreamBed) + *design.hu - *design.hd - design.dZ;
    for (SiphonFlow& f : r.flows) {
      if (f.hu) f.upstreamLevel = Real(in.upstreamBed) + *f.hu;
      if (f.hd) f.downstreamLevel = *r.outletBed + *f.hd;
    }
  }
  addChecks(in, r);
  return r;
}

SiphonSizing sizeSiphon(SiphonInput in, double trialVelocity, RoundingRule rule) {
  if (!(trialVelocity > 0)) fail(MessageId::NotPositive, "v-trial");
  require(in.flows.Q > 0, MessageId::NotPositive, "Q");
  require(in.barrels >= 1, MessageId::NotPositive, "barrels");
  SiphonSizing s;
  s.area = Real(in.flows.Q) / (Real(in.barrels) * Real(trialVelocity));
  s.diameter = sqrt(s.area * 4 / Real(numeric::kPi));
  s.adopted = roundUp(s.diameter, rule, "D");
  in.D = s.adopted;
  in.B = in.H = 0;
  s.result = siphon(in);
  return s;
}

}  // namespace channelflow::calc::structures
