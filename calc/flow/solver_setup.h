// What every solver of a channel shares: whether its first iterations may run
// in plain doubles, and the function they then evaluate.
#pragma once

#include "calc/sections/channel.h"
#include "calc/sections/number_forms.h"

namespace channelflow::calc {

// Whether every input of the question lies well inside the double range
// (within 2^-120 ... 2^120, or zero), so that no intermediate of any formula
// in doubles can overflow or lose digits below the normal range. Otherwise
// the first iterations too run in Reals.
bool fitsDoubles(const Channel& channel, double Q);

// f evaluated at a double, in doubles when `fast`, else in Reals rounded.
template <typename F>
auto firstStage(const F& f, bool fast) {
  return [&f, fast](double x) { return fast ? f(x) : f(Real(x)).toDouble(); };
}

}  // namespace channelflow::calc
