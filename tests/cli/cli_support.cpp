#include "cli/cli_support.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace porukami::testing {
namespace {

std::string Quote(const std::string& s) {
  return "'" + ReplaceAll(s, "'", "'\\''") + "'";
}

std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

constexpr char kPng[] =
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x02\x00\x00"
    "\x00\x02\x08\x02\x00\x00\x00\xfd\xd4\x9a\x73\x00\x00\x00\x13\x49\x44\x41\x54\x78\x9c\x63"
    "\xf8\xdf\xe0\x00\x44\x0c\x0a\x0e\x0d\x40\x04\x00\x2b\x97\x05\x3f\xca\x48\x27\x0c\x00\x00"
    "\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82";

}  // namespace

std::string ReplaceAll(std::string s, const std::string& from, const std::string& to) {
  for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
    s.replace(at, from.size(), to);
  return s;
}

CliRun RunCli(const std::vector<std::string>& args, const std::string& input) {
  TempContent io;  // a scratch folder for the streams
  std::ofstream(io.dir() / "in", std::ios::binary) << input;
  std::string command = Quote(PORUKAMI_CLI);
  for (const auto& a : args) command += " " + Quote(a);
  command += " < " + Quote((io.dir() / "in").string()) + " > " +
             Quote((io.dir() / "out").string()) + " 2> " + Quote((io.dir() / "err").string());
  const int raw = std::system(command.c_str());
  CliRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadFile(io.dir() / "out");
  run.err = ReadFile(io.dir() / "err");
  return run;
}

void PngPicture(TempContent& content, const std::string& name) {
  content.Raw("img/" + name + ".dat", std::string(kPng, sizeof kPng - 1));
}

void TestMonth(TempContent& c) {
  c.Catalogue({"木の実,10,0,1,2", "小石,5,1,2,0", "野草,8,2,0,1", "銀の指輪,900,2,1,0",
               "花の髪飾り,1200,3,3,3", "青い羽根,700,0,2,1", "古い地図,800,1,0,2",
               "星のかけら,3000,2,1,0", "月の涙,5000,3,3,3"});
  c.Scene("opn", {">img opn", ">fce 1", "ようこそ、-mさん。", "ここはぽるかみの村。", ">p", ">fcn",
                  "ひと月のあいだ、よろしくね。"});
  c.Scene("end", {">img opn", "ムルの月が終わりました。", ">end"});
  c.Scene("moneyend", {"お金がなくなりました。", ">end"});
  const char* names[] = {"ラテゥ", "ヒョウ", "マム"};
  for (int h = 0; h < 3; ++h) {
    const std::string d = std::to_string(h);
    for (int s = 1; s <= 4; ++s)
      for (int v = 0; v < 3; ++v)
        c.Scene(d + std::to_string(s) + std::to_string(v),
                {names[h] + std::string("に会った（") + std::to_string(s) + "-" +
                 std::to_string(v) + "）。"});
    c.Scene(d + "5", {names[h] + std::string("の大切な日。")});
    c.Scene(d + "6",
            {">htm " + d + "," + names[h], names[h] + std::string("とずっと一緒。"), ">end"});
  }
  for (int i = 0; i < 4; ++i) c.Scene("mori_" + std::to_string(i), {"森の奥で何かが光った。"});
  c.Scene("ive0", {"森で誰かに会った。"});
  c.Scene("ive1", {"森で道に迷った。", ">ive ive1b"});
  c.Scene("ive1b", {"ようやく帰り道を見つけた。"});
  c.Scene("ive2", {"森で雨が降ってきた。"});
  c.Scene("head", {"<html><head><meta charset=\"Shift_JIS\"></head><body>"});
  c.Scene("foot", {"</body></html>"});
  for (const char* p : {"opn", "mori", "face_1"}) PngPicture(c, p);
  for (int set = 0; set < 3; ++set) {
    PngPicture(c, "opn0" + std::to_string(set + 1));
    for (int i = 1; i <= 6; ++i) PngPicture(c, std::to_string(set) + std::to_string(i));
  }
  c.Raw("bgm.mid", std::string("MThd\0\0\0\6\0\0\0\1\0\x60", 14));
}

std::string Golden(const std::string& name) {
  return ReadFile(std::filesystem::path(PORUKAMI_CLI_GOLDEN) / name);
}

void ExpectGolden(const std::string& name, const std::string& actual) {
  const auto path = std::filesystem::path(PORUKAMI_CLI_GOLDEN) / name;
  const char* update = std::getenv("PORUKAMI_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  std::istringstream want(ReadFile(path)), got(actual);
  std::string w, g;
  for (int line = 1;; ++line) {
    const bool moreWant = static_cast<bool>(std::getline(want, w));
    const bool moreGot = static_cast<bool>(std::getline(got, g));
    if (!moreWant && !moreGot) break;
    ASSERT_EQ(moreWant, moreGot) << name << ": the output has " << (moreGot ? "more" : "fewer")
                                 << " lines than the golden file (line " << line << ")";
    EXPECT_EQ(w, g) << name << ", line " << line;
  }
}

}  // namespace porukami::testing
