// channelflow-cli table: a rating table, h A v Q Fr and regime over a range
// of depths. The channel and the range are checked before the first line is
// written; a depth whose flow has no answer gets its row with the reason.
#include "calc/flow_error.h"
#include "calc/hydraulics.h"
#include "tools/channel_options.h"
#include "tools/commands.h"
#include "tools/csv.h"
#include "tools/sub_command.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

namespace channelflow::tools {
namespace {

const std::vector<OptionSpec> kOptions = withChannelOptions({{"i", "渠底坡度 i"}, {"h", "水深 h"}});

constexpr std::string_view kHelp =
    "用法: channelflow-cli table --B 下底宽 --m 边坡系数 --i 渠底坡度 --n 粗糙系数 --h 起点:终点:步长 [--format text|csv|json]\n"
    "输出水位流量表：各水深下的 h A v Q Fr 与流态，最多一百万行。\n"
    "无解的水深占一行并给出原因（csv 的 error 列，json 的 error 键）。\n"
    "亦接受 solve 的断面、单位制与粗糙系数选项（channelflow-cli solve --help），此时各列单位随单位制。\n"
    "例: channelflow-cli table --B 2 --m 1 --i 0.001 --n 0.025 --h 0.1:3:0.1\n"
    "    channelflow-cli table --section circle --D 1 --i 0.002 --n 0.013 --h 0.1:1:0.1\n"
    "退出状态: 0 成功, 1 渠道无效或输入无效, 2 用法错误\n";

constexpr long kMaxRows = 1000000;

struct DepthRange {
  double from, step;
  long rows;
};

double rangeNumber(std::string_view text, const char* part) {
  std::string error;
  const auto number = readNumber(text, error);
  if (!number) throw InputError{std::string("水深范围 --h 的") + part + " \"" + quoteForMessage(text) + "\" " + error};
  return *number;
}

DepthRange depthRange(std::string_view range) {
  const auto first = range.find(':');
  const auto second = first == std::string_view::npos ? first : range.find(':', first + 1);
  if (second == std::string_view::npos || range.find(':', second + 1) != std::string_view::npos) {
    throw UsageError{"--h 应写作 起点:终点:步长，例如 0.1:3:0.1"};
  }
  const double from = rangeNumber(range.substr(0, first), "起点");
  const double to = rangeNumber(range.substr(first + 1, second - first - 1), "终点");
  const double step = rangeNumber(range.substr(second + 1), "步长");
  if (!(step > 0) || !(to >= from)) throw UsageError{"--h 的步长必须大于零，终点不能小于起点"};
  const double span = (to - from) / step;
  if (!(span < static_cast<double>(kMaxRows))) throw UsageError{"--h 的范围最多一百万行"};
  if (!(from > 0)) throw calc::HydraulicsError("水深 h 必须大于零：范围的起点为 " + std::string(range.substr(0, first)));
  // 0.3 - 0.1 is a hair under two steps of 0.1: the last depth must not be lost.
  const DepthRange depths{from, step, static_cast<long>(std::floor(span * (1 + 1e-12) + 1e-9)) + 1};
  if (!std::isfinite(from + static_cast<double>(depths.rows - 1) * step)) {
    throw UsageError{"--h 的终点超出数值范围"};
  }
  return depths;
}

// The flow at one depth on whichever core the line calls for.
struct TableChannel {
  std::optional<calc::Channel> trapezoid;  // a plain trapezoid is computed as the first edition computes it
  sections::Channel channel;

  calc::FlowState flowAt(double h) const {
    if (trapezoid) return calc::describeFlow(*trapezoid, h);
    calc::FlowState f;
    try {
      const sections::FlowState s = sections::uniformFlow(channel, h);
      f.h = s.h;
      f.A = s.geometry.A;
      f.T = s.geometry.T;
      f.v = s.v;
      f.Q = s.Q;
      f.Fr = s.Fr;
      f.regime = static_cast<calc::FlowRegime>(s.regime);
    } catch (const sections::FlowError& error) {
      throw calc::HydraulicsError(error.what());
    }
    return f;
  }
};

// After the usage checks: the channel, checked.
TableChannel tableChannel(const Options& o) {
  TableChannel c;
  if (isFirstEditionLine(o)) {
    c.trapezoid = calc::Channel{o.number("B"), o.number("m"), o.number("i"), o.number("n")};
  } else {
    c.channel = readChannel(o);
    sections::validate(c.channel);
    if (!(c.channel.i > 0)) throw sections::FlowError("渠底坡度 i 必须大于零：平坡或逆坡上不存在均匀流");
    c.trapezoid = asPlainTrapezoid(c.channel);
  }
  if (c.trapezoid) calc::checkChannel(*c.trapezoid);
  return c;
}

void putTextHeader(const sections::Units& u, OutputSink& out) {
  const std::string length(u.length);
  out.put("h(" + length + ")\tA(" + std::string(u.area) + ")\tv(" + std::string(u.velocity) + ")\tQ(" +
          std::string(u.discharge) + ")\tFr\t流态");
}

int table(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  checkChannelUsage(o);
  const DepthRange range = depthRange(o.text("h"));
  const TableChannel channel = tableChannel(o);

  const OutputFormat format = o.format();
  if (format == OutputFormat::Text) putTextHeader(channel.channel.units, out);
  if (format == OutputFormat::Csv) out.put("h,A,v,Q,Fr,regime,error");
  if (format == OutputFormat::Json) out.put('[');
  if (format != OutputFormat::Json) out.endLine();
  for (long k = 0; k < range.rows && !out.failed(); ++k) {
    const double h = range.from + static_cast<double>(k) * range.step;
    std::string error;
    calc::FlowState f;
    try {
      f = channel.flowAt(h);
    } catch (const calc::HydraulicsError& failure) {
      error = failure.what();
    }
    const std::array<double, 5> cells{f.h, f.A, f.v, f.Q, f.Fr};
    // A pipe running full has no free surface: no Froude number and no regime of open flow.
    const bool full = error.empty() && f.T == 0;
    const std::string_view regime = full ? std::string_view("满管") : calc::regimeName(f.regime);
    if (format == OutputFormat::Json) {
      out.put(k ? ",\n  {\"h\": " : "\n  {\"h\": ");
      out.number(h);
      if (error.empty()) {
        constexpr std::array<std::string_view, 4> kKeys{"A", "v", "Q", "Fr"};
        for (std::size_t c = 0; c < kKeys.size(); ++c) {
          out.put(", \"");
          out.put(kKeys[c]);
          out.put("\": ");
          full && c == 3 ? out.put("null") : out.number(cells[c + 1]);
        }
        out.put(", \"regime\": ");
        out.jsonString(regime);
      } else {
        out.put(", \"error\": ");
        out.jsonString(error);
      }
      out.put('}');
      continue;
    }
    const char separator = format == OutputFormat::Csv ? ',' : '\t';
    out.number(h);
    if (error.empty()) {
      for (std::size_t c = 1; c < cells.size(); ++c) {
        out.put(separator);
        if (!(full && c == 4)) out.number(cells[c]);
      }
      out.put(separator);
      out.put(regime);
      if (format == OutputFormat::Csv) out.put(',');
    } else if (format == OutputFormat::Csv) {
      out.put(",,,,,,");
      putCsvField(out, error);
    } else {
      out.put("\t错误：");
      out.put(error);
    }
    out.endLine();
  }
  if (format == OutputFormat::Json) {
    out.put(range.rows > 0 ? "\n]" : "]");
    out.endLine();
  }
  return 0;
}

const SubCommand kTable{"table", kHelp, kOptions, table};

}  // namespace

int runTable(int argc, char** argv, const Streams& io) { return runSubCommand(kTable, argc, argv, io); }

}  // namespace channelflow::tools
