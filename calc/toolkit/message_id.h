// Every problem the toolkit and its front ends report, one id each (the
// texts of reports, checks and headings are phrases: calc/toolkit/phrase.h). The texts,
// their stable codes and whether they report wrong usage are in
// calc/messages.cpp, in this order.
#pragma once

#include <cstdint>

namespace channelflow::calc {

enum class MessageId : std::uint16_t {
  // Reading an input's text.
  NotANumber,
  NumberTooLarge,
  NumberTooSmall,
  NotAnInteger,
  // An input's value.
  Negative,
  NotPositive,
  NoWidth,
  DepthAboveDiameter,
  NoUniformFlow,
  CompositeOneSurface,
  CompositeUnknown,
  // A result a double cannot hold, or a solver without an answer.
  ResultTooLarge,
  ResultTooSmall,
  NoAnswer,
  AboveCapacity,
  NoDiameter,
  NegativeSize,
  // Jumps and profiles.
  CriticalNoJump,
  JumpFillsPipe,
  ControlAtCritical,
  ControlAtNormal,
  TargetWrongWay,
  TargetBeyondNormal,
  ReachedCritical,
  ReachedCrown,
  // Which inputs a question takes (wrong usage).
  UnknownSection,
  UnknownUnits,
  NotTakenBySection,
  MissingInput,
  ExclusiveInputs,
  InputsTogether,
  SolveOneUnknown,
  SizeIsTheUnknown,
  JumpTakesNoRoughness,
  TargetOrLength,
  StepsRange,
  RangeSyntax,
  RangeOrder,
  RangeRows,
  RangeEnd,
  RangePartNotANumber,
  RangeStart,
  UnknownQuantity,
  // Rows of a batch and the command line itself.
  ColumnCount,
  HeaderUnreadable,
  ColumnTwice,
  ColumnMissing,
  FirstEditionColumnMissing,
  ReadFailed,
  LineTooLong,
  UnclosedQuote,
  UnknownOption,
  RepeatedOption,
  MissingValue,
  ExtraArgument,
  UnknownFormat,
  OutOfMemory,
  // Designing a canal: inputs.
  AlphaBelowOne,
  LimitsOrder,
  UnknownSoil,
  UnknownLining,
  LiningFlowClass,
  EnlargeNeeded,
  MinRatioRange,
  OneSizing,
  UnknownChoice,
  DesignSection,
  // Drawing a design.
  DxfUnwritable,
  // Surveyed sections: their points, and water that leaves them.
  PointSyntax,
  PointValue,
  PointRoughness,
  PointsTooFew,
  PointsTooMany,
  StationsDecrease,
  NoLowPoint,
  NoWidthAtBottom,
  DepthAboveBanks,
  LevelBelowBottom,
  AboveBankfull,
  CriticalAboveBanks,
  JumpAboveBanks,
  ReachedBankTop,
  EitherInput,
  SectionWithoutSize,
  SolveOneUnknownPoints,
  RoughnessOfPoints,
  PointsFileUnreadable,
  PointsFileHeader,
  Count
};

}  // namespace channelflow::calc
