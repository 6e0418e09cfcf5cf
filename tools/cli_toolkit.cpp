#include "tools/cli_toolkit.h"

#include "calc/hydraulics.h"
#include "runtime/number_text.h"
#include "runtime/runtime_error.h"

#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace channelflow::tools {
namespace {

using calc::Channel;
using calc::FlowState;

using Format = OutputFormat;

struct UsageError {
  std::string message;
};

// The quantities of a report in their order, with their Chinese names and units.
struct Field {
  const char* key;
  const char* name;
  const char* symbol;
  const char* unit;
};
// clang-format off
constexpr std::array<Field, 18> kFields{{
  {"B",      "下底宽",       "B",  "m"},
  {"h",      "水深",         "h",  "m"},
  {"m",      "边坡系数",     "m",  ""},
  {"i",      "渠底坡度",     "i",  ""},
  {"n",      "粗糙系数",     "n",  ""},
  {"A",      "过水断面面积", "A",  "m²"},
  {"P",      "湿周",         "P",  "m"},
  {"R",      "水力半径",     "R",  "m"},
  {"T",      "水面宽度",     "T",  "m"},
  {"D",      "水力深度",     "D",  "m"},
  {"C",      "谢才系数",     "C",  "m^0.5/s"},
  {"v",      "流速",         "v",  "m/s"},
  {"Q",      "流量",         "Q",  "m³/s"},
  {"Fr",     "弗劳德数",     "Fr", ""},
  {"regime", "流态",         "",   ""},
  {"hc",     "临界水深",     "hc", "m"},
  {"E",      "断面比能",     "E",  "m"},
  {"tau0",   "床面切应力",   "τ0", "Pa"},
}};
// clang-format on

// The report's values as texts, in the order of kFields.
std::array<std::string, kFields.size()> valuesOf(const FlowState& f) {
  const double numbers[] = {f.channel.B, f.h, f.channel.m, f.channel.i, f.channel.n, f.A, f.P, f.R, f.T,
                            f.D,         f.C, f.v,         f.Q,         f.Fr};
  std::array<std::string, kFields.size()> texts;
  std::size_t k = 0;
  for (double number : numbers) texts[k++] = runtime::formatDouble(number);
  texts[k++] = std::string(calc::regimeName(f.regime));
  for (double number : {f.hc, f.E, f.tau0}) texts[k++] = runtime::formatDouble(number);
  return texts;
}

bool isNumberField(std::size_t k) { return std::string_view(kFields[k].key) != "regime"; }

void printReport(const FlowState& flow, Format format, std::FILE* out) {
  const auto values = valuesOf(flow);
  switch (format) {
    case Format::Text:
      for (std::size_t k = 0; k < kFields.size(); ++k) {
        const Field& f = kFields[k];
        std::fprintf(out, "%s%s%s = %s%s%s\n", f.name, *f.symbol ? " " : "", f.symbol, values[k].c_str(),
                     *f.unit ? " " : "", f.unit);
      }
      break;
    case Format::Csv:
      for (std::size_t k = 0; k < kFields.size(); ++k) std::fprintf(out, "%s%s", k ? "," : "", kFields[k].key);
      std::fputc('\n', out);
      for (std::size_t k = 0; k < kFields.size(); ++k) std::fprintf(out, "%s%s", k ? "," : "", values[k].c_str());
      std::fputc('\n', out);
      break;
    case Format::Json:
      std::fputc('{', out);
      for (std::size_t k = 0; k < kFields.size(); ++k) {
        const char* quote = isNumberField(k) ? "" : "\"";
        std::fprintf(out, "%s\"%s\": %s%s%s", k ? ", " : "", kFields[k].key, quote, values[k].c_str(), quote);
      }
      std::fputs("}\n", out);
      break;
  }
}

// Options of the form --NAME VALUE or --NAME=VALUE.
class Options {
 public:
  Options(int argc, char** argv) {
    for (int k = 2; k < argc; ++k) {
      std::string word = argv[k];
      if (word.rfind("--", 0) != 0) throw UsageError{"多余的参数: " + word};
      word.erase(0, 2);
      std::string value;
      if (const auto equals = word.find('='); equals != std::string::npos) {
        value = word.substr(equals + 1);
        word.erase(equals);
      } else {
        if (k + 1 >= argc) throw UsageError{"--" + word + " 缺少取值"};
        value = argv[++k];
      }
      if (!values_.emplace(word, value).second) throw UsageError{"--" + word + " 重复"};
    }
  }

  // Checks that only `allowed` names (and --format) were given.
  void allow(std::initializer_list<std::string_view> allowed) const {
    for (const auto& [name, value] : values_) {
      bool known = name == "format";
      for (std::string_view a : allowed) known = known || name == a;
      if (!known) throw UsageError{"未知选项 --" + name};
    }
  }

  std::string text(const std::string& name) const {
    const auto found = values_.find(name);
    if (found == values_.end()) throw UsageError{"缺少 --" + name};
    return found->second;
  }

  double number(const std::string& name) const { return parseNumber(name, text(name)); }

  Format format() const {
    const auto found = values_.find("format");
    if (found == values_.end() || found->second == "text") return Format::Text;
    if (found->second == "csv") return Format::Csv;
    if (found->second == "json") return Format::Json;
    throw UsageError{"--format 只能是 text、csv 或 json"};
  }

  static double parseNumber(const std::string& name, const std::string& text) {
    try {
      return runtime::convertStrict(text);
    } catch (const runtime::RuntimeError& error) {
      throw UsageError{"--" + name + " 的取值 \"" + text + "\" 无效: " + error.description()};
    }
  }

 private:
  std::map<std::string, std::string> values_;
};

Channel channelFrom(const Options& options, bool withWidth) {
  return Channel{withWidth ? options.number("B") : 0.0, options.number("m"), options.number("i"),
                 options.number("n")};
}

int report(const Options& o, std::FILE* out) {
  o.allow({"B", "h", "m", "i", "n"});
  const Format format = o.format();
  const Channel channel = channelFrom(o, true);
  const double h = o.number("h");
  printReport(calc::describeFlow(channel, h), format, out);
  return 0;
}

int solveDepth(const Options& o, std::FILE* out) {
  o.allow({"Q", "B", "m", "i", "n"});
  const Format format = o.format();
  const Channel channel = channelFrom(o, true);
  const double h = calc::normalDepth(channel, o.number("Q"));
  const FlowState flow = calc::describeFlow(channel, h);
  if (format == Format::Text) std::fprintf(out, "正常水深 h = %s m\n\n", runtime::formatDouble(h).c_str());
  printReport(flow, format, out);
  return 0;
}

int solveWidth(const Options& o, std::FILE* out) {
  o.allow({"Q", "h", "m", "i", "n"});
  const Format format = o.format();
  Channel channel = channelFrom(o, false);
  const double h = o.number("h");
  channel.B = calc::bottomWidth(channel, h, o.number("Q"));
  const FlowState flow = calc::describeFlow(channel, h);
  if (format == Format::Text) std::fprintf(out, "下底宽 B = %s m\n\n", runtime::formatDouble(channel.B).c_str());
  printReport(flow, format, out);
  return 0;
}

// A rating table: h, A, v, Q, Fr and regime over FROM:TO:STEP.
int table(const Options& o, std::FILE* out) {
  o.allow({"B", "m", "i", "n", "h"});
  const Format format = o.format();
  const Channel channel = channelFrom(o, true);
  const std::string range = o.text("h");
  const auto first = range.find(':');
  const auto second = first == std::string::npos ? first : range.find(':', first + 1);
  if (second == std::string::npos) throw UsageError{"--h 应写作 起点:终点:步长，例如 0.1:3:0.1"};
  const double from = Options::parseNumber("h", range.substr(0, first));
  const double to = Options::parseNumber("h", range.substr(first + 1, second - first - 1));
  const double step = Options::parseNumber("h", range.substr(second + 1));
  if (!(step > 0) || !(to >= from)) throw UsageError{"--h 的步长必须大于零，终点不能小于起点"};
  const double span = (to - from) / step;
  if (span > 1e6) throw UsageError{"--h 的范围最多一百万行"};
  const auto rows = static_cast<long>(std::floor(span * (1 + 1e-12) + 1e-9)) + 1;
  // A depth or channel without an answer fails here, before the first line.
  calc::describeFlow(channel, from);
  calc::describeFlow(channel, from + static_cast<double>(rows - 1) * step);

  if (format == Format::Text) std::fputs("h(m)\tA(m²)\tv(m/s)\tQ(m³/s)\tFr\t流态\n", out);
  if (format == Format::Csv) std::fputs("h,A,v,Q,Fr,regime\n", out);
  if (format == Format::Json) std::fputs("[", out);
  for (long k = 0; k < rows; ++k) {
    const FlowState f = calc::describeFlow(channel, from + static_cast<double>(k) * step);
    const std::string cells[] = {runtime::formatDouble(f.h), runtime::formatDouble(f.A), runtime::formatDouble(f.v),
                                 runtime::formatDouble(f.Q), runtime::formatDouble(f.Fr)};
    const char* regime = calc::regimeName(f.regime).data();
    if (format == Format::Json) {
      std::fprintf(out, "%s\n  {\"h\": %s, \"A\": %s, \"v\": %s, \"Q\": %s, \"Fr\": %s, \"regime\": \"%s\"}",
                   k ? "," : "", cells[0].c_str(), cells[1].c_str(), cells[2].c_str(), cells[3].c_str(),
                   cells[4].c_str(), regime);
    } else {
      const char separator = format == Format::Csv ? ',' : '\t';
      for (const std::string& cell : cells) std::fprintf(out, "%s%c", cell.c_str(), separator);
      std::fprintf(out, "%s\n", regime);
    }
  }
  if (format == Format::Json) std::fputs("\n]\n", out);
  return 0;
}

}  // namespace

bool isToolkitCommand(std::string_view word) {
  return word == "report" || word == "solve-depth" || word == "solve-width" || word == "table" || word == "batch";
}

int runToolkit(int argc, char** argv, std::FILE* in, std::FILE* out, std::FILE* err) {
  const std::string_view command = argv[1];
  try {
    const Options options(argc, argv);
    if (command == "report") return report(options, out);
    if (command == "solve-depth") return solveDepth(options, out);
    if (command == "solve-width") return solveWidth(options, out);
    if (command == "table") return table(options, out);
    options.allow({});
    return runBatch(options.format(), in, out, err);
  } catch (const UsageError& error) {
    std::fprintf(err, "channelflow-cli %s: %s\n（channelflow-cli --help 查看用法）\n", argv[1], error.message.c_str());
    return 2;
  } catch (const calc::HydraulicsError& error) {
    std::fprintf(err, "错误：%s\n", error.what());
    return 1;
  } catch (const runtime::RuntimeError& error) {  // a number without a text form
    std::fprintf(err, "错误：%s\n", error.message().c_str());
    return 1;
  }
}

}  // namespace channelflow::tools
