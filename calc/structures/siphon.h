// The inverted siphon (倒虹吸), §10 and Appendix L: for each of its flows
// the velocity in N barrels (circular, diameter D, or box B × H), the
// friction loss, every local loss coefficient and their sum, the pipe loss
// z = h_f + h_j, and with the canal velocities at its ends the balance
//   ΔZ = ΔZ1 + ΔZ2 - ΔZ3          (L.1.6, §10.3.5)
// of the inlet transition ΔZ1, the barrels from the end of the inlet
// transition to the outlet ΔZ2 = z + (v^2 - v2^2)/2g, and the outlet
// transition's recovery ΔZ3; the capacity by L.1.5, the outlet canal's bed
// by §10.3.6 and the checks of §10.3.2 and §10.3.7.
#pragma once

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "calc/sections/channel.h"
#include "calc/structures/check.h"
#include "calc/structures/flows.h"
#include "calc/structures/rounding.h"
#include "calc/structures/siphon_tables.h"
#include "calc/structures/transition.h"

namespace channelflow::calc::structures {

// A trash rack: ξ = [β (s/b)^(4/3) + β2 (s2/b2)^(4/3)] sin α (ω/ω_rack)^2.
struct Rack {
  double beta = 0, s = 0, b = 0;              // bar shape factor (Table L.1.4-1), thickness, clear spacing
  double pierBeta = 0, pierS = 0, pierB = 0;  // the piers', when it has them (pierBeta 0: none)
  double angle = 90;                          // to the horizontal, degrees
  double area = 0;                            // the flow area at the rack; 0: the barrel's
};

// A bend of the barrels: its radius and deflection (degrees).
struct Bend {
  double R = 0;
  double angle = 0;
};

// The canal velocities at one flow: v1 at the start of the inlet
// transition, v2 at its end, v3 in the downstream canal; and, for the
// levels, the canal depths upstream and downstream (NaN: unknown).
struct SiphonEnds {
  double v1 = 0, v2 = 0, v3 = 0;
  double hu = NAN, hd = NAN;
};

struct SiphonInput {
  FlowsInput flows;
  double g = 0;  // 0: kStandardGravity
  int barrels = 1;
  double D = 0;         // a circular barrel's diameter, or
  double B = 0, H = 0;  // a box barrel's width and height
  double L = 0;         // length of each barrel
  double n = 0;         // Manning's n of the barrels
  // The entrance: a form of Table L.1.4-2 or a typed ζ (within a ranged form's range).
  std::string entrance;
  double inletZeta = NAN;
  int gateSlots = 0;
  double slotZeta = 0.1;  // each slot's (flat gate 0.05–0.15)
  double slotArea = 0;    // the flow area at the slots; 0: the barrel's
  std::optional<Rack> rack;
  std::vector<Bend> bends;
  // The outlet into the open channel: ω_pipe/ω_channel read in Table
  // L.1.4-5, or a typed ξc.
  double outletRatio = 0;
  OutletRule outletRule = OutletRule::AsPrinted;
  double outletZeta = NAN;
  int bypasses = 0;  // openings of 0.1 each (flushing, emptying, manholes)
  // The open transitions, forms of Table L.1.2 or typed ξ1 and ξ2.
  TransitionChoice inletTransition, outletTransition;
  // The ends at each flow (indexed by FlowCase): typed, or from the canals
  // below when these are given (their normal depths carrying the flow).
  std::array<std::optional<SiphonEnds>, 3> ends;
  std::optional<Channel> upstreamCanal, downstreamCanal;
  double chamberWidth = 0;  // the rectangular inlet chamber at the end of the inlet transition; 0: v2 = v1
  // Levels and limits, each optional (NaN).
  double upstreamBed = NAN;                    // H_u: the bed at the end of the upstream canal
  double allowedHead = NAN;                    // the head allocated to the siphon in planning
  double inletCrown = NAN, outletCrown = NAN;  // elevations of the barrels' crowns at the inlet and the outlet
  double vnp = NAN;                            // the non-silting velocity the minimum flow must exceed
};

// A bend's coefficient ζ = γ ξ90 and what it was read from.
struct BendTerm {
  Real ratio, xi90, gamma, zeta;  // R/D0, Table L.1.4-3's ξ90 there, Table L.1.4-4's γ
};

// The local loss coefficients, referred to the barrel's velocity.
struct SiphonZeta {
  Real inlet, slots, rack, bends, outlet, bypass, sum;
  std::vector<BendTerm> eachBend;
};

struct SiphonFlow {
  FlowCase which = FlowCase::Design;
  Real Q, q;             // the flow, and each barrel's share
  Real v, velocityHead;  // in the barrels
  Real friction;         // 2 g L / (C^2 R), so that h_f = friction v^2/2g
  Real hf, hj, z;        // z = h_f + h_j
  bool hasEnds = false;
  Real v1, v2, v3;
  Real dZ1, dZ2, dZ3, dZ;
  Real mu;                                             // L.1.5: Q = N mu ω sqrt(2 g ΔZ2)
  std::optional<Real> hu, hd;                          // the canal depths, when known
  std::optional<Real> upstreamLevel, downstreamLevel;  // water levels, when the beds are known
};

struct SiphonResult {
  double g = 0;
  int barrels = 1;
  Real area, perimeter, R, C;  // of one barrel
  Real xi1, xi2;               // the open transitions'
  SiphonZeta zeta;
  std::vector<SiphonFlow> flows;  // design, enlarged, minimum: those given
  std::optional<Real> outletBed;  // §10.3.6: H_d = H_u + h_u - h_d - ΔZ at the design flow
  std::vector<Check> checks;
};

// Throws CalcError naming the input for a value outside its table or
// range, an unknown form, or what a question lacks.
SiphonResult siphon(const SiphonInput& input);

// The ends a flow meets from the canals: v1 and h_u from the upstream
// canal's normal depth, v3 and h_d from the downstream one's, and v2 in the
// inlet chamber of the given width at the depth the inlet transition's drop
// leaves on the same bed (a few fixed-point steps), or v1 without a chamber.
SiphonEnds endsFromCanals(const Channel& upstream, const Channel& downstream, double chamberWidth, const Real& Q,
                          const Real& xi1, double g);

// Sizing circular barrels from a trial velocity (1.5–2.5 m/s): each barrel's
// area Q / (N v), the diameter that gives it, and the adopted diameter by the
// rule (practice's rounding or the prestressed series), at which every flow
// and check is then computed.
struct SiphonSizing {
  Real area, diameter;  // the trial's
  double adopted = 0;
  SiphonResult result;
};
SiphonSizing sizeSiphon(SiphonInput input, double trialVelocity, RoundingRule rule);

}  // namespace channelflow::calc::structures
