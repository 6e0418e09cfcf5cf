// The two systems of units a channel can be described in. Manning's formula
// v = (k/n) R^(2/3) sqrt(i) keeps the same n in both: k = 1 in metres, and
// 1.486 (the cube root of 3.2808 ft per metre) in feet.
#pragma once

#include <optional>
#include <string_view>

namespace channelflow::sections {

enum class UnitSystem { SI, US };

struct Units {
  UnitSystem system;
  std::string_view key;  // "si" or "us", as typed and as written in JSON
  double g;              // gravity
  double manning;        // Manning's factor k
  double unitWeight;     // weight of water per volume, rho g, for the shear stress
  std::string_view length, area, discharge, velocity, stress;
};

// Water of 1000 kg/m^3 in both: 9806.65 N/m^3 is 1000 * 0.3048^3 / 0.45359237 lbf/ft^3.
inline constexpr Units kSiUnits{UnitSystem::SI, "si", 9.80665, 1.0, 9806.65, "m", "m²", "m³/s", "m/s", "Pa"};
inline constexpr Units kUsUnits{UnitSystem::US,    "us",    32.174, 1.486,     62.42796057614462,
                                "ft",              "ft²",   "ft³/s", "ft/s",   "lbf/ft²"};

inline const Units& unitsOf(UnitSystem system) { return system == UnitSystem::US ? kUsUnits : kSiUnits; }

// "si" or "us"; anything else is no system.
inline std::optional<UnitSystem> unitSystemNamed(std::string_view key) {
  if (key == kSiUnits.key) return UnitSystem::SI;
  if (key == kUsUnits.key) return UnitSystem::US;
  return std::nullopt;
}

}  // namespace channelflow::sections
