#include "runtime/value.h"

#include "runtime/number_text.h"

namespace channelflow::runtime {

double Value::convertText(const TextSource& text) { return convertStrict(text.fetchText()); }

void raise(ErrorNumber number) { throw RuntimeError(number); }

std::string toText(const Value& value) { return formatDouble(value.toDouble()); }

}  // namespace channelflow::runtime
