// txtconv: turns one content text source (UTF-8, LF or CR LF line ends) into the game's form:
// CP932 with CR LF after every line, the last one included.
//
//   porukami_txtconv SOURCE.txt OUTPUT.dat
//
// Any character CP932 cannot hold stops the build with
//   SOURCE:LINE: error: character U+XXXX cannot be written in CP932
// and no output file is left behind. A character only counts as writable if it also reads back
// as itself, so one-way mappings cannot slip through.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "text/cp932.h"

namespace {

// Splits a UTF-8 line into its characters, each as its own byte string with its code point.
// Returns false on malformed UTF-8 (badAt = the byte offset).
struct Char {
  std::string bytes;
  std::uint32_t code;
};

bool SplitUtf8(const std::string& s, std::vector<Char>& out, std::size_t& badAt) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t len = 0;
    std::uint32_t code = 0;
    if (b < 0x80) {
      len = 1;
      code = b;
    } else if ((b & 0xE0) == 0xC0) {
      len = 2;
      code = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      len = 3;
      code = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      len = 4;
      code = b & 0x07;
    } else {
      badAt = i;
      return false;
    }
    if (i + len > s.size()) {
      badAt = i;
      return false;
    }
    for (std::size_t k = 1; k < len; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) {
        badAt = i;
        return false;
      }
      code = (code << 6) | (c & 0x3F);
    }
    out.push_back({s.substr(i, len), code});
    i += len;
  }
  return true;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string cur;
  bool open = false;
  for (char c : text) {
    if (c == '\n') {
      if (!cur.empty() && cur.back() == '\r') cur.pop_back();
      lines.push_back(cur);
      cur.clear();
      open = false;
    } else {
      cur += c;
      open = true;
    }
  }
  if (open) lines.push_back(cur);
  return lines;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: porukami_txtconv SOURCE.txt OUTPUT.dat\n";
    return 2;
  }
  const std::string source = argv[1];
  const std::string output = argv[2];

  std::ifstream in(source, std::ios::binary);
  if (!in) {
    std::cerr << source << ": error: cannot be read\n";
    return 1;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);

  std::string result;
  int errors = 0;
  const std::vector<std::string> lines = SplitLines(text);
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const std::string where = source + ":" + std::to_string(n + 1) + ": error: ";
    std::vector<Char> chars;
    std::size_t badAt = 0;
    if (!SplitUtf8(lines[n], chars, badAt)) {
      std::cerr << where << "malformed UTF-8 at byte " << badAt + 1 << " of the line\n";
      ++errors;
      continue;
    }
    for (const Char& ch : chars) {
      // The game's own converter, both ways: only a character that reads back as itself passes.
      const std::optional<std::string> encoded = porukami::text::Utf8ToCp932(ch.bytes);
      bool bad = !encoded;
      if (encoded && porukami::text::Cp932ToUtf8(*encoded, &bad) != ch.bytes) bad = true;
      if (bad || ch.code == '\r') {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(ch.code));
        std::cerr << where << "character " << code << " cannot be written in CP932\n";
        ++errors;
        continue;
      }
      result += *encoded;
    }
    result += "\r\n";
  }
  if (errors > 0) {
    std::remove(output.c_str());
    return 1;
  }

  const std::string temp = output + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << result;
    if (!out) {
      std::cerr << output << ": error: cannot be written\n";
      return 1;
    }
  }
  if (std::rename(temp.c_str(), output.c_str()) != 0) {
    std::cerr << output << ": error: cannot be written\n";
    std::remove(temp.c_str());
    return 1;
  }
  return 0;
}
