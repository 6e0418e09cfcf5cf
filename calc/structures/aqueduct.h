// The aqueduct (渡槽), §9 and Appendix K: a rectangular or U-shaped trough
// (a semicircle of radius R0 under vertical walls) in uniform flow at each
// of its flows, the head it costs by K.1.2,
//   ΔZ = Z1 + Z2 - Z3,  Z2 = i L,
// its inlet drop Z1 and outlet recovery Z3 from the canal velocities, with
// the transitions' friction for grades 1–3; the trough's height from the
// freeboard of §9.4.1-2, the bed levels of K.1.3, a curved trough's
// transverse rise (K.1.4), and the checks of §9.2.2, §9.3.3 and §9.4.1.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "calc/sections/channel.h"
#include "calc/structures/check.h"
#include "calc/structures/flows.h"
#include "calc/structures/transition.h"

namespace channelflow::calc::structures {

enum class TroughShape : std::uint8_t { Rectangle, U };

// The canals at one flow: v1 upstream, v3 downstream, and the upstream and
// downstream canal depths (NaN: unknown).
struct AqueductEnds {
  double v1 = 0, v3 = 0;
  double h1 = NAN, h2 = NAN;
};

struct AqueductInput {
  FlowsInput flows;
  double g = 0;  // 0: kStandardGravity
  TroughShape shape = TroughShape::Rectangle;
  double B = 0;   // a rectangular trough's width
  double R0 = 0;  // a U trough's radius
  double n = 0, i = 0, L = 0;
  int grade = 5;  // 1–5: grades 1 to 3 count the transitions' friction (K.1.2-1)
  // K.1.2's forms or typed ξ1 and ξ2, and any gate slots' ξ added to them.
  TransitionChoice inletTransition, outletTransition;
  double inletSlotZeta = 0, outletSlotZeta = 0;
  // The ends at each flow (by FlowCase), typed, or from the canals.
  std::array<std::optional<AqueductEnds>, 3> ends;
  std::optional<Channel> upstreamCanal, downstreamCanal;
  double inletLength = 0, outletLength = 0;  // the transitions', for their friction (grades 1–3)
  double bendRadius = 0;                     // a curved trough's centre-line radius; 0: straight
  bool covered = false;                      // a box trough, closed over the top (§9.3.3-2)
  double heightStep = 0.01;                  // the height adopted is rounded up to this (0: not rounded)
  double upstreamBed = NAN;                  // ∇3, the canal bed before the inlet transition (K.1.3)
};

struct AqueductFlow {
  FlowCase which = FlowCase::Design;
  Real Q, h, A, P, R, T, v;  // the trough's uniform flow
  bool hasEnds = false;
  Real v1, v3;
  Real J1, J2;  // the transitions' mean friction slopes (0 for grades 4–5)
  Real Z1, Z2, Z3, dZ;
  Real bendRise;  // K.1.4: α1 v^2 A / (g r h) across a curved trough; 0 when straight
  std::optional<Real> h1, h2;
};

struct AqueductResult {
  double g = 0;
  Real xi1, xi2;
  std::vector<AqueductFlow> flows;
  Real designHeight;    // h_s (+ half the bend rise) + freeboard at the design flow
  Real enlargedHeight;  // h_j (+ half the bend rise) + 0.10, when there is an enlarged flow
  Real heightNeeded;    // the larger
  double H = 0;         // adopted: rounded up
  Real heightRatio;     // H/B or H/(2 R0)
  // K.1.3: the trough's inlet and outlet bottoms and the canal bed after the outlet transition.
  std::optional<Real> inletBottom, outletBottom, downstreamBed;
  std::vector<Check> checks;
};

AqueductResult aqueduct(const AqueductInput& input);

// K.1.1-2: a short trough (L <= 15 h1) passes its flow as a submerged
// broad-crested weir. Rectangular: Q = ε σ m B sqrt(2g) H0^(3/2), H0 = h' +
// v1^2/2g, σ from Table M.0.3-1 at h_s/H0, m 0.32–0.38, ε 0.80–0.92. U or
// trapezoidal: Q = ε φ A sqrt(2g Z0), Z0 = Z1 + v1^2/2g, φ 0.89–0.95. A
// coefficient outside its range is refused.
Real shortRectangularTrough(const Real& B, const Real& H0, const Real& hs, double m, double epsilon, double g);
Real shortShapedTrough(const Real& A, const Real& Z1, const Real& v1, double phi, double epsilon, double g);

// Sizing (practice): the width B, or R0, at which the height needed is
// `ratio` times B (or 2 R0), rounded up to the height step, then every
// flow and check at it.
struct AqueductSizing {
  Real exact;  // the width or radius where H = ratio B
  double adopted = 0;
  AqueductResult result;
};
AqueductSizing sizeAqueduct(AqueductInput input, double ratio);

}  // namespace channelflow::calc::structures
