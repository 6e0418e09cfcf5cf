// drop: a single drop (§12, Appendix N): the crest's head for the flow by the
// broad-crested weir of N.1.1, and the stilling basin's first estimate.
#include "calc/questions/structure_inputs.h"
#include "calc/questions/structure_report.h"
#include "calc/structures/drop.h"
#include "calc/toolkit/item_list.h"
#include "calc/toolkit/toolkit.h"

namespace channelflow::calc {
namespace {

using namespace structures;

constexpr std::pair<std::string_view, CrestInlet> kInlets[] = {{"warped", CrestInlet::Warped},
                                                               {"splayed", CrestInlet::Splayed},
                                                               {"cross-wall", CrestInlet::CrossWall},
                                                               {"trapezoidal", CrestInlet::Trapezoidal}};

std::vector<ReportLine> report(const DropInput& in, std::string_view inlet, const DropResult& r) {
  using enum TextId;
  const MessageArg g = value(r.g);
  ReportBuilder b;
  b.title(DropTitle);
  b.heading(HeadingData);
  b.step(StepDesignFlow, {value(in.Q)});
  b.step(DropData, {MessageArg::term(inlet), value(in.b), value(in.P), value(in.v1), value(in.epsilon)});
  b.step(StepGravity, {g});
  b.heading(DropHeadingCrest);
  const std::vector<MessageArg> m{value(in.b), value(r.H0), value(r.m), value(in.crestSlope), value(r.h1)};
  switch (in.inlet) {
    case CrestInlet::Warped: b.step(DropMWarped, m); break;
    case CrestInlet::Splayed: b.step(DropMSplayed, m); break;
    case CrestInlet::CrossWall: b.step(DropMCrossWall, m); break;
    case CrestInlet::Trapezoidal: b.step(DropMTrapezoidal, m); break;
  }
  b.step(DropH0, {value(in.Q), value(r.H0), value(in.v1), g, value(r.h1)});
  b.heading(DropHeadingBasin);
  const double width = in.basinWidth > 0 ? in.basinWidth : in.b;
  b.step(DropUnit, {value(in.Q), value(width), value(r.q)});
  b.step(DropE0, {value(in.P), value(r.basinDepth), value(r.H0), value(r.E0)});
  b.step(DropContracted, {value(r.contracted), value(in.phi)});
  b.step(DropSequent, {value(r.contracted), value(r.q), g, value(r.sequent)});
  if (r.basinDepth > Real(0)) {
    b.step(DropBasinDepth, {value(in.sigma), value(r.sequent), value(in.tailwater), value(r.basinDepth)});
  } else {
    b.step(DropBasinNone, {value(in.sigma), value(r.sequent), value(in.tailwater)});
  }
  b.step(DropThrow, {value(r.H0), value(in.P), value(r.throwLength)});
  b.step(DropBasinLength, {value(r.basinLengthLow), value(r.basinLengthHigh)});
  b.heading(HeadingChecks);
  b.checks(r.checks);
  return b.take();
}

}  // namespace

Answer answerDrop(const Inputs& inputs) {
  using enum QuantityId;
  StructureInputs in(inputs);
  for (std::string_view key : {"Q", "b", "P"}) in.requireGiven(key);
  const std::string_view inlet = in.choice("inlet", "warped");
  if (inlet == "trapezoidal") {
    in.requireGiven("crest-slope");
  } else if (in.has("crest-slope")) {
    fail(MessageId::NotTakenBySection, "crest-slope", {MessageArg::term(inlet)});
  }
  DropInput d;
  for (const auto& [key, kind] : kInlets) {
    if (key == inlet) d.inlet = kind;
  }
  d.g = in.gravity();
  d.Q = in.number("Q", 1);
  d.b = in.number("b", 1);
  d.crestSlope = in.number("crest-slope");
  d.v1 = in.number("v1");
  d.epsilon = in.number("epsilon", 1.0);
  d.P = in.number("P");
  d.basinWidth = in.number("basin-width");
  d.tailwater = in.number("tailwater");
  d.phi = in.number("phi", 0.95);
  d.sigma = in.number("sigma", 1.10);
  in.finish();
  const DropResult r = drop(d);
  Answer answer("drop", UnitSystem::SI);
  Group& record = answer.record();
  ItemList list(record.items);
  list.exact(Gravity, r.g);
  list.exact(Discharge, d.Q);
  list.number(TotalHead, r.H0);
  list.number(WeirM, r.m);
  list.number(CrestHead, r.h1);
  list.number(UnitDischarge, r.q);
  list.number(BasinEnergy, r.E0);
  list.number(ContractedDepth, r.contracted);
  list.number(SequentDepth, r.sequent);
  list.number(BasinDepth, r.basinDepth);
  list.number(ThrowLength, r.throwLength);
  list.number(BasinLengthLow, r.basinLengthLow);
  list.number(BasinLengthHigh, r.basinLengthHigh);
  record.tables.push_back(checksTable(r.checks));
  answer.reportRole = Answer::ReportRole::Document;
  answer.report = report(d, inlet, r);
  return answer;
}

}  // namespace channelflow::calc
