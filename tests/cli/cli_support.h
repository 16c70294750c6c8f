#pragma once
// Running porukami-cli on content folders that the tests write, and its golden files.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/fakes.h"

namespace porukami::testing {

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline std::string ReplaceAll(std::string s, const std::string& from, const std::string& to) {
  for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
    s.replace(at, from.size(), to);
  return s;
}

struct CliRun {
  int status = -1;
  std::string out, err;
};

// Runs porukami-cli with `args`, `input` as its standard input.
inline CliRun RunCli(const std::vector<std::string>& args, const std::string& input = "") {
  TempContent io;  // a scratch folder for the streams
  const auto quote = [](const std::string& s) { return "'" + ReplaceAll(s, "'", "'\\''") + "'"; };
  const std::string d = io.dir().string();
  std::ofstream(d + "/in", std::ios::binary) << input;
  std::string command = quote(PORUKAMI_CLI);
  for (const auto& a : args) command += " " + quote(a);
  command += " < " + quote(d + "/in") + " > " + quote(d + "/out") + " 2> " + quote(d + "/err");
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(d + "/out"), ReadAll(d + "/err")};
}

// A complete little month: a catalogue of nine items, every scene the game asks for (one or two
// lines each; the opening uses pictures, a face, the name and a page; each finale writes the
// memories page), the pictures they show, the page pieces and the music.
inline void TestMonth(TempContent& c) {
  c.Catalogue({"木の実,10,0,1,2", "小石,5,1,2,0", "野草,8,2,0,1", "銀の指輪,900,2,1,0",
               "花の髪飾り,1200,3,3,3", "青い羽根,700,0,2,1", "古い地図,800,1,0,2",
               "星のかけら,3000,2,1,0", "月の涙,5000,3,3,3"});
  c.Scene("opn", {">img opn", ">fce 1", "ようこそ、-mさん。", "ここはぽるかみの村。", ">p", ">fcn",
                  "ひと月のあいだ、よろしくね。"});
  c.Scene("end", {">img opn", "ムルの月が終わりました。", ">end"});
  c.Scene("moneyend", {"お金がなくなりました。", ">end"});
  const char* names[] = {"ラテゥ", "ヒョウ", "マム"};
  for (int h = 0; h < 3; ++h) {
    const std::string d = std::to_string(h), name = names[h];
    for (int s = 1; s <= 4; ++s)
      for (int v = 0; v < 3; ++v)
        c.Scene(d + std::to_string(s) + std::to_string(v),
                {name + "に会った（" + std::to_string(s) + "-" + std::to_string(v) + "）。"});
    c.Scene(d + "5", {name + "の大切な日。"});
    c.Scene(d + "6", {">htm " + d + "," + name, name + "とずっと一緒。", ">end"});
  }
  for (int i = 0; i < 4; ++i) c.Scene("mori_" + std::to_string(i), {"森の奥で何かが光った。"});
  c.Scene("ive0", {"森で誰かに会った。"});
  c.Scene("ive1", {"森で道に迷った。", ">ive ive1b"});
  c.Scene("ive1b", {"ようやく帰り道を見つけた。"});
  c.Scene("ive2", {"森で雨が降ってきた。"});
  c.Scene("head", {"<html><head><meta charset=\"Shift_JIS\"></head><body>"});
  c.Scene("foot", {"</body></html>"});
  static constexpr char png[] =  // two by two pixels
      "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x02\0\0\0\x02\x08\x02\0\0\0\xfd\xd4\x9a\x73\0\0\0\x13"
      "IDATx\x9c\x63\xf8\xdf\xe0\0D\x0c\x0a\x0e\x0d@\x04\0+\x97\x05?\xcaH'\x0c\0\0\0\0IEND\xae"
      "B`\x82";
  std::vector<std::string> pictures = {"opn", "mori", "face_1"};
  for (int set = 0; set < 3; ++set) {
    pictures.push_back("opn0" + std::to_string(set + 1));
    for (int i = 1; i <= 6; ++i) pictures.push_back(std::to_string(set) + std::to_string(i));
  }
  for (const auto& p : pictures) c.Raw("img/" + p + ".dat", std::string(png, sizeof png - 1));
  c.Raw("bgm.mid", std::string("MThd\0\0\0\6\0\0\0\1\0\x60", 14));
}

inline std::string Golden(const std::string& name) {
  return ReadAll(std::filesystem::path(PORUKAMI_CLI_GOLDEN) / name);
}

// Compares `actual` with golden/NAME; with PORUKAMI_UPDATE_GOLDEN=1, writes it there instead.
inline void ExpectGolden(const std::string& name, const std::string& actual) {
  if (const char* update = std::getenv("PORUKAMI_UPDATE_GOLDEN"); update && *update == '1')
    std::ofstream(std::filesystem::path(PORUKAMI_CLI_GOLDEN) / name, std::ios::binary) << actual;
  else
    EXPECT_EQ(Golden(name), actual) << name;
}

}  // namespace porukami::testing
