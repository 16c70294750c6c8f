#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <system_error>

#include "text/cp932.h"

namespace porukami::fuzz {

Sandbox& Sandbox::Get() {
  static Sandbox sandbox;
  return sandbox;
}

Sandbox::Sandbox() {
  std::string pattern = (std::filesystem::temp_directory_path() / "porukami-fuzz-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) Fail("cannot make a folder under " + pattern);
  root_ = pattern;
}

Sandbox::~Sandbox() {
  std::error_code ec;
  std::filesystem::remove_all(root_, ec);
}

void Sandbox::Write(const std::string& relative, std::string_view bytes) const {
  const std::filesystem::path p = root_ / relative;
  std::filesystem::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  Check(static_cast<bool>(out), "cannot write " + p.string());
}

std::vector<std::string> Sandbox::List(const std::string& relative) const {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(root_ / relative, ec))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Cp932File(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) {
    const auto encoded = text::Utf8ToCp932(line);
    Check(encoded.has_value(), "seed text is not CP932: " + line);
    bytes += *encoded + "\r\n";
  }
  return bytes;
}

bool IsUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    std::uint32_t cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      n = 1;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      n = 2;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      n = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (s.size() - i - 1 < n) return false;
    for (std::size_t k = 1; k <= n; ++k) {
      const auto t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (t & 0x3F);
    }
    if ((n == 2 && cp < 0x800) || (n == 3 && cp < 0x10000) || cp > 0x10FFFF ||
        (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    i += n + 1;
  }
  return true;
}

}  // namespace porukami::fuzz
