// The writers every front end uses to show an answer: JSON (the one dialect
// of the command line and the page), CSV, and text lines or the calculation
// report. They walk the document and decide no hydraulics.
#pragma once

#include "calc/toolkit/answer.h"
#include "calc/toolkit/messages.h"
#include "calc/toolkit/precision.h"
#include "calc/toolkit/text_sink.h"

namespace channelflow::calc {

struct WriteOptions {
  Language language = Language::Chinese;
  FieldStyle fields = FieldStyle::Option;  // how messages name inputs: "--B" or "B"
  bool words = false;                      // JSON: the words of every term used, beside the keys
  bool report = false;                     // JSON: the calculation report and the formulas too
  Precision precision;                     // numbers in full unless asked
};

// One JSON object a record, a line each; the table alone, as an array, when
// it is all the answer has. Terms are written as their keys.
void writeJson(const Answer& answer, TextSink& out, const WriteOptions& options = {});

// A header and a row of the records' items (one header for several records),
// then each table after a blank line; or the tables alone.
void writeCsv(const Answer& answer, TextSink& out, const WriteOptions& options = {});

// The calculation report when it is the whole answer; otherwise its summary
// lines, then "label = value unit" lines of each record and its tables.
void writeText(const Answer& answer, TextSink& out, const WriteOptions& options = {});

// Pieces the command line's own views and the batch share.
void writeJsonValue(const Item& item, TextSink& out, const WriteOptions& options);
// `"key": value, ...` without the braces.
void writeJsonMembers(const Items& items, TextSink& out, const WriteOptions& options);
void writeCsvValue(const Item& item, TextSink& out, const WriteOptions& options);
void writeItemLines(const Items& items, UnitSystem units, TextSink& out, const WriteOptions& options);
void writeCsvHeader(const Items& items, TextSink& out);
void writeCsvRow(const Items& items, TextSink& out, const WriteOptions& options);
void writeTextTable(const Table& table, UnitSystem units, TextSink& out, const WriteOptions& options);
// A report line's words, without the report's layout (indents, blank lines).
std::string reportLineText(const ReportLine& line, UnitSystem units, const WriteOptions& options);
// A term's value as CSV writes it: section and unit names by their keys, the rest by name.
std::string_view termData(std::string_view key, Language language);

}  // namespace channelflow::calc
