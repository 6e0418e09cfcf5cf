// A canal line (渠线): its nodes in station order from head to tail, the
// section that starts at each, its flow segments and the structures between
// them, and the water levels of its three flows (推求水面线, canal-line.md):
// the design flow marched in practice's way from the level that is known,
// h_f = i L and normal depth in every section, which fixes the bed (bed =
// level - normal depth); then, on that bed, the enlarged and the minimum
// flows marched upstream from the tail by the standard step, every loss at
// its own flow, gates holding their levels and drops and chutes restarting
// the march from their own controls.
//
// Each row of the file becomes one node of the chain, or two at its station
// where something changes there (a section, a flow, a structure's end, a
// gate): the node the water arrives at and the one it leaves from. Between
// two nodes the level changes by a standard step (friction, bends, the
// transitions in the form that never makes a loss a gain, a siphon's
// barrels, reserved losses) or by a relation of its own (a gate's fall, an
// offtake's unchanged level, a drop's or a chute's control).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/canal/plan.h"
#include "calc/line/chain.h"
#include "calc/line/friction_slope.h"
#include "calc/reach/boundary.h"
#include "calc/structures/check.h"
#include "calc/structures/drop.h"
#include "calc/structures/flows.h"
#include "calc/structures/gate.h"
#include "calc/structures/siphon.h"

namespace channelflow::calc {

using structures::FlowCase;
inline constexpr std::size_t kFlowCases = 3;

enum class NodeKind : std::uint8_t {
  Start, Ip, Node, Gate, Offtake,
  SiphonIn, SiphonOut, AqueductIn, AqueductOut, TunnelIn, TunnelOut, CulvertIn, CulvertOut,
  Drop, ChuteIn, ChuteOut,
};

// The catalog's term of a kind ("siphon-in"), and the kind a cell names (its
// key or its Chinese name).
std::string_view nodeKindKey(NodeKind kind);
std::optional<NodeKind> nodeKindNamed(std::string_view text);
// "start|ip|node|...": the kinds a cell takes.
std::string nodeKindChoices();

enum class StructureType : std::uint8_t { Siphon, Aqueduct, Tunnel, Culvert, Gate, Drop, Chute };
std::string_view structureTypeKey(StructureType type);

struct LineSettings {
  // The level known: at the head (顺推) or at a control downstream (逆推),
  // the tail's unless a gate is named. Exactly one is given.
  std::optional<numeric::Decimal> headLevel, controlLevel;
  std::optional<std::string> controlAt;  // a gate's name
  FrictionRule rule = FrictionRule::MeanSlope;
  bool uniform = false;  // practice: every flow at normal depth, h_f = i L
  double g = structures::kStandardGravity;
  // The standard step steps from node to node, halving a step that would
  // change the depth by more than 2 %; no step is longer than this where it
  // is given, and 0 steps from node to node without halving, as workbooks do.
  std::optional<double> maxStep;
  int grade = 5;
  // The enlarged and minimum flows' levels at the tail (reach boundaries,
  // "enlarged;minimum" or one for both); normal depth when not given.
  std::optional<std::string> tail;
};

// A flow segment's three flows, and where the enlarged and minimum came from.
struct LineFlows {
  std::array<Real, kFlowCases> Q;  // by FlowCase
  bool enlargedFromTable = false;  // Table 6.3.4, the smaller P
  double enlarge = 0;              // P when from the table
  bool minimumByRatio = false;     // 0.4 Q
};

// A canal section and the rules its banks and velocities answer to.
struct LineSection {
  Channel channel;
  double vMin = 0, vMax = 0;         // 0: not given
  std::optional<Real> freeboard;     // above the enlarged level; Eq. 6.4.8-1 when not given
  std::optional<Real> height;        // the canal depth adopted, bed to bank top
};

// A structure between its inlet row and its outlet row (the same row for a
// gate or a drop).
struct LineStructure {
  StructureType type = StructureType::Siphon;
  std::size_t inRow = 0, outRow = 0;
  std::optional<Real> allotted;  // the head reserved for it (loss)
  bool reservedOnly = false;     // no parameters given: the reserved head is its loss
  // A siphon: its barrels (the siphon question's inputs) and their result at the segment's flows.
  structures::SiphonInput siphon;
  structures::SiphonResult siphonResult;
  std::optional<Real> inletCrown, outletCrown;
  // An aqueduct, a tunnel or a culvert: its barrel and length.
  Channel barrel;
  Real L;
  bool box = false;           // a culvert of rectangular barrel: its height is D
  Real crown;                 // the barrel's height to its roof (tunnel, culvert)
  std::optional<Real> height; // an aqueduct's trough height adopted
  std::string trough;         // "rectangle" or "u"
  // Each end's transition: the form named (or "" for a typed ξ) and ξ.
  std::string inletForm, outletForm;
  Real xi1, xi2;
  // A gate: its typed loss or its opening, and the level it holds at the minimum flow.
  std::optional<Real> gateLoss;
  std::optional<structures::GateOpening> opening;
  std::optional<numeric::Decimal> hold;
  bool holdDesign = false;
  // A drop: its fall and crest; a chute: its section (the barrel) and length.
  Real fall;
  std::optional<structures::DropInput> crest;
};

// How the level changes from one node of the chain to the next.
enum class GapKind : std::uint8_t {
  Step,         // the standard step over the gap's links
  Gate,         // a gate's fall, and the level it holds
  Continuity,   // the same level (a flow leaving at an offtake)
  DropFall,     // a drop: the upstream canal ends at its crest, the downstream one restarts
  ChuteInlet,   // the canal into a chute's crest, where the flow passes its critical depth
  ChuteBarrel,  // down the chute from its crest to its end (supercritical)
  ChuteExit,    // the chute's end into the downstream canal
};

// What a step's terms are booked as on the row.
enum class Booking : std::uint8_t { Reach, Point, Barrel, Siphon };

struct LineGap {
  GapKind kind = GapKind::Step;
  Booking booking = Booking::Reach;
  std::optional<std::size_t> structure;
};

// What each node of the chain is to the line.
struct LineNode {
  std::size_t row = 0;
  std::size_t segment = 0;
  std::optional<std::size_t> section;    // a canal section; none inside a structure
  std::optional<std::size_t> structure;  // the barrel it stands in
};

struct LineRowInfo {
  std::string name;
  NodeKind kind = NodeKind::Node;
  bool stationComputed = false;  // from the plan's coordinates
  std::optional<Real> x, y;
  std::optional<PlanCurve> curve;  // an IP's
  std::size_t up = 0, down = 0;    // its nodes in the chain (the same one where nothing changes)
  std::optional<std::size_t> structure;
  std::optional<Real> reserved;  // a loss booked on a row of no structure
  std::optional<Problem> note;   // a reading the row should show
  bool inChain = true;           // false within a siphon, whose barrels follow the plan
};

struct CanalLine {
  LineSettings settings;
  std::vector<LineRowInfo> rows;
  Chain chain;
  std::vector<LineNode> nodes;  // per chain node
  std::vector<LineGap> gaps;    // gaps[k] between chain nodes k and k + 1
  std::vector<LineSection> sections;
  std::vector<LineFlows> segments;
  std::vector<LineStructure> structures;
  std::optional<std::size_t> controlNode;  // where the known level stands: the head, the tail, or a gate's upstream side
  std::string stakePrefix = "K";           // as the file writes its stations
};

// The line of the file's text and the settings. Throws CalcError naming
// the input at fault ("file" with the row and its column), every problem of
// the rows at once (the first ten).
inline constexpr std::size_t kMaxLineRows = 20000;
CanalLine readCanalLine(std::string_view text, const LineSettings& settings);

// A node's water at one flow, or why it has none.
struct NodeWater {
  bool known = false;
  Real h, wse;
  Hydraulics<Real> x;
  bool critical = false;  // a control's critical depth, or the step's where no subcritical depth balances
  bool held = false;      // a gate holds this level
  std::optional<Problem> note;
};

// A row's fall from the row before, by term: each a level's fall (a
// transition's or a structure's includes its change of velocity head).
struct RowFall {
  Real hf, hw, htr, hs, hgate, hr, dhv;
  Real dz;  // the whole fall of the level
  bool known = false;
};

struct LineFlowResult {
  FlowCase which = FlowCase::Design;
  FlowAlong along;
  std::vector<NodeWater> nodes;  // per chain node
  std::vector<RowFall> falls;    // per row
};

// A check at a row, for one flow or for the structure.
struct LineCheck {
  std::size_t row = 0;
  std::optional<FlowCase> flow;
  structures::Check check;
};

// An aqueduct's trough height: what its freeboards need over the line's
// levels in the trough, and what is adopted (given, or that rounded up to 0.01 m).
struct TroughHeight {
  std::size_t structure = 0;
  std::optional<Real> needed;
  Real adopted;
};

struct LineResult {
  std::vector<std::optional<Real>> bed;  // per chain node, from the design march
  std::array<LineFlowResult, kFlowCases> flows;
  std::vector<std::optional<Real>> top;  // per row: the bank's or the structure's top
  std::vector<LineCheck> checks;
  // Per canal section: the depth its bank needs (the most over its rows of
  // the enlarged depth and the freeboard) and the depth adopted.
  std::vector<std::optional<Real>> heightNeeded, heightAdopted;
  std::vector<TroughHeight> troughs;
};

// Lays the bed (each node's) from the design march, then marches the other flows on it.
LineResult computeLine(CanalLine& line);

// A station as the drawings write it: "K2+834.662" (metres to the millimetre).
std::string stakeText(const numeric::Decimal& station, std::string_view prefix);

}  // namespace channelflow::calc
