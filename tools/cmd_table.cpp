// channelflow-cli table: a rating table, h A v Q Fr and regime over a range
// of depths. The channel and the range are checked before the first line is
// written; a depth whose flow has no answer gets its row with the reason.
#include <array>
#include <span>
#include <vector>

#include "tools/commands.h"
#include "tools/csv.h"
#include "tools/item_writer.h"
#include "tools/sub_command.h"

namespace channelflow::tools {
namespace {

using calc::QuantityId;

constexpr std::string_view kHelp =
    "用法: channelflow-cli table --B 下底宽 --m 边坡系数 --i 渠底坡度 --n 粗糙系数 --h 起点:终点:步长 [--format text|csv|json]\n"
    "输出水位流量表：各水深下的 h A v Q Fr 与流态，最多一百万行。\n"
    "无解的水深占一行并给出原因（csv 的 error 列，json 的 error 键）。\n"
    "亦接受 solve 的断面、单位制与粗糙系数选项（channelflow-cli solve --help），此时各列单位随单位制。\n"
    "例: channelflow-cli table --B 2 --m 1 --i 0.001 --n 0.025 --h 0.1:3:0.1\n"
    "    channelflow-cli table --section circle --D 1 --i 0.002 --n 0.013 --h 0.1:1:0.1\n"
    "天然断面（--section points）另有水位 wse 列，范围也可按水位给出：--wse 起点:终点:步长。\n"
    "退出状态: 0 成功, 1 渠道无效或输入无效, 2 用法错误\n";

constexpr std::array<QuantityId, 5> kColumns{QuantityId::Depth, QuantityId::Area, QuantityId::Velocity,
                                             QuantityId::Discharge, QuantityId::Froude};
// A surveyed section's rows carry the water level after the depth.
constexpr std::array<QuantityId, 6> kLevelColumns{QuantityId::Depth,    QuantityId::Wse,       QuantityId::Area,
                                                  QuantityId::Velocity, QuantityId::Discharge, QuantityId::Froude};

std::span<const QuantityId> columnsOf(bool levels) {
  return levels ? std::span<const QuantityId>(kLevelColumns) : std::span<const QuantityId>(kColumns);
}

// The row's numbers after h, as the columns have them; the Froude number last.
std::vector<double> cellsOf(const calc::TableRow& row, bool levels) {
  if (levels) return {row.wse, row.A, row.v, row.Q, row.Fr};
  return {row.A, row.v, row.Q, row.Fr};
}

// "h(m)\tA(m²)\t…\t流态": each column's key and unit, then the regime's label.
void putTextHeader(calc::UnitSystem units, bool levels, OutputSink& out) {
  for (QuantityId id : columnsOf(levels)) {
    out.put(calc::quantityInfo(id).key);
    if (const std::string_view unit = unitOf(id, units); !unit.empty()) {
      out.put('(');
      out.put(unit);
      out.put(')');
    }
    out.put('\t');
  }
  out.put(calc::quantityLabel(QuantityId::Regime, calc::Language::Chinese));
}

void putJsonRow(const calc::TableRow& row, long k, bool levels, OutputSink& out) {
  out.put(k ? ",\n  {\"h\": " : "\n  {\"h\": ");
  out.number(row.h);
  if (row.ok) {
    const std::vector<double> cells = cellsOf(row, levels);
    for (std::size_t c = 0; c < cells.size(); ++c) {
      out.put(", \"");
      out.put(calc::quantityInfo(columnsOf(levels)[c + 1]).key);
      out.put("\": ");
      // A pipe running full has no free surface: no Froude number.
      row.full && c + 1 == cells.size() ? out.put("null") : out.number(cells[c]);
    }
    out.put(", \"regime\": ");
    out.jsonString(termName(row.regime));
  } else {
    if (levels) {
      out.put(", \"wse\": ");
      out.number(row.wse);
    }
    out.put(", \"error\": ");
    out.jsonString(problemText(row.error));
  }
  out.put('}');
}

void putDelimitedRow(const calc::TableRow& row, bool csv, bool levels, OutputSink& out) {
  const char separator = csv ? ',' : '\t';
  out.number(row.h);
  if (row.ok) {
    const std::vector<double> cells = cellsOf(row, levels);
    for (std::size_t c = 0; c < cells.size(); ++c) {
      out.put(separator);
      if (!(row.full && c + 1 == cells.size())) out.number(cells[c]);
    }
    out.put(separator);
    out.put(termName(row.regime));
    if (csv) out.put(',');
  } else if (csv) {
    if (levels) {
      out.put(',');
      out.number(row.wse);
    }
    out.put(",,,,,,");
    putCsvField(out, problemText(row.error));
  } else {
    if (levels) {
      out.put('\t');
      out.number(row.wse);
    }
    out.put('\t');
    out.put(termName("error"));
    out.put("：");
    out.put(problemText(row.error));
  }
  out.endLine();
}

int table(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  const calc::TablePlan plan = calc::planTable(o.inputs());
  const OutputFormat format = o.format();
  const bool levels = calc::hasLevels(plan);
  if (format == OutputFormat::Text) putTextHeader(plan.channel.units, levels, out);
  if (format == OutputFormat::Csv) out.put(levels ? "h,wse,A,v,Q,Fr,regime,error" : "h,A,v,Q,Fr,regime,error");
  if (format == OutputFormat::Json) out.put('[');
  if (format != OutputFormat::Json) out.endLine();
  for (long k = 0; k < plan.range.rows && !out.failed(); ++k) {
    const calc::TableRow row = calc::tableRow(plan, k);
    format == OutputFormat::Json ? putJsonRow(row, k, levels, out)
                                 : putDelimitedRow(row, format == OutputFormat::Csv, levels, out);
  }
  if (format == OutputFormat::Json) {
    out.put(plan.range.rows > 0 ? "\n]" : "]");
    out.endLine();
  }
  return 0;
}

const SubCommand kTable{"table", kHelp, withChannelOptions({{"i", true}, {"h"}, {"wse"}}), table};

}  // namespace

int runTable(int argc, char** argv, const Streams& io) { return runSubCommand(kTable, argc, argv, io); }

}  // namespace channelflow::tools
