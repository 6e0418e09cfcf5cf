#include "numeric/value/conversions.h"

#include <cmath>

#include "numeric/value/runtime_error.h"

namespace channelflow::numeric {
namespace {

double valueOf(ReadNumber read) {
  if (read.status == ReadStatus::NotANumber) throw RuntimeError(ErrorNumber::NotANumber);
  if (read.status == ReadStatus::TooLarge) throw RuntimeError(ErrorNumber::Overflow);
  return read.value;
}

void requireFinite(double value) {
  if (!std::isfinite(value)) throw RuntimeError(ErrorNumber::Overflow);
}

}  // namespace

double readLenient(std::string_view text) { return valueOf(readLenientNumber(text)); }

double convertStrict(std::string_view text) { return valueOf(readStrictNumber(text)); }

std::string textOf(double value) {
  requireFinite(value);
  return formatDouble(value);
}

std::size_t textOf(double value, char* out) {
  requireFinite(value);
  return formatDouble(value, out);
}

}  // namespace channelflow::numeric
