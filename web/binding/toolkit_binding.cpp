// The toolkit for JavaScript: catalog(), call(request), batch(csv, language)
// designDxf(request) and lineDxf(request), the texts of web/binding/toolkit_json.h.
#include "web/binding/toolkit_json.h"

#include <emscripten/bind.h>

#include <string>

namespace {

std::string catalog() { return channelflow::web::catalogJson(); }
std::string call(const std::string& request) { return channelflow::web::answerText(request); }
std::string batch(const std::string& csv, const std::string& language) { return channelflow::web::batchText(csv, language); }
std::string designDxf(const std::string& request) { return channelflow::web::designDxfText(request); }
std::string lineDxf(const std::string& request) { return channelflow::web::lineDxfText(request); }

}  // namespace

EMSCRIPTEN_BINDINGS(channelflow_toolkit) {
  emscripten::function("catalog", &catalog);
  emscripten::function("call", &call);
  emscripten::function("batch", &batch);
  emscripten::function("designDxf", &designDxf);
  emscripten::function("lineDxf", &lineDxf);
}
