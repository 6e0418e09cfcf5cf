// One standard step between two nodes of a prismatic channel: the mean
// friction slope conventions against the canal line's test vector TV5, and
// in the order their means must fall.
#include <gtest/gtest.h>

#include "calc/line/friction_loss.h"
#include "calc/line/standard_step.h"

namespace channelflow::calc {
namespace {

// TV5: a rectangle 2 m wide, n = 0.015, bed slope 0.0005, Q = 3 m³/s; the
// depth 0.900 m downstream, 100 m on a bed 0.05 m higher.
Chain tv5(FrictionRule rule) {
  Channel rectangle{Trapezoid::withSlopes(0, 0), Real(2), Real(0), {false, Real(0.015), 0, 0}, UnitSystem::SI};
  Chain chain;
  chain.nodes.push_back({numeric::Decimal::of(0, 0), "", numeric::Decimal::of(5, -2), rectangle, {}});
  chain.nodes.push_back({numeric::Decimal::of(100, 0), "", numeric::Decimal::of(0, 0), rectangle, {}});
  Links links;
  links.push_back(std::make_unique<FrictionLoss>(Real(100), rule, 1.0));
  chain.gaps.push_back(std::move(links));
  return chain;
}

double upstreamDepth(FrictionRule rule) {
  const Chain chain = tv5(rule);
  const FlowAlong flow = flowAlong(chain, {Real(3), Real(3)});
  const StepResult step = stepUpstream(chain, flow, 0, hydraulicsAt(chain.nodes[1], Real(3), Real(0.9)));
  EXPECT_EQ(step.end, StepEnd::Found);
  return step.h.toDouble();
}

TEST(StandardStep, TestVectorFive) {
  struct Row {
    const char* name;
    FrictionRule rule;
    double depth;
  };
  const Row rows[] = {
      {"mean of slopes", FrictionRule::MeanSlope, 1.026904},
      {"from mean v and R", FrictionRule::MeanVelocityRadius, 1.025130},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_NEAR(upstreamDepth(row.rule), row.depth, 5e-7);
  }
}

// The slope falls upstream along this drawdown, so the arithmetic mean of
// the two exceeds the geometric, which exceeds the average conveyance's (the
// square of the harmonic mean of their roots), which exceeds the harmonic
// mean: the more friction, the deeper the water upstream.
TEST(StandardStep, ConventionsInTheOrderOfTheirMeans) {
  const FrictionRule order[] = {FrictionRule::MeanSlope, FrictionRule::GeometricMean, FrictionRule::AverageConveyance,
                                FrictionRule::HarmonicMean};
  for (std::size_t k = 1; k < std::size(order); ++k) {
    SCOPED_TRACE(frictionRuleKey(order[k]));
    EXPECT_GT(upstreamDepth(order[k - 1]), upstreamDepth(order[k]));
  }
}

// A reach with no branch to stand on: the same step from a depth that needs
// more head upstream than the critical depth there gives.
TEST(StandardStep, CriticalDepthWhereTheBranchHasNoAnswer) {
  Chain chain = tv5(FrictionRule::MeanSlope);
  chain.nodes[0].bed = numeric::Decimal::of(2, 0);  // a drop of 2 m: the water falls through critical
  const FlowAlong flow = flowAlong(chain, {Real(3), Real(3)});
  const StepResult step = stepUpstream(chain, flow, 0, hydraulicsAt(chain.nodes[1], Real(3), Real(0.9)));
  EXPECT_EQ(step.end, StepEnd::NoBranch);
  EXPECT_NEAR(step.h.toDouble(), 0.6122, 5e-5);
}

}  // namespace
}  // namespace channelflow::calc
