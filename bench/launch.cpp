// Starts a program and measures it from the outside, the same way for our window, its baseline and
// the other engines:
//
//   bench_launch [--ready=line|x11|none] [--settle=S] [--idle=S] [--timeout=S] -- PROGRAM ARGS...
//
// first_frame_ms  from just before fork() to the first painted frame. --ready=line: the program
//                 prints "first_frame_ns=N" (CLOCK_MONOTONIC) on its standard output once its
//                 first frame is painted. --ready=x11: for programs that print nothing, the X
//                 display in $DISPLAY is sampled every 2 ms until a mapped window shows a picture
//                 rather than a plain fill (see SomethingDrawn). --ready=none: a program without
//                 a window; its start counts as its first frame.
// idle_cpu_pct    CPU time of all the program's threads over --idle seconds (default 10),
//                 starting --settle seconds (default 3) after the first frame, in % of one core.
//                 --idle=0: not measured.
// main_wakeups_per_s  context switches of its main thread in that window, per second.
// peak_rss_kb     the program's peak resident set (VmHWM) at the end (--settle seconds after the
//                 first frame when --idle=0).
//
// The program is then ended with SIGTERM (SIGKILL after 3 s). One line of key=value pairs is
// printed on success; exit status 1 when the first frame never came within --timeout seconds.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::int64_t NowNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

// CPU time of every live thread of the process, in nanoseconds.
std::int64_t CpuNs(pid_t pid) {
  std::int64_t total = 0;
  const std::string dir = "/proc/" + std::to_string(pid) + "/task";
  DIR* d = opendir(dir.c_str());
  if (d == nullptr) return -1;
  while (dirent* e = readdir(d)) {
    if (e->d_name[0] == '.') continue;
    std::ifstream in(dir + "/" + e->d_name + "/schedstat");
    std::int64_t ns = 0;
    if (in >> ns) total += ns;
  }
  closedir(d);
  return total;
}

// Context switches of the program's main thread: how often it woke up.
long MainThreadSwitches(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/status");
  std::string line;
  long total = 0;
  while (std::getline(in, line)) {
    if (line.rfind("voluntary_ctxt_switches:", 0) == 0 ||
        line.rfind("nonvoluntary_ctxt_switches:", 0) == 0) {
      total += std::strtol(line.c_str() + line.find(':') + 1, nullptr, 10);
    }
  }
  return total;
}

long PeakRssKb(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

// True when a viewable top-level window larger than 64 x 64 shows a picture: at least 16 distinct
// colours on seven sampled rows. A window the X server has only filled with its background colour
// has one.
bool SomethingDrawn(Display* dpy) {
  Window root = DefaultRootWindow(dpy), parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(dpy, root, &root, &parent, &children, &count)) return false;
  const int sw = DisplayWidth(dpy, DefaultScreen(dpy));
  const int sh = DisplayHeight(dpy, DefaultScreen(dpy));
  bool drawn = false;
  for (unsigned i = 0; i < count && !drawn; ++i) {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(dpy, children[i], &a) || a.map_state != IsViewable ||
        a.c_class != InputOutput || a.width < 64 || a.height < 64) {
      continue;
    }
    const int x0 = std::max(a.x, 0), x1 = std::min(a.x + a.width, sw);
    if (x1 - x0 < 8) continue;
    std::set<unsigned long> colours;
    for (int k = 1; k <= 7 && colours.size() < 16; ++k) {
      const int y = a.y + a.height * k / 8;
      if (y < 0 || y >= sh) continue;
      XImage* img =
          XGetImage(dpy, root, x0, y, static_cast<unsigned>(x1 - x0), 1, AllPlanes, ZPixmap);
      if (img == nullptr) continue;
      for (int x = 0; x < x1 - x0 && colours.size() < 16; ++x) {
        colours.insert(XGetPixel(img, x, 0) & 0xFFFFFF);
      }
      XDestroyImage(img);
    }
    drawn = colours.size() >= 16;
  }
  if (children != nullptr) XFree(children);
  return drawn;
}

void Stop(pid_t pid) {
  kill(pid, SIGTERM);
  for (int i = 0; i < 300; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    usleep(10'000);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

int Usage() {
  std::fprintf(
      stderr,
      "usage: bench_launch [--ready=line|x11|none] [--settle=S] [--idle=S] [--timeout=S] -- "
      "PROGRAM ARGS...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string ready = "line";
  double settle = 3, idle = 10, timeout = 60;
  int first = argc;
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "--") {
      first = i + 1;
      break;
    }
    if (a.rfind("--ready=", 0) == 0) {
      ready = a.substr(8);
    } else if (a.rfind("--settle=", 0) == 0) {
      settle = std::atof(argv[i] + 9);
    } else if (a.rfind("--idle=", 0) == 0) {
      idle = std::atof(argv[i] + 7);
    } else if (a.rfind("--timeout=", 0) == 0) {
      timeout = std::atof(argv[i] + 10);
    } else {
      return Usage();
    }
  }
  if (first >= argc || (ready != "line" && ready != "x11" && ready != "none")) return Usage();

  Display* dpy = nullptr;
  // The X server may be busy with the end of the previous run for a moment.
  for (int i = 0; ready == "x11" && dpy == nullptr && i < 50; ++i) {
    if ((dpy = XOpenDisplay(nullptr)) == nullptr) usleep(50'000);
  }
  if (ready == "x11" && dpy == nullptr) {
    std::fprintf(stderr, "bench_launch: cannot open the X display\n");
    return 2;
  }
  int out[2];
  if (pipe(out) != 0) return 2;

  const std::int64_t start = NowNs();
  const pid_t pid = fork();
  if (pid < 0) return 2;
  if (pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    close(out[1]);
    execvp(argv[first], argv + first);
    std::perror(argv[first]);
    _exit(127);
  }
  close(out[1]);

  // Waits for the first frame while draining the program's output.
  std::optional<std::int64_t> frameNs;
  std::string pending;
  const std::int64_t deadline = start + static_cast<std::int64_t>(timeout * 1e9);
  bool outOpen = true;
  auto drain = [&](int waitMs) {
    if (!outOpen) {
      if (waitMs > 0) usleep(static_cast<useconds_t>(waitMs) * 1000);
      return;
    }
    pollfd p{out[0], POLLIN, 0};
    if (poll(&p, 1, waitMs) <= 0) return;
    char buf[4096];
    const ssize_t n = read(out[0], buf, sizeof buf);
    if (n <= 0) {
      outOpen = false;
      return;
    }
    pending.append(buf, static_cast<std::size_t>(n));
    for (std::size_t nl; (nl = pending.find('\n')) != std::string::npos;) {
      const std::string line = pending.substr(0, nl);
      pending.erase(0, nl + 1);
      if (!frameNs && line.rfind("first_frame_ns=", 0) == 0) {
        frameNs = std::strtoll(line.c_str() + 15, nullptr, 10);
      }
    }
  };
  while (!frameNs && NowNs() < deadline) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) {
      std::fprintf(stderr, "bench_launch: %s ended before its first frame\n", argv[first]);
      return 1;
    }
    if (ready == "none") {
      frameNs = start;
    } else if (ready == "x11") {
      drain(0);
      if (SomethingDrawn(dpy))
        frameNs = NowNs();
      else
        usleep(2000);
    } else {
      drain(5);
    }
  }
  if (!frameNs) {
    Stop(pid);
    std::fprintf(stderr, "bench_launch: no first frame from %s within %.0f s\n", argv[first],
                 timeout);
    return 1;
  }
  if (dpy != nullptr) XCloseDisplay(dpy);

  std::printf("first_frame_ms=%.1f", static_cast<double>(*frameNs - start) / 1e6);
  const std::int64_t settleEnd = *frameNs + static_cast<std::int64_t>(settle * 1e9);
  while (NowNs() < settleEnd) drain(20);
  if (idle > 0) {
    const std::int64_t t0 = NowNs();
    const std::int64_t c0 = CpuNs(pid);
    const long w0 = MainThreadSwitches(pid);
    const std::int64_t idleEnd = t0 + static_cast<std::int64_t>(idle * 1e9);
    while (NowNs() < idleEnd) drain(20);
    const std::int64_t c1 = CpuNs(pid);
    const long w1 = MainThreadSwitches(pid);
    const std::int64_t t1 = NowNs();
    const double seconds = static_cast<double>(t1 - t0) / 1e9;
    std::printf(" idle_cpu_pct=%.3f main_wakeups_per_s=%.1f",
                100.0 * static_cast<double>(c1 - c0) / static_cast<double>(t1 - t0),
                static_cast<double>(w1 - w0) / seconds);
  }
  std::printf(" peak_rss_kb=%ld\n", PeakRssKb(pid));
  Stop(pid);
  return 0;
}
