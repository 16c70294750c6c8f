#pragma once
// Running porukami-cli on content folders made by the tests, and golden files.
#include <string>
#include <vector>

#include "support/fakes.h"

namespace porukami::testing {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs porukami-cli with `args`, `input` as its standard input.
CliRun RunCli(const std::vector<std::string>& args, const std::string& input = "");

// A small PNG picture under img/NAME.dat.
void PngPicture(TempContent& content, const std::string& name);

// A complete little month: a catalogue of nine items, every scene the game asks for (one or two
// lines each; the opening uses pictures, a face, the name and a page; each finale writes the
// memories page), the pictures they show and the page pieces.
void TestMonth(TempContent& content);

// The file tests/cli/golden/NAME.
std::string Golden(const std::string& name);
// Compares `actual` with golden/NAME line by line; with PORUKAMI_UPDATE_GOLDEN=1 in the
// environment, writes it there instead.
void ExpectGolden(const std::string& name, const std::string& actual);
// Replaces every occurrence of `from` in `s` by `to`.
std::string ReplaceAll(std::string s, const std::string& from, const std::string& to);

}  // namespace porukami::testing
