// channelflow-cli batch: CSV rows of B, h, m, i and n in, the same rows out
// with every quantity added, streaming in constant memory. A row that cannot
// be computed keeps its place and gets its reason in the error column.
#include "calc/hydraulics.h"
#include "tools/batch_sections.h"
#include "tools/commands.h"
#include "tools/csv.h"
#include "tools/flow_report.h"
#include "tools/sub_command.h"

#include <array>
#include <exception>
#include <span>
#include <string>
// The win32-thread-model runtime of the Windows builds has no std::thread, and
// a WebAssembly thread needs shared memory that not every page may have: there
// a batch computes on one thread.
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
#define CHANNELFLOW_BATCH_THREADS 1
#include <thread>
#endif
#include <vector>

namespace channelflow::tools {
namespace {

constexpr std::array<std::string_view, 5> kInputs{"B", "h", "m", "i", "n"};
constexpr std::array<std::string_view, 5> kInputLabels{"下底宽 B", "水深 h", "边坡系数 m", "渠底坡度 i", "粗糙系数 n"};

constexpr std::string_view kHelp =
    "用法: channelflow-cli batch [--format csv|json] < 输入.csv > 输出.csv\n"
    "逐行计算 CSV：表头须含 B,h,m,i,n 五列（顺序不限，名称两侧空白忽略），其他列原样保留。\n"
    "每行输出表头的全部列，再加 A P R T D C v Q Fr regime hc E tau0 与 error 列；\n"
    "无法计算的行保留原位，原因写在 error 列，批处理继续。支持带引号的字段、CRLF 与 UTF-8 BOM。\n"
    "表头含 section、units、m1、m2、n-bed 或 n-wall 之一时，各行按 solve 的选项（含 D、r、p 列）描述任意断面与单位制：\n"
    "须含 h 与 i 列，空单元格视为未给出；结果列为 A P R T D C v Q Fr regime hc vc ic E tau0 与 error。\n"
    "--format json 每行输出一个对象。\n"
    "退出状态: 0 完成, 1 读写失败, 2 用法错误或表头缺列\n";

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The five inputs of one row, or the reason they cannot be read.
struct RowInputs {
  std::array<double, 5> values{};
  std::string error;
};

RowInputs readRow(const CsvRecord& record, const std::array<std::size_t, 5>& columns, std::size_t columnCount) {
  RowInputs row;
  if (!record.error.empty()) {
    row.error = record.error;
    return row;
  }
  if (record.fields.size() != columnCount) {
    row.error = "列数应为 " + std::to_string(columnCount) + "，实为 " + std::to_string(record.fields.size());
    return row;
  }
  std::string reason;
  for (std::size_t k = 0; k < kInputs.size(); ++k) {
    const auto number = readNumber(record.fields[columns[k]], reason);
    if (!number) {
      row.error = std::string(kInputLabels[k]) + " " + reason;
      return row;
    }
    row.values[k] = *number;
  }
  return row;
}

void putCsvRow(const CsvRecord& record, std::size_t columnCount, const RowInputs& row, const calc::FlowState& flow,
               OutputSink& out) {
  // Exactly the header's columns: a short row is padded, a long one cut (its error says so).
  for (std::size_t k = 0; k < columnCount; ++k) {
    if (k) out.put(',');
    if (k < record.fields.size()) putCsvField(out, record.fields[k]);
  }
  const auto numbers = flowNumbers(flow);
  for (std::size_t k = kFirstResultField; k < kFlowFields.size(); ++k) {
    out.put(',');
    if (!row.error.empty()) continue;
    k == kRegimeField ? out.put(calc::regimeName(flow.regime)) : out.number(numbers[k]);
  }
  out.put(',');
  putCsvField(out, row.error);
  out.endLine();
}

void putJsonRow(const CsvRecord& record, const std::array<std::size_t, 5>& columns, const RowInputs& row,
                const calc::FlowState& flow, OutputSink& out) {
  out.put('{');
  for (std::size_t k = 0; k < kInputs.size(); ++k) {
    out.put(k ? ", \"" : "\"");
    out.put(kInputs[k]);
    out.put("\": ");
    if (row.error.empty()) {
      out.number(row.values[k]);
    } else {
      out.jsonString(columns[k] < record.fields.size() ? record.fields[columns[k]] : std::string_view());
    }
  }
  if (row.error.empty()) {
    const auto numbers = flowNumbers(flow);
    for (std::size_t k = kFirstResultField; k < kFlowFields.size(); ++k) {
      out.put(", \"");
      out.put(kFlowFields[k].key);
      out.put("\": ");
      k == kRegimeField ? out.jsonString(calc::regimeName(flow.regime)) : out.number(numbers[k]);
    }
  } else {
    out.put(", \"error\": ");
    out.jsonString(row.error);
  }
  out.put('}');
  out.endLine();
}

struct Layout {
  std::array<std::size_t, 5> columns;
  std::size_t columnCount;
  bool json;
  bool secondEdition = false;  // the header names the second edition's columns
  SectionLayout sectionColumns{};
};

// Computes and writes rows; a row without an answer gets its reason.
void writeRows(std::span<const CsvRecord> records, const Layout& layout, OutputSink& out) {
  for (const CsvRecord& record : records) {
    if (layout.secondEdition) {
      writeSectionRow(record, layout.sectionColumns, out);
      continue;
    }
    RowInputs row = readRow(record, layout.columns, layout.columnCount);
    calc::FlowState flow;
    if (row.error.empty()) {
      try {
        flow = calc::describeFlow(calc::Channel{row.values[0], row.values[2], row.values[3], row.values[4]},
                                  row.values[1]);
      } catch (const calc::HydraulicsError& error) {
        row.error = error.what();
      }
    }
    layout.json ? putJsonRow(record, layout.columns, row, flow, out)
                : putCsvRow(record, layout.columnCount, row, flow, out);
  }
}

constexpr std::size_t kChunkRows = 4096;
constexpr std::size_t kChunkBytes = std::size_t{1} << 20;

// Records copied out of the reader, which keeps only the last one, so that a
// batch of them can be computed at once. Its storage is reused chunk after chunk.
class Chunk {
 public:
  void clear() {
    text_.clear();
    ends_.clear();
    firstField_.clear();
    count_ = 0;
  }
  std::size_t rows() const { return count_; }
  std::size_t bytes() const { return text_.size(); }

  void add(const CsvRecord& record) {
    if (count_ == records_.size()) records_.emplace_back();
    records_[count_++].error = record.error;
    firstField_.push_back(ends_.size());
    for (std::string_view field : record.fields) {
      text_.append(field);
      ends_.push_back(text_.size());
    }
  }

  // The records added since clear(), with their fields pointing into this chunk.
  std::span<const CsvRecord> finish() {
    firstField_.push_back(ends_.size());
    for (std::size_t r = 0; r < count_; ++r) {
      CsvRecord& record = records_[r];
      record.fields.clear();
      for (std::size_t f = firstField_[r]; f < firstField_[r + 1]; ++f) {
        const std::size_t start = f == 0 ? 0 : ends_[f - 1];
        record.fields.push_back(std::string_view(text_).substr(start, ends_[f] - start));
      }
    }
    return {records_.data(), count_};
  }

 private:
  std::string text_;
  std::vector<std::size_t> ends_;
  std::vector<std::size_t> firstField_;
  std::vector<CsvRecord> records_;
  std::size_t count_ = 0;
};

int batch(const Options& o, std::FILE* in, OutputSink& out, std::FILE* err) { return runBatch(o.format(), in, out, err); }

constexpr SubCommand kBatch{"batch", kHelp, {}, batch};

}  // namespace

int runBatch(OutputFormat format, std::FILE* in, OutputSink& out, std::FILE* err) {
  CsvReader reader(in);
  CsvRecord header;
  do {
    if (!reader.next(header)) {
      if (!reader.readFailed()) return 0;  // no header, no rows
      std::fputs("channelflow-cli batch: 读取输入失败\n", err);
      return 1;
    }
  } while (header.blank);
  if (!header.error.empty()) {
    std::fprintf(err, "channelflow-cli batch: 表头无法读取：%s\n", header.error.c_str());
    return 2;
  }

  // The header names the columns; B, h, m, i and n may stand in any order.
  const std::size_t columnCount = header.fields.size();
  const bool json = format == OutputFormat::Json;
  std::array<std::size_t, 5> columns{};
  SectionLayout sectionColumns{};
  const bool secondEdition = isSectionHeader(header.fields);
  if (secondEdition && !sectionLayout(header.fields, json, sectionColumns, err)) return 2;
  for (std::size_t k = 0; k < kInputs.size() && !secondEdition; ++k) {
    columns[k] = columnCount;
    for (std::size_t c = 0; c < columnCount; ++c) {
      if (trimBlanks(header.fields[c]) != kInputs[k]) continue;
      if (columns[k] != columnCount) {
        std::fprintf(err, "channelflow-cli batch: 表头中列 %s 出现了两次\n", std::string(kInputs[k]).c_str());
        return 2;
      }
      columns[k] = c;
    }
    if (columns[k] == columnCount) {
      std::fprintf(err, "channelflow-cli batch: 表头缺少列 %s（应含 B,h,m,i,n）\n", std::string(kInputs[k]).c_str());
      return 2;
    }
  }
  if (!json) {
    for (std::size_t c = 0; c < columnCount; ++c) {
      if (c) out.put(',');
      putCsvField(out, header.fields[c]);
    }
    if (secondEdition) {
      for (std::string_view key : kSectionResults) {
        out.put(',');
        out.put(key);
      }
    } else {
      for (std::size_t k = kFirstResultField; k < kFlowFields.size(); ++k) {
        out.put(',');
        out.put(kFlowFields[k].key);
      }
      out.put(",error");
    }
    out.endLine();
  }

  // Rows are taken in chunks of bounded size; a chunk's second half is
  // computed on a second thread while this one does the first.
  const Layout layout{columns, columnCount, json, secondEdition, sectionColumns};
#ifdef CHANNELFLOW_BATCH_THREADS
  const bool twoThreads = std::thread::hardware_concurrency() >= 2;
#else
  const bool twoThreads = false;
#endif
  Chunk chunk;
  CsvRecord record;
  bool more = true;
  while (more && !out.failed()) {
    chunk.clear();
    while (chunk.rows() < kChunkRows && chunk.bytes() < kChunkBytes && (more = reader.next(record))) {
      if (!record.blank) chunk.add(record);
    }
    const std::span<const CsvRecord> rows = chunk.finish();
    if (!twoThreads || rows.size() < 512) {
      writeRows(rows, layout, out);
      continue;
    }
#ifdef CHANNELFLOW_BATCH_THREADS
    const std::size_t half = rows.size() / 2;
    OutputSink secondHalf;
    std::exception_ptr failure;
    std::thread helper([&] {
      try {
        writeRows(rows.subspan(half), layout, secondHalf);
      } catch (...) {
        failure = std::current_exception();
      }
    });
    try {
      writeRows(rows.first(half), layout, out);
    } catch (...) {
      helper.join();
      throw;
    }
    helper.join();
    if (failure) std::rethrow_exception(failure);
    secondHalf.appendTo(out);
#endif
  }
  if (reader.readFailed()) {
    out.flush();
    std::fputs("channelflow-cli batch: 读取输入失败\n", err);
    return 1;
  }
  return 0;
}

int runBatchCommand(int argc, char** argv, const Streams& io) { return runSubCommand(kBatch, argc, argv, io); }

}  // namespace channelflow::tools
