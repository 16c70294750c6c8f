#include "cli/pages.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace porukami::cli {
namespace {

constexpr std::string_view kPageSuffix = "＿おまけ.html";

}  // namespace

// A page lands either by a rename over its name or by a direct write; both are seen.
PageWatch::PageWatch(const std::string& folder) {
  fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd_ < 0) return;
  if (inotify_add_watch(fd_, folder.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE) < 0) {
    close(fd_);
    fd_ = -1;
  }
}

PageWatch::~PageWatch() {
  if (fd_ >= 0) close(fd_);
}

std::vector<std::string> PageWatch::Take() {
  std::vector<std::string> pages;
  if (fd_ < 0) return pages;
  alignas(inotify_event) char buf[16384];
  for (;;) {
    const ssize_t n = read(fd_, buf, sizeof buf);
    if (n <= 0) {
      if (n < 0 && errno == EINTR) continue;
      break;
    }
    for (ssize_t off = 0; off < n;) {
      const auto* ev = reinterpret_cast<const inotify_event*>(buf + off);
      off += static_cast<ssize_t>(sizeof(inotify_event) + ev->len);
      if (ev->len == 0) continue;
      const std::string name(ev->name);  // NUL-padded
      if (std::string_view(name).ends_with(kPageSuffix)) pages.push_back(name);
    }
  }
  return pages;
}

}  // namespace porukami::cli
