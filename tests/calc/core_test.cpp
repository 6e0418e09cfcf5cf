// The core beneath the toolkit's API: section geometry against independent
// references and the calculus every section obeys, the solvers against
// published worked examples and their own round trips, jumps against
// Bélanger and the momentum they keep, profiles against a fine integration.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "calc/flow/critical.h"
#include "calc/flow/flow_state.h"
#include "calc/flow/jump.h"
#include "calc/flow/profile.h"
#include "calc/flow/uniform_solvers.h"

namespace channelflow::calc {
namespace {

constexpr double kPi = std::numbers::pi;

Roughness oneN(double n) { return {false, Real(n), 0, 0}; }
Roughness bedAndWalls(double bed, double walls) { return {true, Real(0), bed, walls}; }

Channel channel(Shape shape, double size, double i, Roughness roughness, UnitSystem units = UnitSystem::SI) {
  return {shape, Real(size), Real(i), roughness, units};
}

Geometry<double> geometryAt(const Shape& shape, double size, double h) {
  const Geometry<Real> g = geometry(shape, Real(size), Real(h));
  return {g.A.toDouble(), g.P.toDouble(), g.T.toDouble(), g.moment.toDouble(), g.bed.toDouble()};
}

void expectRelative(double actual, double expected, double tolerance) {
  EXPECT_NEAR(actual, expected, tolerance * std::fabs(expected)) << "expected " << expected;
}

// Circle D = 2 at depths from nearly empty to nearly full, against mpmath at
// 40 digits, taken at the doubles the rows hold: correctly rounded.
TEST(Section, CircleAgainstHighPrecisionReference) {
  struct Row {
    double h, A, P, T, moment;
  };
  const Row rows[] = {
      {1e-12, 1.8856180831638438e-18, 2.8284271247464258e-6, 2.828427124745483e-6, 7.5424723326556982e-31},
      {0.001, 5.9619534329333366e-5, 0.089450174337466863, 0.089420355624432629, 2.3848836076243806e-8},
      {0.3, 0.29549884018614404, 1.5907976603682871, 1.42828568570857, 0.035959378440156058},
      {1.2, 1.9681134270078816, 3.5443084951704547, 1.9595917942265425, 1.0206920595540698},
      {1.999999, 3.1415926517041754, 6.2803568798192543, 0.002828426417522978, 3.1415895119971407},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.h);
    const Geometry<double> g = geometryAt(Circle{}, 2, row.h);
    expectRelative(g.A, row.A, 2e-16);
    expectRelative(g.P, row.P, 2e-16);
    expectRelative(g.T, row.T, 2e-16);
    expectRelative(g.moment, row.moment, 2e-16);
  }
  const Geometry<double> full = geometryAt(Circle{}, 2, 2);
  EXPECT_EQ(full.A, kPi);
  EXPECT_EQ(full.P, 2 * kPi);
  EXPECT_EQ(full.T, 0);
  EXPECT_EQ(full.moment, kPi);  // centroid at the centre, 1 below the crown
}

TEST(Section, ClosedFormsOfTheSimpleShapes) {
  const Geometry<double> trapezoid = geometryAt(Trapezoid{1, 1}, 2, 1);
  EXPECT_EQ(trapezoid.A, 3);
  EXPECT_EQ(trapezoid.P, 2 + 2 * std::sqrt(2.0));
  EXPECT_EQ(trapezoid.T, 4);
  EXPECT_EQ(trapezoid.moment, 4.0 / 3.0);
  // Unequal walls: a vertical wall and a 1:2 one on B 3, h 2.
  const Geometry<double> unequal = geometryAt(Trapezoid{0, 2}, 3, 2);
  EXPECT_EQ(unequal.A, 10);
  EXPECT_EQ(unequal.P, 5 + 2 * std::sqrt(5.0));
  EXPECT_EQ(unequal.T, 7);
  // U shape with vertical walls: a semicircle of r 1 and a rectangle 2 wide above it.
  const Geometry<double> u = geometryAt(UShape{0}, 1, 1.5);
  EXPECT_EQ(u.A, kPi / 2 + 1);
  EXPECT_EQ(u.P, kPi + 1);
  EXPECT_EQ(u.T, 2);
  // Below the tangent points the U shape is the circle of diameter 2r.
  EXPECT_EQ(geometryAt(UShape{0.5}, 1, 0.1).A, geometryAt(Circle{}, 2, 0.1).A);
  // Parabola p 0.5: P against mpmath's quadrature of the arc length.
  for (const auto& [h, P] : {std::pair{0.01, 0.2013254454464764}, {1.5, 4.0545238379039432}, {1000.0, 2002.670101624329}}) {
    const Geometry<double> g = geometryAt(Parabola{}, 0.5, h);
    expectRelative(g.P, P, 2e-16);
    expectRelative(g.T, 2 * std::sqrt(h), 2e-16);
  }
}

// For every shape, on both sides of the U shape's tangent points: the area
// grows at the top width, and the moment is the integral of the area.
TEST(Section, TopWidthAndMomentAreDerivatives) {
  struct Row {
    const char* name;
    Shape shape;
    double size;
    double depths[3];
  };
  const Row rows[] = {
      {"trapezoid", Trapezoid{1.5, 0.5}, 2, {0.01, 0.7, 4}}, {"triangle", Trapezoid{2, 2}, 0, {0.01, 0.7, 4}},
      {"circle", Circle{}, 1.2, {0.05, 0.6, 1.1}},          {"u vertical", UShape{0}, 0.8, {0.2, 0.79, 2}},
      {"u leaning", UShape{0.75}, 0.8, {0.1, 0.3, 2}},      {"parabola", Parabola{}, 0.7, {0.05, 1, 6}},
  };
  for (const Row& row : rows) {
    for (double h : row.depths) {
      SCOPED_TRACE(std::string(row.name) + " at " + std::to_string(h));
      const double step = 1e-5 * h;
      const Geometry<double> g = geometryAt(row.shape, row.size, h);
      const double dA = (geometryAt(row.shape, row.size, h + step).A - geometryAt(row.shape, row.size, h - step).A) / (2 * step);
      EXPECT_NEAR(dA, g.T, 1e-7 * g.T);
      double integral = 0;  // Simpson's rule over 2000 panels
      const int panels = 2000;
      for (int k = 1; k <= panels; ++k) {
        const double weight = k == panels ? 1 : k % 2 ? 4 : 2;
        integral += weight * geometryAt(row.shape, row.size, h * k / panels).A;
      }
      EXPECT_NEAR(g.moment, integral * h / panels / 3, 1e-9 * g.moment);
      // The double forms the solvers start from agree with the exact ones.
      const Geometry<double> fast = geometry(row.shape, row.size, h);
      EXPECT_NEAR(fast.A, g.A, 4e-15 * g.A);
      EXPECT_NEAR(fast.P, g.P, 4e-15 * g.P);
    }
  }
}

TEST(Solve, PublishedWorkedExamples) {
  // US trapezoid Q 25 ft^3/s, B 2 ft, m 3, i 0.010, n 0.030: normal depth
  // 1.17 ft, v 3.9 ft/s, hc 1.05 ft, Fr 0.81, each printed to those digits.
  const Channel us = channel(Trapezoid{3, 3}, 2, 0.010, oneN(0.030), UnitSystem::US);
  const Real h = normalDepths(us, Real(25)).front();
  const FlowState f = uniformFlow(us, h);
  EXPECT_NEAR(h.toDouble(), 1.17, 0.005);
  EXPECT_NEAR(f.v.toDouble(), 3.9, 0.05);
  EXPECT_NEAR(f.Fr.toDouble(), 0.81, 0.01);
  EXPECT_NEAR(criticalFlow(us, Real(25)).hc.toDouble(), 1.05, 0.006);
  // US rectangle Q 250 ft^3/s, B 100 ft, n 0.045, i 0.001: 1.711301 ft.
  const Channel rectangle = channel(Trapezoid{}, 100, 0.001, oneN(0.045), UnitSystem::US);
  EXPECT_NEAR(normalDepths(rectangle, Real(250)).front().toDouble(), 1.711301, 5e-7);
  // Chow, Open-Channel Hydraulics (1959), chapter 6: b 20 ft, z 2, S0 0.0016,
  // n 0.025, Q 400 ft^3/s has a normal depth of 3.36 ft.
  const Channel chow = channel(Trapezoid{2, 2}, 20, 0.0016, oneN(0.025), UnitSystem::US);
  EXPECT_NEAR(normalDepths(chow, Real(400)).front().toDouble(), 3.36, 0.005);
}

// The partly full circle of every sewer-design manual: Manning's discharge is
// greatest at 0.938 D, 1.076 times the full conduit's, and two depths carry
// any discharge between the two.
TEST(Solve, CircleCapacityAndItsTwoDepths) {
  const Channel pipe = channel(Circle{}, 1.2, 0.002, oneN(0.013));
  const ConduitCapacity capacity = conduitCapacity(pipe);
  EXPECT_NEAR((capacity.hMax / pipe.size).toDouble(), 0.938, 0.0005);
  EXPECT_NEAR((capacity.QMax / capacity.QFull).toDouble(), 1.076, 0.0005);
  // Half full carries half the full discharge: R is D/4 in both.
  EXPECT_EQ(uniformFlow(pipe, Real(0.6)).Q.toDouble(), (capacity.QFull / Real(2)).toDouble());
  const Real between = (capacity.QFull + capacity.QMax) / Real(2);
  const std::vector<Real> depths = normalDepths(pipe, between);
  ASSERT_EQ(depths.size(), 2u);
  EXPECT_LT(depths[0], capacity.hMax);
  EXPECT_GT(depths[1], capacity.hMax);
  for (const Real& h : depths) EXPECT_EQ(uniformFlow(pipe, h).Q.toDouble(), between.toDouble());
  EXPECT_EQ(normalDepths(pipe, capacity.QFull * Real(0.99)).size(), 1u);
  EXPECT_THROW(normalDepths(pipe, capacity.QMax * Real(1.001)), CalcError);
}

// For every section and roughness: from a depth's discharge, solving for each
// unknown in turn gives back, correctly rounded, the value it started from.
TEST(Solve, EveryUnknownReproducesTheOthers) {
  struct Row {
    const char* name;
    Channel c;
    double h;
  };
  const Row rows[] = {
      {"rectangle", channel(Trapezoid{}, 3, 0.001, oneN(0.015)), 1.2},
      {"trapezoid", channel(Trapezoid{1.5, 1.5}, 2, 0.0005, oneN(0.025)), 0.8},
      {"unequal walls", channel(Trapezoid{0.5, 2}, 1, 0.003, oneN(0.02)), 1.5},
      {"triangle", channel(Trapezoid{1, 2}, 0, 0.01, oneN(0.016)), 0.4},
      {"circle", channel(Circle{}, 1.5, 0.002, oneN(0.013)), 0.9},
      {"u vertical", channel(UShape{0}, 0.5, 0.001, oneN(0.014)), 0.8},
      {"u leaning", channel(UShape{0.2}, 0.5, 0.001, oneN(0.014)), 0.8},
      {"parabola", channel(Parabola{}, 1.5, 0.0004, oneN(0.03)), 1.1},
      {"trapezoid, composite n", channel(Trapezoid{1, 1}, 2, 0.001, bedAndWalls(0.014, 0.022)), 1.3},
      {"u, composite n", channel(UShape{0.1}, 0.6, 0.001, bedAndWalls(0.014, 0.022)), 1.0},
      {"us units", channel(Trapezoid{2, 2}, 10, 0.0016, oneN(0.025), UnitSystem::US), 3},
      {"tiny", channel(Trapezoid{}, 1e-100, 1e-10, oneN(1e-50)), 1e-100},
      {"huge", channel(Trapezoid{1, 1}, 1e100, 1, oneN(1)), 1e100},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Real Q = solveUniformFlow(row.c, Unknown::Discharge, Real(0), Real(row.h)).front().Q;
    EXPECT_EQ(solveUniformFlow(row.c, Unknown::Depth, Q, Real(0)).front().h.toDouble(), row.h);
    if (row.c.size > Real(0)) {  // a triangle's B = 0 is where its walls alone carry Q
      EXPECT_EQ(solveUniformFlow(row.c, Unknown::Size, Q, Real(row.h)).front().channel.size.toDouble(), row.c.size.toDouble());
    }
    EXPECT_EQ(solveUniformFlow(row.c, Unknown::Slope, Q, Real(row.h)).front().channel.i.toDouble(), row.c.i.toDouble());
    if (!row.c.roughness.composite) {
      EXPECT_EQ(solveUniformFlow(row.c, Unknown::Roughness, Q, Real(row.h)).front().channel.roughness.n.toDouble(),
                row.c.roughness.n.toDouble());
    }
  }
}

TEST(Solve, SizesThatCannotCarryTheDischargeSayWhy) {
  // At h 1 the walls of a 1:2 triangle alone carry 2.44 m^3/s.
  try {
    solveUniformFlow(channel(Trapezoid{2, 2}, 0, 0.001, oneN(0.02)), Unknown::Size, Real(1), Real(1));
    ADD_FAILURE() << "no error";
  } catch (const CalcError& e) {
    EXPECT_EQ(e.problem().id, MessageId::NegativeSize);
  }
  // A 0.5 m pipe running full carries 0.2 m^3/s; every wider one more at 0.5 m.
  try {
    solveUniformFlow(channel(Circle{}, 0, 0.001, oneN(0.013)), Unknown::Size, Real(0.05), Real(0.5));
    ADD_FAILURE() << "no error";
  } catch (const CalcError& e) {
    EXPECT_EQ(e.problem().id, MessageId::NoDiameter);
  }
}

// The depth in a rectangle of width B carrying Q at which the Froude number is Fr.
double depthOfFroude(double B, double Q, double Fr) {
  const double unit = Q / B / (Fr * std::sqrt(kSiUnits.g));
  return std::cbrt(unit * unit);
}

// Bélanger's equation for a rectangle, h2/h1 = (sqrt(1 + 8 Fr1^2) - 1)/2, and
// its energy loss (h2 - h1)^3 / (4 h1 h2), in every hydraulics text.
TEST(Jump, RectangleFollowsBelangersEquation) {
  const Channel rectangle = channel(Trapezoid{}, 4, 0, oneN(0.01));
  for (double Fr1 : {1.01, 1.2, 2.0, 3.5, 6.0, 10.0, 20.0}) {
    SCOPED_TRACE(Fr1);
    const Real h1(depthOfFroude(4, 12, Fr1));
    const HydraulicJump jump = hydraulicJump(rectangle, Real(12), h1);
    const Real Fr = jump.upstream.Fr;
    const Real h2 = h1 * (numeric::sqrt(Real(1) + Real(8) * Fr * Fr) - Real(1)) / Real(2);
    EXPECT_EQ(jump.downstream.h.toDouble(), h2.toDouble());
    const Real rise = h2 - h1;
    EXPECT_EQ(jump.energyLoss.toDouble(), (rise * rise * rise / (Real(4) * h1 * h2)).toDouble());
    EXPECT_FALSE(jump.givenDownstream);
  }
}

// In every section the sequent depths straddle hc, energy is lost, and asking
// from either side gives the same jump.
TEST(Jump, AskedFromEitherSideInEverySection) {
  struct Row {
    const char* name;
    Channel c;
    double Q;
  };
  const Row rows[] = {
      {"trapezoid", channel(Trapezoid{1.5, 1.5}, 2, 0, oneN(0.01)), 8},
      {"unequal", channel(Trapezoid{0, 2}, 1, 0, oneN(0.01)), 5},
      {"triangle", channel(Trapezoid{1, 1}, 0, 0, oneN(0.01)), 3},
      {"circle", channel(Circle{}, 2, 0, oneN(0.01)), 1.5},
      {"u", channel(UShape{0.25}, 0.7, 0, oneN(0.01)), 2},
      {"parabola", channel(Parabola{}, 1, 0, oneN(0.01)), 4},
  };
  for (const Row& row : rows) {
    const Real hc = criticalDepth(row.c, Real(row.Q));
    for (double share : {0.3, 0.6, 0.9}) {
      SCOPED_TRACE(std::string(row.name) + " h1 = " + std::to_string(share) + " hc");
      const HydraulicJump jump = hydraulicJump(row.c, Real(row.Q), hc * Real(share));
      EXPECT_GT(jump.downstream.h, hc);
      EXPECT_GT(jump.upstream.Fr, Real(1));
      EXPECT_LT(jump.downstream.Fr, Real(1));
      EXPECT_GT(jump.energyLoss, Real(0));
      const HydraulicJump back = hydraulicJump(row.c, Real(row.Q), jump.downstream.h);
      EXPECT_TRUE(back.givenDownstream);
      EXPECT_EQ(back.upstream.h.toDouble(), jump.upstream.h.toDouble());
    }
  }
  EXPECT_STREQ(jumpTypeTerm(Real(1.7)), "weak");
  EXPECT_STREQ(jumpTypeTerm(Real(9)), "strong");
  // A shallow fast stream in a 1 m pipe whose sequent depth would fill it.
  EXPECT_THROW(hydraulicJump(channel(Circle{}, 1, 0, oneN(0.01)), Real(1), Real(0.15)), CalcError);
}

// Chow's chapter 6 and 10 trapezoid (b 20 ft, z 2, n 0.025, 400 ft^3/s):
// mild at S0 0.0016 (hn 3.36 ft, hc 2.15 ft).
Channel chowChannel(double i) { return channel(Trapezoid{2, 2}, 20, i, oneN(0.025), UnitSystem::US); }
const Real kChowQ(400);

TEST(Profile, TypeAndDirectionFollowTheDepthsAndTheSlope) {
  const double ic = criticalFlow(chowChannel(0.0016), kChowQ).ic.toDouble();
  struct Row {
    double i, h0;
    ProfileType type;
  };
  const Row rows[] = {
      {0.0016, 5, ProfileType::M1}, {0.0016, 3, ProfileType::M2}, {0.0016, 1, ProfileType::M3},
      {0.02, 3, ProfileType::S1},   {0.02, 1.8, ProfileType::S2}, {0.02, 0.5, ProfileType::S3},
      {ic, 3, ProfileType::C1},     {ic, 1, ProfileType::C3},     {0, 3, ProfileType::H2},
      {0, 1, ProfileType::H3},      {-0.001, 3, ProfileType::A2}, {-0.001, 1, ProfileType::A3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(profileTypeTerm(row.type));
    const WaterSurfaceProfile p = standardStepProfile(chowChannel(row.i), kChowQ, row.h0, 50, 5);
    EXPECT_EQ(p.type, row.type);
    EXPECT_EQ(p.direction == Direction::Upstream, Real(row.h0) > p.hc);
    EXPECT_EQ(p.hn.has_value(), row.i > 0);
    // x runs downstream of the control: negative upstream.
    EXPECT_EQ(p.points.back().x < 0, p.direction == Direction::Upstream);
  }
}

// The M1 backwater curve behind a dam, from 5 ft to 1 % above the normal
// depth, by both methods, against dx/dh = (1 - Fr^2) / (i - Sf) integrated by
// Simpson's rule in 20 000 steps.
TEST(Profile, BothMethodsAgreeWithAFineIntegration) {
  const Channel mild = chowChannel(0.0016);
  const double target = 1.01 * normalDepths(mild, kChowQ).front().toDouble();
  auto dxdh = [&mild](double h) {
    const FlowState f = flowAt(mild, Real(h), kChowQ);
    return ((Real(1) - f.Fr * f.Fr) / (mild.i - f.Sf)).toDouble();
  };
  double reference = 0;
  const double dh = (target - 5) / 20000;
  for (int k = 0; k < 20000; ++k) {
    const double h = 5 + k * dh;
    reference += dh / 6 * (dxdh(h) + 4 * dxdh(h + dh / 2) + dxdh(h + dh));
  }
  const WaterSurfaceProfile direct = directStepProfile(mild, kChowQ, 5, target, 400);
  ASSERT_EQ(direct.points.size(), 401u);
  EXPECT_NEAR(direct.points.back().x, reference, 1e-4 * std::fabs(reference));
  const WaterSurfaceProfile standard = standardStepProfile(mild, kChowQ, 5, -reference, 400);
  EXPECT_EQ(standard.points.back().x, reference);
  EXPECT_NEAR(standard.points.back().h, target, 1e-4 * target);
}

// Each approaches the normal depth without crossing it, ever closer.
TEST(Profile, ApproachesNormalDepthAsymptotically) {
  struct Row {
    const char* name;
    double i, h0, length;
  };
  const Row rows[] = {{"M1", 0.0016, 5, 20000}, {"M2", 0.0016, 2.5, 20000}, {"S2", 0.02, 1.9, 2000}, {"S3", 0.02, 0.6, 2000}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const WaterSurfaceProfile p = standardStepProfile(chowChannel(row.i), kChowQ, row.h0, row.length, 400);
    ASSERT_FALSE(p.reachedCritical);
    const double hn = p.hn->toDouble();
    const double side = row.h0 > hn ? 1 : -1;
    for (std::size_t k = 1; k < p.points.size(); ++k) {
      const double before = (p.points[k - 1].h - hn) * side;
      const double now = (p.points[k].h - hn) * side;
      ASSERT_GE(now, -1e-14 * hn) << "crossed hn at point " << k;
      ASSERT_LE(now, before + 1e-14 * hn) << "moved away from hn at point " << k;
    }
    EXPECT_LT(std::fabs(p.points.back().h - hn), 1e-3 * hn);
  }
}

TEST(Profile, StopsAtCriticalDepthOrTheCrown) {
  // M3 below a sluice gate rises downstream toward hc, where a jump stands.
  const WaterSurfaceProfile m3 = standardStepProfile(chowChannel(0.0016), kChowQ, 1, 5000, 500);
  EXPECT_TRUE(m3.reachedCritical);
  EXPECT_EQ(m3.points.back().h, m3.hc.toDouble());
  EXPECT_LT(m3.points.size(), 501u);
  EXPECT_EQ(m3.note->id, MessageId::ReachedCritical);
  // S1 falls upstream toward hc; a direct step past hc ends there.
  const WaterSurfaceProfile s1 = directStepProfile(chowChannel(0.02), kChowQ, 3, 1.0, 50);
  EXPECT_TRUE(s1.reachedCritical);
  EXPECT_EQ(s1.points.back().h, s1.hc.toDouble());
  // On an adverse slope a pipe's rise upstream fills it: the free surface ends at the crown.
  const WaterSurfaceProfile full = standardStepProfile(channel(Circle{}, 1, -0.002, oneN(0.013)), Real(0.3), 0.7, 5000, 500);
  EXPECT_EQ(full.type, ProfileType::A2);
  EXPECT_TRUE(full.reachedCrown);
  EXPECT_EQ(full.points.back().h, 1);
  EXPECT_TRUE(std::isnan(full.points.back().Fr));
  // Targets the profile never reaches.
  EXPECT_THROW(directStepProfile(chowChannel(0.0016), kChowQ, 5, 6, 10), CalcError);
  EXPECT_THROW(directStepProfile(chowChannel(0.0016), kChowQ, 5, 3, 10), CalcError);
}

}  // namespace
}  // namespace channelflow::calc
