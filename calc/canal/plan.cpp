#include "calc/canal/plan.h"

#include "numeric/elementary/elementary.h"

namespace channelflow::calc {
namespace {

const Real kDegreesPerRadian = Real(180) / Real(numeric::kPi);

}  // namespace

Plan planOf(const std::vector<PlanVertex>& v, const Real& start) {
  Plan plan;
  const std::size_t n = v.size();
  plan.curves.resize(n);
  for (std::size_t k = 1; k < n; ++k) {
    const Real dx = v[k].x - v[k - 1].x, dy = v[k].y - v[k - 1].y;
    plan.curves[k].spacing = numeric::hypot(dx, dy);
    if (!(plan.curves[k].spacing > Real(0))) plan.coincident.push_back(k);
  }
  for (std::size_t k = 1; k + 1 < n; ++k) {
    PlanCurve& c = plan.curves[k];
    c.Rc = v[k].Rc;
    if (!(c.spacing > Real(0)) || !(plan.curves[k + 1].spacing > Real(0))) continue;
    const Real ux = v[k].x - v[k - 1].x, uy = v[k].y - v[k - 1].y;
    const Real wx = v[k + 1].x - v[k].x, wy = v[k + 1].y - v[k].y;
    const Real cross = ux * wy - uy * wx, dot = ux * wx + uy * wy;
    // atan2 of the cross and dot products keeps its digits at small and at large deflections alike.
    const Real a = numeric::atan2(abs(cross), dot);
    c.deflection = a * kDegreesPerRadian;
    // x and y are the survey's X (north) and Y (east), as the drawings give
    // them: turning anticlockwise in (x, y) is turning right on the ground.
    c.left = cross < Real(0);
    const Real half = a / 2;
    c.T = v[k].Rc * numeric::sin(half) / numeric::cos(half);
    c.Lc = v[k].Rc * a;
  }
  plan.curves[0].MC = start;
  for (std::size_t k = 0; k < n; ++k) {
    PlanCurve& c = plan.curves[k];
    if (k > 0) {
      const PlanCurve& before = plan.curves[k - 1];
      c.straight = c.spacing - before.T - c.T;
      c.MC = before.MC + c.straight + before.Lc / 2 + c.Lc / 2;
      if (c.straight < Real(0)) plan.overlapping.push_back(k);
    }
    c.BC = c.MC - c.Lc / 2;
    c.EC = c.MC + c.Lc / 2;
  }
  return plan;
}

std::optional<Real> stationOnLeg(const Plan& plan, const std::vector<PlanVertex>& v, std::size_t k, const Real& x,
                                 const Real& y) {
  const PlanCurve& from = plan.curves[k];
  const PlanCurve& to = plan.curves[k + 1];
  if (!(to.spacing > Real(0))) return std::nullopt;
  const Real ux = v[k + 1].x - v[k].x, uy = v[k + 1].y - v[k].y;
  const Real s = ((x - v[k].x) * ux + (y - v[k].y) * uy) / to.spacing;
  if (s < from.T || s > to.spacing - to.T) return std::nullopt;
  return from.EC + (s - from.T);
}

}  // namespace channelflow::calc
