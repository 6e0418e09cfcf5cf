// A natural or compound section given by surveyed points (station,
// elevation) and Manning's n by segment, with what its geometry at any depth
// needs, computed once. Depths h are measured from the lowest point; every
// segment below the water surface is wet, ponds behind high ground included,
// each cut exactly where the surface crosses it. Stations and elevations are
// kept as typed: each segment's width and each point's height above the
// lowest are their exact differences, so that a survey 2,600 m above its
// datum has the geometry of one at 0.
//
// The section is split by vertical lines at every station where n changes
// into parts, each with the area and the bed perimeter of its own segments.
// Between two consecutive point elevations every part's area is a quadratic
// in h and its perimeter linear, so a depth is answered from per-part sums
// over the segments wholly under water (kept sorted by their tops) and the
// few segments that the surface cuts (kept per interval of elevations): a
// handful of operations however many points there are.
#pragma once

#include <span>
#include <vector>

#include "calc/sections/number_forms.h"
#include "numeric/text/decimal.h"

namespace channelflow::calc {

struct SurveyPoint {
  numeric::Decimal x;  // station
  numeric::Decimal z;  // elevation
};

// One part's geometry at a depth.
template <typename Number>
struct PartAt {
  Number A{}, P{}, T{};
  Number rate{};    // dP/dh: the wetted length gained per unit rise
  Number moment{};  // first moment of A about the surface
};

class Survey {
 public:
  // The most points a section may have: every interval of elevations keeps
  // the segments the surface cuts there, which for a section zigzagging from
  // top to bottom grows as the square of the points.
  static constexpr std::size_t kMaxPoints = 2000;

  // Points already checked: at least three, stations not decreasing, some
  // point lower than both ends; `segmentN` holds each segment's n (> 0), or
  // is all 0 when n plays no part (a jump's section without n). `breaks`
  // lists points where a part starts whatever the n (a river's banks, which
  // divide its overbanks from its channel), in increasing order.
  Survey(std::vector<SurveyPoint> points, std::vector<double> segmentN, std::vector<int> breaks = {});

  std::span<const SurveyPoint> points() const { return points_; }
  std::span<const double> segmentN() const { return segmentN_; }
  // The lowest elevation, from which depths are measured.
  const numeric::Decimal& lowest() const { return lowest_; }
  // The lower end point's elevation, and its depth: the deepest water the section holds.
  double bankElevation() const { return bank_.toDouble(); }
  const Real& bankDepth() const { return bankDepth_; }

  // Whether n changes along the section, which is then divided into parts.
  bool divided() const { return parts_.size() > 1; }
  int partCount() const { return static_cast<int>(parts_.size()); }
  double partN(int part) const { return parts_[static_cast<std::size_t>(part)].n; }
  // The point the part starts at (its first segment's).
  int partFirstPoint(int part) const { return parts_[static_cast<std::size_t>(part)].first; }
  // The points where n changes, each the first of its part: the vertical
  // lines through them divide the parts.
  std::vector<int> dividingPoints() const;
  // Whether every coordinate difference lies well inside the double range, so
  // that a first stage may run in doubles.
  bool moderate() const { return moderate_; }

  // Calls visit(part, PartAt) for each part with water in it (or, at an
  // interval's lower end, a flat bed just reached), in station order, at
  // depth 0 < h <= bankDepth().
  template <typename Number, typename Visit>
  void forEachPart(const Number& h, Visit&& visit) const {
    forEachPartIn(h, intervalOf(h), visit);
  }

  // The factor psi of the slope of the specific energy, dE/dh = 1 - psi Q^2/g,
  // which does not depend on Q: T/A^3 for one n; with the energy coefficient
  // alpha = (sum Kj^3/Aj^2)/(K^3/A^2) varying with h,
  // alpha T/A^3 - alpha'/(2 A^2) = alpha (3 K'/K - S'/S) / (2 A^2), S = sum Kj^3/Aj^2.
  template <typename Number>
  Number energySlopeFactor(const Number& h) const {
    return energySlopeFactorIn(h, intervalOf(h));
  }
  // The same with the geometry of interval k (see below), 0 <= k <
  // intervalCount(), for h within it or on its ends: at a point's elevation,
  // the limit from above of the interval there above, from below of the one below.
  template <typename Number>
  Number energySlopeFactorIn(const Number& h, int k) const;

  // The depths between which the geometry is smooth: the elevations of the
  // points above the lowest, up to bankDepth(), as depths.
  int intervalCount() const { return bankRank_; }
  const Real& levelDepth(int k) const { return levels_.real[static_cast<std::size_t>(k)]; }
  double levelDepthApprox(int k) const { return levels_.fast[static_cast<std::size_t>(k)]; }

  // psi sampled across the section, shallowest first: each interval at both
  // ends (its own limits there) and at its quarters; where a part gets its
  // first water at the interval's lower end, where its conveyance grows
  // fastest, at 2^-12, 2^-11, ... 1/16 of the way up and in eighths and
  // sixteenths beyond; +infinity at h = 0.
  struct Sample {
    double h;
    int interval;
    Real psi;
    double approx;  // psi rounded, to scan with where doubles suffice
  };
  std::span<const Sample> samples() const { return samples_; }

 private:
  // Elevations are compared by their rank among the distinct ones, lowest
  // 0: the interval k of depths lies between ranks k and k + 1.
  struct Part {
    int first = 0, end = 0;  // its segments
    double n = 0;
    double perN = 0;         // 1/n, for the samples in doubles
    int bottom = 0;          // its lowest point's rank
    std::vector<int> byTop;  // its segments by their top's rank
    std::vector<int> tops;
  };
  // Per segment, or per part's prefix, in one number type.
  template <typename Number>
  struct Tables {
    std::vector<Number> bottom, widthPerRise, lengthPerRise;  // the segments the surface cuts
    // Prefix sums per part in byTop order, over the segments wholly under
    // water: width, dx (e0 + e1)/2, length, dx (e0^2 + e0 e1 + e1^2)/6
    // (with e the ends' heights above the lowest point), so that their area
    // is h width - the second and their moment h^2 width/2 - h second + the fourth.
    std::vector<std::vector<Number>> width, area0, length, moment0;
  };
  template <typename T>
  struct Both {
    std::vector<T> fast;
    std::vector<Real> real;
  };

  template <typename Number>
  class EnergySlope;

  template <typename Number>
  const Tables<Number>& tables() const {
    if constexpr (kIsReal<Number>) {
      return real_;
    } else {
      return fast_;
    }
  }
  template <typename Number>
  const std::vector<Number>& levels() const {
    if constexpr (kIsReal<Number>) {
      return levels_.real;
    } else {
      return levels_.fast;
    }
  }

  template <typename Number>
  int intervalOf(const Number& h) const;
  template <typename Number, typename Visit>
  void forEachPartIn(const Number& h, int k, Visit&& visit) const;
  void rankElevations(std::vector<int>& rank);
  void fillTables(const std::vector<int>& rank);
  void buildSamples();
  template <class SampleAt>
  void addExtremes(std::size_t first, const std::vector<double>& fractions, const SampleAt& sampleAt);

  std::vector<SurveyPoint> points_;
  std::vector<double> segmentN_;
  numeric::Decimal lowest_, bank_;
  int bankRank_ = 0;
  Real bankDepth_;
  bool moderate_ = true;
  std::vector<Part> parts_;
  std::vector<int> segmentBottom_, segmentTop_;  // ranks
  std::vector<Real> heights_;        // each rank's height above the lowest
  std::vector<double> heightsFast_;  // the same rounded
  Both<double> levels_;              // each interval's upper depth: ranks 1 to bankRank_
  std::vector<int> cutStart_;   // per interval, into cuts_
  std::vector<int> cuts_;       // the segments the surface cuts, by interval, in station order
  std::vector<int> segmentPart_;
  Tables<double> fast_;
  Tables<Real> real_;
  std::vector<Sample> samples_;
};

template <typename Number>
int Survey::intervalOf(const Number& h) const {
  const std::vector<Number>& level = levels<Number>();
  int lo = 0, hi = static_cast<int>(level.size()) - 1;
  while (lo < hi) {
    const int mid = (lo + hi) / 2;
    if (level[static_cast<std::size_t>(mid)] < h) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

template <typename Number, typename Visit>
void Survey::forEachPartIn(const Number& h, int k, Visit&& visit) const {
  const Tables<Number>& t = tables<Number>();
  const std::size_t interval = static_cast<std::size_t>(k);
  int cut = cutStart_[interval];
  const int cutEnd = cutStart_[interval + 1];
  const Number half(0.5), sixth = Number(1) / Number(6);
  for (std::size_t j = 0; j < parts_.size(); ++j) {
    const Part& part = parts_[j];
    if (part.bottom > k) continue;  // dry
    // The segments wholly under water: their tops at or below the interval's lower level.
    std::size_t wet = 0, count = part.tops.size();
    while (count > 0) {
      const std::size_t step = count / 2;
      if (part.tops[wet + step] <= k) {
        wet += step + 1;
        count -= step + 1;
      } else {
        count = step;
      }
    }
    PartAt<Number> p;
    const Number& width = t.width[j][wet];
    const Number& area0 = t.area0[j][wet];
    p.A = width * h - area0;
    p.P = t.length[j][wet];
    p.T = width;
    p.moment = (width * h * half - area0) * h + t.moment0[j][wet];
    // The segments the surface cuts, at wet depth w of their lower end.
    for (; cut < cutEnd && segmentPart_[static_cast<std::size_t>(cuts_[static_cast<std::size_t>(cut)])] ==
                               static_cast<int>(j);
         ++cut) {
      const auto s = static_cast<std::size_t>(cuts_[static_cast<std::size_t>(cut)]);
      const Number w = h - t.bottom[s];
      const Number b = w * t.widthPerRise[s];
      p.A += w * b * half;
      p.T += b;
      p.P += w * t.lengthPerRise[s];
      p.rate += t.lengthPerRise[s];
      p.moment += w * w * b * sixth;
    }
    // A part whose flat bed lies at the surface has no area yet but its width:
    // the limit from above at that elevation.
    if (p.A > Number(0) || p.T > Number(0)) visit(static_cast<int>(j), p);
  }
}

// psi from the parts' geometry, one part after another.
template <typename Number>
class Survey::EnergySlope {
 public:
  explicit EnergySlope(const Survey& survey) : survey_(survey), divided_(survey.divided()) {}

  void add(int j, const PartAt<Number>& p) {
    A_ += p.A;
    T_ += p.T;
    if (!divided_ || !(p.A > Number(0))) return;  // Kj and its growth start from 0
    // Two divisions a part: the samples evaluate this a thousand times.
    const Number perA = Number(1) / p.A, perP = Number(1) / p.P;
    const Number R = p.A * perP;
    Number Kj = p.A * numeric::cbrt(R * R);
    if constexpr (kIsReal<Number>) {
      Kj = Kj / Number(survey_.partN(j));
    } else {
      Kj = Kj * survey_.parts_[static_cast<std::size_t>(j)].perN;
    }
    // K'j / Kj = (5/3) Tj/Aj - (2/3) P'j/Pj
    const Number TperA = p.T * perA;
    const Number growth = (Number(5) * TperA - Number(2) * p.rate * perP) / Number(3);
    const Number Sj = Kj * Kj * Kj * perA * perA;
    K_ += Kj;
    KRate_ += Kj * growth;
    S_ += Sj;
    SRate_ += Sj * (Number(3) * growth - Number(2) * TperA);
  }

  Number value() const {
    if (!divided_) return T_ / (A_ * A_ * A_);
    const Number alpha = S_ * A_ * A_ / (K_ * K_ * K_);
    return alpha * (Number(3) * KRate_ / K_ - SRate_ / S_) / (Number(2) * A_ * A_);
  }

 private:
  const Survey& survey_;
  bool divided_;
  Number A_{}, T_{}, K_{}, KRate_{}, S_{}, SRate_{};
};

template <typename Number>
Number Survey::energySlopeFactorIn(const Number& h, int k) const {
  EnergySlope<Number> slope(*this);
  forEachPartIn(h, k, [&slope](int j, const PartAt<Number>& p) { slope.add(j, p); });
  return slope.value();
}

}  // namespace channelflow::calc
