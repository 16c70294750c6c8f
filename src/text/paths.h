#pragma once
// Where the game's files are on this system. The game builds each path as a string: AppDir (the
// program folder as the platform reports it, then "\"), then folder and file names each followed
// by "\". Here such a path becomes one the platform opens, and the name is matched as the file
// systems the content is written on match it: with case ignored when no file has it exactly.
#include <map>
#include <string>
#include <vector>

namespace porukami::text {

// A file asked for by name, as found in its folder.
struct FoundFile {
  std::string path;  // the file to open: the name asked, or the first name matched with case
                     // ignored; the name asked when nothing matches
  std::vector<std::string> caseOnly;  // when no file has the exact name: the names in the folder
                                      // that match it with case ignored, in byte order
};

// Finds files by their exact name and, when none has it, by their name with case ignored. Each
// folder is read once; it is read again when a lookup misses.
class CaseBlindFiles {
 public:
  FoundFile Find(const std::string& nativePath);

 private:
  using Listing = std::map<std::string, std::vector<std::string>>;  // folded name -> names
  std::map<std::string, Listing> folders_;
};

class ContentPaths {
 public:
  // The program folder as the platform reports it. Every character of it belongs to the
  // folder's name, a "\" included.
  void SetProgramFolder(std::string platformFolder);
  // A path the game built from AppDir, with the platform's separators: the program folder as the
  // platform gave it, then each "\" the game wrote after it as "/". A path that does not start
  // with the program folder has every "\" mapped.
  std::string Native(const std::string& gamePath) const;
  // The file to open for a path the game built: Native(gamePath), or the file that matches it
  // with case ignored.
  std::string File(const std::string& gamePath) { return files_.Find(Native(gamePath)).path; }

 private:
  std::string folder_;
  bool set_ = false;
  CaseBlindFiles files_;
};

}  // namespace porukami::text
