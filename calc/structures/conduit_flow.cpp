#include "calc/structures/conduit_flow.h"

#include "calc/flow/flow_state.h"
#include "calc/flow/uniform_solvers.h"
#include "calc/structures/transition.h"

namespace channelflow::calc::structures {

ConduitFlow conduitFlow(const Channel& barrel, const Real& Q, const Real& crown, const Real& fullArea) {
  ConduitFlow f;
  if (isClosed(barrel.shape)) {
    f.QMax = conduitCapacity(barrel).QMax;
    f.carried = !(Q > f.QMax);
  }
  f.h = f.carried ? normalDepths(barrel, Q).front() : crown;
  f.A = f.carried ? geometry(barrel.shape, barrel.size, f.h).A : fullArea;
  f.v = Q / f.A;
  f.freeAreaPct = (fullArea - f.A) / fullArea * 100;
  f.freeHeight = crown - f.h;
  return f;
}

BarrelFlow barrelFlow(const Channel& barrel, const StructureFlow& flow, const Real& crown, const Real& fullArea,
                      const Real& Z2, const std::optional<BarrelEnds>& ends, const Real& xi1, const Real& xi2, double g) {
  BarrelFlow f;
  static_cast<ConduitFlow&>(f) = conduitFlow(barrel, flow.Q, crown, fullArea);
  f.which = flow.which;
  f.Q = flow.Q;
  f.Z2 = Z2;
  if (ends) {
    f.hasEnds = true;
    f.Z1 = transitionDrop(Real(ends->v1), f.v, xi1, g).drop;
    f.Z3 = -transitionDrop(f.v, Real(ends->v3), xi2, g).drop;
    f.dZ = f.Z1 + f.Z2 - f.Z3;
  }
  return f;
}

}  // namespace channelflow::calc::structures
