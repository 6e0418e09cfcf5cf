// channelflow-cli: the calculator's click without a window. The five
// arguments are the raw texts of the boxes, in the order of the window's rows.
#include "calc/calculate_command.h"
#include "runtime/runtime_error.h"
#include "tools/argument_form.h"
#include "tools/cli_click.h"
#include "tools/cli_toolkit.h"

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage =
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
    "\n"
    "连续点击: channelflow-cli click < lines.txt\n"
    "  每行五个框的文本 B h m i n，以制表符分隔（文本内 \\t \\n \\r \\\\ 表示制表符、换行、回车、反斜杠）；\n"
    "  每行输出 \"v<制表符>Q\" 或 \"error 错误号\"；字段数不是 5 的行输出 \"error fields\"，\n"
    "  在标准错误上指明行号，结束时退出状态为 2；写入失败退出状态为 1\n"
    "退出状态: 0 成功, 1 计算无解或出错, 2 用法错误\n"
    "\n"
    "Usage: channelflow-cli B h m i n   (bottom width, depth, side slope, bed slope, roughness)\n"
    "       channelflow-cli report|solve-depth|solve-width|table|batch [--NAME VALUE]... [--format text|csv|json]\n"
    "       channelflow-cli click   (tab-separated B h m i n per line in, \"v<TAB>Q\" or \"error N\" per line out)\n"
    "       channelflow-cli --help | --version\n";

// A sub-command name opens a sub-command, unless it is the first of exactly
// five texts none of which looks like an option: that has always been the
// five-argument form (a bottom width of "table" reads as 0), and stays so.
bool isToolkitCall(int argc, char** argv) {
  if (argc < 2 || !channelflow::tools::isToolkitCommand(argv[1])) return false;
  if (argc != 6) return true;
  for (int k = 2; k < argc; ++k) {
    if (std::string_view(argv[k]).rfind("--", 0) == 0) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "click") {
    return channelflow::tools::runClickStream(stdin, stdout, stderr);
  }
  if (isToolkitCall(argc, argv)) {
    for (int k = 2; k < argc; ++k) {
      if (std::string_view(argv[k]) == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
      }
    }
    return channelflow::tools::runToolkit(argc, argv, stdin, stdout, stderr);
  }
  bool afterSeparator = false;
  std::array<std::string_view, 5> texts{};
  int count = 0;
  for (int k = 1; k < argc; ++k) {
    const std::string_view arg = argv[k];
    if (!afterSeparator && arg == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (!afterSeparator && arg == "--version") {
      std::puts("channelflow-cli 1.00");
      return 0;
    }
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
    std::fputs(kUsage, stderr);
    return 2;
  }

  channelflow::tools::ArgumentForm form(texts[0], texts[1], texts[2], texts[3], texts[4]);
  try {
    channelflow::calc::CalculateCommand(form);
  } catch (const channelflow::runtime::RuntimeError& error) {
    std::fprintf(stderr, "%s\n", error.message().c_str());
    return 1;
  }
  std::printf("%s\n%s\n", form.v.c_str(), form.Q.c_str());
  return 0;
}
