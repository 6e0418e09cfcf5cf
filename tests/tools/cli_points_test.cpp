// Surveyed sections on the command line: the points from a CSV file as from
// the option, batch's points column, and the questions a survey cannot answer.
#include "tests/support/run_program.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

using channelflow::testing::ProgramRun;

ProgramRun runCli(const std::string& args, const std::string& input = "") {
  return channelflow::testing::runProgram(CHANNELFLOW_CLI, args, input);
}

const std::string kPoints = "0,103,0.06 30,102 40,100.2,0.03 45,100 55,100.5 60,102,0.06 100,103.2";

TEST(CliPoints, FileGivesTheSameAnswerAsTheOption) {
  const std::string file = channelflow::testing::tempPath("section.csv");
  // A spreadsheet's export: its own column names, a blank line, an n left empty.
  std::ofstream(file) << "\xEF\xBB\xBF" "起点距,高程,糙率\r\n0,103,0.06\r\n30,102,\r\n\r\n40,100.2,0.03\r\n45,100,\r\n"
                         "55,100.5,\r\n60,102,0.06\r\n100,103.2,\r\n";
  const std::string question = " --section points --i 0.0005 --wse 102.5 --format json";
  const ProgramRun byOption = runCli("report --points '" + kPoints + "'" + question);
  const ProgramRun byFile = runCli("report --points-file " + file + question);
  ASSERT_EQ(byOption.status, 0) << byOption.err;
  EXPECT_EQ(byFile.out, byOption.out) << byFile.err;

  std::ofstream(file) << "station,elevation\n0,5\n5,x\n10,5\n";
  const ProgramRun bad = runCli("report --points-file " + file + " --section points --n 0.03 --i 0.001 --h 1");
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, "错误：--points-file 的第 2 个点的高程 \"x\" 不是有效的数字\n");

  std::ofstream(file) << "x,depth\n0,5\n";
  EXPECT_EQ(runCli("report --points-file " + file + " --section points --n 0.03 --i 0.001 --h 1").status, 2);
  EXPECT_EQ(runCli("report --points-file /nonexistent/section.csv --section points --n 0.03 --i 0.001 --h 1").status, 1);
  EXPECT_EQ(runCli("report --points-file " + file + " --points '" + kPoints + "' --section points --i 0.001 --h 1").status,
            2);
}

TEST(CliPoints, BatchRowsOfSurveys) {
  const std::string csv =
      "section,points,n,h,wse,i\n"
      "points,\"0,5 5,0 10,5\",0.03,1,,0.001\n"
      "points,\"" + kPoints + "\",,,102.5,0.0005\n"
      "points,\"0,5 5,0 10,4\",0.03,4.5,,0.001\n"
      "trapezoid,,0.03,1,,0.001\n";
  const ProgramRun run = runCli("batch", csv);
  ASSERT_EQ(run.status, 0) << run.err;
  std::istringstream lines(run.out);
  std::string header, triangle, compound, above, trapezoid;
  std::getline(lines, header);
  std::getline(lines, triangle);
  std::getline(lines, compound);
  std::getline(lines, above);
  std::getline(lines, trapezoid);
  // The depth and the level are the header's own columns here, not results again.
  EXPECT_EQ(header, "section,points,n,h,wse,i,A,P,R,T,D,C,v,Q,K,alpha,Fr,regime,hc,hc_all,vc,ic,E,tau0,error");
  EXPECT_NE(triangle.find(",0.001,1,"), std::string::npos) << triangle;  // A = 1 for the 1:1 triangle 1 m deep
  EXPECT_EQ(compound.find("error"), std::string::npos);
  EXPECT_NE(above.find("水面高于断面较低的一端"), std::string::npos) << above;
  EXPECT_NE(trapezoid.find("缺少 B"), std::string::npos) << trapezoid;
}

TEST(CliPoints, QuestionsASurveyCannotAnswer) {
  const std::string section = "--section points --points '" + kPoints + "' --i 0.0005";
  // No size to solve for; points that carry their n leave nothing to solve for.
  EXPECT_EQ(runCli("solve-width " + section + " --Q 60 --h 1").status, 2);
  const ProgramRun n = runCli("solve " + section + " --Q 60 --h 2");
  EXPECT_EQ(n.status, 2);
  EXPECT_NE(n.err.find("而现在省去了 0 个"), std::string::npos) << n.err;
  // More water than the banks hold.
  const ProgramRun flood = runCli("solve " + section + " --Q 1000");
  EXPECT_EQ(flood.status, 1);
  EXPECT_NE(flood.err.find("高程 103 m，水深 3 m"), std::string::npos) << flood.err;
}

}  // namespace
