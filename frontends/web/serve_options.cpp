#include "frontends/web/serve_options.h"

#include <optional>

#include "frontends/command_line.h"

namespace velk {
namespace {

// "ADDRESS:PORT", "[IPv6]:PORT" or ":PORT" (every address).
bool ParseListen(const std::string& text, ServeOptions& options) {
  const std::size_t colon = text.rfind(':');
  if (colon == std::string::npos) return false;
  std::string host = text.substr(0, colon);
  const auto port = ParseWholeNumber(text.substr(colon + 1), 0, 65535);
  if (!port) return false;
  if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
    host = host.substr(1, host.size() - 2);
  } else if (host.find(':') != std::string::npos) {
    return false;  // an IPv6 address needs its brackets
  }
  options.Host = host.empty() ? "0.0.0.0" : host;
  options.Port = static_cast<int>(*port);
  return true;
}

}  // namespace

ServeOptions ParseServeOptions(const std::vector<std::string>& args) {
  ServeOptions options;
  for (std::size_t i = 0; i < args.size() && options.Error.empty(); ++i) {
    std::string name = args[i];
    std::optional<std::string> value;
    if (const std::size_t equals = name.find('='); name.starts_with("--") && equals != name.npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
    }
    if (name == "--help" || name == "-h") {
      options.Help = true;
      continue;
    }
    if (name != "--listen" && name != "--db" && name != "--held" && name != "--idle") {
      options.Error = "unknown argument '" + args[i] + "'";
      break;
    }
    if (!value) {
      if (i + 1 == args.size()) {
        options.Error = name + " needs a value";
        break;
      }
      value = args[++i];
    }
    if (name == "--listen") {
      if (!ParseListen(*value, options)) {
        options.Error = "--listen " + *value + ": not ADDRESS:PORT (port 0 to 65535)";
      }
    } else if (name == "--db") {
      if (value->empty()) options.Error = "--db needs a file name";
      options.DbPath = *value;
    } else if (name == "--held") {
      const auto held = ParseWholeNumber(*value, 1, 10'000'000);
      if (held)
        options.MaxHeld = static_cast<std::size_t>(*held);
      else
        options.Error = "--held " + *value + ": not a number from 1 to 10000000";
    } else {
      const auto idle = ParseWholeNumber(*value, 1, 86'400);
      if (idle)
        options.IdleSeconds = static_cast<int>(*idle);
      else
        options.Error = "--idle " + *value + ": not a number of seconds from 1 to 86400";
    }
  }
  return options;
}

std::string ServeUsageText() {
  return "usage: velk serve [--listen ADDRESS:PORT] [--db PATH] [--held N] [--idle SECONDS]\n"
         "Offer the chat with Velk as a web page at / and as an HTTP API under\n"
         "/api/conversations, each conversation kept in an SQLite database.\n"
         "  --listen ADDRESS:PORT  where to listen (default 127.0.0.1:8080; [::1]:8080\n"
         "                         for IPv6, :8080 for every address, port 0 for any\n"
         "                         free port)\n"
         "  --db PATH              the database (default ./velk.db; created if missing)\n"
         "  --held N               conversations kept in memory at most (default 10000)\n"
         "  --idle SECONDS         time after which an untouched conversation leaves\n"
         "                         memory (default 600)\n"
         "  --help                 show this text\n"
         "Every answered line is committed to the database before its reply is sent.\n"
         "SIGINT or SIGTERM stops the service after the requests in flight.\n";
}

}  // namespace velk
