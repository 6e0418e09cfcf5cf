// The computation of a canal line's levels (calc/canal/canal_line.h), kept
// in one object: the normal and critical depths each section and segment
// share, found once, and each gap's fall by term for the rows to sum.
#pragma once

#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "calc/canal/canal_line.h"
#include "calc/line/standard_step.h"

namespace channelflow::calc {

class LineComputer {
 public:
  explicit LineComputer(CanalLine& line);
  LineResult run();

 private:
  struct Depth {
    std::optional<Real> h;
    std::optional<Problem> why;  // when there is none
  };

  const Real& flowAt(std::size_t k, structures::FlowCase f) const;
  std::tuple<int, std::size_t, std::size_t, int> keyOf(std::size_t k, structures::FlowCase f) const;
  const Depth& normalDepth(std::size_t k, structures::FlowCase f);
  const NodeCritical& critical(std::size_t k, structures::FlowCase f);
  Depth chuteEnd(std::size_t structure, structures::FlowCase f);
  Depth crestDepth(std::size_t k, const LineStructure& s, structures::FlowCase f);
  Real gateFall(const LineStructure& s, const Real& Q, const Real& hs) const;
  RowFall stepFall(std::size_t k, const Hydraulics<Real>& a, const Hydraulics<Real>& b, bool practice) const;
  RowFall relationFall(std::size_t k, const Real& fall) const;
  NodeWater waterAt(std::size_t k, structures::FlowCase f, const Real& h) const;
  static NodeWater without(Problem why);
  NodeWater tail(structures::FlowCase f, const std::vector<Boundary>& boundaries, const LineResult& result);

  struct StepOutcome {
    StepResult step;
    RowFall fall;  // its terms, summed over the sub-steps taken
  };
  StepOutcome stepGap(std::size_t k, structures::FlowCase f, const NodeWater& below, const FlowAlong& along,
                      const LineResult& result);

  void design(LineResult& result);
  void fixedBed(LineResult& result, structures::FlowCase f, const std::vector<Boundary>& boundaries);
  void rowFalls(LineResult& result);

  CanalLine& line_;
  std::size_t n_;
  std::map<std::tuple<int, std::size_t, std::size_t, int>, Depth> normal_;
  std::map<std::tuple<int, std::size_t, std::size_t, int>, NodeCritical> critical_;
  std::array<std::vector<RowFall>, kFlowCases> gapFalls_;  // per flow, per gap
};

// The tops of the banks and structures, the depths the banks need and
// adopt, and the checks at every row (calc/canal/line_checks.cpp).
void lineChecks(const CanalLine& line, LineResult& result);

}  // namespace channelflow::calc
