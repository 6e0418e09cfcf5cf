// transition: one transition (渐变段) between a canal and a structure, its ξ
// by form or as typed, the fall of the level across it from the velocities
// at its ends, and its length by the structure's clause and by practice.
#include <cmath>

#include "calc/questions/structure_inputs.h"
#include "calc/questions/structure_report.h"
#include "calc/toolkit/item_list.h"
#include "calc/toolkit/toolkit.h"
#include "numeric/elementary/elementary.h"

namespace channelflow::calc {
namespace {

using namespace structures;

struct Kind {
  std::string_view key;
  StructureKind kind;
  TransitionFamily family;  // a tunnel borrows the aqueduct's table
  TextId inletLength, outletLength;
};

// clang-format off
constexpr Kind kKinds[] = {
  {"aqueduct", StructureKind::Aqueduct, TransitionFamily::Aqueduct, TextId::LengthAqueductInlet, TextId::LengthAqueductOutlet},
  {"siphon",   StructureKind::Siphon,   TransitionFamily::Siphon,   TextId::LengthSiphonInlet,   TextId::LengthSiphonOutlet},
  {"culvert",  StructureKind::Culvert,  TransitionFamily::Culvert,  TextId::LengthCulvert,       TextId::LengthCulvert},
  {"tunnel",   StructureKind::Tunnel,   TransitionFamily::Aqueduct, TextId::LengthTunnelInlet,   TextId::LengthTunnelOutlet},
};
// clang-format on

bool byWidths(StructureKind kind) { return kind == StructureKind::Aqueduct || kind == StructureKind::Culvert; }

std::vector<ReportLine> report(const Kind& kind, TransitionEnd end, const TransitionChoice& choice, const Real& xi,
                               const TransitionDrop& drop, double g, double vUp, double vDown,
                               const std::optional<LengthRange>& range, double adopted, double canalWidth,
                               double structureWidth) {
  using enum TextId;
  const bool inlet = end == TransitionEnd::Inlet;
  ReportBuilder b;
  b.title(TransitionTitle, {MessageArg::term(kind.key), MessageArg::term(inlet ? "inlet" : "outlet")});
  b.heading(HeadingData);
  b.step(TransitionVelocities, {value(vUp), value(vDown)});
  b.step(StepGravity, {value(g)});
  b.transition("ξ", end, xi, choice, kind.family, "xi");
  b.heading(TransitionHeadingDrop);
  b.step(TransitionDropStep, {value(vDown), value(vUp), value(g), value(xi), value(drop.velocityHead), value(drop.loss),
                              value(drop.drop)});
  if (!range) return b.take();
  b.heading(TransitionHeadingLength);
  b.step(inlet ? kind.inletLength : kind.outletLength, {value(range->low), value(range->high)});
  if (adopted > 0) {
    const Real k(inlet ? 2.5 : 3.5);
    b.step(LengthPractice, {value(k), value(canalWidth), value(structureWidth),
                            value(k * numeric::abs(Real(canalWidth) - Real(structureWidth))), value(range->low),
                            value(adopted)});
  }
  return b.take();
}

}  // namespace

Answer answerTransition(const Inputs& inputs) {
  using Id = QuantityId;
  StructureInputs in(inputs);
  for (std::string_view key : {"structure", "end", "v-up", "v-down"}) in.requireGiven(key);
  in.together("canal-width", "structure-width");
  const std::string_view structure = in.choice("structure", "aqueduct");
  const std::string_view endKey = in.choice("end", "inlet");
  const Kind* kind = &kKinds[0];
  for (const Kind& each : kKinds) {
    if (each.key == structure) kind = &each;
  }
  const TransitionEnd end = endKey == "outlet" ? TransitionEnd::Outlet : TransitionEnd::Inlet;
  TransitionChoice choice;
  if (const std::string* form = in.text("form")) choice.form = *form;
  choice.xi = in.optional("xi");
  choice.angle = in.optional("theta");
  const double vUp = in.number("v-up"), vDown = in.number("v-down");
  const double g = gravityOf(in.gravity());
  const double canalWidth = in.number("canal-width"), structureWidth = in.number("structure-width");
  const double canalDepth = in.number("canal-depth");
  in.finish();
  const Real xi = transitionXi(kind->family, end, choice, {"form", "xi", "theta"});
  const TransitionDrop drop = transitionDrop(Real(vUp), Real(vDown), xi, g);

  // The clause's lengths, from the widths (aqueducts, culverts) or the canal's depth.
  const bool widths = canalWidth > 0;
  const bool clauseKnown = byWidths(kind->kind) ? widths : canalDepth > 0;
  std::optional<LengthRange> range;
  if (clauseKnown) range = transitionLength(kind->kind, end, Real(canalWidth), Real(structureWidth), Real(canalDepth));
  const bool practice = widths && clauseKnown;

  Answer answer("transition", UnitSystem::SI);
  ItemList list(answer.record().items);
  list.term(Id::StructureKind, kind->key);
  list.term(Id::TransitionEnd, end == TransitionEnd::Inlet ? "inlet" : "outlet");
  if (!choice.form.empty()) list.text(Id::TransitionForm, choice.form);
  list.number(Id::Xi, xi);
  list.exact(Id::Gravity, g);
  list.exact(Id::VelocityUp, vUp);
  list.exact(Id::VelocityDown, vDown);
  list.number(Id::VelocityHead, drop.velocityHead);
  list.number(Id::TransitionLoss, drop.loss);
  list.number(Id::TransitionDrop, drop.drop);
  double adopted = 0;
  if (range) {
    list.text(Id::Clause, range->clause);
    list.number(Id::LengthLow, range->low);
    if (std::isfinite(range->high.toDouble())) list.number(Id::LengthHigh, range->high);
  }
  if (practice) {
    adopted = practiceLength(kind->kind, end, Real(canalWidth), Real(structureWidth), Real(canalDepth));
    list.exact(Id::PracticeLength, adopted);
  }

  answer.report = report(*kind, end, choice, xi, drop, g, vUp, vDown, range, practice ? adopted : 0, canalWidth,
                         structureWidth);
  answer.reportRole = Answer::ReportRole::Document;
  return answer;
}

}  // namespace channelflow::calc
