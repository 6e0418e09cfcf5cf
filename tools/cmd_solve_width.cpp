// channelflow-cli solve-width: the bottom width that carries a discharge at a depth.
#include "calc/hydraulics.h"
#include "tools/channel_options.h"
#include "tools/commands.h"
#include "tools/flow_report.h"
#include "tools/solve_output.h"
#include "tools/sub_command.h"

#include <string>

namespace channelflow::tools {
namespace {

const std::vector<OptionSpec> kOptions = withChannelOptions({{"Q", "流量 Q"}, {"h", "水深 h"}, {"i", "渠底坡度 i"}});

constexpr std::string_view kHelp =
    "用法: channelflow-cli solve-width --Q 流量 --h 水深 --m 边坡系数 --i 渠底坡度 --n 粗糙系数 [--format text|csv|json]\n"
    "求在水深 h 下通过流量 Q 所需的下底宽 B，并输出全部水力要素。\n"
    "例: channelflow-cli solve-width --Q 2.76 --h 1 --m 1 --i 0.001 --n 0.025\n"
    "亦接受 solve 的断面、单位制与粗糙系数选项（channelflow-cli solve --help），此时按 solve 输出。\n"
    "退出状态: 0 成功, 1 无解或输入无效, 2 用法错误\n";

int solveWidth(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  checkChannelUsage(o, {true, false});
  if (o.has(widthOptionOf(o))) throw UsageError{"solve-width 求的就是 --" + std::string(widthOptionOf(o)) + "，不能给出它"};
  if (!isFirstEditionLine(o)) return printUniformSolution(o, sections::Unknown::Width, out);
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

const SubCommand kSolveWidth{"solve-width", kHelp, kOptions, solveWidth};

}  // namespace

int runSolveWidth(int argc, char** argv, const Streams& io) { return runSubCommand(kSolveWidth, argc, argv, io); }

}  // namespace channelflow::tools
