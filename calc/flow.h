// The flow through a channel of any section: Manning's uniform flow, and the
// quantities of a given discharge at a given depth (velocity, Froude number,
// specific energy, friction slope, bed shear stress), and critical flow.
#pragma once

#include <string>
#include <string_view>

#include "calc/roughness.h"
#include "calc/section.h"
#include "calc/units.h"

namespace channelflow::sections {

struct Channel {
  Section section;
  double i = 0;  // bed slope, positive falling downstream
  Roughness roughness;
  Units units = kSiUnits;
};

enum class FlowRegime { Subcritical, Critical, Supercritical };

// "缓流", "临界流" or "急流".
std::string_view regimeName(FlowRegime regime);

struct FlowState {
  double h = 0;
  Geometry geometry;
  double n = 0;     // Manning's n of the whole perimeter at this depth
  double v = 0;     // mean velocity Q/A
  double Q = 0;     // discharge
  double Fr = 0;    // Froude number v / sqrt(g D); 0 for a circle running full
  FlowRegime regime = FlowRegime::Subcritical;
  double E = 0;     // specific energy h + v^2 / (2g)
  double Sf = 0;    // friction slope (Q/K)^2, K = (k/n) A R^(2/3); the bed slope in uniform flow
  double tau0 = 0;  // mean boundary shear stress gamma R Sf
};

// Throws FlowError unless the section, the roughness and i describe a channel
// (i finite; uniform flow needs i > 0 as well, which uniformFlow checks).
void validate(const Channel& channel);

// The slope (Q/K)^2 along which Q passes depth h in uniform flow: the
// friction slope, as a scaled product that overflows or vanishes only when
// the slope itself leaves the range. No checks.
double frictionSlope(const Channel& channel, double h, const Geometry& g, double Q);

// Manning's discharge K sqrt(i) at depth h, with g the geometry there. No
// checks: infinite or zero where it leaves the double range.
double uniformDischarge(const Channel& channel, double h, const Geometry& g);

// Q(h)/Q - 1 for the uniform flow at depth h on the channel's slope: the
// function the depth and size solvers drive to zero. A ratio formed as one
// scaled product, it keeps full precision near the root for discharges
// anywhere in the double range; -1 where the section holds no water and
// +infinity where its area leaves the range. No checks.
double dischargeExcess(const Channel& channel, double h, double Q);

// Uniform flow at depth h on the channel's slope. Throws FlowError for a
// channel that cannot carry uniform flow (i <= 0 among them) or a quantity
// that leaves the range of a double.
FlowState uniformFlow(const Channel& channel, double h);

// Discharge Q passing depth h, on any slope. Throws FlowError as uniformFlow,
// and for Q <= 0.
FlowState flowAt(const Channel& channel, double h, double Q);

struct CriticalFlow {
  double hc = 0;  // depth where Fr = 1: Q^2 T = g A^3
  double vc = 0;  // velocity there
  double Ec = 0;  // the least specific energy that passes Q
  double ic = 0;  // critical slope: the bed slope whose normal depth is hc
};

// The critical depth of Q in the section, to within 2 ulp. Throws FlowError
// for Q <= 0, or when it leaves the range of a double.
double criticalDepth(const Section& section, double Q, const Units& units);

// Critical depth, velocity, energy and slope for Q (the slope uses the
// channel's roughness, not its i).
CriticalFlow criticalFlow(const Channel& channel, double Q);

// For messages: a number in at most 15 significant digits, locale-free.
std::string numberText(double value);

}  // namespace channelflow::sections
