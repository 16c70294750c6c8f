#pragma once
// Reports the first painted frame of a window: once the window has been painted and the frame
// handed to the platform, prints "first_frame_ns=N" (CLOCK_MONOTONIC) on the standard output,
// where bench_launch reads it.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>

namespace porukami::bench {

inline long long MonotonicNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<long long>(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
}

class FrameProbe : public QObject {
 public:
  // `check` runs at the first paint and may add key=value text to the report (or refuse the
  // frame by returning false: the next paint is taken instead).
  explicit FrameProbe(QObject* window, std::function<bool(std::string&)> check = {},
                      bool quitAfter = false)
      : check_(std::move(check)), quitAfter_(quitAfter) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Paint && !seen_) {
      std::string extra;
      if (check_ && !check_(extra)) return false;
      seen_ = true;
      watched->removeEventFilter(this);
      // The paint of every widget and the flush of the frame finish before this runs.
      QTimer::singleShot(0, [extra, this] {
        std::printf("first_frame_ns=%lld%s%s\n", MonotonicNs(), extra.empty() ? "" : " ",
                    extra.c_str());
        std::fflush(stdout);
        if (quitAfter_) QCoreApplication::exit(0);
      });
    }
    return false;
  }

 private:
  std::function<bool(std::string&)> check_;
  bool quitAfter_;
  bool seen_ = false;
};

}  // namespace porukami::bench
