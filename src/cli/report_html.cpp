#include "cli/report_html.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "cli/json.h"

namespace porukami::cli::html {

std::string CleanUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  while (!s.empty()) {
    const std::size_t n = Utf8Length(s);
    const unsigned char c = static_cast<unsigned char>(s[0]);
    if (n == 0 || (c < 0x20 && c != '\t' && c != '\n' && c != '\r')) {
      out += "\xEF\xBF\xBD";
      s.remove_prefix(n ? n : 1);
    } else {
      out.append(s.substr(0, n));
      s.remove_prefix(n);
    }
  }
  return out;
}

std::string Esc(std::string_view s) {
  std::string out;
  for (char c : CleanUtf8(s)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Fixed(double v, int decimals) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
  std::string out(buf, r.ptr);
  if (out.starts_with("-") && out.find_first_not_of("-0.") == std::string::npos) out.erase(0, 1);
  return out;
}

std::string Percent(long long n, long long of) {
  return of > 0 ? Fixed(100.0 * static_cast<double>(n) / static_cast<double>(of), 1) + " %" : "-";
}

std::string Count(long long n, const std::string& tag, bool svg) {
  const char* element = svg ? "tspan" : "span";
  return std::string("<") + element + " data-sim=\"" + Esc(tag) + "\">" + std::to_string(n) + "</" +
         element + ">";
}

}  // namespace porukami::cli::html
