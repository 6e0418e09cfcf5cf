// channelflow-cli report: every quantity of the flow at one depth; a line in
// the first edition's words keeps that edition's output.
#include "calc/services/first_edition.h"
#include "tools/commands.h"

namespace channelflow::tools {

bool isFirstEditionLine(const Options& o) {
  for (std::string_view name : {"section", "units", "m1", "m2", "D", "r", "p", "n-bed", "n-wall", "points", "points-file", "wse"}) {
    if (o.has(name)) return false;
  }
  return true;
}

namespace {

// The record's items alone, in the format asked.
void writeItems(const calc::Items& items, calc::UnitSystem units, const Options& o, OutputSink& out) {
  switch (o.format()) {
    case OutputFormat::Text: calc::writeItemLines(items, units, out, o.writeOptions()); break;
    case OutputFormat::Csv:
      calc::writeCsvHeader(items, out);
      calc::writeCsvRow(items, out, o.writeOptions());
      break;
    case OutputFormat::Json:
      out.put('{');
      calc::writeJsonMembers(items, out, o.writeOptions());
      out.put('}');
      out.endLine();
      break;
  }
}

int report(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  const calc::Answer answer = calc::report(o.inputs());
  if (!isFirstEditionLine(o)) {
    writeAnswer(answer, o, out);
  } else {
    writeItems(calc::firstEditionItems(answer.record().items), answer.units, o, out);
  }
  return 0;
}

// The solution of solve-depth or solve-width, in the first edition's words
// when the line is in them: the unknown's line, then that edition's quantities.
int solveFor(const Options& o, std::string_view question, OutputSink& out) {
  const calc::Answer answer = calc::findQuestion(question)->answer(o.inputs());
  if (!isFirstEditionLine(o)) {
    writeAnswer(answer, o, out);
    return 0;
  }
  if (o.format() == OutputFormat::Text) {
    const calc::Item& solved = *answer.report.front().item;
    calc::writeItemLines({solved}, answer.units, out, o.writeOptions());
    out.endLine();
  }
  writeItems(calc::firstEditionItems(answer.record().items), answer.units, o, out);
  return 0;
}

int solveDepth(const Options& o, std::FILE*, OutputSink& out, std::FILE*) { return solveFor(o, "solve-depth", out); }

int solveWidth(const Options& o, std::FILE*, OutputSink& out, std::FILE*) { return solveFor(o, "solve-width", out); }

}  // namespace

const SubCommand kReport{"report", {}, report};
const SubCommand kSolve{"solve", {}, nullptr};
const SubCommand kSolveDepth{"solve-depth", {}, solveDepth};
const SubCommand kSolveWidth{"solve-width", {}, solveWidth};

}  // namespace channelflow::tools
