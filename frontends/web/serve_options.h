// The command line of velk serve.
#ifndef VELK_FRONTENDS_WEB_SERVE_OPTIONS_H_
#define VELK_FRONTENDS_WEB_SERVE_OPTIONS_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velk {

struct ServeOptions {
  std::string Host = "127.0.0.1";  // --listen ADDRESS:PORT; "[::1]:8080" for IPv6
  int Port = 8080;                 // 0: any free port, said in the start line
  std::string DbPath = "velk.db";  // --db PATH
  // --held N: conversations kept in memory at most; the others wait in the
  // database and come back on their next line.
  std::size_t MaxHeld = 10000;
  // --idle SECONDS: a conversation untouched this long leaves memory.
  int IdleSeconds = 600;
  bool Help = false;
  std::string Error;  // one line naming the bad argument; empty when all is well
};

ServeOptions ParseServeOptions(const std::vector<std::string>& args);

std::string ServeUsageText();

}  // namespace velk

#endif  // VELK_FRONTENDS_WEB_SERVE_OPTIONS_H_
