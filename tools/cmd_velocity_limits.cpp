// channelflow-cli velocity-limits: Appendix C of GB 50288-2018. As text, a
// title, then each table with its heading and one line a row.
#include "calc/design/row_names.h"
#include "tools/commands.h"

namespace channelflow::tools {
namespace {

using calc::TextId;

std::string_view textOf(const calc::Group& record, std::string_view key) {
  const calc::Item* item = calc::findItem(record.items, key);
  return item->cell.kind == calc::Cell::Kind::Text ? std::string_view(item->cell.text) : std::string_view();
}

int velocityLimits(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  const calc::Answer answer = calc::velocityLimits(o.inputs());
  if (o.format() != OutputFormat::Text) {
    writeAnswer(answer, o, out);
    return 0;
  }
  const calc::Language language = o.writeOptions().language;
  out.put(phraseLine(TextId::ScourTitle, {}, language));
  out.endLine();
  std::string table;
  for (const calc::Group& record : answer.records) {
    const bool byDepth = textOf(record, "v").empty();
    if (textOf(record, "table") != table) {
      table = textOf(record, "table");
      out.endLine();
      out.put(phraseLine(table == "C.0.1"   ? TextId::ScourTableRadius
                         : table == "C.0.2" ? TextId::ScourTableLoose
                         : table == "C.0.3" ? TextId::ScourTableRock
                                            : TextId::ScourTableLining,
                         {}, language));
      out.endLine();
      out.put(phraseLine(byDepth ? TextId::ScourColumnsDepth : TextId::ScourColumnsOne, {}, language));
      out.endLine();
    }
    const std::string_view key = textOf(record, "key");
    out.put(key);
    out.put('\t');
    out.put(calc::design::rowName(key, language));
    if (byDepth) {
      for (std::string_view column : {"grain", "v_h0.4", "v_h1", "v_h2", "v_h3"}) {
        out.put('\t');
        out.put(textOf(record, column));
      }
    } else {
      out.put('\t');
      out.put(textOf(record, "v"));
    }
    out.endLine();
  }
  return 0;
}

}  // namespace

const SubCommand kVelocityLimits{"velocity-limits", {}, velocityLimits};

}  // namespace channelflow::tools
