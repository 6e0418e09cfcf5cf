#include "tests/reference/cases.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "tests/reference/expected_text.h"

namespace channelflow::reference {

using Cells = std::vector<std::pair<std::string, std::string>>;

struct CaseGenerator::Drawn {
  Channel ref;
  Cells section;    // section, units and size, as options or batch cells
  Cells roughness;  // n, or n-bed and n-wall
  Input i, size;
  double scale = 1;    // feet per metre in US units: the ranges are in metres
  bool plain = false;  // a symmetric trapezoid in SI with one n, which the first edition's line describes
};

namespace {

// A number typed to `decimals` places.
CaseGenerator::Input typed(double value, int decimals) {
  char text[40];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return {text, std::strtod(text, nullptr)};
}

// A depth as the program computes with it: a surveyed section's as typed
// (it is differenced with the points' heights), another section's as its double.
Real asTyped(const Channel& c, const CaseGenerator::Input& depth) {
  return c.shape == Shape::Points ? fromText(depth.text) : Real(depth.value);
}

}  // namespace

namespace {

// By Shape: the size's key in a report, its option, the section's name.
constexpr const char* kSizeKey[] = {"B", "diameter", "r", "p", "", "B", "r"};
constexpr const char* kSizeOption[] = {"B", "D", "r", "p", "", "B", "r"};
constexpr const char* kSectionName[] = {"trapezoid", "circle", "u", "parabola", "points", "arch", "horseshoe"};

using Field = std::pair<const char*, const Real*>;

void addOptions(std::vector<std::string>& words, const Cells& cells,
                std::initializer_list<std::string_view> skip = {}) {
  for (const auto& [key, text] : cells) {
    if (std::find(skip.begin(), skip.end(), key) != skip.end()) continue;
    words.push_back("--" + key);
    words.push_back(text);
  }
}

// Every quantity a report prints for a flow, and the critical flow of its Q.
ExpectedObject flowObject(const Channel& c, const Flow& f, bool withCriticalFlow = true) {
  ExpectedObject o;
  const bool survey = c.shape == Shape::Points;
  const bool divided = survey && std::adjacent_find(c.segmentN.begin(), c.segmentN.end(), std::not_equal_to<>()) !=
                                     c.segmentN.end();
  if (c.composite || divided) o.numbers.emplace_back("n", f.n);
  if (survey) {
    o.numbers.insert(o.numbers.end(), {{"wse", lowestElevation(c) + f.h},
                                       {"K", f.K},
                                       {"alpha", f.alpha}});
  }
  const Field fields[] = {{"A", &f.A}, {"P", &f.P}, {"R", &f.R}, {"T", &f.T},      {"C", &f.C},
                          {"v", &f.v}, {"Q", &f.Q}, {"E", &f.E}, {"tau0", &f.tau0}};
  for (const auto& [key, value] : fields) o.numbers.emplace_back(key, *value);
  if (f.full) {
    o.absent = {"D", "Fr", "regime"};
  } else {
    o.numbers.emplace_back("D", f.D);
    o.numbers.emplace_back("Fr", f.Fr);
    o.texts.emplace_back("regime", regimeOf(f.Fr));
  }
  if (isClosed(c)) {  // the full section, and the free area and height above the water
    const Real full = flowAt(c, crownOf(c), f.Q).A;
    o.numbers.insert(o.numbers.end(),
                     {{"A_full", full}, {"free_area_pct", (full - f.A) / full * 100}, {"free_height", crownOf(c) - f.h}});
  }
  const Critical critical = criticalFlow(c, f.Q);
  o.numbers.emplace_back("hc", critical.hc);
  for (std::size_t k = 0; survey && k < critical.all.size(); ++k) {
    o.numbers.emplace_back("hc_all#" + std::to_string(k), critical.all[k]);
  }
  if (withCriticalFlow) {
    o.numbers.emplace_back("vc", critical.vc);
    o.numbers.emplace_back("ic", critical.ic);
  }
  return o;
}

ExpectedObject pointObject(const ProfilePoint& point, bool first) {
  ExpectedObject o;
  const Flow& f = point.flow;
  if (!first) o.numbers = {{"x", point.x}, {"h", f.h}};
  const Field fields[] = {{"A", &f.A}, {"v", &f.v}, {"E", &f.E}, {"Sf", &f.Sf}};
  for (const auto& [key, value] : fields) o.numbers.emplace_back(key, *value);
  if (!f.full) o.numbers.emplace_back("Fr", f.Fr);  // a full conduit's Froude number does not exist
  return o;
}

}  // namespace

double CaseGenerator::uniform(double low, double high) {
  return std::uniform_real_distribution<double>(low, high)(random_);
}

double CaseGenerator::logUniform(double low, double high) { return std::exp(uniform(std::log(low), std::log(high))); }

bool CaseGenerator::chance(double p) { return uniform(0, 1) < p; }

// As a person types it (two to five digits), or every digit of a computed double.
CaseGenerator::Input CaseGenerator::decimal(double value, bool exact) {
  const int digits = exact || chance(0.25) ? 17 : static_cast<int>(uniform(2, 6));
  char text[40];
  std::snprintf(text, sizeof text, "%.*g", digits, value);
  return {text, std::strtod(text, nullptr)};
}

// A river's surveyed section: a main channel (a trapezoid, a triangle or
// vertical walls, its bed sometimes uneven) between floodplains (flat or
// sloping, sometimes none) and banks rising to the ends, typed to the
// centimetre, often a few hundred metres above the datum; the floodplains'
// n rougher than the main channel's, or the same.
void CaseGenerator::survey(Drawn& d, bool withRoughness) {
  Channel& c = d.ref;
  c.size = 0;
  const double s = d.scale;
  const double offset = chance(0.5) ? static_cast<int>(uniform(0, 500)) * s : 0;
  const double depth = uniform(0.5, 4) * s, bottom = chance(0.2) ? 0 : uniform(0.5, 30) * s;
  auto wall = [&] { return chance(0.2) ? 0 : uniform(0.5, 3); };
  auto plain = [&] { return chance(0.2) ? 0 : uniform(5, 150) * s; };
  const double leftRise = chance(0.4) ? 0 : uniform(0, 0.02), rightRise = chance(0.4) ? 0 : uniform(0, 0.02);
  const double leftPlain = plain(), rightPlain = plain();
  const double leftBank = uniform(0.3, 3) * s, rightBank = uniform(0.3, 3) * s;
  const double mainN = uniform(0.02, 0.04);
  const double leftN = chance(0.3) ? mainN : uniform(0.03, 0.1), rightN = chance(0.5) ? leftN : uniform(0.03, 0.1);
  // Each point by its step from the one before, so that the typed stations never decrease.
  struct Step {
    double dx, z, n;  // z above the main channel's bed; n of the segment starting here, 0 to carry the last
  };
  const double leftWall = wall(), rightWall = bottom == 0 && leftWall == 0 ? uniform(0.5, 3) : wall();
  std::vector<Step> steps{{0, depth + leftRise * leftPlain + leftBank, leftN},
                          {leftBank * uniform(2, 4), depth + leftRise * leftPlain, 0},
                          {leftPlain, depth, mainN},
                          {leftWall * depth, 0, 0}};
  if (chance(0.4)) steps.push_back({bottom / 2, uniform(0, 0.1) * depth, 0});
  steps.push_back({chance(0.4) ? bottom / 2 : bottom, 0, 0});
  steps.push_back({rightWall * depth, depth, rightN});
  steps.push_back({rightPlain, depth + rightRise * rightPlain, 0});
  steps.push_back({rightBank * uniform(2, 4), depth + rightRise * rightPlain + rightBank, 0});
  std::string text, firstN;
  std::vector<std::string> typedPoints;
  std::vector<SurveyPoint> points;
  double x = 0, n = 0;
  for (const Step& step : steps) {
    const Input station = typed(x + step.dx, 2), elevation = typed(offset + step.z, 2);
    x = station.value;
    const Input given = step.n > 0 ? decimal(step.n) : Input{};
    if (step.n > 0) n = given.value;
    if (firstN.empty()) firstN = given.text;
    c.segmentN.push_back(n);  // of the segment that starts here
    points.push_back({fromText(station.text), fromText(elevation.text)});  // the typed numbers, not their doubles
    typedPoints.push_back(station.text + "," + elevation.text);
    text += (text.empty() ? "" : " ") + typedPoints.back();
    if (!given.text.empty()) text += "," + given.text;
  }
  setPoints(c, std::move(points));
  c.segmentN.pop_back();  // the last point starts none
  // A ditch that lost its bed to the rounding, or one n over all of it: then one n, as --n, or none for a jump.
  const bool divided = std::adjacent_find(c.segmentN.begin(), c.segmentN.end(), std::not_equal_to<>()) != c.segmentN.end();
  if (!divided) {
    text.clear();
    for (const std::string& point : typedPoints) text += (text.empty() ? "" : " ") + point;
    if (withRoughness) {
      c.n = c.segmentN.front();
      d.roughness = {{"n", firstN}};
    } else {
      std::fill(c.segmentN.begin(), c.segmentN.end(), 0.0);
    }
  }
  d.section.emplace_back("points", text);
}

CaseGenerator::Drawn CaseGenerator::channel(bool withRoughness, bool plainOnly, bool surveys) {
  Drawn d;
  if (!closedOnly_ && surveys && !plainOnly && chance(0.1)) {
    d.ref.us = chance(0.3);
    d.scale = d.ref.us ? 1 / 0.3048 : 1;
    d.section.emplace_back("section", "points");
    if (d.ref.us) d.section.emplace_back("units", "us");
    d.i = decimal(logUniform(1e-5, 0.05));
    d.ref.i = d.i.value;
    survey(d, withRoughness);
    return d;
  }
  // A batch's columns name no arch or horseshoe.
  const int kind = plainOnly               ? (chance(0.8) ? 0 : 2)
                   : closedOnly_ && surveys ? (chance(0.5) ? 8 : 9)
                                            : static_cast<int>(uniform(0, 8));
  d.ref.us = !plainOnly && chance(0.3);
  d.scale = d.ref.us ? 1 / 0.3048 : 1;
  auto slope = [&] { return decimal(chance(0.5) ? 0.5 * static_cast<int>(uniform(1, 8)) : uniform(0.1, 4)); };
  Input size, m1, m2;
  Cells extra;  // an arch's H and Ra, a horseshoe's type
  // trapezoid, asymmetric trapezoid, rectangle, triangle, circle, U with and without walls' slope, parabola,
  // arch-roofed tunnel, horseshoe
  static constexpr Shape kShapes[] = {Shape::Trapezoid, Shape::Trapezoid, Shape::Trapezoid, Shape::Trapezoid, Shape::Circle,
                                      Shape::U,         Shape::U,         Shape::Parabola,  Shape::Arch,      Shape::Horseshoe};
  d.ref.shape = kShapes[kind];
  const int shape = static_cast<int>(d.ref.shape);
  d.section.emplace_back("section", kSectionName[shape]);
  if (d.ref.us) d.section.emplace_back("units", "us");
  switch (kind) {
    case 0:
    case 1:
    case 2:
    case 3:
      size = kind == 3 ? Input{"0", 0} : decimal(logUniform(0.1, 50) * d.scale);
      m1 = kind == 2 ? Input{"0", 0} : slope();
      m2 = kind == 1 || (kind == 3 && chance(0.3)) ? slope() : m1;
      break;
    case 4:
      size = decimal(logUniform(0.1, 5) * d.scale);
      break;
    case 5:
    case 6:
      size = decimal(logUniform(0.1, 3) * d.scale);
      m1 = kind == 5 ? Input{"0", 0} : slope();
      break;
    case 8: {  // H from 0.9 to 1.6 B; a semicircular roof, or a flatter one of Ra up to 2.5 B/2
      size = decimal(logUniform(0.5, 6) * d.scale);
      const Input H = decimal(size.value * uniform(0.9, 1.6));
      d.ref.H = H.value;
      extra.emplace_back("H", H.text);
      if (chance(0.5)) {
        const Input Ra = decimal(size.value / 2 * uniform(1.0, 2.5));
        if (Ra.value < size.value / 2) return channel(withRoughness, plainOnly, surveys);
        d.ref.Ra = Ra.value;
        extra.emplace_back("Ra", Ra.text);
      }
      break;
    }
    case 9:
      size = decimal(logUniform(0.5, 4) * d.scale);
      d.ref.type = chance(0.5) ? 2 : 1;
      if (d.ref.type == 2 || chance(0.5)) extra.emplace_back("type", d.ref.type == 2 ? "2" : "1");
      break;
    default:
      size = decimal(logUniform(0.1, 10) * d.scale);
  }
  d.ref.size = size.value;
  d.size = size;
  d.ref.m1 = m1.value;
  d.ref.m2 = m2.value;
  d.section.emplace_back(kSizeOption[shape], size.text);
  d.section.insert(d.section.end(), extra.begin(), extra.end());
  if (d.ref.shape == Shape::Trapezoid && m1.value == m2.value) d.section.emplace_back("m", m1.text);
  if (d.ref.shape == Shape::Trapezoid && m1.value != m2.value)
    d.section.insert(d.section.end(), {{"m1", m1.text}, {"m2", m2.text}});
  if (d.ref.shape == Shape::U && (kind == 6 || chance(0.5))) d.section.emplace_back("m", m1.text);
  d.i = decimal(logUniform(1e-5, 0.05));
  d.ref.i = d.i.value;
  const bool walls = d.ref.shape == Shape::Trapezoid || d.ref.shape == Shape::U;
  if (withRoughness && walls && !plainOnly && chance(0.3)) {
    const Input bed = decimal(logUniform(0.009, 0.06)), wall = decimal(logUniform(0.009, 0.06));
    d.ref.composite = true;
    d.ref.nBed = bed.value;
    d.ref.nWall = wall.value;
    d.roughness = {{"n-bed", bed.text}, {"n-wall", wall.text}};
  } else if (withRoughness) {
    const Input n = decimal(logUniform(0.009, 0.06));
    d.ref.n = n.value;
    d.roughness = {{"n", n.text}};
  }
  d.plain = d.ref.shape == Shape::Trapezoid && m1.value == m2.value && !d.ref.us && !d.ref.composite;
  return d;
}

CaseGenerator::Input CaseGenerator::depth(const Drawn& d) {
  const double size = d.ref.size.toDouble();
  switch (d.ref.shape) {
    case Shape::Points: {  // below the banks, whatever the typing
      const double bank = bankDepth(d.ref).toDouble();
      const Input h = decimal(bank * uniform(0.03, 0.99));
      return h.value < bank ? h : decimal(bank * 0.99, true);
    }
    case Shape::Circle:
    case Shape::Arch:
    case Shape::Horseshoe: {
      const double top = crownOf(d.ref).toDouble();
      const Input crown = d.ref.shape == Shape::Circle ? d.size : decimal(top, true);
      if (chance(0.1)) return crown;  // running full
      if (chance(0.15)) return decimal(top * (1 - std::pow(10, -uniform(2.5, 7))), true);
      // Typed with few digits, a depth near the crown may round above it: the crown then.
      const Input h = decimal(top * uniform(0.05, 0.98));
      return h.value <= top ? h : crown;
    }
    case Shape::U:
      return decimal(std::fmin(size * logUniform(0.1, 3), 10 * d.scale));
    default:
      return decimal(logUniform(0.02, 10) * d.scale);
  }
}

std::optional<CaseGenerator::Level> CaseGenerator::level(const Drawn& d, double depth) {
  const Input level = typed(lowestElevation(d.ref).toDouble() + depth, chance(0.5) ? 2 : 3);
  const Real exact = fromText(level.text) - lowestElevation(d.ref);
  if (!(sign(exact) > 0 && exact <= bankDepth(d.ref))) return std::nullopt;
  return Level{level.text, exact};
}

// Every 32nd case is drawn from a second sequence of its own, of arches
// and horseshoes only, so that the first sequence draws the cases it always
// drew (the sections before these two, and their known answers). Their
// reference is slow (its arcs' sines and cosines in 256 bits at every step of
// a root search), so they come seldom enough to keep the run about a minute.
Case CaseGenerator::next() {
  if (++drawn_ % 32 != 0) return nextOf(false);
  std::swap(random_, tunnels_);
  closedOnly_ = true;
  Case c = nextOf(true);
  closedOnly_ = false;
  std::swap(random_, tunnels_);
  return c;
}

Case CaseGenerator::nextOf(bool tunnels) {
  for (;;) {
    Case c;
    const double pick = uniform(0, 1);
    if (tunnels && ((pick >= 0.60 && pick < 0.69) || pick >= 0.95)) continue;  // batches and designs take no tunnel
    bool made = false;
    try {
      made = pick < 0.25   ? report(c)
             : pick < 0.50 ? solve(c)
             : pick < 0.60 ? table(c)
             : pick < 0.69 ? batch(c)
             : pick < 0.84 ? jump(c)
             : pick < 0.95 ? profile(c)
                           : design(c);
    } catch (const NoCriticalDepth&) {
      made = false;  // a surveyed section whose specific energy falls to its banks
    }
    if (made) return c;  // otherwise the draw had no answer: draw again
  }
}

bool CaseGenerator::report(Case& c) {
  Drawn d = channel(true);
  const Input h = depth(d);
  const bool firstEdition = d.plain && chance(0.5);
  c.command = "report";
  c.words = {"report"};
  addOptions(c.words, d.section, {firstEdition ? "section" : ""});
  addOptions(c.words, d.roughness);
  // A surveyed section's water given as its level half the time.
  const std::optional<Level> given = d.ref.shape == Shape::Points && chance(0.5) ? level(d, h.value) : std::nullopt;
  c.words.insert(c.words.end(), {given ? "--wse" : "--h", given ? given->text : h.text, "--i", d.i.text});
  c.objects = {flowObject(d.ref, uniformFlow(d.ref, given ? given->depth : asTyped(d.ref, h)))};
  if (given) c.objects[0].numbers.emplace_back("h", given->depth);
  return true;
}

bool CaseGenerator::solve(Case& c) {
  Drawn d = channel(true);
  Channel& ref = d.ref;
  const Input h = depth(d);
  enum Unknown { kQ, kDepth, kSize, kSlope, kRoughness };
  auto unknown = static_cast<Unknown>(static_cast<int>(uniform(0, 5)));
  // No composite n as the unknown. A triangle's or a full conduit's own flow
  // would put the answer on a knife edge: a width of zero, a conduit or a
  // second depth exactly as deep as the water.
  const bool full = isClosed(ref) && h.value == crownOf(ref).toDouble();
  const bool edge = sign(ref.size) == 0 || (isClosed(ref) && h.value > 0.99 * crownOf(ref).toDouble());
  // Nor the n of a section divided by its points' own n.
  const bool divided = std::adjacent_find(ref.segmentN.begin(), ref.segmentN.end(), std::not_equal_to<>()) !=
                       ref.segmentN.end();
  if ((unknown == kRoughness && (ref.composite || divided)) || (unknown == kSize && edge)) unknown = kDepth;
  if (unknown == kDepth && full) unknown = kQ;
  Input Q = decimal(uniformFlow(ref, h.value).Q.toDouble());
  const bool circleDepth = unknown == kDepth && isClosed(ref);
  if (circleDepth && chance(0.4)) {  // between the full conduit's discharge and the greatest: two depths
    const Capacity capacity = conduitCapacity(ref);
    Q = decimal(toDouble(capacity.QFull + (capacity.QMax - capacity.QFull) * uniform(0.02, 0.98)), true);
  }
  c.command = unknown == kDepth && chance(0.4)  ? "solve-depth"
              : unknown == kSize && chance(0.5) ? "solve-width"
                                                : "solve";
  const bool firstEdition = c.command != "solve" && d.plain && chance(0.5);
  c.words = {c.command};
  addOptions(c.words, d.section,
             {unknown == kSize ? kSizeOption[static_cast<int>(ref.shape)] : "", firstEdition ? "section" : ""});
  if (unknown != kRoughness) addOptions(c.words, d.roughness);
  if (unknown != kSlope) c.words.insert(c.words.end(), {"--i", d.i.text});
  if (unknown != kQ) c.words.insert(c.words.end(), {"--Q", Q.text});
  // A surveyed section's water given as its level, now and then.
  const std::optional<Level> given =
      unknown != kDepth && ref.shape == Shape::Points && chance(0.4) ? level(d, h.value) : std::nullopt;
  const Real water = given ? given->depth : asTyped(ref, h);
  if (unknown != kDepth) c.words.insert(c.words.end(), {given ? "--wse" : "--h", given ? given->text : h.text});
  auto withDepth = [&given](ExpectedObject o) {
    if (given) o.numbers.emplace_back("h", given->depth);
    return o;
  };

  switch (unknown) {
    case kQ:
      c.objects = {withDepth(flowObject(ref, uniformFlow(ref, water)))};
      return true;
    case kDepth: {
      const std::vector<Real> depths = normalDepths(ref, Q.value);
      // Several depths of an open channel are an ambiguous question, not an answer to check.
      if (!isClosed(ref) && depths.size() > 1) return false;
      for (const Real& depth : depths) {
        ExpectedObject o = flowObject(ref, uniformFlow(ref, depth));
        o.numbers.emplace_back("h", depth);
        if (circleDepth) {
          const Capacity capacity = conduitCapacity(ref);
          o.numbers.insert(o.numbers.end(),
                           {{"Qmax", capacity.QMax}, {"hmax", capacity.hMax}, {"Qfull", capacity.QFull}});
        }
        c.objects.push_back(std::move(o));
      }
      return !c.objects.empty();
    }
    case kSize: {
      const std::optional<Real> size = sizeFor(ref, h.value, Q.value);
      if (!size) return false;
      ref.size = *size;
      c.objects = {flowObject(ref, uniformFlow(ref, h.value))};
      c.objects[0].numbers.emplace_back(kSizeKey[static_cast<int>(ref.shape)], *size);
      return true;
    }
    case kSlope:
      ref.i = flowAt(ref, water, Q.value).Sf;
      break;
    case kRoughness:
      ref.n = roughnessFor(ref, water, Q.value);
      break;
  }
  c.objects = {withDepth(flowObject(ref, uniformFlow(ref, water)))};
  c.objects[0].numbers.emplace_back(unknown == kSlope ? "i" : "n", unknown == kSlope ? ref.i : ref.n);
  return true;
}

bool CaseGenerator::table(Case& c) {
  Drawn d = channel(true);
  const double top = isClosed(d.ref)                 ? crownOf(d.ref).toDouble()
                     : d.ref.shape == Shape::Points ? bankDepth(d.ref).toDouble()
                                                    : 10 * d.scale;
  // Round steps, as a rating table has them, whose depths may land on the crown.
  const double unit = std::pow(10, std::floor(std::log10(top)) - 1);
  Input step = decimal(unit * static_cast<int>(uniform(1, 10)));
  Input from = decimal(step.value * static_cast<int>(uniform(1, 8)));
  Input to = decimal(std::fmin(from.value + step.value * static_cast<int>(uniform(2, 15)), top));
  if (!(to.value > from.value)) return false;
  // A surveyed section's range given as water levels half the time, typed to the centimetre or the millimetre.
  const bool levels = d.ref.shape == Shape::Points && chance(0.5);
  if (levels) {
    const double lowest = lowestElevation(d.ref).toDouble();
    const int decimals = chance(0.5) ? 2 : 3;
    step = typed(step.value, decimals);
    from = typed(lowest + from.value, decimals);
    to = typed(lowest + to.value, decimals);
    if (!(step.value > 0)) return false;
  }
  // Each row's depth or level is the typed start plus whole typed steps,
  // exactly; their count is exact too (a quotient of short decimals that is
  // no integer is 10^-40 away from one).
  const Real first = fromText(from.text), increment = fromText(step.text);
  Real span = (fromText(to.text) - first) / increment;
  mpfr_floor(span.get(), (span + 1e-40).get());
  const long rows = std::lround(span.toDouble()) + 1;
  c.command = "table";
  c.words = {"table"};
  addOptions(c.words, d.section, {d.plain && chance(0.5) ? "section" : ""});
  addOptions(c.words, d.roughness);
  c.words.insert(c.words.end(), {"--i", d.i.text, levels ? "--wse" : "--h", from.text + ":" + to.text + ":" + step.text});
  for (long k = 0; k < rows; ++k) {
    const Real value = first + increment * static_cast<double>(k);
    ExpectedObject o;
    Flow f;
    if (levels) {
      const Real h = value - lowestElevation(d.ref);
      if (!(sign(h) > 0 && h <= bankDepth(d.ref))) return false;
      f = uniformFlow(d.ref, h);
      o.texts = {{"wse", expectedText(value.toDouble())}};
      o.numbers = {{"h", h}};
    } else {
      // A surveyed section's depth as typed, another's as its double.
      const double h = value.toDouble();
      const Real at = d.ref.shape == Shape::Points ? value : Real(h);
      if (d.ref.shape == Shape::Points ? at > bankDepth(d.ref) : h > top) return false;
      f = uniformFlow(d.ref, at);
      o.texts = {{"h", expectedText(h)}};
      if (d.ref.shape == Shape::Points) o.numbers.emplace_back("wse", lowestElevation(d.ref) + at);
    }
    o.texts.emplace_back("regime", f.full ? "full" : regimeOf(f.Fr));
    o.numbers.insert(o.numbers.end(), {{"A", f.A}, {"v", f.v}, {"Q", f.Q}});
    if (!f.full) o.numbers.emplace_back("Fr", f.Fr);
    if (f.full) o.absent = {"Fr"};
    c.objects.push_back(std::move(o));
  }
  return true;
}

bool CaseGenerator::batch(Case& c) {
  const bool firstEdition = chance(0.4);
  static const std::vector<std::string> kColumns{"section", "units", "B", "m",     "m1",     "m2", "D",
                                                 "r",       "p",     "n", "n-bed", "n-wall", "h",  "i"};
  static const std::vector<std::string> kFirstColumns{"B", "h", "m", "i", "n"};
  c.command = "batch";
  c.words = {"batch"};
  c.channels = static_cast<int>(uniform(1, 5));
  c.input = firstEdition ? "B,h,m,i,n\n" : "section,units,B,m,m1,m2,D,r,p,n,n-bed,n-wall,h,i\n";
  for (int row = 0; row < c.channels; ++row) {
    Drawn d = channel(true, firstEdition, false);
    const Input h = depth(d);
    Cells cells = d.section;
    cells.insert(cells.end(), d.roughness.begin(), d.roughness.end());
    cells.insert(cells.end(), {{"h", h.text}, {"i", d.i.text}});
    auto cell = [&cells](const std::string& key) {
      for (const auto& [name, text] : cells) {
        if (name == key) return text;
      }
      return std::string();
    };
    const std::vector<std::string>& columns = firstEdition ? kFirstColumns : kColumns;
    for (std::size_t k = 0; k < columns.size(); ++k) c.input += (k ? "," : "") + cell(columns[k]);
    c.input += "\n";
    c.objects.push_back(flowObject(d.ref, uniformFlow(d.ref, h.value), !firstEdition));
  }
  return true;
}

bool CaseGenerator::jump(Case& c) {
  Drawn d = channel(false);
  Input h1 = depth(d);
  if (isClosed(d.ref) && h1.value > 0.7 * crownOf(d.ref).toDouble()) return false;
  // Froude numbers from the weakest undular jump to a strong one.
  const double Fr1 = chance(0.3) ? uniform(1.01, 1.2) : logUniform(1.2, 12);
  const Flow f = flowAt(d.ref, h1.value, 1.0);
  const Input Q = decimal(toDouble(Fr1 / f.Fr));  // Fr grows as Q
  std::optional<Jump> j = hydraulicJump(d.ref, Q.value, asTyped(d.ref, h1));
  if (!j) return false;
  if (chance(0.4)) {  // the depth after the jump given: its supercritical sequent is found
    h1 = decimal(j->down.h.toDouble());
    j = hydraulicJump(d.ref, Q.value, asTyped(d.ref, h1));
    if (!j || !j->givenDownstream) return false;
  }
  if (d.ref.shape == Shape::Points && !(asTyped(d.ref, h1) < bankDepth(d.ref))) return false;
  c.command = "jump";
  c.words = {"jump"};
  addOptions(c.words, d.section);
  c.words.insert(c.words.end(), {"--Q", Q.text, "--h1", h1.text});
  ExpectedObject o;
  o.numbers = {{"hc", j->hc}, {"M", j->M}, {"dE", j->dE}, {"dE_E1", j->dEOverE1}, {"height", j->height}};
  for (const JumpSide* s : {&j->up, &j->down}) {
    const std::string side = s == &j->up ? "1" : "2";
    if ((s == &j->up) == j->givenDownstream) o.numbers.emplace_back("h" + side, s->h);
    const Field fields[] = {{"A", &s->A}, {"v", &s->v}, {"Fr", &s->Fr}, {"E", &s->E}};
    for (const auto& [key, value] : fields) o.numbers.emplace_back(key + side, *value);
  }
  o.texts = {{"jump_type", jumpTypeOf(j->up.Fr)}};
  c.objects = {std::move(o)};
  return true;
}

bool CaseGenerator::profile(Case& c) {
  Drawn d = channel(true);
  Channel& ref = d.ref;
  const double size = isClosed(ref) ? crownOf(ref).toDouble() : ref.size.toDouble();
  Input hr = depth(d);
  if (isClosed(ref) && hr.value > 0.9 * size) return false;
  const Input Q = decimal(uniformFlow(ref, hr.value).Q.toDouble());
  const double family = uniform(0, 1);  // mild or steep as drawn, critical, horizontal, adverse
  Input i = d.i;
  if (family < 0.08) i = decimal(criticalFlow(ref, Q.value).ic.toDouble(), true);
  if (family >= 0.7) i = family < 0.85 ? Input{"0", 0} : Input{"-" + d.i.text, -d.i.value};
  ref.i = i.value;
  // h0 above, between or below the critical and normal depths.
  const double hc = criticalDepth(ref, Q.value).toDouble();
  double hn = hc;
  if (i.value > 0) {
    const std::vector<Real> depths = normalDepths(ref, Q.value);
    if (depths.empty() || (!isClosed(ref) && depths.size() > 1)) return false;
    hn = depths.front().toDouble();
  }
  const double low = std::fmin(hc, hn), high = std::fmax(hc, hn);
  const double zone = uniform(0, 1);
  double h0 = low * uniform(0.2, 0.9);
  if (zone < 0.4) {
    h0 = isClosed(ref) ? high + (size - high) * uniform(0.1, 0.9) : high * (1 + logUniform(0.02, 1));
  }
  if (zone >= 0.4 && zone < 0.7 && high > low * 1.05) h0 = low + (high - low) * uniform(0.1, 0.9);
  const Input start = decimal(h0);
  // A control depth that rounds onto hc or hn has no profile, or one that hangs on the last digit.
  auto near = [](double a, double b) { return std::fabs(a - b) <= 1e-6 * b; };
  const bool above = ref.shape == Shape::Points && !(asTyped(ref, start) < bankDepth(ref));
  if ((isClosed(ref) && start.value >= size) || above || near(start.value, hc) || near(start.value, hn)) {
    return false;
  }
  const Profile head = profileStart(ref, Q.value, asTyped(ref, start));
  if (!head.error.empty()) return false;

  const int steps = static_cast<int>(uniform(5, 51));
  const bool direct = chance(0.5);
  Input extent;
  Profile p;
  if (direct) {
    double target = start.value * (1 + uniform(0.2, 3));
    if (head.limit) {
      const double limit = head.limit->toDouble();
      const bool pass = head.toward != Toward::Normal && chance(0.3);  // stops at hc or the crown
      target = start.value + (limit - start.value) * (pass ? uniform(1.05, 1.5) : uniform(0.1, 0.9));
    }
    if (!(target > 0)) return false;
    extent = decimal(target);
    if (head.limit && near(extent.value, head.limit->toDouble())) return false;
    p = directStep(ref, Q.value, asTyped(ref, start), asTyped(ref, extent), steps);
  } else {
    const double slope = std::fmax(std::fabs(i.value), head.points[0].flow.Sf.toDouble());
    extent = decimal(start.value / slope * logUniform(0.02, 2));
    p = standardStep(ref, Q.value, asTyped(ref, start), extent.value, steps);
  }
  if (!p.error.empty()) return false;
  c.command = "profile";
  c.words = {"profile"};
  addOptions(c.words, d.section);
  addOptions(c.words, d.roughness);
  c.words.insert(c.words.end(), {"--i=" + i.text, "--Q", Q.text, "--h0", start.text, direct ? "--to-h" : "--length",
                                 extent.text, "--steps", std::to_string(steps)});
  ExpectedObject o;
  o.numbers = {{"hc", p.hc}};
  if (p.hn) o.numbers.emplace_back("hn", *p.hn);
  if (!p.hn) o.absent = {"hn"};
  o.texts = {{"type", p.type}, {"reached_critical", p.reachedCritical ? "true" : "false"}};
  for (std::size_t k = 0; k < p.points.size(); ++k) o.points.push_back(pointObject(p.points[k], k == 0));
  c.objects = {std::move(o)};
  return true;
}

// A canal designed by GB 50288-2018 from the standard's formulas: Appendix
// E's best section h0 = 2^(1/4) [nQ/(K sqrt(i))]^(3/8), b0 = 2 (S - m) h0,
// its schemes eta = alpha^2.5 - sqrt(alpha^5 - alpha), beta = alpha K/eta^2 - m
// as printed, or the depth of a given ratio from Manning's formula, or the
// normal depth of a given width or U shape; each flow's normal depth; the
// freeboard hj/4 + 0.2 and the canal depth.
bool CaseGenerator::design(Case& c) {
  const Input Q = decimal(logUniform(0.05, 500));
  const Input n = decimal(logUniform(0.011, 0.035));
  const Input i = decimal(logUniform(1e-4, 5e-3));
  constexpr double kSlopes[] = {0, 0.5, 1, 1.5, 2, 3};
  const Input m = chance(0.8) ? decimal(kSlopes[static_cast<int>(uniform(0, 6))]) : decimal(uniform(0, 3));
  c.command = "design";
  c.words = {"design", "--Q", Q.text, "--n", n.text, "--i", i.text};
  // Table 6.3.4's smaller percentages, a flow on a boundary in the class above.
  constexpr double kFrom[] = {0, 1, 5, 20, 50, 100}, kPercent[] = {30, 25, 20, 15, 10, 5};
  double percent = 0;
  for (int k = 0; k < 6; ++k) {
    if (Q.value >= kFrom[k]) percent = kPercent[k];
  }
  if (Q.value >= 300 || chance(0.3)) {
    const Input given = decimal(uniform(0, 30));
    percent = given.value;
    c.words.insert(c.words.end(), {"--enlarge", given.text});
  }
  double ratio = 0.4;
  if (chance(0.2)) {
    const Input given = decimal(uniform(0.3, 0.8));
    ratio = given.value;
    c.words.insert(c.words.end(), {"--min-ratio", given.text});
  }
  Channel ch;
  ch.n = n.value;
  ch.i = i.value;
  const Real S = sqrt(Real(1) + Real(m.value) * m.value), K = Real(2) * S - m.value;
  Real h;
  ExpectedObject o;
  const double method = uniform(0, 1);
  if (method < 0.1) {
    const Input r = decimal(logUniform(0.2, 2));
    c.words.insert(c.words.end(), {"--section", "u", "--r", r.text, "--m", m.text});
    ch.shape = Shape::U;
    ch.size = r.value;
    ch.m1 = ch.m2 = m.value;
    h = normalDepths(ch, Q.value).front();
  } else {
    c.words.insert(c.words.end(), {"--m", m.text});
    ch.m1 = ch.m2 = m.value;
    const Real x = n.value * Real(Q.value) / (K * sqrt(Real(i.value)));
    const Real h0 = sqrt(sqrt(Real(2))) * sqrt(sqrt(sqrt(x * x * x)));  // 2^(1/4) x^(3/8)
    const Real b0 = Real(2) * (S - m.value) * h0, A0 = b0 * h0 + Real(m.value) * h0 * h0;
    o.numbers = {{"h0", h0}, {"b0", b0}, {"A0", A0}, {"v0", Real(Q.value) / A0}};
    if (method < 0.7) {
      std::vector<double> alphas{1.00, 1.01, 1.02, 1.03, 1.04};
      double alpha = 1;
      if (chance(0.7)) {
        const Input given = chance(0.5) ? decimal(alphas[static_cast<std::size_t>(uniform(0, 5))]) : decimal(uniform(1, 1.2));
        alpha = given.value;
        c.words.insert(c.words.end(), {"--alpha", given.text});
        if (std::find(alphas.begin(), alphas.end(), alpha) == alphas.end()) alphas.push_back(alpha);
      }
      for (const double a : alphas) {
        const Real A(a), a25 = A * A * sqrt(A), eta = a25 - sqrt(a25 * a25 - A);
        const Real beta = A * K / (eta * eta) - m.value, depth = eta * h0, width = beta * depth;
        const Real area = (width + Real(m.value) * depth) * depth;
        ExpectedObject scheme;
        scheme.numbers = {{"eta", eta}, {"beta", beta}, {"B", width}, {"h", depth}, {"A", area}, {"v", Real(Q.value) / area},
                          {"increase", (A - Real(1)) * Real(100)}};
        o.schemes.push_back(std::move(scheme));
        if (a == alpha) {
          h = depth;
          ch.size = width;
          o.numbers.emplace_back("beta", beta);
        }
      }
    } else if (method < 0.85) {
      const Input beta = decimal(uniform(0.3, 6));
      c.words.insert(c.words.end(), {"--beta", beta.text});
      // Q n / sqrt(i) = (beta + m)^(5/3) h^(8/3) / (beta + 2 S)^(2/3), for h.
      const Real y = n.value * Real(Q.value) / sqrt(Real(i.value));
      const Real top = beta.value + Real(2) * S, bottom = Real(beta.value) + m.value;
      const Real h83 = y * cbrt(top * top) / cbrt(bottom * bottom * bottom * bottom * bottom);  // h^(8/3)
      h = sqrt(sqrt(sqrt(h83 * h83 * h83)));
      ch.size = Real(beta.value) * h;
    } else {
      const Input width = decimal(Q.value < 20 ? uniform(0.2, 4) : uniform(3, 40));
      c.words.insert(c.words.end(), {"--B", width.text});
      ch.size = width.value;
      h = normalDepths(ch, Q.value).front();
      o.numbers.emplace_back("beta", ch.size / h);
    }
    o.numbers.emplace_back("B", ch.size);
  }
  const Flow f = flowAt(ch, h, Q.value);
  const Real Qj = Real(Q.value) * (Real(1) + Real(percent) / Real(100)), Qmin = Real(Q.value) * ratio;
  const Flow enlarged = flowAt(ch, normalDepths(ch, Qj).front(), Qj);
  const Flow least = flowAt(ch, normalDepths(ch, Qmin).front(), Qmin);
  const Real Fb = enlarged.h / Real(4) + Real(1) / Real(5);
  const std::pair<const char*, Real> results[] = {
      {"h", f.h},    {"A", f.A},          {"P", f.P},           {"R", f.R},           {"v", f.v},
      {"Fr", f.Fr},  {"Qj", Qj},          {"Qmin", Qmin},       {"hj", enlarged.h},   {"vj", enlarged.v},
      {"Frj", enlarged.Fr}, {"hmin", least.h}, {"vmin", least.v}, {"Frmin", least.Fr}, {"Fb", Fb},
      {"H", enlarged.h + Fb}};
  for (const auto& [key, value] : results) o.numbers.emplace_back(key, value);
  c.objects = {std::move(o)};
  return true;
}

}  // namespace channelflow::reference
