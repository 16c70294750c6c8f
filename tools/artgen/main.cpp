// artgen: draws every picture of the demo content with QPainter, deterministically (all
// randomness comes from a fixed generator seeded by the picture's name).
//
//   porukami_artgen IMG_DIR ICON_DIR NAME...
//
// The names are the pictures the build expects; the generator refuses to run when that list and
// the pictures it knows how to draw disagree, so neither side can drift. Pictures are written to
// IMG_DIR/NAME.dat: the backgrounds as JPEG (a quarter of the PNG's size and a third of its
// decoding time, which the first frame waits for), the faces as PNG (small, sharp edges); the
// window icons as ICON_DIR/icon32.png and icon256.png.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include "artgen/artgen.h"

using namespace artgen;

namespace {

struct Picture {
  int w, h;
  std::function<void(QPainter&, Rng&)> draw;
};

std::map<std::string, Picture> AllPictures() {
  std::map<std::string, Picture> all;
  auto bg = [&](const std::string& name, Painter f) { all[name] = {kW, kH, f}; };
  bg("opn", Opening);
  bg("mori", Forest);
  bg("home", Home);
  bg("end", Ending);
  bg("town", Town);
  bg("lake", Lake);
  bg("tower", TowerNight);
  bg("hill", Hill);
  bg("sunset", Sunset);
  bg("bakery", Bakery);
  bg("garden", Garden);
  bg("fest", Festival);
  bg("spring", Spring);

  const Look faces[9] = {Look::Calm, Look::Joy,    Look::Sad, Look::Grin,   Look::Shy,
                         Look::Pout, Look::Bright, Look::Joy, Look::Worried};
  for (int i = 0; i < 9; ++i) {
    const int h = i / 3;
    const Look look = faces[i];
    all["face_" + std::to_string(i + 1)] = {
        kFace, kFace, [h, look](QPainter& p, Rng& rng) { FacePicture(p, rng, h, look); }};
  }

  auto memory = [&](const std::string& name, Memory m) {
    all[name] = {kW, kH, [m](QPainter& p, Rng& rng) { DrawMemory(p, rng, m); }};
  };
  const QColor blue = Rgb(0x8FA3E8), warm = Rgb(0xF8B080), green = Rgb(0xC8E090);
  // the first picture of each page: her portrait in her own place
  memory("opn01", {Lake, 0, Look::Calm, 480, 340, 2.35, 0, blue});
  memory("opn02", {Hill, 1, Look::Grin, 480, 340, 2.35, 0, warm});
  memory("opn03", {Bakery, 2, Look::Bright, 480, 340, 2.35, 0, green});
  // ラテゥ
  memory("01", {Lake, 0, Look::Sad, 300, 380, 1.9, -4, blue});
  memory("02", {TowerNight, 0, Look::Calm, 640, 400, 1.8, 3, blue});
  memory("03", {Spring, 0, Look::Joy, 330, 420, 1.7, 0, Rgb(0xA8E0D0)});
  memory("04", {Town, 0, Look::Calm, 660, 420, 1.7, -3, blue});
  memory("05", {Festival, 0, Look::Shy, 480, 400, 2.0, 0, warm});
  memory("06", {Lake, 0, Look::Joy, 620, 380, 2.1, 4, Rgb(0xE0C8F0)});
  // ヒョウ
  memory("11", {Hill, 1, Look::Pout, 330, 420, 1.8, 5, warm});
  memory("12", {Town, 1, Look::Grin, 640, 420, 1.75, -4, warm});
  memory("13", {Forest, 1, Look::Shy, 330, 420, 1.75, 0, green});
  memory("14", {Sunset, 1, Look::Grin, 620, 400, 1.9, 3, warm});
  memory("15", {Festival, 1, Look::Shy, 480, 400, 2.0, 0, warm});
  memory("16", {Hill, 1, Look::Joy, 600, 380, 2.1, -3, Rgb(0xF8D0A0)});
  // マム
  memory("21", {Bakery, 2, Look::Joy, 320, 420, 1.8, -3, warm});
  memory("22", {Garden, 2, Look::Bright, 620, 420, 1.75, 3, green});
  memory("23", {Town, 2, Look::Worried, 340, 420, 1.75, 0, green});
  memory("24", {Home, 2, Look::Calm, 640, 420, 1.8, -3, warm});
  memory("25", {Festival, 2, Look::Shy, 480, 400, 2.0, 0, warm});
  memory("26", {Garden, 2, Look::Joy, 600, 380, 2.1, 4, Rgb(0xF8E0B0)});
  return all;
}

QImage Render(const Picture& pic, const std::string& name) {
  QImage img(pic.w, pic.h, QImage::Format_RGB32);
  img.fill(Qt::black);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  Rng rng(name);
  pic.draw(p, rng);
  p.end();
  return img;
}

bool Save(const QImage& img, const QString& path, const char* format = "PNG") {
  const QString temp = path + ".tmp";
  if (!img.save(temp, format, std::strcmp(format, "JPG") == 0 ? 92 : -1)) return false;
  QFile::remove(path);
  return QFile::rename(temp, path);
}

}  // namespace

int main(int argc, char** argv) {
  // Qt wants a private runtime folder; a build machine often has none. Lend it a fresh one.
  char runtimeDir[] = "/tmp/porukami-artgen-XXXXXX";
  const bool ownRuntimeDir = std::getenv("XDG_RUNTIME_DIR") == nullptr && mkdtemp(runtimeDir);
  if (ownRuntimeDir) setenv("XDG_RUNTIME_DIR", runtimeDir, 1);
  struct RemoveDir {
    const char* dir;
    ~RemoveDir() {
      if (dir) rmdir(dir);
    }
  } removeRuntimeDir{ownRuntimeDir ? runtimeDir : nullptr};

  QGuiApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: porukami_artgen IMG_DIR ICON_DIR NAME...\n");
    return 2;
  }
  const QString imgDir = QString::fromLocal8Bit(argv[1]);
  const QString iconDir = QString::fromLocal8Bit(argv[2]);
  const std::map<std::string, Picture> all = AllPictures();

  std::set<std::string> asked;
  for (int i = 3; i < argc; ++i) asked.insert(argv[i]);
  bool agree = true;
  for (const std::string& name : asked) {
    if (!all.count(name)) {
      std::fprintf(stderr, "porukami_artgen: error: no drawing for picture \"%s\"\n", name.c_str());
      agree = false;
    }
  }
  for (const auto& [name, pic] : all) {
    if (!asked.count(name)) {
      std::fprintf(stderr, "porukami_artgen: error: picture \"%s\" is drawn but not listed\n",
                   name.c_str());
      agree = false;
    }
  }
  if (!agree) return 1;

  if (!QDir().mkpath(imgDir) || !QDir().mkpath(iconDir)) {
    std::fprintf(stderr, "porukami_artgen: error: cannot make the output folders\n");
    return 1;
  }
  for (const auto& [name, pic] : all) {
    const QString path = imgDir + "/" + QString::fromStdString(name) + ".dat";
    const bool face = name.rfind("face_", 0) == 0;
    if (!Save(Render(pic, name), path, face ? "PNG" : "JPG")) {
      std::fprintf(stderr, "porukami_artgen: error: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  for (int size : {32, 256}) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    Icon(p, size);
    p.end();
    QImage out = size == 32 ? ToPalette(icon) : icon;
    const QString path = iconDir + QString("/icon%1.png").arg(size);
    if (!Save(out, path)) {
      std::fprintf(stderr, "porukami_artgen: error: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
