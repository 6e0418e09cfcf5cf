#include "calc/services/json_reader.h"

#include <tuple>

namespace channelflow::calc {
namespace {

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  bool value(JsonValue& out, int depth) {
    blanks();
    if (depth >= kMaxJsonDepth || at_ >= text_.size()) return false;
    const char c = text_[at_];
    if (c == '{') return object(out, depth);
    if (c == '[') return array(out, depth);
    if (c == '"') {
      out.kind = JsonValue::Kind::String;
      return string(out.text);
    }
    if (c == '-' || (c >= '0' && c <= '9')) return number(out);
    for (const auto& [word, kind, flag] : {std::tuple{std::string_view("true"), JsonValue::Kind::Bool, true},
                                           std::tuple{std::string_view("false"), JsonValue::Kind::Bool, false},
                                           std::tuple{std::string_view("null"), JsonValue::Kind::Null, false}}) {
      if (text_.substr(at_, word.size()) == word) {
        at_ += word.size();
        out.kind = kind;
        out.flag = flag;
        return true;
      }
    }
    return false;
  }

  bool end() {
    blanks();
    return at_ == text_.size();
  }
  std::size_t at() const { return at_; }

 private:
  void blanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r')) ++at_;
  }

  bool take(char c) {
    blanks();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }

  bool object(JsonValue& out, int depth) {
    out.kind = JsonValue::Kind::Object;
    ++at_;
    if (take('}')) return true;
    do {
      blanks();
      std::string key;
      if (at_ >= text_.size() || text_[at_] != '"' || !string(key) || !take(':')) return false;
      out.members.push_back(JsonMember{std::move(key), {}});
      if (!value(out.members.back().value, depth + 1)) return false;
    } while (take(','));
    return take('}');
  }

  bool array(JsonValue& out, int depth) {
    out.kind = JsonValue::Kind::Array;
    ++at_;
    if (take(']')) return true;
    do {
      out.items.emplace_back();
      if (!value(out.items.back(), depth + 1)) return false;
    } while (take(','));
    return take(']');
  }

  bool digits() {
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
    return at_ > start;
  }

  bool number(JsonValue& out) {
    const std::size_t start = at_;
    if (text_[at_] == '-') ++at_;
    if (at_ < text_.size() && text_[at_] == '0') {
      ++at_;
    } else if (!digits()) {
      return false;
    }
    if (at_ < text_.size() && text_[at_] == '.' && (++at_, !digits())) return false;
    if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
      ++at_;
      if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
      if (!digits()) return false;
    }
    out.kind = JsonValue::Kind::Number;
    out.text = text_.substr(start, at_ - start);
    return true;
  }

  static void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | code >> 6);
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | code >> 12);
      out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | code >> 18);
      out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  bool hex4(std::uint32_t& code) {
    if (at_ + 4 > text_.size()) return false;
    code = 0;
    for (int k = 0; k < 4; ++k) {
      const char c = text_[at_++];
      const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
      if (digit < 0) return false;
      code = code * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
  }

  bool string(std::string& out) {
    ++at_;  // the opening quote
    while (at_ < text_.size()) {
      const char c = text_[at_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= text_.size()) return false;
      const char e = text_[at_++];
      constexpr std::string_view kFrom = "\"\\/bfnrt", kTo = "\"\\/\b\f\n\r\t";
      if (const auto k = kFrom.find(e); k != std::string_view::npos) {
        out += kTo[k];
        continue;
      }
      std::uint32_t code = 0;
      if (e != 'u' || !hex4(code)) return false;
      if (code >= 0xD800 && code < 0xDC00) {  // a high surrogate: its low one must follow
        std::uint32_t low = 0;
        if (text_.substr(at_, 2) != "\\u") return false;
        at_ += 2;
        if (!hex4(low) || low < 0xDC00 || low >= 0xE000) return false;
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
      } else if (code >= 0xDC00 && code < 0xE000) {
        return false;
      }
      appendUtf8(out, code);
    }
    return false;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

const JsonValue* JsonValue::find(std::string_view key) const {
  for (const auto& [name, value] : members) {
    if (name == key) return &value;
  }
  return nullptr;
}

std::optional<JsonValue> readJson(std::string_view text, std::size_t& offset) {
  Parser parser(text);
  JsonValue value;
  const bool read = parser.value(value, 0) && parser.end();
  offset = parser.at();
  if (!read) return std::nullopt;
  return value;
}

}  // namespace channelflow::calc
