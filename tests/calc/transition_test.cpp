// Transitions: test vector TV3 of canal-line.md §16 (a slow structure
// whose standard forms would gain level), the forms' tables, a ranged ξ
// read along its angle, the lengths by clause, and the refusals.
#include <gtest/gtest.h>

#include "calc/structures/flows.h"
#include "calc/structures/transition.h"
#include "calc/toolkit/problem.h"
#include "tests/calc/structure_expect.h"

namespace channelflow::calc::structures {
namespace {

constexpr TransitionFields kInlet{"inlet-form", "xi1", "theta1"};
constexpr double kG = kStandardGravity;

// TV3: canal 0.8 m/s, structure 0.5 m/s, ξ1 = 0.1, ξ2 = 0.2:
// (0.5² - 0.8²)/2g = -0.019884. Inlet -0.019884 + 0.1 · 0.019884 = -0.017896,
// outlet +0.019884 + 0.2 · 0.019884 = +0.023861: a net loss of
// (ξ1 + ξ2) |Δv²|/2g = 0.005965, where the standard forms gain as much.
TEST(Transition, TestVectorThree) {
  const TransitionDrop inlet = transitionDrop(Real(0.8), Real(0.5), Real(0.1), kG);
  const TransitionDrop outlet = transitionDrop(Real(0.5), Real(0.8), Real(0.2), kG);
  const Printed rows[] = {
      {"velocity head", inlet.velocityHead, -0.019884, 6},
      {"inlet", inlet.drop, -0.017896, 6},
      {"outlet", outlet.drop, 0.023861, 6},
      {"net", inlet.drop + outlet.drop, 0.005965, 6},
  };
  expectPrinted(rows);
  EXPECT_GT(inlet.loss, Real(0));
  EXPECT_GT(outlet.loss, Real(0));
}

// One cell of each table, each end of a range read along its angle, and a
// point between.
TEST(Transition, FormsAndAngles) {
  struct Row {
    TransitionFamily family;
    TransitionEnd end;
    TransitionChoice choice;
    double xi;
  };
  using enum TransitionFamily;
  const TransitionEnd in = TransitionEnd::Inlet, out = TransitionEnd::Outlet;
  const Row rows[] = {
      {Aqueduct, in, {"curved-warped"}, 0.1},      {Aqueduct, out, {"square"}, 0.75},
      {Aqueduct, in, {"straight-warped", NAN, 15}, 0.05}, {Aqueduct, in, {"straight-warped", NAN, 37}, 0.3},
      {Aqueduct, out, {"straight-warped", NAN, 13.5}, 0.4}, {Aqueduct, in, {"straight-warped", 0.12}, 0.12},
      {Siphon, in, {"reverse-warped"}, 0.10},      {Siphon, out, {"quarter-circle", NAN, 12.5}, 0.25},
      {Siphon, out, {"square-head"}, 0.75},        {Culvert, in, {"splayed-wall"}, 0.2},
      {Culvert, out, {"warped", 0.45}, 0.45},      {Culvert, in, {"", 0.33}, 0.33},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.choice.form);
    EXPECT_NEAR(transitionXi(row.family, row.end, row.choice, kInlet).toDouble(), row.xi, 1e-15);
  }
}

TEST(Transition, Refusals) {
  struct Row {
    const char* name;
    TransitionFamily family;
    TransitionChoice choice;
    MessageId id;
    const char* field;
  };
  using enum TransitionFamily;
  const Row rows[] = {
      {"unknown", Siphon, {"arc-wall"}, MessageId::UnknownForm, "inlet-form"},
      {"typed with one value", Aqueduct, {"splayed", 0.3}, MessageId::EitherInput, "xi1"},
      {"above the angle limit", Siphon, {"reverse-warped", NAN, 14}, MessageId::TableRange, "theta1"},
      {"ranged without angle", Aqueduct, {"straight-warped"}, MessageId::RangedFormNeedsXiOrAngle, "xi1"},
      {"ranged without angles", Culvert, {"warped"}, MessageId::RangedFormNeedsXi, "xi1"},
      {"typed outside", Culvert, {"warped", 0.25}, MessageId::TableRange, "xi1"},
      {"angle outside", Aqueduct, {"straight-warped", NAN, 12}, MessageId::TableRange, "theta1"},
      {"nothing", Aqueduct, {}, MessageId::MissingInput, "xi1"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    try {
      transitionXi(row.family, TransitionEnd::Inlet, row.choice, kInlet);
      ADD_FAILURE() << "no error";
    } catch (const CalcError& error) {
      EXPECT_EQ(error.problem().id, row.id);
      EXPECT_EQ(error.problem().field, row.field);
    }
  }
}

// An aqueduct's inlet from a 6.0 m wide surface to 2.0 m: 2.0/tan 18° =
// 6.155367 to 2.0/tan 11° = 10.289108 m; practice 2.5 · 4.0 = 10 m. A
// siphon's outlet over a 1.5 m deep canal: 6 to 9 m, practice 3.5 · 4 = 14 m.
TEST(Transition, Lengths) {
  const LengthRange aqueduct = transitionLength(StructureKind::Aqueduct, TransitionEnd::Inlet, Real(6), Real(2), Real(1.5));
  EXPECT_NEAR(aqueduct.low.toDouble(), 6.155367, 0.5e-6);
  EXPECT_NEAR(aqueduct.high.toDouble(), 10.289108, 0.5e-6);
  EXPECT_EQ(practiceLength(StructureKind::Aqueduct, TransitionEnd::Inlet, Real(6), Real(2), Real(1.5)), 10.0);
  const LengthRange siphon = transitionLength(StructureKind::Siphon, TransitionEnd::Outlet, Real(6), Real(2), Real(1.5));
  EXPECT_EQ(siphon.low.toDouble(), 6.0);
  EXPECT_EQ(siphon.high.toDouble(), 9.0);
  EXPECT_EQ(practiceLength(StructureKind::Siphon, TransitionEnd::Outlet, Real(6), Real(2), Real(1.5)), 14.0);
  // A structure as wide as its canal still takes the clause's least length.
  EXPECT_EQ(practiceLength(StructureKind::Siphon, TransitionEnd::Inlet, Real(2), Real(2), Real(1.5)), 4.5);
}

}  // namespace
}  // namespace channelflow::calc::structures
