// The one JSON dialect: a record's items as members, its sub-groups as
// objects and its tables as arrays of row objects, one row a line.
#include <string_view>
#include <vector>

#include "calc/toolkit/answer_writers.h"

namespace channelflow::calc {
namespace {

class JsonWriter {
 public:
  JsonWriter(TextSink& out, const WriteOptions& options) : out_(out), options_(options) {}

  void value(const Cell& cell, UnitKind unit) {
    switch (cell.kind) {
      case Cell::Kind::Number: writeNumber(out_, cell.number, unit, options_.precision); break;
      case Cell::Kind::List:
        out_.put('[');
        for (std::size_t k = 0; k < cell.numbers.size(); ++k) {
          if (k) out_.put(", ");
          writeNumber(out_, cell.numbers[k], unit, options_.precision);
        }
        out_.put(']');
        break;
      case Cell::Kind::Term:
        out_.jsonString(cell.term);
        noteTerm(cell.term);
        break;
      case Cell::Kind::Text: out_.jsonString(cell.text); break;
      case Cell::Kind::Words: out_.jsonString(cell.words.in(options_.language)); break;
      case Cell::Kind::Message: out_.jsonString(messageText(cell.message, options_.language, options_.fields)); break;
      case Cell::Kind::Phrase: out_.jsonString(phraseText(cell.phrase, options_.language, options_.fields)); break;
      case Cell::Kind::Flag: out_.put(cell.flag ? "true" : "false"); break;
      case Cell::Kind::Absent: out_.put("null"); break;
    }
  }

  void member(std::string_view key, bool& first) {
    out_.put(first ? "\"" : ", \"");
    out_.put(key);
    out_.put("\": ");
    first = false;
  }

  // A quantity's member: its label remembered for the words.
  void member(QuantityId id, bool& first) {
    noteLabel(id);
    member(quantityInfo(id).key, first);
  }


  void row(const Table& table, const Row& row) {
    out_.put('{');
    bool first = true;
    for (std::size_t c = 0; c < row.cells.size() && c < table.columns.size(); ++c) {
      member(table.columns[c], first);
      value(row.cells[c], quantityInfo(table.columns[c]).unit);
    }
    if (row.error) {
      member("error", first);
      out_.jsonString(messageText(*row.error, options_.language, options_.fields));
    }
    out_.put('}');
  }

  void rows(const Table& table) {
    out_.put('[');
    for (long k = 0; k < table.rowCount && !out_.failed(); ++k) {
      out_.put(k ? ",\n  " : "\n  ");
      row(table, table.rowAt(k));
    }
    out_.put(table.rowCount > 0 ? "\n]" : "]");
  }

  void members(const Group& group, bool& first) {
    for (const Item& item : group.items) {
      member(item.id, first);
      value(item.cell, quantityInfo(item.id).unit);
    }
    for (const Group& sub : group.groups) {
      member(sub.key, first);
      out_.put('{');
      bool inner = true;
      members(sub, inner);
      out_.put('}');
    }
    for (const Table& table : group.tables) {
      member(table.key, first);
      rows(table);
    }
  }

  void phrases(std::string_view key, const std::vector<Phrase>& lines, bool& first) {
    member(key, first);
    out_.put('[');
    for (std::size_t k = 0; k < lines.size(); ++k) {
      if (k) out_.put(", ");
      out_.jsonString(phraseText(lines[k], options_.language, options_.fields, &options_.precision));
    }
    out_.put(']');
  }

  void report(const Answer& answer, bool& first) {
    static constexpr std::string_view kKinds[] = {"plain", "heading", "step", "note", "item"};
    member("report", first);
    out_.put('[');
    for (std::size_t k = 0; k < answer.report.size(); ++k) {
      const ReportLine& line = answer.report[k];
      out_.put(k ? ",\n  {\"kind\": \"" : "\n  {\"kind\": \"");
      out_.put(kKinds[static_cast<int>(line.kind)]);
      out_.put("\", \"text\": ");
      out_.jsonString(reportLineText(line, answer.units, options_));
      out_.put('}');
    }
    out_.put(answer.report.empty() ? "]" : "\n]");
  }

  void words(bool& first) {
    if (!options_.words) return;
    member("labels", first);
    out_.put('{');
    for (std::size_t k = 0; k < labels_.size(); ++k) {
      if (k) out_.put(", ");
      out_.jsonString(quantityInfo(labels_[k]).key);
      out_.put(": ");
      out_.jsonString(quantityLabel(labels_[k], options_.language));
    }
    out_.put('}');
    member("words", first);
    out_.put('{');
    for (std::size_t k = 0; k < terms_.size(); ++k) {
      if (k) out_.put(", ");
      out_.jsonString(terms_[k]);
      out_.put(": ");
      out_.jsonString(termWords(terms_[k], options_.language));
    }
    out_.put('}');
  }

  void record(const Answer& answer, const Group& group, bool last) {
    out_.put('{');
    bool first = true;
    members(group, first);
    if (last && options_.report && answer.reportRole == Answer::ReportRole::Document) report(answer, first);
    if (last && options_.report && !answer.formulas.empty()) phrases("formulas", answer.formulas, first);
    words(first);
    out_.put('}');
    out_.endLine();
  }

 private:
  void noteTerm(std::string_view key) {
    if (!options_.words) return;
    for (std::string_view seen : terms_) {
      if (seen == key) return;
    }
    terms_.push_back(key);
  }

  // The first quantity of each key: the one a reader's label for it names.
  void noteLabel(QuantityId id) {
    if (!options_.words) return;
    for (QuantityId seen : labels_) {
      if (quantityInfo(seen).key == quantityInfo(id).key) return;
    }
    labels_.push_back(id);
  }

  TextSink& out_;
  const WriteOptions& options_;
  std::vector<std::string_view> terms_;
  std::vector<QuantityId> labels_;
};

bool isTableAlone(const Answer& answer) {
  if (answer.records.size() != 1) return false;
  const Group& g = answer.record();
  return g.items.empty() && g.groups.empty() && g.tables.size() == 1 && !(answer.reportRole == Answer::ReportRole::Document);
}

}  // namespace

void writeJsonValue(const Item& item, TextSink& out, const WriteOptions& options) {
  JsonWriter(out, options).value(item.cell, quantityInfo(item.id).unit);
}

void writeJsonMembers(const Items& items, TextSink& out, const WriteOptions& options) {
  JsonWriter writer(out, options);
  bool first = true;
  for (const Item& item : items) {
    writer.member(item.key(), first);
    writer.value(item.cell, quantityInfo(item.id).unit);
  }
}

void writeJson(const Answer& answer, TextSink& out, const WriteOptions& options) {
  JsonWriter writer(out, options);
  if (isTableAlone(answer)) {
    writer.rows(answer.record().tables.front());
    out.endLine();
    return;
  }
  for (std::size_t k = 0; k < answer.records.size(); ++k) {
    writer.record(answer, answer.records[k], k + 1 == answer.records.size());
  }
}

}  // namespace channelflow::calc
