// channelflow-cli line --file PATH: the canal line file read into the
// question's `file` input; the calculation report (text), the tables (CSV,
// JSON), and the longitudinal profile as a DXF drawing (--dxf FILE, or - for
// standard output instead of the report).
#include <array>
#include <cstdio>

#include "calc/canal/line_answer.h"
#include "tools/commands.h"
#include "tools/text_file.h"

namespace channelflow::tools {
namespace {

constexpr std::array<std::string_view, 1> kExtra{"dxf"};

int line(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  calc::Inputs inputs = o.inputs();
  inputs.set("file", readTextFile(std::string(o.text("file")), "file"));
  if ((inputs.has("dxf-scale") || inputs.has("dxf-vscale")) && !o.has("dxf")) calc::fail(calc::MessageId::MissingInput, "dxf");
  if (o.has("dxf")) {
    const std::string drawing = calc::lineDxf(inputs);
    if (writeDrawing(drawing, o, out)) return 0;
  }
  writeAnswer(calc::canalLine(inputs), o, out);
  return 0;
}

}  // namespace

const SubCommand kLine{"line", kExtra, line};

}  // namespace channelflow::tools
