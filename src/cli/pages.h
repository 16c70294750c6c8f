#pragma once
// Watches the program folder for memories pages ("NAME＿おまけ.html") as the game writes them.
#include <string>
#include <vector>

namespace porukami::cli {

class PageWatch {
 public:
  explicit PageWatch(const std::string& folder);
  ~PageWatch();
  PageWatch(const PageWatch&) = delete;
  PageWatch& operator=(const PageWatch&) = delete;

  // The file names of the pages written since the last call, in the order they were written.
  std::vector<std::string> Take();

 private:
  int fd_ = -1;
};

}  // namespace porukami::cli
