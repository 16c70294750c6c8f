// porukami-cli: the game's core from a terminal. Scripted play, a content linter, a month
// simulator and its report; see the usage texts.
#include <cstring>
#include <iostream>

#include "cli/cli.h"

namespace {

void Usage(std::ostream& out) {
  out << "usage: porukami-cli drive|lint|sim|report ...   (porukami-cli help for the details)\n";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace porukami::cli;
  if (argc < 2) {
    Usage(std::cerr);
    return 2;
  }
  const Args args(argv + 2, argv + argc);
  const std::string sub = argv[1];
  if (sub == "drive") return Drive(args);
  if (sub == "lint") return Lint(args);
  if (sub == "sim") return Sim(args);
  if (sub == "report") return Report(args);
  if (sub == "help" || sub == "--help" || sub == "-h") {
    std::cout << kDriveUsage << '\n' << kLintUsage << '\n' << kSimUsage << '\n' << kReportUsage;
    return 0;
  }
  Usage(std::cerr);
  return 2;
}
