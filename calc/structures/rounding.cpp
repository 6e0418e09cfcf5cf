#include "calc/structures/rounding.h"

#include <cmath>

#include "calc/structures/table_lookup.h"

namespace channelflow::calc::structures {
namespace {

// The least k / perMetre not below x, compared as the double nearest that
// decimal (k / perMetre, correctly rounded, where k times the step would
// miss it): a typed 1.8 is already a whole number of decimetres.
double steps(const Real& x, double perMetre) {
  double k = std::ceil((x * perMetre).toDouble());
  // From 2^52 steps on a double has no finer values: k is a whole number of
  // them already, and counting by ones would never move it.
  if (!(k < 0x1p52)) return k / perMetre;
  while (k > 1 && Real((k - 1) / perMetre) >= x) k -= 1;
  while (Real(k / perMetre) < x) k += 1;
  return k / perMetre;
}

}  // namespace

double roundUp(const Real& x, RoundingRule rule, const char* field) {
  switch (rule) {
    case RoundingRule::None: return x.toDouble();
    case RoundingRule::SiphonDiameter:
      if (x <= Real(1.0)) return steps(x, 20);
      if (x <= Real(1.6)) return steps(x, 10);
      return steps(x, 5);
    case RoundingRule::PrestressedPipe:
      requireInTable(x, 0, 2.0, {"10.4.6", field});
      return x <= Real(0.6) ? 0.6 : steps(x, 5);
    case RoundingRule::Centimetre: return steps(x, 100);
    case RoundingRule::Decimetre: return steps(x, 10);
    case RoundingRule::HalfMetre: return steps(x, 2);
    case RoundingRule::Metre: return steps(x, 1);
  }
  return x.toDouble();
}

double roundUpTo(const Real& x, double step) {
  if (!(step > 0)) return x.toDouble();
  // A decimal step (0.01, 0.05, 0.5) as a whole number of steps per metre.
  const double perMetre = std::round(1 / step);
  if (std::fabs(perMetre * step - 1) < 1e-12) return steps(x, perMetre);
  return std::ceil((x / Real(step)).toDouble()) * step;
}

}  // namespace channelflow::calc::structures
