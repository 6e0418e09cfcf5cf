// channelflow-cli solve-width: the section's size (a trapezoid's bottom
// width, by default) that carries a discharge at a given depth.
#include "calc/toolkit/catalog.h"
#include "tools/commands.h"
#include "tools/first_edition.h"
#include "tools/solve_writer.h"
#include "tools/sub_command.h"

namespace channelflow::tools {
namespace {

constexpr std::string_view kHelp =
    "用法: channelflow-cli solve-width --Q 流量 --h 水深 --m 边坡系数 --i 渠底坡度 --n 粗糙系数 [--format text|csv|json]\n"
    "求在水深 h 下通过流量 Q 所需的下底宽 B，并输出全部水力要素。\n"
    "例: channelflow-cli solve-width --Q 2.76 --h 1 --m 1 --i 0.001 --n 0.025\n"
    "亦接受 solve 的断面、单位制与粗糙系数选项（channelflow-cli solve --help），此时按 solve 输出。\n"
    "退出状态: 0 成功, 1 无解或输入无效, 2 用法错误\n";

int solveWidth(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  const calc::SectionInfo* section = calc::findSection(o.has("section") ? o.text("section") : "trapezoid");
  const std::string_view size = section ? section->parameters[0] : "B";
  if (size == "points") calc::fail(calc::MessageId::SectionWithoutSize, "section", {calc::MessageArg::term("points")});
  if (o.has(size)) calc::fail(calc::MessageId::SizeIsTheUnknown, size);
  const calc::SolveAnswer answer = calc::solve(o.inputs(), size);
  isFirstEditionLine(o) ? writeFirstEditionSolution(answer, o.format(), out) : writeSolution(answer, o.format(), out);
  return 0;
}

const SubCommand kSolveWidth{"solve-width", kHelp, withChannelOptions({{"Q", true}, {"h", true}, {"i", true}}),
                             solveWidth};

}  // namespace

int runSolveWidth(int argc, char** argv, const Streams& io) { return runSubCommand(kSolveWidth, argc, argv, io); }

}  // namespace channelflow::tools
