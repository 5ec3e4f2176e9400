#include "frontends/display_check.h"

#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <future>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace velk {
namespace {

// Long enough for a display forwarded over a slow network.
constexpr std::chrono::milliseconds kXDeadline{2000};

// The three calls of the X client library that the probe needs, declared
// here so that building the program needs none of its headers.
struct XcbConnection;
using XcbConnect = XcbConnection* (*)(const char* display, int* screen);
using XcbHasError = int (*)(XcbConnection* connection);
using XcbDisconnect = void (*)(XcbConnection* connection);

std::string Get(const DisplayProbes& probes, const char* name) {
  const char* value = probes.Environment(name);
  return value != nullptr ? value : "";
}

std::vector<std::string> Platforms(const std::string& list) {
  std::vector<std::string> platforms;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t end = std::min(list.find(';', start), list.size());
    if (end > start) platforms.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return platforms;
}

// Where libwayland looks for the compositor's socket; empty when it cannot.
std::string WaylandSocket(const DisplayProbes& probes, const std::string& display) {
  if (display.front() == '/') return display;
  const std::string runtime = Get(probes, "XDG_RUNTIME_DIR");
  return runtime.empty() ? "" : runtime + "/" + display;
}

}  // namespace

DisplayProbes SystemDisplayProbes() {
  return {
      .Environment = [](const char* name) -> const char* { return std::getenv(name); },
      .ReachX = [](const std::string& display) { return ReachX11(display, kXDeadline); },
      .ReachWayland = ReachUnixSocket,
  };
}

DisplayCheck CheckDisplay(const DisplayProbes& probes) {
  const std::string named = Get(probes, "QT_QPA_PLATFORM");
  const std::string wayland = Get(probes, "WAYLAND_DISPLAY");
  const std::string x = Get(probes, "DISPLAY");
  std::vector<std::string> wanted = Platforms(named);
  if (wanted.empty()) {
    if (wayland.empty() && x.empty()) return {};  // no display at all
    // The toolkit's own order: an X session keeps to X.
    wanted = Get(probes, "XDG_SESSION_TYPE") == "x11" ? std::vector<std::string>{"xcb", "wayland"}
                                                      : std::vector<std::string>{"wayland", "xcb"};
  }

  // Each display is asked once, and only when a platform needs it.
  std::optional<bool> waylandUp;
  std::optional<bool> xUp;
  DisplayCheck check;
  for (const std::string& platform : wanted) {
    const std::string name = platform.substr(0, platform.find(':'));
    bool up = true;  // a platform that needs no display
    if (name == "xcb") {
      if (!xUp) xUp = !x.empty() && probes.ReachX(x);
      up = *xUp;
    } else if (name.rfind("wayland", 0) == 0) {
      if (!waylandUp) {
        const std::string socket = wayland.empty() ? "" : WaylandSocket(probes, wayland);
        waylandUp = !socket.empty() && probes.ReachWayland(socket);
      }
      up = *waylandUp;
    }
    if (!up) continue;
    if (!check.Platforms.empty()) check.Platforms += ';';
    check.Platforms += platform;
  }
  if (check.Platforms.empty()) {
    std::string shown;
    for (const char* variable : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) {
      const std::string value = Get(probes, variable);
      if (value.empty()) continue;
      shown += (shown.empty() ? "" : ", ") + std::string(variable) + "=" + value;
    }
    check.Problem = "cannot reach the display (" + shown + ")";
  }
  return check;
}

bool ReachX11(const std::string& display, std::chrono::milliseconds deadline) {
  // Never closed: a probe past its deadline may still be inside it.
  void* library = ::dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return false;
  const auto connect = reinterpret_cast<XcbConnect>(::dlsym(library, "xcb_connect"));
  const auto hasError = reinterpret_cast<XcbHasError>(::dlsym(library, "xcb_connection_has_error"));
  const auto disconnect = reinterpret_cast<XcbDisconnect>(::dlsym(library, "xcb_disconnect"));
  if (connect == nullptr || hasError == nullptr || disconnect == nullptr) return false;

  // The connection has no timeout of its own, so it runs on a thread of its
  // own that is left behind when it takes too long.
  auto answer = std::make_shared<std::promise<bool>>();
  std::future<bool> reached = answer->get_future();
  std::thread([=] {
    XcbConnection* connection = connect(display.c_str(), nullptr);
    const bool ok = hasError(connection) == 0;
    disconnect(connection);  // also after an error, as the library asks
    answer->set_value(ok);
  }).detach();
  return reached.wait_for(deadline) == std::future_status::ready && reached.get();
}

bool ReachUnixSocket(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.data(), path.size());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  const int result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  // A compositor too busy to take the connection at once is still there.
  const bool listening = result == 0 || errno == EAGAIN || errno == EINPROGRESS;
  ::close(fd);
  return listening;
}

}  // namespace velk
