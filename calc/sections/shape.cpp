#include "calc/sections/shape.h"

namespace channelflow::calc {

const char* shapeKey(const Shape& shape) {
  constexpr const char* kKeys[] = {"trapezoid", "circle", "u", "parabola", "points", "arch", "horseshoe"};
  return kKeys[shape.index()];
}

Real crownDepth(const Shape& shape, const Real& size) {
  if (const auto* arch = std::get_if<Arch>(&shape)) return Real(arch->H);
  if (std::holds_alternative<Horseshoe>(shape)) return size + size;
  return size;
}

Real archArea(const Arch& shape, const Real& B);
Real horseshoeArea(const Horseshoe& shape, const Real& r);

Real fullArea(const Shape& shape, const Real& size) {
  if (const auto* arch = std::get_if<Arch>(&shape)) return archArea(*arch, size);
  if (const auto* horseshoe = std::get_if<Horseshoe>(&shape)) return horseshoeArea(*horseshoe, size);
  return geometry(shape, size, crownDepth(shape, size)).A;
}

Roof roofOf(const Shape& shape, const Real& size) {
  if (const auto* arch = std::get_if<Arch>(&shape)) {
    const ArchRoof roof = archRoof(*arch, size);
    return {roof.wall, roof.radius};
  }
  if (std::holds_alternative<Horseshoe>(shape)) return {size, size};
  return {Real(0), size * 0.5};
}

}  // namespace channelflow::calc
