#include "tools/sub_command.h"

#include "calc/toolkit/messages.h"

#include <new>
#include <string>

namespace channelflow::tools {
namespace {

// Writes a fixed page (help or version) and reports a failed write.
int printPage(std::string_view page, const Streams& io) {
  OutputSink out(io.out);
  out.put(page);
  if (out.finish()) return 0;
  std::fprintf(io.err, "channelflow-cli: %s\n", out.failureMessage().c_str());
  return 1;
}

}  // namespace

std::vector<OptionRule> withChannelOptions(std::initializer_list<OptionRule> own) {
  std::vector<OptionRule> all(own);
  const std::span<const OptionRule> channel = channelOptions();
  all.insert(all.end(), channel.begin(), channel.end());
  return all;
}

std::string problemText(const calc::Problem& problem) {
  return calc::messageText(problem, calc::Language::Chinese, calc::FieldStyle::Option);
}

int runSubCommand(const SubCommand& command, int argc, char** argv, const Streams& io) {
  const std::span<char* const> words(argv + 2, static_cast<std::size_t>(argc - 2));
  if (hasWord(words, "--help")) return printPage(command.help, io);
  if (hasWord(words, "--version")) return printPage(kVersionLine, io);
  const std::string name(command.name);
  OutputSink out(io.out);
  int status = 0;
  try {
    const Options options(words, command.options);
    status = command.run(options, io.in, out, io.err);
  } catch (const calc::CalcError& error) {
    // The points of a file are the file's.
    calc::Problem problem = error.problem();
    for (const char* word : words) {
      if (problem.field == "points" && std::string_view(word).starts_with("--points-file")) problem.field = "points-file";
    }
    const std::string text = problemText(problem);
    if (calc::messageInfo(error.problem().id).usage) {
      std::fprintf(io.err, "channelflow-cli %s: %s\n（channelflow-cli %s --help 查看用法）\n", name.c_str(), text.c_str(),
                   name.c_str());
      return 2;
    }
    std::fprintf(io.err, "错误：%s\n", text.c_str());
    return 1;
  } catch (const std::bad_alloc&) {
    std::fprintf(io.err, "错误：%s\n", problemText({calc::MessageId::OutOfMemory, {}, {}}).c_str());
    return 1;
  }
  if (!out.finish()) {
    std::fprintf(io.err, "channelflow-cli %s: %s\n", name.c_str(), out.failureMessage().c_str());
    return 1;
  }
  return status;
}

}  // namespace channelflow::tools
