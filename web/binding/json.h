// JSON for the toolkit's binding: a writer that keeps its own commas, the
// request a page sends, and the quantities' ids.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/toolkit/catalog.h"
#include "calc/toolkit/messages.h"

namespace channelflow::web {

class Json {
 public:
  Json& beginObject() { return open('{'); }
  Json& endObject() { return close('}'); }
  Json& beginArray() { return open('['); }
  Json& endArray() { return close(']'); }
  // Members of an object whose opening brace and first member another writer wrote.
  Json& continueObject() {
    first_.push_back(0);
    afterKey_ = false;
    return *this;
  }
  Json& key(std::string_view name);
  Json& string(std::string_view value);
  // A finite number in the 15-digit text form every answer shows (valid JSON,
  // exponent included); NaN and infinities as null.
  Json& number(double value);
  // A number already in the 15-digit text form.
  Json& numberText(std::string_view text);
  Json& boolean(bool value);
  Json& null();
  const std::string& text() const { return text_; }

 private:
  Json& open(char bracket);
  Json& close(char bracket);
  void separate();

  std::string text_;
  std::vector<char> first_;  // per open bracket: nothing written in it yet
  bool afterKey_ = false;
};

struct Request {
  std::string question;
  std::string digits;  // how numbers are shown; empty: in full
  std::vector<std::pair<std::string, std::string>> inputs;
  calc::Language language = calc::Language::Chinese;

  // An input's text, or empty.
  std::string text(std::string_view key) const;
};

// Reads {"question": "...", "inputs": {"key": "text" or number, ...}, "language": "zh"|"en", "digits": "eng"};
// what it cannot read is left out, so that the toolkit names what is missing.
Request parseRequest(std::string_view text);

// A quantity's id in the catalog: its key, or for those that share theirs
// with another, "normal-h", "n-equivalent", "design-method", "best-h0" and
// "energy-alpha".
std::string_view quantityId(calc::QuantityId id);

// A text in both languages: {"zh": ..., "en": ...}.
void putText(Json& json, const calc::Text& text);

}  // namespace channelflow::web
