// `velk serve`: the web service is a program of its own beside velk, so that
// the chat starts without the HTTP and database libraries.
#ifndef VELK_FRONTENDS_SERVE_COMMAND_H_
#define VELK_FRONTENDS_SERVE_COMMAND_H_

#include <string>
#include <vector>

namespace velk {

inline constexpr const char* kServeCommand = "serve";
inline constexpr const char* kServeProgramFile = "velk-serve";

// Replaces this process with the web service, given `args` (what followed
// "serve"). Returns only when it could not be started, with the status to
// exit with, having said why on standard error.
int RunServeProgram(std::vector<std::string> args);

}  // namespace velk

#endif  // VELK_FRONTENDS_SERVE_COMMAND_H_
