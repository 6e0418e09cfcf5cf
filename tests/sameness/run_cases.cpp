// run_cases CASES TRANSCRIPT: runs every command line of the toolkit table
// (toolkit_cases.py writes it) through channelflow-cli's own function, in this
// process, and writes one transcript: for each case its number, command line,
// exit status, stdout and stderr. Builds that compute alike write the same
// bytes. A case reads its stdin from a temporary file and writes to two more,
// as tmpfile() gives them on every platform. Making a file is slow under wine,
// so the output files serve every case (each from its start, read back up to
// where the case left off), as does one empty stdin; a case with input of its
// own gets a new file.
#include "tools/cli_main.h"

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool readAll(std::FILE* file, std::string& text) {
  char block[65536];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) text.append(block, got);
  return std::ferror(file) == 0;
}

// A field of the case file with its \t, \n, \r and \\ resolved.
std::string unescape(std::string_view field) {
  std::string text;
  for (std::size_t k = 0; k < field.size(); ++k) {
    char c = field[k];
    if (c == '\\' && k + 1 < field.size()) {
      switch (field[++k]) {
        case 't': c = '\t'; break;
        case 'n': c = '\n'; break;
        case 'r': c = '\r'; break;
        default: c = field[k]; break;
      }
    }
    text.push_back(c);
  }
  return text;
}

std::vector<std::string> splitFields(std::string_view line) {
  std::vector<std::string> fields;
  while (true) {
    const std::size_t tab = line.find('\t');
    fields.push_back(unescape(line.substr(0, tab)));
    if (tab == std::string_view::npos) return fields;
    line.remove_prefix(tab + 1);
  }
}

// The command as a shell would take it, for people reading the transcript.
std::string commandLine(const std::vector<std::string>& args, std::size_t stdinSize) {
  std::string line = "channelflow-cli";
  for (const std::string& arg : args) {
    const bool plain = !arg.empty() && arg.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                             "0123456789+-.,:=_/") == std::string::npos;
    line += plain ? " " + arg : " '";
    if (plain) continue;
    for (char c : arg) line += c == '\'' ? std::string("'\\''") : std::string(1, c);
    line += '\'';
  }
  if (stdinSize > 0) line += " < (" + std::to_string(stdinSize) + " bytes)";
  return line;
}

// What a case wrote to a stream it was given at its start.
bool contentOf(std::FILE* file, std::string& text) {
  const long size = std::ftell(file);
  if (size < 0) return false;
  text.resize(static_cast<std::size_t>(size));
  std::rewind(file);
  return std::fread(text.data(), 1, text.size(), file) == text.size();
}

void putBlock(std::string& out, const char* name, const std::string& bytes) {
  out += name;
  out += ' ';
  out += std::to_string(bytes.size());
  out += '\n';
  out += bytes;
  out += '\n';
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: run_cases CASES TRANSCRIPT\n", stderr);
    return 2;
  }
  const File cases(std::fopen(argv[1], "rb"));
  std::string text;
  if (!cases || !readAll(cases.get(), text)) {
    std::fprintf(stderr, "run_cases: cannot read %s\n", argv[1]);
    return 1;
  }
  const File transcript(std::fopen(argv[2], "wb"));
  if (!transcript) {
    std::fprintf(stderr, "run_cases: cannot write %s\n", argv[2]);
    return 1;
  }
  const File noInput(std::tmpfile()), outFile(std::tmpfile()), errFile(std::tmpfile());
  if (!noInput || !outFile || !errFile) {
    std::fputs("run_cases: no temporary files\n", stderr);
    return 1;
  }
  std::string_view rest = text;
  std::string record, out, err;
  for (unsigned long number = 1; !rest.empty(); ++number) {
    const std::size_t end = rest.find('\n');
    std::vector<std::string> fields = splitFields(rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);

    const std::string input = std::move(fields.front());
    std::vector<std::string> args(fields.begin() + 1, fields.end());
    std::vector<char*> words{const_cast<char*>("channelflow-cli")};
    for (std::string& arg : args) words.push_back(arg.data());
    words.push_back(nullptr);

    const File ownInput(input.empty() ? nullptr : std::tmpfile());
    std::FILE* in = input.empty() ? noInput.get() : ownInput.get();
    if (in == nullptr || std::fwrite(input.data(), 1, input.size(), in) != input.size()) {
      std::fprintf(stderr, "run_cases: no temporary file for case %lu\n", number);
      return 1;
    }
    for (std::FILE* file : {in, outFile.get(), errFile.get()}) std::rewind(file);
    const int status = channelflow::tools::runChannelflowCli(static_cast<int>(words.size() - 1), words.data(),
                                                             {in, outFile.get(), errFile.get()});
    if (!contentOf(outFile.get(), out) || !contentOf(errFile.get(), err)) {
      std::fprintf(stderr, "run_cases: cannot read back case %lu\n", number);
      return 1;
    }
    record = "case " + std::to_string(number) + ": " + commandLine(args, input.size()) + "\nstatus " +
             std::to_string(status) + "\n";
    putBlock(record, "stdout", out);
    putBlock(record, "stderr", err);
    if (std::fwrite(record.data(), 1, record.size(), transcript.get()) != record.size()) {
      std::fprintf(stderr, "run_cases: cannot write %s\n", argv[2]);
      return 1;
    }
  }
  return std::fflush(transcript.get()) == 0 ? 0 : 1;
}
