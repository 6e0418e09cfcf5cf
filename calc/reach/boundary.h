// A profile's boundary condition at the end its march starts from: a known
// water level, the normal depth of a given slope, the critical depth, or a
// rating of levels and flows, read at the flow by linear interpolation.
// Written "wse=102.5", "normal=0.0004", "critical" and
// "rating=100:0 101:12.5 102:40" (level:flow pairs); a flow's each,
// separated by ";".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calc/line/node.h"
#include "numeric/text/decimal.h"

namespace channelflow::calc {

struct Boundary {
  enum class Kind : std::uint8_t { Level, Normal, Critical, Rating };
  Kind kind = Kind::Critical;
  std::string text;  // as typed
  numeric::Decimal level;
  double slope = 0;
  std::vector<numeric::Decimal> levels;  // a rating's, rising with its flows
  std::vector<double> flows;
};

// A boundary a flow, or one that serves every flow. Throws CalcError naming `field`.
std::vector<Boundary> readBoundaries(std::string_view text, std::string_view field, std::size_t flows);

// The depth the boundary sets at the node carrying Q: within the section,
// a level above its bed. Throws CalcError naming `field`.
Real boundaryDepth(const Boundary& boundary, const Node& node, const Real& Q, std::string_view field);

}  // namespace channelflow::calc
