#include "text/paths.h"

#include <algorithm>
#include <filesystem>

#include "text/textfile.h"

namespace porukami::text {
namespace {

// The lower case of the letters CP932 holds in two cases: Latin, full-width Latin, Greek,
// Cyrillic and the Roman numerals.
char32_t Lower(char32_t c) {
  struct Range {
    char32_t first, last, offset;
  };
  static constexpr Range kUpper[] = {{U'A', U'Z', 32},     {0x391, 0x3A9, 32},
                                     {0x401, 0x401, 80},   {0x410, 0x42F, 32},
                                     {0x2160, 0x216F, 16}, {0xFF21, 0xFF3A, 32}};
  for (const Range& r : kUpper)
    if (c >= r.first && c <= r.last) return c + r.offset;
  return c;
}

// The name with its letters in lower case. Each letter keeps its length in UTF-8; bytes that are
// not UTF-8 are kept as they are.
std::string Folded(std::string name) {
  for (std::size_t i = 0; i < name.size();) {
    const auto b = static_cast<unsigned char>(name[i]);
    std::size_t n = b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    for (std::size_t k = 1; k < n; ++k)
      if (i + k >= name.size() || (name[i + k] & 0xC0) != 0x80) n = 1;
    if (n == 1 || n == 4) {
      if (b < 0x80) name[i] = static_cast<char>(Lower(b));
      i += n;
      continue;
    }
    char32_t c = b & (n == 2 ? 0x1F : 0x0F);
    for (std::size_t k = 1; k < n; ++k) c = (c << 6) | (name[i + k] & 0x3F);
    c = Lower(c);
    name[i] = static_cast<char>((n == 2 ? 0xC0 : 0xE0) | (c >> (6 * (n - 1))));
    for (std::size_t k = 1; k < n; ++k)
      name[i + k] = static_cast<char>(0x80 | ((c >> (6 * (n - 1 - k))) & 0x3F));
    i += n;
  }
  return name;
}

}  // namespace

FoundFile CaseBlindFiles::Find(const std::string& nativePath) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(nativePath, ec)) return {nativePath, {}};
  const std::size_t slash = nativePath.rfind('/');
  const std::string folder = nativePath.substr(0, slash + 1);  // empty, or ending in "/"
  const std::string key = Folded(nativePath.substr(slash + 1));
  auto match = [&](const Listing& listing) -> FoundFile {
    const auto it = listing.find(key);
    if (it == listing.end() || !fs::exists(folder + it->second.front(), ec))
      return {nativePath, {}};
    return {folder + it->second.front(), it->second};
  };
  if (const auto cached = folders_.find(folder); cached != folders_.end()) {
    FoundFile found = match(cached->second);
    if (!found.caseOnly.empty()) return found;
  }
  Listing& listing = folders_[folder];
  listing.clear();
  for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end;
       it.increment(ec))
    listing[Folded(it->path().filename().string())].push_back(it->path().filename().string());
  for (auto& [folded, names] : listing) std::sort(names.begin(), names.end());
  return match(listing);
}

void ContentPaths::SetProgramFolder(std::string platformFolder) {
  folder_ = std::move(platformFolder);
  set_ = true;
}

std::string ContentPaths::Native(const std::string& gamePath) const {
  if (!set_ || !gamePath.starts_with(folder_)) return NativePath(gamePath);
  std::string rest = gamePath.substr(folder_.size());
  // AppDir is the folder and one "\", unless the folder's name already ends in one.
  if (!folder_.ends_with('\\') && rest.starts_with('\\')) rest.erase(0, 1);
  std::string native = folder_;
  if (!native.ends_with('/')) native += '/';
  return native + NativePath(rest);
}

}  // namespace porukami::text
