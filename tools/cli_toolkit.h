// The sub-commands of channelflow-cli: report, solve-depth, solve-width,
// table and batch, on the toolkit's plain-double calculation.
#pragma once

#include <cstdio>
#include <string_view>

namespace channelflow::tools {

enum class OutputFormat { Text, Csv, Json };

bool isToolkitCommand(std::string_view word);

// batch: CSV rows of B,h,m,i,n in (header first, columns in any order), the
// same rows out with every quantity or an error column added; a bad row never
// stops the run, and memory stays the same whatever the length. JSON is one
// object per line. Returns 2, with a message on `err`, for a header that
// lacks one of the five.
int runBatch(OutputFormat format, std::FILE* in, std::FILE* out, std::FILE* err);

// Runs `channelflow-cli COMMAND ARGS...` (argv[1] is the command) and returns
// the exit status: 0 done, 1 a question without an answer, 2 wrong usage.
int runToolkit(int argc, char** argv, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace channelflow::tools
