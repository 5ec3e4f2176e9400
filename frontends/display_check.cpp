#include "frontends/display_check.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace velk {
namespace {

// Long enough for a display forwarded over a slow network.
constexpr std::chrono::milliseconds kXDeadline{2000};

// The two calls of the X client library that the probe needs, declared here
// so that building the program needs none of its headers.
struct XcbConnection;
using XcbConnect = XcbConnection* (*)(const char* display, int* screen);
using XcbHasError = int (*)(XcbConnection* connection);

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
  void* library = ::dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return false;
  const auto connect = reinterpret_cast<XcbConnect>(::dlsym(library, "xcb_connect"));
  const auto hasError = reinterpret_cast<XcbHasError>(::dlsym(library, "xcb_connection_has_error"));
  if (connect == nullptr || hasError == nullptr) return false;

  // The connection has no timeout of its own, so a child process makes it
  // and reports through a pipe; one that takes too long is killed.
  int pipe[2];
  if (::pipe2(pipe, O_CLOEXEC) != 0) return false;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipe[0]);
    const char answer = hasError(connect(display.c_str(), nullptr)) == 0 ? 'y' : 'n';
    const ssize_t written = ::write(pipe[1], &answer, 1);
    ::_exit(written == 1 ? 0 : 1);
  }
  ::close(pipe[1]);
  char answer = 'n';
  if (child > 0) {
    pollfd reply{.fd = pipe[0], .events = POLLIN, .revents = 0};
    int ready = 0;
    do {
      ready = ::poll(&reply, 1, static_cast<int>(deadline.count()));
    } while (ready < 0 && errno == EINTR);
    if (ready != 1 || ::read(pipe[0], &answer, 1) != 1) ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
  }
  ::close(pipe[0]);
  return answer == 'y';
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
