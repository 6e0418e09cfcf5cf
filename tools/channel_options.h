// The options that describe a channel of any section to the second-edition
// sub-commands: --section and its size parameters, --units, and --n or
// --n-bed with --n-wall. Which of them a section takes is checked as usage
// (exit 2) before any number is read.
#pragma once

#include "calc/flow.h"
#include "calc/hydraulics.h"
#include "tools/cli_args.h"

#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace channelflow::tools {

// The channel options, every one optional, after the sub-command's own.
std::vector<OptionSpec> withChannelOptions(std::initializer_list<OptionSpec> own);

// Whether the line uses only what the first edition knew: a trapezoid given
// by --B and one --m, in SI units, with one --n. Such a line keeps the first
// edition's output, digit for digit.
bool isFirstEditionLine(const Options& options);

// What the line may leave out: the quantity a solver finds.
struct ChannelGaps {
  bool width = false;      // the section's size parameter (B, D, r or p)
  bool roughness = false;  // --n
};

// Throws UsageError when the options do not describe one section and one
// roughness: an unknown section or unit system, an option the section does
// not take, a missing size, --m beside --m1/--m2, --n beside --n-bed/--n-wall.
void checkChannelUsage(const Options& options, ChannelGaps gaps = {});

// The channel the options describe (a left-out size or n is 0, i is --i when
// given). Throws InputError for a text that is not a number.
sections::Channel readChannel(const Options& options);

// The channel as the plain trapezoid of calc/hydraulics.h when it is one: equal
// side slopes, SI units, one n. Its quantities are taken from there, which is
// checked against an extended-precision reference and rounds its last digit
// right more often, so that a channel prints the same digits however it is
// spelt on the command line.
std::optional<calc::Channel> asPlainTrapezoid(const sections::Channel& channel);

// "下底宽 B", "直径 D", "半径 r" or "抛物线参数 p", and its option's name.
std::string_view widthLabel(const sections::Section& section);
std::string_view widthOption(const sections::Section& section);
// The size option of the section the options name (which checkChannelUsage passed).
std::string_view widthOptionOf(const Options& options);

// "梯形", "圆形", "U形" or "抛物线形".
std::string_view sectionChineseName(const sections::Section& section);

}  // namespace channelflow::tools
