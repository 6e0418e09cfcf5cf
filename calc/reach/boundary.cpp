#include "calc/reach/boundary.h"

#include "calc/flow/critical.h"
#include "calc/flow/uniform_solvers.h"
#include "calc/survey/survey.h"
#include "calc/toolkit/inputs.h"

namespace channelflow::calc {
namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The parts of `text` between any of `separators`, empty ones left out.
std::vector<std::string_view> split(std::string_view text, std::string_view separators) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find_first_of(separators, start), text.size());
    if (end > start) parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::optional<Boundary> readOne(std::string_view text) {
  Boundary b;
  b.text = std::string(text);
  Problem unused;
  if (text == "critical") return b;
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const std::string_view kind = trimmed(text.substr(0, equals)), value = trimmed(text.substr(equals + 1));
  if (kind == "wse") {
    const std::optional<numeric::Decimal> level = readDecimal(value, unused);
    if (!level) return std::nullopt;
    b.kind = Boundary::Kind::Level;
    b.level = *level;
    return b;
  }
  if (kind == "normal") {
    const std::optional<double> slope = readNumber(value, unused);
    if (!slope) return std::nullopt;
    b.kind = Boundary::Kind::Normal;
    b.slope = *slope;
    return b;
  }
  if (kind != "rating") return std::nullopt;
  b.kind = Boundary::Kind::Rating;
  for (std::string_view pair : split(value, " \t,")) {
    const std::size_t colon = pair.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const std::optional<numeric::Decimal> level = readDecimal(pair.substr(0, colon), unused);
    const std::optional<double> flow = readNumber(pair.substr(colon + 1), unused);
    if (!level || !flow) return std::nullopt;
    b.levels.push_back(*level);
    b.flows.push_back(*flow);
  }
  return b;
}

MessageArg lengthUnit(const Node& node) { return MessageArg::unit("length", unitsOf(node.channel.units).key); }

// A depth that the section holds, its level above the bed.
Real withinSection(const Real& h, const Node& node, std::string_view field) {
  if (!(h > Real(0))) fail(MessageId::LevelBelowBottom, field, {MessageArg::value(node.bed.toDouble()), lengthUnit(node)});
  if (hasTop(node.channel) && h > topDepth(node.channel)) {
    const auto* points = std::get_if<Points>(&node.channel.shape);
    const double top = points ? points->survey->bankElevation() : (node.bed.toReal() + topDepth(node.channel)).toDouble();
    fail(MessageId::DepthAboveBanks, field,
         {MessageArg::value(top), lengthUnit(node), MessageArg::value(topDepth(node.channel).toDouble())});
  }
  return h;
}

Real ratingDepth(const Boundary& b, const Node& node, const Real& Q, std::string_view field) {
  const double q = Q.toDouble();
  std::size_t k = 0;
  while (k + 2 < b.flows.size() && q > b.flows[k + 1]) ++k;
  if (q < b.flows.front() || q > b.flows.back()) {
    fail(MessageId::RatingRange, field,
         {MessageArg::value(q), MessageArg::unit("discharge", unitsOf(node.channel.units).key),
          MessageArg::value(b.flows.front()), MessageArg::value(b.flows.back())});
  }
  const Real share = (Q - Real(b.flows[k])) / (Real(b.flows[k + 1]) - Real(b.flows[k]));
  return difference(b.levels[k], node.bed) + share * difference(b.levels[k + 1], b.levels[k]);
}

}  // namespace

std::vector<Boundary> readBoundaries(std::string_view text, std::string_view field, std::size_t flows) {
  std::vector<Boundary> boundaries;
  for (std::string_view part : split(text, ";")) {
    const std::string_view item = trimmed(part);
    if (item.empty()) continue;
    std::optional<Boundary> boundary = readOne(item);
    if (!boundary) fail(MessageId::BoundarySyntax, field, {MessageArg::literal(quoteForMessage(item))});
    if (boundary->kind == Boundary::Kind::Normal && !(boundary->slope > 0)) fail(MessageId::NoUniformFlow, field);
    if (boundary->kind == Boundary::Kind::Rating) {
      bool rising = boundary->flows.size() >= 2;
      for (std::size_t k = 1; k < boundary->flows.size(); ++k) {
        rising = rising && boundary->flows[k] > boundary->flows[k - 1] &&
                 compare(boundary->levels[k], boundary->levels[k - 1]) > 0;
      }
      if (!rising) fail(MessageId::RatingOrder, field);
    }
    boundaries.push_back(std::move(*boundary));
  }
  if (boundaries.empty()) fail(MessageId::BoundarySyntax, field, {MessageArg::literal(quoteForMessage(text))});
  if (boundaries.size() == 1) boundaries.resize(flows, boundaries.front());
  if (boundaries.size() != flows) {
    fail(MessageId::BoundaryCount, field,
         {MessageArg::literal(std::to_string(boundaries.size())), MessageArg::literal(std::to_string(flows))});
  }
  return boundaries;
}

Real boundaryDepth(const Boundary& b, const Node& node, const Real& Q, std::string_view field) {
  try {
    switch (b.kind) {
      case Boundary::Kind::Level: return withinSection(difference(b.level, node.bed), node, field);
      case Boundary::Kind::Rating: return withinSection(ratingDepth(b, node, Q, field), node, field);
      case Boundary::Kind::Critical: return criticalDepth(node.channel, Q);
      case Boundary::Kind::Normal: break;
    }
    Channel sloped = node.channel;
    sloped.i = Real(b.slope);
    return normalDepths(sloped, Q).front();
  } catch (CalcError& error) {
    // The boundary is what cannot be met.
    Problem problem = error.problem();
    problem.field = std::string(field);
    throw CalcError(std::move(problem));
  }
}

}  // namespace channelflow::calc
