#include "numeric/value/value.h"

#include "numeric/value/conversions.h"

namespace channelflow::numeric {

double Value::convertText(const TextSource& text) { return convertStrict(text.fetchText()); }

void raise(ErrorNumber number) { throw RuntimeError(number); }

std::string toText(const Value& value) { return textOf(value.toDouble()); }

}  // namespace channelflow::numeric
