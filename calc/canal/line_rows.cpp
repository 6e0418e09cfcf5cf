#include "calc/canal/line_rows.h"

namespace channelflow::calc::canal {

// The columns a row of this kind takes beyond name, kind, station and plan.
bool takes(NodeKind kind, Column c) {
  const bool section = std::find(kSectionColumns.begin(), kSectionColumns.end(), c) != kSectionColumns.end();
  const bool bank = std::find(kBankColumns.begin(), kBankColumns.end(), c) != kBankColumns.end();
  const bool flow = c == Column::Q || c == Column::Qj || c == Column::Qmin;
  const bool canalRow = kind == Start || kind == Ip || kind == Node || kind == Offtake || isOutlet(kind) || kind == Drop;
  if (c == Column::Rc) return kind == Ip;
  if (c == Column::Loss) return kind != Start && kind != Drop && !isOutlet(kind) && kind != ChuteIn;
  if (canalRow && (section || bank || flow)) return true;
  if (kind == Gate) return flow || c == Column::WeirM || c == Column::B || c == Column::Hold;
  if (c == Column::Form || c == Column::Xi1 || c == Column::Xi2) {
    if (canalRow && kind != Start && kind != Drop && !isOutlet(kind)) return true;
  }
  switch (kind) {
    case SiphonIn:
      return c == Column::D || c == Column::B || c == Column::H || c == Column::N || c == Column::L ||
             c == Column::Barrels || c == Column::Bend || c == Column::Entrance || c == Column::InletZeta ||
             c == Column::GateSlots || c == Column::SlotZeta || c == Column::Rack || c == Column::OutletRatio ||
             c == Column::OutletZeta || c == Column::Bypass || c == Column::VNp || c == Column::InletCrown ||
             c == Column::OutletCrown ||
             std::find(kTransitionColumns.begin(), kTransitionColumns.end(), c) != kTransitionColumns.end();
    case AqueductIn:
      return c == Column::Trough || c == Column::B || c == Column::R || c == Column::N || c == Column::I ||
             c == Column::L || c == Column::Height ||
             std::find(kTransitionColumns.begin(), kTransitionColumns.end(), c) != kTransitionColumns.end();
    case TunnelIn:
      return c == Column::Section || c == Column::D || c == Column::B || c == Column::H || c == Column::Ra ||
             c == Column::R || c == Column::Type || c == Column::N || c == Column::I || c == Column::L ||
             std::find(kTransitionColumns.begin(), kTransitionColumns.end(), c) != kTransitionColumns.end();
    case CulvertIn:
      return c == Column::Barrel || c == Column::B || c == Column::H || c == Column::D || c == Column::Ra ||
             c == Column::N || c == Column::I || c == Column::L ||
             std::find(kTransitionColumns.begin(), kTransitionColumns.end(), c) != kTransitionColumns.end();
    case ChuteIn:
      return c == Column::B || c == Column::M || c == Column::N || c == Column::I || c == Column::L || c == Column::Xi1;
    case Drop: return c == Column::P || c == Column::CrestWidth || c == Column::Inlet;
    default: return false;
  }
}

std::optional<numeric::Decimal> readStation(RowReader& reader, std::string& prefix) {
  if (!reader.has(Column::Station)) return std::nullopt;
  const std::string& text = *reader.cell(Column::Station);
  const std::size_t plus = text.find('+');
  if (plus == std::string::npos) return reader.decimal(Column::Station);
  std::size_t digits = 0;
  while (digits < plus && !(text[digits] >= '0' && text[digits] <= '9')) ++digits;
  const std::string_view km = std::string_view(text).substr(digits, plus - digits);
  const std::string_view metres = std::string_view(text).substr(plus + 1);
  const std::size_t point = metres.find('.');
  const std::string_view whole = metres.substr(0, point);
  const auto allDigits = [](std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  const bool fraction = point == std::string_view::npos || allDigits(metres.substr(point + 1));
  if (!allDigits(km) || km.size() > 9 || !allDigits(whole) || whole.size() > 3 || !fraction) {
    reader.keep(MessageId::StationSyntax, Column::Station, {MessageArg::literal(quoteForMessage(text))});
    return std::nullopt;
  }
  if (prefix.empty()) prefix = text.substr(0, digits);
  const long long value = std::stoll(std::string(km)) * 1000 + std::stoll(std::string(whole));
  std::string plain = std::to_string(value);
  if (point != std::string_view::npos) plain += std::string(metres.substr(point));
  Problem problem;
  problem.field = "station";
  const std::optional<numeric::Decimal> station = readDecimal(plain, problem);
  if (!station) reader.keep(std::move(problem));
  return station;
}

}  // namespace channelflow::calc::canal
