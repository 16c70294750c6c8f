#include "support/fakes.h"

#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "text/cp932.h"

namespace porukami::testing {

void FakeHost::MsgBoxOk(const std::string& text, const std::string& caption) {
  messages.push_back(text);
  captions.push_back(caption);
}

bool FakeHost::MsgBoxYesNo(const std::string& text, const std::string& caption) {
  messages.push_back(text);
  captions.push_back(caption);
  if (yesNoAnswers.empty()) return false;
  bool a = yesNoAnswers.front();
  yesNoAnswers.pop_front();
  return a;
}

int FakeHost::PopupMenu(const Frm&) {
  ++popups;
  if (menuPicks.empty()) return -1;
  int p = menuPicks.front();
  menuPicks.pop_front();
  return p;
}

ImageRef FakeHost::LoadPicture(const std::string& nativePath) {
  loadedPictures.push_back(nativePath);
  std::ifstream in(nativePath, std::ios::binary);
  if (!in) return nullptr;
  std::string tag;
  int w = 0, h = 0;
  in >> tag >> w >> h;
  if (tag != "IMG" || w <= 0 || h <= 0) return nullptr;
  auto img = std::make_shared<FakeImage>();
  img->width = w;
  img->height = h;
  img->path = nativePath;
  return img;
}

bool FakeHost::SetOuterGeometry(double left, double top, double width, double height) {
  if (!canReshape) return false;
  geometries.push_back({left, top, width, height});
  return true;
}

void WriteFakePicture(const std::filesystem::path& path, int w, int h) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << "IMG " << w << ' ' << h << '\n';
}

double FakeRandom::Next() {
  ++draws;
  if (queue.empty()) return fallback;
  double v = queue.front();
  queue.pop_front();
  return v;
}

TempContent::TempContent() {
  static std::mt19937_64 gen{std::random_device{}()};
  dir_ = std::filesystem::temp_directory_path() /
         ("porukami-test-" + std::to_string(gen() % 1000000000ULL));
  std::filesystem::create_directories(dir_ / "txt");
  std::filesystem::create_directories(dir_ / "img");
}

TempContent::~TempContent() {
  std::error_code ec;
  std::filesystem::permissions(dir_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(dir_, ec);
}

void TempContent::Raw(const std::string& relative, const std::string& bytes) {
  auto p = dir_ / relative;
  std::filesystem::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

void TempContent::Scene(const std::string& name, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& l : lines) bytes += *text::Utf8ToCp932(l) + "\r\n";
  Raw("txt/" + name + ".dat", bytes);
}

void TempContent::Catalogue(const std::vector<std::string>& lines) {
  Scene("item", lines);
}

void TempContent::Picture(const std::string& name, int w, int h) {
  WriteFakePicture(dir_ / "img" / (name + ".dat"), w, h);
}

std::vector<std::string> DefaultCatalogue() {
  return {"木の実,10,0,1,2",    "小石,5,1,2,0",          "野草,8,2,0,1",
          "銀の指輪,900,2,1,0", "星のかけら,3000,0,1,2", "月の涙,5000,1,2,0"};
}

Game::Game() {
  host.appPath = content.dir().string();
}

bool Game::Load(bool activate) {
  if (!std::filesystem::exists(content.dir() / "txt" / "item.dat"))
    content.Catalogue(DefaultCatalogue());
  if (!std::filesystem::exists(content.dir() / "txt" / "opn.dat"))
    content.Scene("opn", {"はじまり"});
  frm = std::make_unique<Frm>(host, rnd);
  if (!frm->Form_Load()) return false;
  if (activate) frm->Form_Activate();
  return true;
}

}  // namespace porukami::testing
