#include "text/paths.h"

#include "text/textfile.h"

namespace porukami::text {

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
