// The culvert (涵洞), §11 and Appendix M: the capacities of M.0.3 by flow
// regime, and the canal culvert (渠涵, the canal passing through) as a
// free-surface uniform reach at each of its flows with its transitions
// (Table M.0.3-3), its regime and length class (M.0.1, M.0.2), and the
// clearances of §11.2.5-5 and Table 11.2.5.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "calc/structures/check.h"
#include "calc/structures/conduit_flow.h"
#include "calc/structures/culvert_tables.h"
#include "calc/structures/flows.h"
#include "calc/structures/transition.h"

namespace channelflow::calc::structures {

// H0 = H + α v0^2/2g, α = 1.05 (M.0.3).
Real approachHead(const Real& H, const Real& v0, double g);

// M.0.3-1, free surface: Q = σ ε m B sqrt(2g) H0^(3/2), σ from Table
// M.0.3-1 at h_s/H0 (h_s = h - iL for a short culvert).
Real freeSurfaceCapacity(const Real& B, const Real& H0, const Real& hs, double m, double epsilon, double g);
// Semi-pressure: Q = m1 A sqrt(2g (H0 + iL - β1 D)), Table M.0.3-2's m1 and β1.
Real semiPressureCapacity(const SemiPressureInlet& inlet, const Real& A, const Real& H0, const Real& iL, const Real& D,
                          double g);
// Free pressure: Q = m2 A sqrt(2g (H0 + iL - 0.85 D)), m2 = 1/sqrt(1 + Σξ + 2gL/(C²R)).
Real freePressureCapacity(const Real& A, const Real& H0, const Real& iL, const Real& D, const Real& zetaSum,
                          const Real& friction, double g);
// Submerged pressure: Q = m3 A sqrt(2g (H0 + iL - h)), m3 = 1/sqrt(Σξ + 2gL/(C²R)), Σξ with the outlet's.
Real submergedPressureCapacity(const Real& A, const Real& H0, const Real& iL, const Real& h, const Real& zetaSum,
                               const Real& friction, double g);

struct CulvertInput {
  FlowsInput flows;
  double g = 0;  // 0: kStandardGravity
  CulvertShape shape = CulvertShape::Rectangle;
  double B = 0;   // width (rectangle, arch)
  double D = 0;   // inner height (rectangle), diameter (circle), height to the crown (arch)
  double Ra = 0;  // an arch's roof radius; 0: a semicircle
  double n = 0.014, i = 0, L = 0;
  TransitionChoice inletTransition, outletTransition;  // Table M.0.3-3's forms or typed ξ
  std::array<std::optional<BarrelEnds>, 3> ends;    // by FlowCase
};

struct CulvertFlow : BarrelFlow {
  Real inletDepth;      // H over the invert: h + Z1
  CulvertRegime regime = CulvertRegime::FreeSurface;
  bool isLong = false;
};

struct CulvertResult {
  double g = 0;
  Real fullArea, leastClearHeight;
  Real xi1, xi2;
  std::vector<CulvertFlow> flows;
  std::vector<Check> checks;
};

CulvertResult culvert(const CulvertInput& input);

}  // namespace channelflow::calc::structures
