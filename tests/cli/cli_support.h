#pragma once
// Running porukami-cli on content folders that the tests write, and its golden files.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/fakes.h"

namespace porukami::testing {

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
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

struct CliRun {
  int status = -1;
  std::string out, err;
};

// Runs porukami-cli with `args` (no quotes in them), `input` as its standard input.
inline CliRun RunCli(const std::vector<std::string>& args, const std::string& input = "") {
  TempContent io;  // a scratch folder for the streams
  const std::string d = io.dir().string();
  std::ofstream(d + "/in", std::ios::binary) << input;
  std::string command = "'" PORUKAMI_CLI "'";
  for (const auto& a : args) command += " '" + a + "'";
  command += " <'" + d + "/in' >'" + d + "/out' 2>'" + d + "/err'";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(d + "/out"), ReadAll(d + "/err")};
}

// Writes the scenes and pictures of golden/NAME into `c`: "SCENE: line | line" or "img: NAMES".
inline void WriteMonth(TempContent& c, const std::string& name) {
  static constexpr char png[] =  // two by two pixels
      "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x02\0\0\0\x02\x08\x02\0\0\0\xfd\xd4\x9a\x73\0\0\0\x13"
      "IDATx\x9c\x63\xf8\xdf\xe0\0D\x0c\x0a\x0e\x0d@\x04\0+\x97\x05?\xcaH'\x0c\0\0\0\0IEND\xae"
      "B`\x82";
  std::istringstream in(Golden(name));
  for (std::string line; std::getline(in, line);) {
    const std::size_t colon = line.find(": ");
    std::vector<std::string> parts;
    for (std::size_t at = colon + 2, bar = 0; bar != std::string::npos; at = bar + 3)
      parts.push_back(line.substr(at, (bar = line.find(" | ", at)) - at));
    if (line.starts_with("img: ")) {
      std::istringstream names(parts[0]);
      for (std::string n; names >> n;) c.Raw("img/" + n + ".dat", std::string(png, sizeof png - 1));
    } else if (colon != std::string::npos && !line.starts_with("#")) {
      c.Scene(line.substr(0, colon), parts);
    }
  }
}

// A complete little month (golden/month.txt): a catalogue of nine items, every scene the game
// asks for (the opening uses pictures, a face, the name and a page; each finale writes the
// memories page), the pictures they show, the page pieces, and the music.
inline void TestMonth(TempContent& c) {
  WriteMonth(c, "month.txt");
  c.Raw("bgm.mid", std::string("MThd\0\0\0\6\0\0\0\1\0\x60", 14));
}

}  // namespace porukami::testing
