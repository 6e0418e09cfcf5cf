#include "tools/section_report.h"

#include "calc/flow_error.h"
#include "tools/channel_options.h"
#include "tools/csv.h"

#include <cmath>
#include <optional>
#include <variant>

namespace channelflow::tools {

void Report::add(std::string_view key, std::string_view label, std::string_view unit, double value) {
  items_.push_back({std::string(key), std::string(label), std::string(unit), value, {}, {}, false});
}

void Report::addText(std::string_view key, std::string_view label, std::string_view text, std::string_view shown) {
  items_.push_back({std::string(key), std::string(label), {}, 0, std::string(text), std::string(shown), true});
}

void Report::addNone(std::string_view key, std::string_view label, std::string_view why) {
  items_.push_back({std::string(key), std::string(label), {}, 0, std::string(why), {}, true, true});
}

void Report::addChannel(const sections::Channel& c, bool withSlope, bool withRoughness) {
  const sections::Units& u = c.units;
  addText("section", "断面形状", sections::sectionName(c.section), sectionChineseName(c.section));
  addText("units", "单位制", u.key, u.system == sections::UnitSystem::US ? "英制（ft、ft³/s）" : "国际单位制（m、m³/s）");
  if (const auto* t = std::get_if<sections::Trapezoid>(&c.section)) {
    add("B", "下底宽 B", u.length, t->B);
    if (t->m1 == t->m2) {
      add("m", "边坡系数 m", "", t->m1);
    } else {
      add("m1", "左边坡系数 m1", "", t->m1);
      add("m2", "右边坡系数 m2", "", t->m2);
    }
  } else if (const auto* circle = std::get_if<sections::Circle>(&c.section)) {
    // "D" is the hydraulic depth's key, as in the first edition.
    add("diameter", "直径 D", u.length, circle->D);
  } else if (const auto* shape = std::get_if<sections::UShape>(&c.section)) {
    add("r", "底部半径 r", u.length, shape->r);
    add("m", "边坡系数 m", "", shape->m);
  } else if (const auto* parabola = std::get_if<sections::Parabola>(&c.section)) {
    add("p", "抛物线参数 p", u.length, parabola->p);
  }
  if (withSlope) add("i", "渠底坡度 i", "", c.i);
  if (!withRoughness) return;
  if (c.roughness.composite) {
    add("n-bed", "渠底粗糙系数 n-bed", "", c.roughness.nBed);
    add("n-wall", "边壁粗糙系数 n-wall", "", c.roughness.nWall);
    addText("n-method", "综合粗糙系数计算方法", sections::kCompositeMethodName);
  } else {
    add("n", "粗糙系数 n", "", c.roughness.n);
  }
}

namespace {

// The plain trapezoid's quantities from calc/hydraulics.h, in the sections' form,
// with its Chezy C and critical depth; nothing when it is not one or has no answer there.
struct PlainFlow {
  sections::FlowState flow;
  double C = 0;
  double hc = 0;
};

std::optional<PlainFlow> plainTrapezoidFlow(const sections::Channel& c, double h) {
  const std::optional<calc::Channel> trapezoid = asPlainTrapezoid(c);
  if (!trapezoid) return std::nullopt;
  calc::FlowState f;
  try {
    f = calc::describeFlow(*trapezoid, h);
  } catch (const calc::HydraulicsError&) {
    return std::nullopt;
  }
  PlainFlow plain;
  plain.flow.h = f.h;
  plain.flow.geometry = {f.A, f.P, f.R, f.T, f.D, 0};
  plain.flow.n = f.channel.n;
  plain.flow.v = f.v;
  plain.flow.Q = f.Q;
  plain.flow.Fr = f.Fr;
  plain.flow.regime = static_cast<sections::FlowRegime>(f.regime);
  plain.flow.E = f.E;
  plain.flow.Sf = f.channel.i;
  plain.flow.tau0 = f.tau0;
  plain.C = f.C;
  plain.hc = f.hc;
  return plain;
}

}  // namespace

void Report::addFlow(const sections::Channel& c, const sections::FlowState& given) {
  const std::optional<PlainFlow> plain = plainTrapezoidFlow(c, given.h);
  const sections::FlowState& f = plain ? plain->flow : given;
  const sections::Units& u = c.units;
  const std::string rootUnit = std::string(u.length) + "^0.5/s";
  add("h", "水深 h", u.length, f.h);
  if (c.roughness.composite) add("n", "等效粗糙系数 n", "", f.n);
  add("A", "过水断面面积 A", u.area, f.geometry.A);
  add("P", "湿周 P", u.length, f.geometry.P);
  add("R", "水力半径 R", u.length, f.geometry.R);
  add("T", "水面宽度 T", u.length, f.geometry.T);
  // A circle running full has no free surface: no hydraulic depth, no Froude number.
  if (std::isfinite(f.geometry.D)) add("D", "水力深度 D", u.length, f.geometry.D);
  add("C", "谢才系数 C", rootUnit, plain ? plain->C : u.manning * std::pow(f.geometry.R, 1.0 / 6.0) / f.n);
  add("v", "流速 v", u.velocity, f.v);
  add("Q", "流量 Q", u.discharge, f.Q);
  if (f.geometry.T > 0) {
    add("Fr", "弗劳德数 Fr", "", f.Fr);
    addText("regime", "流态", sections::regimeName(f.regime));
  }
  try {
    const sections::CriticalFlow critical = sections::criticalFlow(c, f.Q);
    add("hc", "临界水深 hc", u.length, plain ? plain->hc : critical.hc);
    add("vc", "临界流速 vc", u.velocity, critical.vc);
    add("ic", "临界坡度 ic", "", critical.ic);
  } catch (const sections::FlowError& error) {
    // A pipe too small to pass this discharge critically: the rest still holds.
    addText("critical", "临界流", error.what());
  }
  add("E", "断面比能 E", u.length, f.E);
  add("tau0", "床面切应力 τ0", u.stress, f.tau0);
}

void printReport(const Report& report, OutputFormat format, OutputSink& out) {
  const auto& items = report.items();
  switch (format) {
    case OutputFormat::Text:
      for (const ReportItem& item : items) {
        out.put(item.label);
        out.put(" = ");
        item.isText ? out.put(item.shown.empty() ? item.text : item.shown) : out.number(item.number);
        if (!item.unit.empty()) {
          out.put(' ');
          out.put(item.unit);
        }
        out.endLine();
      }
      break;
    case OutputFormat::Csv:
      for (std::size_t k = 0; k < items.size(); ++k) {
        if (k) out.put(',');
        out.put(items[k].key);
      }
      out.endLine();
      printCsvRow(report, out);
      break;
    case OutputFormat::Json:
      out.put('{');
      putJsonMembers(report, out);
      out.put('}');
      out.endLine();
      break;
  }
}

void putJsonMembers(const Report& report, OutputSink& out) {
  const auto& items = report.items();
  for (std::size_t k = 0; k < items.size(); ++k) {
    out.put(k ? ", " : "");
    out.jsonString(items[k].key);
    out.put(": ");
    if (items[k].isNull) {
      out.put("null");
    } else {
      items[k].isText ? out.jsonString(items[k].text) : out.number(items[k].number);
    }
  }
}

void printCsvRow(const Report& report, OutputSink& out) {
  const auto& items = report.items();
  for (std::size_t k = 0; k < items.size(); ++k) {
    if (k) out.put(',');
    if (items[k].isNull) continue;
    items[k].isText ? putCsvField(out, items[k].text) : out.number(items[k].number);
  }
  out.endLine();
}

void printTextLine(OutputSink& out, std::string_view text) {
  out.put(text);
  out.endLine();
}

}  // namespace channelflow::tools
