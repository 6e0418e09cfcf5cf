#include "web/binding/toolkit_json.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "calc/canal/line_answer.h"
#include "calc/canal/line_file.h"
#include "calc/reach/reach_file.h"
#include "calc/services/batch.h"
#include "calc/services/dxf_writer.h"
#include "calc/structures/siphon_tables.h"
#include "calc/structures/transition_forms.h"
#include "calc/toolkit/toolkit.h"
#include "web/binding/design_json.h"
#include "web/binding/json.h"

namespace channelflow::web {
namespace {

using calc::Language;

void putQuestionInputs(Json& json, std::span<const calc::QuestionInput> inputs) {
  json.beginArray();
  for (const calc::QuestionInput& input : inputs) {
    json.beginObject();
    json.key("key").string(input.key);
    json.key("required").boolean(input.required);
    json.key("default").string(input.byDefault);
    json.key("oneOf").number(input.oneOf);
    // A picker's choices, as the command line's help lists them.
    json.key("choices").beginArray();
    for (std::string_view rest = calc::choicesOf(input.key); !rest.empty();) {
      const std::size_t bar = std::min(rest.find('|'), rest.size());
      json.string(rest.substr(0, bar));
      rest.remove_prefix(std::min(bar + 1, rest.size()));
    }
    json.endArray();
    json.endObject();
  }
  json.endArray();
}

// The named forms a structure's boxes take, which depend on the structure and
// so are no choice of their own: Table L.1.4-2's entrances, and each
// transition form with the family whose table holds it.
void putStructureForms(Json& json) {
  namespace structures = calc::structures;
  json.key("structureForms").beginObject();
  json.key("entrances").beginArray();
  for (const structures::EntranceForm& form : structures::entranceForms()) {
    json.beginObject().key("key").string(form.key).key("name");
    putText(json, form.name);
    json.endObject();
  }
  json.endArray();
  json.key("transitions").beginArray();
  for (const structures::TransitionForm& form : structures::transitionForms()) {
    constexpr const char* kFamilies[] = {"aqueduct", "siphon", "culvert"};  // in TransitionFamily's order
    json.beginObject().key("family").string(kFamilies[static_cast<int>(form.family)]);
    json.key("table").string(structures::familyTable(form.family)).key("key").string(form.key).key("name");
    putText(json, form.name);
    json.endObject();
  }
  json.endArray();
  json.endObject();
}

calc::Inputs inputsOf(const Request& request) {
  calc::Inputs inputs;
  for (const auto& [key, text] : request.inputs) inputs.set(key, text);
  return inputs;
}

// A problem of a file's row names its row (as the file counts them) and its
// cell's own problem, so that a table can mark the cell.
void putCell(Json& json, const calc::Problem& problem, Language language) {
  const bool ofRow = problem.id == calc::MessageId::ReachRow || problem.id == calc::MessageId::ReachSection;
  if (!ofRow || problem.args.size() != 2 || !problem.args[1].problem) return;
  const calc::Problem& cell = *problem.args[1].problem;
  json.key("row").numberText(problem.args[0].text);
  json.key("cell").beginObject();
  json.key("field").string(cell.field);
  json.key("code").string(calc::messageInfo(cell.id).code);
  json.key("message").string(calc::messageText(cell, language, calc::FieldStyle::Column));
  json.endObject();
}

// {"ok": false, "problems": [...]}, the messages naming inputs as the page's boxes do.
std::string problemsLine(const std::vector<calc::Problem>& problems, Language language) {
  Json json;
  json.beginObject().key("ok").boolean(false).key("problems").beginArray();
  for (const calc::Problem& problem : problems) {
    json.beginObject();
    json.key("field").string(problem.field);
    json.key("code").string(calc::messageInfo(problem.id).code);
    json.key("usage").boolean(calc::messageInfo(problem.id).usage);
    json.key("message").string(calc::messageText(problem, language, calc::FieldStyle::Column));
    putCell(json, problem, language);
    json.endObject();
  }
  json.endArray().endObject();
  return json.text();
}

calc::WriteOptions pageOptions(Language language) {
  calc::WriteOptions options;
  options.language = language;
  options.fields = calc::FieldStyle::Column;
  options.words = true;
  options.report = true;
  return options;
}

}  // namespace

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
  constexpr const char* kLimits[] = {"any", "nonNegative", "positive", "choice", "count", "text", "list"};
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
  json.key("questions").beginArray();
  for (const calc::Question& question : calc::questions()) {
    json.beginObject();
    json.key("name").string(question.name);
    json.key("channel").boolean(question.channel);
    json.key("inputs");
    putQuestionInputs(json, question.inputs);
    json.endObject();
  }
  json.endArray();
  json.key("channelInputs");
  putQuestionInputs(json, calc::channelInputs());
  // A reach file's columns: the key and the Chinese name a header may use.
  json.key("reachColumns").beginArray();
  for (std::size_t column = 0; column < calc::kReachColumns; ++column) {
    const auto which = static_cast<calc::ReachColumn>(column);
    json.beginObject().key("key").string(calc::reachColumnKey(which)).key("zh").string(calc::reachColumnChinese(which)).endObject();
  }
  json.endArray();
  // A canal line file's columns, the same way.
  json.key("lineColumns").beginArray();
  for (std::size_t column = 0; column < calc::kLineColumns; ++column) {
    const auto which = static_cast<calc::LineColumn>(column);
    json.beginObject().key("key").string(calc::lineColumnKey(which)).key("zh").string(calc::lineColumnChinese(which)).endObject();
  }
  json.endArray();
  putDesignTables(json);
  putStructureForms(json);
  json.endObject();
  return json.text();
}

std::string answerText(std::string_view requestText) {
  const Request request = parseRequest(requestText);
  const calc::Question* question = calc::findQuestion(request.question);
  if (question == nullptr || question->answer == nullptr) {
    return problemsLine({{calc::MessageId::UnknownQuestion, "question", {calc::MessageArg::literal(request.question)}}},
                        request.language);
  }
  try {
    calc::WriteOptions options = pageOptions(request.language);
    if (!request.digits.empty()) options.precision = calc::readPrecision(request.digits, "digits");
    const calc::Answer answer = question->answer(inputsOf(request));
    calc::TextSink out;
    out.put("{\"ok\": true}");
    out.put(kSeparator);
    calc::writeJson(answer, out, pageOptions(request.language));
    if (!options.precision.full()) {
      out.put(kSeparator);
      calc::writeJson(answer, out, options);
    }
    return out.text();
  } catch (const calc::CalcError& error) {
    return problemsLine(error.problems(), request.language);
  }
}

std::string batchText(std::string_view csv, std::string_view language) {
  calc::BatchOptions options;
  options.write.language = language == "en" ? Language::English : Language::Chinese;
  calc::TextSource in(csv);
  calc::TextSink out;
  try {
    const calc::BatchCount count = calc::runBatch(in, out, options);
    Json json;
    json.beginObject().key("ok").boolean(true);
    json.key("rows").number(static_cast<double>(count.rows)).key("failed").number(static_cast<double>(count.failed));
    json.endObject();
    return json.text() + kSeparator + out.text();
  } catch (const calc::CalcError& error) {
    return problemsLine(error.problems(), options.write.language);
  }
}

std::string designDxfText(std::string_view requestText) {
  const Request request = parseRequest(requestText);
  try {
    return std::string("{\"ok\": true}") + kSeparator + calc::designDxf(inputsOf(request));
  } catch (const calc::CalcError& error) {
    return problemsLine(error.problems(), request.language);
  }
}

std::string lineDxfText(std::string_view requestText) {
  const Request request = parseRequest(requestText);
  try {
    return std::string("{\"ok\": true}") + kSeparator + calc::lineDxf(inputsOf(request));
  } catch (const calc::CalcError& error) {
    return problemsLine(error.problems(), request.language);
  }
}

}  // namespace channelflow::web
