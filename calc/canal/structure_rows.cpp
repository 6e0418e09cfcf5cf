// A canal line's rows read into its sections, its structures' parameters
// (under the structure questions' option names) and its flow segments.
#include <cmath>

#include "calc/canal/line_rows.h"
#include "calc/design/enlargement_table.h"
#include "calc/flow/critical.h"
#include "calc/flow/uniform_solvers.h"
#include "calc/structures/transition.h"

namespace channelflow::calc::canal {
namespace {

Inputs inputsOf(const SectionCells& cells, std::initializer_list<Column> skip = {}) {
  Inputs inputs;
  for (std::size_t k = 0; k < kSectionColumns.size(); ++k) {
    const Column c = kSectionColumns[k];
    if (!cells[k] || c == Column::I || std::find(skip.begin(), skip.end(), c) != skip.end()) continue;
    inputs.set(lineColumnKey(c), *cells[k]);
  }
  return inputs;
}

// The channel of `inputs` (a section's keys), its slope and g; problems kept at the row.
std::optional<Channel> channelOf(RowReader& reader, const Inputs& inputs, std::optional<Real> slope, double g) {
  try {
    InputReader in(inputs);
    Channel c = in.channel({}, SlopeUse::None);
    in.finish();
    if (!slope) {
      reader.keep(MessageId::MissingInput, Column::I);
      return std::nullopt;
    }
    if (!(*slope > Real(0))) {
      reader.keep(MessageId::NoUniformFlow, Column::I);
      return std::nullopt;
    }
    c.i = *slope;
    c.g = g;
    return c;
  } catch (const CalcError& error) {
    for (const Problem& problem : error.problems()) reader.keep(problem);
    return std::nullopt;
  }
}

// A transition as its columns give it: a form, or a typed ξ, with its angle.
structures::TransitionChoice transitionSpec(RowReader& reader, Column form, Column xi, Column angle) {
  structures::TransitionChoice choice;
  if (reader.has(form)) {
    choice.form = *reader.cell(form);
  } else if (reader.has(Column::Form)) {
    choice.form = *reader.cell(Column::Form);
  }
  if (const auto v = reader.number(xi, false)) choice.xi = *v;
  if (const auto v = reader.number(angle, false)) choice.angle = *v;
  return choice;
}

// ξ of one end, or its default form's when nothing is given: practice's
// reverse warped surface (curved warped in Table K.1.2, warped at 0.1/0.3
// borrowed from M.0.3-3's range for culverts).
Real transitionXiOf(RowReader& reader, structures::TransitionFamily family, structures::TransitionEnd end,
                    structures::TransitionChoice choice, std::string& form) {
  using structures::TransitionEnd;
  using structures::TransitionFamily;
  const bool inlet = end == TransitionEnd::Inlet;
  if (choice.form.empty() && std::isnan(choice.xi)) {
    choice.form = family == TransitionFamily::Siphon    ? "reverse-warped"
                : family == TransitionFamily::Aqueduct ? "curved-warped"
                                                       : "warped";
    if (family == TransitionFamily::Culvert) choice.xi = inlet ? 0.1 : 0.3;
  }
  form = choice.form;
  try {
    return structures::transitionXi(family, end, choice,
                                    inlet ? structures::TransitionFields{"inlet-form", "xi1", "theta1"}
                                          : structures::TransitionFields{"outlet-form", "xi2", "theta2"});
  } catch (const CalcError& error) {
    reader.keep(error.problem());
    return Real(0);
  }
}

// The bends "R:θ;R:θ" of a siphon's barrels.
std::vector<structures::Bend> readBends(RowReader& reader) {
  std::vector<structures::Bend> bends;
  if (!reader.has(Column::Bend)) return bends;
  std::string_view text = *reader.cell(Column::Bend);
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(';', start), text.size());
    std::string_view item = text.substr(start, end - start);
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
    if (!item.empty()) {
      const auto values = reader.fields(item, Column::Bend, 2, "R:θ;R:θ");
      if (!values) return bends;
      bends.push_back({(*values)[0], (*values)[1]});
    }
    start = end + 1;
  }
  return bends;
}

}  // namespace

std::optional<LineSection> canalSection(RowReader& reader, SectionCells& carried, const LineSection* before,
                                        double g) {
  SectionCells cells = carried;
  const std::optional<std::string>& shape = reader.cell(Column::Section);
  const bool reshaped = shape && carried[0] != shape;
  for (std::size_t k = 0; k < kSectionColumns.size(); ++k) {
    const Column c = kSectionColumns[k];
    if (reader.has(c)) {
      cells[k] = reader.cell(c);
    } else if (reshaped && c != Column::N && c != Column::I) {
      cells[k].reset();
    }
  }
  carried = cells;
  std::optional<Real> slope = reader.slope(Column::I);
  if (!reader.has(Column::I) && before) slope = before->channel.i;
  std::optional<Channel> channel = channelOf(reader, inputsOf(cells), slope, g);
  if (!channel) return std::nullopt;
  LineSection section;
  section.channel = *channel;
  if (before) {
    section.vMin = before->vMin;
    section.vMax = before->vMax;
    section.freeboard = before->freeboard;
  }
  return section;
}

void readBank(RowReader& reader, LineSection& section) {
  if (const auto v = reader.number(Column::VMin, false)) section.vMin = *v;
  if (const auto v = reader.number(Column::VMax, true)) section.vMax = *v;
  if (const auto f = reader.number(Column::Freeboard, false)) section.freeboard = Real(*f);
  if (const auto h = reader.number(Column::Height, true)) section.height = Real(*h);
}

// A siphon's barrels, from the siphon question's columns.
void readSiphon(RowReader& reader, LineStructure& s, double g) {
  structures::SiphonInput& in = s.siphon;
  in.g = g;
  in.D = reader.number(Column::D, true).value_or(0);
  in.B = reader.number(Column::B, true).value_or(0);
  in.H = reader.number(Column::H, true).value_or(0);
  in.n = reader.number(Column::N, true).value_or(0);
  in.barrels = reader.whole(Column::Barrels).value_or(1);
  if (in.barrels < 1) reader.keep(MessageId::NotPositive, Column::Barrels);
  if (reader.has(Column::Entrance)) in.entrance = *reader.cell(Column::Entrance);
  in.inletZeta = reader.number(Column::InletZeta, false).value_or(NAN);
  in.gateSlots = reader.whole(Column::GateSlots).value_or(0);
  in.slotZeta = reader.number(Column::SlotZeta, false).value_or(0.1);
  if (reader.has(Column::Rack)) {
    if (const auto rack = reader.fields(*reader.cell(Column::Rack), Column::Rack, 4, "β:s:b:α")) {
      in.rack = structures::Rack{(*rack)[0], (*rack)[1], (*rack)[2], 0, 0, 0, (*rack)[3], 0};
    }
  }
  in.bends = readBends(reader);
  in.outletRatio = reader.number(Column::OutletRatio, true).value_or(0);
  in.outletZeta = reader.number(Column::OutletZeta, false).value_or(NAN);
  in.bypasses = reader.whole(Column::Bypass).value_or(0);
  in.vnp = reader.number(Column::VNp, true).value_or(NAN);
  if (const auto crown = reader.decimal(Column::InletCrown)) s.inletCrown = crown->toReal();
  if (const auto crown = reader.decimal(Column::OutletCrown)) s.outletCrown = crown->toReal();
  if (const auto L = reader.number(Column::L, true)) in.L = *L;
  using structures::TransitionEnd;
  using structures::TransitionFamily;
  s.xi1 = transitionXiOf(reader, TransitionFamily::Siphon, TransitionEnd::Inlet,
                         transitionSpec(reader, Column::InletForm, Column::Xi1, Column::Theta1), s.inletForm);
  s.xi2 = transitionXiOf(reader, TransitionFamily::Siphon, TransitionEnd::Outlet,
                         transitionSpec(reader, Column::OutletForm, Column::Xi2, Column::Theta2), s.outletForm);
}

void readBarrel(RowReader& reader, LineStructure& s, NodeKind kind, double g) {
  using structures::TransitionEnd;
  using structures::TransitionFamily;
  Inputs inputs;
  const auto copy = [&](Column from, std::string_view key) {
    if (reader.has(from)) inputs.set(key, *reader.cell(from));
  };
  copy(Column::N, "n");
  TransitionFamily family = TransitionFamily::Aqueduct;
  if (kind == AqueductIn) {
    const std::string trough = reader.cell(Column::Trough).value_or("rectangle");
    if (trough != "rectangle" && trough != "u") {
      reader.keep(MessageId::UnknownChoice, Column::Trough,
                  {MessageArg::literal("rectangle|u"), MessageArg::literal(quoteForMessage(trough))});
      return;
    }
    s.trough = trough;
    if (trough == "rectangle") {
      inputs.set("section", "trapezoid").set("m", "0");
      copy(Column::B, "B");
    } else {
      inputs.set("section", "u").set("m", "0");
      copy(Column::R, "r");
    }
    if (const auto h = reader.number(Column::Height, true)) s.height = Real(*h);
  } else if (kind == TunnelIn) {
    copy(Column::Section, "section");
    if (!reader.has(Column::Section)) inputs.set("section", "circle");
    for (const auto& [c, key] : {std::pair{Column::D, "D"}, std::pair{Column::B, "B"}, std::pair{Column::H, "H"},
                                 std::pair{Column::Ra, "Ra"}, std::pair{Column::R, "r"}, std::pair{Column::Type, "type"}}) {
      copy(c, key);
    }
  } else if (kind == CulvertIn) {
    family = TransitionFamily::Culvert;
    const std::string barrel = reader.cell(Column::Barrel).value_or("rectangle");
    if (barrel == "rectangle") {
      inputs.set("section", "trapezoid").set("m", "0");
      copy(Column::B, "B");
      s.box = true;
      if (!reader.has(Column::H)) reader.keep(MessageId::MissingInput, Column::H);
      if (const auto H = reader.number(Column::H, true)) s.crown = Real(*H);
    } else if (barrel == "circle") {
      inputs.set("section", "circle");
      copy(Column::D, "D");
    } else if (barrel == "arch") {
      inputs.set("section", "arch");
      copy(Column::B, "B");
      copy(Column::H, "H");
      copy(Column::Ra, "Ra");
    } else {
      reader.keep(MessageId::UnknownChoice, Column::Barrel,
                  {MessageArg::literal("rectangle|circle|arch"), MessageArg::literal(quoteForMessage(barrel))});
      return;
    }
    if (!reader.has(Column::N)) inputs.set("n", "0.014");
  } else {  // a chute: a trapezoid
    inputs.set("section", "trapezoid");
    copy(Column::B, "B");
    copy(Column::M, "m");
  }
  const std::optional<Channel> barrel = channelOf(reader, inputs, reader.slope(Column::I), g);
  if (!barrel) return;
  s.barrel = *barrel;
  if (kind == TunnelIn && !isClosed(s.barrel.shape)) {
    reader.keep(MessageId::TunnelNotClosed, Column::Section);
    return;
  }
  if (isClosed(s.barrel.shape)) s.crown = crownDepth(s.barrel.shape, s.barrel.size);
  if (kind == ChuteIn) {
    s.xi1 = Real(reader.number(Column::Xi1, false).value_or(0));
    return;
  }
  s.xi1 = transitionXiOf(reader, family, TransitionEnd::Inlet,
                         transitionSpec(reader, Column::InletForm, Column::Xi1, Column::Theta1), s.inletForm);
  s.xi2 = transitionXiOf(reader, family, TransitionEnd::Outlet,
                         transitionSpec(reader, Column::OutletForm, Column::Xi2, Column::Theta2), s.outletForm);
}

void requireSteep(RowReader& reader, const Channel& chute, const Real& Q) {
  try {
    const Real hn = normalDepths(chute, Q).front(), hc = criticalDepth(chute, Q);
    if (!(hn < hc)) reader.keep(MessageId::ChuteNotSteep, Column::I, {MessageArg::value(hn.toDouble()), MessageArg::value(hc.toDouble()), MessageArg::unit("length", "si")});
  } catch (const CalcError& error) {
    reader.keep(error.problem());
  }
}

bool givesParameters(const RowReader& reader, NodeKind kind) {
  switch (kind) {
    case SiphonIn: return reader.has(Column::D) || reader.has(Column::B);
    case AqueductIn: return reader.has(Column::B) || reader.has(Column::R);
    case TunnelIn: return reader.has(Column::D) || reader.has(Column::B) || reader.has(Column::R);
    case CulvertIn: return reader.has(Column::B) || reader.has(Column::D);
    default: return true;
  }
}

void readGate(RowReader& reader, LineStructure& s, double g) {
  s.type = StructureType::Gate;
  if (reader.has(Column::WeirM) || reader.has(Column::B)) {
    if (!reader.has(Column::WeirM)) reader.keep(MessageId::MissingInput, Column::WeirM);
    if (!reader.has(Column::B)) reader.keep(MessageId::MissingInput, Column::B);
    if (reader.has(Column::Loss)) reader.keep(MessageId::EitherInput, Column::Loss, {MessageArg::field("loss"), MessageArg::field("weir-m")});
    structures::GateOpening opening;
    opening.B = reader.number(Column::B, true).value_or(0);
    opening.m = reader.number(Column::WeirM, true).value_or(0);
    opening.g = g;
    s.opening = opening;
  }
  if (reader.has(Column::Hold)) {
    if (*reader.cell(Column::Hold) == "design") {
      s.holdDesign = true;
    } else {
      s.hold = reader.decimal(Column::Hold);
    }
  }
}

void readDrop(RowReader& reader, LineStructure& s, double g) {
  s.type = StructureType::Drop;
  if (!reader.has(Column::P)) reader.keep(MessageId::MissingInput, Column::P);
  s.fall = Real(reader.number(Column::P, true).value_or(0));
  if (reader.has(Column::CrestWidth) || reader.has(Column::Inlet)) {
    structures::DropInput crest;
    crest.g = g;
    crest.b = reader.number(Column::CrestWidth, true).value_or(0);
    if (!reader.has(Column::CrestWidth)) reader.keep(MessageId::MissingInput, Column::CrestWidth);
    const std::string inlet = reader.cell(Column::Inlet).value_or("warped");
    if (inlet == "warped") {
      crest.inlet = structures::CrestInlet::Warped;
    } else if (inlet == "splayed") {
      crest.inlet = structures::CrestInlet::Splayed;
    } else if (inlet == "cross-wall") {
      crest.inlet = structures::CrestInlet::CrossWall;
    } else {
      reader.keep(MessageId::UnknownChoice, Column::Inlet,
                  {MessageArg::literal("warped|splayed|cross-wall"), MessageArg::literal(quoteForMessage(inlet))});
    }
    crest.P = s.fall.toDouble();
    s.crest = crest;
  }
}

std::optional<LineFlows> segmentFlows(RowReader& reader, const RowRead& r) {
  LineFlows flows;
  flows.Q[0] = Real(*r.Q);
  if (r.Qj) {
    if (*r.Qj < *r.Q) reader.keep(MessageId::EnlargedBelowDesign, Column::Qj);
    flows.Q[1] = Real(*r.Qj);
  } else if (const design::EnlargementRow* row = design::enlargementRow(*r.Q)) {
    flows.enlargedFromTable = true;
    flows.enlarge = row->smaller;
    flows.Q[1] = Real(*r.Q) * (Real(1) + Real(row->smaller) / 100);
  } else {
    reader.keep(MessageId::LineNoEnlargement, Column::Qj, {MessageArg::value(*r.Q)});
  }
  if (r.Qmin) {
    if (*r.Qmin > *r.Q) reader.keep(MessageId::MinimumAboveDesign, Column::Qmin);
    flows.Q[2] = Real(*r.Qmin);
  } else {
    flows.minimumByRatio = true;
    flows.Q[2] = Real(*r.Q) * Real(0.4);
  }
  if (!reader.ok()) return std::nullopt;
  return flows;
}

}  // namespace channelflow::calc::canal
