#include "tools/channel_options.h"

#include "calc/units.h"

#include <array>
#include <string>

namespace channelflow::tools {
namespace {

using sections::Section;

constexpr std::array<OptionSpec, 12> kChannelOptions{{
    {"section", "断面形状", false},
    {"units", "单位制", false},
    {"B", "下底宽 B", false},
    {"m", "边坡系数 m", false},
    {"m1", "左边坡系数 m1", false},
    {"m2", "右边坡系数 m2", false},
    {"D", "直径 D", false},
    {"r", "底部半径 r", false},
    {"p", "抛物线参数 p", false},
    {"n", "粗糙系数 n", false},
    {"n-bed", "渠底粗糙系数 n-bed", false},
    {"n-wall", "边壁粗糙系数 n-wall", false},
}};

// The size options of each section, the first of them its width parameter.
struct SectionOptions {
  std::string_view name;
  std::array<std::string_view, 4> options;
};
constexpr std::array<SectionOptions, 4> kSectionOptions{{
    {"trapezoid", {"B", "m", "m1", "m2"}},
    {"circle", {"D", "", "", ""}},
    {"u", {"r", "m", "", ""}},
    {"parabola", {"p", "", "", ""}},
}};

std::string_view sectionKey(const Options& o) { return o.has("section") ? o.text("section") : "trapezoid"; }

const SectionOptions& sectionOptions(const Options& o) {
  const std::string_view key = sectionKey(o);
  for (const SectionOptions& s : kSectionOptions) {
    if (s.name == key) return s;
  }
  throw UsageError{"--section 只能是 trapezoid、circle、u 或 parabola，而不是 \"" + quoteForMessage(key) + "\""};
}

double numberOr(const Options& o, std::string_view name, double otherwise) {
  return o.has(name) ? o.number(name) : otherwise;
}

void requireOption(const Options& o, std::string_view name) {
  if (!o.has(name)) throw UsageError{"缺少 --" + std::string(name)};
}

}  // namespace

std::vector<OptionSpec> withChannelOptions(std::initializer_list<OptionSpec> own) {
  std::vector<OptionSpec> all(own);
  all.insert(all.end(), kChannelOptions.begin(), kChannelOptions.end());
  return all;
}

bool isFirstEditionLine(const Options& o) {
  for (std::string_view name : {"section", "units", "m1", "m2", "D", "r", "p", "n-bed", "n-wall"}) {
    if (o.has(name)) return false;
  }
  return true;
}

void checkChannelUsage(const Options& o, ChannelGaps gaps) {
  const SectionOptions& section = sectionOptions(o);
  if (o.has("units") && !sections::unitSystemNamed(o.text("units"))) {
    throw UsageError{"--units 只能是 si 或 us，而不是 \"" + quoteForMessage(o.text("units")) + "\""};
  }
  for (std::string_view name : {"B", "m", "m1", "m2", "D", "r", "p"}) {
    bool taken = false;
    for (std::string_view option : section.options) taken = taken || option == name;
    if (o.has(name) && !taken) {
      throw UsageError{std::string(section.name) + " 断面不用 --" + std::string(name)};
    }
  }
  if (!gaps.width) requireOption(o, section.options[0]);
  if (section.name == "trapezoid") {
    if (o.has("m") && (o.has("m1") || o.has("m2"))) throw UsageError{"--m 与 --m1、--m2 只能择一"};
    if (o.has("m1") != o.has("m2")) throw UsageError{"--m1 与 --m2 须同时给出"};
    if (!o.has("m1")) requireOption(o, "m");
  }
  const bool composite = o.has("n-bed") || o.has("n-wall");
  if (composite) {
    if (o.has("n")) throw UsageError{"--n 与 --n-bed、--n-wall 只能择一"};
    requireOption(o, "n-bed");
    requireOption(o, "n-wall");
  } else if (!gaps.roughness) {
    requireOption(o, "n");
  }
}

sections::Channel readChannel(const Options& o) {
  const std::string_view key = sectionKey(o);
  const double width = numberOr(o, sectionOptions(o).options[0], 0);
  sections::Channel channel;
  if (key == "trapezoid") {
    const double m = numberOr(o, "m", 0);
    channel.section = sections::Trapezoid{width, numberOr(o, "m1", m), numberOr(o, "m2", m)};
  } else if (key == "circle") {
    channel.section = sections::Circle{width};
  } else if (key == "u") {
    channel.section = sections::UShape{width, numberOr(o, "m", 0)};
  } else {
    channel.section = sections::Parabola{width};
  }
  if (o.has("units")) channel.units = sections::unitsOf(*sections::unitSystemNamed(o.text("units")));
  channel.roughness = o.has("n-bed") ? sections::Roughness::bedAndWalls(o.number("n-bed"), o.number("n-wall"))
                                     : sections::Roughness::uniform(numberOr(o, "n", 0));
  channel.i = numberOr(o, "i", 0);
  return channel;
}

std::optional<calc::Channel> asPlainTrapezoid(const sections::Channel& c) {
  const auto* t = std::get_if<sections::Trapezoid>(&c.section);
  if (t == nullptr || t->m1 != t->m2 || c.units.system != sections::UnitSystem::SI || c.roughness.composite) {
    return std::nullopt;
  }
  return calc::Channel{t->B, t->m1, c.i, c.roughness.n};
}

std::string_view widthLabel(const Section& section) {
  constexpr std::array<std::string_view, 4> kLabels{"下底宽 B", "直径 D", "底部半径 r", "抛物线参数 p"};
  return kLabels[section.index()];
}

std::string_view widthOption(const Section& section) { return kSectionOptions[section.index()].options[0]; }

std::string_view widthOptionOf(const Options& o) { return sectionOptions(o).options[0]; }

std::string_view sectionChineseName(const Section& section) {
  constexpr std::array<std::string_view, 4> kNames{"梯形", "圆形", "U形", "抛物线形"};
  return kNames[section.index()];
}

}  // namespace channelflow::tools
