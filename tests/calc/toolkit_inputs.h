// What the toolkit's tests share: inputs as the front ends pass them, and a
// result's number by its key.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "calc/toolkit/inputs.h"
#include "calc/toolkit/toolkit.h"

namespace channelflow::calc::test_inputs {

inline Inputs inputsOf(std::initializer_list<std::pair<const char*, const char*>> pairs) {
  Inputs inputs;
  for (const auto& [key, text] : pairs) inputs.set(key, text);
  return inputs;
}

// NaN, and a failure, when the answer lacks the key.
inline double number(const Items& items, std::string_view key) {
  const Item* item = findItem(items, key);
  EXPECT_NE(item, nullptr) << key;
  return item ? item->number : NAN;
}

}  // namespace channelflow::calc::test_inputs
