// Canal design against GB 50288-2018's own numbers: Table E.0.2, the
// freeboard of its explanatory Table 6, the classes of Tables 3.1.5 and
// 6.3.4 at their boundaries, the Appendix B and C cells; a worked design
// checked by hand step by step; and the invariants every design keeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "calc/design/canal_design.h"
#include "calc/design/canal_grade.h"
#include "calc/design/row_names.h"
#include "calc/design/scour_table.h"
#include "calc/toolkit/messages.h"
#include "calc/toolkit/toolkit.h"
#include "tests/calc/toolkit_inputs.h"

namespace channelflow::calc {
namespace {

using test_inputs::inputsOf;
using test_inputs::number;

using namespace design;

// A text that reads back as x.
std::string text(double x) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", x);
  return buffer;
}

// Table E.0.2 as printed: h/h0 under each alpha, and beta = b/h for each m.
// Three cells disagree with Eqs. E.0.2-2 and E.0.2-3 and with the smooth run
// of their row and column (4.453, 2.997, 2.232): the formula's value stands
// in their place, the printed one in the comment. The alpha = 1.00 column is
// printed 0.001 high in eight rows, so it is held to 0.0015.
TEST(AppendixE, TableE02) {
  constexpr double kEta[] = {1.000, 0.823, 0.761, 0.717, 0.683};
  struct Row {
    double m;
    double beta[5];
  };
  // clang-format off
  constexpr Row kRows[] = {
    {0.00, {2.000, 2.985, 3.525, 4.005, 4.463}},  // printed 4.453
    {0.25, {1.562, 2.453, 2.942, 3.378, 3.792}},
    {0.50, {1.236, 2.091, 2.559, 2.977, 3.374}},  // printed 2.997
    {0.75, {1.000, 1.862, 2.334, 2.755, 3.155}},
    {1.00, {0.829, 1.729, 2.222, 2.662, 3.080}},
    {1.25, {0.702, 1.662, 2.189, 2.658, 3.104}},
    {1.50, {0.606, 1.642, 2.211, 2.717, 3.198}},
    {1.75, {0.532, 1.654, 2.270, 2.818, 3.340}},
    {2.00, {0.472, 1.689, 2.357, 2.951, 3.516}},
    {2.25, {0.425, 1.741, 2.463, 3.106, 3.717}},
    {2.50, {0.386, 1.806, 2.584, 3.278, 3.938}},
    {2.75, {0.353, 1.880, 2.717, 3.463, 4.172}},
    {3.00, {0.325, 1.961, 2.859, 3.658, 4.418}},
    {3.25, {0.301, 2.049, 3.007, 3.861, 4.673}},
    {3.50, {0.281, 2.141, 3.162, 4.070, 4.934}},
    {3.75, {0.263, 2.237, 3.320, 4.285, 5.202}},  // printed 2.232
    {4.00, {0.247, 2.337, 3.483, 4.504, 5.474}},
  };
  // clang-format on
  for (const Row& row : kRows) {
    const BestSection best = bestSection(Real(10), Real(0.025), Real(0.0002), row.m);
    for (std::size_t k = 0; k < kTableAlphas.size(); ++k) {
      SCOPED_TRACE("m " + std::to_string(row.m) + ", alpha " + std::to_string(kTableAlphas[k]));
      const EconomicScheme s = economicScheme(best, Real(10), row.m, kTableAlphas[k]);
      EXPECT_NEAR(s.eta.toDouble(), kEta[k], 0.0005);
      EXPECT_NEAR(s.beta.toDouble(), row.beta[k], k == 0 ? 0.0015 : 0.0005);
    }
  }
}

// Eq. 6.4.8-1 against the computed column of the explanatory Table 6
// (two decimals): hb 4.17, 5.00, 7.25, 3.60, 2.40, 2.60, 3.08, 3.75, 2.00.
TEST(Bank, FreeboardOfTheStandardsTable) {
  constexpr std::pair<double, double> kRows[] = {{4.17, 1.24}, {5.00, 1.45}, {7.25, 2.01}, {3.60, 1.10}, {2.40, 0.80},
                                                 {2.60, 0.85}, {3.08, 0.97}, {3.75, 1.14}, {2.00, 0.70}};
  for (const auto& [hb, Fb] : kRows) EXPECT_NEAR(freeboardOf(Real(hb)).toDouble(), Fb, 0.005) << hb;
  EXPECT_EQ(freeboardOf(Real(2)).toDouble(), 0.7);
}

// A flow on a class boundary belongs to the class above it.
TEST(Tables, FlowClassesAtTheirBoundaries) {
  constexpr std::pair<double, int> kGrades[] = {{4.99, 5}, {5, 4}, {19.99, 4}, {20, 3}, {100, 2}, {299, 2}, {300, 1}};
  for (const auto& [Q, grade] : kGrades) EXPECT_EQ(canalGrade(Q), grade) << Q;
  constexpr std::pair<double, double> kPercents[] = {{0.5, 30}, {0.999, 30}, {1, 25},  {4.99, 25}, {5, 20},
                                                     {20, 15},  {50, 10},    {100, 5}, {299.9, 5}};
  for (const auto& [Q, P] : kPercents) {
    ASSERT_NE(enlargementRow(Q), nullptr) << Q;
    EXPECT_EQ(enlargementRow(Q)->smaller, P) << Q;
  }
  EXPECT_EQ(enlargementRow(300), nullptr);
  EXPECT_EQ(enlargementRow(0.5)->larger, 35);
  EXPECT_TRUE(inFlowClass(FlowClass::From1To20, 20));
  EXPECT_FALSE(inFlowClass(FlowClass::Above20, 20));
  EXPECT_TRUE(inFlowClass(FlowClass::From1To20, 1));
}

// Appendix B's cells by key, and Appendix C's limits: C.0.1 times R^(1/4),
// C.0.2 and C.0.3 by depth (linear between columns), C.0.4 as printed.
TEST(Tables, RoughnessAndNonScouringCells) {
  EXPECT_EQ(findRoughnessRow("earth-large-good")->low, 0.0200);
  EXPECT_EQ(findRoughnessRow("earth-medium-average")->escape, 0.0275);
  EXPECT_EQ(findRoughnessRow("earth-small-winding")->low, 0.0250);  // Q < 1 under the 3/3/3 reading
  EXPECT_EQ(findRoughnessRow("rock-moderate-projections")->low, 0.0330);
  EXPECT_EQ(picked(0.0120, 0.0130, Pick::Middle).toDouble(), 0.0125);  // concrete, trowelled mortar
  struct Row {
    const char* key;
    Pick pick;
    double h, R, limit, tolerance;
  };
  constexpr Row kRows[] = {
      {"medium-loam", Pick::Low, 1, 1, 0.65, 0},
      {"medium-loam", Pick::Low, 1, 0.5, 0.5466, 5e-5},   // factor 0.840896
      {"medium-loam", Pick::High, 1, 2, 1.0108, 5e-5},    // factor 1.189207
      {"coarse-sand", Pick::High, 1, 9, 0.65, 0},
      {"medium-sand", Pick::Low, 1.5, 9, 0.345, 1e-15},   // halfway between 0.32 and 0.37
      {"medium-sand", Pick::Low, 0.2, 9, 0.27, 0},        // the 0.4 m column below it
      {"fine-sand", Pick::High, 5, 9, 0.40, 0},           // the 3 m column beyond it
      {"limestone", Pick::Low, 2, 9, 4.0, 0},
      {"concrete-cast-in-place", Pick::Low, 1, 9, 8.0, 0},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.key);
    const ScourLimit limit = scourLimitOf(*findScourRow(row.key), row.pick, Real(row.h), Real(row.R));
    EXPECT_NEAR(limit.value.toDouble(), row.limit, row.tolerance);
  }
}

// Q = 10 m³/s, i = 1/5000, an earth canal of average upkeep (Table B.0.1,
// 1～20 m³/s: n = 0.025) in medium loam, m = 1.5, alpha = 1.04. By hand:
//   Table 6.3.4, 5～20 m³/s: P = 20 %, Qj = 12, Qmin = 0.4 × 10 = 4 m³/s.
//   K = 2√3.25 − 1.5 = 2.105551; nQ/(K√i) = 0.25/(2.105551 × 0.0141421) = 8.395744;
//   h0 = 2^(1/4) × 8.395744^(3/8) = 1.189207 × 2.220848 = 2.641069 m;
//   b0 = 2(1.802776 − 1.5) × 2.641069 = 1.599303 m; A0 = K h0² = 14.686733 m²; v0 = 0.680887 m/s.
//   alpha 1.04: u = 1.04^4 − 1 = 0.169859, η = √1.04/(1.0816 + 0.412139) = 0.682719;
//   β = 1.04 × 2.105551/0.682719² − 1.5 = 3.198024; h = η h0 = 1.803108 m; B = β h = 5.766382 m;
//   A = (5.766382 + 1.5 × 1.803108) × 1.803108 = 15.274203 = 1.04 A0; v = 10/15.274203 = 0.654699 m/s.
//   Qj = 12: hj = 1.989292 m gives A = 17.406937, P = 5.766382 + 2 × 1.989292 × 1.802776 = 12.938875,
//     R = 1.345321, Q = 17.406937 × 1.345321^(2/3) × 0.0141421/0.025 = 12.0000, vj = 0.689380 m/s.
//   Qmin = 4: hmin = 1.084316 m (A = 8.016195, R = 0.828467, vmin = 0.498990 m/s) ≥ 0.6 h = 1.081865 m.
//   Fb = 1.989292/4 + 0.2 = 0.697323 m; H = 1.989292 + 0.697323 = 2.686615 m.
//   Scour (C.0.1, medium loam 0.65 at R = 1): 0.65 × 1.345321^(1/4) = 0.65 × 1.076977 = 0.700035 ≥ vj.
//   Table 6.4.4, medium loam, 1 ≤ hj < 2 m: m ≥ 1.25, and 1.5 is. Earth canal v within 0.6～1.0.
TEST(Design, WorkedDesignCheckedByHand) {
  const DesignAnswer d = designCanal(inputsOf({{"Q", "10"}, {"i", "0.0002"}, {"lining", "earth-medium-average"},
                                               {"soil", "medium-loam"}, {"m", "1.5"}, {"alpha", "1.04"}}));
  const std::pair<const char*, double> kExpected[] = {
      {"n", 0.025},   {"enlarge", 20},    {"Qj", 12},        {"Qmin", 4},       {"h0", 2.641069}, {"b0", 1.599303},
      {"A0", 14.686733}, {"v0", 0.680887}, {"alpha", 1.04},  {"beta", 3.198024}, {"h", 1.803108}, {"B", 5.766382},
      {"A", 15.274203}, {"v", 0.654699},  {"hj", 1.989292}, {"vj", 0.689380},  {"hmin", 1.084316}, {"vmin", 0.498990},
      {"Fb", 0.697323}, {"H", 2.686615},  {"v_scour", 0.700035}};
  for (const auto& [key, value] : kExpected) EXPECT_NEAR(number(d.items, key), value, 5e-7) << key;
  for (const DesignCheck& check : d.checks) {
    EXPECT_NE(check.status, CheckStatus::Fail) << check.key << ": " << phraseText(check.message);
  }
  EXPECT_EQ(d.checks[4].status, CheckStatus::Pass) << "side slope";
  EXPECT_TRUE(d.schemes[4].chosen);
}

// Each flow's depth carries back its flow; the chosen scheme's area is alpha
// times the best section's; the section sized by beta or by B is the one asked for.
TEST(Design, EveryDesignKeepsItsInvariants) {
  const std::initializer_list<std::pair<const char*, const char*>> kDesigns[] = {
      {{"Q", "10"}, {"i", "0.0002"}, {"n", "0.025"}, {"m", "1.5"}},
      {{"Q", "0.35"}, {"i", "0.001"}, {"n", "0.014"}, {"m", "0"}, {"v-min", "0.4"}, {"v-max", "0.55"}},
      {{"Q", "120"}, {"i", "0.0001"}, {"n", "0.0225"}, {"m", "2.5"}, {"alpha", "1.07"}, {"enlarge", "8"}},
      {{"Q", "3"}, {"i", "0.0004"}, {"n", "0.02"}, {"m", "1"}, {"beta", "2.5"}},
      {{"Q", "3"}, {"i", "0.0004"}, {"n", "0.02"}, {"m", "1"}, {"B", "1.2"}, {"min-ratio", "0.3"}},
      {{"Q", "0.8"}, {"i", "0.002"}, {"n", "0.014"}, {"section", "u"}, {"r", "0.5"}, {"m", "0.1"}},
  };
  for (const auto& pairs : kDesigns) {
    const Inputs inputs = inputsOf(pairs);
    const DesignAnswer d = designCanal(inputs);
    const bool u = inputs.has("r");
    SCOPED_TRACE(std::string(*inputs.find("Q")) + (u ? " u" : ""));
    for (const auto& [depth, flow] : {std::pair{"h", "Q"}, std::pair{"hj", "Qj"}, std::pair{"hmin", "Qmin"}}) {
      Inputs section = inputsOf({{"i", inputs.find("i")->c_str()}, {"n", inputs.find("n")->c_str()}});
      section.set("section", u ? "u" : "trapezoid").set(u ? "r" : "B", u ? "0.5" : text(number(d.items, "B")));
      section.set("m", *inputs.find("m")).set("h", text(number(d.items, depth)));
      const double Q = number(d.items, flow);
      EXPECT_NEAR(number(report(section), "Q"), Q, 2e-14 * Q) << depth;
    }
    if (inputs.has("beta")) {
      EXPECT_NEAR(number(d.items, "B") / number(d.items, "h"), 2.5, 1e-15);
    }
    if (inputs.has("B")) {
      EXPECT_EQ(number(d.items, "B"), 1.2);
    }
    for (const DesignScheme& s : d.schemes) {
      EXPECT_NEAR(s.A, s.alpha * number(d.items, "A0"), 1e-15 * s.A);
      EXPECT_NEAR(s.v * s.alpha, number(d.items, "v0"), 1e-15 * s.v);
    }
  }
  // alpha beyond the table is added to it and chosen; limits choose the smallest alpha within them.
  const DesignAnswer wide = designCanal(inputsOf({{"Q", "120"}, {"i", "0.0001"}, {"n", "0.0225"}, {"m", "2.5"},
                                                  {"alpha", "1.07"}, {"enlarge", "8"}}));
  ASSERT_EQ(wide.schemes.size(), 6u);
  EXPECT_TRUE(wide.schemes.back().chosen);
  EXPECT_FALSE(wide.schemes.back().inTable);
  const DesignAnswer limited = designCanal(
      inputsOf({{"Q", "10"}, {"i", "0.0002"}, {"n", "0.025"}, {"m", "1.5"}, {"v-max", "0.67"}}));  // v 0.681 0.674 0.668 …
  EXPECT_EQ(number(limited.items, "alpha"), 1.02);
}

// Where a check or a choice turns: the scheme nearest the limits when none
// lies within them, the Appendix C row each kind of bed takes, the bend's
// trigger, Table 6.4.4 beyond 3 m, the freeboard formula beyond grade 4.
TEST(Design, ChecksAndChoicesAtTheirEdges) {
  const auto design = [](std::initializer_list<std::pair<const char*, const char*>> extra) {
    Inputs inputs = inputsOf({{"Q", "10"}, {"i", "0.0002"}, {"n", "0.025"}, {"m", "1.5"}});
    for (const auto& [key, text] : extra) inputs.set(key, text);
    return designCanal(inputs);
  };
  const auto status = [](const DesignAnswer& d, std::string_view key) {
    for (const DesignCheck& check : d.checks) {
      if (check.key == key) return check.status;
    }
    return CheckStatus::NotChecked;
  };
  // v runs 0.681, 0.674, 0.668, 0.661, 0.655 m/s from alpha 1.00 to 1.04.
  EXPECT_EQ(number(design({{"v-max", "0.6"}}).items, "alpha"), 1.04);
  EXPECT_EQ(number(design({{"v-min", "0.7"}}).items, "alpha"), 1);
  EXPECT_EQ(status(design({{"v-min", "0.7"}}), "velocity"), CheckStatus::Fail);
  // The bed's non-scouring velocity at hj = 2.85960 m, R = 1.413913 m: a lining's C.0.4 row, a
  // membrane's cover soil, a rock canal's rock, or else --v-max.
  struct Scour {
    std::initializer_list<std::pair<const char*, const char*>> extra;
    double limit;
  };
  const Scour kScour[] = {
      {{{"lining", "concrete-precast-flumes"}}, 5},
      {{{"lining", "membrane-earth-cover"}, {"soil", "clay"}}, 0.70 * 1.090450},  // 1.413913^(1/4)
      {{{"lining", "rock-trimmed"}, {"soil", "granite"}}, 20 + 2 * 0.85960},      // 2 m 20, 3 m 22
      {{{"lining", "dry-rubble"}, {"v-max", "0.9"}}, 0.9},
  };
  for (const Scour& row : kScour) EXPECT_NEAR(number(design(row.extra).items, "v_scour"), row.limit, 5e-6);
  EXPECT_EQ(findItem(design({{"lining", "dry-rubble"}}).items, "v_scour"), nullptr);
  // Rc < 5 Bj (Bj = 10.178 m) raises the outer bank; Rc = 60 m with vj < 2 m/s does not.
  const DesignAnswer sharp = design({{"bend-radius", "50"}});
  EXPECT_NEAR(number(sharp.items, "Fb_bend"),
              number(sharp.items, "Bj") * std::pow(number(sharp.items, "vj"), 2) / (2 * 9.80665 * 50), 1e-15);
  EXPECT_EQ(findItem(design({{"bend-radius", "60"}}).items, "Fb_bend")->kind, Item::Kind::None);
  EXPECT_EQ(status(design({{"soil", "sand"}, {"Q", "60"}}), "side-slope"), CheckStatus::NotChecked) << "hj above 3 m";
  EXPECT_EQ(status(design({{"Q", "25"}}), "freeboard"), CheckStatus::NotChecked) << "grade 3";
  EXPECT_EQ(status(design({{"soil", "granite"}}), "earth-velocity"), CheckStatus::NotChecked);
}

// A name for every row, and no key in two tables: a message names a row by its key alone.
TEST(Tables, KeysAreUniqueAcrossTheTables) {
  std::vector<std::string_view> keys;
  for (const RoughnessRow& row : roughnessTable()) keys.push_back(row.key);
  for (const ScourRow& row : scourTable()) keys.push_back(row.key);
  for (const OtherSoil& soil : otherSoils()) keys.push_back(soil.key);
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end());
  for (std::string_view key : keys) EXPECT_NE(rowName(key, Language::Chinese), key);
  for (const SideSlopeRow& row : sideSlopeTable()) {
    for (std::string_view soil : row.soils) EXPECT_TRUE(soil.empty() || findSoil(soil)) << soil;
  }
}

TEST(Design, BadInputNamesItsField) {
  struct Row {
    std::initializer_list<std::pair<const char*, const char*>> inputs;
    const char* field;
    const char* message;
  };
  const Row kRows[] = {
      {{{"Q", "0"}, {"i", "0.001"}, {"n", "0.02"}, {"m", "1"}}, "Q", "流量 Q 必须大于零"},
      {{{"Q", "1"}, {"i", "0.001"}, {"n", "-0.02"}, {"m", "1"}}, "n", "粗糙系数 n 必须大于零"},
      {{{"Q", "1"}, {"i", "0"}, {"n", "0.02"}, {"m", "1"}}, "i", "渠底坡度 i 必须大于零：平坡或逆坡上不存在均匀流"},
      {{{"Q", "1"}, {"i", "0.001"}, {"n", "0.02"}, {"m", "1"}, {"v-min", "2"}, {"v-max", "1"}}, "v-min",
       "最小允许流速 v-min 必须小于 --v-max"},
      {{{"Q", "1"}, {"i", "0.001"}, {"n", "0.02"}, {"m", "1"}, {"soil", "loam"}}, "soil", "土质 \"loam\" 不是附录 C 或表 6.4.4 中的土质"},
      {{{"Q", "1"}, {"i", "0.001"}, {"m", "1"}, {"lining", "glass"}}, "lining", "渠床 \"glass\" 不是附录 B 中的渠床"},
      {{{"Q", "0.5"}, {"i", "0.001"}, {"m", "1"}, {"lining", "earth-medium-good"}}, "lining",
       "渠床 所选的表 B.0.1 一行（土渠，流量 1～20"},
      {{{"Q", "1"}, {"i", "0.001"}, {"n", "0.02"}, {"m", "1"}, {"alpha", "0.99"}}, "alpha", "面积比 α 不能小于 1"},
      {{{"Q", "300"}, {"i", "0.001"}, {"n", "0.02"}, {"m", "1"}}, "enlarge", "须以 --enlarge 给出"},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.message);
    try {
      designCanal(inputsOf(row.inputs));
      ADD_FAILURE() << "no error";
    } catch (const CalcError& error) {
      EXPECT_NE(messageText(error.problem()).find(row.message), std::string::npos) << messageText(error.problem());
      EXPECT_EQ(error.problem().field, row.field);
      EXPECT_FALSE(messageInfo(error.problem().id).usage);
    }
  }
}

}  // namespace
}  // namespace channelflow::calc
