#include "calc/design/canal_grade.h"

#include <array>

namespace channelflow::calc::design {
namespace {

// Largest flows first: Q ≥ 300 is grade 1, 100 ≤ Q < 300 grade 2, ...
constexpr std::array<GradeRow, 5> kGrades{{{300, 1}, {100, 2}, {20, 3}, {5, 4}, {0, 5}}};

}  // namespace

std::span<const GradeRow> canalGrades() { return kGrades; }

int canalGrade(double Q) {
  for (const GradeRow& row : kGrades) {
    if (Q >= row.fromQ) return row.grade;
  }
  return kGrades.back().grade;
}

}  // namespace channelflow::calc::design
