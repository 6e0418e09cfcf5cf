// channelflow-cli batch: CSV rows in, the same rows out with every quantity
// of the flow added, streaming in constant memory. A row that cannot be
// computed keeps its place and gets its reason in the error column.
#include "calc/toolkit/messages.h"
#include "tools/batch_rows.h"
#include "tools/commands.h"
#include "tools/csv.h"
#include "tools/sub_command.h"

#include <exception>
#include <span>
#include <string>
// The win32-thread-model runtime of the Windows builds has no std::thread, and
// the WebAssembly build runs on one thread: there a batch computes on one.
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
#define CHANNELFLOW_BATCH_THREADS 1
#include <thread>
#endif
#include <vector>

namespace channelflow::tools {
namespace {

constexpr std::string_view kHelp =
    "用法: channelflow-cli batch [--format csv|json] < 输入.csv > 输出.csv\n"
    "逐行计算 CSV：表头须含 B,h,m,i,n 五列（顺序不限，名称两侧空白忽略），其他列原样保留。\n"
    "每行输出表头的全部列，再加 A P R T D C v Q Fr regime hc E tau0 与 error 列；\n"
    "无法计算的行保留原位，原因写在 error 列，批处理继续。支持带引号的字段、CRLF 与 UTF-8 BOM。\n"
    "表头含 section、units、m1、m2、n-bed 或 n-wall 之一时，各行按 solve 的选项（含 D、r、p 列）描述任意断面与单位制：\n"
    "须含 h 与 i 列，空单元格视为未给出；结果列为 A P R T D C v Q Fr regime hc vc ic E tau0 与 error。\n"
    "--format json 每行输出一个对象。\n"
    "退出状态: 0 完成, 1 读写失败, 2 用法错误或表头缺列\n";

void writeRows(std::span<const CsvRecord> records, const BatchLayout& layout, OutputSink& out) {
  for (const CsvRecord& record : records) writeBatchRow(record, layout, out);
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

const SubCommand kBatch{"batch", kHelp, {}, batch};

void reportBatchProblem(std::FILE* err, const calc::Problem& problem) {
  std::fprintf(err, "channelflow-cli batch: %s\n", problemText(problem).c_str());
}

}  // namespace

int runBatch(OutputFormat format, std::FILE* in, OutputSink& out, std::FILE* err) {
  CsvReader reader(in);
  CsvRecord header;
  do {
    if (!reader.next(header)) {
      if (!reader.readFailed()) return 0;  // no header, no rows
      reportBatchProblem(err, {calc::MessageId::ReadFailed, {}, {}});
      return 1;
    }
  } while (header.blank);
  if (header.error) {
    reportBatchProblem(err, {calc::MessageId::HeaderUnreadable, {}, {calc::MessageArg::literal(problemText({*header.error, {}, {}}))}});
    return 2;
  }
  BatchLayout layout;
  try {
    layout = batchLayout(header.fields, format == OutputFormat::Json);
  } catch (const calc::CalcError& error) {
    reportBatchProblem(err, error.problem());
    return 2;
  }
  if (format != OutputFormat::Json) writeBatchHeader(header.fields, layout, out);

  // Rows are taken in chunks of bounded size; a chunk's second half is
  // computed on a second thread while this one does the first.
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
    reportBatchProblem(err, {calc::MessageId::ReadFailed, {}, {}});
    return 1;
  }
  return 0;
}

int runBatchCommand(int argc, char** argv, const Streams& io) { return runSubCommand(kBatch, argc, argv, io); }

}  // namespace channelflow::tools
