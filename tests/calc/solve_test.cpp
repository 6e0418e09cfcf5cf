// The solvers for any one unknown against published worked examples, and the
// round trip every solver must make: the unknown it finds reproduces the
// quantities it was given.
#include "calc/solve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calc/flow_error.h"

namespace channelflow::sections {
namespace {

Channel channel(Section section, double i, double n, const Units& units = kSiUnits) {
  return {section, i, Roughness::uniform(n), units};
}

TEST(Solve, PublishedWorkedExamples) {
  // US trapezoid Q 25 ft^3/s, B 2 ft, m 3, i 0.010, n 0.030 (issue 12's
  // reference figures): normal depth 1.17 ft, v 3.9 ft/s, hc 1.05 ft, Fr 0.81,
  // each printed to those digits (hc is 1.055 ft here, g 32.174 ft/s^2).
  const Channel us = channel(Trapezoid{2, 3, 3}, 0.010, 0.030, kUsUnits);
  const double h = normalDepths(us, 25).front();
  const FlowState f = uniformFlow(us, h);
  EXPECT_NEAR(h, 1.17, 0.005);
  EXPECT_NEAR(f.v, 3.9, 0.05);
  EXPECT_NEAR(f.Fr, 0.81, 0.01);
  EXPECT_NEAR(criticalFlow(us, 25).hc, 1.05, 0.006);
  // US rectangle Q 250 ft^3/s, B 100 ft, n 0.045, i 0.001 (issue 12's
  // reference figures, six decimals): normal depth 1.711301 ft.
  EXPECT_NEAR(normalDepths(channel(Trapezoid{100, 0, 0}, 0.001, 0.045, kUsUnits), 250).front(), 1.711301, 5e-7);
  // Chow, Open-Channel Hydraulics (1959), chapter 6's trapezoid: b 20 ft,
  // z 2, S0 0.0016, n 0.025, Q 400 ft^3/s has a normal depth of 3.36 ft.
  EXPECT_NEAR(normalDepths(channel(Trapezoid{20, 2, 2}, 0.0016, 0.025, kUsUnits), 400).front(), 3.36, 0.005);
  // First edition's trapezoid B 6.1 m, m 1.5, i 0.0008, n 0.013 carrying 126 m^3/s: 3.2864 m.
  EXPECT_NEAR(normalDepths(channel(Trapezoid{6.1, 1.5, 1.5}, 0.0008, 0.013), 126).front(), 3.2864, 0.00005);
}

// The partly full circle of every sewer-design manual: Manning's discharge is
// greatest at 0.938 D, 1.076 times the full conduit's, and two depths carry
// any discharge between the two.
TEST(Solve, CircleCapacityAndItsTwoDepths) {
  EXPECT_NEAR(circleDepthRatioOfGreatestDischarge(), 0.938, 0.0005);
  const Channel pipe = channel(Circle{1.2}, 0.002, 0.013);
  const CircleCapacity capacity = circleCapacity(pipe);
  EXPECT_NEAR(capacity.QMax / capacity.QFull, 1.076, 0.0005);
  // Half full carries half the full discharge: R is D/4 in both.
  EXPECT_NEAR(uniformFlow(pipe, 0.6).Q, capacity.QFull / 2, 1e-15);
  const double between = 0.5 * (capacity.QFull + capacity.QMax);
  const std::vector<double> depths = normalDepths(pipe, between);
  ASSERT_EQ(depths.size(), 2u);
  EXPECT_LT(depths[0], capacity.hMax);
  EXPECT_GT(depths[1], capacity.hMax);
  for (double h : depths) EXPECT_NEAR(uniformFlow(pipe, h).Q, between, 2e-15 * between);
  EXPECT_EQ(normalDepths(pipe, capacity.QFull * 0.99).size(), 1u);
  try {
    normalDepths(pipe, capacity.QMax * 1.001);
    ADD_FAILURE() << "no error";
  } catch (const FlowError& e) {
    EXPECT_EQ(std::string(e.what()).find("流量 Q 超过圆管的最大过流能力 Qmax = " + numberText(capacity.QMax) + " m³/s"), 0u)
        << e.what();
  }
}

// For every section, and roughness on one n or on bed and walls: from a
// depth's discharge, solving for each unknown in turn gives back the value
// it started from, to within a few ulp (what 15 printed digits need).
TEST(Solve, EveryUnknownReproducesTheOthers) {
  struct Row {
    const char* name;
    Channel c;
    double h;
  };
  const Roughness composite = Roughness::bedAndWalls(0.014, 0.022);
  const Row rows[] = {
      {"rectangle", channel(Trapezoid{3, 0, 0}, 0.001, 0.015), 1.2},
      {"trapezoid", channel(Trapezoid{2, 1.5, 1.5}, 0.0005, 0.025), 0.8},
      {"unequal walls", channel(Trapezoid{1, 0.5, 2}, 0.003, 0.02), 1.5},
      {"triangle", channel(Trapezoid{0, 1, 2}, 0.01, 0.016), 0.4},
      {"circle", channel(Circle{1.5}, 0.002, 0.013), 0.9},
      {"u vertical", channel(UShape{0.5, 0}, 0.001, 0.014), 0.8},
      {"u leaning", channel(UShape{0.5, 0.2}, 0.001, 0.014), 0.8},
      {"parabola", channel(Parabola{1.5}, 0.0004, 0.03), 1.1},
      {"trapezoid, composite n", {Trapezoid{2, 1, 1}, 0.001, composite, kSiUnits}, 1.3},
      {"u, composite n", {UShape{0.6, 0.1}, 0.001, composite, kSiUnits}, 1.0},
      {"us units", channel(Trapezoid{10, 2, 2}, 0.0016, 0.025, kUsUnits), 3},
      {"tiny", channel(Trapezoid{1e-100, 0, 0}, 1e-10, 1e-50), 1e-100},
      {"huge", channel(Trapezoid{1e100, 1, 1}, 1, 1), 1e100},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const double Q = solveUniformFlow({row.c, row.h, 0}, Unknown::Discharge).front().Q;
    const std::vector<UniformFlowCase> depth = solveUniformFlow({row.c, 0, Q}, Unknown::Depth);
    EXPECT_NEAR(depth.front().h, row.h, 4e-16 * row.h);
    const double width = widthParameter(row.c.section);
    if (width > 0) {  // a triangle's B = 0 is where its walls alone carry Q
      Channel unknownWidth = row.c;
      unknownWidth.section = withWidthParameter(row.c.section, 0);
      const auto solved = solveUniformFlow({unknownWidth, row.h, Q}, Unknown::Width);
      EXPECT_NEAR(widthParameter(solved.front().channel.section), width, 2e-15 * width);
    }
    Channel unknownSlope = row.c;
    unknownSlope.i = 0;
    EXPECT_NEAR(solveUniformFlow({unknownSlope, row.h, Q}, Unknown::Slope).front().channel.i, row.c.i, 1e-15 * row.c.i);
    if (!row.c.roughness.composite) {
      const double n = solveUniformFlow({row.c, row.h, Q}, Unknown::Roughness).front().channel.roughness.n;
      EXPECT_NEAR(n, row.c.roughness.n, 1e-15 * row.c.roughness.n);
    }
  }
}

TEST(Solve, QuestionsWithoutAnAnswerSayWhy) {
  struct Row {
    UniformFlowCase known;
    Unknown unknown;
    const char* message;
  };
  const Channel trapezoid = channel(Trapezoid{0, 2, 2}, 0.001, 0.02);
  const Row rows[] = {
      // At h 1 the walls of a 1:2 trapezoid alone carry 2.44 m^3/s.
      {{trapezoid, 1, 1}, Unknown::Width, "该水深下仅两侧边坡部分的流量已超过 Q：所需的底宽 B 为负"},
      // A 0.5 m pipe running full carries 0.2 m^3/s; every wider one more at 0.5 m.
      {{channel(Circle{0}, 0.001, 0.013), 0.5, 0.05}, Unknown::Width,
       "该水深下即使管径等于水深（满管）流量也已超过 Q：任何管径都不能以此水深输送 Q"},
      {{{Trapezoid{2, 1, 1}, 0.001, Roughness::bedAndWalls(0.01, 0.02), kSiUnits}, 1, 2}, Unknown::Roughness,
       "复合糙率不能作为未知量：请给出单一的粗糙系数 n"},
      {{channel(Trapezoid{2, 1, 1}, 0, 0.02), 0, 2}, Unknown::Depth, "渠底坡度 i 必须大于零：平坡或逆坡上不存在均匀流"},
      {{trapezoid, 0, -1}, Unknown::Depth, "流量 Q 必须是大于零的有限数"},
      {{trapezoid, 0, NAN}, Unknown::Depth, "流量 Q 必须是大于零的有限数"},
      // A channel 1E-300 wide would need a depth beyond the double range.
      {{channel(Trapezoid{1e-300, 0, 0}, 0.001, 0.02), 0, 1e300}, Unknown::Depth, "正常水深超出数值范围"},
      {{trapezoid, -1, 1}, Unknown::Slope, "水深 h 必须是大于零的有限数"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.message);
    try {
      solveUniformFlow(row.known, row.unknown);
      ADD_FAILURE() << "no error";
    } catch (const FlowError& e) {
      EXPECT_STREQ(e.what(), row.message);
    }
  }
}

// Over the whole double range a normal depth is a depth whose discharge is
// the one asked for, or an error; never a NaN, an infinity or a zero.
TEST(Solve, NormalDepthOverTheWholeRange) {
  const Section sections[] = {Trapezoid{2, 1, 1}, Trapezoid{0, 1e-3, 1e3}, UShape{0.5, 1}, Parabola{2}};
  for (const Section& section : sections) {
    for (double Q : {1e-300, 1e-200, 1e-20, 1.0, 1e20, 1e200, 1e300}) {
      SCOPED_TRACE(std::string(sectionName(section)) + " Q " + numberText(Q));
      const Channel c = channel(section, 0.001, 0.02);
      try {
        const double h = normalDepths(c, Q).front();
        EXPECT_NEAR(uniformFlow(c, h).Q, Q, 4e-15 * Q);
      } catch (const FlowError& e) {
        EXPECT_NE(std::string(e.what()).find("超出数值范围"), std::string::npos) << e.what();
      }
    }
  }
}

}  // namespace
}  // namespace channelflow::sections
