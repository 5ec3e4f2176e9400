#include "frontends/window_module.h"

#include <dlfcn.h>
#include <unistd.h>

#include "frontends/companion_files.h"

namespace velk {
namespace {

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
  std::vector<std::string> places =
      CompanionPlaces(executablePath, installedDir, kWindowModuleFile);
  places.emplace_back(kWindowModuleFile);
  return places;
}

LoadedWindowModule LoadWindowModule() {
  LoadedWindowModule module;
  void* handle = nullptr;
  for (const std::string& place : WindowModulePlaces(ExecutablePath(), VELK_COMPANION_DIR)) {
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
