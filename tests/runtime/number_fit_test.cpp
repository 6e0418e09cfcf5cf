#include "runtime/number_fit.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace channelflow::runtime {
namespace {

// A label that holds `width` characters, every character one unit wide.
std::string fitInto(std::string_view caption, std::size_t width) {
  return fitNumberCaption(caption, [width](std::string_view text) { return text.size() <= width; });
}

struct FitRow {
  std::string_view caption;
  std::size_t width;
  std::string_view drawn;
};

TEST(FitNumberCaption, RoundsToTheMostDigitsThatFitAndKeepsTheExponent) {
  const FitRow rows[] = {
      // Fits as it is.
      {"2.7630683521479", 15, "2.7630683521479"},
      {"0", 1, "0"},
      // The flume's discharge, the case that once showed "2.8003512114272".
      {"2.80035121142722E-08", 15, "2.800351211E-08"},
      {"2.80035121142722E-08", 19, "2.8003512114272E-08"},
      {"1.03574416865129E+53", 15, "1.035744169E+53"},
      // Half away from zero on the caption's own digits, never a cut.
      {"0.921022784049301", 15, "0.9210227840493"},
      {"0.921022784049351", 16, "0.92102278404935"},
      {"0.921022784049355", 16, "0.92102278404936"},
      {"-0.921022784049355", 17, "-0.92102278404936"},
      {"1.25", 3, "1.3"},
      {"-1.25", 4, "-1.3"},
      {"1.24999", 3, "1.2"},
      // Trailing zeros of the rounded digits drop, as in the text form.
      {"1.20000000000001", 5, "1.2"},
      {"2.50000000000001E-07", 10, "2.5E-07"},
      // A carry into a new leading digit moves the exponent.
      {"9.99999999999999E+99", 6, "1E+100"},
      {"-9.99999999999999E-10", 8, "-1E-09"},
      {"9.99999999999999", 5, "10"},
      {"0.0999999999999999", 6, "0.1"},
      // The notation follows the rounded value's exponent.
      {"9.99999999999999E+14", 12, "1E+15"},
      {"99999999999999.9", 15, "100000000000000"},
      {"9.99999999999996E-06", 7, "0.00001"},
      {"0.0000123456789012345", 15, "0.0000123456789"},
      {"-0.0000123456789012345", 15, "-0.000012345679"},
      // Widest plain forms get no shorter by rounding: their E form does.
      {"-123456789012345", 15, "-1.23456789E+14"},
      {"123456789012345", 14, "1.23456789E+14"},
      {"-987654321098765", 15, "-1E+15"},
      {"-0.0000123456789012345", 6, "-1E-05"},
      {"99999999999999.9", 5, "1E+14"},
      // Nothing fits: the one-digit form in the caption's notation.
      {"123456789012345", 4, "100000000000000"},
      {"-0.0000123456789012345", 5, "-0.00001"},
      {"2.80035121142722E-08", 3, "3E-08"},
      {"2E+100", 3, "2E+100"},
  };
  for (const FitRow& row : rows) {
    SCOPED_TRACE(std::string(row.caption) + " in " + std::to_string(row.width));
    EXPECT_EQ(fitInto(row.caption, row.width), row.drawn);
  }
}

TEST(FitNumberCaption, LeavesTextThatIsNotANumberAsItIs) {
  const std::string_view captions[] = {"", "Label1", "-", "1.", ".5", "1e5", "1E5", "1E+", "--1", "1.2.3", "1 2"};
  for (std::string_view caption : captions) {
    SCOPED_TRACE(caption);
    EXPECT_EQ(fitInto(caption, 0), caption);
  }
}

TEST(FitNumberCaption, AsksForTheLongestFormFirst) {
  std::string asked;
  fitNumberCaption("2.80035121142722E-08", [&asked](std::string_view text) {
    asked += std::string(text) + " ";
    return text == "2.8003512114E-08";
  });
  EXPECT_EQ(asked, "2.80035121142722E-08 2.8003512114272E-08 2.800351211427E-08 2.80035121143E-08 2.8003512114E-08 ");
}

}  // namespace
}  // namespace channelflow::runtime
