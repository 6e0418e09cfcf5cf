#include "window/cp936.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using channelflow::window::cp936ToUtf8;
using channelflow::window::utf8ToCp936;

struct PairRow {
  const char* name;
  std::string utf8;
  std::string cp936;
};

TEST(Cp936, ConvertsBothWays) {
  const PairRow rows[] = {
      {"empty", "", ""},
      {"ascii stays as it is", "Command1 m3/s (x)", "Command1 m3/s (x)"},
      {"font face", "宋体", "\xCB\xCE\xCC\xE5"},
      {"two spaces between double-byte characters", "水  深", "\xCB\xAE  \xC9\xEE"},
      {"mixed single and double bytes", "流速(m/s)", "\xC1\xF7\xCB\xD9(m/s)"},
      {"single-byte euro sign of this code page", "€", "\x80"},
      {"embedded NUL is carried", std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const PairRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(utf8ToCp936(row.utf8), std::optional<std::string>(row.cp936));
    EXPECT_EQ(cp936ToUtf8(row.cp936), std::optional<std::string>(row.utf8));
  }
}

TEST(Cp936, RefusesRatherThanSubstitutes) {
  EXPECT_EQ(utf8ToCp936("a😀b"), std::nullopt);        // outside the code page
  EXPECT_EQ(utf8ToCp936("\xE5\xAE"), std::nullopt);    // UTF-8 cut inside a character
  EXPECT_EQ(utf8ToCp936("\xFF"), std::nullopt);        // not UTF-8 at all
  EXPECT_EQ(cp936ToUtf8("\xCB"), std::nullopt);        // lead byte without its trail byte
  EXPECT_EQ(cp936ToUtf8("\x81\x20"), std::nullopt);    // trail byte out of range
  EXPECT_EQ(cp936ToUtf8("ab\xFF"), std::nullopt);      // byte the code page leaves undefined
}

}  // namespace
