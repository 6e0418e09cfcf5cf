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

}  // namespace
}  // namespace channelflow::calc::structures
