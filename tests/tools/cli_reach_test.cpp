// channelflow-cli reach: the worked file in each format, and a file that
// cannot be read or used refused with the row and column at fault.
#include "tests/support/run_program.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

using channelflow::testing::ProgramRun;

ProgramRun runCli(const std::string& args) { return channelflow::testing::runProgram(CHANNELFLOW_CLI, args, ""); }

const std::string kWorked = std::string(CHANNELFLOW_SOURCE_DIR) + "/docs/reach.csv";

TEST(CliReach, TheWorkedFileInEachFormat) {
  struct Row {
    const char* format;
    const char* expected;  // a line the answer holds
  };
  const Row rows[] = {
      {"text", "1100\t99.12\t102.1\t2.98\t"},
      {"csv", "flow,Q,computed,downstream,upstream\n380,380,缓流,normal=0.0008,\n"},
      {"json", "\"flows\": {\"120\": {\"flow\": \"120\", \"Q\": 120, \"computed\": \"subcritical\""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.format);
    const ProgramRun run = runCli("reach --file " + kWorked + " --format " + row.format);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(row.expected), std::string::npos) << run.out.substr(0, 2000);
  }
}

TEST(CliReach, FilesRefused) {
  const std::string file = channelflow::testing::tempPath("reach.csv");
  std::ofstream(file) << "station,points,n,Q,downstream\n0,\"0,5 5,1 10,5\",0.03,2,\n-10,\"0,5 5,1 10,5\",0.03,,wse=3\n";
  const ProgramRun bad = runCli("reach --file " + file);
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, "错误：--file 第 3 行：station -10 不大于上一断面的 0：断面须自上游向下游按桩号递增排列\n");
  EXPECT_EQ(runCli("reach --file /nonexistent/reach.csv").status, 1);
  EXPECT_EQ(runCli("reach --file " + kWorked + " --friction steepest").status, 2);
  EXPECT_EQ(runCli("reach").status, 2);
}

}  // namespace
