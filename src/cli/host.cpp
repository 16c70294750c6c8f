#include "cli/host.h"

#include <QCoreApplication>
#include <QImageReader>
#include <filesystem>

#include "qt/image.h"

namespace porukami::cli {
namespace {

// Qt finds its image plugins through an application object; the tool needs no platform.
void EnsureQtApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "porukami-cli";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
}

ImageRef ReadHeader(const std::string& nativePath) {
  QImageReader reader(QString::fromStdString(nativePath));
  reader.setDecideFormatFromContent(true);
  const QSize size = reader.size();
  if (!reader.canRead() || !size.isValid()) return nullptr;
  auto img = std::make_shared<ImageData>();
  img->width = size.width();
  img->height = size.height();
  return img;
}

}  // namespace

ImageRef PictureCache::Load(const std::string& nativePath) {
  auto it = pictures_.find(nativePath);
  if (it != pictures_.end()) return it->second;
  EnsureQtApplication();
  ImageRef img = headerOnly_ ? ReadHeader(nativePath) : qt::LoadQtPicture(nativePath);
  pictures_.emplace(nativePath, img);
  return img;
}

void CliHost::MsgBoxOk(const std::string& text, const std::string&) {
  messages.push_back(text);
}

bool CliHost::MsgBoxYesNo(const std::string& text, const std::string&) {
  messages.push_back(text);
  if (answers.empty()) return false;
  const bool yes = answers.front();
  answers.pop_front();
  return yes;
}

// No pointer to pick with: the menu is dismissed. Speeds are picked with the "menu" command.
int CliHost::PopupMenu(const Frm&) {
  return -1;
}

ImageRef CliHost::LoadPicture(const std::string& nativePath) {
  return pictures_.Load(nativePath);
}

bool CliHost::SetOuterGeometry(double, double, double, double) {
  return true;
}

double CliRandom::Next() {
  if (queued.empty()) return gen_.Next();
  const double v = queued.front();
  queued.pop_front();
  return v;
}

std::string ProgramFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path().string();
  return exe.parent_path().string();
}

std::string AbsoluteFolder(const std::string& dir) {
  std::string abs = std::filesystem::absolute(dir).lexically_normal().string();
  while (abs.size() > 1 && abs.back() == '/') abs.pop_back();
  return abs;
}

}  // namespace porukami::cli
