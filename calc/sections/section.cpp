#include "calc/section.h"

#include <cmath>
#include <limits>

#include "calc/flow_error.h"

namespace channelflow::sections {

namespace {

template <typename... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
// Spelled out for compilers without aggregate deduction (clang 14 builds the fuzzers).
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

void requireRepresentable(double value, const char* message) {
  // Subnormal numbers have lost digits: they count as out of range too.
  require(std::isfinite(value) && value >= std::numeric_limits<double>::min(), message);
}

}  // namespace

void validate(const Section& s) {
  std::visit([](const auto& shape) { validate(shape); }, s);
}

Geometry geometryUnchecked(const Section& s, double h) {
  return std::visit([h](const auto& shape) { return geometry(shape, h); }, s);
}

double fullDepth(const Section& s) {
  if (const auto* circle = std::get_if<Circle>(&s)) return circle->D;
  return std::numeric_limits<double>::infinity();
}

Geometry geometryAt(const Section& s, double h) {
  validate(s);
  require(std::isfinite(h), "水深 h 必须是有限的数");
  require(h > 0, "水深 h 必须大于零");
  require(h <= fullDepth(s), "水深 h 不能超过管径 D");
  const Geometry g = geometryUnchecked(s, h);
  requireRepresentable(g.A, "过水面积 A 超出数值范围");
  requireRepresentable(g.P, "湿周 P 超出数值范围");
  requireRepresentable(g.R, "水力半径 R 超出数值范围");
  if (h < fullDepth(s)) {
    requireRepresentable(g.T, "水面宽 T 超出数值范围");
    requireRepresentable(g.D, "水力深度 D 超出数值范围");
  }
  return g;
}

PerimeterParts perimeterParts(const Section& s, double h) {
  return std::visit(Overloaded{
                        [h](const Trapezoid& t) { return perimeterParts(t, h); },
                        [h](const UShape& u) { return perimeterParts(u, h); },
                        [](const Circle&) -> PerimeterParts {
                          throw FlowError("圆形断面的湿周是一个连续曲面，不分渠底与边壁：复合糙率只用于梯形和 U 形断面");
                        },
                        [](const Parabola&) -> PerimeterParts {
                          throw FlowError("抛物线形断面的湿周是一个连续曲面，不分渠底与边壁：复合糙率只用于梯形和 U 形断面");
                        },
                    },
                    s);
}

std::string_view sectionName(const Section& s) {
  return std::visit(Overloaded{
                        [](const Trapezoid&) { return std::string_view("trapezoid"); },
                        [](const Circle&) { return std::string_view("circle"); },
                        [](const UShape&) { return std::string_view("u"); },
                        [](const Parabola&) { return std::string_view("parabola"); },
                    },
                    s);
}

std::string_view widthParameterName(const Section& s) {
  return std::visit(Overloaded{
                        [](const Trapezoid&) { return std::string_view("B"); },
                        [](const Circle&) { return std::string_view("D"); },
                        [](const UShape&) { return std::string_view("r"); },
                        [](const Parabola&) { return std::string_view("p"); },
                    },
                    s);
}

double widthParameter(const Section& s) {
  return std::visit(Overloaded{
                        [](const Trapezoid& t) { return t.B; },
                        [](const Circle& c) { return c.D; },
                        [](const UShape& u) { return u.r; },
                        [](const Parabola& p) { return p.p; },
                    },
                    s);
}

Section withWidthParameter(Section s, double value) {
  std::visit(Overloaded{
                 [value](Trapezoid& t) { t.B = value; },
                 [value](Circle& c) { c.D = value; },
                 [value](UShape& u) { u.r = value; },
                 [value](Parabola& p) { p.p = value; },
             },
             s);
  return s;
}

}  // namespace channelflow::sections
