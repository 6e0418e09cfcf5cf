// channelflow-cli solve: uniform flow with any one of Q, h, the section's
// size, i and n left out; reports the missing one and every quantity of the
// flow. A circle's depth may have two answers, and its capacity is reported.
#include "tools/commands.h"
#include "tools/solve_writer.h"
#include "tools/sub_command.h"

namespace channelflow::tools {
namespace {

constexpr std::string_view kHelp =
    "用法: channelflow-cli solve [--section trapezoid|circle|u|parabola|points] [--units si|us]\n"
    "         --Q 流量 --h 水深 --i 渠底坡度 断面尺寸 粗糙系数   （恰好省去其中一个）\n"
    "由均匀流公式求省去的那一个量：流量 Q、水深 h、断面尺寸（B、D、r 或 p）、渠底坡度 i 或粗糙系数 n，\n"
    "并输出全部水力要素与临界流（hc vc ic）。圆管求水深时给出最大过流能力，两个水深都通过 Q 时两个都给出。\n"
    "断面: trapezoid --B 下底宽 (--m 边坡系数 | --m1 左边坡 --m2 右边坡)；circle --D 直径；\n"
    "      u --r 底部半径 [--m 边坡系数]；parabola --p 抛物线参数 (x² = 2·p·y)\n"
    "      points --points \"起点距,高程[,糙率] …\" 或 --points-file 文件.csv（天然断面，水深从最低点起算）\n"
    "粗糙系数: --n，或 --n-bed 渠底 --n-wall 边壁（霍顿-爱因斯坦法综合）\n"
    "单位制: si（m、m³/s，默认）或 us（ft、ft³/s，曼宁系数 1.486）\n"
    "例: channelflow-cli solve --units us --Q 25 --B 2 --m 3 --i 0.01 --n 0.03\n"
    "    channelflow-cli solve --section circle --D 1 --h 0.5 --i 0.002 --n 0.013\n"
    "天然断面没有断面尺寸可求；水深可用 --wse 水位给出，求得的水深同时给出水位 wse。\n"
    "--format json 每个解输出一行对象。\n"
    "退出状态: 0 成功, 1 无解或输入无效, 2 用法错误\n";

int solve(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  writeSolution(calc::solve(o.inputs()), o.format(), out);
  return 0;
}

const SubCommand kSolve{"solve", kHelp, withChannelOptions({{"Q"}, {"h"}, {"wse"}, {"i"}}), solve};

}  // namespace

int runSolve(int argc, char** argv, const Streams& io) { return runSubCommand(kSolve, argc, argv, io); }

}  // namespace channelflow::tools
