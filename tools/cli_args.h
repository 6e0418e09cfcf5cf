// The argument layer every sub-command shares: options of the form
// --NAME VALUE or --NAME=VALUE, checked completely before any work starts.
// Their values are the question's inputs, handed to the toolkit as texts.
#pragma once

#include <cstdio>
#include <map>
#include <span>
#include <string>
#include <string_view>

#include "calc/toolkit/inputs.h"

namespace channelflow::tools {

enum class OutputFormat { Text, Csv, Json };

// Where a run of the program reads and writes: the process's own streams, or
// others when many command lines run in one process.
struct Streams {
  std::FILE* in = stdin;
  std::FILE* out = stdout;
  std::FILE* err = stderr;
};

// An option a sub-command takes; a required one must be given.
struct OptionRule {
  std::string_view name;  // "B"
  bool required = false;
};

class Options {
 public:
  // Parses `words` (the words after the sub-command's name). Every option in
  // `rules` marked required must be given exactly once, every other one and
  // --format at most once; a missing value or one that starts with "--"
  // (another option) is an error. Throws calc::CalcError of wrong usage.
  // --help and --version are found by hasWord before.
  Options(std::span<char* const> words, std::span<const OptionRule> rules);

  // The text of an option that was checked to be there.
  std::string_view text(std::string_view name) const;
  bool has(std::string_view name) const { return values_.find(name) != values_.end(); }
  OutputFormat format() const { return format_; }
  // Every option but --format, as the toolkit's inputs, with --points-file
  // read into the points (throws calc::CalcError when it cannot be).
  calc::Inputs inputs() const;

 private:
  std::map<std::string, std::string, std::less<>> values_;
  OutputFormat format_ = OutputFormat::Text;
};

// Whether --help or --version stands anywhere among the words.
bool hasWord(std::span<char* const> words, std::string_view word);

// The options that describe a channel of any section, all optional, after a
// sub-command's own.
std::span<const OptionRule> channelOptions();

}  // namespace channelflow::tools
