// channelflow-cli report: every quantity of the flow at one depth.
#include "calc/hydraulics.h"
#include "tools/commands.h"
#include "tools/flow_report.h"
#include "tools/sub_command.h"

#include <array>

namespace channelflow::tools {
namespace {

constexpr std::array<OptionSpec, 5> kOptions{{
    {"B", "下底宽 B"}, {"h", "水深 h"}, {"m", "边坡系数 m"}, {"i", "渠底坡度 i"}, {"n", "粗糙系数 n"}}};

constexpr std::string_view kHelp =
    "用法: channelflow-cli report --B 下底宽 --h 水深 --m 边坡系数 --i 渠底坡度 --n 粗糙系数 [--format text|csv|json]\n"
    "输出该水深下的全部水力要素：A P R T D C v Q Fr 流态 hc E τ0。\n"
    "例: channelflow-cli report --B 2 --h 1 --m 1 --i 0.001 --n 0.025\n"
    "退出状态: 0 成功, 1 计算无解或输入无效, 2 用法错误\n";

int report(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  const calc::Channel channel{o.number("B"), o.number("m"), o.number("i"), o.number("n")};
  const double h = o.number("h");
  printFlow(calc::describeFlow(channel, h), o.format(), out);
  return 0;
}

constexpr SubCommand kReport{"report", kHelp, kOptions, report};

}  // namespace

int runReport(int argc, char** argv) { return runSubCommand(kReport, argc, argv); }

}  // namespace channelflow::tools
