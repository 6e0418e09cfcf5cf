// The aqueduct against test vector TV2 of canal-line.md §16, a U trough
// worked by hand with grade 1–3 friction, a curved trough, and the sizing
// of a width for a height ratio.
#include <gtest/gtest.h>

#include "calc/flow/flow_state.h"
#include "calc/structures/aqueduct.h"
#include "calc/toolkit/problem.h"
#include "tests/calc/structure_expect.h"

namespace channelflow::calc::structures {
namespace {

// TV2: B = 2.0, n = 0.014, i = 1/1000, L = 120, carrying the flow of depth
// 1.2; v1 = v3 = 0.7; 圆弧直墙 transitions (0.2, 0.5); Qj = 1.25 Q.
AqueductInput tv2() {
  Channel trough;
  trough.shape = Trapezoid::withSlopes(0, 0);
  trough.size = Real(2.0);
  trough.roughness.n = Real(0.014);
  trough.i = Real(0.001);
  AqueductInput in;
  in.flows.Q = uniformFlow(trough, Real(1.2)).Q.toDouble();
  in.flows.enlarge = 25;
  in.B = 2.0;
  in.n = 0.014;
  in.i = 0.001;
  in.L = 120;
  in.inletTransition.form = "arc-wall";
  in.outletTransition.form = "arc-wall";
  in.ends[0] = AqueductEnds{0.7, 0.7};
  in.heightStep = 0;
  return in;
}

TEST(Aqueduct, TestVectorTwo) {
  const AqueductInput in = tv2();
  const AqueductResult r = aqueduct(in);
  const AqueductFlow& f = r.flows.at(0);
  const Printed rows[] = {
      {"Q", f.Q, 3.619003, 6},   {"h", f.h, 1.2, 9},          {"R", f.R, 0.545455, 6},
      {"v", f.v, 1.507918, 6},   {"Z1", f.Z1, 0.109139, 6},   {"Z2", f.Z2, 0.120000, 6},
      {"Z3", f.Z3, 0.045475, 6}, {"dZ", f.dZ, 0.183665, 6},   {"Qj", r.flows.at(1).Q, 4.523753, 6},
      {"hj", r.flows.at(1).h, 1.426837, 6}, {"H at Qs", r.designHeight, 1.35, 9},
      {"H", r.heightNeeded, 1.526837, 6},   {"H/B", r.heightRatio, 0.763, 3},
  };
  expectPrinted(rows);
  EXPECT_EQ(findCheck(r.checks, "aqueduct-velocity")->verdict, Verdict::Pass);
  EXPECT_EQ(findCheck(r.checks, "aqueduct-height-ratio")->verdict, Verdict::Pass);
}

// A U trough worked by hand, grade 3: R0 = 1.0, n = 0.014, i = 1/1500,
// L = 200; Q = 2.5, Qj = 3.0; both canals trapezoids b = 2.0, m = 1.5,
// n = 0.025, i = 1/4000; straight warped inlet at θ1 = 20° (ξ1 = 0.05 +
// 0.25 · 5/22 = 0.106818) over 10 m, 圆弧直墙 outlet (0.5) over 14 m.
// Manning: the trough's h = 1.212658 (v = 1.252434), the canal's 1.245987
// (v = 0.518597). J̄ = (1/4000 + 1/1500)/2 = 0.000458333.
// Z1 = 1.106818 (1.252434² - 0.518597²)/2g + 10 J̄ = 0.077925;
// Z2 = 200/1500 = 0.133333; Z3 = 0.5 (1.252434² - 0.518597²)/2g - 14 J̄ =
// 0.026715; ΔZ = 0.184543. Heights: 1.212658 + 0.2 = 1.412658 at Q,
// h_j + 0.1 = 1.465190 at Qj, which governs: H = 1.47, H/2R0 = 0.735.
// K.1.3 from a bed of 100: ∇1 = 100 + 1.245987 - Z1 - h = 99.955404,
// ∇2 = 99.822070, ∇4 = ∇2 + h + Z3 - h2 = 99.815457.
TEST(Aqueduct, UTroughGradeThree) {
  Channel canal;
  canal.shape = Trapezoid::withSlopes(1.5, 1.5);
  canal.size = Real(2.0);
  canal.roughness.n = Real(0.025);
  canal.i = Real(1.0 / 4000);
  AqueductInput in;
  in.flows = {2.5, 3.0, 0, 0};
  in.shape = TroughShape::U;
  in.R0 = 1.0;
  in.n = 0.014;
  in.i = 1.0 / 1500;
  in.L = 200;
  in.grade = 3;
  in.inletTransition = {"straight-warped", NAN, 20};
  in.outletTransition.form = "arc-wall";
  in.upstreamCanal = canal;
  in.downstreamCanal = canal;
  in.inletLength = 10;
  in.outletLength = 14;
  in.upstreamBed = 100;
  const AqueductResult r = aqueduct(in);
  const AqueductFlow& f = r.flows.at(0);
  const Printed rows[] = {
      {"h", f.h, 1.212658, 6},     {"v", f.v, 1.252434, 6},    {"v1", f.v1, 0.518597, 6},
      {"Z1", f.Z1, 0.077925, 6},   {"Z2", f.Z2, 0.133333, 6},  {"Z3", f.Z3, 0.026715, 6},
      {"dZ", f.dZ, 0.184543, 6},   {"enlarged dZ", r.flows.at(1).dZ, 0.187764, 6},
      {"H design", r.designHeight, 1.412658, 6}, {"H enlarged", r.enlargedHeight, 1.465190, 6},
      {"ratio", r.heightRatio, 0.735, 9},        {"inlet bottom", *r.inletBottom, 99.955404, 6},
      {"outlet bottom", *r.outletBottom, 99.822070, 6}, {"downstream bed", *r.downstreamBed, 99.815457, 6},
  };
  expectPrinted(rows);
  EXPECT_EQ(r.H, 1.47);
  EXPECT_EQ(findCheck(r.checks, "aqueduct-long-trough")->verdict, Verdict::Pass);
  EXPECT_EQ(findCheck(r.checks, "aqueduct-height-ratio")->verdict, Verdict::Pass);
}

// A curved trough: the rise K.1.4 puts across it, Δh = v² A / (g r h) =
// v² B / (g r) for a rectangle, lifts the freeboard by half of it; a radius
// below six surface widths fails §9.2.2-2.
TEST(Aqueduct, CurvedTrough) {
  AqueductInput in = tv2();
  in.bendRadius = 10;
  const AqueductResult r = aqueduct(in);
  const AqueductFlow& f = r.flows.at(0);
  const Real rise = f.v * f.v * Real(2.0) / (Real(kStandardGravity) * Real(10));
  EXPECT_NEAR(f.bendRise.toDouble(), rise.toDouble(), 1e-15);
  EXPECT_NEAR(r.designHeight.toDouble(), (Real(1.35) + rise / 2).toDouble(), 1e-15);
  EXPECT_EQ(findCheck(r.checks, "aqueduct-bend-radius")->verdict, Verdict::Fail);
}

// Sizing for H/B = 0.8: TV2's flow wants the width at which the enlarged
// height is 0.8 B; rounded up to the centimetre, its height fits.
TEST(Aqueduct, SizingForARatio) {
  AqueductInput in = tv2();
  in.heightStep = 0.01;
  const AqueductSizing s = sizeAqueduct(in, 0.8);
  EXPECT_GE(s.adopted, s.exact.toDouble());
  EXPECT_LT(s.adopted - s.exact.toDouble(), 0.01);
  EXPECT_LE(s.result.heightNeeded.toDouble(), 0.8 * s.adopted);
  EXPECT_EQ(findCheck(s.result.checks, "aqueduct-height-ratio")->verdict, Verdict::Pass);
}

// A short trough as a submerged weir (g = 9.81): B = 2, H0 = 1.0, h_s =
// 0.85 (σ = 0.93 - 0.03 · 0.5 = 0.915), m = 0.35, ε = 0.85: Q = 0.85 · 0.915
// · 0.35 · 2 · sqrt(19.62) = 2.411502. A U trough: A = 2.0, Z1 = 0.12,
// v1 = 0.8 (Z0 = 0.152620), φ = 0.92, ε = 0.85: Q = 1.564 sqrt(19.62 Z0) = 2.706398.
TEST(Aqueduct, ShortTroughAsAWeir) {
  const Printed rows[] = {
      {"rectangle", shortRectangularTrough(Real(2), Real(1.0), Real(0.85), 0.35, 0.85, 9.81), 2.411502, 6},
      {"U", shortShapedTrough(Real(2.0), Real(0.12), Real(0.8), 0.92, 0.85, 9.81), 2.706398, 6},
  };
  expectPrinted(rows);
  EXPECT_THROW(shortRectangularTrough(Real(2), Real(1.0), Real(0.85), 0.35, 0.95, 9.81), CalcError);
}

TEST(Aqueduct, BadInputs) {
  AqueductInput in = tv2();
  in.grade = 2;
  try {
    aqueduct(in);
    ADD_FAILURE() << "no error";
  } catch (const CalcError& error) {
    EXPECT_EQ(error.problem().id, MessageId::MissingInput);
    EXPECT_EQ(error.problem().field, "upstream-canal");
  }
  in = tv2();
  in.inletTransition = {"straight-warped", NAN, 40};
  try {
    aqueduct(in);
    ADD_FAILURE() << "no error";
  } catch (const CalcError& error) {
    EXPECT_EQ(error.problem().id, MessageId::TableRange);
    EXPECT_EQ(error.problem().field, "theta1");
  }
}

}  // namespace
}  // namespace channelflow::calc::structures
