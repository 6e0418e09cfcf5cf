// What the energy equation needs of a node at a depth, for its discharge:
// the area, the conveyance (by parts, and by the three sides of a river's
// section), the energy coefficient, the velocity head and the friction
// slope. Written once for doubles (a solver's first iterations) and Reals.
#pragma once

#include <array>
#include <variant>

#include "calc/flow/flow_state.h"
#include "calc/line/node.h"
#include "calc/sections/number_forms.h"
#include "calc/survey/survey.h"

namespace channelflow::calc {

template <typename Number>
struct Hydraulics {
  Number h{}, A{}, P{}, T{};
  Number K{};       // conveyance, Manning's k included: Q = K sqrt(Sf)
  Number alpha{1};  // the parts' energy coefficient; 1 for one part
  Number Q{}, v{};
  Number head{};    // alpha v^2 / 2g
  Number Sf{};      // (Q / K)^2
  std::array<Number, kSides> sideK{}, sideA{};
};

// At depth h, 0 < h <= the section's top, carrying Q > 0.
template <typename Number>
Hydraulics<Number> hydraulicsAt(const Node& node, const Real& Q, const Number& h) {
  const Channel& c = node.channel;
  const Units& units = c.constants();
  Hydraulics<Number> x;
  x.h = h;
  x.Q = as<Number>(Q);
  if (const auto* points = std::get_if<Points>(&c.shape)) {
    const Survey& survey = *points->survey;
    Number sum{}, energy{};  // sum Kj / k, sum (Kj / k)^3 / Aj^2
    survey.forEachPart(h, [&](int j, const PartAt<Number>& p) {
      x.A += p.A;
      x.P += p.P;
      x.T += p.T;
      if (!(p.A > Number(0))) return;
      const Number R = p.A / p.P;
      const Number Kj = p.A * numeric::cbrt(R * R) / Number(survey.partN(j));
      sum += Kj;
      energy += Kj * Kj * Kj / (p.A * p.A);
      const auto side = static_cast<std::size_t>(node.partSides.empty() ? Side::Channel
                                                                         : node.partSides[static_cast<std::size_t>(j)]);
      x.sideK[side] += Kj;
      x.sideA[side] += p.A;
    });
    const Number k(units.manning);
    x.K = k * sum;
    for (Number& K : x.sideK) K = k * K;
    // Doubles lose the sum of a sliver of water below their range: its alpha is then 1.
    if (survey.divided() && sum * sum * sum > Number(0)) x.alpha = energy * x.A * x.A / (sum * sum * sum);
  } else {
    const Geometry<Number> g = geometry(c.shape, as<Number>(c.size), h);
    x.A = g.A;
    x.P = g.P;
    x.T = g.T;
    x.K = conveyance(c, g);
    x.sideK[static_cast<std::size_t>(Side::Channel)] = x.K;
    x.sideA[static_cast<std::size_t>(Side::Channel)] = x.A;
  }
  x.v = x.Q / x.A;
  x.head = x.alpha * x.v * x.v / Number(2 * units.g);
  const Number ratio = x.Q / x.K;
  x.Sf = ratio * ratio;
  return x;
}

// The same in doubles, from the Reals: a known node's terms in a first stage.
inline Hydraulics<double> rounded(const Hydraulics<Real>& x) {
  Hydraulics<double> d;
  d.h = x.h.toDouble();
  d.A = x.A.toDouble();
  d.P = x.P.toDouble();
  d.T = x.T.toDouble();
  d.K = x.K.toDouble();
  d.alpha = x.alpha.toDouble();
  d.Q = x.Q.toDouble();
  d.v = x.v.toDouble();
  d.head = x.head.toDouble();
  d.Sf = x.Sf.toDouble();
  for (std::size_t s = 0; s < kSides; ++s) {
    d.sideK[s] = x.sideK[s].toDouble();
    d.sideA[s] = x.sideA[s].toDouble();
  }
  return d;
}

}  // namespace channelflow::calc
