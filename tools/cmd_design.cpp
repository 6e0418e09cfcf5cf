// channelflow-cli design: an irrigation canal by GB 50288-2018, written as a
// calculation report (text), its quantities, schemes and checks (CSV, JSON),
// and its section as a DXF drawing (--dxf).
#include <cstdio>

#include "tools/commands.h"
#include "tools/design_writer.h"
#include "tools/dxf_writer.h"
#include "tools/sub_command.h"

namespace channelflow::tools {
namespace {

constexpr std::string_view kHelp =
    "用法: channelflow-cli design --Q 设计流量 --i 渠底比降 (--n 糙率 | --lining 渠床) --m 边坡系数\n"
    "         [--alpha 面积比 | --beta 宽深比 | --B 底宽] [--v-min 流速] [--v-max 流速]\n"
    "         [--enlarge 加大百分数] [--min-ratio 0.4] [--freeboard 超高] [--bend-radius 弯道半径]\n"
    "         [--soil 土质] [--n-pick low|middle|high] [--scour-pick low|middle|high]\n"
    "         [--dxf 文件 [--dxf-scale 50]] [--format text|csv|json]\n"
    "       channelflow-cli design --section u --r 底部半径 [--m 直线段边坡] --Q … --i … （校核 U 形断面）\n"
    "按 GB 50288-2018 设计灌溉渠道，输出计算书：\n"
    "  三种流量：加大流量 Qj = Q·(1 + P/100)，P 取表 6.3.4 该流量级的小值（湿润地区；流量在分级点上归上一级，\n"
    "    Q ≥ 300 m³/s 须以 --enlarge 给出）；最小流量 Qmin = 0.4·Q（--min-ratio）。\n"
    "  梯形（m = 0 为矩形）断面：默认按附录 E 求水力最佳断面 h0、b0 与 α = 1.00～1.04 的实用经济断面，\n"
    "    取流速在 --v-min～--v-max 之内的最小 α（未给流速取 α = 1.00；--alpha 指定，可超出表外）；\n"
    "    或按宽深比 --beta、给定底宽 --B 求水深。各流量的正常水深按曼宁公式求得精确解。\n"
    "  渠深 H = hj + Fb，Fb = hj/4 + 0.2（4、5 级渠道，--freeboard 另给）；--bend-radius 给出弯道凹岸加高。\n"
    "  校核：设计流速、加大流量不冲（--v-max 或附录 C）、最小流量不淤（--v-min）、最小水深 0.6·h、\n"
    "    边坡（表 6.4.4，需 --soil）、土渠流速 0.6～1.0 m/s（§6.3.10）、岸顶超高适用的级别。\n"
    "  --lining 取附录 B 的一行（channelflow-cli roughness 列出），未给 --n 时以其糙率为 n；\n"
    "  --soil 取附录 C 的土质或岩石（channelflow-cli velocity-limits 列出），或表 6.4.4 的\n"
    "    sandy-loam、sand、cemented-cobbles、sandy-gravel。\n"
    "  --dxf 文件 写出断面图（DXF，毫米，比例 1:--dxf-scale，图层 OUTLINE WATER DIMENSIONS TEXT）；\n"
    "    文件为 - 时图形写到标准输出，不写计算书。\n"
    "--format csv 输出三张表（各量、方案、校核），json 输出一个对象（含 schemes 与 checks 数组）。\n"
    "例: channelflow-cli design --Q 10 --i 0.0002 --n 0.025 --m 1.5\n"
    "    channelflow-cli design --Q 2 --i 0.0005 --lining concrete-trowelled --m 1 --v-min 0.5 --v-max 3 --soil medium-loam\n"
    "退出状态: 0 成功, 1 输入无效或无解, 2 用法错误\n";

constexpr OptionRule kOptions[] = {
    {"Q", true},     {"i", true},       {"n"},           {"lining"},      {"soil"},      {"section"}, {"m"},
    {"r"},           {"alpha"},         {"beta"},        {"B"},           {"v-min"},     {"v-max"},   {"enlarge"},
    {"min-ratio"},   {"freeboard"},     {"bend-radius"}, {"n-pick"},      {"scour-pick"}, {"dxf"},    {"dxf-scale"},
};

double dxfScale(const Options& o) {
  if (!o.has("dxf-scale")) return kDefaultDxfScale;
  if (!o.has("dxf")) calc::fail(calc::MessageId::MissingInput, "dxf");
  const calc::Inputs inputs = o.inputs();
  calc::InputReader reader(inputs);
  const double scale = reader.number("dxf-scale").value_or(kDefaultDxfScale);
  reader.finish();
  return scale;
}

int design(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  const double scale = dxfScale(o);
  const calc::DesignAnswer answer = calc::designCanal(o.inputs());
  if (o.has("dxf")) {
    const std::string drawing = dxfOf(answer.drawing, scale);
    const std::string path(o.text("dxf"));
    if (path == "-") {
      out.put(drawing);
      return 0;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file != nullptr;
    if (file) {
      OutputSink sink(file);
      sink.put(drawing);
      written = sink.finish();
      written = std::fclose(file) == 0 && written;
    }
    if (!written) calc::fail(calc::MessageId::DxfUnwritable, "dxf", {calc::MessageArg::literal(calc::quoteForMessage(path))});
  }
  writeDesign(answer, o.format(), out);
  return 0;
}

const SubCommand kDesign{"design", kHelp, {std::begin(kOptions), std::end(kOptions)}, design};

}  // namespace

int runDesign(int argc, char** argv, const Streams& io) { return runSubCommand(kDesign, argc, argv, io); }

}  // namespace channelflow::tools
