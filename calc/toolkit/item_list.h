// Building the toolkit's answers: items appended in the order front ends
// print them, each result rounded and checked as it is added.
#pragma once

#include "calc/flow/flow_state.h"
#include "calc/toolkit/answer.h"

namespace channelflow::calc {

class ItemList {
 public:
  explicit ItemList(Items& items) : items_(items) {}
  // A result, rounded; throws CalcError naming it when a double cannot hold it.
  void number(QuantityId id, const Real& value);
  // A result, or in its place why a double cannot hold it.
  void checked(QuantityId id, const Real& value);
  void exact(QuantityId id, double value);
  void term(QuantityId id, std::string_view key);
  void text(QuantityId id, std::string_view text);
  void message(QuantityId id, Problem problem);
  void none(QuantityId id, std::string_view why);
  // Yes or no, as data: the text view leaves it out.
  void flag(QuantityId id, bool value);
  // Several results of one quantity, each rounded.
  void list(QuantityId id, const std::vector<Real>& values);

  // The channel's inputs: section, units, its size, i and the roughness (each unless left out).
  void channel(const Channel& c, bool withSlope, bool withRoughness);
  // Every quantity of the flow, and the critical flow of its discharge; a
  // closed section's free area and height above the water too.
  void flow(const Channel& c, const FlowState& f);
  // A closed section's full area, the share of it above the water at depth
  // h (flow area A) in per cent, and the clear height from the water to the crown.
  void closedSection(const Channel& c, const Real& A, const Real& h);
  // A surveyed section's every critical depth for Q, and which of them a
  // jump or a profile is judged by.
  void criticalChoice(const Channel& c, const Real& Q);

 private:
  Items& items_;
};

}  // namespace channelflow::calc
