#include "window/cp936.h"

#include <climits>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace channelflow::window {

#ifdef _WIN32

namespace {

constexpr UINT kCodePage936 = 936;

std::optional<std::wstring> toWide(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  if (bytes.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
  const int inLength = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), inLength, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), inLength, wide.data(), length) != length) {
    return std::nullopt;
  }
  return wide;
}

// CP_UTF8 rejects the used-default flag, so only code page 936 asks for it.
std::optional<std::string> fromWide(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  if (wide.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
  const int inLength = static_cast<int>(wide.size());
  const DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = codePage == CP_UTF8 ? nullptr : &usedDefault;
  const int length = WideCharToMultiByte(codePage, flags, wide.data(), inLength, nullptr, 0, nullptr, usedDefaultOut);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  if (WideCharToMultiByte(codePage, flags, wide.data(), inLength, bytes.data(), length, nullptr, usedDefaultOut) !=
          length ||
      usedDefault) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace

std::optional<std::string> utf8ToCp936(std::string_view utf8) {
  const std::optional<std::wstring> wide = toWide(CP_UTF8, utf8);
  if (!wide) return std::nullopt;
  return fromWide(kCodePage936, *wide);
}

std::optional<std::string> cp936ToUtf8(std::string_view cp936) {
  const std::optional<std::wstring> wide = toWide(kCodePage936, cp936);
  if (!wide) return std::nullopt;
  return fromWide(CP_UTF8, *wide);
}

#else

namespace {

// One conversion through iconv. glibc stops with EILSEQ on a sequence it cannot
// convert and with EINVAL on an incomplete one at the end; both are refusals.
std::optional<std::string> convert(const char* to, const char* from, std::string_view input) {
  if (input.empty()) return std::string();
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;

  std::string output;
  std::string inputCopy(input);  // iconv takes a non-const input pointer
  char* in = inputCopy.data();
  std::size_t inLeft = inputCopy.size();
  char buffer[256];
  bool ok = true;
  while (inLeft > 0) {
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
    output.append(buffer, sizeof buffer - outLeft);
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      ok = false;
      break;
    }
    // A nonzero count means characters were converted irreversibly.
    if (result != static_cast<std::size_t>(-1) && result != 0) {
      ok = false;
      break;
    }
  }
  if (ok) {
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    if (iconv(cd, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1)) ok = false;
    output.append(buffer, sizeof buffer - outLeft);
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  return output;
}

}  // namespace

std::optional<std::string> utf8ToCp936(std::string_view utf8) { return convert("CP936", "UTF-8", utf8); }

std::optional<std::string> cp936ToUtf8(std::string_view cp936) { return convert("UTF-8", "CP936", cp936); }

#endif

}  // namespace channelflow::window
