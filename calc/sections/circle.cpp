#include <cmath>
#include <limits>

#include "calc/flow_error.h"
#include "calc/section.h"
#include "calc/sections/circular_segment.h"

namespace channelflow::sections {

void validate(const Circle& s) {
  require(std::isfinite(s.D), "管径 D 必须是有限的数");
  require(s.D > 0, "管径 D 必须大于零");
}

Geometry geometry(const Circle& s, double h) {
  const SegmentAtDepth segment = circularSegmentAtDepth(s.D, h);
  Geometry g;
  g.A = segment.parts.A;
  g.P = segment.parts.P;
  g.T = segment.T;
  g.R = g.A / g.P;
  // Running full the surface has closed: no top width, an unbounded hydraulic depth.
  g.D = g.T > 0 ? g.A / g.T : std::numeric_limits<double>::infinity();
  // The water surface is the segment's chord.
  g.moment = segment.parts.moment;
  return g;
}

}  // namespace channelflow::sections
