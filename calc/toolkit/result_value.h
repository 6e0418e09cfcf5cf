// A result handed out of the core: the correctly rounded double of its exact
// value, or an error naming the quantity when a double cannot hold it with
// all its digits (beyond DBL_MAX, or below DBL_MIN where it would lose
// digits or vanish). Every quantity of a real flow is positive or signed
// away from zero; a zero result that is exactly zero is kept.
#pragma once

#include <string_view>

#include "calc/toolkit/problem.h"
#include "numeric/elementary/real.h"

namespace channelflow::calc {

double resultValue(const numeric::Real& value, std::string_view quantityKey);

}  // namespace channelflow::calc
