// The JSON reader of reach files: numbers kept as written, escapes decoded,
// and text that is not JSON refused where it stops being JSON, nesting of
// any depth included.
#include <gtest/gtest.h>

#include <string>

#include "calc/services/json_reader.h"

namespace channelflow::calc {
namespace {

TEST(JsonReader, ValuesAsWritten) {
  std::size_t offset = 0;
  const std::optional<JsonValue> value =
      readJson(" {\"a\": [102.6, -0, 1e-7, true, null], \"b\": \"\\u4e2d\\ud83d\\ude00\\n\\\"\"} ", offset);
  ASSERT_TRUE(value);
  const JsonValue& a = *value->find("a");
  ASSERT_EQ(a.items.size(), 5u);
  EXPECT_EQ(a.items[0].text, "102.6");
  EXPECT_EQ(a.items[1].text, "-0");
  EXPECT_EQ(a.items[2].text, "1e-7");
  EXPECT_TRUE(a.items[3].flag);
  EXPECT_EQ(a.items[4].kind, JsonValue::Kind::Null);
  EXPECT_EQ(value->find("b")->text, "中\xF0\x9F\x98\x80\n\"");
  EXPECT_EQ(value->find("c"), nullptr);
}

TEST(JsonReader, NotJsonRefusedWhereItStops) {
  struct Row {
    const char* name;
    std::string text;
    std::size_t stop;
  };
  const Row rows[] = {
      {"cut short", "{\"a\": [1, 2", 11},
      {"a trailing comma", "[1, 2,]", 6},
      {"a leading zero", "[01]", 2},
      {"a bare word", "[nan]", 1},
      {"a control character in a string", "[\"a\tb\"]", 4},
      {"a lone low surrogate", "[\"\\udc00\"]", 8},
      {"a high surrogate unpaired", "[\"\\ud800x\"]", 8},
      {"text after the value", "{} {}", 3},
      {"nested past the limit", std::string(65, '[') + std::string(65, ']'), 64},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::size_t offset = 0;
    EXPECT_FALSE(readJson(row.text, offset));
    EXPECT_EQ(offset, row.stop);
  }
  std::size_t offset = 0;
  EXPECT_TRUE(readJson(std::string(64, '[') + std::string(64, ']'), offset));
}

}  // namespace
}  // namespace channelflow::calc
