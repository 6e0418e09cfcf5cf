// What the toolkit knows by name, as data that every front end binds: the
// inputs (parameters) with their labels, units and limits, the sections and
// the inputs each takes, the quantities it answers with, and the terms its
// answers use (flow regimes, jump types, ...), each in Chinese and English.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "calc/toolkit/messages.h"
#include "calc/sections/units.h"

namespace channelflow::calc {

struct Text {
  std::string_view chinese;
  std::string_view english;
  std::string_view in(Language language) const { return language == Language::English ? english : chinese; }
};

enum class UnitKind : std::uint8_t { None, Length, Area, Discharge, Velocity, Stress, Chezy, Momentum, Percent };

// "length", "area", ...; None for an unknown key.
UnitKind unitKindNamed(std::string_view key);
std::string_view unitKindKey(UnitKind kind);
// "m", "ft²", "m^0.5/s", ...; empty for a pure number.
std::string_view unitText(UnitKind kind, UnitSystem system);

// What values an input takes: the checks made on it once it reads as a number.
// A List is texts of items separated by ';' ("3.6:30;5:45"); the command
// line joins an option given several times into one.
enum class Limit : std::uint8_t { Any, NonNegative, Positive, Choice, Count, Text, List };

struct ParameterInfo {
  std::string_view key;     // the command line's option without dashes, a form's field name
  std::string_view symbol;  // "B"; empty for a choice
  Text name;                // "下底宽"
  UnitKind unit;
  Limit limit;
};

std::span<const ParameterInfo> parameters();
// Nullptr for a key that names no input.
const ParameterInfo* findParameter(std::string_view key);
// "下底宽 B" (the name and symbol); the key itself for an unknown one.
std::string parameterLabel(std::string_view key, Language language);

struct SectionInfo {
  std::string_view key;                         // "trapezoid"
  std::array<std::string_view, 4> parameters;   // the size first: B, D, r or p; or the points
};

std::span<const SectionInfo> sections();
const SectionInfo* findSection(std::string_view key);

// Every quantity a question answers with, and every input it repeats.
enum class QuantityId : std::uint16_t {
  Section, Units, B, M, M1, M2, Diameter, Radius, ParabolaP, Slope, N, NBed, NWall, NMethod,
  Depth, NormalDepthSolved, EquivalentN, Area, Perimeter, HydraulicRadius, TopWidth, HydraulicDepth,
  Chezy, Velocity, Discharge, Froude, Regime, CriticalDepth, CriticalVelocity, CriticalSlope,
  Critical, Energy, ShearStress, Unknown, QMax, HMax, QFull,
  H1, A1, V1, Fr1, E1, H2, A2, V2, Fr2, E2, Momentum, EnergyLoss, RelativeLoss, JumpHeight,
  JumpType, GivenDepth,
  ControlDepth, Method, ProfileType, NormalDepth, Direction, DirectionReason, Note, Distance, FrictionSlope,
  DesignMethod, Lining, Soil, Grade, Enlarge, EnlargedDischarge, MinimumDischarge,
  BestDepth, BestWidth, BestArea, BestVelocity, Alpha, Eta, Beta, AreaIncrease,
  EnlargedDepth, EnlargedVelocity, EnlargedFroude, MinimumDepth, MinimumVelocity, MinimumFroude,
  Freeboard, CanalDepth, EnlargedWidth, BendRise, BendDepth, ScourVelocity,
  Wse, Conveyance, EnergyCoefficient, CriticalDepths, CriticalChoice, PartsN,
  X, Z, From, To, Top, ReachedCritical, Chosen, InTable, CheckKey, CheckOk, CheckMessage,
  RowKey, TableName, GroupName, FlowClassName, Condition, NLow, NHigh, NEscape, RowName, Grain,
  Limit, LimitAtDepth04, LimitAtDepth1, LimitAtDepth2, LimitAtDepth3,
  CrownHeight, RoofRadius, HorseshoeRadius, HorseshoeType, FullArea, FreeAreaPct, FreeHeight,
  Station, Bed, LeftBank, RightBank, LeftBankLevel, RightBankLevel, LengthLeft, LengthChannel, LengthRight,
  Contraction, Expansion, EnergyLevel, CriticalLevel, VelocityLeft, VelocityChannel, VelocityRight,
  ReachLength, MeanFrictionSlope, FrictionLoss, LossCoefficient, HeadChange, EddyLoss,
  FlowName, DownstreamBoundary, UpstreamBoundary, FrictionRuleName, SectionCount, Computed,
  Gravity, Barrels, StructureLength, FrictionFactor, ZetaInlet, ZetaSlots, ZetaRack, ZetaBends,
  ZetaOutlet, ZetaBypass, ZetaSum, LocalLoss, PipeLoss, CanalV1, CanalV2, CanalV3, Dz1, Dz2, Dz3, Dz, Mu,
  UpstreamDepth, DownstreamDepth, OutletBed, Xi1, Xi2, TrialVelocity, ExactSize, Z1, Z2, Z3, TroughHeight,
  HeightRatio, DesignHeight, EnlargedHeight, BendSuperelevation, InletBottom, OutletBottom, DownstreamBed,
  InletDepth, LengthClass, LeastClearHeight, StructureKind, TransitionEnd, TransitionForm, Xi, VelocityUp,
  VelocityDown, VelocityHead, TransitionLoss, TransitionDrop, LengthLow, LengthHigh, Clause, PracticeLength,
  WeirM, ApproachVelocity, TotalHead, SubmergenceRatio, Submergence, GateRegime, TailDepth, UpstreamHead,
  HeadLoss, CrestHead, UnitDischarge, BasinEnergy, ContractedDepth, SequentDepth, BasinDepth, ThrowLength,
  BasinLengthLow, BasinLengthHigh, AeratedDepth, DeepestAerated, WallHeight, Verdict, CheckValue, FlowCase,
  LossName, Zeta, BendR, Angle, BendRatio, Xi90, Gamma, Adopted, TermLoss,
  NodeKindName, Stake, PlanX, PlanY, CurveRadius, Deflection, Turn, Tangent, CurveLength, CurveStart, CurveMiddle,
  CurveEnd, IpSpacing, StraightLength, CanalBed, BankTop, BendLoss, TransitionFall, StructureFall, GateFall,
  ReservedLoss, LevelFall, TotalFall, WseDesign, WseEnlarged, WseMinimum, StructureName, StationIn, StationOut,
  FloorIn, FloorOut, FallDesign, FallEnlarged, FallMinimum, AllottedHead, InletXi, OutletXi,
  ComparedSymbol, CheckLimits, CheckLimitSymbols, AdoptedItem, NeededValue,
  AdoptedValue, KnownLevel, KnownAt, NodeCount, SegmentFlowSource, DesignDepth, EnlargedLevelDepth,
  Count
};

struct QuantityInfo {
  QuantityId id;
  std::string_view key;     // JSON key and CSV column
  std::string_view symbol;  // "τ0"; empty for words
  Text name;                // "床面切应力"
  UnitKind unit;
};

std::span<const QuantityInfo> quantities();
const QuantityInfo& quantityInfo(QuantityId id);
// "床面切应力 τ0"
std::string quantityLabel(QuantityId id, Language language);
// The label of the first quantity with this key; the key itself for none.
std::string quantityLabel(std::string_view key, Language language);

struct TermInfo {
  std::string_view key;  // "subcritical"
  Text name;             // "缓流"
  bool keyInData;        // JSON and CSV write the key (section and unit names), not the Chinese name
};

std::span<const TermInfo> terms();
// Nullptr for a key that names no term.
const TermInfo* findTerm(std::string_view key);
// The name in the language; the key itself for an unknown one.
std::string_view termText(std::string_view key, Language language);

}  // namespace channelflow::calc
