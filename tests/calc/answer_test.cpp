// The answer document's invariants over every question the table declares,
// on its own examples: every absent cell says why and every term cell names
// a term of the catalog, and every number an item carries prints the same in
// text, CSV and JSON.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "calc/toolkit/toolkit.h"
#include "numeric/text/number_text.h"

namespace channelflow::calc {
namespace {

// A file an example names, read from the source tree: "" where the tree is
// not at hand (a cross build) or the file is not there.
std::string exampleFile(const std::string& path) {
#ifdef CHANNELFLOW_SOURCE_DIR
  std::ifstream file(std::string(CHANNELFLOW_SOURCE_DIR) + "/" + path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
#else
  (void)path;
  return {};
#endif
}

// An example's options as inputs: "report --B 2 --h 1" gives B = 2, h = 1,
// and --file the file's text.
Inputs inputsOfExample(std::string_view example) {
  std::istringstream words{std::string(example)};
  std::string word, key;
  Inputs inputs;
  words >> word;  // the question's name
  while (words >> word) {
    if (word.size() > 1 && word.front() == '\'' && word.back() == '\'') word = word.substr(1, word.size() - 2);
    if (word.starts_with("--")) {
      key = word.substr(2);
    } else if (!key.empty()) {
      if (key == "file") inputs.set(key, exampleFile(word));
      if (key != "format" && key != "file") inputs.set(key, word);
      key.clear();
    }
  }
  return inputs;
}

// A profile's class (M1, S2, ...) is written as itself in every language.
bool profileClass(std::string_view key) {
  return key.size() == 2 && std::string_view("MSCHA").find(key[0]) != std::string_view::npos && key[1] >= '1' && key[1] <= '3';
}

void expectReasons(const std::vector<Cell>& cells, const std::string& where) {
  for (const Cell& cell : cells) {
    if (cell.kind == Cell::Kind::Absent) {
      EXPECT_NE(findTerm(cell.term), nullptr) << where << ": an absent cell without a reason \"" << cell.term << "\"";
    } else if (cell.kind == Cell::Kind::Term && !profileClass(cell.term)) {
      // A term's Chinese words (the catalog's, or a design table row's name) are never its key.
      EXPECT_NE(termWords(cell.term, Language::Chinese), cell.term) << where << ": a term nothing names \"" << cell.term << "\"";
    }
  }
}

void expectGroup(const Group& group, const std::string& where) {
  std::vector<Cell> cells;
  for (const Item& item : group.items) cells.push_back(item.cell);
  expectReasons(cells, where);
  for (const Table& table : group.tables) {
    for (long k = 0; k < table.rowCount; ++k) expectReasons(table.rowAt(k).cells, where + " " + std::string(table.key));
  }
  for (const Group& sub : group.groups) expectGroup(sub, where + " " + std::string(sub.key));
}

TEST(AnswerDocument, EveryQuestionsExamplesKeepTheInvariants) {
  int answered = 0;
  for (const Question& question : questions()) {
    for (std::string_view example : question.examples) {
      SCOPED_TRACE(std::string(example));
      // A file the command line reads into its input, or standard input, is not the core's to open.
      // Standard input is not the core's to read, nor the source tree a cross build's.
      if (question.answer == nullptr || example.find('<') != std::string_view::npos) continue;
      const Inputs inputs = inputsOfExample(example);
      if (const std::string* file = inputs.find("file"); file && file->empty()) continue;
      Answer answer;
      try {
        answer = question.answer(inputs);
      } catch (const CalcError& error) {
        ADD_FAILURE() << messageText(error.problem());
        continue;
      }
      ++answered;
      for (const Group& record : answer.records) expectGroup(record, std::string(question.name));
      TextSink text, csv, json;
      writeText(answer, text);
      writeCsv(answer, csv);
      writeJson(answer, json);
      for (const Group& record : answer.records) {
        for (const Item& item : record.items) {
          if (item.cell.kind != Cell::Kind::Number) continue;
          const std::string number = numeric::formatDouble(item.cell.number);
          EXPECT_NE(json.text().find("\"" + std::string(item.key()) + "\": " + number), std::string::npos) << item.key();
          if (answer.csvLayout == Answer::CsvLayout::Whole) {
            EXPECT_NE(csv.text().find(number), std::string::npos) << item.key();
          }
          if (item.inText && answer.reportRole == Answer::ReportRole::Summary) {
            EXPECT_NE(text.text().find(" = " + number), std::string::npos) << item.key();
          }
        }
      }
    }
  }
  EXPECT_GE(answered, 10);
}

}  // namespace
}  // namespace channelflow::calc
