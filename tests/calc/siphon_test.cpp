// The inverted siphon against test vector TV1 of canal-line.md §16, a
// worked siphon by hand with a rack, bends read between rows and three
// flows, the cells of Appendix L's tables, and its refusals.
#include <gtest/gtest.h>

#include <cmath>

#include "calc/structures/siphon.h"
#include "calc/toolkit/problem.h"
#include "tests/calc/structure_expect.h"

namespace channelflow::calc::structures {
namespace {

// TV1: Q = 2.0, one barrel D = 1.2, L = 150, n = 0.014; entrance 0.20, one
// slot 0.10, two bends R = 3.6 at 30°, outlet ratio 0.4; v1 = 0.8, v2 = 1.0,
// v3 = 0.8; reverse warped transitions (0.10, 0.20).
SiphonInput tv1() {
  SiphonInput in;
  in.flows.Q = 2.0;
  in.D = 1.2;
  in.L = 150;
  in.n = 0.014;
  in.inletZeta = 0.20;
  in.gateSlots = 1;
  in.bends = {{3.6, 30}, {3.6, 30}};
  in.outletRatio = 0.4;
  in.inletTransition.form = "reverse-warped";
  in.outletTransition.form = "reverse-warped";
  in.ends[0] = SiphonEnds{0.8, 1.0, 0.8, 1.50, 1.45};
  in.upstreamBed = 100.0;
  return in;
}

TEST(Siphon, TestVectorOne) {
  SiphonInput in = tv1();
  in.allowedHead = 0.653368;
  const SiphonResult r = siphon(in);
  const SiphonFlow& f = r.flows.at(0);
  const Printed rows[] = {
      {"A", r.area, 1.130973, 6},     {"v", f.v, 1.768388, 6},          {"v2/2g", f.velocityHead, 0.159443, 6},
      {"2gL/C2R", f.friction, 2.871241, 6}, {"hf", f.hf, 0.457798, 6},  {"sum zeta", r.zeta.sum, 1.056, 9},
      {"bend", r.zeta.eachBend.at(1), 0.198, 9}, {"outlet", r.zeta.outlet, 0.36, 9},
      {"hj", f.hj, 0.168371, 6},      {"hw", f.z, 0.626170, 6},         {"dZ1", f.dZ1, 0.020190, 6},
      {"dZ2", f.dZ2, 0.734627, 6},    {"dZ3", f.dZ3, 0.101449, 6},      {"dZ", f.dZ, 0.653368, 6},
      {"outlet bed", *r.outletBed, 99.396632, 6}, {"mu", f.mu, 0.465874, 6},
  };
  expectPrinted(rows);
  const Check* capacity = findCheck(r.checks, "siphon-capacity");
  ASSERT_NE(capacity, nullptr);
  EXPECT_NEAR(capacity->numbers.at(0).value.toDouble(), 2.0000, 0.5e-4);
  EXPECT_EQ(findCheck(r.checks, "siphon-velocity")->verdict, Verdict::Pass);
}

}  // namespace
}  // namespace channelflow::calc::structures
