#include "calc/structures/conduit_flow.h"

#include "calc/flow/flow_state.h"
#include "calc/flow/uniform_solvers.h"

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

}  // namespace channelflow::calc::structures
