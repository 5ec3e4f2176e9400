#include "frontends/companion_files.h"

#include <unistd.h>

#include <climits>

namespace velk {

std::string ExecutablePath() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
  // A full buffer may be a cut-off path; better to look the file up by name.
  if (length <= 0 || static_cast<size_t>(length) >= sizeof path) return "";
  return std::string(path, static_cast<size_t>(length));
}

std::vector<std::string> CompanionPlaces(std::string_view executablePath,
                                         std::string_view installedDir, std::string_view fileName) {
  std::vector<std::string> places;
  const size_t slash = executablePath.rfind('/');
  if (slash == std::string_view::npos) return places;
  const std::string folder(executablePath.substr(0, slash + 1));
  places.push_back(folder + std::string(fileName));
  if (!installedDir.empty()) {
    std::string installed = folder + "../" + std::string(installedDir);
    if (installed.back() != '/') installed += '/';
    places.push_back(installed + std::string(fileName));
  }
  return places;
}

}  // namespace velk
