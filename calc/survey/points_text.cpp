#include "calc/survey/points_text.h"

#include <algorithm>
#include <string>

#include "calc/toolkit/inputs.h"

namespace channelflow::calc {
namespace {

constexpr std::size_t kMostProblems = 10;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool separatesPoints(char c) { return isBlank(c) || c == ';'; }

MessageArg position(std::size_t k) { return MessageArg::literal(std::to_string(k + 1)); }

// One point's text split into its values: "x,z" or "x,z,n", blanks allowed
// around the commas. Where it ends, and its values (none when the point is not
// written that way).
struct PointWords {
  std::size_t end = 0;
  std::vector<std::string_view> values;
  bool wellFormed = true;
};

PointWords pointAt(std::string_view text, std::size_t at) {
  PointWords point;
  std::size_t k = at;
  while (true) {
    const std::size_t start = k;
    while (k < text.size() && !separatesPoints(text[k]) && text[k] != ',') ++k;
    point.values.push_back(text.substr(start, k - start));
    if (k == start) point.wellFormed = false;
    std::size_t after = k;
    while (after < text.size() && isBlank(text[after])) ++after;
    if (after < text.size() && text[after] == ',') {
      k = after + 1;
      while (k < text.size() && isBlank(text[k])) ++k;
      continue;
    }
    point.end = k;
    break;
  }
  if (point.values.size() < 2 || point.values.size() > 3) point.wellFormed = false;
  return point;
}

const char* reasonTerm(MessageId id) {
  return id == MessageId::NumberTooLarge ? "too-large" : id == MessageId::NumberTooSmall ? "too-small" : "not-a-number";
}

}  // namespace

std::optional<SurveyText> readSurveyText(std::string_view text, std::string_view field, std::vector<Problem>& problems) {
  const std::size_t before = problems.size();
  auto keep = [&](MessageId id, std::vector<MessageArg> args) {
    problems.push_back({id, std::string(field), std::move(args)});
  };
  SurveyText survey;
  std::size_t bad = 0;
  for (std::size_t at = 0;;) {
    while (at < text.size() && separatesPoints(text[at])) ++at;
    if (at >= text.size()) break;
    const PointWords words = pointAt(text, at);
    const std::size_t k = survey.points.size();
    const std::string_view written = text.substr(at, words.end - at);
    at = words.end;
    survey.points.push_back({});
    survey.n.emplace_back();
    if (bad >= kMostProblems) continue;
    if (!words.wellFormed) {
      keep(MessageId::PointSyntax, {position(k), MessageArg::literal(quoteForMessage(written))});
      ++bad;
      continue;
    }
    // The station and elevation as typed, for their exact differences.
    numeric::Decimal values[3];
    bool readable = true;
    for (std::size_t v = 0; v < words.values.size(); ++v) {
      Problem problem;
      const std::optional<numeric::Decimal> number = readDecimal(words.values[v], problem);
      if (number) {
        values[v] = *number;
        continue;
      }
      constexpr const char* kParts[] = {"station", "elevation", "roughness"};
      keep(MessageId::PointValue, {position(k), MessageArg::term(kParts[v]),
                                   MessageArg::literal(quoteForMessage(words.values[v])),
                                   MessageArg::term(reasonTerm(problem.id))});
      readable = false;
    }
    if (readable && words.values.size() == 3 && !(values[2].toDouble() > 0)) {
      keep(MessageId::PointRoughness, {position(k)});
      readable = false;
    }
    if (!readable) {
      ++bad;
      continue;
    }
    survey.points.back() = {values[0], values[1]};
    if (words.values.size() == 3) survey.n.back() = values[2].toDouble();
  }
  if (problems.size() > before) return std::nullopt;

  const std::vector<SurveyPoint>& p = survey.points;
  const std::size_t count = p.size();
  if (count < 3) keep(MessageId::PointsTooFew, {MessageArg::literal(std::to_string(count))});
  if (count > Survey::kMaxPoints) keep(MessageId::PointsTooMany, {MessageArg::literal(std::to_string(count))});
  if (problems.size() > before) return std::nullopt;
  for (std::size_t k = 1; k < count; ++k) {
    if (compare(p[k].x, p[k - 1].x) < 0) {
      keep(MessageId::StationsDecrease,
           {position(k), MessageArg::value(p[k].x.toDouble()), MessageArg::value(p[k - 1].x.toDouble())});
      return std::nullopt;
    }
  }
  const auto lower = [](const SurveyPoint& a, const SurveyPoint& b) { return compare(a.z, b.z) < 0; };
  const auto lowest = std::min_element(p.begin(), p.end(), lower);
  if (!lower(*lowest, p.front()) || !lower(*lowest, p.back())) {
    keep(MessageId::NoLowPoint, {MessageArg::value(p.front().z.toDouble()), MessageArg::value(p.back().z.toDouble())});
    return std::nullopt;
  }
  // Water just above the lowest elevation needs a segment there that is not vertical.
  bool width = false;
  for (std::size_t k = 0; k + 1 < count; ++k) {
    const bool touches = compare(p[k].z, lowest->z) == 0 || compare(p[k + 1].z, lowest->z) == 0;
    width = width || (touches && compare(p[k + 1].x, p[k].x) > 0);
  }
  if (!width) {
    keep(MessageId::NoWidthAtBottom, {position(static_cast<std::size_t>(lowest - p.begin()))});
    return std::nullopt;
  }
  return survey;
}

}  // namespace channelflow::calc
