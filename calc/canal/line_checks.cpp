// A canal line's tops and checks: the bank each canal section needs over
// its enlarged levels (§6.4.8), the structures' roofs and walls, and at
// every row the velocities (§6.3.10–6.3.12), the freeboard, the structures'
// clearances and allotted heads, a siphon's submergence at the minimum flow
// (§10.3.7) and §6.3.5's 60 % rule where no gate holds the level.
//
// Readings (canal-line.md §15):
// - §6.4.8 gives Eq. 6.4.8-1 for grades 4 and 5 only; a grade 1–3 canal
//   takes it too unless its freeboard is given, and the report says so.
// - §9.4.1-3's 1 %–3 % backwater: the enlarged level at the trough's
//   entrance less the upstream canal's enlarged normal level, against 3 %
//   of that canal's enlarged normal depth (item 18).
// - A tunnel's clearance is checked at the design and the enlarged flows
//   (item 16); a culvert's free area at the design flow and its clear
//   height at the enlarged, the highest level (item 17).
// - A siphon's submergence needs its crowns' elevations as built (the
//   inlet's mouth usually stands below the canal's bed): without them the
//   check shows the minimum level and judges nothing.
#include "calc/canal/line_compute.h"
#include "calc/flow/uniform_solvers.h"
#include "calc/structures/culvert_tables.h"
#include "calc/structures/rounding.h"

namespace channelflow::calc {
namespace {

using structures::Check;
using structures::Compared;
using structures::FlowCase;
using V = Compared;

constexpr std::size_t kDesign = 0, kEnlarged = 1, kMinimum = 2;

class Checker {
 public:
  Checker(const CanalLine& line, LineResult& result) : line_(line), result_(result) {}

  void run() {
    heights();
    troughs();
    tops();
    gatePools();
    for (std::size_t r = 0; r < line_.rows.size(); ++r) rowChecks(r);
    for (std::size_t s = 0; s < line_.structures.size(); ++s) structureChecks(s);
  }

 private:
  const NodeWater& water(std::size_t f, std::size_t k) const { return result_.flows[f].nodes[k]; }

  void add(std::size_t row, std::optional<FlowCase> flow, Check check) { result_.checks.push_back({row, flow, std::move(check)}); }

  // Eq. 6.4.8-1 (or the freeboard given), and Eq. 6.4.8-2's rise of the outer bank at a curve.
  std::optional<Real> freeboardNeeded(std::size_t k) const {
    const LineNode& node = line_.nodes[k];
    const NodeWater& j = water(kEnlarged, k);
    if (!node.section || !j.known) return std::nullopt;
    const LineSection& section = line_.sections[*node.section];
    Real needed = section.freeboard ? *section.freeboard : j.h / 4 + Real(0.2);
    const LineRowInfo& row = line_.rows[node.row];
    if (row.curve && row.curve->Lc > Real(0) && row.down == k) {
      const Real& Rc = row.curve->Rc;
      if (Rc < j.x.T * 5 || j.x.v > Real(2)) needed += j.x.T * j.x.v * j.x.v / (Real(line_.settings.g) * 2 * Rc);
    }
    return needed;
  }

  void heights() {
    const std::size_t sections = line_.sections.size();
    result_.heightNeeded.assign(sections, std::nullopt);
    result_.heightAdopted.assign(sections, std::nullopt);
    for (std::size_t k = 0; k < line_.nodes.size(); ++k) {
      const LineNode& node = line_.nodes[k];
      const std::optional<Real> fb = freeboardNeeded(k);
      if (!node.section || !fb) continue;
      const Real H = water(kEnlarged, k).h + *fb;
      std::optional<Real>& needed = result_.heightNeeded[*node.section];
      if (!needed || H > *needed) needed = H;
    }
    for (std::size_t s = 0; s < sections; ++s) {
      if (line_.sections[s].height) {
        result_.heightAdopted[s] = *line_.sections[s].height;
      } else if (result_.heightNeeded[s]) {
        result_.heightAdopted[s] = Real(structures::roundUp(*result_.heightNeeded[s], structures::RoundingRule::Decimetre, "height"));
      }
    }
  }

  // An aqueduct's trough height: its freeboards at the design flow (h/12 +
  // 0.05 m, or a U's 2R0/10) and 0.10 m at the enlarged, over each end's level.
  std::optional<Real> troughNeeded(const LineStructure& s) const {
    std::optional<Real> needed;
    for (const std::size_t k : barrelNodes(s)) {
      const NodeWater& d = water(kDesign, k);
      const NodeWater& j = water(kEnlarged, k);
      if (d.known) {
        const Real fb = s.trough == "u" ? s.barrel.size * 2 / 10 : d.h / 12 + Real(0.05);
        if (!needed || d.h + fb > *needed) needed = d.h + fb;
      }
      if (j.known && (!needed || j.h + Real(0.1) > *needed)) needed = j.h + Real(0.1);
    }
    return needed;
  }

  std::vector<std::size_t> barrelNodes(const LineStructure& s) const {
    std::vector<std::size_t> nodes;
    for (std::size_t k = line_.rows[s.inRow].down; k <= line_.rows[s.outRow].up && k < line_.nodes.size(); ++k) {
      if (line_.nodes[k].structure) nodes.push_back(k);
    }
    return nodes;
  }

  void troughs() {
    for (std::size_t i = 0; i < line_.structures.size(); ++i) {
      const LineStructure& s = line_.structures[i];
      if (s.type != StructureType::Aqueduct || s.reservedOnly) continue;
      TroughHeight t;
      t.structure = i;
      t.needed = troughNeeded(s);
      if (s.height) {
        t.adopted = *s.height;
      } else if (t.needed) {
        t.adopted = Real(structures::roundUpTo(*t.needed, 0.01));
      } else {
        continue;
      }
      result_.troughs.push_back(t);
    }
  }

  std::optional<Real> roofOf(const LineStructure& s) const {
    switch (s.type) {
      case StructureType::Aqueduct: {
        for (const TroughHeight& t : result_.troughs) {
          if (&line_.structures[t.structure] == &s) return t.adopted;
        }
        return std::nullopt;
      }
      case StructureType::Tunnel:
      case StructureType::Culvert: return s.crown;
      default: return std::nullopt;
    }
  }

  void tops() {
    result_.top.assign(line_.rows.size(), std::nullopt);
    for (std::size_t r = 0; r < line_.rows.size(); ++r) {
      const std::size_t k = line_.rows[r].down;
      const LineNode& node = line_.nodes[k];
      if (!result_.bed[k]) continue;
      if (node.section && result_.heightAdopted[*node.section]) {
        result_.top[r] = *result_.bed[k] + *result_.heightAdopted[*node.section];
      } else if (node.structure && !line_.structures[*node.structure].reservedOnly) {
        if (const std::optional<Real> roof = roofOf(line_.structures[*node.structure])) result_.top[r] = *result_.bed[k] + *roof;
      }
    }
  }

  // The nodes whose minimum level a gate holds: upstream of a gate that
  // holds it, to the next control above (a gate, a drop, a chute).
  void gatePools() {
    const std::size_t n = line_.nodes.size();
    held_.assign(n, false);
    bool pool = false;
    for (std::size_t k = n; k-- > 0;) {
      if (k + 1 < n) {
        const GapKind kind = line_.gaps[k].kind;
        if (kind == GapKind::Gate || kind == GapKind::DropFall || kind == GapKind::ChuteExit || kind == GapKind::ChuteBarrel) {
          pool = water(kMinimum, k).held;
        }
      }
      held_[k] = pool;
    }
  }

  void rowChecks(std::size_t r) {
    const LineRowInfo& row = line_.rows[r];
    const std::size_t k = row.down;
    const LineNode& node = line_.nodes[k];
    if (!node.section || !row.inChain) return;
    const LineSection& section = line_.sections[*node.section];
    const NodeWater& d = water(kDesign, k);
    const NodeWater& j = water(kEnlarged, k);
    const NodeWater& m = water(kMinimum, k);
    if (d.known && (section.vMin > 0 || section.vMax > 0)) {
      const V v{"v", d.x.v};
      if (section.vMin > 0 && section.vMax > 0) {
        add(r, FlowCase::Design, within("canal-velocity", "6.3.10", v, V{"v_min", Real(section.vMin)}, V{"v_max", Real(section.vMax)}));
      } else if (section.vMax > 0) {
        add(r, FlowCase::Design, atMost("canal-velocity", "6.3.10", v, V{"v_max", Real(section.vMax)}));
      } else {
        add(r, FlowCase::Design, atLeast("canal-velocity", "6.3.10", v, V{"v_min", Real(section.vMin)}));
      }
    }
    if (j.known && section.vMax > 0) add(r, FlowCase::Enlarged, atMost("canal-scour", "6.3.11", V{"v", j.x.v}, V{"v_max", Real(section.vMax)}));
    if (m.known && section.vMin > 0) add(r, FlowCase::Minimum, atLeast("canal-silting", "6.3.12", V{"v", m.x.v}, V{"v_min", Real(section.vMin)}));
    if (j.known && result_.top[r]) {
      if (const std::optional<Real> fb = freeboardNeeded(k)) {
        add(r, FlowCase::Enlarged, atLeast("freeboard", section.freeboard ? "6.4.8" : "6.4.8-1", V{"Fb", *result_.top[r] - j.wse}, V{"Fb_needed", *fb}));
      }
    }
    if (d.known && m.known) {
      const V hmin{"h_min", m.h}, least{"0.6h_s", d.h * Real(0.6)};
      add(r, FlowCase::Minimum, held_[k] ? structures::notApplicable("min-depth", "6.3.5", {hmin, least}) : atLeast("min-depth", "6.3.5", hmin, least));
    }
    if (row.curve && row.curve->Lc > Real(0) && d.known) {
      add(r, FlowCase::Design, atLeast("bend-radius", "6.2.5", V{"Rc", row.curve->Rc}, V{"5B", d.x.T * 5}));
    }
  }

  void structureChecks(std::size_t index) {
    const LineStructure& s = line_.structures[index];
    const LineRowInfo& in = line_.rows[s.inRow];
    const LineRowInfo& out = line_.rows[s.outRow];
    if (s.reservedOnly || s.type == StructureType::Gate) return;
    const std::size_t inlet = in.up, outlet = out.down;
    if (s.allotted && water(kDesign, inlet).known) {
      const Real fall = water(kDesign, inlet).wse - water(kDesign, outlet).wse;
      const std::string_view clause = s.type == StructureType::Siphon ? "10.2.1" : s.type == StructureType::Aqueduct ? "K.1.2" : "";
      add(s.inRow, FlowCase::Design, atMost("allotted-head", clause, V{"dZ", fall}, V{"dZ_allotted", *s.allotted}));
    }
    switch (s.type) {
      case StructureType::Siphon: siphonChecks(s); break;
      case StructureType::Aqueduct: aqueductChecks(s); break;
      case StructureType::Tunnel:
      case StructureType::Culvert: closedChecks(s); break;
      case StructureType::Drop: add(s.inRow, std::nullopt, atMost("drop-fall", "12.1.3", V{"P", s.fall}, V{"P_max", Real(5)})); break;
      case StructureType::Chute: break;
      case StructureType::Gate: break;
    }
  }

  void siphonChecks(const LineStructure& s) {
    for (const Check& check : s.siphonResult.checks) {
      if (check.rule == "siphon-velocity") add(s.inRow, FlowCase::Design, check);
      if (check.rule == "siphon-non-silting" && check.verdict != structures::Verdict::NotApplicable) add(s.inRow, FlowCase::Minimum, check);
    }
    const std::size_t inlet = line_.rows[s.inRow].down, outlet = line_.rows[s.outRow].up;
    const NodeWater& a = water(kMinimum, inlet);
    const NodeWater& b = water(kMinimum, outlet);
    // The crowns are the barrels' as built: without them the levels are shown and nothing is judged.
    if (a.known) {
      add(s.inRow, FlowCase::Minimum,
          s.inletCrown ? atLeast("siphon-inlet-submerged", "10.3.7", V{"submergence", a.wse - *s.inletCrown}, V{"least", Real(0)})
                       : structures::notApplicable("siphon-inlet-submerged", "10.3.7", {V{"wse_min", a.wse}}));
    }
    if (b.known) {
      const Real v = s.siphonResult.flows.back().v;
      add(s.outRow, FlowCase::Minimum,
          s.outletCrown ? atLeast("siphon-outlet-submerged", "10.3.7", V{"submergence", b.wse - *s.outletCrown},
                                  V{"v2_g", v * v / Real(line_.settings.g)})
                        : structures::notApplicable("siphon-outlet-submerged", "10.3.7", {V{"wse_min", b.wse}}));
    }
  }

  void aqueductChecks(const LineStructure& s) {
    const std::vector<std::size_t> nodes = barrelNodes(s);
    if (nodes.empty()) return;
    const std::size_t first = nodes.front();
    const NodeWater& d = water(kDesign, first);
    if (d.known) add(s.inRow, FlowCase::Design, within("aqueduct-velocity", "9.4.1-1", V{"v", d.x.v}, V{"v_low", Real(1.0)}, V{"v_high", Real(2.5)}));
    if (const std::optional<Real> roof = roofOf(s)) {
      const bool u = s.trough == "u";
      const Real ratio = u ? *roof / (s.barrel.size * 2) : *roof / s.barrel.size;
      add(s.inRow, std::nullopt,
          within("aqueduct-height-ratio", u ? "9.3.3-4" : "9.3.3-2", V{u ? "H/2R0" : "H/B", ratio}, V{"low", Real(u ? 0.7 : 0.6)},
                 V{"high", Real(u ? 0.9 : 0.8)}));
      for (const std::size_t k : nodes) {
        const std::size_t row = line_.nodes[k].row;
        const NodeWater& dk = water(kDesign, k);
        const NodeWater& jk = water(kEnlarged, k);
        if (dk.known) {
          const Real fb = u ? s.barrel.size * 2 / 10 : dk.h / 12 + Real(0.05);
          add(row, FlowCase::Design, atLeast("aqueduct-freeboard", "9.4.1-2", V{"Fb", *roof - dk.h}, V{"Fb_needed", fb}));
        }
        if (jk.known) add(row, FlowCase::Enlarged, atLeast("aqueduct-freeboard", "9.4.1-2", V{"Fb", *roof - jk.h}, V{"Fb_needed", Real(0.1)}));
      }
    }
    const std::size_t upstream = line_.rows[s.inRow].up;
    const NodeWater& canal = water(kDesign, upstream);
    if (canal.known) {
      const Check check = atLeast("aqueduct-long-trough", "K.1.1", V{"L", s.L}, V{"15h1", canal.h * 15});
      add(s.inRow, std::nullopt, check);
    }
    // §9.4.1-3: the enlarged flow's rise at the trough's entrance over the canal's normal level.
    const NodeWater& j = water(kEnlarged, upstream);
    if (j.known && result_.bed[upstream]) {
      try {
        const Real hn = normalDepths(line_.chain.nodes[upstream].channel, result_.flows[kEnlarged].along.Q[upstream]).front();
        add(s.inRow, FlowCase::Enlarged,
            atMost("aqueduct-backwater", "9.4.1-3", V{"rise", j.h - hn}, V{"0.03h", hn * Real(0.03)}));
      } catch (const CalcError&) {
      }
    }
  }

  void closedChecks(const LineStructure& s) {
    const bool tunnel = s.type == StructureType::Tunnel;
    const Real full = s.box ? s.barrel.size * s.crown : fullArea(s.barrel.shape, s.barrel.size);
    for (const std::size_t k : barrelNodes(s)) {
      const std::size_t row = line_.nodes[k].row;
      for (const std::size_t f : {kDesign, kEnlarged}) {
        const NodeWater& w = water(f, k);
        if (!w.known) continue;
        const FlowCase which = f == kDesign ? FlowCase::Design : FlowCase::Enlarged;
        const Real freeArea = (full - w.x.A) / full * 100, freeHeight = s.crown - w.h;
        if (tunnel) {
          add(row, which, atLeast("tunnel-free-area", "15.2.6", V{"free_area_pct", freeArea}, V{"least", Real(15)}));
          add(row, which, atLeast("tunnel-clear-height", "15.2.6", V{"free_height", freeHeight}, V{"least", Real(0.4)}));
        } else if (f == kDesign) {
          add(row, which, within("culvert-free-area", "11.2.5", V{"free_area_pct", freeArea}, V{"low", Real(10)}, V{"high", Real(30)}));
        } else {
          const structures::CulvertShape shape = s.box ? structures::CulvertShape::Rectangle
                                                 : std::holds_alternative<Circle>(s.barrel.shape) ? structures::CulvertShape::Circle
                                                                                                  : structures::CulvertShape::Arch;
          add(row, which, atLeast("culvert-clear-height", "11.2.5", V{"free_height", freeHeight},
                                  V{"least", structures::leastClearHeight(shape, s.crown)}));
        }
      }
    }
  }

  const CanalLine& line_;
  LineResult& result_;
  std::vector<bool> held_;
};

}  // namespace

void lineChecks(const CanalLine& line, LineResult& result) { Checker(line, result).run(); }

}  // namespace channelflow::calc
