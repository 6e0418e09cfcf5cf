// culvert: a canal culvert (§11, Appendix M), the canal passing through a
// rectangular, circular or arch-roofed barrel, from the inputs as texts to
// each flow's depth, clearances, regime and head, checks, drawing and report.
#include <algorithm>
#include <span>

#include "calc/flow/flow_state.h"
#include "calc/questions/drawing.h"
#include "calc/questions/structure_inputs.h"
#include "calc/questions/structure_report.h"
#include "calc/structures/culvert.h"
#include "calc/toolkit/item_list.h"
#include "calc/toolkit/toolkit.h"

namespace channelflow::calc {
namespace {

using namespace structures;

CulvertShape shapeOf(std::string_view key) {
  if (key == "circle") return CulvertShape::Circle;
  if (key == "arch") return CulvertShape::Arch;
  return CulvertShape::Rectangle;
}

CulvertInput readQuestion(const Inputs& inputs) {
  StructureInputs in(inputs);
  for (std::string_view key : {"Q", "i", "L"}) in.requireGiven(key);
  in.atMostOne("Qj", "enlarge");
  const std::string_view barrel = in.choice("barrel", "rectangle");
  const bool circle = barrel == "circle";
  // A circle's size is its diameter; the others' their width and height (an arch's roof too).
  constexpr std::string_view kCircle[] = {"D"};
  constexpr std::string_view kOthers[] = {"B", "H"};
  const std::span<const std::string_view> own = circle ? std::span<const std::string_view>(kCircle) : std::span<const std::string_view>(kOthers);
  for (std::string_view key : {"B", "H", "D", "Ra"}) {
    bool taken = std::find(own.begin(), own.end(), key) != own.end() || (key == "Ra" && barrel == "arch");
    if (in.has(key) && !taken) fail(MessageId::NotTakenBySection, key, {MessageArg::term(barrel)});
  }
  for (std::string_view key : own) in.requireGiven(key);
  in.together("v1", "v3");
  CulvertInput c;
  c.flows = in.flows();
  c.g = in.gravity();
  c.shape = shapeOf(barrel);
  c.B = in.number("B");
  c.D = in.number(circle ? "D" : "H", 1);
  c.Ra = in.number("Ra");
  c.n = in.number("n", 0.014);
  c.i = in.number("i", 1);
  c.L = in.number("L", 1);
  c.inletTransition = in.transition(TransitionEnd::Inlet);
  c.outletTransition = in.transition(TransitionEnd::Outlet);
  if (in.has("v1")) c.ends[0] = BarrelEnds{in.number("v1"), in.number("v3")};
  in.finish();
  return c;
}

// The science names a barrel's height D; the question's box is H but for a circle.
CulvertResult computed(const CulvertInput& c) {
  try {
    return culvert(c);
  } catch (const CalcError& error) {
    if (c.shape == CulvertShape::Circle) throw;
    std::vector<Problem> problems = error.problems();
    for (Problem& problem : problems) {
      if (problem.field == "D") problem.field = "H";
    }
    throw CalcError(std::move(problems));
  }
}

Channel barrelChannel(const CulvertInput& c) {
  Channel barrel;
  barrel.size = Real(c.shape == CulvertShape::Circle ? c.D : c.B);
  if (c.shape == CulvertShape::Rectangle) barrel.shape = Trapezoid::withSlopes(0, 0);
  if (c.shape == CulvertShape::Circle) barrel.shape = Circle{};
  if (c.shape == CulvertShape::Arch) barrel.shape = Arch::withWidth(c.D, c.Ra, c.B);
  return barrel;
}

Group flowItems(const CulvertFlow& f) {
  using enum QuantityId;
  Group group = barrelFlowGroup(f);
  ItemList list(group.items);
  list.number(InletDepth, f.inletDepth);
  list.term(Regime, culvertRegimeKey(f.regime));
  list.term(LengthClass, f.isLong ? "long" : "short");
  return group;
}

std::vector<ReportLine> report(const CulvertInput& c, const CulvertResult& r) {
  using enum TextId;
  const MessageArg g = value(r.g);
  ReportBuilder b;
  b.title(CulvertTitle);
  b.heading(HeadingData);
  std::vector<Real> Q;
  for (const CulvertFlow& f : r.flows) Q.push_back(f.Q);
  b.flows(c.flows, Q, r.g);
  switch (c.shape) {
    case CulvertShape::Rectangle: b.step(CulvertBarrelRect, {value(c.B), value(c.D), value(c.n), value(c.i), value(c.L)}); break;
    case CulvertShape::Circle: b.step(CulvertBarrelCircle, {value(c.D), value(c.n), value(c.i), value(c.L)}); break;
    case CulvertShape::Arch: {
      const Real Ra = c.Ra > 0 ? Real(c.Ra) : Real(c.B) / 2;
      b.step(CulvertBarrelArch, {value(c.B), value(c.D), value(Ra), value(c.n), value(c.i), value(c.L)});
      break;
    }
  }
  b.step(ClosedFullArea, {value(r.fullArea), value(c.D)});
  b.step(CulvertLeastClear, {value(r.leastClearHeight)});
  const bool ends = c.ends[0].has_value();
  if (ends) {
    b.transition("ξ1", TransitionEnd::Inlet, r.xi1, c.inletTransition, TransitionFamily::Culvert, "xi1");
    b.transition("ξ2", TransitionEnd::Outlet, r.xi2, c.outletTransition, TransitionFamily::Culvert, "xi2");
  }
  for (const CulvertFlow& f : r.flows) {
    b.flowHeading(f.which, f.Q);
    if (!f.carried) b.step(ClosedOver, {value(f.QMax), value(f.h)});
    b.step(ClosedFlow, {value(f.h), value(f.A), value(f.v), value(f.freeAreaPct), value(f.freeHeight)});
    if (f.hasEnds) {
      const BarrelEnds& e = *c.ends[0];
      b.step(EndsTypedTwo, {value(e.v1), value(e.v3)});
      b.step(StructureZ1, {value(f.v), value(e.v1), g, value(r.xi1), value(f.Z1)});
    }
    b.step(StructureZ2, {value(c.i), value(c.L), value(f.Z2)});
    if (f.hasEnds) {
      b.step(StructureZ3, {value(f.v), value(c.ends[0]->v3), g, value(r.xi2), value(f.Z3)});
      b.step(StructureDz, {value(f.Z1), value(f.Z2), value(f.Z3), value(f.dZ)});
    } else if (f.which == FlowCase::Design) {
      b.note(StructureNoVelocities, {MessageArg::field("v1"), MessageArg::field("v3")});
    }
    b.step(CulvertRegimeStep, {value(f.inletDepth), value(f.h), value(c.D), MessageArg::term(culvertRegimeKey(f.regime)),
                               value(c.L), value(f.inletDepth * 8), MessageArg::term(f.isLong ? "long" : "short")});
  }
  b.heading(HeadingChecks);
  b.checks(r.checks);
  return b.take();
}

}  // namespace

Answer answerCulvert(const Inputs& inputs) {
  using enum QuantityId;
  const CulvertInput c = readQuestion(inputs);
  const CulvertResult r = computed(c);
  Answer answer("culvert", UnitSystem::SI);
  Group& record = answer.record();
  ItemList list(record.items);
  list.exact(Gravity, r.g);
  list.term(Section, c.shape == CulvertShape::Rectangle ? "rectangle" : c.shape == CulvertShape::Circle ? "circle" : "arch");
  if (c.shape == CulvertShape::Circle) {
    list.exact(Diameter, c.D);
  } else {
    list.exact(B, c.B);
    list.exact(CrownHeight, c.D);
  }
  list.exact(N, c.n);
  list.exact(Slope, c.i);
  list.exact(StructureLength, c.L);
  list.number(FullArea, r.fullArea);
  list.number(LeastClearHeight, r.leastClearHeight);
  if (c.ends[0]) {
    list.number(Xi1, r.xi1);
    list.number(Xi2, r.xi2);
  }
  for (const CulvertFlow& f : r.flows) record.groups.push_back(flowItems(f));
  Group drawing("drawing");
  drawing.tables = outlineTables(outlineOf(barrelChannel(c), r.flows.front().h.toDouble(), c.D));
  record.groups.push_back(std::move(drawing));
  record.tables.push_back(checksTable(r.checks));
  answer.reportRole = Answer::ReportRole::Document;
  answer.report = report(c, r);
  return answer;
}

}  // namespace channelflow::calc
