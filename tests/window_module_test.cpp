#include "frontends/window_module.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(WindowModuleTest, PlacesBesideTheProgramThenInstalledThenByName) {
  static const struct {
    const char* Label;
    const char* Executable;
    const char* InstalledDir;
    std::vector<std::string> Expected;
  } kCases[] = {
      {"build folder",
       "/src/velk/build/velk",
       "lib/velk",
       {"/src/velk/build/libvelk_windows.so", "/src/velk/build/../lib/velk/libvelk_windows.so",
        "libvelk_windows.so"}},
      {"multiarch install",
       "/usr/bin/velk",
       "lib/x86_64-linux-gnu/velk/",
       {"/usr/bin/libvelk_windows.so", "/usr/bin/../lib/x86_64-linux-gnu/velk/libvelk_windows.so",
        "libvelk_windows.so"}},
      {"at the root",
       "/velk",
       "lib/velk",
       {"/libvelk_windows.so", "/../lib/velk/libvelk_windows.so", "libvelk_windows.so"}},
      {"no installed folder", "/opt/velk", "", {"/opt/libvelk_windows.so", "libvelk_windows.so"}},
      // Without a path to the program only the loader's own search is left;
      // a relative name must never be taken for a folder.
      {"unknown program", "", "lib/velk", {"libvelk_windows.so"}},
      {"name without folder", "velk", "lib/velk", {"libvelk_windows.so"}},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.Expected, WindowModulePlaces(c.Executable, c.InstalledDir)) << c.Label;
  }
}

}  // namespace
}  // namespace velk
