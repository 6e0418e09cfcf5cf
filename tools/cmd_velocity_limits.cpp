// channelflow-cli velocity-limits: Appendix C of GB 50288-2018, the
// allowable non-scouring velocities of soils, rock and linings, one row per
// key (design's --soil takes those of Tables C.0.1 to C.0.3).
#include <array>

#include "calc/design/row_names.h"
#include "calc/design/scour_table.h"
#include "calc/toolkit/messages.h"
#include "tools/commands.h"
#include "tools/csv.h"
#include "tools/sub_command.h"

namespace channelflow::tools {
namespace {

using calc::TextId;
using calc::design::ScourBasis;
using calc::design::ScourRow;

constexpr std::string_view kHelp =
    "用法: channelflow-cli velocity-limits [--format text|csv|json]\n"
    "列出 GB 50288-2018 附录 C 的渠道允许不冲流速（m/s）：表 C.0.1 黏性土（R = 1 m 时的值，乘以 R^α）、\n"
    "表 C.0.2 非黏性土与表 C.0.3 石渠（按水深 0.4、1、2、3 m）、表 C.0.4 防渗衬砌。\n"
    "表 C.0.1～C.0.3 的键供 channelflow-cli design --soil 选用；衬砌由 design --lining 对应到表 C.0.4。\n"
    "csv 的列为 key,table,group,name,grain,v,v_h0.4,v_h1,v_h2,v_h3（各值为表中的写法）；json 每行一个对象。\n"
    "退出状态: 0 成功, 2 用法错误\n";

constexpr std::array<std::string_view, 4> kDepthKeys{"v_h0.4", "v_h1", "v_h2", "v_h3"};

std::string message(TextId id) { return calc::phraseText({id, {}}); }

// The row's cells as the columns v, v_h0.4 ... v_h3 hold them.
std::array<std::string, 5> cellsOf(const ScourRow& row) {
  std::array<std::string, 5> cells;
  if (row.basis != ScourBasis::Depth) {
    cells[0] = calc::design::cellText(row.v[0]);
    return cells;
  }
  for (std::size_t k = 0; k < row.v.size(); ++k) cells[k + 1] = calc::design::cellText(row.v[k]);
  return cells;
}

void writeText(OutputSink& out) {
  out.put(message(TextId::ScourTitle));
  out.endLine();
  std::string_view table;
  for (const ScourRow& row : calc::design::scourTable()) {
    const bool byDepth = row.basis == ScourBasis::Depth;
    if (row.table != table) {
      table = row.table;
      out.endLine();
      out.put(message(table == "C.0.1"   ? TextId::ScourTableRadius
                      : table == "C.0.2" ? TextId::ScourTableLoose
                      : table == "C.0.3" ? TextId::ScourTableRock
                                         : TextId::ScourTableLining));
      out.endLine();
      out.put(message(byDepth ? TextId::ScourColumnsDepth : TextId::ScourColumnsOne));
      out.endLine();
    }
    out.put(row.key);
    out.put('\t');
    out.put(calc::design::rowName(row.key, calc::Language::Chinese));
    const std::array<std::string, 5> cells = cellsOf(row);
    if (byDepth) {
      out.put('\t');
      out.put(calc::design::grainText(row));
      for (std::size_t k = 1; k < cells.size(); ++k) {
        out.put('\t');
        out.put(cells[k]);
      }
    } else {
      out.put('\t');
      out.put(cells[0]);
    }
    out.endLine();
  }
}

int velocityLimits(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  if (o.format() == OutputFormat::Text) {
    writeText(out);
    return 0;
  }
  const bool csv = o.format() == OutputFormat::Csv;
  if (csv) {
    out.put("key,table,group,name,grain,v,v_h0.4,v_h1,v_h2,v_h3");
    out.endLine();
  }
  for (const ScourRow& row : calc::design::scourTable()) {
    const std::array<std::string, 5> cells = cellsOf(row);
    const std::array<std::string_view, 5> head{row.key, row.table, row.group.chinese, row.name.chinese, {}};
    const std::string grain = calc::design::grainText(row);
    if (csv) {
      for (std::size_t k = 0; k < 4; ++k) {
        putCsvField(out, head[k]);
        out.put(',');
      }
      putCsvField(out, grain);
      for (const std::string& cell : cells) {
        out.put(',');
        putCsvField(out, cell);
      }
    } else {
      constexpr std::array<std::string_view, 5> kKeys{"key", "table", "group", "name", "grain"};
      out.put('{');
      for (std::size_t k = 0; k < kKeys.size(); ++k) {
        out.put(k ? ", \"" : "\"");
        out.put(kKeys[k]);
        out.put("\": ");
        out.jsonString(k < 4 ? head[k] : std::string_view(grain));
      }
      for (std::size_t k = 0; k < cells.size(); ++k) {
        if (cells[k].empty()) continue;
        out.put(", \"");
        out.put(k == 0 ? std::string_view("v") : kDepthKeys[k - 1]);
        out.put("\": ");
        out.jsonString(cells[k]);
      }
      out.put('}');
    }
    out.endLine();
  }
  return 0;
}

const SubCommand kVelocityLimits{"velocity-limits", kHelp, {}, velocityLimits};

}  // namespace

int runVelocityLimits(int argc, char** argv, const Streams& io) { return runSubCommand(kVelocityLimits, argc, argv, io); }

}  // namespace channelflow::tools
