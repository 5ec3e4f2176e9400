// The program's command line.
#ifndef VELK_FRONTENDS_COMMAND_LINE_H_
#define VELK_FRONTENDS_COMMAND_LINE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "velk/version.h"

namespace velk {

struct CommandLine {
  bool Console = false;               // --console: chat on standard input and output
  bool Exchange = false;              // "/m" anywhere in the arguments: bot-to-bot mode
  bool NoLog = false;                 // --no-log: write no velk.log
  bool Help = false;                  // --help
  bool Version = false;               // --version
  std::optional<std::uint32_t> Seed;  // --seed N or --seed=N: a fixed seed for every InitEngine
  std::string Error;                  // one line naming the bad argument; empty when all is well
};

// Reads the arguments after the program name. "/m" selects the exchange when
// it stands anywhere in the arguments joined by blanks, even inside a longer
// argument ("x/my"); "/M" does not.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// `text` as a whole number from `low` to `high`, digits only (a minus sign
// allowed); nothing when it is anything else.
std::optional<long long> ParseWholeNumber(std::string_view text, long long low, long long high);

// The usage text for --help.
std::string UsageText();

// The line after a bad argument's error, pointing to --help.
std::string UsageHint();

inline constexpr const char* kVersion = "velk " VELK_VERSION;

}  // namespace velk

#endif  // VELK_FRONTENDS_COMMAND_LINE_H_
