// The two systems of units a channel can be described in. Manning's formula
// v = (k/n) R^(2/3) sqrt(i) keeps the same n in both: k = 1 in metres, and
// 1.486 (the cube root of 3.2808 ft per metre, as engineers write it) in feet.
// One gravity for both: the standard 9.80665 m/s², converted exactly to feet.
#pragma once

#include <optional>
#include <string_view>

namespace channelflow::calc {

enum class UnitSystem { SI, US };

struct Units {
  UnitSystem system;
  std::string_view key;  // "si" or "us", as typed and as written in JSON
  double g;              // gravity
  double manning;        // Manning's factor k
  double unitWeight;     // weight of water per volume, rho g, for the shear stress
};

// Each constant is the double nearest its exact value: 9.80665 / 0.3048 ft/s²,
// and 1000 kg/m³ of water weighing 9806.65 N/m³ = 1000 * 0.3048³ / 0.45359237 lbf/ft³.
inline constexpr Units kSiUnits{UnitSystem::SI, "si", 9.80665, 1.0, 9806.65};
inline constexpr Units kUsUnits{UnitSystem::US, "us", 0x1.01647391ce474p+5, 1.486, 0x1.f36c76983425cp+5};

inline const Units& unitsOf(UnitSystem system) { return system == UnitSystem::US ? kUsUnits : kSiUnits; }

// "si" or "us"; anything else is no system.
inline std::optional<UnitSystem> unitSystemNamed(std::string_view key) {
  if (key == kSiUnits.key) return UnitSystem::SI;
  if (key == kUsUnits.key) return UnitSystem::US;
  return std::nullopt;
}

}  // namespace channelflow::calc
