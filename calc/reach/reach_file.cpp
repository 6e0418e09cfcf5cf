#include "calc/reach/reach_file.h"

#include "calc/services/csv_reader.h"
#include "calc/services/json_reader.h"
#include "calc/toolkit/inputs.h"

namespace channelflow::calc {
namespace {

constexpr std::size_t kMostProblems = 10;

struct ColumnName {
  ReachColumn column;
  std::string_view key, chinese;
};

// clang-format off
constexpr std::array<ColumnName, kReachColumns> kColumns{{
  {ReachColumn::Station,       "station",     "桩号"},
  {ReachColumn::Name,          "name",        "名称"},
  {ReachColumn::Points,        "points",      "测点"},
  {ReachColumn::N,             "n",           "糙率"},
  {ReachColumn::LeftBank,      "left_bank",   "左岸"},
  {ReachColumn::RightBank,     "right_bank",  "右岸"},
  {ReachColumn::LengthLeft,    "L_left",      "左滩长"},
  {ReachColumn::LengthChannel, "L_channel",   "主槽长"},
  {ReachColumn::LengthRight,   "L_right",     "右滩长"},
  {ReachColumn::Contraction,   "contraction", "收缩系数"},
  {ReachColumn::Expansion,     "expansion",   "扩散系数"},
  {ReachColumn::Q,             "Q",           "流量"},
  {ReachColumn::Downstream,    "downstream",  "下游边界"},
  {ReachColumn::Upstream,      "upstream",    "上游边界"},
}};
// clang-format on

constexpr bool columnsInOrder() {
  for (std::size_t k = 0; k < kColumns.size(); ++k) {
    if (static_cast<std::size_t>(kColumns[k].column) != k) return false;
  }
  return true;
}
static_assert(columnsInOrder(), "kColumns must list every ReachColumn once, in order");

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::optional<ReachColumn> columnNamed(std::string_view name) {
  for (const ColumnName& column : kColumns) {
    if (name == column.key || name == column.chinese) return column.column;
  }
  return std::nullopt;
}

std::string columnList() {
  std::string list;
  for (const ColumnName& column : kColumns) list += (list.empty() ? "" : ", ") + std::string(column.key);
  return list;
}

class Problems {
 public:
  explicit Problems(std::string_view field) : field_(field) {}
  void keep(MessageId id, std::vector<MessageArg> args) {
    if (problems_.size() < kMostProblems) problems_.push_back({id, std::string(field_), std::move(args)});
  }
  void keep(Problem problem) {
    if (problems_.size() < kMostProblems) problems_.push_back(std::move(problem));
  }
  [[noreturn]] void fail(MessageId id, std::vector<MessageArg> args) {
    keep(id, std::move(args));
    throw CalcError(problems_);
  }
  void keepRow(const ReachFile& file, const ReachRow& row, Problem cell) { keep(rowProblem(file, row, std::move(cell), field_)); }
  void finish() const {
    if (!problems_.empty()) throw CalcError(problems_);
  }

 private:
  std::string_view field_;
  std::vector<Problem> problems_;
};

void readCsv(std::string_view text, ReachFile& file, Problems& problems) {
  TextSource source(text);
  CsvReader reader(source);
  CsvRecord record;
  std::vector<std::optional<ReachColumn>> header;
  int place = 0;
  while (reader.next(record)) {
    ++place;
    if (record.blank) continue;
    if (record.error) {
      ReachRow row;
      row.place = place;
      problems.keepRow(file, row, {*record.error, {}, {}});
      continue;
    }
    if (header.empty()) {
      std::array<bool, kReachColumns> seen{};
      for (std::string_view name : record.fields) {
        const std::optional<ReachColumn> column = columnNamed(trimmed(name));
        if (!column) problems.fail(MessageId::ReachUnknownColumn, {MessageArg::literal(quoteForMessage(trimmed(name))), MessageArg::literal(columnList())});
        if (seen[static_cast<std::size_t>(*column)]) problems.fail(MessageId::ReachColumnTwice, {MessageArg::literal(reachColumnKey(*column))});
        seen[static_cast<std::size_t>(*column)] = true;
        header.push_back(column);
      }
      if (!seen[static_cast<std::size_t>(ReachColumn::Station)] || !seen[static_cast<std::size_t>(ReachColumn::Points)]) {
        problems.fail(MessageId::ReachHeader, {});
      }
      continue;
    }
    ReachRow row;
    row.place = place;
    for (std::size_t c = 0; c < record.fields.size(); ++c) {
      const std::string_view cell = trimmed(record.fields[c]);
      if (cell.empty()) continue;
      if (c >= header.size()) {
        problems.keepRow(file, row,
                         {MessageId::ColumnCount, {}, {MessageArg::literal(std::to_string(header.size())), MessageArg::literal(std::to_string(record.fields.size()))}});
        break;
      }
      row.cells[static_cast<std::size_t>(*header[c])] = std::string(cell);
    }
    file.rows.push_back(std::move(row));
  }
  if (header.empty()) problems.fail(MessageId::ReachHeader, {});
}

// A member's value as a cell's text: a number as written, a string trimmed;
// an array, where the column takes one, joined as the text form writes it.
bool cellText(const JsonValue& value, ReachColumn column, std::optional<std::string>& out) {
  using Kind = JsonValue::Kind;
  if (value.kind == Kind::Null) return true;
  if (value.kind == Kind::Number || value.kind == Kind::String) {
    const std::string_view text = trimmed(value.text);
    if (!text.empty()) out = std::string(text);
    return true;
  }
  if (value.kind != Kind::Array || (column != ReachColumn::Points && column != ReachColumn::Q)) return false;
  std::string text;
  for (const JsonValue& item : value.items) {
    if (!text.empty()) text += column == ReachColumn::Q ? ";" : " ";
    if (column == ReachColumn::Q) {
      if (item.kind != Kind::Number && item.kind != Kind::String) return false;
      text += item.text;
      continue;
    }
    // A point [x, z] or [x, z, n].
    if (item.kind != Kind::Array || item.items.size() < 2 || item.items.size() > 3) return false;
    for (std::size_t k = 0; k < item.items.size(); ++k) {
      if (item.items[k].kind != Kind::Number && item.items[k].kind != Kind::String) return false;
      text += (k ? "," : "") + item.items[k].text;
    }
  }
  if (!text.empty()) out = std::move(text);
  return true;
}

void readJsonFile(std::string_view text, ReachFile& file, Problems& problems) {
  file.json = true;
  std::size_t offset = 0;
  const std::optional<JsonValue> root = readJson(text, offset);
  if (!root) problems.fail(MessageId::JsonSyntax, {MessageArg::literal(std::to_string(offset + 1))});
  const auto shape = [&problems](std::string_view path, std::string_view expected) {
    problems.fail(MessageId::JsonShape, {MessageArg::literal(quoteForMessage(path)), MessageArg::term(expected)});
  };
  if (root->kind != JsonValue::Kind::Object) shape("{}", "json-object");
  const JsonValue* sections = nullptr;
  for (const auto& [key, value] : root->members) {
    std::optional<std::string>* setting = key == "flows"        ? &file.flows
                                          : key == "downstream" ? &file.downstream
                                          : key == "upstream"   ? &file.upstream
                                          : key == "friction"   ? &file.friction
                                                                : nullptr;
    if (key == "sections") {
      sections = &value;
    } else if (setting) {
      if (!cellText(value, key == "flows" ? ReachColumn::Q : ReachColumn::Name, *setting)) shape(key, key == "flows" ? "json-list" : "json-value");
    } else {
      problems.fail(MessageId::ReachUnknownColumn,
                    {MessageArg::literal(quoteForMessage(key)), MessageArg::literal("sections, flows, downstream, upstream, friction")});
    }
  }
  if (!sections || sections->kind != JsonValue::Kind::Array) shape("sections", "json-sections");
  int place = 0;
  for (const JsonValue& section : sections->items) {
    ++place;
    const std::string path = "sections[" + std::to_string(place - 1) + "]";
    if (section.kind != JsonValue::Kind::Object) shape(path, "json-object");
    ReachRow row;
    row.place = place;
    for (const auto& [key, value] : section.members) {
      const std::optional<ReachColumn> column = columnNamed(key);
      if (!column) {
        problems.fail(MessageId::ReachUnknownColumn, {MessageArg::literal(quoteForMessage(key)), MessageArg::literal(columnList())});
      }
      if (!cellText(value, *column, row.cells[static_cast<std::size_t>(*column)])) {
        shape(path + "." + key, *column == ReachColumn::Q || *column == ReachColumn::Points ? "json-list" : "json-value");
      }
    }
    file.rows.push_back(std::move(row));
  }
}

}  // namespace

std::string_view reachColumnKey(ReachColumn column) { return kColumns[static_cast<std::size_t>(column)].key; }

std::string_view reachColumnChinese(ReachColumn column) { return kColumns[static_cast<std::size_t>(column)].chinese; }

ReachFile readReachFile(std::string_view text, std::string_view field) {
  ReachFile file;
  Problems problems(field);
  std::string_view start = text;
  if (start.starts_with("\xEF\xBB\xBF")) start.remove_prefix(3);
  while (!start.empty() && (start.front() == ' ' || start.front() == '\t' || start.front() == '\r' || start.front() == '\n')) {
    start.remove_prefix(1);
  }
  if (start.starts_with("{")) {
    readJsonFile(start, file, problems);
  } else {
    readCsv(text, file, problems);
  }
  problems.finish();
  return file;
}

Problem rowProblem(const ReachFile& file, const ReachRow& row, Problem cell, std::string_view field) {
  return {file.json ? MessageId::ReachSection : MessageId::ReachRow, std::string(field),
          {MessageArg::literal(std::to_string(row.place)), MessageArg::nested(std::move(cell))}};
}

}  // namespace channelflow::calc
