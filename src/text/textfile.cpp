#include "text/textfile.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "text/cp932.h"

namespace porukami::text {

TextFile SplitLines(const std::string& bytes, std::size_t maxLines) {
  TextFile f;
  f.opened = true;
  std::size_t start = 0;
  const std::size_t n = bytes.size();
  while (start < n) {
    if (maxLines && f.lines.size() > maxLines) break;
    std::size_t end = start;
    while (end < n && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    bool bad = false;
    f.lines.push_back(Cp932ToUtf8(std::string_view(bytes).substr(start, end - start), &bad));
    const int lineNo = static_cast<int>(f.lines.size());
    if (bad) f.badLines.push_back(lineNo);
    if (end < n && bytes[end] == '\r') {
      ++end;
      if (end < n && bytes[end] == '\n') ++end;
    } else if (end < n) {
      f.loneLfLines.push_back(lineNo);
      ++end;
    }
    start = end;
  }
  return f;
}

TextFile ReadTextFile(const std::string& nativePath, std::size_t maxLines) {
  // A folder of that name, or a read error, counts as a file that cannot be opened. (The
  // library's stream reports a read error by throwing from its buffer.)
  std::error_code ec;
  if (!std::filesystem::is_regular_file(nativePath, ec)) return {};
  try {
    std::ifstream in(nativePath, std::ios::binary);
    if (!in) return {};
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return {};
    return SplitLines(bytes, maxLines);
  } catch (const std::exception&) {
    return {};
  }
}

std::string NativePath(const std::string& gamePath) {
  std::string p = gamePath;
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

std::string AsWrittenOrNative(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec) ? path : NativePath(path);
}

}  // namespace porukami::text
