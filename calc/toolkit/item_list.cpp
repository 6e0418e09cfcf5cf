#include "calc/toolkit/item_list.h"

#include <variant>

#include "calc/flow/critical.h"
#include "calc/toolkit/result_value.h"
#include "calc/survey/survey.h"

namespace channelflow::calc {

void ItemList::number(QuantityId id, const Real& value) {
  items_.push_back({id, Cell::of(resultValue(value, quantityInfo(id).key))});
}

void ItemList::checked(QuantityId id, const Real& value) {
  try {
    number(id, value);
  } catch (const CalcError& error) {
    message(id, error.problem());
  }
}

void ItemList::exact(QuantityId id, double value) { items_.push_back({id, Cell::of(value)}); }

void ItemList::term(QuantityId id, std::string_view key) { items_.push_back({id, Cell::termed(key)}); }

void ItemList::text(QuantityId id, std::string_view text) { items_.push_back({id, Cell::textOf(text)}); }

void ItemList::message(QuantityId id, Problem problem) { items_.push_back({id, Cell::messageOf(std::move(problem))}); }

void ItemList::none(QuantityId id, std::string_view why) { items_.push_back({id, Cell::absent(why)}); }

void ItemList::flag(QuantityId id, bool value) { items_.push_back({id, Cell::yesNo(value), false}); }

void ItemList::list(QuantityId id, const std::vector<Real>& values) {
  std::vector<double> numbers;
  for (const Real& value : values) numbers.push_back(resultValue(value, quantityInfo(id).key));
  items_.push_back({id, Cell::list(std::move(numbers))});
}

void ItemList::channel(const Channel& c, bool withSlope, bool withRoughness) {
  term(QuantityId::Section, shapeKey(c.shape));
  term(QuantityId::Units, c.units == UnitSystem::US ? "us" : "si");
  if (const auto* t = std::get_if<Trapezoid>(&c.shape)) {
    number(QuantityId::B, c.size);
    if (t->m1 == t->m2) {
      exact(QuantityId::M, t->m1);
    } else {
      exact(QuantityId::M1, t->m1);
      exact(QuantityId::M2, t->m2);
    }
  } else if (std::holds_alternative<Circle>(c.shape)) {
    // "D" is the hydraulic depth's key.
    number(QuantityId::Diameter, c.size);
  } else if (const auto* u = std::get_if<UShape>(&c.shape)) {
    number(QuantityId::Radius, c.size);
    exact(QuantityId::M, u->m);
  } else if (std::holds_alternative<Parabola>(c.shape)) {
    number(QuantityId::ParabolaP, c.size);
  } else if (const auto* arch = std::get_if<Arch>(&c.shape)) {
    number(QuantityId::B, c.size);
    exact(QuantityId::CrownHeight, arch->H);
    number(QuantityId::RoofRadius, archRoof(*arch, c.size).radius);
  } else if (const auto* horseshoe = std::get_if<Horseshoe>(&c.shape)) {
    number(QuantityId::HorseshoeRadius, c.size);
    exact(QuantityId::HorseshoeType, horseshoe->type);
  }
  if (withSlope) number(QuantityId::Slope, c.i);
  if (!withRoughness) return;
  if (const auto* points = std::get_if<Points>(&c.shape); points && points->survey->divided()) {
    std::vector<Real> n;
    for (int j = 0; j < points->survey->partCount(); ++j) n.emplace_back(points->survey->partN(j));
    list(QuantityId::PartsN, n);
  } else if (c.roughness.composite) {
    exact(QuantityId::NBed, c.roughness.nBed);
    exact(QuantityId::NWall, c.roughness.nWall);
    term(QuantityId::NMethod, "horton-einstein");
  } else {
    number(QuantityId::N, c.roughness.n);
  }
}

void ItemList::flow(const Channel& c, const FlowState& f) {
  const auto* points = std::get_if<Points>(&c.shape);
  number(QuantityId::Depth, f.h);
  if (points) number(QuantityId::Wse, points->survey->lowest().toReal() + f.h);
  if (c.roughness.composite || (points && points->survey->divided())) number(QuantityId::EquivalentN, f.n);
  number(QuantityId::Area, f.A);
  number(QuantityId::Perimeter, f.P);
  number(QuantityId::HydraulicRadius, f.R);
  number(QuantityId::TopWidth, f.T);
  // A circle running full has no free surface: no hydraulic depth, no Froude number.
  if (!f.full) number(QuantityId::HydraulicDepth, f.D);
  number(QuantityId::Chezy, f.C);
  number(QuantityId::Velocity, f.v);
  number(QuantityId::Discharge, f.Q);
  if (points) {
    number(QuantityId::Conveyance, f.K);
    number(QuantityId::EnergyCoefficient, f.alpha);
  }
  if (!f.full) {
    number(QuantityId::Froude, f.Fr);
    term(QuantityId::Regime, regimeTerm(f.regime));
  }
  // Critical flow: each quantity a double cannot hold says so in its own place.
  try {
    const CriticalFlow critical = criticalFlow(c, f.Q);
    checked(QuantityId::CriticalDepth, critical.hc);
    if (points) list(QuantityId::CriticalDepths, critical.all);
    checked(QuantityId::CriticalVelocity, critical.vc);
    checked(QuantityId::CriticalSlope, critical.ic);
  } catch (const CalcError& error) {
    message(QuantityId::Critical, error.problem());
  }
  number(QuantityId::Energy, f.E);
  number(QuantityId::ShearStress, f.tau0);
  if (isClosed(c.shape)) closedSection(c, f.A, f.h);
}

void ItemList::closedSection(const Channel& c, const Real& A, const Real& h) {
  const Real top = topDepth(c);
  const Real full = fullArea(c.shape, c.size);
  number(QuantityId::FullArea, full);
  number(QuantityId::FreeAreaPct, (full - A) / full * 100);
  number(QuantityId::FreeHeight, top - h);
}

void ItemList::criticalChoice(const Channel& c, const Real& Q) {
  list(QuantityId::CriticalDepths, criticalDepths(c, Q));
  term(QuantityId::CriticalChoice, "least-energy");
}

}  // namespace channelflow::calc
