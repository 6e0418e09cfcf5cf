// Tunnels and culverts against test vector TV4 of canal-line.md §16, the
// cells of Tables M.0.3-1 and 11.2.5, a flow a tunnel cannot carry with its
// clearance (a failed check, not an error), and sizing with practice's
// least sizes.
#include <gtest/gtest.h>

#include "calc/flow/flow_state.h"
#include "calc/structures/culvert.h"
#include "calc/structures/tunnel.h"
#include "calc/toolkit/problem.h"
#include "tests/calc/structure_expect.h"

namespace channelflow::calc::structures {
namespace {

Channel section(Shape shape, double size) {
  Channel c;
  c.shape = shape;
  c.size = Real(size);
  c.roughness.n = Real(0.014);
  c.i = Real(1.0 / 2000);
  return c;
}

// TV4: a circular tunnel D = 2.0 running 1.5 deep: A = 2.527408, free area
// 19.55 % >= 15 %, clear height 0.5 >= 0.4: passes §15.2.6.
TEST(Tunnel, TestVectorFour) {
  TunnelInput in;
  in.section = section(Circle{}, 2.0);
  in.flows.Q = uniformFlow(in.section, Real(1.5)).Q.toDouble();
  in.L = 500;
  const TunnelResult r = tunnel(in);
  const TunnelFlow& f = r.flows.at(0);
  const Printed rows[] = {
      {"h", f.h, 1.5, 9}, {"A", f.A, 2.527408, 6}, {"free area", f.freeAreaPct, 19.55, 2},
      {"clear height", f.freeHeight, 0.5, 9}, {"Z2", f.Z2, 0.25, 12},
  };
  expectPrinted(rows);
  for (const Check& check : r.checks) EXPECT_EQ(check.verdict, Verdict::Pass) << check.rule;
}

// An enlarged flow above what the horseshoe carries with a free surface:
// the clearance checks fail and say what it carries; the design flow passes.
TEST(Tunnel, FlowBeyondItsCapacityFailsItsChecks) {
  TunnelInput in;
  in.section = section(Horseshoe{1}, 1.0);
  in.flows.Q = 2.0;
  in.flows.Qj = 8.0;
  in.L = 300;
  const TunnelResult r = tunnel(in);
  EXPECT_TRUE(r.flows.at(0).carried);
  EXPECT_FALSE(r.flows.at(1).carried);
  const Check* area = findCheck(r.checks, "tunnel-free-area-enlarged");
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(area->verdict, Verdict::Fail);
  EXPECT_EQ(area->numbers.back().symbol, "Qmax");
  EXPECT_LT(area->numbers.back().value, Real(8.0));
  EXPECT_EQ(findCheck(r.checks, "tunnel-free-area")->verdict, Verdict::Pass);
}

// Sizing at the enlarged flow: the least size keeping both clearances,
// rounded up to 0.1 m and no smaller than practice's least; a small flow
// gets the least size itself.
TEST(Tunnel, Sizing) {
  TunnelInput in;
  in.section = section(Circle{}, 1.0);
  in.flows = {6.0, 7.5, 0, 0};
  in.L = 800;
  const TunnelSizing circle = sizeTunnel(in, TunnelShape::Circle);
  TunnelInput smaller = in;
  smaller.section = section(Circle{}, circle.adopted - 0.1);
  bool fails = false;
  for (const Check& check : tunnel(smaller).checks) fails = fails || check.verdict == Verdict::Fail;
  EXPECT_TRUE(fails || circle.adopted == 2.0);
  for (const Check& check : circle.result.checks) EXPECT_EQ(check.verdict, Verdict::Pass) << check.rule;
  in.flows = {0.5, 0.6, 0, 0};
  EXPECT_EQ(sizeTunnel(in, TunnelShape::Circle).adopted, 2.0);
  EXPECT_EQ(sizeTunnel(in, TunnelShape::Horseshoe).adopted, 1.0);
  const TunnelSizing arch = sizeTunnel(in, TunnelShape::Arch, 1.2);
  EXPECT_EQ(arch.adopted, 1.8);  // the least width, its height 1.2 B = 2.16 rounded up
  EXPECT_EQ(arch.height, 2.2);
  EXPECT_EQ(sizeTunnel(in, TunnelShape::Arch, 1.0).height, 2.0);  // 2.0 m high needs B = 2.0
}

// TV4's culverts: Table 11.2.5 with 0.4 m: a rectangle D = 2.0 keeps 0.40,
// an arch D = 3.5 keeps 0.75, a circle D = 1.2 keeps 0.40. Regime: D = 2.0,
// H = 2.2 <= 1.2 D, h = 1.5 < D: free surface; L = 30 >= 8 H: long.
TEST(Culvert, TestVectorFour) {
  EXPECT_EQ(leastClearHeight(CulvertShape::Rectangle, Real(2.0)), Real(0.4));
  EXPECT_EQ(leastClearHeight(CulvertShape::Arch, Real(3.5)), Real(0.75));
  EXPECT_EQ(leastClearHeight(CulvertShape::Circle, Real(1.2)), Real(0.4));
  EXPECT_EQ(leastClearHeight(CulvertShape::Circle, Real(2.4)), Real(0.6));
  EXPECT_EQ(culvertRegime(Real(2.2), Real(1.5), Real(2.0)), CulvertRegime::FreeSurface);
  EXPECT_TRUE(isLongCulvert(Real(30), Real(2.2)));
  EXPECT_EQ(culvertRegime(Real(2.6), Real(1.5), Real(2.0)), CulvertRegime::SemiPressure);
  EXPECT_EQ(culvertRegime(Real(3.0), Real(1.5), Real(2.0)), CulvertRegime::FreePressure);
  EXPECT_EQ(culvertRegime(Real(3.0), Real(2.0), Real(2.0)), CulvertRegime::SubmergedPressure);
}

// Table M.0.3-1 at its rows and between them; nothing past 0.998.
TEST(Culvert, SubmergenceTable) {
  const std::pair<double, double> cells[] = {{0.5, 1.00}, {0.72, 1.00}, {0.75, 0.99}, {0.91, 0.80},
                                             {0.925, 0.755}, {0.995, 0.28}, {0.998, 0.19}};
  for (const auto& [ratio, sigma] : cells) {
    SCOPED_TRACE(ratio);
    EXPECT_NEAR(submergenceFactor(Real(ratio), "h").toDouble(), sigma, 1e-15);
  }
  EXPECT_THROW(submergenceFactor(Real(0.999), "h"), CalcError);
}

// A box culvert B = 2.0, D = 1.8 carrying the flow of 1.4 m depth: free
// area 22.2 % (inside 10–30 %), the enlarged flow's clear height checked
// against Table 11.2.5's 0.4 m; with 0.7 m/s canals and splayed walls
// (0.2, 0.5) its head is Z1 + i L - Z3.
TEST(Culvert, CanalCulvert) {
  Channel box = section(Trapezoid::withSlopes(0, 0), 2.0);
  CulvertInput in;
  in.flows.Q = uniformFlow(box, Real(1.4)).Q.toDouble();
  in.flows.enlarge = 15;
  in.B = 2.0;
  in.D = 1.8;
  in.i = 1.0 / 2000;
  in.L = 40;
  in.inletTransition.form = "splayed-wall";
  in.outletTransition.form = "splayed-wall";
  in.ends[0] = BarrelEnds{0.7, 0.7};
  const CulvertResult r = culvert(in);
  const CulvertFlow& f = r.flows.at(0);
  EXPECT_NEAR(f.h.toDouble(), 1.4, 1e-14);
  EXPECT_NEAR(f.freeAreaPct.toDouble(), 100.0 / 9 * 2, 1e-12);
  const Real head = (f.v * f.v - Real(0.49)) / Real(2 * kStandardGravity);
  EXPECT_NEAR(f.dZ.toDouble(), (Real(1.2) * head + Real(0.02) - Real(0.5) * head).toDouble(), 1e-15);
  EXPECT_EQ(f.regime, CulvertRegime::FreeSurface);
  EXPECT_EQ(findCheck(r.checks, "culvert-free-area")->verdict, Verdict::Pass);
  EXPECT_EQ(findCheck(r.checks, "culvert-free-area-upper")->verdict, Verdict::Pass);
  const Check* clear = findCheck(r.checks, "culvert-clear-height");
  EXPECT_EQ(clear->numbers.at(0).value, Real(1.8) - r.flows.at(1).h);
}

}  // namespace
}  // namespace channelflow::calc::structures
