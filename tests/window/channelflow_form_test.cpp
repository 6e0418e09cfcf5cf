// Runs the built channelflow-form as a user would and checks its streams and
// exit status.
#include "window/form1_block.h"

#include "tests/support/run_program.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace {

using ToolRun = channelflow::testing::ProgramRun;

ToolRun runTool(const std::string& args, const std::string& input = "") {
  return channelflow::testing::runProgram(CHANNELFLOW_FORM, args, input);
}

std::string writeFile(const std::string& name, std::vector<std::uint8_t> bytes) {
  const std::string path = channelflow::testing::tempPath(name);
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::vector<std::uint8_t> storedBlock() {
  const auto block = channelflow::window::form1Block();
  return {block.begin(), block.end()};
}

TEST(ChannelflowForm, WriteGivesTheStoredBlock) {
  const ToolRun run = runTool("write");
  EXPECT_EQ(run.status, 0);
  const std::vector<std::uint8_t> stored = storedBlock();
  EXPECT_EQ(run.out, std::string(stored.begin(), stored.end()));
}

TEST(ChannelflowForm, DumpShowsEveryControlOnItsOwnLine) {
  const std::string path = writeFile("form1.bin", storedBlock());
  const std::vector<std::uint8_t> block = storedBlock();
  for (const std::string& args : {"dump '" + path + "'", std::string("dump -")}) {
    SCOPED_TRACE(args);
    const ToolRun run = runTool(args, std::string(block.begin(), block.end()));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::string expectedLines[] = {
        "block 1008 bytes, 17 controls\n",
        "object-id {A0699FCB-ACAB-488D-B4B5-40FC4043FC76}\n",
        "@93+62 id=0 Form1 window title=\"Form1\" client=60,345,4710,3765 placement=3 p19=\"B\" p23=-1 p24=\"Form1\"\n",
        "@819+54 id=3 Label3 label caption=\"水  深\" rect=240,1200,735,375 "
        "font=\"宋体\",12pt,charset=134,weight=400,style=0 tab=2\n",
        "@566+58 id=13 Label6 label caption=\"沟侧边坡水平宽度与深度之比\" rect=120,1800,1095,615 font=window tab=11\n",
        "@665+35 id=11 Line1 line line=2640,600,2640,3600 font=window tab=none\n",
        "@156+39 id=14 m text-box text=\"\" rect=1440,1800,975,375 "
        "font=\"宋体\",10.5pt,charset=134,weight=400,style=0 tab=12\n",
    };
    for (const std::string& line : expectedLines) EXPECT_NE(run.out.find(line), std::string::npos) << line;
    std::size_t lines = 0;
    for (char c : run.out) lines += c == '\n' ? 1 : 0;
    EXPECT_EQ(lines, 3u + 1u + 17u);
  }
}

TEST(ChannelflowForm, FailuresAndUsage) {
  std::vector<std::uint8_t> corrupt = storedBlock();
  corrupt[165] = 3;  // kind of the first child
  const std::string corruptPath = writeFile("corrupt.bin", corrupt);

  struct Row {
    const char* name;
    std::string args;
    int status;
    std::string err;
  };
  const Row rows[] = {
      {"corrupt block", "dump '" + corruptPath + "'", 1,
       "channelflow-form: " + corruptPath + ": offset 165: unknown control kind: 3\n"},
      {"empty input", "dump - </dev/null", 1, "channelflow-form: -: offset 0: block ends inside a field\n"},
      {"missing file", "dump /nonexistent/form.bin", 1, "channelflow-form: /nonexistent/form.bin: cannot open\n"},
      {"no command", "", 2, ""},
      {"dump without file", "dump", 2, ""},
      {"unknown command", "read x", 2, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const ToolRun run = runTool(row.args);
    EXPECT_EQ(run.status, row.status);
    EXPECT_EQ(run.out, "");
    if (row.status == 2) {
      EXPECT_NE(run.err.find("usage: channelflow-form"), std::string::npos);
    } else {
      EXPECT_EQ(run.err, row.err);
    }
  }
}

}  // namespace
