// The siphon's calculation report (计算书), in the order an engineer checks
// it: the data, the barrel and its friction factor, the local coefficients
// term by term, each flow's losses and levels, the outlet bed, the checks.
#include "calc/questions/siphon_question.h"
#include "calc/questions/structure_report.h"
#include "calc/structures/siphon_tables.h"

namespace channelflow::calc {
namespace {

using namespace structures;
using enum TextId;

void data(ReportBuilder& r, const SiphonQuestion& q, const SiphonResult& s, const std::optional<SiphonSizing>& sizing) {
  const SiphonInput& in = q.input;
  r.title(SiphonTitle);
  r.heading(HeadingData);
  std::vector<Real> Q;
  for (const SiphonFlow& f : s.flows) Q.push_back(f.Q);
  r.flows(in.flows, Q, s.g);
  if (sizing) {
    r.step(SiphonTrialArea, {value(q.trialVelocity), value(in.flows.Q), value(s.barrels), value(sizing->area),
                             value(sizing->diameter)});
    r.step(SiphonAdopted, {value(sizing->adopted),
                           MessageArg::term(q.rounding == RoundingRule::PrestressedPipe ? "prestressed" : "practice")});
  }
  if (in.B > 0) {
    r.step(SiphonBarrelsBox, {value(s.barrels), value(in.B), value(in.H), value(in.L), value(in.n)});
  } else {
    r.step(SiphonBarrelsCircle, {value(s.barrels), value(sizing ? sizing->adopted : in.D), value(in.L), value(in.n)});
  }
}

void barrel(ReportBuilder& r, const SiphonQuestion& q, const SiphonResult& s, double D) {
  const SiphonInput& in = q.input;
  r.heading(SiphonHeadingBarrel);
  if (in.B > 0) {
    r.step(SiphonAreaBox, {value(in.B), value(in.H), value(s.area), value(s.perimeter), value(s.R)});
  } else {
    r.step(SiphonAreaCircle, {value(D), value(s.area), value(s.perimeter), value(s.R)});
  }
  r.step(SiphonChezy, {value(s.R), value(in.n), value(s.C)});
  r.step(SiphonFriction, {value(s.g), value(in.L), value(s.C), value(s.R), value(s.flows.front().friction)});
}

void entrance(ReportBuilder& r, const SiphonInput& in, const Real& zeta) {
  const EntranceForm* form = in.entrance.empty() ? nullptr : findEntranceForm(in.entrance);
  if (form == nullptr) {
    r.step(ZetaEntranceGiven, {value(zeta), MessageArg::field("inlet-zeta")});
    return;
  }
  const MessageArg name = MessageArg::words(form->name.chinese, form->name.english);
  if (form->zeta.low == form->zeta.high) {
    r.step(ZetaEntranceForm, {name, value(zeta)});
  } else {
    r.step(ZetaEntranceRanged, {name, value(form->zeta.low), value(form->zeta.high), value(zeta)});
  }
}

void coefficients(ReportBuilder& r, const SiphonInput& in, const SiphonResult& s) {
  const SiphonZeta& z = s.zeta;
  r.heading(SiphonHeadingZeta);
  entrance(r, in, z.inlet);
  if (in.gateSlots > 0) {
    const Real factor = in.slotArea > 0 ? (s.area / Real(in.slotArea)) * (s.area / Real(in.slotArea)) : Real(1);
    r.step(StepZetaSlots, {value(in.gateSlots), value(in.slotZeta), value(factor), value(z.slots)});
  }
  if (in.rack) {
    r.step(StepZetaRack, {value(in.rack->beta), value(in.rack->s), value(in.rack->b), value(in.rack->angle), value(z.rack)});
  }
  for (std::size_t k = 0; k < in.bends.size(); ++k) {
    const BendTerm& t = z.eachBend[k];
    r.step(ZetaBend, {value(static_cast<double>(k + 1)), value(in.bends[k].R), value(in.bends[k].angle), value(t.ratio),
                      value(t.xi90), value(t.gamma), value(t.zeta)});
  }
  if (in.bends.size() > 1) r.step(ZetaBendsSum, {value(z.bends)});
  if (!std::isnan(in.outletZeta)) {
    r.step(ZetaOutletGiven, {value(z.outlet), MessageArg::field("outlet-zeta")});
  } else if (in.outletRule == OutletRule::SuddenExpansion) {
    r.step(ZetaOutletExpansion, {value(in.outletRatio), value(z.outlet)});
  } else {
    r.step(ZetaOutletTable, {value(in.outletRatio), value(z.outlet)});
  }
  if (in.bypasses > 0) r.step(StepZetaBypass, {value(in.bypasses), value(z.bypass)});
  r.step(ZetaSumStep, {value(z.inlet), value(z.slots), value(z.rack), value(z.bends), value(z.outlet), value(z.bypass),
                       value(z.sum)});
  if (s.flows.front().hasEnds || s.flows.back().hasEnds) {
    r.transition("ξ1", TransitionEnd::Inlet, s.xi1, in.inletTransition, TransitionFamily::Siphon, "xi1");
    r.transition("ξ2", TransitionEnd::Outlet, s.xi2, in.outletTransition, TransitionFamily::Siphon, "xi2");
  }
}

void flow(ReportBuilder& r, const SiphonQuestion& q, const SiphonResult& s, const SiphonFlow& f) {
  const MessageArg g = value(s.g);
  r.flowHeading(f.which, f.Q);
  r.step(SiphonVelocity, {value(f.Q), value(s.barrels), value(s.area), value(f.v), g, value(f.velocityHead)});
  r.step(SiphonHf, {value(f.friction), value(f.velocityHead), value(f.hf)});
  r.step(SiphonHj, {value(s.zeta.sum), value(f.velocityHead), value(f.hj)});
  r.step(SiphonZ, {value(f.hf), value(f.hj), value(f.z)});
  if (!f.hasEnds) {
    r.step(SiphonMuNoEnds, {value(s.zeta.sum), value(f.friction), value(f.mu)});
    r.note(StructureNoEnds, {MessageArg::field("v1"), MessageArg::field("v3"), MessageArg::field("upstream-canal"),
                          MessageArg::field("downstream-canal")});
    return;
  }
  if (q.typedEnds && f.which == FlowCase::Design) {
    r.step(EndsTyped, {value(f.v1), value(f.v2), value(f.v3)});
  } else {
    r.step(CanalEnds, {value(*f.hu), value(f.v1), value(*f.hd), value(f.v3)});
    if (q.input.chamberWidth > 0) r.step(ChamberVelocity, {value(q.input.chamberWidth), value(f.v2)});
  }
  r.step(SiphonDz1, {value(f.v2), value(f.v1), g, value(s.xi1), value(f.dZ1)});
  r.step(SiphonDz2, {value(f.z), value(f.v), value(f.v2), g, value(f.dZ2)});
  r.step(SiphonDz3, {value(f.v), value(f.v3), g, value(s.xi2), value(f.dZ3)});
  r.step(SiphonDz, {value(f.dZ1), value(f.dZ2), value(f.dZ3), value(f.dZ)});
  r.step(SiphonMu, {value(s.zeta.sum), value(f.friction), value(f.v2), value(f.v), value(f.mu)});
}

}  // namespace

std::vector<ReportLine> siphonReport(const SiphonQuestion& q, const SiphonResult& s,
                                     const std::optional<SiphonSizing>& sizing) {
  ReportBuilder r;
  data(r, q, s, sizing);
  barrel(r, q, s, sizing ? sizing->adopted : q.input.D);
  coefficients(r, q.input, s);
  for (const SiphonFlow& f : s.flows) flow(r, q, s, f);
  if (s.outletBed) {
    const SiphonFlow& design = s.flows.front();
    r.heading(SiphonHeadingLevels);
    r.step(SiphonOutletBed, {value(q.input.upstreamBed), value(*design.hu), value(*design.hd), value(design.dZ),
                             value(*s.outletBed)});
  }
  r.heading(HeadingChecks);
  r.checks(s.checks);
  return r.take();
}

}  // namespace channelflow::calc
