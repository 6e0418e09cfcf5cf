#include "calc/services/batch.h"

#include <array>
#include <exception>
#include <span>
#include <string>
#include <vector>

#include "calc/services/first_edition.h"
#include "calc/toolkit/toolkit.h"

// The win32-thread-model runtime of the Windows builds has no std::thread, and
// the WebAssembly build runs on one thread: there a batch computes on one.
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
#define CHANNELFLOW_BATCH_THREADS 1
#include <thread>
#endif

namespace channelflow::calc {
namespace {

inline constexpr std::array<std::string_view, 16> kBatchInputs{
    "h", "i", "section", "units", "B", "m", "m1", "m2", "D", "r", "p", "n", "n-bed", "n-wall", "points", "wse"};

struct BatchLayout {
  bool firstEdition = true;
  bool points = false;  // a points column: surveyed sections' results too
  std::vector<std::string_view> results;  // with a points column, the results' keys
  std::size_t columnCount = 0;
  std::array<std::size_t, kBatchInputs.size()> columns{};  // columnCount where absent
};

constexpr std::array<std::string_view, 5> kFirstEditionInputs{"B", "h", "m", "i", "n"};
constexpr std::array<std::string_view, 13> kFirstEditionResults{"A", "P", "R", "T", "D",  "C",   "v",
                                                                "Q", "Fr", "regime", "hc", "E", "tau0"};
constexpr std::array<std::string_view, 15> kResults{"A",      "P",  "R",  "T",  "D", "C", "v",   "Q",
                                                    "Fr", "regime", "hc", "vc", "ic", "E", "tau0"};
// With a points column: K, alpha and every critical depth, after the depth
// and the water level where the header does not hold them.
constexpr std::array<std::string_view, 18> kPointsResults{"A", "P",  "R",      "T",  "D",      "C",  "v",  "Q",  "K",
                                                          "alpha", "Fr", "regime", "hc", "hc_all", "vc", "ic", "E", "tau0"};

std::span<const std::string_view> resultsOf(const BatchLayout& layout) {
  if (layout.firstEdition) return kFirstEditionResults;
  return layout.points ? std::span<const std::string_view>(layout.results) : std::span<const std::string_view>(kResults);
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::size_t inputIndex(std::string_view key) {
  for (std::size_t k = 0; k < kBatchInputs.size(); ++k) {
    if (kBatchInputs[k] == key) return k;
  }
  return kBatchInputs.size();
}

// A row's answer: the report, or why it has none.
struct RowAnswer {
  Items items;
  std::optional<Problem> error;
};


RowAnswer answerRow(const CsvRecord& record, const BatchLayout& layout) {
  RowAnswer answer;
  if (record.error) {
    answer.error = Problem{*record.error, {}, {}};
    return answer;
  }
  if (record.fields.size() != layout.columnCount) {
    answer.error = Problem{MessageId::ColumnCount,
                                 {},
                                 {MessageArg::literal(std::to_string(layout.columnCount)),
                                  MessageArg::literal(std::to_string(record.fields.size()))}};
    return answer;
  }
  Inputs inputs;
  for (std::size_t k = 0; k < kBatchInputs.size(); ++k) {
    if (layout.columns[k] == layout.columnCount) continue;
    const std::string_view cell = trimmed(record.fields[layout.columns[k]]);
    // The second edition's rows leave out what their empty cells do not say.
    if (cell.empty() && !layout.firstEdition) continue;
    inputs.set(kBatchInputs[k], cell);
  }
  try {
    answer.items = std::move(report(inputs).record().items);
    if (layout.firstEdition) answer.items = firstEditionItems(answer.items);
  } catch (const CalcError& error) {
    answer.error = error.problem();
  }
  return answer;
}

void writeJsonRow(const CsvRecord& record, const BatchLayout& layout, const RowAnswer& answer, TextSink& out,
                  const WriteOptions& options) {
  out.put('{');
  if (!answer.error) {
    writeJsonMembers(layout.firstEdition ? selectItems(answer.items, kFirstEditionInputs) : answer.items, out, options);
    if (layout.firstEdition) {
      for (std::string_view key : kFirstEditionResults) {
        if (const Item* item = findItem(answer.items, key)) {
          out.put(", ");
          out.jsonString(key);
          out.put(": ");
          writeJsonValue(*item, out, options);
        }
      }
    }
  } else {
    // The row's own texts, and the reason.
    bool first = true;
    if (layout.firstEdition) {
      for (std::string_view key : kFirstEditionInputs) {
        const std::size_t column = layout.columns[inputIndex(key)];
        out.put(first ? "\"" : ", \"");
        first = false;
        out.put(key);
        out.put("\": ");
        out.jsonString(column < record.fields.size() ? record.fields[column] : std::string_view());
      }
    } else {
      for (std::size_t k = 0; k < kBatchInputs.size(); ++k) {
        if (layout.columns[k] >= record.fields.size()) continue;
        out.put(first ? "" : ", ");
        first = false;
        out.jsonString(kBatchInputs[k]);
        out.put(": ");
        out.jsonString(record.fields[layout.columns[k]]);
      }
    }
    out.put(first ? "\"error\": " : ", \"error\": ");
    out.jsonString(messageText(*answer.error, options.language, options.fields));
  }
  out.put('}');
  out.endLine();
}

void writeCsvRow(const CsvRecord& record, const BatchLayout& layout, const RowAnswer& answer, TextSink& out,
                 const WriteOptions& options) {
  // Exactly the header's columns: a short row is padded, a long one cut (its error says so).
  for (std::size_t k = 0; k < layout.columnCount; ++k) {
    if (k) out.put(',');
    if (k < record.fields.size()) putCsvField(out, record.fields[k]);
  }
  for (std::string_view key : resultsOf(layout)) {
    out.put(',');
    if (answer.error) continue;
    if (const Item* item = findItem(answer.items, key)) writeCsvValue(*item, out, options);
  }
  out.put(',');
  if (answer.error) putCsvField(out, messageText(*answer.error, options.language, options.fields));
  out.endLine();
}

BatchLayout batchLayout(std::span<const std::string_view> header) {
  BatchLayout layout;
  layout.columnCount = header.size();
  for (std::string_view name : header) {
    // D, r and p alone describe no trapezoid: without a section column they
    // stay the carried-through columns they have always been.
    for (std::string_view only : {"section", "units", "m1", "m2", "n-bed", "n-wall", "points"}) {
      if (trimmed(name) == only) layout.firstEdition = false;
    }
    layout.points = layout.points || trimmed(name) == "points";
  }
  for (std::size_t k = 0; k < kBatchInputs.size(); ++k) {
    const std::string_view key = kBatchInputs[k];
    layout.columns[k] = header.size();
    // Without a points column a wse column is carried through, as it always was.
    const bool wanted = (!layout.firstEdition && (key != "wse" || layout.points)) || key == "B" || key == "h" ||
                        key == "m" || key == "i" || key == "n";
    if (!wanted) continue;
    for (std::size_t c = 0; c < header.size(); ++c) {
      if (trimmed(header[c]) != key) continue;
      if (layout.columns[k] != header.size()) fail(MessageId::ColumnTwice, {}, {MessageArg::literal(key)});
      layout.columns[k] = c;
    }
  }
  if (layout.points) {
    for (std::string_view key : {"h", "wse"}) {
      if (layout.columns[inputIndex(key)] == header.size()) layout.results.push_back(key);
    }
    layout.results.insert(layout.results.end(), kPointsResults.begin(), kPointsResults.end());
  }
  const std::span<const std::string_view> required =
      layout.firstEdition ? std::span<const std::string_view>(kFirstEditionInputs)
                          : std::span<const std::string_view>(kBatchInputs).first(2);
  for (std::string_view key : required) {
    // A water level may stand for the depth.
    if (key == "h" && layout.points && layout.columns[inputIndex("wse")] != header.size()) continue;
    if (layout.columns[inputIndex(key)] == header.size()) {
      fail(layout.firstEdition ? MessageId::FirstEditionColumnMissing : MessageId::ColumnMissing, {},
                 {MessageArg::literal(key)});
    }
  }
  return layout;
}

void writeBatchHeader(std::span<const std::string_view> header, const BatchLayout& layout, TextSink& out) {
  for (std::size_t c = 0; c < header.size(); ++c) {
    if (c) out.put(',');
    putCsvField(out, header[c]);
  }
  for (std::string_view key : resultsOf(layout)) {
    out.put(',');
    out.put(key);
  }
  out.put(",error");
  out.endLine();
}

// Computes each row and writes it; counts them and those with an error.
BatchCount writeRows(std::span<const CsvRecord> records, const BatchLayout& layout, TextSink& out,
                     const BatchOptions& options) {
  BatchCount count;
  for (const CsvRecord& record : records) {
    const RowAnswer answer = answerRow(record, layout);
    options.json ? writeJsonRow(record, layout, answer, out, options.write)
                 : writeCsvRow(record, layout, answer, out, options.write);
    ++count.rows;
    count.failed += answer.error.has_value();
  }
  return count;
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

[[noreturn]] void failBatch(Problem problem) {
  problem.field = "csv";
  throw CalcError(std::move(problem));
}

}  // namespace

BatchCount runBatch(ByteSource& in, TextSink& out, const BatchOptions& options) {
  CsvReader reader(in);
  CsvRecord header;
  do {
    if (!reader.next(header)) {
      if (reader.readFailed()) failBatch({MessageId::ReadFailed, {}, {}});
      return {};  // no header, no rows
    }
  } while (header.blank);
  if (header.error) {
    failBatch({MessageId::HeaderUnreadable,
               {},
               {MessageArg::literal(messageText({*header.error, {}, {}}, options.write.language, options.write.fields))}});
  }
  BatchLayout layout;
  try {
    layout = batchLayout(header.fields);
  } catch (const CalcError& error) {
    failBatch(error.problem());
  }
  if (!options.json) writeBatchHeader(header.fields, layout, out);

  // Rows are taken in chunks of bounded size; a chunk's second half is
  // computed on a second thread while this one does the first.
#ifdef CHANNELFLOW_BATCH_THREADS
  const bool twoThreads = std::thread::hardware_concurrency() >= 2;
#else
  const bool twoThreads = false;
#endif
  BatchCount count;
  const auto add = [&count](BatchCount part) {
    count.rows += part.rows;
    count.failed += part.failed;
  };
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
      add(writeRows(rows, layout, out, options));
      continue;
    }
#ifdef CHANNELFLOW_BATCH_THREADS
    const std::size_t half = rows.size() / 2;
    TextSink secondHalf;
    std::exception_ptr failure;
    BatchCount second;
    std::thread helper([&] {
      try {
        second = writeRows(rows.subspan(half), layout, secondHalf, options);
      } catch (...) {
        failure = std::current_exception();
      }
    });
    try {
      add(writeRows(rows.first(half), layout, out, options));
    } catch (...) {
      helper.join();
      throw;
    }
    helper.join();
    if (failure) std::rethrow_exception(failure);
    add(second);
    secondHalf.appendTo(out);
#endif
  }
  if (reader.readFailed()) {
    out.flush();
    failBatch({MessageId::ReadFailed, {}, {}});
  }
  return count;
}

}  // namespace channelflow::calc
