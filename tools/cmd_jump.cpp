// channelflow-cli jump: the hydraulic jump through a given depth in any
// section, from the momentum function: the sequent depth, both Froude
// numbers, the energy lost and the jump's type.
#include "calc/jump.h"
#include "tools/channel_options.h"
#include "tools/commands.h"
#include "tools/section_report.h"
#include "tools/sub_command.h"

#include <string>

namespace channelflow::tools {
namespace {

const std::vector<OptionSpec> kOptions = withChannelOptions({{"Q", "流量 Q"}, {"h1", "水深 h1"}});

constexpr std::string_view kHelp =
    "用法: channelflow-cli jump [--section trapezoid|circle|u|parabola] [--units si|us] 断面尺寸 --Q 流量 --h1 水深\n"
    "由动量方程求水跃的共轭水深：跃前（急流）水深 h1 给出跃后水深 h2，两侧的弗劳德数、能量损失与水跃类型。\n"
    "h1 为缓流时视作跃后水深，求其跃前（急流）共轭水深。\n"
    "断面: trapezoid --B 下底宽 (--m 边坡系数 | --m1 左边坡 --m2 右边坡)；circle --D 直径；\n"
    "      u --r 底部半径 [--m 边坡系数]；parabola --p 抛物线参数 (x² = 2·p·y)\n"
    "例: channelflow-cli jump --B 3 --m 0 --Q 15 --h1 0.5\n"
    "退出状态: 0 成功, 1 无解或输入无效, 2 用法错误\n";

void addSide(Report& r, const sections::JumpSide& s, const sections::Units& u, std::string_view k,
             std::string_view where) {
  const std::string key(k), side(where);
  r.add("h" + key, side + "水深 h" + key, u.length, s.h);
  r.add("A" + key, side + "过水断面面积 A" + key, u.area, s.A);
  r.add("v" + key, side + "流速 v" + key, u.velocity, s.v);
  r.add("Fr" + key, side + "弗劳德数 Fr" + key, "", s.Fr);
  r.add("E" + key, side + "断面比能 E" + key, u.length, s.E);
}

int jump(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  checkChannelUsage(o, {false, true});
  for (std::string_view unused : {"n", "n-bed", "n-wall"}) {
    if (o.has(unused)) throw UsageError{"jump 不用 --" + std::string(unused) + "：水跃由动量方程求得，与糙率无关"};
  }
  const sections::Channel channel = readChannel(o);
  const double Q = o.number("Q");
  const double h = o.number("h1");
  const sections::HydraulicJump j = sections::hydraulicJump(channel.section, Q, h, channel.units);
  const sections::Units& u = channel.units;

  Report r;
  r.addChannel(channel, false, false);
  r.add("Q", "流量 Q", u.discharge, Q);
  r.add("hc", "临界水深 hc", u.length, j.hc);
  addSide(r, j.upstream, u, "1", "跃前");
  addSide(r, j.downstream, u, "2", "跃后");
  r.add("M", "动量函数 M", std::string(u.length) + "³", j.M);
  r.add("dE", "能量损失 ΔE", u.length, j.energyLoss);
  r.add("dE_E1", "相对能量损失 ΔE/E1", "", j.relativeLoss);
  r.add("height", "跃高 h2-h1", u.length, j.height);
  r.addText("jump_type", "水跃类型", sections::jumpTypeName(j.type));
  r.addText("given", "给定水深", j.givenDownstream ? "跃后（缓流）：求得跃前急流水深" : "跃前（急流）：求得跃后缓流水深");
  printReport(r, o.format(), out);
  return 0;
}

const SubCommand kJump{"jump", kHelp, kOptions, jump};

}  // namespace

int runJump(int argc, char** argv, const Streams& io) { return runSubCommand(kJump, argc, argv, io); }

}  // namespace channelflow::tools
