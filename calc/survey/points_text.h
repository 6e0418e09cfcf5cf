// The text of a surveyed section: points "x1,z1 x2,z2 ...", each a station
// and an elevation, and optionally a third value, the n of the segment that
// starts at it ("0,5,0.05 10,0,0.03 ..."). Points are separated by blanks,
// line breaks or semicolons; a point's values by commas, blanks allowed around
// them. What a spreadsheet's two or three columns become when pasted.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "calc/toolkit/problem.h"
#include "calc/survey/survey.h"

namespace channelflow::calc {

struct SurveyText {
  std::vector<SurveyPoint> points;
  std::vector<std::optional<double>> n;  // per point
};

// Reads and checks the points: every value a number, every n > 0, at least
// three points and at most Survey::kMaxPoints, stations not decreasing, some
// point lower than both ends, and width at the lowest point. On failure
// returns nothing and appends the problems, each naming `field` and, for one
// point, its position counted from 1; no more than the first ten bad points.
std::optional<SurveyText> readSurveyText(std::string_view text, std::string_view field, std::vector<Problem>& problems);

}  // namespace channelflow::calc
