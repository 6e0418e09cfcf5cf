// Hydraulic jumps: the rectangle's Bélanger equation, and momentum kept across
// the jump in every section.
#include "calc/jump.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calc/flow.h"
#include "calc/flow_error.h"

namespace channelflow::sections {
namespace {

// The depth in a rectangle of width B carrying Q at which the Froude number is Fr.
double depthOfFroude(double B, double Q, double Fr) {
  return std::cbrt(Q / B / (Fr * std::sqrt(kSiUnits.g))) * std::cbrt(Q / B / (Fr * std::sqrt(kSiUnits.g)));
}

// Bélanger's equation for a rectangle, h2/h1 = (sqrt(1 + 8 Fr1^2) - 1)/2, and
// its energy loss (h2 - h1)^3 / (4 h1 h2), in every hydraulics text.
TEST(Jump, RectangleFollowsBelangersEquation) {
  for (double Fr1 : {1.2, 2.0, 3.5, 6.0, 10.0, 20.0}) {
    SCOPED_TRACE(Fr1);
    const double h1 = depthOfFroude(4, 12, Fr1);
    const HydraulicJump jump = hydraulicJump(Trapezoid{4, 0, 0}, 12, h1, kSiUnits);
    EXPECT_NEAR(jump.upstream.Fr, Fr1, 1e-14 * Fr1);
    const double h2 = h1 * (std::sqrt(1 + 8 * Fr1 * Fr1) - 1) / 2;
    EXPECT_NEAR(jump.downstream.h, h2, 4e-15 * h2);
    const double loss = std::pow(h2 - h1, 3) / (4 * h1 * h2);
    EXPECT_NEAR(jump.energyLoss, loss, 1e-12 * jump.upstream.E);
    EXPECT_NEAR(jump.height, h2 - h1, 1e-14 * h2);
    EXPECT_FALSE(jump.givenDownstream);
  }
}

// In every section the momentum function is the same on both sides, the
// sequent depths straddle hc, energy is lost, and asking from either side
// gives the same jump.
TEST(Jump, MomentumIsConservedInEverySection) {
  struct Row {
    const char* name;
    Section section;
    double Q;
  };
  const Row rows[] = {
      {"trapezoid", Trapezoid{2, 1.5, 1.5}, 8}, {"unequal", Trapezoid{1, 0, 2}, 5}, {"triangle", Trapezoid{0, 1, 1}, 3},
      {"circle", Circle{2}, 1.5},               {"u", UShape{0.7, 0.25}, 2},         {"parabola", Parabola{1}, 4},
  };
  for (const Row& row : rows) {
    const double hc = criticalDepth(row.section, row.Q, kSiUnits);
    for (double share : {0.3, 0.6, 0.9}) {
      SCOPED_TRACE(std::string(row.name) + " h1 = " + std::to_string(share) + " hc");
      const HydraulicJump jump = hydraulicJump(row.section, row.Q, share * hc, kSiUnits);
      const double M1 = momentumFunction(row.section, row.Q, jump.upstream.h, kSiUnits);
      const double M2 = momentumFunction(row.section, row.Q, jump.downstream.h, kSiUnits);
      EXPECT_NEAR(M2, M1, 2e-15 * M1);
      EXPECT_LT(jump.upstream.h, hc);
      EXPECT_GT(jump.downstream.h, hc);
      EXPECT_GT(jump.upstream.Fr, 1);
      EXPECT_LT(jump.downstream.Fr, 1);
      EXPECT_GT(jump.energyLoss, 0);
      const HydraulicJump back = hydraulicJump(row.section, row.Q, jump.downstream.h, kSiUnits);
      EXPECT_TRUE(back.givenDownstream);
      EXPECT_NEAR(back.upstream.h, jump.upstream.h, 1e-14 * jump.upstream.h);
    }
  }
}

TEST(Jump, ClassifiedByTheUpstreamFroudeNumber) {
  struct Row {
    double Fr1;
    const char* name;
  };
  const Row rows[] = {{1.5, "波状水跃"}, {2.0, "弱水跃"}, {3.0, "摆动水跃"}, {6.0, "稳定水跃"}, {12.0, "强水跃"}};
  for (const Row& row : rows) {
    const HydraulicJump jump = hydraulicJump(Trapezoid{3, 0, 0}, 6, depthOfFroude(3, 6, row.Fr1), kSiUnits);
    EXPECT_EQ(jumpTypeName(jump.type), row.name) << row.Fr1;
  }
  EXPECT_EQ(jumpTypeOf(1.7), JumpType::Weak);
  EXPECT_EQ(jumpTypeOf(9), JumpType::Strong);
}

TEST(Jump, JumpsWithoutAnAnswerSayWhy) {
  // A shallow fast stream in a 1 m pipe whose sequent depth would fill it.
  EXPECT_THROW(hydraulicJump(Circle{1}, 1.0, 0.15, kSiUnits), FlowError);
  try {
    hydraulicJump(Circle{1}, 1.0, 0.15, kSiUnits);
  } catch (const FlowError& e) {
    EXPECT_STREQ(e.what(), "跃后水深将超过管径：水跃会使管道满流，明渠水跃公式不再适用");
  }
  const double hc = criticalDepth(Trapezoid{2, 0, 0}, 3, kSiUnits);
  EXPECT_THROW(hydraulicJump(Trapezoid{2, 0, 0}, 3, hc, kSiUnits), FlowError);
  EXPECT_THROW(hydraulicJump(Trapezoid{2, 0, 0}, 0, 1, kSiUnits), FlowError);
  EXPECT_THROW(hydraulicJump(Trapezoid{2, 0, 0}, 3, -1, kSiUnits), FlowError);
}

}  // namespace
}  // namespace channelflow::sections
