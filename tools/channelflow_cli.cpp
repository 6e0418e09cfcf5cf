// channelflow-cli: the calculator's click on five box texts, and the
// engineer's toolkit as sub-commands. A sub-command is one row of the table.
#include "tools/commands.h"

#include <array>
#include <string_view>

namespace {

struct SubCommandRow {
  std::string_view name;
  int (*run)(int argc, char** argv);
};

constexpr std::array<SubCommandRow, 9> kSubCommands{{
    {"report", channelflow::tools::runReport},
    {"solve-depth", channelflow::tools::runSolveDepth},
    {"solve-width", channelflow::tools::runSolveWidth},
    {"table", channelflow::tools::runTable},
    {"solve", channelflow::tools::runSolve},
    {"jump", channelflow::tools::runJump},
    {"profile", channelflow::tools::runProfile},
    {"batch", channelflow::tools::runBatchCommand},
    {"click", channelflow::tools::runClick},
}};

}  // namespace

int main(int argc, char** argv) {
  for (const SubCommandRow& command : kSubCommands) {
    if (channelflow::tools::opensSubCommand(command.name, argc, argv)) return command.run(argc, argv);
  }
  return channelflow::tools::runFiveBoxes(argc, argv);
}
