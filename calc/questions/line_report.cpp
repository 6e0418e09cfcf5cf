// The canal line's calculation report (计算书): what was given, the plan,
// how each flow was marched and what each structure cost at it, the banks
// and the checks; the results tables follow it in the text view.
#include "calc/canal/line_answer.h"
#include "calc/structures/check.h"

namespace channelflow::calc {
namespace {

using enum TextId;
using Kind = ReportLine::Kind;
using structures::FlowCase;

MessageArg measured(const Real& x, UnitKind unit) { return MessageArg::measure(x.toDouble(), static_cast<int>(unit)); }
MessageArg length(const Real& x) { return measured(x, UnitKind::Length); }
MessageArg plain(const Real& x) { return measured(x, UnitKind::None); }

class Report {
 public:
  explicit Report(const LineAnswerData& data) : line_(data.line), result_(data.result) {}

  std::vector<ReportLine> take() {
    lines_.push_back({Kind::Plain, {LineReportTitle, {}}});
    given();
    plan();
    design();
    fixed();
    banks();
    checks();
    return std::move(lines_);
  }

 private:
  void heading(TextId id) { lines_.push_back({Kind::Heading, {id, {MessageArg::value(++headings_)}}}); }
  void step(TextId id, std::vector<MessageArg> args = {}) { lines_.push_back({Kind::Step, {id, std::move(args)}}); }

  std::string stake(std::size_t node) const { return stakeText(line_.chain.nodes[node].station, line_.stakePrefix); }
  MessageArg name(std::size_t row) const { return MessageArg::literal(line_.rows[row].name); }
  const NodeWater& water(std::size_t f, std::size_t k) const { return result_.flows[f].nodes[k]; }

  void given() {
    heading(LineHeadingData);
    const std::size_t first = line_.rows.front().down, last = line_.rows.back().down;
    step(LineStepNodes, {MessageArg::value(static_cast<double>(line_.rows.size())), MessageArg::literal(stake(first)),
                         MessageArg::literal(stake(last)),
                         length(difference(line_.chain.nodes[last].station, line_.chain.nodes[first].station))});
    const LineSettings& s = line_.settings;
    if (s.headLevel) {
      step(LineStepHeadLevel, {name(0), length(s.headLevel->toReal())});
    } else {
      const std::size_t c = *line_.controlNode;
      step(LineStepControlLevel, {MessageArg::literal(line_.chain.nodes[c].name.empty() ? stake(c) : line_.chain.nodes[c].name),
                                  length(s.controlLevel->toReal())});
    }
    step(LineStepGravity, {MessageArg::value(s.g), MessageArg::value(s.grade)});
    std::size_t segment = line_.segments.size();
    for (std::size_t r = 0; r < line_.rows.size(); ++r) {
      const std::size_t k = line_.rows[r].down;
      if (line_.nodes[k].segment == segment) continue;
      segment = line_.nodes[k].segment;
      const LineFlows& f = line_.segments[segment];
      const char* source = f.enlargedFromTable && f.minimumByRatio ? "table-and-ratio"
                           : f.enlargedFromTable                   ? "table-6.3.4"
                           : f.minimumByRatio                      ? "ratio-0.4"
                                                                   : "given";
      step(LineStepSegment, {name(r), MessageArg::literal(stake(k)), measured(f.Q[0], UnitKind::Discharge),
                             measured(f.Q[1], UnitKind::Discharge), measured(f.Q[2], UnitKind::Discharge),
                             MessageArg::term(source)});
    }
    if (s.grade <= 3) step(LineStepFreeboardGrade, {MessageArg::value(s.grade)});
  }

  void plan() {
    bool any = false;
    for (std::size_t r = 0; r < line_.rows.size(); ++r) {
      const LineRowInfo& row = line_.rows[r];
      if (row.kind != NodeKind::Ip || !row.curve) continue;
      if (!any) heading(LineHeadingPlan);
      any = true;
      const PlanCurve& c = *row.curve;
      step(LineStepCurve, {name(r), plain(c.deflection), MessageArg::term(c.left ? "left" : "right"), length(c.Rc), length(c.T),
                           length(c.Lc), length(c.BC), length(c.MC), length(c.EC)});
    }
  }

  // Each structure's fall at flow f, with its formula where it has one.
  void structures(std::size_t f) {
    for (const LineStructure& s : line_.structures) {
      const LineRowInfo& in = line_.rows[s.inRow];
      const LineRowInfo& out = line_.rows[s.outRow];
      const NodeWater& a = water(f, in.up);
      const NodeWater& b = water(f, out.down);
      if (!(a.known || f == 0) || !(b.known || f == 0)) continue;
      const Real fall = a.wse - b.wse;
      const MessageArg from = MessageArg::literal(stake(in.up)), to = MessageArg::literal(stake(out.down));
      if (s.reservedOnly) {
        step(LineStepReserved, {name(s.inRow), MessageArg::term(structureTypeKey(s.type)), from, to, length(fall)});
        continue;
      }
      switch (s.type) {
        case StructureType::Siphon: {
          const structures::SiphonResult& r = s.siphonResult;
          const Real Q = result_.flows[f].along.Q[in.up];
          const Real v = Q / (r.area * Real(r.barrels));
          const Real head = v * v / Real(2 * line_.settings.g);
          const Real friction = r.flows.front().friction;
          step(LineStepSiphon, {name(s.inRow), from, to, measured(v, UnitKind::Velocity), plain(r.zeta.sum), plain(friction),
                                length(head), length((r.zeta.sum + friction) * head), length(fall)});
          break;
        }
        case StructureType::Aqueduct:
        case StructureType::Tunnel:
        case StructureType::Culvert: {
          const NodeWater& i = water(f, in.down);
          const NodeWater& o = water(f, out.up);
          if (!i.known || !o.known) break;
          step(LineStepBarrel, {name(s.inRow), MessageArg::term(structureTypeKey(s.type)), from, to, length(i.h),
                                measured(i.x.v, UnitKind::Velocity), length(a.wse - i.wse), length(i.wse - o.wse),
                                length(o.wse - b.wse), length(fall)});
          break;
        }
        case StructureType::Gate: step(LineStepGate, {name(s.inRow), from, length(fall)}); break;
        case StructureType::Drop: step(LineStepDrop, {name(s.inRow), from, length(s.fall), length(a.wse), length(b.wse)}); break;
        case StructureType::Chute: {
          const NodeWater& i = water(f, in.down);
          const NodeWater& o = water(f, out.up);
          if (i.known && o.known) step(LineStepChute, {name(s.inRow), from, to, length(i.h), length(o.h)});
          break;
        }
      }
    }
  }

  // What a node says at flow f: why it has no answer, or what took its place.
  void notes(std::size_t f) {
    for (std::size_t r = 0; r < line_.rows.size(); ++r) {
      const LineRowInfo& row = line_.rows[r];
      if (!row.inChain) continue;
      for (const std::size_t k : {row.up, row.down}) {
        const NodeWater& w = water(f, k);
        if (!w.note || (k == row.down && row.up != row.down && water(f, row.up).note)) continue;
        step(LineStepNote, {name(r), MessageArg::literal(stake(k)), MessageArg::term(structures::flowCaseKey(static_cast<FlowCase>(f))),
                            MessageArg::nested(*w.note)});
        if (row.up == row.down) break;
      }
    }
  }

  void design() {
    heading(LineHeadingDesign);
    step(LineStepDesignMethod);
    structures(0);
    notes(0);
  }

  void fixed() {
    heading(LineHeadingFixed);
    const LineSettings& s = line_.settings;
    if (s.uniform) {
      step(LineStepUniformMethod);
    } else {
      const std::string tail = s.tail ? *s.tail : std::string();
      step(LineStepFixedMethod, {s.tail ? MessageArg::literal(tail) : MessageArg::term("normal-depth-tail"),
                                 MessageArg::term(frictionRuleKey(s.rule))});
    }
    for (const std::size_t f : {std::size_t{1}, std::size_t{2}}) {
      step(LineStepFlow, {MessageArg::term(structures::flowCaseKey(static_cast<FlowCase>(f)))});
      structures(f);
      notes(f);
    }
  }

  void banks() {
    heading(LineHeadingBanks);
    std::optional<std::size_t> last;
    for (std::size_t r = 0; r < line_.rows.size(); ++r) {
      const LineNode& node = line_.nodes[line_.rows[r].down];
      if (!node.section || node.section == last) continue;
      last = node.section;
      const std::size_t s = *node.section;
      if (!result_.heightNeeded[s] || !result_.heightAdopted[s]) continue;
      step(LineStepHeight, {name(r), MessageArg::literal(stake(line_.rows[r].down)), length(*result_.heightNeeded[s]),
                            length(*result_.heightAdopted[s])});
    }
    for (const TroughHeight& t : result_.troughs) {
      if (t.needed) step(LineStepTrough, {name(line_.structures[t.structure].inRow), length(*t.needed), length(t.adopted)});
    }
  }

  void checks() {
    heading(LineHeadingChecks);
    std::size_t pass = 0, fail = 0, none = 0;
    for (const LineCheck& c : result_.checks) {
      const structures::Verdict v = c.check.verdict;
      (v == structures::Verdict::Pass ? pass : v == structures::Verdict::Fail ? fail : none) += 1;
    }
    step(LineStepChecksCount, {MessageArg::value(static_cast<double>(result_.checks.size())), MessageArg::value(static_cast<double>(pass)),
                               MessageArg::value(static_cast<double>(fail)), MessageArg::value(static_cast<double>(none))});
    for (const LineCheck& c : result_.checks) {
      if (c.check.verdict != structures::Verdict::Fail || c.check.numbers.size() < 2) continue;
      const std::vector<structures::Compared>& n = c.check.numbers;
      // The limit passed: the lower one where the value falls short of it.
      const structures::Compared& limit = n.size() > 2 && n[0].value < n[1].value ? n[1] : n.back();
      step(LineStepCheckFail,
           {name(c.row), MessageArg::literal(stake(line_.rows[c.row].down)),
            MessageArg::term(c.flow ? structures::flowCaseKey(*c.flow) : "all-flows"),
            MessageArg::term(c.check.rule), MessageArg::literal(n[0].symbol), MessageArg::value(n[0].value.toDouble()),
            MessageArg::literal(limit.symbol), MessageArg::value(limit.value.toDouble()), MessageArg::literal(c.check.clause)});
    }
  }

  const CanalLine& line_;
  const LineResult& result_;
  std::vector<ReportLine> lines_;
  int headings_ = 0;
};

}  // namespace

std::vector<ReportLine> lineReport(const LineAnswerData& data) { return Report(data).take(); }

}  // namespace channelflow::calc
