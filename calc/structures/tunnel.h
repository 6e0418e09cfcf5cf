// The free-surface tunnel (隧洞), §15: a circle, an arch-roofed section or a
// horseshoe in uniform flow at each of its flows, the free area and height
// above the water against §15.2.6 (15 % and 0.4 m, at the design and the
// enlarged flow), the head it costs (i L and its transitions, whose
// coefficients practice borrows from Table K.1.2), and its sizing at the
// enlarged flow (§15.2.5) with practice's least sizes for construction.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "calc/sections/channel.h"
#include "calc/structures/check.h"
#include "calc/structures/conduit_flow.h"
#include "calc/structures/flows.h"
#include "calc/structures/transition.h"

namespace channelflow::calc::structures {

struct TunnelInput {
  FlowsInput flows;
  double g = 0;     // 0: kStandardGravity
  Channel section;  // a closed section (circle, arch, horseshoe), its n and slope
  double L = 0;
  TransitionChoice inletTransition, outletTransition;  // Table K.1.2's forms or typed ξ
  std::array<std::optional<BarrelEnds>, 3> ends;     // by FlowCase
};

using TunnelFlow = BarrelFlow;

struct TunnelResult {
  double g = 0;
  Real crown, fullArea;
  Real xi1, xi2;
  std::vector<TunnelFlow> flows;
  std::vector<Check> checks;
};

// Throws CalcError for a section that is not closed; a flow the tunnel
// cannot carry with a free surface is a failed check.
TunnelResult tunnel(const TunnelInput& input);

// Sizing (§15.2.5): the least size for which the design and enlarged flows
// keep their clearances, no less than practice's least for construction
// (D 2.0 m; B 1.8 m and H 2.0 m; r 1.0 m), rounded up to 0.1 m. An arch
// keeps H = heightRatio B and a semicircular roof.
enum class TunnelShape : std::uint8_t { Circle, Arch, Horseshoe };
struct TunnelSizing {
  double adopted = 0;  // D, B or r
  double height = 0;   // an arch's H
  TunnelResult result;
};
TunnelSizing sizeTunnel(TunnelInput input, TunnelShape shape, double heightRatio = 1.2, int horseshoeType = 1);

}  // namespace channelflow::calc::structures
