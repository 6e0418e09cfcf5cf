// Sections by their surveyed points: drawn as a trapezoid they are the
// trapezoid, a compound section divides its conveyance as worked by hand
// below, the invariants of uniform flow hold, and every bad survey has its
// message naming the points and the point at fault.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "calc/flow/critical.h"
#include "calc/survey/points_text.h"
#include "calc/flow/flow_state.h"
#include "calc/toolkit/messages.h"
#include "calc/flow/uniform_solvers.h"
#include "calc/toolkit/toolkit.h"
#include "tests/calc/toolkit_inputs.h"

namespace channelflow::calc {
namespace {

using test_inputs::inputsOf;
using test_inputs::number;
using test_inputs::cellOf;

// The lowest elevation of a points text, as typed.
Real typedLowest(const char* points) {
  std::vector<Problem> problems;
  const std::optional<SurveyText> read = readSurveyText(points, "points", problems);
  Real lowest = read->points[0].z.toReal();
  for (const SurveyPoint& p : read->points) lowest = p.z.toReal() < lowest ? p.z.toReal() : lowest;
  return lowest;
}

Channel surveyed(const char* points, const char* n = nullptr) {
  Inputs inputs = inputsOf({{"section", "points"}, {"points", points}, {"i", "0.0005"}});
  if (n) inputs.set("n", n);
  InputReader reader(inputs);
  Channel c = reader.channel({}, SlopeUse::Uniform);
  reader.finish();
  return c;
}

// The same channel by its points and by its closed form: every printed
// number the same double, however far above the datum it was surveyed. At
// depths a double holds: a surveyed section takes its depth as typed, the
// closed forms as its double.
TEST(PointsSection, TrapezoidsByTheirPointsAreTheTrapezoids) {
  struct Row {
    const char* name;
    const char* points;
    const char* B;
    const char* m1;
    const char* m2;
    const char* h;
  };
  const Row rows[] = {
      {"rectangle with vertical walls", "0,2 0,0 4,0 4,2", "4", "0", "0", "1.3125"},
      {"trapezoid of two slopes", "0,3 3,0 5,0 9.5,3", "2", "1", "1.5", "2.1875"},
      {"the same 100 m up, with a point on each wall", "100,103 102,101 103,100 105,100 108,102 109.5,103", "2", "1", "1.5", "2.1875"},
      {"triangle, the water at its banks", "0,1 1,0 2,1", "0", "1", "1", "1"},
  };
  const char* kKeys[] = {"A", "P", "R", "T", "D", "C", "v", "Q", "Fr", "hc", "vc", "ic", "E", "tau0"};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Answer byPoints = report(
        inputsOf({{"section", "points"}, {"points", row.points}, {"n", "0.02"}, {"i", "0.001"}, {"h", row.h}}));
    const Answer closed =
        report(inputsOf({{"B", row.B}, {"m1", row.m1}, {"m2", row.m2}, {"n", "0.02"}, {"i", "0.001"}, {"h", row.h}}));
    for (const char* key : kKeys) EXPECT_EQ(number(byPoints, key), number(closed, key)) << key;
    EXPECT_EQ(number(byPoints, "alpha"), 1);
  }
}

// Floodplains of n 0.05 either side of a main channel of n 0.025, all walls
// vertical, water 3 m deep (1 m on the floodplains):
//
//   z 4 |                                               |
//     3 |~~~~~~~~~~~~~~~~~~~|~~~~~~~~~|~~~~~~~~~~~~~~~~~~| wse 3
//     2 |___________________|         |__________________|
//     0                     |_________|
//       x 0                20        30                  50
//
// Floodplain: A = 20 x 1 = 20, P = 1 + 20 = 21 (the dividing line is no bed),
//   K = 20 (20/21)^(2/3) / 0.05 = 387.199.
// Main channel: A = 10 x 3 = 30, P = 2 + 10 + 2 = 14,
//   K = 30 (30/14)^(2/3) / 0.025 = 1994.54.
// K = 2 x 387.199 + 1994.54 = 2768.94; Q = K sqrt(0.0005) = 61.9154.
// alpha = (2 x 387.199^3/20^2 + 1994.54^3/30^2) / (2768.94^3/70^2) = 2.10189.
// One n of 0.025 over the whole section would carry 70 (70/56)^(2/3) / 0.025
// sqrt(0.0005) = 72.7: the floodplains' shallow water counted as deep as the
// main channel's.
TEST(PointsSection, CompoundSectionDividesItsConveyance) {
  const Answer answer = report(inputsOf({{"section", "points"},
                                       {"points", "0,4,0.05 0,2 20,2,0.025 20,0 30,0 30,2,0.05 50,2 50,4"},
                                       {"i", "0.0005"},
                                       {"wse", "3"}}));
  const struct {
    const char* key;
    double value;
  } expected[] = {{"A", 70},   {"P", 56},  {"T", 50},  {"K", 2768.9401711975128}, {"alpha", 2.1018923943495623},
                  {"Q", 61.91538448427544}, {"E", 3.0838418544711921}, {"Fr", 0.34608391730328744},
                  {"n", 0.029335341165242362}};
  for (const auto& [key, value] : expected) EXPECT_NEAR(number(answer, key), value, 4e-16 * value) << key;
  const Item* parts = findItem(answer.record().items, "n_parts");
  ASSERT_NE(parts, nullptr);
  EXPECT_EQ(parts->cell.numbers, (std::vector<double>{0.05, 0.025, 0.05}));
}

// With one n, water spilling onto flat floodplains widens the surface at
// once: the specific energy has a second least just above them.
TEST(PointsSection, EveryLeastOfTheSpecificEnergy) {
  const Channel c = surveyed("0,3 10,2 40,2 45,0 55,0 60,2 90,2 100,3", "0.03");
  const Real Q(65.76);
  const std::vector<Real> depths = criticalDepths(c, Q);
  ASSERT_EQ(depths.size(), 2u);
  EXPECT_NEAR(depths[0].toDouble(), 1.4442, 1e-4);  // in the main channel
  EXPECT_NEAR(depths[1].toDouble(), 2.0360, 1e-4);  // with the floodplains
  for (const Real& hc : depths) {
    const Real E = specificEnergy(c, hc, Q);
    for (double side : {-1e-6, 1e-6}) EXPECT_GT(specificEnergy(c, hc + Real(side), Q), E);
  }
  // Jumps and profiles go by the least of the two.
  const Real least = specificEnergy(c, depths[0], Q) < specificEnergy(c, depths[1], Q) ? depths[0] : depths[1];
  EXPECT_EQ(criticalDepth(c, Q), least);

  // Rough floodplains on a smooth main channel: alpha makes E rise for a
  // while above them and then fall to a second least, deeper than the
  // floodplains' own interval; jumps and profiles go by it.
  const Channel river = surveyed("0,15.73,0.0961 25.16,9.14 42.8,9.11,0.0294 47.65,0 126.89,0 144.5,9.11,0.0623 "
                                 "396.56,9.11 417.48,15.34");
  const Real riverQ(7011.6);
  const std::vector<Real> both = criticalDepths(river, riverQ);
  ASSERT_EQ(both.size(), 2u);
  EXPECT_NEAR(both[1].toDouble(), 9.94, 1e-2);
  EXPECT_EQ(criticalDepth(river, riverQ), both[1]);

  // psi peaks just above g/Q^2 between two samples (E dips by 1e-6 near
  // 1.357), and a part's sample lands on a level the doubles see above it.
  const struct {
    const char* points;
    double Q;
    std::size_t count;
  } narrow[] = {
      {"0,4.13,0.0508 7.56,1.32 37.89,1.24,0.03057 40.49,0 49.85,0 51.52,1.24,0.057 128.27,2.01 134.01,3.94", 43.014, 2},
      {"0,16.52,0.0753 7.35,14.65 96.18,13.95,0.0286 96.18,12 98.39,12 100.29,13.95,0.08 233.36,14.67 237.11,15.9", 52, 1},
  };
  for (const auto& [points, discharge, count] : narrow) {
    EXPECT_EQ(criticalDepths(surveyed(points), Real(discharge)).size(), count) << points;
  }
}

TEST(PointsSection, UniformFlowInvariants) {
  const char* points = "0,103,0.06 30,102 40,100.2,0.03 45,100 55,100.5 60,102,0.06 95,102.4 100,103.2";
  const Channel c = surveyed(points);
  // A solved depth carries its discharge.
  for (double Q : {0.5, 20.0, 60.0, 80.0}) {
    SCOPED_TRACE(Q);
    const std::vector<UniformSolution> s = solveUniformFlow(c, Unknown::Depth, Real(Q), Real(0));
    ASSERT_EQ(s.size(), 1u);
    EXPECT_NEAR(uniformFlow(c, s[0].h).Q.toDouble(), Q, 1e-15 * Q);
  }
  // Raising the water never lowers the conveyance.
  double previous = 0;
  for (int k = 1; k <= 600; ++k) {
    const double K = uniformFlow(c, Real(0.005 * k)).K.toDouble();
    EXPECT_GE(K, previous) << 0.005 * k;
    previous = K;
  }
  // A point inserted on a straight segment of one n changes nothing.
  const Channel inserted =
      surveyed("0,103,0.06 15,102.5 30,102 40,100.2,0.03 45,100 50,100.25 55,100.5 60,102,0.06 95,102.4 100,103.2");
  for (double h : {0.05, 0.1, 1.7, 2.6}) {
    SCOPED_TRACE(h);
    const FlowState a = uniformFlow(c, Real(h)), b = uniformFlow(inserted, Real(h));
    for (auto [x, y] : {std::pair{a.A, b.A}, std::pair{a.P, b.P}, std::pair{a.K, b.K}, std::pair{a.alpha, b.alpha}}) {
      EXPECT_NEAR(x.toDouble(), y.toDouble(), 4e-16 * x.toDouble());
    }
  }
}

// A point exactly at the water surface: the segments it ends are cut there
// with nothing lost, from whichever side the surface comes.
TEST(PointsSection, PointAtTheSurface) {
  const Channel c = surveyed("0,5 2,1 3,0 5,1 9,5", "0.02");
  for (double h : {1 - 0x1p-40, 1.0, 1 + 0x1p-40}) {
    SCOPED_TRACE(h);
    // Below 1 m a triangle of side slopes 1 and 2; above, walls of 0.5 and 1 on its 3 m.
    const double y = h - 1;
    const double A = h <= 1 ? 1.5 * h * h : 1.5 + 3 * y + 0.75 * y * y;
    EXPECT_NEAR(uniformFlow(c, Real(h)).A.toDouble(), A, 2e-16 * A);
  }
}

// Levels as typed: a water level less the lowest point is the difference of
// the typed numbers (102.6 - 100 in doubles is 2.5999999999999943), and the
// same river surveyed 2,523.119 m higher answers the same.
TEST(PointsSection, LevelsAreTheTypedNumbers) {
  const char* river = "0,103.5,0.06 25,102.5 30,102,0.035 40,100.5 44,100 52,100 56,100.5 60,102,0.06 90,102.5 120,103.5";
  const char* high = "0,2626.619,0.06 25,2625.619 30,2625.119,0.035 40,2623.619 44,2623.119 52,2623.119 56,2623.619 "
                     "60,2625.119,0.06 90,2625.619 120,2626.619";
  struct Row {
    const char* name;
    const char* points;
    const char* wse;
    double h, A, T;
  };
  const Row rows[] = {
      {"over the floodplains", river, "102.6", 2.6, 71.025, 70.5},
      {"the same 2,523.119 m up", high, "2625.719", 2.6, 71.025, 70.5},
      {"in the main channel", river, "100.7", 0.7, 9.3866666666666667, 17.866666666666667},  // 28.16/3, 53.6/3
      {"the same up", high, "2623.819", 0.7, 9.3866666666666667, 17.866666666666667},
      {"at the banks", high, "2626.619", 3.5, 156.75, 120},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Answer items =
        report(inputsOf({{"section", "points"}, {"points", row.points}, {"i", "0.0004"}, {"wse", row.wse}}));
    EXPECT_EQ(number(items, "h"), row.h);
    EXPECT_EQ(number(items, "wse"), std::strtod(row.wse, nullptr));
    EXPECT_EQ(number(items, "A"), row.A);
    EXPECT_EQ(number(items, "T"), row.T);
    // A solve from this discharge finds the depth and the level that belong to each other.
    const std::string Q = std::to_string(number(items, "Q"));
    const Answer s =
        solve(inputsOf({{"section", "points"}, {"points", row.points}, {"i", "0.0004"}, {"Q", Q.c_str()}}));
    ASSERT_EQ(s.records.size(), 1u);
    const double h = number(s, "h");
    EXPECT_EQ(number(s, "wse"), (typedLowest(row.points) + Real(h)).toDouble());
  }
}

// A range of levels or depths steps in decimal: 100.7 + 2 x 0.3 is 101.3,
// where the doubles give 101.30000000000001 (and 0.1 + 2 x 0.1 is 0.3,
// with no row lost to (0.3 - 0.1) / 0.1 = 1.9999999999999998).
TEST(PointsSection, RangesStepInDecimal) {
  const char* high = "0,2626.619,0.06 25,2625.619 30,2625.119,0.035 40,2623.619 44,2623.119 52,2623.119 56,2623.619 "
                     "60,2625.119,0.06 90,2625.619 120,2626.619";
  struct Row {
    const char* key;
    const char* range;
    std::vector<double> h, wse;
  };
  const Row rows[] = {
      {"wse", "2623.819:2624.419:0.3", {0.7, 1, 1.3}, {2623.819, 2624.119, 2624.419}},
      {"wse", "2623.2:2623.203:0.001", {0.081, 0.082, 0.083, 0.084}, {2623.2, 2623.201, 2623.202, 2623.203}},
      {"h", "0.1:0.3:0.1", {0.1, 0.2, 0.3}, {2623.219, 2623.319, 2623.419}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.range);
    const Answer answer =
        table(inputsOf({{"section", "points"}, {"points", high}, {"i", "0.0004"}, {row.key, row.range}}));
    const Table& got = answer.record().tables.front();
    ASSERT_EQ(got.rowCount, static_cast<long>(row.h.size()));
    for (long k = 0; k < got.rowCount; ++k) {
      EXPECT_EQ(cellOf(got, k, "h").number, row.h[static_cast<std::size_t>(k)]);
      EXPECT_EQ(cellOf(got, k, "wse").number, row.wse[static_cast<std::size_t>(k)]);
    }
  }
  // The first row of the wider range is the report at its level.
  const Answer wider = table(inputsOf({{"section", "points"}, {"points", high}, {"i", "0.0004"}, {"wse", "2623.819:2624.419:0.3"}}));
  EXPECT_EQ(cellOf(wider.record().tables.front(), 0, "A").number, 9.3866666666666667);
}

// A depth and the level it stands for answer alike, to the last digit, even
// where the double of the depth lies a hair above the height it was typed as:
// a flat floodplain 1.06 m up stays dry at 1.06 (its double is
// 1.0600000000000001), and the banks hold 4.2 m (4.2000000000000002).
TEST(PointsSection, DepthsAndLevelsAgree) {
  const char* points = "0,2627.319 20,2624.179 40,2624.179 60,2623.119 120,2627.32";
  struct Row {
    const char* h;
    const char* wse;
    double T;
  };
  const Row rows[] = {
      {"1.06", "2624.179", 35.13925255891454},  // 20 + 60 x 1.06 / 4.201: the floodplain dry
      {"1.0600001", "2624.1790001", 55.13925462408859},  // and just wet
      {"4.2", "2627.319", 119.98571768626518},  // 60 + 60 x 4.2 / 4.201
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.h);
    const Answer byDepth =
        report(inputsOf({{"section", "points"}, {"points", points}, {"n", "0.03"}, {"i", "0.0004"}, {"h", row.h}}));
    const Answer byLevel =
        report(inputsOf({{"section", "points"}, {"points", points}, {"n", "0.03"}, {"i", "0.0004"}, {"wse", row.wse}}));
    for (const char* key : {"h", "wse", "A", "P", "T", "Q", "E", "hc"}) EXPECT_EQ(number(byDepth, key), number(byLevel, key)) << key;
    EXPECT_EQ(number(byDepth, "T"), row.T);
  }
  EXPECT_THROW(
      report(inputsOf({{"section", "points"}, {"points", points}, {"n", "0.03"}, {"i", "0.0004"}, {"h", "4.2000001"}})),
      CalcError);
}

TEST(PointsSection, BadSurveysNameTheirPoint) {
  struct Row {
    const char* points;
    const char* h;
    MessageId id;
    const char* field;
    const char* text;  // part of the message
  };
  const Row rows[] = {
      {"0,5 10,0", "1", MessageId::PointsTooFew, "points", "只有 2 个"},
      {"0,5 10,0 5,5", "1", MessageId::StationsDecrease, "points", "第 3 个点"},
      {"0,0 10,5 20,5", "1", MessageId::NoLowPoint, "points", "两端高程为 0 与 5"},
      {"0,5 a,0 10,5", "1", MessageId::PointValue, "points", "第 2 个点的起点距 \"a\" 不是有效的数字"},
      {"0,5 5 10,5", "1", MessageId::PointSyntax, "points", "第 2 个点 \"5\""},
      {"0,5 5,0,-0.1 10,5", "1", MessageId::PointRoughness, "points", "第 2 个点"},
      {"0,5 5,5 5,0 5,5 10,5", "1", MessageId::NoWidthAtBottom, "points", "第 3 个点"},
      {"0,5 5,0 10,4", "4.5", MessageId::DepthAboveBanks, "h", "该端高程 4 m，即水深 4 m"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.points);
    try {
      report(inputsOf({{"section", "points"}, {"points", row.points}, {"n", "0.03"}, {"i", "0.001"}, {"h", row.h}}));
      ADD_FAILURE() << "no error";
    } catch (const CalcError& error) {
      EXPECT_EQ(error.problem().id, row.id);
      EXPECT_EQ(error.problem().field, row.field);
      EXPECT_NE(messageText(error.problem()).find(row.text), std::string::npos) << messageText(error.problem());
    }
  }
  // n asked for where the points carry theirs, a water level below the bed, more water than the banks hold.
  EXPECT_THROW(solve(inputsOf({{"section", "points"}, {"points", "0,5,0.03 5,0 10,4"}, {"i", "0.001"}, {"Q", "1"},
                               {"h", "1"}}),
                     "n"),
               CalcError);
  EXPECT_THROW(report(inputsOf({{"section", "points"}, {"points", "0,5 5,0 10,4"}, {"n", "0.03"}, {"i", "0.001"},
                                {"wse", "-1"}})),
               CalcError);
  try {
    solve(inputsOf({{"section", "points"}, {"points", "0,5 5,0 10,4"}, {"n", "0.03"}, {"i", "0.001"}, {"Q", "1000"}}));
    ADD_FAILURE() << "no error";
  } catch (const CalcError& error) {
    EXPECT_EQ(error.problem().id, MessageId::AboveBankfull);
    EXPECT_NE(messageText(error.problem()).find("高程 4 m，水深 4 m"), std::string::npos);
  }
}

}  // namespace
}  // namespace channelflow::calc
