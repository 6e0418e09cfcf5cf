#include "calc/survey/survey.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>

namespace channelflow::calc {
namespace {

// A survey's sums of many segments keep their digits in doubles within 2^±40.
bool moderateValue(double x) { return moderate(x, 40); }

}  // namespace

Survey::Survey(std::vector<SurveyPoint> points, std::vector<double> segmentN, std::vector<int> breaks)
    : points_(std::move(points)), segmentN_(std::move(segmentN)) {
  const std::size_t count = points_.size();
  const std::size_t segments = count - 1;
  std::vector<int> rank(count);
  rankElevations(rank);
  for (std::size_t k = 0; k < count; ++k) {
    moderate_ = moderate_ && moderateValue(points_[k].x.toDouble() - points_[0].x.toDouble()) &&
                moderateValue(heightsFast_[static_cast<std::size_t>(rank[k])]);
  }

  // Parts: runs of segments with one n.
  segmentPart_.resize(segments);
  segmentBottom_.resize(segments);
  segmentTop_.resize(segments);
  auto nextBreak = breaks.begin();
  for (std::size_t s = 0; s < segments; ++s) {
    while (nextBreak != breaks.end() && *nextBreak < static_cast<int>(s)) ++nextBreak;
    const bool broken = nextBreak != breaks.end() && *nextBreak == static_cast<int>(s);
    if (s == 0 || segmentN_[s] != segmentN_[s - 1] || broken) {
      parts_.push_back({static_cast<int>(s), static_cast<int>(s), segmentN_[s], 1 / segmentN_[s], INT_MAX, {}, {}});
      moderate_ = moderate_ && moderateValue(segmentN_[s]);
    }
    Part& part = parts_.back();
    part.end = static_cast<int>(s + 1);
    segmentPart_[s] = static_cast<int>(parts_.size() - 1);
    segmentBottom_[s] = std::min(rank[s], rank[s + 1]);
    segmentTop_[s] = std::max(rank[s], rank[s + 1]);
    part.bottom = std::min(part.bottom, segmentBottom_[s]);
  }
  for (Part& part : parts_) {
    part.byTop.resize(static_cast<std::size_t>(part.end - part.first));
    std::iota(part.byTop.begin(), part.byTop.end(), part.first);
    std::stable_sort(part.byTop.begin(), part.byTop.end(),
                     [this](int a, int b) { return segmentTop_[static_cast<std::size_t>(a)] < segmentTop_[static_cast<std::size_t>(b)]; });
    for (int s : part.byTop) part.tops.push_back(segmentTop_[static_cast<std::size_t>(s)]);
  }

  // The intervals: every elevation above the lowest, up to the lower end.
  for (int r = 1; r <= bankRank_; ++r) {
    levels_.real.push_back(heights_[static_cast<std::size_t>(r)]);
    levels_.fast.push_back(heightsFast_[static_cast<std::size_t>(r)]);
  }

  // The segments the surface cuts in each interval: their bottom at or below
  // its lower level, their top above it (and so at or above its upper one).
  std::vector<int> byBottom(segments);
  std::iota(byBottom.begin(), byBottom.end(), 0);
  std::stable_sort(byBottom.begin(), byBottom.end(), [this](int a, int b) {
    return segmentBottom_[static_cast<std::size_t>(a)] < segmentBottom_[static_cast<std::size_t>(b)];
  });
  std::vector<int> active;  // in station order
  std::size_t next = 0;
  for (int k = 0; k < bankRank_; ++k) {
    for (; next < segments && segmentBottom_[static_cast<std::size_t>(byBottom[next])] <= k; ++next) {
      const int s = byBottom[next];
      if (segmentTop_[static_cast<std::size_t>(s)] > k) active.insert(std::upper_bound(active.begin(), active.end(), s), s);
    }
    std::erase_if(active, [&](int s) { return segmentTop_[static_cast<std::size_t>(s)] <= k; });
    cutStart_.push_back(static_cast<int>(cuts_.size()));
    cuts_.insert(cuts_.end(), active.begin(), active.end());
  }
  cutStart_.push_back(static_cast<int>(cuts_.size()));

  fillTables(rank);
  buildSamples();
}

// Each point's rank among the distinct elevations, and each rank's height
// above the lowest: the exact difference of the two as typed, one rounding.
void Survey::rankElevations(std::vector<int>& rank) {
  const std::size_t count = points_.size();
  lowest_ = points_[0].z;
  for (const SurveyPoint& p : points_) {
    if (compare(p.z, lowest_) < 0) lowest_ = p.z;
  }
  const bool frontLower = compare(points_.front().z, points_.back().z) <= 0;
  bank_ = frontLower ? points_.front().z : points_.back().z;
  std::vector<Real> height(count);
  for (std::size_t k = 0; k < count; ++k) height[k] = difference(points_[k].z, lowest_);
  std::vector<int> byHeight(count);
  std::iota(byHeight.begin(), byHeight.end(), 0);
  std::stable_sort(byHeight.begin(), byHeight.end(),
                   [&height](int a, int b) { return height[static_cast<std::size_t>(a)] < height[static_cast<std::size_t>(b)]; });
  for (int k : byHeight) {
    const Real& h = height[static_cast<std::size_t>(k)];
    if (heights_.empty() || heights_.back() != h) {
      heights_.push_back(h);
      heightsFast_.push_back(h.toDouble());
    }
    rank[static_cast<std::size_t>(k)] = static_cast<int>(heights_.size()) - 1;
  }
  bankRank_ = rank[frontLower ? 0 : count - 1];
  bankDepth_ = heights_[static_cast<std::size_t>(bankRank_)];
}

void Survey::fillTables(const std::vector<int>& rank) {
  const std::size_t segments = points_.size() - 1;
  // Each segment once in Reals; the doubles are their roundings.
  std::vector<Real> width(segments), area0(segments), length(segments), moment0(segments);
  real_.bottom.resize(segments);
  real_.widthPerRise.resize(segments);
  real_.lengthPerRise.resize(segments);
  for (std::size_t s = 0; s < segments; ++s) {
    const Real& e0 = heights_[static_cast<std::size_t>(rank[s])];
    const Real& e1 = heights_[static_cast<std::size_t>(rank[s + 1])];
    const Real dx = difference(points_[s + 1].x, points_[s].x);
    const Real rise = abs(difference(points_[s + 1].z, points_[s].z));
    width[s] = dx;
    length[s] = numeric::sqrt(dx * dx + rise * rise);
    area0[s] = dx * (e0 + e1) * 0.5;
    moment0[s] = dx * (e0 * e0 + e0 * e1 + e1 * e1) / Real(6);
    real_.bottom[s] = e0 < e1 ? e0 : e1;
    if (rise > Real(0)) {
      real_.widthPerRise[s] = dx / rise;
      real_.lengthPerRise[s] = length[s] / rise;
    }
  }
  for (std::vector<std::vector<Real>>* sums : {&real_.width, &real_.area0, &real_.length, &real_.moment0}) {
    sums->assign(parts_.size(), {});
  }
  for (std::size_t j = 0; j < parts_.size(); ++j) {
    Real sums[4];
    std::vector<Real>* out[4] = {&real_.width[j], &real_.area0[j], &real_.length[j], &real_.moment0[j]};
    for (std::vector<Real>* o : out) o->push_back(Real(0));
    for (int s : parts_[j].byTop) {
      const auto k = static_cast<std::size_t>(s);
      sums[0] += width[k];
      sums[1] += area0[k];
      sums[2] += length[k];
      sums[3] += moment0[k];
      for (int q = 0; q < 4; ++q) out[q]->push_back(sums[q]);
    }
  }
  auto rounded = [](const std::vector<Real>& from, std::vector<double>& to) {
    to.resize(from.size());
    for (std::size_t k = 0; k < from.size(); ++k) to[k] = from[k].toDouble();
  };
  rounded(real_.bottom, fast_.bottom);
  rounded(real_.widthPerRise, fast_.widthPerRise);
  rounded(real_.lengthPerRise, fast_.lengthPerRise);
  for (auto [from, to] : {std::pair{&real_.width, &fast_.width}, std::pair{&real_.area0, &fast_.area0},
                          std::pair{&real_.length, &fast_.length}, std::pair{&real_.moment0, &fast_.moment0}}) {
    to->resize(from->size());
    for (std::size_t j = 0; j < from->size(); ++j) rounded((*from)[j], (*to)[j]);
  }
}

// psi at the samples' depths. In doubles, each part's area in an interval is
// first written as a quadratic in h (its perimeter linear), which the samples
// then evaluate.
void Survey::buildSamples() {
  constexpr double kEven[] = {0, 0.25, 0.5, 0.75};
  constexpr double kFirstWater[] = {0,         0x1p-12, 0x1p-11, 0x1p-10, 0x1p-9, 0x1p-8, 0x1p-7, 0x1p-6, 0x1p-5,
                                   0x1p-4,    0.09375, 0.125,   0.1875,  0.25,   0.375,  0.5,    0.625,  0.75, 0.875};
  struct Polynomial {
    double a0 = 0, a1 = 0, a2 = 0, p0 = 0, p1 = 0;
  };
  std::vector<Polynomial> parts(parts_.size());
  // A part's first water changes alpha fastest just above its bottom, and the
  // change can outlast the interval it starts in by far (a flat floodplain is
  // an interval of no height): above each part's bottom, depths at halving
  // distances from the bank down to 2^-12 of the way.
  const double bank = levelDepthApprox(intervalCount() - 1);
  std::vector<double> aboveBottoms;
  for (const Part& part : parts_) {
    const double bottom = heightsFast_[static_cast<std::size_t>(part.bottom)];
    double share = 0.5;
    for (int j = 0; j < 23; ++j, share *= 0.70710678118654752) aboveBottoms.push_back(bottom + (bank - bottom) * share);
  }
  std::sort(aboveBottoms.begin(), aboveBottoms.end());
  samples_.reserve(static_cast<std::size_t>(bankRank_) * 5 + parts_.size() * 40);
  std::vector<double> fractions;
  for (int k = 0; k < intervalCount(); ++k) {
    const auto interval = static_cast<std::size_t>(k);
    bool firstWater = false;
    for (const Part& part : parts_) firstWater = firstWater || part.bottom == k;
    if (moderate_) {
      int cut = cutStart_[interval];
      for (std::size_t j = 0; j < parts_.size(); ++j) {
        const Part& part = parts_[j];
        Polynomial& p = parts[j];
        const std::size_t wet = static_cast<std::size_t>(
            std::upper_bound(part.tops.begin(), part.tops.end(), k) - part.tops.begin());
        p = {-fast_.area0[j][wet], fast_.width[j][wet], 0, fast_.length[j][wet], 0};
        for (; cut < cutStart_[interval + 1] &&
               segmentPart_[static_cast<std::size_t>(cuts_[static_cast<std::size_t>(cut)])] == static_cast<int>(j);
             ++cut) {
          const auto c = static_cast<std::size_t>(cuts_[static_cast<std::size_t>(cut)]);
          // w = h - b: w^2 (dx/rise)/2 of area, w (length/rise) of perimeter.
          const double b = fast_.bottom[c], width = fast_.widthPerRise[c], length = fast_.lengthPerRise[c];
          p.a2 += 0.5 * width;
          p.a1 -= width * b;
          p.a0 += 0.5 * width * b * b;
          p.p1 += length;
          p.p0 -= length * b;
        }
      }
    }
    const double lo = k == 0 ? 0 : levelDepthApprox(k - 1), hi = levelDepthApprox(k);
    auto sampleAt = [&](double fraction) -> Sample {
      const double h = fraction == 1 ? hi : lo + (hi - lo) * fraction;
      if (k == 0 && fraction == 0) return {0, k, Real(HUGE_VAL), HUGE_VAL};
      if (moderate_) {
        EnergySlope<double> slope(*this);
        for (std::size_t j = 0; j < parts.size(); ++j) {
          const Polynomial& p = parts[j];
          PartAt<double> at;
          at.A = (p.a2 * h + p.a1) * h + p.a0;
          at.T = 2 * p.a2 * h + p.a1;
          at.P = p.p1 * h + p.p0;
          at.rate = p.p1;
          if (at.A > 0 || at.T > 0) slope.add(static_cast<int>(j), at);
        }
        return {h, k, Real(slope.value()), slope.value()};
      }
      const Real low = k == 0 ? Real(0) : levelDepth(k - 1);
      const Real exact = fraction == 1 ? levelDepth(k) : low + (levelDepth(k) - low) * Real(fraction);
      const Real psi = energySlopeFactorIn(exact, k);
      return {h, k, psi, psi.toDouble()};
    };
    const std::span<const double> base = firstWater ? std::span<const double>(kFirstWater) : std::span<const double>(kEven);
    fractions.assign(base.begin(), base.end());
    // Not within 2^-12 of the interval's ends, where the quadratics above
    // lose their digits to cancellation: the ends have their own samples.
    for (auto d = std::upper_bound(aboveBottoms.begin(), aboveBottoms.end(), lo); d != aboveBottoms.end() && *d < hi; ++d) {
      const double fraction = (*d - lo) / (hi - lo);
      if (fraction > 0x1p-12 && fraction < 1 - 0x1p-12) fractions.push_back(fraction);
    }
    std::sort(fractions.begin(), fractions.end());
    fractions.erase(std::unique(fractions.begin(), fractions.end()), fractions.end());
    while (!fractions.empty() && fractions.back() >= 1) fractions.pop_back();
    fractions.push_back(1);
    const std::size_t first = samples_.size();
    for (double fraction : fractions) samples_.push_back(sampleAt(fraction));
    addExtremes(first, fractions, sampleAt);
  }
}

// psi can peak (or dip) between two samples and cross a level there that no
// sample crosses: E would have a shallow least that the samples miss. Each
// peak and dip the samples show inside an interval is found by a golden
// section search between its neighbours and added as a sample.
template <class SampleAt>
void Survey::addExtremes(std::size_t first, const std::vector<double>& fractions, const SampleAt& sampleAt) {
  constexpr double kGolden = 0.38196601125010515;  // (3 - sqrt(5)) / 2
  std::vector<Sample> found;
  for (std::size_t i = first + 1; i + 1 < samples_.size(); ++i) {
    const double before = samples_[i - 1].approx, at = samples_[i].approx, after = samples_[i + 1].approx;
    const bool peak = at > before && at >= after, dip = at < before && at <= after;
    if (!(peak || dip) || !std::isfinite(before)) continue;
    const double sign = peak ? 1 : -1;
    double a = fractions[i - 1 - first], b = fractions[i + 1 - first];
    Sample best = samples_[i];
    for (int step = 0; step < 40 && b - a > 0x1p-40; ++step) {
      const double x1 = a + kGolden * (b - a), x2 = b - kGolden * (b - a);
      const Sample s1 = sampleAt(x1), s2 = sampleAt(x2);
      for (const Sample& s : {s1, s2}) {
        if (sign * s.approx > sign * best.approx) best = s;
      }
      if (sign * s1.approx > sign * s2.approx) b = x2;
      else a = x1;
    }
    if (best.h != samples_[i].h) found.push_back(best);
  }
  samples_.insert(samples_.end(), found.begin(), found.end());
  std::sort(samples_.begin() + static_cast<std::ptrdiff_t>(first), samples_.end(),
            [](const Sample& x, const Sample& y) { return x.h < y.h; });
}

std::vector<int> Survey::dividingPoints() const {
  std::vector<int> dividing;
  for (std::size_t j = 1; j < parts_.size(); ++j) dividing.push_back(parts_[j].first);
  return dividing;
}

}  // namespace channelflow::calc
