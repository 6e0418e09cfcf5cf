// The checks of a designed canal, each named, with its verdict and a message
// that says what was compared with what: the design velocity against the
// limits given, the enlarged flow against the non-scouring velocity
// (Appendix C), the minimum flow against the non-silting velocity and 60 %
// of the design depth (§6.3.5), the side slope against Table 6.4.4, an earth
// canal's velocity against §6.3.10, and whether §6.4.8's freeboard formula
// holds for the canal's grade.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "calc/design/canal_design.h"
#include "calc/toolkit/phrase.h"

namespace channelflow::calc::design {

enum class CheckStatus : std::uint8_t { Pass, Fail, NotChecked };

struct DesignCheck {
  std::string_view key;  // "velocity", "scour", "silting", "min-depth", "side-slope", "earth-velocity", "freeboard"
  CheckStatus status = CheckStatus::NotChecked;
  Phrase message;
};

// The catalog's term of a status: "pass", "fail" or "not-checked".
const char* statusTerm(CheckStatus status);

std::vector<DesignCheck> designChecks(const DesignQuestion& question, const DesignResult& design);

// "0.3～1.2 m/s", "≥ 0.3 m/s" or "≤ 1.2 m/s": the velocity limits given, as messages quote them.
std::string limitsText(const DesignQuestion& question);

}  // namespace channelflow::calc::design
