#pragma once
// Reading and writing the game's text files: CP932, lines ending at CR, CR LF (or a lone LF,
// which editors on other systems write), the terminator not stored.
#include <string>
#include <vector>

namespace porukami::text {

struct TextFile {
  bool opened = false;             // false: missing or unreadable
  std::vector<std::string> lines;  // decoded to UTF-8
  std::vector<int> badLines;       // 1-based lines holding bytes that are not CP932
  std::vector<int> loneLfLines;    // 1-based lines ended by a lone LF
};

// Reads at most maxLines + 1 lines (so a caller can tell "too many" without reading a huge file
// whole); maxLines 0 means no limit.
TextFile ReadTextFile(const std::string& nativePath, std::size_t maxLines = 0);

// Splits raw CP932 bytes into decoded lines (the same rules as ReadTextFile).
TextFile SplitLines(const std::string& bytes, std::size_t maxLines = 0);

// Maps the game's "\" separators to the platform's.
std::string NativePath(const std::string& gamePath);
// A path given with the platform's separators, as the game now names its files, or else one
// written with "\" as the separator: the path as written when it exists, else NativePath of it.
std::string AsWrittenOrNative(const std::string& path);

}  // namespace porukami::text
