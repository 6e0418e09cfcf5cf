#include "calc/flow/flow_state.h"

#include <cmath>

#include "calc/sections/number_forms.h"
#include "calc/survey/survey.h"

namespace channelflow::calc {
namespace {

using numeric::abs;
using numeric::cbrt;
using numeric::sqrt;

// R^(2/3) as the cube root of R^2.
template <typename Number>
Number twoThirdsPower(const Number& x) {
  return cbrt(x * x);
}

}  // namespace

const char* regimeTerm(FlowRegime regime) {
  switch (regime) {
    case FlowRegime::Subcritical: return "subcritical";
    case FlowRegime::Critical: return "critical";
    case FlowRegime::Supercritical: return "supercritical";
  }
  return "";
}

FlowRegime regimeOf(const Real& froude) {
  if (abs(froude - Real(1)) <= Real(kCriticalBand)) return FlowRegime::Critical;
  return froude < Real(1) ? FlowRegime::Subcritical : FlowRegime::Supercritical;
}

bool hasTop(const Channel& c) { return isClosed(c.shape) || isSurvey(c.shape); }

Real topDepth(const Channel& c) {
  if (const auto* points = std::get_if<Points>(&c.shape)) return points->survey->bankDepth();
  return isClosed(c.shape) ? crownDepth(c.shape, c.size) : Real(HUGE_VAL);
}

double fullDepth(const Channel& c) { return hasTop(c) ? topDepth(c).toDouble() : HUGE_VAL; }

template <typename Number>
Number equivalentN(const Channel& c, const Geometry<Number>& g) {
  if (g.divided) return g.A * twoThirdsPower(g.A / g.P) / g.conveyance;
  if (!c.roughness.composite) return as<Number>(c.roughness.n);
  // Each n relative to the larger, so that n^(3/2) stays near 1.
  const double largest = c.roughness.nBed > c.roughness.nWall ? c.roughness.nBed : c.roughness.nWall;
  const Number bed = Number(c.roughness.nBed) / Number(largest);
  const Number wall = Number(c.roughness.nWall) / Number(largest);
  const Number walls = g.P - g.bed;
  const Number mean = (g.bed * bed * sqrt(bed) + walls * wall * sqrt(wall)) / g.P;
  return Number(largest) * twoThirdsPower(mean);
}

template <typename Number>
Number conveyance(const Channel& c, const Geometry<Number>& g) {
  if (g.divided) return Number(c.constants().manning) * g.conveyance;
  const Number R = g.A / g.P;
  return Number(c.constants().manning) * g.A * twoThirdsPower(R) / equivalentN(c, g);
}

template double equivalentN(const Channel&, const Geometry<double>&);
template Real equivalentN(const Channel&, const Geometry<Real>&);
template double conveyance(const Channel&, const Geometry<double>&);
template Real conveyance(const Channel&, const Geometry<Real>&);

namespace {

FlowState flowWith(const Channel& c, const Real& h, const Real& Q, const Geometry<Real>& g) {
  const Units& units = c.constants();
  FlowState f;
  f.h = h;
  f.A = g.A;
  f.P = g.P;
  f.R = g.A / g.P;
  f.T = g.T;
  f.full = !(g.T > Real(0));
  f.D = f.full ? Real(0) : g.A / g.T;
  f.n = equivalentN(c, g);
  // R^(1/6) once, for C and, to the fourth power, R^(2/3).
  const Real sixth = cbrt(sqrt(f.R));
  const Real third = sixth * sixth;
  f.C = Real(units.manning) * sixth / f.n;
  f.Q = Q;
  f.v = Q / g.A;
  const Real g0(units.g);
  f.Fr = f.full ? Real(0) : f.v / sqrt(g0 * f.D);
  f.regime = regimeOf(f.Fr);
  f.E = h + f.v * f.v / (g0 + g0);
  const Real root = Q * f.n / (Real(units.manning) * g.A * third * third);  // sqrt(Sf)
  f.Sf = root * root;
  f.K = Real(units.manning) * g.A * third * third / f.n;
  if (g.divided) {
    // Each part at its own velocity: the conveyance is the parts' sum, and
    // the kinetic energy and the Froude number carry alpha.
    f.K = conveyance(c, g);
    f.alpha = g.alpha;
    f.C = f.K / (g.A * sqrt(f.R));
    f.Fr = f.v * sqrt(f.alpha / (g0 * f.D));
    f.regime = regimeOf(f.Fr);
    f.E = h + f.alpha * f.v * f.v / (g0 + g0);
    const Real ratio = Q / f.K;
    f.Sf = ratio * ratio;
  }
  f.tau0 = Real(units.unitWeight) * f.R * f.Sf;
  return f;
}

}  // namespace

FlowState flowAt(const Channel& c, const Real& h, const Real& Q) {
  return flowWith(c, h, Q, geometry(c.shape, c.size, h));
}

FlowState uniformFlow(const Channel& c, const Real& h) {
  const Geometry<Real> g = geometry(c.shape, c.size, h);
  const Real K = conveyance(c, g);
  FlowState f = flowWith(c, h, K * sqrt(c.i), g);
  f.K = K;
  f.Sf = c.i;  // the same to rounding; exactly the slope by definition
  f.tau0 = Real(c.constants().unitWeight) * f.R * c.i;
  return f;
}

}  // namespace channelflow::calc
