// Seeded random command lines of channelflow-cli over every sub-command,
// section, unit system and roughness, each with what the reference says it
// must print. Channels keep to realistic engineering ranges, and the solver
// questions are built from a channel's own flow, so that answers exist.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tests/reference/reference.h"

namespace channelflow::reference {

// One JSON object the command must print: its computed numbers exactly, its
// words (and the depths a table is given) as they stand, and keys that must
// not be there or be null (a full circle's D, Fr and regime).
struct ExpectedObject {
  std::vector<std::pair<std::string, Real>> numbers;
  std::vector<std::pair<std::string, std::string>> texts;
  std::vector<std::string> absent;
  std::vector<ExpectedObject> points;  // a profile's
  std::vector<ExpectedObject> schemes; // a design's Appendix E schemes
};

struct Case {
  std::string command;                  // the sub-command, for the tallies
  std::vector<std::string> words;       // the command line after the program's name
  std::string input;                    // batch's standard input
  std::vector<ExpectedObject> objects;  // in print order: table rows, batch rows, solve's depths
  int channels = 1;
};

class CaseGenerator {
 public:
  explicit CaseGenerator(std::uint64_t seed) : random_(seed), tunnels_(seed + 1) {}
  Case next();

  // A number as typed on a command line, and the double it reads as.
  struct Input {
    std::string text;
    double value = 0;
  };

 private:
  struct Drawn;

  double uniform(double low, double high);
  double logUniform(double low, double high);
  bool chance(double p);
  Input decimal(double value, bool exact = false);
  Drawn channel(bool withRoughness, bool plainOnly = false, bool surveys = true);
  void survey(Drawn& d, bool withRoughness);
  Input depth(const Drawn& d);
  // A surveyed section's water level about `depth` above its lowest point,
  // typed to the centimetre or the millimetre, and its depth exactly; none
  // out of the section.
  struct Level {
    std::string text;
    Real depth;
  };
  std::optional<Level> level(const Drawn& d, double depth);

  Case nextOf(bool tunnels);
  bool report(Case& c);
  bool solve(Case& c);
  bool table(Case& c);
  bool batch(Case& c);
  bool jump(Case& c);
  bool profile(Case& c);
  bool design(Case& c);

  std::mt19937_64 random_;
  std::mt19937_64 tunnels_;  // the arches' and horseshoes' own sequence
  long drawn_ = 0;
  bool closedOnly_ = false;
};

}  // namespace channelflow::reference
