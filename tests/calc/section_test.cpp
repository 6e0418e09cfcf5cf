// Section geometry against independent 40-digit references and the calculus
// every section obeys: T = dA/dh, and the moment about the surface is the
// integral of A over the depth.
#include "calc/section.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "calc/flow_error.h"

namespace channelflow::sections {
namespace {

constexpr double kPi = std::numbers::pi;

void expectRelative(double actual, double expected, double tolerance) {
  EXPECT_NEAR(actual, expected, tolerance * std::fabs(expected)) << "expected " << expected;
}

// Circle D = 2 at depths from nearly empty to nearly full, against mpmath at
// 40 digits, taken at the doubles the rows hold. Within a few ulp, about what
// the depth's own rounding allows (the area goes as phi^3 near empty); the
// acos form would lose every digit of the first row.
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
    const Geometry g = geometryAt(Circle{2}, row.h);
    expectRelative(g.A, row.A, 7e-16);
    expectRelative(g.P, row.P, 4e-16);
    expectRelative(g.T, row.T, 4e-16);
    expectRelative(g.moment, row.moment, 1.2e-15);
  }
  const Geometry full = geometryAt(Circle{2}, 2);
  EXPECT_DOUBLE_EQ(full.A, kPi);
  EXPECT_DOUBLE_EQ(full.P, 2 * kPi);
  EXPECT_EQ(full.T, 0);
  EXPECT_TRUE(std::isinf(full.D));
  EXPECT_DOUBLE_EQ(full.moment, kPi);  // centroid at the centre, 1 below the crown
}

TEST(Section, ClosedFormsOfTheSimpleShapes) {
  // Trapezoid B 2, m 1 at h 1: A 3, P 2 + 2 sqrt 2, T 4.
  const Geometry trapezoid = geometryAt(Trapezoid{2, 1, 1}, 1);
  EXPECT_DOUBLE_EQ(trapezoid.A, 3);
  EXPECT_DOUBLE_EQ(trapezoid.P, 2 + 2 * std::sqrt(2.0));
  EXPECT_DOUBLE_EQ(trapezoid.T, 4);
  EXPECT_DOUBLE_EQ(trapezoid.moment, 1 + 1.0 / 3.0);
  // Unequal walls: a vertical wall and a 1:2 one on B 3, h 2.
  const Geometry unequal = geometryAt(Trapezoid{3, 0, 2}, 2);
  EXPECT_DOUBLE_EQ(unequal.A, 6 + 4);
  EXPECT_DOUBLE_EQ(unequal.P, 3 + 2 + 2 * std::sqrt(5.0));
  EXPECT_DOUBLE_EQ(unequal.T, 7);
  // U shape with vertical walls: a semicircle of r 1 and a rectangle 2 wide above it.
  const Geometry u = geometryAt(UShape{1, 0}, 1.5);
  EXPECT_DOUBLE_EQ(u.A, kPi / 2 + 1);
  EXPECT_DOUBLE_EQ(u.P, kPi + 1);
  EXPECT_DOUBLE_EQ(u.T, 2);
  // Below the tangent points the U shape is the circle of diameter 2r.
  const Geometry low = geometryAt(UShape{1, 0.5}, 0.1);
  const Geometry circle = geometryAt(Circle{2}, 0.1);
  EXPECT_DOUBLE_EQ(low.A, circle.A);
  EXPECT_DOUBLE_EQ(low.P, circle.P);
  // Parabola p 0.5: P against mpmath's quadrature of the arc length.
  for (const auto& [h, P] : {std::pair{0.01, 0.2013254454464764}, {1.5, 4.0545238379039432}, {1000.0, 2002.670101624329}}) {
    const Geometry g = geometryAt(Parabola{0.5}, h);
    expectRelative(g.P, P, 4e-16);
    EXPECT_DOUBLE_EQ(g.T, 2 * std::sqrt(h));
    EXPECT_DOUBLE_EQ(g.A, 2.0 / 3.0 * g.T * h);
  }
}

// For every shape, at depths on both sides of the U shape's tangent points:
// the area grows at the top width, the moment at the area, and the area is
// continuous where the U shape's walls begin.
TEST(Section, TopWidthAndMomentAreDerivatives) {
  struct Row {
    const char* name;
    Section section;
    double depths[3];
  };
  const Row rows[] = {
      {"trapezoid", Trapezoid{2, 1.5, 0.5}, {0.01, 0.7, 4}},
      {"triangle", Trapezoid{0, 2, 2}, {0.01, 0.7, 4}},
      {"circle", Circle{1.2}, {0.05, 0.6, 1.1}},
      {"u vertical", UShape{0.8, 0}, {0.2, 0.79, 2}},
      {"u leaning", UShape{0.8, 0.75}, {0.1, 0.3, 2}},
      {"parabola", Parabola{0.7}, {0.05, 1, 6}},
  };
  for (const Row& row : rows) {
    for (double h : row.depths) {
      SCOPED_TRACE(std::string(row.name) + " at " + std::to_string(h));
      const double step = 1e-5 * h;
      const Geometry g = geometryAt(row.section, h);
      const double dA = (geometryAt(row.section, h + step).A - geometryAt(row.section, h - step).A) / (2 * step);
      EXPECT_NEAR(dA, g.T, 1e-7 * g.T);
      // Simpson's rule over 2000 panels for the integral of A from 0 to h.
      double integral = 0;
      const int panels = 2000;
      for (int k = 0; k <= panels; ++k) {
        const double y = h * k / panels;
        const double weight = k == 0 || k == panels ? 1 : k % 2 ? 4 : 2;
        integral += weight * (k == 0 ? 0 : geometryAt(row.section, y).A);
      }
      integral *= h / panels / 3;
      EXPECT_NEAR(g.moment, integral, 1e-9 * g.moment);
      EXPECT_DOUBLE_EQ(g.R, g.A / g.P);
    }
  }
  // Continuity at the U shape's tangent points, r (1 - m / sqrt(1 + m^2)) = 0.32 for r 0.8, m 0.75.
  const double rise = 0.8 * (1 - 0.75 / 1.25);
  const Geometry below = geometryAt(UShape{0.8, 0.75}, std::nextafter(rise, 0.0));
  const Geometry above = geometryAt(UShape{0.8, 0.75}, std::nextafter(rise, 1.0));
  EXPECT_NEAR(below.A, above.A, 1e-15);
  EXPECT_NEAR(below.P, above.P, 1e-15);
  EXPECT_NEAR(below.T, above.T, 1e-15);
}

TEST(Section, InvalidParametersAndDepthsAreErrors) {
  struct Row {
    Section section;
    double h;
    const char* message;
  };
  const Row rows[] = {
      {Trapezoid{-1, 1, 1}, 1, "底宽 B 不能为负"},
      {Trapezoid{2, -0.5, 1}, 1, "边坡系数 m 不能为负"},
      {Trapezoid{0, 0, 0}, 1, "底宽 B 与边坡系数 m 不能同时为零"},
      {Trapezoid{NAN, 1, 1}, 1, "梯形断面参数必须是有限的数"},
      {Circle{0}, 1, "管径 D 必须大于零"},
      {Circle{1}, 1.5, "水深 h 不能超过管径 D"},
      {UShape{0, 1}, 1, "底弧半径 r 必须大于零"},
      {UShape{1, -1}, 1, "边坡系数 m 不能为负"},
      {Parabola{-2}, 1, "抛物线参数 p 必须大于零"},
      {Trapezoid{2, 1, 1}, 0, "水深 h 必须大于零"},
      {Trapezoid{2, 1, 1}, INFINITY, "水深 h 必须是有限的数"},
      // Areas a double cannot hold: no infinity and no zero handed on.
      {Trapezoid{0, 1, 1}, 1e200, "过水面积 A 超出数值范围"},
      {Trapezoid{0, 1, 1}, 1e-200, "过水面积 A 超出数值范围"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.message);
    try {
      geometryAt(row.section, row.h);
      ADD_FAILURE() << "no error";
    } catch (const FlowError& e) {
      EXPECT_STREQ(e.what(), row.message);
    }
  }
  EXPECT_THROW(perimeterParts(Circle{1}, 0.5), FlowError);
  EXPECT_THROW(perimeterParts(Parabola{1}, 0.5), FlowError);
}

}  // namespace
}  // namespace channelflow::sections
