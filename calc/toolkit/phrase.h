// What the toolkit says that is not a problem: the lines of a calculation
// report, check verdicts, headings and table titles. Each is a phrase: a
// stable id and its arguments, written in either language by phraseText
// (calc/toolkit/messages.h) from the one table in calc/toolkit/phrases.cpp.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "calc/toolkit/message_arg.h"

namespace channelflow::calc {

enum class TextId : std::uint16_t {
  // The command line's lines of a solution.
  TwoDepths,
  CircleCapacityLine,
  // Designing a canal: its checks.
  CheckVelocityWithin,
  CheckVelocityLow,
  CheckVelocityHigh,
  CheckVelocityNoLimits,
  CheckScourOk,
  CheckScourFail,
  CheckScourNoLimit,
  CheckSiltOk,
  CheckSiltFail,
  CheckSiltNoLimit,
  CheckMinDepthOk,
  CheckMinDepthFail,
  CheckSideSlopeOk,
  CheckSideSlopeFail,
  CheckSideSlopeDeep,
  CheckSideSlopeNoSoil,
  CheckSideSlopeNotTrapezoid,
  CheckEarthVelocityOk,
  CheckEarthVelocityOutside,
  CheckEarthVelocityLow,
  CheckEarthVelocityNotEarth,
  CheckFreeboardFormula,
  CheckFreeboardHighGrade,
  CheckFreeboardGiven,
  // Designing a canal: the calculation report.
  ReportTitle,
  HeadingData,
  HeadingFlows,
  HeadingBest,
  HeadingSchemes,
  HeadingRatio,
  HeadingWidth,
  HeadingGivenU,
  HeadingSection,
  HeadingOtherFlows,
  HeadingBank,
  HeadingChecks,
  StepDesignFlow,
  StepSlope,
  StepLining,
  StepRoughnessGiven,
  StepRoughnessRange,
  StepRoughnessTable,
  StepSoil,
  StepTrapezoid,
  StepRectangle,
  StepUShape,
  StepMethod,
  StepLimits,
  StepGrade,
  StepEnlargeTable,
  StepEnlargeGiven,
  StepEnlarged,
  StepMinimum,
  StepK,
  StepH0,
  NoteH0,
  StepB0,
  StepA0,
  StepV0,
  StepSchemeFormulas,
  ChoiceNoLimits,
  ChoiceWithin,
  ChoiceNoneWithin,
  ChoiceGiven,
  ChoiceOutsideTable,
  StepChosen,
  StepRatioDepth,
  StepRatioWidth,
  StepNormalDepth,
  StepArea,
  StepPerimeter,
  StepRadius,
  StepTopWidth,
  StepUGeometry,
  StepVelocity,
  StepFroude,
  StepAreaRatio,
  StepEnlargedDepth,
  StepMinimumDepth,
  StepFreeboardFormula,
  StepFreeboardGiven,
  StepCanalDepth,
  StepBendNeeded,
  StepBendNotNeeded,
  StepScourRadius,
  StepScourDepth,
  StepScourDepthEdge,
  StepScourFixed,
  StepScourGiven,
  // The design tables as the command line prints them.
  RoughnessTitle,
  RoughnessColumns,
  ScourTitle,
  ScourTableRadius,
  ScourTableLoose,
  ScourTableRock,
  ScourTableLining,
  ScourColumnsOne,
  ScourColumnsDepth,
  Count
};

struct Phrase {
  TextId id = TextId::ReportTitle;
  std::vector<MessageArg> args;
};

struct PhraseInfo {
  TextId id;
  std::string_view code;  // stable, for programs: "check-velocity-within"
  std::string_view chinese;
  std::string_view english;
};

const PhraseInfo& phraseInfo(TextId id);

}  // namespace channelflow::calc
