// The elementary functions on hard and special arguments, bit for bit: the
// double form (each the correctly rounded value, checked once with MPFR) and
// the Real form's hi, lo and exponent. Runs on every build, so the 32-bit and
// Windows builds are shown to compute the same bits.
#include "numeric/elementary/elementary.h"

#include <gtest/gtest.h>

#include "numeric/elementary/bits.h"
#include <cstdint>
#include <map>
#include <string>

namespace {

namespace nm = channelflow::numeric;
using nm::bitCast;
using nm::Real;

struct Forms {
  double (*plain)(double, double);
  Real (*real)(const Real&, const Real&);
};

template <double (*kPlain)(double), Real (*kReal)(const Real&)>
Forms unary() {
  return {[](double x, double) { return kPlain(x); }, [](const Real& x, const Real&) { return kReal(x); }};
}

const std::map<std::string, Forms>& functions() {
  static const std::map<std::string, Forms> table = {
      {"cbrt", unary<nm::cbrt, nm::cbrt>()},   {"log", unary<nm::log, nm::log>()},
      {"log1p", unary<nm::log1p, nm::log1p>()}, {"exp", unary<nm::exp, nm::exp>()},
      {"expm1", unary<nm::expm1, nm::expm1>()}, {"atan", unary<nm::atan, nm::atan>()},
      {"asin", unary<nm::asin, nm::asin>()},   {"acos", unary<nm::acos, nm::acos>()},
      {"sin", unary<nm::sin, nm::sin>()},      {"cos", unary<nm::cos, nm::cos>()},
      {"asinh", unary<nm::asinh, nm::asinh>()},
      {"atan2", {[](double y, double x) { return nm::atan2(y, x); }, [](const Real& y, const Real& x) { return nm::atan2(y, x); }}},
      {"hypot", {[](double x, double y) { return nm::hypot(x, y); }, [](const Real& x, const Real& y) { return nm::hypot(x, y); }}},
  };
  return table;
}

struct Case {
  const char* function;
  double x, y;
  double plain;  // the double form's result
  double hi, lo;  // the Real form's result on the same arguments
  std::int64_t exponent;
};

// clang-format off
const Case kCases[] = {
    {"cbrt", 0x1.3d70a3d70a3d7p-1, 0, 0x1.b49557dd1cf5ep-1, 0x1.b49557dd1cf5ep-1, -0x1.b449435dea75cp-56, 0},
    {"cbrt", 0x1.bp+4, 0, 0x1.8p+1, 0x1.8p+1, 0x0p+0, 0},
    {"cbrt", -0x0.0000000000001p-1022, 0, -0x1p-358, -0x1p-358, 0x0p+0, 0},
    {"cbrt", 0x1.fffffffffffffp+1023, 0, 0x1.428a2f98d728bp+341, 0x1.428a2f98d728bp+341, -0x1.4e7753b81f563p+287, 0},
    {"cbrt", 0x1.8p+1, 0, 0x1.7137449123ef6p+0, 0x1.7137449123ef6p+0, 0x1.73779fc5b15b9p-54, 0},
    {"log", 0x1.3d70a3d70a3d7p-1, 0, -0x1.e982378d782aap-2, -0x1.e982378d782aap-2, -0x1.6cc406f8c6ef4p-56, 0},
    {"log", 0x1p+0, 0, 0x0p+0, 0x0p+0, 0x0p+0, 0},
    {"log", 0x1.0000000000001p+0, 0, 0x1.fffffffffffffp-53, 0x1.fffffffffffffp-53, 0x1.5555555555554p-158, 0},
    {"log", 0x0.0000000000001p-1022, 0, -0x1.74385446d71c3p+9, -0x1.74385446d71c3p+9, -0x1.8e569fa8ee781p-45, 0},
    {"log", 0x1.fffffffffffffp+1023, 0, 0x1.62e42fefa39efp+9, 0x1.62e42fefa39efp+9, 0x1.a9c9e3b39803fp-46, 0},
    {"log", 0x1.4p+3, 0, 0x1.26bb1bbb55516p+1, 0x1.26bb1bbb55516p+1, -0x1.f48ad494ea3e8p-53, 0},
    {"log1p", 0x1.56e1fc2f8f359p-997, 0, 0x1.56e1fc2f8f359p-997, 0x1.56e1fc2f8f359p+0, 0x0p+0, -997},
    {"log1p", -0x1p-1, 0, -0x1.62e42fefa39efp-1, -0x1.62e42fefa39efp-1, -0x1.abc9e3b39803fp-56, 0},
    {"log1p", 0x1p-53, 0, 0x1p-53, 0x1p-53, -0x1.fffffffffffffp-108, 0},
    {"log1p", 0x1.7e43c8800759cp+996, 0, 0x1.5963447f87fb5p+9, 0x1.5963447f87fb5p+9, 0x1.abccc0710fcd4p-46, 0},
    {"log1p", 0x1p-4, 0, 0x1.f0a30c01162a6p-5, 0x1.f0a30c01162a6p-5, 0x1.85f325c5bbacdp-59, 0},
    {"exp", 0x1p+0, 0, 0x1.5bf0a8b145769p+1, 0x1.5bf0a8b145769p+1, 0x1.4d57ee2b1013ap-53, 0},
    {"exp", -0x1.748p+9, 0, 0x0.0000000000001p-1022, 0x1.247ae63a725b9p+0, -0x1.2437acffaa17fp-55, -1075},
    {"exp", 0x1.62e3d70a3d70ap+9, 0, 0x1.fe9ce5c4c52b4p+1023, 0x1.fe9ce5c4c52b4p+0, 0x1.a8a120488d827p-54, 1023},
    {"exp", -0x1.624p+9, 0, 0x0.e6cf6d08897acp-1022, 0x1.cd9eda1112f57p+0, 0x1.7f7eaeefbcfb4p-54, -1023},
    {"exp", 0x1.b7cdfd9d7bdbbp-34, 0, 0x1.000000006df38p+0, 0x1.000000006df38p+0, -0x1.3112d8e5e6d4cp-57, 0},
    {"exp", 0x1.62e42fefa39efp-2, 0, 0x1.6a09e667f3bccp+0, 0x1.6a09e667f3bccp+0, 0x1.f68d3de197eeap-54, 0},
    {"expm1", 0x1.b7cdfd9d7bdbbp-34, 0, 0x1.b7cdfd9dda4e3p-34, 0x1.b7cdfd9dda4e3p-34, 0x1.0c95a385d91c6p-88, 0},
    {"expm1", -0x1.0624dd2f1a9fcp-10, 0, -0x1.0603521cac48cp-10, -0x1.0603521cac48cp-10, 0x1.cc0de9ed5bcbap-64, 0},
    {"expm1", 0x1.3333333333333p-2, 0, 0x1.6641632306a56p-2, 0x1.6641632306a56p-2, 0x1.31472da7130cp-56, 0},
    {"expm1", 0x1.6666666666666p-2, 0, 0x1.ad200b20177b2p-2, 0x1.ad200b20177b2p-2, -0x1.2ca2e8080a7p-56, 0},
    {"expm1", -0x1.28p+5, 0, -0x1.fffffffffffffp-1, -0x1.fffffffffffffp-1, -0x1.d9ee380d67eacp-56, 0},
    {"expm1", 0x1.5ep+9, 0, 0x1.d945df4f8ec8ep+1009, 0x1.d945df4f8ec8ep+0, 0x1.183392684a46fp-55, 1009},
    {"atan", 0x1.56e1fc2f8f359p-997, 0, 0x1.56e1fc2f8f359p-997, 0x1.56e1fc2f8f359p+0, 0x0p+0, -997},
    {"atan", 0x1p+0, 0, 0x1.921fb54442d18p-1, 0x1.921fb54442d18p-1, 0x1.1a62633145c07p-55, 0},
    {"atan", 0x1.7e43c8800759cp+996, 0, 0x1.921fb54442d18p+0, 0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54, 0},
    {"atan", -0x1p-1, 0, -0x1.dac670561bb4fp-2, -0x1.dac670561bb4fp-2, -0x1.a2b7f222f65e2p-56, 0},
    {"atan", 0x1p-7, 0, 0x1.fffd555bbba97p-8, 0x1.fffd555bbba97p-8, 0x1.68062351fbbe6p-63, 0},
    {"atan", 0x1p+6, 0, 0x1.8e1fca98cb633p+0, 0x1.8e1fca98cb633p+0, 0x1.1299ee93be016p-56, 0},
    {"asin", 0x1p+0, 0, 0x1.921fb54442d18p+0, 0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54, 0},
    {"asin", 0x1p-1, 0, 0x1.0c152382d7366p-1, 0x1.0c152382d7366p-1, -0x1.ee6913347c2a6p-55, 0},
    {"asin", -0x1.fffffffffffffp-1, 0, -0x1.921fb50442d18p+0, -0x1.921fb50442d18p+0, -0x1.1a6263269b15cp-54, 0},
    {"asin", 0x1.5798ee2308c3ap-27, 0, 0x1.5798ee2308c3ap-27, 0x1.5798ee2308c3ap-27, 0x1.9ca58cce0be2ep-83, 0},
    {"acos", -0x1p+0, 0, 0x1.921fb54442d18p+1, 0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53, 0},
    {"acos", 0x1p-1, 0, 0x1.0c152382d7366p+0, 0x1.0c152382d7366p+0, -0x1.ee6913347c2a6p-54, 0},
    {"acos", 0x1.fffffffffffffp-1, 0, 0x1p-26, 0x1p-26, 0x1.555555555555p-83, 0},
    {"acos", 0x0p+0, 0, 0x1.921fb54442d18p+0, 0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54, 0},
    {"sin", 0x1.921fb54442d18p+1, 0, 0x1.1a62633145c07p-53, 0x1.1a62633145c07p-53, -0x1.f1976b7ed8fbdp-109, 0},
    {"sin", 0x1.5798ee2308c3ap-27, 0, 0x1.5798ee2308c3ap-27, 0x1.5798ee2308c3ap-27, -0x1.9ca58cce0be35p-83, 0},
    {"sin", 0x1.e848p+19, 0, -0x1.6664b2568d867p-2, -0x1.6664b2568d867p-2, -0x1.264732d26e9bap-56, 0},
    {"sin", 0x1.921fb54442d18p-1, 0, 0x1.6a09e667f3bccp-1, 0x1.6a09e667f3bccp-1, 0x1.7a7fb8d4bd44p-55, 0},
    {"sin", 0x1.8p+1, 0, 0x1.210386db6d55bp-3, 0x1.210386db6d55bp-3, 0x1.3c7205d08d062p-57, 0},
    {"cos", 0x1.921fb54442d18p+0, 0, 0x1.1a62633145c07p-54, 0x1.1a62633145c07p-54, -0x1.f1976b7ed8fbcp-110, 0},
    {"cos", 0x1.e848p+19, 0, 0x1.df9df9906d32cp-1, 0x1.df9df9906d32cp-1, 0x1.abb226a0c668p-55, 0},
    {"cos", 0x1p+1, 0, -0x1.aa22657537205p-2, -0x1.aa22657537205p-2, 0x1.6f3341d4d1235p-56, 0},
    {"cos", -0x1.12e0be826d695p-30, 0, 0x1p+0, 0x1p+0, -0x1.2725dd1d243acp-61, 0},
    {"asinh", 0x1.56e1fc2f8f359p-997, 0, 0x1.56e1fc2f8f359p-997, 0x1.56e1fc2f8f359p+0, 0x0p+0, -997},
    {"asinh", 0x1p+0, 0, 0x1.c34366179d427p-1, 0x1.c34366179d427p-1, -0x1.9f270661722dcp-56, 0},
    {"asinh", -0x1.7e43c8800759cp+996, 0, -0x1.59bbfd8b83e44p+9, -0x1.59bbfd8b83e44p+9, 0x1.3ae4268b01a67p-45, 0},
    {"asinh", 0x1p-3, 0, 0x1.fead0b6996973p-4, 0x1.fead0b6996973p-4, -0x1.7cfd38e0a769cp-59, 0},
    {"atan2", 0x1p+0, -0x1p+0, 0x1.2d97c7f3321d2p+1, 0x1.2d97c7f3321d2p+1, 0x1.a79394c9e8a0ap-54, 0},
    {"atan2", -0x0p+0, -0x1p+0, -0x1.921fb54442d18p+1, -0x1.921fb54442d18p+1, -0x1.1a62633145c07p-53, 0},
    {"atan2", 0x1.56e1fc2f8f359p-997, 0x1.7e43c8800759cp+996, 0x0p+0, 0x1.cb40954c56aa8p+0, -0x1.961447d090d2ap-54, -1994},
    {"atan2", 0x1.7e43c8800759cp+996, 0x1.56e1fc2f8f359p-997, 0x1.921fb54442d18p+0, 0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54, 0},
    {"atan2", 0x1.8p+1, 0x1p+2, 0x1.4978fa3269ee1p-1, 0x1.4978fa3269ee1p-1, 0x1.2419a87f2a458p-56, 0},
    {"hypot", 0x1.8p+1, 0x1p+2, 0x1.4p+2, 0x1.4p+2, 0x0p+0, 0},
    {"hypot", 0x1.7e43c8800759cp+996, 0x1.7e43c8800759cp+996, 0x1.0e4d50f99b211p+997, 0x1.0e4d50f99b211p+0, -0x1.3c6b65d50e7f6p-55, 997},
    {"hypot", 0x0.0000000000001p-1022, 0x0.0000000000001p-1022, 0x0.0000000000001p-1022, 0x1.6a09e667f3bcdp+0, -0x1.bdd3413b26455p-54, -1074},
    {"hypot", 0x1p+0, 0x1.b7cdfd9d7bdbbp-34, 0x1p+0, 0x1p+0, 0x1.79ca10c924224p-68, 0},
    {"hypot", 0x1.fffffffffffffp+1023, 0x1p+970, 0x1.fffffffffffffp+1023, 0x1.fffffffffffffp+0, 0x1.0000000000001p-108, 1023},
};
// clang-format on

TEST(Elementary, HardAndSpecialCasesBitForBit) {
  for (const Case& row : kCases) {
    SCOPED_TRACE(testing::Message() << row.function << std::hexfloat << "(" << row.x << ", " << row.y << ")");
    const Forms& forms = functions().at(row.function);
    EXPECT_EQ(bitCast<std::uint64_t>(forms.plain(row.x, row.y)), bitCast<std::uint64_t>(row.plain));
    const Real real = forms.real(Real(row.x), Real(row.y));
    EXPECT_EQ(bitCast<std::uint64_t>(real.mantissa().hi), bitCast<std::uint64_t>(row.hi));
    EXPECT_EQ(bitCast<std::uint64_t>(real.mantissa().lo), bitCast<std::uint64_t>(row.lo));
    EXPECT_EQ(real.exponent(), row.exponent);
  }
}

}  // namespace
