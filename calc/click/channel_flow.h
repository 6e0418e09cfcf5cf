// Uniform flow in a trapezoidal open channel: Chezy's v = C * sqrt(R * i) with
// Manning's C = R^(1/6) / n, R = A / P and Q = v * A. Sizes in metres, so v is
// in m/s and Q in m^3/s.
#pragma once

#include "numeric/value/value.h"

namespace channelflow::calc {

struct ChannelInputs {
  double B = 0;  // bottom width, m
  double h = 0;  // water depth, m
  double i = 0;  // bed slope
  double m = 0;  // side-slope ratio: horizontal run per unit depth (0: rectangle)
  // The roughness n as typed; fetched only when C is divided by it.
  const numeric::TextSource* nText = nullptr;
};

struct ChannelResults {
  double v = 0;  // mean velocity, m/s
  double Q = 0;  // discharge, m^3/s
};

// Runs the eight steps in order with the general-value arithmetic; the first
// failing step throws its RuntimeError and nothing later runs, so n is never
// fetched when the geometry already fails.
ChannelResults ComputeChannelFlow(const ChannelInputs& inputs);

}  // namespace channelflow::calc
