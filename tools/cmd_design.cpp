// channelflow-cli design: the canal's calculation report (text), its
// quantities, schemes and checks (CSV, JSON), and its section as a DXF
// drawing (--dxf FILE, or - for standard output instead of the report).
#include <array>
#include <cstdio>

#include "calc/services/dxf_writer.h"
#include "tools/commands.h"

namespace channelflow::tools {
namespace {

constexpr std::array<std::string_view, 1> kExtra{"dxf"};

int design(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  const calc::Inputs inputs = o.inputs();
  if (inputs.has("dxf-scale") && !o.has("dxf")) calc::fail(calc::MessageId::MissingInput, "dxf");
  if (o.has("dxf")) {
    const std::string drawing = calc::designDxf(inputs);
    if (writeDrawing(drawing, o, out)) return 0;
  }
  writeAnswer(calc::designCanal(inputs), o, out);
  return 0;
}

}  // namespace

const SubCommand kDesign{"design", kExtra, design};

}  // namespace channelflow::tools
