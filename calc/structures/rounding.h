// Adopted dimensions as practice rounds them up (canal-line.md §12), each a
// whole number of steps written as the double nearest that decimal.
#pragma once

#include <cstdint>

#include "numeric/elementary/real.h"

namespace channelflow::calc::structures {

using numeric::Real;

enum class RoundingRule : std::uint8_t {
  None,             // the computed value as it is
  SiphonDiameter,   // 0.05 m up to 1.0 m, 0.1 m to 1.6 m, 0.2 m to 5 m (and above)
  PrestressedPipe,  // the series of Table 10.4.6: 0.6 to 2.0 m in steps of 0.2 m
  Centimetre,       // 0.01 m: aqueduct and culvert heights and widths
  Decimetre,        // 0.1 m: canal heights, tunnels
  HalfMetre,        // 0.5 m: transition lengths
  Metre,            // 1 m: curve radii
};

// The smallest adopted value not below x (> 0). A value beyond the
// prestressed series is a CalcError (Table 10.4.6, the field given).
double roundUp(const Real& x, RoundingRule rule, const char* field);

// The smallest whole number of steps not below x; x itself for step 0.
double roundUpTo(const Real& x, double step);

}  // namespace channelflow::calc::structures
