// The names of the kinds of bed that Appendix B's roughness rows and Appendix
// C's velocity rows both group their rows by, written once.
#pragma once

#include "calc/toolkit/catalog.h"

namespace channelflow::calc::design {

inline constexpr Text kMasonry{"砌石", "masonry"};
inline constexpr Text kAsphalt{"沥青混凝土", "asphalt concrete"};
inline constexpr Text kConcrete{"混凝土", "concrete"};

}  // namespace channelflow::calc::design
