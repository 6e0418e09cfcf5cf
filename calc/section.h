// Channel cross-sections: for a depth h, the exact closed forms of the flow
// area A, wetted perimeter P, hydraulic radius R = A/P, top width T (= dA/dh),
// hydraulic depth D = A/T and the first moment of the area about the water
// surface (A times the centroid's depth, used by the momentum function).
// Lengths are in whatever unit the caller uses (m or ft), consistently.
#pragma once

#include <string_view>
#include <variant>

namespace channelflow::sections {

// Bottom width B and the side slopes of the left and right walls (horizontal
// run per unit rise). A rectangle has m1 = m2 = 0, a triangle B = 0.
struct Trapezoid {
  double B = 0;
  double m1 = 0;
  double m2 = 0;
};

// A circular conduit of diameter D running part full or full (h <= D).
struct Circle {
  double D = 0;
};

// The U-shaped canal: a circular bottom of radius r whose straight walls are
// tangent to it, each leaning outward with side slope m. With m = 0 the
// bottom is a full semicircle and the walls are vertical; a wall leaning
// outward meets the circle lower, where the circle's tangent has its slope.
struct UShape {
  double r = 0;
  double m = 0;
};

// A parabolic channel x^2 = 2 p y, its vertex at the bed.
struct Parabola {
  double p = 0;
};

using Section = std::variant<Trapezoid, Circle, UShape, Parabola>;

struct Geometry {
  double A = 0;       // flow area
  double P = 0;       // wetted perimeter
  double R = 0;       // hydraulic radius A/P
  double T = 0;       // top width, dA/dh; 0 for a circle running full
  double D = 0;       // hydraulic depth A/T; +infinity for a circle running full
  double moment = 0;  // first moment of A about the surface: A times the centroid's depth
};

// The parts of the wetted perimeter that composite roughness weighs apart.
struct PerimeterParts {
  double bed = 0;
  double walls = 0;
};

// The closed forms of each shape, for 0 < h <= its full depth. They do not
// check their arguments, and give infinities or zeros where a quantity
// leaves the range of a double: geometryAt() checks.
Geometry geometry(const Trapezoid& s, double h);
Geometry geometry(const Circle& s, double h);
Geometry geometry(const UShape& s, double h);
Geometry geometry(const Parabola& s, double h);

// Bed and walls of the two shapes that have them apart.
PerimeterParts perimeterParts(const Trapezoid& s, double h);
PerimeterParts perimeterParts(const UShape& s, double h);

// Throws FlowError naming the parameter that describes no channel.
void validate(const Trapezoid& s);
void validate(const Circle& s);
void validate(const UShape& s);
void validate(const Parabola& s);
void validate(const Section& s);

// Geometry at depth h, checked: throws FlowError when the section is not
// valid, h is not in (0, fullDepth], or a quantity leaves the double range.
Geometry geometryAt(const Section& s, double h);

// The unchecked closed forms, for solvers that test many depths.
Geometry geometryUnchecked(const Section& s, double h);

// The depth of a closed section running full (the circle's D); +infinity for
// the open ones.
double fullDepth(const Section& s);

// Bed and walls of the wetted perimeter at depth h: the trapezoid's bottom
// and side walls, the U shape's circular bottom and straight walls. Throws
// FlowError for the circle and the parabola, whose perimeter is one surface.
PerimeterParts perimeterParts(const Section& s, double h);

// "trapezoid", "circle", "u" or "parabola".
std::string_view sectionName(const Section& s);

// The parameter that sets the section's size: B, D, r or p, its name and a
// copy of the section with it changed.
std::string_view widthParameterName(const Section& s);
double widthParameter(const Section& s);
Section withWidthParameter(Section s, double value);

}  // namespace channelflow::sections
