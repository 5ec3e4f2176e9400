#include "frontends/console_program.h"

#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "frontends/console_chat.h"
#include "frontends/line_reader.h"
#include "frontends/start_up.h"
#include "frontends/terminal.h"
#ifdef VELK_LINE_EDITING
#include "frontends/line_editor.h"
#endif

namespace velk {
namespace {

// Keys stay quiet on the terminal except while a line is being read, so that
// a key pressed during a reveal ends it unseen and is read afterwards as
// typed. A line editor takes the terminal from quiet straight into its own
// mode: the editor shows its prompt before it switches, and keys typed at
// once would otherwise meet the terminal's own echo and line editing.
class QuietBetweenLines final : public LineInput {
 public:
  QuietBetweenLines(std::unique_ptr<LineInput> lines, int fd)
      : lines_(std::move(lines)), fd_(fd), quiet_(std::in_place, fd) {}
  LineStatus Next(std::string& line) override {
    if (!lines_->SetsTerminalModes()) quiet_.reset();
    const LineStatus status = lines_->Next(line);
    error_ = lines_->Error();
    // An editor leaves the terminal as it found it when it was made.
    quiet_.reset();
    quiet_.emplace(fd_);
    return status;
  }
  bool InputWaiting() override { return lines_->InputWaiting(); }
  bool LastLineUnterminated() const override { return lines_->LastLineUnterminated(); }

 private:
  std::unique_ptr<LineInput> lines_;
  int fd_;
  std::optional<QuietKeys> quiet_;
};

std::unique_ptr<LineInput> TerminalInput(ConsoleStyle& style) {
#ifdef VELK_LINE_EDITING
  // The editor shows typed UTF-8 as characters only in the user's locale.
  std::setlocale(LC_CTYPE, "");
  style.InputPrompts = true;
  return std::make_unique<LineEditor>(stdin, stdout, stderr, kConsolePrompt);
#else
  (void)style;
  return std::make_unique<LineReader>(STDIN_FILENO);
#endif
}

}  // namespace

int RunConsoleChatProgram(const CommandLine& options) {
  Bot bot({.Seed = options.Seed});
  const std::unique_ptr<LineSink> log = OpenLog(options.NoLog, [](const std::string& problem) {
    std::cerr << "velk: cannot write " << kLogFileName << " (" << problem
              << "); the chat goes on without it\n";
  });

  ConsoleStyle style;
  style.Interactive = ::isatty(STDIN_FILENO) && ::isatty(STDOUT_FILENO);
  std::unique_ptr<LineInput> input;
  if (style.Interactive) {
    KeepTerminalSettings(STDIN_FILENO);
    input = std::make_unique<QuietBetweenLines>(TerminalInput(style), STDIN_FILENO);
    style.WaitTick = [] { return WaitForInput(STDIN_FILENO, 30); };
  } else {
    input = std::make_unique<LineReader>(STDIN_FILENO);
  }
  InstallStopHandlers(style.Interactive);
  return RunConsoleChat(bot, *input, std::cout, std::cerr, *log, style);
}

}  // namespace velk
