// channelflow-cli click run as a user would: lines in, one line out for each.
#include "tests/support/run_program.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using channelflow::testing::ProgramRun;
using channelflow::testing::runProgram;

constexpr const char* kWorked = "0.921022784049301\t2.7630683521479\n";

struct ClickRow {
  const char* name;
  std::string input;
  std::string out;
};

TEST(ChannelflowCliClick, OneOutputLinePerInputLine) {
  const std::vector<ClickRow> rows = {
      {"worked example", "2\t1\t1\t0.001\t0.025\n", kWorked},
      {"last line without a line feed", "2\t1\t1\t0.001\t0.025", kWorked},
      {"CRLF line end", "2\t1\t1\t0.001\t0.025\r\n", kWorked},
      {"boxes as typed", "2m\t1 m\t1\t0.001\t 0.025 \n", kWorked},
      {"escaped blanks are skipped", "2\\t\t\\n1\\r\t1\t0.001\t\\t0.025\\r\\n\n", kWorked},
      {"escaped backslash stops the reading", "2\\\\5\t1\t1\t0.001\t0.025\n", kWorked},
      {"a backslash that is no escape is itself", "2\t1\t1\t0.001\t0.025\\x\n", "error 13\n"},
      {"empty boxes", "\t\t\t\t\n", "error 11\n"},
      {"negative radius before n is read", "-1\t1\t0\t0.001\tabc\n", "error 5\n"},
      {"overflow", "1e300\t1e300\t1\t0.001\t0.025\n", "error 6\n"},
      {"a failed line does not stop the stream", "2\t1\t1\t0.001\tabc\n2\t1\t1\t0.001\t0.025\n",
       std::string("error 13\n") + kWorked},
  };
  for (const ClickRow& row : rows) {
    SCOPED_TRACE(row.name);
    const ProgramRun run = runProgram(CHANNELFLOW_CLI, "click", row.input);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, row.out);
    EXPECT_EQ(run.err, "");
  }
}

TEST(ChannelflowCliClick, LinesWithoutFiveFieldsKeepTheOutputAligned) {
  const ProgramRun run =
      runProgram(CHANNELFLOW_CLI, "click", "2\t1\t1\t0.001\n\n2\t1\t1\t0.001\t0.025\n2\t1\t1\t0.001\t0.025\t\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, std::string("error fields\nerror fields\n") + kWorked + "error fields\n");
  EXPECT_NE(run.err.find("第 1 行"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("第 2 行"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("第 4 行：应有 5 个以制表符分隔的字段，实有 6 个"), std::string::npos) << run.err;
}

TEST(ChannelflowCliClick, LinesLongerThanTheReadBlock) {
  // n with 200 000 digits, then lines that cross many block boundaries.
  std::string input = "2\t1\t1\t0.001\t0.025" + std::string(200000, '0') + "\n";
  std::string expected = kWorked;
  for (int k = 0; k < 20000; ++k) {
    input += "2\t1\t1\t0.001\t0.025\n";
    expected += kWorked;
  }
  const ProgramRun run = runProgram(CHANNELFLOW_CLI, "click", input);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, expected);
}

TEST(ChannelflowCliClick, FailedWriteIsExitOne) {
  const ProgramRun run = runProgram(CHANNELFLOW_CLI, "click >/dev/full", "2\t1\t1\t0.001\t0.025\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("写入输出失败"), std::string::npos) << run.err;
}

TEST(ChannelflowCliClick, NothingInNothingOut) {
  const ProgramRun run = runProgram(CHANNELFLOW_CLI, "click", "");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
}

}  // namespace
