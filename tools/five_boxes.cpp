// The five-argument form of channelflow-cli: the calculator's click without
// a window. The five arguments are the raw texts of the boxes, in the order
// of the window's rows.
#include "calc/click/calculate_command.h"
#include "numeric/value/runtime_error.h"
#include "tools/argument_form.h"
#include "tools/commands.h"
#include "tools/output_sink.h"
#include "tools/sub_command.h"

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

namespace channelflow::tools {
namespace {

constexpr std::string_view kUsage =
    "用法: channelflow-cli B h m i n\n"
    "  B  下底宽 (m)        h  水深 (m)\n"
    "  m  边坡系数          i  渠底坡度\n"
    "  n  粗糙系数\n"
    "输出两行: 流速 v (m/s) 与流量 Q (m3/s)。\n"
    "\n"
    "工程计算（数值按默认文本形式输出；--format text|csv|json）:\n"
    "  channelflow-cli report      --B 2 --h 1 --m 1 --i 0.001 --n 0.025   全部水力要素\n"
    "  channelflow-cli solve-depth --Q 2.76 --B 2 --m 1 --i 0.001 --n 0.025   求正常水深\n"
    "  channelflow-cli solve-width --Q 2.76 --h 1 --m 1 --i 0.001 --n 0.025   求下底宽\n"
    "  channelflow-cli table       --B 2 --m 1 --i 0.001 --n 0.025 --h 0.1:3:0.1   水位流量表\n"
    "  channelflow-cli batch < rows.csv   （表头 B,h,m,i,n；逐行输出结果或 error 列）\n"
    "  channelflow-cli solve --section circle --D 1 --h 0.5 --i 0.002 --n 0.013   省去 Q h 尺寸 i n 之一，求它\n"
    "  channelflow-cli jump --B 3 --m 0 --Q 15 --h1 0.5   水跃共轭水深\n"
    "  channelflow-cli profile --B 3 --m 0 --Q 15 --i 0.001 --n 0.015 --h0 3 --to-h 2.6   水面线\n"
    "  channelflow-cli design --Q 10 --i 0.0002 --n 0.025 --m 1.5   按 GB 50288-2018 设计渠道，输出计算书\n"
    "  channelflow-cli roughness | velocity-limits   附录 B 糙率表、附录 C 不冲流速表\n"
    "  断面 --section trapezoid|circle|u|parabola|points，单位制 --units si|us，综合糙率 --n-bed 与 --n-wall\n"
    "  channelflow-cli 子命令 --help   查看该子命令的用法\n"
    "\n"
    "连续点击: channelflow-cli click < lines.txt\n"
    "  每行五个框的文本 B h m i n，以制表符分隔（文本内 \\t \\n \\r \\\\ 表示制表符、换行、回车、反斜杠）；\n"
    "  每行输出 \"v<制表符>Q\" 或 \"error 错误号\"；字段数不是 5 的行输出 \"error fields\"，\n"
    "  在标准错误上指明行号，结束时退出状态为 2；写入失败退出状态为 1\n"
    "退出状态: 0 成功, 1 计算无解或出错, 2 用法错误\n"
    "\n"
    "Usage: channelflow-cli B h m i n   (bottom width, depth, side slope, bed slope, roughness)\n"
    "       channelflow-cli report|solve-depth|solve-width|table|batch|solve|jump|profile|design [--NAME VALUE]... [--format text|csv|json]\n"
    "       channelflow-cli roughness|velocity-limits [--format text|csv|json]\n"
    "       channelflow-cli click   (tab-separated B h m i n per line in, \"v<TAB>Q\" or \"error N\" per line out)\n"
    "       channelflow-cli --help | --version\n";

// Writes `text` to the run's output; a failed write is an error, never a success.
int print(std::string_view text, int status, const Streams& io) {
  OutputSink out(io.out);
  out.put(text);
  if (out.finish()) return status;
  std::fprintf(io.err, "channelflow-cli: %s\n", out.failureMessage().c_str());
  return 1;
}

}  // namespace

bool opensSubCommand(std::string_view name, int argc, char** argv) {
  if (argc < 2 || name != argv[1]) return false;
  if (argc != 6) return true;
  for (int k = 2; k < argc; ++k) {
    if (std::string_view(argv[k]).rfind("--", 0) == 0) return true;
  }
  return false;
}

int runFiveBoxes(int argc, char** argv, const Streams& io) {
  bool afterSeparator = false;
  std::array<std::string_view, 5> texts{};
  int count = 0;
  for (int k = 1; k < argc; ++k) {
    const std::string_view arg = argv[k];
    if (!afterSeparator && arg == "--help") return print(kUsage, 0, io);
    if (!afterSeparator && arg == "--version") return print(kVersionLine, 0, io);
    if (!afterSeparator && arg == "--") {
      afterSeparator = true;
      continue;
    }
    if (count == 5) {
      count = 6;
      break;
    }
    texts[static_cast<std::size_t>(count++)] = arg;
  }
  if (count != 5) {
    std::fputs(std::string(kUsage).c_str(), io.err);
    return 2;
  }

  ArgumentForm form(texts[0], texts[1], texts[2], texts[3], texts[4]);
  try {
    calc::CalculateCommand(form);
  } catch (const numeric::RuntimeError& error) {
    std::fprintf(io.err, "%s\n", error.message().c_str());
    return 1;
  }
  return print(form.v + "\n" + form.Q + "\n", 0, io);
}

}  // namespace channelflow::tools
