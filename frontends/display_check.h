// Whether a window can be opened, found out before the window toolkit is
// loaded: the toolkit ends the program when the display it was pointed at
// cannot be reached.
#ifndef VELK_FRONTENDS_DISPLAY_CHECK_H_
#define VELK_FRONTENDS_DISPLAY_CHECK_H_

#include <chrono>
#include <functional>
#include <string>

namespace velk {

struct DisplayCheck {
  // The toolkit platforms to use, best first, as QT_QPA_PLATFORM takes them
  // ("wayland;xcb"); empty when no window can be opened.
  std::string Platforms;
  // Why a display that was named cannot be reached, in a few words; empty
  // when there is none to reach, or one was reached.
  std::string Problem;
};

// What CheckDisplay looks at, replaceable for tests.
struct DisplayProbes {
  std::function<const char*(const char*)> Environment;
  // Whether an X server answers at this display name.
  std::function<bool(const std::string&)> ReachX;
  // Whether a Wayland compositor listens at this socket path.
  std::function<bool(const std::string&)> ReachWayland;
};

// The real environment and probes.
DisplayProbes SystemDisplayProbes();

// Looks at QT_QPA_PLATFORM, WAYLAND_DISPLAY (with XDG_RUNTIME_DIR), DISPLAY
// and XDG_SESSION_TYPE, and keeps the platforms whose display answers. A
// platform that needs no display (offscreen, vnc, ...) is kept as named.
DisplayCheck CheckDisplay(const DisplayProbes& probes);

// An X connection at `display`, given up after `deadline`: connecting to a
// host that accepts but never answers would otherwise wait for ever. Loads the
// X client library only when called, so that the console never maps it.
// Forks, so call it before any thread is started.
bool ReachX11(const std::string& display, std::chrono::milliseconds deadline);

// A Unix socket that accepts a connection at `path`.
bool ReachUnixSocket(const std::string& path);

}  // namespace velk

#endif  // VELK_FRONTENDS_DISPLAY_CHECK_H_
