// Uniform and critical flow against published worked examples, and the
// physics every section must obey.
#include "calc/flow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calc/flow_error.h"
#include "calc/solve.h"

namespace channelflow::sections {
namespace {

Channel channel(Section section, double i, double n, const Units& units = kSiUnits) {
  return {section, i, Roughness::uniform(n), units};
}

TEST(Flow, PublishedWorkedExamples) {
  // SI rectangle B 6 m, h 1.6 m, i 0.0025, n 0.015 (issue 12's reference
  // figures): R 1.043 m, v 3.428 m/s, Q 32.91 m^3/s, printed to those digits.
  const FlowState rectangle = uniformFlow(channel(Trapezoid{6, 0, 0}, 0.0025, 0.015), 1.6);
  EXPECT_NEAR(rectangle.geometry.R, 1.043, 0.0005);
  EXPECT_NEAR(rectangle.v, 3.428, 0.0015);
  EXPECT_NEAR(rectangle.Q, 32.91, 0.015);
  // The window's own worked example (README): B 2, h 1, m 1, i 0.001, n 0.025.
  const FlowState window = uniformFlow(channel(Trapezoid{2, 1, 1}, 0.001, 0.025), 1);
  EXPECT_NEAR(window.v, 0.921022784049301, 1e-15);
  EXPECT_NEAR(window.Q, 2.7630683521479, 1e-13);
  // First edition's rectangle: 3.5 m wide, 2 m deep, i 0.001, n 0.017 gives
  // Q 12.4358, Fr 0.401144; its critical depth (q^2/g)^(1/3) is 1.08784 m.
  const Channel first = channel(Trapezoid{3.5, 0, 0}, 0.001, 0.017);
  const FlowState f = uniformFlow(first, 2);
  EXPECT_NEAR(f.Q, 12.4358, 0.00005);
  EXPECT_NEAR(f.Fr, 0.401144, 0.0000005);
  EXPECT_EQ(f.regime, FlowRegime::Subcritical);
  EXPECT_NEAR(criticalDepth(first.section, f.Q, kSiUnits), 1.08784, 0.000005);
}

// Chow, Open-Channel Hydraulics (1959), the trapezoid of its chapter 4 and 6
// examples: b 20 ft, z 2, Q 400 ft^3/s gives yc 2.15 ft.
TEST(Flow, CriticalDepthOfChowsTrapezoid) {
  EXPECT_NEAR(criticalDepth(Trapezoid{20, 2, 2}, 400, kUsUnits), 2.15, 0.005);
}

// Fr = 1 at hc for every section and discharges from a trickle to a flood,
// and the critical slope's normal depth is the critical depth.
TEST(Flow, CriticalDepthIsCriticalInEverySection) {
  struct Row {
    const char* name;
    Section section;
  };
  const Row rows[] = {
      {"rectangle", Trapezoid{3, 0, 0}},    {"trapezoid", Trapezoid{2, 1.5, 1.5}}, {"unequal", Trapezoid{1, 0, 3}},
      {"triangle", Trapezoid{0, 1, 1}},     {"circle", Circle{1.5}},               {"u vertical", UShape{0.6, 0}},
      {"u leaning", UShape{0.6, 0.3}},      {"parabola", Parabola{0.8}},
  };
  for (const Row& row : rows) {
    for (double Q : {1e-6, 0.01, 1.0, 5.0, 300.0, 1e5}) {
      SCOPED_TRACE(std::string(row.name) + " Q " + std::to_string(Q));
      const Channel c = channel(row.section, 0.001, 0.014);
      if (std::holds_alternative<Circle>(row.section) && Q > 5) continue;  // beyond what a 1.5 m pipe takes
      const CriticalFlow critical = criticalFlow(c, Q);
      const FlowState f = flowAt(c, critical.hc, Q);
      EXPECT_NEAR(f.Fr, 1, 4e-15);
      EXPECT_EQ(f.regime, FlowRegime::Critical);
      EXPECT_NEAR(critical.vc, f.v, 0);
      Channel steep = c;
      steep.i = critical.ic;
      EXPECT_NEAR(normalDepths(steep, Q).front(), critical.hc, 1e-13 * critical.hc);
    }
  }
}

// A rectangle's, a triangle's and a parabola's critical depths have closed
// forms; over discharges where Q^2 or A^3 would leave the double range too.
// Within 5 ulp: the references' own roots and powers round as well.
TEST(Flow, CriticalDepthClosedFormsOverTheWholeRange) {
  for (double Q : {1e-200, 1e-60, 1e-3, 2.5, 700.0, 1e60, 1e200}) {
    SCOPED_TRACE(Q);
    const double q = Q / 3.5 / std::sqrt(kSiUnits.g);
    const double rectangle = std::cbrt(q) * std::cbrt(q);  // (q^2/g)^(1/3)
    EXPECT_NEAR(criticalDepth(Trapezoid{3.5, 0, 0}, Q, kSiUnits), rectangle, 1.2e-15 * rectangle);
    // Triangle: h^(5/2) = sqrt(2/g) Q / m, checked as written (a power 0.4
    // would carry the rounding of 0.4 itself into the 14th digit).
    const double triangle = criticalDepth(Trapezoid{0, 1.5, 1.5}, Q, kSiUnits);
    const double target = std::sqrt(2 / kSiUnits.g) * Q / 1.5;
    EXPECT_NEAR(triangle * triangle * std::sqrt(triangle), target, 3e-15 * target);
    // Parabola: A = (2/3) T h and T = 2 sqrt(2 p h) give h^4 = 27 Q^2 / (64 g p).
    const double parabola = std::sqrt(std::sqrt(27.0 / 64.0 / 0.5) * Q / std::sqrt(kSiUnits.g));
    EXPECT_NEAR(criticalDepth(Parabola{0.5}, Q, kSiUnits), parabola, 1.2e-15 * parabola);
  }
}

// The same channel described in feet and in metres: Manning's 1.486 is the
// cube root of 3.2808 to four digits, so the discharges agree to that.
TEST(Flow, UsCustomaryAndSiUnitsDescribeTheSameFlow) {
  constexpr double kFoot = 0.3048;
  const FlowState si = uniformFlow(channel(Trapezoid{2 * kFoot, 3, 3}, 0.01, 0.03), 1.2 * kFoot);
  const FlowState us = uniformFlow(channel(Trapezoid{2, 3, 3}, 0.01, 0.03, kUsUnits), 1.2);
  EXPECT_NEAR(us.Q * kFoot * kFoot * kFoot, si.Q, 1e-4 * si.Q);
  EXPECT_NEAR(us.v * kFoot, si.v, 1e-4 * si.v);
  EXPECT_NEAR(us.Fr, si.Fr, 1e-4 * si.Fr);
  EXPECT_NEAR(us.tau0 * 4.4482216152605 / (kFoot * kFoot), si.tau0, 1e-4 * si.tau0);  // lbf/ft^2 to Pa
  EXPECT_EQ(unitSystemNamed("us"), UnitSystem::US);
  EXPECT_EQ(unitSystemNamed("metric"), std::nullopt);
}

TEST(Flow, CompositeRoughness) {
  // Equal n on bed and walls is that n at every depth.
  for (double h : {0.1, 1.0, 10.0}) {
    EXPECT_NEAR(equivalentN(Roughness::bedAndWalls(0.02, 0.02), Trapezoid{3, 1, 2}, h), 0.02, 1e-17);
  }
  // Rectangle B 3, h 1: bed 3 at n 0.015, walls 2 at n 0.025;
  // n_e = ((3 * 0.015^1.5 + 2 * 0.025^1.5) / 5)^(2/3) = 0.01931040005363294.
  EXPECT_NEAR(equivalentN(Roughness::bedAndWalls(0.015, 0.025), Trapezoid{3, 0, 0}, 1), 0.01931040005363294, 1e-17);
  // Rougher walls weigh more as they grow with depth; a U shape below its
  // walls is all bed; a triangle is all walls.
  const Roughness mixed = Roughness::bedAndWalls(0.012, 0.03);
  EXPECT_LT(equivalentN(mixed, Trapezoid{3, 1, 1}, 0.5), equivalentN(mixed, Trapezoid{3, 1, 1}, 2));
  EXPECT_DOUBLE_EQ(equivalentN(mixed, UShape{1, 0.5}, 0.2), 0.012);
  EXPECT_DOUBLE_EQ(equivalentN(mixed, Trapezoid{0, 1, 1}, 1), 0.03);
  // Extreme n neither overflows nor vanishes.
  EXPECT_NEAR(equivalentN(Roughness::bedAndWalls(1e300, 1e300), Trapezoid{1, 1, 1}, 1), 1e300, 1e285);
  EXPECT_THROW(equivalentN(mixed, Circle{1}, 0.5), FlowError);
}

TEST(Flow, QuestionsWithoutAnAnswerSayWhy) {
  struct Row {
    Channel c;
    double h;
    const char* message;
  };
  const Row rows[] = {
      {channel(Trapezoid{2, 1, 1}, 0, 0.025), 1, "渠底坡度 i 必须大于零：平坡或逆坡上不存在均匀流"},
      {channel(Trapezoid{2, 1, 1}, -0.01, 0.025), 1, "渠底坡度 i 必须大于零：平坡或逆坡上不存在均匀流"},
      {channel(Trapezoid{2, 1, 1}, 0.001, 0), 1, "粗糙系数 n 必须是大于零的有限数"},
      {{Trapezoid{2, 1, 1}, 0.001, Roughness::bedAndWalls(0.01, -1), kSiUnits}, 1, "边壁粗糙系数 n_wall 必须是大于零的有限数"},
      {{Circle{1}, 0.001, Roughness::bedAndWalls(0.01, 0.02), kSiUnits}, 0.5,
       "圆形断面的湿周是一个连续曲面，不分渠底与边壁：复合糙率只用于梯形和 U 形断面"},
      // A discharge beyond the double range is an error, not infinity.
      {channel(Trapezoid{1e300, 0, 0}, 1, 1e-300), 1, "流量 Q 超出数值范围"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.message);
    try {
      uniformFlow(row.c, row.h);
      ADD_FAILURE() << "no error";
    } catch (const FlowError& e) {
      EXPECT_STREQ(e.what(), row.message);
    }
  }
}

}  // namespace
}  // namespace channelflow::sections
