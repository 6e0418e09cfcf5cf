// roughness and velocity-limits: Appendices B and C of GB 50288-2018, a
// record per row, as design's --lining and --soil take them.
#include "calc/design/roughness_table.h"
#include "calc/design/scour_table.h"
#include "calc/toolkit/item_list.h"
#include "calc/toolkit/toolkit.h"

namespace channelflow::calc {

Answer roughness(const Inputs& inputs) {
  InputReader(inputs).finish();
  using enum QuantityId;
  Answer answer("roughness", UnitSystem::SI, 0);
  for (const design::RoughnessRow& row : design::roughnessTable()) {
    Group record;
    record.items = {{RowKey, Cell::textOf(row.key)},
                    {TableName, Cell::textOf(row.table)},
                    {GroupName, Cell::wordsOf(row.group)},
                    {FlowClassName, Cell::wordsOf(design::flowClassText(row.flow))},
                    {Condition, Cell::wordsOf(row.condition)},
                    {NLow, Cell::of(row.low)},
                    {NHigh, Cell::of(row.high)},
                    {NEscape, row.escape > 0 ? Cell::of(row.escape) : Cell::absent("not-in-table")}};
    answer.records.push_back(std::move(record));
  }
  return answer;
}

Answer velocityLimits(const Inputs& inputs) {
  InputReader(inputs).finish();
  using enum QuantityId;
  static constexpr std::array<QuantityId, 4> kByDepth{LimitAtDepth04, LimitAtDepth1, LimitAtDepth2, LimitAtDepth3};
  Answer answer("velocity-limits", UnitSystem::SI, 0);
  for (const design::ScourRow& row : design::scourTable()) {
    Group record;
    record.items = {{RowKey, Cell::textOf(row.key)},
                    {TableName, Cell::textOf(row.table)},
                    {GroupName, Cell::wordsOf(row.group)},
                    {RowName, Cell::wordsOf(row.name)},
                    {Grain, Cell::textOf(design::grainText(row))}};
    // Each value as the table writes it ("0.6～0.8"): one, or one a depth.
    const bool byDepth = row.basis == design::ScourBasis::Depth;
    record.items.push_back({Limit, byDepth ? Cell::absent("not-in-table") : Cell::textOf(design::cellText(row.v[0]))});
    for (std::size_t k = 0; k < kByDepth.size(); ++k) {
      record.items.push_back({kByDepth[k], byDepth ? Cell::textOf(design::cellText(row.v[k])) : Cell::absent("not-in-table")});
    }
    answer.records.push_back(std::move(record));
  }
  return answer;
}

}  // namespace channelflow::calc
