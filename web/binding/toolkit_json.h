// The toolkit as JSON texts, for the browser's binding:
//   catalogJson() -> the sections, parameters, quantities, units and terms, with
//                    their Chinese and English names, and the design tables;
//   answerJson(request) -> the answer to {"command", "inputs", "language"}:
//                    report, solve, table, jump, profile, outline, batch, design
//                    or design-dxf, each as the command line computes it;
//                    {"ok": false, "problems": [...]} with each problem's
//                    field, stable code and message.
// Every number carries the command line's 15-digit text beside its value; a
// profile's points, many thousands of them, come as lines of tab-separated
// texts alone.
#pragma once

#include <string>
#include <string_view>

namespace channelflow::web {

std::string catalogJson();
std::string answerJson(std::string_view request);

}  // namespace channelflow::web
