#include "tools/cli_click.h"

#include "calc/click/calculate_command.h"
#include "numeric/value/runtime_error.h"
#include "calc/click/argument_form.h"
#include "tools/commands.h"
#include "tools/sub_command.h"

#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace channelflow::tools {
namespace {

constexpr std::size_t kFields = 5;
constexpr std::size_t kBlock = std::size_t{1} << 16;

// Hands out the lines of a stream as views into one buffer, read in large
// blocks. The buffer grows only for a line longer than it.
class LineStream {
 public:
  explicit LineStream(std::FILE* in) : in_(in), buffer_(kBlock) {}

  // The next line without its line feed; valid until the next call.
  bool next(std::string_view& line) {
    std::size_t searchFrom = begin_;
    while (true) {
      const char* start = buffer_.data() + begin_;
      const auto* newline =
          static_cast<const char*>(std::memchr(buffer_.data() + searchFrom, '\n', end_ - searchFrom));
      if (newline != nullptr) {
        line = std::string_view(start, static_cast<std::size_t>(newline - start));
        begin_ += line.size() + 1;
        return true;
      }
      if (atEnd_) {
        if (begin_ == end_) return false;
        line = std::string_view(start, end_ - begin_);  // a last line without its line feed
        begin_ = end_;
        return true;
      }
      searchFrom = end_ - begin_;
      fill();
    }
  }

 private:
  // Moves the unfinished line to the front and reads behind it.
  void fill() {
    const std::size_t kept = end_ - begin_;
    if (begin_ > 0) std::memmove(buffer_.data(), buffer_.data() + begin_, kept);
    begin_ = 0;
    end_ = kept;
    if (buffer_.size() - end_ < kBlock / 2) buffer_.resize(buffer_.size() * 2);
    const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, in_);
    end_ += got;
    if (got == 0) atEnd_ = true;
  }

  std::FILE* in_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool atEnd_ = false;
};

// Collects output lines and writes them in large blocks; remembers a failure.
class BlockWriter {
 public:
  explicit BlockWriter(std::FILE* out) : out_(out) { text_.reserve(kBlock + 256); }

  void put(std::string_view text) { text_.append(text); }
  void put(char c) { text_.push_back(c); }

  // Writes when the block is full; false once a write has failed.
  bool flushIfFull() { return text_.size() < kBlock || flush(); }

  bool flush() {
    if (failed_) return false;
    failed_ = (!text_.empty() && std::fwrite(text_.data(), 1, text_.size(), out_) != text_.size()) ||
              std::fflush(out_) != 0;
    text_.clear();
    return !failed_;
  }

 private:
  std::FILE* out_;
  std::string text_;
  bool failed_ = false;
};

// A field as the box holds it: the view itself when it has no backslash,
// otherwise its escapes resolved into `scratch`.
std::string_view unescape(std::string_view field, std::string& scratch) {
  if (field.find('\\') == std::string_view::npos) return field;
  scratch.clear();
  for (std::size_t k = 0; k < field.size(); ++k) {
    char c = field[k];
    if (c == '\\' && k + 1 < field.size()) {
      switch (field[k + 1]) {
        case 't': c = '\t'; ++k; break;
        case 'n': c = '\n'; ++k; break;
        case 'r': c = '\r'; ++k; break;
        case '\\': ++k; break;
        default: break;  // not an escape: the backslash stands for itself
      }
    }
    scratch.push_back(c);
  }
  return scratch;
}

// Splits a line at its tabs into `fields`; returns the number of fields,
// which may exceed five (only the first five are kept).
std::size_t splitFields(std::string_view line, std::array<std::string_view, kFields>& fields) {
  std::size_t count = 0;
  while (true) {
    const std::size_t tab = line.find('\t');
    if (count < kFields) fields[count] = line.substr(0, tab);
    ++count;
    if (tab == std::string_view::npos) return count;
    line.remove_prefix(tab + 1);
  }
}

}  // namespace

int runClickStream(std::FILE* in, std::FILE* out, std::FILE* err) {
#ifdef _WIN32
  // Bytes in and bytes out, as on the other platforms: no CRLF translation
  // and no end of input at a Ctrl+Z byte.
  _setmode(_fileno(in), _O_BINARY);
  _setmode(_fileno(out), _O_BINARY);
#endif
  LineStream lines(in);
  BlockWriter writer(out);
  calc::ArgumentForm form;
  std::array<std::string_view, kFields> fields{};
  std::array<std::string, kFields> scratch{};
  std::array<char, 16> number{};
  bool allLinesWellFormed = true;
  std::string_view line;
  for (unsigned long long lineNumber = 1; lines.next(line); ++lineNumber) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t count = splitFields(line, fields);
    if (count != kFields) {
      std::fprintf(err, "%s\n",
                   phraseLine(calc::TextId::ClickFieldCount,
                              {calc::MessageArg::literal(std::to_string(lineNumber)), calc::MessageArg::literal(std::to_string(count))})
                       .c_str());
      allLinesWellFormed = false;
      writer.put("error fields\n");
    } else {
      for (std::size_t k = 0; k < kFields; ++k) fields[k] = unescape(fields[k], scratch[k]);
      form.setBoxes(fields[0], fields[1], fields[2], fields[3], fields[4]);
      try {
        calc::CalculateCommand(form);
        writer.put(form.v);
        writer.put('\t');
        writer.put(form.Q);
        writer.put('\n');
      } catch (const numeric::RuntimeError& error) {
        const int length = std::snprintf(number.data(), number.size(), "error %d\n", error.code());
        writer.put(std::string_view(number.data(), static_cast<std::size_t>(length)));
      }
    }
    if (!writer.flushIfFull()) break;
  }
  if (!writer.flush()) {
    std::fprintf(err, "%s\n", phraseLine(calc::TextId::ClickWriteFailed).c_str());
    return 1;
  }
  if (std::ferror(in) != 0) {
    std::fprintf(err, "%s\n", phraseLine(calc::TextId::ClickReadFailed).c_str());
    return 1;
  }
  return allLinesWellFormed ? 0 : 2;
}

}  // namespace channelflow::tools

namespace channelflow::tools {
namespace {

// Writes a fixed page and reports a failed write as exit 1.
int printPage(std::string_view page, const Streams& io) {
  if (std::fwrite(page.data(), 1, page.size(), io.out) == page.size() && std::fflush(io.out) == 0) return 0;
  std::fprintf(io.err, "%s\n", phraseLine(calc::TextId::ClickWriteFailed).c_str());
  return 1;
}

}  // namespace

int runClick(int argc, char** argv, const Streams& io) {
  for (int k = 2; k < argc; ++k) {
    if (std::string_view(argv[k]) == "--help") return printPage(phraseLine(calc::TextId::HelpClick) + "\n", io);
  }
  for (int k = 2; k < argc; ++k) {
    if (std::string_view(argv[k]) == "--version") return printPage(kVersionLine, io);
  }
  if (argc > 2) {
    std::fprintf(io.err, "%s\n", phraseLine(calc::TextId::ClickNoArguments, {calc::MessageArg::literal(argv[2])}).c_str());
    return 2;
  }
  return runClickStream(io.in, io.out, io.err);
}

}  // namespace channelflow::tools
