// channelflow-cli profile: the water-surface profile of gradually varied flow
// from a control depth, by the direct step toward a target depth (--to-h) or
// the standard step over a length (--length); its type, the way it runs and
// why, and the point where it stops at critical depth.
#include "calc/profile.h"
#include "tools/channel_options.h"
#include "tools/commands.h"
#include "tools/section_report.h"
#include "tools/sub_command.h"

#include <array>
#include <string>

namespace channelflow::tools {
namespace {

const std::vector<OptionSpec> kOptions = withChannelOptions({{"Q", "流量 Q"},
                                                             {"i", "渠底坡度 i"},
                                                             {"h0", "控制水深 h0"},
                                                             {"to-h", "目标水深 to-h", false},
                                                             {"length", "推算长度 length", false},
                                                             {"steps", "步数 steps", false}});

constexpr std::string_view kHelp =
    "用法: channelflow-cli profile [--section trapezoid|circle|u|parabola] [--units si|us] 断面尺寸\n"
    "         --Q 流量 --i 渠底坡度 (--n 粗糙系数 | --n-bed 渠底 --n-wall 边壁) --h0 控制水深\n"
    "         (--to-h 目标水深 | --length 推算长度) [--steps 步数，默认 100]\n"
    "推算渐变流水面线：--to-h 用分段求和法（等水深步）推到目标水深，--length 用逐段试算法（等距离步）推算给定长度。\n"
    "给出水面线类型（M1 M2 M3 S1 S2 S3 C1 C3 H2 H3 A2 A3）、推算方向及原因，\n"
    "并逐步输出 x h A v E Fr Sf（x 为距控制断面的距离，向下游为正）。到达临界水深即停止并说明。\n"
    "--format csv 只输出逐步的表（说明写在标准错误）；json 输出一个对象，points 为逐步数组。\n"
    "例: channelflow-cli profile --units us --B 20 --m 2 --Q 400 --i 0.0016 --n 0.025 --h0 5 --to-h 3.4 --steps 8\n"
    "退出状态: 0 成功, 1 无解或输入无效, 2 用法错误\n";

int stepCount(const Options& o) {
  if (!o.has("steps")) return 100;
  const double steps = o.number("steps");
  if (!(steps >= 1 && steps <= 1'000'000) || steps != static_cast<double>(static_cast<int>(steps))) {
    throw UsageError{"--steps 必须是 1 到 1000000 之间的整数"};
  }
  return static_cast<int>(steps);
}

void putPointsText(const sections::WaterSurfaceProfile& p, const sections::Units& u, OutputSink& out) {
  const std::string length(u.length);
  out.put("x(" + length + ")\th(" + length + ")\tA(" + std::string(u.area) + ")\tv(" + std::string(u.velocity) +
          ")\tE(" + length + ")\tFr\tSf");
  out.endLine();
  for (const sections::ProfilePoint& point : p.points) {
    const std::array<double, 7> cells{point.x, point.h, point.A, point.v, point.E, point.Fr, point.Sf};
    for (std::size_t k = 0; k < cells.size(); ++k) {
      if (k) out.put('\t');
      out.number(cells[k]);
    }
    out.endLine();
  }
}

void putPointsCsv(const sections::WaterSurfaceProfile& p, OutputSink& out) {
  out.put("x,h,A,v,E,Fr,Sf");
  out.endLine();
  for (const sections::ProfilePoint& point : p.points) {
    const std::array<double, 7> cells{point.x, point.h, point.A, point.v, point.E, point.Fr, point.Sf};
    for (std::size_t k = 0; k < cells.size(); ++k) {
      if (k) out.put(',');
      out.number(cells[k]);
    }
    out.endLine();
  }
}

void putPointsJson(const sections::WaterSurfaceProfile& p, OutputSink& out) {
  constexpr std::array<std::string_view, 7> kKeys{"x", "h", "A", "v", "E", "Fr", "Sf"};
  out.put(", \"points\": [");
  for (std::size_t n = 0; n < p.points.size(); ++n) {
    const sections::ProfilePoint& point = p.points[n];
    const std::array<double, 7> cells{point.x, point.h, point.A, point.v, point.E, point.Fr, point.Sf};
    out.put(n ? ",\n  {" : "\n  {");
    for (std::size_t k = 0; k < cells.size(); ++k) {
      out.put(k ? ", \"" : "\"");
      out.put(kKeys[k]);
      out.put("\": ");
      out.number(cells[k]);
    }
    out.put('}');
  }
  out.put(p.points.empty() ? "]" : "\n]");
}

int profile(const Options& o, std::FILE*, OutputSink& out, std::FILE* err) {
  checkChannelUsage(o);
  if (o.has("to-h") == o.has("length")) throw UsageError{"须给出 --to-h 或 --length 之一"};
  const int steps = stepCount(o);
  const sections::Channel channel = readChannel(o);
  const double Q = o.number("Q");
  const double h0 = o.number("h0");
  const sections::WaterSurfaceProfile p =
      o.has("to-h") ? sections::directStepProfile(channel, Q, h0, o.number("to-h"), steps)
                    : sections::standardStepProfile(channel, Q, h0, o.number("length"), steps);
  const sections::Units& u = channel.units;

  Report head;
  head.addChannel(channel);
  head.add("Q", "流量 Q", u.discharge, Q);
  head.add("h0", "控制水深 h0", u.length, h0);
  head.addText("method", "推算方法", o.has("to-h") ? "分段求和法（等水深步）" : "逐段试算法（等距离步）");
  head.addText("type", "水面线类型", sections::profileTypeName(p.type));
  head.add("hc", "临界水深 hc", u.length, p.hc);
  if (p.hn) {
    head.add("hn", "正常水深 hn", u.length, *p.hn);
  } else {
    head.addNone("hn", "正常水深 hn", "无（平坡或逆坡上不存在均匀流）");
  }
  head.addText("direction", "推算方向", sections::directionName(p.direction));
  head.addText("direction_reason", "推算方向的原因", p.directionReason);
  if (!p.note.empty()) head.addText("note", "说明", p.note);

  switch (o.format()) {
    case OutputFormat::Text:
      printReport(head, OutputFormat::Text, out);
      out.endLine();
      putPointsText(p, u, out);
      break;
    case OutputFormat::Csv:
      putPointsCsv(p, out);
      if (!p.note.empty()) std::fprintf(err, "说明：%s\n", p.note.c_str());
      break;
    case OutputFormat::Json:
      out.put('{');
      putJsonMembers(head, out);
      out.put(p.reachedCritical ? ", \"reached_critical\": true" : ", \"reached_critical\": false");
      putPointsJson(p, out);
      out.put('}');
      out.endLine();
      break;
  }
  return 0;
}

const SubCommand kProfile{"profile", kHelp, kOptions, profile};

}  // namespace

int runProfile(int argc, char** argv, const Streams& io) { return runSubCommand(kProfile, argc, argv, io); }

}  // namespace channelflow::tools
