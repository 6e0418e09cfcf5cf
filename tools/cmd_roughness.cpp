// channelflow-cli roughness: Appendix B of GB 50288-2018, the bed roughness
// of earth and rock canals and of linings, one row per key that design's
// --lining takes.
#include "calc/design/roughness_table.h"
#include "calc/design/row_names.h"
#include "calc/toolkit/messages.h"
#include "tools/commands.h"
#include "tools/csv.h"
#include "tools/sub_command.h"

namespace channelflow::tools {
namespace {

using calc::design::RoughnessRow;

constexpr std::string_view kHelp =
    "用法: channelflow-cli roughness [--format text|csv|json]\n"
    "列出 GB 50288-2018 附录 B 的渠床糙率：表 B.0.1 土渠（按流量级与养护状况，灌溉渠道与泄（退）水渠道）、\n"
    "表 B.0.2 石渠、表 B.0.3 防渗衬砌渠槽。每行的键供 channelflow-cli design --lining 选用。\n"
    "csv 的列为 key,table,group,flow,condition,n_low,n_high,n_escape；json 每行一个对象。\n"
    "退出状态: 0 成功, 2 用法错误\n";

std::string message(calc::TextId id) { return calc::phraseText({id, {}}); }

void putRange(const RoughnessRow& row, OutputSink& out) {
  out.number(row.low);
  if (row.high == row.low) return;
  out.put("～");
  out.number(row.high);
}

int roughness(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  const auto rows = calc::design::roughnessTable();
  switch (o.format()) {
    case OutputFormat::Text:
      out.put(message(calc::TextId::RoughnessTitle));
      out.endLine();
      out.put(message(calc::TextId::RoughnessColumns));
      out.endLine();
      for (const RoughnessRow& row : rows) {
        out.put(row.key);
        out.put('\t');
        out.put(row.table);
        out.put('\t');
        out.put(calc::design::rowName(row.key, calc::Language::Chinese));
        out.put('\t');
        putRange(row, out);
        if (row.escape > 0) {
          out.put('\t');
          out.number(row.escape);
        }
        out.endLine();
      }
      break;
    case OutputFormat::Csv:
      out.put("key,table,group,flow,condition,n_low,n_high,n_escape");
      out.endLine();
      for (const RoughnessRow& row : rows) {
        for (std::string_view cell : {row.key, row.table, row.group.chinese,
                                      calc::design::flowClassText(row.flow).chinese, row.condition.chinese}) {
          putCsvField(out, cell);
          out.put(',');
        }
        out.number(row.low);
        out.put(',');
        out.number(row.high);
        out.put(',');
        if (row.escape > 0) out.number(row.escape);
        out.endLine();
      }
      break;
    case OutputFormat::Json:
      for (const RoughnessRow& row : rows) {
        out.put("{\"key\": ");
        out.jsonString(row.key);
        out.put(", \"table\": ");
        out.jsonString(row.table);
        out.put(", \"group\": ");
        out.jsonString(row.group.chinese);
        out.put(", \"flow\": ");
        out.jsonString(calc::design::flowClassText(row.flow).chinese);
        out.put(", \"condition\": ");
        out.jsonString(row.condition.chinese);
        out.put(", \"n_low\": ");
        out.number(row.low);
        out.put(", \"n_high\": ");
        out.number(row.high);
        out.put(", \"n_escape\": ");
        row.escape > 0 ? out.number(row.escape) : out.put("null");
        out.put('}');
        out.endLine();
      }
      break;
  }
  return 0;
}

const SubCommand kRoughness{"roughness", kHelp, {}, roughness};

}  // namespace

int runRoughness(int argc, char** argv, const Streams& io) { return runSubCommand(kRoughness, argc, argv, io); }

}  // namespace channelflow::tools
