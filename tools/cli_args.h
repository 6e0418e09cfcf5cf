// The argument layer every sub-command shares: options of the form
// --NAME VALUE or --NAME=VALUE, the ones its question takes (calc's question
// table) and the command line's own, checked completely before any work
// starts. Their values are the question's inputs, handed to the toolkit as texts.
#pragma once

#include <cstdio>
#include <map>
#include <span>
#include <string>
#include <string_view>

#include "calc/toolkit/toolkit.h"

namespace channelflow::tools {

enum class OutputFormat { Text, Csv, Json };

// Where a run of the program reads and writes: the process's own streams, or
// others when many command lines run in one process.
struct Streams {
  std::FILE* in = stdin;
  std::FILE* out = stdout;
  std::FILE* err = stderr;
};

class Options {
 public:
  // Parses `words` (the words after the sub-command's name) against the
  // question's inputs, the channel's when it takes one, --points-file where
  // --points is taken, `extra` (options of the command line's own) and
  // --format, --lang, --digits. A required input must be given, every option at most
  // once but a list's (its items joined by ';'); a missing value or one that starts with "--" (another option) is
  // an error. Throws calc::CalcError of wrong usage. --help and --version
  // are found by hasWord before.
  Options(std::span<char* const> words, const calc::Question& question, std::span<const std::string_view> extra = {});

  // The text of an option that was checked to be there.
  std::string_view text(std::string_view name) const;
  bool has(std::string_view name) const { return values_.find(name) != values_.end(); }
  OutputFormat format() const { return format_; }
  // How the answer is written: its language, inputs named as options.
  const calc::WriteOptions& writeOptions() const { return write_; }
  // The question's inputs, with --points-file read into the points (throws
  // calc::CalcError when it cannot be).
  calc::Inputs inputs() const;

 private:
  std::map<std::string, std::string, std::less<>> values_;
  std::span<const std::string_view> extra_;
  OutputFormat format_ = OutputFormat::Text;
  calc::WriteOptions write_;
};

// Whether the word stands anywhere among the words.
bool hasWord(std::span<char* const> words, std::string_view word);

// The language --lang names among the words (Chinese unless it says en), for
// pages written before the options are read: help, and wrong usage.
calc::Language languageOf(std::span<char* const> words);

}  // namespace channelflow::tools
