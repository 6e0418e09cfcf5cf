// channelflow-cli solve-depth: the normal depth that carries a discharge.
#include "tools/commands.h"
#include "tools/first_edition.h"
#include "tools/solve_writer.h"
#include "tools/sub_command.h"

namespace channelflow::tools {
namespace {

constexpr std::string_view kHelp =
    "用法: channelflow-cli solve-depth --Q 流量 --B 下底宽 --m 边坡系数 --i 渠底坡度 --n 粗糙系数 [--format text|csv|json]\n"
    "求通过流量 Q 的正常水深 h，并输出该水深下的全部水力要素。\n"
    "例: channelflow-cli solve-depth --Q 126 --B 6.1 --m 1.5 --i 0.0008 --n 0.013\n"
    "亦接受 solve 的断面、单位制与粗糙系数选项（channelflow-cli solve --help），此时按 solve 输出。\n"
    "退出状态: 0 成功, 1 无解或输入无效, 2 用法错误\n";

int solveDepth(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  const calc::SolveAnswer answer = calc::solve(o.inputs(), "h");
  isFirstEditionLine(o) ? writeFirstEditionSolution(answer, o.format(), out) : writeSolution(answer, o.format(), out);
  return 0;
}

const SubCommand kSolveDepth{"solve-depth", kHelp, withChannelOptions({{"Q", true}, {"i", true}}), solveDepth};

}  // namespace

int runSolveDepth(int argc, char** argv, const Streams& io) { return runSubCommand(kSolveDepth, argc, argv, io); }

}  // namespace channelflow::tools
