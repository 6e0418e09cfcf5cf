// channelflow-cli solve: uniform flow with any one of Q, h, the section's
// size, i and n left out; reports the missing one and every quantity of the
// flow. A circle's depth may have two answers, and its capacity is reported.
#include "tools/channel_options.h"
#include "tools/commands.h"
#include "tools/section_report.h"
#include "tools/solve_output.h"
#include "tools/sub_command.h"

#include <optional>
#include <string>

namespace channelflow::tools {
namespace {

using sections::Unknown;

const std::vector<OptionSpec> kOptions =
    withChannelOptions({{"Q", "流量 Q", false}, {"h", "水深 h", false}, {"i", "渠底坡度 i", false}});

constexpr std::string_view kHelp =
    "用法: channelflow-cli solve [--section trapezoid|circle|u|parabola] [--units si|us]\n"
    "         --Q 流量 --h 水深 --i 渠底坡度 断面尺寸 粗糙系数   （恰好省去其中一个）\n"
    "由均匀流公式求省去的那一个量：流量 Q、水深 h、断面尺寸（B、D、r 或 p）、渠底坡度 i 或粗糙系数 n，\n"
    "并输出全部水力要素与临界流（hc vc ic）。圆管求水深时给出最大过流能力，两个水深都通过 Q 时两个都给出。\n"
    "断面: trapezoid --B 下底宽 (--m 边坡系数 | --m1 左边坡 --m2 右边坡)；circle --D 直径；\n"
    "      u --r 底部半径 [--m 边坡系数]；parabola --p 抛物线参数 (x² = 2·p·y)\n"
    "粗糙系数: --n，或 --n-bed 渠底 --n-wall 边壁（霍顿-爱因斯坦法综合）\n"
    "单位制: si（m、m³/s，默认）或 us（ft、ft³/s，曼宁系数 1.486）\n"
    "例: channelflow-cli solve --units us --Q 25 --B 2 --m 3 --i 0.01 --n 0.03\n"
    "    channelflow-cli solve --section circle --D 1 --h 0.5 --i 0.002 --n 0.013\n"
    "--format json 每个解输出一行对象。\n"
    "退出状态: 0 成功, 1 无解或输入无效, 2 用法错误\n";

std::string_view unknownKey(Unknown unknown, const sections::Section& section) {
  switch (unknown) {
    case Unknown::Discharge: return "Q";
    case Unknown::Depth: return "h";
    case Unknown::Width: return widthOption(section);
    case Unknown::Slope: return "i";
    case Unknown::Roughness: return "n";
  }
  return "";
}

std::string_view unknownLabel(Unknown unknown, const sections::Section& section) {
  switch (unknown) {
    case Unknown::Discharge: return "流量 Q";
    case Unknown::Depth: return "正常水深 h";
    case Unknown::Width: return widthLabel(section);
    case Unknown::Slope: return "渠底坡度 i";
    case Unknown::Roughness: return "粗糙系数 n";
  }
  return "";
}

std::string_view unknownUnit(Unknown unknown, const sections::Units& units) {
  if (unknown == Unknown::Discharge) return units.discharge;
  if (unknown == Unknown::Depth || unknown == Unknown::Width) return units.length;
  return "";
}

double unknownValue(Unknown unknown, const sections::UniformFlowCase& c) {
  switch (unknown) {
    case Unknown::Discharge: return c.Q;
    case Unknown::Depth: return c.h;
    case Unknown::Width: return sections::widthParameter(c.channel.section);
    case Unknown::Slope: return c.channel.i;
    case Unknown::Roughness: return c.channel.roughness.n;
  }
  return 0;
}

// The one quantity of the five the line leaves out.
Unknown missingQuantity(const Options& o) {
  const std::string_view width = widthOptionOf(o);
  int missing = 0;
  Unknown unknown = Unknown::Discharge;
  const auto note = [&](bool given, Unknown which) {
    if (!given) {
      ++missing;
      unknown = which;
    }
  };
  note(o.has("Q"), Unknown::Discharge);
  note(o.has("h"), Unknown::Depth);
  note(o.has(width), Unknown::Width);
  note(o.has("i"), Unknown::Slope);
  note(o.has("n") || o.has("n-bed"), Unknown::Roughness);
  if (missing != 1) {
    throw UsageError{"solve 须恰好省去 --Q、--h、--" + std::string(width) +
                     "、--i、--n 中的一个，而现在省去了 " + std::to_string(missing) + " 个"};
  }
  return unknown;
}

int solve(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  checkChannelUsage(o, {true, true});
  return printUniformSolution(o, missingQuantity(o), out);
}

const SubCommand kSolve{"solve", kHelp, kOptions, solve};

}  // namespace

int printUniformSolution(const Options& o, Unknown unknown, OutputSink& out) {
  sections::UniformFlowCase known{readChannel(o), 0, 0};
  if (unknown != Unknown::Discharge) known.Q = o.number("Q");
  if (unknown != Unknown::Depth) known.h = o.number("h");
  std::vector<sections::UniformFlowCase> answers = sections::solveUniformFlow(known, unknown);
  // The plain trapezoid's depth and width as its own solvers find them, as its report's digits are.
  if (const std::optional<calc::Channel> plain = asPlainTrapezoid(known.channel); plain && answers.size() == 1) {
    try {
      if (unknown == Unknown::Depth) answers[0].h = calc::normalDepth(*plain, known.Q);
      if (unknown == Unknown::Width) {
        answers[0].channel.section = sections::Trapezoid{calc::bottomWidth(*plain, known.h, known.Q), plain->m, plain->m};
      }
    } catch (const calc::HydraulicsError&) {
      // Beyond its range: the sections' answer stands.
    }
  }
  const sections::Channel& channel = known.channel;
  const bool circleDepth = unknown == Unknown::Depth && std::holds_alternative<sections::Circle>(channel.section);
  const OutputFormat format = o.format();
  if (format == OutputFormat::Text) {
    for (std::size_t k = 0; k < answers.size(); ++k) {
      out.put(answers.size() > 1 ? (k ? "较深的" : "较浅的") : "所求");
      out.put(unknownLabel(unknown, channel.section));
      out.put(" = ");
      out.number(unknownValue(unknown, answers[k]));
      if (const std::string_view unit = unknownUnit(unknown, channel.units); !unit.empty()) {
        out.put(' ');
        out.put(unit);
      }
      out.endLine();
    }
    if (answers.size() > 1) printTextLine(out, "两个水深都以均匀流通过该流量（圆管流量在约 0.938 D 处最大）");
  }
  sections::CircleCapacity capacity;
  if (circleDepth) {
    capacity = sections::circleCapacity(channel);
    if (format == OutputFormat::Text) {
      out.put("最大过流能力 Qmax = ");
      out.number(capacity.QMax);
      out.put(' ');
      out.put(channel.units.discharge);
      out.put("（水深 ");
      out.number(capacity.hMax);
      out.put(' ');
      out.put(channel.units.length);
      out.put("），满管流量 Qfull = ");
      out.number(capacity.QFull);
      out.put(' ');
      out.put(channel.units.discharge);
      out.endLine();
    }
  }
  for (std::size_t k = 0; k < answers.size(); ++k) {
    Report report;
    report.addText("unknown", "未知量", unknownKey(unknown, channel.section));
    report.addChannel(answers[k].channel);
    report.addFlow(answers[k].channel, sections::uniformFlow(answers[k].channel, answers[k].h));
    if (circleDepth && format != OutputFormat::Text) {
      report.add("Qmax", "最大过流能力 Qmax", channel.units.discharge, capacity.QMax);
      report.add("hmax", "最大流量水深 hmax", channel.units.length, capacity.hMax);
      report.add("Qfull", "满管流量 Qfull", channel.units.discharge, capacity.QFull);
    }
    if (format == OutputFormat::Text) out.endLine();
    // Both depths under one CSV header.
    format == OutputFormat::Csv && k > 0 ? printCsvRow(report, out) : printReport(report, format, out);
  }
  return 0;
}

int runSolve(int argc, char** argv, const Streams& io) { return runSubCommand(kSolve, argc, argv, io); }

}  // namespace channelflow::tools
