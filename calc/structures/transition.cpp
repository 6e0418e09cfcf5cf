#include "calc/structures/transition.h"

#include <string>
#include <vector>

#include "calc/structures/rounding.h"
#include "calc/structures/table_lookup.h"
#include "calc/toolkit/problem.h"
#include "numeric/elementary/elementary.h"

namespace channelflow::calc::structures {
namespace {

std::string formKeys(TransitionFamily family) {
  std::string keys;
  for (const TransitionForm& form : transitionForms()) {
    if (form.family != family) continue;
    if (!keys.empty()) keys += ", ";
    keys += form.key;
  }
  return keys;
}

Real tangentOfDegrees(double degrees) {
  const Real angle = Real(degrees) * Real(numeric::kPi) / 180;
  return numeric::sin(angle) / numeric::cos(angle);
}

}  // namespace

Real transitionXi(TransitionFamily family, TransitionEnd end, const TransitionChoice& choice, TransitionFields fields) {
  const bool typed = !std::isnan(choice.xi);
  const bool angled = !std::isnan(choice.angle);
  if (choice.form.empty()) {
    if (!typed) fail(MessageId::MissingInput, fields.xi);
    require(choice.xi >= 0, MessageId::Negative, fields.xi);
    return Real(choice.xi);
  }
  const TransitionForm* form = findTransitionForm(family, choice.form);
  if (form == nullptr) {
    fail(MessageId::UnknownForm, fields.form,
         {MessageArg::literal(choice.form), MessageArg::literal(familyTable(family)),
          MessageArg::literal(formKeys(family))});
  }
  const bool inlet = end == TransitionEnd::Inlet;
  const Range xi = inlet ? form->inlet : form->outlet;
  const Range angles = inlet ? form->inletAngle : form->outletAngle;
  const TableRef table{familyTable(family), fields.xi};
  if (xi.low == xi.high) {
    if (typed) fail(MessageId::EitherInput, fields.xi, {MessageArg::field(fields.form), MessageArg::field(fields.xi)});
    if (angled && form->angleLimit > 0)
      requireInTable(Real(choice.angle), 0, form->angleLimit, {table.name, fields.angle});
    return Real(xi.low);
  }
  if (typed && angled)
    fail(MessageId::EitherInput, fields.xi, {MessageArg::field(fields.xi), MessageArg::field(fields.angle)});
  if (typed) {
    requireInTable(Real(choice.xi), xi.low, xi.high, table);
    return Real(choice.xi);
  }
  const std::vector<MessageArg> range{MessageArg::literal(choice.form), MessageArg::value(xi.low),
                                      MessageArg::value(xi.high)};
  if (angles.high == 0) fail(MessageId::RangedFormNeedsXi, fields.xi, range);
  if (!angled) {
    std::vector<MessageArg> withAngle = range;
    withAngle.push_back(MessageArg::field(fields.angle));
    fail(MessageId::RangedFormNeedsXiOrAngle, fields.xi, withAngle);
  }
  const double x[] = {angles.low, angles.high};
  const double y[] = {xi.low, xi.high};
  return interpolate(x, y, Real(choice.angle), {table.name, fields.angle});
}

TransitionDrop transitionDrop(const Real& vIn, const Real& vOut, const Real& xi, double g, const Real& friction) {
  const Real twoG = Real(g) + Real(g);
  const Real difference = (vOut - vIn) * (vOut + vIn);  // vOut^2 - vIn^2 without the squares' cancellation
  TransitionDrop d;
  d.velocityHead = difference / twoG;
  d.loss = xi * numeric::abs(difference) / twoG;
  d.friction = friction;
  d.drop = d.velocityHead + d.loss + friction;
  return d;
}

LengthRange transitionLength(StructureKind kind, TransitionEnd end, const Real& canalWidth, const Real& structureWidth,
                             const Real& canalDepth) {
  const bool inlet = end == TransitionEnd::Inlet;
  auto byAngle = [&](double steepest, double gentlest, std::string_view clause) {
    const Real spread = numeric::abs(canalWidth - structureWidth) / 2;
    return LengthRange{spread / tangentOfDegrees(steepest), spread / tangentOfDegrees(gentlest), clause};
  };
  switch (kind) {
    case StructureKind::Aqueduct: return inlet ? byAngle(18, 11, "9.2.4-3") : byAngle(11, 8, "9.2.4-3");
    case StructureKind::Culvert: return byAngle(12, 6, "11.2.8");
    case StructureKind::Siphon:
      return inlet ? LengthRange{canalDepth * 3, canalDepth * 5, "10.2.4-1"}
                   : LengthRange{canalDepth * 4, canalDepth * 6, "10.2.4-1"};
    case StructureKind::Tunnel:
      return inlet ? LengthRange{canalDepth * 3, canalDepth * 5, "15.2.3"}
                   : LengthRange{canalDepth * 4, canalDepth * 6, "15.2.3"};
  }
  return {};
}

double practiceLength(StructureKind kind, TransitionEnd end, const Real& canalWidth, const Real& structureWidth,
                      const Real& canalDepth) {
  const LengthRange clause = transitionLength(kind, end, canalWidth, structureWidth, canalDepth);
  const Real k(end == TransitionEnd::Inlet ? 2.5 : 3.5);
  Real length = k * numeric::abs(canalWidth - structureWidth);
  if (length < clause.low) length = clause.low;
  return roundUp(length, RoundingRule::HalfMetre, "length");
}

}  // namespace channelflow::calc::structures
