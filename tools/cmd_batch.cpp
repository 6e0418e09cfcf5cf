// channelflow-cli batch: the core's batch from standard input to standard
// output. Problems of the whole batch are reported as "channelflow-cli
// batch: …": a header it cannot use is wrong usage (exit 2), input that
// cannot be read a failure (exit 1).
#include "calc/services/batch.h"
#include "tools/commands.h"

namespace channelflow::tools {
namespace {

int batch(const Options& o, std::FILE* in, OutputSink& out, std::FILE* err) {
  calc::BatchOptions options;
  options.write.language = o.writeOptions().language;
  options.json = o.format() == OutputFormat::Json;
  calc::FileSource source(in);
  try {
    calc::runBatch(source, out, options);
  } catch (const calc::CalcError& error) {
    std::fprintf(err, "channelflow-cli batch: %s\n", problemText(error.problem(), options.write.language).c_str());
    return error.problem().id == calc::MessageId::ReadFailed ? 1 : 2;
  }
  return 0;
}

}  // namespace

const SubCommand kBatch{"batch", {}, batch};

}  // namespace channelflow::tools
