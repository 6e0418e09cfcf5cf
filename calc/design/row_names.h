// The name of any row of the design tables by its key (a lining, a soil, a
// row of Appendix C), as messages and reports write it: "混凝土，预制渠槽",
// "土渠，流量 1～20 m³/s，平整顺直，养护一般". Keys are unique across the tables.
#pragma once

#include <string>
#include <string_view>

#include "calc/toolkit/messages.h"

namespace channelflow::calc::design {

// The key itself for one that names no row.
std::string rowName(std::string_view key, Language language);

}  // namespace channelflow::calc::design
