// The hydraulics of open channels in 256-bit arithmetic, written from the
// textbook definitions alone, to judge what channelflow-cli prints. Inputs
// are the doubles a command line gives; results are exact to some 240 bits,
// roots included, so their correctly rounded doubles are known.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tests/reference/real.h"

namespace channelflow::reference {

enum class Shape { Trapezoid, Circle, U, Parabola, Points, Arch, Horseshoe };

// A surveyed point's station and elevation, exactly as typed.
struct SurveyPoint {
  Real x, z;
};

struct Channel {
  Shape shape = Shape::Trapezoid;
  Real size;    // B, D, r or p; an arch's width B, a horseshoe's roof radius r
  Real m1, m2;  // the trapezoid's walls; the U shape's walls are m1
  Real H, Ra;   // an arch's height to the crown and roof radius (0: a semicircle, B/2)
  int type = 1; // a horseshoe's: its sides and invert of radius 3r (1) or 2r (2)
  bool us = false;
  bool composite = false;  // nBed and nWall weighed by Horton-Einstein instead of one n
  Real n, nBed, nWall;
  Real i;
  // A surveyed section (setPoints): its points and each segment's n, divided
  // where n changes (all 0 when n plays no part). Depths are measured from
  // the lowest point; `offsets` are each point's station from the first and
  // height above the lowest, rounded, for the first passes in doubles.
  std::vector<SurveyPoint> points;
  Real lowest;
  std::vector<std::pair<double, double>> offsets;
  std::vector<double> segmentN;
};

// Makes c a surveyed section of these points (its segmentN set apart).
void setPoints(Channel& c, std::vector<SurveyPoint> points);
// A surveyed section's deepest water: its lower end's height above its lowest point.
Real bankDepth(const Channel& c);
// Whether the section is closed over the top (circle, arch, horseshoe), and
// the height of its crown.
bool isClosed(const Channel& c);
Real crownOf(const Channel& c);
Real lowestElevation(const Channel& c);

struct Units {
  double g, k, gamma;  // gravity, Manning's factor, unit weight of water
};
Units unitsOf(bool us);

// The quantities of discharge Q at depth h; K and alpha those of the
// conveyance divided where n changes.
struct Flow {
  Real h, A, P, R, T, D, M1, n, C, v, Q, Fr, E, Sf, tau0, K, alpha;
  bool full = false;  // a circle running full: no D, Fr or regime
};

Flow flowAt(const Channel& c, const Real& h, const Real& Q);
// Manning's discharge at depth h, with Sf = i.
Flow uniformFlow(const Channel& c, const Real& h);
// "subcritical", "critical" or "supercritical": the JSON keys of the regimes.
std::string regimeOf(const Real& Fr);

struct Critical {
  Real hc, vc, ic;
  std::vector<Real> all;  // a surveyed section's every depth of least specific energy, shallowest first
};
// A surveyed section's E may fall all the way to its banks: no critical depth there.
struct NoCriticalDepth {};
Critical criticalFlow(const Channel& c, const Real& Q);
// The critical depth jumps and profiles go by: of several, the one of least specific energy.
Real criticalDepth(const Channel& c, const Real& Q);

// Uniform flow with one unknown. normalDepths: none above a circle's Qmax,
// two (shallower first) between its Qfull and Qmax; more than one in the
// other sections where composite roughness makes Q fall as the depth grows.
std::vector<Real> normalDepths(const Channel& c, const Real& Q);
// The B, D, r or p that carries Q at depth h; none when no size or more than one does.
std::optional<Real> sizeFor(const Channel& c, const Real& h, const Real& Q);
Real roughnessFor(const Channel& c, const Real& h, const Real& Q);

struct Capacity {
  Real hMax, QMax, QFull;
};
// A closed section's: the depth of its greatest discharge (the circle's a
// fixed share of D, the others' where dQ/dh falls through 0, or an arch's
// springing line when it falls there at once), that discharge and the full one's.
Capacity conduitCapacity(const Channel& c);
// The h/D of a circle's greatest discharge, about 0.938.
const Real& greatestDischargeRatio();

struct JumpSide {
  Real h, A, v, Fr, E;
};
struct Jump {
  Real hc;
  JumpSide up, down;
  Real M, dE, dEOverE1, height;
  bool givenDownstream = false;
};
// The jump through depth h; none when it would fill a circle or h is critical.
std::optional<Jump> hydraulicJump(const Channel& c, const Real& Q, const Real& h);
// "undular" ... "strong" (the JSON keys) by the upstream Froude number.
std::string jumpTypeOf(const Real& Fr1);

struct ProfilePoint {
  Real x;
  Flow flow;
};
// The depth a profile approaches the way it is computed.
enum class Toward { Nothing, Critical, Normal, Crown };

struct Profile {
  std::string error;  // why there is no profile; empty when there is one
  std::string type;   // "M1" ... "A3"
  Real hc;
  std::optional<Real> hn;
  bool upstream = false;
  int trend = 1;              // +1 when the depth grows the way it is computed
  std::optional<Real> limit;  // the depth it approaches; none when it grows without end
  Toward toward = Toward::Nothing;
  bool reachedCritical = false;
  std::vector<ProfilePoint> points;
};
// The profile's type, direction and limit, and its first point.
// A surveyed section's h0 and target are the typed numbers, another section's their doubles.
Profile profileStart(const Channel& c, double Q, const Real& h0);
Profile directStep(const Channel& c, double Q, const Real& h0, const Real& target, int steps);
Profile standardStep(const Channel& c, double Q, const Real& h0, double length, int steps);

}  // namespace channelflow::reference
