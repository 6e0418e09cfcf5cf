// The CSV reader and writer on the files real programs write, and the UTF-8
// repair that keeps every output valid.
#include "calc/services/csv_reader.h"
#include "calc/toolkit/messages.h"
#include "numeric/text/utf8.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace channelflow::calc {
namespace {

struct ReadRecord {
  ReadRecord(std::vector<std::string> f, std::string e = "", bool b = false)
      : fields(std::move(f)), error(std::move(e)), blank(b) {}
  std::vector<std::string> fields;
  std::string error;
  bool blank = false;
  bool operator==(const ReadRecord&) const = default;
};

std::vector<ReadRecord> readAll(std::string input) {
  TextSource in(input);
  CsvReader reader(in);
  CsvRecord record;
  std::vector<ReadRecord> records;
  while (reader.next(record)) {
    const std::string error = record.error ? std::string(messageInfo(*record.error).code) : "";
    ReadRecord r{{record.fields.begin(), record.fields.end()}, error, record.blank};
    records.push_back(r);
  }
  return records;
}

TEST(CsvReader, ReadsWhatSpreadsheetsAndProgramsWrite) {
  struct Row {
    const char* name;
    std::string input;
    std::vector<ReadRecord> records;
  };
  const ReadRecord blank{{""}, "", true};
  const Row rows[] = {
      {"plain", "B,h\n2,1\n", {{{"B", "h"}}, {{"2", "1"}}}},
      {"no final line break", "B,h\n2,1", {{{"B", "h"}}, {{"2", "1"}}}},
      {"CRLF", "B,h\r\n2,1\r\n", {{{"B", "h"}}, {{"2", "1"}}}},
      {"bare CR ends records, the last one too", "B,h\r2,1\r", {{{"B", "h"}}, {{"2", "1"}}}},
      {"byte order mark", "\xEF\xBB\xBF" "B,h\n", {{{"B", "h"}}}},
      {"quoted comma, quote and line breaks", "\"a,b\",\"say \"\"hi\"\"\",\"1\r\n2\"\n",
       {{{"a,b", "say \"hi\"", "1\r\n2"}}}},
      {"quoted number", "\"2\",\" 1 \"\n", {{{"2", " 1 "}}}},
      {"empty fields", ",,\n", {{{"", "", ""}}}},
      {"empty quoted field is not a blank line", "\"\"\n", {{{""}}}},
      {"blank lines", "a\n\n\r\nb\n", {{{"a"}}, blank, blank, {{"b"}}}},
      {"text after a closing quote is kept", "\"a\"b,c\n", {{{"ab", "c"}}}},
      {"quote inside an unquoted field is text", "a\"b\n", {{{"a\"b"}}}},
      {"open quote at the end", "a,\"bc\nd", {{{"a", "bc\nd"}, "unclosed-quote"}}},
      {"invalid UTF-8 replaced", "\xFF,\xE4\xB8\n", {{{"\xEF\xBF\xBD", "\xEF\xBF\xBD"}}}},
      {"valid UTF-8 kept", "水深,\xF0\x9F\x8C\x8A\n", {{{"水深", "\xF0\x9F\x8C\x8A"}}}},
      {"nothing", "", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(readAll(row.input), row.records);
  }
}

// A record beyond 1 MB is an error record; the reader finds its real end
// (a quoted line break does not end it) and goes on with the next.
TEST(CsvReader, ARecordBeyondOneMegabyteIsAnErrorAndReadingGoesOn) {
  std::string input = "a,\"" + std::string(kMaxRecordBytes, ',') + "\n\",b\nnext,row\n";
  const auto records = readAll(input);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_TRUE(records[0].fields.empty());
  EXPECT_EQ(records[0].error, "line-too-long");
  EXPECT_EQ(records[1], (ReadRecord{{"next", "row"}}));
  // Exactly the limit is still a record, one byte more is not.
  EXPECT_EQ(readAll(std::string(kMaxRecordBytes, 'x') + "\n")[0].error, "");
  EXPECT_NE(readAll(std::string(kMaxRecordBytes + 1, 'x') + "\n")[0].error, "");
  EXPECT_NE(readAll("a," + std::string(kMaxRecordBytes - 1, 'x'))[0].error, "");
}

TEST(CsvWriter, QuotesOnlyWhereReadersNeedIt) {
  struct Row {
    std::string field, written;
  };
  const Row rows[] = {{"2.5", "2.5"},       {"", ""},           {"a,b", "\"a,b\""},
                      {"say \"hi\"", "\"say \"\"hi\"\"\""}, {"1\n2", "\"1\n2\""}, {"1\r", "\"1\r\""}};
  for (const Row& row : rows) {
    TextSink out;
    putCsvField(out, row.field);
    EXPECT_EQ(out.text(), row.written) << row.field;
    // What the writer writes, the reader reads back unchanged.
    EXPECT_EQ(readAll(row.written + "\n")[0].fields, std::vector<std::string>{row.field});
  }
}

TEST(Utf8, ReplacesEachMaximalInvalidPartWithOneReplacement) {
  struct Row {
    std::string in, out;
  };
  const std::string r = "\xEF\xBF\xBD";
  const Row rows[] = {
      {"abc", "abc"},
      {"\xC3\xA9", "\xC3\xA9"},              // é
      {"\x80", r},                           // stray continuation byte
      {"\xC3", r},                           // truncated at the end
      {"\xE4\xB8" "a", r + "a"},             // truncated before ASCII: one replacement
      {"\xC0\xAF", r + r},                   // overlong: C0 opens nothing
      {"\xE0\x80\x80", r + r + r},           // overlong three-byte form
      {"\xED\xA0\x80", r + r + r},           // a surrogate
      {"\xF4\x90\x80\x80", r + r + r + r},   // beyond U+10FFFF
      {"\xF0\x9F\x8C", r},                   // truncated four-byte form
  };
  for (const Row& row : rows) {
    std::string out;
    numeric::appendValidUtf8(out, row.in);
    EXPECT_EQ(out, row.out);
  }
}

}  // namespace
}  // namespace channelflow::calc
