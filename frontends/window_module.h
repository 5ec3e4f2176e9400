// The windows live in a module of their own, loaded only when one is opened,
// so that the console front ends never map or relocate the window toolkit.
// This header is shared by the program (which loads the module) and the module
// (which defines the entry point); it knows no toolkit.
#ifndef VELK_FRONTENDS_WINDOW_MODULE_H_
#define VELK_FRONTENDS_WINDOW_MODULE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velk {

// What a window needs from the command line. A plain C layout, so that the
// two sides agree on it even when only one of them was rebuilt; a change to
// it must come with a new entry point name.
struct WindowRequest {
  int Kind;     // 0: the chat window, 1: the exchange window
  int NoLog;    // nonzero: write no velk.log
  int HasSeed;  // nonzero: Seed is a fixed seed for every InitEngine
  std::uint32_t Seed;
};

inline constexpr int kChatWindowKind = 0;
inline constexpr int kExchangeWindowKind = 1;

inline constexpr const char* kWindowModuleFile = "libvelk_windows.so";
inline constexpr const char* kWindowEntryPoint = "velk_run_window_v1";

// Opens the window `request` names and runs it until it closes; returns the
// program's exit status. `argc` and `argv` go to the toolkit, which may take
// its own options out of them.
using WindowEntry = int (*)(const WindowRequest* request, int* argc, char** argv);

// The places tried in order: beside the executable (the build folder), in
// `installedDir` relative to the executable's folder's parent (the installed
// layout, bin/ next to lib/velk/), then the bare file name, which the loader
// looks up along LD_LIBRARY_PATH and the system's folders. The first two need
// the executable's path and are left out without one.
std::vector<std::string> WindowModulePlaces(std::string_view executablePath,
                                            std::string_view installedDir);

struct LoadedWindowModule {
  WindowEntry Run = nullptr;  // null when the module could not be loaded
  std::string Error;          // why not, in one line
};

// Loads the module and finds its entry point. A module found at one of the
// executable's places that fails to load is reported as it is, rather than
// passed over for some other copy. The module stays loaded for the life of the process.
LoadedWindowModule LoadWindowModule();

}  // namespace velk

extern "C" int velk_run_window_v1(const velk::WindowRequest* request, int* argc, char** argv);

#endif  // VELK_FRONTENDS_WINDOW_MODULE_H_
