// Runs the built channelflow-cli as a user would and checks its streams and
// exit status.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

std::string quote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

CliRun runCli(const std::string& args) {
  const std::string errFile = ::testing::TempDir() + "cli_stderr_" + std::to_string(getpid()) + ".txt";
  const std::string command = std::string(CHANNELFLOW_CLI) + " " + args + " 2>" + quote(errFile);
  FILE* pipe = popen(command.c_str(), "r");
  CliRun run{-1, "", ""};
  if (pipe == nullptr) return run;
  std::array<char, 256> buffer{};
  std::size_t n = 0;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), n);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream err(errFile);
  std::stringstream text;
  text << err.rdbuf();
  run.err = text.str();
  return run;
}

struct CliRow {
  const char* name;
  std::string args;
  int status;
  std::string out;
  std::string errContains;
};

TEST(ChannelflowCli, StreamsAndExitStatus) {
  const CliRow rows[] = {
      {"worked example", "2 1 1 0.001 0.025", 0, "0.921022784049301\n2.7630683521479\n", ""},
      {"box texts as typed", "2m '1 m' 1 0.001 ' 0.025 '", 0, "0.921022784049301\n2.7630683521479\n", ""},
      {"negative values are texts, not options", "-- -1 1 0 0.001 0.025", 1, "", "错误 5："},
      {"empty boxes", "'' '' '' '' ''", 1, "", "错误 11：除数为零"},
      {"bad n", "2 1 1 0.001 abc", 1, "", "错误 13："},
      {"too few", "2 1 1 0.001", 2, "", "channelflow-cli B h m i n"},
      {"too many", "2 1 1 0.001 0.025 9", 2, "", "channelflow-cli B h m i n"},
      {"version", "--version", 0, "channelflow-cli 1.00\n", ""},
  };
  for (const CliRow& row : rows) {
    SCOPED_TRACE(row.name);
    const CliRun run = runCli(row.args);
    EXPECT_EQ(run.status, row.status);
    EXPECT_EQ(run.out, row.out);
    EXPECT_NE(run.err.find(row.errContains), std::string::npos) << run.err;
    if (row.status == 0) {
      EXPECT_EQ(run.err, "");
    }
  }
  const CliRun help = runCli("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("channelflow-cli B h m i n"), std::string::npos);
}

}  // namespace
