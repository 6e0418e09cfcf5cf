#include "numeric/text/utf8.h"

#include <cstdint>

namespace channelflow::numeric {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The length of the sequence a lead byte opens and the allowed range of the
// byte after it (the later ones are always 80..BF); 0 for a byte that opens none.
struct Lead {
  int length;
  std::uint8_t low, high;
};

Lead leadOf(std::uint8_t byte) {
  if (byte >= 0xC2 && byte <= 0xDF) return {2, 0x80, 0xBF};
  if (byte == 0xE0) return {3, 0xA0, 0xBF};
  if (byte == 0xED) return {3, 0x80, 0x9F};  // no surrogates
  if (byte >= 0xE1 && byte <= 0xEF) return {3, 0x80, 0xBF};
  if (byte == 0xF0) return {4, 0x90, 0xBF};
  if (byte >= 0xF1 && byte <= 0xF3) return {4, 0x80, 0xBF};
  if (byte == 0xF4) return {4, 0x80, 0x8F};  // nothing beyond U+10FFFF
  return {0, 0, 0};
}

}  // namespace

bool isAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

void appendValidUtf8(std::string& out, std::string_view text) {
  std::size_t k = 0;
  while (k < text.size()) {
    const auto byte = static_cast<std::uint8_t>(text[k]);
    if (byte < 0x80) {
      out.push_back(text[k++]);
      continue;
    }
    const Lead lead = leadOf(byte);
    std::size_t valid = 1;  // bytes of the sequence that fit so far
    if (lead.length > 0) {
      while (valid < static_cast<std::size_t>(lead.length) && k + valid < text.size()) {
        const auto next = static_cast<std::uint8_t>(text[k + valid]);
        const std::uint8_t low = valid == 1 ? lead.low : 0x80;
        const std::uint8_t high = valid == 1 ? lead.high : 0xBF;
        if (next < low || next > high) break;
        ++valid;
      }
    }
    if (lead.length > 0 && valid == static_cast<std::size_t>(lead.length)) {
      out.append(text.substr(k, valid));
    } else {
      out.append(kReplacement);
    }
    k += valid;
  }
}

}  // namespace channelflow::numeric
