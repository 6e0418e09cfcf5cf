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

void putRowName(Json& json, std::string_view key) {
  json.key("name").beginObject();
  json.key("zh").string(calc::design::rowName(key, Language::Chinese));
  json.key("en").string(calc::design::rowName(key, Language::English));
  json.endObject();
}

}  // namespace

void putDesignTables(Json& json) {
  namespace design = calc::design;
  json.key("design").beginObject();
  json.key("roughness").beginArray();
  for (const design::RoughnessRow& row : design::roughnessTable()) {
    json.beginObject();
    json.key("key").string(row.key);
    json.key("table").string(row.table);
    putRowName(json, row.key);
    json.key("group");
    putText(json, row.group);
    json.key("flow");
    putText(json, design::flowClassText(row.flow));
    json.key("condition");
    putText(json, row.condition);
    json.key("n_low").number(row.low);
    json.key("n_high").number(row.high);
    json.key("n_escape");
    row.escape > 0 ? json.number(row.escape) : json.null();
    json.endObject();
  }
  json.endArray();
  json.key("scour").beginArray();
  for (const design::ScourRow& row : design::scourTable()) {
    json.beginObject();
    json.key("key").string(row.key);
    json.key("table").string(row.table);
    json.key("group");
    putText(json, row.group);
    json.key("name");
    putText(json, row.name);
    json.key("grain").string(design::grainText(row));
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

}  // namespace channelflow::web
