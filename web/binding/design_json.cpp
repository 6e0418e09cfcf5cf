#include "web/binding/design_json.h"

#include <array>
#include <optional>

#include "calc/design/enlargement_table.h"
#include "calc/design/roughness_table.h"
#include "calc/design/row_names.h"
#include "calc/design/scour_table.h"
#include "calc/design/side_slope_table.h"
#include "calc/design/soils.h"
#include "numeric/text/number_text.h"

namespace channelflow::web {
namespace {

using calc::Language;

void putCell(Json& json, const calc::design::VelocityCell& cell) {
  constexpr const char* kBounds[] = {"range", "single", "below", "above"};
  json.beginObject();
  json.key("low").number(cell.low);
  json.key("high").number(cell.high);
  json.key("bound").string(kBounds[static_cast<int>(cell.bound)]);
  json.key("text").string(calc::design::cellText(cell));
  json.endObject();
}

void putPoint(Json& json, const std::array<double, 2>& point) { json.beginArray().number(point[0]).number(point[1]).endArray(); }

}  // namespace

std::string rowOrTermText(std::string_view key, Language language) {
  return calc::findTerm(key) ? std::string(calc::termText(key, language)) : calc::design::rowName(key, language);
}

void putDesignTables(Json& json) {
  namespace design = calc::design;
  json.key("design").beginObject();
  json.key("roughness").beginArray();
  for (const design::RoughnessRow& row : design::roughnessTable()) {
    json.beginObject();
    json.key("key").string(row.key);
    json.key("table").string(row.table);
    json.key("name").beginObject();
    json.key("zh").string(design::rowName(row.key, Language::Chinese));
    json.key("en").string(design::rowName(row.key, Language::English));
    json.endObject();
    json.key("group");
    putText(json, row.group);
    json.key("flow");
    putText(json, design::flowClassText(row.flow));
    json.key("condition");
    putText(json, row.condition);
    json.key("n").beginArray().number(row.low).number(row.high).endArray();
    json.key("escape");
    row.escape > 0 ? json.number(row.escape) : json.null();
    json.endObject();
  }
  json.endArray();
  constexpr const char* kBases[] = {"radius", "depth", "fixed", "cover-radius"};
  json.key("scour").beginArray();
  for (const design::ScourRow& row : design::scourTable()) {
    json.beginObject();
    json.key("key").string(row.key);
    json.key("table").string(row.table);
    json.key("group");
    putText(json, row.group);
    json.key("name");
    putText(json, row.name);
    json.key("basis").string(kBases[static_cast<int>(row.basis)]);
    json.key("cells").beginArray();
    for (std::size_t k = 0; k < (row.basis == design::ScourBasis::Depth ? row.v.size() : 1); ++k) putCell(json, row.v[k]);
    json.endArray();
    json.key("grain").string(design::grainText(row));
    json.key("cover").beginArray();
    for (std::string_view soil : row.cover) {
      if (!soil.empty()) json.string(soil);
    }
    json.endArray();
    json.endObject();
  }
  json.endArray();
  json.key("scourDepths").beginArray();
  for (double depth : design::kScourDepths) json.number(depth);
  json.endArray();
  json.key("soils").beginArray();
  auto putSoil = [&json](std::string_view key) {
    const std::optional<design::Soil> soil = design::findSoil(key);
    json.beginObject();
    json.key("key").string(key);
    json.key("name");
    putText(json, soil->name);
    json.key("scour").boolean(soil->scour != nullptr);
    json.key("sideSlope").boolean(soil->sideSlope != nullptr);
    json.key("rock").boolean(soil->rock);
    json.endObject();
  };
  for (const design::ScourRow& row : design::scourTable()) {
    if (row.table != "C.0.4") putSoil(row.key);
  }
  for (const design::OtherSoil& soil : design::otherSoils()) putSoil(soil.key);
  json.endArray();
  json.key("sideSlopes").beginArray();
  for (const design::SideSlopeRow& row : design::sideSlopeTable()) {
    json.beginObject();
    json.key("soil");
    putText(json, row.soil);
    json.key("soils").beginArray();
    for (std::string_view soil : row.soils) {
      if (!soil.empty()) json.string(soil);
    }
    json.endArray();
    json.key("m").beginArray();
    for (double m : row.m) json.number(m);
    json.endArray();
    json.endObject();
  }
  json.endArray();
  json.key("enlargement").beginArray();
  for (const design::EnlargementRow& row : design::enlargementTable()) {
    json.beginObject();
    json.key("from").number(row.fromQ).key("to").number(row.toQ);
    json.key("smaller").number(row.smaller).key("larger").number(row.larger);
    json.endObject();
  }
  json.endArray();
  json.endObject();
}


void putDesignAnswer(Json& json, const calc::DesignAnswer& answer, Language language) {
  json.key("schemes").beginObject();
  json.key("columns").beginArray();
  for (const char* column : {"alpha", "eta", "beta", "B", "h", "A", "v", "increase"}) json.string(column);
  json.endArray();
  json.key("rows").beginArray();
  for (const calc::DesignScheme& s : answer.schemes) {
    json.beginArray();
    for (double value : {s.alpha, s.eta, s.beta, s.B, s.h, s.A, s.v, s.increase}) json.number(value);
    json.endArray();
  }
  json.endArray();
  json.key("texts").beginArray();
  for (const calc::DesignScheme& s : answer.schemes) {
    json.beginArray();
    for (double value : {s.alpha, s.eta, s.beta, s.B, s.h, s.A, s.v, s.increase}) json.string(numeric::formatDouble(value));
    json.endArray();
  }
  json.endArray();
  json.key("chosen");
  double chosen = -1;
  for (std::size_t k = 0; k < answer.schemes.size(); ++k) {
    if (answer.schemes[k].chosen) chosen = static_cast<double>(k);
  }
  chosen < 0 ? json.null() : json.number(chosen);
  json.key("inTable").beginArray();
  for (const calc::DesignScheme& s : answer.schemes) json.boolean(s.inTable);
  json.endArray();
  json.endObject();
  json.key("checks").beginArray();
  for (const calc::design::DesignCheck& check : answer.checks) {
    const char* status = calc::design::statusTerm(check.status);
    json.beginObject();
    json.key("key").string(check.key);
    json.key("name").string(calc::termText(check.key, language));
    json.key("ok");
    check.status == calc::design::CheckStatus::NotChecked ? json.null()
                                                          : json.boolean(check.status == calc::design::CheckStatus::Pass);
    json.key("status").string(status);
    json.key("statusText").string(calc::termText(status, language));
    json.key("message").string(calc::phraseText(check.message, language, calc::FieldStyle::Column));
    json.endObject();
  }
  json.endArray();
  constexpr const char* kKinds[] = {"title", "heading", "step", "note", "schemes", "checks"};
  json.key("report").beginArray();
  for (const calc::design::ReportLine& line : answer.report) {
    json.beginObject();
    json.key("kind").string(kKinds[static_cast<int>(line.kind)]);
    const bool table = line.kind == calc::design::ReportLine::Kind::Schemes || line.kind == calc::design::ReportLine::Kind::Checks;
    json.key("text").string(table ? std::string() : calc::phraseText(line.text, language, calc::FieldStyle::Column));
    json.endObject();
  }
  json.endArray();
  const calc::DesignDrawing& d = answer.drawing;
  json.key("outline").beginObject();
  json.key("boundary").beginArray();
  for (const auto& point : d.outline.boundary) putPoint(json, point);
  json.endArray();
  json.key("water").beginArray();
  putPoint(json, d.outline.waterLeft);
  putPoint(json, d.outline.waterRight);
  json.endArray();
  json.key("waterEnlarged").beginArray();
  putPoint(json, d.enlargedLeft);
  putPoint(json, d.enlargedRight);
  json.endArray();
  json.key("section").string(d.trapezoid ? "trapezoid" : "u");
  for (const auto& [key, value] : {std::pair{"B", d.b}, std::pair{"m", d.m}, std::pair{"r", d.r}, std::pair{"h", d.h},
                                   std::pair{"hj", d.hj}, std::pair{"Fb", d.Fb}, std::pair{"H", d.H}}) {
    json.key(key).number(value);
  }
  json.endObject();
}

}  // namespace channelflow::web
