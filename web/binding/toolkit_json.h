// The toolkit for the browser's binding, as texts:
//   catalogJson() -> the sections, parameters, quantities, units, terms and
//                    questions (each with its inputs), with their Chinese and
//                    English names, and the rows of the design tables for the
//                    pickers;
//   answerText(request) -> a status line, then the answer to
//                    {"question", "inputs", "language", "digits"} exactly as
//                    channelflow-cli QUESTION --format json writes it (with the
//                    words of its terms and labels), then, when digits are
//                    asked, the same answer with its numbers rounded for show;
//   batchText(csv, language) -> a status line with the row counts, then the CSV;
//   designDxfText(request) -> a status line, then a design's drawing as DXF;
//   lineDxfText(request) -> a status line, then a canal line's longitudinal
//                    profile as DXF (the command line's line --dxf).
// The parts are apart by kSeparator, a character JSON never writes bare. The
// status line is {"ok": true, ...} or {"ok": false, "problems": [...]}, each
// problem with its field, stable code, whether it is wrong usage, and message.
#pragma once

#include <string>
#include <string_view>

namespace channelflow::web {

inline constexpr char kSeparator = '\x1e';

std::string catalogJson();
std::string answerText(std::string_view request);
std::string batchText(std::string_view csv, std::string_view language);
std::string designDxfText(std::string_view request);
std::string lineDxfText(std::string_view request);

}  // namespace channelflow::web
