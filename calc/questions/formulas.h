// The formulas a printed report shows, with the numbers the answer used put
// in: uniform flow in each kind of section, the jump's momentum balance and
// the profile's step, g and Manning's factor as the core computes with them.
#pragma once

#include <vector>

#include "calc/sections/channel.h"
#include "calc/toolkit/answer.h"

namespace channelflow::calc {

std::vector<Phrase> uniformFormulas(const Channel& channel, const Items& items);
std::vector<Phrase> jumpFormulas(const Channel& channel, const Items& items);
std::vector<Phrase> profileFormulas(const Channel& channel);

}  // namespace channelflow::calc
