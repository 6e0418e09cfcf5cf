#include "tools/design_writer.h"

#include <array>

#include "calc/toolkit/messages.h"
#include "tools/csv.h"
#include "tools/item_writer.h"
#include "tools/sub_command.h"

namespace channelflow::tools {
namespace {

using calc::QuantityId;
using calc::design::CheckStatus;
using calc::design::ReportLine;

constexpr std::array<QuantityId, 8> kSchemeColumns{QuantityId::Alpha, QuantityId::Eta, QuantityId::Beta,
                                                   QuantityId::B,     QuantityId::Depth, QuantityId::Area,
                                                   QuantityId::Velocity, QuantityId::AreaIncrease};

std::array<double, 8> cellsOf(const calc::DesignScheme& s) { return {s.alpha, s.eta, s.beta, s.B, s.h, s.A, s.v, s.increase}; }

std::string_view term(std::string_view key) { return calc::termText(key, calc::Language::Chinese); }

// The schemes as the report's table: symbol(unit) headings, the chosen row marked.
void putSchemeTable(const calc::DesignAnswer& answer, OutputSink& out) {
  out.put("  ");
  for (std::size_t c = 0; c < kSchemeColumns.size(); ++c) {
    const calc::QuantityInfo& info = calc::quantityInfo(kSchemeColumns[c]);
    if (c) out.put('\t');
    out.put(info.symbol);
    const std::string_view unit = unitOf(kSchemeColumns[c], calc::UnitSystem::SI);
    if (!unit.empty()) {
      out.put('(');
      out.put(unit);
      out.put(')');
    }
  }
  out.endLine();
  for (const calc::DesignScheme& s : answer.schemes) {
    out.put("  ");
    const std::array<double, 8> cells = cellsOf(s);
    for (std::size_t c = 0; c < cells.size(); ++c) {
      if (c) out.put('\t');
      out.number(cells[c]);
    }
    if (!s.inTable) {
      out.put("\t（");
      out.put(term("outside-table"));
      out.put("）");
    }
    if (s.chosen) {
      out.put("\t← ");
      out.put(term("chosen"));
    }
    out.endLine();
  }
}

void putChecks(const calc::DesignAnswer& answer, OutputSink& out) {
  for (const calc::design::DesignCheck& check : answer.checks) {
    out.put("  [");
    out.put(term(calc::design::statusTerm(check.status)));
    out.put("] ");
    out.put(term(check.key));
    out.put("：");
    out.put(calc::phraseText(check.message));
    out.endLine();
  }
}

void writeReport(const calc::DesignAnswer& answer, OutputSink& out) {
  for (const ReportLine& line : answer.report) {
    switch (line.kind) {
      case ReportLine::Kind::Title: out.put(calc::phraseText(line.text)); break;
      case ReportLine::Kind::Heading:
        out.endLine();
        out.put(calc::phraseText(line.text));
        break;
      case ReportLine::Kind::Step:
        out.put("  ");
        out.put(calc::phraseText(line.text));
        break;
      case ReportLine::Kind::Note:
        out.put("    注：");
        out.put(calc::phraseText(line.text));
        break;
      case ReportLine::Kind::Schemes: putSchemeTable(answer, out); continue;
      case ReportLine::Kind::Checks: putChecks(answer, out); continue;
    }
    out.endLine();
  }
}

void putJsonOk(CheckStatus status, OutputSink& out) {
  out.put(status == CheckStatus::Pass ? "true" : status == CheckStatus::Fail ? "false" : "null");
}

void writeJson(const calc::DesignAnswer& answer, OutputSink& out) {
  out.put('{');
  writeJsonMembers(answer.items, out);
  out.put(", \"schemes\": [");
  for (std::size_t n = 0; n < answer.schemes.size(); ++n) {
    const calc::DesignScheme& s = answer.schemes[n];
    const std::array<double, 8> cells = cellsOf(s);
    out.put(n ? ",\n  {" : "\n  {");
    for (std::size_t k = 0; k < cells.size(); ++k) {
      out.put(k ? ", \"" : "\"");
      out.put(calc::quantityInfo(kSchemeColumns[k]).key);
      out.put("\": ");
      out.number(cells[k]);
    }
    out.put(s.chosen ? ", \"chosen\": true" : ", \"chosen\": false");
    out.put(s.inTable ? ", \"in_table\": true}" : ", \"in_table\": false}");
  }
  out.put(answer.schemes.empty() ? "]" : "\n]");
  out.put(", \"checks\": [");
  for (std::size_t n = 0; n < answer.checks.size(); ++n) {
    const calc::design::DesignCheck& check = answer.checks[n];
    out.put(n ? ",\n  {\"key\": " : "\n  {\"key\": ");
    out.jsonString(check.key);
    out.put(", \"ok\": ");
    putJsonOk(check.status, out);
    out.put(", \"message\": ");
    out.jsonString(calc::phraseText(check.message));
    out.put('}');
  }
  out.put("\n]}");
  out.endLine();
}

void writeCsv(const calc::DesignAnswer& answer, OutputSink& out) {
  writeCsvHeader(answer.items, out);
  writeCsvRow(answer.items, out);
  if (!answer.schemes.empty()) {
    out.endLine();
    for (QuantityId id : kSchemeColumns) {
      out.put(calc::quantityInfo(id).key);
      out.put(',');
    }
    out.put("chosen,in_table");
    out.endLine();
    for (const calc::DesignScheme& s : answer.schemes) {
      for (double cell : cellsOf(s)) {
        out.number(cell);
        out.put(',');
      }
      out.put(s.chosen ? "true," : "false,");
      out.put(s.inTable ? "true" : "false");
      out.endLine();
    }
  }
  out.endLine();
  out.put("key,ok,message");
  out.endLine();
  for (const calc::design::DesignCheck& check : answer.checks) {
    out.put(check.key);
    out.put(check.status == CheckStatus::Pass ? ",true," : check.status == CheckStatus::Fail ? ",false," : ",,");
    putCsvField(out, calc::phraseText(check.message));
    out.endLine();
  }
}

}  // namespace

void writeDesign(const calc::DesignAnswer& answer, OutputFormat format, OutputSink& out) {
  switch (format) {
    case OutputFormat::Text: writeReport(answer, out); break;
    case OutputFormat::Csv: writeCsv(answer, out); break;
    case OutputFormat::Json: writeJson(answer, out); break;
  }
}

}  // namespace channelflow::tools
