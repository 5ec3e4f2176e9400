#include "frontends/command_line.h"

#include <charconv>

namespace velk {
namespace {

std::optional<std::uint32_t> ParseSeed(const std::string& text) {
  std::uint32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || ptr != end) return std::nullopt;
  return value;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine result;
  std::string joined;
  for (const std::string& arg : args) joined += (joined.empty() ? "" : " ") + arg;
  result.Exchange = joined.find("/m") != std::string::npos;

  for (std::size_t i = 0; i < args.size() && result.Error.empty(); ++i) {
    const std::string& arg = args[i];
    if (arg.empty()) continue;
    if (arg == "--console") {
      result.Console = true;
    } else if (arg == "--no-log") {
      result.NoLog = true;
    } else if (arg == "--help" || arg == "-h") {
      result.Help = true;
    } else if (arg == "--version") {
      result.Version = true;
    } else if (arg == "--seed") {
      if (i + 1 == args.size()) {
        result.Error = "--seed needs a number";
      } else if (!(result.Seed = ParseSeed(args[++i]))) {
        result.Error = "--seed " + args[i] + ": not a number from 0 to 4294967295";
      }
    } else if (arg.find("/m") == std::string::npos && arg.front() != '/') {
      // Slash switches other than /m select nothing: they are passed over
      // rather than refused, so that "/M" opens the chat.
      result.Error = "unknown argument '" + arg + "'";
    }
  }
  return result;
}

std::string UsageText() {
  return "usage: velk [--console] [--seed N] [--no-log] [/m] [--help] [--version]\n"
         "  --console   chat on standard input and output instead of in a window\n"
         "  --seed N    fix the random seed (0 to 4294967295), for repeatable replies\n"
         "  --no-log    do not append the conversation to velk.log\n"
         "  /m          let two running copies talk to each other\n"
         "  --help      show this text\n"
         "  --version   show the version\n";
}

}  // namespace velk
