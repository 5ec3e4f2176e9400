#include "frontends/chat_presenter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/bot_core.h"
#include "tests/recording_sink.h"
#include "tests/test_support.h"

namespace velk {
namespace {

using testing::RecordingSink;

// A real bot with a fixed seed and a clock that stands still, so that a twin
// made the same way gives the replies the presenter must show.
constexpr std::uint32_t kSeed = 20250;

class ChatPresenterTest : public ::testing::Test {
 protected:
  ChatPresenterTest() { twinGreeting_ = twin_.Greet(); }

  // What the engine answers to `line` at this point of the conversation.
  std::string ExpectedReply(const std::string& line) { return twin_.Reply(line); }

  // The captions of every tick until the reveal is complete.
  std::vector<std::string> TicksToEnd() {
    std::vector<std::string> captions;
    while (auto caption = chat.Tick()) {
      captions.push_back(*caption);
      if (captions.size() > 10000) break;
    }
    return captions;
  }

  Bot live = testing::SeededBot(kSeed);
  RecordingSink log;
  ChatPresenter chat{live, log};
  Bot twin_ = testing::SeededBot(kSeed);
  std::string twinGreeting_;
};

TEST_F(ChatPresenterTest, LoadGreetsAndWritesTheHeader) {
  chat.Load();

  EXPECT_EQ(BotInternals::State(live).BotName, "Velk");
  EXPECT_FALSE(chat.LogFailing());
  EXPECT_EQ(chat.RevealText(), twinGreeting_);
  EXPECT_EQ(log.Lines,
            (std::vector<std::string>{"Velk Tavro Log file.  ", "VELK:>" + twinGreeting_}));

  // The greeting is not typed out: all but its last character, then whole
  // (at once when it ends in a blank, which comes with the character before).
  ASSERT_GE(twinGreeting_.size(), 2u);
  std::vector<std::string> expected{twinGreeting_};
  if (twinGreeting_.back() != ' ') {
    expected.insert(expected.begin(), twinGreeting_.substr(0, twinGreeting_.size() - 1));
  }
  EXPECT_EQ(TicksToEnd(), expected);
  EXPECT_EQ(chat.Caption(), twinGreeting_);
}

TEST_F(ChatPresenterTest, EnterRevealsTheReplyFromNothing) {
  chat.Load();
  TicksToEnd();

  const std::string expected = ExpectedReply("hello");
  EXPECT_EQ(chat.Enter("hello"), ChatPresenter::Outcome::kGoOn);
  EXPECT_EQ(chat.RevealText(), expected);
  EXPECT_EQ(chat.Caption(), twinGreeting_) << "the label changes only on a tick";

  const std::vector<std::string> captions = TicksToEnd();
  ASSERT_GE(captions.size(), 2u);
  EXPECT_EQ(captions.front(), "");
  EXPECT_EQ(captions[1], expected.substr(0, 1));
  EXPECT_EQ(captions.back(), expected);
  EXPECT_EQ(chat.Caption(), expected);
  EXPECT_EQ(chat.Tick(), std::nullopt);
  EXPECT_EQ(chat.Caption(), expected) << "a finished reveal leaves the label alone";
}

TEST_F(ChatPresenterTest, EveryEnterIsLoggedAsTyped) {
  chat.Load();
  static const char* const kLines[] = {
      "hello",
      "",                         // an empty line is answered and logged
      "My Name is Zo\xC3\xAB  ",  // case, blanks and UTF-8 kept
  };
  std::vector<std::string> expected = log.Lines;
  for (const char* line : kLines) {
    const std::string reply = ExpectedReply(line);
    EXPECT_EQ(chat.Enter(line), ChatPresenter::Outcome::kGoOn) << line;
    EXPECT_EQ(chat.RevealText(), reply) << line;
    expected.push_back(std::string("USER:>") + line);
    expected.push_back("VELK:>" + reply);
  }
  EXPECT_EQ(log.Lines, expected);
  EXPECT_EQ(log.Lines[4], "USER:>");
}

TEST_F(ChatPresenterTest, FinishRevealShowsTheWholeReplyAtOnce) {
  chat.Load();
  const std::string expected = ExpectedReply("tell me a joke");
  chat.Enter("tell me a joke");
  chat.Tick();
  chat.Tick();
  ASSERT_FALSE(chat.Revealed());

  EXPECT_EQ(chat.FinishReveal(), expected);
  EXPECT_EQ(chat.Caption(), expected);
  EXPECT_TRUE(chat.Revealed());
  EXPECT_EQ(chat.Tick(), std::nullopt);
}

TEST_F(ChatPresenterTest, SecondEnterReplacesAnUnfinishedReveal) {
  chat.Load();
  const std::string first = ExpectedReply("hello");
  const std::string second = ExpectedReply("what is your name");
  chat.Enter("hello");
  for (int i = 0; i < 3; ++i) chat.Tick();
  ASSERT_NE(chat.Caption(), first);

  chat.Enter("what is your name");
  const std::vector<std::string> captions = TicksToEnd();
  ASSERT_FALSE(captions.empty());
  EXPECT_EQ(captions.front(), "");
  EXPECT_EQ(captions.back(), second);
}

TEST_F(ChatPresenterTest, ExitSentenceEndsWithNothingLogged) {
  static const char* const kLines[] = {"exit", "Exit", "hello. exit"};
  for (const char* line : kLines) {
    Bot bot = testing::SeededBot(kSeed);
    RecordingSink sink;
    ChatPresenter presenter(bot, sink);
    presenter.Load();
    const std::vector<std::string> atLoad = sink.Lines;

    EXPECT_EQ(presenter.Enter(line), ChatPresenter::Outcome::kEndProgram) << line;
    EXPECT_EQ(sink.Lines, atLoad) << line;
  }
}

TEST_F(ChatPresenterTest, RefusedLogLeavesTheChatGoing) {
  log.Refuse = true;
  chat.Load();
  EXPECT_EQ(chat.RevealText(), twinGreeting_);
  EXPECT_TRUE(chat.LogFailing());

  const std::string reply = ExpectedReply("hello");
  EXPECT_EQ(chat.Enter("hello"), ChatPresenter::Outcome::kGoOn);
  EXPECT_EQ(chat.RevealText(), reply);
  EXPECT_EQ(TicksToEnd().back(), reply);
  EXPECT_TRUE(log.Lines.empty());

  // The next exchange tries again.
  log.Refuse = false;
  const std::string next = ExpectedReply("still there?");
  chat.Enter("still there?");
  EXPECT_FALSE(chat.LogFailing());
  EXPECT_EQ(log.Lines, (std::vector<std::string>{"USER:>still there?", "VELK:>" + next}));
}

}  // namespace
}  // namespace velk
