#include "calc/click/channel_flow.h"

#include "numeric/elementary/correct_power.h"
#include "numeric/text/number_text.h"
#include "tests/support/float_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <optional>
#include <random>
#include <string>

namespace channelflow::calc {
namespace {

using numeric::ErrorNumber;
using numeric::RuntimeError;

class RecordingText final : public numeric::TextSource {
 public:
  explicit RecordingText(std::string text) : text_(std::move(text)) {}
  std::string fetchText() const override {
    fetched = true;
    return text_;
  }
  mutable bool fetched = false;

 private:
  std::string text_;
};

struct Outcome {
  std::optional<ChannelResults> results;
  std::optional<ErrorNumber> error;
  bool nFetched = false;
};

Outcome run(double B, double h, double i, double m, const std::string& n) {
  const RecordingText nText(n);
  Outcome outcome;
  try {
    outcome.results = ComputeChannelFlow(ChannelInputs{B, h, i, m, &nText});
  } catch (const RuntimeError& error) {
    outcome.error = error.number();
  }
  outcome.nFetched = nText.fetched;
  return outcome;
}

struct ExampleRow {
  const char* name;
  double B, h, i, m;
  const char* n;
  const char* vText;
  const char* qText;
};

TEST(ComputeChannelFlow, WorkedExamples) {
  const ExampleRow rows[] = {
      {"trapezoid", 2, 1, 0.001, 1, "0.025", "0.921022784049301", "2.7630683521479"},
      {"negative slope flows the same", 2, 1, -0.001, 1, "0.025", "0.921022784049301", "2.7630683521479"},
      {"rectangle", 3, 1.5, 0.0005, 0, "0.02", "0.922916723160906", "4.15312525422408"},
      {"dry bed", 2, 0, 0.001, 1, "0.025", "0", "0"},
      {"negative n is not rejected", 2, 1, 0.001, 1, "-0.025", "-0.921022784049301", "-2.7630683521479"},
  };
  for (const ExampleRow& row : rows) {
    SCOPED_TRACE(row.name);
    const Outcome outcome = run(row.B, row.h, row.i, row.m, row.n);
    ASSERT_TRUE(outcome.results.has_value());
    EXPECT_EQ(numeric::formatDouble(outcome.results->v), row.vText);
    EXPECT_EQ(numeric::formatDouble(outcome.results->Q), row.qText);
  }
}

struct FailureRow {
  const char* name;
  double B, h, i, m;
  const char* n;
  ErrorNumber expected;
  bool nFetched;
};

// The first failing step decides the error, and n is looked at only at step 6.
TEST(ComputeChannelFlow, FirstFailingStepDecidesTheError) {
  const FailureRow rows[] = {
      {"empty boxes: P = 0", 0, 0, 0, 0, "", ErrorNumber::DivisionByZero, false},
      {"P = 0 hides a bad n", 0, 0, 0.001, 1, "abc", ErrorNumber::DivisionByZero, false},
      {"negative R before bad n", -1, 1, 0.001, 0, "abc", ErrorNumber::InvalidArgument, false},
      {"empty n", 2, 1, 0.001, 1, "", ErrorNumber::NotANumber, true},
      {"letters", 2, 1, 0.001, 1, "abc", ErrorNumber::NotANumber, true},
      {"n=0.025", 2, 1, 0.001, 1, "n=0.025", ErrorNumber::NotANumber, true},
      {"comma decimal", 2, 1, 0.001, 1, "0,025", ErrorNumber::NotANumber, true},
      {"zero n", 2, 1, 0.001, 1, "0", ErrorNumber::DivisionByZero, true},
      {"huge n text", 2, 1, 0.001, 1, "1e999", ErrorNumber::Overflow, true},
      {"area overflows", 1e200, 1e200, 0.001, 1, "0.025", ErrorNumber::Overflow, false},
      {"Q overflows on plain doubles", 1e300, 1, 1e300, 0, "1", ErrorNumber::Overflow, true},
  };
  for (const FailureRow& row : rows) {
    SCOPED_TRACE(row.name);
    const Outcome outcome = run(row.B, row.h, row.i, row.m, row.n);
    EXPECT_FALSE(outcome.results.has_value());
    EXPECT_EQ(outcome.error, row.expected);
    EXPECT_EQ(outcome.nFetched, row.nFetched);
  }
}

// The same formula on plain doubles, in the same order of operations.
ChannelResults plainFormula(double B, double h, double i, double m, double n) {
  const double A = (B + m * h) * h;
  const double s = std::sqrt(1 + m * m);
  const double P = B + (2 * h) * s;
  const double R = A / P;
  const double C = numeric::correctlyRoundedPower(R, 1.0 / 6.0) / n;  // the C library's pow misrounds some R
  const double v = C * std::sqrt(std::fabs(R * i));
  return {v, v * A};
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(ComputeChannelFlow, MatchesThePlainFormulaBitForBit) {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> width(0.0, 200.0), depth(0.0, 30.0), slope(0.0, 5.0),
      bed(-0.05, 0.05), roughness(0.005, 0.1);
  for (int k = 0; k < 20000; ++k) {
    const double B = width(random) + 0.01, h = depth(random), m = slope(random), i = bed(random);
    const double n = roughness(random);
    const std::string nText = channelflow::testing::roundTripText(n);  // reads back as exactly n
    const Outcome outcome = run(B, h, i, m, nText);
    ASSERT_TRUE(outcome.results.has_value()) << B << ' ' << h << ' ' << m << ' ' << i << ' ' << nText;
    const ChannelResults expected = plainFormula(B, h, i, m, n);
    ASSERT_TRUE(sameBits(outcome.results->v, expected.v)) << k;
    ASSERT_TRUE(sameBits(outcome.results->Q, expected.Q)) << k;
    for (double result : {outcome.results->v, outcome.results->Q}) {
      const std::string text = numeric::formatDouble(result);
      ASSERT_EQ(text.find_first_of("abcdfghijklmnopqrstuvwxyz"), std::string::npos) << text;
    }
  }
}

}  // namespace
}  // namespace channelflow::calc
