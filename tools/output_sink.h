// The command line writes through the core's sink (calc/toolkit/text_sink.h).
#pragma once

#include "calc/toolkit/text_sink.h"

namespace channelflow::tools {

using OutputSink = calc::TextSink;

}  // namespace channelflow::tools
