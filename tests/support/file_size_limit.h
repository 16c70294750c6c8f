#pragma once
// A soft file-size limit for the scope of one object: a write past it fails part-way, like a full
// disk, even for root (SIGXFSZ is ignored meanwhile, so the write returns an error instead).
#include <sys/resource.h>

#include <csignal>

namespace porukami::testing {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : oldHandler_(::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    const rlimit lower{bytes, old_.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &lower);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    ::signal(SIGXFSZ, oldHandler_);
  }

 private:
  sighandler_t oldHandler_;
  rlimit old_{};
};

}  // namespace porukami::testing
