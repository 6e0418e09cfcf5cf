// channelflow-cli as new users broke it: every case reported against the
// toolkit, answered right or refused with a reason, over the whole double
// range, with real CSV files and with output that cannot be written.
#include "tests/support/run_program.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <span>
#include <sstream>
#include <string>
#include <vector>

namespace {

using channelflow::testing::ProgramRun;

ProgramRun runCli(const std::string& args, const std::string& input = "") {
  return channelflow::testing::runProgram(CHANNELFLOW_CLI, args, input);
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream split(text);
  for (std::string line; std::getline(split, line);) result.push_back(line);
  return result;
}

// Splits a line of our own CSV output; fields with quotes do not occur in the rows checked.
std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> result(1);
  for (char c : line) {
    if (c == ',') {
      result.emplace_back();
    } else {
      result.back().push_back(c);
    }
  }
  return result;
}

std::string goodRows(int count) {
  std::string rows;
  for (int k = 0; k < count; ++k) rows += "2,1,1,0.001,0.025\n";
  return rows;
}

struct Case {
  const char* name;
  std::string args;
  std::string input;
  int status;
  std::vector<std::string> outHas;  // parts of stdout; a failure must leave stdout empty
  std::string errHas;
};

void expectCases(std::span<const Case> cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ProgramRun run = runCli(c.args, c.input);
    EXPECT_EQ(run.status, c.status) << run.err;
    for (const std::string& part : c.outHas) EXPECT_NE(run.out.find(part), std::string::npos) << run.out.substr(0, 2000);
    if (c.status != 0) {
      EXPECT_EQ(run.out, "");
    }
    EXPECT_NE(run.err.find(c.errHas), std::string::npos) << run.err;
    if (c.status == 0) {
      EXPECT_EQ(run.err, "");
    }
  }
}

// Aborted once: answers whose intermediates lie beyond the double range.
TEST(ChannelflowCliReported, AnswersBeyondTheDoubleRange) {
  const Case cases[] = {
      {"deep channel", "report --B 2 --h 1e100 --m 1 --i 0.001 --n 0.025", "", 0,
       {"临界水深 hc = 2.81177476516499E+106 m", "断面比能 E = 4.39382396645518E+131 m"}, ""},
      {"huge discharge", "solve-depth --Q 1e200 --B 2 --m 1 --i 0.001 --n 0.025", "", 0,
       {"正常水深 h = 1.1874456794109E+75 m", "流量 Q = 1E+200 m³/s"}, ""},
  };
  expectCases(cases);
}

TEST(ChannelflowCliReported, EveryCaseAnswersRightOrSaysWhy) {
  const std::string header = "B,h,m,i,n\n";
  const Case cases[] = {
      // Aborted once: derived values beyond the double range.
      {"subnormal width", "report --B 1e-320 --h 1 --m 1 --i 0.001 --n 0.025", "", 1, {}, "下底宽 B"},
      {"side slope beyond sqrt(DBL_MAX)", "report --B 2 --h 1 --m 1e155 --i 0.001 --n 0.025", "", 0,
       {"流速 v = 0.796844037931689 m/s", "流量 Q = 7.96844037931689E+154 m³/s", "临界水深 hc = 0.664433001340945 m"}, ""},
      {"velocity squared overflows", "report --B 1 --h 1 --m 0 --i 1 --n 1e-300", "", 1, {}, "断面比能 E 超出数值范围"},
      {"width beyond range", "solve-width --Q 2.76 --h 1e-200 --m 0 --i 0.001 --n 0.025", "", 1, {}, "下底宽 B 超出数值范围"},
      {"one subnormal row among good ones", "batch", header + goodRows(1000) + "1e-320,1,1,0.001,0.025\n" + goodRows(5), 0,
       {",,,,,,,,,,,,,\"下底宽 B 的取值 \"\"1e-320\"\" 太小", "\n2,1,1,0.001,0.025,3,4.82842712474619,"}, ""},
      // Silent wrong answers once.
      {"table with m = 1e155", "table --B 2 --m 1e155 --i 0.001 --n 0.025 --h 1:1:1 --format csv", "", 0,
       {"1,1E+155,0.796844037931689,7.96844037931689E+154,0.359855369746257,缓流,\n"}, ""},
      {"critical depth with m = 1e154", "report --B 2 --h 1 --m 1e154 --i 0.001 --n 0.025", "", 0,
       {"临界水深 hc = 0.664433001340945 m"}, ""},
      {"discharge below the double range", "report --B 2 --h 1e-300 --m 1 --i 0.001 --n 0.025", "", 1, {},
       "流量 Q 超出数值范围"},
      // Twelve right digits of fifteen once: a solved depth or width gives back its discharge.
      {"normal depth reproduces Q", "solve-depth --Q 126 --B 6.1 --m 1.5 --i 0.0008 --n 0.013", "", 0,
       {"正常水深 h = 3.28640004311554 m", "流量 Q = 126 m³/s"}, ""},
      {"triangle's depth reproduces Q", "solve-depth --Q 0.3 --B 0 --m 2 --i 0.01 --n 0.014", "", 0,
       {"流量 Q = 0.3 m³/s"}, ""},
      {"bottom width reproduces Q", "solve-width --Q 2.76 --h 1 --m 1 --i 0.001 --n 0.025", "", 0,
       {"流量 Q = 2.76 m³/s"}, ""},
      // Half tables once.
      {"failing depth as a text row", "table --B 2 --m 1 --i 0.001 --n 0.025 --h 1:1e130:5e129", "", 0,
       {"\n5E+129\t错误：流量 Q 超出数值范围（大于 1.8E+308）\n"}, ""},
      {"table on a flat bed", "table --B 2 --m 1 --i 0 --n 0.025 --h 0.5:1:0.5 --format csv", "", 1, {}, "渠底坡度 i"},
      {"failing depths keep their rows in valid JSON",
       "table --B 2 --m 1 --i 0.001 --n 0.025 --h 1:1e130:5e129 --format json", "", 0,
       {"[\n  {\"h\": 1, \"A\": 3,", "{\"h\": 1E+130, \"error\": \"流量 Q 超出数值范围（大于 1.8E+308）\"}\n]\n"}, ""},
      {"failing depth as a CSV row", "table --B 2 --m 1 --i 0.001 --n 0.025 --h 1:1e130:5e129 --format csv", "", 0,
       {"\n5E+129,,,,,,流量 Q 超出数值范围（大于 1.8E+308）\n"}, ""},
      // CSV that real files hold.
      {"extra fields are an error, cut to the header", "batch", header + "2,1,1,0.001,0.025,7\n", 0,
       {"\n2,1,1,0.001,0.025,,,,,,,,,,,,,,列数应为 5，实为 6\n"}, ""},
      {"an open quote is one error row, quoted so that readers agree", "batch", header + "\"2,1,1,0.001,0.025\n2,1,1,0.001,0.025\n", 0,
       {"\n\"2,1,1,0.001,0.025\n2,1,1,0.001,0.025\n\",,,,,,,,,,,,,,,,,,引号未闭合"}, ""},
      {"bytes that are not UTF-8", "batch", "B,h,m,i,n,名\xFF\n2,1,1,0.001,0.025,\xC3\n", 0,
       {"B,h,m,i,n,名\xEF\xBF\xBD,A,", "\n2,1,1,0.001,0.025,\xEF\xBF\xBD,3,"}, ""},
      {"last line ends in a bare CR", "batch", "B,h,m,i,n\r2,1,1,0.001,0.025\r", 0,
       {"\n2,1,1,0.001,0.025,3,4.82842712474619,"}, ""},
      {"byte order mark, blanks around names, quoted numbers", "batch",
       "\xEF\xBB\xBF n , B,h,m,i\n\"0.025\",\"2\",1,1,0.001\n", 0,
       {" n , B,h,m,i,A,P,R,T,D,C,v,Q,Fr,regime,hc,E,tau0,error\n0.025,2,1,1,0.001,3,4.82842712474619,"}, ""},
      {"extra columns carried through in place", "batch", "id,B,h,note,m,i,n\n7,2,1,\"a,b\",1,0.001,0.025\n", 0,
       {"id,B,h,note,m,i,n,A,", "\n7,2,1,\"a,b\",1,0.001,0.025,3,"}, ""},
      {"a column named twice", "batch", "B,h,m,i,n,B\n", 2, {}, "列 B 出现了两次"},
      // Usage, before any work.
      {"bad format before an impossible question", "solve-depth --Q 1 --B 2 --m 1 --i 0 --n 0.025 --format xml", "", 2,
       {}, "--format"},
      {"version after a sub-command", "report --B 2 --version", "", 0, {"channelflow-cli 1.00\n"}, ""},
      {"a flag is no value", "report --B --h 1 --m 1 --i 0.001 --n 0.025", "", 2, {}, "--B 缺少取值"},
      {"a sub-command's own help", "table --help", "", 0, {"channelflow-cli table --B"}, ""},
      {"help anywhere", "batch --format xml --help", "", 0, {"channelflow-cli batch"}, ""},
      {"texts no double reads", "report --B inf --h 1 --m 1 --i 0.001 --n 0.025", "", 1, {}, "下底宽 B 的取值 \"inf\""},
      {"hexadecimal", "solve-depth --Q 0x10 --B 2 --m 1 --i 0.001 --n 0.025", "", 1, {}, "流量 Q 的取值 \"0x10\""},
      {"below the double range in text", "report --B 2 --h 1e-400 --m 1 --i 0.001 --n 0.025", "", 1, {}, "水深 h 的取值"},
  };
  expectCases(cases);
}

// Every output row of a batch has exactly the header's columns.
TEST(ChannelflowCliReported, BatchRowsAlwaysHaveTheHeadersColumns) {
  const ProgramRun run = runCli("batch", "B,h,m,i,n\n2,1,1,0.001,0.025\n2,1,1,0.001\n" + std::string(3000, ',') + "\n");
  EXPECT_EQ(run.status, 0);
  const auto rows = lines(run.out);
  ASSERT_EQ(rows.size(), 4u);
  for (const std::string& row : rows) EXPECT_EQ(fields(row).size(), 19u) << row.substr(0, 200);
}

// A line longer than 1 MB is an error row, and the next line is read.
TEST(ChannelflowCliReported, OverlongLineIsAnErrorRow) {
  const ProgramRun run = runCli("batch", "B,h,m,i,n\n" + std::string(3 << 20, '7') + "\n2,1,1,0.001,0.025\n");
  EXPECT_EQ(run.status, 0);
  const auto rows = lines(run.out);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1], ",,,,,,,,,,,,,,,,,,该行超过 1 MB，未读取");
  EXPECT_EQ(rows[2].substr(0, 20), "2,1,1,0.001,0.025,3,");
}

// Lost output is never a success.
TEST(ChannelflowCliReported, OutputThatCannotBeWrittenIsAnError) {
  const std::string input = "B,h,m,i,n\n" + goodRows(20000);
  const Case cases[] = {
      {"report to a full disk", "report --B 2 --h 1 --m 1 --i 0.001 --n 0.025 >/dev/full", "", 1, {}, "磁盘已满"},
      {"batch to a full disk", "batch >/dev/full", input, 1, {}, "磁盘已满"},
      {"table to a full disk", "table --B 2 --m 1 --i 0.001 --n 0.025 --h 0.1:3:0.1 >/dev/full", "", 1, {}, "磁盘已满"},
      {"five boxes to a full disk", "2 1 1 0.001 0.025 >/dev/full", "", 1, {}, "磁盘已满"},
      {"help to a full disk", "report --help >/dev/full", "", 1, {}, "磁盘已满"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ProgramRun run = runCli(c.args, c.input);
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find(c.errHas), std::string::npos) << run.err;
  }
  // A reader that stops early: death by SIGPIPE (status 141 in the shell) or exit 1, never 0.
  const std::string inFile = channelflow::testing::tempPath("pipe_in.csv");
  const std::string statusFile = channelflow::testing::tempPath("pipe_status.txt");
  std::ofstream(inFile) << input;
  const std::string command = std::string("{ ") + CHANNELFLOW_CLI + " batch <" + inFile + " 2>/dev/null; echo $? >" +
                              statusFile + "; } | head -c 100 >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  int status = -1;
  std::ifstream(statusFile) >> status;
  EXPECT_TRUE(status == 141 || status == 1) << status;
}

TEST(ChannelflowCliReported, ClosedStdoutIsAnError) {
  const ProgramRun run = runCli("batch >&-", "B,h,m,i,n\n" + goodRows(20000));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("无法写入输出"), std::string::npos) << run.err;
}

// Texts a user might type, over the whole range a double has and beyond.
std::string randomText(std::mt19937_64& random) {
  static const char* const kTexts[] = {"0",      "-0",   "1e-320", "5e-324", "2.2250738585072014e-308", "1e308",
                                       "-1e308", "1e309", "inf",   "nan",    "0x10",                    "",
                                       "abc",    "1e-400", " 2 ",  "\"3\"",  "1.7976931348623157e308"};
  if (random() % 3 == 0) return kTexts[random() % std::size(kTexts)];
  char text[40];
  const double mantissa = std::uniform_real_distribution<double>(1, 10)(random);
  std::snprintf(text, sizeof text, "%s%.17ge%d", random() % 8 == 0 ? "-" : "", mantissa,
                std::uniform_int_distribution<int>(-330, 310)(random));
  return text;
}

// The whole double range through the real program: no crash, every row
// complete, every number finite, and a reason wherever there is none.
TEST(ChannelflowCliReported, RandomRowsOverTheWholeRangeNeverCrashOrPrintNonFinite) {
  std::mt19937_64 random(11);
  std::string input = "B,h,m,i,n\n";
  const int rowCount = 4000;
  for (int k = 0; k < rowCount; ++k) {
    for (int c = 0; c < 5; ++c) input += (c ? "," : "") + randomText(random);
    input += "\n";
  }
  const ProgramRun run = runCli("batch", input);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const auto rows = lines(run.out);
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(rowCount) + 1);
  int answered = 0;
  for (std::size_t r = 1; r < rows.size(); ++r) {
    const auto f = fields(rows[r]);
    ASSERT_EQ(f.size(), 19u) << rows[r];
    const bool failed = !f[18].empty();
    answered += failed ? 0 : 1;
    for (std::size_t k = 5; k < 18; ++k) {
      if (failed || k == 14) {
        EXPECT_EQ(f[k].empty(), failed) << rows[r];
        continue;
      }
      // Read wider than a double: the 15-digit text of DBL_MAX lies a hair above it.
      char* end = nullptr;
      const long double value = std::strtold(f[k].c_str(), &end);
      EXPECT_TRUE(std::isfinite(value) && value > 0 && *end == '\0') << rows[r];
    }
  }
  EXPECT_GT(answered, 100);

  const ProgramRun json = runCli("batch --format json", input);
  ASSERT_EQ(json.status, 0);
  const auto objects = lines(json.out);
  ASSERT_EQ(objects.size(), static_cast<std::size_t>(rowCount));
  for (const std::string& object : objects) {
    EXPECT_TRUE(object.front() == '{' && object.back() == '}') << object;
    EXPECT_EQ(object.find(": inf"), std::string::npos);  // texts of bad rows are quoted
    EXPECT_EQ(object.find(": nan"), std::string::npos);
  }
}

// The sub-commands on random inputs: an answer, or exit 1 with a reason.
TEST(ChannelflowCliReported, RandomQuestionsAnswerOrSayWhy) {
  std::mt19937_64 random(1220);
  const char* const kCommands[] = {"report --B %s --h %s --m %s --i %s --n %s",
                                   "solve-depth --Q %s --B %s --m %s --i %s --n %s",
                                   "solve-width --Q %s --h %s --m %s --i %s --n %s"};
  for (int k = 0; k < 90; ++k) {
    std::string texts[5];
    for (std::string& text : texts) text = channelflow::testing::shellQuote(randomText(random));
    char args[400];
    std::snprintf(args, sizeof args, kCommands[k % 3], texts[0].c_str(), texts[1].c_str(), texts[2].c_str(),
                  texts[3].c_str(), texts[4].c_str());
    SCOPED_TRACE(args);
    const ProgramRun run = runCli(args);
    ASSERT_TRUE(run.status == 0 || run.status == 1) << run.status;
    if (run.status == 1) {
      EXPECT_EQ(run.out, "");
      EXPECT_EQ(run.err.rfind("错误：", 0), 0u) << run.err;
    } else {
      EXPECT_EQ(run.out.find("inf"), std::string::npos);
      EXPECT_EQ(run.out.find("nan"), std::string::npos);
    }
  }
}

}  // namespace
