#include "tools/solve_writer.h"

#include "tools/first_edition.h"
#include "tools/item_writer.h"
#include "tools/sub_command.h"

namespace channelflow::tools {
namespace {

// "所求正常水深 h = 3.28 m", or "较浅的…" and "较深的…" for a circle's two depths.
void putUnknownLine(const calc::SolveAnswer& answer, std::size_t k, std::string_view prefix, OutputSink& out) {
  out.put(prefix);
  out.put(calc::quantityLabel(answer.unknownQuantity, calc::Language::Chinese));
  out.put(" = ");
  out.number(answer.values[k]);
  if (const std::string_view unit = unitOf(answer.unknownQuantity, answer.units); !unit.empty()) {
    out.put(' ');
    out.put(unit);
  }
  out.endLine();
}

}  // namespace

void writeSolution(const calc::SolveAnswer& answer, OutputFormat format, OutputSink& out) {
  const std::size_t count = answer.answers.size();
  if (format == OutputFormat::Text) {
    for (std::size_t k = 0; k < count; ++k) {
      putUnknownLine(answer, k, termName(count > 1 ? (k ? "deeper" : "shallower") : "solved"), out);
    }
    if (count > 1) {
      const calc::Item* section = calc::findItem(answer.answers[0], "section");
      const bool pipe = section == nullptr || section->term == "circle";
      out.put(problemText({pipe ? calc::MessageId::TwoDepths : calc::MessageId::TwoConduitDepths, {}, {}}));
      out.endLine();
    }
    if (answer.capacity) {
      const calc::Items& c = *answer.capacity;
      const char* system = answer.units == calc::UnitSystem::US ? "us" : "si";
      out.put(problemText({calc::MessageId::CircleCapacityLine,
                           {},
                           {calc::MessageArg::value(c[0].number), calc::MessageArg::unit("discharge", system),
                            calc::MessageArg::value(c[1].number), calc::MessageArg::unit("length", system),
                            calc::MessageArg::value(c[2].number)}}));
      out.endLine();
    }
  }
  for (std::size_t k = 0; k < count; ++k) {
    calc::Items items = answer.answers[k];
    if (answer.capacity && format != OutputFormat::Text) {
      items.insert(items.end(), answer.capacity->begin(), answer.capacity->end());
    }
    if (format == OutputFormat::Text) out.endLine();
    // Both depths under one CSV header.
    if (format == OutputFormat::Csv && k > 0) {
      writeCsvRow(items, out);
    } else {
      writeItems(items, answer.units, format, out);
    }
  }
}

void writeFirstEditionSolution(const calc::SolveAnswer& answer, OutputFormat format, OutputSink& out) {
  if (format == OutputFormat::Text) {
    putUnknownLine(answer, 0, {}, out);
    out.endLine();
  }
  writeItems(firstEditionItems(answer.answers[0]), answer.units, format, out);
}

}  // namespace channelflow::tools
