#include "calc/structures/check.h"

namespace channelflow::calc::structures {

const char* verdictTerm(Verdict verdict) {
  switch (verdict) {
    case Verdict::Pass: return "pass";
    case Verdict::Fail: return "fail";
    case Verdict::NotApplicable: return "not-applicable";
  }
  return "";
}

Check atLeast(std::string_view rule, std::string_view clause, Compared value, Compared limit) {
  const Verdict verdict = value.value >= limit.value ? Verdict::Pass : Verdict::Fail;
  return {rule, clause, verdict, {value, limit}};
}

Check atMost(std::string_view rule, std::string_view clause, Compared value, Compared limit) {
  const Verdict verdict = value.value <= limit.value ? Verdict::Pass : Verdict::Fail;
  return {rule, clause, verdict, {value, limit}};
}

Check within(std::string_view rule, std::string_view clause, Compared value, Compared low, Compared high) {
  const bool inside = value.value >= low.value && value.value <= high.value;
  return {rule, clause, inside ? Verdict::Pass : Verdict::Fail, {value, low, high}};
}

Check notApplicable(std::string_view rule, std::string_view clause, std::vector<Compared> numbers) {
  return {rule, clause, Verdict::NotApplicable, std::move(numbers)};
}

const Check* findCheck(const std::vector<Check>& checks, std::string_view rule) {
  for (const Check& check : checks) {
    if (check.rule == rule) return &check;
  }
  return nullptr;
}

}  // namespace channelflow::calc::structures
