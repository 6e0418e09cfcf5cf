#include "calc/structures/table_lookup.h"

#include "calc/toolkit/problem.h"

namespace channelflow::calc::structures {

void requireInTable(const Real& x, double first, double last, TableRef table) {
  if (x >= Real(first) && x <= Real(last)) return;
  std::vector<MessageArg> args{MessageArg::value(x.toDouble()), MessageArg::literal(table.name),
                               MessageArg::value(first), MessageArg::value(last)};
  if (table.item == 0) fail(MessageId::TableRange, table.field, std::move(args));
  args.push_back(MessageArg::value(table.item));
  fail(MessageId::TableRangeItem, table.field, std::move(args));
}

Real interpolate(std::span<const double> xs, std::span<const double> ys, const Real& x, TableRef table) {
  requireInTable(x, xs.front(), xs.back(), table);
  std::size_t k = 1;
  while (k + 1 < xs.size() && x > Real(xs[k])) ++k;
  const Real x0(xs[k - 1]), x1(xs[k]), y0(ys[k - 1]), y1(ys[k]);
  if (x == x1) return y1;
  return y0 + (y1 - y0) * (x - x0) / (x1 - x0);
}

}  // namespace channelflow::calc::structures
