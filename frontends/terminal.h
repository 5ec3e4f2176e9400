// The console chat's hold on its terminal: key presses during a reveal, and
// a clean terminal when a signal stops the program.
#ifndef VELK_FRONTENDS_TERMINAL_H_
#define VELK_FRONTENDS_TERMINAL_H_

#include <termios.h>

namespace velk {

// Keeps the terminal's settings as found on `fd`, to be restored when a
// signal stops the program (see InstallStopHandlers).
void KeepTerminalSettings(int fd);

// While one lives, keys typed on the terminal `fd` are neither echoed nor
// held back until Enter: they wait, unread, so that a key can end a reveal
// and still be read as typed afterwards. Does nothing on a non-terminal.
class QuietKeys {
 public:
  explicit QuietKeys(int fd);
  ~QuietKeys();
  QuietKeys(const QuietKeys&) = delete;
  QuietKeys& operator=(const QuietKeys&) = delete;

 private:
  int fd_;
  termios before_{};
  bool changed_ = false;
};

// Waits up to `milliseconds` for input on `fd`, leaving it unread; true when
// some is waiting.
bool WaitForInput(int fd, int milliseconds);

// SIGINT and SIGTERM end the program: on a terminal the current line is ended
// first (`lineOnTerminal`) and the kept settings restored, then one line goes
// to standard error and the program dies of the signal, as its parent
// expects. A SIGINT that the parent ignores stays ignored.
void InstallStopHandlers(bool lineOnTerminal);

}  // namespace velk

#endif  // VELK_FRONTENDS_TERMINAL_H_
