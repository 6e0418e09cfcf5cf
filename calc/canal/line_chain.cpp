// A canal line's chain of nodes built from its rows (calc/canal/canal_line.h).
#include "calc/canal/line_links.h"
#include "calc/canal/line_rows.h"
#include "calc/flow/uniform_solvers.h"
#include "calc/line/friction_loss.h"
#include "calc/structures/transition.h"

namespace channelflow::calc::canal {
namespace {

// The chain built row by row: each row's nodes (the one the water arrives
// at and the one it leaves from, the same one where nothing changes), the
// gaps between them, and the sections, segments and structures they stand in.
class Assembly {
 public:
  Assembly(CanalLine& line, const std::vector<LineRow>& rows, const std::vector<RowRead>& reads,
           std::vector<Problem>& problems)
      : line_(line), rows_(rows), reads_(reads), problems_(problems), manning_(unitsOf(UnitSystem::SI).manning) {}

  void add(std::size_t k) {
    addRow(k);
    // An inlet opens its structure, whatever else its row says, so that the rows after it are read within it.
    if (opened_) {
      open_ = opened_;
      inside_ = 0;
      opened_.reset();
    }
  }

  void finish() {
    if (open_ && problems_.size() < kMostProblems) {
      const LineStructure& o = line_.structures[*open_];
      problems_.push_back(lineRowProblem(
          rows_[o.inRow], {MessageId::InletWithoutOutlet, "kind", {MessageArg::term(nodeKindKey(outletOf(line_.rows[o.inRow].kind)))}},
          kFile));
    }
  }

 private:
  // The row's nodes and the gaps into and across it.
  void addRow(std::size_t k) {
    RowReader reader(rows_[k], problems_);
    const RowRead& r = reads_[k];
    LineRowInfo& info = line_.rows[k];
    const NodeKind kind = r.kind;
    if (open_) {
      const LineStructure& o = line_.structures[*open_];
      const NodeKind inlet = line_.rows[o.inRow].kind;
      if (isOutlet(kind) ? outletOf(inlet) != kind : !(kind == Ip && o.type != StructureType::Chute)) {
        reader.keep(isOutlet(kind) ? MessageId::OutletWithoutInlet : MessageId::RowInsideStructure, Column::Kind,
                    {MessageArg::term(nodeKindKey(isOutlet(kind) ? kind : inlet)),
                     MessageArg::literal(std::to_string(rows_[o.inRow].place))});
        return;
      }
    } else if (isOutlet(kind)) {
      reader.keep(MessageId::OutletWithoutInlet, Column::Kind, {MessageArg::term(nodeKindKey(kind)), MessageArg::literal("-")});
      return;
    }
    const std::optional<std::size_t> arriving = segment_;
    sectionAndFlow(reader, r);
    if (!reader.ok() || !canal_ || !segment_) return;
    if (isInlet(kind) || kind == Gate || kind == Drop) {
      info.structure = newStructure(reader, k, r);
      if (isInlet(kind)) opened_ = info.structure;
      if (!reader.ok()) return;
    } else if (isOutlet(kind)) {
      info.structure = open_;
      line_.structures[*open_].outRow = k;
    }
    if (k == 0) {
      info.up = info.down = addNode(k, canalChannel(), *segment_, canal_, std::nullopt);
      return;
    }
    if (open_ && kind == Ip && line_.structures[*open_].type == StructureType::Siphon) {
      // The siphon's barrels bend where the line does: their bends are its own (bend).
      info.note = Problem{MessageId::IpInsideSiphon, "", {}};
      info.inChain = false;
      info.up = info.down = line_.chain.nodes.size() - 1;
      return;
    }
    if (!gapInto(k, r, *arriving)) return;
    across(k, reader, r);
    if (isOutlet(kind)) open_.reset();
    if (open_ && kind == Ip) ++inside_;
  }

  const Channel& canalChannel() const { return line_.sections[*canal_].channel; }

  std::size_t addNode(std::size_t row, const Channel& channel, std::size_t segment, std::optional<std::size_t> section,
                      std::optional<std::size_t> structure) {
    calc::Node node;
    node.station = *reads_[row].station;
    node.name = line_.rows[row].name;
    node.channel = channel;
    line_.chain.nodes.push_back(std::move(node));
    line_.nodes.push_back({row, segment, section, structure});
    return line_.chain.nodes.size() - 1;
  }

  void addGap(GapKind kind, Booking booking, std::optional<std::size_t> structure, Links links) {
    line_.gaps.push_back({kind, booking, structure});
    line_.chain.gaps.push_back(std::move(links));
  }

  void sectionAndFlow(RowReader& reader, const RowRead& r) {
    const double g = line_.settings.g;
    if (r.newSection) {
      std::optional<LineSection> section = canalSection(reader, carried_, canal_ ? &line_.sections[*canal_] : nullptr, g);
      if (section) {
        readBank(reader, *section);
        line_.sections.push_back(std::move(*section));
        canal_ = line_.sections.size() - 1;
      }
    } else if (canal_ && !isInlet(r.kind) && std::any_of(kBankColumns.begin(), kBankColumns.end(), [&](Column c) { return reader.has(c); })) {
      LineSection section = line_.sections[*canal_];
      section.height.reset();
      readBank(reader, section);
      line_.sections.push_back(std::move(section));
      canal_ = line_.sections.size() - 1;
    }
    if (r.Q) {
      if (std::optional<LineFlows> flows = segmentFlows(reader, r)) {
        line_.segments.push_back(*flows);
        segment_ = line_.segments.size() - 1;
      }
    }
  }

  std::size_t newStructure(RowReader& reader, std::size_t k, const RowRead& r) {
    const double g = line_.settings.g;
    const NodeKind kind = r.kind;
    LineStructure s;
    s.type = structureOf(kind);
    s.inRow = s.outRow = k;
    s.allotted = r.loss;
    if (kind == Gate) {
      readGate(reader, s, g);
      if (!s.opening) {
        s.gateLoss = r.loss.value_or(Real(structures::kDefaultGateLoss));
        if (!r.loss) line_.rows[k].note = Problem{MessageId::GateLossTaken, "", {MessageArg::value(structures::kDefaultGateLoss)}};
      }
      s.allotted.reset();
    } else if (kind == Drop) {
      readDrop(reader, s, g);
      s.allotted.reset();
    } else if (!givesParameters(reader, kind) && kind != ChuteIn) {
      if (!r.loss) reader.keep(MessageId::ReservedOnly, Column::Loss, {MessageArg::term(structureTypeKey(s.type))});
      s.reservedOnly = true;
    } else if (kind == SiphonIn) {
      readSiphon(reader, s, g);
    } else {
      readBarrel(reader, s, kind, g);
      if (kind == ChuteIn && reader.ok()) requireSteep(reader, s.barrel, line_.segments[*segment_].Q[0]);
    }
    if (const auto L = reader.number(Column::L, true)) s.L = Real(*L);
    line_.structures.push_back(std::move(s));
    return line_.structures.size() - 1;
  }

  // The siphon's barrels at the flows of its segment, and its link; false when they cannot be computed.
  bool siphonLink(LineStructure& o, const Real& span, Links& links) {
    RowReader inlet(rows_[o.inRow], problems_);
    structures::SiphonInput& in = o.siphon;
    if (!(in.L > 0)) in.L = span.toDouble();
    o.L = Real(in.L);
    const LineFlows& flows = line_.segments[line_.nodes[line_.rows[o.inRow].up].segment];
    in.flows = {flows.Q[0].toDouble(), flows.Q[1].toDouble(), 0, flows.Q[2].toDouble()};
    try {
      if (!(in.outletRatio > 0) && std::isnan(in.outletZeta)) {
        // Table L.1.4-5's ratio from the downstream canal at the design flow.
        const Channel& down = canalChannel();
        const Real h = normalDepths(down, flows.Q[0]).front();
        const Real pipe = in.D > 0 ? Real(numeric::kPi) * Real(in.D) * Real(in.D) / 4 : Real(in.B) * Real(in.H);
        in.outletRatio = (pipe * Real(in.barrels) / geometry(down.shape, down.size, h).A).toDouble();
      }
      o.siphonResult = structures::siphon(in);
    } catch (const CalcError& error) {
      inlet.keep(error.problem());
      return false;
    }
    const structures::SiphonResult& r = o.siphonResult;
    links.push_back(std::make_unique<SiphonLoss>(r.zeta.sum + r.flows.front().friction, r.area * Real(r.barrels), o.xi2,
                                                 line_.settings.g));
    return true;
  }

  bool gapInto(std::size_t k, const RowRead& r, std::size_t arriving) {
    LineRowInfo& info = line_.rows[k];
    const std::size_t before = line_.chain.nodes.size() - 1;
    const LineNode from = line_.nodes[before];
    const Real length = difference(*reads_[k].station, *reads_[k - 1].station);
    Links links;
    GapKind gap = GapKind::Step;
    Booking booking = Booking::Reach;
    std::optional<std::size_t> structure;
    Channel channel = line_.chain.nodes[before].channel;
    std::optional<std::size_t> section = from.section, inside = from.structure;
    const auto friction = [&](const Real& L) {
      links.push_back(std::make_unique<FrictionLoss>(L, line_.settings.rule, manning_));
    };
    if (open_) {
      LineStructure& o = line_.structures[*open_];
      structure = open_;
      booking = Booking::Barrel;
      const bool outlet = isOutlet(r.kind);
      if (outlet) {
        const Real span = difference(*reads_[k].station, *reads_[o.inRow].station);
        if (!(o.L > Real(0))) o.L = span;
        if (o.reservedOnly || o.type == StructureType::Siphon) {
          channel = canalChannel();
          section = canal_;
          inside.reset();
        }
        if (o.reservedOnly) {
          links.push_back(std::make_unique<FixedLoss>(*o.allotted));
        } else if (o.type == StructureType::Siphon) {
          booking = Booking::Siphon;
          if (!siphonLink(o, span, links)) return false;
        } else if (o.type == StructureType::Chute) {
          gap = GapKind::ChuteBarrel;
        } else {
          friction(inside_ == 0 ? o.L : length);
        }
      } else if (!o.reservedOnly) {
        friction(length);
      }
    } else {
      friction(length);
    }
    if (info.curve && info.curve->Lc > Real(0)) {
      links.push_back(std::make_unique<BendLoss>(info.curve->Lc, r.Rc, line_.settings.rule, manning_));
    }
    if (r.loss && !info.structure) {
      info.reserved = r.loss;
      links.push_back(std::make_unique<FixedLoss>(*r.loss));
    }
    addGap(gap, booking, structure, std::move(links));
    info.up = addNode(k, channel, arriving, section, inside);
    return true;
  }

  void across(std::size_t k, RowReader& reader, const RowRead& r) {
    LineRowInfo& info = line_.rows[k];
    const NodeKind kind = r.kind;
    const LineStructure* s = info.structure ? &line_.structures[*info.structure] : nullptr;
    const LineNode upNode = line_.nodes[info.up];
    const bool barrel = s && !s->reservedOnly &&
                        (s->type == StructureType::Aqueduct || s->type == StructureType::Tunnel ||
                         s->type == StructureType::Culvert || s->type == StructureType::Chute);
    const auto point = [&](GapKind gap, Links links, const Channel& channel, std::optional<std::size_t> section,
                           std::optional<std::size_t> inside) {
      addGap(gap, Booking::Point, info.structure, std::move(links));
      info.down = addNode(k, channel, *segment_, section, inside);
    };
    const auto transition = [](const Real& faster, const Real& slower) {
      Links links;
      links.push_back(std::make_unique<TransitionLoss>(faster, slower));
      return links;
    };
    if (kind == Gate) {
      point(GapKind::Gate, {}, canalChannel(), canal_, std::nullopt);
    } else if (kind == Drop) {
      point(GapKind::DropFall, {}, canalChannel(), canal_, std::nullopt);
    } else if (isInlet(kind)) {
      if (barrel) {
        point(kind == ChuteIn ? GapKind::ChuteInlet : GapKind::Step, transition(s->xi1, s->xi1), s->barrel, std::nullopt,
              info.structure);
      } else {
        info.down = info.up;
      }
    } else if (isOutlet(kind) && barrel) {
      if (kind == ChuteOut) {
        point(GapKind::ChuteExit, {}, canalChannel(), canal_, std::nullopt);
      } else {
        point(GapKind::Step, transition(s->xi2, s->xi2), canalChannel(), canal_, std::nullopt);
      }
    } else if (upNode.structure) {
      info.down = info.up;  // an IP within a barrel
    } else if (upNode.section != canal_) {
      // Between two canals: ξ1 where the water speeds up, ξ2 where it slows (Table K.1.2's forms).
      Real faster(reader.number(Column::Xi1, false).value_or(0)), slower(reader.number(Column::Xi2, false).value_or(0));
      if (reader.has(Column::Form)) {
        const std::string& key = *reader.cell(Column::Form);
        const structures::TransitionForm* form = structures::findTransitionForm(structures::TransitionFamily::Aqueduct, key);
        if (!form) {
          reader.keep(MessageId::UnknownForm, Column::Form,
                      {MessageArg::literal(quoteForMessage(key)), MessageArg::literal("K.1.2"),
                       MessageArg::literal("curved-warped, straight-warped, arc-wall, splayed, square")});
          return;
        }
        const bool ranged = form->inlet.low != form->inlet.high;
        if (ranged && !(reader.has(Column::Xi1) && reader.has(Column::Xi2))) {
          reader.keep(MessageId::RangedFormNeedsXi, reader.has(Column::Xi1) ? Column::Xi2 : Column::Xi1,
                      {MessageArg::literal(quoteForMessage(key)), MessageArg::value(form->inlet.low), MessageArg::value(form->outlet.high)});
          return;
        }
        if (!reader.has(Column::Xi1)) faster = Real(form->inlet.low);
        if (!reader.has(Column::Xi2)) slower = Real(form->outlet.low);
      }
      point(GapKind::Step, transition(faster, slower), canalChannel(), canal_, std::nullopt);
    } else if (upNode.segment != *segment_) {
      point(GapKind::Continuity, {}, canalChannel(), canal_, std::nullopt);
    } else {
      info.down = info.up;
    }
  }

  CanalLine& line_;
  const std::vector<LineRow>& rows_;
  const std::vector<RowRead>& reads_;
  std::vector<Problem>& problems_;
  double manning_;
  SectionCells carried_;
  std::optional<std::size_t> canal_, segment_, open_;
  std::optional<std::size_t> opened_;  // the inlet of the row being added
  std::size_t inside_ = 0;  // the IPs within the open structure
};

}  // namespace

void assembleChain(CanalLine& line, const std::vector<LineRow>& rows, const std::vector<RowRead>& reads,
                   std::vector<Problem>& problems) {
  Assembly assembly(line, rows, reads, problems);
  for (std::size_t k = 0; k < rows.size(); ++k) assembly.add(k);
  assembly.finish();
}

}  // namespace channelflow::calc::canal
