// A river reach: surveyed cross-sections in downstream order, each divided
// at its banks into the left overbank, the channel and the right overbank;
// between each two the friction over the flow-weighted reach length and the
// contraction or expansion loss; its flows, each changing where the file
// says, and their boundary conditions; and per flow the water surface by the
// standard step: subcritical from the downstream boundary, supercritical
// from the upstream one, mixed with its jumps where both are given.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/line/chain.h"
#include "calc/line/friction_slope.h"
#include "calc/line/march.h"
#include "calc/reach/boundary.h"

namespace channelflow::calc {

struct ReachSettings {
  UnitSystem units = UnitSystem::SI;
  // Given as inputs, in place of the file's: the friction slope's rule
  // (average conveyance where neither gives one), the flows (the same all
  // along) and the boundaries.
  std::optional<FrictionRule> rule;
  std::optional<std::string> flows, downstream, upstream;
};

struct ReachSection {
  int leftBank = 0, rightBank = 0;   // the points the banks stand on
  std::array<Real, kSides> lengths;  // to the next section down; the last section's are 0
  double contraction = 0.1, expansion = 0.3;
};

struct ReachFlow {
  std::string name;   // as typed at the first section
  std::vector<Real> Q;  // per section
  std::optional<Boundary> downstream, upstream;
};

struct Reach {
  Chain chain;
  std::vector<ReachSection> sections;
  std::vector<ReachFlow> flows;
  FrictionRule rule = FrictionRule::AverageConveyance;
};

// The reach of a file's text (calc/reach/reach_file.h) and the settings.
// Throws CalcError naming the input at fault ("file" with the row and its
// column, or the input that replaced the file's), every problem of the rows
// at once (the first ten).
inline constexpr std::size_t kMaxReachSections = 20000;
inline constexpr std::size_t kMaxReachFlows = 100;
Reach readReach(std::string_view text, const ReachSettings& settings);

struct FlowSurface {
  FlowAlong along;
  Surface surface;
};

// The flow's water surface. Throws CalcError naming the boundary that
// cannot be met (a level below the bed or above the section).
FlowSurface computeFlow(const Reach& reach, const ReachFlow& flow);

}  // namespace channelflow::calc
