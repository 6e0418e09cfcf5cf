// channelflow-cli profile: the water-surface profile of gradually varied flow
// from a control depth, by the direct step toward a target depth (--to-h) or
// the standard step over a length (--length); its type, the way it runs and
// why, and the point where it stops at critical depth.
#include <array>
#include <cmath>

#include "tools/commands.h"
#include "tools/item_writer.h"
#include "tools/sub_command.h"

namespace channelflow::tools {
namespace {

using calc::QuantityId;

constexpr std::string_view kHelp =
    "用法: channelflow-cli profile [--section trapezoid|circle|u|parabola|points] [--units si|us] 断面尺寸\n"
    "         --Q 流量 --i 渠底坡度 (--n 粗糙系数 | --n-bed 渠底 --n-wall 边壁) --h0 控制水深\n"
    "         (--to-h 目标水深 | --length 推算长度) [--steps 步数，默认 100]\n"
    "推算渐变流水面线：--to-h 用分段求和法（等水深步）推到目标水深，--length 用逐段试算法（等距离步）推算给定长度。\n"
    "给出水面线类型（M1 M2 M3 S1 S2 S3 C1 C3 H2 H3 A2 A3）、推算方向及原因，\n"
    "并逐步输出 x h A v E Fr Sf（x 为距控制断面的距离，向下游为正）。到达临界水深即停止并说明。\n"
    "天然断面（--section points --points …）有多个临界水深时按比能最小者判别，水面到达断面较低一端即停止。\n"
    "--format csv 只输出逐步的表（说明写在标准错误）；json 输出一个对象，points 为逐步数组。\n"
    "例: channelflow-cli profile --units us --B 20 --m 2 --Q 400 --i 0.0016 --n 0.025 --h0 5 --to-h 3.4 --steps 8\n"
    "退出状态: 0 成功, 1 无解或输入无效, 2 用法错误\n";

constexpr std::array<QuantityId, 7> kColumns{QuantityId::Distance, QuantityId::Depth,  QuantityId::Area,
                                             QuantityId::Velocity, QuantityId::Energy, QuantityId::Froude,
                                             QuantityId::FrictionSlope};

std::array<double, 7> cellsOf(const calc::ProfilePoint& p) { return {p.x, p.h, p.A, p.v, p.E, p.Fr, p.Sf}; }

// Each point's values; a Froude number that does not exist (a full pipe) is left empty.
void putPoints(const calc::ProfileAnswer& p, char separator, bool withUnits, OutputSink& out) {
  for (std::size_t c = 0; c < kColumns.size(); ++c) {
    if (c) out.put(separator);
    out.put(calc::quantityInfo(kColumns[c]).key);
    const std::string_view unit = unitOf(kColumns[c], p.units);
    if (withUnits && !unit.empty()) {
      out.put('(');
      out.put(unit);
      out.put(')');
    }
  }
  out.endLine();
  for (const calc::ProfilePoint& point : p.points) {
    const std::array<double, 7> cells = cellsOf(point);
    for (std::size_t c = 0; c < cells.size(); ++c) {
      if (c) out.put(separator);
      if (!std::isnan(cells[c])) out.number(cells[c]);
    }
    out.endLine();
  }
}

void putPointsJson(const calc::ProfileAnswer& p, OutputSink& out) {
  out.put(", \"points\": [");
  for (std::size_t n = 0; n < p.points.size(); ++n) {
    const std::array<double, 7> cells = cellsOf(p.points[n]);
    out.put(n ? ",\n  {" : "\n  {");
    for (std::size_t k = 0; k < cells.size(); ++k) {
      out.put(k ? ", \"" : "\"");
      out.put(calc::quantityInfo(kColumns[k]).key);
      out.put("\": ");
      std::isnan(cells[k]) ? out.put("null") : out.number(cells[k]);
    }
    out.put('}');
  }
  out.put(p.points.empty() ? "]" : "\n]");
}

int profile(const Options& o, std::FILE*, OutputSink& out, std::FILE* err) {
  const calc::ProfileAnswer p = calc::profile(o.inputs());
  switch (o.format()) {
    case OutputFormat::Text:
      writeTextItems(p.head, p.units, out);
      out.endLine();
      putPoints(p, '\t', true, out);
      break;
    case OutputFormat::Csv:
      putPoints(p, ',', false, out);
      if (p.note) {
        std::fprintf(err, "%s：%s\n", std::string(calc::quantityInfo(QuantityId::Note).name.chinese).c_str(),
                     problemText(*p.note).c_str());
      }
      break;
    case OutputFormat::Json:
      out.put('{');
      writeJsonMembers(p.head, out);
      out.put(p.reachedCritical ? ", \"reached_critical\": true" : ", \"reached_critical\": false");
      putPointsJson(p, out);
      out.put('}');
      out.endLine();
      break;
  }
  return 0;
}

const SubCommand kProfile{"profile", kHelp,
                          withChannelOptions({{"Q", true}, {"i", true}, {"h0", true}, {"to-h"}, {"length"}, {"steps"}}),
                          profile};

}  // namespace

int runProfile(int argc, char** argv, const Streams& io) { return runSubCommand(kProfile, argc, argv, io); }

}  // namespace channelflow::tools
