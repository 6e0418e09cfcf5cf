// Runs a built program through the shell as a user would, and keeps its exit
// status, standard output and standard error for the test to check.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace channelflow::testing {

struct ProgramRun {
  int status = -1;
  std::string out;
  std::string err;
};

// The command that starts the program a suite drives: `built`, the one built
// beside the suite, unless the environment variable `variable` names another
// build of it (the WebAssembly build runs the native suite over its node
// program, which cannot start a shell itself).
inline std::string programUnderTest(const char* variable, const char* built) {
  const char* other = std::getenv(variable);
  return std::string(other != nullptr && *other != '\0' ? other : built);
}

// A path in the test's temporary folder that no parallel test process shares.
inline std::string tempPath(const std::string& name) {
  return ::testing::TempDir() + std::to_string(getpid()) + "_" + name;
}

inline std::string shellQuote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// `args` is shell text, so tests can quote empty or blank arguments.
inline ProgramRun runProgram(const std::string& program, const std::string& args, const std::string& input = "") {
  const std::string errFile = tempPath("stderr.txt");
  const std::string inFile = tempPath("stdin.txt");
  std::ofstream(inFile, std::ios::binary) << input;
  const std::string command = program + " " + args + " <" + shellQuote(inFile) + " 2>" + shellQuote(errFile);
  ProgramRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> buffer{};
  std::size_t n = 0;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), n);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::stringstream err;
  err << std::ifstream(errFile).rdbuf();
  run.err = err.str();
  return run;
}

}  // namespace channelflow::testing
