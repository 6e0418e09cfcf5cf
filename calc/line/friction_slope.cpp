#include "calc/line/friction_slope.h"

#include <array>

namespace channelflow::calc {
namespace {

struct RuleName {
  FrictionRule rule;
  std::string_view key;
};

// clang-format off
constexpr std::array<RuleName, 6> kRules{{
  {FrictionRule::AverageConveyance,       "average-conveyance"},
  {FrictionRule::MeanSlope,               "mean-slope"},
  {FrictionRule::GeometricMean,           "geometric-mean"},
  {FrictionRule::HarmonicMean,            "harmonic-mean"},
  {FrictionRule::MeanVelocityRadius,      "mean-v-r"},
  {FrictionRule::MeanVelocityChezyRadius, "mean-v-c-r"},
}};
// clang-format on

constexpr bool rulesInOrder() {
  for (std::size_t k = 0; k < kRules.size(); ++k) {
    if (static_cast<std::size_t>(kRules[k].rule) != k) return false;
  }
  return true;
}
static_assert(rulesInOrder(), "kRules must list every FrictionRule once, in order");

}  // namespace

std::string_view frictionRuleKey(FrictionRule rule) { return kRules[static_cast<std::size_t>(rule)].key; }

std::optional<FrictionRule> frictionRuleNamed(std::string_view key) {
  for (const RuleName& row : kRules) {
    if (row.key == key) return row.rule;
  }
  return std::nullopt;
}

std::string_view frictionRuleChoices() {
  return "average-conveyance|mean-slope|geometric-mean|harmonic-mean|mean-v-r|mean-v-c-r";
}

}  // namespace channelflow::calc
