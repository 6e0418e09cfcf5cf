#include "tests/reference/reference.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace channelflow::reference {
namespace {

// Every formula is a template over its arithmetic: doubles find a root to a
// few ulps cheaply, Reals then make it exact from a bracket that narrow.
template <class X>
using Arith = std::remove_cvref_t<X>;

template <class T>
T as(const Real& x) {
  if constexpr (std::is_same_v<T, double>) {
    return x.toDouble();
  } else {
    return x;
  }
}

template <class T>
struct Dims {
  Shape shape;
  T size, m1, m2, n, nBed, nWall, i;
  bool composite;
  T g, k;
  const Channel* source;  // a surveyed section's points
  T H, Ra;
  int type;
};

template <class T>
Dims<T> dims(const Channel& c) {
  const Units u = unitsOf(c.us);
  return {c.shape,        as<T>(c.size), as<T>(c.m1), as<T>(c.m2), as<T>(c.n), as<T>(c.nBed),
          as<T>(c.nWall), as<T>(c.i),    c.composite, u.g,         u.k,         &c,
          as<T>(c.H),     as<T>(c.Ra),   c.type};
}

// A value in both arithmetics, for a function that runs in either.
template <template <class> class V>
struct Twin {
  V<double> d;
  V<Real> r;
  template <class T>
  const V<T>& get() const {
    if constexpr (std::is_same_v<T, double>) {
      return d;
    } else {
      return r;
    }
  }
};

template <class T>
using Number = T;
using Value = Twin<Number>;

Value twin(const Real& x) { return {x.toDouble(), x}; }
Twin<Dims> twin(const Channel& c) { return {dims<double>(c), dims<Real>(c)}; }

template <class T>
struct Geometry {
  T A, P, top, M1, bed, walls;  // M1: first moment of A about the surface
  // A surveyed section divided where n changes: the sum of Aj Rj^(2/3) / nj and alpha.
  bool divided = false;
  T conveyance{}, alpha{1};
};

// A surveyed section at depth h: each segment below the surface whole, or cut
// where the surface crosses it (a segment lying on the surface is dry), and
// the parts of one n each with their own area and bed.
template <class T>
Geometry<T> surveyGeometry(const Dims<T>& d, const T& h) {
  const Channel& c = *d.source;
  // A point's station from the first and height above the lowest: exact differences of the typed numbers.
  auto offset = [&c](std::size_t k) -> std::pair<T, T> {
    if constexpr (std::is_same_v<T, double>) {
      return c.offsets[k];
    } else {
      return {c.points[k].x - c.points[0].x, c.points[k].z - c.lowest};
    }
  };
  Geometry<T> g{T(0), T(0), T(0), T(0), T(0), T(0)};
  struct Part {
    T A, P;
    double n;
  };
  std::vector<Part> parts;
  for (std::size_t k = 0; k + 1 < c.points.size(); ++k) {
    const auto [x0, e0] = offset(k);
    const auto [x1, e1] = offset(k + 1);
    if (parts.empty() || c.segmentN[k] != parts.back().n) parts.push_back({T(0), T(0), c.segmentN[k]});
    const T w0 = h - e0, w1 = h - e1;
    const T dx = x1 - x0, dz = e1 - e0;
    const T length = sqrt(dx * dx + dz * dz);
    T share(1), deep;  // the wet share of the segment, and its deeper end's depth
    if (sign(w0) >= 0 && sign(w1) >= 0 && (sign(w0) > 0 || sign(w1) > 0)) {
      g.M1 += dx * (w0 * w0 + w0 * w1 + w1 * w1) / 6;
      g.A += dx * (w0 + w1) / 2;
      parts.back().A += dx * (w0 + w1) / 2;
    } else if (sign(w0) * sign(w1) < 0) {
      deep = sign(w0) > 0 ? w0 : w1;
      share = deep / abs(dz);
      g.M1 += dx * share * deep * deep / 6;
      g.A += dx * share * deep / 2;
      parts.back().A += dx * share * deep / 2;
    } else {
      continue;
    }
    g.P += length * share;
    g.top += dx * share;
    parts.back().P += length * share;
  }
  g.bed = g.P;
  if (parts.size() > 1) {
    g.divided = true;
    T energy(0);
    for (const Part& part : parts) {
      if (!(sign(part.A) > 0)) continue;
      const T R = part.A / part.P;
      const T K = part.A * cbrt(R * R) / part.n;
      g.conveyance += K;
      energy += K * K * K / (part.A * part.A);
    }
    g.alpha = energy * g.A * g.A / (g.conveyance * g.conveyance * g.conveyance);
  }
  return g;
}

// The circular segment of radius r filled to depth h <= 2r. With c half the
// top width and phi half the wetted angle, r^2 sin(2 phi) / 2 = c (r - h).
template <class T>
Geometry<T> segment(const T& r, const T& h) {
  const T c = sqrt(h * (2 * r - h));
  const T phi = atan2(c, r - h);
  const T A = r * r * phi - c * (r - h);
  const T P = 2 * r * phi;
  return {A, P, 2 * c, 2 * c * c * c / 3 - A * (r - h), P, T(0)};
}

// One piece of a closed section's right-hand boundary: a line up its wall
// (radius 0) from height y0, or an arc about (xc, yc) of radius R from
// angle a0, rising to a1 (x = xc + R cos a, y = yc + R sin a).
template <class T>
struct Piece {
  T xc, yc, R, a0, a1;
  T x, y0, y1;  // a wall: its station and heights
};

// The right half of the wet section by Green's theorem along the boundary
// from the bottom up to the surface: the area is the integral of x dy and
// its first moment about the floor that of x y dy (the axis and the surface
// add nothing); each piece is cut where the surface crosses it.
template <class T>
Geometry<T> closedGeometry(const Dims<T>& c, const T& h) {
  std::vector<Piece<T>> pieces;
  const T zero(0);
  if (c.shape == Shape::Arch) {
    const T half = c.size / 2;
    const T R = sign(c.Ra) > 0 ? c.Ra : half;
    const T centre = sqrt(R * R - half * half);
    const T wall = c.H - (R - centre);
    pieces.push_back({zero, zero, zero, zero, zero, half, zero, wall});
    pieces.push_back({zero, wall - centre, R, atan2(centre, half), zero, zero, zero, zero});
  } else {
    const T t(c.type == 2 ? 2 : 3);
    const T& r = c.size;
    const T theta = atan2(sqrt(2 * t * t - (t - 1) * (t - 1)), t - 1) - atan2(T(1), T(1));  // acos((t-1)/(sqrt2 t)) - pi/4
    const T quarter = 2 * atan2(T(1), T(1));
    pieces.push_back({zero, t * r, t * r, -quarter, -quarter + theta, zero, zero, zero});
    pieces.push_back({-(t - 1) * r, r, t * r, -theta, zero, zero, zero, zero});
    pieces.push_back({zero, r, r, zero, quarter, zero, zero, zero});
  }
  T A(0), S(0), P(0), x(0);
  if (c.shape == Shape::Arch) P = c.size / 2;  // half the floor
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    Piece<T> p = pieces[k];
    if (sign(p.R) == 0) {  // a wall
      const T top = h < p.y1 ? h : p.y1;
      A += p.x * (top - p.y0);
      S += p.x * (top * top - p.y0 * p.y0) / 2;
      P += top - p.y0;
      x = p.x;
      if (!(h > p.y1)) break;
      continue;
    }
    if (k == 1 && c.shape == Shape::Arch) p.a1 = 2 * atan2(T(1), T(1));  // the roof rises to the crown
    const T highest = p.yc + p.R * sin(p.a1);
    const bool cut = h < highest;
    if (cut) p.a1 = asin((h - p.yc) / p.R);
    auto band = [](const T& a) { return a / 2 + sin(2 * a) / 4; };
    const T areaBand = p.R * p.R * (band(p.a1) - band(p.a0));
    A += p.xc * p.R * (sin(p.a1) - sin(p.a0)) + areaBand;
    S += p.xc * p.yc * p.R * (sin(p.a1) - sin(p.a0)) + p.xc * p.R * p.R * (sin(p.a1) * sin(p.a1) - sin(p.a0) * sin(p.a0)) / 2 +
         p.yc * areaBand - p.R * p.R * p.R * (cos(p.a1) * cos(p.a1) * cos(p.a1) - cos(p.a0) * cos(p.a0) * cos(p.a0)) / 3;
    P += p.R * (p.a1 - p.a0);
    x = p.xc + p.R * cos(p.a1);
    if (cut) break;
  }
  Geometry<T> g{2 * A, 2 * P, 2 * x, h * 2 * A - 2 * S, 2 * P, T(0)};
  const T crown = c.shape == Shape::Arch ? c.H : 2 * c.size;
  if (!(h < crown)) g.top = T(0);
  return g;
}

template <class T>
Geometry<T> geometry(const Dims<T>& c, const T& h) {
  switch (c.shape) {
    case Shape::Trapezoid: {
      const T& B = c.size;
      const T m = c.m1 + c.m2;
      const T walls = h * (sqrt(1 + c.m1 * c.m1) + sqrt(1 + c.m2 * c.m2));
      return {(B + m * h / 2) * h, B + walls, B + m * h, B * h * h / 2 + m * h * h * h / 6, B, walls};
    }
    case Shape::Circle:
      return segment(c.size / 2, h);
    case Shape::U: {
      // The walls touch the arc at half-angle alpha, tan alpha = 1/m: its
      // rise is e = r (1 - cos alpha), its chord w = 2 r sin alpha.
      const T& r = c.size;
      const T& m = c.m1;
      const T s = sqrt(1 + m * m);
      const T e = r - r * m / s;
      if (h <= e) return segment(r, h);
      const Geometry<T> arc = segment(r, e);
      const T y = h - e;
      const T& w = arc.top;
      const T walls = 2 * y * s;
      return {arc.A + (w + m * y) * y,
              arc.P + walls,
              w + 2 * m * y,
              arc.M1 + arc.A * y + w / 2 * y * y + m * y * y * y / 3,
              arc.P,
              walls};
    }
    case Shape::Parabola: {
      const T& p = c.size;
      const T x0 = sqrt(2 * p * h);
      const T u = x0 / p;
      const T A = 4 * x0 * h / 3;
      const T P = x0 * sqrt(1 + u * u) + p * asinh(u);
      return {A, P, 2 * x0, 2 * h * A / 5, P, T(0)};
    }
    case Shape::Points:
      return surveyGeometry(c, h);
    case Shape::Arch:
    case Shape::Horseshoe:
      return closedGeometry(c, h);
  }
  std::abort();
}

// Horton-Einstein: each part of the perimeter carries its share of the velocity.
template <class T>
T equivalentN(const Dims<T>& c, const Geometry<T>& g) {
  if (g.divided) return g.A * cbrt(g.A * g.A / (g.P * g.P)) / g.conveyance;
  if (!c.composite) return c.n;
  const T share = (g.bed * c.nBed * sqrt(c.nBed) + g.walls * c.nWall * sqrt(c.nWall)) / g.P;
  return cbrt(share * share);
}

// K in Q = K sqrt(i).
template <class T>
T conveyance(const Dims<T>& c, const Geometry<T>& g) {
  if (g.divided) return c.k * g.conveyance;
  const T R = g.A / g.P;
  return c.k / equivalentN(c, g) * g.A * cbrt(R * R);
}

template <class T>
T energy(const Dims<T>& c, const T& Q, const T& h, const Geometry<T>& g) {
  const T v = Q / g.A;
  return h + g.alpha * v * v / (2 * c.g);
}

template <class T>
T frictionSlope(const Dims<T>& c, const T& Q, const Geometry<T>& g) {
  const T q = Q / conveyance(c, g);
  return q * q;
}

// Dekker's method on [a, b], where f changes sign: the secant through the
// two latest points, or bisection when the secant would leave the half of
// the bracket beside the best point, until that half or the secant's
// correction is `tolerance` of the root.
template <class T, class F>
T dekker(const F& f, T a, T b, T fa, T fb, double tolerance) {
  T c = a, fc = fa;  // the previous best point
  for (int k = 0; k < 3000; ++k) {
    if (abs(fa) < abs(fb)) {
      std::swap(a, b);
      std::swap(fa, fb);
    }
    const T m = (a + b) / 2, tiny = tolerance * abs(b) / 2;
    if (abs(m - b) <= tiny) return b;
    T s = fb == fc ? m : b - fb * (b - c) / (fb - fc);
    // Near the root f is mostly rounding: a correction below the tolerance
    // ends it rather than sending the secant anywhere.
    if (abs(s - b) < tiny) return b;
    if (!((s > b && s < m) || (s < b && s > m))) s = m;
    c = b;
    fc = fb;
    b = s;
    fb = f(s);
    if (sign(fb) == 0) return b;
    if (sign(fb) == sign(fa)) {
      a = c;
      fa = fc;
    }
  }
  throw std::runtime_error("reference: a root did not converge");
}

constexpr double kTolerance = 0x1p-248;

// The root of f between lo and hi, where it changes sign: in doubles first,
// then in Reals from a bracket some hundred ulps wide around that, widened
// while it holds no sign change.
template <class F>
Real rootBetween(const F& f, const Real& lo, const Real& hi) {
  const double a = lo.toDouble(), b = hi.toDouble();
  const double fa = f(a), fb = f(b);
  double x = a / 2 + b / 2;
  if (sign(fa) * sign(fb) < 0) x = dekker(f, a, b, fa, fb, 0x1p-50);
  for (double d = std::fmax(std::fabs(x) * 0x1p-46, 1e-300);; d *= 256) {
    const Real left = Real(x) - d, right = Real(x) + d;
    if (left <= lo || right >= hi) break;
    const Real fl = f(left), fr = f(right);
    if (sign(fl) == 0) return left;
    if (sign(fr) == 0) return right;
    if (sign(fl) != sign(fr)) return dekker(f, left, right, fl, fr, kTolerance);
  }
  const Real fLo = f(lo), fHi = f(hi);
  if (sign(fLo) == 0) return lo;
  if (sign(fHi) == 0) return hi;
  if (sign(fLo) == sign(fHi)) throw std::runtime_error("reference: no sign change around a root");
  return dekker(f, lo, hi, fLo, fHi, kTolerance);
}

// Every root of f between lo and hi where its sign changes from one to the
// next of 400 points spaced geometrically between them.
template <class F>
std::vector<Real> rootsBetween(const F& f, double lo, double hi) {
  constexpr int kPoints = 400;
  std::vector<Real> roots;
  double a = lo, fa = f(a);
  for (int k = 1; k <= kPoints; ++k) {
    const double b = lo * std::pow(hi / lo, static_cast<double>(k) / kPoints), fb = f(b);
    if (sign(fa) * sign(fb) < 0) roots.push_back(rootBetween(f, a, b));
    a = b;
    fa = fb;
  }
  return roots;
}

// From x by factors of `factor` until f has sign `want`, then one factor
// more, so that the Reals agree on the sign; none within the double range.
template <class F>
std::optional<Real> stepOut(const F& f, double x, double factor, int want) {
  for (; x > 1e-300 && x < 1e300; x *= factor) {
    if (sign(f(x)) == want) return Real(x * factor);
  }
  return std::nullopt;
}

Real pi() {
  Real r;
  mpfr_const_pi(r.get(), MPFR_RNDN);
  return r;
}

Real uniformDischarge(const Channel& c, const Real& h) {
  const Dims<Real> d = dims<Real>(c);
  return conveyance(d, geometry(d, h)) * sqrt(d.i);
}

// dE/dh of a surveyed section as a central difference 2^-100 h wide (10^-7 h
// in doubles), from E's own definition: where E is smooth this is its slope
// far beyond a double, and at a point's elevation where E has a corner it
// changes sign within that width.
template <class T>
T energySlope(const Twin<Dims>& b, const Value& Q, const T& h) {
  const Dims<T>& d = b.get<T>();
  T width;
  if constexpr (std::is_same_v<T, double>) {
    width = h * 1e-7;
  } else {
    width = h;
    mpfr_mul_2si(width.get(), width.get(), -100, MPFR_RNDN);
  }
  const T below = h - width, above = h + width;
  const T& q = Q.get<T>();
  return (energy(d, q, above, geometry(d, above)) - energy(d, q, below, geometry(d, below))) / (2 * width);
}

// Depths across a surveyed section from the bottom to its lower end: by each
// point's height and 63 between each two.
std::vector<double> surveyGrid(const Channel& c) {
  const double bank = bankDepth(c).toDouble();
  std::vector<double> levels{0, bank};
  for (const auto& [station, height] : c.offsets) {
    if (height > 0 && height < bank) levels.push_back(height);
  }
  std::sort(levels.begin(), levels.end());
  levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
  // Just inside each interval's ends, further than the slope's width in
  // doubles, so that the slope there is of one side in both arithmetics; the
  // bank itself last.
  std::vector<double> grid;
  for (std::size_t k = 1; k < levels.size(); ++k) {
    const double lo = levels[k - 1], hi = levels[k];
    if (k > 1) grid.push_back(lo * (1 + 1e-6));
    for (int s = 1; s < 64; ++s) grid.push_back(lo + (hi - lo) * s / 64);
    grid.push_back(hi * (1 - 1e-6));
  }
  grid.push_back(bank);
  return grid;
}

// The roots where f rises through 0 between the grid's points, found in
// doubles and their brackets confirmed in Reals (a sign the doubles misjudge
// near a root widens the bracket by a point); the first only, if asked.
template <class F>
std::vector<Real> risingRoots(const F& f, const std::vector<double>& grid, bool firstOnly) {
  std::vector<Real> roots;
  for (std::size_t k = 1; k < grid.size() && !(firstOnly && !roots.empty()); ++k) {
    if (!(f(grid[k - 1]) < 0 && f(grid[k]) >= 0)) continue;
    std::size_t lo = k - 1, hi = k;
    while (lo > 0 && sign(f(Real(grid[lo]))) >= 0) --lo;
    while (hi + 1 < grid.size() && sign(f(Real(grid[hi]))) < 0) ++hi;
    roots.push_back(rootBetween(f, grid[lo], grid[hi]));
  }
  return roots;
}

// The root of f nearest `from` (where f < 0) going up or down the grid.
template <class F>
std::optional<Real> nearestRoot(const F& f, const std::vector<double>& grid, const Real& from, bool up) {
  std::vector<double> ahead;
  for (double g : grid) {
    if (up ? Real(g) > from : Real(g) < from) ahead.push_back(g);
  }
  if (!up) std::reverse(ahead.begin(), ahead.end());
  Real near = from;
  for (double g : ahead) {
    if (f(g) >= 0 && sign(f(Real(g))) >= 0) return up ? rootBetween(f, near, g) : rootBetween(f, g, near);
    near = g;
  }
  return std::nullopt;
}

// Every local least of E below the banks, shallowest first.
std::vector<Real> surveyCriticalDepths(const Channel& c, const Real& Q) {
  const Twin<Dims> b = twin(c);
  const Value q = twin(Q);
  auto slope = [&](const auto& h) { return energySlope(b, q, h); };
  return risingRoots(slope, surveyGrid(c), false);
}

Real specificEnergyAt(const Channel& c, const Real& h, const Real& Q) {
  const Dims<Real> d = dims<Real>(c);
  return energy(d, Q, h, geometry(d, h));
}


// Q(x)/Q - 1 of uniform flow, as x varies: the depth, or the size when
// `set` puts x there and returns the depth.
template <class Set>
auto dischargeExcess(const Twin<Dims>& b, const Value& Q, Set set) {
  return [&b, &Q, set](const auto& x) {
    using T = Arith<decltype(x)>;
    Dims<T> d = b.get<T>();
    const T depth = set(d, x);
    return conveyance(d, geometry(d, depth)) * sqrt(d.i) / Q.get<T>() - 1;
  };
}

// Every x at which the channel carries Q, x the depth or (with `set`) the
// size, searched from `start`. With one n, Q grows with x: one root, or none
// when even the smallest x carries more. A composite n need not let Q grow,
// but lies between the smoothest and the roughest n alone, whose roots
// bound every root: the sign changes between them are scanned for.
template <class Set>
std::vector<Real> dischargeRoots(const Channel& c, const Value& q, Set set, double start) {
  const Twin<Dims> b = twin(c);
  const auto f = dischargeExcess(b, q, set);
  if (!c.composite) {
    const std::optional<Real> lo = stepOut(f, start, 0.5, -1);
    return lo ? std::vector<Real>{rootBetween(f, *lo, *stepOut(f, start, 2, 1))} : std::vector<Real>{};
  }
  auto boundWith = [&](const Real& n) {  // where n alone carries Q, roughly; the smallest x when it never does
    Channel one = c;
    one.composite = false;
    one.n = n;
    const Twin<Dims> bound = twin(one);
    const auto g = dischargeExcess(bound, q, set);
    const std::optional<Real> lo = stepOut(g, start, 0.5, -1);
    if (!lo) return start * 0x1p-60;
    const double a = lo->toDouble(), z = stepOut(g, start, 2, 1)->toDouble();
    return dekker(g, a, z, g(a), g(z), 0x1p-40);
  };
  const bool bedSmoother = c.nBed < c.nWall;
  return rootsBetween(f, boundWith(bedSmoother ? c.nBed : c.nWall) * 0.999,
                      boundWith(bedSmoother ? c.nWall : c.nBed) * 1.001);
}

JumpSide jumpSide(const Channel& c, const Real& Q, const Real& h) {
  const Flow f = flowAt(c, h, Q);
  return {h, f.A, f.v, f.Fr, f.E};
}

// The direct step's distance from the previous point to a new one.
ProfilePoint stepTo(const Channel& c, const ProfilePoint& from, const Flow& to) {
  return {from.x + (to.E - from.flow.E) / (c.i - (from.flow.Sf + to.Sf) / 2), to};
}

}  // namespace

Real criticalDepth(const Channel& c, const Real& Q) {
  if (c.shape == Shape::Points) {  // of several, the one of least energy
    const std::vector<Real> depths = surveyCriticalDepths(c, Q);
    if (depths.empty()) throw NoCriticalDepth();
    Real least = depths.front();
    for (const Real& h : depths) {
      if (specificEnergyAt(c, h, Q) < specificEnergyAt(c, least, Q)) least = h;
    }
    return least;
  }
  const Twin<Dims> b = twin(c);
  const Value q = twin(Q);
  auto f = [&](const auto& h) {  // g A^3 - Q^2 T rises through zero once
    using T = Arith<decltype(h)>;
    const Dims<T>& d = b.get<T>();
    const Geometry<T> g = geometry(d, h);
    const T& Qt = q.get<T>();
    return d.g * g.A * g.A * g.A - Qt * Qt * g.top;
  };
  const double start = isClosed(c) ? crownOf(c).toDouble() / 2 : 1.0;
  const Real hi = isClosed(c) ? crownOf(c) : *stepOut(f, start, 2, 1);
  return rootBetween(f, *stepOut(f, start, 0.5, -1), hi);
}

Units unitsOf(bool us) {
  // US: g and the unit weight are the doubles nearest 9.80665 / 0.3048 and
  // 1000 * 0.3048^3 / 0.45359237.
  return us ? Units{32.17404855643045, 1.486, 62.42796057614461} : Units{9.80665, 1.0, 9806.65};
}

Flow flowAt(const Channel& c, const Real& h, const Real& Q) {
  const Dims<Real> d = dims<Real>(c);
  const Geometry<Real> g = geometry(d, h);
  Flow f;
  f.h = h;
  f.A = g.A;
  f.P = g.P;
  f.R = g.A / g.P;
  f.T = g.top;
  f.M1 = g.M1;
  f.full = sign(g.top) == 0;
  f.n = equivalentN(d, g);
  f.C = d.k * sqrt(cbrt(f.R)) / f.n;
  f.Q = Q;
  f.v = Q / g.A;
  if (!f.full) {
    f.D = g.A / g.top;
    f.Fr = f.v / sqrt(d.g * f.D);
  }
  f.E = energy(d, Q, h, g);
  f.Sf = frictionSlope(d, Q, g);
  f.tau0 = unitsOf(c.us).gamma * f.R * f.Sf;
  f.K = conveyance(d, g);
  f.alpha = g.alpha;
  if (g.divided) {  // each part at its own velocity
    f.C = f.K / (g.A * sqrt(f.R));
    f.Fr = f.v * sqrt(g.alpha / (d.g * f.D));
  }
  return f;
}

Flow uniformFlow(const Channel& c, const Real& h) {
  Flow f = flowAt(c, h, uniformDischarge(c, h));
  f.Sf = c.i;
  f.tau0 = unitsOf(c.us).gamma * f.R * c.i;
  return f;
}

std::string regimeOf(const Real& Fr) {
  if (abs(Fr - 1) <= 1e-9) return "critical";
  return Fr < 1 ? "subcritical" : "supercritical";
}

Critical criticalFlow(const Channel& c, const Real& Q) {
  if (c.shape == Shape::Points) {
    const std::vector<Real> all = surveyCriticalDepths(c, Q);
    if (all.empty()) throw NoCriticalDepth();
    const Flow f = flowAt(c, all.front(), Q);
    return {all.front(), f.v, f.Sf, all};
  }
  const Real hc = criticalDepth(c, Q);
  const Flow f = flowAt(c, hc, Q);
  return {hc, f.v, f.Sf, {hc}};
}

void setPoints(Channel& c, std::vector<SurveyPoint> points) {
  c.shape = Shape::Points;
  c.points = std::move(points);
  c.lowest = c.points.front().z;
  for (const SurveyPoint& p : c.points) c.lowest = p.z < c.lowest ? p.z : c.lowest;
  c.offsets.clear();
  for (const SurveyPoint& p : c.points) {
    c.offsets.emplace_back((p.x - c.points.front().x).toDouble(), (p.z - c.lowest).toDouble());
  }
}

Real lowestElevation(const Channel& c) { return c.lowest; }

Real bankDepth(const Channel& c) {
  const Real& front = c.points.front().z;
  const Real& back = c.points.back().z;
  return (front < back ? front : back) - c.lowest;
}

bool isClosed(const Channel& c) { return c.shape == Shape::Circle || c.shape == Shape::Arch || c.shape == Shape::Horseshoe; }

Real crownOf(const Channel& c) {
  if (c.shape == Shape::Arch) return c.H;
  if (c.shape == Shape::Horseshoe) return 2 * c.size;
  return c.size;
}

const Real& greatestDischargeRatio() {
  // Q grows as A^(5/3) / P^(2/3), greatest where 5 P dA = 2 A dP, which with
  // the wetted angle theta is 5 theta (1 - cos theta) = 2 (theta - sin theta).
  static const Real ratio = [] {
    auto f = [](const auto& t) { return 5 * t * (1 - cos(t)) - 2 * (t - sin(t)); };
    const Real theta = rootBetween(f, pi(), 2 * pi());
    return Real((1 - cos(theta / 2)) / 2);
  }();
  return ratio;
}

namespace {

// Where an arch's roof or a horseshoe's semicircular top begins.
Real springingOf(const Channel& c) {
  if (c.shape == Shape::Horseshoe) return c.size;
  const Real half = c.size / 2;
  const Real R = sign(c.Ra) > 0 ? c.Ra : half;
  return c.H - (R - sqrt(R * R - half * half));
}

// dQ/dh as a central difference 2^-100 h wide (10^-7 h in doubles).
template <class T>
T dischargeSlope(const Twin<Dims>& b, const T& h) {
  const Dims<T>& d = b.get<T>();
  T width;
  if constexpr (std::is_same_v<T, double>) {
    width = h * 1e-7;
  } else {
    width = h;
    mpfr_mul_2si(width.get(), width.get(), -100, MPFR_RNDN);
  }
  const T below = h - width, above = h + width;
  return (conveyance(d, geometry(d, above)) - conveyance(d, geometry(d, below))) / (2 * width);
}

}  // namespace

Capacity conduitCapacity(const Channel& c) {
  Real hMax;
  if (c.shape == Shape::Circle) {
    hMax = greatestDischargeRatio() * c.size;
  } else {
    const Twin<Dims> b = twin(c);
    auto slope = [&](const auto& h) { return dischargeSlope(b, h); };
    const Real springing = springingOf(c), top = crownOf(c);
    // Just above the springing line the slope is the roof's: a flat roof's
    // is below 0 there, and the greatest discharge at the springing.
    const Real above = springing + (top - springing) * 1e-9;
    hMax = sign(slope(above)) <= 0 ? springing : rootBetween(slope, above, top - (top - springing) * 1e-12);
  }
  return {hMax, uniformDischarge(c, hMax), uniformDischarge(c, crownOf(c))};
}

std::vector<Real> normalDepths(const Channel& c, const Real& Q) {
  const Value q = twin(Q);
  const auto depth = [](auto&, const auto& h) { return h; };
  if (c.shape == Shape::Points) {  // the shallowest below the banks
    const Twin<Dims> b = twin(c);
    const auto f = dischargeExcess(b, q, depth);
    return risingRoots(f, surveyGrid(c), true);
  }
  if (!isClosed(c)) return dischargeRoots(c, q, depth, 1);
  // Q peaks at hMax: one depth below it, and one above where Q exceeds the full conduit's.
  const Twin<Dims> b = twin(c);
  const auto f = dischargeExcess(b, q, depth);
  const Capacity capacity = conduitCapacity(c);
  if (Q > capacity.QMax) return {};
  std::vector<Real> depths{rootBetween(f, *stepOut(f, capacity.hMax.toDouble() / 2, 0.5, -1), capacity.hMax)};
  if (Q > capacity.QFull) depths.push_back(rootBetween(f, capacity.hMax, crownOf(c)));
  return depths;
}

std::optional<Real> sizeFor(const Channel& c, const Real& h, const Real& Q) {
  const Twin<Dims> b = twin(c);
  const Value q = twin(Q), depth = twin(h);
  const auto size = [&depth](auto& d, const auto& x) {
    d.size = x;
    return depth.get<Arith<decltype(x)>>();
  };
  const auto f = dischargeExcess(b, q, size);
  // The smallest conduit is as deep as the water; it must carry less than Q.
  if (c.shape == Shape::Circle) {
    return sign(f(h)) < 0 ? std::optional(rootBetween(f, h, *stepOut(f, 2 * h.toDouble(), 2, 1))) : std::nullopt;
  }
  if (c.shape == Shape::Horseshoe) {
    const Real least = h / 2;
    return sign(f(least)) < 0 ? std::optional(rootBetween(f, least, *stepOut(f, 2 * h.toDouble(), 2, 1))) : std::nullopt;
  }
  // An arch of its height: no wider than the widest roof that fits under its crown.
  if (c.shape == Shape::Arch) {
    const Real widest = sign(c.Ra) <= 0 ? 2 * c.H : c.Ra <= c.H ? 2 * c.Ra : 2 * sqrt(c.H * (2 * c.Ra - c.H));
    const Real least = widest * 1e-12;
    if (!(sign(f(least)) < 0 && sign(f(widest)) > 0)) return std::nullopt;
    return rootBetween(f, least, widest);
  }
  const std::vector<Real> sizes = dischargeRoots(c, q, size, h.toDouble());
  return sizes.size() == 1 ? std::optional(sizes.front()) : std::nullopt;
}

Real roughnessFor(const Channel& c, const Real& h, const Real& Q) {
  Channel one = c;
  one.n = 1;
  return uniformDischarge(one, h) / Q;
}

std::optional<Jump> hydraulicJump(const Channel& c, const Real& Q, const Real& h) {
  const Real hc = criticalDepth(c, Q);
  const Real& given = h;
  if (given == hc) return std::nullopt;
  const Twin<Dims> b = twin(c);
  const Value q = twin(Q);
  auto momentum = [&](const auto& x) {  // Q^2 / (g A) + A ybar
    using T = Arith<decltype(x)>;
    const Dims<T>& d = b.get<T>();
    const Geometry<T> g = geometry(d, x);
    return q.get<T>() * q.get<T>() / (d.g * g.A) + g.M1;
  };
  const Value M = twin(momentum(given));
  auto f = [&](const auto& x) { return momentum(x) / M.get<Arith<decltype(x)>>() - 1; };
  Jump j;
  j.hc = hc;
  j.givenDownstream = given > hc;
  Real sequent;
  if (j.givenDownstream && c.shape == Shape::Points) {  // the nearest hc of several
    if (sign(f(hc)) >= 0) return std::nullopt;
    const std::optional<Real> root = nearestRoot(f, surveyGrid(c), hc, false);
    sequent = root ? *root : rootBetween(f, *stepOut(f, hc.toDouble() / 2, 0.5, 1), hc);
  } else if (j.givenDownstream) {
    sequent = rootBetween(f, *stepOut(f, hc.toDouble() / 2, 0.5, 1), hc);
  } else if (isClosed(c)) {
    if (sign(f(crownOf(c))) < 0) return std::nullopt;  // the jump would fill the conduit
    sequent = rootBetween(f, hc, crownOf(c));
  } else if (c.shape == Shape::Points) {
    // The water would leave the section, or (alpha and several least energies
    // apart) the momentum at hc is no less than the given depth's: no jump.
    if (sign(f(bankDepth(c))) < 0 || sign(f(hc)) >= 0) return std::nullopt;
    sequent = nearestRoot(f, surveyGrid(c), hc, true).value_or(bankDepth(c));
  } else {
    sequent = rootBetween(f, hc, *stepOut(f, 2 * hc.toDouble(), 2, 1));
  }
  const JumpSide ours = jumpSide(c, Q, given), other = jumpSide(c, Q, sequent);
  j.up = j.givenDownstream ? other : ours;
  j.down = j.givenDownstream ? ours : other;
  j.M = M.r;
  j.dE = j.up.E - j.down.E;
  j.dEOverE1 = j.dE / j.up.E;
  j.height = j.down.h - j.up.h;
  return j;
}

std::string jumpTypeOf(const Real& Fr1) {
  if (Fr1 < 1.7) return "undular";
  if (Fr1 < 2.5) return "weak";
  if (Fr1 < 4.5) return "oscillating";
  if (Fr1 < 9) return "steady";
  return "strong";
}

Profile profileStart(const Channel& c, double Q, const Real& h0) {
  Profile p;
  p.hc = criticalDepth(c, Q);
  const Real& start = h0;
  if (start == p.hc) {
    p.error = "h0 is critical";
    return p;
  }
  const bool above = start > p.hc;
  p.upstream = above;
  bool criticalSlope = false;
  if (sign(c.i) == 0) {
    p.type = above ? "H2" : "H3";
  } else if (sign(c.i) < 0) {
    p.type = above ? "A2" : "A3";
  } else {
    const std::vector<Real> depths = normalDepths(c, Q);
    if (depths.empty() || depths.front() == start) {
      p.error = "no normal depth, or h0 is normal";
      return p;
    }
    const Real& hn = depths.front();
    p.hn = hn;
    criticalSlope = abs(hn - p.hc) <= 1e-9 * p.hc;
    if (criticalSlope) {
      p.type = above ? "C1" : "C3";
    } else if (hn > p.hc) {
      p.type = start > hn ? "M1" : above ? "M2" : "M3";
    } else {
      p.type = above ? "S1" : start > hn ? "S2" : "S3";
    }
  }
  const Flow f = flowAt(c, start, Q);
  p.points.push_back({Real(0), f});
  // dh/dx = (i - Sf) / (1 - Fr^2), taken the way the profile is computed.
  // dE/dh = 1 - Fr^2, or a surveyed section's own slope of E.
  const Real rate = c.shape == Shape::Points ? energySlope(twin(c), twin(Real(Q)), start) : 1 - f.Fr * f.Fr;
  const int slope = sign((c.i - f.Sf) / rate);
  p.trend = (slope > 0) == !above ? 1 : -1;
  if (p.trend < 0) p.limit = Real(0);
  if (p.trend > 0 && (isClosed(c) || c.shape == Shape::Points)) {
    p.limit = c.shape == Shape::Points ? bankDepth(c) : crownOf(c);
    p.toward = Toward::Crown;
  }
  auto consider = [&](const Real& depth, Toward kind) {
    const Real ahead = (depth - start) * p.trend;
    if (sign(ahead) > 0 && (!p.limit || ahead < abs(*p.limit - start))) {
      p.limit = depth;
      p.toward = kind;
    }
  };
  if (p.hn && !criticalSlope) consider(*p.hn, Toward::Normal);
  consider(p.hc, Toward::Critical);
  return p;
}

Profile directStep(const Channel& c, double Q, const Real& h0, const Real& target, int steps) {
  Profile p = profileStart(c, Q, h0);
  if (!p.error.empty()) return p;
  if (!(sign(target - h0) * p.trend > 0)) {
    p.error = "the target is not the way the profile runs";
    return p;
  }
  const bool beyond = p.limit && sign((target - *p.limit) * p.trend) >= 0;
  if (beyond && p.toward == Toward::Normal) {
    p.error = "the target is at or beyond the normal depth";
    return p;
  }
  // The depths between are doubles, equal steps toward the end: the target
  // as given, or the limit's correctly rounded double.
  const Real end = beyond ? Real(p.limit->toDouble()) : target;
  const double first = h0.toDouble(), dh = (end.toDouble() - first) / steps;
  for (int k = 1; k <= steps; ++k) {
    const Real h = k == steps ? end : Real(first + dh * k);
    p.points.push_back(stepTo(c, p.points.back(), flowAt(c, h, Q)));
  }
  p.reachedCritical = beyond && p.toward == Toward::Critical;
  return p;
}

Profile standardStep(const Channel& c, double Q, const Real& h0, double length, int steps) {
  Profile p = profileStart(c, Q, h0);
  if (!p.error.empty()) return p;
  const Twin<Dims> b = twin(c);
  const Value q = twin(Q);
  const Real L = Real(length) / steps;
  const bool up = p.upstream;
  // A last point at hc (its double) or the crown (a surveyed section's banks
  // exactly), kept when it lies beyond the previous one.
  auto endAt = [&](const Real& depth) {
    const ProfilePoint last = stepTo(c, p.points.back(), flowAt(c, depth, Q));
    if (sign(last.x - p.points.back().x) == (up ? -1 : 1)) p.points.push_back(last);
  };
  for (int k = 1; k <= steps; ++k) {
    const Flow& known = p.points.back().flow;
    // Upstream the unknown depth a above the known b solves
    //   E_a - Sf_a L/2 = E_b - i L + Sf_b L/2 on (hc, crown);
    // downstream the unknown b below the known a solves
    //   E_b + Sf_b L/2 = E_a + i L - Sf_a L/2 on (0, hc). Both rise with depth.
    const Value rhs = twin(up ? known.E - c.i * L + known.Sf * L / 2 : known.E + c.i * L - known.Sf * L / 2);
    const Value half = twin(L / 2);
    auto balance = [&](const auto& h) {
      using T = Arith<decltype(h)>;
      const Dims<T>& d = b.get<T>();
      const Geometry<T> g = geometry(d, h);
      const T E = energy(d, q.get<T>(), h, g), drop = frictionSlope(d, q.get<T>(), g) * half.get<T>();
      return up ? E - drop - rhs.get<T>() : rhs.get<T>() - E - drop;
    };
    const int atCritical = sign(balance(p.hc));
    if (up ? atCritical >= 0 : atCritical <= 0) {
      endAt(Real(p.hc.toDouble()));
      p.reachedCritical = true;
      return p;
    }
    // A surveyed section's E may have several lows, and then the balance
    // several roots: which one a profile takes is no question of digits.
    if (c.shape == Shape::Points) {
      const std::vector<double> grid = surveyGrid(c);
      int changes = 0;
      double previous = NAN;
      for (std::size_t g = 0; g < grid.size(); ++g) {
        if (up ? !(Real(grid[g]) > p.hc) : !(Real(grid[g]) < p.hc)) continue;
        const double value = balance(grid[g]);
        changes += !std::isnan(previous) && (value < 0) != (previous < 0);
        previous = value;
      }
      if (changes > 1) {
        p.error = "the balance has several roots";
        return p;
      }
    }
    Real h;
    if (!up) {
      h = rootBetween(balance, *stepOut(balance, p.hc.toDouble() / 2, 0.5, -1), p.hc);
    } else if (isClosed(c) || c.shape == Shape::Points) {
      const Real top = c.shape == Shape::Points ? bankDepth(c) : crownOf(c);
      if (sign(balance(top)) <= 0) {
        endAt(top);
        return p;
      }
      h = rootBetween(balance, p.hc, top);
    } else {
      h = rootBetween(balance, p.hc, *stepOut(balance, known.h.toDouble(), 2, 1));
    }
    p.points.push_back({(up ? -L : L) * k, flowAt(c, h, Q)});
  }
  return p;
}

}  // namespace channelflow::reference
