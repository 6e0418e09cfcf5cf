#include "calc/canal/line_file.h"

#include "calc/services/csv_reader.h"
#include "calc/toolkit/inputs.h"

namespace channelflow::calc {
namespace {

constexpr std::size_t kMostProblems = 10;

struct ColumnName {
  LineColumn column;
  std::string_view key, chinese;
};

// clang-format off
constexpr std::array<ColumnName, kLineColumns> kColumns{{
  {LineColumn::Name,        "name",         "名称"},
  {LineColumn::Kind,        "kind",         "类型"},
  {LineColumn::Station,     "station",      "桩号"},
  {LineColumn::X,           "x",            "X坐标"},
  {LineColumn::Y,           "y",            "Y坐标"},
  {LineColumn::Rc,          "Rc",           "转弯半径"},
  {LineColumn::Section,     "section",      "断面形状"},
  {LineColumn::B,           "B",            "底宽"},
  {LineColumn::M,           "m",            "边坡系数"},
  {LineColumn::D,           "D",            "直径"},
  {LineColumn::R,           "r",            "半径"},
  {LineColumn::H,           "H",            "高度"},
  {LineColumn::Ra,          "Ra",           "拱顶半径"},
  {LineColumn::Type,        "type",         "马蹄形类型"},
  {LineColumn::N,           "n",            "糙率"},
  {LineColumn::I,           "i",            "比降"},
  {LineColumn::Q,           "Q",            "设计流量"},
  {LineColumn::Qj,          "Qj",           "加大流量"},
  {LineColumn::Qmin,        "Qmin",         "最小流量"},
  {LineColumn::Loss,        "loss",         "水头损失"},
  {LineColumn::Form,        "form",         "渐变段形式"},
  {LineColumn::InletForm,   "inlet-form",   "进口渐变段形式"},
  {LineColumn::Xi1,         "xi1",          "进口渐变段系数"},
  {LineColumn::Theta1,      "theta1",       "进口渐变段角度"},
  {LineColumn::OutletForm,  "outlet-form",  "出口渐变段形式"},
  {LineColumn::Xi2,         "xi2",          "出口渐变段系数"},
  {LineColumn::Theta2,      "theta2",       "出口渐变段角度"},
  {LineColumn::L,           "L",            "长度"},
  {LineColumn::Barrels,     "barrels",      "管数"},
  {LineColumn::Bend,        "bend",         "管身弯道"},
  {LineColumn::Entrance,    "entrance",     "进口形式"},
  {LineColumn::InletZeta,   "inlet-zeta",   "进口损失系数"},
  {LineColumn::GateSlots,   "gate-slots",   "门槽数"},
  {LineColumn::SlotZeta,    "slot-zeta",    "门槽损失系数"},
  {LineColumn::Rack,        "rack",         "拦污栅"},
  {LineColumn::OutletRatio, "outlet-ratio", "出口面积比"},
  {LineColumn::OutletZeta,  "outlet-zeta",  "出口损失系数"},
  {LineColumn::Bypass,      "bypass",       "旁通孔数"},
  {LineColumn::VNp,         "v-np",         "不淤流速"},
  {LineColumn::InletCrown,  "inlet-crown",  "进口管顶高程"},
  {LineColumn::OutletCrown, "outlet-crown", "出口管顶高程"},
  {LineColumn::Trough,      "trough",       "槽身形状"},
  {LineColumn::Barrel,      "barrel",       "涵洞断面形状"},
  {LineColumn::WeirM,       "weir-m",       "闸孔流量系数"},
  {LineColumn::Hold,        "hold",         "控制水位"},
  {LineColumn::P,           "P",            "跌差"},
  {LineColumn::CrestWidth,  "b",            "堰口宽度"},
  {LineColumn::Inlet,       "inlet",        "跌水进口形式"},
  {LineColumn::Freeboard,   "freeboard",    "超高"},
  {LineColumn::Height,      "height",       "渠深"},
  {LineColumn::VMin,        "v-min",        "最小允许流速"},
  {LineColumn::VMax,        "v-max",        "最大允许流速"},
}};
// clang-format on

constexpr bool columnsInOrder() {
  for (std::size_t k = 0; k < kColumns.size(); ++k) {
    if (static_cast<std::size_t>(kColumns[k].column) != k) return false;
  }
  return true;
}
static_assert(columnsInOrder(), "kColumns must list every LineColumn once, in order");

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::optional<LineColumn> columnNamed(std::string_view name) {
  // The siphon question's option is "bend"; a file's column of several bends reads naturally as "bends".
  if (name == "bends") return LineColumn::Bend;
  for (const ColumnName& column : kColumns) {
    if (name == column.key || name == column.chinese) return column.column;
  }
  return std::nullopt;
}

}  // namespace

std::string_view lineColumnKey(LineColumn column) { return kColumns[static_cast<std::size_t>(column)].key; }

std::string_view lineColumnChinese(LineColumn column) { return kColumns[static_cast<std::size_t>(column)].chinese; }

std::string lineColumnList() {
  std::string list;
  for (const ColumnName& column : kColumns) list += (list.empty() ? "" : ", ") + std::string(column.key);
  return list;
}

std::vector<LineRow> readLineFile(std::string_view text, std::string_view field) {
  std::vector<Problem> problems;
  const auto fail = [&](MessageId id, std::vector<MessageArg> args) {
    problems.push_back({id, std::string(field), std::move(args)});
    throw CalcError(problems);
  };
  TextSource source(text);
  CsvReader reader(source);
  CsvRecord record;
  std::vector<LineColumn> header;
  std::vector<LineRow> rows;
  int place = 0;
  while (reader.next(record)) {
    ++place;
    if (record.blank) continue;
    LineRow row;
    row.place = place;
    if (record.error) {
      if (problems.size() < kMostProblems) problems.push_back(lineRowProblem(row, {*record.error, {}, {}}, field));
      continue;
    }
    if (header.empty()) {
      std::array<bool, kLineColumns> seen{};
      for (std::string_view name : record.fields) {
        const std::optional<LineColumn> column = columnNamed(trimmed(name));
        if (!column) {
          fail(MessageId::ReachUnknownColumn,
               {MessageArg::literal(quoteForMessage(trimmed(name))), MessageArg::literal(lineColumnList())});
        }
        if (seen[static_cast<std::size_t>(*column)]) fail(MessageId::ReachColumnTwice, {MessageArg::literal(lineColumnKey(*column))});
        seen[static_cast<std::size_t>(*column)] = true;
        header.push_back(*column);
      }
      if (!seen[static_cast<std::size_t>(LineColumn::Station)] && !seen[static_cast<std::size_t>(LineColumn::X)]) {
        fail(MessageId::LineHeader, {});
      }
      continue;
    }
    for (std::size_t c = 0; c < record.fields.size(); ++c) {
      const std::string_view cell = trimmed(record.fields[c]);
      if (cell.empty()) continue;
      if (c >= header.size()) {
        if (problems.size() < kMostProblems) {
          problems.push_back(lineRowProblem(
              row,
              {MessageId::ColumnCount, {}, {MessageArg::literal(std::to_string(header.size())), MessageArg::literal(std::to_string(record.fields.size()))}},
              field));
        }
        break;
      }
      row.cells[static_cast<std::size_t>(header[c])] = std::string(cell);
    }
    rows.push_back(std::move(row));
  }
  if (header.empty()) fail(MessageId::LineHeader, {});
  if (!problems.empty()) throw CalcError(problems);
  return rows;
}

Problem lineRowProblem(const LineRow& row, Problem cell, std::string_view field) {
  return {MessageId::ReachRow, std::string(field), {MessageArg::literal(std::to_string(row.place)), MessageArg::nested(std::move(cell))}};
}

}  // namespace channelflow::calc
