// channelflow-cli reach --file PATH: the reach file read into the question's
// `file` input, which takes the file's text.
#include "tools/commands.h"
#include "tools/text_file.h"

namespace channelflow::tools {
namespace {

int reach(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  calc::Inputs inputs = o.inputs();
  inputs.set("file", readTextFile(std::string(o.text("file")), "file"));
  writeAnswer(calc::reach(inputs), o, out);
  return 0;
}

}  // namespace

const SubCommand kReach{"reach", {}, reach};

}  // namespace channelflow::tools
