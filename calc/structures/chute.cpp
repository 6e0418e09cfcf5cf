#include "calc/structures/chute.h"

#include <algorithm>

#include "calc/flow/critical.h"
#include "calc/flow/uniform_solvers.h"
#include "calc/structures/flows.h"
#include "calc/toolkit/problem.h"

namespace channelflow::calc::structures {

// The profile starts a millionth of the critical depth below it: at hc
// itself the step equations have no gradient to follow.
ChuteResult chute(const ChuteInput& in) {
  ChuteResult r;
  require(in.Q > 0, MessageId::NotPositive, "Q");
  require(in.L > 0, MessageId::NotPositive, "L");
  require(in.zeta >= 0, MessageId::Negative, "zeta");
  Channel c = in.chute;
  c.g = gravityOf(in.g);
  const Real Q(in.Q);
  r.hc = criticalDepth(c, Q);
  r.hn = normalDepths(c, Q).front();
  using V = Compared;
  r.checks.push_back(atMost("chute-steep", "12.3.3", V{"hn", r.hn}, V{"hc", r.hc}));
  if (r.checks.back().verdict == Verdict::Fail) return r;
  r.profile = standardStepProfile(c, Q, r.hc.toDouble() * (1 - 1e-6), in.L, in.steps);
  // Each result rounded once from its exact value, as every printed number is.
  for (const ProfilePoint& p : r.profile.points) {
    const double aerated = ((Real(1) + Real(in.zeta) * Real(p.v) / 100) * Real(p.h)).toDouble();
    r.aerated.push_back(aerated);
    r.deepestAerated = std::max(r.deepestAerated, aerated);
  }
  r.wallHeight = (Real(r.deepestAerated) + Real(in.backwater) + Real(in.freeboard)).toDouble();
  return r;
}

}  // namespace channelflow::calc::structures
