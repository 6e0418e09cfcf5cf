// The toolkit's one API, which every front end binds (the command line, the
// browser page): each question declared once in the question table
// (calc/toolkit/question.h) and answered as one document
// (calc/toolkit/answer.h), or a CalcError with every problem of its inputs.
// Front ends only show it: the writers (answer_writers.h) and the texts of
// the one table (messages.h).
#pragma once

#include <string_view>

#include "calc/toolkit/answer.h"
#include "calc/toolkit/answer_writers.h"
#include "calc/toolkit/catalog.h"
#include "calc/toolkit/inputs.h"
#include "calc/toolkit/question.h"

namespace channelflow::calc {

// report: the channel (section, units, size, i, n) and every quantity of its
// uniform flow at depth h, with the critical flow of that discharge.
Answer report(const Inputs& inputs);
Answer reportOf(const Channel& channel, const Real& h);

// solve: uniform flow with one of Q, h, the size (B, D, r or p), i and n
// unknown: the one named by `unknown` (a key), or else the one input left
// out. A record per answer (a circle's depth may have two), each with a
// circle's capacity when its depth was sought.
Answer solve(const Inputs& inputs, std::string_view unknown = {});

// table: the rating table over the depths of `h` = "from:to:step", or a
// surveyed section's water levels `wse` = "from:to:step"; the channel and the
// range are checked before the first row, and a row without an answer says why.
inline constexpr long kMaxTableRows = 1000000;
Answer table(const Inputs& inputs);

// jump: the hydraulic jump through h1 carrying Q.
Answer jump(const Inputs& inputs);

// profile: the water-surface profile from h0, toward `to-h` by the direct
// step or over `length` by the standard step, in `steps` steps (100 unless given).
inline constexpr int kDefaultSteps = 100;
inline constexpr int kMaxSteps = 1000000;
Answer profile(const Inputs& inputs);

// outline: the section drawn at depth h, its banks a quarter of h above the
// water (a circle whole): its boundary, its water line and, for a surveyed
// section, each segment's n, the wet stretches of the surface and the lines
// dividing its parts.
Answer outline(const Inputs& inputs);

// design: an irrigation canal by GB 50288-2018 (calc/design/): its three
// flows, its section, the depth of each flow, the bank height, the schemes,
// the checks, the calculation report and the drawing.
Answer designCanal(const Inputs& inputs);

// reach: the water surface along a river reach (calc/reach/reach.h) for
// each of its flows: every section's levels, flow and losses, and the jumps;
// `file` is the reach file's text, CSV or JSON.
Answer reach(const Inputs& inputs);
// The canal's structures by GB 50288-2018 (calc/structures/), each at its
// design, enlarged and minimum flows with its checks and calculation report:
// the inverted siphon (§10, Appendix L),
Answer answerSiphon(const Inputs& inputs);
// the aqueduct (§9, Appendix K), the canal culvert (§11, Appendix M), the
// free-surface tunnel (§15, sized when its size is left out), one transition
// (Appendices K, L, M), the check gate open (a submerged broad-crested weir),
// the drop (Appendix N) and the chute's drawdown (§12.3.3).
Answer answerAqueduct(const Inputs& inputs);
Answer answerCulvert(const Inputs& inputs);
Answer answerTunnel(const Inputs& inputs);
Answer answerTransition(const Inputs& inputs);
Answer answerGate(const Inputs& inputs);
Answer answerDrop(const Inputs& inputs);
Answer answerChute(const Inputs& inputs);

// line: a canal line's water levels from head to tail for its three flows
// (calc/canal/canal_line.h): the results table per flow, the plan, the flow
// segments, the structures, the checks, the adopted depths, the profile's
// tables and the calculation report; `file` is the line file's text (CSV).
Answer canalLine(const Inputs& inputs);

// roughness and velocity-limits: Appendices B and C of GB 50288-2018.
Answer roughness(const Inputs& inputs);
Answer velocityLimits(const Inputs& inputs);

}  // namespace channelflow::calc
