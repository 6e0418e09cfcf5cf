#include "tools/batch_rows.h"

#include <string>

#include "calc/toolkit/messages.h"
#include "calc/toolkit/toolkit.h"
#include "tools/first_edition.h"
#include "tools/item_writer.h"

namespace channelflow::tools {
namespace {

using calc::MessageArg;
using calc::MessageId;

constexpr std::array<std::string_view, 5> kFirstEditionInputs{"B", "h", "m", "i", "n"};
constexpr std::array<std::string_view, 13> kFirstEditionResults{"A", "P", "R", "T", "D",  "C",   "v",
                                                                "Q", "Fr", "regime", "hc", "E", "tau0"};
constexpr std::array<std::string_view, 15> kResults{"A",      "P",  "R",  "T",  "D", "C", "v",   "Q",
                                                    "Fr", "regime", "hc", "vc", "ic", "E", "tau0"};
// With a points column: K, alpha and every critical depth, after the depth
// and the water level where the header does not hold them.
constexpr std::array<std::string_view, 18> kPointsResults{"A", "P",  "R",      "T",  "D",      "C",  "v",  "Q",  "K",
                                                          "alpha", "Fr", "regime", "hc", "hc_all", "vc", "ic", "E", "tau0"};

std::span<const std::string_view> resultsOf(const BatchLayout& layout) {
  if (layout.firstEdition) return kFirstEditionResults;
  return layout.points ? std::span<const std::string_view>(layout.results) : std::span<const std::string_view>(kResults);
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::size_t inputIndex(std::string_view key) {
  for (std::size_t k = 0; k < kBatchInputs.size(); ++k) {
    if (kBatchInputs[k] == key) return k;
  }
  return kBatchInputs.size();
}

// A row's answer: the report, or why it has none.
struct RowAnswer {
  calc::Items items;
  std::optional<calc::Problem> error;
};

std::string errorText(const calc::Problem& problem) {
  return calc::messageText(problem, calc::Language::Chinese, calc::FieldStyle::Column);
}

RowAnswer answerRow(const CsvRecord& record, const BatchLayout& layout) {
  RowAnswer answer;
  if (record.error) {
    answer.error = calc::Problem{*record.error, {}, {}};
    return answer;
  }
  if (record.fields.size() != layout.columnCount) {
    answer.error = calc::Problem{MessageId::ColumnCount,
                                 {},
                                 {MessageArg::literal(std::to_string(layout.columnCount)),
                                  MessageArg::literal(std::to_string(record.fields.size()))}};
    return answer;
  }
  calc::Inputs inputs;
  for (std::size_t k = 0; k < kBatchInputs.size(); ++k) {
    if (layout.columns[k] == layout.columnCount) continue;
    const std::string_view cell = trimmed(record.fields[layout.columns[k]]);
    // The second edition's rows leave out what their empty cells do not say.
    if (cell.empty() && !layout.firstEdition) continue;
    inputs.set(kBatchInputs[k], cell);
  }
  try {
    answer.items = calc::report(inputs);
    if (layout.firstEdition) answer.items = firstEditionItems(answer.items);
  } catch (const calc::CalcError& error) {
    answer.error = error.problem();
  }
  return answer;
}

void writeJsonRow(const CsvRecord& record, const BatchLayout& layout, const RowAnswer& answer, OutputSink& out) {
  out.put('{');
  if (!answer.error) {
    writeJsonMembers(layout.firstEdition ? selectItems(answer.items, kFirstEditionInputs) : answer.items, out);
    if (layout.firstEdition) {
      for (std::string_view key : kFirstEditionResults) {
        if (const calc::Item* item = calc::findItem(answer.items, key)) {
          out.put(", ");
          out.jsonString(key);
          out.put(": ");
          putJsonValue(*item, out);
        }
      }
    }
  } else {
    // The row's own texts, and the reason.
    bool first = true;
    if (layout.firstEdition) {
      for (std::string_view key : kFirstEditionInputs) {
        const std::size_t column = layout.columns[inputIndex(key)];
        out.put(first ? "\"" : ", \"");
        first = false;
        out.put(key);
        out.put("\": ");
        out.jsonString(column < record.fields.size() ? record.fields[column] : std::string_view());
      }
    } else {
      for (std::size_t k = 0; k < kBatchInputs.size(); ++k) {
        if (layout.columns[k] >= record.fields.size()) continue;
        out.put(first ? "" : ", ");
        first = false;
        out.jsonString(kBatchInputs[k]);
        out.put(": ");
        out.jsonString(record.fields[layout.columns[k]]);
      }
    }
    out.put(first ? "\"error\": " : ", \"error\": ");
    out.jsonString(errorText(*answer.error));
  }
  out.put('}');
  out.endLine();
}

void writeCsvRow(const CsvRecord& record, const BatchLayout& layout, const RowAnswer& answer, OutputSink& out) {
  // Exactly the header's columns: a short row is padded, a long one cut (its error says so).
  for (std::size_t k = 0; k < layout.columnCount; ++k) {
    if (k) out.put(',');
    if (k < record.fields.size()) putCsvField(out, record.fields[k]);
  }
  for (std::string_view key : resultsOf(layout)) {
    out.put(',');
    if (answer.error) continue;
    if (const calc::Item* item = calc::findItem(answer.items, key)) putCsvValue(*item, out);
  }
  out.put(',');
  if (answer.error) putCsvField(out, errorText(*answer.error));
  out.endLine();
}

}  // namespace

BatchLayout batchLayout(std::span<const std::string_view> header, bool json) {
  BatchLayout layout;
  layout.json = json;
  layout.columnCount = header.size();
  for (std::string_view name : header) {
    // D, r and p alone describe no trapezoid: without a section column they
    // stay the carried-through columns they have always been.
    for (std::string_view only : {"section", "units", "m1", "m2", "n-bed", "n-wall", "points"}) {
      if (trimmed(name) == only) layout.firstEdition = false;
    }
    layout.points = layout.points || trimmed(name) == "points";
  }
  for (std::size_t k = 0; k < kBatchInputs.size(); ++k) {
    const std::string_view key = kBatchInputs[k];
    layout.columns[k] = header.size();
    // Without a points column a wse column is carried through, as it always was.
    const bool wanted = (!layout.firstEdition && (key != "wse" || layout.points)) || key == "B" || key == "h" ||
                        key == "m" || key == "i" || key == "n";
    if (!wanted) continue;
    for (std::size_t c = 0; c < header.size(); ++c) {
      if (trimmed(header[c]) != key) continue;
      if (layout.columns[k] != header.size()) calc::fail(MessageId::ColumnTwice, {}, {MessageArg::literal(key)});
      layout.columns[k] = c;
    }
  }
  if (layout.points) {
    for (std::string_view key : {"h", "wse"}) {
      if (layout.columns[inputIndex(key)] == header.size()) layout.results.push_back(key);
    }
    layout.results.insert(layout.results.end(), kPointsResults.begin(), kPointsResults.end());
  }
  const std::span<const std::string_view> required =
      layout.firstEdition ? std::span<const std::string_view>(kFirstEditionInputs)
                          : std::span<const std::string_view>(kBatchInputs).first(2);
  for (std::string_view key : required) {
    // A water level may stand for the depth.
    if (key == "h" && layout.points && layout.columns[inputIndex("wse")] != header.size()) continue;
    if (layout.columns[inputIndex(key)] == header.size()) {
      calc::fail(layout.firstEdition ? MessageId::FirstEditionColumnMissing : MessageId::ColumnMissing, {},
                 {MessageArg::literal(key)});
    }
  }
  return layout;
}

void writeBatchHeader(std::span<const std::string_view> header, const BatchLayout& layout, OutputSink& out) {
  for (std::size_t c = 0; c < header.size(); ++c) {
    if (c) out.put(',');
    putCsvField(out, header[c]);
  }
  for (std::string_view key : resultsOf(layout)) {
    out.put(',');
    out.put(key);
  }
  out.put(",error");
  out.endLine();
}

void writeBatchRow(const CsvRecord& record, const BatchLayout& layout, OutputSink& out) {
  const RowAnswer answer = answerRow(record, layout);
  layout.json ? writeJsonRow(record, layout, answer, out) : writeCsvRow(record, layout, answer, out);
}

}  // namespace channelflow::tools
