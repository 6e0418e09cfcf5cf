// A structure's checks as data: which rule, its clause, the verdict and the
// numbers compared (the value checked first, then its limits), so that a
// report can show each comparison with its numbers in either language.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "numeric/elementary/real.h"

namespace channelflow::calc::structures {

using numeric::Real;

enum class Verdict : std::uint8_t { Pass, Fail, NotApplicable };

// The catalog's term: "pass", "fail" or "not-applicable".
const char* verdictTerm(Verdict verdict);

struct Compared {
  std::string_view symbol;  // "v", "v_min"
  Real value;
};

struct Check {
  std::string_view rule;    // what is checked: "siphon-velocity", a key the report words
  std::string_view clause;  // "10.3.2", "Table 11.2.5"
  Verdict verdict = Verdict::NotApplicable;
  std::vector<Compared> numbers;
};

// value >= limit.
Check atLeast(std::string_view rule, std::string_view clause, Compared value, Compared limit);
// value <= limit.
Check atMost(std::string_view rule, std::string_view clause, Compared value, Compared limit);
// low <= value <= high.
Check within(std::string_view rule, std::string_view clause, Compared value, Compared low, Compared high);
// A rule that does not apply, or that lacks what it needs, with what numbers there are.
Check notApplicable(std::string_view rule, std::string_view clause, std::vector<Compared> numbers = {});

// The check of this rule in the list; nullptr when there is none.
const Check* findCheck(const std::vector<Check>& checks, std::string_view rule);

}  // namespace channelflow::calc::structures
