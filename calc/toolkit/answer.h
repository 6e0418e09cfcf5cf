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
    Message,  // a quantity that could not be computed, and why
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

  static Cell of(double value) { return {Kind::Number, false, value, {}, {}, {}, {}}; }
  static Cell list(std::vector<double> values) { return {Kind::List, false, 0, {}, {}, std::move(values), {}}; }
  static Cell termed(std::string_view key) { return {Kind::Term, false, 0, key, {}, {}, {}}; }
  static Cell textOf(std::string_view text) { return {Kind::Text, false, 0, {}, std::string(text), {}, {}}; }
  static Cell messageOf(Problem problem) { return {Kind::Message, false, 0, {}, {}, {}, std::move(problem)}; }
  static Cell yesNo(bool value) { return {Kind::Flag, value, 0, {}, {}, {}, {}}; }
  static Cell absent(std::string_view reason = {}) { return {Kind::Absent, false, 0, reason, {}, {}, {}}; }
};

struct Item {
  QuantityId id;
  Cell cell;
  std::string_view key() const { return quantityInfo(id).key; }
};
using Items = std::vector<Item>;

// The item with this key, or nullptr.
const Item* findItem(const Items& items, std::string_view key);

// A table's row: a cell per column, or, when the row has no answer, the
// cells it has (the leading ones) and the problem.
struct Row {
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
  std::string_view key;  // the record's own group has none
  Items items;
  std::vector<Group> groups;  // named sub-groups
  std::vector<Table> tables;
};

// A line of a calculation report: a title, a heading, a step with its
// formula and numbers, a note on the step before, an item (a label, its
// value and unit, after a prefix term), or the place of one of the record's
// tables (its key in `table`).
struct ReportLine {
  enum class Kind : std::uint8_t { Title, Heading, Step, Note, Item, Table };
  Kind kind = Kind::Step;
  Phrase text;
  std::string_view prefix;  // Item: a term put before the label ("solved")
  std::optional<calc::Item> item;
  std::string_view table;
};

struct Answer {
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
  std::vector<Phrase> formulas;

  Group& record() { return records.front(); }
  const Group& record() const { return records.front(); }
};

}  // namespace channelflow::calc
