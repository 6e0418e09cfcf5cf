// The engineer's view of a trapezoidal channel in uniform flow: every section
// and flow quantity on plain doubles, and solvers for the depth or the bottom
// width that carry a given discharge. Sizes in metres, Q in m^3/s, tau0 in Pa.
// This is separate from the window's calculation, which follows the general
// value arithmetic step by step.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace channelflow::calc {

inline constexpr double kGravity = 9.80665;      // m/s^2
inline constexpr double kWaterDensity = 1000.0;  // kg/m^3

enum class FlowRegime { Subcritical, Critical, Supercritical };

// "缓流", "临界流" or "急流".
std::string_view regimeName(FlowRegime regime);

// A question that has no answer: the message says why, in Chinese.
class HydraulicsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Channel {
  double B = 0;  // bottom width, m
  double m = 0;  // side slope, horizontal per unit depth
  double i = 0;  // bed slope
  double n = 0;  // Manning roughness
};

struct FlowState {
  Channel channel;
  double h = 0;     // depth, m
  double A = 0;     // flow area, m^2
  double P = 0;     // wetted perimeter, m
  double R = 0;     // hydraulic radius, m
  double T = 0;     // top width, m
  double D = 0;     // hydraulic depth A/T, m
  double C = 0;     // Chezy coefficient R^(1/6)/n
  double v = 0;     // mean velocity, m/s
  double Q = 0;     // discharge, m^3/s
  double Fr = 0;    // Froude number v / sqrt(g D)
  FlowRegime regime = FlowRegime::Subcritical;
  double hc = 0;    // critical depth for this discharge, m
  double E = 0;     // specific energy h + v^2/(2g), m
  double tau0 = 0;  // mean bed shear stress rho g R i, Pa
};

// Throws HydraulicsError for a channel that carries no uniform flow: a value
// that is not finite or too small for a double to hold, n <= 0, i <= 0, B or
// m negative, B and m both 0. The message names the value.
void checkChannel(const Channel& channel);

// Every quantity at depth h. Throws HydraulicsError for a channel or depth
// that describes no flow (see checkChannel, and h <= 0), and for a quantity
// that a double cannot hold (beyond 1.8E+308, or below 2.2E-308 where it
// would lose digits or vanish): the message names the quantity.
FlowState describeFlow(const Channel& channel, double h);

// The discharge at depth h, by Manning's formula (no checks: callers check).
double dischargeAt(const Channel& channel, double h);

// The depth at which the flow is critical for discharge Q: Q^2 T = g A^3,
// to the last bit (no checks: callers check).
double criticalDepth(double B, double m, double Q);

// The normal depth: the depth of uniform flow that carries Q, to within 2
// ulp. Throws HydraulicsError for an impossible question (see checkChannel,
// and Q <= 0), for a depth a double cannot hold, and when the iteration does
// not settle.
double normalDepth(const Channel& channel, double Q);

// The bottom width that carries Q at depth h (channel.B is ignored), to
// within 2 ulp. Throws HydraulicsError when no width does, e.g. when the
// side slopes alone already carry more than Q, or as normalDepth does.
double bottomWidth(const Channel& channel, double h, double Q);

}  // namespace channelflow::calc
