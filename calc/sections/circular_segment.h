// The circular segment below a chord: the wet part of a circle, shared by the
// circular conduit and the bottom of the U-shaped canal.
#pragma once

namespace channelflow::sections {

struct SegmentParts {
  double A = 0;       // area
  double P = 0;       // arc length
  double moment = 0;  // first moment of the area about the chord
};

// The segment of a circle of radius r whose arc spans 2 phi about the centre
// (0 <= phi <= pi), given sin(phi) and cos(phi) as the caller has them most
// precisely. Near phi = 0 the closed forms cancel to nothing, so there the
// parts come from their Taylor series.
SegmentParts circularSegment(double r, double phi, double sinPhi, double cosPhi);

// The segment of depth h in a circle of diameter D (0 <= h <= D), with its
// chord, the top width 2 sqrt(h (D - h)).
struct SegmentAtDepth {
  SegmentParts parts;
  double T = 0;
};
SegmentAtDepth circularSegmentAtDepth(double D, double h);

}  // namespace channelflow::sections
