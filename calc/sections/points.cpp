#include "calc/sections/shape.h"
#include "calc/survey/survey.h"

namespace channelflow::calc {

template <typename Number>
Geometry<Number> geometry(const Points& s, const Number&, const Number& h) {
  const Survey& survey = *s.survey;
  Geometry<Number> g;
  const bool divided = survey.divided();
  Number energy{};  // sum Kj^3 / Aj^2
  survey.forEachPart(h, [&](int j, const PartAt<Number>& p) {
    g.A += p.A;
    g.P += p.P;
    g.T += p.T;
    g.moment += p.moment;
    if (!divided || !(p.A > Number(0))) return;
    const Number R = p.A / p.P;
    const Number Kj = p.A * numeric::cbrt(R * R) / Number(survey.partN(j));
    g.conveyance += Kj;
    energy += Kj * Kj * Kj / (p.A * p.A);
  });
  g.bed = g.P;
  if (divided) {
    g.divided = true;
    g.alpha = energy * g.A * g.A / (g.conveyance * g.conveyance * g.conveyance);
  }
  return g;
}

template Geometry<double> geometry(const Points&, const double&, const double&);
template Geometry<Real> geometry(const Points&, const Real&, const Real&);

}  // namespace channelflow::calc
