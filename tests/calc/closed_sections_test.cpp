// The arch-roofed tunnel and the horseshoe: their closed forms against the
// half width integrated numerically (mpmath, 40 digits), continuity where
// one arc meets the next, the horseshoe's constants as canal-line.md §8.2
// prints them, their greatest discharge and two depths, a report's free
// area (TV4's circle), the sizes solved back, and the refusals.
#include <gtest/gtest.h>

#include <cmath>

#include "calc/flow/flow_state.h"
#include "calc/flow/uniform_solvers.h"
#include "calc/toolkit/problem.h"
#include "calc/toolkit/toolkit.h"
#include "tests/calc/toolkit_inputs.h"

namespace channelflow::calc {
namespace {

using test_inputs::inputsOf;
using test_inputs::number;

// A, P, T and the moment about the surface, integrated from the half width
// at the doubles the inputs are.
TEST(ClosedSections, GeometryAgainstIntegration) {
  struct Row {
    const char* name;
    Shape shape;
    double size, h, A, P, T, moment;
  };
  const Row rows[] = {
      {"arch walls", Arch{2.5, 0}, 2, 1.5, 3.0, 5.0, 2.0, 2.25},
      {"semicircular roof", Arch{2.5, 0}, 2, 2.3, 4.407295218001612, 6.8545904360032239, 1.2000000000000005, 5.2531695077346223},
      {"flat roof", Arch{2.5, 1.5}, 2, 2.45, 4.7342308124670457, 7.6484863201620265, 0.76811457478685948, 5.9857336446709042},
      {"wide roof", Arch{3, 2.0}, 3, 2.9, 8.2928697017539771, 9.7677579098244286, 1.2489995996796802, 12.543822381290914},
      {"type I invert", Horseshoe{1}, 1, 0.1, 0.10276161117409458, 1.5535292520373273, 1.5362291495737217, 0.0041163936779576665},
      {"type I sides", Horseshoe{1}, 1, 0.5, 0.83191129964647418, 2.5294973459795073, 1.916079783099616, 0.18797975915206087},
      {"type I roof", Horseshoe{1}, 1, 1.5, 2.7745754358891004, 4.581383372494241, 1.7320508075688773, 2.0023364614381873},
      {"type II invert", Horseshoe{2}, 1, 0.05, 0.029702185519007128, 0.89630114120727706, 0.88881944173155891, 0.00059468481859706448},
      {"type II sides", Horseshoe{2}, 1, 0.8, 1.3478323453724464, 2.9915786312796849, 1.9799497484264798, 0.48405202975113078},
      {"type II roof", Horseshoe{2}, 1.3, 1.95, 4.5682533351746293, 5.7712796272592783, 2.2516660498395407, 4.19916661408054},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Geometry<Real> g = geometry(row.shape, Real(row.size), Real(row.h));
    EXPECT_NEAR(g.A.toDouble(), row.A, 3e-16 * row.A);
    EXPECT_NEAR(g.P.toDouble(), row.P, 3e-16 * row.P);
    EXPECT_NEAR(g.T.toDouble(), row.T, 3e-16 * row.T);
    EXPECT_NEAR(g.moment.toDouble(), row.moment, 3e-16 * row.moment);
  }
}

// Where one arc gives way to the next the forms on either side agree.
TEST(ClosedSections, ContinuousAcrossTheirJoints) {
  struct Row {
    const char* name;
    Shape shape;
    double size, joint;
  };
  const Row rows[] = {
      {"arch springing", Arch{2.5, 1.5}, 2, 2.5 - 1.5 + std::sqrt(1.5 * 1.5 - 1.0)},
      {"type I invert top", Horseshoe{1}, 1, 3 * (1 - std::cos(0.29451495337638))},
      {"type I springing", Horseshoe{1}, 1, 1},
      {"type II springing", Horseshoe{2}, 1, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const double below = std::nextafter(row.joint, 0), above = std::nextafter(row.joint, 10);
    const Geometry<Real> a = geometry(row.shape, Real(row.size), Real(below));
    const Geometry<Real> b = geometry(row.shape, Real(row.size), Real(above));
    EXPECT_NEAR(a.A.toDouble(), b.A.toDouble(), 1e-14);
    EXPECT_NEAR(a.P.toDouble(), b.P.toDouble(), 1e-14);
    EXPECT_NEAR(a.T.toDouble(), b.T.toDouble(), 1e-7);  // the roof's arc leaves the wall at an angle
    EXPECT_NEAR(a.moment.toDouble(), b.moment.toDouble(), 1e-14);
  }
}

// §8.2: θ = 0.294515 (type I), 0.424031 (type II); the area below the
// springing over (t r)² is 0.201996 and 0.436624.
TEST(ClosedSections, HorseshoeConstants) {
  for (const auto& [type, t, theta, c] : {std::tuple{1, 3.0, 0.294515, 0.201996}, std::tuple{2, 2.0, 0.424031, 0.436624}}) {
    SCOPED_TRACE(type);
    const Real below = geometry(Shape{Horseshoe{type}}, Real(1), Real(1)).A;
    EXPECT_NEAR((below / Real(t * t)).toDouble(), c, 0.5e-6);
    const Real invert = Real(t) * (1 - numeric::cos(Real(theta)));
    EXPECT_NEAR(geometry(Shape{Horseshoe{type}}, Real(1), invert).P.toDouble(), 2 * t * theta, 4e-6);
  }
}

Channel closed(Shape shape, double size) {
  Channel c;
  c.shape = shape;
  c.size = Real(size);
  c.roughness.n = Real(0.014);
  c.i = Real(0.001);
  return c;
}

// The greatest discharge lies below the crown, higher than at either side
// of it; between the full section's discharge and it two depths carry a
// flow. A flat roof carries most with the water at its springing line.
TEST(ClosedSections, GreatestDischargeAndTwoDepths) {
  for (const Channel& c : {closed(Arch{2.5, 0}, 2), closed(Horseshoe{1}, 1), closed(Horseshoe{2}, 1.5)}) {
    SCOPED_TRACE(shapeKey(c.shape));
    const ConduitCapacity capacity = conduitCapacity(c);
    const double hMax = capacity.hMax.toDouble();
    EXPECT_LT(uniformFlow(c, Real(hMax * (1 - 1e-6))).Q, capacity.QMax);
    EXPECT_LT(uniformFlow(c, Real(hMax * (1 + 1e-6))).Q, capacity.QMax);
    EXPECT_GT(capacity.QMax, capacity.QFull);
    const Real Q = (capacity.QMax + capacity.QFull) * 0.5;
    const std::vector<Real> depths = normalDepths(c, Q);
    ASSERT_EQ(depths.size(), 2u);
    for (const Real& h : depths) EXPECT_NEAR((uniformFlow(c, h).Q / Q).toDouble(), 1, 1e-15);
  }
  const Channel flat = closed(Arch{2.5, 10}, 2);
  EXPECT_EQ(conduitCapacity(flat).hMax, roofOf(flat.shape, flat.size).springing);
}

// TV4's circle D = 2 at h = 1.5: A = 2.527408, free area 19.55 %, clear
// height 0.5; an arch and a horseshoe report theirs the same way.
TEST(ClosedSections, ReportsFreeAreaAndHeight) {
  const Answer circle = report(inputsOf({{"section", "circle"}, {"D", "2"}, {"h", "1.5"}, {"i", "0.001"}, {"n", "0.014"}}));
  EXPECT_NEAR(number(circle, "A"), 2.527408, 0.5e-6);
  EXPECT_NEAR(number(circle, "free_area_pct"), 19.55, 0.005);
  EXPECT_EQ(number(circle, "free_height"), 0.5);
  const Answer arch = report(inputsOf({{"section", "arch"}, {"B", "2"}, {"H", "2.5"}, {"h", "1.5"}, {"i", "0.001"}, {"n", "0.014"}}));
  EXPECT_NEAR(number(arch, "A_full"), 3 + numeric::kPi.hi / 2, 1e-15);
  EXPECT_NEAR(number(arch, "free_area_pct"), (1 - 3 / (3 + numeric::kPi.hi / 2)) * 100, 1e-13);
  EXPECT_EQ(number(arch, "Ra"), 1.0);
  const Answer horseshoe =
      report(inputsOf({{"section", "horseshoe"}, {"r", "1"}, {"type", "2"}, {"h", "1"}, {"i", "0.001"}, {"n", "0.014"}}));
  EXPECT_EQ(number(horseshoe, "free_height"), 1.0);
  EXPECT_EQ(number(horseshoe, "horseshoe_type"), 2.0);
}

// The size carrying a report's own flow at its depth is the size it had.
TEST(ClosedSections, SizesSolvedBack) {
  struct Row {
    const char* name;
    std::initializer_list<std::pair<const char*, const char*>> inputs;
    const char* size;
    double expected;
  };
  const Row rows[] = {
      {"arch B", {{"section", "arch"}, {"H", "2.5"}, {"Ra", "1.6"}}, "B", 2.2},
      {"horseshoe r", {{"section", "horseshoe"}, {"type", "1"}}, "r", 1.1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Inputs given = inputsOf(row.inputs);
    given.set(row.size, row.name[0] == 'a' ? "2.2" : "1.1").set("h", "1.7").set("i", "0.001").set("n", "0.014");
    const double Q = number(report(given), "Q");
    Inputs unknown = inputsOf(row.inputs);
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", Q);
    unknown.set("Q", text).set("h", "1.7").set("i", "0.001").set("n", "0.014");
    const Answer answer = solve(unknown);
    ASSERT_EQ(answer.records.size(), 1u);
    EXPECT_NEAR(number(answer, row.size), row.expected, 1e-14);
  }
}

// The drawing runs from the crown round the boundary back to it, and the
// water's ends lie on the walls where it stands.
TEST(ClosedSections, Outlines) {
  for (const char* section : {"arch", "horseshoe"}) {
    SCOPED_TRACE(section);
    const bool arch = section[0] == 'a';
    Inputs inputs = arch ? inputsOf({{"section", "arch"}, {"B", "2"}, {"H", "2.5"}, {"Ra", "1.5"}, {"h", "2.2"}})
                         : inputsOf({{"section", "horseshoe"}, {"r", "1"}, {"h", "0.6"}});
    const Answer drawn = outline(inputs);
    const Table& boundary = drawn.record().tables[0];
    const Table& water = drawn.record().tables[1];
    const auto at = [](const Table& table, long k, std::size_t c) { return table.rowAt(k).cells[c].number; };
    const double crown = arch ? 2.5 : 2.0;
    EXPECT_NEAR(at(boundary, 0, 0), 0, 1e-12);
    EXPECT_NEAR(at(boundary, 0, 1), crown, 1e-12);
    EXPECT_NEAR(at(boundary, boundary.rowCount - 1, 1), crown, 1e-12);
    double lowest = crown;
    for (long k = 0; k < boundary.rowCount; ++k) lowest = std::min(lowest, at(boundary, k, 1));
    EXPECT_NEAR(lowest, 0, 1e-12);
    // The arch's roof circle is centred 1.0 above the floor: at 2.2, 2 sqrt(1.5² - 1.2²) = 1.8 wide.
    const double T = arch ? 1.8 : geometry(Shape{Horseshoe{1}}, 1.0, 0.6).T;
    EXPECT_NEAR(at(water, 1, 0) - at(water, 0, 0), T, 1e-12);
    EXPECT_EQ(at(water, 0, 0), -at(water, 1, 0));
  }
}

TEST(ClosedSections, Refusals) {
  struct Row {
    const char* name;
    std::initializer_list<std::pair<const char*, const char*>> inputs;
    MessageId id;
    const char* field;
  };
  const Row rows[] = {
      {"roof narrower than B", {{"section", "arch"}, {"B", "2"}, {"H", "2.5"}, {"Ra", "0.9"}}, MessageId::RoofNarrowerThanWidth, "Ra"},
      {"roof above the crown", {{"section", "arch"}, {"B", "4"}, {"H", "1.5"}}, MessageId::RoofAboveCrown, "H"},
      {"depth above the crown", {{"section", "arch"}, {"B", "2"}, {"H", "1.4"}}, MessageId::DepthAboveCrown, "h"},
      {"no height", {{"section", "arch"}, {"B", "2"}}, MessageId::MissingInput, "H"},
      {"type three", {{"section", "horseshoe"}, {"r", "1"}, {"type", "3"}}, MessageId::UnknownHorseshoeType, "type"},
      {"horseshoe above its crown", {{"section", "horseshoe"}, {"r", "0.7"}}, MessageId::DepthAboveCrown, "h"},
      {"H on a circle", {{"section", "circle"}, {"D", "2"}, {"H", "2"}}, MessageId::NotTakenBySection, "H"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Inputs inputs = inputsOf(row.inputs);
    inputs.set("h", "1.5").set("i", "0.001").set("n", "0.014");
    try {
      report(inputs);
      ADD_FAILURE() << "no error";
    } catch (const CalcError& error) {
      EXPECT_EQ(error.problem().id, row.id);
      EXPECT_EQ(error.problem().field, row.field);
    }
  }
  // A flow above the arch's greatest is refused with the arch's own message.
  try {
    solve(inputsOf({{"section", "arch"}, {"B", "2"}, {"H", "2.5"}, {"Q", "100"}, {"i", "0.001"}, {"n", "0.014"}}));
    ADD_FAILURE() << "no error";
  } catch (const CalcError& error) {
    EXPECT_EQ(error.problem().id, MessageId::AboveConduitCapacity);
  }
}

}  // namespace
}  // namespace channelflow::calc
