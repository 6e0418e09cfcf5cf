// Text: "label = value unit" lines, tables with a heading of keys and units,
// and calculation reports, in the chosen language.
#include "calc/toolkit/answer_writers.h"

namespace channelflow::calc {
namespace {

void putValue(const Cell& cell, UnitKind unit, TextSink& out, const WriteOptions& options) {
  switch (cell.kind) {
    case Cell::Kind::Number: writeNumber(out, cell.number, unit, options.precision); break;
    case Cell::Kind::List:
      for (std::size_t k = 0; k < cell.numbers.size(); ++k) {
        if (k) out.put(", ");
        writeNumber(out, cell.numbers[k], unit, options.precision);
      }
      break;
    case Cell::Kind::Term:
    case Cell::Kind::Absent: out.put(termText(cell.term, options.language)); break;
    case Cell::Kind::Text: out.put(cell.text); break;
    case Cell::Kind::Words: out.put(cell.words.in(options.language)); break;
    case Cell::Kind::Message: out.put(messageText(cell.message, options.language, options.fields)); break;
    case Cell::Kind::Phrase: out.put(phraseText(cell.phrase, options.language, options.fields)); break;
    case Cell::Kind::Flag: out.put(termText(cell.flag ? "yes" : "no", options.language)); break;
  }
}

void putItemLine(const Item& item, std::string_view prefix, UnitSystem units, TextSink& out, const WriteOptions& options) {
  if (!prefix.empty()) out.put(termText(prefix, options.language));
  out.put(quantityLabel(item.id, options.language));
  out.put(" = ");
  putValue(item.cell, quantityInfo(item.id).unit, out, options);
  const std::string_view unit = unitText(quantityInfo(item.id).unit, units);
  if (!unit.empty() && (item.cell.kind == Cell::Kind::Number || item.cell.kind == Cell::Kind::List)) {
    out.put(' ');
    out.put(unit);
  }
}

bool hasSymbol(QuantityId id) { return !quantityInfo(id).symbol.empty(); }

}  // namespace

void writeItemLines(const Items& items, UnitSystem units, TextSink& out, const WriteOptions& options) {
  for (const Item& item : items) {
    if (!item.inText) continue;
    putItemLine(item, {}, units, out, options);
    out.endLine();
  }
}

void writeTextTable(const Table& table, UnitSystem units, TextSink& out, const WriteOptions& options) {
  // Quantities with a symbol head their column by key and unit, words by their label.
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    const QuantityId id = table.columns[c];
    if (c) out.put('\t');
    if (!hasSymbol(id)) {
      out.put(quantityLabel(id, options.language));
      continue;
    }
    out.put(quantityInfo(id).key);
    if (const std::string_view unit = unitText(quantityInfo(id).unit, units); !unit.empty()) {
      out.put('(');
      out.put(unit);
      out.put(')');
    }
  }
  out.endLine();
  for (long k = 0; k < table.rowCount && !out.failed(); ++k) {
    const Row row = table.rowAt(k);
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
      if (c) out.put('\t');
      if (row.cells[c].kind != Cell::Kind::Absent) putValue(row.cells[c], quantityInfo(table.columns[c]).unit, out, options);
    }
    if (row.error) {
      out.put('\t');
      out.put(phraseText({TextId::RowError, {MessageArg::literal(messageText(*row.error, options.language, options.fields))}},
                         options.language, options.fields));
    }
    out.endLine();
  }
}

std::string reportLineText(const ReportLine& line, UnitSystem units, const WriteOptions& options) {
  if (line.kind == ReportLine::Kind::Note) {
    return phraseText({TextId::NoteLine, {MessageArg::nested(line.text)}}, options.language, options.fields,
                      &options.precision);
  }
  if (line.kind != ReportLine::Kind::Item || !line.item) {
    return phraseText(line.text, options.language, options.fields, &options.precision);
  }
  TextSink text;
  putItemLine(*line.item, line.prefix, units, text, options);
  return text.text();
}

namespace {

// The shown groups among `groups`, each its items and tables after a blank line, then its own.
void writeShownGroups(const std::vector<Group>& groups, UnitSystem units, TextSink& out, const WriteOptions& options,
                      bool& written) {
  for (const Group& group : groups) {
    if (!group.shown) continue;
    if (written && !group.items.empty()) out.endLine();
    writeItemLines(group.items, units, out, options);
    written = written || !group.items.empty();
    for (const Table& table : group.tables) {
      if (written) out.endLine();
      writeTextTable(table, units, out, options);
      written = true;
    }
    writeShownGroups(group.groups, units, out, options, written);
  }
}

}  // namespace

void writeText(const Answer& answer, TextSink& out, const WriteOptions& options) {
  bool written = false;
  for (const ReportLine& line : answer.report) {
    switch (line.kind) {
      case ReportLine::Kind::Heading: out.endLine(); break;
      case ReportLine::Kind::Step: out.put("  "); break;
      case ReportLine::Kind::Note: out.put("    "); break;
      case ReportLine::Kind::Plain:
      case ReportLine::Kind::Item: break;
    }
    out.put(reportLineText(line, answer.units, options));
    out.endLine();
    written = true;
  }
  if (answer.reportRole == Answer::ReportRole::Document) {
    // A report that is the whole document: its shown groups' tables follow it (a canal line's results).
    for (const Group& record : answer.records) writeShownGroups(record.groups, answer.units, out, options, written);
    return;
  }
  for (const Group& record : answer.records) {
    if (written && !record.items.empty()) out.endLine();
    writeItemLines(record.items, answer.units, out, options);
    written = written || !record.items.empty();
    for (const Table& table : record.tables) {
      if (written) out.endLine();
      writeTextTable(table, answer.units, out, options);
      written = true;
    }
    writeShownGroups(record.groups, answer.units, out, options, written);
  }
}

}  // namespace channelflow::calc
