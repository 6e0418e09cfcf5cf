// Reading the standard's tables: straight lines between the printed rows,
// and never beyond the first or last: a value outside a table's range is a
// CalcError that names the input, the table and its range, and says that
// nothing was extrapolated.
#pragma once

#include <span>
#include <string_view>

#include "numeric/elementary/real.h"

namespace channelflow::calc::structures {

using numeric::Real;

struct TableRef {
  std::string_view name;   // "L.1.4-3"
  std::string_view field;  // the input at fault: "bend"
  int item = 0;            // which item of a list input, from 1; 0 for a single value
};

// y at x, xs rising; an x on a row gives its y exactly.
Real interpolate(std::span<const double> xs, std::span<const double> ys, const Real& x, TableRef table);

// Throws the table's range error for x unless first <= x <= last.
void requireInTable(const Real& x, double first, double last, TableRef table);

}  // namespace channelflow::calc::structures
