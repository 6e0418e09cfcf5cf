#include "runtime/number_text.h"
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <charconv>
#include <string>

namespace channelflow::runtime {
namespace {

std::optional<ErrorNumber> errorOf(double (*convert)(std::string_view), std::string_view text) {
  try {
    convert(text);
  } catch (const RuntimeError& error) {
    return error.number();
  }
  return std::nullopt;
}

struct ReadRow {
  std::string_view text;
  double expected;
};

TEST(ReadLenient, TakesTheLeadingNumberAndSkipsBlanksAnywhere) {
  const ReadRow rows[] = {
      {"2", 2},          {"0.001", 0.001},   {"2.5m", 2.5},     {"1 m", 1},        {"1 5", 15},
      {"- 2", -2},       {"+3", 3},          {".5", 0.5},       {"5.", 5},         {"-.25", -0.25},
      {"1e3", 1000},     {"1E-3", 0.001},    {"1e", 1},         {"1e+", 1},        {"2e-x", 2},
      {"1 e 2", 100},    {"\t1\r\n2", 12},   {"1.2.3", 1.2},    {"", 0},           {"   ", 0},
      {"abc", 0},        {"-", 0},           {".", 0},          {"--5", 0},        {"0x10", 0},
      {"1,5", 1},        {"inf", 0},         {"nan", 0},        {"１２", 0},       {"1e-400", 0},
      {"00012.50", 12.5}, {"0.000000000000000000001e21", 1},
  };
  for (const ReadRow& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(readLenient(row.text), row.expected);
  }
}

TEST(ReadLenient, FailsOnlyBeyondTheDoubleRange) {
  EXPECT_EQ(errorOf(readLenient, "1e309"), ErrorNumber::Overflow);
  EXPECT_EQ(errorOf(readLenient, "-2e400m"), ErrorNumber::Overflow);
  EXPECT_EQ(errorOf(readLenient, "1000000000e300"), ErrorNumber::Overflow);
  EXPECT_EQ(readLenient("1.7976931348623157e308"), std::numeric_limits<double>::max());
  // A number longer than any fixed buffer still reads whole.
  EXPECT_EQ(readLenient(std::string(200, ' ') + "7" + std::string(100, '0') + "e-100"), 7.0);
}

TEST(ConvertStrict, AcceptsOnlyAPlainDecimalWithOptionalExponent) {
  const ReadRow rows[] = {
      {"0.025", 0.025}, {".025", 0.025}, {"5.", 5},       {"  0.025  ", 0.025}, {"\t-1\n", -1},
      {"+2", 2},        {"1e3", 1000},   {"2.5E-2", 0.025}, {"1e+2", 100},      {"007", 7},
      {"1e-400", 0},    {"-1e-400", -0.0},
  };
  for (const ReadRow& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(convertStrict(row.text), row.expected);
  }
  EXPECT_TRUE(std::signbit(convertStrict("-1e-400")));
}

TEST(ConvertStrict, RejectsEverythingElseAsNotANumber) {
  const std::string_view rejected[] = {
      "",     " ",      "abc",   "n=0.025", "0,025", "1 000", "0.025m", "inf", "nan",
      "0x1A", "１２",   "1e",    "1e+",     ".",     "-",     "+-1",    "--1", "1..2",
      "e5",   "1e5.5",  "- 1",   "0.02 5",  "Infinity", std::string_view("1\0", 2),
  };
  for (std::string_view text : rejected) {
    SCOPED_TRACE(text);
    EXPECT_EQ(errorOf(convertStrict, text), ErrorNumber::NotANumber);
  }
}

TEST(ConvertStrict, ReportsOverflowBeyondTheDoubleRange) {
  EXPECT_EQ(errorOf(convertStrict, "1e309"), ErrorNumber::Overflow);
  EXPECT_EQ(errorOf(convertStrict, "-18e307"), ErrorNumber::Overflow);
  EXPECT_EQ(errorOf(convertStrict, "1e99999999999999999999"), ErrorNumber::Overflow);
  EXPECT_EQ(convertStrict("0.0000001e-99999999999999999999"), 0.0);
}

// Most numbers take a short exact path instead of std::from_chars; both must
// give the same bits for every form a user might type.
TEST(ConvertStrict, AgreesWithFromCharsBitForBit) {
  std::mt19937_64 random(936);
  std::uniform_int_distribution<int> digitCount(1, 22), exponent(-30, 30), pick(0, 9);
  for (int k = 0; k < 200000; ++k) {
    std::string text;
    const int digits = digitCount(random);
    const int point = std::uniform_int_distribution<int>(-1, digits)(random);
    for (int d = 0; d < digits; ++d) {
      if (d == point) text += '.';
      text += static_cast<char>('0' + pick(random));
    }
    if (pick(random) < 4) text += "e" + std::to_string(exponent(random));
    double expected = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), expected);
    ASSERT_EQ(result.ec, std::errc()) << text;
    const double strict = convertStrict(text);
    const double lenient = readLenient(text);
    ASSERT_EQ(std::memcmp(&strict, &expected, sizeof strict), 0) << text;
    ASSERT_EQ(std::memcmp(&lenient, &expected, sizeof lenient), 0) << text;
    ASSERT_EQ(convertStrict("-" + text), -expected) << text;
  }
}

struct FormatRow {
  double value;
  std::string_view text;
};

TEST(FormatDouble, FifteenDigitsPlainOrScientific) {
  const FormatRow rows[] = {
      {0.9210227840493008, "0.921022784049301"},
      {2.7630683521479025, "2.7630683521479"},
      {0.1 + 0.2, "0.3"},
      {123456789012345.0, "123456789012345"},
      {999999999999999.4, "999999999999999"},
      {999999999999999.9, "1E+15"},  // rounding carries into the next decade
      {123456789012345.5, "123456789012346"},  // an exact tie goes to the even digit
      {123456789012344.5, "123456789012344"},
      {0.000099999999999999995, "0.0001"},
      {1e15, "1E+15"},
      {1234567890123456.0, "1.23456789012346E+15"},
      {0.00001, "0.00001"},
      {0.000012345, "0.000012345"},
      {0.000001, "1E-06"},
      {9.999999999999999e-6, "0.00001"},  // rounding lifts the exponent to -5
      {-2.5e-7, "-2.5E-07"},
      {1e100, "1E+100"},
      {-1.5e-300, "-1.5E-300"},
      {5e-324, "4.94065645841247E-324"},
      {1.7976931348623157e308, "1.79769313486232E+308"},
      {0.0, "0"},
      {-0.0, "0"},
      {1.0, "1"},
      {-1.0, "-1"},
      {100.0, "100"},
      {-0.5, "-0.5"},
      {10.25, "10.25"},
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
  };
  for (const FormatRow& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(formatDouble(row.value), row.text);
  }
}

// printf's %.15G writes the same text except that it turns to E notation one
// decade earlier, at 1E-05.
TEST(FormatDouble, AgreesWithPrintfOutsideItsOneDifferentDecade) {
  std::mt19937_64 random(15);
  std::uniform_int_distribution<std::uint64_t> bits;
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  std::uniform_int_distribution<int> decade(-12, 20);
  for (int k = 0; k < 300000; ++k) {
    std::uint64_t raw = bits(random);
    double value = 0;
    std::memcpy(&value, &raw, sizeof value);
    if (k % 3 == 0) value = unit(random) * std::pow(10.0, decade(random));
    // The range most results fall in, with its decade boundaries.
    if (k % 3 == 1) value = std::pow(10.0, unit(random) * 10 + 5) * (k % 7 == 0 ? 1 : 1 + 1e-16 * (k % 5));
    if (!std::isfinite(value)) continue;
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.15G", value);
    const std::string text = formatDouble(value);
    if (std::strstr(expected, "E-05") != nullptr) {
      EXPECT_EQ(text.find('E'), std::string::npos) << expected;
      EXPECT_EQ(convertStrict(text), convertStrict(expected)) << expected;
    } else if (std::strcmp(expected, "-0") == 0) {
      EXPECT_EQ(text, "0");
    } else {
      ASSERT_EQ(text, expected);
    }
  }
}

TEST(FormatDouble, HasNoTextForInfinityOrNaN) {
  for (double value : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                       std::numeric_limits<double>::quiet_NaN()}) {
    try {
      formatDouble(value);
      ADD_FAILURE() << "formatted " << value;
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), ErrorNumber::Overflow);
    }
  }
}

// Qt sets the C locale from the environment; a comma-decimal locale must not
// change how numbers are read or written.
TEST(Conversions, IgnoreACommaDecimalCLocale) {
  const char* chosen = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8", "German_Germany.1252", "German"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      chosen = name;
      break;
    }
  }
  if (chosen == nullptr) GTEST_SKIP() << "no comma-decimal locale is installed";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  EXPECT_EQ(readLenient("2,5"), 2);
  EXPECT_EQ(readLenient("2.5"), 2.5);
  EXPECT_EQ(convertStrict("0.025"), 0.025);
  EXPECT_EQ(errorOf(convertStrict, "0,025"), ErrorNumber::NotANumber);
  // Past 19 digits the conversion takes its long path; the point still holds.
  EXPECT_EQ(convertStrict("0.12345678901234567890123e-5"), 0.12345678901234567890123e-5);
  EXPECT_EQ(readLenient("98765432109876543210987.5"), 98765432109876543210987.5);
  EXPECT_EQ(formatDouble(0.9210227840493008), "0.921022784049301");
  EXPECT_EQ(formatDouble(-2.5e-7), "-2.5E-07");
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace channelflow::runtime
