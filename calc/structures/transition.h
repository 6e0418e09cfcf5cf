// Transitions (渐变段) between a canal and a structure: the loss coefficient
// by form or as typed, the fall of the water surface across one, and its
// length by the structure's clause.
#pragma once

#include <cmath>
#include <string>
#include <string_view>

#include "calc/structures/transition_forms.h"
#include "numeric/elementary/real.h"

namespace channelflow::calc::structures {

using numeric::Real;

enum class TransitionEnd : std::uint8_t { Inlet, Outlet };

// What the engineer gives for one transition: a form of the family's table,
// a typed ξ, or both when the form's ξ is a range (the ξ then within it), or
// the form and its angle θ (degrees) to read a ranged ξ at.
struct TransitionChoice {
  std::string form;
  double xi = NAN;
  double angle = NAN;
};

// The input names a refusal points at.
struct TransitionFields {
  std::string_view form, xi, angle;  // "inlet-form", "xi1", "theta1"
};

// ξ of the inlet or the outlet. Throws CalcError for an unknown form, a
// typed ξ with a form of one value, a ξ or an angle outside the form's
// range, or a ranged form given neither.
Real transitionXi(TransitionFamily family, TransitionEnd end, const TransitionChoice& choice, TransitionFields fields);

// The fall of the level going downstream across a transition from velocity
// vIn to vOut (canal-line.md §5.4):
//   drop = (vOut^2 - vIn^2)/2g + ξ |vOut^2 - vIn^2|/2g + friction,
// which is the standard's (1 + ξ1)(v2^2 - v1^2)/2g at an accelerating inlet
// and minus its recovery (1 - ξ2)(v^2 - v3^2)/2g at a decelerating outlet,
// and which never makes the loss ξ |Δv^2|/2g a gain when the flow slows at
// an inlet or speeds up at an outlet.
struct TransitionDrop {
  Real velocityHead;  // (vOut^2 - vIn^2)/2g
  Real loss;          // ξ |vOut^2 - vIn^2|/2g
  Real friction;      // J L, when counted
  Real drop;          // their sum
};
TransitionDrop transitionDrop(const Real& vIn, const Real& vOut, const Real& xi, double g,
                              const Real& friction = Real(0));

// A transition's length as its structure's clause bounds it: [low, high]
// (high infinite where only a least length is set).
enum class StructureKind : std::uint8_t { Aqueduct, Siphon, Tunnel, Culvert };
struct LengthRange {
  Real low, high;
  std::string_view clause;
};
// Aqueduct (§9.2.4-3): (B_canal - B_trough)/(2 tan θ) over θ 11°–18° at the
// inlet, 8°–11° at the outlet, from the surface widths. Culvert (§11.2.8):
// the same over a flare of 6°–12° per side. Siphon (§10.2.4-1): 3–5 times
// the upstream design depth at the inlet, 4–6 times the downstream one at
// the outlet. Tunnel (§15.2.3): 3–5 times the canal depth at the inlet and,
// the clause asking only for a longer outlet, 4–6 times at the outlet as a
// siphon's.
LengthRange transitionLength(StructureKind kind, TransitionEnd end, const Real& canalWidth, const Real& structureWidth,
                             const Real& canalDepth);

// Practice: k |B_canal - B_structure| (k = 2.5 at the inlet, 3.5 at the
// outlet; about 11.3° and 8.1°), no shorter than the clause's least length,
// rounded up to 0.5 m.
double practiceLength(StructureKind kind, TransitionEnd end, const Real& canalWidth, const Real& structureWidth,
                      const Real& canalDepth);

}  // namespace channelflow::calc::structures
