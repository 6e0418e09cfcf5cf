// The first edition of the toolkit knew one channel: the SI trapezoid given by
// B, one m and one n. A command line or a batch header that says no more keeps
// that edition's answer, digit for digit in its layout: the quantities below,
// in this order, without the section and unit items.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "calc/toolkit/answer.h"

namespace channelflow::calc {

inline constexpr std::array<std::string_view, 20> kFirstEditionKeys{
    "B", "h", "m", "i", "n", "A", "P", "R", "T", "D", "C", "v", "Q", "Fr", "regime", "hc", "vc", "ic", "E", "tau0"};

// The items with these keys, in this order (keys without an item are skipped).
inline Items selectItems(const Items& items, std::span<const std::string_view> keys) {
  Items chosen;
  chosen.reserve(keys.size());
  for (std::string_view key : keys) {
    if (const Item* item = findItem(items, key)) chosen.push_back(*item);
  }
  return chosen;
}

// The first edition's quantities of a report. That edition had no place for
// a critical depth a double cannot hold: its reason is the whole answer's.
inline Items firstEditionItems(const Items& items) {
  const Item* hc = findItem(items, "hc");
  if (hc == nullptr || hc->cell.kind != Cell::Kind::Number) {
    const Item* why = hc ? hc : findItem(items, "critical");
    if (why) throw CalcError(why->cell.message);
  }
  return selectItems(items, kFirstEditionKeys);
}

}  // namespace channelflow::calc
