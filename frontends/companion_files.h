// Files installed beside the program: the window module and the web service.
#ifndef VELK_FRONTENDS_COMPANION_FILES_H_
#define VELK_FRONTENDS_COMPANION_FILES_H_

#include <string>
#include <string_view>
#include <vector>

namespace velk {

// Where an installed program keeps its companions, relative to its prefix;
// the build sets it to match its install rules.
#ifndef VELK_COMPANION_DIR
#define VELK_COMPANION_DIR "lib/velk"
#endif

// The running program's own path, or empty when it cannot be read.
std::string ExecutablePath();

// The places `fileName` is looked for, in order: beside the executable (the
// build folder), then in `installedDir` relative to the executable's folder's
// parent (the installed layout, bin/ next to lib/velk/). Both need the
// executable's path and are left out without one.
std::vector<std::string> CompanionPlaces(std::string_view executablePath,
                                         std::string_view installedDir, std::string_view fileName);

}  // namespace velk

#endif  // VELK_FRONTENDS_COMPANION_FILES_H_
