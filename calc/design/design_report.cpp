#include "calc/design/design_report.h"

#include "calc/design/canal_grade.h"
#include "calc/design/design_checks.h"
#include "numeric/elementary/elementary.h"
#include "numeric/text/number_text.h"

namespace channelflow::calc::design {
namespace {

using enum TextId;
using Kind = ReportLine::Kind;

MessageArg value(const Real& x) { return MessageArg::value(x.toDouble()); }
MessageArg value(double x) { return MessageArg::value(x); }

class Report {
 public:
  void line(Kind kind, TextId id, std::vector<MessageArg> args = {}) {
    lines_.push_back({kind, Phrase{id, std::move(args)}});
  }
  void step(TextId id, std::vector<MessageArg> args = {}) { line(Kind::Step, id, std::move(args)); }
  void heading(TextId id) { line(Kind::Heading, id, {value(++headings_)}); }
  void place(Kind kind) { lines_.push_back({kind, {}}); }
  std::vector<ReportLine> take() { return std::move(lines_); }

 private:
  std::vector<ReportLine> lines_;
  int headings_ = 0;
};

// Table 3.1.5's class of the grade: "5 ≤ Q < 20 m³/s".
std::string gradeClass(int grade) {
  const auto grades = canalGrades();
  for (std::size_t k = 0; k < grades.size(); ++k) {
    if (grades[k].grade != grade) continue;
    const std::string from = numeric::formatDouble(grades[k].fromQ);
    if (k == 0) return "Q ≥ " + from + " m³/s";
    const std::string to = numeric::formatDouble(grades[k - 1].fromQ);
    if (grades[k].fromQ == 0) return "Q < " + to + " m³/s";
    return from + " ≤ Q < " + to + " m³/s";
  }
  return "";
}

void data(Report& r, const DesignQuestion& q, const DesignResult& d) {
  r.heading(HeadingData);
  r.step(StepDesignFlow, {value(q.Q)});
  r.step(StepSlope, {value(q.i)});
  if (q.lining) r.step(StepLining, {MessageArg::row(q.lining->key), MessageArg::literal(q.lining->table)});
  if (q.n || !q.lining) {
    r.step(StepRoughnessGiven, {value(d.n)});
  } else if (q.lining->low != q.lining->high) {
    r.step(StepRoughnessRange,
           {value(d.n), value(q.lining->low), value(q.lining->high), MessageArg::term(pickTerm(q.nPick))});
  } else {
    r.step(StepRoughnessTable, {value(d.n)});
  }
  if (q.soil) r.step(StepSoil, {MessageArg::row(q.soil->key)});
  if (q.sizing == Sizing::GivenU) {
    r.step(StepUShape, {value(q.r), value(q.m)});
  } else if (q.m == 0) {
    r.step(StepRectangle);
  } else {
    r.step(StepTrapezoid, {value(q.m)});
  }
  r.step(StepMethod, {MessageArg::term(sizingTerm(q.sizing))});
  if (q.vMin || q.vMax) r.step(StepLimits, {MessageArg::literal(limitsText(q))});
}

void flows(Report& r, const DesignQuestion& q, const DesignResult& d) {
  r.heading(HeadingFlows);
  r.step(StepGrade, {value(d.grade), MessageArg::literal(gradeClass(d.grade))});
  if (d.enlargeRow) {
    const EnlargementRow& row = *d.enlargeRow;
    const std::string flows = row.fromQ == 0 ? "< " + numeric::formatDouble(row.toQ)
                                             : numeric::formatDouble(row.fromQ) + "～" + numeric::formatDouble(row.toQ);
    // The table writes its percentages from the larger down: "25～20".
    r.step(StepEnlargeTable, {value(d.enlarge), MessageArg::literal(flows), value(row.larger), value(row.smaller),
                              MessageArg::field("enlarge")});
  } else {
    r.step(StepEnlargeGiven, {value(d.enlarge), MessageArg::field("enlarge")});
  }
  r.step(StepEnlarged, {value(q.Q), value(d.enlarge), value(d.Qj)});
  r.step(StepMinimum, {value(q.minRatio), value(q.Q), value(d.Qmin)});
}

void best(Report& r, const DesignQuestion& q, const DesignResult& d) {
  const BestSection& b = *d.best;
  r.heading(HeadingBest);
  r.step(StepK, {value(q.m), value(b.K)});
  r.step(StepH0, {value(d.n), value(q.Q), value(b.K), value(q.i), value(b.h0)});
  // 1.189 / 2^(1/4) times h0: the depth the printed constant gives.
  const Real printed = Real(1.189) / numeric::sqrt(numeric::sqrt(Real(2))) * b.h0;
  r.line(Kind::Note, NoteH0, {value(printed)});
  r.step(StepB0, {value(q.m), value(b.h0), value(b.b0)});
  r.step(StepA0, {value(b.b0), value(b.h0), value(q.m), value(b.A0)});
  r.step(StepV0, {value(q.Q), value(b.A0), value(b.v0)});
}

void sizing(Report& r, const DesignQuestion& q, const DesignResult& d) {
  const Real& h = d.design.h;
  const Real& b = d.channel.size;
  switch (q.sizing) {
    case Sizing::AppendixE: {
      r.heading(HeadingSchemes);
      r.step(StepSchemeFormulas);
      r.place(Kind::Schemes);
      const EconomicScheme& s = d.schemes[d.chosen];
      const MessageArg alpha = value(s.alpha);
      const MessageArg limits = MessageArg::literal(limitsText(q));
      switch (d.choice) {
        case SchemeChoice::NoLimits: r.step(ChoiceNoLimits, {alpha}); break;
        case SchemeChoice::WithinLimits: r.step(ChoiceWithin, {alpha, limits}); break;
        case SchemeChoice::NoneWithinLimits: r.step(ChoiceNoneWithin, {alpha, limits}); break;
        case SchemeChoice::Given: r.step(ChoiceGiven, {alpha, MessageArg::field("alpha")}); break;
        case SchemeChoice::GivenOutsideTable: r.step(ChoiceOutsideTable, {alpha, MessageArg::field("alpha")}); break;
      }
      r.step(StepChosen, {value(s.eta), value(d.best->h0), value(h), value(s.beta), value(b)});
      break;
    }
    case Sizing::Ratio:
      r.heading(HeadingRatio);
      r.step(StepRatioDepth, {value(d.n), value(q.Q), value(q.beta), value(q.m), value(q.i), value(h)});
      r.step(StepRatioWidth, {value(q.beta), value(h), value(b)});
      break;
    case Sizing::Width:
      r.heading(HeadingWidth);
      r.step(StepNormalDepth, {value(h)});
      break;
    case Sizing::GivenU:
      r.heading(HeadingGivenU);
      r.step(StepNormalDepth, {value(h)});
      break;
  }
}

void section(Report& r, const DesignQuestion& q, const DesignResult& d) {
  const FlowState& f = d.design;
  r.heading(HeadingSection);
  if (q.sizing == Sizing::GivenU) {
    r.step(StepUGeometry, {value(f.A), value(f.P), value(f.R), value(f.T)});
  } else {
    const MessageArg b = value(d.channel.size), m = value(q.m), h = value(f.h);
    r.step(StepArea, {b, m, h, value(f.A)});
    r.step(StepPerimeter, {b, h, m, value(f.P)});
    r.step(StepRadius, {value(f.A), value(f.P), value(f.R)});
    r.step(StepTopWidth, {b, m, h, value(f.T)});
  }
  r.step(StepVelocity, {value(q.Q), value(f.A), value(f.v)});
  r.step(StepFroude, {value(f.v), value(f.A), value(f.T), value(f.Fr), MessageArg::term(regimeTerm(f.regime))});
  if (q.sizing == Sizing::Ratio || q.sizing == Sizing::Width) {
    r.step(StepAreaRatio, {value(f.A), value(d.best->A0), value(f.A / d.best->A0)});
  }
}

void otherFlows(Report& r, const DesignResult& d) {
  r.heading(HeadingOtherFlows);
  for (const auto& [f, id] : {std::pair{&d.enlarged, StepEnlargedDepth}, std::pair{&d.minimum, StepMinimumDepth}}) {
    r.step(id, {value(f->Q), value(f->h), value(f->A), value(f->R), value(f->v), value(f->Fr)});
  }
}

void bank(Report& r, const DesignQuestion& q, const DesignResult& d) {
  r.heading(HeadingBank);
  if (q.freeboard) {
    r.step(StepFreeboardGiven, {value(d.Fb), MessageArg::field("freeboard")});
  } else {
    r.step(StepFreeboardFormula, {value(d.enlarged.h), value(d.Fb)});
  }
  r.step(StepCanalDepth, {value(d.enlarged.h), value(d.Fb), value(d.H)});
  if (!d.bend) return;
  const BendRise& bend = *d.bend;
  const Real fiveWidths = Real(5) * d.enlarged.T;
  if (bend.needed) {
    r.step(StepBendNeeded, {value(bend.Rc), value(d.enlarged.T), value(d.enlarged.v), value(fiveWidths), value(bend.rise),
                            value(d.H + bend.rise)});
  } else {
    r.step(StepBendNotNeeded, {value(bend.Rc), value(fiveWidths), value(d.enlarged.v)});
  }
}

void scourLimit(Report& r, const DesignQuestion& q, const DesignResult& d) {
  if (!d.scour) return;
  const ScourLimit& s = *d.scour;
  if (s.row == nullptr) {
    r.step(StepScourGiven, {value(s.value), MessageArg::field("v-max")});
    return;
  }
  const ScourRow& row = *s.row;
  const MessageArg table = MessageArg::literal(row.table), name = MessageArg::row(row.key);
  const MessageArg pick = MessageArg::term(pickTerm(q.scourPick));
  switch (row.basis) {
    case ScourBasis::Radius:
    case ScourBasis::CoverRadius:
      r.step(StepScourRadius, {table, name, MessageArg::literal(cellText(row.v[0])), pick, value(s.cell), value(d.enlarged.R),
                               value(s.value)});
      break;
    case ScourBasis::Depth:
      if (s.from == s.to) {
        r.step(StepScourDepthEdge, {table, name, value(d.enlarged.h), value(kScourDepths[s.from]), pick, value(s.value)});
      } else {
        r.step(StepScourDepth, {table, name, value(d.enlarged.h), value(kScourDepths[s.from]), value(kScourDepths[s.to]), pick,
                                value(picked(row.v[s.from].low, row.v[s.from].high, q.scourPick)),
                                value(picked(row.v[s.to].low, row.v[s.to].high, q.scourPick)), value(s.value)});
      }
      break;
    case ScourBasis::Fixed:
      r.step(StepScourFixed, {table, name, MessageArg::literal(cellText(row.v[0])), value(s.value)});
      break;
  }
}

}  // namespace

const char* sizingTerm(Sizing sizing) {
  switch (sizing) {
    case Sizing::AppendixE: return "appendix-e";
    case Sizing::Ratio: return "beta";
    case Sizing::Width: return "width";
    case Sizing::GivenU: return "check";
  }
  return "";
}

const char* pickTerm(Pick pick) {
  switch (pick) {
    case Pick::Low: return "low";
    case Pick::Middle: return "middle";
    case Pick::High: return "high";
  }
  return "";
}

std::vector<ReportLine> designReport(const DesignQuestion& q, const DesignResult& d) {
  Report r;
  r.line(Kind::Title, ReportTitle);
  data(r, q, d);
  flows(r, q, d);
  if (d.best) best(r, q, d);
  sizing(r, q, d);
  section(r, q, d);
  otherFlows(r, d);
  bank(r, q, d);
  r.heading(HeadingChecks);
  scourLimit(r, q, d);
  r.place(Kind::Checks);
  return r.take();
}

}  // namespace channelflow::calc::design
