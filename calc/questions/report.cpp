// report: uniform flow at a given depth.
#include "calc/questions/formulas.h"
#include "calc/toolkit/item_list.h"
#include "calc/toolkit/toolkit.h"

namespace channelflow::calc {

Answer reportOf(const Channel& c, const Real& h) {
  Answer answer("report", c.units);
  Items& items = answer.record().items;
  items.reserve(32);
  ItemList list(items);
  list.channel(c, true, true);
  list.flow(c, uniformFlow(c, h));
  answer.formulas = uniformFormulas(c, items);
  return answer;
}

Answer report(const Inputs& inputs) {
  InputReader reader(inputs);
  reader.requireDepthOrLevel();
  const Channel c = reader.channel({}, SlopeUse::Uniform);
  const std::optional<Real> h = reader.depthOrLevel(c);
  reader.finish();
  return reportOf(c, *h);
}

}  // namespace channelflow::calc
