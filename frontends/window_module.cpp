#include "frontends/window_module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

// Where an installed program keeps the module, relative to its prefix; the
// build sets it to match its install rule.
#ifndef VELK_WINDOW_MODULE_DIR
#define VELK_WINDOW_MODULE_DIR "lib/velk"
#endif

namespace velk {
namespace {

std::string ExecutablePath() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
  // A full buffer may be a cut-off path; better to look the module up by name.
  if (length <= 0 || static_cast<size_t>(length) >= sizeof path) return "";
  return std::string(path, static_cast<size_t>(length));
}

std::string LastLoadError() {
  const char* error = ::dlerror();
  std::string line = error ? error : "unknown error";
  for (char& c : line) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return line;
}

}  // namespace

std::vector<std::string> WindowModulePlaces(std::string_view executablePath,
                                            std::string_view installedDir) {
  std::vector<std::string> places;
  const size_t slash = executablePath.rfind('/');
  if (slash != std::string_view::npos) {
    const std::string folder(executablePath.substr(0, slash + 1));
    places.push_back(folder + kWindowModuleFile);
    if (!installedDir.empty()) {
      std::string installed = folder + "../" + std::string(installedDir);
      if (installed.back() != '/') installed += '/';
      places.push_back(installed + kWindowModuleFile);
    }
  }
  places.emplace_back(kWindowModuleFile);
  return places;
}

LoadedWindowModule LoadWindowModule() {
  LoadedWindowModule module;
  void* handle = nullptr;
  for (const std::string& place : WindowModulePlaces(ExecutablePath(), VELK_WINDOW_MODULE_DIR)) {
    const bool byPath = place.find('/') != std::string::npos;
    if (byPath && ::access(place.c_str(), F_OK) != 0) continue;
    // RTLD_NOW: a missing symbol shows here, where there is still a console
    // to fall back to, not halfway through opening the window.
    handle = ::dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle != nullptr) break;
    module.Error = LastLoadError();
    if (byPath) return module;
  }
  if (handle == nullptr) return module;
  // The toolkit registers exit handlers in the module, so it is never closed.
  void* entry = ::dlsym(handle, kWindowEntryPoint);
  if (entry == nullptr) {
    module.Error = LastLoadError();
    return module;
  }
  module.Run = reinterpret_cast<WindowEntry>(entry);
  module.Error.clear();
  return module;
}

}  // namespace velk
