// channelflow-cli report: every quantity of the flow at one depth.
#include "tools/commands.h"
#include "tools/first_edition.h"
#include "tools/item_writer.h"
#include "tools/sub_command.h"

namespace channelflow::tools {
namespace {

constexpr std::string_view kHelp =
    "用法: channelflow-cli report --B 下底宽 --h 水深 --m 边坡系数 --i 渠底坡度 --n 粗糙系数 [--format text|csv|json]\n"
    "       channelflow-cli report [--section trapezoid|circle|u|parabola|points] [--units si|us] --h 水深 --i 渠底坡度\n"
    "                              断面尺寸 (--n 粗糙系数 | --n-bed 渠底 --n-wall 边壁)\n"
    "输出该水深下的全部水力要素：A P R T D C v Q Fr 流态 hc vc ic E τ0；\n"
    "给出第二版选项时另有断面形状与单位制。\n"
    "断面: trapezoid --B 下底宽 (--m 边坡系数 | --m1 左边坡 --m2 右边坡)；circle --D 直径；\n"
    "      u --r 底部半径 [--m 边坡系数]；parabola --p 抛物线参数 (x² = 2·p·y)\n"
    "      points --points \"起点距,高程[,糙率] …\" 或 --points-file 文件.csv（天然断面，水深从最低点起算）\n"
    "单位制: si（m、m³/s，默认）或 us（ft、ft³/s，曼宁系数 1.486）；--n-bed/--n-wall 按霍顿-爱因斯坦法综合\n"
    "天然断面可用 --wse 水位代替 --h；糙率变化处分区计算流量模数 K 与动能修正系数 α，列出全部临界水深。\n"
    "例: channelflow-cli report --B 2 --h 1 --m 1 --i 0.001 --n 0.025\n"
    "    channelflow-cli report --section circle --D 1 --h 0.5 --i 0.002 --n 0.013\n"
    "退出状态: 0 成功, 1 计算无解或输入无效, 2 用法错误\n";

int report(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  const calc::Items items = calc::report(o.inputs());
  const calc::UnitSystem units = unitSystemOf(items);
  writeItems(isFirstEditionLine(o) ? firstEditionItems(items) : items, units, o.format(), out);
  return 0;
}

const SubCommand kReport{"report", kHelp, withChannelOptions({{"h"}, {"wse"}, {"i", true}}), report};

}  // namespace

int runReport(int argc, char** argv, const Streams& io) { return runSubCommand(kReport, argc, argv, io); }

}  // namespace channelflow::tools
