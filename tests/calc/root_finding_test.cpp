// The root finder ends on every function that changes sign once: smooth
// ones to 2 ulp in a few steps, and steps or jumps at the bracket they close.
#include "calc/root_finding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace channelflow::sections {
namespace {

TEST(RootFinding, EndsOnEveryFunctionWithinTwoUlp) {
  struct Row {
    const char* name;
    double root;
    double (*f)(double x, double root);
  };
  const Row rows[] = {
      {"power law", 3.2864, [](double x, double r) { return std::pow(x / r, 8.0 / 3.0) - 1; }},
      {"tiny root", 1e-300, [](double x, double r) { return std::log(x / r); }},
      {"huge root", 1e300, [](double x, double r) { return x / r - 1; }},
      // Only its sign: bisection alone must close the bracket.
      {"sign only", 0.7, [](double x, double r) { return x < r ? -1.0 : 1.0; }},
      // A jump from -1 straight to infinity, like an area leaving the range.
      {"jump", 2.5, [](double x, double r) { return x < r ? -1.0 : HUGE_VAL; }},
      {"flat then steep", 5.0, [](double x, double r) { return std::expm1(40 * (x - r)); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    int calls = 0;
    auto f = [&calls, &row](double x) {
      ++calls;
      return row.f(x, row.root);
    };
    const double x = findRootFrom(f, 0, HUGE_VAL, 1.0, "无解");
    EXPECT_NEAR(x, row.root, 2.5 * (std::nextafter(row.root, HUGE_VAL) - row.root));
    EXPECT_LT(calls, 200);
  }
}

TEST(RootFinding, ReportsARangeWithoutARoot) {
  EXPECT_THROW(findRootFrom([](double) { return -1.0; }, 0, HUGE_VAL, 1.0, "无解"), FlowError);
  EXPECT_THROW(findRootFrom([](double) { return 1.0; }, 0, 10, 1.0, "无解"), FlowError);
  EXPECT_THROW(findRoot([](double) { return NAN; }, {0, 1}, -1, 1, 0.5), FlowError);
}

}  // namespace
}  // namespace channelflow::sections
