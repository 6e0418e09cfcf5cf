// channelflow-form: looks inside window description blocks.
//   channelflow-form dump FILE   prints the block in FILE (- for stdin) as text
//   channelflow-form write       writes Form1's block to stdout
// Exit status: 0 done, 1 unreadable or broken block (reason and offset on stderr), 2 wrong usage.
#include "window/block_error.h"
#include "window/form1_table.h"
#include "window/form_block.h"
#include "window/form_description.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

using namespace channelflow::window;

constexpr std::string_view kUsage =
    "usage: channelflow-form dump FILE   print a window block as text (FILE - reads stdin)\n"
    "       channelflow-form write       write Form1's window block to stdout\n";

void setBinary([[maybe_unused]] std::FILE* stream) {
#ifdef _WIN32
  _setmode(_fileno(stream), _O_BINARY);
#endif
}

std::string quotedText(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string guidText(const Guid& g) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "{";
  auto put = [&](std::uint8_t byte) {
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
  };
  // The first three groups are stored little-endian.
  for (int k : {3, 2, 1, 0}) put(g[static_cast<std::size_t>(k)]);
  out += '-';
  for (int k : {5, 4}) put(g[static_cast<std::size_t>(k)]);
  out += '-';
  for (int k : {7, 6}) put(g[static_cast<std::size_t>(k)]);
  out += '-';
  for (std::size_t k = 8; k < 10; ++k) put(g[k]);
  out += '-';
  for (std::size_t k = 10; k < 16; ++k) put(g[k]);
  return out + "}";
}

std::string kindText(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label: return "label";
    case ControlKind::TextBox: return "text-box";
    case ControlKind::CommandButton: return "command-button";
    case ControlKind::Window: return "window";
    case ControlKind::Line: return "line";
  }
  return "kind-" + std::to_string(static_cast<int>(kind));
}

// 105000 -> "10.5pt", 120000 -> "12pt".
std::string pointsText(std::uint32_t tenThousandths) {
  std::string text = std::to_string(tenThousandths / 10000);
  std::uint32_t fraction = tenThousandths % 10000;
  if (fraction != 0) {
    std::string digits = std::to_string(fraction + 10000).substr(1);
    while (digits.back() == '0') digits.pop_back();
    text += "." + digits;
  }
  return text + "pt";
}

std::string fourText(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) {
  return std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c) + "," + std::to_string(d);
}

std::string rectText(const Rect& r) { return fourText(r.left, r.top, r.width, r.height); }

void dump(std::ostream& out, const FormDescription& form, const std::vector<RecordSpan>& spans, std::size_t size) {
  out << "block " << size << " bytes, " << form.controls.size() << " controls\n";
  out << "object-id " << guidText(form.objectId) << "\n";
  out << "second-object-id " << guidText(form.secondObjectId) << "\n";
  out << "@" << spans[0].offset << "+" << spans[0].length << " id=0 " << form.name << " window"
      << " title=" << quotedText(form.title) << " client=" << rectText(form.client)
      << " placement=" << static_cast<int>(form.placement) << " p19=" << quotedText(form.property19)
      << " p23=" << form.property23 << " p24=" << quotedText(form.property24) << "\n";
  for (std::size_t k = 0; k < form.controls.size(); ++k) {
    const ControlDescription& c = form.controls[k];
    out << "@" << spans[k + 1].offset << "+" << spans[k + 1].length << " id=" << static_cast<int>(c.id) << " " << c.name
        << " " << kindText(c.kind);
    if (c.kind == ControlKind::Line) {
      out << " line=" << fourText(c.line.x1, c.line.y1, c.line.x2, c.line.y2);
    } else {
      out << (c.kind == ControlKind::TextBox ? " text=" : " caption=") << quotedText(c.caption)
          << " rect=" << rectText(c.rect);
    }
    if (c.font) {
      out << " font=" << quotedText(c.font->face) << "," << pointsText(c.font->size) << ",charset=" << c.font->charset
          << ",weight=" << c.font->weight << ",style=" << static_cast<int>(c.font->style);
    } else {
      out << " font=window";
    }
    out << " tab=" << (c.tabIndex ? std::to_string(*c.tabIndex) : std::string("none")) << "\n";
  }
}

int runDump(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  if (path == "-") {
    setBinary(stdin);
    bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  } else {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
      std::cerr << "channelflow-form: " << path << ": cannot open\n";
      return 1;
    }
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad()) {
      std::cerr << "channelflow-form: " << path << ": read failed\n";
      return 1;
    }
  }
  try {
    std::vector<RecordSpan> spans;
    const FormDescription form = readFormBlock(bytes, &spans);
    dump(std::cout, form, spans, bytes.size());
  } catch (const BlockError& error) {
    std::cerr << "channelflow-form: " << path << ": " << error.what() << "\n";
    return 1;
  }
  return 0;
}

int runWrite() {
  try {
    const std::vector<std::uint8_t> block = writeFormBlock(form1Description());
    setBinary(stdout);
    std::cout.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size()));
    std::cout.flush();
    if (!std::cout) {
      std::cerr << "channelflow-form: write failed\n";
      return 1;
    }
  } catch (const BlockError& error) {
    std::cerr << "channelflow-form: " << error.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "dump") return runDump(args[1]);
  if (args.size() == 1 && args[0] == "write") return runWrite();
  std::cerr << kUsage;
  return 2;
}
