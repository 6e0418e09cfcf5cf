#include <cmath>

#include "calc/flow_error.h"
#include "calc/section.h"
#include "calc/sections/circular_segment.h"

namespace channelflow::sections {
namespace {

// Where the walls meet the bottom arc: the arc spans 2 alpha about the centre,
// with tan(alpha) = 1/m, so it rises r (1 - cos alpha) and is 2 r sin(alpha)
// wide there. 1 - cos(alpha) = 1 - m/sqrt(1 + m^2) is written without the
// cancellation that steep-sided (large m) walls would bring.
struct Tangency {
  double alpha, sinAlpha, cosAlpha, rise, width, wallLength;
};

Tangency tangency(const UShape& s) {
  const double root = std::hypot(1.0, s.m);  // sqrt(1 + m^2)
  const double sinAlpha = 1 / root;
  return {std::atan2(1.0, s.m), sinAlpha, s.m / root, s.r / (root * (root + s.m)), 2 * s.r * sinAlpha, root};
}

}  // namespace

void validate(const UShape& s) {
  require(std::isfinite(s.r) && std::isfinite(s.m), "U 形断面参数必须是有限的数");
  require(s.r > 0, "底弧半径 r 必须大于零");
  require(s.m >= 0, "边坡系数 m 不能为负");
}

Geometry geometry(const UShape& s, double h) {
  const Tangency t = tangency(s);
  Geometry g;
  if (h <= t.rise) {
    const SegmentAtDepth segment = circularSegmentAtDepth(2 * s.r, h);
    g.A = segment.parts.A;
    g.P = segment.parts.P;
    g.T = segment.T;
    g.moment = segment.parts.moment;
  } else {
    // The whole arc, then a trapezoid of height y on its chord.
    const SegmentParts arc = circularSegment(s.r, t.alpha, t.sinAlpha, t.cosAlpha);
    const double y = h - t.rise;
    g.A = arc.A + (t.width + s.m * y) * y;
    g.P = arc.P + 2 * t.wallLength * y;
    g.T = t.width + 2 * s.m * y;
    g.moment = arc.moment + arc.A * y + (0.5 * t.width + s.m * y / 3) * y * y;
  }
  g.R = g.A / g.P;
  g.D = g.A / g.T;
  return g;
}

PerimeterParts perimeterParts(const UShape& s, double h) {
  const Tangency t = tangency(s);
  if (h <= t.rise) return {geometry(s, h).P, 0};
  return {2 * s.r * t.alpha, 2 * t.wallLength * (h - t.rise)};
}

}  // namespace channelflow::sections
