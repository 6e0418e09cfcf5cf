// River reaches: their files read or refused with the row and the column,
// boundary levels kept as typed, notes where a section has no answer, and
// the answer's views of every flow.
#include <gtest/gtest.h>

#include <string>

#include "calc/reach/reach.h"
#include "calc/toolkit/toolkit.h"

namespace channelflow::calc {
namespace {

// Three sections of a trapezoidal channel 10 m wide, 1:1 banks 4 m high,
// n 0.03, falling 0.1 m in 100 m each.
std::string section(double bed) {
  const std::string z = std::to_string(bed), top = std::to_string(bed + 4);
  return "\"0," + top + " 4," + z + " 14," + z + " 18," + top + "\"";
}

std::string reachCsv(const std::string& downstream = "wse=101.6") {
  return "station,points,n,Q,downstream\n"
         "0," + section(100.2) + ",0.03,20;35,\n"
         "100," + section(100.1) + ",0.03,,\n"
         "200," + section(100) + ",0.03,," + downstream + "\n";
}

Answer answerOf(const std::string& file, std::initializer_list<std::pair<const char*, const char*>> more = {}) {
  Inputs inputs;
  inputs.set("file", file);
  for (const auto& [key, text] : more) inputs.set(key, text);
  return reach(inputs);
}

std::string problemOf(const std::string& file, std::initializer_list<std::pair<const char*, const char*>> more = {}) {
  try {
    answerOf(file, more);
  } catch (const CalcError& error) {
    return messageText(error.problem());
  }
  return "no problem";
}

TEST(ReachFile, BadRowsRefusedWithTheRowAndTheColumn) {
  struct Row {
    const char* name;
    std::string file;
    const char* message;
  };
  const std::string head = "station,points,n,Q,downstream\n";
  const std::string first = "0," + section(100.2) + ",0.03,20,\n";
  const Row rows[] = {
      {"out of order", head + first + "300," + section(100.1) + ",0.03,,\n200," + section(100) + ",0.03,,wse=101\n",
       "--file 第 4 行：station 200 不大于上一断面的 300：断面须自上游向下游按桩号递增排列"},
      {"a bank off the points",
       "station,points,n,left_bank,Q,downstream\n0," + section(100.2) + ",0.03,5,20,\n100," + section(100) + ",0.03,,,wse=101\n",
       "--file 第 2 行：left_bank 5 不是该断面任一测点的起点距：岸边须在测点上（测点起点距 0～18）"},
      {"a bank outside the section",
       "station,points,n,right_bank,Q,downstream\n0," + section(100.2) + ",0.03,30,20,\n100," + section(100) + ",0.03,,,wse=101\n",
       "--file 第 2 行：right_bank 30 不是该断面任一测点的起点距：岸边须在测点上（测点起点距 0～18）"},
      {"banks crossed",
       "station,points,n,left_bank,right_bank,Q,downstream\n0," + section(100.2) + ",0.03,14,4,20,\n100," + section(100) + ",0.03,,,,wse=101\n",
       "--file 第 2 行：left_bank 14 必须小于右岸 right_bank 4"},
      {"a length of 0",
       "station,points,n,L_channel,Q,downstream\n0," + section(100.2) + ",0.03,0,20,\n100," + section(100) + ",0.03,,,wse=101\n",
       "--file 第 2 行：L_channel 必须大于零"},
      {"a level below the bed", reachCsv("wse=99.5"), "下游边界条件 必须高于断面最低点的高程 100 m"},
      {"a level above the section", reachCsv("wse=104.5"),
       "下游边界条件 使水面高于断面较低的一端：该端高程 104 m，即水深 4 m"},
      {"a point not a number", head + "0,\"0,104 4,x 14,100 18,104\",0.03,20,\n100," + section(100) + ",0.03,,wse=101\n",
       "--file 第 2 行：points 的第 2 个点的高程 \"x\" 不是有效的数字"},
      {"an unknown column", "station,points,n,Q,L_chanel\n", "--file 中有未知的列 \"L_chanel\"（可用的列：station, name, points, n, left_bank, right_bank, L_left, L_channel, L_right, contraction, expansion, Q, downstream, upstream）"},
      {"no flow", head + "0," + section(100.2) + ",0.03,,\n100," + section(100) + ",0.03,,wse=101\n",
       "--file 第 2 行：第一个断面须给出各流量 流量 Q（或以 flows 给出）"},
      {"flows that do not match", head + "0," + section(100.2) + ",0.03,20;30,\n100," + section(100) + ",0.03,25,wse=101\n",
       "--file 第 3 行：流量 Q 给出了 1 个流量，而第一个断面给出 2 个"},
      {"a boundary in the middle", head + first + "100," + section(100.1) + ",0.03,,wse=101\n200," + section(100) + ",0.03,,wse=101\n",
       "--file 第 3 行：下游边界条件 只能写在终点断面"},
      {"a boundary misspelt", reachCsv("level=101.6"),
       "--file 第 4 行：下游边界条件 \"level=101.6\" 应写作 wse=水位、normal=坡度、critical 或 rating=水位:流量 水位:流量 …，各流量的边界以 ; 分隔"},
      {"one section", head + "0," + section(100) + ",0.03,20,wse=101\n", "--file 须有 2 到 20000 个断面，而有 1 个"},
      {"no boundary", head + first + "100," + section(100) + ",0.03,,\n", "须给出 --downstream 或 --upstream 之一"},
      {"json out of shape", "{\"sections\": {}}", "--file 中 sections 的取值类型不对（应为断面对象的数组 [{…}, …]）"},
      {"json cut short", "{\"sections\": [", "--file 不是有效的 JSON（第 15 个字节附近）"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(problemOf(row.file), row.message);
  }
}

// JSON, its points as arrays, reads as the CSV does; the inputs take the
// place of the file's flows and boundaries.
TEST(ReachFile, JsonAndInputsAnswerAsTheCsv) {
  const std::string json = R"({"sections": [
    {"station": 0, "points": [[0, 104.2], [4, 100.2], [14, 100.2], [18, 104.2]], "n": 0.03, "Q": [20, 35]},
    {"station": "100", "points": "0,104.1 4,100.1 14,100.1 18,104.1", "n": 0.03},
    {"station": 200, "points": [[0, 104], [4, 100], [14, 100], [18, 104]], "n": "0.03", "downstream": "wse=101.6"}]})";
  TextSink fromCsv, fromJson, fromInputs;
  writeJson(answerOf(reachCsv()), fromCsv);
  writeJson(answerOf(json), fromJson);
  writeJson(answerOf(reachCsv("wse=103"), {{"downstream", "wse=101.6"}}), fromInputs);
  EXPECT_EQ(fromJson.text(), fromCsv.text());
  EXPECT_EQ(fromInputs.text(), fromCsv.text());
  EXPECT_EQ(problemOf(reachCsv(), {{"flows", "20"}}), "--flows 与 Q 只能择一");
}

// A JSON file's friction slope is taken, unless --friction takes its place;
// one the core has no rule for is refused, not read as the default.
TEST(ReachFile, JsonFrictionTakenOrReplacedOrRefused) {
  const std::string json = R"({"friction": "mean-slope", "downstream": "wse=101.6", "sections": [
    {"station": 0, "points": "0,104.2 4,100.2 14,100.2 18,104.2", "n": 0.03, "Q": 20},
    {"station": 100, "points": "0,104.1 4,100.1 14,100.1 18,104.1", "n": 0.03}]})";
  const auto rule = [](const Answer& answer) { return std::string(answer.record().items[1].cell.term); };
  EXPECT_EQ(rule(answerOf(json)), "mean-slope");
  EXPECT_EQ(rule(answerOf(json, {{"friction", "harmonic-mean"}})), "harmonic-mean");
  std::string unknown = json;
  unknown.replace(unknown.find("mean-slope"), 10, "mean-slop");
  EXPECT_EQ(problemOf(unknown).rfind("--file：", 0), 0u) << problemOf(unknown);
  EXPECT_NE(problemOf(unknown).find("\"mean-slop\""), std::string::npos) << problemOf(unknown);
}

const Table& sectionsOf(const Answer& answer, std::size_t flow) {
  return answer.record().groups.front().groups[flow].tables.front();
}

double cellOf(const Table& table, long row, std::string_view key) {
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    if (quantityInfo(table.columns[c]).key == key) return table.rowAt(row).cells[c].number;
  }
  ADD_FAILURE() << key;
  return NAN;
}

// A boundary's level is printed as typed; a rating is read between its
// points; a normal depth's friction slope is the slope; critical flow's Fr is 1.
TEST(ReachBoundary, EachKindAtTheLastSection) {
  struct Row {
    const char* boundary;
    const char* key;
    double expected;
  };
  const Row rows[] = {
      {"wse=101.6", "wse", 101.6},
      {"rating=100.5:10 101.5:30 102:40", "wse", 101},
      {"normal=0.0007", "Sf", 0.0007},
      {"critical", "Fr", 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.boundary);
    const Answer answer = answerOf(reachCsv(), {{"downstream", row.boundary}});
    EXPECT_NEAR(cellOf(sectionsOf(answer, 0), 2, row.key), row.expected, 1e-12);
  }
  EXPECT_EQ(cellOf(sectionsOf(answerOf(reachCsv()), 0), 2, "wse"), 101.6);  // exactly as typed
}

// A drop of 2.7 m below the second section: no subcritical depth there
// balances, which takes its critical depth and says so; the supercritical
// profile from the critical depth goes on over the drop and jumps to the
// tailwater further down.
TEST(ReachSurface, CriticalDepthNotedAndTheJumpBelowIt) {
  const std::string file = "station,points,n,Q,upstream,downstream\n"
                           "0," + section(103) + ",0.03,20,critical,\n"
                           "100," + section(102.9) + ",0.03,,,\n"
                           "110," + section(100.2) + ",0.03,,,\n"
                           "300," + section(100) + ",0.03,,,wse=100.9\n";
  const Answer answer = answerOf(file);
  const Table& table = sectionsOf(answer, 0);
  const Row at = table.rowAt(1);
  const Cell& note = at.cells.back();
  ASSERT_EQ(note.kind, Cell::Kind::Message);
  EXPECT_EQ(note.message.id, MessageId::NoSubcriticalDepth);
  const Table& jumps = answer.record().groups.front().groups[0].tables[1];
  ASSERT_EQ(jumps.rowCount, 1);
  const double station = jumps.rowAt(0).cells[0].number;
  EXPECT_GT(station, 110);
  EXPECT_LT(station, 300);
}

// Water above a section's lower end: that section says so, and those above
// it say where the march stopped.
TEST(ReachSurface, WaterLeavingASectionStopsTheMarch) {
  const std::string file = "station,points,n,Q,downstream\n"
                           "0," + section(100.2) + ",0.03,20,\n"
                           "100,\"0,101.5 4,100.1 14,100.1 18,101.5\",0.03,,\n"
                           "200," + section(100) + ",0.03,,wse=102\n";
  const Answer answer = answerOf(file);
  const Table& table = sectionsOf(answer, 0);
  EXPECT_EQ(table.rowAt(1).cells.back().message.id, MessageId::LevelAboveSection);
  EXPECT_EQ(messageText(table.rowAt(0).cells.back().message), "未推算：缓流水面线推算在桩号 100 处中止");
}

// Flat floodplains 2 m above the channel give 60 m³/s two critical depths,
// 1.37 and about 2.0 m: 1.8 m, below the floodplains, lies on the lower
// subcritical stretch, a level to start from, not one to replace by hc.
TEST(ReachSurface, ASubcriticalStretchBelowADeeperCriticalDepth) {
  const std::string file = "station,points,n,Q,downstream\n"
                           "0,\"0,3.2 10,2.2 40,2.2 45,0.2 55,0.2 60,2.2 90,2.2 100,3.2\",0.03,60,\n"
                           "200,\"0,3 10,2 40,2 45,0 55,0 60,2 90,2 100,3\",0.03,,wse=1.8\n";
  const Answer answer = answerOf(file);
  const Table& table = sectionsOf(answer, 0);
  EXPECT_EQ(cellOf(table, 1, "h"), 1.8);
  EXPECT_EQ(table.rowAt(1).cells.back().kind, Cell::Kind::Absent);
  EXPECT_GT(cellOf(table, 0, "h"), 2.2);  // over the floodplains upstream
}

// Text and CSV write every flow's table after the reach's own.
TEST(ReachAnswer, ViewsWriteEveryFlow) {
  const Answer answer = answerOf(reachCsv());
  TextSink csv, text;
  writeCsv(answer, csv);
  writeText(answer, text);
  for (const std::string& view : {csv.text(), text.text()}) {
    std::size_t tables = 0;
    for (std::size_t at = view.find("wse"); at != std::string::npos; at = view.find("wse", at + 1)) ++tables;
    EXPECT_GE(tables, 2u) << view;
    EXPECT_NE(view.find("35"), std::string::npos);
  }
  EXPECT_NE(csv.text().find("flow,Q,computed,downstream,upstream\n20,20,缓流,wse=101.6,\n"), std::string::npos) << csv.text();
}

}  // namespace
}  // namespace channelflow::calc
