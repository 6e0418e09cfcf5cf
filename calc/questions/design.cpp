// design: an irrigation canal by GB 50288-2018, from the inputs as texts to
// its items, schemes, checks, report and drawing.
#include <array>

#include "calc/design/canal_design.h"
#include "calc/design/design_checks.h"
#include "calc/design/design_report.h"
#include "calc/toolkit/result_value.h"
#include "calc/toolkit/toolkit.h"
#include "calc/questions/drawing.h"
#include "calc/services/dxf_writer.h"
#include "calc/toolkit/item_list.h"

namespace channelflow::calc {
namespace {

using design::DesignQuestion;
using design::DesignResult;
using design::Pick;
using design::Sizing;

constexpr std::array<std::pair<std::string_view, Pick>, 3> kPicks{
    {{"low", Pick::Low}, {"middle", Pick::Middle}, {"high", Pick::High}}};

Pick pickOf(const Inputs& inputs, std::string_view key, Pick otherwise) {
  const std::string* text = inputs.find(key);
  if (text == nullptr) return otherwise;
  for (const auto& [name, pick] : kPicks) {
    if (name == *text) return pick;
  }
  fail(MessageId::UnknownChoice, key, {MessageArg::literal("low、middle、high"), MessageArg::literal(quoteForMessage(*text))});
}

// Which inputs the question takes, before any value is read (wrong usage otherwise).
Sizing checkUsage(const InputReader& reader) {
  const Inputs& inputs = reader.inputs();
  const std::string* section = inputs.find("section");
  const bool u = section && *section == "u";
  if (section && !u && *section != "trapezoid") {
    fail(MessageId::DesignSection, "section", {MessageArg::literal(quoteForMessage(*section))});
  }
  reader.requireGiven("Q");
  reader.requireGiven("i");
  if (!inputs.has("n") && !inputs.has("lining")) reader.requireGiven("n");
  const int sizings = inputs.has("alpha") + inputs.has("beta") + inputs.has("B");
  if (sizings > 1) {  // the last box of the ones given: the one to clear
    fail(MessageId::OneSizing, inputs.has("B") ? "B" : "beta",
         {MessageArg::field("alpha"), MessageArg::field("beta"), MessageArg::field("B")});
  }
  if (u) {
    for (std::string_view key : {"alpha", "beta", "B"}) {
      if (inputs.has(key)) fail(MessageId::NotTakenBySection, key, {MessageArg::literal("u")});
    }
    reader.requireGiven("r");
    return Sizing::GivenU;
  }
  if (inputs.has("r")) fail(MessageId::NotTakenBySection, "r", {MessageArg::literal("trapezoid")});
  reader.requireGiven("m");
  return inputs.has("beta") ? Sizing::Ratio : inputs.has("B") ? Sizing::Width : Sizing::AppendixE;
}

std::optional<double> optional(InputReader& reader, std::string_view key) {
  return reader.inputs().has(key) ? reader.number(key) : std::nullopt;
}

DesignQuestion readQuestion(InputReader& reader) {
  const Inputs& inputs = reader.inputs();
  DesignQuestion q;
  q.sizing = checkUsage(reader);
  q.nPick = pickOf(inputs, "n-pick", Pick::Middle);
  q.scourPick = pickOf(inputs, "scour-pick", Pick::Low);

  const std::optional<double> Q = reader.number("Q");
  q.Q = Real(Q.value_or(1));
  if (const std::optional<double> i = reader.number("i")) {
    if (!(*i > 0)) reader.keep({MessageId::NoUniformFlow, "i", {}});
    q.i = Real(*i);
  }
  q.n = optional(reader, "n");
  if (const std::string* key = inputs.find("lining")) {
    q.lining = design::findRoughnessRow(*key);
    if (q.lining == nullptr) {
      reader.keep({MessageId::UnknownLining, "lining", {MessageArg::literal(quoteForMessage(*key))}});
    } else if (Q && !design::inFlowClass(q.lining->flow, *Q)) {
      reader.keep({MessageId::LiningFlowClass, "lining", {MessageArg::row(q.lining->key), MessageArg::value(*Q)}});
    }
  }
  if (const std::string* key = inputs.find("soil")) {
    q.soil = design::findSoil(*key);
    if (!q.soil) {
      std::string others;
      for (const design::OtherSoil& soil : design::otherSoils()) others += (others.empty() ? "" : "、") + std::string(soil.key);
      reader.keep({MessageId::UnknownSoil, "soil", {MessageArg::literal(quoteForMessage(*key)), MessageArg::literal(others)}});
    }
  }
  q.m = optional(reader, "m").value_or(0);
  if (q.sizing == Sizing::GivenU) q.r = reader.number("r").value_or(1);
  if (q.sizing == Sizing::AppendixE) {
    q.alpha = optional(reader, "alpha");
    if (q.alpha && *q.alpha < 1) reader.keep({MessageId::AlphaBelowOne, "alpha", {}});
  }
  const std::string_view widthKey = q.sizing == Sizing::Ratio ? "beta" : "B";
  if (q.sizing == Sizing::Ratio || q.sizing == Sizing::Width) {
    if (const std::optional<double> width = reader.number(widthKey)) {
      (q.sizing == Sizing::Ratio ? q.beta : q.width) = *width;
      if (*width == 0 && q.m == 0) reader.keep({MessageId::NoWidth, std::string(widthKey), {}});
    }
  }
  q.vMin = optional(reader, "v-min");
  q.vMax = optional(reader, "v-max");
  if (q.vMin && q.vMax && !(*q.vMin < *q.vMax)) {
    reader.keep({MessageId::LimitsOrder, "v-min", {MessageArg::field("v-max")}});
  }
  q.enlarge = optional(reader, "enlarge");
  if (const std::optional<double> ratio = optional(reader, "min-ratio")) {
    if (*ratio > 1) reader.keep({MessageId::MinRatioRange, "min-ratio", {}});
    q.minRatio = *ratio;
  }
  q.freeboard = optional(reader, "freeboard");
  q.bendRadius = optional(reader, "bend-radius");
  reader.finish();
  return q;
}

void addItems(ItemList& list, const DesignQuestion& q, const DesignResult& d) {
  using enum QuantityId;
  const bool u = q.sizing == Sizing::GivenU;
  list.term(DesignMethod, design::sizingTerm(q.sizing));
  list.term(Section, u ? "u" : "trapezoid");
  list.exact(Discharge, q.Q.toDouble());
  list.exact(Slope, q.i.toDouble());
  if (q.lining) list.term(Lining, q.lining->key);
  list.exact(N, d.n);
  if (q.soil) list.term(Soil, q.soil->key);
  if (u) list.exact(Radius, q.r);
  list.exact(M, q.m);
  list.exact(Grade, d.grade);
  list.exact(Enlarge, d.enlarge);
  list.number(EnlargedDischarge, d.Qj);
  list.number(MinimumDischarge, d.Qmin);
  if (d.best) {
    list.number(BestDepth, d.best->h0);
    list.number(BestWidth, d.best->b0);
    list.number(BestArea, d.best->A0);
    list.number(BestVelocity, d.best->v0);
  }
  const FlowState& f = d.design;
  if (q.sizing == Sizing::AppendixE) list.exact(Alpha, d.schemes[d.chosen].alpha);
  if (!u) list.number(B, d.channel.size);
  list.number(Depth, f.h);
  if (q.sizing == Sizing::AppendixE) list.number(Beta, d.schemes[d.chosen].beta);
  if (q.sizing == Sizing::Ratio) list.exact(Beta, q.beta);
  if (q.sizing == Sizing::Width) list.number(Beta, d.channel.size / f.h);
  list.number(Area, f.A);
  list.number(Perimeter, f.P);
  list.number(HydraulicRadius, f.R);
  list.number(TopWidth, f.T);
  list.number(Velocity, f.v);
  list.number(Froude, f.Fr);
  list.term(Regime, regimeTerm(f.regime));
  list.number(EnlargedDepth, d.enlarged.h);
  list.number(EnlargedVelocity, d.enlarged.v);
  list.number(EnlargedFroude, d.enlarged.Fr);
  list.number(MinimumDepth, d.minimum.h);
  list.number(MinimumVelocity, d.minimum.v);
  list.number(MinimumFroude, d.minimum.Fr);
  list.number(Freeboard, d.Fb);
  list.number(CanalDepth, d.H);
  if (d.bend) {
    list.number(EnlargedWidth, d.enlarged.T);
    if (d.bend->needed) {
      list.number(BendRise, d.bend->rise);
      list.number(BendDepth, d.H + d.bend->rise);
    } else {
      list.none(BendRise, "not-required");
    }
  }
  if (d.scour) list.number(ScourVelocity, d.scour->value);
}

Row schemeRow(const design::EconomicScheme& s, bool chosen) {
  bool inTable = false;
  for (double alpha : design::kTableAlphas) inTable = inTable || alpha == s.alpha;
  return Row({Cell::of(s.alpha), Cell::of(resultValue(s.eta, "eta")), Cell::of(resultValue(s.beta, "beta")),
           Cell::of(resultValue(s.b, "B")), Cell::of(resultValue(s.h, "h")), Cell::of(resultValue(s.A, "A")),
           Cell::of(resultValue(s.v, "v")), Cell::of(resultValue((Real(s.alpha) - Real(1)) * Real(100), "increase")),
           Cell::yesNo(chosen), Cell::yesNo(inTable)});
}

Row checkRow(const design::DesignCheck& check) {
  using design::CheckStatus;
  return Row({Cell::termed(check.key),
           check.status == CheckStatus::NotChecked ? Cell::absent("not-checked") : Cell::yesNo(check.status == CheckStatus::Pass),
           Cell::phraseOf(check.message)});
}

DesignDrawing drawingOf(const DesignQuestion& q, const DesignResult& d) {
  DesignDrawing drawing;
  drawing.trapezoid = q.sizing != Sizing::GivenU;
  drawing.b = d.channel.size.toDouble();
  drawing.m = q.m;
  drawing.r = q.r;
  drawing.h = d.design.h.toDouble();
  drawing.hj = d.enlarged.h.toDouble();
  drawing.Fb = d.Fb.toDouble();
  drawing.H = d.H.toDouble();
  drawing.Q = q.Q.toDouble();
  drawing.outline = outlineOf(d.channel, drawing.h, drawing.H);
  const Outline enlarged = outlineOf(d.channel, drawing.hj, drawing.H);
  drawing.enlargedLeft = enlarged.waterLeft;
  drawing.enlargedRight = enlarged.waterRight;
  return drawing;
}

// The drawing as the answer carries it: the sizes it marks, the outline and
// the enlarged flow's surface.
Group drawingGroup(const DesignDrawing& d) {
  Group group("drawing");
  ItemList list(group.items);
  using enum QuantityId;
  list.term(Section, d.trapezoid ? "trapezoid" : "u");
  list.exact(B, d.b);
  list.exact(M, d.m);
  list.exact(Radius, d.r);
  list.exact(Depth, d.h);
  list.exact(EnlargedDepth, d.hj);
  list.exact(Freeboard, d.Fb);
  list.exact(CanalDepth, d.H);
  list.exact(Discharge, d.Q);
  group.tables = outlineTables(d.outline);
  group.tables.push_back(Table::of("water_enlarged", {X, Z},
                                   {Row({Cell::of(d.enlargedLeft[0]), Cell::of(d.enlargedLeft[1])}),
                                    Row({Cell::of(d.enlargedRight[0]), Cell::of(d.enlargedRight[1])})}));
  return group;
}

}  // namespace

Answer designCanal(const Inputs& inputs) {
  InputReader reader(inputs);
  const DesignQuestion q = readQuestion(reader);
  const DesignResult d = design::computeDesign(q);
  Answer answer("design", UnitSystem::SI);
  Group& record = answer.record();
  record.items.reserve(48);
  ItemList list(record.items);
  addItems(list, q, d);
  using enum QuantityId;
  std::vector<Row> schemes;
  for (std::size_t k = 0; k < d.schemes.size(); ++k) schemes.push_back(schemeRow(d.schemes[k], k == d.chosen));
  record.tables.push_back(
      Table::of("schemes", {Alpha, Eta, Beta, B, Depth, Area, Velocity, AreaIncrease, Chosen, InTable}, std::move(schemes)));
  const std::vector<design::DesignCheck> checks = design::designChecks(q, d);
  std::vector<Row> checkRows;
  for (const design::DesignCheck& check : checks) checkRows.push_back(checkRow(check));
  record.tables.push_back(Table::of("checks", {CheckKey, CheckOk, CheckMessage}, std::move(checkRows)));
  record.groups.push_back(drawingGroup(drawingOf(q, d)));
  answer.reportRole = Answer::ReportRole::Document;
  answer.report = design::designReport(q, d, record.tables[0], checks);
  return answer;
}

DesignDrawing designDrawing(const Inputs& inputs) {
  InputReader reader(inputs);
  const DesignQuestion q = readQuestion(reader);
  return drawingOf(q, design::computeDesign(q));
}

}  // namespace channelflow::calc
