// outline: the section as drawn, at a depth or a surveyed section's level.
#include <memory>

#include "calc/questions/drawing.h"
#include "calc/toolkit/toolkit.h"

namespace channelflow::calc {
namespace {

using enum QuantityId;

Row point(double x, double z) { return Row({Cell::of(x), Cell::of(z)}); }

}  // namespace

std::vector<Table> outlineTables(Outline outline) {
  // The boundary's rows are made as they are written: a circle has about a hundred.
  const auto o = std::make_shared<const Outline>(std::move(outline));
  std::vector<Table> tables;
  tables.push_back({"boundary", {X, Z}, false, static_cast<long>(o->boundary.size()), [o](long k) {
                      const auto& [x, z] = o->boundary[static_cast<std::size_t>(k)];
                      return point(x, z);
                    }});
  tables.push_back(Table::of("water", {X, Z}, {point(o->waterLeft[0], o->waterLeft[1]), point(o->waterRight[0], o->waterRight[1])}));
  if (o->segmentN.empty()) return tables;
  std::vector<Row> segments;
  for (double n : o->segmentN) segments.push_back(Row({n > 0 ? Cell::of(n) : Cell::absent("no-roughness")}));
  tables.push_back(Table::of("segments", {N}, std::move(segments)));
  std::vector<Row> surface;
  for (const auto& [from, to] : o->water) surface.push_back(Row({Cell::of(from), Cell::of(to), Cell::of(o->waterLeft[1])}));
  tables.push_back(Table::of("surface", {From, To, Z}, std::move(surface)));
  std::vector<Row> dividers;
  for (const auto& [x, bed, top] : o->dividers) dividers.push_back(Row({Cell::of(x), Cell::of(bed), Cell::of(top)}));
  tables.push_back(Table::of("dividers", {X, Z, Top}, std::move(dividers)));
  return tables;
}

Answer outline(const Inputs& inputs) {
  InputReader reader(inputs);
  reader.requireDepthOrLevel();
  const Channel c = reader.section();
  const std::optional<Real> h = reader.depthOrLevel(c);
  reader.finish();
  const double depth = h->toDouble();
  Answer answer("outline", c.units);
  answer.record().tables = outlineTables(outlineOf(c, depth, isClosed(c.shape) ? fullDepth(c) : 1.25 * depth));
  return answer;
}

}  // namespace channelflow::calc
