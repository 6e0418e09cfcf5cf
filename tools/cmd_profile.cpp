// channelflow-cli profile: the answer as the writers show it; as CSV the
// steps' table alone, with the note on why it stopped on the error stream.
#include "tools/commands.h"

namespace channelflow::tools {
namespace {

int profile(const Options& o, std::FILE*, OutputSink& out, std::FILE* err) {
  const calc::Answer answer = calc::profile(o.inputs());
  writeAnswer(answer, o, out);
  const calc::Item* note = calc::findItem(answer.record().items, "note");
  if (o.format() == OutputFormat::Csv && note) {
    const calc::Language language = o.writeOptions().language;
    std::fprintf(err, "%s\n",
                 phraseLine(calc::TextId::ProfileNote,
                            {calc::MessageArg::literal(calc::quantityInfo(note->id).name.in(language)),
                             calc::MessageArg::literal(problemText(note->cell.message, language))},
                            language)
                     .c_str());
  }
  return 0;
}

}  // namespace

const SubCommand kProfile{"profile", {}, profile};

}  // namespace channelflow::tools
