#include "calc/design/design_checks.h"

#include "numeric/text/number_text.h"

namespace channelflow::calc::design {
namespace {

using enum CheckStatus;
using enum TextId;

MessageArg value(const Real& x) { return MessageArg::value(x.toDouble()); }
MessageArg value(double x) { return MessageArg::value(x); }
MessageArg field(std::string_view key) { return MessageArg::field(key); }

DesignCheck check(std::string_view key, CheckStatus status, TextId id, std::vector<MessageArg> args) {
  return {key, status, Phrase{id, std::move(args)}};
}

DesignCheck velocity(const DesignQuestion& q, const DesignResult& d) {
  const Real& v = d.design.v;
  if (!q.vMin && !q.vMax) return check("velocity", NotChecked, CheckVelocityNoLimits, {field("v-min"), field("v-max")});
  if (q.vMin && v < Real(*q.vMin)) return check("velocity", Fail, CheckVelocityLow, {value(v), field("v-min"), value(*q.vMin)});
  if (q.vMax && v > Real(*q.vMax)) return check("velocity", Fail, CheckVelocityHigh, {value(v), field("v-max"), value(*q.vMax)});
  return check("velocity", Pass, CheckVelocityWithin, {value(v), MessageArg::literal(limitsText(q))});
}

DesignCheck scour(const DesignResult& d) {
  if (!d.scour) return check("scour", NotChecked, CheckScourNoLimit, {field("v-max"), field("soil"), field("lining")});
  const Real& v = d.enlarged.v;
  const MessageArg source = d.scour->row ? MessageArg::row(d.scour->row->key) : field("v-max");
  const bool ok = !(v > d.scour->value);
  return check("scour", ok ? Pass : Fail, ok ? CheckScourOk : CheckScourFail, {value(v), value(d.scour->value), source});
}

DesignCheck silting(const DesignQuestion& q, const DesignResult& d) {
  if (!q.vMin) return check("silting", NotChecked, CheckSiltNoLimit, {field("v-min")});
  const bool ok = !(d.minimum.v < Real(*q.vMin));
  return check("silting", ok ? Pass : Fail, ok ? CheckSiltOk : CheckSiltFail,
               {value(d.minimum.v), field("v-min"), value(*q.vMin)});
}

DesignCheck minimumDepth(const DesignResult& d) {
  // 0.6 exactly: 5 hmin against 3 h.
  const bool ok = !(Real(5) * d.minimum.h < Real(3) * d.design.h);
  const Real least = Real(3) * d.design.h / Real(5);
  return check("min-depth", ok ? Pass : Fail, ok ? CheckMinDepthOk : CheckMinDepthFail,
               {value(d.minimum.h), value(d.design.h), value(least)});
}

DesignCheck sideSlope(const DesignQuestion& q, const DesignResult& d) {
  if (q.sizing == Sizing::GivenU) return check("side-slope", NotChecked, CheckSideSlopeNotTrapezoid, {});
  if (!q.soil || q.soil->sideSlope == nullptr) return check("side-slope", NotChecked, CheckSideSlopeNoSoil, {field("soil")});
  const Real& hj = d.enlarged.h;
  if (hj > Real(kSideSlopeDepthLimit)) return check("side-slope", NotChecked, CheckSideSlopeDeep, {value(hj)});
  constexpr const char* kDepths[] = {"h < 1 m", "1 m ≤ h < 2 m", "2 m ≤ h ≤ 3 m"};
  const std::size_t column = sideSlopeColumn(hj.toDouble());
  const double least = q.soil->sideSlope->m[column];
  const bool ok = !(q.m < least);
  return check("side-slope", ok ? Pass : Fail, ok ? CheckSideSlopeOk : CheckSideSlopeFail,
               {value(q.m), MessageArg::row(q.soil->key), MessageArg::literal(kDepths[column]), value(least), value(hj)});
}

DesignCheck earthVelocity(const DesignQuestion& q, const DesignResult& d) {
  const bool earth = q.lining ? isEarthCanal(*q.lining) : q.soil && !q.soil->rock;
  if (!earth) return check("earth-velocity", NotChecked, CheckEarthVelocityNotEarth, {field("lining"), field("soil")});
  // Against 0.3, 0.6 and 1.0 m/s exactly: 10 v against 3, 6 and 10.
  const Real tenV = Real(10) * d.design.v;
  if (tenV < Real(3)) return check("earth-velocity", Fail, CheckEarthVelocityLow, {value(d.design.v)});
  if (tenV < Real(6) || tenV > Real(10)) return check("earth-velocity", Fail, CheckEarthVelocityOutside, {value(d.design.v)});
  return check("earth-velocity", Pass, CheckEarthVelocityOk, {value(d.design.v)});
}

DesignCheck freeboard(const DesignQuestion& q, const DesignResult& d) {
  if (q.freeboard) return check("freeboard", NotChecked, CheckFreeboardGiven, {field("freeboard")});
  if (d.grade >= 4) return check("freeboard", Pass, CheckFreeboardFormula, {value(d.grade)});
  return check("freeboard", NotChecked, CheckFreeboardHighGrade, {value(d.grade), field("freeboard")});
}

}  // namespace

const char* statusTerm(CheckStatus status) {
  switch (status) {
    case Pass: return "pass";
    case Fail: return "fail";
    case NotChecked: return "not-checked";
  }
  return "";
}

std::string limitsText(const DesignQuestion& q) {
  if (q.vMin && q.vMax) return numeric::formatDouble(*q.vMin) + "～" + numeric::formatDouble(*q.vMax) + " m/s";
  if (q.vMin) return "≥ " + numeric::formatDouble(*q.vMin) + " m/s";
  if (q.vMax) return "≤ " + numeric::formatDouble(*q.vMax) + " m/s";
  return "";
}

std::vector<DesignCheck> designChecks(const DesignQuestion& q, const DesignResult& d) {
  return {velocity(q, d), scour(d), silting(q, d), minimumDepth(d), sideSlope(q, d), earthVelocity(q, d), freeboard(q, d)};
}

}  // namespace channelflow::calc::design
