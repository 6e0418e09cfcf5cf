// channelflow-cli roughness: Appendix B of GB 50288-2018. As text, one line a
// row: its key, table, name and n (a range "low～high"), and an escape canal's n.
#include "calc/design/row_names.h"
#include "tools/commands.h"

namespace channelflow::tools {
namespace {

double numberOf(const calc::Group& record, std::string_view key) { return calc::findItem(record.items, key)->cell.number; }

int roughness(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  const calc::Answer answer = calc::roughness(o.inputs());
  if (o.format() != OutputFormat::Text) {
    writeAnswer(answer, o, out);
    return 0;
  }
  const calc::Language language = o.writeOptions().language;
  out.put(phraseLine(calc::TextId::RoughnessTitle, {}, language));
  out.endLine();
  out.put(phraseLine(calc::TextId::RoughnessColumns, {}, language));
  out.endLine();
  for (const calc::Group& record : answer.records) {
    const std::string& key = calc::findItem(record.items, "key")->cell.text;
    out.put(key);
    out.put('\t');
    out.put(calc::findItem(record.items, "table")->cell.text);
    out.put('\t');
    out.put(calc::design::rowName(key, language));
    out.put('\t');
    const double low = numberOf(record, "n_low"), high = numberOf(record, "n_high");
    out.number(low);
    if (high != low) {
      out.put("～");
      out.number(high);
    }
    if (const calc::Item* escape = calc::findItem(record.items, "n_escape"); escape->cell.kind == calc::Cell::Kind::Number) {
      out.put('\t');
      out.number(escape->cell.number);
    }
    out.endLine();
  }
  return 0;
}

}  // namespace

const SubCommand kRoughness{"roughness", {}, roughness};

}  // namespace channelflow::tools
