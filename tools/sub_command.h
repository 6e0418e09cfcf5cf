// One driver for every sub-command of channelflow-cli: a question of the
// core's table with the command line's view of it. The driver gives its
// --help page (from the question's inputs) and --version, checks usage before
// any work (exit 2), does the work (exit 1 with a message for a question
// without an answer) and checks that all output was written (exit 1 when any
// of it was lost).
#pragma once

#include "tools/cli_args.h"
#include "tools/output_sink.h"

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

namespace channelflow::tools {

inline constexpr std::string_view kVersionLine = "channelflow-cli 1.00\n";

struct SubCommand {
  std::string_view question;                       // its name in the question table
  std::span<const std::string_view> extraOptions;  // the command line's own ("dxf")
  // Does the work; throws calc::CalcError. Null: the answer in the format asked.
  int (*run)(const Options& options, std::FILE* in, OutputSink& out, std::FILE* err) = nullptr;
};

// Runs `channelflow-cli NAME ARGS...` (argv[1] is the name) and returns its exit status.
int runSubCommand(const SubCommand& command, int argc, char** argv, const Streams& io);

// The answer written in the options' format and language.
void writeAnswer(const calc::Answer& answer, const Options& options, OutputSink& out);

// A drawing written to the file --dxf names, or to standard output where it
// names "-": true then, and the answer is left out.
bool writeDrawing(const std::string& drawing, const Options& options, OutputSink& out);

// The help page of a question, in the language.
std::string helpPage(const calc::Question& question, std::span<const std::string_view> extraOptions, calc::Language language);

// The message of a problem as the command line prints it, inputs named --B.
std::string problemText(const calc::Problem& problem, calc::Language language = calc::Language::Chinese);
std::string phraseLine(calc::TextId id, std::vector<calc::MessageArg> args = {},
                       calc::Language language = calc::Language::Chinese);

// Prints a problem that ends the run ("错误：…" on the error stream).
void printProblem(std::FILE* err, const calc::Problem& problem, calc::Language language);

}  // namespace channelflow::tools
