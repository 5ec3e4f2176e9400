// The console chat as the program runs it, on its own standard input and
// output.
#ifndef VELK_FRONTENDS_CONSOLE_PROGRAM_H_
#define VELK_FRONTENDS_CONSOLE_PROGRAM_H_

#include "frontends/command_line.h"

namespace velk {

// On two terminals: a prompt, line editing (when built with libedit), replies
// revealed letter by letter, a key ending a reveal. Otherwise one reply line
// per input line and nothing else on standard output. Returns the exit
// status.
int RunConsoleChatProgram(const CommandLine& options);

}  // namespace velk

#endif  // VELK_FRONTENDS_CONSOLE_PROGRAM_H_
