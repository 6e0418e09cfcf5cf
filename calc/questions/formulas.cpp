#include "calc/questions/formulas.h"

#include <variant>

namespace channelflow::calc {
namespace {

using enum TextId;

// The item's number as an argument; nothing when the answer has none.
std::optional<MessageArg> valueOf(const Items& items, std::string_view key) {
  const Item* item = findItem(items, key);
  if (item == nullptr || item->cell.kind != Cell::Kind::Number) return std::nullopt;
  return MessageArg::measure(item->cell.number, static_cast<int>(quantityInfo(item->id).unit));
}

// The phrase with the items' numbers in, or, when one is missing, the formula alone.
void add(std::vector<Phrase>& lines, TextId withNumbers, TextId alone, const Items& items,
         std::initializer_list<std::string_view> keys, std::vector<MessageArg> constants = {}) {
  std::vector<MessageArg> args = constants;
  for (std::string_view key : keys) {
    const std::optional<MessageArg> value = valueOf(items, key);
    if (!value) {
      lines.push_back({alone, std::move(constants)});
      return;
    }
    args.push_back(*value);
  }
  lines.push_back({withNumbers, std::move(args)});
}

MessageArg gravity(const Channel& c) { return MessageArg::value(unitsOf(c.units).g); }

// "1.486·" in US units, where Manning's factor is not 1.
MessageArg manning(const Channel& c) {
  return MessageArg::literal(c.units == UnitSystem::US ? "1.486·" : "");
}

}  // namespace

std::vector<Phrase> uniformFormulas(const Channel& c, const Items& items) {
  std::vector<Phrase> lines;
  if (const auto* t = std::get_if<Trapezoid>(&c.shape); t && !c.roughness.composite) {
    if (t->m1 == t->m2) {
      add(lines, FormulaTrapezoidArea, FormulaTrapezoidAreaAlone, items, {"B", "m", "h", "A"});
      add(lines, FormulaTrapezoidPerimeter, FormulaTrapezoidPerimeterAlone, items, {"B", "h", "m", "P"});
    } else {
      add(lines, FormulaSlopesArea, FormulaSlopesAreaAlone, items, {"B", "m1", "m2", "h", "A"});
      add(lines, FormulaSlopesPerimeter, FormulaSlopesPerimeterAlone, items, {"B", "h", "m1", "m2", "P"});
    }
  } else if (std::holds_alternative<Circle>(c.shape)) {
    lines.push_back({FormulaCircle, {}});
  } else if (std::holds_alternative<UShape>(c.shape)) {
    lines.push_back({FormulaUShape, {}});
  } else if (std::holds_alternative<Parabola>(c.shape)) {
    lines.push_back({FormulaParabola, {}});
  }
  add(lines, FormulaRadius, FormulaRadiusAlone, items, {"A", "P", "R"});
  add(lines, FormulaChezy, FormulaChezyAlone, items, {"R", "n", "C"}, {manning(c)});
  add(lines, FormulaVelocity, FormulaVelocityAlone, items, {"C", "R", "i", "v"});
  add(lines, FormulaDischarge, FormulaDischargeAlone, items, {"v", "A", "Q"});
  add(lines, FormulaFroude, FormulaFroudeAlone, items, {"v", "D", "Fr"}, {gravity(c)});
  add(lines, FormulaEnergy, FormulaEnergyAlone, items, {"h", "v", "E"}, {gravity(c)});
  return lines;
}

std::vector<Phrase> jumpFormulas(const Channel& c, const Items& items) {
  std::vector<Phrase> lines;
  lines.push_back({FormulaMomentum, {gravity(c)}});
  add(lines, FormulaSequent, FormulaSequentAlone, items, {"h1", "h2"});
  add(lines, FormulaJumpFroude, FormulaJumpFroudeAlone, items, {"v1", "Fr1"}, {gravity(c)});
  add(lines, FormulaJumpLoss, FormulaJumpLossAlone, items, {"E1", "E2", "dE"});
  return lines;
}

std::vector<Phrase> profileFormulas(const Channel& c) {
  return {{FormulaProfileSlope, {}},
          {FormulaFrictionSlope, {MessageArg::literal(c.units == UnitSystem::US ? "1.486²·" : "")}},
          {FormulaStep, {}}};
}

}  // namespace channelflow::calc
