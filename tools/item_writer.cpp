#include "tools/item_writer.h"

#include "tools/csv.h"
#include "tools/sub_command.h"

namespace channelflow::tools {
namespace {

using calc::Item;

// A term's value as data: section and unit names by their keys, the rest by name.
std::string_view termData(std::string_view key) {
  const calc::TermInfo* term = calc::findTerm(key);
  if (term == nullptr) return key;
  return term->keyInData ? term->key : term->name.chinese;
}

// A list's numbers, apart by `separator`.
void putNumbers(const Item& item, std::string_view separator, OutputSink& out) {
  for (std::size_t k = 0; k < item.numbers.size(); ++k) {
    if (k) out.put(separator);
    out.number(item.numbers[k]);
  }
}

void putTextValue(const Item& item, OutputSink& out) {
  switch (item.kind) {
    case Item::Kind::Number: out.number(item.number); break;
    case Item::Kind::List: putNumbers(item, ", ", out); break;
    case Item::Kind::Term:
    case Item::Kind::None: out.put(termName(item.term)); break;
    case Item::Kind::Text: out.put(item.text); break;
    case Item::Kind::Message: out.put(problemText(item.message)); break;
  }
}

}  // namespace

calc::UnitSystem unitSystemOf(const calc::Items& items) {
  const Item* units = calc::findItem(items, "units");
  return units && units->term == "us" ? calc::UnitSystem::US : calc::UnitSystem::SI;
}

std::string_view termName(std::string_view key) { return calc::termText(key, calc::Language::Chinese); }

std::string_view unitOf(calc::QuantityId id, calc::UnitSystem units) {
  return calc::unitText(calc::quantityInfo(id).unit, units);
}

void putJsonValue(const Item& item, OutputSink& out) {
  switch (item.kind) {
    case Item::Kind::Number: out.number(item.number); break;
    case Item::Kind::Term: out.jsonString(termData(item.term)); break;
    case Item::Kind::Text: out.jsonString(item.text); break;
    case Item::Kind::Message: out.jsonString(problemText(item.message)); break;
    case Item::Kind::None: out.put("null"); break;
    case Item::Kind::List:
      out.put('[');
      putNumbers(item, ", ", out);
      out.put(']');
      break;
  }
}

void putCsvValue(const Item& item, OutputSink& out) {
  switch (item.kind) {
    case Item::Kind::Number: out.number(item.number); break;
    case Item::Kind::Term: putCsvField(out, termData(item.term)); break;
    case Item::Kind::Text: putCsvField(out, item.text); break;
    case Item::Kind::Message: putCsvField(out, problemText(item.message)); break;
    case Item::Kind::None: break;
    case Item::Kind::List: putNumbers(item, " ", out); break;
  }
}

void writeTextItems(const calc::Items& items, calc::UnitSystem units, OutputSink& out) {
  for (const Item& item : items) {
    out.put(calc::quantityLabel(item.id, calc::Language::Chinese));
    out.put(" = ");
    putTextValue(item, out);
    const std::string_view unit = unitOf(item.id, units);
    if (!unit.empty() && (item.kind == Item::Kind::Number || item.kind == Item::Kind::List)) {
      out.put(' ');
      out.put(unit);
    }
    out.endLine();
  }
}

void writeCsvHeader(const calc::Items& items, OutputSink& out) {
  for (std::size_t k = 0; k < items.size(); ++k) {
    if (k) out.put(',');
    out.put(items[k].key());
  }
  out.endLine();
}

void writeCsvRow(const calc::Items& items, OutputSink& out) {
  for (std::size_t k = 0; k < items.size(); ++k) {
    if (k) out.put(',');
    putCsvValue(items[k], out);
  }
  out.endLine();
}

void writeJsonMembers(const calc::Items& items, OutputSink& out) {
  for (std::size_t k = 0; k < items.size(); ++k) {
    out.put(k ? ", " : "");
    out.jsonString(items[k].key());
    out.put(": ");
    putJsonValue(items[k], out);
  }
}

void writeItems(const calc::Items& items, calc::UnitSystem units, OutputFormat format, OutputSink& out) {
  switch (format) {
    case OutputFormat::Text: writeTextItems(items, units, out); break;
    case OutputFormat::Csv:
      writeCsvHeader(items, out);
      writeCsvRow(items, out);
      break;
    case OutputFormat::Json:
      out.put('{');
      writeJsonMembers(items, out);
      out.put('}');
      out.endLine();
      break;
  }
}

calc::Items selectItems(const calc::Items& items, std::span<const std::string_view> keys) {
  calc::Items chosen;
  chosen.reserve(keys.size());
  for (std::string_view key : keys) {
    if (const Item* item = calc::findItem(items, key)) chosen.push_back(*item);
  }
  return chosen;
}

}  // namespace channelflow::tools
