// The check gate, the drop and the chute, each worked by hand, and a mild
// chute's failed check.
#include <gtest/gtest.h>

#include "calc/structures/chute.h"
#include "calc/structures/drop.h"
#include "calc/structures/gate.h"
#include "calc/toolkit/problem.h"
#include "tests/calc/structure_expect.h"

namespace channelflow::calc::structures {
namespace {

// Bays 4.0 m wide, m = 0.36, v0 = 0.5, H = 1.5 over the sill:
// H0 = 1.5 + 1.05 · 0.25/19.6133 = 1.513384. Free (h_s = 0.8, 0.529 <= 0.72):
// Q = 0.36 · 4 · 4.428690 · 1.513384^1.5 = 11.873027. Submerged (h_s = 1.4):
// h_s/H0 = 0.925079, σ = 0.77 - 0.03 · 0.5079 = 0.754762, Q = 8.961311; and
// the head that passes 8.961311 over 1.4 is H = 1.5 again.
TEST(Gate, FreeAndSubmergedWorkedByHand) {
  const GateOpening bays{4.0, 0.36, 0.5};
  const GateFlow free = gateFlow(bays, 1.5, 0.8);
  const GateFlow drowned = gateFlow(bays, 1.5, 1.4);
  const GateFlow back = gateHead(bays, 8.961311, 1.4);
  const Printed rows[] = {
      {"H0", free.H0, 1.513384, 6},         {"free Q", free.Q, 11.873027, 6},
      {"ratio", drowned.ratio, 0.925079, 6}, {"sigma", drowned.sigma, 0.754762, 6},
      {"submerged Q", drowned.Q, 8.961311, 6}, {"H back", back.H, 1.5, 6}, {"loss", back.loss, 0.1, 6},
  };
  expectPrinted(rows);
  EXPECT_FALSE(free.submerged);
  EXPECT_TRUE(drowned.submerged);
}

// Q = 3.0 over a 2.5 m warped crest, v1 = 0.6: Q = (0.474 - 0.018 · 2.5/H0)
// · 2.5 · sqrt(2g) H0^1.5 gives H0 = 0.753488 (m = 0.414278), h1 = H0 -
// 1.05 · 0.36/2g = 0.734215. Basin below a 2.0 m fall, h_t = 1.2: q = 1.2;
// E0 = 2.0 + d + H0, h' = q/(0.95 sqrt(2g (E0 - h'))), h'' = h'/2 (sqrt(1 +
// 8q²/(g h'³)) - 1), d = 1.10 h'' - 1.2, to a fixed point: h' = 0.172863,
// h'' = 1.219854, d = 0.141839; L1 = 1.64 sqrt(H0 (2.0 + 0.24 H0)) =
// 2.102295, the basin 6.005827 to 7.347667 m.
TEST(Drop, CrestAndBasinWorkedByHand) {
  DropInput in;
  in.Q = 3.0;
  in.b = 2.5;
  in.v1 = 0.6;
  in.P = 2.0;
  in.tailwater = 1.2;
  const DropResult r = drop(in);
  const Printed rows[] = {
      {"H0", r.H0, 0.753488, 6},        {"m", r.m, 0.414278, 6},          {"h1", r.h1, 0.734215, 6},
      {"h'", r.contracted, 0.172863, 6}, {"h''", r.sequent, 1.219854, 6}, {"d", r.basinDepth, 0.141839, 6},
      {"E0", r.E0, 2.895327, 6},        {"L1", r.throwLength, 2.102295, 6},
      {"low", r.basinLengthLow, 6.005827, 6}, {"high", r.basinLengthHigh, 7.347667, 6},
  };
  expectPrinted(rows);
}

Channel rectangle(double b, double i) {
  Channel c;
  c.shape = Trapezoid::withSlopes(0, 0);
  c.size = Real(b);
  c.roughness.n = Real(0.014);
  c.i = Real(i);
  return c;
}

// A steep chute runs from its critical depth down toward its normal depth;
// each point's aerated depth is (1 + ζ v/100) h and the wall stands the
// freeboard over the deepest. On a mild bed there is no drawdown: a failed check.
TEST(Chute, ProfileAndWalls) {
  ChuteInput in;
  in.chute = rectangle(2.0, 0.05);
  in.Q = 4.0;
  in.L = 30;
  in.steps = 30;
  in.zeta = 1.2;
  const ChuteResult r = chute(in);
  EXPECT_EQ(findCheck(r.checks, "chute-steep")->verdict, Verdict::Pass);
  ASSERT_EQ(r.profile.points.size(), 31u);
  EXPECT_NEAR(r.profile.points.front().h, r.hc.toDouble(), 1e-5);
  for (std::size_t k = 1; k < r.profile.points.size(); ++k) {
    const ProfilePoint& p = r.profile.points[k];
    EXPECT_LT(p.h, r.profile.points[k - 1].h);
    EXPECT_GT(Real(p.h), r.hn);
    EXPECT_DOUBLE_EQ(r.aerated[k], (1 + 1.2 * p.v / 100) * p.h);
  }
  EXPECT_DOUBLE_EQ(r.wallHeight, r.deepestAerated + 0.5);
  in.chute = rectangle(2.0, 0.001);
  const ChuteResult mild = chute(in);
  EXPECT_EQ(findCheck(mild.checks, "chute-steep")->verdict, Verdict::Fail);
  EXPECT_TRUE(mild.profile.points.empty());
}

}  // namespace
}  // namespace channelflow::calc::structures
