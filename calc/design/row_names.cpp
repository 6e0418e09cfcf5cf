#include "calc/design/row_names.h"

#include "calc/design/roughness_table.h"
#include "calc/design/soils.h"

namespace channelflow::calc::design {
namespace {

std::string joined(std::initializer_list<std::string_view> parts, Language language) {
  std::string name;
  for (std::string_view part : parts) {
    if (part.empty()) continue;
    if (!name.empty()) name += language == Language::English ? ", " : "，";
    name += part;
  }
  return name;
}

}  // namespace

std::string rowName(std::string_view key, Language language) {
  if (const RoughnessRow* row = findRoughnessRow(key)) {
    return joined({row->group.in(language), flowClassText(row->flow).in(language), row->condition.in(language)},
                  language);
  }
  if (const ScourRow* row = findScourRow(key)) return joined({row->group.in(language), row->name.in(language)}, language);
  if (const std::optional<Soil> soil = findSoil(key)) return std::string(soil->name.in(language));
  return std::string(key);
}

}  // namespace channelflow::calc::design
