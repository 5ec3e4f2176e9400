#include "frontends/console_chat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <streambuf>

#include "frontends/reveal.h"
#include "tests/bytes_input.h"
#include "tests/recording_sink.h"
#include "tests/test_support.h"

namespace velk {
namespace {

using testing::RecordingSink;

// Standard output as a test sees it: what was written and how often it was
// flushed.
class CountingBuffer final : public std::stringbuf {
 public:
  int Flushes = 0;

 protected:
  int sync() override {
    ++Flushes;
    return 0;
  }
};

// A real generator with a fixed seed: these tests look at what the chat does
// with the engine's replies, not at which replies they are.
class ConsoleChatTest : public ::testing::Test {
 protected:
  int Run(const std::string& input, ConsoleStyle style = {}) {
    testing::BytesInput bytes(input);
    LineReader reader(bytes.Fd());
    std::ostream out(&output);
    return RunConsoleChat(bot, reader, out, errors, log, style);
  }
  std::string Out() const { return output.str(); }

  Bot bot = testing::SeededBot(1);
  RecordingSink log;
  CountingBuffer output;
  std::ostringstream errors;
};

int Lines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(ConsoleChatTest, GreetsThenAnswersEveryLineAndLogsIt) {
  EXPECT_EQ(0, Run("first\r\n\n"));
  EXPECT_EQ(3, Lines(Out())) << Out();
  ASSERT_EQ(6u, log.Lines.size());
  EXPECT_EQ("Velk Tavro Log file.  ", log.Lines[0]);
  EXPECT_EQ("USER:>first", log.Lines[2]);
  EXPECT_EQ("USER:>", log.Lines[4]);
  // Each reply is logged whole, as printed.
  EXPECT_EQ(
      log.Lines[1].substr(6) + "\n" + log.Lines[3].substr(6) + "\n" + log.Lines[5].substr(6) + "\n",
      Out());
  EXPECT_EQ("", errors.str());
}

TEST_F(ConsoleChatTest, AnswersInputThatIsAllThereInOneFlush) {
  EXPECT_EQ(0, Run("one\ntwo\nthree\n"));
  EXPECT_EQ(4, Lines(Out()));
  EXPECT_EQ(1, output.Flushes);
}

TEST_F(ConsoleChatTest, ARefusingLogDoesNotStopTheChat) {
  log.Refuse = true;
  EXPECT_EQ(0, Run("hello\n"));
  EXPECT_EQ(2, Lines(Out()));
}

// How many waits a reveal of `text` takes: one after every tick but the last.
int Waits(const std::string& text) {
  Reveal reveal;
  reveal.Start(text);
  int count = -1;
  while (reveal.Tick()) ++count;
  return count;
}

TEST_F(ConsoleChatTest, InteractiveModeRevealsWithAPrompt) {
  int ticks = 0;
  ConsoleStyle style;
  style.Interactive = true;
  style.WaitTick = [&] { return ++ticks, false; };
  // The last line is ended by Ctrl-D rather than Enter: the reply goes on a
  // line of its own.
  EXPECT_EQ(0, Run("x\ny", style));
  ASSERT_EQ(3u, log.Lines.size() / 2);
  const std::string greeting = log.Lines[1].substr(6), first = log.Lines[3].substr(6),
                    second = log.Lines[5].substr(6);
  EXPECT_EQ(greeting + "\n> " + first + "\n> \n" + second + "\n> \n", Out());
  EXPECT_EQ(Waits(greeting) + Waits(first) + Waits(second), ticks);
}

TEST_F(ConsoleChatTest, AKeyDuringARevealShowsTheRestAtOnce) {
  int ticks = 0;
  ConsoleStyle style;
  style.Interactive = true;
  style.InputPrompts = true;
  style.WaitTick = [&] { return ++ticks, true; };
  EXPECT_EQ(0, Run("x\n", style));
  EXPECT_EQ(log.Lines[1].substr(6) + "\n" + log.Lines[3].substr(6) + "\n\n", Out());
  EXPECT_EQ(2, ticks);
}

}  // namespace
}  // namespace velk
