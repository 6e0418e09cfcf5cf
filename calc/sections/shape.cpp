#include "calc/sections/shape.h"

namespace channelflow::calc {

const char* shapeKey(const Shape& shape) {
  constexpr const char* kKeys[] = {"trapezoid", "circle", "u", "parabola", "points"};
  return kKeys[shape.index()];
}

}  // namespace channelflow::calc
