#include "frontends/display_check.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

namespace velk {
namespace {

TEST(DisplayCheckTest, KeepsOnlyThePlatformsThatAnswer) {
  static const struct {
    const char* Label;
    std::map<std::string, std::string> Environment;
    bool XUp;
    bool WaylandUp;
    const char* Platforms;
    const char* Problem;
  } kCases[] = {
      {"no display at all", {}, true, true, "", ""},
      {"X answers", {{"DISPLAY", ":0"}}, true, false, "xcb", ""},
      {"X silent",
       {{"DISPLAY", ":99"}},
       false,
       false,
       "",
       "cannot reach the display (DISPLAY=:99)"},
      {"Wayland answers, X too",
       {{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_RUNTIME_DIR", "/run/user/1"}, {"DISPLAY", ":0"}},
       true,
       true,
       "wayland;xcb",
       ""},
      {"an X session keeps to X",
       {{"WAYLAND_DISPLAY", "w"},
        {"XDG_RUNTIME_DIR", "/r"},
        {"DISPLAY", ":0"},
        {"XDG_SESSION_TYPE", "x11"}},
       true,
       true,
       "xcb;wayland",
       ""},
      {"stale Wayland, X answers",
       {{"WAYLAND_DISPLAY", "w"}, {"XDG_RUNTIME_DIR", "/r"}, {"DISPLAY", ":0"}},
       true,
       false,
       "xcb",
       ""},
      {"Wayland silent",
       {{"WAYLAND_DISPLAY", "wayland-9"}, {"XDG_RUNTIME_DIR", "/r"}},
       true,
       false,
       "",
       "cannot reach the display (WAYLAND_DISPLAY=wayland-9)"},
      {"Wayland without a runtime folder", {{"WAYLAND_DISPLAY", "w"}}, true, true, "", "(WAYLAND"},
      {"a platform that needs no display",
       {{"QT_QPA_PLATFORM", "offscreen"}},
       false,
       false,
       "offscreen",
       ""},
      {"a named list keeps what answers",
       {{"QT_QPA_PLATFORM", "wayland;xcb:nograb;offscreen"}, {"DISPLAY", ":0"}},
       true,
       false,
       "xcb:nograb;offscreen",
       ""},
      {"a named platform that cannot answer",
       {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":99"}},
       false,
       true,
       "",
       "cannot reach the display (QT_QPA_PLATFORM=xcb, DISPLAY=:99)"},
  };
  for (const auto& c : kCases) {
    std::string askedX;
    std::string askedWayland;
    const DisplayProbes probes{
        .Environment = [&](const char* name) -> const char* {
          const auto found = c.Environment.find(name);
          return found == c.Environment.end() ? nullptr : found->second.c_str();
        },
        .ReachX =
            [&](const std::string& display) {
              askedX += display + " ";
              return c.XUp;
            },
        .ReachWayland =
            [&](const std::string& socket) {
              askedWayland += socket + " ";
              return c.WaylandUp;
            },
    };
    const DisplayCheck check = CheckDisplay(probes);
    EXPECT_EQ(check.Platforms, c.Platforms) << c.Label;
    if (*c.Problem == '\0') {
      EXPECT_EQ(check.Problem, "") << c.Label;
    } else {
      EXPECT_NE(check.Problem.find(c.Problem), std::string::npos)
          << c.Label << ": " << check.Problem;
    }
    // Each display is asked at most once, at the place libwayland would use.
    EXPECT_LE(askedX.size(), std::string(":99 ").size()) << c.Label;
    if (!askedWayland.empty()) {
      EXPECT_EQ(askedWayland.find('/'), 0u) << c.Label;
    }
  }
}

class SocketTest : public ::testing::Test {
 protected:
  SocketTest() {
    std::string pattern = (std::filesystem::path(::testing::TempDir()) / "velk_display_XXXXXX");
    dir_ = ::mkdtemp(pattern.data());
  }
  ~SocketTest() override {
    if (fd_ >= 0) ::close(fd_);
    std::filesystem::remove_all(dir_);
  }
  std::string dir_;
  int fd_ = -1;
};

TEST_F(SocketTest, UnixSocketAnswersOnlyWhileListened) {
  const std::string path = dir_ + "/wayland-0";
  EXPECT_FALSE(ReachUnixSocket(path)) << "no socket";
  fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strcpy(address.sun_path, path.c_str());
  ASSERT_EQ(::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  EXPECT_FALSE(ReachUnixSocket(path)) << "bound, not listening";
  ASSERT_EQ(::listen(fd_, 4), 0);
  EXPECT_TRUE(ReachUnixSocket(path));
  EXPECT_FALSE(ReachUnixSocket(""));
}

// A peer that takes the connection and never answers must not hold the
// program up beyond the deadline.
TEST_F(SocketTest, SilentXServerIsGivenUpAtTheDeadline) {
  fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int display = 40;
  for (; display < 64; ++display) {
    address.sin_port = htons(static_cast<std::uint16_t>(6000 + display));
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) break;
  }
  ASSERT_LT(display, 64) << "no free X port";
  ASSERT_EQ(::listen(fd_, 4), 0);

  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(ReachX11("127.0.0.1:" + std::to_string(display), std::chrono::milliseconds(200)));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(DisplayCheckTest, NoXServerIsNoDisplay) {
  EXPECT_FALSE(ReachX11(":4242", std::chrono::milliseconds(2000)));
}

}  // namespace
}  // namespace velk
