// A drawing's labels are rounded once from the double itself: 2.6405 is
// 2.64049999… as a double, so 2.640, though 2.6405 × 1000 rounds to 2640.5.
#include "tools/dxf_writer.h"

#include <gtest/gtest.h>

namespace {

TEST(DxfWriter, LabelsRoundTheDoubleOnce) {
  struct Row {
    double x;
    int decimals;
    const char* text;
  };
  constexpr Row kRows[] = {
      {2.6405, 3, "2.640"},  {1.0005, 3, "1.000"}, {0.0005, 3, "0.001"}, {0.7, 3, "0.700"},   {12.3456, 2, "12.35"},
      {-2.5, 0, "-3"},       {2.5, 0, "3"},        {-0.0004, 3, "0.000"}, {1e-9, 3, "0.000"}, {1234567.25, 1, "1234567.3"},
      // x 10^3 rounded to a double once read 4503599627370497.024 here.
      {4503599627370497.0, 3, "4503599627370497.000"},
  };
  for (const Row& row : kRows) EXPECT_EQ(channelflow::tools::fixedText(row.x, row.decimals), row.text) << row.x;
}

}  // namespace
