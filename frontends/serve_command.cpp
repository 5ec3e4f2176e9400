#include "frontends/serve_command.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

#include "frontends/companion_files.h"

namespace velk {

int RunServeProgram(std::vector<std::string> args) {
  std::vector<char*> argv;
  std::string name = kServeProgramFile;
  argv.push_back(name.data());
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  int error = ENOENT;
  for (const std::string& place :
       CompanionPlaces(ExecutablePath(), VELK_COMPANION_DIR, kServeProgramFile)) {
    ::execv(place.c_str(), argv.data());
    if (errno != ENOENT) error = errno;
  }
  std::cerr << "velk: cannot start the web service " << kServeProgramFile << ": "
            << std::strerror(error) << '\n';
  return error == ENOENT ? 127 : 126;
}

}  // namespace velk
