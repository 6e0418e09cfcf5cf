#include "calc/design/canal_design.h"

#include "calc/design/canal_grade.h"
#include "calc/toolkit/problem.h"
#include "calc/flow/uniform_solvers.h"
#include "numeric/elementary/elementary.h"

namespace channelflow::calc::design {
namespace {

using numeric::sqrt;

// The scheme whose velocity lies within the limits at the smallest alpha, or
// else the one nearest to them.
std::size_t schemeWithin(const std::vector<EconomicScheme>& schemes, const DesignQuestion& q, SchemeChoice& choice) {
  if (!q.vMin && !q.vMax) {
    choice = SchemeChoice::NoLimits;
    return 0;
  }
  const Real low(q.vMin.value_or(0));
  const Real high(q.vMax.value_or(HUGE_VAL));
  std::size_t nearest = 0;
  Real nearestGap;
  for (std::size_t k = 0; k < schemes.size(); ++k) {
    const Real& v = schemes[k].v;
    const Real gap = v < low ? low - v : v > high ? v - high : Real(0);
    if (gap == Real(0)) {
      choice = SchemeChoice::WithinLimits;
      return k;
    }
    if (k == 0 || gap < nearestGap) {
      nearest = k;
      nearestGap = gap;
    }
  }
  choice = SchemeChoice::NoneWithinLimits;
  return nearest;
}

void sizeByAppendixE(const DesignQuestion& q, DesignResult& d) {
  for (double alpha : kTableAlphas) d.schemes.push_back(economicScheme(*d.best, q.Q, q.m, alpha));
  if (!q.alpha) {
    d.chosen = schemeWithin(d.schemes, q, d.choice);
    return;
  }
  for (std::size_t k = 0; k < d.schemes.size(); ++k) {
    if (d.schemes[k].alpha == *q.alpha) {
      d.chosen = k;
      d.choice = SchemeChoice::Given;
      return;
    }
  }
  d.schemes.push_back(economicScheme(*d.best, q.Q, q.m, *q.alpha));
  d.chosen = d.schemes.size() - 1;
  d.choice = SchemeChoice::GivenOutsideTable;
}

}  // namespace

ScourLimit scourLimitOf(const ScourRow& row, Pick pick, const Real& h, const Real& R) {
  ScourLimit limit;
  limit.row = &row;
  auto cell = [&row, pick](std::size_t k) { return picked(row.v[k].low, row.v[k].high, pick); };
  limit.cell = cell(0);
  if (row.basis == ScourBasis::Depth) {
    // Linear between the depth columns, the outer columns' values beyond them.
    std::size_t k = 0;
    while (k + 1 < kScourDepths.size() && !(h < Real(kScourDepths[k + 1]))) ++k;
    limit.from = limit.to = k;
    limit.cell = cell(k);
    if (k + 1 < kScourDepths.size() && h > Real(kScourDepths[0])) {
      limit.to = k + 1;
      const Real d0(kScourDepths[k]), d1(kScourDepths[k + 1]);
      limit.cell = cell(k) + (cell(k + 1) - cell(k)) * (h - d0) / (d1 - d0);
    }
  }
  limit.value = limit.cell;
  if (row.basis == ScourBasis::Radius || row.basis == ScourBasis::CoverRadius) {
    limit.value = limit.cell * sqrt(sqrt(R));  // R^(1/4)
  }
  return limit;
}

Real freeboardOf(const Real& hj) {
  static const Real fifth = Real(1) / Real(5);  // 0.2 m exactly
  return hj / Real(4) + fifth;
}

namespace {

std::optional<ScourLimit> scourLimit(const DesignQuestion& q, const FlowState& enlarged) {
  const ScourRow* row = nullptr;
  const ScourSource source = q.lining ? q.lining->scourSource : ScourSource::Soil;
  if (source == ScourSource::Lining) row = findScourRow(q.lining->scour);
  if (source == ScourSource::Soil && q.soil) row = q.soil->scour;
  if (source == ScourSource::CoverSoil && q.soil) row = membraneCoverRow(q.soil->key);
  if (row) return scourLimitOf(*row, q.scourPick, enlarged.h, enlarged.R);
  if (!q.vMax) return std::nullopt;
  ScourLimit given;
  given.cell = given.value = Real(*q.vMax);
  return given;
}

FlowState flowOf(const Channel& c, const Real& Q) { return flowAt(c, normalDepths(c, Q).front(), Q); }

}  // namespace

Real picked(double low, double high, Pick pick) {
  switch (pick) {
    case Pick::Low: return Real(low);
    case Pick::High: return Real(high);
    case Pick::Middle: break;
  }
  return (Real(low) + Real(high)) / Real(2);
}

DesignResult computeDesign(const DesignQuestion& q) {
  DesignResult d;
  // A picked n is rounded to the double it prints as, so that typing it gives the same design.
  d.n = q.n ? *q.n : picked(q.lining->low, q.lining->high, q.nPick).toDouble();
  const double Q = q.Q.toDouble();
  d.grade = canalGrade(Q);
  if (q.enlarge) {
    d.enlarge = *q.enlarge;
  } else {
    d.enlargeRow = enlargementRow(Q);
    if (d.enlargeRow == nullptr) fail(MessageId::EnlargeNeeded, "enlarge", {MessageArg::value(Q), MessageArg::field("enlarge")});
    d.enlarge = d.enlargeRow->smaller;
  }
  d.Qj = q.Q + q.Q * Real(d.enlarge) / Real(100);
  d.Qmin = q.Q * Real(q.minRatio);

  Channel& c = d.channel;
  c.i = q.i;
  c.roughness.n = Real(d.n);
  c.shape = q.sizing == Sizing::GivenU ? Shape{UShape{q.m}} : Shape{Trapezoid{q.m, q.m}};
  Real h;
  if (q.sizing == Sizing::GivenU) {
    c.size = Real(q.r);
    h = normalDepths(c, q.Q).front();
  } else {
    d.best = bestSection(q.Q, c.roughness.n, q.i, q.m);
    switch (q.sizing) {
      case Sizing::AppendixE:
        sizeByAppendixE(q, d);
        h = d.schemes[d.chosen].h;
        c.size = d.schemes[d.chosen].b;
        break;
      case Sizing::Ratio:
        h = depthForRatio(q.Q, c.roughness.n, q.i, q.m, q.beta);
        c.size = Real(q.beta) * h;
        break;
      default:
        c.size = Real(q.width);
        h = normalDepths(c, q.Q).front();
        break;
    }
  }
  d.design = flowAt(c, h, q.Q);
  d.enlarged = flowOf(c, d.Qj);
  d.minimum = flowOf(c, d.Qmin);

  d.Fb = q.freeboard ? Real(*q.freeboard) : freeboardOf(d.enlarged.h);
  d.H = d.enlarged.h + d.Fb;
  if (q.bendRadius) {
    BendRise bend;
    bend.Rc = Real(*q.bendRadius);
    const Real& T = d.enlarged.T;
    const Real& v = d.enlarged.v;
    bend.needed = bend.Rc < Real(5) * T || v > Real(2);
    bend.rise = T * v * v / (Real(2) * Real(c.constants().g) * bend.Rc);
    d.bend = bend;
  }
  d.scour = scourLimit(q, d.enlarged);
  return d;
}

}  // namespace channelflow::calc::design
