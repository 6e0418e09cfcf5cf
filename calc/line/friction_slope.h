// The friction slope of a reach between two nodes, from the slopes at its
// ends: the conventions in use, none of which the standards fix. Average
// conveyance ((Q1 + Q2) / (K1 + K2))^2 is the rivers' usual one, the mean of
// the two slopes the canals'; the geometric and harmonic means, and slopes
// from the mean velocity and hydraulic radius (with the mean n, or the mean
// Chezy C), are offered as the engineer's sources use them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "calc/line/hydraulics.h"

namespace channelflow::calc {

enum class FrictionRule : std::uint8_t {
  AverageConveyance,
  MeanSlope,
  GeometricMean,
  HarmonicMean,
  MeanVelocityRadius,       // n̄² v̄² / (k² R̄^(4/3)), n̄ the mean of the two equivalent n
  MeanVelocityChezyRadius,  // v̄² / (C̄² R̄)
};

// The catalog's term of a rule ("average-conveyance"), and the rule a key names.
std::string_view frictionRuleKey(FrictionRule rule);
std::optional<FrictionRule> frictionRuleNamed(std::string_view key);
// "average-conveyance|mean-slope|...": the choices of the input.
std::string_view frictionRuleChoices();

template <typename Number>
Number meanFrictionSlope(FrictionRule rule, const Hydraulics<Number>& a, const Hydraulics<Number>& b, double manning) {
  const Number half(0.5);
  switch (rule) {
    case FrictionRule::AverageConveyance: {
      const Number ratio = (a.Q + b.Q) / (a.K + b.K);
      return ratio * ratio;
    }
    case FrictionRule::MeanSlope: return (a.Sf + b.Sf) * half;
    case FrictionRule::GeometricMean: return numeric::sqrt(a.Sf * b.Sf);
    case FrictionRule::HarmonicMean: return Number(2) * a.Sf * b.Sf / (a.Sf + b.Sf);
    case FrictionRule::MeanVelocityRadius:
    case FrictionRule::MeanVelocityChezyRadius: break;
  }
  const Number Ra = a.A / a.P, Rb = b.A / b.P;
  const Number R = (Ra + Rb) * half, v = (a.v + b.v) * half;
  if (rule == FrictionRule::MeanVelocityChezyRadius) {
    // C = K / (A sqrt(R)), Chezy's coefficient of the conveyance.
    const Number C = (a.K / (a.A * numeric::sqrt(Ra)) + b.K / (b.A * numeric::sqrt(Rb))) * half;
    return v * v / (C * C * R);
  }
  // The equivalent n, k A R^(2/3) / K: the one n of a section of one.
  const Number k(manning);
  const Number n = (k * a.A * numeric::cbrt(Ra * Ra) / a.K + k * b.A * numeric::cbrt(Rb * Rb) / b.K) * half;
  const Number nv = n * v;
  return nv * nv / (k * k * R * numeric::cbrt(R));
}

}  // namespace channelflow::calc
