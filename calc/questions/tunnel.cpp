// tunnel: a free-surface tunnel (§15) of circular, arch-roofed or horseshoe
// section from the inputs as texts to each flow's depth, clearances and
// head, checks, drawing and report; sized at the enlarged flow when its
// size (D, B or r) is left out.
#include "calc/flow/flow_state.h"
#include "calc/questions/drawing.h"
#include "calc/questions/structure_inputs.h"
#include "calc/questions/structure_report.h"
#include "calc/structures/tunnel.h"
#include "calc/toolkit/item_list.h"
#include "calc/toolkit/toolkit.h"

namespace channelflow::calc {
namespace {

using namespace structures;

struct TunnelQuestion {
  TunnelInput input;
  TunnelShape shape = TunnelShape::Circle;
  bool sized = false;  // the size left out: found at the enlarged flow
  double heightRatio = 1.2;
  int horseshoeType = 1;
};

// The keys each section takes; the first its size.
struct SectionKeys {
  std::string_view section;
  TunnelShape shape;
  std::initializer_list<std::string_view> keys;
};

TunnelQuestion readQuestion(const Inputs& inputs) {
  StructureInputs in(inputs);
  for (std::string_view key : {"Q", "n", "i", "L"}) in.requireGiven(key);
  in.atMostOne("Qj", "enlarge");
  const std::string* given = in.text("section");
  const std::string_view section = given ? std::string_view(*given) : "circle";
  const SectionKeys kinds[] = {{"circle", TunnelShape::Circle, {"D"}},
                               {"arch", TunnelShape::Arch, {"B", "H", "Ra", "height-ratio"}},
                               {"horseshoe", TunnelShape::Horseshoe, {"r", "type"}}};
  const SectionKeys* kind = nullptr;
  for (const SectionKeys& each : kinds) {
    if (each.section == section) kind = &each;
  }
  if (kind == nullptr) fail(MessageId::TunnelNotClosed, "section");
  for (std::string_view key : {"D", "B", "H", "Ra", "height-ratio", "r", "type"}) {
    bool taken = false;
    for (std::string_view own : kind->keys) taken = taken || own == key;
    if (in.has(key) && !taken) fail(MessageId::NotTakenBySection, key, {MessageArg::term(section)});
  }
  in.together("v1", "v3");
  TunnelQuestion q;
  q.shape = kind->shape;
  const std::string_view size = *kind->keys.begin();
  q.sized = !in.has(size);
  if (q.shape == TunnelShape::Arch) {
    in.together("B", "H");
    // A height ratio sizes an arch; a given one has its own.
    if (!q.sized && in.has("height-ratio")) {
      fail(MessageId::ExclusiveInputs, "height-ratio",
           {MessageArg::field("height-ratio"), MessageArg::field("B"), MessageArg::field("H")});
    }
  }
  TunnelInput& t = q.input;
  t.flows = in.flows();
  t.g = in.gravity();
  Channel& c = t.section;
  c.roughness.n = Real(in.number("n", 1));
  c.i = Real(in.number("i", 1));
  t.L = in.number("L", 1);
  q.heightRatio = in.number("height-ratio", 1.2);
  const std::string_view type = in.choice("type", "1");
  q.horseshoeType = type == "2" ? 2 : 1;
  const double sizeValue = in.number(size, 1);
  c.size = Real(sizeValue);
  switch (q.shape) {
    case TunnelShape::Circle: c.shape = Circle{}; break;
    case TunnelShape::Horseshoe: c.shape = Horseshoe{q.horseshoeType}; break;
    case TunnelShape::Arch: {
      const double H = in.number("H", 1), Ra = in.number("Ra");
      if (!q.sized && Ra > 0 && Ra < sizeValue / 2) {
        in.keep({MessageId::RoofNarrowerThanWidth, "Ra", {value(sizeValue / 2), MessageArg::unit("length", "si")}});
      }
      c.shape = Arch::withWidth(H, Ra, sizeValue);
      if (!q.sized && !(Ra > 0 && Ra < sizeValue / 2)) {
        const ArchRoof roof = archRoof(std::get<Arch>(c.shape), c.size);
        if (roof.wall < Real(0)) in.keep({MessageId::RoofAboveCrown, "H", {value(roof.rise), MessageArg::unit("length", "si")}});
      }
      break;
    }
  }
  t.inletTransition = in.transition(TransitionEnd::Inlet);
  t.outletTransition = in.transition(TransitionEnd::Outlet);
  if (in.has("v1")) t.ends[0] = BarrelEnds{in.number("v1"), in.number("v3")};
  in.finish();
  return q;
}

void sectionLine(ReportBuilder& b, const TunnelInput& t, double L) {
  using enum TextId;
  const Channel& c = t.section;
  if (std::holds_alternative<Circle>(c.shape)) {
    b.step(TunnelCircle, {value(c.size), value(c.roughness.n), value(c.i), value(L)});
  } else if (const auto* arch = std::get_if<Arch>(&c.shape)) {
    b.step(TunnelArch, {value(c.size), value(arch->H), value(archRoof(*arch, c.size).radius), value(c.roughness.n),
                        value(c.i), value(L)});
  } else if (const auto* horseshoe = std::get_if<Horseshoe>(&c.shape)) {
    b.step(TunnelHorseshoe, {value(horseshoe->type), value(c.size), value(c.roughness.n), value(c.i), value(L)});
  }
}

std::vector<ReportLine> report(const TunnelQuestion& q, const TunnelInput& t, const TunnelResult& r,
                               const std::optional<TunnelSizing>& sizing) {
  using enum TextId;
  const MessageArg g = value(r.g);
  ReportBuilder b;
  b.title(TunnelTitle);
  b.heading(HeadingData);
  std::vector<Real> Q;
  for (const TunnelFlow& f : r.flows) Q.push_back(f.Q);
  b.flows(t.flows, Q, r.g);
  if (sizing) {
    const std::string_view symbol = q.shape == TunnelShape::Circle ? "D" : q.shape == TunnelShape::Arch ? "B" : "r";
    b.step(TunnelSizing, {MessageArg::literal(symbol), value(sizing->adopted)});
    if (q.shape == TunnelShape::Arch) b.step(TunnelSizingArch, {value(q.heightRatio), value(sizing->height)});
  }
  sectionLine(b, t, t.L);
  b.step(ClosedFullArea, {value(r.fullArea), value(r.crown)});
  const bool ends = t.ends[0].has_value();
  if (ends) {
    b.transition("ξ1", TransitionEnd::Inlet, r.xi1, t.inletTransition, TransitionFamily::Aqueduct, "xi1");
    b.transition("ξ2", TransitionEnd::Outlet, r.xi2, t.outletTransition, TransitionFamily::Aqueduct, "xi2");
  }
  for (const TunnelFlow& f : r.flows) {
    b.flowHeading(f.which, f.Q);
    if (!f.carried) b.step(ClosedOver, {value(f.QMax), value(f.h)});
    b.step(ClosedFlow, {value(f.h), value(f.A), value(f.v), value(f.freeAreaPct), value(f.freeHeight)});
    b.step(StructureZ2, {value(t.section.i), value(t.L), value(f.Z2)});
    if (!f.hasEnds) continue;
    const BarrelEnds& e = *t.ends[0];
    b.step(EndsTypedTwo, {value(e.v1), value(e.v3)});
    b.step(StructureZ1, {value(f.v), value(e.v1), g, value(r.xi1), value(f.Z1)});
    b.step(StructureZ3, {value(f.v), value(e.v3), g, value(r.xi2), value(f.Z3)});
    b.step(StructureDz, {value(f.Z1), value(f.Z2), value(f.Z3), value(f.dZ)});
  }
  b.heading(HeadingChecks);
  b.checks(r.checks);
  return b.take();
}

}  // namespace

Answer answerTunnel(const Inputs& inputs) {
  using enum QuantityId;
  const TunnelQuestion q = readQuestion(inputs);
  std::optional<TunnelSizing> sizing;
  if (q.sized) sizing = sizeTunnel(q.input, q.shape, q.heightRatio, q.horseshoeType);
  TunnelInput t = q.input;
  if (sizing) {
    t.section.size = Real(sizing->adopted);
    if (q.shape == TunnelShape::Circle) t.section.shape = Circle{};
    if (q.shape == TunnelShape::Arch) t.section.shape = Arch::withWidth(sizing->height, 0, sizing->adopted);
  }
  const TunnelResult r = sizing ? sizing->result : tunnel(t);
  Answer answer("tunnel", UnitSystem::SI);
  Group& record = answer.record();
  ItemList list(record.items);
  list.exact(Gravity, r.g);
  list.channel(t.section, true, true);
  list.exact(StructureLength, t.L);
  if (sizing) list.exact(Adopted, sizing->adopted);
  list.number(FullArea, r.fullArea);
  if (t.ends[0]) {
    list.number(Xi1, r.xi1);
    list.number(Xi2, r.xi2);
  }
  for (const TunnelFlow& f : r.flows) record.groups.push_back(barrelFlowGroup(f));
  Group drawing("drawing");
  drawing.tables = outlineTables(outlineOf(t.section, r.flows.front().h.toDouble(), r.crown.toDouble()));
  record.groups.push_back(std::move(drawing));
  record.tables.push_back(checksTable(r.checks));
  answer.reportRole = Answer::ReportRole::Document;
  answer.report = report(q, t, r, sizing);
  return answer;
}

}  // namespace channelflow::calc
