// jump: the hydraulic jump through a given depth; outline: the section as drawn.
#include "calc/flow/jump.h"
#include "calc/toolkit/toolkit.h"
#include "calc/toolkit/item_list.h"

namespace channelflow::calc {
namespace {

struct SideQuantities {
  QuantityId h, A, v, Fr, E;
};

void addSide(ItemList& list, const JumpSide& side, const SideQuantities& ids) {
  list.number(ids.h, side.h);
  list.number(ids.A, side.A);
  list.number(ids.v, side.v);
  // A circle running full has no free surface, so no Froude number.
  if (!side.full) list.number(ids.Fr, side.Fr);
  list.number(ids.E, side.E);
}

}  // namespace

Items jump(const Inputs& inputs) {
  InputReader reader(inputs);
  // A surveyed section's n divide it into parts, whose energy coefficient the jump's energies carry.
  const std::string* section = inputs.find("section");
  const bool survey = section && *section == "points";
  for (std::string_view unused : {"n", "n-bed", "n-wall"}) {
    if (!(survey && unused == "n")) reader.requireAbsent(unused, MessageId::JumpTakesNoRoughness);
  }
  reader.requireGiven("Q");
  reader.requireGiven("h1");
  const Channel c = reader.section();
  const std::optional<double> Q = reader.number("Q");
  const std::optional<double> h1 = reader.depth("h1", c);
  reader.finish();

  const HydraulicJump j = hydraulicJump(c, Real(*Q), Real(*h1));
  Items items;
  items.reserve(32);
  ItemList list(items);
  list.channel(c, false, false);
  list.exact(QuantityId::Discharge, *Q);
  list.number(QuantityId::CriticalDepth, j.hc);
  if (isSurvey(c.shape)) list.criticalChoice(c, Real(*Q));
  using enum QuantityId;
  addSide(list, j.upstream, {H1, A1, V1, Fr1, E1});
  addSide(list, j.downstream, {H2, A2, V2, Fr2, E2});
  list.number(Momentum, j.M);
  list.number(EnergyLoss, j.energyLoss);
  list.number(RelativeLoss, j.relativeLoss);
  list.number(JumpHeight, j.height);
  list.term(JumpType, jumpTypeTerm(j.upstream.Fr));
  list.term(GivenDepth, j.givenDownstream ? "given-downstream" : "given-upstream");
  return items;
}

OutlineAnswer outline(const Inputs& inputs) {
  InputReader reader(inputs);
  reader.requireDepthOrLevel();
  const Channel c = reader.section();
  const std::optional<Real> h = reader.depthOrLevel(c);
  reader.finish();
  const double depth = h->toDouble();
  return {outlineOf(c, depth, isClosed(c.shape) ? fullDepth(c) : 1.25 * depth), c.units};
}

}  // namespace channelflow::calc
