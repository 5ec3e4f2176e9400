#include "frontends/terminal.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <initializer_list>

namespace velk {
namespace {

// Read by the signal handler, so plain data set up before it is installed.
termios keptSettings;
int keptFd = -1;
bool endLineOnStop = false;

void WriteAll(int fd, const char* text) {
  for (std::size_t left = std::strlen(text); left > 0;) {
    const ssize_t n = ::write(fd, text, left);
    if (n <= 0) return;
    text += n;
    left -= static_cast<std::size_t>(n);
  }
}

// Only async-signal-safe calls.
extern "C" void OnStopSignal(int signal) {
  if (endLineOnStop) WriteAll(STDOUT_FILENO, "\n");
  if (keptFd >= 0) ::tcsetattr(keptFd, TCSANOW, &keptSettings);
  WriteAll(STDERR_FILENO, signal == SIGINT ? "velk: interrupted\n" : "velk: terminated\n");
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

void KeepTerminalSettings(int fd) {
  if (::tcgetattr(fd, &keptSettings) == 0) keptFd = fd;
}

QuietKeys::QuietKeys(int fd) : fd_(fd) {
  if (::tcgetattr(fd_, &before_) != 0) return;
  termios quiet = before_;
  quiet.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  quiet.c_cc[VMIN] = 1;
  quiet.c_cc[VTIME] = 0;
  // TCSANOW keeps what was typed so far.
  changed_ = ::tcsetattr(fd_, TCSANOW, &quiet) == 0;
}

QuietKeys::~QuietKeys() {
  if (changed_) ::tcsetattr(fd_, TCSANOW, &before_);
}

bool WaitForInput(int fd, int milliseconds) {
  pollfd ready{fd, POLLIN, 0};
  return ::poll(&ready, 1, milliseconds) > 0;
}

void InstallStopHandlers(bool lineOnTerminal) {
  endLineOnStop = lineOnTerminal;
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGINT, SIGTERM}) {
    struct sigaction previous {};
    if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace velk
