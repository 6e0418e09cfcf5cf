#include "numeric/value.h"

#include "numeric/number_text.h"

namespace channelflow::numeric {

double Value::convertText(const TextSource& text) { return convertStrict(text.fetchText()); }

void raise(ErrorNumber number) { throw RuntimeError(number); }

std::string toText(const Value& value) { return formatDouble(value.toDouble()); }

}  // namespace channelflow::numeric
