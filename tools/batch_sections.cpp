#include "tools/batch_sections.h"

#include "calc/flow_error.h"
#include "tools/channel_options.h"
#include "tools/cli_args.h"
#include "tools/section_report.h"

#include <string>
#include <vector>

namespace channelflow::tools {
namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

const std::vector<OptionSpec>& rowOptions() {
  static const std::vector<OptionSpec> options = withChannelOptions({{"h", "水深 h"}, {"i", "渠底坡度 i"}});
  return options;
}

// The row's report, or the reason it has none.
struct RowResult {
  Report report;
  std::string error;
};

RowResult computeRow(const CsvRecord& record, const SectionLayout& layout) {
  RowResult result;
  if (!record.error.empty()) {
    result.error = record.error;
    return result;
  }
  if (record.fields.size() != layout.columnCount) {
    result.error = "列数应为 " + std::to_string(layout.columnCount) + "，实为 " + std::to_string(record.fields.size());
    return result;
  }
  // The cells as the words of a command line, --name=value each.
  std::vector<std::string> texts;
  for (std::size_t k = 0; k < kSectionColumns.size(); ++k) {
    if (layout.columns[k] == layout.columnCount) continue;
    const std::string_view cell = record.fields[layout.columns[k]];
    if (trimmed(cell).empty()) continue;
    texts.push_back("--" + std::string(kSectionColumns[k]) + "=" + std::string(trimmed(cell)));
  }
  std::vector<char*> words;
  for (std::string& text : texts) words.push_back(text.data());
  try {
    const Options options(words, rowOptions());
    checkChannelUsage(options);
    const sections::Channel channel = readChannel(options);
    result.report.addChannel(channel);
    result.report.addFlow(channel, sections::uniformFlow(channel, options.number("h")));
  } catch (const UsageError& error) {
    // A command line's --name is the row's column name.
    result.error = error.message;
    for (std::size_t at; (at = result.error.find("--")) != std::string::npos;) result.error.erase(at, 2);
  } catch (const InputError& error) {
    result.error = error.message;
  } catch (const sections::FlowError& error) {
    result.error = error.what();
  }
  return result;
}

const ReportItem* findItem(const Report& report, std::string_view key) {
  for (const ReportItem& item : report.items()) {
    if (item.key == key) return &item;
  }
  return nullptr;
}

}  // namespace

bool isSectionHeader(std::span<const std::string_view> names) {
  for (std::string_view name : names) {
    // D, r and p alone describe no trapezoid: without a section column they
    // stay the carried-through columns they have always been.
    for (std::string_view only : {"section", "units", "m1", "m2", "n-bed", "n-wall"}) {
      if (trimmed(name) == only) return true;
    }
  }
  return false;
}

bool sectionLayout(std::span<const std::string_view> names, bool json, SectionLayout& layout, std::FILE* err) {
  layout.columnCount = names.size();
  layout.json = json;
  for (std::size_t k = 0; k < kSectionColumns.size(); ++k) {
    layout.columns[k] = names.size();
    for (std::size_t c = 0; c < names.size(); ++c) {
      if (trimmed(names[c]) != kSectionColumns[k]) continue;
      if (layout.columns[k] != names.size()) {
        std::fprintf(err, "channelflow-cli batch: 表头中列 %s 出现了两次\n", std::string(kSectionColumns[k]).c_str());
        return false;
      }
      layout.columns[k] = c;
    }
  }
  for (const std::size_t k : {std::size_t{0}, std::size_t{1}}) {
    if (layout.columns[k] == names.size()) {
      std::fprintf(err, "channelflow-cli batch: 表头缺少列 %s\n", std::string(kSectionColumns[k]).c_str());
      return false;
    }
  }
  return true;
}

void writeSectionRow(const CsvRecord& record, const SectionLayout& layout, OutputSink& out) {
  const RowResult row = computeRow(record, layout);
  if (layout.json) {
    out.put('{');
    if (row.error.empty()) {
      putJsonMembers(row.report, out);
    } else {
      bool first = true;
      for (std::size_t k = 0; k < kSectionColumns.size(); ++k) {
        if (layout.columns[k] >= record.fields.size()) continue;
        out.put(first ? "" : ", ");
        first = false;
        out.jsonString(kSectionColumns[k]);
        out.put(": ");
        out.jsonString(record.fields[layout.columns[k]]);
      }
      out.put(first ? "\"error\": " : ", \"error\": ");
      out.jsonString(row.error);
    }
    out.put('}');
    out.endLine();
    return;
  }
  for (std::size_t k = 0; k < layout.columnCount; ++k) {
    if (k) out.put(',');
    if (k < record.fields.size()) putCsvField(out, record.fields[k]);
  }
  for (std::string_view key : kSectionResults) {
    out.put(',');
    if (key == "error") {
      putCsvField(out, row.error);
    } else if (const ReportItem* item = row.error.empty() ? findItem(row.report, key) : nullptr) {
      item->isText ? putCsvField(out, item->text) : out.number(item->number);
    }
  }
  out.endLine();
}

}  // namespace channelflow::tools
