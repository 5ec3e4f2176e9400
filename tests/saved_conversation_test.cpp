// Saved conversations: a bot saved after any line and restored goes on reply
// for reply as the uninterrupted one, and bad bytes are refused whole.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "base/clock.h"
#include "library/bot_core.h"
#include "tests/test_support.h"
#include "velk/bot.h"

namespace velk {
namespace {

using Reason = RestoreError::Reason;

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  EXPECT_FALSE(lines.empty()) << path;
  return lines;
}

// The lines the differential test compares the engine on.
const std::vector<std::string>& OracleLines() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> all;
    for (const char* file :
         {"/bench/lines.txt", "/tests/oracle/stress_lines.txt", "/tests/oracle/stress_names.txt"}) {
      for (std::string& line : ReadLines(std::string(VELK_SOURCE_DIR) + file)) {
        all.push_back(std::move(line));
      }
    }
    return all;
  }();
  return lines;
}

Bot Restored(const Bot& bot) {
  return BotInternals::RestoreWithClock(bot.Save(), std::make_unique<FixedClock>());
}

TEST(SavedConversationTest, RestoredAfterEveryLineAnswersAsTheUninterrupted) {
  for (const std::uint32_t seed : {1u, 42u, 2026u}) {
    Bot straight = testing::SeededBot(seed);
    Bot hopping = Restored(testing::SeededBot(seed));
    ASSERT_EQ(straight.Greet(), hopping.Greet()) << seed;
    int line = 0;
    for (const std::string& text : OracleLines()) {
      hopping = Restored(hopping);
      ASSERT_EQ(straight.Reply(text), hopping.Reply(text)) << "seed " << seed << ", line " << line;
      ASSERT_EQ(straight.Save(), hopping.Save()) << "seed " << seed << ", line " << line;
      if (straight.Ended()) break;
      ++line;
    }
  }
}

TEST(SavedConversationTest, EndAndPersonaAndClockSeedSurvive) {
  Bot tavro({.Seed = std::nullopt, .Persona = "Tavro"});  // seeded from the clock
  tavro.Greet();
  Bot again = Bot::Restore(tavro.Save());
  EXPECT_EQ("Tavro", BotInternals::State(again).BotName);
  EXPECT_EQ(tavro.Save(), again.Save());
  EXPECT_EQ(tavro.Reply("tell me your name"), again.Reply("tell me your name"));

  Bot ending = testing::SeededBot(3);
  EXPECT_EQ("", ending.Reply("hello. exit"));
  const Bot ended = Bot::Restore(ending.Save());
  EXPECT_TRUE(ended.Ended());
}

// A saved conversation of some length, to break in the tests below.
std::string SomeSaved() {
  Bot bot = testing::SeededBot(9);
  bot.Greet();
  for (const char* line : {"my name is Ann", "i like cats and dogs", "how old are you?", "25"}) {
    bot.Reply(line);
  }
  return bot.Save();
}

Reason WhyRefused(const std::string& bytes) {
  try {
    Bot::Restore(bytes);
  } catch (const RestoreError& error) {
    return error.Why();
  }
  ADD_FAILURE() << "restored " << bytes.size() << " bad bytes";
  return Reason::kNotSaved;
}

TEST(SavedConversationTest, EveryTruncationIsRefused) {
  const std::string saved = SomeSaved();
  for (std::size_t size = 0; size < saved.size(); ++size) {
    const Reason why = WhyRefused(saved.substr(0, size));
    ASSERT_EQ(why, size == 0 ? Reason::kNotSaved : Reason::kTruncated) << size;
  }
  EXPECT_EQ(Reason::kCorrupted, WhyRefused(saved + "x"));
}

TEST(SavedConversationTest, FlippedBytesAreRefused) {
  const std::string saved = SomeSaved();
  std::mt19937 random(12345);
  for (int trial = 0; trial < 3000; ++trial) {
    std::string broken = saved;
    const int flips = 1 + static_cast<int>(random() % 3);
    for (int f = 0; f < flips; ++f) {
      broken[random() % broken.size()] ^= static_cast<char>(1 + random() % 255);
    }
    WhyRefused(broken);
  }
}

TEST(SavedConversationTest, NamesWhatIsWrong) {
  std::string newer = SomeSaved();
  newer[8] = 2;  // the format version, low byte
  std::string notSaved = "hello world, not a conversation";
  const struct {
    const char* Label;
    std::string Bytes;
    Reason Why;
  } kCases[] = {
      {"newer format", newer, Reason::kNewerVersion},
      {"not saved", notSaved, Reason::kNotSaved},
      {"magic only", "VELKCONV", Reason::kTruncated},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.Why, WhyRefused(c.Bytes)) << c.Label;
}

// Bytes saved by the first format, kept so that every later program is held
// to reading them: seed 7, the greeting, then "my name is Ann" and "25".
TEST(SavedConversationTest, ReadsTheFirstFormat) {
  std::ifstream in(std::string(VELK_SOURCE_DIR) + "/tests/data/saved_v1.bin", std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(saved.empty());
  Bot restored = BotInternals::RestoreWithClock(saved, std::make_unique<FixedClock>());
  Bot straight = testing::SeededBot(7);
  for (const char* line : {"-getgreet-", "my name is Ann", "25"}) straight.Reply(line);
  EXPECT_EQ(straight.Save(), restored.Save());
  EXPECT_EQ(straight.Reply("what is my name?"), restored.Reply("what is my name?"));
}

TEST(SavedConversationTest, BotsOnTwoThreadsAnswerAsOneAfterTheOther) {
  const std::vector<std::string>& lines = OracleLines();
  const auto run = [&lines](std::uint32_t seed) {
    Bot bot = testing::SeededBot(seed);
    std::vector<std::string> replies{bot.Greet()};
    for (std::size_t i = 0; i < 1000 && !bot.Ended(); ++i) replies.push_back(bot.Reply(lines[i]));
    return replies;
  };
  const std::vector<std::string> first = run(5), second = run(6);
  std::vector<std::string> together[2];
  std::thread a([&] { together[0] = run(5); });
  std::thread b([&] { together[1] = run(6); });
  a.join();
  b.join();
  EXPECT_EQ(first, together[0]);
  EXPECT_EQ(second, together[1]);
}

}  // namespace
}  // namespace velk
