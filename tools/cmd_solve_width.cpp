// channelflow-cli solve-width: the bottom width that carries a discharge at a depth.
#include "calc/hydraulics.h"
#include "tools/commands.h"
#include "tools/flow_report.h"
#include "tools/sub_command.h"

#include <array>

namespace channelflow::tools {
namespace {

constexpr std::array<OptionSpec, 5> kOptions{{
    {"Q", "流量 Q"}, {"h", "水深 h"}, {"m", "边坡系数 m"}, {"i", "渠底坡度 i"}, {"n", "粗糙系数 n"}}};

constexpr std::string_view kHelp =
    "用法: channelflow-cli solve-width --Q 流量 --h 水深 --m 边坡系数 --i 渠底坡度 --n 粗糙系数 [--format text|csv|json]\n"
    "求在水深 h 下通过流量 Q 所需的下底宽 B，并输出全部水力要素。\n"
    "例: channelflow-cli solve-width --Q 2.76 --h 1 --m 1 --i 0.001 --n 0.025\n"
    "退出状态: 0 成功, 1 无解或输入无效, 2 用法错误\n";

int solveWidth(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  calc::Channel channel{0, o.number("m"), o.number("i"), o.number("n")};
  const double h = o.number("h");
  channel.B = calc::bottomWidth(channel, h, o.number("Q"));
  const calc::FlowState flow = calc::describeFlow(channel, h);
  if (o.format() == OutputFormat::Text) {
    out.put("下底宽 B = ");
    out.number(channel.B);
    out.put(" m");
    out.endLine();
    out.endLine();
  }
  printFlow(flow, o.format(), out);
  return 0;
}

constexpr SubCommand kSolveWidth{"solve-width", kHelp, kOptions, solveWidth};

}  // namespace

int runSolveWidth(int argc, char** argv) { return runSubCommand(kSolveWidth, argc, argv); }

}  // namespace channelflow::tools
