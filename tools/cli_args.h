// The argument layer every sub-command shares: options of the form
// --NAME VALUE or --NAME=VALUE, checked completely before any work starts,
// and the reading of the numbers they carry.
#pragma once

#include <cstdio>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace channelflow::tools {

enum class OutputFormat { Text, Csv, Json };

// Where a run of the program reads and writes: the process's own streams, or
// others when many command lines run in one process.
struct Streams {
  std::FILE* in = stdin;
  std::FILE* out = stdout;
  std::FILE* err = stderr;
};

// Wrong usage: exit status 2, before anything is computed or printed.
struct UsageError {
  std::string message;
};

// An input that cannot be used (a text that is not a number, a number a
// double cannot hold): exit status 1, the message names the input.
struct InputError {
  std::string message;
};

// An option a sub-command takes: its name and what it stands for in messages.
struct OptionSpec {
  std::string_view name;   // "B"
  std::string_view label;  // "下底宽 B"
  bool required = true;    // an optional one may be left out, at most once
};

class Options {
 public:
  // Parses `words` (the words after the sub-command's name). Every option in
  // `required` marked required must be given exactly once, every other one
  // and --format at most once; a
  // missing value or one that starts with "--" (another option) is an error.
  // Throws UsageError. --help and --version are found by wantsHelp/wantsVersion.
  Options(std::span<char* const> words, std::span<const OptionSpec> required);

  // The text of an option that was checked to be there.
  std::string_view text(std::string_view name) const;
  // Whether the option was given.
  bool has(std::string_view name) const { return values_.find(name) != values_.end(); }
  // The option's text read as a number; throws InputError naming the input.
  double number(std::string_view name) const;
  OutputFormat format() const { return format_; }

 private:
  std::span<const OptionSpec> specs_;
  std::map<std::string, std::string, std::less<>> values_;
  OutputFormat format_ = OutputFormat::Text;
};

// Whether --help or --version stands anywhere among the words.
bool hasWord(std::span<char* const> words, std::string_view word);

// Reads a number the way the toolkit's inputs are read: optional blanks
// around a plain decimal number. On failure returns nothing and sets `error`
// to the reason ("不是有效的数字", "超出数值范围…", "太小…"). A nonzero number
// too small for a double is an error, not 0.
std::optional<double> readNumber(std::string_view text, std::string& error);

// The text as it may stand in a message: valid UTF-8, at most 40 bytes.
std::string quoteForMessage(std::string_view text);

}  // namespace channelflow::tools
