// aqueduct: a rectangular or U trough (§9, Appendix K) from the inputs as
// texts to each flow's depth and head, the trough's height, its bed levels,
// checks, drawing and calculation report; or its width (R0) sized first for
// a height ratio.
#include "calc/flow/flow_state.h"
#include "calc/questions/drawing.h"
#include "calc/questions/structure_inputs.h"
#include "calc/questions/structure_report.h"
#include "calc/structures/aqueduct.h"
#include "calc/toolkit/item_list.h"
#include "calc/toolkit/toolkit.h"

namespace channelflow::calc {
namespace {

using namespace structures;

struct AqueductQuestion {
  AqueductInput input;
  double ratio = 0;  // > 0: the width (R0) is sized for H = ratio B (2 R0)
  bool typedEnds = false;
};

AqueductQuestion readQuestion(const Inputs& inputs) {
  StructureInputs in(inputs);
  for (std::string_view key : {"Q", "n", "i", "L"}) in.requireGiven(key);
  in.atMostOne("Qj", "enlarge");
  in.atMostOne("B", "r", "ratio");
  if (!in.has("B") && !in.has("r") && !in.has("ratio")) in.requireGiven("B");
  in.onlyWith("trough", "ratio");
  in.together("v1", "v3");
  in.onlyWith("hu", "v1");
  in.onlyWith("hd", "v1");
  in.together("upstream-canal", "downstream-canal");
  const bool u = in.has("r") || in.choice("trough", "rectangle") == "u";
  const bool covered = in.choice("covered", "no") == "yes";
  AqueductQuestion q;
  AqueductInput& a = q.input;
  a.flows = in.flows();
  a.g = in.gravity();
  a.shape = u ? TroughShape::U : TroughShape::Rectangle;
  a.B = in.number("B");
  a.R0 = in.number("r");
  q.ratio = in.number("ratio");
  a.n = in.number("n", 1);
  a.i = in.number("i", 1);
  a.L = in.number("L", 1);
  a.grade = in.whole("grade", 5, 1, 5);
  a.inletTransition = in.transition(TransitionEnd::Inlet);
  a.outletTransition = in.transition(TransitionEnd::Outlet);
  a.inletSlotZeta = in.number("inlet-slot-zeta");
  a.outletSlotZeta = in.number("outlet-slot-zeta");
  if (in.has("v1")) {
    a.ends[0] = AqueductEnds{in.number("v1"), in.number("v3"), in.optional("hu"), in.optional("hd")};
    q.typedEnds = true;
  }
  a.upstreamCanal = in.canal("upstream-canal", a.g);
  a.downstreamCanal = in.canal("downstream-canal", a.g);
  a.inletLength = in.number("inlet-length");
  a.outletLength = in.number("outlet-length");
  a.bendRadius = in.number("bend-radius");
  a.covered = covered;
  a.heightStep = in.number("height-step", 0.01);
  a.upstreamBed = in.optional("bed-up");
  in.finish();
  return q;
}

bool anyEnds(const AqueductResult& r) {
  for (const AqueductFlow& f : r.flows) {
    if (f.hasEnds) return true;
  }
  return false;
}

void addItems(ItemList& list, const AqueductQuestion& q, const AqueductResult& r,
              const std::optional<AqueductSizing>& sizing) {
  using enum QuantityId;
  const AqueductInput& a = q.input;
  const bool u = a.shape == TroughShape::U;
  list.exact(Gravity, r.g);
  list.term(Section, u ? "u" : "rectangle");
  if (sizing) list.number(ExactSize, sizing->exact);
  list.exact(u ? Radius : B, sizing ? sizing->adopted : u ? a.R0 : a.B);
  list.exact(N, a.n);
  list.exact(Slope, a.i);
  list.exact(StructureLength, a.L);
  if (anyEnds(r)) {
    list.number(Xi1, r.xi1);
    list.number(Xi2, r.xi2);
  }
  list.number(DesignHeight, r.designHeight);
  if (r.flows.size() > 1 && r.flows[1].which == FlowCase::Enlarged) list.number(EnlargedHeight, r.enlargedHeight);
  list.exact(TroughHeight, r.H);
  list.number(HeightRatio, r.heightRatio);
  if (r.inletBottom) {
    list.number(InletBottom, *r.inletBottom);
    list.number(OutletBottom, *r.outletBottom);
    list.number(DownstreamBed, *r.downstreamBed);
  }
}

Group flowItems(const AqueductFlow& f, bool bend) {
  using enum QuantityId;
  Group group = flowGroup(f.which);
  ItemList list(group.items);
  list.number(Discharge, f.Q);
  list.number(Depth, f.h);
  list.number(Area, f.A);
  list.number(HydraulicRadius, f.R);
  list.number(Velocity, f.v);
  if (f.hasEnds) {
    list.number(CanalV1, f.v1);
    list.number(CanalV3, f.v3);
    list.number(Z1, f.Z1);
  }
  list.number(Z2, f.Z2);
  if (f.hasEnds) {
    list.number(Z3, f.Z3);
    list.number(Dz, f.dZ);
  }
  if (bend) list.number(BendSuperelevation, f.bendRise);
  if (f.h1) list.number(UpstreamDepth, *f.h1);
  if (f.h2) list.number(DownstreamDepth, *f.h2);
  return group;
}

// The trough at the design depth, to its adopted height, with the enlarged flow's surface.
Group drawing(const AqueductInput& a, double size, const AqueductResult& r) {
  using enum QuantityId;
  Channel trough;
  trough.shape = a.shape == TroughShape::U ? Shape(UShape::withSlope(0)) : Shape(Trapezoid::withSlopes(0, 0));
  trough.size = Real(size);
  Group group("drawing");
  group.tables = outlineTables(outlineOf(trough, r.flows.front().h.toDouble(), r.H));
  for (const AqueductFlow& f : r.flows) {
    if (f.which != FlowCase::Enlarged) continue;
    const Outline enlarged = outlineOf(trough, f.h.toDouble(), r.H);
    group.tables.push_back(Table::of("water_enlarged", {X, Z},
                                     {Row({Cell::of(enlarged.waterLeft[0]), Cell::of(enlarged.waterLeft[1])}),
                                      Row({Cell::of(enlarged.waterRight[0]), Cell::of(enlarged.waterRight[1])})}));
  }
  return group;
}

std::vector<ReportLine> report(const AqueductQuestion& q, const AqueductResult& r, double size,
                               const std::optional<AqueductSizing>& sizing) {
  using enum TextId;
  const AqueductInput& a = q.input;
  const bool u = a.shape == TroughShape::U;
  const MessageArg g = value(r.g);
  ReportBuilder b;
  b.title(AqueductTitle);
  b.heading(HeadingData);
  std::vector<Real> Q;
  for (const AqueductFlow& f : r.flows) Q.push_back(f.Q);
  b.flows(a.flows, Q, r.g);
  if (sizing) b.step(u ? AqueductSizingR : AqueductSizingB, {value(q.ratio), value(sizing->exact), value(sizing->adopted)});
  b.step(u ? AqueductTroughU : AqueductTroughRect, {value(size), value(a.n), value(a.i), value(a.L)});
  b.step(a.grade <= 3 ? AqueductGradeFriction : AqueductGradeNoFriction, {value(a.grade)});
  if (anyEnds(r)) {
    b.transition("ξ1", TransitionEnd::Inlet, r.xi1, a.inletTransition, TransitionFamily::Aqueduct, "xi1");
    b.transition("ξ2", TransitionEnd::Outlet, r.xi2, a.outletTransition, TransitionFamily::Aqueduct, "xi2");
    if (a.inletSlotZeta > 0 || a.outletSlotZeta > 0) b.note(AqueductSlots, {value(a.inletSlotZeta), value(a.outletSlotZeta)});
  }
  for (const AqueductFlow& f : r.flows) {
    b.flowHeading(f.which, f.Q);
    b.step(AqueductDepth, {value(f.h), value(f.A), value(f.P), value(f.R), value(f.Q), value(f.v)});
    if (a.bendRadius > 0) {
      b.step(AqueductBendRise, {value(f.v), value(f.A), g, value(a.bendRadius), value(f.h), value(f.bendRise)});
    }
    if (!f.hasEnds) {
      b.step(StructureZ2, {value(a.i), value(a.L), value(f.Z2)});
      b.note(StructureNoEnds, {MessageArg::field("v1"), MessageArg::field("v3"), MessageArg::field("upstream-canal"),
                               MessageArg::field("downstream-canal")});
      continue;
    }
    if (q.typedEnds && f.which == FlowCase::Design) {
      b.step(EndsTypedTwo, {value(f.v1), value(f.v3)});
    } else {
      b.step(CanalEnds, {value(*f.h1), value(f.v1), value(*f.h2), value(f.v3)});
    }
    if (a.grade <= 3) {
      b.step(StructureZ1Friction, {value(f.v), value(f.v1), g, value(r.xi1), value(f.J1), value(a.inletLength), value(f.Z1)});
    } else {
      b.step(StructureZ1, {value(f.v), value(f.v1), g, value(r.xi1), value(f.Z1)});
    }
    b.step(StructureZ2, {value(a.i), value(a.L), value(f.Z2)});
    if (a.grade <= 3) {
      b.step(StructureZ3Friction, {value(f.v), value(f.v3), g, value(r.xi2), value(f.J2), value(a.outletLength), value(f.Z3)});
    } else {
      b.step(StructureZ3, {value(f.v), value(f.v3), g, value(r.xi2), value(f.Z3)});
    }
    b.step(StructureDz, {value(f.Z1), value(f.Z2), value(f.Z3), value(f.dZ)});
  }
  const AqueductFlow& design = r.flows.front();
  b.heading(AqueductHeadingHeight);
  const Real halfRise = design.bendRise / 2;
  // A straight trough's heights leave out the bend's rise (the phrases skip that argument).
  const bool bend = a.bendRadius > 0;
  if (u) {
    b.step(bend ? AqueductHeightU : AqueductHeightUStraight, {value(design.h), value(halfRise), value(size), value(r.designHeight)});
  } else {
    b.step(bend ? AqueductHeightRect : AqueductHeightRectStraight, {value(design.h), value(halfRise), value(r.designHeight)});
  }
  for (const AqueductFlow& f : r.flows) {
    if (f.which != FlowCase::Enlarged) continue;
    b.step(bend ? AqueductHeightEnlarged : AqueductHeightEnlargedStraight, {value(f.h), value(f.bendRise / 2), value(r.enlargedHeight)});
  }
  if (a.heightStep > 0) {
    b.step(AqueductHeightAdopted, {value(r.H), value(r.heightNeeded), value(a.heightStep)});
  } else {
    b.step(AqueductHeightExact, {value(r.H)});
  }
  b.step(u ? AqueductRatioU : AqueductRatioRect, {value(r.H), value(size), value(r.heightRatio)});
  if (r.inletBottom) {
    b.heading(AqueductHeadingLevels);
    b.step(AqueductBottoms, {value(a.upstreamBed), value(*design.h1), value(design.Z1), value(design.h), value(*r.inletBottom),
                             value(*r.outletBottom), value(design.Z3), value(*design.h2), value(*r.downstreamBed)});
  }
  b.heading(HeadingChecks);
  b.checks(r.checks);
  return b.take();
}

}  // namespace

Answer answerAqueduct(const Inputs& inputs) {
  const AqueductQuestion q = readQuestion(inputs);
  std::optional<AqueductSizing> sizing;
  if (q.ratio > 0) sizing = sizeAqueduct(q.input, q.ratio);
  const AqueductResult r = sizing ? sizing->result : aqueduct(q.input);
  const bool u = q.input.shape == TroughShape::U;
  const double size = sizing ? sizing->adopted : u ? q.input.R0 : q.input.B;
  Answer answer("aqueduct", UnitSystem::SI);
  Group& record = answer.record();
  ItemList list(record.items);
  addItems(list, q, r, sizing);
  for (const AqueductFlow& f : r.flows) record.groups.push_back(flowItems(f, q.input.bendRadius > 0));
  record.groups.push_back(drawing(q.input, size, r));
  record.tables.push_back(checksTable(r.checks));
  answer.reportRole = Answer::ReportRole::Document;
  answer.report = report(q, r, size, sizing);
  return answer;
}

}  // namespace channelflow::calc
