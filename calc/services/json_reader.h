// JSON as RFC 8259 writes it, read into a tree whose numbers keep their
// text, so that a level typed 102.6 is read as typed. Nesting deeper than
// kMaxJsonDepth is refused rather than followed (no text can exhaust the
// stack); strings are taken as they are, escapes decoded to UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace channelflow::calc {

inline constexpr int kMaxJsonDepth = 64;

struct JsonMember;

struct JsonValue {
  enum class Kind : std::uint8_t { Null, Bool, Number, String, Array, Object };
  Kind kind = Kind::Null;
  bool flag = false;
  std::string text;  // a number's text, a string's value
  std::vector<JsonValue> items;
  std::vector<JsonMember> members;  // in the order written

  // The member named `key`, or nullptr.
  const JsonValue* find(std::string_view key) const;
};

struct JsonMember {
  std::string key;
  JsonValue value;
};

// The one value the text holds, blanks allowed around it; nothing when the
// text is not JSON, with `offset` the byte (from 0) where reading stopped.
std::optional<JsonValue> readJson(std::string_view text, std::size_t& offset);

}  // namespace channelflow::calc
