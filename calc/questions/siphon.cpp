// siphon: an inverted siphon (§10, Appendix L) from the inputs as texts to its
// flows, loss terms, checks, barrel drawing and calculation report.
#include <array>
#include <memory>

#include "calc/questions/drawing.h"
#include "calc/questions/siphon_question.h"
#include "calc/questions/structure_inputs.h"
#include "calc/questions/structure_report.h"
#include "calc/toolkit/item_list.h"
#include "calc/toolkit/toolkit.h"

namespace channelflow::calc {
namespace {

using namespace structures;
using enum QuantityId;

void checkUsage(const StructureInputs& in) {
  for (std::string_view key : {"Q", "L", "n"}) in.requireGiven(key);
  in.atMostOne("Qj", "enlarge");
  in.atMostOne("D", "B", "v-trial");
  if (!in.has("D") && !in.has("B") && !in.has("v-trial")) in.requireGiven("D");
  in.together("B", "H");
  in.onlyWith("series", "v-trial");
  in.together("v1", "v3");
  in.onlyWith("v2", "v1");
  in.onlyWith("hu", "v1");
  in.onlyWith("hd", "v1");
  in.together("upstream-canal", "downstream-canal");
  in.onlyWith("chamber-width", "upstream-canal");
}

SiphonQuestion readQuestion(const Inputs& inputs) {
  StructureInputs in(inputs);
  checkUsage(in);
  const std::string_view series = in.choice("series", "practice");
  const std::string_view outletRule = in.choice("outlet-rule", "printed");
  SiphonQuestion q;
  SiphonInput& s = q.input;
  s.flows = in.flows();
  s.g = in.gravity();
  s.barrels = in.whole("barrels", 1, 1, 100);
  s.D = in.number("D");
  s.B = in.number("B");
  s.H = in.number("H");
  q.trialVelocity = in.number("v-trial");
  q.rounding = series == "prestressed" ? RoundingRule::PrestressedPipe : RoundingRule::SiphonDiameter;
  s.L = in.number("L", 1);
  s.n = in.number("n", 1);
  if (const std::string* entrance = in.text("entrance")) s.entrance = *entrance;
  s.inletZeta = in.optional("inlet-zeta");
  s.gateSlots = in.whole("gate-slots", 0, 0, 100);
  s.slotZeta = in.number("slot-zeta", 0.1);
  s.slotArea = in.number("slot-area");
  if (const auto rack = in.fields("rack", 4, "β:s:b:α")) s.rack = Rack{(*rack)[0], (*rack)[1], (*rack)[2], 0, 0, 0, (*rack)[3], 0};
  for (const std::vector<double>& bend : in.list("bend", 2, "R:θ", {true, false})) s.bends.push_back({bend[0], bend[1]});
  s.outletRatio = in.number("outlet-ratio");
  s.outletZeta = in.optional("outlet-zeta");
  s.outletRule = outletRule == "expansion" ? OutletRule::SuddenExpansion : OutletRule::AsPrinted;
  s.bypasses = in.whole("bypass", 0, 0, 100);
  s.inletTransition = in.transition(TransitionEnd::Inlet);
  s.outletTransition = in.transition(TransitionEnd::Outlet);
  if (in.has("v1")) {
    const double v1 = in.number("v1");
    s.ends[0] = SiphonEnds{v1, in.number("v2", v1), in.number("v3"), in.optional("hu"), in.optional("hd")};
    q.typedEnds = true;
  }
  s.upstreamCanal = in.canal("upstream-canal", s.g);
  s.downstreamCanal = in.canal("downstream-canal", s.g);
  s.chamberWidth = in.number("chamber-width");
  s.upstreamBed = in.optional("bed-up");
  s.allowedHead = in.optional("allowed-head");
  s.inletCrown = in.optional("inlet-crown");
  s.outletCrown = in.optional("outlet-crown");
  s.vnp = in.optional("v-np");
  in.finish();
  return q;
}

void addRecordItems(ItemList& list, const SiphonQuestion& q, const SiphonResult& r,
                    const std::optional<SiphonSizing>& sizing) {
  const SiphonInput& s = q.input;
  list.exact(Gravity, r.g);
  list.exact(Barrels, r.barrels);
  if (sizing) {
    list.exact(TrialVelocity, q.trialVelocity);
    list.number(ExactSize, sizing->diameter);
  }
  if (s.B > 0) {
    list.exact(B, s.B);
    list.exact(CrownHeight, s.H);
  } else {
    list.exact(Diameter, sizing ? sizing->adopted : s.D);
  }
  list.exact(StructureLength, s.L);
  list.exact(N, s.n);
  list.number(Area, r.area);
  list.number(HydraulicRadius, r.R);
  list.number(Chezy, r.C);
  list.number(FrictionFactor, r.flows.front().friction);
  if (r.flows.front().hasEnds || r.flows.back().hasEnds) {
    list.number(Xi1, r.xi1);
    list.number(Xi2, r.xi2);
  }
  if (r.outletBed) list.number(OutletBed, *r.outletBed);
}

Group flowItems(const SiphonResult& r, const SiphonFlow& f) {
  Group group = flowGroup(f.which);
  ItemList list(group.items);
  list.number(Discharge, f.Q);
  list.number(Velocity, f.v);
  list.number(FrictionLoss, f.hf);
  list.number(ZetaInlet, r.zeta.inlet);
  list.number(ZetaSlots, r.zeta.slots);
  list.number(ZetaRack, r.zeta.rack);
  list.number(ZetaBends, r.zeta.bends);
  list.number(ZetaOutlet, r.zeta.outlet);
  list.number(ZetaBypass, r.zeta.bypass);
  list.number(ZetaSum, r.zeta.sum);
  list.number(LocalLoss, f.hj);
  list.number(PipeLoss, f.z);
  if (f.hasEnds) {
    list.number(CanalV1, f.v1);
    list.number(CanalV2, f.v2);
    list.number(CanalV3, f.v3);
    list.number(Dz1, f.dZ1);
    list.number(Dz2, f.dZ2);
    list.number(Dz3, f.dZ3);
    list.number(Dz, f.dZ);
  }
  list.number(Mu, f.mu);
  if (f.hu) list.number(UpstreamDepth, *f.hu);
  if (f.hd) list.number(DownstreamDepth, *f.hd);
  return group;
}

// Rows made as they are written, from what they hold.
template <class Data>
Table lazyTable(std::string_view key, std::vector<QuantityId> columns, std::vector<Data> data, Row (*row)(const Data&)) {
  const auto held = std::make_shared<const std::vector<Data>>(std::move(data));
  return {key, std::move(columns), false, static_cast<long>(held->size()),
          [held, row](long k) { return row((*held)[static_cast<std::size_t>(k)]); }};
}

Table bendsTable(const SiphonInput& s, const SiphonResult& r) {
  std::vector<std::array<double, 6>> bends;
  for (std::size_t k = 0; k < s.bends.size(); ++k) {
    const BendTerm& t = r.zeta.eachBend[k];
    bends.push_back({s.bends[k].R, s.bends[k].angle, t.ratio.toDouble(), t.xi90.toDouble(), t.gamma.toDouble(), t.zeta.toDouble()});
  }
  return lazyTable<std::array<double, 6>>("bends", {BendR, Angle, BendRatio, Xi90, Gamma, Zeta}, std::move(bends), [](const auto& b) {
    return Row({Cell::of(b[0]), Cell::of(b[1]), Cell::of(b[2]), Cell::of(b[3]), Cell::of(b[4]), Cell::of(b[5])});
  });
}

// Each flow's head loss by term, for a bar chart: the local terms at ζ v²/2g
// and friction at 2gL/(C²R) v²/2g.
struct LossRow {
  std::string_view flow, term;
  double zeta, loss;
};

Table lossesTable(const SiphonResult& r) {
  const std::pair<std::string_view, const Real*> terms[] = {
      {"inlet", &r.zeta.inlet}, {"slots", &r.zeta.slots},   {"rack", &r.zeta.rack},
      {"bends", &r.zeta.bends}, {"outlet", &r.zeta.outlet}, {"bypass", &r.zeta.bypass},
  };
  std::vector<LossRow> rows;
  for (const SiphonFlow& f : r.flows) {
    const std::string_view flow = flowCaseKey(f.which);
    for (const auto& [term, zeta] : terms) rows.push_back({flow, term, zeta->toDouble(), (*zeta * f.velocityHead).toDouble()});
    rows.push_back({flow, "friction", f.friction.toDouble(), f.hf.toDouble()});
  }
  return lazyTable<LossRow>("losses", {FlowCase, LossName, Zeta, TermLoss}, std::move(rows), [](const LossRow& l) {
    return Row({Cell::termed(l.flow), Cell::termed(l.term), Cell::of(l.zeta), Cell::of(l.loss)});
  });
}

// The barrel's section as drawn, running full.
Group drawing(const SiphonInput& s, double D) {
  Group group("drawing");
  Channel barrel;
  double top = D;
  if (s.B > 0) {
    barrel.shape = Trapezoid::withSlopes(0, 0);
    barrel.size = Real(s.B);
    top = s.H;
  } else {
    barrel.shape = Circle{};
    barrel.size = Real(D);
  }
  group.tables = outlineTables(outlineOf(barrel, top, top));
  return group;
}

}  // namespace

Answer answerSiphon(const Inputs& inputs) {
  const SiphonQuestion q = readQuestion(inputs);
  std::optional<SiphonSizing> sizing;
  if (q.trialVelocity > 0) sizing = sizeSiphon(q.input, q.trialVelocity, q.rounding);
  const SiphonResult& r = sizing ? sizing->result : siphon(q.input);
  Answer answer("siphon", UnitSystem::SI);
  Group& record = answer.record();
  record.items.reserve(16);
  record.groups.reserve(4);
  ItemList list(record.items);
  addRecordItems(list, q, r, sizing);
  for (const SiphonFlow& f : r.flows) record.groups.push_back(flowItems(r, f));
  record.groups.push_back(drawing(q.input, sizing ? sizing->adopted : q.input.D));
  record.tables.push_back(bendsTable(q.input, r));
  record.tables.push_back(lossesTable(r));
  record.tables.push_back(checksTable(r.checks));
  answer.reportRole = Answer::ReportRole::Document;
  answer.report = siphonReport(q, r, sizing);
  return answer;
}

}  // namespace channelflow::calc
