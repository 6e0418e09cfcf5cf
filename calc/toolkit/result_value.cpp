#include "calc/toolkit/result_value.h"

#include <cfloat>
#include <cmath>

namespace channelflow::calc {

double resultValue(const numeric::Real& value, std::string_view quantityKey) {
  if (value == numeric::Real(0)) return 0;
  const double rounded = value.toDouble();
  if (std::isnan(rounded)) fail(MessageId::NoAnswer);
  if (!std::isfinite(rounded)) fail(MessageId::ResultTooLarge, {}, {MessageArg::quantity(quantityKey)});
  if (std::fabs(rounded) < DBL_MIN) fail(MessageId::ResultTooSmall, {}, {MessageArg::quantity(quantityKey)});
  return rounded;
}

}  // namespace channelflow::calc
