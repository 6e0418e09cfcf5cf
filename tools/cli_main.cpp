#include "tools/cli_main.h"

#include "tools/commands.h"

#include <array>
#include <string_view>

namespace channelflow::tools {
namespace {

struct SubCommandRow {
  std::string_view name;
  int (*run)(int argc, char** argv, const Streams& io);
};

constexpr std::array<SubCommandRow, 12> kSubCommands{{
    {"report", runReport},
    {"solve-depth", runSolveDepth},
    {"solve-width", runSolveWidth},
    {"table", runTable},
    {"solve", runSolve},
    {"jump", runJump},
    {"profile", runProfile},
    {"batch", runBatchCommand},
    {"click", runClick},
    {"design", runDesign},
    {"roughness", runRoughness},
    {"velocity-limits", runVelocityLimits},
}};

}  // namespace

int runChannelflowCli(int argc, char** argv, const Streams& io) {
  for (const SubCommandRow& command : kSubCommands) {
    if (opensSubCommand(command.name, argc, argv)) return command.run(argc, argv, io);
  }
  return runFiveBoxes(argc, argv, io);
}

}  // namespace channelflow::tools
