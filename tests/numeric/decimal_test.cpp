// Numbers kept as typed: read exactly, differenced and stepped exactly, where
// the doubles nearest to them are off in the last digits.
#include "numeric/text/decimal.h"

#include <gtest/gtest.h>

#include <string>

namespace channelflow::numeric {
namespace {

Decimal typed(std::string_view text) {
  const ReadDecimal read = readStrictDecimal(text);
  EXPECT_EQ(read.status, ReadStatus::Ok) << text;
  return read.value;
}

// Within 2^-100 of the exact value `expected` (0 exactly when it is 0).
void expectNear(const Real& got, std::string_view expected) {
  const Real want = typed(expected).toReal();
  EXPECT_EQ(got.toDouble(), want.toDouble()) << expected;
  EXPECT_LE(abs(got - want).toDouble(), 0x1p-100 * abs(want).toDouble()) << expected;
}

TEST(Decimal, ReadsTheTextAsTyped) {
  struct Row {
    std::string_view text;
    bool decimal;
    std::int64_t significand;
    int exponent;
  };
  const Row rows[] = {
      {"102.6", true, 1026, -1},
      {" 2624.610 ", true, 262461, -2},
      {"-0.0050", true, -5, -3},
      {"1e3", true, 1, 3},
      {"0.000", true, 0, 0},
      {"999999999999999999", true, 999999999999999999, 0},     // 18 digits
      {"1234567890.12345678", true, 123456789012345678, -8},   // 18 digits
      {"1234567890.123456789", false, 0, 0},                   // 19: its double
      {"1e-23", false, 0, 0},
      {"1.5e22", true, 15, 21},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    const ReadDecimal read = readStrictDecimal(row.text);
    ASSERT_EQ(read.status, ReadStatus::Ok);
    EXPECT_EQ(read.value.toDouble(), readStrictNumber(row.text).value);
    EXPECT_EQ(read.value.isDecimal(), row.decimal);
    if (row.decimal) {
      EXPECT_EQ(read.value.significand(), row.significand);
      EXPECT_EQ(read.value.exponent(), row.exponent);
    }
  }
  EXPECT_EQ(readStrictDecimal("1e400").status, ReadStatus::TooLarge);
  EXPECT_EQ(readStrictDecimal("1.2.3").status, ReadStatus::NotANumber);
}

TEST(Decimal, DifferencesAreThoseOfTheTypedNumbers) {
  struct Row {
    std::string_view a, b, difference;
  };
  const Row rows[] = {
      {"102.6", "100", "2.6"},  // the doubles: 2.5999999999999943
      {"2624.610", "2623.119", "1.491"},
      {"0.3", "0.1", "0.2"},
      {"123456789.123", "123456789.122", "0.001"},
      {"100.7", "100.7", "0"},
      {"-3.25", "1e2", "-103.25"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.a) + " - " + std::string(row.b));
    const Real got = difference(typed(row.a), typed(row.b));
    expectNear(got, row.difference);
    EXPECT_EQ(compare(typed(row.a), typed(row.b)), got.sign());
  }
  // Places too far apart to align, and a text of 19 digits: the Reals' difference.
  EXPECT_EQ(difference(typed("1e20"), typed("1")), Real(1e20) - Real(1));
  EXPECT_EQ(difference(typed("1234567890.123456789"), typed("1234567890")), Real(1234567890.123456789) - Real(1234567890));
  // Decimals a double cannot tell apart still compare.
  EXPECT_EQ(compare(typed("0.1"), typed("0.10000000000000001")), -1);
  EXPECT_EQ(compare(Decimal(0.5), typed("0.5")), 0);
}

TEST(Decimal, StepsAreCountedAndTakenExactly) {
  struct Row {
    std::string_view from, to, step;
    std::int64_t steps;
    std::string_view last;  // from + steps x step
  };
  const Row rows[] = {
      {"100.7", "101.3", "0.3", 2, "101.3"},  // the doubles: 101.30000000000001
      {"0.1", "0.3", "0.1", 2, "0.3"},        // the doubles: 0.30000000000000004 and 1.9999999999999998 steps
      {"0", "1", "0.3", 3, "0.9"},
      {"2623.5", "2624", "0.1", 5, "2624"},
      {"-1", "1e3", "0.001", 1001000, "1000"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.from);
    const Decimal from = typed(row.from), step = typed(row.step);
    EXPECT_EQ(wholeSteps(from, typed(row.to), step), row.steps);
    const Decimal last = from.advanced(step, row.steps);
    EXPECT_TRUE(last.isDecimal());
    EXPECT_EQ(compare(last, typed(row.last)), 0);
    EXPECT_EQ(last.toDouble(), typed(row.last).toDouble());
  }
  // Beyond what 63 bits align: no exact count, and a step from the Reals.
  EXPECT_EQ(wholeSteps(typed("0"), typed("1e20"), typed("1e-5")), std::nullopt);
  EXPECT_EQ(Decimal(0.5).advanced(Decimal(0.25), 2).toDouble(), 1.0);
}

}  // namespace
}  // namespace channelflow::numeric
