// channelflow-cli click: many clicks of the window, one per line.
#pragma once

#include <cstdio>

namespace channelflow::tools {

// Reads lines of five tab-separated box texts (B, h, m, i, n) from `in` and
// writes one line per input line to `out`: "v<TAB>Q" in the default text
// form, or "error N" with the runtime error's number. Inside a text, \t, \n,
// \r and \\ stand for a tab, a line feed, a carriage return and a backslash;
// any other backslash is itself. A CR before the line feed is dropped. A line
// without exactly five fields gives "error fields" and a message on `err`
// naming its number, and the run goes on. Memory stays the same whatever the
// number of lines.
// Returns 0 when every line had five fields, 2 when one had not, and 1 (with
// a message) when reading fails or as soon as writing fails.
int runClickStream(std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace channelflow::tools
