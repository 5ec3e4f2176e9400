#include "frontends/console_chat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "frontends/reveal.h"
#include "tests/recording_sink.h"
#include "tests/test_support.h"

namespace velk {
namespace {

using testing::RecordingSink;

// A real generator with a fixed seed: these tests look at what the chat does
// with the engine's replies, not at which replies they are.
class ConsoleChatTest : public ::testing::Test {
 protected:
  std::string Run(const std::string& input, ConsoleStyle style = {}) {
    std::istringstream in(input);
    std::ostringstream out;
    EXPECT_EQ(0, RunConsoleChat(bot, in, out, log, style));
    return out.str();
  }
  Bot bot = testing::SeededBot(1);
  RecordingSink log;
};

int Lines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(ConsoleChatTest, GreetsThenAnswersEveryLineAndLogsIt) {
  const std::string out = Run("first\r\n\n");
  EXPECT_EQ(3, Lines(out)) << out;
  ASSERT_EQ(6u, log.Lines.size());
  EXPECT_EQ("Velk Tavro Log file.  ", log.Lines[0]);
  EXPECT_EQ("USER:>first", log.Lines[2]);
  EXPECT_EQ("USER:>", log.Lines[4]);
  // Each reply is logged whole, as printed.
  EXPECT_EQ(
      log.Lines[1].substr(6) + "\n" + log.Lines[3].substr(6) + "\n" + log.Lines[5].substr(6) + "\n",
      out);
}

TEST_F(ConsoleChatTest, ARefusingLogDoesNotStopTheChat) {
  log.Refuse = true;
  EXPECT_EQ(2, Lines(Run("hello\n")));
}

TEST_F(ConsoleChatTest, InteractiveModeRevealsWithAPrompt) {
  int ticks = 0;
  ConsoleStyle style;
  style.Interactive = true;
  style.WaitTick = [&] { ++ticks; };
  const std::string out = Run("x\n", style);
  ASSERT_EQ(2u, log.Lines.size() / 2);
  const std::string greeting = log.Lines[1].substr(6), reply = log.Lines[3].substr(6);
  EXPECT_EQ(greeting + "\n> " + reply + "\n> \n", out);
  // A wait after every tick of the reveal but the last.
  const auto waits = [](const std::string& text) {
    Reveal reveal;
    reveal.Start(text);
    int count = -1;
    while (reveal.Tick()) ++count;
    return count;
  };
  EXPECT_EQ(waits(greeting) + waits(reply), ticks);
}

}  // namespace
}  // namespace velk
