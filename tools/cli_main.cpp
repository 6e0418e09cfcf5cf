#include "tools/cli_main.h"

#include "tools/commands.h"

#include <array>

namespace channelflow::tools {
namespace {

// The questions the command line has a view of its own for, and some it
// shows as they are; every other question of the table is shown as it is.
const SubCommand kTable{"table", {}, nullptr};
const SubCommand kJump{"jump", {}, nullptr};
const SubCommand kOutline{"outline", {}, nullptr};

const std::array<const SubCommand*, 14> kSubCommands{&kReport, &kSolveDepth, &kSolveWidth, &kTable,  &kSolve,
                                                     &kJump,   &kProfile,    &kBatch,      &kDesign, &kRoughness,
                                                     &kVelocityLimits, &kOutline, &kReach, &kLine};

}  // namespace

int runChannelflowCli(int argc, char** argv, const Streams& io) {
  if (opensSubCommand("click", argc, argv)) return runClick(argc, argv, io);
  for (const SubCommand* command : kSubCommands) {
    if (opensSubCommand(command->question, argc, argv)) return runSubCommand(*command, argc, argv, io);
  }
  // Every other question of the table, its answer written as it is.
  for (const calc::Question& question : calc::questions()) {
    if (question.answer && opensSubCommand(question.name, argc, argv)) {
      return runSubCommand({question.name, {}, nullptr}, argc, argv, io);
    }
  }
  return runFiveBoxes(argc, argv, io);
}

}  // namespace channelflow::tools
