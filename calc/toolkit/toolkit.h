// The toolkit's one API, which every front end binds (the command line, the
// browser page): a question's inputs as texts in, its answer out as rows of
// quantities, each a quantity of the catalog with its value (a correctly
// rounded double, a term, a text or why it has none), or a CalcError with
// every problem of the inputs. Front ends only format: the labels, units and
// message texts come from calc/catalog.h and calc/messages.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/toolkit/catalog.h"
#include "calc/design/design_checks.h"
#include "calc/design/design_report.h"
#include "calc/toolkit/inputs.h"
#include "calc/sections/outline.h"
#include "calc/flow/profile.h"
#include "calc/flow/uniform_solvers.h"

namespace channelflow::calc {

struct Item {
  enum class Kind : std::uint8_t {
    Number,   // number
    Term,     // term: a catalog term's key ("subcritical")
    Text,     // text: verbatim ("h", the key of a solved unknown)
    Message,  // message: a message's text ("critical flow has no answer here: …")
    None,     // no value; term says why
    List,     // numbers: several values of one quantity ("hc_all")
  };
  QuantityId id;
  Kind kind = Kind::Number;
  double number = 0;
  std::string_view term;
  std::string text;
  Problem message;
  std::vector<double> numbers;

  std::string_view key() const { return quantityInfo(id).key; }
};

using Items = std::vector<Item>;

// The item with this key, or nullptr.
const Item* findItem(const Items& items, std::string_view key);

// report: the channel (section, units, size, i, n) and every quantity of its
// uniform flow at depth h, with the critical flow of that discharge.
Items report(const Inputs& inputs);
Items reportOf(const Channel& channel, const Real& h);

// solve: uniform flow with one of Q, h, the size (B, D, r or p), i and n
// unknown: the one named by `unknown` (a key), or else the one input left out.
struct SolveAnswer {
  Unknown unknown = Unknown::Discharge;
  std::string unknownKey;          // "Q", "h", "B", "D", "r", "p", "i" or "n"
  QuantityId unknownQuantity;      // its label: "正常水深 h", "下底宽 B", ...
  UnitSystem units = UnitSystem::SI;
  std::vector<double> values;      // the unknown's value in each answer
  std::vector<Items> answers;      // each answer's report, beginning with "unknown"
  std::optional<Items> capacity;   // a circle's Qmax, hmax and Qfull, when its depth was sought
};
SolveAnswer solve(const Inputs& inputs, std::string_view unknown = {});

// table: the rating table over the depths of `h` = "from:to:step", or a
// surveyed section's water levels `wse` = "from:to:step".
struct TableRow {
  double h = 0;
  double wse = 0;                   // a surveyed section's water level
  bool ok = false;
  double A = 0, v = 0, Q = 0, Fr = 0;
  bool full = false;                // a circle running full: no Froude number or open-flow regime
  std::string_view regime;          // term: "subcritical", ..., or "full"
  Problem error;                    // why the row has no flow, when !ok
};
// The range as typed: each row's depth or level is from + k step, exactly.
struct TableRange {
  numeric::Decimal from, step;
  long rows = 0;
};
inline constexpr long kMaxTableRows = 1000000;
// Reads "from:to:step" of depths (from > 0), or of levels (any from); throws
// CalcError naming `key`.
TableRange readRange(std::string_view key, std::string_view text, bool ofDepths = true);
// The channel and the range, checked; then each row, k < range.rows, computed alone.
struct TablePlan {
  Channel channel;
  TableRange range;
  bool levels = false;  // the range is of water levels
};
// Whether the table's rows carry a water level (a surveyed section's).
inline bool hasLevels(const TablePlan& plan) { return isSurvey(plan.channel.shape); }
TablePlan planTable(const Inputs& inputs);
TableRow tableRow(const TablePlan& plan, long k);

// jump: the hydraulic jump through h1 carrying Q.
Items jump(const Inputs& inputs);

// profile: the water-surface profile from h0, toward `to-h` by the direct
// step or over `length` by the standard step, in `steps` steps (100 unless given).
struct ProfileAnswer {
  Items head;  // the channel, Q, h0, method, type, hc, hn, direction and why, note
  std::vector<ProfilePoint> points;
  bool reachedCritical = false;
  std::optional<Problem> note;
  UnitSystem units = UnitSystem::SI;
};
inline constexpr int kDefaultSteps = 100;
inline constexpr int kMaxSteps = 1000000;
ProfileAnswer profile(const Inputs& inputs);

// outline: the section drawn at depth h, its banks a quarter of h above the
// water (a circle whole).
struct OutlineAnswer {
  Outline outline;
  UnitSystem units = UnitSystem::SI;
};
OutlineAnswer outline(const Inputs& inputs);

// design: an irrigation canal by GB 50288-2018 (calc/design/): its three
// flows, its section (Appendix E's practical economic section, a given
// width-to-depth ratio or bottom width, or a given U shape), the depth of
// each flow, the bank height, the checks and the calculation report.
struct DesignScheme {
  double alpha = 1, eta = 1, beta = 0, B = 0, h = 0, A = 0, v = 0;
  double increase = 0;   // (alpha - 1) 100, the area added to the best section's, in percent
  bool chosen = false;
  bool inTable = true;   // one of Table E.0.2's alpha
};
// The section drawn to scale: its boundary up to the bank top H, the design
// water level h and the enlarged one hj.
struct DesignDrawing {
  Outline outline;                                        // water at the design depth
  std::array<double, 2> enlargedLeft{}, enlargedRight{};  // the enlarged flow's surface
  bool trapezoid = true;
  double b = 0, m = 0, r = 0, h = 0, hj = 0, Fb = 0, H = 0, Q = 0;
};
struct DesignAnswer {
  Items items;                        // every input used and result, in the order data writes them
  std::vector<DesignScheme> schemes;  // sized by Appendix E: Table E.0.2's alpha, and a given one beyond it
  std::vector<design::DesignCheck> checks;
  std::vector<design::ReportLine> report;
  DesignDrawing drawing;
};
DesignAnswer designCanal(const Inputs& inputs);

}  // namespace channelflow::calc
