// The significant-digit and fixed-decimal text forms at their boundaries:
// ties, carries into the next decade, subnormals, the ends of the range and of
// each path (2^53, 2^64), and the arguments outside their ranges.
#include "numeric/text/number_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <string_view>

namespace channelflow::numeric {
namespace {

struct Row {
  double value;
  int count;  // significant digits or decimal places
  std::string_view text;
};

TEST(FormatSignificant, RoundsTiesToEvenAndCarriesIntoTheNextDecade) {
  const Row rows[] = {
      {999999999999999.5, 15, "1E+15"},                    // a tie carried up to the even 10^15
      {999999999999998.5, 15, "999999999999998"},
      {9.999999999999998e+100, 16, "9.999999999999998E+100"},
      {1e+101, 16, "1E+101"},                              // 9.99999999999999977E+100
      {9.999999999999999e+300, 17, "9.9999999999999993E+300"},
      {9.999999999999999e-300, 16, "9.999999999999999E-300"},
      {99999999999999.95, 16, "99999999999999.95"},
      {9.9996e-06, 4, "0.00001"},                          // the carry makes it plain
      {1.2345e-05, 3, "0.0000123"},
      {123456789012345.62, 17, "123456789012345.62"},      // ...625 ties down
      {2.5, 1, "2"},
      {3.5, 1, "4"},
      {-0.125, 2, "-0.12"},
      {1250.0, 2, "1200"},                                 // whole ties, settled in integers
      {1350.0, 2, "1400"},
      {2.5e+20, 1, "2E+20"},                               // beyond 2^64: the exact decimal path
      {0.1, 17, "0.10000000000000001"},
      {0.1, 1, "0.1"},
      {1000000000000000.0, 17, "1E+15"},
      {1.2345678901234568e+17, 17, "1.2345678901234568E+17"},
      {5e-324, 1, "5E-324"},
      {5e-324, 17, "4.9406564584124654E-324"},
      {2.225073858507201e-308, 17, "2.2250738585072009E-308"},  // largest subnormal
      {2.2250738585072014e-308, 17, "2.2250738585072014E-308"},
      {1.7976931348623157e+308, 17, "1.7976931348623157E+308"},
      {1.7976931348623157e+308, 1, "2E+308"},
      {0.0, 17, "0"},
      {-0.0, 3, "0"},
      {2.7630683521479025, 0, "3"},                         // counts outside 1..17 take the nearer end
      {2.7630683521479025, 40, "2.7630683521479025"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(formatSignificant(row.value, row.count), row.text);
  }
}

TEST(FormatFixed, RoundsTiesAwayFromZeroAndNeverShowsMinusZero) {
  const Row rows[] = {
      {2.5, 0, "3"},
      {-2.5, 0, "-3"},
      {0.125, 2, "0.13"},
      {-0.125, 2, "-0.13"},
      {0.5, 0, "1"},
      {0.49999999999999994, 0, "0"},
      {1000000000000000.125, 2, "1000000000000000.13"},
      {4503599627370495.5, 0, "4503599627370496"},          // the last tie below 2^52
      {2.675, 2, "2.67"},                                   // 2.67499999999999982236431605997495353221893310546875
      {1.005, 2, "1.00"},
      {9.9995, 3, "9.999"},
      {9.9996, 3, "10.000"},                                // the carry reaches the whole part
      {-0.0004, 3, "0.000"},
      {-0.0005, 3, "-0.001"},
      {-0.0, 2, "0.00"},
      {-1e-05, 15, "-0.000010000000000"},
      {0.1, 15, "0.100000000000000"},
      {0.3, 15, "0.300000000000000"},
      {123.456, 15, "123.456000000000003"},
      {1e-320, 15, "0.000000000000000"},
      {18446744073709549568.0, 0, "18446744073709549568"},  // the largest double below 2^64
      {18446744073709551616.0, 2, "18446744073709551616.00"},
      {-1e+22, 1, "-10000000000000000000000.0"},
      {0x1p116, 0, "83076749736557242056487941267521536"},  // a whole 2^64 step: no bits in the low part's shift
      {0x1p116 - 0x1p64, 0, "83076749736557223609743867557969920"},
      {2.5, -1, "3"},                                       // places outside 0..15 take the nearer end
      {0.1, 16, "0.100000000000000"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(formatFixed(row.value, row.count), row.text);
  }
}

TEST(FormatFixed, TheLargestDoubleFillsTheWholeBuffer) {
  const std::string text = formatFixed(-std::numeric_limits<double>::max(), 15);
  EXPECT_EQ(text.size(), kMaxFixedLength);
  EXPECT_EQ(text.substr(0, 18), "-17976931348623157");
  EXPECT_EQ(text.substr(text.size() - 21), "58368.000000000000000");
}

TEST(FormatText, HasNoTextForInfinityOrNaN) {
  for (double value : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                       std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_EQ(formatSignificant(value, 5), "");
    EXPECT_EQ(formatFixed(value, 2), "");
  }
}

}  // namespace
}  // namespace channelflow::numeric
