// gate: a check gate with its gates open, a submerged broad-crested weir
// (commentary on §14.2.2): the flow for an upstream depth, or the upstream
// depth for a flow, over the downstream depth, and the fall across it.
#include "calc/questions/structure_inputs.h"
#include "calc/questions/structure_report.h"
#include "calc/structures/gate.h"
#include "calc/toolkit/item_list.h"
#include "calc/toolkit/toolkit.h"

namespace channelflow::calc {
namespace {

using namespace structures;

std::vector<ReportLine> report(const GateOpening& o, double g, const GateFlow& f, bool solved, double hs) {
  using enum TextId;
  ReportBuilder b;
  b.title(GateTitle);
  b.heading(HeadingData);
  b.step(GateData, {value(o.B), value(o.m), value(o.v0), value(hs)});
  b.step(StepGravity, {value(g)});
  b.heading(GateHeadingFlow);
  if (solved) b.step(GateSolved, {value(f.Q), value(f.H0), value(f.H)});
  b.step(GateH0, {value(f.H), value(o.v0), value(g), value(f.H0)});
  b.step(GateSigma, {value(hs), value(f.H0), value(f.ratio), MessageArg::term(f.submerged ? "submerged" : "free"),
                     value(f.sigma)});
  b.step(GateQ, {value(f.sigma), value(o.m), value(o.B), value(g), value(f.H0), value(f.Q)});
  b.step(GateLossStep, {value(f.H), value(hs), value(f.loss)});
  b.note(GateNote);
  return b.take();
}

}  // namespace

Answer answerGate(const Inputs& inputs) {
  using enum QuantityId;
  StructureInputs in(inputs);
  for (std::string_view key : {"B", "weir-m", "hs"}) in.requireGiven(key);
  in.atMostOne("h-up", "Q");
  if (!in.has("h-up") && !in.has("Q")) {
    fail(MessageId::TargetOrLength, "h-up", {MessageArg::field("h-up"), MessageArg::field("Q")});
  }
  GateOpening o;
  o.B = in.number("B", 1);
  o.m = in.number("weir-m", 1);
  o.v0 = in.number("v0");
  o.g = in.gravity();
  const double hs = in.number("hs");
  const bool solved = in.has("Q");
  const double given = in.number(solved ? "Q" : "h-up", 1);
  in.finish();
  const GateFlow f = solved ? gateHead(o, given, hs) : gateFlow(o, given, hs);
  const double g = gravityOf(o.g);
  Answer answer("gate", UnitSystem::SI);
  ItemList list(answer.record().items);
  list.exact(Gravity, g);
  list.exact(B, o.B);
  list.exact(WeirM, o.m);
  list.exact(ApproachVelocity, o.v0);
  list.exact(TailDepth, hs);
  list.number(UpstreamHead, f.H);
  list.number(TotalHead, f.H0);
  list.number(SubmergenceRatio, f.ratio);
  list.number(Submergence, f.sigma);
  list.term(GateRegime, f.submerged ? "submerged" : "free");
  list.number(Discharge, f.Q);
  list.number(HeadLoss, f.loss);
  answer.reportRole = Answer::ReportRole::Document;
  answer.report = report(o, g, f, solved, hs);
  return answer;
}

}  // namespace channelflow::calc
