// The hydraulic jump in a channel of any section: the sequent depth that
// keeps the momentum function M = Q^2/(g A) + A ybar (ybar the centroid's
// depth below the surface) across the jump, and the energy it dissipates.
#pragma once

#include <string_view>

#include "calc/section.h"
#include "calc/units.h"

namespace channelflow::sections {

// By the upstream Froude number: 1-1.7 undular, 1.7-2.5 weak, 2.5-4.5
// oscillating, 4.5-9 steady, above 9 strong.
enum class JumpType { Undular, Weak, Oscillating, Steady, Strong };

// "波状水跃", "弱水跃", "摆动水跃", "稳定水跃" or "强水跃".
std::string_view jumpTypeName(JumpType type);
JumpType jumpTypeOf(double upstreamFroude);

struct JumpSide {
  double h = 0, A = 0, v = 0, Fr = 0, E = 0;
};

struct HydraulicJump {
  double hc = 0;
  JumpSide upstream;    // supercritical
  JumpSide downstream;  // subcritical
  double M = 0;         // the momentum function on both sides
  double energyLoss = 0;     // E1 - E2
  double relativeLoss = 0;   // (E1 - E2) / E1
  double height = 0;         // h2 - h1
  JumpType type = JumpType::Undular;
  bool givenDownstream = false;  // the given depth was subcritical: its supercritical sequent was found
};

// M at depth h, to rounding. No checks.
double momentumFunction(const Section& section, double Q, double h, const Units& units);

// The jump through depth h: a supercritical h is the depth before the jump
// and its subcritical sequent is found; a subcritical h is the depth after it
// and its supercritical sequent is found. Throws FlowError for invalid input,
// for a jump that would fill a circle, and for h at the critical depth.
HydraulicJump hydraulicJump(const Section& section, double Q, double h, const Units& units);

}  // namespace channelflow::sections
