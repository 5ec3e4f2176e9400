#include "frontends/command_line.h"

#include <charconv>

namespace velk {
namespace {

std::optional<std::uint32_t> ParseSeed(const std::string& text) {
  const auto value = ParseWholeNumber(text, 0, 4294967295);
  if (!value) return std::nullopt;
  return static_cast<std::uint32_t>(*value);
}

}  // namespace

std::optional<long long> ParseWholeNumber(std::string_view text, long long low, long long high) {
  long long value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || ptr != end || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

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
    } else if (arg == "--seed" || arg.starts_with("--seed=")) {
      // "--seed N" or "--seed=N"; the error quotes the form that was typed.
      const bool joinedForm = arg != "--seed";
      if (!joinedForm && i + 1 == args.size()) {
        result.Error = "--seed needs a number";
        continue;
      }
      const std::string value = joinedForm ? arg.substr(sizeof "--seed=" - 1) : args[++i];
      if (!(result.Seed = ParseSeed(value))) {
        result.Error =
            (joinedForm ? arg : "--seed " + value) + ": not a number from 0 to 4294967295";
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
         "       velk serve [--listen ADDRESS:PORT] [--db PATH] (see velk serve --help)\n"
         "Chat with Velk in a window, or on the terminal when there is no display.\n"
         "  --console      chat on standard input and output instead of in a window\n"
         "  --seed N       fix the random seed (0 to 4294967295), for repeatable replies\n"
         "  --seed=N       the same\n"
         "  --no-log       do not append the conversation to velk.log\n"
         "  /m             let two running copies talk to each other\n"
         "  --help         show this text\n"
         "  --version      show the version\n"
         "Type the single word exit to end the chat. The conversation is appended to\n"
         "velk.log in the current directory.\n"
         "With /m the copies exchange lines through VelkA.ini and VelkB.ini in\n"
         "$VELK_EXCHANGE_DIR if set, else in $XDG_RUNTIME_DIR/velk, else in\n"
         "/tmp/velk-<uid>, one step every 3 seconds; VELK_EXCHANGE_TICK_MS sets\n"
         "another step in milliseconds (10 to 60000).\n"
         "velk serve offers the chat as a web page and an HTTP API, by default on\n"
         "http://127.0.0.1:8080, with its conversations kept in ./velk.db.\n";
}

std::string UsageHint() { return "Try 'velk --help' for more information.\n"; }

}  // namespace velk
