// channelflow-cli: the calculator's click on five box texts, and the
// engineer's toolkit as sub-commands (tools/cli_main.cpp holds their table).
#include "tools/cli_main.h"

int main(int argc, char** argv) { return channelflow::tools::runChannelflowCli(argc, argv, {}); }
