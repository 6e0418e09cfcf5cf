// The reach against MacDonald's analytic benchmarks: sections 5 m apart in
// a 1000 m channel, contraction and expansion coefficients 0, the depth
// within 1 mm of the exact one everywhere, and a jump within one section
// spacing of its exact station.
#include <gtest/gtest.h>

#include <cmath>

#include "calc/reach/reach.h"
#include "tests/support/macdonald_reach.h"

namespace channelflow::calc {
namespace {

using testing::kMacDonaldCases;
using testing::MacDonaldCase;

TEST(MacDonald, DepthsWithinAMillimetreAndTheJumpWithinASpacing) {
  constexpr int kSections = 201;
  const double spacing = testing::kMacDonaldLength / (kSections - 1);
  for (const MacDonaldCase& c : kMacDonaldCases) {
    SCOPED_TRACE(c.name);
    const testing::MacDonaldReach file = testing::macDonaldReach(c, kSections);
    ReachSettings settings;
    settings.rule = FrictionRule::AverageConveyance;
    const Reach reach = readReach(file.csv, settings);
    const FlowSurface flow = computeFlow(reach, reach.flows.front());
    double worst = 0;
    for (std::size_t k = 0; k < flow.surface.nodes.size(); ++k) {
      const NodeDepth& node = flow.surface.nodes[k];
      ASSERT_TRUE(node.known) << "x = " << file.x[k];
      if (std::fabs(file.x[k] - c.jump) <= spacing) continue;
      worst = std::fmax(worst, std::fabs(node.h.toDouble() - c.depth(file.x[k])));
    }
    EXPECT_LT(worst, 1e-3);
    RecordProperty(std::string(c.name) + " worst depth error (mm)", std::to_string(worst * 1000));
    if (std::isnan(c.jump)) {
      EXPECT_TRUE(flow.surface.jumps.empty());
      continue;
    }
    ASSERT_EQ(flow.surface.jumps.size(), 1u);
    const Jump& jump = flow.surface.jumps.front();
    const double station = file.x[jump.before] + jump.share.toDouble() * spacing;
    EXPECT_NEAR(station, c.jump, spacing);
  }
}

}  // namespace
}  // namespace channelflow::calc
