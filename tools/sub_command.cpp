#include "tools/sub_command.h"

#include <cstdio>
#include <new>
#include <string>

namespace channelflow::tools {
namespace {

using calc::Language;
using calc::TextId;

// Writes a fixed page (help or version) and reports a failed write.
int printPage(std::string_view page, const Streams& io, Language language) {
  OutputSink out(io.out);
  out.put(page);
  if (out.finish()) return 0;
  std::fprintf(io.err, "channelflow-cli: %s\n", problemText(out.failure(), language).c_str());
  return 1;
}

// Columns a text takes in a terminal: two for a wide (CJK) character.
std::size_t displayWidth(std::string_view text) {
  std::size_t width = 0;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const auto byte = static_cast<unsigned char>(text[k]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
    width += byte >= 0xE3 && byte <= 0xEF ? 2 : 1;  // U+3000 on: CJK and full-width forms
  }
  return width;
}

// The text padded to `column` columns, or two blanks after it when it is wider.
std::string padded(std::string text, std::size_t column) {
  const std::size_t width = displayWidth(text);
  return text + std::string(width < column ? column - width : 2, ' ');
}

// "  --B 下底宽 B (m)   必须给出" and the like: an option's line of help.
void putOption(std::string& page, const calc::QuestionInput& input, std::span<const calc::QuestionInput> all,
               Language language) {
  std::string line = "  --" + std::string(input.key);
  if (const calc::ParameterInfo* info = calc::findParameter(input.key)) {
    line += ' ';
    line += calc::parameterLabel(input.key, language);
    if (const std::string_view unit = calc::unitText(info->unit, calc::UnitSystem::SI); !unit.empty()) {
      line += " (" + std::string(unit) + ")";
    }
  }
  std::string notes;
  const auto note = [&notes](std::string text) { notes += (notes.empty() ? "" : "; ") + text; };
  if (const std::string_view choices = calc::choicesOf(input.key); !choices.empty()) note(std::string(choices));
  if (input.required) note(phraseLine(TextId::HelpRequired, {}, language));
  if (!input.byDefault.empty()) note(phraseLine(TextId::HelpDefault, {calc::MessageArg::literal(input.byDefault)}, language));
  if (input.oneOf) {
    std::string others;
    for (const calc::QuestionInput& other : all) {
      if (other.oneOf == input.oneOf && other.key != input.key) others += (others.empty() ? "--" : ", --") + std::string(other.key);
    }
    if (!others.empty()) note(phraseLine(TextId::HelpOneOf, {calc::MessageArg::literal(others)}, language));
  }
  if (!notes.empty()) line = padded(line, 30) + notes;
  page += line + '\n';
}

}  // namespace

std::string problemText(const calc::Problem& problem, Language language) {
  return calc::messageText(problem, language, calc::FieldStyle::Option);
}

std::string phraseLine(TextId id, std::vector<calc::MessageArg> args, Language language) {
  return calc::phraseText({id, std::move(args)}, language);
}

void printProblem(std::FILE* err, const calc::Problem& problem, Language language) {
  std::fprintf(err, "%s\n",
               phraseLine(TextId::ErrorLine, {calc::MessageArg::literal(problemText(problem, language))}, language).c_str());
}

std::string helpPage(const calc::Question& question, std::span<const std::string_view> extraOptions, Language language) {
  std::string page = phraseLine(TextId::HelpUsage, {calc::MessageArg::literal(question.name)}, language) + '\n';
  page += phraseLine(question.summary, {}, language) + '\n';
  page += phraseLine(question.help, {}, language) + '\n';
  if (!question.inputs.empty()) {
    page += phraseLine(TextId::HelpOptions, {}, language) + '\n';
    for (const calc::QuestionInput& input : question.inputs) putOption(page, input, question.inputs, language);
  }
  if (question.channel) {
    page += phraseLine(TextId::HelpChannelOptions, {}, language) + '\n';
    for (const calc::QuestionInput& input : calc::channelInputs()) putOption(page, input, calc::channelInputs(), language);
    page += padded("  --points-file", 30) + phraseLine(TextId::HelpPointsFile, {}, language) + '\n';
  }
  page += phraseLine(TextId::HelpCommonOptions, {}, language) + '\n';
  for (std::string_view option : extraOptions) {
    // A design draws its section, a canal line its longitudinal profile.
    const TextId dxf = question.name == "line" ? TextId::HelpLineDxf : TextId::HelpDxf;
    if (option == "dxf") page += padded("  --dxf", 30) + phraseLine(dxf, {}, language) + '\n';
  }
  page += padded("  --format", 30) + phraseLine(TextId::HelpFormat, {}, language) + '\n';
  page += padded("  --lang", 30) + phraseLine(TextId::HelpLang, {}, language) + '\n';
  page += padded("  --digits", 30) + phraseLine(TextId::HelpDigits, {}, language) + '\n';
  if (!question.examples.empty()) {
    page += phraseLine(TextId::HelpExamples, {}, language) + '\n';
    for (std::string_view example : question.examples) page += "  channelflow-cli " + std::string(example) + '\n';
  }
  page += phraseLine(TextId::HelpExit, {}, language) + '\n';
  return page;
}

void writeAnswer(const calc::Answer& answer, const Options& options, OutputSink& out) {
  switch (options.format()) {
    case OutputFormat::Text: calc::writeText(answer, out, options.writeOptions()); break;
    case OutputFormat::Csv: calc::writeCsv(answer, out, options.writeOptions()); break;
    case OutputFormat::Json: calc::writeJson(answer, out, options.writeOptions()); break;
  }
}

bool writeDrawing(const std::string& drawing, const Options& options, OutputSink& out) {
  const std::string path(options.text("dxf"));
  if (path == "-") {
    out.put(drawing);
    return true;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  bool written = file != nullptr;
  if (file) {
    OutputSink sink(file);
    sink.put(drawing);
    written = sink.finish();
    written = std::fclose(file) == 0 && written;
  }
  if (!written) calc::fail(calc::MessageId::DxfUnwritable, "dxf", {calc::MessageArg::literal(calc::quoteForMessage(path))});
  return false;
}

int runSubCommand(const SubCommand& command, int argc, char** argv, const Streams& io) {
  const std::span<char* const> words(argv + 2, static_cast<std::size_t>(argc - 2));
  const calc::Question& question = *calc::findQuestion(command.question);
  Language language = languageOf(words);
  if (hasWord(words, "--help")) return printPage(helpPage(question, command.extraOptions, language), io, language);
  if (hasWord(words, "--version")) return printPage(kVersionLine, io, language);
  const std::string name(command.question);
  OutputSink out(io.out);
  int status = 0;
  try {
    const Options options(words, question, command.extraOptions);
    language = options.writeOptions().language;
    if (command.run) {
      status = command.run(options, io.in, out, io.err);
    } else {
      writeAnswer(question.answer(options.inputs()), options, out);
    }
  } catch (const calc::CalcError& error) {
    // The points of a file are the file's.
    calc::Problem problem = error.problem();
    for (const char* word : words) {
      if (problem.field == "points" && std::string_view(word).starts_with("--points-file")) problem.field = "points-file";
    }
    if (calc::messageInfo(error.problem().id).usage) {
      std::fprintf(io.err, "channelflow-cli %s: %s\n%s\n", name.c_str(), problemText(problem, language).c_str(),
                   phraseLine(TextId::HelpHint, {calc::MessageArg::literal(name)}, language).c_str());
      return 2;
    }
    printProblem(io.err, problem, language);
    return 1;
  } catch (const std::bad_alloc&) {
    printProblem(io.err, {calc::MessageId::OutOfMemory, {}, {}}, language);
    return 1;
  }
  if (!out.finish()) {
    std::fprintf(io.err, "channelflow-cli %s: %s\n", name.c_str(), problemText(out.failure(), language).c_str());
    return 1;
  }
  return status;
}

}  // namespace channelflow::tools
