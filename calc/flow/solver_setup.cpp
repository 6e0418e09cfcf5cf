#include "calc/flow/solver_setup.h"

#include <cmath>
#include <variant>

#include "calc/survey/survey.h"

namespace channelflow::calc {
namespace {

bool moderate(double x) {
  const double magnitude = std::fabs(x);
  return magnitude == 0 || (magnitude >= 0x1p-120 && magnitude <= 0x1p120);
}

}  // namespace

bool fitsDoubles(const Channel& c, double Q) {
  bool fits = moderate(c.size.toDouble()) && moderate(c.i.toDouble()) && moderate(Q);
  fits = fits && (c.roughness.composite ? moderate(c.roughness.nBed) && moderate(c.roughness.nWall)
                                        : moderate(c.roughness.n.toDouble()));
  if (const auto* t = std::get_if<Trapezoid>(&c.shape)) fits = fits && moderate(t->m1) && moderate(t->m2);
  if (const auto* u = std::get_if<UShape>(&c.shape)) fits = fits && moderate(u->m);
  if (const auto* a = std::get_if<Arch>(&c.shape)) fits = fits && moderate(a->H) && moderate(a->Ra);
  if (const auto* p = std::get_if<Points>(&c.shape)) fits = fits && p->survey->moderate();
  return fits;
}

}  // namespace channelflow::calc
