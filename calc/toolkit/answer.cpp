#include "calc/toolkit/answer.h"

#include <memory>

namespace channelflow::calc {

const Item* findItem(const Items& items, std::string_view key) {
  for (const Item& item : items) {
    if (item.key() == key) return &item;
  }
  return nullptr;
}

Table Table::of(std::string_view key, std::vector<QuantityId> columns, std::vector<Row> rows) {
  Table table{key, std::move(columns), false, static_cast<long>(rows.size()), {}};
  for (const Row& row : rows) table.rowsMayFail = table.rowsMayFail || row.error.has_value();
  auto held = std::make_shared<const std::vector<Row>>(std::move(rows));
  table.rowAt = [held](long k) { return (*held)[static_cast<std::size_t>(k)]; };
  return table;
}

}  // namespace channelflow::calc
