// channelflow-cli line: the worked canal in each format, its profile as a
// DXF drawing, and lines that cannot be read or used refused with the row
// and column at fault.
#include "tests/support/run_program.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

using channelflow::testing::ProgramRun;

ProgramRun runCli(const std::string& args) { return channelflow::testing::runProgram(CHANNELFLOW_CLI, args, ""); }

const std::string kWorked = "line --file " + std::string(CHANNELFLOW_SOURCE_DIR) + "/docs/canal.csv --level 1268.5";

TEST(CliLine, TheWorkedLineInEachFormat) {
  const struct {
    const char* format;
    const char* expected;  // a line the answer holds
  } rows[] = {
      {"text", "  1#倒虹吸进口 倒虹吸（桩号 K0+280.000～K0+410.000）：v = Q/(N·ω) = 1.572 m/s"},
      {"csv", "\nflow\nenlarged\n\nname,kind,station,stake,Q,h,v,Fr,wse,bed,top,hf,hw,htr,hs,hgate,hr,dhv,dz,dz_total,note\n"},
      {"json", "{\"name\": \"1#倒虹吸进口\", \"kind\": \"siphon-in\", \"station\": 280.000, \"stake\": \"K0+280.000\", \"Q\": 4.000, "},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.format);
    const ProgramRun run = runCli(kWorked + " --digits eng --format " + row.format);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(row.expected), std::string::npos) << run.out.substr(0, 3000);
  }
}

// The profile: its layers, the bands' titles in the file's escapes, every
// row's station in the station band, and the same drawing on standard output.
TEST(CliLine, TheProfileAsDxf) {
  const std::string path = channelflow::testing::tempPath("canal-profile.dxf");
  const ProgramRun run = runCli(kWorked + " --dxf " + path + " --dxf-scale 2000 --dxf-vscale 50");
  ASSERT_EQ(run.status, 0) << run.err;
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  const std::string dxf = text.str();
  EXPECT_EQ(dxf, runCli(kWorked + " --dxf - --dxf-scale 2000 --dxf-vscale 50").out);
  for (const char* expected : {"\n  2\nBED\n", "\n  2\nWATER_MIN\n", "\n  2\nBANDS\n", "\\U+6869\\U+53F7", "K3+120.508",
                               "1:2000 / 1:50", "1268.500", "\nDASHED\n"}) {
    EXPECT_NE(dxf.find(expected), std::string::npos) << expected;
  }
  EXPECT_EQ(dxf.substr(dxf.size() - 8), "  0\nEOF\n");
}

TEST(CliLine, LinesRefused) {
  const std::string file = channelflow::testing::tempPath("line.csv");
  std::ofstream(file) << "name,kind,station,B,m,n,i,Q\nA,start,0,2,1.5,0.025,1/2000,3\nB,gate,100,,,,,\nC,ip,200,,,,,\n";
  const struct {
    std::string args;
    int status;
    const char* error;
  } rows[] = {
      {"line --file " + file + " --level 100", 0, ""},
      {"line --file " + file, 2, "channelflow-cli line: 须给出 --level（渠首水位，顺推）或 --control-level（控制水位，逆推）\n"},
      {"line --file " + file + " --level 100 --control-level 99", 2, "channelflow-cli line: --level 与 --control-level 只能择一\n"},
      {"line --file " + file + " --control-level 99 --control-at C", 1, "错误：--control-at \"C\" 不是任何节制闸（gate）节点的名称\n"},
      {"line --file " + file + " --level 100 --friction steepest", 2, nullptr},
      {"line --file " + file + " --level 100 --dxf-scale 100", 2, nullptr},
      {"line --file /nonexistent/line.csv --level 100", 1, nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args);
    const ProgramRun run = runCli(row.args);
    EXPECT_EQ(run.status, row.status) << run.err;
    if (row.error) {
      EXPECT_EQ(run.err.substr(0, std::string(row.error).size()), row.error);
    }
  }
}

}  // namespace
