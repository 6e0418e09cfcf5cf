#include "web/binding/json.h"

#include "numeric/text/number_text.h"

#include <cmath>
#include <cstdint>

namespace channelflow::web {

using numeric::formatDouble;
using numeric::kMaxFormattedLength;

void Json::separate() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!first_.empty()) {
    if (!first_.back()) text_ += ", ";
    first_.back() = 0;
  }
}

Json& Json::open(char bracket) {
  separate();
  text_ += bracket;
  first_.push_back(1);
  return *this;
}

Json& Json::close(char bracket) {
  text_ += bracket;
  first_.pop_back();
  return *this;
}

// Keys are the program's own names: plain, never escaped.
Json& Json::key(std::string_view name) {
  separate();
  text_ += '"';
  text_.append(name);
  text_.append("\": ", 3);
  afterKey_ = true;
  return *this;
}

Json& Json::string(std::string_view value) {
  separate();
  text_ += '"';
  // Runs of plain characters go in at once: a profile's texts are megabytes.
  std::size_t start = 0;
  for (std::size_t k = 0; k < value.size(); ++k) {
    const auto byte = static_cast<unsigned char>(value[k]);
    if (byte >= 0x20 && byte != '"' && byte != '\\') continue;
    text_.append(value.data() + start, k - start);
    start = k + 1;
    if (byte < 0x20) {
      static constexpr char kHex[] = "0123456789abcdef";
      const char escaped[] = {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 15]};
      text_.append(escaped, sizeof escaped);
    } else {
      const char escaped[] = {'\\', static_cast<char>(byte)};
      text_.append(escaped, sizeof escaped);
    }
  }
  text_.append(value.data() + start, value.size() - start);
  text_ += '"';
  return *this;
}

Json& Json::number(double value) {
  if (!std::isfinite(value)) return null();
  separate();
  char digits[kMaxFormattedLength];
  text_.append(digits, formatDouble(value, digits));
  return *this;
}

Json& Json::numberText(std::string_view text) {
  separate();
  text_.append(text);
  return *this;
}

Json& Json::boolean(bool value) {
  separate();
  text_ += value ? "true" : "false";
  return *this;
}

Json& Json::null() {
  separate();
  text_ += "null";
  return *this;
}

std::string Request::text(std::string_view key) const {
  for (const auto& [name, value] : inputs) {
    if (name == key) return value;
  }
  return {};
}

namespace {

// A small reader of the request's JSON: objects, strings and plain values.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  void blanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t')) ++at_;
  }
  bool take(char c) {
    blanks();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool string(std::string& out) {
    if (!take('"')) return false;
    out.clear();
    while (at_ < text_.size() && text_[at_] != '"') {
      char c = text_[at_++];
      if (c == '\\' && at_ < text_.size()) {
        c = text_[at_++];
        if (c == 'n') c = '\n';
        else if (c == 't') c = '\t';
        else if (c == 'r') c = '\r';
        else if (c == 'b') c = '\b';
        else if (c == 'f') c = '\f';
        else if (c == 'u') {
          appendUtf8(out, codePoint());
          continue;
        }
      }
      out += c;
    }
    return take('"');
  }
  // A number, true, false or null, as its text.
  bool plain(std::string& out) {
    blanks();
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] != ',' && text_[at_] != '}' && text_[at_] != ']' && text_[at_] != ' ') ++at_;
    out.assign(text_.substr(start, at_ - start));
    return at_ > start;
  }
  // Skips one value of any kind.
  void skip() {
    std::string ignored;
    blanks();
    if (at_ >= text_.size()) return;
    if (text_[at_] == '"') {
      string(ignored);
    } else if (text_[at_] == '{' || text_[at_] == '[') {
      int depth = 0;
      do {
        if (text_[at_] == '"') {
          string(ignored);
          continue;
        }
        if (text_[at_] == '{' || text_[at_] == '[') ++depth;
        if (text_[at_] == '}' || text_[at_] == ']') --depth;
        ++at_;
      } while (depth > 0 && at_ < text_.size());
    } else {
      plain(ignored);
    }
  }

 private:
  std::uint32_t hex4() {
    std::uint32_t value = 0;
    for (int k = 0; k < 4 && at_ < text_.size(); ++k) {
      const char c = text_[at_++];
      value = value * 16 + static_cast<std::uint32_t>(c >= 'a' ? c - 'a' + 10 : c >= 'A' ? c - 'A' + 10 : c - '0');
    }
    return value;
  }
  std::uint32_t codePoint() {
    std::uint32_t value = hex4();
    if (value >= 0xD800 && value < 0xDC00 && text_.substr(at_, 2) == "\\u") {
      at_ += 2;
      const std::uint32_t low = hex4();
      value = 0x10000 + ((value - 0xD800) << 10) + (low - 0xDC00);
    }
    return value;
  }
  static void appendUtf8(std::string& out, std::uint32_t c) {
    char bytes[4];
    int count = 0;
    if (c < 0x80) {
      bytes[count++] = static_cast<char>(c);
    } else if (c < 0x800) {
      bytes[count++] = static_cast<char>(0xC0 | (c >> 6));
      bytes[count++] = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      bytes[count++] = static_cast<char>(0xE0 | (c >> 12));
      bytes[count++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      bytes[count++] = static_cast<char>(0x80 | (c & 0x3F));
    } else {
      bytes[count++] = static_cast<char>(0xF0 | (c >> 18));
      bytes[count++] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      bytes[count++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      bytes[count++] = static_cast<char>(0x80 | (c & 0x3F));
    }
    out.append(bytes, static_cast<std::size_t>(count));
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

Request parseRequest(std::string_view text) {
  Request request;
  Reader reader(text);
  if (!reader.take('{')) return request;
  std::string key;
  while (reader.string(key)) {
    if (!reader.take(':')) break;
    if (key == "question") {
      reader.string(request.question);
    } else if (key == "digits") {
      reader.string(request.digits);
    } else if (key == "language") {
      std::string language;
      reader.string(language);
      if (language == "en") request.language = calc::Language::English;
    } else if (key == "inputs" && reader.take('{')) {
      std::string name, value;
      while (true) {
        if (!reader.string(name) || !reader.take(':')) break;
        if (reader.string(value) || reader.plain(value)) request.inputs.emplace_back(name, value);
        if (!reader.take(',')) break;
      }
      reader.take('}');
    } else {
      reader.skip();
    }
    if (!reader.take(',')) break;
  }
  return request;
}

void putText(Json& json, const calc::Text& text) {
  json.beginObject();
  json.key("zh").string(text.chinese);
  json.key("en").string(text.english);
  json.endObject();
}

std::string_view quantityId(calc::QuantityId id) {
  if (id == calc::QuantityId::NormalDepthSolved) return "normal-h";
  if (id == calc::QuantityId::EquivalentN) return "n-equivalent";
  if (id == calc::QuantityId::DesignMethod) return "design-method";
  if (id == calc::QuantityId::BestDepth) return "best-h0";
  if (id == calc::QuantityId::EnergyCoefficient) return "energy-alpha";
  if (id == calc::QuantityId::CrownHeight) return "crown-H";
  if (id == calc::QuantityId::HorseshoeRadius) return "horseshoe-r";
  if (id == calc::QuantityId::HorseshoeType) return "horseshoe-type";
  if (id == calc::QuantityId::LocalLoss) return "local-hj";
  if (id == calc::QuantityId::PipeLoss) return "pipe-z";
  if (id == calc::QuantityId::CanalV1) return "canal-v1";
  if (id == calc::QuantityId::CanalV2) return "canal-v2";
  if (id == calc::QuantityId::TroughHeight) return "trough-H";
  if (id == calc::QuantityId::FlowCase) return "flow-case";
  // A canal line's, whose keys other quantities have too.
  if (id == calc::QuantityId::PlanX) return "plan-x";
  if (id == calc::QuantityId::Tangent) return "curve-T";
  if (id == calc::QuantityId::CanalBed) return "canal-bed";
  if (id == calc::QuantityId::BankTop) return "bank-top";
  return calc::quantityInfo(id).key;
}

}  // namespace channelflow::web
