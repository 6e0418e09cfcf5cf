#include "tools/points_file.h"

#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "calc/services/csv_reader.h"

namespace channelflow::tools {
namespace {

using calc::MessageArg;
using calc::MessageId;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// The names a column may go by, in the order station, elevation, n.
struct ColumnNames {
  std::array<std::string_view, 3> names;
};
constexpr std::array<ColumnNames, 3> kColumns{{
    {{"station", "x", "起点距"}},
    {{"elevation", "z", "高程"}},
    {{"n", "roughness", "糙率"}},
}};

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

int columnOf(std::string_view name) {
  for (std::size_t c = 0; c < kColumns.size(); ++c) {
    for (std::string_view alias : kColumns[c].names) {
      if (trimmed(name) == alias) return static_cast<int>(c);
    }
  }
  return -1;
}

[[noreturn]] void failFile(MessageId id, std::vector<MessageArg> args = {}) { calc::fail(id, "points-file", std::move(args)); }

}  // namespace

void readPointsFile(std::string_view path, calc::Inputs& inputs) {
  const std::string name(path);
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(name.c_str(), "rb"));
  if (!file) failFile(MessageId::PointsFileUnreadable, {MessageArg::literal(calc::quoteForMessage(path))});
  calc::FileSource source(file.get());
  calc::CsvReader reader(source);
  calc::CsvRecord record;
  std::array<std::size_t, 3> at{};
  std::array<bool, 3> found{};
  bool header = true;
  std::string text;
  std::size_t point = 0;
  while (reader.next(record)) {
    if (record.blank) continue;
    if (record.error) failFile(MessageId::PointsFileUnreadable, {MessageArg::literal(calc::quoteForMessage(path))});
    if (header) {
      for (std::size_t c = 0; c < record.fields.size(); ++c) {
        const int column = columnOf(record.fields[c]);
        if (column < 0) continue;
        at[static_cast<std::size_t>(column)] = c;
        found[static_cast<std::size_t>(column)] = true;
      }
      if (!found[0] || !found[1]) failFile(MessageId::PointsFileHeader);
      header = false;
      continue;
    }
    // Each cell one value: the text joins them as "x,z[,n]", points apart by blanks.
    std::string values;
    for (std::size_t c = 0; c < 3; ++c) {
      if (!found[c]) continue;
      const std::string_view cell = at[c] < record.fields.size() ? trimmed(record.fields[at[c]]) : std::string_view();
      if (c == 2 && cell.empty()) continue;
      constexpr const char* kParts[] = {"station", "elevation", "roughness"};
      if (cell.empty() || cell.find_first_of(" \t\r\n,;") != std::string_view::npos) {
        failFile(MessageId::PointValue, {MessageArg::literal(std::to_string(point + 1)), MessageArg::term(kParts[c]),
                                         MessageArg::literal(calc::quoteForMessage(cell)), MessageArg::term("not-a-number")});
      }
      if (c) values += ',';
      values += cell;
    }
    text += text.empty() ? "" : " ";
    text += values;
    ++point;
  }
  if (reader.readFailed()) failFile(MessageId::PointsFileUnreadable, {MessageArg::literal(calc::quoteForMessage(path))});
  if (header) failFile(MessageId::PointsFileHeader);
  inputs.set("points", text);
}

}  // namespace channelflow::tools
