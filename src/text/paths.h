#pragma once
// Where the game's files are on this system. The game builds each path as a string: AppDir (the
// program folder as the platform reports it, then "\"), then folder and file names each followed
// by "\". Here such a path becomes one the platform opens.
#include <string>

namespace porukami::text {

class ContentPaths {
 public:
  // The program folder as the platform reports it. Every character of it belongs to the
  // folder's name, a "\" included.
  void SetProgramFolder(std::string platformFolder);
  // A path the game built from AppDir, with the platform's separators: the program folder as the
  // platform gave it, then each "\" the game wrote after it as "/". A path that does not start
  // with the program folder has every "\" mapped.
  std::string Native(const std::string& gamePath) const;

 private:
  std::string folder_;
  bool set_ = false;
};

}  // namespace porukami::text
