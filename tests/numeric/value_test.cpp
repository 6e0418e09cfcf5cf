#include "numeric/value/value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>

namespace channelflow::numeric {
namespace {

class CountingText final : public TextSource {
 public:
  explicit CountingText(std::string text) : text_(std::move(text)) {}
  std::string fetchText() const override {
    ++fetches;
    return text_;
  }
  mutable int fetches = 0;

 private:
  std::string text_;
};

std::optional<ErrorNumber> errorOf(const std::function<void()>& operation) {
  try {
    operation();
  } catch (const RuntimeError& error) {
    return error.number();
  }
  return std::nullopt;
}

constexpr double kMax = std::numeric_limits<double>::max();

TEST(Value, IntegersWidenAndTextsConvertOnlyWhenUsed) {
  const CountingText n("0.025");
  const Value text = n;
  EXPECT_EQ(n.fetches, 0);
  EXPECT_EQ(divide(1.0, text).toDouble(), 40.0);
  EXPECT_EQ(n.fetches, 1);
  EXPECT_EQ(add(std::int16_t{1}, 0.5).toDouble(), 1.5);
  EXPECT_EQ(multiply(std::int16_t{-2}, 3.0).toDouble(), -6.0);
  EXPECT_EQ(multiply(std::int16_t{32767}, std::int16_t{32767}).toDouble(), 1073676289.0);
}

struct ErrorRow {
  const char* name;
  std::function<void()> operation;
  std::optional<ErrorNumber> expected;
};

TEST(Value, ArithmeticFailuresCarryTheirNumbers) {
  const CountingText letters("abc");
  const CountingText zero(" 0 ");
  const ErrorRow rows[] = {
      {"x / 0", [] { divide(1.0, 0.0); }, ErrorNumber::DivisionByZero},
      {"0 / 0", [] { divide(0.0, 0.0); }, ErrorNumber::DivisionByZero},
      {"x / -0", [] { divide(-3.0, -0.0); }, ErrorNumber::DivisionByZero},
      {"x / text 0", [&] { divide(1.0, zero); }, ErrorNumber::DivisionByZero},
      {"0 / text letters", [&] { divide(0.0, letters); }, ErrorNumber::NotANumber},
      {"sum overflow", [] { add(kMax, kMax); }, ErrorNumber::Overflow},
      {"product overflow", [] { multiply(kMax, -2.0); }, ErrorNumber::Overflow},
      {"quotient overflow", [] { divide(kMax, 0.5); }, ErrorNumber::Overflow},
      {"power overflow", [] { power(10.0, 400.0); }, ErrorNumber::Overflow},
      {"negative ^ fraction", [] { power(-1.0, 1.0 / 6.0); }, ErrorNumber::InvalidArgument},
      {"zero ^ negative", [] { power(0.0, -1.0); }, ErrorNumber::DivisionByZero},
      {"negative ^ integer", [] { power(-2.0, 3.0); }, std::nullopt},
      {"zero ^ sixth", [] { power(0.0, 1.0 / 6.0); }, std::nullopt},
      {"underflow is zero", [] { multiply(1e-300, 1e-300); }, std::nullopt},
      {"sqrt negative", [] { squareRoot(-1.0); }, ErrorNumber::InvalidArgument},
      {"checked NaN", [] { checkedResult(std::nan("")); }, ErrorNumber::Overflow},
  };
  for (const ErrorRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(errorOf(row.operation), row.expected);
  }
}

TEST(Value, DivisionConvertsTheDividendBeforeTheDivisor) {
  const CountingText left("x");
  const CountingText right("y");
  EXPECT_EQ(errorOf([&] { divide(left, right); }), ErrorNumber::NotANumber);
  EXPECT_EQ(left.fetches, 1);
  EXPECT_EQ(right.fetches, 0);
}

TEST(RuntimeError, MessageNamesNumberAndDescription) {
  const RuntimeError error(ErrorNumber::DivisionByZero);
  EXPECT_EQ(error.code(), 11);
  EXPECT_EQ(error.description(), "除数为零");
  EXPECT_EQ(error.message(), "错误 11：除数为零");
  EXPECT_EQ(RuntimeError(ErrorNumber::NotANumber).code(), 13);
  EXPECT_EQ(RuntimeError(ErrorNumber::Overflow).code(), 6);
  EXPECT_EQ(RuntimeError(ErrorNumber::InvalidArgument).code(), 5);
}

TEST(Value, TextOfAValueIsItsNumbersDefaultText) {
  const CountingText n(" 2.50 ");
  EXPECT_EQ(toText(n), "2.5");
  EXPECT_EQ(toText(std::int16_t{-7}), "-7");
  EXPECT_EQ(toText(0.9210227840493008), "0.921022784049301");
}

}  // namespace
}  // namespace channelflow::numeric
