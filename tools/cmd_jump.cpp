// channelflow-cli jump: the hydraulic jump through a given depth in any
// section, from the momentum function: the sequent depth, both Froude
// numbers, the energy lost and the jump's type.
#include "tools/commands.h"
#include "tools/item_writer.h"
#include "tools/sub_command.h"

namespace channelflow::tools {
namespace {

constexpr std::string_view kHelp =
    "用法: channelflow-cli jump [--section trapezoid|circle|u|parabola|points] [--units si|us] 断面尺寸 --Q 流量 --h1 水深\n"
    "由动量方程求水跃的共轭水深：跃前（急流）水深 h1 给出跃后水深 h2，两侧的弗劳德数、能量损失与水跃类型。\n"
    "h1 为缓流时视作跃后水深，求其跃前（急流）共轭水深。\n"
    "天然断面按比能最小的临界水深判别急流与缓流；测点或 --n 给出的分区糙率只用于动能修正系数 α。\n"
    "断面: trapezoid --B 下底宽 (--m 边坡系数 | --m1 左边坡 --m2 右边坡)；circle --D 直径；\n"
    "      u --r 底部半径 [--m 边坡系数]；parabola --p 抛物线参数 (x² = 2·p·y)\n"
    "      points --points \"起点距,高程[,糙率] …\" 或 --points-file 文件.csv（天然断面，水深从最低点起算）\n"
    "例: channelflow-cli jump --B 3 --m 0 --Q 15 --h1 0.5\n"
    "退出状态: 0 成功, 1 无解或输入无效, 2 用法错误\n";

int jump(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  const calc::Items items = calc::jump(o.inputs());
  writeItems(items, unitSystemOf(items), o.format(), out);
  return 0;
}

const SubCommand kJump{"jump", kHelp, withChannelOptions({{"Q", true}, {"h1", true}}), jump};

}  // namespace

int runJump(int argc, char** argv, const Streams& io) { return runSubCommand(kJump, argc, argv, io); }

}  // namespace channelflow::tools
