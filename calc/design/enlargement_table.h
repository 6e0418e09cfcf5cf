// Table 6.3.4 of GB 50288-2018 (续灌渠道加大流量的加大百分数): the percentage
// by which a continuous canal's design flow is enlarged, Qj = Q (1 + P/100).
// Humid regions take the smaller value of a class, arid ones the larger. The
// table leaves its end points open; here a flow on a boundary belongs to the
// class above it (1 m³/s is in 1～5). Above 300 m³/s the standard says only
// "below 5 %": there is no row, and P must be given.
#pragma once

#include <span>

namespace channelflow::calc::design {

struct EnlargementRow {
  double fromQ, toQ;      // m³/s: fromQ ≤ Q < toQ
  double smaller, larger; // P in percent
};

std::span<const EnlargementRow> enlargementTable();

// The class of design flow Q > 0; nullptr at 300 m³/s and above.
const EnlargementRow* enlargementRow(double Q);

}  // namespace channelflow::calc::design
