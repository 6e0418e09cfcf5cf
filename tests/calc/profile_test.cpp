// Water-surface profiles: their types and directions, the way they approach
// normal depth, their stop at critical depth, and both step methods against
// a fine integration of dh/dx = (i - Sf) / (1 - Fr^2).
#include "calc/profile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calc/flow_error.h"
#include "calc/solve.h"

namespace channelflow::sections {
namespace {

// Chow's chapter 6 and 10 trapezoid (b 20 ft, z 2, n 0.025, 400 ft^3/s):
// mild at S0 0.0016 (hn 3.36 ft, hc 2.15 ft).
Channel chowChannel(double i) { return {Trapezoid{20, 2, 2}, i, Roughness::uniform(0.025), kUsUnits}; }
constexpr double kChowQ = 400;

TEST(Profile, TypeAndDirectionFollowTheDepthsAndTheSlope) {
  const Channel mild = chowChannel(0.0016);
  const Channel steep = chowChannel(0.02);
  const double ic = criticalFlow(mild, kChowQ).ic;
  struct Row {
    Channel c;
    double h0;
    ProfileType type;
    Direction direction;
  };
  const Row rows[] = {
      {mild, 5, ProfileType::M1, Direction::Upstream},     {mild, 3, ProfileType::M2, Direction::Upstream},
      {mild, 1, ProfileType::M3, Direction::Downstream},   {steep, 3, ProfileType::S1, Direction::Upstream},
      {steep, 1.8, ProfileType::S2, Direction::Downstream}, {steep, 0.5, ProfileType::S3, Direction::Downstream},
      {chowChannel(ic), 3, ProfileType::C1, Direction::Upstream},
      {chowChannel(ic), 1, ProfileType::C3, Direction::Downstream},
      {chowChannel(0), 3, ProfileType::H2, Direction::Upstream},     {chowChannel(0), 1, ProfileType::H3, Direction::Downstream},
      {chowChannel(-0.001), 3, ProfileType::A2, Direction::Upstream}, {chowChannel(-0.001), 1, ProfileType::A3, Direction::Downstream},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(profileTypeName(row.type));
    const WaterSurfaceProfile p = standardStepProfile(row.c, kChowQ, row.h0, 50, 5);
    EXPECT_EQ(p.type, row.type);
    EXPECT_EQ(p.direction, row.direction);
    EXPECT_EQ(p.directionReason.find(row.direction == Direction::Upstream ? "缓流" : "急流"), 0u);
    EXPECT_EQ(p.hn.has_value(), row.c.i > 0);
    // x runs downstream of the control: negative upstream.
    EXPECT_EQ(p.points.back().x < 0, row.direction == Direction::Upstream);
  }
}

// The reference: the profile equation integrated by Runge-Kutta in depth,
// dx/dh = (1 - Fr^2) / (i - Sf), with 20 000 steps.
double referenceDistance(const Channel& c, double Q, double h0, double h1) {
  auto dxdh = [&c, Q](double h) {
    const FlowState f = flowAt(c, h, Q);
    return (1 - f.Fr * f.Fr) / (c.i - f.Sf);
  };
  const int steps = 20000;
  const double dh = (h1 - h0) / steps;
  double x = 0;
  for (int k = 0; k < steps; ++k) {
    const double h = h0 + k * dh;
    x += dh / 6 * (dxdh(h) + 4 * dxdh(h + dh / 2) + dxdh(h + dh));
  }
  return x;
}

// The M1 backwater curve behind a dam in Chow's trapezoid, from 5 ft to 1 %
// above the normal depth, by both methods: the direct step's length and the
// standard step's depths agree with the fine integration.
TEST(Profile, BothMethodsAgreeWithAFineIntegration) {
  const Channel mild = chowChannel(0.0016);
  const double hn = normalDepths(mild, kChowQ).front();
  const double target = 1.01 * hn;
  const double reference = referenceDistance(mild, kChowQ, 5, target);
  const WaterSurfaceProfile direct = directStepProfile(mild, kChowQ, 5, target, 400);
  ASSERT_EQ(direct.points.size(), 401u);
  EXPECT_NEAR(direct.points.back().x, reference, 1e-4 * std::fabs(reference));
  EXPECT_DOUBLE_EQ(direct.points.back().h, target);
  const WaterSurfaceProfile standard = standardStepProfile(mild, kChowQ, 5, -reference, 400);
  EXPECT_NEAR(standard.points.back().x, reference, 1e-9 * std::fabs(reference));
  EXPECT_NEAR(standard.points.back().h, target, 1e-4 * target);
  // Each point's quantities belong to its depth.
  const ProfilePoint& middle = standard.points[200];
  const FlowState f = flowAt(mild, middle.h, kChowQ);
  EXPECT_DOUBLE_EQ(middle.v, f.v);
  EXPECT_DOUBLE_EQ(middle.Sf, f.Sf);
  EXPECT_DOUBLE_EQ(middle.E, f.E);
}

// M1 and M2 upstream, S2 and S3 downstream: each approaches the normal depth
// without crossing it, ever closer.
TEST(Profile, ApproachesNormalDepthAsymptotically) {
  struct Row {
    const char* name;
    Channel c;
    double h0;
    double length;
  };
  const Row rows[] = {
      {"M1", chowChannel(0.0016), 5, 20000}, {"M2", chowChannel(0.0016), 2.5, 20000},
      {"S2", chowChannel(0.02), 1.9, 2000},  {"S3", chowChannel(0.02), 0.6, 2000},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const WaterSurfaceProfile p = standardStepProfile(row.c, kChowQ, row.h0, row.length, 400);
    ASSERT_FALSE(p.reachedCritical);
    const double hn = *p.hn;
    const double side = row.h0 > hn ? 1 : -1;
    for (std::size_t k = 1; k < p.points.size(); ++k) {
      const double before = (p.points[k - 1].h - hn) * side;
      const double now = (p.points[k].h - hn) * side;
      // Once on hn to rounding, the depth may wobble by an ulp or two.
      ASSERT_GE(now, -1e-14 * hn) << "crossed hn at point " << k;
      ASSERT_LE(now, before + 1e-14 * hn) << "moved away from hn at point " << k;
    }
    EXPECT_LT(std::fabs(p.points.back().h - hn), 1e-3 * hn);
  }
}

TEST(Profile, StopsAtCriticalDepth) {
  // M3 below a sluice gate rises downstream toward hc, where a jump stands.
  const WaterSurfaceProfile m3 = standardStepProfile(chowChannel(0.0016), kChowQ, 1, 5000, 500);
  EXPECT_TRUE(m3.reachedCritical);
  EXPECT_DOUBLE_EQ(m3.points.back().h, m3.hc);
  EXPECT_LT(m3.points.size(), 501u);
  EXPECT_NE(m3.note.find("临界水深"), std::string::npos);
  // S1 falls upstream toward hc; a direct step past hc ends there.
  const WaterSurfaceProfile s1 = directStepProfile(chowChannel(0.02), kChowQ, 3, 1.0, 50);
  EXPECT_TRUE(s1.reachedCritical);
  EXPECT_DOUBLE_EQ(s1.points.back().h, s1.hc);
  EXPECT_LT(s1.points.back().x, 0);
  // On an adverse slope a pipe's H2-like rise upstream fills it: the free surface ends at the crown.
  const Channel pipe{Circle{1}, -0.002, Roughness::uniform(0.013), kSiUnits};
  const WaterSurfaceProfile full = standardStepProfile(pipe, 0.3, 0.7, 5000, 500);
  EXPECT_EQ(full.type, ProfileType::A2);
  EXPECT_TRUE(full.reachedCrown);
  EXPECT_DOUBLE_EQ(full.points.back().h, 1);
}

TEST(Profile, QuestionsWithoutAnAnswerSayWhy) {
  const Channel mild = chowChannel(0.0016);
  struct Row {
    double h0, target;
    const char* message;
  };
  const Row rows[] = {
      {5, 6, "M1 型水面线由控制断面向上游水深减小：目标水深不在推算方向上"},
      {5, 3, "目标水深到达或越过正常水深 hn = "},
      {5, -1, "目标水深必须是大于零的有限数"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.message);
    try {
      directStepProfile(mild, kChowQ, row.h0, row.target, 10);
      ADD_FAILURE() << "no error";
    } catch (const FlowError& e) {
      EXPECT_EQ(std::string(e.what()).find(row.message), 0u) << e.what();
    }
  }
  EXPECT_THROW(standardStepProfile(mild, kChowQ, 5, 100, 0), FlowError);
  EXPECT_THROW(standardStepProfile(mild, kChowQ, 5, -100, 10), FlowError);
  EXPECT_THROW(standardStepProfile(mild, kChowQ, criticalDepth(mild.section, kChowQ, kUsUnits), 100, 10), FlowError);
}

}  // namespace
}  // namespace channelflow::sections
