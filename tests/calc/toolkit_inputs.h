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
  return item ? item->cell.number : NAN;
}
inline double number(const Answer& answer, std::string_view key) { return number(answer.record().items, key); }

// The record's table with this key; a failure when there is none.
inline const Table& tableOf(const Answer& answer, std::string_view key) {
  for (const Table& table : answer.record().tables) {
    if (table.key == key) return table;
  }
  ADD_FAILURE() << "no table " << key;
  return answer.record().tables.front();
}

// A row's cell by its column's key.
inline Cell cellOf(const Table& table, long row, std::string_view column) {
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    if (quantityInfo(table.columns[c]).key == column) return table.rowAt(row).cells.at(c);
  }
  ADD_FAILURE() << "no column " << column;
  return Cell{};
}

}  // namespace channelflow::calc::test_inputs
