#include "support/fakes.h"

#include <fstream>
#include <random>

#include "text/cp932.h"

namespace porukami::testing {

namespace fs = std::filesystem;

ImageRef FakeHost::LoadPicture(const std::string& nativePath) {
  loadedPictures.push_back(nativePath);
  std::ifstream in(nativePath, std::ios::binary);
  std::string tag;
  auto img = std::make_shared<FakeImage>();
  in >> tag >> img->width >> img->height;
  if (!in || tag != "IMG" || img->width <= 0 || img->height <= 0) return nullptr;
  img->path = nativePath;
  return img;
}

TempContent::TempContent() {
  static std::mt19937_64 gen{std::random_device{}()};
  dir_ = fs::temp_directory_path() / ("porukami-test-" + std::to_string(gen()));
  for (const char* folder : {"txt", "img"}) fs::create_directories(dir_ / folder);
}

TempContent::~TempContent() {
  std::error_code ec;
  fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(dir_, ec);
}

void TempContent::Raw(const std::string& relative, const std::string& bytes) {
  const auto p = dir_ / relative;
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

void TempContent::Scene(const std::string& name, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& l : lines) bytes += *text::Utf8ToCp932(l) + "\r\n";
  Raw("txt/" + name + ".dat", bytes);
}

void TempContent::Picture(const std::string& name, int w, int h) {
  Raw("img/" + name + ".dat", "IMG " + std::to_string(w) + ' ' + std::to_string(h) + '\n');
}

std::vector<std::string> DefaultCatalogue() {
  return {"木の実,10,0,1,2",    "小石,5,1,2,0",          "野草,8,2,0,1",
          "銀の指輪,900,2,1,0", "星のかけら,3000,0,1,2", "月の涙,5000,1,2,0"};
}

bool Game::Load(bool activate) {
  const fs::path txt = content.dir() / "txt";
  if (!fs::exists(txt / "item.dat")) content.Catalogue(DefaultCatalogue());
  if (!fs::exists(txt / "opn.dat")) content.Scene("opn", {"はじまり"});
  frm = std::make_unique<Frm>(host, rnd);
  if (!frm->Form_Load()) return false;
  if (activate) frm->Form_Activate();
  return true;
}

}  // namespace porukami::testing
