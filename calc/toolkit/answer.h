// The one shape of every answer of the toolkit: a document of records, each a
// group of items (a quantity of the catalog with its cell), named sub-groups and
// tables whose columns are quantities; every cell a value or its absence with
// the reason. The writers (calc/toolkit/answer_json.h, answer_csv.h,
// answer_text.h) walk it; no front end decides which quantities an answer has.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/sections/units.h"
#include "calc/toolkit/catalog.h"
#include "calc/toolkit/phrase.h"
#include "calc/toolkit/problem.h"

namespace channelflow::calc {

// One value of a quantity, or why it has none.
struct Cell {
  enum class Kind : std::uint8_t {
    Number,   // a correctly rounded double
    List,     // several numbers of one quantity ("hc_all")
    Term,     // a catalog term's key ("subcritical")
    Text,     // verbatim text (a row's key, the key of a solved unknown)
    Words,    // words in both languages (a design table's row name)
    Message,  // a quantity that could not be computed, and why
    Phrase,   // words of the report's table ("the design velocity lies within ...")
    Flag,     // yes or no ("chosen")
    Absent,   // no value; `term` is the reason's key ("full": a pipe running full has no Froude number)
  };
  Kind kind = Kind::Absent;
  bool flag = false;
  double number = 0;
  std::string_view term;
  std::string text;
  std::vector<double> numbers;
  Problem message;
  calc::Phrase phrase;
  calc::Text words;

  static Cell of(double value) {
    Cell cell;
    cell.kind = Kind::Number;
    cell.number = value;
    return cell;
  }
  static Cell list(std::vector<double> values) {
    Cell cell;
    cell.kind = Kind::List;
    cell.numbers = std::move(values);
    return cell;
  }
  static Cell termed(std::string_view key) {
    Cell cell;
    cell.kind = Kind::Term;
    cell.term = key;
    return cell;
  }
  static Cell textOf(std::string_view text) {
    Cell cell;
    cell.kind = Kind::Text;
    cell.text = text;
    return cell;
  }
  static Cell wordsOf(calc::Text text) {
    Cell cell;
    cell.kind = Kind::Words;
    cell.words = text;
    return cell;
  }
  static Cell messageOf(Problem problem) {
    Cell cell;
    cell.kind = Kind::Message;
    cell.message = std::move(problem);
    return cell;
  }
  static Cell phraseOf(calc::Phrase words) {
    Cell cell;
    cell.kind = Kind::Phrase;
    cell.phrase = std::move(words);
    return cell;
  }
  static Cell yesNo(bool value) {
    Cell cell;
    cell.kind = Kind::Flag;
    cell.flag = value;
    return cell;
  }
  static Cell absent(std::string_view reason) {
    Cell cell;
    cell.kind = Kind::Absent;
    cell.term = reason;
    return cell;
  }
};

struct Item {
  Item(QuantityId quantity, Cell value, bool shown = true) : id(quantity), cell(std::move(value)), inText(shown) {}

  QuantityId id;
  Cell cell;
  // Data only: left out of the text view, which says it otherwise (a
  // circle's capacity in a solve's summary line).
  bool inText;
  std::string_view key() const { return quantityInfo(id).key; }
};
using Items = std::vector<Item>;

// The item with this key, or nullptr.
const Item* findItem(const Items& items, std::string_view key);

// A table's row: a cell per column, or, when the row has no answer, the
// cells it has (the leading ones) and the problem.
struct Row {
  Row() = default;
  explicit Row(std::vector<Cell> values) : cells(std::move(values)) {}

  std::vector<Cell> cells;
  std::optional<Problem> error;
};

// A table whose columns are quantities. Rows are made as they are written,
// so that a table of a million rows is never held whole.
struct Table {
  std::string_view key;  // its name in JSON ("points"); unused when the table is the whole answer
  std::vector<QuantityId> columns;
  bool rowsMayFail = false;  // rows may carry a problem: CSV has an error column
  long rowCount = 0;
  std::function<Row(long)> rowAt;

  static Table of(std::string_view key, std::vector<QuantityId> columns, std::vector<Row> rows);
};

struct Group {
  Group() = default;
  explicit Group(std::string_view name, bool inViews = false) : key(name), shown(inViews) {}

  std::string key;  // the record's own group has none
  // Written by the text and CSV views too (a reach's flows), after the
  // record's own items and tables; otherwise a group is data (a drawing's).
  bool shown = false;
  // CSV writes the sub-groups that name a row key as one table after the
  // record's items, a row each: this column ("flow") holds the group's key,
  // then the quantities of them all. Empty: the group is left out of CSV.
  std::string_view rowKey;
  Items items;
  std::vector<Group> groups;  // named sub-groups
  std::vector<Table> tables;
};

// A line of a calculation report: a plain line (a title), a heading, a step
// with its formula and numbers, a note on the step before, or an item (its
// label, value and unit after a prefix term: "所求正常水深 h = 1.04 m").
struct ReportLine {
  enum class Kind : std::uint8_t { Plain, Heading, Step, Note, Item };
  ReportLine() = default;
  ReportLine(Kind lineKind, calc::Phrase words) : kind(lineKind), text(std::move(words)) {}
  static ReportLine of(std::string_view prefix, calc::Item item) {
    ReportLine line;
    line.kind = Kind::Item;
    line.prefix = prefix;
    line.item = std::move(item);
    return line;
  }
  Kind kind = Kind::Step;
  calc::Phrase text;
  std::string_view prefix;
  std::optional<calc::Item> item;
};

struct Answer {
  Answer() = default;
  Answer(std::string_view name, UnitSystem system, std::size_t recordCount = 1)
      : question(name), units(system), records(recordCount) {}

  std::string_view question;
  UnitSystem units = UnitSystem::SI;
  // Usually one; several when the question has several answers (a circle's
  // two depths carrying one discharge), each a line of JSON.
  std::vector<Group> records;
  // The calculation report. As a document it is the whole text view (a
  // design's 计算书) and is written in JSON too; as a summary it is printed
  // before the records' items in text only.
  enum class ReportRole : std::uint8_t { Summary, Document };
  ReportRole reportRole = ReportRole::Summary;
  std::vector<ReportLine> report;
  // The formulas with the numbers put in, for a printed report.
  std::vector<calc::Phrase> formulas;
  // CSV: the records' items and their tables, or the tables alone (a
  // profile's points, its head said on the error stream).
  enum class CsvLayout : std::uint8_t { Whole, TablesOnly };
  CsvLayout csvLayout = CsvLayout::Whole;

  Group& record() { return records.front(); }
  const Group& record() const { return records.front(); }
};

}  // namespace channelflow::calc
