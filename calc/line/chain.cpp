#include "calc/line/chain.h"

#include "calc/flow/critical.h"

namespace channelflow::calc {

FlowAlong flowAlong(const Chain& chain, std::vector<Real> Q) {
  FlowAlong flow;
  flow.Q = std::move(Q);
  flow.critical.reserve(chain.nodes.size());
  for (std::size_t k = 0; k < chain.nodes.size(); ++k) {
    const Channel& c = chain.nodes[k].channel;
    NodeCritical critical;
    try {
      critical.depths = criticalDepths(c, flow.Q[k]);
      const std::vector<Real>& depths = critical.depths;
      critical.found = true;
      critical.least = depths.front();
      Real leastEnergy = specificEnergy(c, depths.front(), flow.Q[k]);
      for (std::size_t d = 1; d < depths.size(); ++d) {
        const Real E = specificEnergy(c, depths[d], flow.Q[k]);
        if (E < leastEnergy) {
          critical.least = depths[d];
          leastEnergy = E;
        }
      }
    } catch (const CalcError& error) {
      if (error.problem().id != MessageId::CriticalAboveBanks) throw;
    }
    flow.critical.push_back(critical);
  }
  return flow;
}

}  // namespace channelflow::calc
