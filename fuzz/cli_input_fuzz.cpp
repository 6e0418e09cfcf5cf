// Feeds arbitrary bytes to channelflow-cli's input layers. The first byte
// picks the layer: the option parser and number reader (words split at NUL
// bytes), or the CSV reader and the whole batch over the rest as a file.
// Every record must come out as valid UTF-8 within the size limit and survive
// a write and a second read unchanged; every batch row must have the header's
// columns. Anything else aborts, which libFuzzer reports.
#include "calc/services/batch.h"
#include "calc/services/csv_reader.h"
#include "numeric/text/utf8.h"
#include "tools/cli_args.h"
#include "tools/sub_command.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace channelflow::tools;
using channelflow::calc::CsvReader;
using channelflow::calc::CsvRecord;
using channelflow::calc::kMaxRecordBytes;
using channelflow::calc::TextSink;
using channelflow::calc::TextSource;

namespace {

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "cli_input_fuzz: %s\n", what);
  std::abort();
}

void fuzzOptions(const std::string& input) {
  std::vector<std::string> words(1);
  for (char c : input) c == '\0' ? static_cast<void>(words.emplace_back()) : words.back().push_back(c);
  std::vector<char*> pointers;
  for (std::string& word : words) pointers.push_back(word.data());
  static constexpr std::array<channelflow::calc::QuestionInput, 3> kInputs{{{"B", true}, {"h", true}, {"n", true}}};
  static const channelflow::calc::Question kQuestion{
      "fuzz", channelflow::calc::TextId::HelpReportSummary, channelflow::calc::TextId::HelpReport, kInputs, false, {}, nullptr};
  try {
    const Options options(pointers, kQuestion);
    // Every option's text, read as the toolkit reads it: a number or a message naming it.
    const channelflow::calc::Inputs inputs = options.inputs();
    channelflow::calc::InputReader reader(inputs);
    for (const channelflow::calc::QuestionInput& option : kInputs) reader.number(option.key);
    reader.finish();
  } catch (const channelflow::calc::CalcError& error) {
    for (const auto& problem : error.problems()) {
      const std::string message = problemText(problem);
      std::string checked;
      channelflow::numeric::appendValidUtf8(checked, message);
      if (message.empty() || checked != message) fail("a message that is empty or not UTF-8");
    }
  }
}

std::vector<std::vector<std::string>> readRecords(std::string& text, bool& anyError) {
  std::vector<std::vector<std::string>> records;
  TextSource in(text);
  CsvReader reader(in);
  CsvRecord record;
  while (reader.next(record)) {
    std::size_t bytes = 0;
    for (std::string_view field : record.fields) {
      std::string checked;
      channelflow::numeric::appendValidUtf8(checked, field);
      if (checked != field) fail("a field that is not UTF-8");
      bytes += field.size();
    }
    if (bytes > 3 * kMaxRecordBytes) fail("a record beyond the size limit");
    anyError = anyError || record.error.has_value();
    if (!record.blank) records.emplace_back(record.fields.begin(), record.fields.end());
  }
  return records;
}

void fuzzCsv(std::string input) {
  bool anyError = false;
  const auto records = readRecords(input, anyError);
  // Written back and read again, the records are the same.
  TextSink out;
  // A blank first line, so that a field starting with U+FEFF is not taken for a byte order mark.
  out.put("\r\n");
  for (const auto& fields : records) {
    for (std::size_t k = 0; k < fields.size(); ++k) {
      if (k) out.put(',');
      putCsvField(out, fields[k]);
    }
    out.put("\r\n");
  }
  std::string again = out.text();
  bool againError = false;
  // A single empty field writes an empty line, which reads as a blank line: leave those out.
  std::vector<std::vector<std::string>> kept;
  for (const auto& fields : records) {
    if (!(fields.size() == 1 && fields[0].empty())) kept.push_back(fields);
  }
  auto reread = readRecords(again, againError);
  std::erase_if(reread, [](const auto& fields) { return fields.size() == 1 && fields[0].empty(); });
  if (!anyError && reread != kept) fail("records changed on a round trip");
}

void fuzzBatch(std::string input) {
  TextSource in(input);
  TextSink out;
  try {
    channelflow::calc::runBatch(in, out, {});
  } catch (const channelflow::calc::CalcError&) {
    return;  // the whole batch's problem: an unusable header
  }
  std::string output = out.text();
  std::string checked;
  channelflow::numeric::appendValidUtf8(checked, output);
  if (checked != output) fail("batch output that is not UTF-8");
  // Every row, read back, has the header's number of columns.
  bool anyError = false;
  const auto rows = readRecords(output, anyError);
  for (const auto& row : rows) {
    if (row.size() != rows.front().size()) fail("a batch row with a different number of columns");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
  switch (data[0] % 3) {
    case 0: fuzzOptions(input); break;
    case 1: fuzzCsv(input); break;
    default: fuzzBatch(input); break;
  }
  return 0;
}
