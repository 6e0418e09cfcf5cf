// What the structures' tests share: a value held to the digits a worked
// example prints (rounded at `decimals`), in a table of named rows.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <span>

#include "numeric/elementary/real.h"

namespace channelflow::calc::structures {

struct Printed {
  const char* name;
  numeric::Real value;
  double printed;
  int decimals;
};

// Each value rounds to its printed digits: within half a unit of the last.
inline void expectPrinted(std::span<const Printed> rows) {
  for (const Printed& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_NEAR(row.value.toDouble(), row.printed, 0.5 * std::pow(10.0, -row.decimals) * (1 + 1e-9));
  }
}

}  // namespace channelflow::calc::structures
