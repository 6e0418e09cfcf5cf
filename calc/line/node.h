// A node of a line: a station and the section that stands there, with the
// level its depths are measured from. Stations grow downstream; a river's
// surveyed section is divided at its banks into the left overbank, the
// channel and the right overbank, whose conveyances weigh the reach lengths.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calc/sections/channel.h"
#include "numeric/text/decimal.h"

namespace channelflow::calc {

enum class Side : std::uint8_t { LeftOverbank, Channel, RightOverbank };
inline constexpr std::size_t kSides = 3;

struct Node {
  numeric::Decimal station;
  std::string name;  // as the engineer calls it; may be empty
  // The level of the section's lowest point: a depth h is the level bed + h,
  // and two nodes' levels differ by the exact difference of their beds.
  numeric::Decimal bed;
  Channel channel;  // its slope is not used: the beds carry the fall
  // A surveyed section's side of each part (Survey::partCount()); empty for
  // a section of closed form, which is all channel.
  std::vector<Side> partSides;
};

}  // namespace channelflow::calc
