// The five-argument form of channelflow-cli: the calculator's click without
// a window. The five arguments are the raw texts of the boxes, in the order
// of the window's rows.
#include "calc/click/calculate_command.h"
#include "numeric/value/runtime_error.h"
#include "calc/click/argument_form.h"
#include "tools/commands.h"
#include "tools/output_sink.h"
#include "tools/sub_command.h"

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

namespace channelflow::tools {
namespace {

// The general help: the click on five box texts, every question with an
// example, and the click stream; in Chinese with the usage lines in English
// after it, or in English.
std::string usagePage(calc::Language language) {
  std::string page = phraseLine(calc::TextId::HelpGeneral, {}, language) + '\n';
  std::string names;
  for (const calc::Question& question : calc::questions()) {
    names += (names.empty() ? "" : "|") + std::string(question.name);
    if (question.examples.empty()) continue;
    std::string line = "  channelflow-cli " + std::string(question.examples.front());
    line += std::string(line.size() < 72 ? 72 - line.size() : 2, ' ');
    page += line + phraseLine(question.summary, {}, language) + '\n';
  }
  page += phraseLine(calc::TextId::HelpGeneralEnd, {}, language) + '\n';
  if (language == calc::Language::English) return page;
  return page + "\nUsage: channelflow-cli B h m i n   (bottom width, depth, side slope, bed slope, roughness)\n" +
         "       channelflow-cli " + names + " [--NAME VALUE]... [--format text|csv|json] [--lang zh|en]\n" +
         "       channelflow-cli click   (tab-separated B h m i n per line in, \"v<TAB>Q\" or \"error N\" per line out)\n" +
         "       channelflow-cli --help | --version\n";
}

// Writes `text` to the run's output; a failed write is an error, never a success.
int print(std::string_view text, int status, const Streams& io) {
  OutputSink out(io.out);
  out.put(text);
  if (out.finish()) return status;
  std::fprintf(io.err, "channelflow-cli: %s\n", problemText(out.failure()).c_str());
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
  const calc::Language language = languageOf(std::span<char* const>(argv + 1, static_cast<std::size_t>(argc - 1)));
  bool afterSeparator = false;
  std::array<std::string_view, 5> texts{};
  int count = 0;
  for (int k = 1; k < argc; ++k) {
    const std::string_view arg = argv[k];
    if (!afterSeparator && arg == "--help") return print(usagePage(language), 0, io);
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
    std::fputs(usagePage(language).c_str(), io.err);
    return 2;
  }

  calc::ArgumentForm form(texts[0], texts[1], texts[2], texts[3], texts[4]);
  try {
    calc::CalculateCommand(form);
  } catch (const numeric::RuntimeError& error) {
    std::fprintf(io.err, "%s\n", error.message().c_str());
    return 1;
  }
  return print(form.v + "\n" + form.Q + "\n", 0, io);
}

}  // namespace channelflow::tools
