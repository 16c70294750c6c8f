#pragma once
// porukami-cli run from outside, as a content author runs it.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
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

}  // namespace porukami::testing
