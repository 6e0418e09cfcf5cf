// channelflow-cli design, roughness and velocity-limits end to end: the
// report an engineer checks, the JSON keys a program reads, the DXF drawing,
// and the exit status of bad values (1) and wrong usage (2).
#include "tests/support/run_program.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using channelflow::testing::ProgramRun;

ProgramRun runCli(const std::string& args) { return channelflow::testing::runProgram(CHANNELFLOW_CLI, args); }

const std::string kCanal = "design --Q 10 --i 0.0002 --lining earth-medium-average --soil medium-loam --m 1.5";

TEST(CliDesign, ReportShowsEachStepInOrder) {
  const ProgramRun run = runCli(kCanal + " --v-min 0.3 --v-max 0.67");
  ASSERT_EQ(run.status, 0) << run.err;
  std::size_t at = 0;
  for (const char* step : {"渠道设计计算书", "糙率 n = 0.025（表中值）", "加大流量 Qj = Q·(1 + P/100) = 10 × (1 + 20/100) = 12 m³/s",
                           "h0 = 2^(1/4)·[n·Q/(K·√i)]^(3/8) = 2^(1/4) × [0.025 × 10/(2.10555127546399 × √0.0002)]^(3/8) = 2.64106867814285 m",
                           "按 1.189 计 h0 = 2.64060870364424 m", "1.02\t0.760785593607187\t", "← 选定", "取 α = 1.02：流速在 0.3～0.67 m/s 之内的最小 α",
                           "hj = ", "岸顶超高 Fb = hj/4 + 0.2 = ", "不冲流速（附录 C 表 C.0.1，中壤土）", "[满足] 不冲：", "[满足] 边坡："}) {
    const std::size_t found = run.out.find(step, at);
    EXPECT_NE(found, std::string::npos) << step;
    if (found != std::string::npos) at = found;
  }
}

TEST(CliDesign, JsonCarriesEveryKeyAProgramReads) {
  const ProgramRun run = runCli(kCanal + " --format json");
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* key : {"method", "h0", "b0", "schemes", "alpha", "B", "h", "beta", "A", "P", "R", "v", "Fr", "enlarge", "Qj",
                          "hj", "vj", "Qmin", "hmin", "vmin", "Fb", "H", "checks"}) {
    EXPECT_NE(run.out.find("\"" + std::string(key) + "\": "), std::string::npos) << key;
  }
  EXPECT_NE(run.out.find("\"method\": \"appendix-e\""), std::string::npos);
  EXPECT_NE(run.out.find("{\"alpha\": 1.04, \"eta\": 0.682718934728968, \"beta\": 3.19802437375842, \"B\": 5.76638203568067, "
                         "\"h\": 1.80310759448773"),
            std::string::npos);
  EXPECT_NE(run.out.find("{\"key\": \"side-slope\", \"ok\": true, "), std::string::npos);
  EXPECT_NE(runCli(kCanal + " --beta 2 --format json").out.find("\"method\": \"beta\""), std::string::npos);
  const ProgramRun u = runCli("design --section u --r 0.5 --m 0.1 --Q 0.8 --i 0.002 --n 0.014 --format json");
  EXPECT_NE(u.out.find("\"method\": \"check\", \"section\": \"u\""), std::string::npos) << u.out;
  EXPECT_NE(u.out.find("\"schemes\": []"), std::string::npos);
  const ProgramRun csv = runCli(kCanal + " --format csv");
  EXPECT_EQ(csv.out.substr(0, 30), "method,section,Q,i,lining,n,so");
  EXPECT_NE(csv.out.find("\n\nalpha,eta,beta,B,h,A,v,increase,chosen,in_table\n"), std::string::npos);
  EXPECT_NE(csv.out.find("\n\nkey,ok,message\nvelocity,,"), std::string::npos);
}

// The drawing: a DXF of group-code/value pairs with the four layers, the
// dimensions to the millimetre, written to a file or to standard output.
TEST(CliDesign, DxfDrawing) {
  const std::string path = channelflow::testing::tempPath("canal.dxf");
  const ProgramRun run = runCli(kCanal + " --alpha 1.04 --dxf " + path + " --dxf-scale 100 --format json");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.front(), '{') << "the design is still written";
  std::stringstream file;
  file << std::ifstream(path, std::ios::binary).rdbuf();
  const std::string dxf = file.str();
  EXPECT_EQ(dxf, runCli(kCanal + " --alpha 1.04 --dxf - --dxf-scale 100").out);
  std::vector<std::string> lines;
  std::istringstream pairs(dxf);
  for (std::string line; std::getline(pairs, line);) lines.push_back(line);
  ASSERT_EQ(lines.size() % 2, 0u);
  EXPECT_EQ(lines[lines.size() - 2], "  0");
  EXPECT_EQ(lines.back(), "EOF");
  for (const char* text : {"\nOUTLINE\n", "\nWATER\n", "\nDIMENSIONS\n", "\nTEXT\n", "\nDASHED\n", "\nh=1.803\n", "\nhj=1.989\n",
                           "\nFb=0.697\n", "\nH=2.687\n", "\nB=5.766\n", "\n1:1.5\n"}) {
    EXPECT_NE(dxf.find(text), std::string::npos) << text;
  }
  // At 1:100 a metre is 10 mm: the bed's right corner at x = B/2.
  EXPECT_NE(dxf.find("\n 10\n28.8319101784034\n 20\n0\n"), std::string::npos);
}

TEST(CliDesign, TablesListTheirKeys) {
  const ProgramRun roughness = runCli("roughness");
  ASSERT_EQ(roughness.status, 0);
  EXPECT_NE(roughness.out.find("\nconcrete-trowelled\tB.0.3\t混凝土，抹光的水泥砂浆面\t0.012～0.013\n"), std::string::npos);
  EXPECT_NE(roughness.out.find("\nearth-small-winding\tB.0.1\t土渠，流量小于 1 m³/s，渠床弯曲，养护一般\t0.025\t0.0275\n"),
            std::string::npos);
  const ProgramRun limits = runCli("velocity-limits --format csv");
  EXPECT_NE(limits.out.find("\nvery-large-boulders,C.0.2,,顽石,> 200,,> 3.2,> 3.9,> 4.5,> 4.9\n"), std::string::npos);
  EXPECT_EQ(std::count(limits.out.begin(), limits.out.end(), '\n'), 38);
  EXPECT_NE(runCli("roughness --format json").out.find("{\"key\": \"rock-untrimmed\", \"table\": \"B.0.2\""), std::string::npos);
}

TEST(CliDesign, BadValuesAndWrongUsage) {
  const std::vector<std::tuple<std::string, int, std::string>> lines{
      {"design --Q -1 --i 0.001 --n 0.02 --m 1", 1, "错误：流量 Q 必须大于零"},
      {"design --Q 1 --i 0.001 --n 0.02 --m 1 --v-min 1 --v-max 0.5", 1, "最小允许流速 v-min 必须小于 --v-max"},
      {"design --Q 1 --i 0.001 --m 1 --lining glass", 1, "渠床 \"glass\""},
      {"design --Q 1 --i 0.001 --n 0.02 --m 1 --soil loam", 1, "土质 \"loam\""},
      {"design --Q 1 --i 0.001 --n 0.02 --m 1 --dxf /nonexistent/canal.dxf", 1, "无法写入图形文件 /nonexistent/canal.dxf"},
      {"design --Q 1 --i 0.001 --m 1", 2, "缺少 --n"},
      {"design --Q 1 --i 0.001 --n 0.02 --m 1 --alpha 1.02 --B 2", 2, "--alpha、--beta、--B 至多给出一个"},
      {"design --Q 1 --i 0.001 --n 0.02 --section circle --D 1", 2, "未知选项 --D"},
      {"design --Q 1 --i 0.001 --n 0.02 --section circle", 2, "--section 只能是 trapezoid 或 u"},
      {"design --Q 1 --i 0.001 --n 0.02 --section u --r 1 --alpha 1", 2, "u 断面不用 --alpha"},
      {"design --Q 1 --i 0.001 --n 0.02 --m 1 --n-pick mid", 2, "--n-pick 只能是 low、middle、high"},
      {"design --Q 1 --i 0.001 --n 0.02 --m 1 --dxf-scale 50", 2, "缺少 --dxf"},
      {"velocity-limits --soil clay", 2, "未知选项 --soil"},
  };
  for (const auto& [args, status, message] : lines) {
    SCOPED_TRACE(args);
    const ProgramRun run = runCli(args);
    EXPECT_EQ(run.status, status);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
  }
}

}  // namespace
