// Runs the built channelflow-cli as a user would and checks its streams and
// exit status.
#include "tests/support/run_program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using CliRun = channelflow::testing::ProgramRun;

CliRun runCli(const std::string& args, const std::string& input = "") {
  return channelflow::testing::runProgram(CHANNELFLOW_CLI, args, input);
}

struct CliRow {
  const char* name;
  std::string args;
  int status;
  std::string out;
  std::string errContains;
};

// Runs every row. A failed run must print nothing on stdout and a successful
// one nothing on stderr; a row with no expected output checks only the rest.
void expectRows(const std::vector<CliRow>& rows) {
  for (const CliRow& row : rows) {
    SCOPED_TRACE(row.name);
    const CliRun run = runCli(row.args);
    EXPECT_EQ(run.status, row.status);
    if (!row.out.empty() || row.status != 0) {
      EXPECT_EQ(run.out, row.out);
    }
    EXPECT_NE(run.err.find(row.errContains), std::string::npos) << run.err;
    if (row.status == 0) {
      EXPECT_EQ(run.err, "");
    }
  }
}

TEST(ChannelflowCli, StreamsAndExitStatus) {
  expectRows({
      {"worked example", "2 1 1 0.001 0.025", 0, "0.921022784049301\n2.7630683521479\n", ""},
      {"box texts as typed", "2m '1 m' 1 0.001 ' 0.025 '", 0, "0.921022784049301\n2.7630683521479\n", ""},
      {"negative values are texts, not options", "-- -1 1 0 0.001 0.025", 1, "", "错误 5："},
      {"empty boxes", "'' '' '' '' ''", 1, "", "错误 11：除数为零"},
      {"bad n", "2 1 1 0.001 abc", 1, "", "错误 13："},
      {"too few", "2 1 1 0.001", 2, "", "channelflow-cli B h m i n"},
      {"too many", "2 1 1 0.001 0.025 9", 2, "", "channelflow-cli B h m i n"},
      {"version", "--version", 0, "channelflow-cli 1.00\n", ""},
      // Five texts, the first of them a sub-command's name, are still the boxes (B reads as 0).
      {"sub-command name as a box text", "table 2 1 0.001 0.025", 0, "1.00396057687336\n4.01584230749346\n", ""},
  });
  EXPECT_EQ(runCli("0 2 1 0.001 0.025").out, "1.00396057687336\n4.01584230749346\n");
  const CliRun help = runCli("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("channelflow-cli B h m i n"), std::string::npos);
}

TEST(ChannelflowCliToolkit, SubCommandsAndFormats) {
  expectRows({
      {"report csv", "report --B 3.5 --h 2 --m 0 --i 0.001 --n 0.017 --format csv", 0,
       "B,h,m,i,n,A,P,R,T,D,C,v,Q,Fr,regime,hc,vc,ic,E,tau0\n"
       "3.5,2,0,0.001,0.017,7,7.5,0.933333333333333,3.5,2,58.1510027499645,1.77654247892865,12.4357973525006,"
       "0.401143963054667,缓流,1.08783619013934,3.2661948463051,0.00525004528633655,2.1609164790952,9.15287333333333\n",
       ""},
      {"solve-depth json", "solve-depth --Q=126 --B=6.1 --m=1.5 --i=0.0008 --n=0.013 --format json", 0, "", ""},
      {"table csv", "table --B 2 --m 1 --i 0.001 --n 0.025 --h 1:2:0.5 --format csv", 0,
       "h,A,v,Q,Fr,regime,error\n"
       "1,3,0.921022784049301,2.7630683521479,0.339609166820746,缓流,\n"
       "1.5,5.25,1.12699148445779,5.91670529340341,0.351209008654611,缓流,\n"
       "2,8,1.30242601544061,10.4194081235249,0.360183120556039,缓流,\n",
       ""},
      {"impossible question", "solve-depth --Q 2 --B 2 --m 1 --i 0 --n 0.025", 1, "", "错误：渠底坡度"},
      {"missing option", "report --B 2 --h 1 --m 1 --i 0.001", 2, "", "缺少 --n"},
      {"unknown option", "report --B 2 --h 1 --m 1 --i 0.001 --n 0.025 --Q 3", 2, "", "未知选项 --Q"},
      {"not a number", "report --B 2m --h 1 --m 1 --i 0.001 --n 0.025", 1, "", "下底宽 B 的取值 \"2m\" 不是有效的数字"},
      {"bad format", "report --B 2 --h 1 --m 1 --i 0.001 --n 0.025 --format xml", 2, "", "--format"},
      {"bad range", "table --B 2 --m 1 --i 0.001 --n 0.025 --h 3:1:0.1", 2, "", "--h"},
      // Failures come before any output: no half-written table.
      {"table from a dry bed", "table --B 2 --m 1 --i 0.001 --n 0.025 --h 0:1:0.5", 1, "", "水深 h 必须大于零"},
      {"table on a flat bed", "table --B 2 --m 1 --i 0 --n 0.025 --h 0.5:1:0.5", 1, "", "渠底坡度"},
      {"result beyond range", "report --B 1 --h 1e-100 --m 0 --i 0.001 --n 1e-300", 1, "", "超出数值范围"},
      {"usage before the question", "solve-depth --Q 1 --B 2 --m 1 --i 0 --n 0.025 --format xml", 2, "", "--format"},
  });
  // 0.3 - 0.1 is a hair under two steps of 0.1: the last depth must not be lost.
  const std::string rating = runCli("table --B 2 --m 1 --i 0.001 --n 0.025 --h 0.1:0.3:0.1 --format csv").out;
  EXPECT_EQ(rating.substr(0, 28), "h,A,v,Q,Fr,regime,error\n0.1,");
  EXPECT_NE(rating.find("\n0.2,0.44,"), std::string::npos) << rating;
  EXPECT_NE(rating.find("\n0.3,0.69,"), std::string::npos) << rating;
  EXPECT_EQ(std::count(rating.begin(), rating.end(), '\n'), 4);
  EXPECT_NE(runCli("solve-depth --Q=126 --B=6.1 --m=1.5 --i=0.0008 --n=0.013 --format json").out.find("\"h\": 3.2864000431"),
            std::string::npos);
}

// A bad row gets an error column and the batch goes on.
TEST(ChannelflowCliToolkit, BatchKeepsGoingPastBadRows) {
  const CliRun run = runCli("batch", "h,B,m,i,n\r\n1,2,1,0.001,0.025\r\n1,2,1,0.001\n1,2,1,0.001,0.025,7\n1,2,1,-0.001,0.025\nx,2,1,0.001,0.025\n1.83,3,2,0.0005,0.013");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string expected =
      "h,B,m,i,n,A,P,R,T,D,C,v,Q,Fr,regime,hc,E,tau0,error\n"
      "1,2,1,0.001,0.025,3,4.82842712474619,0.621320343559643,4,0.75,36.9498421093353,0.921022784049301,"
      "2.7630683521479,0.339609166820746,缓流,0.528067796741195,1.04325039482076,6.09307114716917,\n"
      "1,2,1,0.001,,,,,,,,,,,,,,,列数应为 5，实为 4\n"
      "1,2,1,0.001,0.025,,,,,,,,,,,,,,列数应为 5，实为 6\n"
      "1,2,1,-0.001,0.025,,,,,,,,,,,,,,渠底坡度 i 必须大于零：平坡或逆坡上不存在均匀流\n"
      "x,2,1,0.001,0.025,,,,,,,,,,,,,,\"水深 h 的取值 \"\"x\"\" 不是有效的数字\"\n"
      "1.83,3,2,0.0005,0.013,12.1878,11.1840087976492,1.08975236165424,10.32,1.18098837209302,78.0329365795473,"
      "1.82149029836583,22.1999594584231,0.535234024963621,缓流,1.32295215746454,1.9991620944482,"
      "5.34340999870826,\n";
  EXPECT_EQ(run.out, expected);

  const CliRun json = runCli("batch --format json", "B,h,m,i,n\n2,1,1,0.001,0.025\n2,1,1,0.001,abc\n");
  EXPECT_NE(json.out.find("{\"B\": 2, \"h\": 1, \"m\": 1, \"i\": 0.001, \"n\": 0.025, \"A\": 3,"), std::string::npos);
  EXPECT_NE(json.out.find("\"n\": \"abc\", \"error\": \"粗糙系数 n 的取值 \\\"abc\\\" 不是有效的数字\"}"), std::string::npos) << json.out;
  EXPECT_EQ(runCli("batch", "B,h,m,i\n1,1,1,1\n").status, 2);
  // No rows, no output: JSON is one object per row, not an array to close.
  for (const char* input : {"", "B,h,m,i,n\n"}) {
    const CliRun empty = runCli("batch --format json", input);
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "");
  }
}

}  // namespace
