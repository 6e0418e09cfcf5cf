#include "calc/hydraulics.h"
#include "runtime/number_text.h"
#include "runtime/runtime_error.h"
#include "tools/cli_toolkit.h"

#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace channelflow::tools {
namespace {

constexpr std::array<std::string_view, 5> kInputs{"B", "h", "m", "i", "n"};
constexpr std::array<std::string_view, 13> kResults{"A", "P", "R", "T", "D", "C", "v",
                                                    "Q", "Fr", "regime", "hc", "E", "tau0"};

// Reads stdin in large blocks and hands out one line at a time, so a batch of
// any length runs in the same memory.
class LineReader {
 public:
  explicit LineReader(std::FILE* in) : in_(in), buffer_(1 << 16) {}

  bool next(std::string& line) {
    line.clear();
    while (true) {
      if (position_ == filled_) {
        filled_ = std::fread(buffer_.data(), 1, buffer_.size(), in_);
        position_ = 0;
        if (filled_ == 0) return !line.empty();
      }
      const char* start = buffer_.data() + position_;
      const auto* newline = static_cast<const char*>(std::memchr(start, '\n', filled_ - position_));
      if (newline == nullptr) {
        line.append(start, filled_ - position_);
        position_ = filled_;
        continue;
      }
      line.append(start, static_cast<std::size_t>(newline - start));
      position_ += static_cast<std::size_t>(newline - start) + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
  }

 private:
  std::FILE* in_;
  std::vector<char> buffer_;
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
};

// Collects output and writes it in large blocks.
class Output {
 public:
  explicit Output(std::FILE* out) : out_(out) { text_.reserve(kFlushAt + 4096); }
  ~Output() { flush(); }

  void put(std::string_view text) { text_.append(text); }
  void put(char c) { text_.push_back(c); }
  void number(double value) {
    std::array<char, runtime::kMaxFormattedLength> digits{};
    text_.append(digits.data(), runtime::formatDouble(value, digits.data()));
  }
  // A CSV field, quoted when it holds a comma, a quote or a line break.
  void csvField(std::string_view field) {
    if (field.find_first_of(",\"\n") == std::string_view::npos) return put(field);
    put('"');
    for (char c : field) {
      if (c == '"') put('"');
      put(c);
    }
    put('"');
  }
  void jsonString(std::string_view text) {
    put('"');
    for (char c : text) {
      if (c == '"' || c == '\\') put('\\');
      if (static_cast<unsigned char>(c) < 0x20) {
        put(' ');
        continue;
      }
      put(c);
    }
    put('"');
  }
  void endLine() {
    put('\n');
    if (text_.size() >= kFlushAt) flush();
  }
  void flush() {
    std::fwrite(text_.data(), 1, text_.size(), out_);
    text_.clear();
  }

 private:
  static constexpr std::size_t kFlushAt = 1 << 16;
  std::FILE* out_;
  std::string text_;
};

// Splits a CSV line on commas (fields of this batch hold no quotes).
void splitFields(std::string_view line, std::vector<std::string_view>& fields) {
  fields.clear();
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = line.find(',', start);
    fields.push_back(line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) return;
    start = comma + 1;
  }
}

// The five inputs of one row, or the reason they cannot be read.
struct RowInputs {
  std::array<double, 5> values{};
  std::string error;
};

RowInputs readRow(const std::vector<std::string_view>& fields, const std::array<std::size_t, 5>& columns,
                  std::size_t columnCount) {
  RowInputs row;
  if (fields.size() != columnCount) {
    row.error = "列数应为 " + std::to_string(columnCount) + "，实为 " + std::to_string(fields.size());
    return row;
  }
  for (std::size_t k = 0; k < kInputs.size(); ++k) {
    try {
      row.values[k] = runtime::convertStrict(fields[columns[k]]);
    } catch (const runtime::RuntimeError& error) {
      row.error = std::string(kInputs[k]) + " " + error.description();
      return row;
    }
  }
  return row;
}

}  // namespace

int runBatch(OutputFormat format, std::FILE* in, std::FILE* out, std::FILE* err) {
  LineReader reader(in);
  Output output(out);
  std::string line;
  std::vector<std::string_view> fields;
  if (!reader.next(line)) return 0;  // no header, no rows

  // The header names the columns; B, h, m, i and n may stand in any order.
  std::string header = line;
  splitFields(header, fields);
  const std::size_t columnCount = fields.size();
  std::array<std::size_t, 5> columns{};
  for (std::size_t k = 0; k < kInputs.size(); ++k) {
    std::size_t found = 0;
    while (found < fields.size() && fields[found] != kInputs[k]) ++found;
    if (found == fields.size()) {
      std::fprintf(err, "channelflow-cli batch: 表头缺少列 %s（应含 B,h,m,i,n）\n", std::string(kInputs[k]).c_str());
      return 2;
    }
    columns[k] = found;
  }
  const bool json = format == OutputFormat::Json;
  if (!json) {
    output.put(header);
    for (std::string_view name : kResults) {
      output.put(',');
      output.put(name);
    }
    output.put(",error");
    output.endLine();
  }

  while (reader.next(line)) {
    if (line.empty()) continue;
    splitFields(line, fields);
    RowInputs row = readRow(fields, columns, columnCount);
    calc::FlowState flow;
    if (row.error.empty()) {
      try {
        flow = calc::describeFlow(calc::Channel{row.values[0], row.values[2], row.values[3], row.values[4]},
                                  row.values[1]);
      } catch (const calc::HydraulicsError& error) {
        row.error = error.what();
      }
    }
    const double results[] = {flow.A, flow.P, flow.R, flow.T, flow.D, flow.C, flow.v, flow.Q, flow.Fr,
                              0,      flow.hc, flow.E, flow.tau0};
    if (json) {
      output.put('{');
      for (std::size_t k = 0; k < kInputs.size(); ++k) {
        output.put(k ? ", \"" : "\"");
        output.put(kInputs[k]);
        output.put("\": ");
        if (row.error.empty()) {
          output.number(row.values[k]);
        } else {
          output.jsonString(fields.size() == columnCount ? fields[columns[k]] : std::string_view());
        }
      }
      if (row.error.empty()) {
        for (std::size_t k = 0; k < kResults.size(); ++k) {
          output.put(", \"");
          output.put(kResults[k]);
          output.put("\": ");
          if (kResults[k] == "regime") {
            output.jsonString(calc::regimeName(flow.regime));
          } else {
            output.number(results[k]);
          }
        }
      } else {
        output.put(", \"error\": ");
        output.jsonString(row.error);
      }
      output.put('}');
    } else {
      // A short row is padded and a long one cut at the header's width, so that
      // the results and the error keep their columns; the error gives the count.
      if (fields.size() > columnCount) {
        const std::string_view last = fields[columnCount - 1];
        output.put(std::string_view(line).substr(0, static_cast<std::size_t>(last.data() - line.data()) + last.size()));
      } else {
        output.put(line);
      }
      for (std::size_t k = fields.size(); k < columnCount; ++k) output.put(',');
      for (std::size_t k = 0; k < kResults.size(); ++k) {
        output.put(',');
        if (!row.error.empty()) continue;
        if (kResults[k] == "regime") {
          output.put(calc::regimeName(flow.regime));
        } else {
          output.number(results[k]);
        }
      }
      output.put(',');
      output.csvField(row.error);
    }
    output.endLine();
  }
  return 0;
}

}  // namespace channelflow::tools
