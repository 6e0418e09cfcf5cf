#include "calc/survey.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace channelflow::calc {
namespace {

bool moderateValue(double x) {
  const double magnitude = std::fabs(x);
  return magnitude == 0 || (magnitude >= 0x1p-40 && magnitude <= 0x1p40);
}

}  // namespace

Survey::Survey(std::vector<SurveyPoint> points, std::vector<double> segmentN)
    : points_(std::move(points)), segmentN_(std::move(segmentN)) {
  const std::size_t count = points_.size();
  const std::size_t segments = count - 1;
  zMin_ = points_[0].z;
  for (const SurveyPoint& p : points_) zMin_ = std::min(zMin_, p.z);
  bankZ_ = std::min(points_.front().z, points_.back().z);
  std::vector<Real> height(count);  // above the lowest point, exactly
  for (std::size_t k = 0; k < count; ++k) {
    height[k] = Real(points_[k].z) - Real(zMin_);
    moderate_ = moderate_ && moderateValue(points_[k].x - points_[0].x) && moderateValue(points_[k].z - zMin_);
  }
  bankDepth_ = Real(bankZ_) - Real(zMin_);

  // Parts: runs of segments with one n.
  segmentPart_.resize(segments);
  segmentBottomZ_.resize(segments);
  segmentTopZ_.resize(segments);
  for (std::size_t s = 0; s < segments; ++s) {
    if (s == 0 || segmentN_[s] != segmentN_[s - 1]) {
      parts_.push_back({static_cast<int>(s), static_cast<int>(s), segmentN_[s], HUGE_VAL, {}, {}});
      moderate_ = moderate_ && moderateValue(segmentN_[s]);
    }
    Part& part = parts_.back();
    part.end = static_cast<int>(s + 1);
    segmentPart_[s] = static_cast<int>(parts_.size() - 1);
    segmentBottomZ_[s] = std::min(points_[s].z, points_[s + 1].z);
    segmentTopZ_[s] = std::max(points_[s].z, points_[s + 1].z);
    part.bottomZ = std::min(part.bottomZ, segmentBottomZ_[s]);
  }
  for (Part& part : parts_) {
    part.byTop.resize(static_cast<std::size_t>(part.end - part.first));
    std::iota(part.byTop.begin(), part.byTop.end(), part.first);
    std::stable_sort(part.byTop.begin(), part.byTop.end(),
                     [this](int a, int b) { return segmentTopZ_[static_cast<std::size_t>(a)] < segmentTopZ_[static_cast<std::size_t>(b)]; });
    for (int s : part.byTop) part.tops.push_back(segmentTopZ_[static_cast<std::size_t>(s)]);
  }

  // The intervals: every point elevation above the lowest, up to the lower end.
  for (const SurveyPoint& p : points_) {
    if (p.z > zMin_ && p.z <= bankZ_) levelZ_.push_back(p.z);
  }
  std::sort(levelZ_.begin(), levelZ_.end());
  levelZ_.erase(std::unique(levelZ_.begin(), levelZ_.end()), levelZ_.end());
  for (double z : levelZ_) {
    levels_.real.push_back(Real(z) - Real(zMin_));
    levels_.fast.push_back(levels_.real.back().toDouble());
  }

  // The segments the surface cuts in each interval: their bottom at or below
  // its lower level, their top above it (and so at or above its upper one).
  std::vector<int> byBottom(segments);
  std::iota(byBottom.begin(), byBottom.end(), 0);
  std::stable_sort(byBottom.begin(), byBottom.end(), [this](int a, int b) {
    return segmentBottomZ_[static_cast<std::size_t>(a)] < segmentBottomZ_[static_cast<std::size_t>(b)];
  });
  std::vector<int> active;  // in station order
  std::size_t next = 0;
  for (std::size_t k = 0; k < levelZ_.size(); ++k) {
    const double lowerZ = k == 0 ? zMin_ : levelZ_[k - 1];
    for (; next < segments && segmentBottomZ_[static_cast<std::size_t>(byBottom[next])] <= lowerZ; ++next) {
      const int s = byBottom[next];
      if (segmentTopZ_[static_cast<std::size_t>(s)] > lowerZ) active.insert(std::upper_bound(active.begin(), active.end(), s), s);
    }
    std::erase_if(active, [&](int s) { return segmentTopZ_[static_cast<std::size_t>(s)] <= lowerZ; });
    cutStart_.push_back(static_cast<int>(cuts_.size()));
    cuts_.insert(cuts_.end(), active.begin(), active.end());
  }
  cutStart_.push_back(static_cast<int>(cuts_.size()));

  fillTables(height, real_);
  fillTables(height, fast_);
  buildSamples();
}

template <typename Number>
void Survey::fillTables(const std::vector<Real>& height, Tables<Number>& t) const {
  const std::size_t segments = points_.size() - 1;
  auto as = [](const Real& x) {
    if constexpr (kIsReal<Number>) {
      return x;
    } else {
      return x.toDouble();
    }
  };
  t.bottom.resize(segments);
  t.widthPerRise.resize(segments);
  t.lengthPerRise.resize(segments);
  std::vector<Real> width(segments), area0(segments), length(segments), moment0(segments);
  for (std::size_t s = 0; s < segments; ++s) {
    const Real& e0 = height[s];
    const Real& e1 = height[s + 1];
    const Real dx = Real(points_[s + 1].x) - Real(points_[s].x);
    const Real rise = abs(e1 - e0);
    width[s] = dx;
    length[s] = numeric::sqrt(dx * dx + rise * rise);
    area0[s] = dx * (e0 + e1) / Real(2);
    moment0[s] = dx * (e0 * e0 + e0 * e1 + e1 * e1) / Real(6);
    t.bottom[s] = as(e0 < e1 ? e0 : e1);
    if (rise > Real(0)) {
      t.widthPerRise[s] = as(dx / rise);
      t.lengthPerRise[s] = as(length[s] / rise);
    }
  }
  for (std::vector<std::vector<Number>>* sums : {&t.width, &t.area0, &t.length, &t.moment0}) sums->assign(parts_.size(), {});
  for (std::size_t j = 0; j < parts_.size(); ++j) {
    Real sums[4];
    std::vector<Number>* out[4] = {&t.width[j], &t.area0[j], &t.length[j], &t.moment0[j]};
    for (std::vector<Number>* o : out) o->push_back(Number(0));
    for (int s : parts_[j].byTop) {
      const auto k = static_cast<std::size_t>(s);
      sums[0] += width[k];
      sums[1] += area0[k];
      sums[2] += length[k];
      sums[3] += moment0[k];
      for (int q = 0; q < 4; ++q) out[q]->push_back(as(sums[q]));
    }
  }
}

double Survey::sampleDepth(int k, int s) const {
  const double lo = k == 0 ? 0 : levels_.fast[static_cast<std::size_t>(k - 1)];
  const double hi = levels_.fast[static_cast<std::size_t>(k)];
  return s == kSamples ? hi : lo + (hi - lo) * s / kSamples;
}

void Survey::buildSamples() {
  samples_.reserve(levelZ_.size() * (kSamples + 1));
  for (int k = 0; k < intervalCount(); ++k) {
    const Real lo = k == 0 ? Real(0) : levelDepth(k - 1);
    const Real& hi = levelDepth(k);
    for (int s = 0; s <= kSamples; ++s) {
      if (k == 0 && s == 0) {
        samples_.push_back(Real(HUGE_VAL));
        continue;
      }
      const Real h = s == 0 ? lo : s == kSamples ? hi : lo + (hi - lo) * Real(s) / Real(kSamples);
      samples_.push_back(moderate_ ? Real(energySlopeFactorIn(h.toDouble(), k)) : energySlopeFactorIn(h, k));
    }
  }
}

std::vector<int> Survey::dividingPoints() const {
  std::vector<int> dividing;
  for (std::size_t j = 1; j < parts_.size(); ++j) dividing.push_back(parts_[j].first);
  return dividing;
}

}  // namespace channelflow::calc
