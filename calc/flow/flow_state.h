// The flow through a channel: Manning's uniform flow, and every quantity of a
// given discharge at a given depth (velocity, Froude number, specific energy,
// friction slope, bed shear stress), each exact to double-double.
#pragma once

#include "calc/sections/channel.h"

namespace channelflow::calc {

enum class FlowRegime { Subcritical, Critical, Supercritical };

// "subcritical", "critical" or "supercritical": the catalog's term.
const char* regimeTerm(FlowRegime regime);

// Critical within this share of Fr = 1.
inline constexpr double kCriticalBand = 1e-9;
FlowRegime regimeOf(const Real& froude);

struct FlowState {
  Real h, A, P, R, T, D;  // D = A/T; meaningless for a full circle (T = 0)
  Real n;                 // Manning's n of the whole perimeter at this depth
  Real C;                 // Chezy's coefficient k R^(1/6) / n
  Real v, Q;
  Real Fr;                // sqrt(alpha) v / sqrt(g D); meaningless for a full circle
  Real E;                 // h + alpha v^2 / (2g)
  Real K;                 // conveyance: Q = K sqrt(Sf)
  Real alpha{1};          // energy coefficient: 1 but for a section divided by n
  Real Sf;                // friction slope (Q n / (k A R^(2/3)))^2: the bed slope in uniform flow
  Real tau0;              // gamma R Sf
  bool full = false;      // a circle running full: no free surface, no D, Fr or regime
  FlowRegime regime = FlowRegime::Subcritical;
};

// The equivalent n at a depth with geometry g: the one n that would give the
// whole section its conveyance.
template <typename Number>
Number equivalentN(const Channel& channel, const Geometry<Number>& g);

// Conveyance K = (k/n) A R^(2/3), or the sum of its parts' for a section
// divided by n: uniform flow carries K sqrt(i).
template <typename Number>
Number conveyance(const Channel& channel, const Geometry<Number>& g);

// Discharge Q passing depth h, on any slope. No checks beyond the caller's:
// the channel is valid, 0 < h <= fullDepth and Q > 0.
FlowState flowAt(const Channel& channel, const Real& h, const Real& Q);

// Uniform flow at depth h on the channel's slope (i > 0).
FlowState uniformFlow(const Channel& channel, const Real& h);

}  // namespace channelflow::calc
