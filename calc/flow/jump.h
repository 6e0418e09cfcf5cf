// The hydraulic jump in a channel of any section: the sequent depth that
// keeps the momentum function M = Q^2/(g A) + A ybar (ybar the centroid's
// depth below the surface) across the jump, and the energy it dissipates.
#pragma once

#include "calc/sections/channel.h"

namespace channelflow::calc {

// By the upstream Froude number: 1-1.7 undular, 1.7-2.5 weak, 2.5-4.5
// oscillating, 4.5-9 steady, above 9 strong. The catalog's term.
const char* jumpTypeTerm(const Real& upstreamFroude);

struct JumpSide {
  Real h, A, v, Fr, E;
  bool full = false;  // a circle running full: no Froude number
};

struct HydraulicJump {
  Real hc;
  JumpSide upstream;    // supercritical
  JumpSide downstream;  // subcritical
  Real M;               // the momentum function on both sides
  Real energyLoss;      // E1 - E2
  Real relativeLoss;    // (E1 - E2) / E1
  Real height;          // h2 - h1
  bool givenDownstream = false;  // the given depth was subcritical: its supercritical sequent was found
};

// The jump through depth h (0 < h <= full depth) carrying Q > 0: a
// supercritical h is the depth before the jump and its subcritical sequent is
// found; a subcritical h is the depth after it and its supercritical sequent
// is found. A surveyed section's momentum may have several lows: its sequent
// is the one nearest hc (its energies carry alpha; the momentum takes the
// mean velocity). Throws CalcError for a jump that would fill a circle and for h
// at the critical depth. The channel's slope and roughness are not used.
HydraulicJump hydraulicJump(const Channel& channel, const Real& Q, const Real& h);

}  // namespace channelflow::calc
