// The three flows a structure is computed at (canal-line.md §2.2): the
// design flow, the enlarged flow (given, or the design flow enlarged by P
// per cent) and the minimum flow, each when there is one; and the gravity
// the structures take, 9.80665 m/s² unless a workbook's 9.81 is asked for.
#pragma once

#include <cstdint>
#include <vector>

#include "numeric/elementary/real.h"

namespace channelflow::calc::structures {

using numeric::Real;

inline constexpr double kStandardGravity = 9.80665;

enum class FlowCase : std::uint8_t { Design, Enlarged, Minimum };

// "design", "enlarged" or "minimum": the key an answer groups each flow under.
const char* flowCaseKey(FlowCase which);

struct FlowsInput {
  double Q = 0;        // design flow, > 0
  double Qj = 0;       // enlarged flow (0: none, or from enlarge)
  double enlarge = 0;  // P in per cent (0: none); not with Qj
  double Qmin = 0;     // minimum flow (0: none)
};

struct StructureFlow {
  FlowCase which = FlowCase::Design;
  Real Q;
};

// The flows in order design, enlarged, minimum, those given. Throws
// CalcError for a design flow not above 0, Qj and P both given, an enlarged
// flow below the design flow or a minimum flow above it.
std::vector<StructureFlow> threeFlows(const FlowsInput& flows);

// g: kStandardGravity for 0, else the value given (> 0).
double gravityOf(double g);

}  // namespace channelflow::calc::structures
