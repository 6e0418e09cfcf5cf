// A canal's plan (平面几何): the centre line through its start, its
// intersection points (IPs) and its end, each IP's circular curve of radius
// Rc tangent to both legs, and the stations along the line as the curves
// shorten it. Deflection a is the angle between the legs (0–180°):
//   T = Rc tan(a/2),  Lc = Rc a π/180,
//   MC_i = MC_(i-1) + D_(i-1,i) - T_(i-1) - T_i + Lc_(i-1)/2 + Lc_i/2,
//   BC = MC - Lc/2,  EC = MC + Lc/2,
// with MC of the start its station, D the straight distance between
// vertices; two curves may not overlap: T_(i-1) + T_i <= D_(i-1,i).
#pragma once

#include <optional>
#include <vector>

#include "numeric/elementary/real.h"

namespace channelflow::calc {

using numeric::Real;

struct PlanVertex {
  Real x, y;  // the survey's X (north) and Y (east)
  Real Rc;  // an IP's curve radius; 0 at the start, at the end and at a sharp IP
};

struct PlanCurve {
  Real Rc;          // the curve's radius (0: none)
  Real spacing;     // D from the vertex before
  Real deflection;  // a, in degrees
  bool left = false;
  Real T, Lc, BC, MC, EC;
  Real straight;  // the straight length left between the curve before and this one
};

struct Plan {
  std::vector<PlanCurve> curves;  // per vertex; the start's and the end's have no curve
  // The vertices whose curve overlaps the one before (straight < 0), or
  // that stand where the vertex before does.
  std::vector<std::size_t> overlapping, coincident;
};

// The curves and stations of at least two vertices, the first at `start`.
Plan planOf(const std::vector<PlanVertex>& vertices, const Real& start);

// The station of the point (x, y) projected on the leg from vertex k to
// vertex k + 1; nothing where it falls on either curve or beyond the leg.
std::optional<Real> stationOnLeg(const Plan& plan, const std::vector<PlanVertex>& vertices, std::size_t k,
                                 const Real& x, const Real& y);

}  // namespace channelflow::calc
