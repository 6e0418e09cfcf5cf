// The reference against what is known without it: closed forms, values
// computed apart (mpmath's quadrature and root finder), and identities its
// formulas must keep (T = dA/dh, A = dM1/dh, the step balance).
#include "tests/reference/reference.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/reference/expected_text.h"

namespace {

using namespace channelflow::reference;

// |a - b| <= 2^-bits |b|: 160 bits are 48 digits, far beyond any double's
// 17 and as far as the 50-digit values from mpmath and the differences go.
void expectNear(const Real& a, const Real& b, const char* what, int bits = 200) {
  Real tolerance(1);
  mpfr_mul_2si(tolerance.get(), tolerance.get(), -bits, MPFR_RNDN);
  EXPECT_TRUE(abs(a - b) <= tolerance * abs(b)) << what << ": " << a.toDouble() << " vs " << b.toDouble();
}

Real pi() { return 4 * atan2(Real(1), Real(1)); }

Channel channel(Shape shape, double size, double m1 = 0, double m2 = 0, double n = 0.013) {
  Channel c;
  c.shape = shape;
  c.size = size;
  c.m1 = m1;
  c.m2 = m2;
  c.n = n;
  c.i = 0.001;
  return c;
}

TEST(ExpectedText, FifteenDigitsAndTheirLayout) {
  const struct {
    double value;
    const char* text;
  } rows[] = {
      {0, "0"},
      {100, "100"},
      {2.0 / 3, "0.666666666666667"},
      {-2.5e-7, "-2.5E-07"},
      {1e-5, "0.00001"},
      {9.99999999999999e-6, "9.99999999999999E-06"},
      {123456789012345.6, "123456789012346"},
      {999999999999999.9, "1E+15"},             // rounding carries into a new decade
      {12345678901234.25, "12345678901234.2"},  // a tie at the 16th digit goes to the even digit
      {12345678901234.75, "12345678901234.8"},
      {1.5e15, "1.5E+15"},
      {1e100, "1E+100"},
  };
  for (const auto& row : rows) EXPECT_EQ(expectedText(row.value), row.text) << row.value;
  EXPECT_EQ(unitsApart("1.00000000000001", "1"), 1);
  EXPECT_EQ(unitsApart("0.666666666666668", "0.666666666666667"), 1);
  EXPECT_EQ(unitsApart("1.5E+15", "1.50000000000019E+15"), 19);
}

TEST(Reference, UsGravityIsTheNearestDouble) {
  EXPECT_EQ(unitsOf(true).g, (fromText("9.80665") / fromText("0.3048")).toDouble());
}

TEST(Reference, ClosedFormsOfTheSections) {
  const Flow half = flowAt(channel(Shape::Circle, 1.5), 0.75, 1);
  expectNear(half.R, Real(1.5) / 4, "half-full circle R = D/4");
  expectNear(half.A, pi() * 1.5 * 1.5 / 8, "half-full circle A");
  expectNear(half.T, Real(1.5), "half-full circle T = D");
  const Flow full = flowAt(channel(Shape::Circle, 1.5), 1.5, 1);
  EXPECT_TRUE(full.full);
  expectNear(full.R, Real(1.5) / 4, "full circle R = D/4");
  // A U of vertical walls: a half circle and a rectangle above it.
  const Flow u = flowAt(channel(Shape::U, 0.8), 1.3, 1);
  expectNear(u.A, pi() * 0.8 * 0.8 / 2 + 2 * 0.8 * 0.5, "U area");
  expectNear(u.P, pi() * 0.8 + 2 * 0.5, "U perimeter");
  // The parabola's perimeter by mpmath's quadrature of sqrt(1 + (x/p)^2).
  expectNear(flowAt(channel(Shape::Parabola, 0.75), 2.5, 1).P,
             fromText("6.6198461122819321281831554147948145840682245760279"), "parabola perimeter", 160);
  // Equal roughness of bed and walls is that roughness, whatever the shares.
  Channel mixed = channel(Shape::Trapezoid, 2, 1, 3);
  mixed.composite = true;
  mixed.nBed = mixed.nWall = 0.02;
  expectNear(flowAt(mixed, 1.7, 1).n, Real(0.02), "composite of equal n");
}

TEST(Reference, TopWidthAndMomentAreDerivatives) {
  const struct {
    const char* name;
    Channel c;
    double h;
  } rows[] = {
      {"trapezoid", channel(Shape::Trapezoid, 2, 0.5, 3), 1.3},
      {"triangle", channel(Shape::Trapezoid, 0, 1, 1), 0.4},
      {"shallow circle", channel(Shape::Circle, 1), 0.3},
      {"circle near its crown", channel(Shape::Circle, 1), 0.99},
      {"U within its arc", channel(Shape::U, 1, 0.5), 0.1},
      {"U between its walls", channel(Shape::U, 1, 0.5), 2},
      {"U of vertical walls", channel(Shape::U, 1), 1.5},
      {"parabola", channel(Shape::Parabola, 2), 0.7},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Real h(row.h), delta = Real(row.h) * 0x1p-80;  // truncation and rounding errors both near 2^-160
    const Flow below = flowAt(row.c, h - delta, 1), at = flowAt(row.c, h, 1), above = flowAt(row.c, h + delta, 1);
    expectNear((above.A - below.A) / (2 * delta), at.T, "T = dA/dh", 150);
    expectNear((above.M1 - below.M1) / (2 * delta), at.A, "A = dM1/dh", 150);
  }
}

TEST(Reference, CriticalDepthsInClosedForm) {
  const Real g = unitsOf(false).g;
  const Real Q(3.7);
  expectNear(criticalFlow(channel(Shape::Trapezoid, 2.5), Q).hc, cbrt(Q * Q / (g * 2.5 * 2.5)), "rectangle");
  // Triangle: Q^2 2 m h = g m^3 h^6, so hc^5 = 2 Q^2 / (g m^2).
  const Real hc = criticalFlow(channel(Shape::Trapezoid, 0, 1.5, 1.5), Q).hc;
  expectNear(hc * hc * hc * hc * hc, 2 * Q * Q / (g * 1.5 * 1.5), "triangle");
  // A conduit far too small: hc lies within 1e-5 D of its crown, and is still found.
  const Channel pipe = channel(Shape::Circle, 0.2);
  const Real crown = criticalFlow(pipe, 1).hc;
  EXPECT_TRUE(crown < Real(0.2) && crown > Real(0.2 - 2e-6));
  const Flow f = flowAt(pipe, crown, 1);
  expectNear(f.Fr, Real(1), "Fr at the crown's hc");
}

// Belanger's sequent depths, and the energy a rectangle's jump dissipates.
TEST(Reference, BelangerSequentDepthsOfARectangle) {
  const Channel c = channel(Shape::Trapezoid, 3);
  for (const double Q : {5.5, 15.0, 40.0}) {
    const std::optional<Jump> j = hydraulicJump(c, Q, 0.5);
    ASSERT_TRUE(j);
    const Real ratio = (sqrt(1 + 8 * j->up.Fr * j->up.Fr) - 1) / 2;
    expectNear(j->down.h / j->up.h, ratio, "h2/h1");
    const Real& h1 = j->up.h;
    const Real& h2 = j->down.h;
    expectNear(j->dE, (h2 - h1) * (h2 - h1) * (h2 - h1) / (4 * h1 * h2), "energy lost");
    // From the depth after the jump, the same jump.
    const std::optional<Jump> back = hydraulicJump(c, Q, j->down.h.toDouble());
    ASSERT_TRUE(back && back->givenDownstream);
    expectNear(back->down.h / back->up.h, (sqrt(1 + 8 * back->up.Fr * back->up.Fr) - 1) / 2, "h2/h1 back");
  }
}

TEST(Reference, CircleCapacityAndItsTwoDepths) {
  // mpmath: the root of 5 theta (1 - cos theta) = 2 (theta - sin theta), as (1 - cos(theta/2)) / 2.
  expectNear(greatestDischargeRatio(), fromText("0.93818121616060709816517599292706293514151797940482"), "hmax/D", 160);
  const Channel c = channel(Shape::Circle, 1.2);
  const Capacity capacity = conduitCapacity(c);
  const Real Q = (capacity.QFull + capacity.QMax) / 2;
  const std::vector<Real> depths = normalDepths(c, Q);
  ASSERT_EQ(depths.size(), 2u);
  EXPECT_TRUE(depths[0] < capacity.hMax && capacity.hMax < depths[1]);
  for (const Real& h : depths) expectNear(uniformFlow(c, h).Q, Q, "each depth carries Q");
  EXPECT_TRUE(normalDepths(c, capacity.QMax * 1.001).empty());
}

TEST(Reference, RoughWallsAboveASmoothBedCarryQAtThreeDepths) {
  // As the water reaches the walls their roughness takes over and Q falls before it rises again.
  Channel c = channel(Shape::U, 1.4);
  c.composite = true;
  c.nBed = 0.009953;
  c.nWall = 0.058871766469828515;
  c.i = 7.5e-05;
  const std::vector<Real> depths = normalDepths(c, 1.68);
  ASSERT_EQ(depths.size(), 3u);
  for (const Real& h : depths) expectNear(uniformFlow(c, h).Q, Real(1.68), "each depth carries Q");
}

TEST(Reference, StandardStepKeepsTheEnergyBalance) {
  // Each exact step is a direct step too: (E_a - E_b) / (i - mean Sf) = x_a - x_b.
  const Channel c = channel(Shape::Trapezoid, 4, 1.5, 1.5, 0.025);
  const Profile p = standardStep(c, 12, 2.5, 900, 3);
  ASSERT_TRUE(p.error.empty());
  EXPECT_EQ(p.type, "M1");
  ASSERT_EQ(p.points.size(), 4u);
  for (std::size_t k = 1; k < p.points.size(); ++k) {
    const Flow &a = p.points[k].flow, &b = p.points[k - 1].flow;
    expectNear((a.E - b.E) / (c.i - (a.Sf + b.Sf) / 2), p.points[k].x - p.points[k - 1].x, "step length");
  }
}

}  // namespace
