// Every number channelflow-cli prints, against the 256-bit reference over
// seeded random channels: the text must be that of the correctly rounded
// double of the exact result. Prints the tallies per sub-command and per
// quantity, and asserts them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/reference/cases.h"
#include "tests/reference/expected_text.h"
#include "tools/cli_main.h"

namespace {

using namespace channelflow::reference;

#ifdef CHANNELFLOW_SANITIZED
constexpr long kChannels = 5'000;
#else
constexpr long kChannels = 100'000;
#endif
constexpr std::uint64_t kSeed = 20250611;

// The JSON the toolkit prints: flat objects whose members are numbers,
// strings, booleans or null, and a profile's array of such objects. Numbers
// keep their text.
struct Json {
  enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
  std::string text;
  std::vector<Json> items;
  std::vector<std::pair<std::string, Json>> members;

  const Json* find(const std::string& key) const {
    for (const auto& [name, value] : members) {
      if (name == key) return &value;
    }
    return nullptr;
  }
};

class JsonReader {
 public:
  explicit JsonReader(const std::string& text) : text_(text) {}

  // Every value in the text, one after another (solve and batch print one per line).
  std::vector<Json> all() {
    std::vector<Json> values;
    while (skip(), at_ < text_.size()) values.push_back(value());
    return values;
  }

 private:
  void skip() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
  }
  void expect(char c) {
    skip();
    if (at_ >= text_.size() || text_[at_] != c) throw std::runtime_error("JSON: expected " + std::string(1, c));
    ++at_;
  }
  std::string string() {
    expect('"');
    std::string s;
    while (at_ < text_.size() && text_[at_] != '"') {
      if (text_[at_] == '\\') ++at_;  // the toolkit escapes only quotes, backslashes and controls
      s += text_[at_++];
    }
    expect('"');
    return s;
  }
  Json value() {
    skip();
    Json v;
    const char c = at_ < text_.size() ? text_[at_] : '\0';
    if (c == '{' || c == '[') {
      v.kind = c == '{' ? Json::Object : Json::Array;
      ++at_;
      skip();
      if (text_[at_] == (c == '{' ? '}' : ']')) {
        ++at_;
        return v;
      }
      do {
        if (c == '{') {
          std::string key = string();
          expect(':');
          v.members.emplace_back(std::move(key), value());
        } else {
          v.items.push_back(value());
        }
        skip();
      } while (text_[at_++] == ',');
      return v;
    }
    if (c == '"') return {Json::String, string(), {}, {}};
    const std::size_t end = text_.find_first_of(",}] \n", at_);
    v.text = text_.substr(at_, end - at_);
    at_ = end;
    v.kind = v.text == "null" ? Json::Null : v.text == "true" || v.text == "false" ? Json::Bool : Json::Number;
    return v;
  }

  const std::string& text_;
  std::size_t at_ = 0;
};

struct Run {
  int status = 0;
  std::string out, err;
};

// The whole command line in this process, on temporary files kept for every run.
class Cli {
 public:
  Cli() : in_(std::tmpfile()), out_(std::tmpfile()), err_(std::tmpfile()) {
    if (in_ == nullptr || out_ == nullptr || err_ == nullptr) throw std::runtime_error("no temporary file");
  }
  ~Cli() {
    for (std::FILE* f : {in_, out_, err_}) std::fclose(f);
  }
  Cli(const Cli&) = delete;
  Cli& operator=(const Cli&) = delete;

  Run run(const Case& c) {
    std::vector<std::string> words{"channelflow-cli"};
    words.insert(words.end(), c.words.begin(), c.words.end());
    words.insert(words.end(), {"--format", "json"});
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    for (std::FILE* f : {in_, out_, err_}) empty(f);
    std::fputs(c.input.c_str(), in_);
    std::rewind(in_);
    Run r;
    r.status = channelflow::tools::runChannelflowCli(static_cast<int>(argv.size()), argv.data(), {in_, out_, err_});
    r.out = read(out_);
    r.err = read(err_);
    return r;
  }

 private:
  static void empty(std::FILE* f) {
    std::rewind(f);
    if (ftruncate(fileno(f), 0) != 0) throw std::runtime_error("cannot empty a temporary file");
  }
  static std::string read(std::FILE* f) {
    std::string text;
    std::rewind(f);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
    return text;
  }

  std::FILE* in_;
  std::FILE* out_;
  std::FILE* err_;
};

std::string commandLine(const Case& c) {
  std::string line = "channelflow-cli";
  for (const std::string& w : c.words) line += " " + w;
  if (!c.input.empty()) line += " <<< '" + c.input + "'";
  return line;
}

struct Tally {
  long compared = 0, differing = 0;
  double worst = 0;
  std::string worstCase;

  void add(double units, const std::string& where) {
    ++compared;
    if (units > 0) ++differing;
    if (units > worst) {
      worst = units;
      worstCase = where;
    }
  }
  double share() const { return compared ? 1 - static_cast<double>(differing) / static_cast<double>(compared) : 1; }
};

// Where the program and the reference disagree on what there is to compare.
struct Shape {
  long failedRuns = 0, objectCounts = 0, missingNumbers = 0, presentButAbsent = 0, texts = 0, profilePoints = 0;
  std::vector<std::string> examples;
  long total() const { return failedRuns + objectCounts + missingNumbers + presentButAbsent + texts + profilePoints; }
  void note(long& counter, const std::string& what) {
    ++counter;
    if (examples.size() < 10) examples.push_back(what);
  }
};

class Comparison {
 public:
  void check(const Case& c) {
    const Run run = cli_.run(c);
    const std::string where = commandLine(c);
    if (run.status != 0) return shape_.note(shape_.failedRuns, where + "\n  " + run.err);
    std::vector<Json> objects;
    for (Json& value : JsonReader(run.out).all()) {
      if (value.kind == Json::Array) objects.insert(objects.end(), value.items.begin(), value.items.end());
      if (value.kind == Json::Object) objects.push_back(std::move(value));
    }
    if (objects.size() != c.objects.size()) {
      return shape_.note(shape_.objectCounts, where + "\n  " + std::to_string(objects.size()) + " objects, expected " +
                                                  std::to_string(c.objects.size()));
    }
    for (std::size_t k = 0; k < objects.size(); ++k) compare(c, c.objects[k], objects[k], where, "");
  }

  void print() const {
    auto line = [](const std::string& name, const Tally& t) {
      std::printf("%-26s %9ld %8ld %10.5f%% %12.4g  %s\n", name.c_str(), t.compared, t.differing, 100 * (1 - t.share()),
                  t.worst, t.worstCase.c_str());
    };
    std::printf("%-26s %9s %8s %11s %12s  %s\n", "", "compared", "differ", "differ %", "worst units", "worst case");
    for (const auto& [name, t] : bySubCommand_) line(name, t);
    line("overall", overall_);
    std::printf("\nper quantity:\n");
    for (const auto& [name, t] : byQuantity_) line(name, t);
    std::printf(
        "\nshape disagreements: %ld (failed runs %ld, object counts %ld, missing numbers %ld, numbers that "
        "must not be there %ld, texts %ld, profile points %ld)\n",
        shape_.total(), shape_.failedRuns, shape_.objectCounts, shape_.missingNumbers, shape_.presentButAbsent,
        shape_.texts, shape_.profilePoints);
    for (const std::string& example : shape_.examples) std::printf("  %s\n", example.c_str());
  }

  const Tally& overall() const { return overall_; }
  const Shape& shape() const { return shape_; }

 private:
  void compare(const Case& c, const ExpectedObject& want, const Json& got, const std::string& where,
               const std::string& prefix) {
    for (const auto& [key, value] : want.numbers) {
      // "hc_all#1": the second number of a list.
      const std::size_t hash = key.find('#');
      const Json* printed = got.find(key.substr(0, hash));
      if (printed != nullptr && hash != std::string::npos) {
        const std::size_t k = std::stoul(key.substr(hash + 1));
        printed = printed->kind == Json::Array && k < printed->items.size() ? &printed->items[k] : nullptr;
      }
      if (printed == nullptr || printed->kind != Json::Number) {
        shape_.note(shape_.missingNumbers, where + "\n  no number " + prefix + key);
        continue;
      }
      const std::string expected = expectedText(value.toDouble());
      const double units = printed->text == expected ? 0 : unitsApart(printed->text, expected);
      const std::string at =
          units > 0 ? where + "\n      " + prefix + key + " = " + printed->text + ", expected " + expected : "";
      for (Tally* t : {&overall_, &bySubCommand_[c.command], &byQuantity_[c.command + " " + prefix + key]}) {
        t->add(units, at);
      }
    }
    for (const auto& [key, text] : want.texts) {
      const Json* printed = got.find(key);
      if (printed == nullptr || printed->text != text)
        shape_.note(shape_.texts, where + "\n  " + prefix + key + " is not " + text);
    }
    for (const std::string& key : want.absent) {
      const Json* printed = got.find(key);
      if (printed != nullptr && printed->kind != Json::Null) shape_.note(shape_.presentButAbsent, where + "\n  " + key);
    }
    if (!want.schemes.empty()) {
      const Json* schemes = got.find("schemes");
      if (schemes == nullptr || schemes->items.size() != want.schemes.size()) {
        return shape_.note(shape_.objectCounts, where + "\n  " + std::to_string(schemes ? schemes->items.size() : 0) +
                                                    " schemes, expected " + std::to_string(want.schemes.size()));
      }
      for (std::size_t k = 0; k < want.schemes.size(); ++k) compare(c, want.schemes[k], schemes->items[k], where, "scheme ");
    }
    if (want.points.empty()) return;
    // A profile of another type (counted among the texts) or length is another
    // profile: its numbers are not comparable.
    const Json* points = got.find("points");
    const Json* type = got.find("type");
    if (type == nullptr || type->text != want.texts.front().second) return;
    if (points == nullptr || points->items.size() != want.points.size()) {
      return shape_.note(shape_.profilePoints, where + "\n  " + std::to_string(points ? points->items.size() : 0) +
                                                   " points, expected " + std::to_string(want.points.size()));
    }
    for (std::size_t k = 0; k < want.points.size(); ++k) compare(c, want.points[k], points->items[k], where, "point ");
  }

  Cli cli_;
  Tally overall_;
  std::map<std::string, Tally> bySubCommand_, byQuantity_;
  Shape shape_;
};

TEST(ToolkitAccuracy, PrintedNumbersAreTheCorrectlyRoundedExactResults) {
  const auto started = std::chrono::steady_clock::now();
  CaseGenerator generator(kSeed);
  Comparison comparison;
  // CHANNELFLOW_ACCURACY_CHANNELS runs more (or fewer) of the same sequence.
  const char* wanted = std::getenv("CHANNELFLOW_ACCURACY_CHANNELS");
  const long count = wanted != nullptr ? std::atol(wanted) : kChannels;
  long channels = 0, cases = 0;
  while (channels < count) {
    const Case c = generator.next();
    comparison.check(c);
    channels += c.channels;
    ++cases;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("%ld channels in %ld command lines, seed %llu, %.1f s\n\n", channels, cases,
              static_cast<unsigned long long>(kSeed), seconds);
  comparison.print();
  const Tally& all = comparison.overall();
  EXPECT_GE(all.share(), 0.999) << all.differing << " of " << all.compared << " texts differ";
  EXPECT_LE(all.worst, 1.0) << all.worstCase;
  // A borderline profile may end a step apart; anything more is a fault.
  EXPECT_LE(comparison.shape().total(), cases / 1000) << "see the shape disagreements above";
}

}  // namespace
