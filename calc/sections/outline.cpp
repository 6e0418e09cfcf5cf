#include "calc/sections/outline.h"

#include <algorithm>
#include <cmath>
#include <variant>
#include <vector>

#include "calc/survey/survey.h"
#include "numeric/elementary/elementary.h"

namespace channelflow::calc {
namespace {

constexpr int kArcSegments = 48;

// A drawing needs no more than doubles.
struct DrawnPoint {
  double x, z;
};

Outline surveyOutline(const Survey& survey, double h) {
  Outline outline;
  std::vector<DrawnPoint> p;
  for (const SurveyPoint& point : survey.points()) p.push_back({point.x.toDouble(), point.z.toDouble()});
  const double surface = survey.lowest().toDouble() + h;
  for (const DrawnPoint& point : p) outline.boundary.push_back({point.x, point.z});
  outline.segmentN.assign(survey.segmentN().begin(), survey.segmentN().end());
  // Where each segment lies below the surface, the runs joined.
  for (std::size_t k = 0; k + 1 < p.size(); ++k) {
    const DrawnPoint& a = p[k];
    const DrawnPoint& b = p[k + 1];
    if (!(a.z < surface || b.z < surface)) continue;
    auto crossing = [surface](const DrawnPoint& from, const DrawnPoint& to) {
      return from.x + (to.x - from.x) * (surface - from.z) / (to.z - from.z);
    };
    const double left = a.z <= surface ? a.x : crossing(a, b);
    const double right = b.z <= surface ? b.x : crossing(a, b);
    if (!outline.water.empty() && outline.water.back()[1] == left) {
      outline.water.back()[1] = right;
    } else {
      outline.water.push_back({left, right});
    }
  }
  if (outline.water.empty()) {  // water too shallow to lift the surface off the lowest point in doubles
    const auto lowest = std::min_element(p.begin(), p.end(), [](const DrawnPoint& a, const DrawnPoint& b) { return a.z < b.z; });
    outline.water.push_back({lowest->x, lowest->x});
  }
  outline.waterLeft = {outline.water.front()[0], surface};
  outline.waterRight = {outline.water.back()[1], surface};
  for (int k : survey.dividingPoints()) {
    const DrawnPoint& bed = p[static_cast<std::size_t>(k)];
    if (bed.z < surface) outline.dividers.push_back({bed.x, bed.z, surface});
  }
  return outline;
}

// Points along the arc about (x, z) of radius r from angle a0 to a1, both ends included.
void appendArc(std::vector<std::array<double, 2>>& boundary, double x, double z, double r, double a0, double a1) {
  // An even count: an arc symmetric about the invert passes through its lowest point.
  int segments = std::max(2, static_cast<int>(kArcSegments * std::fabs(a1 - a0) / numeric::kPi.hi) + 1);
  segments += segments % 2;
  for (int k = 0; k <= segments; ++k) {
    const double angle = a0 + (a1 - a0) * k / segments;
    boundary.push_back({x + r * numeric::cos(angle), z + r * numeric::sin(angle)});
  }
}

// A tunnel's whole boundary from the crown round the left side, the floor
// and back to the crown, as the circle's.
void closedBoundary(const Channel& c, std::vector<std::array<double, 2>>& boundary) {
  const double size = c.size.toDouble();
  const double pi = numeric::kPi.hi;
  if (const auto* arch = std::get_if<Arch>(&c.shape)) {
    const ArchRoof roof = archRoof(*arch, c.size);
    const double R = roof.radius.toDouble(), wall = roof.wall.toDouble(), half = size / 2;
    const double below = R - roof.rise.toDouble();  // the roof's centre below the springing line
    const double spring = numeric::atan2(below, half);
    appendArc(boundary, 0, wall - below, R, pi / 2, pi - spring);
    boundary.push_back({-half, 0});
    boundary.push_back({half, 0});
    appendArc(boundary, 0, wall - below, R, spring, pi / 2);
    return;
  }
  const auto& horseshoe = std::get<Horseshoe>(c.shape);
  const double r = size, tr = horseshoe.t() * size, out = tr - r;
  const double theta = numeric::acos((horseshoe.t() - 1) / (numeric::sqrt(2.0) * horseshoe.t())) - pi / 4;
  appendArc(boundary, 0, r, r, pi / 2, pi);
  appendArc(boundary, out, r, tr, pi, pi + theta);
  appendArc(boundary, 0, tr, tr, 1.5 * pi - theta, 1.5 * pi + theta);
  appendArc(boundary, -out, r, tr, -theta, 0);
  appendArc(boundary, 0, r, r, 0, pi / 2);
}

}  // namespace

Outline outlineOf(const Channel& c, double h, double top) {
  if (const auto* points = std::get_if<Points>(&c.shape)) return surveyOutline(*points->survey, h);
  if (std::holds_alternative<Arch>(c.shape) || std::holds_alternative<Horseshoe>(c.shape)) {
    Outline outline;
    closedBoundary(c, outline.boundary);
    const double half = geometry(c.shape, c.size.toDouble(), h).T / 2;
    outline.waterLeft = {-half, h};
    outline.waterRight = {half, h};
    return outline;
  }
  Outline outline;
  const double size = c.size.toDouble();
  auto& boundary = outline.boundary;
  if (const auto* t = std::get_if<Trapezoid>(&c.shape)) {
    boundary = {{-size / 2 - t->m1 * top, top}, {-size / 2, 0}, {size / 2, 0}, {size / 2 + t->m2 * top, top}};
    outline.waterLeft = {-size / 2 - t->m1 * h, h};
    outline.waterRight = {size / 2 + t->m2 * h, h};
    return outline;
  }
  if (std::holds_alternative<Circle>(c.shape)) {
    const double r = size / 2;
    for (int k = 0; k <= 2 * kArcSegments; ++k) {
      // From the crown round the left side, the invert, and back to the crown.
      const double angle = numeric::kPi.hi * k / kArcSegments;
      boundary.push_back({-r * numeric::sin(angle), r + r * numeric::cos(angle)});
    }
    const double half = numeric::sqrt(h * (size - h));
    outline.waterLeft = {-half, h};
    outline.waterRight = {half, h};
    return outline;
  }
  if (const auto* u = std::get_if<UShape>(&c.shape)) {
    const double r = size;
    const double root = numeric::sqrt(1 + u->m * u->m);
    const double alpha = numeric::atan2(1.0, u->m);  // the arc's half angle
    const double rise = r - r * u->m / root;
    const double reach = r / root;                    // the half width where the walls begin
    auto halfWidth = [&](double z) {
      return z <= rise ? numeric::sqrt(z * (2 * r - z)) : reach + u->m * (z - rise);
    };
    const double topHalf = halfWidth(top);
    boundary.push_back({-topHalf, top});
    for (int k = -kArcSegments; k <= kArcSegments; ++k) {
      const double angle = alpha * k / kArcSegments;
      boundary.push_back({r * numeric::sin(angle), r - r * numeric::cos(angle)});
    }
    boundary.push_back({topHalf, top});
    const double half = halfWidth(h);
    outline.waterLeft = {-half, h};
    outline.waterRight = {half, h};
    return outline;
  }
  // The parabola x^2 = 2 p z, sampled evenly in x.
  const double reach = numeric::sqrt(2 * size * top);
  for (int k = -kArcSegments; k <= kArcSegments; ++k) {
    const double x = reach * k / kArcSegments;
    boundary.push_back({x, x * x / (2 * size)});
  }
  const double half = numeric::sqrt(2 * size * h);
  outline.waterLeft = {-half, h};
  outline.waterRight = {half, h};
  return outline;
}

}  // namespace channelflow::calc
