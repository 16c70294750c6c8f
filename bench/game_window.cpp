// The game's window under measurement.
//
//   bench_game_window start [--music=default|null] [--quit]
//     Starts exactly as the game does and reports its first painted frame of the opening scene
//     (see frame_probe.h) for bench_launch. --music=null plays the music through FluidSynth into
//     a clock of its own instead of a sound card; --quit ends at the first frame.
//
//   bench_game_window paint [--background=WxH] [--repeats=N] [--steps=N]
//     The opening scene with its background replaced by a picture of WxH (default 1920x1600):
//     repaints of the whole window at 800x600 and at 1600x1200, and the frames of an interactive
//     resize around 1600x1200 (each step: the new size, the layout, the repaint). Prints
//     key=value lines, times in milliseconds (medians).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "frame_probe.h"
#include "qt/image.h"
#include "qt/window.h"
#include "sound/mci_fluid.h"

namespace {

using porukami::qt::GameWindow;

std::string Arg(int argc, char** argv, const char* name, const std::string& fallback) {
  const std::size_t n = std::strlen(name);
  for (int i = 2; i < argc; ++i) {
    if (std::strncmp(argv[i], name, n) == 0 && argv[i][n] == '=') return argv[i] + n + 1;
  }
  return fallback;
}

bool Flag(int argc, char** argv, const char* name) {
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], name) == 0) return true;
  }
  return false;
}

int Start(int argc, char** argv) {
  QApplication app(argc, argv);
  porukami::qt::SetUpApplication();
  std::unique_ptr<porukami::MciDevice> music;
  if (Arg(argc, argv, "--music", "default") == "null") {
    porukami::FluidMciDevice::Options o;
    o.output = porukami::FluidMciDevice::Output::kNullClock;
    o.deferLoading = true;  // as the game's own device
    music = std::make_unique<porukami::FluidMciDevice>(o);
  }
  GameWindow window({}, nullptr, std::move(music));
  if (!window.Load()) return 1;
  porukami::bench::FrameProbe probe(
      &window,
      [&window](std::string& extra) {
        const auto& scene = window.model().OpenScene();
        if (!scene) return false;
        extra = "scene=" + *scene + " size=" + std::to_string(window.width()) + "x" +
                std::to_string(window.height());
        return true;
      },
      Flag(argc, argv, "--quit"));
  window.show();
  window.ActivateOnce();
  return QApplication::exec();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

double Quantile(std::vector<double> v, double q) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[std::min(v.size() - 1, static_cast<std::size_t>(q * v.size()))];
}

void Pump(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Counts the paints of the window itself; each frame begins with one.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QObject* w) { w->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// The game's content with the opening background replaced by a picture of the given size.
bool PrepareContent(const QString& from, const QString& to, QSize background) {
  for (const char* sub : {"txt", "img"}) {
    QDir src(from + "/" + sub);
    if (!src.exists() || !QDir().mkpath(to + "/" + sub)) return false;
    for (const QString& f : src.entryList(QDir::Files)) {
      if (!QFile::copy(src.filePath(f), to + "/" + sub + "/" + f)) return false;
    }
  }
  QImage opening(from + "/img/opn.dat");
  if (opening.isNull()) return false;
  QFile::remove(to + "/img/opn.dat");
  return opening.scaled(background, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
      .save(to + "/img/opn.dat", "PNG");
}

int Paint(int argc, char** argv) {
  QApplication app(argc, argv);
  porukami::qt::SetUpApplication();
  const std::string bg = Arg(argc, argv, "--background", "1920x1600");
  const int repeats = std::max(7, std::stoi(Arg(argc, argv, "--repeats", "41")));
  const int steps = std::max(7, std::stoi(Arg(argc, argv, "--steps", "41")));
  const QSize background(std::stoi(bg), std::stoi(bg.substr(bg.find('x') + 1)));

  QTemporaryDir dir;
  if (!dir.isValid() ||
      !PrepareContent(QCoreApplication::applicationDirPath(), dir.path(), background)) {
    std::fprintf(stderr, "cannot prepare the content in %s\n", qPrintable(dir.path()));
    return 1;
  }
  GameWindow w(dir.path().toStdString());
  if (!w.Load()) return 1;
  w.show();
  w.ActivateOnce();
  PaintCounter counter(&w);
  PaintCounter pictureCounter(w.PicWidget());
  Pump(1000);  // the opening page has been written out
  if (w.model().Pic.PaintedName != "opn") {
    std::fprintf(stderr, "the opening background is not shown\n");
    return 1;
  }

  // Sizes are of the outer frame, in the 4:3 shape the game keeps: outer heights that are
  // multiples of 6 give whole pixels, so the game's own resize keeps them exactly.
  const QSize frame = w.frameGeometry().size() - w.size();
  auto client = [&](int outerHeight) {
    return QSize(outerHeight * 4 / 3 - frame.width(), outerHeight - frame.height());
  };
  auto settleAt = [&](QSize s) {
    w.resize(s);
    Pump(600);  // every deferred repaint done
    return w.size() == s;
  };
  auto repaints = [&](QSize s) {
    std::vector<double> ms;
    if (!settleAt(s)) return ms;
    const QList<QWidget*> all = w.findChildren<QWidget*>();
    for (int i = 0; i < repeats; ++i) {
      QElapsedTimer t;
      t.start();
      // Everything, as when the window is uncovered: each widget is dirty, then one frame.
      for (QWidget* c : all) c->update();
      w.repaint();
      ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    return ms;
  };
  const int picturePaints = pictureCounter.paints;
  const std::vector<double> small = repaints(client(600));
  const std::vector<double> large = repaints(client(1200));
  if (small.empty() || large.empty()) {
    std::fprintf(stderr, "the window did not take the asked sizes (it is %dx%d)\n", w.width(),
                 w.height());
    return 1;
  }
  std::printf("platform=%s background=%dx%d window=%dx%d picture=%dx%d\n",
              qPrintable(QGuiApplication::platformName()), background.width(), background.height(),
              w.width(), w.height(), w.PicWidget()->width(), w.PicWidget()->height());
  std::printf("picture_paints=%d\n", pictureCounter.paints - picturePaints);
  std::printf("repaint_800x600_ms=%.3f\nrepaint_1600x1200_ms=%.3f\n", Median(small), Median(large));

  // A drag of the window's corner: 4:3 sizes a few pixels apart, one frame each.
  std::vector<double> frames;
  int missed = 0;
  for (int i = 0; i < steps; ++i) {
    const int k = i % 20 < 10 ? i % 10 + 1 : 20 - i % 20 - 1;  // 1..10..0
    const QSize s = client(1200 - 6 * k);
    if (s == w.size()) continue;
    const int before = counter.paints;
    QElapsedTimer t;
    t.start();
    w.resize(s);
    while ((w.size() != s || counter.paints == before) && t.elapsed() < 2000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    if (w.size() != s || counter.paints == before) ++missed;
    frames.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
  }
  std::printf("resize_frame_ms=%.3f\nresize_frame_p90_ms=%.3f\nresize_frame_max_ms=%.3f\n",
              Median(frames), Quantile(frames, 0.9),
              *std::max_element(frames.begin(), frames.end()));
  std::printf("resize_frames=%zu resize_missed=%d\n", frames.size(), missed);

  // The smooth copy that follows once the size holds: its cost, paid once per resize.
  QImage big(dir.path() + "/img/opn.dat");
  big = big.convertToFormat(QImage::Format_RGB32);
  std::vector<double> smooth;
  for (int i = 0; i < 7; ++i) {
    QElapsedTimer t;
    t.start();
    const QImage s =
        big.scaled(w.PicWidget()->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    smooth.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    if (s.isNull()) return 1;
  }
  std::printf("smooth_rescale_ms=%.3f\n", Median(smooth));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "start") return Start(argc, argv);
  if (mode == "paint") return Paint(argc, argv);
  std::fprintf(stderr,
               "usage: %s start [--music=default|null] [--quit]\n"
               "       %s paint [--background=WxH] [--repeats=N] [--steps=N]\n",
               argv[0], argv[0]);
  return 2;
}
