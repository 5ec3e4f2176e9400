#include "frontends/console_chat.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/test_support.h"

namespace velk {
namespace {

// Records what the chat logs.
class RecordingSink final : public LineSink {
 public:
  bool Append(const std::vector<std::string>& group) override {
    lines.insert(lines.end(), group.begin(), group.end());
    return !refuse;
  }
  std::vector<std::string> lines;
  bool refuse = false;
};

class ConsoleChatTest : public testing::EngineTest {
 protected:
  std::string Run(const std::string& input, ConsoleStyle style = {}) {
    std::istringstream in(input);
    std::ostringstream out;
    EXPECT_EQ(0, RunConsoleChat(engine, in, out, log, style));
    return out.str();
  }
  RecordingSink log;
};

constexpr int kGoOn = 8, kSighs = 9, kLaughs = 13;

TEST_F(ConsoleChatTest, GreetsThenAnswersEveryLineAndLogsIt) {
  random.QueuePicks({{kGoOn, 40}, {kSighs, 40}, {kLaughs, 40}});
  // With the greeting request unanswered by any responder, idle prompts reply.
  const std::string out = Run("first\r\n\n");
  EXPECT_EQ(3, std::count(out.begin(), out.end(), '\n')) << out;
  ASSERT_EQ(6u, log.lines.size());
  EXPECT_EQ("Velk Tavro Log file.  ", log.lines[0]);
  EXPECT_EQ("USER:>first", log.lines[2]);
  EXPECT_EQ("USER:>", log.lines[4]);
  EXPECT_EQ(0u, random.Remaining());
}

TEST_F(ConsoleChatTest, ARefusingLogDoesNotStopTheChat) {
  log.refuse = true;
  random.QueuePicks({{kGoOn, 40}, {kSighs, 40}});
  const std::string out = Run("hello\n");
  EXPECT_EQ(2, std::count(out.begin(), out.end(), '\n')) << out;
}

TEST_F(ConsoleChatTest, InteractiveModeRevealsWithAPrompt) {
  random.QueuePicks({{kGoOn, 40}, {kSighs, 40}});
  int ticks = 0;
  ConsoleStyle style;
  style.Interactive = true;
  style.WaitTick = [&] { ++ticks; };
  const std::string out = Run("x\n", style);
  EXPECT_EQ("Go on...\n> <Sighs>\n> \n", out);
  // A wait after every tick but the last: "Go on..." shows in 8 ticks ("",
  // "G", "Go ", "Go o", ...), and so does "<Sighs>".
  EXPECT_EQ(7 + 7, ticks);
}

}  // namespace
}  // namespace velk
