#include "calc/roughness.h"

#include <algorithm>
#include <cmath>

#include "calc/flow_error.h"

namespace channelflow::sections {

void validate(const Roughness& r) {
  if (!r.composite) {
    require(std::isfinite(r.n) && r.n > 0, "粗糙系数 n 必须是大于零的有限数");
    return;
  }
  require(std::isfinite(r.nBed) && r.nBed > 0, "渠底粗糙系数 n_bed 必须是大于零的有限数");
  require(std::isfinite(r.nWall) && r.nWall > 0, "边壁粗糙系数 n_wall 必须是大于零的有限数");
}

double equivalentN(const Roughness& r, const Section& section, double h) {
  if (!r.composite) return r.n;
  const PerimeterParts parts = perimeterParts(section, h);
  const double total = parts.bed + parts.walls;
  // Weighed as shares of the perimeter, and each n relative to the larger, so
  // that neither n^(3/2) nor the sums leave the range of a double.
  const double largest = std::max(r.nBed, r.nWall);
  const double bed = parts.bed / total * std::pow(r.nBed / largest, 1.5);
  const double walls = parts.walls / total * std::pow(r.nWall / largest, 1.5);
  return largest * std::pow(bed + walls, 2.0 / 3.0);
}

}  // namespace channelflow::sections
