// The item catalogue txt/item.dat: 3 to 1001 lines of "name,price,stat0,stat1,stat2".
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

#include "cli/lint.h"
#include "text/number.h"

namespace porukami::cli {
namespace {

constexpr const char* kPath = "txt/item.dat";
constexpr int kMinLines = 3;
constexpr int kMaxLines = 1001;

}  // namespace

std::size_t NumberEnd(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  bool digits = false;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) digits = true;
  if (i < s.size() && s[i] == '.') {
    ++i;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) digits = true;
  }
  return digits ? i : std::string_view::npos;
}

namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = line.find(',', start);
    fields.push_back(line.substr(start, comma == std::string::npos ? comma : comma - start));
    if (comma == std::string::npos) return fields;
    start = comma + 1;
  }
}

// A field read as a number: true when it holds one (maybe with text after it, which is reported).
bool Numeric(Checker& lint, int line, const std::string& field, const char* what) {
  const std::size_t end = NumberEnd(field);
  if (end == std::string_view::npos) {
    lint.Error(kPath, line, std::string(what) + " \"" + field + "\" is not a number (read as 0)");
    return false;
  }
  if (end < field.size())
    lint.Warning(kPath, line,
                 std::string(what) + " \"" + field + "\": the text after the number is ignored");
  return true;
}

void Price(Checker& lint, int line, const std::string& field) {
  if (!Numeric(lint, line, field, "price")) return;
  const double v = text::LeadingNumber(field);
  if (v > std::numeric_limits<std::int32_t>::max() || v < std::numeric_limits<std::int32_t>::min())
    lint.Error(kPath, line,
               "price \"" + field + "\" overflows a 32-bit number (read as " +
                   std::to_string(text::ToLong(field)) + ")");
  else if (v < 0)
    lint.Warning(kPath, line, "price \"" + field + "\" is negative: selling the item costs money");
}

void GiftStat(Checker& lint, int line, const std::string& field, int heroine) {
  const std::string what = "gift stat for heroine " + std::to_string(heroine);
  if (!Numeric(lint, line, field, what.c_str())) return;
  const double v = text::LeadingNumber(field);
  const int stat = text::ToInteger(field);
  if (stat < 0 || stat > 3)
    lint.Error(kPath, line, what + " \"" + field + "\" is not a stat index 0 to 3");
  else if (v != std::floor(v))
    lint.Warning(kPath, line, what + " \"" + field + "\" is read as " + std::to_string(stat));
}

void Item(Checker& lint, int line, const std::string& text) {
  const auto fields = Fields(text);
  if (fields.size() < 5) {
    lint.Error(kPath, line,
               std::to_string(fields.size()) +
                   " field(s); an item needs five: name,price,stat0,stat1,stat2");
    return;
  }
  if (fields[0].empty()) lint.Warning(kPath, line, "the item has no name");
  Price(lint, line, fields[1]);
  for (int h = 0; h < 3; ++h) GiftStat(lint, line, fields[static_cast<std::size_t>(h + 2)], h);
}

}  // namespace

void LintCatalogue(Checker& lint) {
  const text::TextFile f = lint.ReadText(kPath);
  if (!f.opened) {
    lint.Error(kPath, 0, "missing: the game cannot start without its item catalogue");
    return;
  }
  const int n = static_cast<int>(f.lines.size());
  if (n < kMinLines)
    lint.Error(kPath, 0, std::to_string(n) + " line(s); the catalogue needs at least 3");
  if (n > kMaxLines)
    lint.Error(kPath, kMaxLines + 1, "more than 1001 lines: the game refuses to start");
  for (int i = 0; i < n && i < kMaxLines; ++i)
    Item(lint, i + 1, f.lines[static_cast<std::size_t>(i)]);
}

}  // namespace porukami::cli
