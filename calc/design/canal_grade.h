// Table 3.1.5 of GB 50288-2018 (渠道与排水沟道级别), irrigation row: a
// canal's grade (1 the most important, 5 the least) by its design flow. The
// freeboard formula of §6.4.8 holds for grades 4 and 5 only.
#pragma once

#include <span>

namespace channelflow::calc::design {

struct GradeRow {
  double fromQ;  // m³/s, inclusive: the class runs up to the next row's fromQ
  int grade;
};

std::span<const GradeRow> canalGrades();

// The grade of an irrigation canal carrying design flow Q > 0.
int canalGrade(double Q);

}  // namespace channelflow::calc::design
