// A canal line's longitudinal profile (纵断面图) as a DXF drawing: lengths
// at 1:horizontal and heights at 1:vertical, in millimetres on paper, on the
// layers BED, WATER (the design level; the enlarged one dashed), WATER_MIN
// (the minimum level), TOP (the banks and structures' tops), STRUCTURES
// (each structure between its stations, named), BANDS (the data bands under
// the profile as Chinese drawings have them: 桩号, 渠底高程, 设计水位,
// 加大水位, 堤顶高程) and TEXT (the elevation ruler and the title).
#include <array>
#include <cmath>

#include "calc/canal/line_answer.h"
#include "calc/services/dxf_file.h"
#include "calc/services/dxf_writer.h"
#include "calc/toolkit/inputs.h"

namespace channelflow::calc {
namespace {

constexpr std::array<DxfLayer, 7> kLayers{{{"BED", 7},
                                          {"WATER", 5},
                                          {"WATER_MIN", 4},
                                          {"TOP", 3},
                                          {"STRUCTURES", 1},
                                          {"BANDS", 7},
                                          {"TEXT", 7}}};
constexpr double kBand = 20;       // each band's height, mm
constexpr double kTitleWidth = 36; // the bands' titles to the left of the profile
constexpr double kSmallText = 2.5;

struct Scale {
  double kx, ky;      // mm per metre along and up
  double s0, zLow;    // the first station and the ruler's foot
  double base;        // the profile's foot above the bands
  double x(double station) const { return (station - s0) * kx; }
  double y(double z) const { return base + (z - zLow) * ky; }
};

// A line through the nodes where `level` has a value, broken where it has none.
template <typename Level>
void polyline(Dxf& dxf, const LineAnswerData& data, const Scale& scale, std::string_view layer, bool dashed, Level level) {
  // A plain pair and a flag, not an optional: GCC's -Wmaybe-uninitialized
  // misreads an optional array's value here.
  bool drawn = false;
  std::array<double, 2> last{};
  for (std::size_t k = 0; k < data.line.chain.nodes.size(); ++k) {
    const std::optional<Real> z = level(k);
    if (!z) {
      drawn = false;
      continue;
    }
    const std::array<double, 2> at{scale.x(data.line.chain.nodes[k].station.toDouble()), scale.y(z->toDouble())};
    if (drawn) dxf.line(layer, last[0], last[1], at[0], at[1], dashed);
    last = at;
    drawn = true;
  }
}

}  // namespace

std::string profileDxf(const LineAnswerData& data, double horizontal, double vertical) {
  const CanalLine& line = data.line;
  const LineResult& result = data.result;
  const std::size_t n = line.chain.nodes.size();
  double low = HUGE_VAL, high = -HUGE_VAL;
  for (std::size_t k = 0; k < n; ++k) {
    if (result.bed[k]) low = std::fmin(low, result.bed[k]->toDouble());
    for (const LineFlowResult& f : result.flows) {
      if (f.nodes[k].known) high = std::fmax(high, f.nodes[k].wse.toDouble());
    }
  }
  for (const std::optional<Real>& top : result.top) {
    if (top) high = std::fmax(high, top->toDouble());
  }
  if (!(low <= high)) low = high = 0;
  Scale scale{1000 / horizontal, 1000 / vertical, line.chain.nodes.front().station.toDouble(), std::floor(low) - 1,
              5 * kBand + 10};
  const double zTop = std::ceil(high) + 1;
  const double right = scale.x(line.chain.nodes.back().station.toDouble());

  Dxf dxf;
  dxf.header(kLayers);
  dxf.pair(0, "SECTION");
  dxf.pair(2, "ENTITIES");

  // The lines: bed, the three levels, the tops.
  polyline(dxf, data, scale, "BED", false, [&](std::size_t k) { return result.bed[k]; });
  for (std::size_t f = 0; f < kFlowCases; ++f) {
    polyline(dxf, data, scale, f == 2 ? "WATER_MIN" : "WATER", f == 1, [&](std::size_t k) -> std::optional<Real> {
      const NodeWater& w = result.flows[f].nodes[k];
      if (!w.known) return std::nullopt;
      return w.wse;
    });
  }
  bool topDrawn = false;
  std::array<double, 2> lastTop{};
  for (std::size_t r = 0; r < line.rows.size(); ++r) {
    if (!result.top[r]) {
      topDrawn = false;
      continue;
    }
    const std::array<double, 2> at{scale.x(line.chain.nodes[line.rows[r].down].station.toDouble()), scale.y(result.top[r]->toDouble())};
    if (topDrawn) dxf.line("TOP", lastTop[0], lastTop[1], at[0], at[1]);
    lastTop = at;
    topDrawn = true;
  }

  // The structures between their stations, each named above its top.
  for (const LineStructure& s : line.structures) {
    const LineRowInfo& in = line.rows[s.inRow];
    const LineRowInfo& out = line.rows[s.outRow];
    const double x0 = scale.x(line.chain.nodes[in.up].station.toDouble());
    const double x1 = scale.x(line.chain.nodes[out.down].station.toDouble());
    const double yTop = scale.y(zTop);
    for (const double x : {x0, x1}) dxf.line("STRUCTURES", x, scale.base, x, yTop);
    if (x1 > x0) dxf.line("STRUCTURES", x0, yTop, x1, yTop);
    dxf.label("STRUCTURES", (x0 + x1) / 2, yTop + kTextHeight * 1.5, in.name, 0, kSmallText);
  }

  // The ruler: a tick and its elevation every metre.
  for (double z = scale.zLow; z <= zTop; z += 1) {
    const double y = scale.y(z);
    dxf.line("TEXT", -2, y, 0, y);
    dxf.label("TEXT", -8, y, fixedText(z, 0), 0, kSmallText);
  }
  dxf.line("TEXT", 0, scale.y(scale.zLow), 0, scale.y(zTop));

  // The bands: a row each, its title on the left, every node's value turned upright.
  // The bands' titles are the quantities' Chinese names, as the drawings print them.
  std::array<std::string, 5> titles;
  constexpr std::array<QuantityId, 5> kBands{QuantityId::Stake, QuantityId::CanalBed, QuantityId::WseDesign,
                                             QuantityId::WseEnlarged, QuantityId::BankTop};
  for (std::size_t b = 0; b < kBands.size(); ++b) {
    titles[b] = quantityLabel(kBands[b], Language::Chinese);
    if (b > 0) titles[b] += " (m)";
  }
  for (std::size_t b = 0; b <= titles.size(); ++b) {
    const double y = static_cast<double>(b) * kBand;
    dxf.line("BANDS", -kTitleWidth, y, right, y);
  }
  dxf.line("BANDS", -kTitleWidth, 0, -kTitleWidth, titles.size() * kBand);
  dxf.line("BANDS", 0, 0, 0, titles.size() * kBand);
  for (std::size_t b = 0; b < titles.size(); ++b) {
    const double y = (static_cast<double>(titles.size() - b) - 0.5) * kBand;
    dxf.label("BANDS", -kTitleWidth / 2, y, titles[b], 0, kSmallText);
  }
  double lastX = -HUGE_VAL;
  for (std::size_t r = 0; r < line.rows.size(); ++r) {
    const LineRowInfo& row = line.rows[r];
    if (!row.inChain) continue;
    const std::size_t k = row.down;
    const double x = scale.x(line.chain.nodes[k].station.toDouble());
    if (x - lastX < kSmallText * 1.2) continue;  // a value would overwrite the one before
    lastX = x;
    dxf.line("BANDS", x, 0, x, titles.size() * kBand);
    std::array<std::string, 5> values{stakeText(line.chain.nodes[k].station, line.stakePrefix)};
    if (result.bed[k]) values[1] = fixedText(result.bed[k]->toDouble(), 3);
    if (result.flows[0].nodes[k].known) values[2] = fixedText(result.flows[0].nodes[k].wse.toDouble(), 3);
    if (result.flows[1].nodes[k].known) values[3] = fixedText(result.flows[1].nodes[k].wse.toDouble(), 3);
    if (result.top[r]) values[4] = fixedText(result.top[r]->toDouble(), 3);
    for (std::size_t b = 0; b < values.size(); ++b) {
      if (values[b].empty()) continue;
      const double y = (static_cast<double>(values.size() - b) - 0.5) * kBand;
      dxf.label("BANDS", x - kSmallText * 0.7, y, values[b], 90, kSmallText);
    }
  }
  dxf.label("TEXT", right / 2, -kBand / 2,
            "1:" + numeric::formatDouble(horizontal) + " / 1:" + numeric::formatDouble(vertical), 0, kTextHeight);
  dxf.pair(0, "ENDSEC");
  dxf.pair(0, "EOF");
  return dxf.take();
}

std::string lineDxf(const Inputs& inputs) {
  double horizontal = kDefaultProfileScale, vertical = kDefaultProfileVerticalScale;
  if (inputs.has("dxf-scale") || inputs.has("dxf-vscale")) {
    InputReader reader(inputs);
    if (inputs.has("dxf-scale")) horizontal = reader.number("dxf-scale").value_or(horizontal);
    if (inputs.has("dxf-vscale")) vertical = reader.number("dxf-vscale").value_or(vertical);
    reader.finish();
  }
  return profileDxf(*lineAnswerData(inputs), horizontal, vertical);
}

}  // namespace channelflow::calc
