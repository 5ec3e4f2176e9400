#include "frontends/console_chat.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

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

// Standard output as a test sees it: what was written, how often it was
// flushed, and a write that fails after `failAfter` bytes.
class CountingBuffer final : public std::stringbuf {
 public:
  int Flushes = 0;
  std::size_t FailAfter = static_cast<std::size_t>(-1);

 protected:
  int sync() override {
    ++Flushes;
    return 0;
  }
  std::streamsize xsputn(const char* text, std::streamsize n) override {
    if (str().size() + static_cast<std::size_t>(n) > FailAfter) return 0;
    return std::stringbuf::xsputn(text, n);
  }
  int_type overflow(int_type c) override {
    if (str().size() + 1 > FailAfter) return traits_type::eof();
    return std::stringbuf::overflow(c);
  }
};

// A real generator with a fixed seed: these tests look at what the chat does
// with the engine's replies, not at which replies they are.
class ConsoleChatTest : public ::testing::Test {
 protected:
  int Run(const std::string& input, ConsoleStyle style = {}) {
    testing::BytesInput bytes(input);
    LineReader reader(bytes.Fd());
    return RunWith(reader, style);
  }
  int RunWith(LineInput& in, const ConsoleStyle& style) {
    std::ostream out(&output);
    return RunConsoleChat(bot, in, out, errors, log, style);
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

TEST_F(ConsoleChatTest, AFailingOutputStopsTheChatWithAMessage) {
  output.FailAfter = 0;
  EXPECT_EQ(1, Run("hello\nagain\n"));
  EXPECT_TRUE(errors.str().starts_with("velk: cannot write standard output: ")) << errors.str();
  EXPECT_EQ(1, Lines(errors.str()));
  // Nothing more is read or logged after the failure.
  EXPECT_EQ(2u, log.Lines.size());
}

TEST_F(ConsoleChatTest, AReadErrorEndsTheChatWithAMessage) {
  const int directory = ::open(".", O_RDONLY | O_DIRECTORY);
  LineReader reader(directory);
  EXPECT_EQ(1, RunWith(reader, {}));
  ::close(directory);
  EXPECT_EQ(1, Lines(Out()));
  EXPECT_EQ("velk: cannot read standard input: Is a directory\n", errors.str());
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
