// The structures' sub-commands end to end: the report (text), CSV and JSON
// of one answer agree on its values; a list option given several times is
// the list; bad values exit 1 and wrong usage 2, naming the input.
#include "tests/support/run_program.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using channelflow::testing::ProgramRun;

ProgramRun runCli(const std::string& args) { return channelflow::testing::runProgram(CHANNELFLOW_CLI, args); }

std::vector<std::string> split(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  for (std::string field; std::getline(in, field, separator);) fields.push_back(field);
  return fields;
}

// The number JSON writes at "key", inside the object "group" when one is named.
std::string jsonValue(const std::string& json, const std::string& group, const std::string& key) {
  std::size_t at = group.empty() ? 0 : json.find("\"" + group + "\": {");
  if (at == std::string::npos) return "no group";
  at = json.find("\"" + key + "\": ", at);
  if (at == std::string::npos) return "no key";
  at += key.size() + 4;
  return json.substr(at, json.find_first_of(",}", at) - at);
}

// The cell CSV writes for "key": in the records' row, or in the flows'
// table (its first column "flow") on the row of "group".
std::string csvValue(const std::string& csv, const std::string& group, const std::string& key) {
  std::stringstream in(csv);
  std::vector<std::vector<std::string>> block;
  auto look = [&]() -> std::string {
    if (block.size() < 2) return {};
    const std::vector<std::string>& header = block.front();
    if ((header.front() == "flow") != !group.empty()) return {};
    for (std::size_t row = 1; row < block.size(); ++row) {
      if (!group.empty() && block[row].front() != group) continue;
      for (std::size_t c = 0; c < header.size() && c < block[row].size(); ++c) {
        if (header[c] == key) return block[row][c];
      }
    }
    return {};
  };
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) {
      block.push_back(split(line, ','));
      continue;
    }
    if (const std::string found = look(); !found.empty()) return found;
    block.clear();
  }
  const std::string found = look();
  return found.empty() ? "no cell" : found;
}

const std::string kSiphon =
    "siphon --Q 2 --Qj 2.4 --Qmin 0.9 --D 1.2 --L 150 --n 0.014 --inlet-zeta 0.2 --gate-slots 1 --bend 3.6:30 --bend 3.6:30 "
    "--outlet-ratio 0.4 --inlet-form reverse-warped --outlet-form reverse-warped --upstream-canal 2:1.5:0.025:0.0004 "
    "--downstream-canal 2:1.5:0.025:0.0004 --bed-up 100";

TEST(CliStructures, TextCsvAndJsonAgree) {
  const struct {
    std::string args;
    std::string group, key;
  } rows[] = {
      {kSiphon, "design", "dZ"},
      {kSiphon, "minimum", "v"},
      {kSiphon, "", "Hd"},
      {"aqueduct --Q 3.619 --enlarge 25 --B 2 --n 0.014 --i 0.001 --L 120 --xi1 0.2 --xi2 0.5 --v1 0.7 --v3 0.7", "design", "Z1"},
      {"culvert --Q 2 --Qj 2.4 --B 1.5 --H 1.8 --i 0.001 --L 30", "enlarged", "free_area_pct"},
      {"tunnel --Q 8 --enlarge 20 --section arch --B 2.6 --H 3 --n 0.014 --i 0.001 --L 500", "enlarged", "h"},
      {"transition --structure siphon --end inlet --xi 0.1 --v-up 0.8 --v-down 0.5", "", "drop"},
      {"gate --B 3 --weir-m 0.36 --hs 1.5 --Q 4 --v0 0.6", "", "H_up"},
      {"drop --Q 2 --b 1.5 --v1 0.6 --P 2 --tailwater 0.9", "", "h_sequent"},
      {"chute --Q 3 --B 2 --m 0 --n 0.014 --i 0.05 --L 40 --steps 8", "", "H_wall"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args + " " + row.group + "." + row.key);
    const ProgramRun json = runCli(row.args + " --format json");
    ASSERT_EQ(json.status, 0) << json.err;
    const std::string value = jsonValue(json.out, row.group, row.key);
    EXPECT_EQ(csvValue(runCli(row.args + " --format csv").out, row.group, row.key), value);
    EXPECT_NE(runCli(row.args).out.find(value), std::string::npos) << value;
  }
}

TEST(CliStructures, BendsRepeatedOrListed) {
  const std::string base = "siphon --Q 2 --D 1.2 --L 150 --n 0.014 --inlet-zeta 0.2 --outlet-ratio 0.4 --format json";
  const ProgramRun repeated = runCli(base + " --bend 3.6:30 --bend 6:45");
  ASSERT_EQ(repeated.status, 0) << repeated.err;
  EXPECT_EQ(repeated.out, runCli(base + " --bend '3.6:30;6:45'").out);
  EXPECT_NE(repeated.out.find("\"zeta_bends\": 0.401,"), std::string::npos);  // 0.55 × 0.36 + 0.70 × 0.29
}

TEST(CliStructures, BadValuesAndWrongUsage) {
  const std::string siphon = "siphon --Q 2 --D 1.2 --L 150 --n 0.014 --inlet-zeta 0.2 --outlet-ratio 0.4";
  const struct {
    std::string args;
    int status;
    std::string message;
  } rows[] = {
      {siphon + " --bend 3.6:30 --bend 0.5:30", 1, "错误：弯道 R:θ 的第 2 项：0.416666666666667 超出表 L.1.4-3 的范围（0.5～11）：未作外推"},
      {siphon + " --rack 2.42:10", 1, "拦污栅 β:s:b:α \"2.42:10\" 应写作 β:s:b:α"},
      {siphon + " --lang en --entrance bell", 1, "Entrance form (Table L.1.4-2): \"bell\" is no form of Table L.1.4-2"},
      {siphon + " --D 1", 2, "选项 --D 重复"},
      {siphon + " --B 1", 2, "--D、--B、--v-trial 至多给出一个"},
      {siphon + " --outlet-rule table", 2, "--outlet-rule 只能是 printed,expansion"},
      {"aqueduct --Q 2 --n 0.014 --i 0.001 --L 99", 2, "缺少 --B"},
      {"tunnel --Q 8 --section arch --B 2 --n 0.014 --i 0.001 --L 9", 2, "--B 与 --H 须同时给出"},
      {"gate --B 3 --weir-m 0.36 --hs 1 --Q 2 --h-up 1", 2, "--h-up 与 --Q 只能择一"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args);
    const ProgramRun run = runCli(row.args);
    EXPECT_EQ(run.status, row.status);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
  }
}

}  // namespace
