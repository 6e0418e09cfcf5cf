// The circular segment below a chord: the wet part of a circle, shared by the
// circular conduit and the bottom of the U-shaped canal.
#pragma once

#include "calc/sections/number_forms.h"

namespace channelflow::calc {

template <typename Number>
struct Segment {
  Number A{};       // area
  Number P{};       // arc length
  Number moment{};  // first moment of the area about the chord
};

// The segment of a circle of radius r whose arc spans 2 phi about the centre
// (0 <= phi <= pi), given sin(phi) and cos(phi) as the caller has them most
// precisely. Near phi = 0 the closed forms cancel to nothing, so there the
// parts come from their Taylor series.
template <typename Number>
Segment<Number> circularSegment(const Number& r, const Number& phi, const Number& sinPhi, const Number& cosPhi);

// The segment of depth h in a circle of diameter D (0 <= h <= D), with its
// chord, the top width 2 sqrt(h (D - h)).
template <typename Number>
struct SegmentAtDepth {
  Segment<Number> segment;
  Number T{};
};
template <typename Number>
SegmentAtDepth<Number> circularSegmentAtDepth(const Number& D, const Number& h);

}  // namespace channelflow::calc
