#pragma once
// The subcommands of porukami-cli. Each takes the arguments after its name and returns the exit
// status.
#include <string>
#include <vector>

namespace porukami::cli {

using Args = std::vector<std::string>;

int Drive(const Args& args);
int Lint(const Args& args);
int Sim(const Args& args);
int Report(const Args& args);

// Usage texts, printed by "help" and on a wrong command line.
extern const char* const kDriveUsage;
extern const char* const kLintUsage;
extern const char* const kSimUsage;
extern const char* const kReportUsage;

}  // namespace porukami::cli
