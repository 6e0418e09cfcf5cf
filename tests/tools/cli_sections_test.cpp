// The second edition's command line end to end: every section, US units,
// composite roughness, solve, jump and profile, against published worked
// examples (each names its source), and the exit status of wrong usage (2)
// and of questions without an answer (1).
#include "tests/support/run_program.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <vector>

namespace {

using channelflow::testing::ProgramRun;

ProgramRun runCli(const std::string& args, const std::string& input = "") {
  return channelflow::testing::runProgram(CHANNELFLOW_CLI, args, input);
}

// The number after "key": in a JSON object's text; NaN when it is not there.
double jsonNumber(const std::string& json, const std::string& key) {
  const std::string marker = "\"" + key + "\": ";
  const auto at = json.find(marker);
  if (at == std::string::npos) return std::numeric_limits<double>::quiet_NaN();
  double value = 0;
  const char* begin = json.data() + at + marker.size();
  if (std::from_chars(begin, json.data() + json.size(), value).ec != std::errc()) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  return value;
}

struct Expected {
  std::string key;
  double value;
  double tolerance;  // half a unit in the source's last printed digit
};

struct WorkedExample {
  const char* source;
  std::string args;
  std::vector<Expected> expected;
};

TEST(CliSections, PublishedWorkedExamples) {
  const std::vector<WorkedExample> examples{
      {"US trapezoid, issue 12's reference figures: normal depth 1.17 ft, v 3.9 ft/s, hc 1.05 ft, Fr 0.81",
       "solve --units us --Q 25 --B 2 --m 3 --i 0.010 --n 0.030",
       {{"h", 1.17, 0.005}, {"v", 3.9, 0.05}, {"hc", 1.055, 0.006}, {"Fr", 0.81, 0.01}}},
      {"US rectangle, issue 12's reference figures: normal depth 1.711301 ft",
       "solve-depth --units us --Q 250 --B 100 --m 0 --n 0.045 --i 0.001", {{"h", 1.711301, 5e-7}}},
      // The source rounds R to 1.043 m before it computes v and Q.
      {"SI rectangle, issue 12's reference figures: R 1.043 m, v 3.428 m/s, Q 32.91 m^3/s",
       "report --section trapezoid --B 6 --m 0 --h 1.6 --i 0.0025 --n 0.015",
       {{"R", 1.043, 0.0005}, {"v", 3.428, 0.0015}, {"Q", 32.91, 0.015}}},
      {"Chow, Open-Channel Hydraulics (1959), example 6-2: b 20 ft, z 2, S0 0.0016, n 0.025, Q 400 ft^3/s",
       "solve --units us --B 20 --m 2 --Q 400 --i 0.0016 --n 0.025", {{"h", 3.36, 0.005}, {"hc", 2.15, 0.005}}},
      {"the same channel asked for its roughness at the published depth",
       "solve --units us --B 20 --m 2 --Q 400 --h 3.36 --i 0.0016", {{"n", 0.025, 0.0002}}},
      {"the same channel asked for its bottom width", "solve-width --units us --m 2 --Q 400 --h 3.36 --i 0.0016 --n 0.025",
       {{"B", 20, 0.05}}},
      {"the same channel asked for its slope", "solve --units us --B 20 --m 2 --Q 400 --h 3.36 --n 0.025",
       {{"i", 0.0016, 0.00001}}},
      // Every sewer-design manual: a pipe half full carries half its full
      // discharge at the full velocity, R = D/4 in both.
      {"circle half full: R = D/4, Q = Qfull/2", "solve --section circle --D 1 --h 0.5 --i 0.002 --n 0.013",
       {{"R", 0.25, 1e-14}, {"Q", 0.536115302593065, 1e-14}}},
      // Bélanger's equation, h2/h1 = (sqrt(1 + 8 Fr1^2) - 1)/2, in every hydraulics text:
      // 15 m^3/s in a 3 m rectangle at 0.5 m (v1 10 m/s) jumps to 2.953 m.
      {"Bélanger's rectangle", "jump --B 3 --m 0 --Q 15 --h1 0.5",
       {{"v1", 10, 1e-13}, {"Fr1", 4.516, 0.0005}, {"h2", 2.953, 0.0005}}},
  };
  for (const WorkedExample& example : examples) {
    SCOPED_TRACE(example.source);
    const ProgramRun run = runCli(example.args + " --format json");
    ASSERT_EQ(run.status, 0) << run.err;
    for (const Expected& e : example.expected) EXPECT_NEAR(jsonNumber(run.out, e.key), e.value, e.tolerance) << e.key;
  }
}

// The text output labels every value with the unit of its system.
TEST(CliSections, TextCarriesUnitsAndCriticalFlow) {
  const ProgramRun us = runCli("solve --units us --Q 25 --B 2 --m 3 --i 0.010 --n 0.030");
  ASSERT_EQ(us.status, 0) << us.err;
  for (const char* line : {"所求正常水深 h = 1.17353826021054 ft\n", "流量 Q = 25 ft³/s\n", "临界水深 hc = 1.05503034724779 ft\n",
                           "临界流速 vc = ", "临界坡度 ic = ", "床面切应力 τ0 = ", " lbf/ft²\n", "单位制 = 英制（ft、ft³/s）\n"}) {
    EXPECT_NE(us.out.find(line), std::string::npos) << line;
  }
  const ProgramRun table = runCli("table --units us --B 2 --m 3 --i 0.01 --n 0.03 --h 1:2:1");
  EXPECT_EQ(table.out.substr(0, table.out.find('\n')), "h(ft)\tA(ft²)\tv(ft/s)\tQ(ft³/s)\tFr\t流态");
  const ProgramRun composite = runCli("report --B 2 --m 1 --h 1 --i 0.001 --n-bed 0.02 --n-wall 0.03");
  ASSERT_EQ(composite.status, 0) << composite.err;
  EXPECT_NE(composite.out.find("综合粗糙系数计算方法 = 霍顿-爱因斯坦法\n"), std::string::npos);
  const double n = jsonNumber(runCli("report --B 2 --m 1 --h 1 --i 0.001 --n-bed 0.02 --n-wall 0.03 --format json").out, "n");
  EXPECT_GT(n, 0.02);
  EXPECT_LT(n, 0.03);
}

// Between the full conduit's discharge and its greatest, two depths carry Q;
// above the greatest none does, and the message names the capacity.
TEST(CliSections, CircleCapacityAndBothDepths) {
  const ProgramRun two = runCli("solve --section circle --D 1 --Q 1.1 --i 0.002 --n 0.013");
  ASSERT_EQ(two.status, 0) << two.err;
  EXPECT_NE(two.out.find("较浅的正常水深 h = 0.84"), std::string::npos);
  EXPECT_NE(two.out.find("较深的正常水深 h = 0.99"), std::string::npos);
  EXPECT_NE(two.out.find("（水深 0.938"), std::string::npos);
  const ProgramRun csv = runCli("solve --section circle --D 1 --Q 1.1 --i 0.002 --n 0.013 --format csv");
  EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 3) << "one header, two rows";
  const ProgramRun none = runCli("solve --section circle --D 1 --Q 1.2 --i 0.002 --n 0.013");
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.err.find("最大过流能力 Qmax = 1.153"), std::string::npos) << none.err;
  // Running full there is no free surface, so no Froude number and no open-flow regime.
  const ProgramRun full = runCli("table --section circle --D 1 --i 0.002 --n 0.013 --h 1:1:1");
  EXPECT_NE(full.out.find("\n1\t0.785398163397448\t1.3652064075983\t1.07223060518613\t\t满管\n"), std::string::npos)
      << full.out;
  const ProgramRun report = runCli("report --section circle --D 1 --h 1 --i 0.002 --n 0.013 --format json");
  EXPECT_EQ(report.out.find("\"Fr\""), std::string::npos) << report.out;
}

// Chow (1959), chapter 10's backwater behind a dam in the channel of
// example 6-2 (hn 3.36 ft, hc 2.15 ft): an M1 curve computed upstream; and
// the M3 curve below a sluice gate, which stops at the critical depth.
TEST(CliSections, ProfilesNameTheirTypeDirectionAndStop) {
  const ProgramRun m1 = runCli("profile --units us --B 20 --m 2 --Q 400 --i 0.0016 --n 0.025 --h0 5 --to-h 3.4 --steps 8");
  ASSERT_EQ(m1.status, 0) << m1.err;
  for (const char* line : {"水面线类型 = M1\n", "推算方向 = 向上游\n", "推算方向的原因 = 缓流", "正常水深 hn = 3.36",
                           "x(ft)\th(ft)\tA(ft²)\tv(ft/s)\tE(ft)\tFr\tSf\n", "\n0\t5\t150\t"}) {
    EXPECT_NE(m1.out.find(line), std::string::npos) << line;
  }
  const ProgramRun m3 = runCli("profile --B 3 --m 0 --Q 15 --i 0.001 --n 0.015 --h0 0.3 --length 500 --steps 5 --format json");
  ASSERT_EQ(m3.status, 0) << m3.err;
  EXPECT_NE(m3.out.find("\"type\": \"M3\""), std::string::npos);
  EXPECT_NE(m3.out.find("\"direction\": \"downstream\""), std::string::npos);
  EXPECT_NE(m3.out.find("\"reached_critical\": true"), std::string::npos);
  EXPECT_NE(m3.out.find("到达临界水深"), std::string::npos);
  const ProgramRun csv = runCli("profile --B 3 --m 0 --Q 15 --i 0.001 --n 0.015 --h0 0.3 --length 500 --steps 5 --format csv");
  EXPECT_EQ(csv.out.substr(0, csv.out.find('\n')), "x,h,A,v,E,Fr,Sf");
  EXPECT_NE(csv.err.find("到达临界水深"), std::string::npos) << "the stop is said, on stderr beside a CSV table";
  const ProgramRun h3 = runCli("profile --B 3 --m 0 --Q 15 --i 0 --n 0.015 --h0 0.5 --length 30 --steps 3 --format json");
  EXPECT_NE(h3.out.find("\"type\": \"H3\""), std::string::npos) << h3.out;
  EXPECT_NE(h3.out.find("\"hn\": null"), std::string::npos) << "a flat bed has no normal depth";
}

TEST(CliSections, BatchTakesTheNewColumns) {
  const ProgramRun run = runCli("batch",
                                "section,units,B,m,D,h,i,n\n"
                                "trapezoid,us,100,0,,1.711301,0.001,0.045\n"
                                "circle,,,,1,0.5,0.002,0.013\n"
                                "circle,,,,1,1.5,0.002,0.013\n"
                                "parabola,,,,,1,0.001,0.02\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\ntrapezoid,us,100,0,,1.711301,0.001,0.045,171.1301,"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find(",0.536115302593065,"), std::string::npos) << "the half-full pipe's Q";
  EXPECT_NE(run.out.find(",水深 h 不能超过管径 D\n"), std::string::npos);
  EXPECT_NE(run.out.find(",缺少 p\n"), std::string::npos);
  // Without a section column a D is one of the carried-through columns it always was.
  const ProgramRun carried = runCli("batch", "B,h,m,i,n,D\n2,1,1,0.001,0.025,note\n");
  EXPECT_NE(carried.out.find("\n2,1,1,0.001,0.025,note,3,"), std::string::npos) << carried.out;
}

// The plain SI trapezoid prints the same digits whichever options describe
// it: every member of the short line's JSON stands in the long line's.
TEST(CliSections, PlainTrapezoidKeepsItsDigitsHoweverSpelt) {
  const std::vector<std::pair<std::string, std::string>> lines{
      {"report --B 13.537 --m 3.044 --h 9.266 --i 0.01 --n 0.035", "--section trapezoid"},
      {"report --B 6.24 --m 0 --h 2.592 --i 0.001 --n 0.035", "--units si"},
      {"solve-depth --Q 126 --B 6.1 --m 1.5 --i 0.0008 --n 0.013", "--m1 1.5 --m2 1.5 --section trapezoid"},
      {"solve-width --Q 2.76 --h 1 --m 1 --i 0.001 --n 0.025", "--units si"},
  };
  for (const auto& [line, spelling] : lines) {
    SCOPED_TRACE(line + " " + spelling);
    const ProgramRun plain = runCli(line + " --format json");
    std::string longLine = line + " " + spelling + " --format json";
    if (spelling.find("--m1") != std::string::npos) longLine.replace(longLine.find("--m 1.5"), 7, "");
    const ProgramRun spelt = runCli(longLine);
    ASSERT_EQ(plain.status, 0);
    ASSERT_EQ(spelt.status, 0) << spelt.err;
    const std::string members = plain.out.substr(1, plain.out.size() - 3);  // without {, }\n
    for (std::size_t at = 0, end; at < members.size(); at = end + 2) {
      end = std::min(members.find(", ", at), members.size());
      const std::string member = members.substr(at, end - at);
      if (member.rfind("\"m\"", 0) == 0 && spelling.find("--m1") != std::string::npos) continue;
      EXPECT_NE(spelt.out.find(member), std::string::npos) << member;
    }
  }
}

struct FailingLine {
  const char* why;
  std::string args;
  int status;
  std::string errContains;
};

TEST(CliSections, UsageAndNoAnswerErrors) {
  const std::vector<FailingLine> lines{
      {"two unknowns", "solve --B 2 --m 1 --i 0.001 --n 0.025", 2, "恰好省去"},
      {"no unknown", "solve --Q 1 --h 1 --B 2 --m 1 --i 0.001 --n 0.025", 2, "恰好省去"},
      {"unknown section", "report --section ellipse --B 2 --h 1 --i 0.001 --n 0.025", 2, "--section 只能是"},
      {"option the section lacks", "report --section circle --D 1 --B 2 --h 0.5 --i 0.001 --n 0.013", 2, "不用 --B"},
      {"m beside m1", "report --B 2 --m 1 --m1 1 --m2 2 --h 1 --i 0.001 --n 0.025", 2, "只能择一"},
      {"m1 alone", "report --B 2 --m1 1 --h 1 --i 0.001 --n 0.025", 2, "须同时给出"},
      {"n beside n-bed", "report --B 2 --m 1 --h 1 --i 0.001 --n 0.02 --n-bed 0.02 --n-wall 0.03", 2, "只能择一"},
      {"unknown units", "report --units cgs --B 2 --m 1 --h 1 --i 0.001 --n 0.025", 2, "--units 只能是"},
      {"profile with both ends", "profile --B 3 --m 0 --Q 15 --i 0.001 --n 0.015 --h0 3 --to-h 2.6 --length 9", 2, "之一"},
      {"profile steps", "profile --B 3 --m 0 --Q 15 --i 0.001 --n 0.015 --h0 3 --to-h 2.6 --steps 0", 2, "--steps"},
      {"jump takes no n", "jump --B 3 --m 0 --Q 15 --h1 0.5 --n 0.015", 2, "jump 不用 --n"},
      {"solve-width given its width", "solve-width --section circle --D 1 --Q 1 --h 0.5 --i 0.001 --n 0.013", 2,
       "不能给出"},
      {"jump that would fill the pipe", "jump --section circle --D 1 --Q 1 --h1 0.2", 1, "跃后水深将超过管径"},
      {"profile past normal depth", "profile --B 3 --m 0 --Q 15 --i 0.001 --n 0.015 --h0 3 --to-h 2.4", 1, "正常水深"},
      {"not a number", "solve --section u --r 1 --h 1 --i 0.001 --n abc", 1, "粗糙系数 n 的取值 \"abc\" 不是有效的数字"},
      {"walls alone carry more", "solve --m 2 --Q 1 --h 1 --i 0.001 --n 0.025", 1, "边坡"},
  };
  for (const FailingLine& line : lines) {
    SCOPED_TRACE(line.why);
    const ProgramRun run = runCli(line.args);
    EXPECT_EQ(run.status, line.status);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(line.errContains), std::string::npos) << run.err;
  }
}

}  // namespace
