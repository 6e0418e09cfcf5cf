#include "numeric/value/conversions.h"
#include "numeric/value/runtime_error.h"
#include "tests/support/float_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <utility>

namespace channelflow::numeric {
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

// Exact decimal values of doubles and of the points halfway between them:
// texts of hundreds of digits where reading must round exactly.
constexpr std::string_view kHalfSmallestSubnormal =  // 2^-1075, an exact tie between 0 and 2^-1074
    "2.4703282292062327208828439643411068618252990130716238221279284125033775363510437593264991818081"
    "799618989828234772285886546332835517796989819938739800539093906315035659515570226392290858392449"
    "105184435931802849936536152500319370457678249219365623669863658480757001585769269903706311928279"
    "558551332927834338409351978015531246597263579574622766465272827220056374006485499977096599470454"
    "020828166226237857393450736339007967761930577506740176324673600968951340535537458516661134223766"
    "678604162159680461914467291840300530057530849048765391711386591646239524912623653881879636239373"
    "280423891018672348497668235089863388587925628302755995657524455507255189313690836254779186948667"
    "994968324049705821028513185451396213837722826145437693412532098591327667236328125e-324";
constexpr std::string_view kSubnormalNormalTie =  // (2^53 - 1) x 2^-1075, between the largest subnormal and 2^-1022
    "2.2250738585072011360574097967091319759348195463516456480234261097248222220210769455165295239081"
    "350879141491589130396211068700864386945946455276572074078206217433799881410632673292535522868813"
    "721490129811224514518898490572223072852551331557550159143974763979834118019993239625482890171070"
    "818506906306666559949382757725720157630626906633326475653000092458883164330377797918696120494973"
    "903778297049050510806099407302629371289589500035837999672072543043602840788957717961509455167482"
    "434710307026091446215722898802581825451803257070188608721131280795122334262883686223215037756666"
    "225039825343359745688844239002654981983854879482922068947216898310996983658468140228542433306603"
    "398508864458040010349339704275671864433837704860378616227717385456230658746790140867233276367187"
    "5e-308";
constexpr std::string_view kTopTie =  // 2^1024 - 2^970, halfway from the largest double to 2^1024
    "179769313486231580793728971405303415079934132710037826936173778980444968292764750946649017977587"
    "207096330286416692887910946555547851940402630657488671505820681908902000708383676273854845817711"
    "531764475730270069855571366959622842914819860834936475292719074168444365510704342711559699508093"
    "042880177904174497792";

// The text with `tail` put just before its "e" (or at its end).
std::string withTail(std::string_view text, std::string_view tail) {
  std::string result(text);
  const std::size_t e = result.find('e');
  result.insert(e == std::string::npos ? result.size() : e, tail);
  return result;
}

// The last digit of an integer text lowered by one (no borrow needed).
std::string lessOne(std::string_view text) {
  std::string result(text);
  --result.back();
  return result;
}

std::uint64_t bitsOf(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

double fromBits(std::uint64_t bits) {
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

struct ExactReadRow {
  const char* name;
  std::string text;
  std::uint64_t bits;
};

// Short texts that a product or quotient rounded twice (on the x87, at 64
// bits and then at 53) reads one unit off.
TEST(ConvertStrict, ShortTextsRoundOnce) {
  const std::pair<std::string_view, std::uint64_t> rows[] = {
      {"0.011227", 0x3F86FE2E6EA85447},    {"0.023859", 0x3F986E7E62DC6E2B},     {"0.718972", 0x3FE701D19157ABB9},
      {"3.42665902", 0x400B69CC344B8C1B},  {"89272294e17", 0x451D89A84D4CAE11},  {"892.72294e22", 0x451D89A84D4CAE11},
  };
  for (const auto& [text, bits] : rows) {
    SCOPED_TRACE(text);
    EXPECT_EQ(bitsOf(convertStrict(text)), bits);
    EXPECT_EQ(bitsOf(readLenient(text)), bits);
  }
}

// Most numbers take a short exact path instead of the slower exact one; both
// must give the bits of std::from_chars for every form a user might type.
TEST(ConvertStrict, AgreesWithFromCharsBitForBit) {
#if defined(__i386__)
  // The 32-bit standard library was built for the x87 and reads some of
  // these texts (89272294e17) one unit off; the tables above hold here.
  GTEST_SKIP() << "std::from_chars rounds twice on this build";
#endif
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
    ASSERT_TRUE(channelflow::testing::readDecimal(text, expected)) << text;
    const double strict = convertStrict(text);
    const double lenient = readLenient(text);
    ASSERT_EQ(std::memcmp(&strict, &expected, sizeof strict), 0) << text;
    ASSERT_EQ(std::memcmp(&lenient, &expected, sizeof lenient), 0) << text;
    ASSERT_EQ(convertStrict("-" + text), -expected) << text;
  }
}

TEST(Conversions, ReadLongTextsSubnormalsAndTiesExactly) {
  const ExactReadRow rows[] = {
      {"2^-1075 ties to zero", std::string(kHalfSmallestSubnormal), 0x0000000000000000},
      {"a 1 after 1000 more zeros lifts that tie", withTail(kHalfSmallestSubnormal, std::string(1000, '0') + "1"),
       0x0000000000000001},
      {"the subnormal-normal tie goes to the even 2^-1022", std::string(kSubnormalNormalTie), 0x0010000000000000},
      {"without its last 5 it reads as the largest subnormal", withTail(kSubnormalNormalTie.substr(0, 768), "e-308"),
       0x000FFFFFFFFFFFFF},
      {"largest subnormal, short", "2.2250738585072011e-308", 0x000FFFFFFFFFFFFF},
      {"smallest normal, short", "2.2250738585072012e-308", 0x0010000000000000},
      {"smallest subnormal", "4.9406564584124654e-324", 0x0000000000000001},
      {"2^53 + 1 ties down to even", "9007199254740993", 0x4340000000000000},
      {"2^53 + 3 ties up to even", "9007199254740995", 0x4340000000000002},
      {"just above the 2^53 + 1 tie", "9007199254740993." + std::string(300, '0') + "1", 0x4340000000000001},
      {"1 + 2^-53 ties to 1", "1.00000000000000011102230246251565404236316680908203125", 0x3FF0000000000000},
      {"a digit more lifts it", "1.000000000000000111022302462515654042363166809082031250001", 0x3FF0000000000001},
      {"just below the top tie is the largest double", lessOne(kTopTie), 0x7FEFFFFFFFFFFFFF},
      {"one in 401 digits", "0." + std::string(399, '0') + "1e400", 0x3FF0000000000000},
      {"ten in 201 digits", "1" + std::string(200, '0') + "e-199", 0x4024000000000000},
      {"0.1 with 300 zeros more", "0.1" + std::string(300, '0'), 0x3FB999999999999A},
  };
  for (const ExactReadRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(bitsOf(convertStrict(row.text)), row.bits);
    EXPECT_EQ(bitsOf(readLenient(row.text)), row.bits);
    EXPECT_EQ(bitsOf(convertStrict("-" + row.text)), row.bits | 0x8000000000000000);
  }
  EXPECT_EQ(errorOf(convertStrict, kTopTie), ErrorNumber::Overflow);  // the tie rounds to 2^1024
  EXPECT_EQ(errorOf(readLenient, std::string("-") + std::string(kTopTie)), ErrorNumber::Overflow);
}

// Every double written with 17 to 40 significant digits reads back as
// itself, over the whole range, subnormals included.
TEST(Conversions, EveryDoubleReadsBackFromItsLongForm) {
  std::mt19937_64 random(1075);
  std::uniform_int_distribution<std::uint64_t> bits(0, 0x7FEFFFFFFFFFFFFF);
  std::uniform_int_distribution<int> precision(16, 39);
  for (int k = 0; k < 40000; ++k) {
    const std::uint64_t raw = k % 4 == 0 ? bits(random) >> 11 : bits(random);  // a quarter subnormal or tiny
    const std::string written = channelflow::testing::scientificText(fromBits(raw), precision(random));
    ASSERT_EQ(bitsOf(convertStrict(written)), raw) << written;
  }
}

struct ExactFormatRow {
  std::uint64_t bits;
  std::string_view text;
};

// Outside 1E-05 .. 1E+15 the 15 digits come from the slower exact path; the
// ties below are exact in binary, so only ties-to-even decides them.
TEST(FormatDouble, RoundsTiesAndSubnormalsOutsideTheShortRangeExactly) {
  const ExactFormatRow rows[] = {
      {0x3E90000000000000, "2.38418579101562E-07"},   // 2^-22 = 2.384185791015625E-07 ties down
      {0x3EA8000000000000, "7.15255737304688E-07"},   // 3 x 2^-22 = 7.152557373046875E-07 ties up
      {0x430C6BF526340028, "1E+15"},                  // 1000000000000005 ties down
      {0x430C6BF526340078, "1.00000000000002E+15"},   // 1000000000000015 ties up
      {0x430C6BF5263400C8, "1.00000000000002E+15"},   // 1000000000000025 ties down
      {0x44B52D02C7E14AF6, "1E+23"},                  // 99999999999999991611392
      {0x000FFFFFFFFFFFFF, "2.2250738585072E-308"},   // largest subnormal
      {0x000C000000000000, "1.6688053938804E-308"},   // 1.66880539388040104E-308
      {0x0000000000000001, "4.94065645841247E-324"},  // smallest subnormal
      {0x7FEFFFFFFFFFFFFF, "1.79769313486232E+308"},
  };
  for (const ExactFormatRow& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(formatDouble(fromBits(row.bits)), row.text);
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
      textOf(value);
      ADD_FAILURE() << "formatted " << value;
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), ErrorNumber::Overflow);
    }
  }
}

// Qt sets the C locale from the environment; a comma-decimal locale must not
// change how numbers are read or written.
TEST(Conversions, IgnoreACommaDecimalCLocale) {
  // A C library may accept a locale's name without its decimal comma (musl does).
  const char* chosen = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8", "German_Germany.1252", "German"}) {
    if (std::setlocale(LC_ALL, name) != nullptr && std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
      chosen = name;
      break;
    }
  }
  if (chosen == nullptr) {
    std::setlocale(LC_ALL, "C");
    GTEST_SKIP() << "no comma-decimal locale is installed";
  }
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
}  // namespace channelflow::numeric
