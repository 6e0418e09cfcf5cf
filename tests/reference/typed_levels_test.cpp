// A canal's surveyed section 2,624 m up, stations, elevations, water levels
// and depths to the millimetre, against the reference at the typed numbers:
// the doubles of such elevations are up to 2.3E-13 off, which the depths and
// areas would carry into their 13th digit.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "calc/toolkit/toolkit.h"
#include "tests/calc/toolkit_inputs.h"
#include "tests/reference/reference.h"

namespace {

namespace ref = channelflow::reference;
namespace calc = channelflow::calc;

constexpr const char* kPoints[][3] = {
    {"0.000", "2626.412", "0.065"}, {"12.375", "2625.118", ""}, {"30.052", "2624.905", "0.032"},
    {"41.870", "2623.503", ""},     {"44.216", "2623.119", ""}, {"52.908", "2623.121", ""},
    {"56.447", "2623.498", ""},     {"60.032", "2624.006", "0.058"}, {"91.765", "2624.517", ""},
    {"120.404", "2626.203", ""}};

TEST(TypedLevels, ASurveyTwoThousandMetresUpAnswersAsTyped) {
  std::string text;
  std::vector<ref::SurveyPoint> points;
  ref::Channel c;
  double n = 0;
  for (const auto& [x, z, given] : kPoints) {
    text += (text.empty() ? "" : " ") + std::string(x) + "," + z + (*given ? std::string(",") + given : "");
    points.push_back({ref::fromText(x), ref::fromText(z)});
    n = *given ? std::stod(given) : n;
    c.segmentN.push_back(n);
  }
  c.segmentN.pop_back();
  ref::setPoints(c, std::move(points));
  c.i = 0.0004;
  // Levels in the main channel, at a point's elevation, across the floodplains
  // and at the banks; depths at a point's height and between.
  const std::pair<const char*, const char*> waters[] = {
      {"wse", "2623.250"}, {"wse", "2623.503"}, {"wse", "2624.000"}, {"wse", "2624.610"},
      {"wse", "2625.118"}, {"wse", "2626.203"}, {"h", "0.384"},      {"h", "1.999"}};
  for (const auto& [key, water] : waters) {
    SCOPED_TRACE(water);
    const calc::Items items = calc::report(calc::test_inputs::inputsOf(
        {{"section", "points"}, {"points", text.c_str()}, {"i", "0.0004"}, {key, water}})).record().items;
    const ref::Real typed = ref::fromText(water);
    const ref::Flow f = ref::uniformFlow(c, *key == 'h' ? typed : typed - ref::lowestElevation(c));
    const std::pair<const char*, ref::Real> expected[] = {
        {"h", f.h}, {"wse", ref::lowestElevation(c) + f.h}, {"A", f.A},   {"P", f.P},  {"R", f.R},
        {"T", f.T}, {"D", f.D},     {"C", f.C},     {"v", f.v},   {"Q", f.Q},  {"K", f.K},
        {"alpha", f.alpha}, {"Fr", f.Fr}, {"E", f.E}, {"tau0", f.tau0}};
    for (const auto& [quantity, value] : expected) {
      const calc::Item* item = calc::findItem(items, quantity);
      ASSERT_NE(item, nullptr) << quantity;
      EXPECT_EQ(item->cell.number, value.toDouble()) << quantity;
    }
  }
}

}  // namespace
