// The structures' questions as front ends ask them, inputs as texts: the
// document each answers (its flows' groups and keys, its tables), worked
// examples through the question, and bad input refused with its field.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "calc/flow/flow_state.h"
#include "calc/toolkit/messages.h"
#include "calc/toolkit/toolkit.h"
#include "tests/calc/toolkit_inputs.h"

namespace channelflow::calc {
namespace {

using test_inputs::inputsOf;

const Question& question(std::string_view name) { return *findQuestion(name); }

const Group* groupOf(const Answer& answer, std::string_view key) {
  for (const Group& group : answer.record().groups) {
    if (group.key == key) return &group;
  }
  return nullptr;
}

double numberIn(const Items& items, std::string_view key) {
  const Item* item = findItem(items, key);
  return item && item->cell.kind == Cell::Kind::Number ? item->cell.number : NAN;
}

// The value at "key" of the record, or "group.key" of a flow's group.
double at(const Answer& answer, std::string_view path) {
  const std::size_t dot = path.find('.');
  if (dot == std::string_view::npos) return numberIn(answer.record().items, path);
  const Group* group = groupOf(answer, path.substr(0, dot));
  return group ? numberIn(group->items, path.substr(dot + 1)) : NAN;
}

const Inputs kSiphonTv1 = inputsOf({{"Q", "2"}, {"D", "1.2"}, {"L", "150"}, {"n", "0.014"}, {"inlet-zeta", "0.2"},
                                    {"gate-slots", "1"}, {"bend", "3.6:30;3.6:30"}, {"outlet-ratio", "0.4"},
                                    {"inlet-form", "reverse-warped"}, {"outlet-form", "reverse-warped"}, {"v1", "0.8"},
                                    {"v2", "1.0"}, {"v3", "0.8"}, {"hu", "1.5"}, {"hd", "1.45"}, {"bed-up", "100"}});

Inputs with(Inputs inputs, std::initializer_list<std::pair<const char*, const char*>> more) {
  for (const auto& [key, text] : more) inputs.set(key, text);
  return inputs;
}

// Each question's document: the groups of its flows with the keys of each,
// and its tables, whatever the front end.
TEST(StructureQuestions, DocumentsHaveTheirGroupsAndKeys) {
  const struct {
    const char* name;
    Inputs inputs;
    std::vector<const char*> groups;  // the flows, then the drawing when there is one
    std::vector<const char*> keys;    // in the design flow's group, or the record's without groups
    std::vector<const char*> tables;
  } rows[] = {
      {"siphon", with(kSiphonTv1, {{"Qj", "2.4"}, {"Qmin", "0.9"}}), {"design", "enlarged", "minimum", "drawing"},
       {"Q", "v", "hf", "zeta_inlet", "zeta_slots", "zeta_rack", "zeta_bends", "zeta_outlet", "zeta_bypass", "zeta_sum", "hj",
        "z", "dZ1", "dZ2", "dZ3", "dZ", "mu"},
       {"bends", "losses", "checks"}},
      {"aqueduct",
       inputsOf({{"Q", "3.619"}, {"enlarge", "25"}, {"B", "2"}, {"n", "0.014"}, {"i", "0.001"}, {"L", "120"},
                 {"inlet-form", "arc-wall"}, {"outlet-form", "arc-wall"}, {"v1", "0.7"}, {"v3", "0.7"}}),
       {"design", "enlarged", "drawing"}, {"h", "v", "Z1", "Z2", "Z3", "dZ"}, {"checks"}},
      {"culvert", inputsOf({{"Q", "2"}, {"Qmin", "1"}, {"B", "1.5"}, {"H", "1.8"}, {"i", "0.001"}, {"L", "30"}}),
       {"design", "minimum", "drawing"}, {"h", "v", "free_area_pct", "free_height", "Z2", "H_inlet", "regime", "length_class"},
       {"checks"}},
      {"tunnel", inputsOf({{"Q", "8"}, {"enlarge", "20"}, {"section", "horseshoe"}, {"n", "0.014"}, {"i", "0.001"}, {"L", "500"}}),
       {"design", "enlarged", "drawing"}, {"h", "v", "free_area_pct", "free_height", "Z2"}, {"checks"}},
      {"transition", inputsOf({{"structure", "siphon"}, {"end", "inlet"}, {"xi", "0.1"}, {"v-up", "0.8"}, {"v-down", "1"}}), {},
       {"structure", "end", "xi", "dv_head", "loss", "drop"}, {}},
      {"gate", inputsOf({{"B", "3"}, {"weir-m", "0.36"}, {"hs", "1"}, {"h-up", "1.6"}}), {},
       {"H0", "hs_H0", "sigma", "flow_type", "Q", "dH"}, {}},
      {"drop", inputsOf({{"Q", "2"}, {"b", "1.5"}, {"P", "2"}}), {}, {"H0", "m_weir", "h_contracted", "h_sequent", "d", "L1"},
       {"checks"}},
      {"chute", inputsOf({{"Q", "3"}, {"B", "2"}, {"m", "0"}, {"n", "0.014"}, {"i", "0.05"}, {"L", "40"}}), {},
       {"hc", "hn", "hb_max", "H_wall"}, {"points", "checks"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Answer answer = question(row.name).answer(row.inputs);
    EXPECT_EQ(answer.reportRole, Answer::ReportRole::Document);
    ASSERT_FALSE(answer.report.empty());
    const Group& record = answer.record();
    ASSERT_EQ(record.groups.size(), row.groups.size());
    for (std::size_t k = 0; k < row.groups.size(); ++k) EXPECT_EQ(record.groups[k].key, row.groups[k]);
    const Items& items = row.groups.empty() ? record.items : record.groups.front().items;
    for (const char* key : row.keys) EXPECT_NE(findItem(items, key), nullptr) << key;
    std::vector<std::string_view> tables;
    for (const Table& table : record.tables) tables.push_back(table.key);
    EXPECT_EQ(tables, std::vector<std::string_view>(row.tables.begin(), row.tables.end()));
    // Every report states the g it used.
    bool gravity = false;
    for (const ReportLine& line : answer.report) gravity = gravity || line.text.id == TextId::StepGravity;
    EXPECT_TRUE(gravity);
  }
}

// Worked examples through the questions: TV1 to TV4 of canal-line.md §16 and
// by hand (mpmath), each to the digits printed there.
TEST(StructureQuestions, WorkedExamples) {
  Channel pipe;
  pipe.shape = Circle{};
  pipe.size = Real(2.0);
  pipe.roughness.n = Real(0.014);
  pipe.i = Real(0.001);
  char atOneAndAHalf[32];  // the flow of TV4's tunnel at h = 1.5
  std::snprintf(atOneAndAHalf, sizeof atOneAndAHalf, "%.17g", uniformFlow(pipe, Real(1.5)).Q.toDouble());
  const struct {
    const char* name;
    const char* question;
    Inputs inputs;
    const char* path;
    double printed;
    int decimals;
  } rows[] = {
      {"TV1 ΔZ", "siphon", kSiphonTv1, "design.dZ", 0.653368, 6},
      {"TV1 outlet bed", "siphon", kSiphonTv1, "Hd", 99.396632, 6},
      {"TV1 μ", "siphon", kSiphonTv1, "design.mu", 0.465874, 6},
      {"TV1 bends joined", "siphon", with(kSiphonTv1, {{"bend", " 3.6:30 ; 3.6:30 ;"}}), "design.zeta_bends", 0.396, 12},
      {"TV1 at 9.81", "siphon", with(kSiphonTv1, {{"g", "9.81"}}), "design.dZ1", 0.020190381016963 * 9.80665 / 9.81, 12},
      {"TV2 depth", "aqueduct", inputsOf({{"Q", "3.619003"}, {"enlarge", "25"}, {"B", "2"}, {"n", "0.014"}, {"i", "0.001"},
                                          {"L", "120"}, {"xi1", "0.2"}, {"xi2", "0.5"}, {"v1", "0.7"}, {"v3", "0.7"}}),
       "design.h", 1.2, 6},
      {"TV2 ΔZ", "aqueduct", inputsOf({{"Q", "3.619003"}, {"B", "2"}, {"n", "0.014"}, {"i", "0.001"}, {"L", "120"},
                                       {"xi1", "0.2"}, {"xi2", "0.5"}, {"v1", "0.7"}, {"v3", "0.7"}}),
       "design.dZ", 0.183665, 6},
      {"TV2 enlarged depth", "aqueduct", inputsOf({{"Q", "3.619003"}, {"enlarge", "25"}, {"B", "2"}, {"n", "0.014"},
                                                   {"i", "0.001"}, {"L", "120"}}),
       "enlarged.h", 1.426837, 6},
      {"TV2 height adopted", "aqueduct", inputsOf({{"Q", "3.619003"}, {"enlarge", "25"}, {"B", "2"}, {"n", "0.014"},
                                                   {"i", "0.001"}, {"L", "120"}}),
       "H", 1.53, 12},
      {"TV3 inlet", "transition", inputsOf({{"structure", "siphon"}, {"end", "inlet"}, {"xi", "0.1"}, {"v-up", "0.8"},
                                            {"v-down", "0.5"}}),
       "drop", -0.017896, 6},
      {"TV3 outlet", "transition", inputsOf({{"structure", "siphon"}, {"end", "outlet"}, {"xi", "0.2"}, {"v-up", "0.5"},
                                             {"v-down", "0.8"}}),
       "drop", 0.023861, 6},
      {"TV4 tunnel free area", "tunnel", inputsOf({{"Q", atOneAndAHalf}, {"D", "2"}, {"n", "0.014"}, {"i", "0.001"}, {"L", "100"}}),
       "design.free_area_pct", 19.55, 2},
      {"TV4 rectangle's clear height", "culvert", inputsOf({{"Q", "1"}, {"B", "2"}, {"H", "2"}, {"i", "0.001"}, {"L", "30"}}),
       "free_height_min", 0.40, 12},
      {"TV4 arch's clear height", "culvert", inputsOf({{"Q", "1"}, {"barrel", "arch"}, {"B", "3"}, {"H", "3.5"}, {"i", "0.001"},
                                                       {"L", "30"}}),
       "free_height_min", 0.75, 12},
      {"gate free flow", "gate", inputsOf({{"B", "3"}, {"weir-m", "0.36"}, {"hs", "1"}, {"h-up", "1.6"}}), "Q",
       9.68008264321746, 12},
      {"gate's depth for its flow", "gate", inputsOf({{"B", "3"}, {"weir-m", "0.36"}, {"hs", "1"}, {"Q", "9.68008264321746"}}),
       "H_up", 1.6, 12},
      {"gate's depth over a dry sill", "gate", inputsOf({{"B", "3"}, {"weir-m", "0.36"}, {"hs", "0"}, {"Q", "9.68008264321746"}}),
       "H_up", 1.6, 12},
      {"drop's head", "drop", inputsOf({{"Q", "2"}, {"b", "1.5"}, {"P", "2"}}), "H0", 0.777361679082185, 13},
      // Rounded up by steps no double can count: the size itself.
      {"a siphon sized for 1e300 m³/s", "siphon",
       inputsOf({{"Q", "1e300"}, {"v-trial", "2"}, {"L", "150"}, {"n", "0.014"}, {"inlet-zeta", "0.2"}, {"outlet-ratio", "0.4"}}),
       "diameter", 7.978845608028654e149, -135},
      {"chute's critical depth", "chute", inputsOf({{"Q", "3"}, {"B", "2"}, {"m", "0"}, {"n", "0.014"}, {"i", "0.05"}, {"L", "40"}}),
       "hc", 0.612191479592173, 14},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const double value = at(question(row.question).answer(row.inputs), row.path);
    EXPECT_NEAR(value, row.printed, 0.5 * std::pow(10.0, -row.decimals) * (1 + 1e-9));
  }
}

// Bad input is refused with the field at fault (and the item of a list);
// wrong usage before any value is read.
TEST(StructureQuestions, BadInputNamesItsField) {
  const struct {
    const char* name;
    const char* question;
    Inputs inputs;
    const char* field;
    MessageId id;
  } rows[] = {
      {"bend beyond Table L.1.4-3", "siphon", with(kSiphonTv1, {{"bend", "3.6:30;0.5:30"}}), "bend", MessageId::TableRangeItem},
      {"bend without its angle", "siphon", with(kSiphonTv1, {{"bend", "3.6"}}), "bend", MessageId::ItemSyntax},
      {"bend's angle no number", "siphon", with(kSiphonTv1, {{"bend", "3.6:x"}}), "bend", MessageId::ItemValue},
      {"bend's radius negative", "siphon", with(kSiphonTv1, {{"bend", "-1:30"}}), "bend", MessageId::ItemNotPositive},
      {"rack of three numbers", "siphon", with(kSiphonTv1, {{"rack", "2.42:10:100"}}), "rack", MessageId::FieldsSyntax},
      {"rack's β not in Table L.1.4-1", "siphon", with(kSiphonTv1, {{"rack", "2:10:100:75"}}), "rack", MessageId::ValueNotInTable},
      {"canal without n", "siphon",
       with(kSiphonTv1, {{"upstream-canal", "2:1.5:0:0.001"}, {"downstream-canal", "2:1.5:0.025:0.001"}}), "upstream-canal",
       MessageId::FieldNotPositive},
      {"half a barrel", "siphon", with(kSiphonTv1, {{"barrels", "1.5"}}), "barrels", MessageId::NotWholeNumber},
      {"unknown entrance", "siphon", with(kSiphonTv1, {{"entrance", "bell"}, {"inlet-zeta", "0.2"}}), "entrance",
       MessageId::UnknownForm},
      {"an aqueduct's form at a siphon", "siphon", with(kSiphonTv1, {{"inlet-form", "curved-warped"}}), "inlet-form",
       MessageId::UnknownForm},
      {"outlet beyond Table L.1.4-5", "siphon", with(kSiphonTv1, {{"outlet-ratio", "0.95"}}), "outlet-ratio",
       MessageId::TableRange},
      {"circle and box", "siphon", with(kSiphonTv1, {{"B", "1"}, {"H", "1"}}), "B", MessageId::OneSizing},
      {"velocities without v3", "siphon", inputsOf({{"Q", "2"}, {"D", "1"}, {"L", "9"}, {"n", "0.014"}, {"inlet-zeta", "0.2"},
                                                    {"outlet-ratio", "0.4"}, {"v1", "0.8"}}),
       "v3", MessageId::InputsTogether},
      {"grade 2 without canals", "aqueduct",
       inputsOf({{"Q", "2"}, {"B", "2"}, {"n", "0.014"}, {"i", "0.001"}, {"L", "99"}, {"grade", "2"}, {"xi1", "0.2"},
                 {"xi2", "0.5"}, {"v1", "0.7"}, {"v3", "0.7"}}),
       "upstream-canal", MessageId::MissingInput},
      {"circle with a width", "culvert", inputsOf({{"Q", "1"}, {"barrel", "circle"}, {"D", "1"}, {"B", "1"}, {"i", "0.001"}, {"L", "9"}}),
       "B", MessageId::NotTakenBySection},
      {"arch's roof above its crown", "culvert",
       inputsOf({{"Q", "1"}, {"barrel", "arch"}, {"B", "3"}, {"H", "1"}, {"i", "0.001"}, {"L", "9"}}), "H",
       MessageId::RoofAboveCrown},
      {"open tunnel", "tunnel", inputsOf({{"Q", "1"}, {"section", "trapezoid"}, {"n", "0.014"}, {"i", "0.001"}, {"L", "9"}}),
       "section", MessageId::TunnelNotClosed},
      {"ratio of a given arch", "tunnel",
       inputsOf({{"Q", "1"}, {"section", "arch"}, {"B", "2"}, {"H", "2"}, {"height-ratio", "1.2"}, {"n", "0.014"},
                 {"i", "0.001"}, {"L", "9"}}),
       "height-ratio", MessageId::ExclusiveInputs},
      {"ranged form without ξ or angle", "transition",
       inputsOf({{"structure", "aqueduct"}, {"end", "inlet"}, {"form", "straight-warped"}, {"v-up", "1"}, {"v-down", "2"}}),
       "xi", MessageId::RangedFormNeedsXiOrAngle},
      {"gate without depth or flow", "gate", inputsOf({{"B", "3"}, {"weir-m", "0.36"}, {"hs", "1"}}), "h-up",
       MessageId::TargetOrLength},
      {"gate's flow too small for Table M.0.3-1", "gate", inputsOf({{"B", "3"}, {"weir-m", "0.36"}, {"hs", "1"}, {"Q", "0.01"}}),
       "Q", MessageId::TableRange},
      {"trapezoidal crest without slope", "drop", inputsOf({{"Q", "2"}, {"b", "1.5"}, {"P", "2"}, {"inlet", "trapezoidal"}}),
       "crest-slope", MessageId::MissingInput},
      {"crest slope beyond N.1.1's", "drop",
       inputsOf({{"Q", "2"}, {"b", "1.5"}, {"P", "2"}, {"inlet", "trapezoidal"}, {"crest-slope", "100"}}), "crest-slope",
       MessageId::OutOfRange},
      {"chute in feet", "chute",
       inputsOf({{"Q", "3"}, {"units", "us"}, {"B", "2"}, {"m", "0"}, {"n", "0.014"}, {"i", "0.05"}, {"L", "40"}}), "units",
       MessageId::UnitsSiOnly},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    try {
      question(row.question).answer(row.inputs);
      ADD_FAILURE() << "no error";
    } catch (const CalcError& error) {
      EXPECT_EQ(error.problem().field, row.field) << messageText(error.problem());
      EXPECT_EQ(error.problem().id, row.id) << messageText(error.problem());
    }
  }
  // The item at fault and the table read, in the message.
  try {
    question("siphon").answer(with(kSiphonTv1, {{"bend", "3.6:30;0.5:30"}}));
  } catch (const CalcError& error) {
    EXPECT_EQ(messageText(error.problem()), "弯道 R:θ 的第 2 项：0.416666666666667 超出表 L.1.4-3 的范围（0.5～11）：未作外推");
  }
}

}  // namespace
}  // namespace channelflow::calc
