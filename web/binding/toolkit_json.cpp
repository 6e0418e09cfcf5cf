#include "web/binding/toolkit_json.h"

#include "calc/toolkit/catalog.h"
#include "calc/toolkit/messages.h"
#include "calc/toolkit/toolkit.h"
#include "tools/commands.h"
#include "tools/dxf_writer.h"
#include "tools/output_sink.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "numeric/text/number_text.h"
#include "web/binding/design_json.h"
#include "web/binding/json.h"

namespace channelflow::web {

using calc::Language;

std::string catalogJson() {
  Json json;
  json.beginObject();
  json.key("sections").beginArray();
  for (const calc::SectionInfo& section : calc::sections()) {
    json.beginObject();
    json.key("key").string(section.key);
    json.key("name");
    putText(json, calc::findTerm(section.key)->name);
    json.key("parameters").beginArray();
    for (std::string_view parameter : section.parameters) {
      if (!parameter.empty()) json.string(parameter);
    }
    json.endArray();
    json.endObject();
  }
  json.endArray();
  constexpr const char* kLimits[] = {"any", "nonNegative", "positive", "choice", "count", "text"};
  json.key("parameters").beginArray();
  for (const calc::ParameterInfo& parameter : calc::parameters()) {
    json.beginObject();
    json.key("key").string(parameter.key);
    json.key("symbol").string(parameter.symbol);
    json.key("name");
    putText(json, parameter.name);
    json.key("unit").string(calc::unitKindKey(parameter.unit));
    json.key("limit").string(kLimits[static_cast<int>(parameter.limit)]);
    json.endObject();
  }
  json.endArray();
  json.key("quantities").beginArray();
  for (const calc::QuantityInfo& quantity : calc::quantities()) {
    json.beginObject();
    json.key("id").string(quantityId(quantity.id));
    json.key("key").string(quantity.key);
    json.key("symbol").string(quantity.symbol);
    json.key("name");
    putText(json, quantity.name);
    json.key("unit").string(calc::unitKindKey(quantity.unit));
    json.endObject();
  }
  json.endArray();
  json.key("units").beginObject();
  for (const auto& [key, system] : {std::pair{"si", calc::UnitSystem::SI}, std::pair{"us", calc::UnitSystem::US}}) {
    json.key(key).beginObject();
    for (int kind = 0; kind <= static_cast<int>(calc::UnitKind::Percent); ++kind) {
      const auto unit = static_cast<calc::UnitKind>(kind);
      json.key(calc::unitKindKey(unit)).string(calc::unitText(unit, system));
    }
    json.endObject();
  }
  json.endObject();
  json.key("terms").beginObject();
  for (const calc::TermInfo& term : calc::terms()) {
    json.key(term.key);
    putText(json, term.name);
  }
  json.endObject();
  putDesignTables(json);
  json.endObject();
  return json.text();
}

namespace {

// The request's inputs as the toolkit's; `skip` names a key that is not an input.
calc::Inputs inputsOf(const Request& request, std::string_view skip = {}) {
  calc::Inputs inputs;
  for (const auto& [key, text] : request.inputs) {
    if (key != skip) inputs.set(key, text);
  }
  return inputs;
}

void putItems(Json& json, const calc::Items& items, Language language) {
  json.beginArray();
  for (const calc::Item& item : items) {
    json.beginObject();
    json.key("id").string(quantityId(item.id));
    json.key("key").string(item.key());
    switch (item.kind) {
      case calc::Item::Kind::Number: {
        // The one 15-digit text, as the value and as the text shown.
        const std::string text = numeric::formatDouble(item.number);
        json.key("value").numberText(text);
        json.key("text").string(text);
        break;
      }
      case calc::Item::Kind::Term:
        json.key("term").string(item.term);
        json.key("text").string(rowOrTermText(item.term, language));
        break;
      case calc::Item::Kind::Text: json.key("text").string(item.text); break;
      case calc::Item::Kind::Message:
        json.key("message").string(calc::messageInfo(item.message.id).code);
        json.key("text").string(calc::messageText(item.message, language, calc::FieldStyle::Column));
        break;
      case calc::Item::Kind::None:
        json.key("none").boolean(true);
        json.key("text").string(calc::termText(item.term, language));
        break;
      case calc::Item::Kind::List: {
        std::string texts;
        json.key("values").beginArray();
        for (double number : item.numbers) {
          const std::string text = numeric::formatDouble(number);
          json.numberText(text);
          texts += (texts.empty() ? "" : ", ") + text;
        }
        json.endArray();
        json.key("text").string(texts);
        break;
      }
    }
    json.endObject();
  }
  json.endArray();
}

void putResults(Json& json, std::initializer_list<const calc::Items*> results, Language language) {
  json.key("results").beginArray();
  for (const calc::Items* items : results) {
    json.beginObject();
    json.key("items");
    putItems(json, *items, language);
    json.endObject();
  }
  json.endArray();
}

void solve(Json& json, const Request& request) {
  const calc::SolveAnswer answer = calc::solve(inputsOf(request, "unknown"), request.text("unknown"));
  json.key("unknown").string(answer.unknownKey);
  json.key("results").beginArray();
  for (calc::Items items : answer.answers) {
    if (answer.capacity) items.insert(items.end(), answer.capacity->begin(), answer.capacity->end());
    json.beginObject();
    json.key("items");
    putItems(json, items, request.language);
    json.endObject();
  }
  json.endArray();
}

void table(Json& json, const Request& request) {
  const calc::TablePlan plan = calc::planTable(inputsOf(request));
  json.key("results").beginArray().beginObject().key("items").beginArray().endArray().endObject().endArray();
  // A surveyed section's rows carry the water level after the depth.
  const bool levels = calc::hasLevels(plan);
  json.key("table").beginObject();
  json.key("columns").beginArray();
  for (const char* column : {"h", "wse", "A", "v", "Q", "Fr", "regime"}) {
    if (levels || std::string_view(column) != "wse") json.string(column);
  }
  json.endArray();
  json.key("rows").beginArray();
  for (long k = 0; k < plan.range.rows; ++k) {
    const calc::TableRow row = calc::tableRow(plan, k);
    json.beginObject();
    if (!row.ok) {
      json.key("h").string(numeric::formatDouble(row.h));
      if (levels) json.key("wse").string(numeric::formatDouble(row.wse));
      json.key("error").string(calc::messageText(row.error, request.language, calc::FieldStyle::Column));
    } else {
      std::vector<double> values{row.h, row.A, row.v, row.Q, row.Fr};
      if (levels) values.insert(values.begin() + 1, row.wse);
      const std::size_t froude = values.size() - 1;  // none where a pipe runs full
      json.key("cells").beginArray();
      for (std::size_t c = 0; c < values.size(); ++c) {
        json.string(row.full && c == froude ? std::string() : numeric::formatDouble(values[c]));
      }
      json.string(calc::termText(row.regime, request.language));
      json.endArray();
      json.key("values").beginArray();
      for (std::size_t c = 0; c < values.size(); ++c) row.full && c == froude ? json.null() : json.number(values[c]);
      json.null();
      json.endArray();
    }
    json.endObject();
  }
  json.endArray();
  json.endObject();
}

void profile(Json& json, const Request& request) {
  const calc::ProfileAnswer answer = calc::profile(inputsOf(request));
  putResults(json, {&answer.head}, request.language);
  json.key("points").beginObject();
  json.key("columns").beginArray();
  for (const char* column : {"x", "h", "A", "v", "E", "Fr", "Sf"}) json.string(column);
  json.endArray();
  // One line of tab-separated texts a point: thousands of points parse fast.
  json.key("lines").beginArray();
  std::string line;
  char text[numeric::kMaxFormattedLength];
  for (const calc::ProfilePoint& p : answer.points) {
    line.clear();
    const double values[] = {p.x, p.h, p.A, p.v, p.E, p.Fr, p.Sf};
    for (std::size_t k = 0; k < std::size(values); ++k) {
      if (k) line += '\t';
      if (!std::isnan(values[k])) line.append(text, numeric::formatDouble(values[k], text));
    }
    json.string(line);
  }
  json.endArray();
  json.endObject();
}

void outline(Json& json, const Request& request) {
  const calc::OutlineAnswer answer = calc::outline(inputsOf(request));
  json.key("boundary").beginArray();
  for (const auto& [x, z] : answer.outline.boundary) json.beginArray().number(x).number(z).endArray();
  json.endArray();
  json.key("water").beginArray();
  json.beginArray().number(answer.outline.waterLeft[0]).number(answer.outline.waterLeft[1]).endArray();
  json.beginArray().number(answer.outline.waterRight[0]).number(answer.outline.waterRight[1]).endArray();
  json.endArray();
  if (answer.outline.segmentN.empty()) return;
  // A surveyed section: each boundary segment's n (null where it has none),
  // the surface's pieces at its elevation, and the lines dividing its parts.
  json.key("segments").beginArray();
  for (std::size_t k = 0; k < answer.outline.segmentN.size(); ++k) {
    const double n = answer.outline.segmentN[k];
    json.beginObject().key("from").number(static_cast<double>(k)).key("to").number(static_cast<double>(k + 1));
    json.key("n");
    n > 0 ? json.number(n) : json.null();
    json.endObject();
  }
  json.endArray();
  const double surface = answer.outline.waterLeft[1];
  json.key("surface").beginArray();
  for (const auto& [from, to] : answer.outline.water) json.beginArray().number(from).number(surface).number(to).number(surface).endArray();
  json.endArray();
  json.key("dividers").beginArray();
  for (const auto& [x, bed, top] : answer.outline.dividers) json.beginArray().number(x).number(bed).number(x).number(top).endArray();
  json.endArray();
}

// The design's section as a DXF file at 1:dxf-scale (50 unless given).
void designDxf(Json& json, const Request& request) {
  const calc::Inputs inputs = inputsOf(request);
  double scale = tools::kDefaultDxfScale;
  if (inputs.has("dxf-scale")) {
    calc::InputReader reader(inputs);
    scale = reader.number("dxf-scale").value_or(scale);
    reader.finish();
  }
  json.key("dxf").string(tools::dxfOf(calc::designCanal(inputs).drawing, scale));
}

// The command line's batch over the text: CSV out, or the whole batch's problem.
void batch(Json& json, const Request& request, bool& failed) {
  std::string csv = request.text("csv");
  std::FILE* in = fmemopen(csv.data(), csv.size(), "r");
  char* written = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&written, &size);
  char* messages = nullptr;
  std::size_t messageSize = 0;
  std::FILE* err = open_memstream(&messages, &messageSize);
  int status = 0;
  {
    tools::OutputSink sink(out);
    status = csv.empty() ? 0 : tools::runBatch(tools::OutputFormat::Csv, in, sink, err);
    sink.finish();
  }
  if (in) std::fclose(in);
  std::fclose(out);
  std::fclose(err);
  const std::string text(written ? written : "", size);
  std::string problem(messages ? messages : "", messageSize);
  std::free(written);
  std::free(messages);
  failed = status != 0;
  if (failed) {
    while (!problem.empty() && problem.back() == '\n') problem.pop_back();
    json.key("problems").beginArray().beginObject();
    json.key("field").string("csv").key("code").string("batch").key("message").string(problem);
    json.endObject().endArray();
    return;
  }
  json.key("csv").string(text);
}

}  // namespace

std::string answerJson(std::string_view requestText) {
  const Request request = parseRequest(requestText);
  Json json;
  json.beginObject();
  Json answer;
  answer.continueObject();
  bool failed = false;
  try {
    if (request.command == "report") {
      const calc::Items items = calc::report(inputsOf(request));
      putResults(answer, {&items}, request.language);
    } else if (request.command == "solve") {
      solve(answer, request);
    } else if (request.command == "table") {
      table(answer, request);
    } else if (request.command == "jump") {
      const calc::Items items = calc::jump(inputsOf(request));
      putResults(answer, {&items}, request.language);
    } else if (request.command == "profile") {
      profile(answer, request);
    } else if (request.command == "outline") {
      outline(answer, request);
    } else if (request.command == "batch") {
      batch(answer, request, failed);
    } else if (request.command == "design") {
      const calc::DesignAnswer design = calc::designCanal(inputsOf(request));
      putResults(answer, {&design.items}, request.language);
      putDesignAnswer(answer, design, request.language);
    } else if (request.command == "design-dxf") {
      designDxf(answer, request);
    } else {
      failed = true;
      answer.key("problems").beginArray().beginObject();
      answer.key("field").string("").key("code").string("unknown-command").key("message").string(request.command);
      answer.endObject().endArray();
    }
  } catch (const calc::CalcError& error) {
    failed = true;
    answer = Json();
    answer.continueObject();
    answer.key("problems").beginArray();
    for (const calc::Problem& problem : error.problems()) {
      answer.beginObject();
      answer.key("field").string(problem.field);
      answer.key("code").string(calc::messageInfo(problem.id).code);
      answer.key("usage").boolean(calc::messageInfo(problem.id).usage);
      answer.key("message").string(calc::messageText(problem, request.language, calc::FieldStyle::Column));
      answer.endObject();
    }
    answer.endArray();
  }
  json.key("ok").boolean(!failed);
  return json.text() + answer.text() + "}";
}


}  // namespace channelflow::web
