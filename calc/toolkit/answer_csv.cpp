// CSV: the records' items as a header and rows, then each table with its
// column keys, an error column where rows may fail.
#include <algorithm>

#include "calc/services/csv_reader.h"
#include "calc/toolkit/answer_writers.h"

namespace channelflow::calc {
namespace {

void putField(TextSink& out, std::string_view text) { putCsvField(out, text); }

void putValue(const Cell& cell, UnitKind unit, TextSink& out, const WriteOptions& options) {
  switch (cell.kind) {
    case Cell::Kind::Number: writeNumber(out, cell.number, unit, options.precision); break;
    case Cell::Kind::List:
      for (std::size_t k = 0; k < cell.numbers.size(); ++k) {
        if (k) out.put(' ');
        writeNumber(out, cell.numbers[k], unit, options.precision);
      }
      break;
    case Cell::Kind::Term: putField(out, termData(cell.term, options.language)); break;
    case Cell::Kind::Text: putField(out, cell.text); break;
    case Cell::Kind::Words: putField(out, cell.words.in(options.language)); break;
    case Cell::Kind::Message: putField(out, messageText(cell.message, options.language, options.fields)); break;
    case Cell::Kind::Phrase: putField(out, phraseText(cell.phrase, options.language, options.fields)); break;
    case Cell::Kind::Flag: out.put(cell.flag ? "true" : "false"); break;
    case Cell::Kind::Absent: break;
  }
}

void putTable(const Table& table, TextSink& out, const WriteOptions& options) {
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    if (c) out.put(',');
    out.put(quantityInfo(table.columns[c]).key);
  }
  if (table.rowsMayFail) out.put(",error");
  out.endLine();
  for (long k = 0; k < table.rowCount && !out.failed(); ++k) {
    const Row row = table.rowAt(k);
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
      if (c) out.put(',');
      if (c < row.cells.size()) putValue(row.cells[c], quantityInfo(table.columns[c]).unit, out, options);
    }
    if (table.rowsMayFail) {
      out.put(',');
      if (row.error) putField(out, messageText(*row.error, options.language, options.fields));
    }
    out.endLine();
  }
}

// The shown groups among `groups`, each its items (a header and a row) and
// its tables, each after a blank line, then its own.
void putShownGroups(const std::vector<Group>& groups, TextSink& out, const WriteOptions& options, bool& written) {
  for (const Group& group : groups) {
    if (!group.shown) continue;
    if (!group.items.empty()) {
      if (written) out.endLine();
      writeCsvHeader(group.items, out);
      writeCsvRow(group.items, out, options);
      written = true;
    }
    for (const Table& table : group.tables) {
      if (written) out.endLine();
      putTable(table, out, options);
      written = true;
    }
    putShownGroups(group.groups, out, options, written);
  }
}

// The sub-groups that are rows of one table: the row key's column, then
// every quantity any of them has, in the order first met.
bool putGroupRows(const Group& record, TextSink& out, const WriteOptions& options) {
  std::vector<const Group*> rows;
  for (const Group& group : record.groups) {
    if (!group.rowKey.empty()) rows.push_back(&group);
  }
  if (rows.empty()) return false;
  std::vector<QuantityId> columns;
  for (const Group* group : rows) {
    for (const Item& item : group->items) {
      bool seen = false;
      for (QuantityId id : columns) seen = seen || quantityInfo(id).key == item.key();
      if (!seen) columns.push_back(item.id);
    }
  }
  out.put(rows.front()->rowKey);
  for (QuantityId id : columns) {
    out.put(',');
    out.put(quantityInfo(id).key);
  }
  out.endLine();
  for (const Group* group : rows) {
    putField(out, group->key);
    for (QuantityId id : columns) {
      out.put(',');
      if (const Item* item = findItem(group->items, quantityInfo(id).key)) putValue(item->cell, quantityInfo(id).unit, out, options);
    }
    out.endLine();
  }
  return true;
}

}  // namespace

void writeCsvValue(const Item& item, TextSink& out, const WriteOptions& options) {
  putValue(item.cell, quantityInfo(item.id).unit, out, options);
}

std::string_view termData(std::string_view key, Language language) {
  const TermInfo* term = findTerm(key);
  if (term == nullptr) return key;
  return term->keyInData ? term->key : term->name.in(language);
}

void writeCsvHeader(const Items& items, TextSink& out) {
  for (std::size_t k = 0; k < items.size(); ++k) {
    if (k) out.put(',');
    out.put(items[k].key());
  }
  out.endLine();
}

void writeCsvRow(const Items& items, TextSink& out, const WriteOptions& options) {
  for (std::size_t k = 0; k < items.size(); ++k) {
    if (k) out.put(',');
    putValue(items[k].cell, quantityInfo(items[k].id).unit, out, options);
  }
  out.endLine();
}

void writeCsv(const Answer& answer, TextSink& out, const WriteOptions& options) {
  const bool items = answer.csvLayout == Answer::CsvLayout::Whole && !answer.record().items.empty();
  if (items) {
    writeCsvHeader(answer.record().items, out);
    for (const Group& record : answer.records) writeCsvRow(record.items, out, options);
  }
  bool written = items;
  if (answer.csvLayout == Answer::CsvLayout::Whole) {
    if (written && std::any_of(answer.record().groups.begin(), answer.record().groups.end(),
                               [](const Group& group) { return !group.rowKey.empty(); })) {
      out.endLine();
    }
    written = putGroupRows(answer.record(), out, options) || written;
  }
  for (const Table& table : answer.records.back().tables) {
    // After the items a table without rows is left out; alone it keeps its header.
    if (written && table.rowCount == 0) continue;
    if (written) out.endLine();
    putTable(table, out, options);
    written = true;
  }
  putShownGroups(answer.records.back().groups, out, options, written);
}

}  // namespace channelflow::calc
