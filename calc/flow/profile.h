// Gradually varied flow: the water-surface profile from a control depth h0,
// by the direct-step method (equal depth steps toward a target depth) or the
// standard-step method (equal distance steps over a length). Subcritical
// profiles are computed upstream from a downstream control and
// supercritical ones downstream from an upstream control, the directions in
// which their controls act. x is the distance downstream of the control, so
// upstream points have x < 0.
#pragma once

#include <optional>
#include <vector>

#include "calc/sections/channel.h"
#include "calc/toolkit/problem.h"

namespace channelflow::calc {

enum class ProfileType { M1, M2, M3, S1, S2, S3, C1, C3, H2, H3, A2, A3 };

// "M1" ... "A3": the catalog's term.
const char* profileTypeTerm(ProfileType type);

enum class Direction { Upstream, Downstream };

// Each point's quantities, rounded; Fr is NaN where a circle runs full.
struct ProfilePoint {
  double x = 0, h = 0, A = 0, v = 0, E = 0, Fr = 0, Sf = 0;
};

struct WaterSurfaceProfile {
  ProfileType type = ProfileType::M1;
  Real hc;
  std::optional<Real> hn;  // normal depth; none on a flat or adverse bed
  Direction direction = Direction::Upstream;
  std::vector<ProfilePoint> points;
  bool reachedCritical = false;  // stopped at hc: a jump or a fall stands there
  bool reachedCrown = false;     // a circle filled: the free surface ends
  std::optional<Problem> note;   // why it stopped early, if it did
};

// The profile type of depth h0 on the channel carrying Q, with the critical
// and normal depths it is judged by. Throws CalcError for h0 at the critical
// or the normal depth (there is no profile, only critical or uniform flow),
// and for a circle asked for more than it carries.
struct ProfileClass {
  ProfileType type;
  Real hc;
  std::optional<Real> hn;
};
ProfileClass classifyProfile(const Channel& channel, const Real& Q, const Real& h0);

// Direct step from h0 toward target in `steps` equal depth steps. The target
// must lie the way the profile runs from its control; a target beyond the
// critical depth ends the profile at hc (reachedCritical), one at or beyond
// the normal depth, which a profile only approaches, is an error.
WaterSurfaceProfile directStepProfile(const Channel& channel, const Real& Q, const Real& h0, const Real& target,
                                      int steps);

// Standard step from h0 over `length` (> 0, measured the way the profile
// runs) in `steps` equal distance steps; stops early at hc or a circle's crown.
WaterSurfaceProfile standardStepProfile(const Channel& channel, const Real& Q, const Real& h0, double length, int steps);

}  // namespace channelflow::calc
