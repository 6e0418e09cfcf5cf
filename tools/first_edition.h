// The first edition of the toolkit knew one channel: the SI trapezoid given by
// --B, one --m and one --n. A line that says no more keeps that edition's
// output, digit for digit in its layout: the quantities below, in this order,
// without the section and unit lines.
#pragma once

#include <array>
#include <string_view>

#include "calc/toolkit/toolkit.h"
#include "tools/cli_args.h"
#include "tools/item_writer.h"

namespace channelflow::tools {

inline constexpr std::array<std::string_view, 20> kFirstEditionKeys{
    "B", "h", "m", "i", "n", "A", "P", "R", "T", "D", "C", "v", "Q", "Fr", "regime", "hc", "vc", "ic", "E", "tau0"};

// Whether the line uses only what the first edition knew.
inline bool isFirstEditionLine(const Options& o) {
  for (std::string_view name : {"section", "units", "m1", "m2", "D", "r", "p", "n-bed", "n-wall", "points", "points-file", "wse"}) {
    if (o.has(name)) return false;
  }
  return true;
}

// The first edition's quantities of a report. That edition had no place for
// a critical depth a double cannot hold: its reason is the whole answer's.
inline calc::Items firstEditionItems(const calc::Items& items) {
  const calc::Item* hc = calc::findItem(items, "hc");
  if (hc == nullptr || hc->kind != calc::Item::Kind::Number) {
    const calc::Item* why = hc ? hc : calc::findItem(items, "critical");
    if (why) throw calc::CalcError(why->message);
  }
  return selectItems(items, kFirstEditionKeys);
}

}  // namespace channelflow::tools
