#include "calc/flow/solver_setup.h"

#include <cmath>
#include <variant>

#include "calc/survey/survey.h"

namespace channelflow::calc {
namespace {

// The solvers start in doubles for quantities within 2^±120.
bool startsInDoubles(double x) { return moderate(x, 120); }

}  // namespace

bool fitsDoubles(const Channel& c, double Q) {
  bool fits = startsInDoubles(c.size.toDouble()) && startsInDoubles(c.i.toDouble()) && startsInDoubles(Q);
  fits = fits && (c.roughness.composite ? startsInDoubles(c.roughness.nBed) && startsInDoubles(c.roughness.nWall)
                                        : startsInDoubles(c.roughness.n.toDouble()));
  if (const auto* t = std::get_if<Trapezoid>(&c.shape)) fits = fits && startsInDoubles(t->m1) && startsInDoubles(t->m2);
  if (const auto* u = std::get_if<UShape>(&c.shape)) fits = fits && startsInDoubles(u->m);
  if (const auto* a = std::get_if<Arch>(&c.shape)) fits = fits && startsInDoubles(a->H) && startsInDoubles(a->Ra);
  if (const auto* p = std::get_if<Points>(&c.shape)) fits = fits && p->survey->moderate();
  return fits;
}

}  // namespace channelflow::calc
