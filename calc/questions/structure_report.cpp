#include "calc/questions/structure_report.h"

#include <array>

#include "calc/structures/transition_forms.h"
#include "calc/toolkit/item_list.h"

namespace channelflow::calc {
namespace {

using enum TextId;
using structures::Check;
using structures::Verdict;

// Each rule's words: the comparison with the check's numbers in order, and
// what is missing when it could not be made.
struct CheckWords {
  std::string_view rule;
  TextId compared;
  TextId missing;
};

// clang-format off
constexpr std::array<CheckWords, 21> kCheckWords{{
  {"siphon-velocity",              CheckSiphonVelocity,   CheckSiphonVelocity},
  {"siphon-non-silting",           CheckSiphonSilting,    CheckSiphonSiltingMissing},
  {"siphon-capacity",              CheckSiphonCapacity,   CheckSiphonCapacityMissing},
  {"siphon-inlet-submerged",       CheckSiphonInlet,      CheckSiphonInletMissing},
  {"siphon-outlet-submerged",      CheckSiphonOutlet,     CheckSiphonOutletMissing},
  {"aqueduct-velocity",            CheckAqueductVelocity, CheckAqueductVelocity},
  {"aqueduct-height-ratio",        CheckAqueductRatio,    CheckAqueductRatio},
  {"aqueduct-long-trough",         CheckAqueductLong,     CheckAqueductLongMissing},
  {"aqueduct-bend-radius",         CheckAqueductBend,     CheckAqueductStraight},
  {"aqueduct-box-free-area",       CheckAqueductBoxArea,  CheckAqueductNotBox},
  {"aqueduct-box-clear-height",    CheckAqueductBoxHeight, CheckAqueductNotBox},
  {"culvert-free-area",            CheckCulvertArea,      CheckCulvertArea},
  {"culvert-free-area-upper",      CheckCulvertAreaUpper, CheckCulvertAreaUpper},
  {"culvert-clear-height",         CheckCulvertHeight,    CheckCulvertHeight},
  {"culvert-free-surface",         CheckCulvertFree,      CheckCulvertFree},
  {"tunnel-free-area",             CheckTunnelArea,       CheckTunnelArea},
  {"tunnel-clear-height",          CheckTunnelHeight,     CheckTunnelHeight},
  {"tunnel-free-area-enlarged",    CheckTunnelArea,       CheckTunnelArea},
  {"tunnel-clear-height-enlarged", CheckTunnelHeight,     CheckTunnelHeight},
  {"drop-single-fall",             CheckDropFall,         CheckDropFall},
  {"chute-steep",                  CheckChuteSteep,       CheckChuteSteep},
}};
// clang-format on

Phrase checkPhrase(const Check& check) {
  std::vector<MessageArg> numbers;
  for (const structures::Compared& number : check.numbers) numbers.push_back(value(number.value));
  // A tunnel's flow beyond its free-surface capacity says so (its Q and Qmax follow the clearance's numbers).
  if (check.rule.starts_with("tunnel-free-area") && check.numbers.size() == 4) return {CheckTunnelOver, numbers};
  for (const CheckWords& words : kCheckWords) {
    if (words.rule != check.rule) continue;
    return {check.verdict == Verdict::NotApplicable ? words.missing : words.compared, std::move(numbers)};
  }
  return {Words, {MessageArg::literal(check.rule)}};
}

// "§10.3.2", "附录 L.1.5", "表 11.2.5", as the standard names them.
Phrase clausePhrase(std::string_view clause) {
  constexpr std::string_view kTable = "Table ";
  if (clause.starts_with(kTable)) return {ClauseTable, {MessageArg::literal(clause.substr(kTable.size()))}};
  if (!clause.empty() && clause.front() >= 'A' && clause.front() <= 'Z') return {ClauseAppendix, {MessageArg::literal(clause)}};
  return {ClauseSection, {MessageArg::literal(clause)}};
}

}  // namespace

void ReportBuilder::heading(TextId id, std::vector<MessageArg> args) {
  args.insert(args.begin(), value(++headings_));
  lines_.push_back({ReportLine::Kind::Heading, {id, std::move(args)}});
}

void ReportBuilder::flows(const structures::FlowsInput& given, const std::vector<Real>& Q, double g) {
  step(StepDesignFlow, {value(given.Q)});
  if (given.Qj > 0) step(StructureEnlargedGiven, {value(given.Qj)});
  if (given.enlarge > 0) step(StepEnlarged, {value(given.Q), value(given.enlarge), value(Q.at(1))});
  if (given.Qmin > 0) step(StructureMinimum, {value(given.Qmin)});
  step(StepGravity, {value(g)});
}

void ReportBuilder::transition(std::string_view symbol, structures::TransitionEnd end, const Real& xi,
                               const structures::TransitionChoice& choice, structures::TransitionFamily family,
                               std::string_view field) {
  const MessageArg name = MessageArg::literal(symbol);
  const structures::TransitionForm* form = structures::findTransitionForm(family, choice.form);
  if (form == nullptr) {
    step(XiGiven, {name, value(xi), MessageArg::field(field)});
    return;
  }
  const bool inlet = end == structures::TransitionEnd::Inlet;
  const structures::Range range = inlet ? form->inlet : form->outlet;
  std::vector<MessageArg> args{name, value(xi), MessageArg::literal(structures::familyTable(family)),
                               MessageArg::words(form->name.chinese, form->name.english)};
  if (range.low == range.high) {
    step(XiForm, std::move(args));
  } else if (!std::isnan(choice.angle)) {
    args.push_back(value(choice.angle));
    step(XiFormAngle, std::move(args));
  } else {
    step(XiFormTyped, std::move(args));
  }
}

void ReportBuilder::flowHeading(structures::FlowCase which, const Real& Q) {
  heading(StructureHeadingFlow, {MessageArg::term(structures::flowCaseKey(which)), value(Q)});
}

void ReportBuilder::checks(const std::vector<Check>& checks) {
  for (const Check& check : checks) {
    step(StructureCheckLine, {MessageArg::term(structures::verdictTerm(check.verdict)), MessageArg::term(check.rule),
                              MessageArg::nested(checkPhrase(check)), MessageArg::nested(clausePhrase(check.clause))});
  }
}

Table checksTable(const std::vector<Check>& checks) {
  using enum QuantityId;
  std::vector<Row> rows;
  for (const Check& check : checks) {
    rows.push_back(Row({Cell::termed(check.rule), Cell::textOf(check.clause), Cell::termed(structures::verdictTerm(check.verdict)),
                        check.numbers.empty() ? Cell::absent("not-applicable") : Cell::of(check.numbers.front().value.toDouble()),
                        Cell::phraseOf(checkPhrase(check))}));
  }
  return Table::of("checks", {CheckKey, Clause, Verdict, CheckValue, CheckMessage}, std::move(rows));
}

Group flowGroup(structures::FlowCase which) {
  Group group(structures::flowCaseKey(which));
  group.rowKey = "flow";
  group.items.reserve(24);
  return group;
}

Group barrelFlowGroup(const structures::BarrelFlow& f) {
  using enum QuantityId;
  Group group = flowGroup(f.which);
  ItemList list(group.items);
  list.number(Discharge, f.Q);
  list.number(Depth, f.h);
  list.number(Area, f.A);
  list.number(Velocity, f.v);
  list.number(FreeAreaPct, f.freeAreaPct);
  list.number(FreeHeight, f.freeHeight);
  if (!f.carried) list.number(QMax, f.QMax);
  if (f.hasEnds) list.number(Z1, f.Z1);
  list.number(Z2, f.Z2);
  if (f.hasEnds) {
    list.number(Z3, f.Z3);
    list.number(Dz, f.dZ);
  }
  return group;
}

}  // namespace channelflow::calc
